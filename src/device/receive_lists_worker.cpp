#include "device/receive_lists_worker.h"

#include <array>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "device/handheld_contract.h"
#include "device/link.h"
#include "device/transfer_texts.h"
#include "lists/semicolon_conversion.h"
#include "platform/atomic_file.h"
#include "platform/windows1250.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

constexpr std::uint32_t kChunkBytes = 100;
// The closing message names at most this many lists that stayed on the handheld.
constexpr std::size_t kNamedFailures = 20;

// Sleeps for the interval; false when a stop was requested before or during it.
bool WaitUnlessStopped(std::chrono::milliseconds interval, const std::stop_token& stop)
{
    std::mutex mutex;
    std::condition_variable_any wake;
    std::unique_lock lock(mutex);
    wake.wait_for(lock, stop, interval, [] { return false; });
    return !stop.stop_requested();
}

bool WaitForExportMarker(RemoteApi& handheld, const ReceiveSettings& settings,
                         const std::stop_token& stop)
{
    while (WaitUnlessStopped(settings.markerPollInterval, stop)) {
        const FoundFiles marker(handheld, kHandheldExportMarker);
        if (!marker.Entries().empty())
            return true;
    }
    return false;
}

std::uint64_t ListSize(RemoteApi& handheld, const std::u16string& path)
{
    const CeHandle file = handheld.CeCreateFile(path, kGenericRead, kFileShareRead, kOpenExisting,
                                                kFileAttributeNormal);
    if (file == kInvalidCeHandle)
        return 0;
    std::uint32_t high = 0;
    const std::uint32_t low = handheld.CeGetFileSize(file, &high);
    handheld.CeCloseHandle(file);
    if (low == kInvalidFileSize)
        return 0;
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

// One reception: the byte counts over all lists and the lists that stayed behind.
class Reception
{
public:
    Reception(WindowPort& window, RemoteApi& handheld, const std::stop_token& stop)
        : m_window(window), m_handheld(handheld), m_stop(stop)
    {}

    void CountBytes(std::span<const CeFindData> entries)
    {
        for (const CeFindData& entry : entries)
            m_total += ListSize(m_handheld, HandheldListPath(EntryName(entry)));
    }

    // Copies one list into the folder; its desktop path when it arrived whole.
    std::optional<fs::path> Receive(std::u16string_view name, const fs::path& folder)
    {
        const std::optional<fs::path> desktopName = DesktopNameOf(name);
        if (!desktopName) {
            m_failed.push_back(DisplayName(name));
            return std::nullopt;
        }
        const fs::path target = folder / *desktopName;
        const std::u16string handheldPath = HandheldListPath(name);
        if (!CopyList(handheldPath, target)) {
            m_failed.push_back(desktopName->string());
            return std::nullopt;
        }
        m_handheld.CeDeleteFile(handheldPath);
        return target;
    }

    const std::vector<std::string>& Failed() const
    {
        return m_failed;
    }

private:
    static std::string DisplayName(std::u16string_view name)
    {
        std::string shown;
        for (const char16_t unit : name)
            shown += unit < 0x80 ? static_cast<char>(unit) : '?';
        return shown;
    }

    // The desktop file appears under its name only when written, flushed and closed
    // without error; anything less leaves no file and the list on the handheld.
    bool CopyList(const std::u16string& handheldPath, const fs::path& target)
    {
        const CeHandle file = m_handheld.CeCreateFile(handheldPath, kGenericRead, kFileShareRead,
                                                      kOpenExisting, kFileAttributeNormal);
        if (file == kInvalidCeHandle)
            return false;
        AtomicFileWriter writer(target);
        bool copied = writer.IsOpen();
        std::array<char, kChunkBytes> buffer{};
        std::uint32_t count = 0;
        while (copied) {
            if (m_stop.stop_requested() ||
                !m_handheld.CeReadFile(file, buffer.data(), kChunkBytes, count)) {
                copied = false;
                break;
            }
            writer.Write(std::string_view(buffer.data(), count));
            m_done += count;
            m_window.ShowProgress(m_done, m_total);
            if (count == 0)
                break;
            copied = writer.IsOpen();
        }
        m_handheld.CeCloseHandle(file);
        return copied && writer.Commit();
    }

    WindowPort& m_window;
    RemoteApi& m_handheld;
    const std::stop_token& m_stop;
    std::uint64_t m_total = 0;
    std::uint64_t m_done = 0;
    std::vector<std::string> m_failed;
};

std::string NotReceivedMessage(const std::vector<std::string>& failed)
{
    std::string text(texts::kListsNotReceived);
    for (std::size_t i = 0; i < failed.size() && i < kNamedFailures; ++i)
        text += (i > 0 ? ", " : "") + failed[i];
    if (failed.size() > kNamedFailures)
        text += std::string(texts::kAndOthers) + " (" +
                std::to_string(failed.size() - kNamedFailures) + ")";
    text += texts::kListsNotReceivedEnd;
    return text;
}

// Copies the lists found; false when one of them stayed on the handheld.
bool ReceiveAll(WindowPort& window, RemoteApi& handheld, const ReceiveSettings& settings,
                const std::stop_token& stop, std::span<const CeFindData> entries)
{
    Reception reception(window, handheld, stop);
    reception.CountBytes(entries);
    const fs::path folder = window.ReceiveFolder();
    // One conversion for the whole reception: a list without a header is read with the
    // format version of the list before it.
    SemicolonConversion conversion;
    for (const CeFindData& entry : entries) {
        if (stop.stop_requested())
            break;
        const std::optional<fs::path> received = reception.Receive(EntryName(entry), folder);
        if (received && settings.convertRequested())
            conversion.ConvertListToSemicolonText(*received, FileNameInWindows1250(*received));
    }
    // Lists still at the top stay the handheld's own; those taken are dropped there.
    StartHandheldProgram(handheld, kListsTaken);
    if (stop.stop_requested())
        return false;
    if (!reception.Failed().empty()) {
        window.ShowMessage(NotReceivedMessage(reception.Failed()), texts::kCaptionError,
                           MessageIcon::Information);
        return false;
    }
    window.ShowMessage(texts::kReceiveSucceeded, texts::kCaptionNotice, MessageIcon::Information);
    return true;
}

} // namespace

bool ReceiveListsWorker(WindowPort& window, RemoteApi& handheld, const ReceiveSettings& settings,
                        std::stop_token stop)
{
    window.EnableTransferControls(false);
    handheld.CeDeleteFile(std::u16string(kHandheldExportMarker));
    StartHandheldProgram(handheld, kExportRequested);
    window.ShowStatus(texts::kStatusPreparingExport);
    window.SetCursor(Cursor::Wait);
    bool succeeded = false;
    if (WaitForExportMarker(handheld, settings, stop)) {
        handheld.CeDeleteFile(std::u16string(kHandheldExportMarker));
        window.ShowStatus(texts::kStatusReceiving);
        window.SetCursor(Cursor::Wait);
        const FoundFiles lists(handheld, kHandheldListPattern);
        if (!lists.Succeeded()) {
            window.ShowMessage(texts::kSearchFailed, texts::kCaptionError,
                               MessageIcon::Information);
        } else if (lists.Entries().empty()) {
            window.ShowMessage(texts::kNoLists, texts::kCaptionError, MessageIcon::Information);
            succeeded = true;
        } else {
            succeeded = ReceiveAll(window, handheld, settings, stop, lists.Entries());
        }
    }
    FinishTransfer(window, stop.stop_requested());
    return succeeded;
}

} // namespace zvk
