#include "cli/command_line.h"

#include <array>

namespace zvk::cli {
namespace {

constexpr std::array<Command, 2> kCommands = {{
    {"convert", "write the semicolon text (.csv) of data lists",
     "usage: zvk convert LIST.DAT...\n"
     "\n"
     "Writes the semicolon text of each data list beside it: LIST01.DAT gives\n"
     "LIST01.csv in the same folder, with the list's file name in its first line.\n"
     "An existing .csv of that name is replaced; a file whose name does not end in\n"
     ".dat is left alone and reported. The lists are read in the order given, as a\n"
     "reception reads them.\n",
     &RunConvert},
    {"import", "build data lists from measurement texts",
     "usage: zvk import MEASUREMENT.txt...\n"
     "\n"
     "Builds a data list of logs from each measurement text (a line starting with\n"
     "\"FmoR\", then seven lines per log: item number, species, quality, diameter\n"
     "class, length, diameter, volume) and writes it beside the text file:\n"
     "LOG0612.txt gives LOG0612.dat. An existing list of that name is replaced.\n",
     &RunImport},
}};

void PrintUsage(std::ostream& out)
{
    out << "usage: zvk COMMAND [ARGUMENTS...]\n\n"
           "The command-line tool of ZVK PC, over the same data lists as the program.\n\n"
           "Commands:\n";
    for (const Command& command : kCommands) {
        out << "  " << command.name << std::string(10 - command.name.size(), ' ') << command.summary
            << '\n';
    }
    out << "\n'zvk COMMAND --help' explains a command.\n";
}

const Command* FindCommand(std::string_view name)
{
    for (const Command& command : kCommands)
        if (command.name == name)
            return &command;
    return nullptr;
}

} // namespace

bool IsHelpRequest(std::string_view argument)
{
    return argument == "-h" || argument == "--help";
}

void ReportFailure(std::ostream& err, std::string_view message)
{
    err << "zvk: " << message << '\n';
}

int RunCommandLine(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.empty()) {
        PrintUsage(err);
        return kUsageError;
    }
    if (IsHelpRequest(arguments[0]) || arguments[0] == "help") {
        PrintUsage(out);
        return kSuccess;
    }
    const Command* command = FindCommand(arguments[0]);
    if (command == nullptr) {
        ReportFailure(err, "unknown command '" + arguments[0] + "' (see 'zvk --help')");
        return kUsageError;
    }
    const Arguments rest(arguments.begin() + 1, arguments.end());
    for (const std::string& argument : rest) {
        if (IsHelpRequest(argument)) {
            out << command->help;
            return kSuccess;
        }
    }
    return command->run(rest, out, err);
}

} // namespace zvk::cli
