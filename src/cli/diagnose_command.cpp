#include <string>
#include <string_view>
#include <system_error>

#include "cli/cli_texts.h"
#include "cli/command_line.h"
#include "cli/handheld_answer.h"
#include "config/desktop_settings.h"
#include "device/handheld_selection.h"
#include "device/transfer_session.h"
#include "files/folder_write_check.h"
#include "files/input_file.h"
#include "files/temporary_files.h"
#include "link/handheld_choice.h"
#include "system/settings_path_text.h"
#include "system/system_reason.h"
#include "system/system_version.h"
#include "text/path_text.h"

#ifdef _WIN32
#include "device/rapi_library.h"
#endif

namespace fs = std::filesystem;

namespace zvk::cli {
namespace {

// One line for each thing support asks about, its verdict first; the command fails when
// one line does.
class Diagnosis
{
public:
    explicit Diagnosis(std::ostream& out) : m_out(out) {}

    void Ok(std::string_view subject, std::string_view detail)
    {
        Line("ok      ", subject, detail);
    }
    void Warning(std::string_view subject, std::string_view detail)
    {
        Line("warning ", subject, detail);
    }
    void Fail(std::string_view subject, std::string_view detail)
    {
        Line("FAIL    ", subject, detail);
        m_failed = true;
    }
    void Check(std::string_view subject, const Result<>& result, std::string_view done)
    {
        if (result)
            Ok(subject, done);
        else
            Fail(subject, result.error().detail);
    }

    int Status() const
    {
        return m_failed ? kFailure : kSuccess;
    }

private:
    void Line(std::string_view verdict, std::string_view subject, std::string_view detail)
    {
        // Each line as soon as it is known: a check that hangs shows where.
        m_out << verdict << subject << ": " << detail << std::endl;
    }

    std::ostream& m_out;
    bool m_failed = false;
};

// "12.3 GB" or "512 MB", in units of 1024 as Windows counts them.
std::string SpaceText(std::uintmax_t bytes)
{
    constexpr std::uintmax_t kMegabyte = 1024 * 1024;
    constexpr std::uintmax_t kGigabyte = 1024 * kMegabyte;
    if (bytes < kGigabyte)
        return std::to_string(bytes / kMegabyte) + " MB";
    const std::uintmax_t tenths = bytes / (kGigabyte / 10);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " GB";
}

std::string Absolute(const fs::path& path)
{
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    return PathText(ec ? path : absolute.lexically_normal());
}

void SayVersions(Diagnosis& diagnosis)
{
    diagnosis.Ok("program", "ZVK PC " ZVK_VERSION " (zvk)");
    const Result<std::string> system = SystemVersion();
    if (system)
        diagnosis.Ok("system", *system);
    else
        diagnosis.Fail("system", system.error().detail);
}

// The dll the window and zvk load for the handheld, and what of it they call. Where the
// handheld is emulated or reached over the program's own network link, a missing dll fails
// nothing. The route a transfer takes: the own link found where the dll cannot be used.
HandheldRoute SayRapiLibrary(Diagnosis& diagnosis, HandheldRoute route)
{
#ifdef _WIN32
    const RapiLibraryProbe probe = RapiLibrary::Probe();
    std::string missing;
    for (const std::string& function : probe.missing)
        missing += (missing.empty() ? "" : ", ") + function;
    const bool usable = probe.file && missing.empty();
    const std::string detail = !probe.file ? probe.file.error().detail
                               : !usable   ? PathText(*probe.file) + " lacks " + missing
                                           : PathText(*probe.file);
    if (route != HandheldRoute::RapiLibrary)
        diagnosis.Ok("rapi.dll", detail + "; not used: " +
                                     (route == HandheldRoute::Emulated
                                          ? "the handheld is emulated here"
                                          : "the program's own network link is chosen"));
    else if (!usable)
        diagnosis.Warning("rapi.dll", detail + "; the program's own network link is used");
    else
        diagnosis.Ok("rapi.dll", detail + ", with every function zvk calls");
    return route == HandheldRoute::RapiLibrary && !usable ? HandheldRoute::FoundLink : route;
#else
    diagnosis.Ok("rapi.dll", "not used on this system");
    return route;
#endif
}

std::string MillisecondsSince(const CommandContext& context, Clock::TimePoint asked)
{
    return std::to_string(
               std::chrono::duration_cast<std::chrono::milliseconds>(context.clock.Now() - asked)
                   .count()) +
           " ms";
}

// The own network link asked step by step, not under the watchdog, so that the step that
// fails is named: no RNDIS link, no address, no handshake, a password wanted, no
// connect-back.
void SayNetworkLink(Diagnosis& diagnosis, HandheldChooser& chooser, const HandheldPlace& place,
                    const CommandContext& context)
{
    const std::string subject = "handheld (own network link)";
    Result<std::shared_ptr<HandheldConnection>> connection = chooser.Connection(place);
    if (!connection)
        return diagnosis.Fail(subject, connection.error().detail);
    const Clock::TimePoint asked = context.clock.Now();
    const Result<TcpConnection> session = (*connection)->OpenSession(context.stop);
    if (!session)
        return diagnosis.Fail(subject, session.error().detail);
    diagnosis.Ok(subject, HandheldSummary((*connection)->Handheld().value()) +
                              " opened a session in " + MillisecondsSince(context, asked));
}

void SayHandheld(Diagnosis& diagnosis, HandheldChooser& chooser, const HandheldPlace& place,
                 HandheldRoute route, const CommandContext& context)
{
    if (route == HandheldRoute::NamedLink || route == HandheldRoute::FoundLink)
        return SayNetworkLink(diagnosis, chooser, place, context);
    const std::optional<fs::path> emulated = chooser.EmulatedFolder(place);
    // Emulated where no folder is named: no handheld's link is here, which is worth saying
    // to a clerk whose handheld is in its cradle.
    const std::string unnamed =
        NamedHandheldFolder(place).empty() ? ", no handheld's network link (RNDIS) here" : "";
    const std::string subject = emulated
                                    ? "handheld (emulated in " + Absolute(*emulated) + unnamed + ")"
                                    : "handheld (rapi.dll)";
    std::error_code ec;
    // A transfer would make it with the sample lists; asking alone makes nothing.
    if (emulated && !fs::exists(*emulated, ec)) {
        diagnosis.Warning(subject, "not there yet; a transfer makes it with the sample lists");
        return;
    }
    const std::string watchdog = std::to_string(kLinkWatchdogPeriod.count()) + " ms";
    const Clock::TimePoint asked = context.clock.Now();
    const HandheldAnswer answer = AskHandheld(chooser, place, context);
    switch (answer.kind) {
    case HandheldAnswer::Kind::Answered:
        return diagnosis.Ok(subject, "answered in " + MillisecondsSince(context, asked) +
                                         ", within the link's watchdog of " + watchdog);
    case HandheldAnswer::Kind::Busy:
        return diagnosis.Warning(subject, "busy with another transfer, not asked");
    case HandheldAnswer::Kind::NotConnected:
        return diagnosis.Fail(subject, "did not answer within the link's watchdog of " + watchdog);
    case HandheldAnswer::Kind::Unavailable:
        return diagnosis.Fail(subject, answer.detail);
    }
}

void SayReceiveFolder(Diagnosis& diagnosis, const fs::path& folder)
{
    const std::string shown = Absolute(folder);
    std::error_code ec;
    const fs::file_status status = fs::status(folder, ec);
    if (!fs::exists(status)) {
        diagnosis.Warning("receive folder", shown + " does not exist yet; a reception makes it");
        return;
    }
    if (!fs::is_directory(status)) {
        diagnosis.Fail("receive folder", shown + " is not a folder");
        return;
    }
    const fs::space_info space = fs::space(folder, ec);
    if (ec)
        diagnosis.Fail("receive folder",
                       shown + ": its free space is not known: " + StandardReason(ec).message());
    else
        diagnosis.Ok("receive folder", shown + ", " + SpaceText(space.available) + " free");
    diagnosis.Check("receive folder", CheckFileCanBeKeptIn(folder),
                    "a file was written, synced to the disk, renamed and removed");
}

// A folder of its own in the system's temporary folder, removed with what it holds.
class ScratchFolder
{
public:
    ScratchFolder() : m_path(TemporaryPathFor(fs::temp_directory_path(m_ec) / "zvk-settings"))
    {
        if (!m_ec)
            fs::create_directory(m_path, m_ec);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Why it could not be made; none when it was.
    std::error_code Error() const
    {
        return m_ec;
    }
    const fs::path& Path() const
    {
        return m_path;
    }

private:
    std::error_code m_ec;
    fs::path m_path;
};

// Writes the receive folder into a copy of the settings and reads it back: the user's
// own file is never written.
Result<> ReceiveFolderRoundTrip(const DesktopSettings& settings, const fs::path& folder)
{
    const ScratchFolder scratch;
    if (scratch.Error())
        return zvk::Fail("no temporary folder to try a copy in: " +
                         StandardReason(scratch.Error()).message());
    const fs::path copy = scratch.Path() / settings.File().filename();
    std::error_code ec;
    if (fs::exists(settings.File(), ec) && !fs::copy_file(settings.File(), copy, ec))
        return zvk::Fail("cannot copy it to " + PathText(copy) + ": " +
                         StandardReason(ec).message());
    const DesktopSettings trial(scratch.Path());
    if (Result<> written = trial.WriteReceiveFolder(folder); !written)
        return written;
    if (const fs::path read = trial.ReceiveFolder(); read != folder)
        return zvk::Fail("the receive folder " + PathText(folder) + " reads back as " +
                         PathText(read));
    return {};
}

void SaySettings(Diagnosis& diagnosis, const DesktopSettings& settings, const fs::path& folder)
{
    const std::string shown = Absolute(settings.File());
    std::error_code ec;
    if (!fs::exists(settings.File(), ec)) {
        diagnosis.Ok("settings file", shown + " is not there yet; the defaults hold");
    } else {
        const Result<std::string> read = ReadWholeFile(settings.File());
        if (read)
            diagnosis.Ok("settings file", shown);
        else
            diagnosis.Fail("settings file", read.error().detail);
    }
    diagnosis.Check("settings paths", ReceiveFolderRoundTrip(settings, folder),
                    "the receive folder is written and read back in " + SettingsPathEncoding() +
                        " (tried in a copy)");
}

void SayCacheFolder(Diagnosis& diagnosis, const fs::path& folder)
{
    if (folder.empty()) {
        diagnosis.Warning("cache folder", "the system names none; reports read every list");
        return;
    }
    const std::string subject = "cache folder (" + Absolute(folder) + ")";
    std::error_code ec;
    const fs::file_status status = fs::status(folder, ec);
    if (fs::exists(status) && !fs::is_directory(status)) {
        diagnosis.Fail(subject, "is not a folder");
        return;
    }
    // Reports make it as they need it.
    if (!fs::exists(status)) {
        fs::create_directories(folder, ec);
        if (ec) {
            diagnosis.Fail(subject, "cannot be made: " + StandardReason(ec).message());
            return;
        }
    }
    diagnosis.Check(subject, CheckFileCanBeKeptIn(folder), "a file was written and removed");
}

} // namespace

int RunDiagnose(const Arguments& arguments, const CommandContext& context)
{
    if (!arguments.empty()) {
        ReportFailure(context.err, messages::NotUnderstood("diagnose", arguments[0]));
        return kUsageError;
    }
    Diagnosis diagnosis(context.out);
    const DesktopSettings settings(context.workingFolder);
    const HandheldPlace place = context.HandheldPlaceOf(settings);
    HandheldChooser chooser(context.Network(), context.clock);
    SayVersions(diagnosis);
    const HandheldRoute route = SayRapiLibrary(diagnosis, chooser.Route(place));
    SayHandheld(diagnosis, chooser, place, route, context);
    const fs::path receiveFolder = settings.ReceiveFolder();
    SayReceiveFolder(diagnosis, receiveFolder);
    SaySettings(diagnosis, settings, receiveFolder);
    SayCacheFolder(diagnosis, context.cacheFolder);
    return diagnosis.Status();
}

} // namespace zvk::cli
