#pragma once

#include <functional>

#include <QString>

class QWidget;

namespace zvk {

// The program's open-file dialog: an existing file of the filter, starting in
// `initialFolder`; the empty string when it was cancelled. A confirmed choice
// makes the chosen file's folder the process's working directory, which the programs
// the window starts (a document's viewer) inherit; the window moves its own working
// folder with it (CTarnwickDlg::AskOpenFile).
QString AskOpenFileName(QWidget* owner, const QString& initialFolder, const QString& filter);

// Replaces the dialog for tests (the handler returns the "chosen" file or an empty
// string); an empty handler brings the real dialog back.
using OpenFileHandler = std::function<QString(const QString& initialFolder, const QString& filter)>;
void SetOpenFileHandler(OpenFileHandler handler);

} // namespace zvk
