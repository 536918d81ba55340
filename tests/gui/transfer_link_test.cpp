#include <algorithm>
#include <atomic>
#include <filesystem>
#include <future>
#include <optional>
#include <thread>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include "device/connection_software_fault.h"
#include "device/handheld_emulator.h"
#include "device/handheld_selection.h"
#include "gui/CTarnwickDlg.h"
#include "gui/control_ids.h"
#include "gui/file_dialog.h"
#include "gui/main_window_port.h"
#include "gui/message_box.h"
#include "support/desktop_session.h"
#include "support/file_bytes.h"
#include "support/manual_clock.h"
#include "support/small_disk.h"
#include "support/wire_handheld.h"

namespace fs = std::filesystem;

using namespace std::chrono_literals;

// How long a wait for the window may take, in milliseconds. Under Wine a slow moment of
// the machine (its first fonts, another program) holds the window up for seconds: the
// waits there are four times longer.
constexpr int Patience(int milliseconds)
{
#ifdef _WIN32
    return milliseconds * 4;
#else
    return milliseconds;
#endif
}

// Whether a claim of the handheld was had, neither busy nor failed.
bool Held(const zvk::Result<zvk::ClaimOutcome>& claim)
{
    return claim && !claim->IsBusy();
}

// The main window against the handheld emulator, as a user or a script drives it. The
// window and the handheld take their time from a clock the test moves on whenever only
// time can move the program on (a watchdog, an export poll, a delay).
class TransferLinkTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_session = std::make_unique<zvk::test::DesktopSession>();
        m_clock = std::make_unique<zvk::test::ManualClock>();
        m_handheld = m_session->Folder() / "handheld";
        m_lockedDuringMessage.clear();
    }

    void cleanup()
    {
        m_wire.reset();
        m_session.reset();
        m_clock.reset();
    }

    void receivesEveryListWithSlashR()
    {
        PrepareHandheld("[Emulator]\r\nExportDelayMs=10\r\n");
        ReceiveAsStartedWithSlashR();
        QCOMPARE(m_session->Messages(),
                 QStringList{QStringLiteral("Oznam Príjem bol úspešne ukončený.")});
        // While the worker waited for the message to be dismissed, the transfer
        // controls were locked and the reports stayed usable.
        QCOMPARE(m_lockedDuringMessage, QStringLiteral("1001 1116 1002 1000 1021 1017 1034 1035"));
        for (const auto& sample : fs::directory_iterator(zvk::SampleListsFolder(ZVK_SAMPLE_DIR))) {
            const fs::path received = m_session->Folder() / sample.path().filename();
            QVERIFY2(fs::exists(received), qPrintable(QString::fromStdString(received.string())));
            QCOMPARE(zvk::test::FileBytes(received), zvk::test::FileBytes(sample.path()));
        }
    }

    void receivesIntoAFolderThatDoesNotExistYet()
    {
        PrepareHandheld("[Emulator]\r\nExportDelayMs=10\r\n");
        const fs::path folder = m_session->Folder() / "prijate" / "2026";
        WriteSettings("Importpath=" + folder.string() + "\r\n");
        ReceiveAsStartedWithSlashR();
        QCOMPARE(m_session->Messages(),
                 QStringList{QStringLiteral("Oznam Príjem bol úspešne ukončený.")});
        QCOMPARE(zvk::test::FileBytes(folder / "LIST0001.DAT"),
                 zvk::test::FileBytes(zvk::SampleListsFolder(ZVK_SAMPLE_DIR) / "LIST0001.DAT"));
    }

    void semicolonTextThatRunsOutOfSpaceIsNamedWithItsReasonInSlovak()
    {
        const zvk::test::SmallDisk disk(4096); // room for the list, none for its text
        if (!disk.Mounted())
            QSKIP(disk.WhyNot().c_str());
        PrepareHandheld("[Emulator]\r\nExportDelayMs=10\r\n");
        for (const char* other : {"LIST0002.DAT", "LIST0003.DAT", "STARY001.DAT"})
            fs::remove(m_handheld / "ZVK_CE" / "Data" / other);
        WriteSettings("Importpath=" + disk.Path().string() + "\r\nKonvert=1\r\n");
        ReceiveAsStartedWithSlashR();
        QCOMPARE(m_session->Messages(),
                 QStringList{QStringLiteral(
                     "Chyba! *** Tieto zoznamy boli prijaté, ale neboli konvertované ***\n"
                     "LIST0001.DAT: na disku nie je miesto\n"
                     "*** Tieto zoznamy boli prijaté, ale zostali v prenosnom počítači ***\n"
                     "LIST0001.DAT: denník príjmov sa nedá zapísať (na disku nie je miesto), "
                     "príjem sa zastavil")});
        QCOMPARE(zvk::test::FileBytes(disk.Path() / "LIST0001.DAT"),
                 zvk::test::FileBytes(zvk::SampleListsFolder(ZVK_SAMPLE_DIR) / "LIST0001.DAT"));
        QVERIFY(!fs::exists(disk.Path() / "LIST0001.csv"));
    }

    void absentHandheldWarnsAfterTheWatchdogAndCloses()
    {
        PrepareHandheld("[Emulator]\r\nConnected=0\r\n");
        CTarnwickDlg window(Context(), {QStringLiteral("zvkpc")}, nullptr, *m_clock);
        RecordMessages(window);
        window.show();
        QTest::mouseClick(zvk::FindControl(&window, 1000), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(Idle() && !window.isVisible(), Patience(5000));
        QCOMPARE(m_clock->Now().time_since_epoch(), zvk::Clock::Duration(1s));
        QCOMPARE(m_session->Messages(),
                 QStringList{
                     QStringLiteral("Pozor! Pripojte počítač pomocou Microsoft ActiveSync a znova "
                                    "spustite prenosový program!")});
    }

    void firstArgumentKSendsTheConfigurationAfterOneSecond()
    {
        PrepareHandheld("");
        const fs::path configuration = m_session->Folder() / "ZVK.INI";
        zvk::test::WriteFileBytes(configuration, "[Firma]\r\nFirma1=Lesy\r\n");
        WriteSettings("Konfig=" + configuration.string() + "\r\n");
        CTarnwickDlg window(Context(), {QStringLiteral("zvkpc"), QStringLiteral("k")}, nullptr,
                            *m_clock);
        RecordMessages(window);
        window.show();
        m_clock->Advance(999ms);
        QTest::qWait(20);
        QVERIFY(m_session->Messages().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(Idle() && !window.isVisible(), Patience(5000));
        QCOMPARE(m_session->Messages(),
                 QStringList{QStringLiteral("Oznam Prenos bol úspešne ukončený.")});
        QCOMPARE(zvk::test::FileBytes(m_handheld / "ZVK_CE" / "ZVK.INI"),
                 zvk::test::FileBytes(configuration));
    }

    void argumentsThatAreNotExactStartNothing()
    {
        PrepareHandheld("[Emulator]\r\nExportDelayMs=10\r\n");
        for (const QString& argument : {QStringLiteral("/r"), QStringLiteral("K"),
                                        QStringLiteral("/R "), QStringLiteral("y")}) {
            CTarnwickDlg window(Context(), {QStringLiteral("zvkpc"), argument}, nullptr, *m_clock);
            RecordMessages(window);
            window.show();
            // Past the second after which a command line starts its transfer.
            m_clock->Advance(2s);
            QTest::qWait(20);
            QVERIFY2(window.isVisible(), qPrintable(argument));
            QVERIFY2(m_session->Messages().isEmpty(), qPrintable(argument));
            window.close();
        }
        QVERIFY(!fs::exists(m_session->Folder() / "LIST0001.DAT"));
    }

    void sendsTheChosenListToTheImportFolder()
    {
        PrepareHandheld("");
        const fs::path list = m_session->Folder() / "zoznamy" / "Zväzok 7.dat";
        fs::create_directories(list.parent_path());
        zvk::test::WriteFileBytes(list, "ADZvazok 7.dat      7ZVK_CE         V 3.10\r\n");
        zvk::SetOpenFileHandler([&](const QString&, const QString& filter) {
            return filter == QStringLiteral("Dátové súbory (*.dat)")
                       ? QString::fromStdString(list.string())
                       : QString();
        });
        CTarnwickDlg window(Context(), {QStringLiteral("zvkpc")}, nullptr, *m_clock);
        RecordMessages(window);
        window.show();
        QTest::mouseClick(zvk::FindControl(&window, 1002), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(m_session->Messages().size(), 1, Patience(5000));
        zvk::SetOpenFileHandler({});
        QCOMPARE(m_session->Messages()[0], QStringLiteral("Oznam Prenos bol úspešne ukončený."));
        QCOMPARE(m_lockedDuringMessage, QString());
        // The handheld program takes what arrived in its import folder into its own lists.
        const fs::path arrived = m_handheld / "ZVK_CE" / "Data" / "Zväzok 7.dat";
        QTRY_VERIFY_WITH_TIMEOUT(fs::exists(arrived), Patience(3000));
        QCOMPARE(zvk::test::FileBytes(arrived), zvk::test::FileBytes(list));
        QVERIFY(window.isVisible());
    }

    void closingDuringAReceptionStopsItAndKeepsTheLists()
    {
        PrepareHandheld("[Emulator]\r\nExportDelayMs=10\r\nExportMarker=0\r\n");
        CTarnwickDlg window(Context(), {QStringLiteral("zvkpc")}, nullptr, *m_clock);
        RecordMessages(window);
        window.show();
        QTest::mouseClick(zvk::FindControl(&window, 1001), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!zvk::FindControl(&window, 1035)->isEnabled(), Patience(3000));
        QElapsedTimer closing;
        closing.start();
        window.close();
        QVERIFY(closing.elapsed() < 3000);
        QVERIFY(!window.isVisible());
        QVERIFY(m_session->Messages().isEmpty());
        QVERIFY(!fs::exists(m_session->Folder() / "LIST0001.DAT"));
        QVERIFY(fs::exists(m_handheld / "ZVK_CE" / "Data" / "LIST0001.DAT"));
    }

    // A window minimised and restored while it receives keeps the buttons that start
    // transfers locked, so that no press goes unanswered, until the transfer has ended.
    void restoringTheWindowDuringATransferKeepsItLocked()
    {
        PrepareHandheld("[Emulator]\r\nExportDelayMs=10\r\n");
        CTarnwickDlg window(Context(), {QStringLiteral("zvkpc")}, nullptr, *m_clock);
        RecordMessages(window);
        window.show();
        QTest::mouseClick(zvk::FindControl(&window, 1001), Qt::LeftButton);
        // Held: the handheld's export waits for the clock, which only the test moves on.
        QTRY_VERIFY_WITH_TIMEOUT(!zvk::FindControl(&window, 1035)->isEnabled(), Patience(3000));
        window.showMinimized();
        QCoreApplication::processEvents();
        window.showNormal();
        QCoreApplication::processEvents();
        for (int id : {1001, 1002, 1000})
            QVERIFY2(!zvk::FindControl(&window, id)->isEnabled(), qPrintable(QString::number(id)));

        QTRY_VERIFY_WITH_TIMEOUT(Idle() && m_session->Messages().size() == 1, Patience(10000));
        QCOMPARE(m_session->Messages()[0], QStringLiteral("Oznam Príjem bol úspešne ukončený."));
        QTRY_VERIFY_WITH_TIMEOUT(zvk::FindControl(&window, 1035)->isEnabled(), Patience(3000));
        for (int id : {1001, 1002, 1000})
            QVERIFY2(zvk::FindControl(&window, id)->isEnabled(), qPrintable(QString::number(id)));
    }

    // Whatever the reception has come to when the window closes (it connects, the handheld
    // exports, lists arrive, the closing message is open), what the reception writes goes
    // into the receive folder it started with, and nothing anywhere else.
    void closingInAnyStageWritesNothingOutsideTheReceiveFolder_data()
    {
        QTest::addColumn<QString>("emulator");
        QTest::addColumn<QString>("closeWhen");
        QTest::newRow("connecting") << "ConnectDelayMs=20000"
                                    << "connecting";
        QTest::newRow("preparing export") << "ExportDelayMs=60000"
                                          << "Stav: Vytváranie súborov...";
        QTest::newRow("receiving") << "ExportDelayMs=10\r\nReadDelayMs=60000"
                                   << "Stav: Príjem dát...";
        QTest::newRow("closing message") << "ExportDelayMs=10"
                                         << "message";
    }

    void closingInAnyStageWritesNothingOutsideTheReceiveFolder()
    {
        QFETCH(QString, emulator);
        QFETCH(QString, closeWhen);
        PrepareHandheld("[Emulator]\r\n" + emulator.toStdString() + "\r\n");
        const fs::path receiveFolder = m_session->Folder() / "prijate";
        WriteSettings("Importpath=" + receiveFolder.string() + "\r\n");
        CTarnwickDlg window(Context(), {QStringLiteral("zvkpc")}, nullptr, *m_clock);
        zvk::SetMessageBoxHandler(
            [&](const QString&, const QString&, QMessageBox::Icon) { window.reject(); });
        window.show();
        QTest::mouseClick(zvk::FindControl(&window, 1001), Qt::LeftButton);
        if (closeWhen == QStringLiteral("connecting")) {
            QVERIFY(m_clock->AwaitWaiters(2)); // the watchdog and the handheld answering
            window.reject();
        } else if (closeWhen != QStringLiteral("message")) {
            const QWidget* status = zvk::FindControl(&window, 1030);
            QTRY_VERIFY_WITH_TIMEOUT(Idle() && status->property("text").toString() == closeWhen,
                                     Patience(5000));
            // The window waits for the handheld's call under way (a slow read) to end.
            m_clock->AdvanceWhile([&] { window.reject(); });
        }
        QTRY_VERIFY_WITH_TIMEOUT(Idle() && !window.isVisible(), Patience(10000));
        QCOMPARE(FilesOutside({m_handheld, receiveFolder}), QStringList{"ZVKServer.ini"});
    }

    void closingWhileConnectingGivesUpTheLink()
    {
        PrepareHandheld("[Emulator]\r\nConnectDelayMs=20000\r\n");
        CTarnwickDlg window(Context(), {QStringLiteral("zvkpc")}, nullptr, *m_clock);
        RecordMessages(window);
        window.show();
        QTest::mouseClick(zvk::FindControl(&window, 1001), Qt::LeftButton);
        QVERIFY(m_clock->AwaitWaiters(2)); // the watchdog and the handheld answering
        QElapsedTimer closing;
        closing.start();
        window.close();
        QVERIFY(closing.elapsed() < 3000);
        QVERIFY(m_session->Messages().isEmpty());
    }

    void busyHandheldIsRefusedAndTheWindowStaysOpen()
    {
        PrepareHandheld("[Emulator]\r\nExportDelayMs=10\r\n");
        // Another window, or zvk, is transferring with the same handheld.
        zvk::HandheldEmulator elsewhere(m_handheld);
        zvk::Result<zvk::ClaimOutcome> held = elsewhere.ClaimForTransfer();
        QVERIFY(Held(held));
        CTarnwickDlg window(Context(), {QStringLiteral("zvkpc")}, nullptr, *m_clock);
        RecordMessages(window);
        window.show();
        QTest::mouseClick(zvk::FindControl(&window, 1001), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(m_session->Messages().size(), 1, Patience(5000));
        QCOMPARE(m_session->Messages()[0],
                 QStringLiteral("Chyba! *** Prenosný počítač práve používa iný prenos ***"));
        QTRY_VERIFY_WITH_TIMEOUT(zvk::FindControl(&window, 1035)->isEnabled(), Patience(3000));
        for (int id : {1001, 1002, 1021, 1017, 1034})
            QVERIFY2(zvk::FindControl(&window, id)->isEnabled(), qPrintable(QString::number(id)));
        QVERIFY(window.isVisible());
        QVERIFY(!fs::exists(m_session->Folder() / "LIST0001.DAT"));

        // Once the other transfer has ended the window receives, and holds the handheld
        // only as long as its own transfer lasts. The refused attempt unlocks the controls
        // just before it ends: a press in between would be taken as one for it, and lost.
        QVERIFY(m_clock->AwaitNoActivity());
        held->Take().reset(); // the other transfer gives its claim back
        QTest::mouseClick(zvk::FindControl(&window, 1001), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(Idle() && m_session->Messages().size() == 2, Patience(10000));
        QCOMPARE(m_session->Messages()[1], QStringLiteral("Oznam Príjem bol úspešne ukončený."));
        QVERIFY(fs::exists(m_session->Folder() / "LIST0001.DAT"));
        const auto claimed = [&elsewhere] { return Held(elsewhere.ClaimForTransfer()); };
        QTRY_VERIFY_WITH_TIMEOUT(claimed(), Patience(3000));
        QVERIFY(window.isVisible());
    }

    void busyHandheldRefusesSlashRAndTheWindowCloses()
    {
        PrepareHandheld("[Emulator]\r\nExportDelayMs=10\r\n");
        zvk::HandheldEmulator elsewhere(m_handheld);
        const zvk::Result<zvk::ClaimOutcome> held = elsewhere.ClaimForTransfer();
        QVERIFY(Held(held));
        CTarnwickDlg window(Context(), {QStringLiteral("zvkpc"), QStringLiteral("/R")}, nullptr,
                            *m_clock);
        RecordMessages(window);
        window.show();
        QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), Patience(5000));
        QCOMPARE(m_session->Messages(),
                 QStringList{
                     QStringLiteral("Chyba! *** Prenosný počítač práve používa iný prenos ***")});
        QVERIFY(!fs::exists(m_session->Folder() / "LIST0001.DAT"));
    }

    // zvk says it in English; the window words the reason of the device connection
    // software's dll, whatever system it is.
    void missingConnectionSoftwareIsToldInSlovak()
    {
        CTarnwickDlg window(Context(), {QStringLiteral("zvkpc")}, nullptr, *m_clock);
        RecordMessages(window);
        MainWindowPort port(window);
        port.ReportUnavailable(
            zvk::Unavailable::Handheld,
            zvk::Failure{"the device connection software (rapi.dll) is not installed",
                         {"rapi.dll", zvk::ConnectionSoftwareFault::NotInstalled,
                          zvk::FileFailure::Access::Reading}});
        QCOMPARE(m_session->Messages(),
                 QStringList{QStringLiteral(
                     "Chyba! *** Prenosný počítač nie je k dispozícii ***\nrapi.dll: softvér na "
                     "pripojenie prenosného počítača nie je nainštalovaný (Windows Mobile Device "
                     "Center alebo Microsoft ActiveSync)")});
    }

    // A worker's notices return at once, before the window has shown them; its question
    // is answered only after the window has shown every notice made before it; closing
    // answers a question still waiting, showing nothing.
    void noticesDoNotWaitAndClosingEndsAQuestion()
    {
        CTarnwickDlg window(Context(), {QStringLiteral("zvkpc")}, nullptr, *m_clock);
        RecordMessages(window);
        window.show();
        MainWindowPort port(window);
        std::jthread([&] {
            port.EnableTransferControls(false);
            port.ShowStage(zvk::TransferStage::Receiving);
            port.ShowProgress(50, 200);
        }).join();
        QVERIFY(zvk::FindControl(&window, 1035)->isEnabled());

        std::atomic<bool> answered = false;
        std::jthread asking([&] {
            port.Report(zvk::TransferOutcome::Received);
            answered = true;
        });
        QTRY_VERIFY(answered);
        QCOMPARE(m_lockedDuringMessage, QStringLiteral("1001 1116 1002 1000 1021 1017 1034 1035"));
        QCOMPARE(zvk::FindControl(&window, 1030)->property("text").toString(),
                 QStringLiteral("Stav: Príjem dát..."));
        QCOMPARE(zvk::FindControl(&window, 1032)->property("text").toString(),
                 QStringLiteral("25%"));

        std::future<void> waiting =
            std::async(std::launch::async, [&] { port.Report(zvk::TransferOutcome::SendFailed); });
        // The window, busy elsewhere, has not answered yet.
        QCOMPARE(waiting.wait_for(50ms), std::future_status::timeout);
        port.Close();
        QCOMPARE(waiting.wait_for(5s), std::future_status::ready);
        QCoreApplication::processEvents();
        QCOMPARE(m_session->Messages(),
                 QStringList{QStringLiteral("Oznam Príjem bol úspešne ukončený.")});
    }

    // The window closes while the message box a worker asked for is open in its own event
    // loop: the worker, its question ended, goes on and its data are gone, and the box
    // still shows its own text to the end.
    void closingWhileAWorkersMessageBoxIsOpen()
    {
        CTarnwickDlg window(Context(), {QStringLiteral("zvkpc")}, nullptr, *m_clock);
        window.show();
        MainWindowPort port(window);
        std::jthread asking;
        QString shown;
        zvk::SetMessageBoxHandler(
            [&](const QString& text, const QString& caption, QMessageBox::Icon) {
                QEventLoop box;
                QTimer::singleShot(0, &box, [&] {
                    port.Close();
                    asking.join();
                    box.quit();
                });
                box.exec();
                shown = caption + " " + text;
            });
        asking = std::jthread([&port] { port.Report(zvk::TransferOutcome::Received); });
        QTRY_VERIFY(!shown.isEmpty());
        QCOMPARE(shown, QStringLiteral("Oznam Príjem bol úspešne ukončený."));
    }

private:
    void PrepareHandheld(const std::string& emulatorSettings)
    {
        QVERIFY(zvk::PrepareHandheldFolder(m_handheld, zvk::SampleListsFolder(ZVK_SAMPLE_DIR))
                    .has_value());
        if (!emulatorSettings.empty())
            zvk::test::WriteFileBytes(m_handheld / "emulator.ini", emulatorSettings);
    }

    // The program started with "/R": it receives at once and closes when done.
    void ReceiveAsStartedWithSlashR()
    {
        CTarnwickDlg window(Context(), {QStringLiteral("zvkpc"), QStringLiteral("/R")}, nullptr,
                            *m_clock);
        RecordMessages(window);
        window.show();
        QTRY_VERIFY_WITH_TIMEOUT(Idle() && !window.isVisible(), Patience(10000));
    }

    // Moves the time on when nothing else can move the program on; always true, so that
    // it can lead a condition that is being waited for.
    bool Idle()
    {
        m_clock->AdvanceIfIdle();
        return true;
    }

    // Every file and folder in the desktop's folder, but those in `kept`.
    QStringList FilesOutside(const std::vector<fs::path>& kept) const
    {
        QStringList found;
        for (auto it = fs::recursive_directory_iterator(m_session->Folder());
             it != fs::recursive_directory_iterator(); ++it) {
            if (std::find(kept.begin(), kept.end(), it->path()) != kept.end()) {
                it.disable_recursion_pending();
                continue;
            }
            found << QString::fromStdString(
                it->path().lexically_relative(m_session->Folder()).string());
        }
        return found;
    }

    // The window as main starts it in the desktop's folder, with ZVK_HANDHELD naming the
    // emulated handheld; over the wire, with ZVK_LINK naming a device emulator that serves
    // that folder.
    zvk::WindowContext Context()
    {
        zvk::WindowContext context = m_session->Context();
        if (!zvk::test::OverTheWire()) {
            context.handheldVariable = m_handheld;
            return context;
        }
        const zvk::Result<> prepared =
            zvk::PrepareHandheldFolder(m_handheld, zvk::SampleListsFolder(ZVK_SAMPLE_DIR));
        if (!prepared)
            qFatal("%s", prepared.error().detail.c_str());
        context.linkVariable = zvk::NamedLinkText(m_wire.emplace(m_handheld, *m_clock).Link());
        return context;
    }

    void WriteSettings(const std::string& keys)
    {
        zvk::test::WriteFileBytes(m_session->Folder() / "ZVKServer.ini",
                                  "[" + QCoreApplication::applicationName().toStdString() +
                                      "]\r\n" + keys);
    }

    void RecordMessages(const QWidget& window)
    {
        zvk::SetMessageBoxHandler([this, &window](const QString& text, const QString& caption,
                                                  QMessageBox::Icon) {
            m_session->Messages() << caption + " " + text;
            QStringList locked;
            for (int id : {1001, 1116, 1002, 1000, 1021, 1017, 1034, 1035, 1003, 1036, 1115, 1037})
                if (!zvk::FindControl(&window, id)->isEnabled())
                    locked << QString::number(id);
            m_lockedDuringMessage = locked.join(QLatin1Char(' '));
        });
    }

    std::unique_ptr<zvk::test::DesktopSession> m_session;
    std::unique_ptr<zvk::test::ManualClock> m_clock;
    fs::path m_handheld;
    std::optional<zvk::test::WireHandheld> m_wire;
    QString m_lockedDuringMessage;
};

QTEST_MAIN(TransferLinkTest)
#include "transfer_link_test.moc"
