#include "gui/date_edit.h"

#include <optional>

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

namespace zvk {
namespace {

// The day that `typed` writes whole: "1.3.2026", "01.03.2026" or "01032026".
std::optional<QDate> WholeDate(const QString& typed)
{
    static const QRegularExpression kWritten(
        QStringLiteral(R"(^(?:(\d{1,2})\.(\d{1,2})\.|(\d{2})(\d{2}))(\d{4})$)"));
    const QRegularExpressionMatch match = kWritten.match(typed);
    if (!match.hasMatch())
        return std::nullopt;
    const bool dotted = match.capturedLength(1) > 0;
    const QDate date(match.captured(5).toInt(), match.captured(dotted ? 2 : 4).toInt(),
                     match.captured(dotted ? 1 : 3).toInt());
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

bool IsDateCharacter(const QString& text)
{
    return text.size() == 1 &&
           (text.front() == QLatin1Char('.') ||
            (text.front() >= QLatin1Char('0') && text.front() <= QLatin1Char('9')));
}

} // namespace

DateEdit::DateEdit(QWidget* parent) : QDateEdit(parent)
{
    lineEdit()->installEventFilter(this);
}

void DateEdit::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (!IsDateCharacter(text)) {
        m_typed.clear();
        m_movedOnByItself = false;
        QDateEdit::keyPressEvent(event);
        return;
    }
    // A date typed anew replaces the day first, whatever the cursor or the selection
    // held: a selection of the whole text or of the month would otherwise keep the day.
    if (m_typed.isEmpty()) {
        setSelectedSection(DaySection);
        m_movedOnByItself = false;
    }
    m_typed += text;
    const bool separator = text == QStringLiteral(".");
    if (separator && m_movedOnByItself) {
        m_movedOnByItself = false;
        event->accept();
    } else {
        const Section before = currentSection();
        QDateEdit::keyPressEvent(event);
        m_movedOnByItself = !separator && currentSection() != before;
    }
    // QDateEdit checks each section as it is typed, against the others as they still
    // are (31 under February): a whole date typed is taken as it is written.
    if (const std::optional<QDate> whole = WholeDate(m_typed))
        setDate(*whole);
}

void DateEdit::focusInEvent(QFocusEvent* event)
{
    m_typed.clear();
    QDateEdit::focusInEvent(event);
}

void DateEdit::mousePressEvent(QMouseEvent* event)
{
    m_typed.clear();
    QDateEdit::mousePressEvent(event);
}

bool DateEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress)
        m_typed.clear();
    return QDateEdit::eventFilter(watched, event);
}

} // namespace zvk
