#pragma once

#include <mutex>
#include <optional>
#include <string>

#include "gui/window_call_queue.h"
#include "link/password_prompt.h"

class QWidget;

// The password of a handheld that wants it typed on the desktop, asked of the clerk in a
// dialog of the window. The link cannot wait for the clerk (the transfer's watchdog gives it
// a second): the first connection is refused and the dialog is shown meanwhile, and the
// next transfer the clerk starts tries what they typed. A password the handheld refused is
// forgotten and asked again.
class HandheldPasswordPrompt final : public zvk::PasswordPrompt
{
public:
    // Made on the window's thread; the dialog opens over `window`.
    explicit HandheldPasswordPrompt(QWidget* window);

    // Any thread.
    std::optional<std::u16string> Password(const zvk::wire::DeviceInfo& handheld,
                                           bool refused) override;

private:
    void Ask(const QString& handheldName, bool refused);

    QWidget* const m_window;
    WindowCallQueue m_calls;
    std::mutex m_mutex;
    std::optional<std::u16string> m_password;
    bool m_asking = false;
};
