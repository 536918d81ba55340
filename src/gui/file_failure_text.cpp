#include "gui/file_failure_text.h"

#include "gui/paths.h"
#include "platform/output_refusal.h"

namespace zvk {
namespace {

QString AccessText(FileFailure::Access access)
{
    switch (access) {
    case FileFailure::Access::Reading:
        return QStringLiteral("*** Zoznam sa nedá prečítať ***");
    case FileFailure::Access::ReadingFolder:
        return QStringLiteral("*** Adresár so zoznamami sa nedá prečítať ***");
    case FileFailure::Access::Writing:
        break;
    }
    return QStringLiteral("*** Súbor sa nedá zapísať ***");
}

} // namespace

QString SystemReasonText(std::error_code reason)
{
    if (reason.category() == OutputRefusalCategory()) {
        switch (static_cast<OutputRefusal>(reason.value())) {
        case OutputRefusal::ReadOnly:
            return QStringLiteral("súbor je len na čítanie");
        case OutputRefusal::DataListName:
            return QStringLiteral("je to názov zoznamu (.dat), nie dokumentu");
        case OutputRefusal::SameAsInput:
            return QStringLiteral("je to súbor, z ktorého sa dokument robí");
        }
    }
    if (reason.category() == std::generic_category() ||
        reason.category() == std::system_category()) {
        switch (static_cast<std::errc>(reason.value())) {
        case std::errc::no_such_file_or_directory:
            return QStringLiteral("neexistuje");
        case std::errc::permission_denied:
        case std::errc::operation_not_permitted:
            return QStringLiteral("prístup nie je povolený");
        case std::errc::is_a_directory:
            return QStringLiteral("je to adresár, nie súbor");
        case std::errc::not_a_directory:
            return QStringLiteral("nie je to adresár");
        case std::errc::no_space_on_device:
            return QStringLiteral("na disku nie je miesto");
        case std::errc::read_only_file_system:
            return QStringLiteral("disk je len na čítanie");
        case std::errc::file_too_large:
            return QStringLiteral("súbor je príliš veľký");
        case std::errc::filename_too_long:
            return QStringLiteral("názov je príliš dlhý");
        case std::errc::too_many_symbolic_link_levels:
            return QStringLiteral("príliš veľa symbolických odkazov");
        case std::errc::too_many_files_open:
        case std::errc::too_many_files_open_in_system:
            return QStringLiteral("príliš veľa otvorených súborov");
        case std::errc::io_error:
            return QStringLiteral("chyba pri čítaní alebo zápise na disk");
        case std::errc::illegal_byte_sequence:
            return QStringLiteral("názov obsahuje neplatné znaky");
        default:
            break;
        }
    }
    return QStringLiteral("systémová chyba %1 (%2)")
        .arg(reason.value())
        .arg(QString::fromLocal8Bit(reason.message()));
}

QString FileFailureMessage(const std::vector<FileFailure>& failures)
{
    QString message;
    for (const FileFailure& failure : failures) {
        message += message.isEmpty() ? AccessText(failure.access) + QStringLiteral("\n")
                                     : QStringLiteral("\n");
        message +=
            ToDisplayPath(failure.file) + QStringLiteral(": ") + SystemReasonText(failure.reason);
    }
    return message;
}

} // namespace zvk
