#include <charconv>
#include <optional>
#include <string>

#include "cli/cli_texts.h"
#include "cli/command_line.h"
#include "cli/terminal_window_port.h"
#include "config/desktop_settings.h"
#include "device/handheld_contract.h"
#include "device/handheld_selection.h"
#include "device/transfer_session.h"
#include "link/handheld_choice.h"

namespace fs = std::filesystem;

namespace zvk::cli {
namespace {

// The road of every transfer, the window's own: the session connects under the
// watchdog, then runs the operation's worker; the link is closed when the tool is done.
int TransferOverLink(PendingOperation operation, const DesktopSettings& settings,
                     TransferInputs inputs, const fs::path& listToSend,
                     const ReceiveSettings& receive, const CommandContext& context)
{
    TerminalWindowPort window(context.out, context.err, context.errIsTerminal, listToSend);
    Clock& clock = context.clock;
    HandheldChooser chooser(context.Network(), clock);
    TransferSession session(
        window, nullptr, clock,
        [place = context.HandheldPlaceOf(settings), &chooser](const fs::path& workingFolder) {
            HandheldPlace opened = place;
            opened.workingFolder = workingFolder;
            return chooser.Open(opened);
        },
        {receive, false, context.stop});
    inputs.workingFolder = context.workingFolder;
    session.LinkReady();
    session.Start(operation, std::move(inputs));
    return session.WaitUntilEnded() ? kSuccess : kFailure;
}

// How long `zvk receive` waits for the handheld's export unless --wait says otherwise.
constexpr int kDefaultExportWaitSeconds = 600;

// The value after an option; nothing when the arguments end there or another option
// follows.
std::optional<std::string> OptionValue(const Arguments& arguments, std::size_t& i)
{
    if (i + 1 >= arguments.size() || arguments[i + 1].empty() ||
        arguments[i + 1].rfind("--", 0) == 0)
        return std::nullopt;
    return arguments[++i];
}

std::optional<int> WholeSeconds(const std::string& text)
{
    int seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error != std::errc() || end != text.data() + text.size() || seconds <= 0)
        return std::nullopt;
    return seconds;
}

// Nobody may be watching the tool: it says what it waits for, and does not wait for ever.
void LimitExportWait(ReceiveSettings& receive, int seconds, std::ostream& err)
{
    const std::string limit = std::to_string(seconds) + " s";
    receive.exportWaitLimit = std::chrono::seconds(seconds);
    receive.exportTakesLong = [&err, limit] {
        ReportFailure(err, messages::WaitingForExport(limit));
    };
    receive.exportAbandoned = [&err, limit] {
        ReportFailure(err, messages::ExportAbandoned(limit));
    };
}

bool OneFileArgument(const Arguments& arguments, std::string_view command, std::ostream& err)
{
    if (arguments.size() == 1)
        return true;
    ReportFailure(err, messages::NeedsArguments(command, "exactly one file"));
    return false;
}

} // namespace

int RunReceive(const Arguments& arguments, const CommandContext& context)
{
    std::ostream& err = context.err;
    const DesktopSettings settings(context.workingFolder);
    TransferInputs inputs{.receiveFolder = settings.ReceiveFolder(),
                          .convertReceivedLists = settings.ConvertReceivedLists()};
    ReceiveSettings receive;
    int waitSeconds = kDefaultExportWaitSeconds;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--convert") {
            inputs.convertReceivedLists = true;
        } else if (arguments[i] == "--to") {
            const std::optional<std::string> folder = OptionValue(arguments, i);
            if (!folder) {
                ReportFailure(err, messages::kToNeedsFolder);
                return kUsageError;
            }
            inputs.receiveFolder = context.PathOf(*folder);
        } else if (arguments[i] == "--wait") {
            const std::optional<std::string> value = OptionValue(arguments, i);
            const std::optional<int> seconds = value ? WholeSeconds(*value) : std::nullopt;
            if (!seconds) {
                ReportFailure(err, messages::kWaitNeedsSeconds);
                return kUsageError;
            }
            waitSeconds = *seconds;
        } else {
            ReportFailure(err, messages::NotUnderstood("receive", arguments[i]));
            return kUsageError;
        }
    }
    LimitExportWait(receive, waitSeconds, err);
    return TransferOverLink(PendingOperation::ReceiveLists, settings, std::move(inputs), {},
                            receive, context);
}

int RunSendConfig(const Arguments& arguments, const CommandContext& context)
{
    if (!OneFileArgument(arguments, "send-config", context.err))
        return kUsageError;
    const fs::path configuration = context.PathOf(arguments[0]);
    const DesktopSettings settings(context.workingFolder);
    return TransferOverLink(
        PendingOperation::SendConfiguration, settings,
        {.receiveFolder = settings.ReceiveFolder(), .configurationPath = configuration}, {}, {},
        context);
}

int RunSendList(const Arguments& arguments, const CommandContext& context)
{
    if (!OneFileArgument(arguments, "send-list", context.err))
        return kUsageError;
    const fs::path list = context.PathOf(arguments[0]);
    if (!IsHandheldListName(HandheldNameOf(list))) {
        ReportFailure(context.err, messages::NotADataList(list));
        return kUsageError;
    }
    const DesktopSettings settings(context.workingFolder);
    return TransferOverLink(PendingOperation::SendList, settings,
                            {.receiveFolder = settings.ReceiveFolder()}, list, {}, context);
}

} // namespace zvk::cli
