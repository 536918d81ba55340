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
// handheld is emulated, a missing dll fails nothing.
void SayRapiLibrary(Diagnosis& diagnosis, bool emulated)
{
#ifdef _WIN32
    const RapiLibraryProbe probe = RapiLibrary::Probe();
    std::string missing;
    for (const std::string& function : probe.missing)
        missing += (missing.empty() ? "" : ", ") + function;
    if (!probe.file) {
        const std::string detail = probe.file.error().detail;
        if (emulated)
            diagnosis.Warning("rapi.dll", detail + "; the handheld is emulated here");
        else
            diagnosis.Fail("rapi.dll", detail + " (the device connection software is missing)");
    } else if (!missing.empty()) {
        diagnosis.Fail("rapi.dll", PathText(*probe.file) + " lacks " + missing);
    } else {
        diagnosis.Ok("rapi.dll", PathText(*probe.file) + ", with every function zvk calls");
    }
#else
    static_cast<void>(emulated);
    diagnosis.Ok("rapi.dll", "not used on this system; the handheld is emulated");
#endif
}

void SayHandheld(Diagnosis& diagnosis, const HandheldPlace& place, const CommandContext& context)
{
    const std::optional<fs::path> emulated = EmulatedHandheldFolder(place);
    const std::string subject =
        emulated ? "handheld (emulated in " + Absolute(*emulated) + ")" : "handheld (rapi.dll)";
    std::error_code ec;
    // A transfer would make it with the sample lists; asking alone makes nothing.
    if (emulated && !fs::exists(*emulated, ec)) {
        diagnosis.Warning(subject, "not there yet; a transfer makes it with the sample lists");
        return;
    }
    const std::string watchdog = std::to_string(kLinkWatchdogPeriod.count()) + " ms";
    const Clock::TimePoint asked = context.clock.Now();
    const HandheldAnswer answer = AskHandheld(place, context);
    const auto took =
        std::chrono::duration_cast<std::chrono::milliseconds>(context.clock.Now() - asked);
    switch (answer.kind) {
    case HandheldAnswer::Kind::Answered:
        return diagnosis.Ok(subject, "answered in " + std::to_string(took.count()) +
                                         " ms, within the link's watchdog of " + watchdog);
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
    const HandheldPlace place{context.handheldVariable, settings.HandheldFolder(),
                              context.workingFolder, context.sampleLists};
    SayVersions(diagnosis);
    SayRapiLibrary(diagnosis, EmulatedHandheldFolder(place).has_value());
    SayHandheld(diagnosis, place, context);
    const fs::path receiveFolder = settings.ReceiveFolder();
    SayReceiveFolder(diagnosis, receiveFolder);
    SaySettings(diagnosis, settings, receiveFolder);
    SayCacheFolder(diagnosis, context.cacheFolder);
    return diagnosis.Status();
}

} // namespace zvk::cli
