#include "gui/file_failure_text.h"

#include "device/connection_software_fault.h"
#include "files/input_file.h"
#include "files/output_refusal.h"
#include "files/windows_file_name.h"
#include "files/windows_refusal.h"
#include "gui/paths.h"
#include "gui/program_texts.h"
#include "system/settings_path_text.h"
#include "system/system_reason.h"

namespace zvk {

QString FileFailureHeading(FileFailure::Access access)
{
    switch (access) {
    case FileFailure::Access::Reading:
        return kListUnreadable;
    case FileFailure::Access::ReadingFolder:
        return kListFolderUnreadable;
    case FileFailure::Access::Writing:
        break;
    }
    return kFileUnwritable;
}

QString SystemReasonText(std::error_code reason)
{
    if (reason == SettingsPathRefusal::NotInCodePage)
        return kReasonNotInCodePage;
    if (reason.category() == ConnectionSoftwareFaultCategory()) {
        switch (static_cast<ConnectionSoftwareFault>(reason.value())) {
        case ConnectionSoftwareFault::NotInstalled:
            return kReasonConnectionSoftwareMissing;
        case ConnectionSoftwareFault::Incomplete:
            return kReasonConnectionSoftwareIncomplete;
        }
    }
    if (reason.category() == WindowsNameFaultCategory()) {
        switch (static_cast<WindowsNameFault>(reason.value())) {
        case WindowsNameFault::ReservedDeviceName:
            return kReasonWindowsDeviceName;
        case WindowsNameFault::EndsInDotOrSpace:
            return kReasonWindowsNameEnd;
        case WindowsNameFault::ForbiddenCharacter:
            return kReasonWindowsCharacter;
        case WindowsNameFault::ControlCharacter:
            return kReasonWindowsControlCharacter;
        }
    }
    if (reason == InputRefusal::NotARegularFile)
        return kReasonNotRegularFile;
    if (reason.category() == WindowsRefusalCategory()) {
        switch (static_cast<WindowsRefusal>(reason.value())) {
        case WindowsRefusal::HeldByAnotherProgram:
            return kReasonHeldByAnotherProgram;
        case WindowsRefusal::PathTooLong:
            return kReasonPathTooLong.arg(kWindowsPathLimit);
        }
    }
    if (reason.category() == OutputRefusalCategory()) {
        switch (static_cast<OutputRefusal>(reason.value())) {
        case OutputRefusal::ReadOnly:
            return kReasonReadOnlyFile;
        case OutputRefusal::DataListName:
            return kReasonDataListName;
        case OutputRefusal::SameAsInput:
            return kReasonSameAsInput;
        case OutputRefusal::WrittenInThisRun:
            return kReasonWrittenInThisRun;
        }
    }
    // The system's own numbers are Windows' error codes there: their standard reason is
    // what the switch reads.
    reason = StandardReason(reason);
    if (reason.category() == std::generic_category()) {
        switch (static_cast<std::errc>(reason.value())) {
        case std::errc::no_such_file_or_directory:
            return kReasonMissing;
        case std::errc::permission_denied:
        case std::errc::operation_not_permitted:
            return kReasonNoAccess;
        case std::errc::is_a_directory:
            return kReasonIsFolder;
        case std::errc::not_a_directory:
            return kReasonNotFolder;
        case std::errc::no_space_on_device:
            return kReasonDiskFull;
        case std::errc::read_only_file_system:
            return kReasonReadOnlyDisk;
        case std::errc::file_too_large:
            return kReasonFileTooLarge;
        case std::errc::filename_too_long:
            return kReasonNameTooLong;
        case std::errc::too_many_symbolic_link_levels:
            return kReasonLinkLoop;
        case std::errc::too_many_files_open:
        case std::errc::too_many_files_open_in_system:
            return kReasonTooManyFiles;
        case std::errc::io_error:
            return kReasonDiskError;
        case std::errc::illegal_byte_sequence:
            return kReasonBadName;
        default:
            break;
        }
    }
    return kReasonOther.arg(reason.value()).arg(QString::fromLocal8Bit(reason.message()));
}

QString FileFailureLine(const FileFailure& failure)
{
    return ToDisplayPath(failure.file) + QStringLiteral(": ") + SystemReasonText(failure.reason);
}

QString FileFailureMessage(const std::vector<FileFailure>& failures)
{
    QString message;
    for (const FileFailure& failure : failures) {
        message += message.isEmpty() ? FileFailureHeading(failure.access) + QStringLiteral("\n")
                                     : QStringLiteral("\n");
        message += FileFailureLine(failure);
    }
    return message;
}

} // namespace zvk
