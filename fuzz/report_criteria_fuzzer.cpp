// The criteria of `zvk report` as typed on the command line: the arguments are the input
// cut at NUL bytes. The options that name files or start a viewer are the target's own,
// so that every input reports on an empty folder into the scratch folder. A date that
// reads back is written again as it was typed; the report ends with one of the three
// exit statuses, and only a successful one leaves a document.

#include <cstdio>
#include <sstream>
#include <string>
#include <system_error>

#include "cli/command_line.h"
#include "cli/document_arguments.h"
#include "fuzz_scratch.h"
#include "fuzz_target.h"

namespace fs = std::filesystem;

namespace {

bool IsTargetsOwnOption(std::string_view argument)
{
    return argument == "--folder" || argument == "--output" || argument == "--config" ||
           argument == "--open";
}

std::string DateAsTyped(const zvk::CalendarDate& date, bool dotted)
{
    char text[32];
    if (dotted)
        std::snprintf(text, sizeof text, "%02d.%02d.%04d", date.day, date.month, date.year);
    else
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

void CheckDate(std::string_view text)
{
    const zvk::Result<zvk::CalendarDate> date = zvk::cli::ParseDate(text);
    if (!date)
        return;
    const bool dotted = text.size() > 2 && text[2] == '.';
    zvk::fuzz::Require(DateAsTyped(*date, dotted) == text,
                       "a date read back differs from its text");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fs::path scratch = zvk::fuzz::ScratchFolder();
    const fs::path folder = scratch / "empty";
    const fs::path report = scratch / "report.rtf";
    fs::create_directories(folder);
    std::error_code ec;
    fs::remove(report, ec);

    zvk::cli::Arguments arguments = {"--folder",      folder.string(), "--output",
                                     report.string(), "--config",      ZVK_FUZZ_CONFIGURATION};
    for (std::string& argument : zvk::fuzz::SplitAtNul(zvk::fuzz::BytesOf(data, size))) {
        CheckDate(argument);
        if (!IsTargetsOwnOption(argument))
            arguments.push_back(std::move(argument));
    }
    std::ostringstream out;
    std::ostringstream err;
    // Whatever the arguments leave to the working folder stays in the scratch folder.
    const zvk::cli::CommandContext context{out, err, false, zvk::SteadyClock(), {}, scratch, {}};
    const int status = zvk::cli::RunReport(arguments, context);
    zvk::fuzz::Require(status == zvk::cli::kSuccess || status == zvk::cli::kFailure ||
                           status == zvk::cli::kUsageError,
                       "the report ended with an unknown exit status");
    zvk::fuzz::Require((status == zvk::cli::kSuccess) == fs::exists(report),
                       "the report's document and its exit status disagree");
    zvk::fuzz::Require(status == zvk::cli::kSuccess || !err.str().empty(),
                       "a failed report said nothing");
    return 0;
}
