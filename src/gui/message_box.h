#pragma once

#include <functional>

#include <QMessageBox>
#include <QString>

#include "gui/program_texts.h"

class QWidget;

namespace zvk {

// The program's message boxes: "Chyba!" for errors (information icon), "Oznam"
// for a completed transfer, "Pozor!" for warnings (error icon). Every dialog shows
// them through here, so that a test can answer them instead of a person.

void ShowMessageBox(QWidget* owner, const QString& text, const QString& caption,
                    QMessageBox::Icon icon);

// Replaces the modal box for tests; an empty handler brings the real box back.
using MessageBoxHandler =
    std::function<void(const QString& text, const QString& caption, QMessageBox::Icon icon)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

} // namespace zvk
