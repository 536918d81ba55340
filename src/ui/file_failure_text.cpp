#include "ui/file_failure_text.h"

#include "ui/paths.h"

namespace zvk {

QString SystemReasonText(std::error_code reason)
{
    if (reason.category() == std::generic_category() ||
        reason.category() == std::system_category()) {
        switch (static_cast<std::errc>(reason.value())) {
        case std::errc::no_such_file_or_directory:
            return QStringLiteral("súbor neexistuje");
        case std::errc::permission_denied:
        case std::errc::operation_not_permitted:
            return QStringLiteral("prístup nie je povolený");
        case std::errc::is_a_directory:
            return QStringLiteral("je to adresár, nie súbor");
        case std::errc::not_a_directory:
            return QStringLiteral("cesta vedie cez súbor, nie cez adresár");
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
    const bool writing =
        !failures.empty() && failures.front().access == FileFailure::Access::Writing;
    QString message = writing ? QStringLiteral("*** Súbor sa nedá zapísať ***")
                              : QStringLiteral("*** Zoznam sa nedá prečítať ***");
    for (const FileFailure& failure : failures)
        message += QStringLiteral("\n%1: %2")
                       .arg(ToDisplayPath(failure.file), SystemReasonText(failure.reason));
    return message;
}

} // namespace zvk
