#include "gui/main_window_port.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <type_traits>

#include <QThread>

#include "gui/CTarnwickDlg.h"
#include "gui/file_dialog.h"
#include "gui/message_box.h"
#include "gui/paths.h"
#include "gui/program_texts.h"
#include "gui/reception_failure_text.h"
#include "gui/show_failure.h"

namespace {

// One question to the window's thread, owned jointly by the worker that asks it and by the
// call queued to answer it, so that either may end first: the window may close (Close) while
// the call runs in a message box's own event loop, and the worker then goes on without its
// answer. The call is held here by value with everything it carries, so that a call that
// runs after the worker stopped waiting touches nothing of the worker's.
template <typename Call> struct Question
{
    using Result = std::invoke_result_t<Call&>;

    explicit Question(Call asked) : call(std::move(asked)) {}

    Call call;
    std::mutex mutex;
    std::condition_variable_any given;
    std::optional<Result> answer;
};

} // namespace

MainWindowPort::MainWindowPort(CTarnwickDlg& window) : m_window(window) {}

void MainWindowPort::Close()
{
    m_closing.request_stop();
}

template <typename Call> void MainWindowPort::Notify(Call call)
{
    if (QThread::currentThread() == m_window.thread())
        call();
    else
        m_calls.Post(std::move(call));
}

template <typename Call> auto MainWindowPort::Ask(Call call) -> decltype(call())
{
    using Result = decltype(call());
    const std::stop_token closing = m_closing.get_token();
    if (QThread::currentThread() == m_window.thread())
        return closing.stop_requested() ? Result{} : call();
    const auto question = std::make_shared<Question<Call>>(std::move(call));
    m_calls.Post([question, closing] {
        Result answer = closing.stop_requested() ? Result{} : question->call();
        {
            const std::lock_guard lock(question->mutex);
            question->answer = std::move(answer);
        }
        question->given.notify_all();
    });
    std::unique_lock lock(question->mutex);
    question->given.wait(lock, closing, [&question] { return question->answer.has_value(); });
    return std::move(question->answer).value_or(Result{});
}

void MainWindowPort::ShowStage(zvk::TransferStage stage)
{
    Notify([this, stage] {
        m_window.ShowStatus(zvk::StageStatus(stage));
        m_window.setCursor(Qt::WaitCursor);
    });
}

void MainWindowPort::ShowProgress(std::uint64_t done, std::uint64_t total)
{
    if (const std::optional<unsigned> percent = m_progress.Change(done, total))
        Notify([this, shown = *percent] { m_window.ShowProgress(shown); });
}

void MainWindowPort::EnableTransferControls(bool enable)
{
    Notify([this, enable] {
        if (enable)
            m_window.unsetCursor();
        m_window.EnableTransferControls(enable);
    });
    m_progress.Shown(enable ? std::nullopt : std::optional<unsigned>(0));
}

void MainWindowPort::LinkReady()
{
    Notify([this] { m_window.EnableLinkButtons(true); });
}

void MainWindowPort::LinkResult(bool connected)
{
    Notify([this, connected] { m_window.EnableConnectionButtons(connected); });
}

void MainWindowPort::RequestClose()
{
    // Always queued: closing waits for the worker that asks for it to end.
    m_calls.Post([this] { m_window.reject(); });
}

void MainWindowPort::Report(zvk::TransferOutcome outcome)
{
    ShowBox(zvk::TransferOutcomeMessage(outcome));
}

// A failure about a file (the device connection software's dll, the handheld's lock, the
// file to send, the receive folder) is worded by its reason; any other is told in its
// English detail.
void MainWindowPort::ReportUnavailable(zvk::Unavailable what, const zvk::Failure& failure)
{
    Ask([this, heading = zvk::UnavailableHeading(what), failure] {
        zvk::ShowFailure(&m_window, heading, failure);
        return true;
    });
}

void MainWindowPort::ReportReceptionFailures(const std::vector<zvk::ListFailure>& failures)
{
    ShowBox({zvk::ReceptionFailureMessage(failures), zvk::kErrorCaption, QMessageBox::Information});
}

void MainWindowPort::ReportKeptVersions(const std::vector<zvk::KeptVersion>& kept)
{
    ShowBox({zvk::KeptVersionsMessage(kept), zvk::kNoticeCaption, QMessageBox::Information});
}

void MainWindowPort::ReportReceiveFolderInHandheld(const std::filesystem::path& receiveFolder,
                                                   const std::filesystem::path& handheldFolder)
{
    ShowBox(zvk::ReceiveFolderInHandheldMessage(receiveFolder, handheldFolder));
}

void MainWindowPort::ShowBox(const zvk::OutcomeMessage& message)
{
    Ask([this, message] {
        zvk::ShowMessageBox(&m_window, message.text, message.caption, message.icon);
        return true;
    });
}

std::optional<std::filesystem::path>
MainWindowPort::AskListToSend(const std::filesystem::path& initialFolder)
{
    return Ask([this, initialFolder]() -> std::optional<std::filesystem::path> {
        const QString chosen =
            m_window.AskOpenFile(zvk::ToDisplayPath(initialFolder), zvk::kListToSendFilter);
        if (chosen.isEmpty())
            return std::nullopt;
        return zvk::ToFilePath(chosen);
    });
}
