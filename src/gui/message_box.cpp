#include "gui/message_box.h"

namespace zvk {
namespace {

MessageBoxHandler& Handler()
{
    static MessageBoxHandler handler;
    return handler;
}

} // namespace

void ShowMessageBox(QWidget* owner, const QString& text, const QString& caption,
                    QMessageBox::Icon icon)
{
    if (Handler()) {
        Handler()(text, caption, icon);
        return;
    }
    QMessageBox box(icon, caption, text, QMessageBox::Ok, owner);
    box.exec();
}

void SetMessageBoxHandler(MessageBoxHandler handler)
{
    Handler() = std::move(handler);
}

} // namespace zvk
