#include <filesystem>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "gui/CKonfigDlg.h"
#include "gui/control_ids.h"
#include "gui/message_box.h"
#include "gui/paths.h"
#include "support/desktop_session.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

QLineEdit* Edit(const QWidget& dialog, int id)
{
    return qobject_cast<QLineEdit*>(zvk::FindControl(&dialog, id));
}

// Types text as a keyboard would, including letters beyond Latin-1 that
// QTest::keyClicks cannot send.
void Type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

void Click(const QWidget& dialog, int id)
{
    QTest::mouseClick(zvk::FindControl(&dialog, id), Qt::LeftButton);
}

} // namespace

class KonfigDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_session = std::make_unique<zvk::test::DesktopSession>();
        m_file = m_session->Folder() / "ZVK.INI";
    }

    void cleanup()
    {
        m_session.reset();
    }

    void untouchedDialogWritesEveryKeyInOrder()
    {
        CKonfigDlg dialog(m_file);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Nastavenia"));
        Click(dialog, 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(zvk::test::FileBytes(m_file),
                 zvk::test::FileBytes(fs::path(ZVK_TEST_DATA_DIR) / "config/new.ini"));
    }

    void boxesHaveTheirIdsLabelsAndLimits()
    {
        CKonfigDlg dialog(m_file);
        QCOMPARE(Edit(dialog, 1033)->maxLength(), 40);
        QCOMPARE(Edit(dialog, 1034)->maxLength(), 80);
        QCOMPARE(Edit(dialog, 1035)->maxLength(), 80);
        const QList<int> captionIds = {1036, 1058, 1108, 1110, 1118};
        for (int id : captionIds)
            QCOMPARE(Edit(dialog, id)->maxLength(), 18);
        for (int id = 1059; id <= 1082; ++id)
            QCOMPARE(Edit(dialog, id)->maxLength(), 3);
        Edit(dialog, 1118)->setFocus();
        QTest::keyClicks(Edit(dialog, 1118), QString(25, QLatin1Char('x')));
        QCOMPARE(Edit(dialog, 1118)->text().size(), 18);
        // The label a user reads names the box for screen readers and tests alike.
        const auto labels = dialog.findChildren<QLabel*>();
        const auto caption29 = std::find_if(labels.begin(), labels.end(), [](QLabel* label) {
            return label->text() == QStringLiteral("Riadok 29:");
        });
        QVERIFY(caption29 != labels.end());
        QCOMPARE((*caption29)->buddy(), zvk::FindControl(&dialog, 1118));
    }

    void oneLetterQualityCodeKeepsItsBlanks()
    {
        {
            CKonfigDlg dialog(m_file);
            QTest::keyClicks(Edit(dialog, 1059), QStringLiteral("B"));
            Click(dialog, 1);
        }
        const std::string saved = zvk::test::FileBytes(m_file);
        QVERIFY(saved.find("Akost1=\"  B\"\r\n") != std::string::npos);
        CKonfigDlg again(m_file);
        QCOMPARE(Edit(again, 1059)->text(), QStringLiteral("  B"));
        Click(again, 1);
        QCOMPARE(zvk::test::FileBytes(m_file), saved);
    }

    void slovakLettersRoundTripAndForeignOnesCannotBeTyped()
    {
        {
            CKonfigDlg dialog(m_file);
            Type(Edit(dialog, 1033), QStringLiteral("Píla Ľubietová"));
            Type(Edit(dialog, 1036), QStringLiteral("Číslo 日本 dokladu"));
            Click(dialog, 1);
        }
        const std::string saved = zvk::test::FileBytes(m_file);
        QVERIFY(saved.find("Firma1=P\xEDla \xBCubietov\xE1\r\n") != std::string::npos);
        QVERIFY(saved.find("Riadok1=\xC8\xEDslo  dokladu\r\n") != std::string::npos);
        CKonfigDlg again(m_file);
        QCOMPARE(Edit(again, 1033)->text(), QStringLiteral("Píla Ľubietová"));
    }

    void sectionInOtherCaseIsUpdatedInPlace()
    {
        const std::string before = "; konfiguracia\r\n[FIRMA]\r\nFIRMA1=Stara\r\nIne=1\r\n\r\n"
                                   "[Ostatne]\r\nKluc=hodnota\r\n";
        zvk::test::WriteFileBytes(m_file, before);
        CKonfigDlg dialog(m_file);
        QCOMPARE(Edit(dialog, 1033)->text(), QStringLiteral("Stara"));
        Edit(dialog, 1033)->setText(QStringLiteral("Nova"));
        Click(dialog, 1);
        const std::string after = zvk::test::FileBytes(m_file);
        const std::string kept = "; konfiguracia\r\n[FIRMA]\r\nFirma1=Nova\r\nIne=1\r\n"
                                 "Firma2=\r\nFirma3=\r\n\r\n[Ostatne]\r\nKluc=hodnota\r\n";
        QCOMPARE(after.substr(0, kept.size()), kept);
        QVERIFY(after.find("[Hlavicka]\r\nRiadok1=\r\n") != std::string::npos);
    }

    void untouchedValuesAreWrittenBackByteForByte()
    {
        // 0x81 is no character of the code page; a value nobody edited keeps it.
        zvk::test::WriteFileBytes(m_file, "[Firma]\r\nFirma2=A\x81"
                                          "B\r\n");
        CKonfigDlg dialog(m_file);
        Click(dialog, 1);
        QVERIFY(zvk::test::FileBytes(m_file).find("Firma2=A\x81"
                                                  "B\r\n") != std::string::npos);

        // The sample configuration, quotes around blank-ended captions included.
        fs::remove(m_file);
        fs::copy_file(zvk::test::SampleConfiguration(), m_file);
        const std::string sample = zvk::test::FileBytes(m_file);
        CKonfigDlg untouched(m_file);
        Click(untouched, 1);
        QCOMPARE(zvk::test::FileBytes(m_file), sample);
        CKonfigDlg again(m_file);
        QCOMPARE(Edit(again, 1036)->text(), QStringLiteral("Lesná správa: "));
    }

    void cancelLeavesTheFileAsItWas()
    {
        const std::string before = "[Firma]\r\nFirma1=Lesy\r\n";
        zvk::test::WriteFileBytes(m_file, before);
        CKonfigDlg dialog(m_file);
        QTest::keyClicks(Edit(dialog, 1033), QStringLiteral(" a.s."));
        Click(dialog, 2);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(zvk::test::FileBytes(m_file), before);
    }

    void failedSaveKeepsTheDialogOpenWithTheEdits()
    {
        fs::create_directory(m_file);
        CKonfigDlg onFolder(m_file);
        onFolder.show();
        QTest::keyClicks(Edit(onFolder, 1033), QStringLiteral("Lesy"));
        Click(onFolder, 1);
        QVERIFY(onFolder.isVisible());
        QCOMPARE(Edit(onFolder, 1033)->text(), QStringLiteral("Lesy"));
        QCOMPARE(m_session->Messages(),
                 QStringList{QStringLiteral("Chyba! *** Konfiguračný súbor sa nepodarilo uložiť! "
                                            "***\n%1: je to adresár, nie súbor")
                                 .arg(zvk::ToDisplayPath(m_file))});

        const fs::path readOnly = m_file.parent_path() / "CITAJ.INI";
        zvk::test::WriteFileBytes(readOnly, "[Firma]\r\nFirma1=A\r\n");
        fs::permissions(readOnly, fs::perms::owner_read);
        CKonfigDlg onReadOnly(readOnly);
        onReadOnly.show();
        Click(onReadOnly, 1);
        QVERIFY(onReadOnly.isVisible());
        QCOMPARE(m_session->Messages().size(), 2);
        QCOMPARE(m_session->Messages()[1],
                 QStringLiteral("Chyba! *** Konfiguračný súbor sa nepodarilo uložiť! ***\n%1: "
                                "súbor je len na čítanie")
                     .arg(zvk::ToDisplayPath(readOnly)));
        QCOMPARE(zvk::test::FileBytes(readOnly), std::string("[Firma]\r\nFirma1=A\r\n"));
    }

private:
    std::unique_ptr<zvk::test::DesktopSession> m_session;
    fs::path m_file;
};

QTEST_MAIN(KonfigDialogTest)
#include "konfig_dialog_test.moc"
