#include <filesystem>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "gui/CDlgChooseFolder.h"
#include "gui/CTarnwickDlg.h"
#include "gui/control_ids.h"
#include "gui/file_dialog.h"
#include "gui/file_failure_text.h"
#include "gui/message_box.h"
#include "gui/paths.h"
#include "support/desktop_session.h"
#include "support/file_bytes.h"
#include "support/modal_answers.h"
#include "support/unreadable_file.h"

namespace fs = std::filesystem;

using zvk::test::AnswerNextDialog;
using zvk::test::AnswerNextDialogWith;

namespace {

QWidget* Control(const QWidget& window, int id)
{
    QWidget* control = zvk::FindControl(&window, id);
    Q_ASSERT(control != nullptr);
    return control;
}

QString Text(const QWidget& window, int id)
{
    return qobject_cast<QLabel*>(Control(window, id))->text();
}

void Click(const QWidget& window, int id)
{
    QTest::mouseClick(Control(window, id), Qt::LeftButton);
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_session = std::make_unique<zvk::test::DesktopSession>();
    }

    void cleanup()
    {
        m_session.reset();
    }

    void firstStartShowsTheWorkingFolderAndWritesNothing()
    {
        CTarnwickDlg window(m_session->Context());
        QCOMPARE(window.windowTitle(), QStringLiteral("ZVK PC V4.00"));
        QCOMPARE(Text(window, 1022), QDir::toNativeSeparators(m_session->FolderText()));
        QCOMPARE(Text(window, 1018), QDir::toNativeSeparators(m_session->FolderText()));
        QVERIFY(!qobject_cast<QCheckBox*>(Control(window, 1116))->isChecked());
        QCOMPARE(Text(window, 1030), QStringLiteral("Stav"));
        QCOMPARE(Text(window, 1032), QStringLiteral("100%"));
        QVERIFY(!fs::exists(m_session->Folder() / "ZVKServer.ini"));
    }

    void convertOptionIsStoredOnEveryClick()
    {
        const std::string section = "[" + QCoreApplication::applicationName().toStdString() + "]";
        zvk::test::WriteFileBytes(m_session->Folder() / "ZVKServer.ini",
                                  section + "\r\nKonvert=2\r\nImportpath=/data/prijem\r\n");
        CTarnwickDlg window(m_session->Context());
        QCOMPARE(Text(window, 1022), QDir::toNativeSeparators(QStringLiteral("/data/prijem")));
        auto* convert = qobject_cast<QCheckBox*>(Control(window, 1116));
        QVERIFY(!convert->isChecked());
        Click(window, 1116);
        QCOMPARE(zvk::test::FileBytes(m_session->Folder() / "ZVKServer.ini"),
                 section + "\r\nKonvert=1\r\nImportpath=/data/prijem\r\n");
        Click(window, 1116);
        QCOMPARE(zvk::test::FileBytes(m_session->Folder() / "ZVKServer.ini"),
                 section + "\r\nKonvert=0\r\nImportpath=/data/prijem\r\n");
    }

    // A setting that the settings file does not take is not shown as in force, and the
    // message names the file and why.
    void settingsThatCannotBeStoredAreNamedAndNotShown()
    {
        const std::string section = "[" + QCoreApplication::applicationName().toStdString() + "]";
        const std::string settings = section + "\r\nKonvert=0\r\n";
        const fs::path file = m_session->Folder() / "ZVKServer.ini";
        zvk::test::WriteFileBytes(file, settings);
        fs::permissions(file, fs::perms::owner_read);
        CTarnwickDlg window(m_session->Context());
        const QString receiveFolder = Text(window, 1022);
        const QString configuration = Text(window, 1018);
        zvk::SetOpenFileHandler([this](const QString&, const QString&) {
            return m_session->FolderText() + QStringLiteral("/ZVK.INI");
        });
        const QString pathNotStored = QStringLiteral("*** Cesta sa nedá uložiť do nastavení ***");
        const struct
        {
            int control;
            QString heading;
        } settingsChanges[] = {
            {1116, QStringLiteral("*** Voľba sa nedá uložiť do nastavení ***")},
            {1017, pathNotStored},
            {1021, pathNotStored},
        };
        for (const auto& change : settingsChanges) {
            m_session->Messages().clear();
            if (change.control == 1017)
                AnswerNextDialogWith(1); // the folder chooser's "OK"
            Click(window, change.control);
            QCOMPARE(m_session->Messages(),
                     QStringList{QStringLiteral("Chyba! %1\n%2: súbor je len na čítanie")
                                     .arg(change.heading, zvk::ToDisplayPath(file))});
        }
        QVERIFY(!qobject_cast<QCheckBox*>(Control(window, 1116))->isChecked());
        QCOMPARE(Text(window, 1022), receiveFolder);
        QCOMPARE(Text(window, 1018), configuration);
        QCOMPARE(zvk::test::FileBytes(file), settings);
    }

    void lockingKeepsReportsImportAndQuitUsable()
    {
        CTarnwickDlg window(m_session->Context());
        window.EnableTransferControls(false);
        for (int id : {1001, 1116, 1002, 1000, 1021, 1017, 1034, 1035})
            QVERIFY2(!Control(window, id)->isEnabled(), qPrintable(QString::number(id)));
        for (int id : {1003, 1036, 1115, 1037})
            QVERIFY2(Control(window, id)->isEnabled(), qPrintable(QString::number(id)));
        QCOMPARE(Text(window, 1032), QStringLiteral("0%"));
        window.EnableTransferControls(true);
        QVERIFY(Control(window, 1035)->isEnabled());
        QCOMPARE(Text(window, 1032), QString());
        QCOMPARE(Text(window, 1030), QStringLiteral("Stav:"));
    }

    void chosenConfigurationFileIsStoredAndMovesTheWorkingFolder()
    {
        QDir(m_session->FolderText()).mkdir(QStringLiteral("konfig"));
        const QString chosen = m_session->FolderText() + QStringLiteral("/konfig/ZVK.INI");
        zvk::test::WriteFileBytes(chosen.toStdString(), "");
        CTarnwickDlg window(m_session->Context());
        zvk::SetOpenFileHandler([&](const QString&, const QString& filter) {
            return filter == QStringLiteral("Konfiguračné súbory (*.ini)") ? chosen : QString();
        });
        Click(window, 1021);
        QCOMPARE(Text(window, 1018), QDir::toNativeSeparators(chosen));
        QCOMPARE(QDir::currentPath(), m_session->FolderText() + QStringLiteral("/konfig"));
        QVERIFY(zvk::test::FileBytes(m_session->Folder() / "ZVKServer.ini")
                    .find("Konfig=" + QDir::toNativeSeparators(chosen).toStdString()) !=
                std::string::npos);
    }

    void chosenReceiveFolderIsStoredAndShown()
    {
        CTarnwickDlg window(m_session->Context());
        const QString before = Text(window, 1022);
        AnswerNextDialogWith(2);
        Click(window, 1017);
        QCOMPARE(Text(window, 1022), before);
        QVERIFY(!fs::exists(m_session->Folder() / "ZVKServer.ini"));

        AnswerNextDialogWith(1);
        Click(window, 1017);
        const QString chosen = CDlgChooseFolder::CurrentPath();
        QVERIFY(!chosen.isEmpty());
        QCOMPARE(Text(window, 1022), chosen);
        QVERIFY(zvk::test::FileBytes(m_session->Folder() / "ZVKServer.ini")
                    .find("Importpath=" + chosen.toStdString()) != std::string::npos);
    }

    void editOpensTheConfigurationShownInTheWindow()
    {
        const std::string before = "[Firma]\r\nFirma1=Lesy Horehronie\r\n";
        zvk::test::WriteFileBytes(m_session->Folder() / "ZVK.INI", before);
        zvk::test::WriteFileBytes(m_session->Folder() / "ZVKServer.ini",
                                  "[" + QCoreApplication::applicationName().toStdString() +
                                      "]\r\nKonfig=" + (m_session->Folder() / "ZVK.INI").string() +
                                      "\r\n");
        CTarnwickDlg window(m_session->Context());
        QString shown;
        AnswerNextDialog([&shown](QWidget* dialog) {
            shown = dialog->windowTitle() + " " +
                    qobject_cast<QLineEdit*>(zvk::FindControl(dialog, 1033))->text();
            QTest::mouseClick(zvk::FindControl(dialog, 2), Qt::LeftButton);
        });
        Click(window, 1034);
        QCOMPARE(shown, QStringLiteral("Nastavenia Lesy Horehronie"));
        QCOMPARE(zvk::test::FileBytes(m_session->Folder() / "ZVK.INI"), before);
    }

    void reportsOpenOverTheWindowWithItsPaths()
    {
        zvk::test::WriteFileBytes(m_session->Folder() / "ZVK.INI",
                                  "[Hlavicka]\r\nRiadok2=Odberate\xBE\r\n");
        zvk::test::WriteFileBytes(m_session->Folder() / "ZVKServer.ini",
                                  "[" + QCoreApplication::applicationName().toStdString() +
                                      "]\r\nKonfig=" + (m_session->Folder() / "ZVK.INI").string() +
                                      "\r\n");
        CTarnwickDlg window(m_session->Context());
        window.EnableTransferControls(false);
        QString shown;
        AnswerNextDialog([&shown](QWidget* dialog) {
            shown = dialog->windowTitle() + " " +
                    qobject_cast<QComboBox*>(zvk::FindControl(dialog, 1117))->itemText(2);
            QTest::mouseClick(zvk::FindControl(dialog, 2), Qt::LeftButton);
        });
        Click(window, 1036);
        QCOMPARE(shown, QStringLiteral("Prehľady Odberateľ"));
        QVERIFY(m_session->Viewer().Shown().empty());
    }

    void consignmentNoteOfAChosenListGoesBesideIt()
    {
        const fs::path lists = m_session->Folder() / "prijem";
        fs::create_directory(lists);
        fs::copy_file(fs::path(ZVK_TEST_DATA_DIR) / "reports/note/NOTE.DAT", lists / "NOTE.DAT");
        zvk::test::WriteFileBytes(m_session->Folder() / "ZVKServer.ini",
                                  "[" + QCoreApplication::applicationName().toStdString() +
                                      "]\r\nImportpath=" + lists.string() + "\r\n");
        CTarnwickDlg window(m_session->Context());
        window.EnableTransferControls(false);
        QString initialFolder;
        QString filter;
        zvk::SetOpenFileHandler([&](const QString& folder, const QString& shownFilter) {
            initialFolder = folder;
            filter = shownFilter;
            return QString();
        });
        // Cancelled at the file dialog, then at the report type: nothing is written.
        Click(window, 1115);
        QCOMPARE(initialFolder, zvk::ToDisplayPath(lists));
        QCOMPARE(filter, QStringLiteral("DAT súbory (*.dat)"));
        zvk::SetOpenFileHandler(
            [&](const QString&, const QString&) { return zvk::ToDisplayPath(lists / "NOTE.DAT"); });
        AnswerNextDialogWith(2);
        Click(window, 1115);
        QCOMPARE(zvk::test::FileBytes(lists / "NOTE.DAT").empty(), false);
        QCOMPARE(std::distance(fs::directory_iterator(lists), fs::directory_iterator()), 1);
        QVERIFY(m_session->Viewer().Shown().empty());

        // The note is made on a thread of its own and shown when it is finished.
        AnswerNextDialogWith(1);
        Click(window, 1115);
        QTRY_COMPARE(m_session->Viewer().Shown().size(), std::size_t{1});
        QCOMPARE(m_session->Messages(), QStringList());
        const fs::path note = m_session->Viewer().Shown().front();
        // The file dialog moved the working folder to the list's, where the note goes.
        QCOMPARE(note.parent_path(), lists);
        QCOMPARE(note.extension(), fs::path(".rtf"));
        QVERIFY(zvk::test::FileBytes(note).find("Zoznam: NOTE.DAT") != std::string::npos);

        // A list that went away after it was chosen is named, and no note is left.
        const zvk::test::UnreadableFile bad(lists / "BAD.DAT");
        zvk::SetOpenFileHandler(
            [&](const QString&, const QString&) { return zvk::ToDisplayPath(lists / "BAD.DAT"); });
        AnswerNextDialogWith(1);
        Click(window, 1115);
        QTRY_COMPARE(m_session->Messages(),
                     QStringList{QStringLiteral("Chyba! *** Zoznam sa nedá prečítať ***\n%1: %2")
                                     .arg(zvk::ToDisplayPath(lists / "BAD.DAT"),
                                          zvk::SystemReasonText(bad.Reason()))});
        // With the icon of the program's "Chyba!" messages.
        QCOMPARE(m_session->Icons(), QList<QMessageBox::Icon>{QMessageBox::Information});
        QCOMPARE(m_session->Viewer().Shown().size(), std::size_t{1});
        QCOMPARE(std::distance(fs::directory_iterator(lists), fs::directory_iterator()), 3);
    }

    void textImportWritesTheListBesideTheText()
    {
        const fs::path text = m_session->Folder() / "LOG0612.txt";
        zvk::test::WriteFileBytes(text, "FmoR\n1\nSM\nI\n3\n4,5\n32\n0,36\n");
        CTarnwickDlg window(m_session->Context());
        QString initialFolder;
        zvk::SetOpenFileHandler([&](const QString& folder, const QString&) {
            initialFolder = folder;
            return QString::fromStdString(text.string());
        });
        Click(window, 1003);
        QCOMPARE(initialFolder, Text(window, 1022));
        QVERIFY(fs::exists(m_session->Folder() / "LOG0612.dat"));
        QVERIFY(m_session->Messages().isEmpty());

        fs::create_directory(m_session->Folder() / "LOG0612.dat.tmp");
        fs::remove(m_session->Folder() / "LOG0612.dat");
        fs::create_directory(m_session->Folder() / "LOG0612.dat");
        Click(window, 1003);
        QCOMPARE(m_session->Messages(),
                 QStringList{QStringLiteral("Chyba! Could not create file!\n%1: je to adresár, "
                                            "nie súbor")
                                 .arg(zvk::ToDisplayPath(m_session->Folder() / "LOG0612.dat"))});
    }

    void installationWarnsFirstAndRunsSetupFromTheWorkingFolder()
    {
        CTarnwickDlg window(m_session->Context());
        Click(window, 1035);
        QCOMPARE(m_session->Messages(),
                 (QStringList{QStringLiteral("Pozor! Ak je spustený program ZVK_CE na prenosnom "
                                             "počítači, ukočite ho!"),
                              QStringLiteral("Chyba! *** Chýba Setup.exe ***")}));
        QVERIFY(Control(window, 1035)->isEnabled());

        m_session->Messages().clear();
        fs::copy_file(ZVK_STAND_IN_SETUP, m_session->Folder() / "Setup.exe");
        Click(window, 1035);
        QCOMPARE(m_session->Messages().size(), 1);
        QVERIFY(fs::exists(m_session->Folder() / "installed"));
        QVERIFY(Control(window, 1035)->isEnabled());
    }

    // The window works in the folder main gave it, whatever the process's directory, until a
    // confirmed open-file dialog moves it to the chosen file's folder.
    void theWorkingFolderIsMainsUntilAFileDialogMovesIt()
    {
        const fs::path start = m_session->Folder() / "start";
        const fs::path chosen = m_session->Folder() / "konfig";
        for (const fs::path& folder : {start, chosen}) {
            fs::create_directory(folder);
            fs::copy_file(ZVK_STAND_IN_SETUP, folder / "Setup.exe");
        }
        zvk::test::WriteFileBytes(chosen / "ZVK.INI", "");
        zvk::WindowContext context = m_session->Context();
        context.workingFolder = start;
        CTarnwickDlg window(context);
        QCOMPARE(Text(window, 1022), zvk::ToDisplayPath(start));
        Click(window, 1035);
        QVERIFY(fs::exists(start / "installed"));
        QVERIFY(!fs::exists(m_session->Folder() / "installed"));

        zvk::SetOpenFileHandler(
            [&](const QString&, const QString&) { return zvk::ToDisplayPath(chosen / "ZVK.INI"); });
        Click(window, 1021);
        Click(window, 1035);
        QVERIFY(fs::exists(chosen / "installed"));
    }

private:
    std::unique_ptr<zvk::test::DesktopSession> m_session;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
