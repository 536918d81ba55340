#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "ui/control_ids.h"
#include "ui/windows1250_text.h"

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
