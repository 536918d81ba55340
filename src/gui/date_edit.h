#pragma once

#include <QDateEdit>

namespace zvk {

// A date field that takes a date typed as it is written, "01.03.2026": the field
// moves on to the month by itself after "01", so the dot that follows is the one
// already passed over, not a step to the year.
class DateEdit : public QDateEdit
{
    Q_OBJECT

public:
    explicit DateEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_movedOnByItself = false;
};

} // namespace zvk
