#include "device/send_workers.h"

#include <array>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "device/handheld_contract.h"
#include "files/input_file.h"
#include "lists/data_list.h"
#include "lists/record_layout.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

// The bytes from where the stream stands to its end.
std::uint64_t SizeOf(std::ifstream& local)
{
    const std::streampos start = local.tellg();
    local.seekg(0, std::ios::end);
    const std::streamoff size = local.tellg() - start;
    local.seekg(start);
    return size > 0 ? static_cast<std::uint64_t>(size) : 0;
}

// The handheld reads its configuration as Windows-1250 and would take the UTF-8 mark that
// some editors put first for text of the first line: it is not sent.
void SkipByteOrderMark(std::ifstream& local)
{
    std::array<char, 3> start{};
    local.read(start.data(), start.size());
    if (local.gcount() == 3 && std::string_view(start.data(), 3) == "\xEF\xBB\xBF")
        return;
    local.clear();
    local.seekg(0, std::ios::beg);
}

// A data list sent as the configuration would replace the handheld's own: it is known by
// its name or by its first line, the list's header.
bool IsDataList(const fs::path& path, std::ifstream& local)
{
    if (HasDataListName(path))
        return true;
    const std::streampos start = local.tellg();
    std::array<char, kListHeaderCode.size()> first{};
    local.read(first.data(), first.size());
    const bool header = local.gcount() == static_cast<std::streamsize>(first.size()) &&
                        std::string_view(first.data(), first.size()) == kListHeaderCode;
    local.clear();
    local.seekg(start);
    return header;
}

// Copies the local file to an open handheld file in pieces of kTransferPieceBytes with one
// progress report per piece; the last pass moves nothing and reports the total once more. A
// failed read or write ends the copy and gives false: the handheld would otherwise
// start working on half a file.
bool CopyToHandheld(std::ifstream& local, RemoteApi& handheld, CeHandle file,
                    TransferNotices& notices)
{
    const std::uint64_t total = SizeOf(local);
    std::vector<char> buffer(kTransferPieceBytes);
    std::uint64_t done = 0;
    std::uint32_t count = 0;
    do {
        local.read(buffer.data(), buffer.size());
        if (local.bad())
            return false;
        count = static_cast<std::uint32_t>(local.gcount());
        std::uint32_t written = 0;
        if (!handheld.CeWriteFile(file, buffer.data(), count, written) || written != count)
            return false;
        done += count;
        notices.ShowProgress(done, total);
    } while (count > 0);
    return true;
}

// Sends one local file to the handheld path; the handheld file is closed before the
// handheld program is started on it, as the program reads it at once. Half a file is
// deleted again: the next list sent would otherwise take a half list from the import
// folder into the handheld's own, and the handheld would load half a configuration.
bool SendFile(TransferNotices& notices, RemoteApi& handheld, std::ifstream& local,
              const std::u16string& target, std::uint32_t shareMode)
{
    const CeHandle file = handheld.CeCreateFile(target, kGenericWrite, shareMode, kCreateAlways,
                                                kFileAttributeNormal);
    if (file == kInvalidCeHandle)
        return false;
    const bool copied = CopyToHandheld(local, handheld, file, notices);
    const bool closed = handheld.CeCloseHandle(file);
    if (copied && closed)
        return true;
    // The send has failed either way; a half file left is replaced by the next send.
    static_cast<void>(handheld.CeDeleteFile(target));
    return false;
}

// `done` is the outcome of a file that arrived whole and was taken in.
bool ReportSend(TransferPort& port, RemoteApi& handheld, bool sent,
                std::u16string_view programArgument, TransferOutcome done)
{
    if (!sent) {
        port.Report(TransferOutcome::SendFailed);
        return false;
    }
    // The handheld program takes the file in only when it starts.
    if (!StartHandheldProgram(handheld, programArgument)) {
        port.Report(TransferOutcome::HandheldProgramNotStarted);
        return false;
    }
    port.Report(done);
    return true;
}

} // namespace

bool SendConfigurationWorker(TransferPort& port, RemoteApi& handheld, const fs::path& path)
{
    port.EnableTransferControls(false);
    port.ShowStage(TransferStage::SendingConfiguration);
    bool succeeded = false;
    Result<std::ifstream> local = OpenInputFile(path);
    if (!local) {
        port.ReportUnavailable(Unavailable::Configuration, local.error());
    } else if (SkipByteOrderMark(*local); IsDataList(path, *local)) {
        port.Report(TransferOutcome::ConfigurationIsDataList);
    } else {
        const bool sent = SendFile(port, handheld, *local,
                                   std::u16string(kHandheldConfigurationFile), kFileShareWrite);
        succeeded = ReportSend(port, handheld, sent, kConfigurationSent,
                               TransferOutcome::ConfigurationSent);
    }
    FinishTransfer(port);
    return succeeded;
}

bool SendListWorker(TransferPort& port, RemoteApi& handheld, const fs::path& receiveFolder)
{
    const std::optional<fs::path> chosen = port.AskListToSend(receiveFolder);
    bool succeeded = true;
    if (chosen) {
        Result<std::ifstream> local = OpenInputFile(*chosen);
        if (!local) {
            port.ReportUnavailable(Unavailable::ListToSend, local.error());
            succeeded = false;
        } else {
            const bool sent = SendFile(port, handheld, *local,
                                       HandheldImportPath(HandheldNameOf(*chosen)), kFileShareRead);
            succeeded = ReportSend(port, handheld, sent, kListSent, TransferOutcome::ListSent);
        }
    }
    FinishTransfer(port);
    return succeeded;
}

} // namespace zvk
