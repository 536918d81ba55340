#include "gui/show_failure.h"

#include "gui/file_failure_text.h"
#include "gui/message_box.h"
#include "gui/program_texts.h"

namespace zvk {

void ShowFailure(QWidget* owner, const QString& heading, const Failure& failure)
{
    const QString what = failure.file.file.empty() ? QString::fromStdString(failure.detail)
                                                   : FileFailureLine(failure.file);
    ShowMessageBox(owner, heading + QLatin1Char('\n') + what, kErrorCaption,
                   QMessageBox::Information);
}

} // namespace zvk
