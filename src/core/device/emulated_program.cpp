#include "device/emulated_program.h"

#include <chrono>
#include <fstream>
#include <system_error>

#include "device/emulator_settings.h"
#include "device/handheld_contract.h"
#include "files/atomic_file.h"
#include "files/input_file.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

std::vector<fs::path> FilesIn(const fs::path& folder)
{
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator();
         it.increment(ec))
        if (IsHandheldFile(*it))
            files.push_back(it->path());
    return files;
}

fs::path Emulated(const fs::path& folder, std::u16string_view handheldPath)
{
    return EmulatedPath(folder, handheldPath).value();
}

} // namespace

std::optional<fs::path> EmulatedPath(const fs::path& folder, std::u16string_view handheldPath)
{
    if (handheldPath.empty() || handheldPath.front() != u'\\')
        return std::nullopt;
    fs::path path = folder;
    std::size_t start = 1;
    while (start <= handheldPath.size()) {
        std::size_t end = handheldPath.find(u'\\', start);
        if (end == std::u16string_view::npos)
            end = handheldPath.size();
        const std::u16string_view part = handheldPath.substr(start, end - start);
        if (!part.empty()) {
            const std::optional<fs::path> name = DesktopNameOf(part);
            if (!name)
                return std::nullopt;
            path /= *name;
        }
        start = end + 1;
    }
    return path;
}

fs::path EmulatedListStore(const fs::path& folder)
{
    return folder / "ZVK_CE" / "Data";
}

bool IsHandheldFile(const fs::directory_entry& entry)
{
    std::error_code ec;
    return entry.is_regular_file(ec) || ec;
}

EmulatedProgram::EmulatedProgram(fs::path folder, Clock& clock)
    : m_folder(std::move(folder)), m_clock(clock), m_thread([this] { Loop(); })
{}

EmulatedProgram::~EmulatedProgram()
{
    {
        const std::lock_guard lock(m_mutex);
        m_shuttingDown = true;
        m_giveUp.request_stop();
    }
    m_wake.notify_all();
    m_thread.join();
}

void EmulatedProgram::Start(std::u16string argument)
{
    {
        const std::lock_guard lock(m_mutex);
        if (!m_working)
            m_working.emplace(m_clock);
        m_queue.push_back(std::move(argument));
    }
    m_wake.notify_all();
}

void EmulatedProgram::WaitUntilIdle()
{
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return m_queue.empty() && !m_running; });
}

void EmulatedProgram::FinishStartedRuns()
{
    {
        const std::lock_guard lock(m_mutex);
        m_giveUp.request_stop();
    }
    WaitUntilIdle();
    const std::lock_guard lock(m_mutex);
    m_giveUp = std::stop_source();
}

std::vector<std::u16string> EmulatedProgram::Runs() const
{
    const std::lock_guard lock(m_mutex);
    return m_runs;
}

std::optional<std::string> EmulatedProgram::LoadedConfiguration() const
{
    const std::lock_guard lock(m_mutex);
    return m_loadedConfiguration;
}

std::vector<std::u16string> EmulatedProgram::ListsNotHandedOver() const
{
    const std::lock_guard lock(m_mutex);
    return m_notHandedOver;
}

void EmulatedProgram::Loop()
{
    std::unique_lock lock(m_mutex);
    while (true) {
        m_wake.wait(lock, [this] { return !m_queue.empty() || m_shuttingDown; });
        if (m_queue.empty())
            return;
        const std::u16string argument = std::move(m_queue.front());
        m_queue.pop_front();
        m_runs.push_back(argument);
        m_running = true;
        lock.unlock();
        Run(argument);
        lock.lock();
        m_running = false;
        if (m_queue.empty())
            m_working.reset();
        m_wake.notify_all();
    }
}

void EmulatedProgram::Run(std::u16string_view argument)
{
    if (argument == kExportRequested)
        Export();
    else if (argument == kListsTaken)
        DropTakenLists();
    else if (argument == kListSent)
        ImportLists();
    else if (argument == kConfigurationSent)
        LoadConfiguration();
}

void EmulatedProgram::Export()
{
    const EmulatorSettings settings = ReadEmulatorSettings(m_folder);
    if (!SleepUnlessGivenUp(settings.exportDelayMs))
        return;
    m_exported.clear();
    // Copies of an export the program did not finish (it was killed) would lie at the top
    // for good: they go, as a desktop writer's do.
    RemoveAbandonedTemporaryFiles(m_folder);
    std::vector<std::u16string> notHandedOver;
    for (const fs::path& list : FilesIn(EmulatedListStore(m_folder))) {
        // Written under a name no list search takes, so the desktop never sees half a list.
        const fs::path target = m_folder / list.filename();
        const fs::path temporary = TemporaryPathFor(target);
        std::error_code ec;
        bool handedOver = false;
        if (fs::copy_file(list, temporary, ec)) {
            // The bytes handed over, so that "x" can tell a list measured on since.
            Result<std::string> exported = ReadWholeFile(temporary);
            fs::rename(temporary, target, ec);
            handedOver = !ec && exported;
            if (handedOver)
                m_exported[list.filename()] = std::move(exported).value();
        }
        if (!handedOver) {
            fs::remove(temporary, ec);
            notHandedOver.push_back(HandheldNameOf(list));
        }
    }
    {
        const std::lock_guard lock(m_mutex);
        m_notHandedOver = std::move(notHandedOver);
    }
    if (settings.exportMarker)
        std::ofstream(Emulated(m_folder, kHandheldExportMarker), std::ios::binary);
}

void EmulatedProgram::DropTakenLists()
{
    std::error_code ec;
    for (const auto& [name, exported] : m_exported) {
        if (fs::exists(m_folder / name, ec) || ec)
            continue;
        // A list that took a line after its export is not the one the desktop has.
        const fs::path list = EmulatedListStore(m_folder) / name;
        const Result<std::string> bytes = ReadWholeFile(list);
        if (bytes && *bytes == exported)
            fs::remove(list, ec);
    }
    m_exported.clear();
}

void EmulatedProgram::ImportLists()
{
    std::error_code ec;
    for (const fs::path& list : FilesIn(Emulated(m_folder, kHandheldImportFolder))) {
        // A list received under the name of one just handed over replaces it: the new
        // one was never exported.
        fs::rename(list, EmulatedListStore(m_folder) / list.filename(), ec);
        if (!ec)
            m_exported.erase(list.filename());
    }
}

void EmulatedProgram::LoadConfiguration()
{
    Result<std::string> bytes = ReadWholeFile(Emulated(m_folder, kHandheldConfigurationFile));
    if (!bytes)
        return;
    const std::lock_guard lock(m_mutex);
    m_loadedConfiguration = std::move(bytes).value();
}

bool EmulatedProgram::SleepUnlessGivenUp(std::int64_t milliseconds)
{
    std::stop_token givenUp;
    {
        const std::lock_guard lock(m_mutex);
        givenUp = m_giveUp.get_token();
    }
    return m_clock.WaitFor(std::chrono::milliseconds(milliseconds), givenUp);
}

} // namespace zvk
