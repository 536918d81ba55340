#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "gui/CPrehladyDlg.h"
#include "gui/control_ids.h"
#include "gui/file_failure_text.h"
#include "gui/paths.h"
#include "reports/documents.h"
#include "support/desktop_session.h"
#include "support/file_bytes.h"
#include "support/modal_answers.h"
#include "support/slovak_collation.h"
#include "support/unreadable_file.h"

namespace fs = std::filesystem;

using zvk::test::AnswerNextDialogWith;
using zvk::test::FileBytes;
using zvk::test::WriteFileBytes;

namespace {

constexpr int kCaptionCombos[] = {1114, 1117, 1119, 1121, 1123};
constexpr int kValueCombos[] = {1116, 1118, 1120, 1122, 1124};
// Enough that a report over them takes several turns of the window's event loop, however fast
// the machine reads them.
constexpr int kManyLists = 10000;

QComboBox* Combo(const QWidget& dialog, int id)
{
    return qobject_cast<QComboBox*>(zvk::FindControl(&dialog, id));
}

QDateEdit* DateEdit(const QWidget& dialog, int id)
{
    return qobject_cast<QDateEdit*>(zvk::FindControl(&dialog, id));
}

// A header value as the lists hold it: 20 Windows-1250 bytes, padded with blanks.
std::string Value(std::string_view text)
{
    return std::string(text) + std::string(20 - text.size(), ' ');
}

std::string Pair(std::string_view code, std::string_view first, std::string_view second)
{
    return std::string(code) + Value(first) + Value(second) + "\r\n";
}

QStringList Entries(const QComboBox* combo)
{
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i).trimmed();
    return entries;
}

// Chooses the entry with exactly these list bytes, as a click in the list would.
void Choose(QComboBox* combo, const std::string& bytes)
{
    const int index = combo->findData(QByteArray::fromStdString(bytes));
    QVERIFY2(index >= 0, bytes.c_str());
    combo->setCurrentIndex(index);
}

// The documents of a folder, finished (".rtf") or not (a hidden ".NAME.<hex>-<hex>.tmp").
std::vector<fs::path> Documents(const fs::path& folder)
{
    std::vector<fs::path> documents;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".rtf" || entry.path().extension() == ".tmp")
            documents.push_back(entry.path());
    return documents;
}

QPushButton* ReportButton(const QWidget& dialog)
{
    return qobject_cast<QPushButton*>(zvk::FindControl(&dialog, 1113));
}

// The dialog reads the lists on a worker; its report button is locked until it is done.
bool WorkEnded(const QWidget& dialog)
{
    return QTest::qWaitFor([&] { return ReportButton(dialog)->isEnabled(); }, 60000);
}

} // namespace

class ReportDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_session = std::make_unique<zvk::test::DesktopSession>();
        m_lists = m_session->Folder() / "prijem";
        fs::create_directory(m_lists);
        m_config = m_session->Folder() / "ZVK.INI";
    }

    void cleanup()
    {
        m_session.reset();
    }

    void thirtyCaptionsWhateverTheConfigurationHolds()
    {
        for (const bool present : {false, true}) {
            if (present)
                WriteFileBytes(m_config, "[Hlavicka]\r\nRiadok1=Lesn\xE1 spr\xE1va\r\n"
                                         "Riadok2=Odberate\xBE a jeho pln\xE1 adresa\r\n"
                                         "Riadok29=Posledn\xFD\r\n");
            CPrehladyDlg dialog(m_config, m_lists, m_session->Context());
            for (int row = 0; row < 5; ++row) {
                const QComboBox* captions = Combo(dialog, kCaptionCombos[row]);
                QCOMPARE(captions->count(), 30);
                QCOMPARE(captions->currentIndex(), -1);
                QCOMPARE(captions->itemText(0), QString());
                QCOMPARE(Combo(dialog, kValueCombos[row])->count(), 0);
            }
            const QComboBox* row3 = Combo(dialog, 1119);
            QCOMPARE(row3->itemText(1), present ? QStringLiteral("Lesná správa") : QString());
            // A caption is cut to the 18 bytes the handheld shows.
            QCOMPARE(row3->itemText(2), present ? QStringLiteral("Odberateľ a jeho p") : QString());
            QCOMPARE(row3->itemText(29), present ? QStringLiteral("Posledný") : QString());
            QCOMPARE(row3->itemText(3), QString());
        }
    }

    void controlsCarryTheirIdsLabelsAndToday()
    {
        CPrehladyDlg dialog(m_config, m_lists, m_session->Context());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Prehľady"));
        for (int id : {1108, 1110}) {
            QCOMPARE(DateEdit(dialog, id)->date(), QDate::currentDate());
            QVERIFY(DateEdit(dialog, id)->calendarPopup());
            QCOMPARE(DateEdit(dialog, id)->displayFormat(), QStringLiteral("dd.MM.yyyy"));
        }
        QCOMPARE(qobject_cast<QLabel*>(zvk::FindControl(&dialog, 1109))->buddy(),
                 zvk::FindControl(&dialog, 1108));
        QCOMPARE(qobject_cast<QLabel*>(zvk::FindControl(&dialog, 1111))->buddy(),
                 zvk::FindControl(&dialog, 1110));
        QCOMPARE(Combo(dialog, 1123)->accessibleName(), QStringLiteral("Riadok 5 popis"));
        QCOMPARE(Combo(dialog, 1124)->accessibleName(), QStringLiteral("Riadok 5 hodnota"));
        auto* report = qobject_cast<QPushButton*>(zvk::FindControl(&dialog, 1113));
        QCOMPARE(report->text(), QStringLiteral("Prehľad"));
        QVERIFY(report->isDefault());
        QCOMPARE(qobject_cast<QPushButton*>(zvk::FindControl(&dialog, 2))->text(),
                 QStringLiteral("Zrušiť"));
        QVERIFY(zvk::FindControl(&dialog, 1112) != nullptr);
    }

    // A whole date typed into "Od:" or "Do:" is that date however the field was reached:
    // its text selected whole, a click into its month or past its year, the cursor moved
    // to its end; with the dots, without them and with one-digit day and month, also a
    // day the month the field showed does not have. What is typed starts at the day.
    void aDateTypedIntoAFieldIsThatDateWhereverTheCursorWas()
    {
        const struct
        {
            const char* way;
            std::function<void(QDateEdit*)> reach;
        } ways[] = {
            {"Ctrl+A",
             [](QDateEdit* edit) { QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier); }},
            {"click into the month",
             [](QDateEdit* edit) {
                 auto* text = edit->findChild<QLineEdit*>();
                 const int x = text->fontMetrics().horizontalAdvance(QStringLiteral("08.0"));
                 QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(x, text->height() / 2));
             }},
            {"click past the year",
             [](QDateEdit* edit) {
                 auto* text = edit->findChild<QLineEdit*>();
                 QTest::mouseClick(text, Qt::LeftButton, {},
                                   QPoint(text->width() - 2, text->height() / 2));
             }},
            {"End", [](QDateEdit* edit) { QTest::keyClick(edit, Qt::Key_End); }},
        };
        const struct
        {
            const char* typed;
            QDate date;
        } dates[] = {
            {"01.10.2026", QDate(2026, 10, 1)}, {"01102026", QDate(2026, 10, 1)},
            {"1.10.2026", QDate(2026, 10, 1)},  {"31.10.2026", QDate(2026, 10, 31)},
            {"15", QDate(2027, 2, 15)}, // a day alone, as it is typed
        };
        CPrehladyDlg dialog(m_config, m_lists, m_session->Context());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        for (const int id : {1108, 1110}) {
            QDateEdit* edit = DateEdit(dialog, id);
            for (const auto& [way, reach] : ways) {
                for (const auto& [typed, date] : dates) {
                    edit->setDate(QDate(2027, 2, 8));
                    edit->setFocus();
                    reach(edit);
                    QTest::keyClicks(edit, QString::fromLatin1(typed));
                    QVERIFY2(edit->date() == date,
                             qPrintable(QStringLiteral("%1, %2, %3: %4")
                                            .arg(id)
                                            .arg(way, typed, edit->date().toString())));
                }
            }
        }
        // The arrow keys still step the section the cursor is in.
        QDateEdit* from = DateEdit(dialog, 1108);
        from->setDate(QDate(2027, 2, 8));
        QTest::keyClick(from, Qt::Key_Home);
        QTest::keyClick(from, Qt::Key_Up);
        QCOMPARE(from->date(), QDate(2027, 2, 9));
        QCOMPARE(dialog.Selection().from.day, 9);
    }

    void choosingACaptionOffersEachTextOfTheListsOnce()
    {
        if (!zvk::test::SystemSortsSlovak())
            QSKIP("This system cannot order text by the Slovak rules");
        // Lists are read in name order; of texts equal but for letter case (Slovak
        // letters too) the first read is offered, with its own bytes and blanks.
        WriteFileBytes(m_lists / "A.DAT", Pair("0B", "cesta", "") + Pair("0B", "HRONEC", "") +
                                              Pair("0B",
                                                   "\x8A"
                                                   "ari\x9A",
                                                   ""));
        WriteFileBytes(m_lists / "B.DAT", Pair("0B", "Hronec", "") +
                                              Pair("0B", "\xC8ierny Balog", "") +
                                              Pair("0B",
                                                   "\x9A"
                                                   "ari\x9A",
                                                   "") +
                                              Pair("0B", "chata", "") + Pair("0B", "Zvolen", ""));
        WriteFileBytes(m_lists / "C.DAT", "2M     1SM\r\n" + Pair("0B", "Po polo\x9Eke", ""));
        CPrehladyDlg dialog(m_config, m_lists, m_session->Context());
        dialog.show();
        QComboBox* captions = Combo(dialog, 1114);
        QComboBox* values = Combo(dialog, 1116);
        captions->setFocus();
        // Down from no selection: the empty entry, then the captions 1 and 2.
        for (int press = 0; press < 3; ++press)
            QTest::keyClick(captions, Qt::Key_Down);
        QCOMPARE(captions->currentIndex(), 2);
        QVERIFY(WorkEnded(dialog));
        // In Slovak order: "č" after "c", "ch" after "h", "š" after "s".
        QCOMPARE(Entries(values),
                 (QStringList{QStringLiteral("cesta"), QStringLiteral("Čierny Balog"),
                              QStringLiteral("HRONEC"), QStringLiteral("chata"),
                              QStringLiteral("Šariš"), QStringLiteral("Zvolen")}));
        QCOMPARE(values->currentIndex(), -1);
        QCOMPARE(values->itemData(4).toByteArray(), QByteArray(Value("\x8A"
                                                                     "ari\x9A")
                                                                   .c_str()));
        QCOMPARE(values->itemData(0).toByteArray(), QByteArray(Value("cesta").c_str()));

        QTest::keyClick(captions, Qt::Key_Up);
        QTest::keyClick(captions, Qt::Key_Up);
        QCOMPARE(captions->currentIndex(), 0);
        QCOMPARE(values->count(), 0);
        QVERIFY(m_session->Messages().isEmpty());
    }

    void theLastRowOnAValueDecidesAndTheEmptyEntryIsNoCriterion()
    {
        WriteFileBytes(m_lists / "A.DAT", Pair("0B", "Zvolen", "") + Pair("0B", "Hronec", ""));
        CPrehladyDlg dialog(m_config, m_lists, m_session->Context());
        Combo(dialog, 1114)->setCurrentIndex(2);
        QVERIFY(WorkEnded(dialog));
        Choose(Combo(dialog, 1116), Value("Zvolen"));
        QCOMPARE(dialog.Selection().GetCriterionValue(2), Value("Zvolen"));
        Combo(dialog, 1123)->setCurrentIndex(2);
        QCOMPARE(dialog.Selection().GetCriterionValue(2), std::string());
        QVERIFY(WorkEnded(dialog));
        Choose(Combo(dialog, 1124), Value("Hronec"));
        QCOMPARE(dialog.Selection().GetCriterionValue(2), Value("Hronec"));
        Combo(dialog, 1123)->setCurrentIndex(0);
        QCOMPARE(Combo(dialog, 1124)->count(), 0);
        QCOMPARE(dialog.Selection().GetCriterionValue(2), Value("Zvolen"));
        QCOMPARE(dialog.Selection().rows[4].valueNumber, 0);
        QCOMPARE(dialog.Selection().rows[2].valueNumber, -1);
    }

    void aReportIsTheReportOfTheChosenSelection()
    {
        fs::copy(fs::path(ZVK_TEST_DATA_DIR) / "reports/lists", m_lists);
        fs::copy_file(fs::path(ZVK_TEST_DATA_DIR) / "reports/ZVK.INI", m_config);
        CPrehladyDlg dialog(m_config, m_lists, m_session->Context());
        dialog.show();
        DateEdit(dialog, 1108)->setDate(QDate(2026, 3, 1));
        DateEdit(dialog, 1110)->setDate(QDate(2026, 3, 31));
        Combo(dialog, 1114)->setCurrentIndex(1);
        QVERIFY(WorkEnded(dialog));
        Choose(Combo(dialog, 1116), Value("LS Brezno"));
        Combo(dialog, 1117)->setCurrentIndex(0);
        Combo(dialog, 1119)->setCurrentIndex(4);
        Combo(dialog, 1121)->setCurrentIndex(3);
        QVERIFY(WorkEnded(dialog));
        Choose(Combo(dialog, 1122), Value("DL-1"));

        AnswerNextDialogWith(1);
        QTest::mouseClick(zvk::FindControl(&dialog, 1113), Qt::LeftButton);
        QVERIFY(WorkEnded(dialog));
        QVERIFY(m_session->Messages().isEmpty());
        QCOMPARE(m_session->Viewer().Shown().size(), std::size_t{1});
        const fs::path made = m_session->Viewer().Shown().front();
        QCOMPARE(made.parent_path(), m_session->Folder());

        const zvk::ReportConfiguration configuration(m_config);
        const zvk::ReportSelection selection{{1, 3, 2026},
                                             {31, 3, 2026},
                                             {{1, configuration.Caption(1), Value("LS Brezno")},
                                              {0, "", ""},
                                              {4, configuration.Caption(4), ""},
                                              {3, configuration.Caption(3), Value("DL-1")},
                                              {-1, "", ""}}};
        const zvk::Result<fs::path> expected = zvk::MakeReport(
            selection, m_lists, {{}, m_config, {m_session->Folder() / "expected.out", {}}});
        QVERIFY(expected);
        QCOMPARE(FileBytes(made), FileBytes(*expected));

        // The dialog keeps its choices for the next report, which is a new document.
        AnswerNextDialogWith(1);
        QTest::keyClick(Combo(dialog, 1122), Qt::Key_Return);
        QVERIFY(WorkEnded(dialog));
        QCOMPARE(m_session->Viewer().Shown().size(), std::size_t{2});
        QVERIFY(m_session->Viewer().Shown().back() != made);
        QCOMPARE(FileBytes(m_session->Viewer().Shown().back()), FileBytes(made));
    }

    // The report is the same, but the lists whose dates did not decide are said under the
    // bar once it is made, and no longer once a report has none.
    void listsWhoseDatesDoNotDecideAreSaidUnderTheBar()
    {
        fs::copy(fs::path(ZVK_TEST_DATA_DIR) / "reports/lists", m_lists);
        WriteFileBytes(m_lists / "BEZ.DAT", "2M    101SMVy   I    3  4.00 28KO 0.25 0\r\n");
        WriteFileBytes(m_lists / "ZLY.DAT", "0A31.02.26\r\n");
        CPrehladyDlg dialog(m_config, m_lists, m_session->Context());
        dialog.show();
        const auto* said = dialog.findChild<QLabel*>(QStringLiteral("dateDoubts"));
        QVERIFY(said != nullptr);
        QVERIFY(said->isHidden());
        DateEdit(dialog, 1108)->setDate(QDate(2026, 3, 1));
        DateEdit(dialog, 1110)->setDate(QDate(2026, 3, 31));
        AnswerNextDialogWith(1);
        QTest::mouseClick(ReportButton(dialog), Qt::LeftButton);
        QVERIFY(WorkEnded(dialog));
        QCOMPARE(m_session->Viewer().Shown().size(), std::size_t{1});
        QVERIFY(!said->isHidden());
        QCOMPARE(said->text(),
                 QStringLiteral("Pozor: zoznam bez dátumu je v každom prehľade: BEZ.DAT\n"
                                "Pozor: zoznam s neplatným dátumom nie je v tomto prehľade: "
                                "ZLY.DAT"));

        fs::remove(m_lists / "BEZ.DAT");
        fs::remove(m_lists / "ZLY.DAT");
        AnswerNextDialogWith(1);
        QTest::mouseClick(ReportButton(dialog), Qt::LeftButton);
        QVERIFY(WorkEnded(dialog));
        QCOMPARE(m_session->Viewer().Shown().size(), std::size_t{2});
        QVERIFY(said->isHidden());
    }

    void aReportFromTheKeyboardAlone()
    {
        fs::copy(fs::path(ZVK_TEST_DATA_DIR) / "reports/lists", m_lists);
        CPrehladyDlg dialog(m_config, m_lists, m_session->Context());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("01.03.2026"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2.3.2026"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), zvk::FindControl(&dialog, 1114));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), zvk::FindControl(&dialog, 1116));
        QVERIFY(WorkEnded(dialog));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(Combo(dialog, 1116)->currentData().toByteArray(),
                 QByteArray(Value("LS Brezno").c_str()));
        zvk::test::AnswerNextDialog([](QWidget* type) { QTest::keyClick(type, Qt::Key_Return); });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(WorkEnded(dialog));
        QCOMPARE(m_session->Viewer().Shown().size(), std::size_t{1});
        // Only the list of 2 March passes: its items are listed, those of 3 March are not.
        const std::string report = FileBytes(m_session->Viewer().Shown().front());
        QVERIFY2(report.find("   01.03.2026 - 02.03.2026") != std::string::npos,
                 report.substr(0, 900).c_str());
        const zvk::ReportSelection selection{
            {1, 3, 2026},
            {2, 3, 2026},
            {{1, zvk::ReportConfiguration(m_config).Caption(1), Value("LS Brezno")}}};
        const zvk::Result<fs::path> expected = zvk::MakeReport(
            selection, m_lists, {{}, m_config, {m_session->Folder() / "expected.out", {}}});
        QCOMPARE(report, FileBytes(*expected));
    }

    void cancellingTheReportTypeWritesNothing()
    {
        fs::copy(fs::path(ZVK_TEST_DATA_DIR) / "reports/lists", m_lists);
        CPrehladyDlg dialog(m_config, m_lists, m_session->Context());
        AnswerNextDialogWith(2);
        QTest::mouseClick(zvk::FindControl(&dialog, 1113), Qt::LeftButton);
        QVERIFY(Documents(m_session->Folder()).empty());
        QVERIFY(m_session->Viewer().Shown().empty());
        QVERIFY(m_session->Messages().isEmpty());
    }

    void aListThatCannotBeReadIsNamedAndMakesNoDocument()
    {
        WriteFileBytes(m_lists / "GOOD.DAT", Pair("0B", "Zvolen", ""));
        const zvk::test::UnreadableFile bad(m_lists / "BAD.DAT");
        CPrehladyDlg dialog(m_config, m_lists, m_session->Context());
        Combo(dialog, 1114)->setCurrentIndex(2);
        QVERIFY(WorkEnded(dialog));
        QCOMPARE(Entries(Combo(dialog, 1116)), QStringList{QStringLiteral("Zvolen")});
        const QString named =
            QStringLiteral("Chyba! *** Zoznam sa nedá prečítať ***\n%1: %2")
                .arg(zvk::ToDisplayPath(m_lists / "BAD.DAT"), zvk::SystemReasonText(bad.Reason()));
        QCOMPARE(m_session->Messages(), QStringList{named});

        AnswerNextDialogWith(1);
        QTest::mouseClick(zvk::FindControl(&dialog, 1113), Qt::LeftButton);
        QVERIFY(WorkEnded(dialog));
        QCOMPARE(m_session->Messages(), (QStringList{named, named}));
        QVERIFY(Documents(m_session->Folder()).empty());
        QVERIFY(m_session->Viewer().Shown().empty());
    }

    void aMissingReceiveFolderIsNamedAndMakesNoDocument()
    {
        CPrehladyDlg dialog(m_config, m_lists / "gone", m_session->Context());
        AnswerNextDialogWith(1);
        QTest::mouseClick(zvk::FindControl(&dialog, 1113), Qt::LeftButton);
        QVERIFY(WorkEnded(dialog));
        QCOMPARE(m_session->Messages(),
                 QStringList{QStringLiteral("Chyba! *** Adresár so zoznamami sa nedá prečítať "
                                            "***\n%1: neexistuje")
                                 .arg(zvk::ToDisplayPath(m_lists / "gone"))});
        QVERIFY(Documents(m_session->Folder()).empty());
        QVERIFY(m_session->Viewer().Shown().empty());
    }

    // The window keeps answering while a report reads thousands of lists: its timers
    // fire, the bar and the count move, and the report button stays locked until the
    // one report is made.
    void aReportOverManyListsLeavesTheWindowAnswering()
    {
        const std::unique_ptr<CPrehladyDlg> shown = DialogOverManyLists();
        CPrehladyDlg& dialog = *shown;
        auto* bar = dialog.findChild<QProgressBar*>(QStringLiteral("workProgress"));
        auto* status = dialog.findChild<QLabel*>(QStringLiteral("workStatus"));
        QVERIFY(bar != nullptr && status != nullptr);
        int ticks = 0;
        QList<int> values;
        QString statusSeen;
        QTimer tick;
        connect(&tick, &QTimer::timeout, [&] {
            ++ticks;
            if (ReportButton(dialog)->isEnabled())
                return;
            if (values.isEmpty() || values.back() != bar->value())
                values << bar->value();
            statusSeen = status->text();
        });
        tick.start(5);
        AnswerNextDialogWith(1);
        QTest::mouseClick(ReportButton(dialog), Qt::LeftButton);
        QVERIFY(!ReportButton(dialog)->isEnabled());
        QVERIFY(WorkEnded(dialog));
        QVERIFY2(ticks >= 3, qPrintable(QString::number(ticks)));
        QVERIFY2(values.size() >= 2 && std::is_sorted(values.begin(), values.end()),
                 qPrintable(QString::number(values.size())));
        const QString total = QLocale(QLocale::Slovak, QLocale::Slovakia).toString(kManyLists);
        QVERIFY2(statusSeen.startsWith(QStringLiteral("Čítajú sa zoznamy: ")) &&
                     statusSeen.endsWith(QStringLiteral(" z ") + total),
                 qPrintable(statusSeen));
        QCOMPARE(m_session->Viewer().Shown().size(), std::size_t{1});
        QVERIFY(m_session->Messages().isEmpty());
        QCOMPARE(Documents(m_session->Folder()).size(), std::size_t{1});
        QCOMPARE(status->text(), QString());
    }

    // "Zrušiť" during a report stops it and closes the dialog: no document, finished or
    // not, is left, and none is shown.
    void zrusitDuringAReportLeavesNoDocument()
    {
        const std::unique_ptr<CPrehladyDlg> shown = DialogOverManyLists();
        CPrehladyDlg& dialog = *shown;
        auto* bar = dialog.findChild<QProgressBar*>(QStringLiteral("workProgress"));
        // Pressed as soon as the bar first moves, while most lists are still to be read.
        bool pressedDuringTheReport = false;
        connect(bar, &QProgressBar::valueChanged, &dialog, [&](int value) {
            if (value <= 0 || dialog.isHidden())
                return;
            pressedDuringTheReport = !ReportButton(dialog)->isEnabled();
            QTest::mouseClick(zvk::FindControl(&dialog, 2), Qt::LeftButton);
        });
        AnswerNextDialogWith(1);
        QTest::mouseClick(ReportButton(dialog), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return dialog.isHidden(); }, 60000));
        QVERIFY(pressedDuringTheReport);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QTest::qWait(50);
        QVERIFY(Documents(m_session->Folder()).empty());
        QVERIFY(m_session->Viewer().Shown().empty());
        QVERIFY(m_session->Messages().isEmpty());
    }

    // The window had no turn between the report's end and the press: the finished
    // document is shown all the same, not left unopened.
    void zrusitJustAfterTheReportFinishedStillShowsIt()
    {
        fs::copy_file(fs::path(ZVK_TEST_DATA_DIR) / "reports/lists/EVEN.DAT", m_lists / "EVEN.DAT");
        CPrehladyDlg dialog(m_config, m_lists, m_session->Context());
        dialog.show();
        DateEdit(dialog, 1108)->setDate(QDate(2026, 3, 1));
        DateEdit(dialog, 1110)->setDate(QDate(2026, 3, 31));
        AnswerNextDialogWith(1);
        QTest::mouseClick(ReportButton(dialog), Qt::LeftButton);
        const auto finished = [&] {
            const std::vector<fs::path> documents = Documents(m_session->Folder());
            return documents.size() == 1 && documents.front().extension() == ".rtf";
        };
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!finished() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        QVERIFY(finished());
        dialog.reject(); // what "Zrušiť" does, before the window ran its queued calls
        QCOMPARE(m_session->Viewer().Shown(), Documents(m_session->Folder()));
        QVERIFY(m_session->Messages().isEmpty());
    }

private:
    // Shown over a receive folder of thousands of lists, each a further name of one list
    // of March 2026, and chosen to report on all of them.
    std::unique_ptr<CPrehladyDlg> DialogOverManyLists()
    {
        const fs::path list = fs::path(ZVK_TEST_DATA_DIR) / "reports/lists/EVEN.DAT";
        for (int i = 0; i < kManyLists; ++i)
            fs::create_hard_link(list, m_lists / QString::asprintf("L%05d.DAT", i).toStdString());
        auto dialog = std::make_unique<CPrehladyDlg>(m_config, m_lists, m_session->Context());
        dialog->show();
        DateEdit(*dialog, 1108)->setDate(QDate(2026, 3, 1));
        DateEdit(*dialog, 1110)->setDate(QDate(2026, 3, 31));
        return dialog;
    }

    std::unique_ptr<zvk::test::DesktopSession> m_session;
    fs::path m_lists;
    fs::path m_config;
};

QTEST_MAIN(ReportDialogTest)
#include "report_dialog_test.moc"
