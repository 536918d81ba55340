#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "files/atomic_file.h"
#include "reports/rtf_text.h"
#include "system/local_time.h"
#include "system/result.h"

namespace zvk {

// Where a document is written.
struct DocumentTarget
{
    // The document's own path, replaced if it exists (unless it is read-only). When
    // empty, the document gets a time-stamped name in `folder` that no other file has.
    std::filesystem::path file;
    // Folder of time-stamped documents: the working folder of the window or of zvk, which
    // each gives.
    std::filesystem::path folder;
};

// The three company lines of the device configuration, printed at the top.
struct CompanyHeader
{
    std::string line1;
    std::string line2;
    std::string line3;
};

// Lines on a page before the page number is printed and a new page begins.
inline constexpr int kLinesPerPage = 60;
// A closing document is filled up to this many lines before its last page number.
inline constexpr int kFilledLines = 58;

// One report or consignment note being written: an RTF file of fixed-pitch lines
// with the line and page counters that break its pages. Texts are Windows-1250
// bytes. The document is written under a temporary name and appears under its own
// only when it was closed without error; one that fails, or is dropped unfinished,
// leaves whatever had that name before, so that a half document is never taken for
// a whole one.
class ReportDocument
{
public:
    ReportDocument() = default;
    ~ReportDocument();
    ReportDocument(const ReportDocument&) = delete;
    ReportDocument& operator=(const ReportDocument&) = delete;

    // Creates the file and writes the prolog and the company header. Fails when the
    // file cannot be created or its target is refused.
    Result<> OpenReportDocument(const DocumentTarget& target, const CompanyHeader& company);
    // Writes text to be shown as it is; it can never switch formatting.
    void WriteText(std::string_view text);
    void WriteControl(ControlWord word);
    // Ends the line; the 61st line of a page gets the page number and a page break.
    void NewLine();
    // Fills up and numbers the last page, closes the file and puts it in place. Fails,
    // with nothing in place, when any part could not be written.
    Result<> CloseReportDocument();
    // Closes and removes a document that is not to be finished.
    void Discard();

    // The document's path: once it is closed, the name it was given.
    const std::filesystem::path& Path() const;
    int LineCounter() const;
    int PageCounter() const;

private:
    void Put(std::string_view bytes);
    void FlushWhenFull();
    void Flush();
    void WritePageNumber();
    Result<> PutInPlace();

    std::optional<AtomicFileWriter> m_file;
    std::filesystem::path m_path;
    // Set for a time-stamped document, whose name is chosen when it is closed.
    std::optional<LocalTime> m_openedAt;
    std::string m_pending; // bytes not yet handed to the file
    int m_lineCounter = 0;
    int m_pageCounter = 1;
};

// "YYYYMMDDhhmmss.rtf" of `time`; from the second `attempt` on, "_2", "_3", ...
// before ".rtf", so that documents made within one second keep apart.
std::string TimeStampedDocumentName(const LocalTime& time, int attempt);

} // namespace zvk
