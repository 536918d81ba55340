#include "gui/date_edit.h"

#include <QKeyEvent>

namespace zvk {

DateEdit::DateEdit(QWidget* parent) : QDateEdit(parent) {}

void DateEdit::keyPressEvent(QKeyEvent* event)
{
    const bool separator = event->text() == QStringLiteral(".");
    if (separator && m_movedOnByItself) {
        m_movedOnByItself = false;
        event->accept();
        return;
    }
    const Section before = currentSection();
    QDateEdit::keyPressEvent(event);
    m_movedOnByItself = !separator && !event->text().isEmpty() && event->text().front().isDigit() &&
                        currentSection() != before;
}

} // namespace zvk
