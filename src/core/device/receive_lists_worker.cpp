#include "device/receive_lists_worker.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "device/handheld_contract.h"
#include "device/reception_journal.h"
#include "files/atomic_file.h"
#include "files/earlier_version.h"
#include "files/output_refusal.h"
#include "files/windows_file_name.h"
#include "files/windows_refusal.h"
#include "files/written_files.h"
#include "lists/semicolon_conversion.h"
#include "system/local_time.h"
#include "system/system_reason.h"
#include "text/path_text.h"
#include "text/sha256.h"
#include "text/windows1250.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

// How often the handheld is asked whether its export is ready.
constexpr std::chrono::seconds kExportPollPeriod{1};

enum class ExportWait
{
    Ready,
    Stopped,
    Abandoned,
};

ExportWait WaitForExportMarker(RemoteApi& handheld, const ReceiveSettings& settings, Clock& clock,
                               const std::stop_token& stop)
{
    const Clock::TimePoint started = clock.Now();
    bool told = false;
    while (clock.WaitFor(kExportPollPeriod, stop)) {
        const FoundFiles marker(handheld, kHandheldExportMarker);
        if (!marker.Entries().empty())
            return ExportWait::Ready;
        const Clock::Duration waited = clock.Now() - started;
        if (settings.exportWaitLimit && waited >= *settings.exportWaitLimit)
            return ExportWait::Abandoned;
        if (!told && settings.exportTakesLong && waited >= settings.exportNoticeAfter) {
            settings.exportTakesLong();
            told = true;
        }
    }
    return ExportWait::Stopped;
}

// What the handheld says of the call that has just failed, to end a detail with: a broken
// link first, since then no file on the handheld was at fault.
std::string HandheldReason(RemoteApi& handheld)
{
    if (handheld.CeRapiGetError() != kS_OK)
        return " (the connection to the handheld broke)";
    if (const std::uint32_t error = handheld.CeGetLastError(); error != 0)
        return " (handheld error " + std::to_string(error) + ")";
    return "";
}

// A list whose desktop copy is in place: its bytes, and where an earlier list of its name
// went.
struct CopiedList
{
    std::string bytes;
    std::optional<fs::path> keptAs;
};

// One reception: the byte counts over all lists and the lists it did not finish.
class Reception
{
public:
    // Into `folder`, made already.
    Reception(TransferNotices& notices, RemoteApi& handheld, const std::stop_token& stop,
              fs::path folder)
        : m_notices(notices), m_handheld(handheld), m_stop(stop), m_folder(std::move(folder))
    {}

    // The total comes from the sizes in the listing: no list is opened to count its bytes.
    void CountBytes(std::span<const CeFindData> entries)
    {
        for (const CeFindData& entry : entries) {
            m_listedSizes[HandheldListPath(EntryName(entry))] = EntrySize(entry);
            m_total += EntrySize(entry);
        }
    }

    // Copies one list into the folder, has its semicolon text written (`convert`: whether
    // it was), journals it, and only then deletes it on the handheld.
    void Receive(std::u16string_view name, const std::function<bool(const fs::path&)>& convert)
    {
        const std::optional<fs::path> desktopName = DesktopNameOf(name);
        // Refused wherever the folder is: it may be shared with Windows PCs, and a device
        // name there would take the list's bytes and lose them. Nothing is written.
        if (const std::optional<WindowsNameFault> fault = WindowsNameFaultOf(name)) {
            const std::error_code reason = *fault;
            FailWriting(ShownName(name, desktopName), reason, m_folder,
                        "its name " + reason.message());
            return;
        }
        if (!desktopName) {
            FailWriting(DisplayName(name), std::make_error_code(std::errc::illegal_byte_sequence),
                        m_folder, "its handheld name is no file name here");
            return;
        }
        const std::string shown = PathText(*desktopName);
        const fs::path target = m_folder / *desktopName;
        if (m_received.Holds(target)) {
            const std::error_code reason = OutputRefusal::WrittenInThisRun;
            FailWriting(shown, reason, target, PathText(target) + " " + reason.message());
            return;
        }
        const std::u16string handheldPath = HandheldListPath(name);
        const std::optional<CopiedList> copied = CopyList(handheldPath, target, shown);
        if (!copied)
            return;
        m_received.Add(target);
        const bool textWritten = convert(target);
        // The desktop file takes the handheld's own name.
        const JournalEntry entry{ReadableTimeText(CurrentLocalTime()),
                                 shown,
                                 shown,
                                 copied->bytes.size(),
                                 Sha256Hex(copied->bytes),
                                 textWritten,
                                 copied->keptAs ? PathText(*copied->keptAs) : std::string()};
        // A list the journal does not name stays on the handheld, and so do the lists after
        // it: the journal never names a list the disk does not have, nor misses one.
        if (Result<> journaled = AppendToJournal(m_folder, entry); !journaled) {
            m_failures.push_back(
                {shown, ListFailure::Step::Journaling, std::move(journaled).error()});
            m_journalBroken = true;
            return;
        }
        if (!m_handheld.CeDeleteFile(handheldPath))
            m_failures.push_back(
                {shown,
                 ListFailure::Step::DeletingOnHandheld,
                 {"the handheld did not delete it" + HandheldReason(m_handheld), {}}});
    }

    // True once the journal could not be written: nothing more is taken.
    bool JournalBroken() const
    {
        return m_journalBroken;
    }

    // A received list stays received when its semicolon text cannot be written.
    void Converted(const fs::path& list, const Result<fs::path>& converted)
    {
        if (!converted)
            m_failures.push_back(
                {PathText(list.filename()), ListFailure::Step::Converting, converted.error()});
    }

    const std::vector<ListFailure>& Failures() const
    {
        return m_failures;
    }

    const std::vector<KeptVersion>& Kept() const
    {
        return m_kept;
    }

private:
    static std::string DisplayName(std::u16string_view name)
    {
        std::string shown;
        for (const char16_t unit : name)
            shown += unit < 0x80 ? static_cast<char>(unit) : '?';
        return shown;
    }

    // The name as a message can show it: its letters where it has a desktop name, a
    // control character as '?' (it would break the line or the terminal).
    static std::string ShownName(std::u16string_view name,
                                 const std::optional<fs::path>& desktopName)
    {
        std::string shown = desktopName ? PathText(*desktopName) : DisplayName(name);
        for (char& c : shown)
            if (static_cast<unsigned char>(c) < 32)
                c = '?';
        return shown;
    }

    // The list's desktop copy cannot be written, for `reason`, into `file`.
    void FailWriting(std::string list, std::error_code reason, fs::path file, std::string detail)
    {
        m_failures.push_back(
            {std::move(list),
             ListFailure::Step::WritingList,
             {std::move(detail), {std::move(file), reason, FileFailure::Access::Writing}}});
    }

    void FailOnHandheld(std::string list, std::string detail)
    {
        m_failures.push_back(
            {std::move(list), ListFailure::Step::ReadingHandheld, {std::move(detail), {}}});
    }

    // The desktop file appears under its name only when written, flushed and closed
    // without error; anything less leaves no file and the list on the handheld.
    std::optional<CopiedList> CopyList(const std::u16string& handheldPath, const fs::path& target,
                                       const std::string& shown)
    {
        const CeHandle file = m_handheld.CeCreateFile(handheldPath, kGenericRead, kFileShareRead,
                                                      kOpenExisting, kFileAttributeNormal);
        if (file == kInvalidCeHandle) {
            FailOnHandheld(shown, "the handheld could not open it" + HandheldReason(m_handheld));
            return std::nullopt;
        }
        AtomicFileWriter writer(target);
        // The whole list, to tell whether it has the bytes of a desktop list it replaces.
        CopiedList received;
        std::uint64_t listed = m_listedSizes[handheldPath];
        std::uint64_t copied = 0;
        std::uint32_t count = 0;
        bool complete = false;
        std::optional<std::string> readFailure;
        while (writer.IsOpen() && !m_stop.stop_requested()) {
            if (!m_handheld.CeReadFile(file, m_piece.data(), kTransferPieceBytes, count)) {
                readFailure = "reading it from the handheld failed" + HandheldReason(m_handheld);
                break;
            }
            writer.Write(std::string_view(m_piece.data(), count));
            received.bytes.append(m_piece.data(), count);
            m_done += count;
            copied += count;
            // The list is read to its end whatever the listing said of it: one that has
            // grown since raises the total as its bytes come, one that has shrunk lowers
            // it at its end, so that the bar still ends full.
            if (copied > listed || count == 0) {
                m_total = m_total - listed + copied;
                listed = copied;
            }
            m_notices.ShowProgress(m_done, m_total);
            if (count == 0) {
                complete = true;
                break;
            }
        }
        // Only read: its close loses nothing of the copy.
        static_cast<void>(m_handheld.CeCloseHandle(file));
        if (readFailure) {
            FailOnHandheld(shown, *readFailure);
            return std::nullopt;
        }
        // A stop leaves the list where it was without naming it: the window is closing.
        if (!complete && m_stop.stop_requested())
            return std::nullopt;
        // An earlier list of the name with other bytes is kept before it is replaced; one
        // that cannot be kept is not replaced, and the new list stays on the handheld.
        if (complete && writer.IsOpen()) {
            Result<std::optional<KeptVersion>> kept =
                KeepEarlierVersion(target, received.bytes, CurrentLocalTime());
            if (!kept) {
                m_failures.push_back(
                    {shown, ListFailure::Step::WritingList, std::move(kept).error()});
                return std::nullopt;
            }
            if (*kept) {
                received.keptAs = (*kept)->keptAs;
                m_kept.push_back(std::move(**kept));
            }
        }
        // Complete, or the writer failed: Commit puts the list in place or says why not.
        Result<> written = writer.Commit();
        if (written)
            return received;
        if (!m_stop.stop_requested())
            m_failures.push_back(
                {shown, ListFailure::Step::WritingList, std::move(written).error()});
        return std::nullopt;
    }

    TransferNotices& m_notices;
    RemoteApi& m_handheld;
    const std::stop_token& m_stop;
    const fs::path m_folder;
    // Two handheld names can come to one desktop file: the second stays on the handheld.
    WrittenFiles m_received;
    // What the listing said of each list's size, by its handheld path.
    std::map<std::u16string, std::uint64_t> m_listedSizes;
    std::uint64_t m_total = 0;
    std::uint64_t m_done = 0;
    std::vector<char> m_piece = std::vector<char>(kTransferPieceBytes);
    std::vector<ListFailure> m_failures;
    std::vector<KeptVersion> m_kept;
    bool m_journalBroken = false;
};

// Makes the receive folder when it does not exist yet, parents and all; why it cannot be
// had. An empty folder is none: the lists would land wherever the process happens to work.
Result<> MakeReceiveFolder(const fs::path& folder)
{
    if (folder.empty())
        return Fail("no receive folder is set");
    // Windows makes no folder that leaves no room for a file name of eight and three
    // characters in it; one it would refuse is named at once, before any part is made.
    constexpr std::size_t kShortFileName = 12;
    if (ExceedsWindowsPathLimit(folder, kShortFileName)) {
        const std::error_code tooLong = WindowsRefusal::PathTooLong;
        return Fail("cannot create folder " + PathText(folder) + ": " + tooLong.message(),
                    {folder, tooLong, FileFailure::Access::Writing});
    }
    std::error_code ec;
    if (fs::create_directories(folder, ec) || !ec)
        return {};
    ec = StandardReason(ec);
    return Fail("cannot create folder " + PathText(folder) + ": " + ec.message(),
                {folder, ec, FileFailure::Access::Writing});
}

// Copies the lists found; false when one of them was not received or not converted.
bool ReceiveAll(TransferPort& port, RemoteApi& handheld, const TransferInputs& inputs,
                const fs::path& folder, const std::stop_token& stop,
                std::span<const CeFindData> entries)
{
    // Made only when there are lists for it; told once, rather than once for every list.
    if (Result<> made = MakeReceiveFolder(folder); !made) {
        // Nothing was taken: the program only tidies its export away.
        static_cast<void>(StartHandheldProgram(handheld, kListsTaken));
        port.ReportUnavailable(Unavailable::ReceiveFolder, made.error());
        return false;
    }
    Reception reception(port, handheld, stop, folder);
    reception.CountBytes(entries);
    // One conversion for the whole reception: a list without a header is read with the
    // format version of the list before it.
    SemicolonConversion conversion;
    const auto convert = [&](const fs::path& list) {
        if (!inputs.convertReceivedLists)
            return false;
        const Result<fs::path> converted =
            conversion.ConvertListToSemicolonText(list, FileNameInWindows1250(list));
        reception.Converted(list, converted);
        return converted.has_value();
    };
    for (const CeFindData& entry : entries) {
        if (stop.stop_requested() || reception.JournalBroken())
            break;
        reception.Receive(EntryName(entry), convert);
    }
    // Lists still at the top stay the handheld's own; those taken are dropped there. A
    // program that does not start keeps them, and they would come again unnoticed.
    const bool handedBack = StartHandheldProgram(handheld, kListsTaken);
    if (stop.stop_requested())
        return false;
    if (!reception.Kept().empty())
        port.ReportKeptVersions(reception.Kept());
    if (!handedBack) {
        port.Report(TransferOutcome::HandheldProgramNotStarted);
        return false;
    }
    if (!reception.Failures().empty()) {
        port.ReportReceptionFailures(reception.Failures());
        return false;
    }
    port.Report(TransferOutcome::Received);
    return true;
}

// The folder as the disk knows it, for comparing two ways of writing one folder.
std::optional<fs::path> ResolvedFolder(const fs::path& folder)
{
    std::error_code ec;
    const fs::path absolute = fs::absolute(folder, ec);
    if (ec)
        return std::nullopt;
    fs::path resolved = fs::weakly_canonical(absolute, ec);
    if (ec)
        return std::nullopt;
    return resolved;
}

// Whether `folder` is `outer` or lies in it.
bool LiesIn(const fs::path& folder, const fs::path& outer)
{
    const std::optional<fs::path> inner = ResolvedFolder(folder);
    const std::optional<fs::path> container = ResolvedFolder(outer);
    if (!inner || !container)
        return false;
    const fs::path relative = inner->lexically_relative(*container);
    return !relative.empty() && *relative.begin() != "..";
}

// Lists received into the folder that plays the handheld would be deleted there at once.
bool RefusedInHandheld(const fs::path& receiveFolder, const fs::path& handheldFolder)
{
    return !handheldFolder.empty() && LiesIn(receiveFolder, handheldFolder);
}

} // namespace

bool ReceiveListsWorker(TransferPort& port, RemoteApi& handheld, const TransferInputs& inputs,
                        const ReceiveSettings& settings, Clock& clock, std::stop_token stop)
{
    port.EnableTransferControls(false);
    // A receive folder left empty in the settings is the working folder, as it always was.
    const fs::path& folder =
        inputs.receiveFolder.empty() ? inputs.workingFolder : inputs.receiveFolder;
    if (const fs::path handheldFolder = handheld.EmulatingFolder();
        RefusedInHandheld(folder, handheldFolder)) {
        port.ReportReceiveFolderInHandheld(folder, handheldFolder);
        FinishTransfer(port);
        return false;
    }
    // A marker left by an earlier export may be there or not: either way none is now.
    static_cast<void>(handheld.CeDeleteFile(std::u16string(kHandheldExportMarker)));
    if (!StartHandheldProgram(handheld, kExportRequested)) {
        // Nothing would ever make the marker the reception waits for.
        port.Report(TransferOutcome::HandheldProgramNotStarted);
        FinishTransfer(port);
        return false;
    }
    port.ShowStage(TransferStage::PreparingExport);
    bool succeeded = false;
    const ExportWait wait = WaitForExportMarker(handheld, settings, clock, stop);
    if (wait == ExportWait::Abandoned && settings.exportAbandoned)
        settings.exportAbandoned();
    if (wait == ExportWait::Ready) {
        // A marker left behind is deleted before the next export is asked for.
        static_cast<void>(handheld.CeDeleteFile(std::u16string(kHandheldExportMarker)));
        port.ShowStage(TransferStage::Receiving);
        const FoundFiles lists(handheld, kHandheldListPattern, kFafSizeHigh | kFafSizeLow);
        if (!lists.Succeeded()) {
            port.Report(TransferOutcome::SearchFailed);
        } else if (lists.Entries().empty()) {
            port.Report(TransferOutcome::NothingToReceive);
            succeeded = true;
        } else {
            succeeded = ReceiveAll(port, handheld, inputs, folder, stop, lists.Entries());
        }
    }
    FinishTransfer(port);
    return succeeded;
}

} // namespace zvk
