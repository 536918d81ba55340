#include "gui/handheld_password_prompt.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QWidget>

#include "wire/password_words.h"

HandheldPasswordPrompt::HandheldPasswordPrompt(QWidget* window) : m_window(window) {}

std::optional<std::u16string>
HandheldPasswordPrompt::Password(const zvk::wire::DeviceInfo& handheld, bool refused)
{
    const std::lock_guard lock(m_mutex);
    if (refused)
        m_password.reset();
    if (m_password)
        return m_password;
    if (!m_asking) {
        m_asking = true;
        m_calls.Post([this, name = QString::fromStdU16String(handheld.name), refused] {
            Ask(name, refused);
        });
    }
    return std::nullopt;
}

void HandheldPasswordPrompt::Ask(const QString& handheldName, bool refused)
{
    const QString text = (refused ? QStringLiteral("Zariadenie %1 heslo neprijalo.\n")
                                  : QStringLiteral("Zariadenie %1 je chránené heslom.\n"))
                             .arg(handheldName) +
                         QStringLiteral("Zadajte jeho heslo a prenos spustite znova:");
    QInputDialog dialog(m_window);
    dialog.setObjectName(QStringLiteral("handheldPasswordDialog"));
    dialog.setWindowTitle(QStringLiteral("Heslo zariadenia"));
    dialog.setLabelText(text);
    dialog.setTextEchoMode(QLineEdit::Password);
    if (auto* edit = dialog.findChild<QLineEdit*>())
        edit->setMaxLength(static_cast<int>(zvk::wire::kMaxPasswordChars));
    const bool typed = dialog.exec() == QDialog::Accepted;
    const std::lock_guard lock(m_mutex);
    if (typed)
        m_password = dialog.textValue().toStdU16String();
    m_asking = false;
}
