#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "device/connection_software_fault.h"
#include "files/output_refusal.h"
#include "files/windows_file_name.h"
#include "files/windows_refusal.h"
#include "gui/control_ids.h"
#include "gui/date_doubt_text.h"
#include "gui/date_edit.h"
#include "gui/file_failure_text.h"
#include "gui/reception_failure_text.h"
#include "gui/slovak_language.h"
#include "gui/transfer_outcome_text.h"
#include "gui/windows1250_text.h"
#include "system/settings_path_text.h"
#include "text/windows1250.h"

class UiHelpersTest : public QObject
{
    Q_OBJECT

private slots:
    void findsControlsByTheirId()
    {
        QWidget dialog;
        auto* layout = new QVBoxLayout(&dialog);
        auto* button = new QPushButton(QStringLiteral("Zoznamy prijať"), &dialog);
        auto* edit = new QLineEdit(&dialog);
        layout->addWidget(button);
        layout->addWidget(edit);
        zvk::SetControlId(button, 1001);
        zvk::SetControlId(edit, 1033);
        QCOMPARE(zvk::FindControl(&dialog, 1001), button);
        QCOMPARE(zvk::FindControl(&dialog, 1033), edit);
        QCOMPARE(zvk::FindControl(&dialog, 1002), nullptr);

        // A dialog opened over this one has ids of its own: 1001 there is not 1001 here.
        QDialog over(&dialog);
        auto* overButton = new QPushButton(&over);
        zvk::SetControlId(overButton, 1001);
        zvk::SetControlId(new QPushButton(&over), 1116);
        QCOMPARE(zvk::FindControl(&dialog, 1001), button);
        QCOMPARE(zvk::FindControl(&dialog, 1116), nullptr);
        QCOMPARE(zvk::FindControl(&over, 1001), overButton);
    }

    void datesAreTakenAsTheyAreWritten()
    {
        for (const QString& typed : {QStringLiteral("01.03.2026"), QStringLiteral("1.3.2026"),
                                     QStringLiteral("01032026"), QStringLiteral("1.03.2026")}) {
            zvk::DateEdit edit;
            edit.setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
            edit.setDate(QDate(2025, 12, 24));
            edit.show();
            edit.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&edit));
            QTest::keyClicks(&edit, typed);
            QCOMPARE(edit.date(), QDate(2026, 3, 1));
        }
    }

    void lowerCaseOfEveryWindows1250ByteIsTheLetterQtKnows()
    {
        for (int byte = 1; byte < 256; ++byte) {
            const std::string one(1, static_cast<char>(byte));
            const QString shown = zvk::FromWindows1250(one);
            const QString lower = shown.toLower();
            const std::string expected =
                zvk::FitsWindows1250(lower) ? zvk::ToWindows1250(lower) : one;
            QCOMPARE(QByteArray::fromStdString(zvk::Windows1250Lower(one)),
                     QByteArray::fromStdString(expected));
        }
    }

    void standardDialogsAndDatesSpeakSlovak()
    {
        QVERIFY(zvk::InstallSlovakLanguage(*QCoreApplication::instance()));
        QFileDialog files(nullptr, QString(), QString(), QStringLiteral("DAT súbory (*.dat)"));
        files.setOption(QFileDialog::DontUseNativeDialog);
        QStringList buttons;
        for (const QPushButton* button : files.findChildren<QPushButton*>())
            buttons << button->text();
        QVERIFY2(buttons.contains(QStringLiteral("&Otvoriť")), qPrintable(buttons.join(',')));
        QVERIFY2(buttons.contains(QStringLiteral("Zrušiť")), qPrintable(buttons.join(',')));
        QDialogButtonBox answers(QDialogButtonBox::Yes | QDialogButtonBox::No);
        QCOMPARE(answers.button(QDialogButtonBox::Yes)->text(), QStringLiteral("Án&o"));
        QCOMPARE(QLocale().standaloneMonthName(3), QStringLiteral("marec"));
        QCOMPARE(QLocale().dayName(1), QStringLiteral("pondelok"));
    }

    void failuresAreToldInSlovakWithTheirFiles()
    {
        const zvk::FileFailure gone{"/prijem/BAD.DAT",
                                    std::make_error_code(std::errc::no_such_file_or_directory),
                                    zvk::FileFailure::Access::Reading};
        const zvk::FileFailure full{"/prijem/20261207101500.rtf",
                                    std::make_error_code(std::errc::no_space_on_device),
                                    zvk::FileFailure::Access::Writing};
        // Paths are shown with the system's separators.
        const auto shown = [](QString text) {
            return text.replace(QLatin1Char('/'), QDir::separator());
        };
        QCOMPARE(
            zvk::FileFailureMessage({gone, gone}),
            QStringLiteral("*** Zoznam sa nedá prečítať ***\n") +
                shown(QStringLiteral("/prijem/BAD.DAT: neexistuje\n/prijem/BAD.DAT: neexistuje")));
        QCOMPARE(zvk::FileFailureMessage({full}),
                 QStringLiteral("*** Súbor sa nedá zapísať ***\n") +
                     shown(QStringLiteral("/prijem/20261207101500.rtf: na disku nie je miesto")));
        QVERIFY(zvk::SystemReasonText(std::make_error_code(std::errc::bad_address))
                    .startsWith(QStringLiteral("systémová chyba ")));
        const zvk::FileFailure list{"/prijem/LIST0001.DAT", zvk::OutputRefusal::DataListName,
                                    zvk::FileFailure::Access::Writing};
        QCOMPARE(zvk::FileFailureMessage({list}),
                 QStringLiteral("*** Súbor sa nedá zapísať ***\n") +
                     shown(QStringLiteral("/prijem/LIST0001.DAT")) +
                     QStringLiteral(": je to názov zoznamu (.dat), nie dokumentu"));
        QCOMPARE(zvk::SystemReasonText(zvk::OutputRefusal::ReadOnly),
                 QStringLiteral("súbor je len na čítanie"));
        QCOMPARE(zvk::SystemReasonText(zvk::OutputRefusal::SameAsInput),
                 QStringLiteral("je to súbor, z ktorého sa dokument robí"));
        const zvk::FileFailure held{"/prijem/LIST01.csv", zvk::WindowsRefusal::HeldByAnotherProgram,
                                    zvk::FileFailure::Access::Writing};
        QCOMPARE(
            zvk::FileFailureLine(held),
            shown(QStringLiteral("/prijem/LIST01.csv")) +
                QStringLiteral(": je otvorený v inom programe, zatvorte ho tam a skúste znova"));
        QCOMPARE(zvk::SystemReasonText(zvk::WindowsRefusal::PathTooLong),
                 QStringLiteral("cesta je dlhšia ako 260 znakov, ktoré Windows dovoľuje"));
        const zvk::FileFailure lettersMissing{std::filesystem::path(u8"Ωmega"),
                                              zvk::SettingsPathRefusal::NotInCodePage,
                                              zvk::FileFailure::Access::Writing};
        QCOMPARE(zvk::FileFailureLine(lettersMissing),
                 QStringLiteral("Ωmega: kódová stránka systému Windows nemá všetky písmená názvu"));
        QCOMPARE(zvk::SystemReasonText(zvk::ConnectionSoftwareFault::Incomplete),
                 QStringLiteral("softvér na pripojenie prenosného počítača je neúplný alebo inej "
                                "verzie, nainštalujte ho znova"));
    }

    void keptVersionsAreToldWithWhereTheyWent()
    {
        const auto shown = [](QString text) {
            return text.replace(QLatin1Char('/'), QDir::separator());
        };
        using std::filesystem::path;
        const std::vector<zvk::KeptVersion> kept = {
            {path(u8"/prijem/A.DAT"), path(u8"/prijem/nahradené/A.20261208-152530.DAT")},
            {path(u8"/prijem/Zoznam č. 1.DAT"),
             path(u8"/prijem/nahradené/Zoznam č. 1.20261208-152530.DAT")}};
        QCOMPARE(zvk::KeptVersionsMessage(kept),
                 QStringLiteral("*** Tieto zoznamy nahradili skoršie zoznamy s rovnakým menom, "
                                "skoršie sú odložené ***\nA.DAT: ") +
                     shown(QStringLiteral("/prijem/nahradené/A.20261208-152530.DAT")) +
                     QStringLiteral("\nZoznam č. 1.DAT: ") +
                     shown(QStringLiteral("/prijem/nahradené/Zoznam č. 1.20261208-152530.DAT")));
    }

    void receptionFailuresAreToldInSlovakListByList()
    {
        using Step = zvk::ListFailure::Step;
        using Fault = zvk::WindowsNameFault;
        const auto failure = [](std::string list, Step step, std::error_code reason) {
            return zvk::ListFailure{
                std::move(list),
                step,
                {"in English", {"/prijem/x", reason, zvk::FileFailure::Access::Writing}}};
        };
        std::vector<zvk::ListFailure> failures = {
            failure("Zoznam č. 1.DAT", Step::Converting,
                    std::make_error_code(std::errc::no_space_on_device)),
            failure("A.DAT", Step::WritingList, std::make_error_code(std::errc::permission_denied)),
            {"C.DAT", Step::DeletingOnHandheld, {"in English", {}}},
            {"B.DAT", Step::ReadingHandheld, {"in English", {}}},
            failure("aux.dat", Step::WritingList, Fault::ReservedDeviceName),
            failure("D.DAT.", Step::WritingList, Fault::EndsInDotOrSpace),
            failure("E:F.DAT", Step::WritingList, Fault::ForbiddenCharacter),
            failure("G?H.DAT", Step::WritingList, Fault::ControlCharacter)};
        QCOMPARE(zvk::ReceptionFailureMessage(failures),
                 QStringLiteral("*** Tieto zoznamy neboli prijaté ***\n"
                                "A.DAT: prístup nie je povolený\n"
                                "B.DAT: nedá sa prečítať z prenosného počítača\n"
                                "aux.dat: Windows nedovolí taký názov: je to názov zariadenia "
                                "(CON, PRN, AUX, NUL, COM1 až COM9, LPT1 až LPT9, s akoukoľvek "
                                "príponou)\n"
                                "D.DAT.: Windows nedovolí taký názov: končí bodkou alebo "
                                "medzerou\n"
                                "E:F.DAT: Windows nedovolí taký názov: obsahuje niektorý zo "
                                "znakov < > : \" / \\ | ? *\n"
                                "G?H.DAT: Windows nedovolí taký názov: obsahuje riadiaci znak\n"
                                "*** Tieto zoznamy boli prijaté, ale neboli konvertované ***\n"
                                "Zoznam č. 1.DAT: na disku nie je miesto\n"
                                "*** Tieto zoznamy boli prijaté, ale zostali v prenosnom počítači "
                                "***\n"
                                "C.DAT: prenosný počítač ho nezmazal, príde znova pri ďalšom "
                                "príjme"));
    }

    // The workers tell what happened; the window alone words it, each outcome in the box
    // and with the icon the program has always shown for it.
    void transferOutcomesAreWordedInTheWindowsMessages()
    {
        using zvk::TransferOutcome;
        const auto shown = [](const zvk::OutcomeMessage& message) {
            return message.caption + QLatin1Char('|') + message.text +
                   (message.icon == QMessageBox::Critical ? QStringLiteral("|error")
                                                          : QStringLiteral("|info"));
        };
        const std::pair<TransferOutcome, QString> outcomes[] = {
            {TransferOutcome::HandheldBusy,
             QStringLiteral("Chyba!|*** Prenosný počítač práve používa iný prenos ***|info")},
            {TransferOutcome::HandheldNotConnected,
             QStringLiteral("Pozor!|Pripojte počítač pomocou Microsoft ActiveSync a znova "
                            "spustite prenosový program!|error")},
            {TransferOutcome::HandheldProgramNotStarted,
             QStringLiteral(
                 "Chyba!|*** Program prenosného počítača sa nepodarilo spustiť ***|error")},
            {TransferOutcome::ConfigurationIsDataList,
             QStringLiteral(
                 "Chyba!|*** Zvolený súbor je zoznam, nie konfiguračný súbor! ***|info")},
            {TransferOutcome::SendFailed,
             QStringLiteral(
                 "Chyba!|*** Súbor sa nepodarilo zapísať do prenosného počítača! ***|info")},
            {TransferOutcome::ConfigurationSent,
             QStringLiteral("Oznam|Prenos bol úspešne ukončený.|info")},
            {TransferOutcome::ListSent, QStringLiteral("Oznam|Prenos bol úspešne ukončený.|info")},
            {TransferOutcome::SearchFailed,
             QStringLiteral("Chyba!|*** CeFindAllFiles failed. ***|info")},
            {TransferOutcome::NothingToReceive,
             QStringLiteral("Chyba!|*** Neexistujú žiadne zoznamy ***|info")},
            {TransferOutcome::Received, QStringLiteral("Oznam|Príjem bol úspešne ukončený.|info")},
        };
        for (const auto& [outcome, expected] : outcomes)
            QCOMPARE(shown(zvk::TransferOutcomeMessage(outcome)), expected);
        QCOMPARE(shown(zvk::ReceiveFolderInHandheldMessage("/ruka/Data", "/ruka")),
                 QStringLiteral("Chyba!|*** Zoznamy sa nedajú prijať do priečinka prenosného "
                                "počítača ***\nPriečinok príjmu: /ruka/Data\nPriečinok "
                                "prenosného počítača: /ruka|error"));
        QCOMPARE(zvk::StageStatus(zvk::TransferStage::SendingConfiguration),
                 QStringLiteral("Stav: Prenos konfigurácie..."));
        QCOMPARE(zvk::StageStatus(zvk::TransferStage::PreparingExport),
                 QStringLiteral("Stav: Vytváranie súborov..."));
        QCOMPARE(zvk::StageStatus(zvk::TransferStage::Receiving),
                 QStringLiteral("Stav: Príjem dát..."));
        QCOMPARE(zvk::UnavailableHeading(zvk::Unavailable::ReceiveFolder),
                 QStringLiteral("*** Priečinok príjmu sa nedá vytvoriť ***"));
        QCOMPARE(zvk::UnavailableHeading(zvk::Unavailable::Configuration),
                 QStringLiteral("*** Konfiguračný súbor chýba! ***"));
        QCOMPARE(zvk::UnavailableHeading(zvk::Unavailable::ListToSend),
                 QStringLiteral("*** Zoznam sa nedá otvoriť! ***"));
    }

    // A message box has room for twenty lists of a kind: the first twenty are named,
    // the rest counted, each kind on its own.
    void receptionFailuresNameTwentyListsOfAKind()
    {
        using Step = zvk::ListFailure::Step;
        const auto failures = [](int count, Step step, const char* prefix) {
            std::vector<zvk::ListFailure> made;
            for (int i = 1; i <= count; ++i)
                made.push_back({prefix + std::to_string(i) + ".DAT",
                                step,
                                {"in English",
                                 {"/prijem/x", std::make_error_code(std::errc::is_a_directory),
                                  zvk::FileFailure::Access::Writing}}});
            return made;
        };
        const auto lines = [](const std::vector<zvk::ListFailure>& all) {
            return zvk::ReceptionFailureMessage(all).split(QLatin1Char('\n'));
        };
        const QStringList twenty = lines(failures(20, Step::WritingList, "R"));
        QCOMPARE(twenty.size(), 21);
        QCOMPARE(twenty[20], QStringLiteral("R20.DAT: je to adresár, nie súbor"));

        std::vector<zvk::ListFailure> mixed = failures(21, Step::Converting, "K");
        for (zvk::ListFailure& received : failures(21, Step::WritingList, "R"))
            mixed.push_back(std::move(received));
        const QStringList both = lines(mixed);
        QCOMPARE(both.size(), 44);
        QCOMPARE(both[0], QStringLiteral("*** Tieto zoznamy neboli prijaté ***"));
        QCOMPARE(both[1], QStringLiteral("R1.DAT: je to adresár, nie súbor"));
        QCOMPARE(both[20], QStringLiteral("R20.DAT: je to adresár, nie súbor"));
        QCOMPARE(both[21], QStringLiteral("a ďalšie (1)"));
        QCOMPARE(both[22],
                 QStringLiteral("*** Tieto zoznamy boli prijaté, ale neboli konvertované ***"));
        QCOMPARE(both[42], QStringLiteral("K20.DAT: je to adresár, nie súbor"));
        QCOMPARE(both[43], QStringLiteral("a ďalšie (1)"));
    }

    // Each kind of doubtful date on a line of its own, its number in the Slovak form for
    // 1, for 2 to 4 and for 5 and more; over four lists the first three are named.
    void listsWhoseDatesDoNotDecideAreCountedInSlovak()
    {
        using zvk::DateDoubt;
        const auto lists = [](int count, DateDoubt doubt, bool inDocument) {
            std::vector<zvk::DoubtfulDate> made;
            for (int i = 1; i <= count; ++i)
                made.push_back({"L" + std::to_string(i) + ".DAT", doubt, inDocument});
            return made;
        };
        const struct
        {
            std::vector<zvk::DoubtfulDate> lists;
            QString said;
        } cases[] = {
            {{}, QString()},
            {lists(1, DateDoubt::NoDateRecord, true),
             QStringLiteral("Pozor: zoznam bez dátumu je v každom prehľade: L1.DAT")},
            {lists(2, DateDoubt::NoDateRecord, true),
             QStringLiteral("Pozor: 2 zoznamy bez dátumu sú v každom prehľade: L1.DAT, L2.DAT")},
            {lists(4, DateDoubt::ImpossibleDate, false),
             QStringLiteral("Pozor: 4 zoznamy s neplatným dátumom nie sú v tomto prehľade: "
                            "L1.DAT, L2.DAT, L3.DAT, L4.DAT")},
            {lists(5, DateDoubt::ImpossibleDate, false),
             QStringLiteral("Pozor: 5 zoznamov s neplatným dátumom nie je v tomto prehľade: "
                            "L1.DAT, L2.DAT, L3.DAT a 2 ďalšie")},
            {lists(1, DateDoubt::ImpossibleDate, true),
             QStringLiteral("Pozor: zoznam s neplatným dátumom je v tomto prehľade: L1.DAT")},
            {lists(1, DateDoubt::ImpossibleDate, false),
             QStringLiteral("Pozor: zoznam s neplatným dátumom nie je v tomto prehľade: L1.DAT")},
            {lists(1200, DateDoubt::NoDateRecord, true),
             QStringLiteral("Pozor: 1 200 zoznamov bez dátumu je v každom prehľade: "
                            "L1.DAT, L2.DAT, L3.DAT a 1 197 ďalších")},
        };
        // Thousands are grouped by the Slovak locale's space, a no-break one.
        for (const auto& [doubtful, said] : cases)
            QCOMPARE(zvk::DateDoubtText(doubtful)
                         .replace(QChar(0xA0), QLatin1Char(' '))
                         .replace(QChar(0x202F), QLatin1Char(' ')),
                     said);

        std::vector<zvk::DoubtfulDate> mixed = lists(1, DateDoubt::ImpossibleDate, true);
        mixed.push_back({"U.DAT", DateDoubt::NoDateRecord, true});
        mixed.push_back({"X.DAT", DateDoubt::ImpossibleDate, false});
        QCOMPARE(
            zvk::DateDoubtText(mixed).split(QLatin1Char('\n')),
            QStringList({QStringLiteral("Pozor: zoznam bez dátumu je v každom prehľade: U.DAT"),
                         QStringLiteral("Pozor: zoznam s neplatným dátumom nie je v tomto "
                                        "prehľade: X.DAT"),
                         QStringLiteral("Pozor: zoznam s neplatným dátumom je v tomto "
                                        "prehľade: L1.DAT")}));
    }

    void convertsWindows1250BothWays()
    {
        const QString text = QStringLiteral("Hlavička: Píla Ľubietová, Šťastný €");
        const std::string bytes = zvk::ToWindows1250(text);
        QCOMPARE(QByteArray::fromStdString(bytes),
                 QByteArray("Hlavi\xE8ka: P\xEDla \xBCubietov\xE1, \x8A\x9D"
                            "astn\xFD \x80"));
        QCOMPARE(zvk::FromWindows1250(bytes), text);
        QVERIFY(zvk::FitsWindows1250(text));
        QVERIFY(!zvk::FitsWindows1250(QStringLiteral("日本")));
        QVERIFY(!zvk::FitsWindows1250(QStringLiteral("ø")));
    }
};

QTEST_MAIN(UiHelpersTest)
#include "ui_helpers_test.moc"
