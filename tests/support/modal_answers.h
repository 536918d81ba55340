#pragma once

#include <functional>

class QWidget;

namespace zvk::test {

// Answers the modal dialog that opens next, as a user would, once it is shown:
// `answer` gets the dialog and must close it.
void AnswerNextDialog(std::function<void(QWidget* dialog)> answer);

// Presses the button of the given id in the modal dialog that opens next.
void AnswerNextDialogWith(int buttonId);

} // namespace zvk::test
