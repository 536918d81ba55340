#include <QCheckBox>
#include <QTest>

#include "gui/CTypDlg.h"
#include "gui/control_ids.h"
#include "support/desktop_session.h"
#include "support/modal_answers.h"

namespace {

QCheckBox* Box(const QWidget& dialog, int id)
{
    return qobject_cast<QCheckBox*>(zvk::FindControl(&dialog, id));
}

// Clicks the box where a user does, on its tick mark: the box itself is wider
// than its text.
void Tick(const QWidget& dialog, int id)
{
    QCheckBox* box = Box(dialog, id);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

// The three check boxes as "complete two-column sorted", 1 for ticked.
QString Ticks(const QWidget& dialog)
{
    QString ticks;
    for (int id : {1115, 1116, 1117})
        ticks += Box(dialog, id)->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    return ticks;
}

} // namespace

class TypeDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void opensWithTheCompleteListingAndTheSortedSummary()
    {
        CTypDlg dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Typ zostavy"));
        QCOMPARE(Box(dialog, 1115)->text(), QStringLiteral("Kompletná"));
        QCOMPARE(Box(dialog, 1116)->text(), QStringLiteral("Kompletná, 2 stĺpce"));
        QCOMPARE(Box(dialog, 1117)->text(), QStringLiteral("Triedenie"));
        QCOMPARE(Ticks(dialog), QStringLiteral("101"));
    }

    void atMostOneListingAndTheSummaryOnItsOwn()
    {
        CTypDlg dialog;
        dialog.show();
        Tick(dialog, 1116);
        QCOMPARE(Ticks(dialog), QStringLiteral("011"));
        Tick(dialog, 1117);
        QCOMPARE(Ticks(dialog), QStringLiteral("010"));
        // From the keyboard as well: Space ticks the box that has the focus.
        Box(dialog, 1115)->setFocus();
        QTest::keyClick(Box(dialog, 1115), Qt::Key_Space);
        QCOMPARE(Ticks(dialog), QStringLiteral("100"));
        Tick(dialog, 1115);
        QCOMPARE(Ticks(dialog), QStringLiteral("000"));
        const zvk::ReportOptions options = dialog.Options();
        QVERIFY(!options.completeListing && !options.twoColumnListing && !options.sortedSummary);
    }

    void okGivesTheChoiceAndCancelGivesNothing()
    {
        zvk::test::DesktopSession session;
        zvk::test::AnswerNextDialog([](QWidget* dialog) {
            Tick(*dialog, 1116);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        const std::optional<zvk::ReportOptions> chosen = CTypDlg::AskReportOptions(nullptr);
        QVERIFY(chosen.has_value());
        QVERIFY(!chosen->completeListing && chosen->twoColumnListing && chosen->sortedSummary);

        zvk::test::AnswerNextDialog([](QWidget* dialog) {
            Tick(*dialog, 1116);
            QTest::mouseClick(zvk::FindControl(dialog, 2), Qt::LeftButton);
        });
        QVERIFY(!CTypDlg::AskReportOptions(nullptr).has_value());
        // Every opening starts from the same choice.
        CTypDlg again;
        QCOMPARE(Ticks(again), QStringLiteral("101"));
    }
};

QTEST_MAIN(TypeDialogTest)
#include "type_dialog_test.moc"
