#include "reports/report_document.h"

#include <cerrno>
#include <system_error>

#include "platform/output_file.h"
#include "reports/text_format.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

// Documents of several thousand lines are written in few system calls.
constexpr std::size_t kOutputBufferSize = 1 << 17;
// More documents than this in one second means the folder refuses new files.
constexpr int kMostDocumentsPerSecond = 1000;

std::FILE* CreateTimeStamped(const fs::path& folder, fs::path& path)
{
    const LocalTime now = CurrentLocalTime();
    for (int attempt = 1; attempt <= kMostDocumentsPerSecond; ++attempt) {
        path = folder / TimeStampedDocumentName(now, attempt);
        if (std::FILE* file = OpenNewFile(path))
            return file;
        if (errno != EEXIST)
            return nullptr;
    }
    return nullptr;
}

// Only a document file is taken away: an output named as a device (a terminal,
// /dev/null) stays.
void RemoveDocumentFile(const fs::path& path)
{
    std::error_code ec;
    if (fs::is_regular_file(path, ec))
        fs::remove(path, ec);
}

} // namespace

std::string TimeStampedDocumentName(const LocalTime& time, int attempt)
{
    std::string name =
        FormatText("%04d%02d%02d%02d%02d%02d",
                   {time.year, time.month, time.day, time.hour, time.minute, time.second});
    if (attempt > 1)
        name += FormatText("_%d", {attempt});
    return name + ".rtf";
}

ReportDocument::~ReportDocument()
{
    Discard();
}

bool ReportDocument::OpenReportDocument(const DocumentTarget& target, const CompanyHeader& company)
{
    Discard();
    m_error.clear();
    m_failure = {};
    m_lineCounter = 0;
    m_pageCounter = 1;
    if (!target.file.empty()) {
        m_path = target.file;
        m_file = OpenFileForWriting(m_path);
    } else {
        std::error_code ec;
        const fs::path folder = target.folder.empty() ? fs::current_path(ec) : target.folder;
        m_file = CreateTimeStamped(folder, m_path);
    }
    if (m_file == nullptr) {
        const std::error_code reason(errno, std::generic_category());
        m_failure = {m_path, reason, FileFailure::Access::Writing};
        m_error = "cannot create " + m_path.string() + ": " + m_failure.reason.message();
        m_path.clear();
        return false;
    }
    // The document collects its bytes itself and hands them over in large blocks.
    std::setvbuf(m_file, nullptr, _IONBF, 0);
    Put(DocumentProlog());
    WriteControl(ControlWord::LargeBold);
    WriteText(company.line1);
    WriteControl(ControlWord::SmallBoldOff);
    NewLine();
    WriteControl(ControlWord::Bold);
    WriteText(company.line2);
    WriteControl(ControlWord::BoldOff);
    NewLine();
    WriteControl(ControlWord::Bold);
    WriteText(company.line3);
    WriteControl(ControlWord::BoldOff);
    NewLine();
    NewLine();
    NewLine();
    return true;
}

void ReportDocument::WriteText(std::string_view text)
{
    AppendEscapedText(m_pending, text);
    FlushWhenFull();
}

void ReportDocument::WriteControl(ControlWord word)
{
    Put(ControlText(word));
}

void ReportDocument::NewLine()
{
    WriteControl(ControlWord::LineBreak);
    if (++m_lineCounter <= kLinesPerPage)
        return;
    WriteControl(ControlWord::UnderlineOff);
    WriteControl(ControlWord::BoldOff);
    WriteControl(ControlWord::LineBreak);
    WritePageNumber();
    WriteControl(ControlWord::LineBreak);
    m_lineCounter = 0;
    WriteControl(ControlWord::PageBreak);
}

bool ReportDocument::CloseReportDocument()
{
    if (m_file == nullptr)
        return false;
    for (int line = m_lineCounter; line < kFilledLines; ++line)
        WriteControl(ControlWord::LineBreak);
    WritePageNumber();
    Put(DocumentEpilog());
    Flush();
    const bool written = std::ferror(m_file) == 0 && std::fflush(m_file) == 0;
    const int reason = errno;
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    if (written && closed)
        return true;
    m_failure = {m_path, std::error_code(written ? errno : reason, std::generic_category()),
                 FileFailure::Access::Writing};
    m_error = "cannot write " + m_path.string() + ": " + m_failure.reason.message();
    RemoveDocumentFile(m_path);
    return false;
}

void ReportDocument::Discard()
{
    m_pending.clear();
    if (m_file == nullptr)
        return;
    std::fclose(m_file);
    m_file = nullptr;
    RemoveDocumentFile(m_path);
}

const fs::path& ReportDocument::Path() const
{
    return m_path;
}

const std::string& ReportDocument::Error() const
{
    return m_error;
}

const FileFailure& ReportDocument::Failure() const
{
    return m_failure;
}

int ReportDocument::LineCounter() const
{
    return m_lineCounter;
}

int ReportDocument::PageCounter() const
{
    return m_pageCounter;
}

void ReportDocument::Put(std::string_view bytes)
{
    m_pending += bytes;
    FlushWhenFull();
}

void ReportDocument::FlushWhenFull()
{
    if (m_pending.size() >= kOutputBufferSize)
        Flush();
}

void ReportDocument::Flush()
{
    if (m_file != nullptr && !m_pending.empty())
        std::fwrite(m_pending.data(), 1, m_pending.size(), m_file);
    m_pending.clear();
}

void ReportDocument::WritePageNumber()
{
    WriteText(FormatText("Strana: %d", {m_pageCounter++}));
}

} // namespace zvk
