#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_context.h"
#include "system/result.h"

namespace zvk::cli {

using Arguments = std::vector<std::string>;

// One command of the zvk tool: `run` gets the arguments after the command name.
struct Command
{
    std::string_view name;
    std::string_view summary;
    std::string_view help;
    int (*run)(const Arguments& arguments, const CommandContext& context);
};

inline constexpr int kSuccess = 0;
inline constexpr int kFailure = 1;
inline constexpr int kUsageError = 2;

// Runs `zvk ARGUMENTS...` (without the program name) and returns the exit status.
int RunCommandLine(const Arguments& arguments, const CommandContext& context);

// True for "-h" and "--help".
bool IsHelpRequest(std::string_view argument);

// Prints the one-line message of a failure as "zvk: MESSAGE".
void ReportFailure(std::ostream& err, std::string_view message);

// Refuses, before a list is converted or noted, a file that holds bytes but not one
// record of a data list, or that cannot be read: an empty text or an empty note of it
// would look like a list without items.
Result<> RefuseNoDataList(const std::filesystem::path& list);

int RunConvert(const Arguments& arguments, const CommandContext& context);
int RunImport(const Arguments& arguments, const CommandContext& context);
int RunJournal(const Arguments& arguments, const CommandContext& context);
int RunReceive(const Arguments& arguments, const CommandContext& context);
int RunSendConfig(const Arguments& arguments, const CommandContext& context);
int RunSendList(const Arguments& arguments, const CommandContext& context);
int RunReport(const Arguments& arguments, const CommandContext& context);
int RunNote(const Arguments& arguments, const CommandContext& context);
int RunDiagnose(const Arguments& arguments, const CommandContext& context);

} // namespace zvk::cli
