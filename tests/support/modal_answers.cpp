#include "support/modal_answers.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "gui/control_ids.h"

namespace zvk::test {

void AnswerNextDialog(std::function<void(QWidget* dialog)> answer)
{
    QTimer::singleShot(0, [answer = std::move(answer)] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog != nullptr);
        answer(dialog);
    });
}

void AnswerNextDialogWith(int buttonId)
{
    AnswerNextDialog([buttonId](QWidget* dialog) {
        QWidget* button = FindControl(dialog, buttonId);
        QVERIFY(button != nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    });
}

} // namespace zvk::test
