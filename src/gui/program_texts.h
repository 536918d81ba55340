#pragma once

#include <QString>

#include "words/transfer_words.h"

// The texts that the window and its dialogs show, in the program's language. Texts
// the window shares with zvk come from words/transfer_words.h; the labels of the dialogs'
// controls stay in their .ui files.
namespace zvk {

// Texts shared with zvk, as the window shows them.
inline const QString kErrorCaption =
    QString::fromUtf8(words::kCaptionError.data(), words::kCaptionError.size());
inline const QString kNoticeCaption =
    QString::fromUtf8(words::kCaptionNotice.data(), words::kCaptionNotice.size());
inline const QString kWarningCaption =
    QString::fromUtf8(words::kCaptionWarning.data(), words::kCaptionWarning.size());
inline const QString kIdleStatus =
    QString::fromUtf8(words::kStatusIdle.data(), words::kStatusIdle.size());

inline const QString kWindowTitle = QStringLiteral("ZVK PC V4.00");

// Filters of the open-file dialogs.
inline const QString kConfigurationFilesFilter = QStringLiteral("Konfiguračné súbory (*.ini)");
inline const QString kDataFilesFilter = QStringLiteral("DAT súbory (*.dat)");
// The list to send ("Zoznam poslať").
inline const QString kListToSendFilter = QStringLiteral("Dátové súbory (*.dat)");
inline const QString kMeasurementTextsFilter = QStringLiteral("Textové soubory (*.txt)");

// The main window's buttons "Inštalácia" and "Konvertovať".
inline const QString kCloseHandheldProgram =
    QStringLiteral("Ak je spustený program ZVK_CE na prenosnom počítači, ukočite ho!");
inline const QString kInstallerMissing = QStringLiteral("*** Chýba Setup.exe ***");
// The text import: followed on a line of its own by the file and the reason.
inline const QString kImportFailed = QStringLiteral("Could not create file!");

// "Nastavenia": followed on a line of its own by the reason.
inline const QString kConfigurationNotSaved =
    QStringLiteral("*** Konfiguračný súbor sa nepodarilo uložiť! ***");

// A chosen folder or configuration file that the settings cannot keep: followed on a line
// of its own by the path and the reason.
inline const QString kPathNotStored = QStringLiteral("*** Cesta sa nedá uložiť do nastavení ***");
// The conversion option ("Konvertovať") that the settings file does not take: followed by the
// file and the reason.
inline const QString kOptionNotStored = QStringLiteral("*** Voľba sa nedá uložiť do nastavení ***");

// The report dialog while it reads the receive folder: %1 lists read of %2.
inline const QString kReadingLists = QStringLiteral("Čítajú sa zoznamy: %1 z %2");

// A document's failure that names no file: followed on a line of its own by the reason in
// English.
inline const QString kDocumentNotMade = QStringLiteral("*** Dokument sa nedá vytvoriť ***");

// The first line of a file's failure, by what was done with the file.
inline const QString kListUnreadable = QStringLiteral("*** Zoznam sa nedá prečítať ***");
inline const QString kListFolderUnreadable =
    QStringLiteral("*** Adresár so zoznamami sa nedá prečítať ***");
inline const QString kFileUnwritable = QStringLiteral("*** Súbor sa nedá zapísať ***");

// The lists of a reception that did not arrive whole, by group.
inline const QString kListsNotReceived = QStringLiteral("*** Tieto zoznamy neboli prijaté ***");
inline const QString kListsNotConverted =
    QStringLiteral("*** Tieto zoznamy boli prijaté, ale neboli konvertované ***");
inline const QString kListsStillOnHandheld =
    QStringLiteral("*** Tieto zoznamy boli prijaté, ale zostali v prenosnom počítači ***");
// The lists of a reception that replaced desktop lists of their names with other bytes;
// each line names where the earlier list is now.
inline const QString kEarlierListsKept = QStringLiteral(
    "*** Tieto zoznamy nahradili skoršie zoznamy s rovnakým menom, skoršie sú odložené ***");
// After the named lists of a group: %1 how many more there are.
inline const QString kMoreLists = QStringLiteral("a ďalšie (%1)");

// Reasons, after the file or the list they concern.
inline const QString kReasonNotFromHandheld =
    QStringLiteral("nedá sa prečítať z prenosného počítača");
inline const QString kReasonNotDeletedOnHandheld =
    QStringLiteral("prenosný počítač ho nezmazal, príde znova pri ďalšom príjme");
// %1 why the journal of receptions could not be written.
inline const QString kReasonNotJournaled =
    QStringLiteral("denník príjmov sa nedá zapísať (%1), príjem sa zastavil");
inline const QString kReasonReadOnlyFile = QStringLiteral("súbor je len na čítanie");
inline const QString kReasonDataListName =
    QStringLiteral("je to názov zoznamu (.dat), nie dokumentu");
inline const QString kReasonSameAsInput = QStringLiteral("je to súbor, z ktorého sa dokument robí");
inline const QString kReasonNotRegularFile =
    QStringLiteral("nie je to obyčajný súbor (je to rúra alebo zariadenie)");
inline const QString kReasonWrittenInThisRun =
    QStringLiteral("práve doň bol zapísaný iný zoznam s rovnakým menom");
inline const QString kReasonMissing = QStringLiteral("neexistuje");
inline const QString kReasonNoAccess = QStringLiteral("prístup nie je povolený");
inline const QString kReasonIsFolder = QStringLiteral("je to adresár, nie súbor");
inline const QString kReasonNotFolder = QStringLiteral("nie je to adresár");
inline const QString kReasonDiskFull = QStringLiteral("na disku nie je miesto");
inline const QString kReasonReadOnlyDisk = QStringLiteral("disk je len na čítanie");
inline const QString kReasonFileTooLarge = QStringLiteral("súbor je príliš veľký");
inline const QString kReasonNameTooLong = QStringLiteral("názov je príliš dlhý");
inline const QString kReasonLinkLoop = QStringLiteral("príliš veľa symbolických odkazov");
inline const QString kReasonTooManyFiles = QStringLiteral("príliš veľa otvorených súborov");
inline const QString kReasonDiskError = QStringLiteral("chyba pri čítaní alebo zápise na disk");
inline const QString kReasonBadName = QStringLiteral("názov obsahuje neplatné znaky");
// Windows' own refusals: a file that another program keeps open; a path over Windows'
// limit, %1 the limit.
inline const QString kReasonHeldByAnotherProgram =
    QStringLiteral("je otvorený v inom programe, zatvorte ho tam a skúste znova");
inline const QString kReasonPathTooLong =
    QStringLiteral("cesta je dlhšia ako %1 znakov, ktoré Windows dovoľuje");
// A name that no file of Windows may have.
inline const QString kReasonWindowsDeviceName =
    QStringLiteral("Windows nedovolí taký názov: je to názov zariadenia (CON, PRN, AUX, NUL, "
                   "COM1 až COM9, LPT1 až LPT9, s akoukoľvek príponou)");
inline const QString kReasonWindowsNameEnd =
    QStringLiteral("Windows nedovolí taký názov: končí bodkou alebo medzerou");
inline const QString kReasonWindowsCharacter =
    QStringLiteral("Windows nedovolí taký názov: obsahuje niektorý zo znakov < > : \" / \\ | ? *");
inline const QString kReasonWindowsControlCharacter =
    QStringLiteral("Windows nedovolí taký názov: obsahuje riadiaci znak");
// A path in the settings file on Windows.
inline const QString kReasonNotInCodePage =
    QStringLiteral("kódová stránka systému Windows nemá všetky písmená názvu");
// The device connection software's rapi.dll.
inline const QString kReasonConnectionSoftwareMissing =
    QStringLiteral("softvér na pripojenie prenosného počítača nie je nainštalovaný (Windows "
                   "Mobile Device Center alebo Microsoft ActiveSync)");
inline const QString kReasonConnectionSoftwareIncomplete =
    QStringLiteral("softvér na pripojenie prenosného počítača je neúplný alebo inej verzie, "
                   "nainštalujte ho znova");
// Any other reason: %1 its number, %2 the system's own words.
inline const QString kReasonOther = QStringLiteral("systémová chyba %1 (%2)");

} // namespace zvk
