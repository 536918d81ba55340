#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "cli/command_line.h"
#include "reports/document_viewer.h"
#include "reports/report_selection.h"
#include "reports/report_session.h"
#include "system/result.h"

namespace zvk::cli {

// The options that `zvk report` and `zvk note` share.
struct DocumentArguments
{
    std::optional<std::filesystem::path> configFile;
    std::filesystem::path output;
    ReportOptions options;
    bool open = false;
};

// Reads the shared option at `arguments[index]`, moving `index` past its value: false
// when it is none of them, a failure when its value is missing or wrong (a --config that
// is no file). Paths are taken in the working folder.
Result<bool> ReadDocumentOption(const Arguments& arguments, std::size_t& index,
                                const CommandContext& context, DocumentArguments& parsed);

enum class PathKind
{
    File,
    Folder,
};

// Why `path` is no `kind` ("does not exist", "is a folder, not a file", "is a file, not a
// folder", ...); nothing when it is one. A link counts as what it leads to.
std::optional<std::string> NotOfKind(const std::filesystem::path& path, PathKind kind);

// The device configuration a document prints from: --config (checked as it was read),
// else "Konfig" of the desktop settings in the working folder. One that the settings do
// not name, or name but is not there, is said on `err`: the document is made all the
// same, as the program makes it, but without the company lines and captions the user
// may be expecting.
std::filesystem::path DocumentConfiguration(const DocumentArguments& parsed,
                                            const CommandContext& context);

// "DD.MM.YYYY" or "YYYY-MM-DD"; a failure for any other text or a day that does not
// exist.
Result<CalendarDate> ParseDate(std::string_view text);

// Makes the document with `make` (by default in the working folder) and prints its path,
// or the reason it failed. On a terminal `err` shows the lists read as a bar, as a
// reception shows its bytes.
int FinishDocument(
    const DocumentArguments& parsed, const std::filesystem::path& configFile,
    const std::function<Result<std::filesystem::path>(const DocumentSettings&)>& make,
    const CommandContext& context);

} // namespace zvk::cli
