#pragma once

#include <filesystem>
#include <functional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "platform/write_outcome.h"
#include "reports/document_viewer.h"
#include "reports/list_passes.h"
#include "reports/listing.h"
#include "reports/report_configuration.h"
#include "reports/report_document.h"
#include "reports/report_options.h"
#include "reports/summary_lists.h"

namespace zvk {

// How a report or consignment note is made: what it holds, the device
// configuration it prints from, where it goes and who shows it (none: not shown).
// A stop request ends it unfinished, between two lists: nothing is written.
struct DocumentSettings
{
    ReportOptions options;
    std::filesystem::path configFile;
    DocumentTarget target;
    DocumentViewer* viewer = nullptr;
    std::stop_token stop = {};
};

// The state of one report or consignment note from its opening to its closing:
// the document, the listing with its totals, the summary lists and the passes
// that fill them. It carries the operations every document is made of.
class ReportSession
{
public:
    explicit ReportSession(const DocumentSettings& settings);

    // Creates the document with its prolog and company header; the summary lists
    // start empty and a two-column listing starts on a fresh line. False when the
    // document cannot be created.
    bool OpenReportDocument();
    void WriteText(std::string_view text);
    void WriteControl(ControlWord word);
    void NewLine();

    // These read a data list and throw UnreadableListError when it cannot be read.
    void AddListToSummaries(const std::filesystem::path& list);
    void WriteListing(const std::filesystem::path& list);

    void WriteListingHeader();
    void WriteTotals();
    void WriteSummaries();

    // True once the document is to be given up unfinished.
    bool StopRequested() const;

    // Releases the summary lists, fills up and numbers the last page, closes the
    // document and shows it; a document whose stop was requested is given up instead.
    WriteOutcome CloseReportDocument();

    const ReportOptions& Options() const;
    const ReportConfiguration& Configuration() const;

    // Makes one document from `inputs`: refuses a target that would destroy one of
    // them before anything is read, opens the document, lets `write` fill it and
    // closes it. A list that cannot be read gives the document up unfinished.
    static WriteOutcome MakeDocument(const DocumentSettings& settings,
                                     const std::vector<std::filesystem::path>& inputs,
                                     const std::function<void(ReportSession&)>& write);

private:
    // Removes the unfinished document; the outcome carries the failure.
    WriteOutcome Abandon(const std::string& error, const FileFailure& failure);

    DocumentSettings m_settings;
    ReportConfiguration m_configuration;
    ReportDocument m_document;
    Listing m_listing;
    SummaryLists m_summaries;
    SummaryPass m_summaryPass;
};

} // namespace zvk
