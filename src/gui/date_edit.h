#pragma once

#include <QDateEdit>
#include <QString>

namespace zvk {

// A date field that takes a date typed as it is written, "01.03.2026", "1.3.2026" or
// "01032026", wherever the cursor was and whatever was selected: a date typed anew
// starts at the day, and a whole date typed is that date. The field moves on to the
// month by itself after "01", so the dot that follows is the one already passed over,
// not a step to the year. The arrow keys and the calendar work as QDateEdit's.
class DateEdit : public QDateEdit
{
    Q_OBJECT

public:
    explicit DateEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // A click into the text goes to the field's line edit: it ends the date being typed too.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Digits and dots typed since the last other key, click or focus: the date being typed.
    QString m_typed;
    bool m_movedOnByItself = false;
};

} // namespace zvk
