#include "link/surprise_capture.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <system_error>
#include <vector>

#include "files/atomic_file.h"
#include "files/folder_files.h"
#include "system/local_time.h"
#include "text/path_text.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

constexpr std::size_t kBytesPerLine = 16;
constexpr std::string_view kCaptureEnding = ".txt";

// "00000010  41 00 42 00 ...  A.B."
void AppendHexLine(std::string& text, std::size_t offset, std::string_view bytes)
{
    // Room for any offset and any byte, so that nothing is ever cut.
    char number[32];
    std::snprintf(number, sizeof number, "%08zx ", offset);
    text += number;
    for (std::size_t i = 0; i < kBytesPerLine; ++i) {
        if (i < bytes.size()) {
            std::snprintf(number, sizeof number, " %02x", static_cast<std::uint8_t>(bytes[i]));
            text += number;
        } else {
            text += "   ";
        }
    }
    text += "  ";
    for (const char c : bytes)
        text += c >= 0x20 && c < 0x7F ? c : '.';
    text += '\n';
}

void AppendPayload(std::string& text, std::string_view what, std::string_view payload)
{
    text += std::string(what) + " payload, " + std::to_string(payload.size()) + " bytes:\n";
    const std::string_view shown = payload.substr(0, kShownPayloadBytes);
    for (std::size_t offset = 0; offset < shown.size(); offset += kBytesPerLine)
        AppendHexLine(text, offset, shown.substr(offset, kBytesPerLine));
    if (shown.size() < payload.size())
        text += "(the last " + std::to_string(payload.size() - shown.size()) +
                " bytes are not shown)\n";
}

std::string CaptureText(const SurprisingReply& reply)
{
    std::string text = "The handheld's reply to " + std::string(reply.call) +
                       " was refused: " + std::string(reply.failure) + "\n\n";
    AppendPayload(text, "Request", reply.request);
    text += '\n';
    AppendPayload(text, "Reply", reply.reply);
    return text;
}

bool IsCapture(std::string_view name)
{
    return name.size() > kCaptureEnding.size() && name.front() >= '0' && name.front() <= '9' &&
           name.ends_with(kCaptureEnding);
}

// "20261208-152530-01-CeReadFile.txt": the names sort as the captures were made, also
// several in one second.
std::string CaptureName(const std::string& stamp, int sequence, std::string_view call)
{
    char number[16];
    std::snprintf(number, sizeof number, "-%02d-", sequence);
    return stamp + number + std::string(call) + std::string(kCaptureEnding);
}

void Write(const fs::path& folder, const SurprisingReply& reply)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        return;
    const std::string stamp = FileNameTimeText(CurrentLocalTime());
    AtomicFileWriter writer(folder / CaptureName(stamp, 1, reply.call),
                            AtomicFileWriter::Existing::Keep, AtomicFileWriter::Durability::Cached);
    writer.Write(CaptureText(reply));
    Result<> kept = writer.Commit();
    for (int sequence = 2; !kept && writer.NameTaken() && sequence <= 99; ++sequence)
        kept = writer.CommitAs(folder / CaptureName(stamp, sequence, reply.call));
}

void RemoveOldest(const fs::path& folder)
{
    Result<std::vector<std::string>> names = FileNamesIn(folder, IsCapture);
    if (!names || names->size() <= kKeptCaptures)
        return;
    std::sort(names->begin(), names->end());
    const std::size_t surplus = names->size() - kKeptCaptures;
    for (std::size_t i = 0; i < surplus; ++i) {
        std::error_code ec;
        fs::remove(folder / PathFromText((*names)[i]), ec);
    }
}

} // namespace

SurpriseCapture::SurpriseCapture(fs::path cacheFolder)
    : m_folder(cacheFolder.empty() ? fs::path() : cacheFolder / "link-captures")
{}

void SurpriseCapture::Keep(const SurprisingReply& reply) const
{
    if (m_folder.empty())
        return;
    Write(m_folder, reply);
    RemoveOldest(m_folder);
}

const fs::path& SurpriseCapture::Folder() const
{
    return m_folder;
}

} // namespace zvk
