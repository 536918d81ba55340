#pragma once

class QWidget;

namespace zvk {

// Every control of a dialog carries the numeric id by which the program and its
// users have always named it ("control 1001"), as the dynamic property "controlId".
inline constexpr const char* kControlIdProperty = "controlId";

void SetControlId(QWidget* control, int id);

// The control of `dialog` with that id, or nullptr. Dialogs opened over `dialog`
// are not searched, though they are its children.
QWidget* FindControl(const QWidget* dialog, int id);

} // namespace zvk
