#include "gui/main_window_port.h"

#include <QApplication>
#include <QMetaObject>
#include <QThread>

#include "gui/CTarnwickDlg.h"
#include "gui/file_dialog.h"
#include "gui/message_box.h"
#include "gui/paths.h"
#include "gui/reception_failure_text.h"
#include "gui/transfer_link.h"

namespace {

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

MainWindowPort::MainWindowPort(CTarnwickDlg& window, TransferLink& link)
    : m_window(window), m_link(link)
{}

template <typename Call> auto MainWindowPort::OnWindow(Call call)
{
    if (QThread::currentThread() == m_window.thread())
        return call();
    using Result = decltype(call());
    if constexpr (std::is_void_v<Result>) {
        QMetaObject::invokeMethod(&m_window, call, Qt::BlockingQueuedConnection);
    } else {
        Result result{};
        QMetaObject::invokeMethod(
            &m_window, [&] { result = call(); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

void MainWindowPort::ShowStatus(std::string_view text)
{
    OnWindow([&] { m_window.ShowStatus(FromUtf8(text)); });
}

void MainWindowPort::ShowProgress(std::uint64_t done, std::uint64_t total)
{
    if (const std::optional<unsigned> percent = m_progress.Change(done, total))
        OnWindow([&] { m_window.ShowProgress(*percent); });
}

void MainWindowPort::EnableTransferControls(bool enable)
{
    OnWindow([&] { m_window.EnableTransferControls(enable); });
    m_progress.Shown(enable ? std::nullopt : std::optional<unsigned>(0));
}

void MainWindowPort::ShowMessage(std::string_view text, std::string_view caption,
                                 zvk::MessageIcon icon)
{
    ShowBox(FromUtf8(text), FromUtf8(caption),
            icon == zvk::MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information);
}

void MainWindowPort::ShowReceptionFailures(const std::vector<zvk::ListFailure>& failures)
{
    ShowBox(zvk::ReceptionFailureMessage(failures), zvk::kErrorCaption, QMessageBox::Information);
}

void MainWindowPort::ShowBox(const QString& text, const QString& caption, QMessageBox::Icon icon)
{
    OnWindow([&] {
        if (!m_link.IsClosing())
            zvk::ShowMessageBox(&m_window, text, caption, icon);
    });
}

void MainWindowPort::SetCursor(zvk::Cursor cursor)
{
    OnWindow([&] {
        if (cursor == zvk::Cursor::Wait)
            m_window.setCursor(Qt::WaitCursor);
        else
            m_window.unsetCursor();
    });
}

std::optional<std::filesystem::path>
MainWindowPort::AskListToSend(const std::filesystem::path& initialFolder)
{
    return OnWindow([&]() -> std::optional<std::filesystem::path> {
        if (m_link.IsClosing())
            return std::nullopt;
        const QString chosen = zvk::AskOpenFileName(&m_window, zvk::ToDisplayPath(initialFolder),
                                                    QStringLiteral("Dátové súbory (*.dat)"));
        if (chosen.isEmpty())
            return std::nullopt;
        return zvk::ToFilePath(chosen);
    });
}

std::filesystem::path MainWindowPort::ReceiveFolder()
{
    return OnWindow([&] { return zvk::ToFilePath(m_window.ReceiveFolderText()); });
}

std::filesystem::path MainWindowPort::ConfigurationPath()
{
    return OnWindow([&] { return zvk::ToFilePath(m_window.ConfigurationPathText()); });
}

bool MainWindowPort::LinkFlag()
{
    return OnWindow([&] { return m_link.LinkFlag(); });
}

void MainWindowPort::LinkResult(bool connected)
{
    OnWindow([&] { m_link.LinkResult(connected); });
}

void MainWindowPort::StartLinkWatchdog()
{
    OnWindow([&] { m_link.StartWatchdog(); });
}

bool MainWindowPort::StopLinkWatchdog()
{
    return OnWindow([&] { return m_link.StopWatchdog(); });
}

bool MainWindowPort::HasCommandLineArguments()
{
    return OnWindow([&] { return m_link.HasCommandLineArguments(); });
}

void MainWindowPort::RequestClose()
{
    // Queued, not waited for: closing waits for this very worker to end.
    QMetaObject::invokeMethod(&m_window, &QDialog::reject, Qt::QueuedConnection);
}
