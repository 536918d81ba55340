#include "reports/report_document.h"

#include "reports/document_words.h"
#include "reports/text_format.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

// Documents of several thousand lines are written in few system calls.
constexpr std::size_t kOutputBufferSize = 1 << 17;
// More documents than this in one second means the folder refuses new files.
constexpr int kMostDocumentsPerSecond = 1000;

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

Result<> ReportDocument::OpenReportDocument(const DocumentTarget& target,
                                            const CompanyHeader& company)
{
    Discard();
    m_lineCounter = 0;
    m_pageCounter = 1;
    m_openedAt.reset();
    if (!target.file.empty()) {
        m_path = target.file;
        m_file.emplace(m_path, AtomicFileWriter::Existing::Replace,
                       AtomicFileWriter::Durability::Cached);
    } else {
        m_openedAt = CurrentLocalTime();
        m_path = target.folder / TimeStampedDocumentName(*m_openedAt, 1);
        m_file.emplace(m_path, AtomicFileWriter::Existing::Keep,
                       AtomicFileWriter::Durability::Cached);
    }
    if (!m_file->IsOpen()) {
        // A writer that could not create its file gives the reason on Commit.
        Result<> failed = m_file->Commit();
        m_file.reset();
        m_path.clear();
        return failed;
    }
    // The document collects its bytes itself and hands them over in large blocks.
    m_file->WriteWithoutBuffer();
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
    return {};
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

Result<> ReportDocument::CloseReportDocument()
{
    if (!m_file)
        return Fail("no document is open");
    for (int line = m_lineCounter; line < kFilledLines; ++line)
        WriteControl(ControlWord::LineBreak);
    WritePageNumber();
    Put(DocumentEpilog());
    Flush();
    Result<> placed = PutInPlace();
    m_file.reset();
    return placed;
}

void ReportDocument::Discard()
{
    m_pending.clear();
    m_file.reset();
}

const fs::path& ReportDocument::Path() const
{
    return m_path;
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
    if (m_file && !m_pending.empty())
        m_file->Write(m_pending);
    m_pending.clear();
}

void ReportDocument::WritePageNumber()
{
    WriteText(FormatText(document_words::kPageNumber, {m_pageCounter++}));
}

// A time-stamped document takes the first of its names that no file has, at the
// moment it is put in place, so that documents finished at once never replace one
// another.
Result<> ReportDocument::PutInPlace()
{
    if (!m_openedAt)
        return m_file->Commit();
    const fs::path folder = m_path.parent_path();
    Result<> placed;
    for (int attempt = 1; attempt <= kMostDocumentsPerSecond; ++attempt) {
        m_path = folder / TimeStampedDocumentName(*m_openedAt, attempt);
        placed = m_file->CommitAs(m_path);
        if (placed || !m_file->NameTaken())
            break;
    }
    return placed;
}

} // namespace zvk
