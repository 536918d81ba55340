#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

#include "config/device_configuration.h"
#include "reports/document_viewer.h"
#include "reports/folder_lists.h"
#include "reports/list_passes.h"
#include "reports/list_progress.h"
#include "reports/listing.h"
#include "reports/report_document.h"
#include "reports/summary_lists.h"
#include "system/result.h"

namespace zvk {

// What a report or consignment note holds, as chosen in the report type dialog
// (which opens with the complete listing and the sorted summary ticked). At most
// one of the two listings is chosen.
struct ReportOptions
{
    bool completeListing = true;
    bool twoColumnListing = false;
    bool sortedSummary = true;
};

bool WantsListing(const ReportOptions& options);

// The texts of the device configuration that documents print: the company lines
// and the captions of the header values, read once, each cut as the handheld
// cuts it. A missing or unreadable file gives empty texts, as a missing key does.
class ReportConfiguration
{
public:
    explicit ReportConfiguration(const std::filesystem::path& configFile);

    CompanyHeader Company() const;
    // The caption of header value `valueNumber` (1 to 29); empty for any other number.
    std::string Caption(int valueNumber) const;

private:
    DeviceConfiguration m_configuration;
};

// A list of a document whose dates do not decide whether a report holds it, and
// whether the document holds it.
struct DoubtfulDate
{
    std::string list; // its file name
    DateDoubt doubt = DateDoubt::NoDateRecord;
    bool inDocument = true;
};
using DoubtfulDateNotice = std::function<void(const DoubtfulDate&)>;

// How a report or consignment note is made: what it holds, the device
// configuration it prints from, where it goes, who shows it (none: not shown) and
// the folder of the lists' header indexes (none: every list is read).
// A stop request ends it unfinished, between two lists: nothing is written. The
// lists read so far are told to `progress`, when there is one, and each list of
// doubtful dates to `doubtfulDate` (see DoubtfulDate), from the thread that reads it.
struct DocumentSettings
{
    ReportOptions options;
    std::filesystem::path configFile;
    DocumentTarget target;
    DocumentViewer* viewer = nullptr;
    std::stop_token stop = {};
    ListProgress progress = {};
    std::filesystem::path indexFolder = {};
    DoubtfulDateNotice doubtfulDate = {};
};

// The state of one report or consignment note from its opening to its closing:
// the document, the listing with its totals, the summary lists and the pass that
// fills them.
class ReportSession
{
public:
    // Makes one document from `inputs`: refuses a target that would destroy one of
    // them before anything is read, opens the document, lets `write` fill it and
    // closes it; the document's path, or why there is none. A list that `write`
    // cannot read gives the document up unfinished.
    static Result<std::filesystem::path>
    MakeDocument(const DocumentSettings& settings, const FolderLists& inputs,
                 const std::function<Result<>(ReportSession&)>& write);

    ReportDocument& Document();
    const ReportOptions& Options() const;
    const ReportConfiguration& Configuration() const;

    // The items of the document's lists, as the options choose them: BeginItems writes
    // the listing's column header, TakeItems lists the items of one list (`bytes` as read
    // from its file) and adds them to the summary lists, EndItems writes the listing's
    // totals and the sorted summary.
    void BeginItems();
    void TakeItems(std::string_view bytes);
    void EndItems();

    // True once the document is to be given up unfinished.
    bool StopRequested() const;
    // One more of the document's lists has been read.
    void ListRead();
    // Tells the list `name`, of `doubt`, to whoever the settings name.
    void TellDoubtfulDate(std::string_view name, DateDoubt doubt, bool inDocument) const;

private:
    ReportSession(const DocumentSettings& settings, std::uint64_t listCount);

    // Creates the document with its prolog and company header; the summary lists
    // start empty and a two-column listing starts on a fresh line.
    Result<> OpenReportDocument();
    // Releases the summary lists, fills up and numbers the last page, closes the
    // document and shows it; a document whose stop was requested is given up instead.
    Result<std::filesystem::path> CloseReportDocument();
    // Removes the unfinished document and hands the failure on.
    Unexpected<Failure> Abandon(Failure failure);

    DocumentSettings m_settings;
    ReportConfiguration m_configuration;
    ReportDocument m_document;
    Listing m_listing;
    SummaryLists m_summaries;
    SummaryPass m_summaryPass;
    ListCount m_listsRead;
};

} // namespace zvk
