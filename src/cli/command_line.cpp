#include "cli/command_line.h"

#include <array>

#include "cli/cli_texts.h"
#include "lists/data_list.h"

namespace zvk::cli {
namespace {

constexpr std::array<Command, 9> kCommands = {{
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
    {"journal", "show the journal of receptions, or verify the lists against it",
     "usage: zvk journal [--folder FOLDER] [--verify]\n"
     "\n"
     "Prints the journal of receptions of FOLDER (default: the \"Importpath\" setting of\n"
     "ZVKServer.ini, else the working directory): prijmy.log, a line for every list a\n"
     "reception took, with its time, its handheld and desktop names, its size, the\n"
     "SHA-256 of its bytes, whether its semicolon text was written, and where an\n"
     "earlier list of its name was kept.\n"
     "\n"
     "With --verify, each list named in it is compared with the file now in FOLDER:\n"
     "\"unchanged\", \"changed since its reception\" or \"missing\". The exit status\n"
     "is 0 only when every list is unchanged. A damaged line is named and skipped.\n",
     &RunJournal},
    {"receive", "move the handheld's data lists into a folder",
     "usage: zvk receive [--to FOLDER] [--convert] [--wait SECONDS]\n"
     "\n"
     "Asks the handheld for its data lists, copies each into FOLDER (default: the\n"
     "\"Importpath\" setting of ZVKServer.ini, else the working directory; made when it\n"
     "does not exist) under its handheld name, and deletes it on the handheld once its\n"
     "copy is complete on disk. With --convert (or the setting \"Konvert\" = 1) each\n"
     "list also gets its semicolon text (.csv).\n"
     "\n"
     "The handheld first exports its lists; the tool waits for that at most SECONDS\n"
     "(default 600) and then gives up, receiving and deleting nothing.\n"
     "\n"
     "A list that cannot be received stays on the handheld, and a list whose .csv\n"
     "cannot be written stays received; each is named on a line of its own with the\n"
     "reason. The exit status is then non-zero, as it is when the handheld is not\n"
     "connected or the wait was given up. An empty handheld is no failure.\n"
     "\n"
     "A folder named by $ZVK_HANDHELD or the \"Zariadenie\" setting emulates the\n"
     "handheld. Else the handheld in its cradle is reached over its USB network link\n"
     "(RNDIS) by zvk itself, at the addresses $ZVK_LINK or the \"AdresySpojenia\"\n"
     "setting names (HOSTIP:PORT,DEVICEIP:TRIGGERPORT), else on the link found. On\n"
     "Windows Windows Mobile Device Center's rapi.dll is used instead where it is\n"
     "installed, unless the setting \"VlastneSpojenie\" is 1. Elsewhere, without a\n"
     "handheld's link, handheld/ here emulates one (created with sample lists).\n",
     &RunReceive},
    {"send-config", "send a device configuration file to the handheld",
     "usage: zvk send-config FILE.INI\n"
     "\n"
     "Copies the file to the handheld as its ZVK.INI and tells the handheld program to\n"
     "load it. The exit status is non-zero when the file or the handheld is missing or\n"
     "the copy failed. The handheld is chosen as for 'zvk receive'.\n",
     &RunSendConfig},
    {"send-list", "send a data list to the handheld",
     "usage: zvk send-list LIST.DAT\n"
     "\n"
     "Copies the list into the handheld's import folder under its own name (replacing a\n"
     "list of that name there) and tells the handheld program to take it. The exit\n"
     "status is non-zero when the list or the handheld is missing or the copy failed.\n"
     "A file whose name does not end in .dat (any letter case) is refused: the handheld\n"
     "hands back only such lists. The handheld is chosen as for 'zvk receive'.\n",
     &RunSendList},
    {"report", "write a report over the data lists of a folder (RTF)",
     "usage: zvk report [--folder DIR] [--config FILE] [--from DATE] [--to DATE]\n"
     "                  [--where N=TEXT]... [--listing none|complete|two-column]\n"
     "                  [--sorted|--no-sorted] [--output FILE] [--open]\n"
     "\n"
     "Writes the report of the dialog \"Prehlady\" over the data lists (*.dat, any\n"
     "letter case) of DIR, in the byte order of their names, and prints its path.\n"
     "\n"
     "  --folder DIR     the lists' folder; default \"Importpath\" of ZVKServer.ini in\n"
     "                   the working directory, else the working directory\n"
     "  --config FILE    the device configuration (company lines, captions);\n"
     "                   default \"Konfig\" of ZVKServer.ini\n"
     "  --from, --to     the date range, DD.MM.YYYY or YYYY-MM-DD; default today\n"
     "  --where N=TEXT   a criteria row: header value N (1-29) must be TEXT, padded\n"
     "                   with spaces to 20 characters (N= alone: 20 spaces); --where N\n"
     "                   prints the row without a criterion. At most 5 rows; when two\n"
     "                   rows name the same N, the later decides\n"
     "  --listing MODE   none, complete (default) or two-column\n"
     "  --sorted         add the sorted summary (default); --no-sorted leaves it out\n"
     "  --output FILE    the document; default YYYYMMDDhhmmss.rtf in the working\n"
     "                   directory\n"
     "  --open           show the document in the desktop's viewer\n",
     &RunReport},
    {"note", "write the consignment note of one data list (RTF)",
     "usage: zvk note LIST.DAT [--config FILE] [--listing none|complete|two-column]\n"
     "                [--sorted|--no-sorted] [--output FILE] [--open]\n"
     "\n"
     "Writes the consignment note of LIST.DAT: the list's name, date and filled\n"
     "header values with their captions, then its listing and sorted summary as\n"
     "chosen, and prints the document's path. The options are those of 'zvk report'.\n",
     &RunNote},
    {"diagnose", "check what the program needs, for support",
     "usage: zvk diagnose\n"
     "\n"
     "Prints one line for each thing the program needs, its verdict first (ok,\n"
     "warning or FAIL): the program's and the system's version; rapi.dll, where it\n"
     "was loaded from and which of the functions zvk calls it lacks; whether the\n"
     "handheld answers within the link's watchdog (the handheld is chosen as for\n"
     "'zvk receive'; nothing is transferred); the receive folder, its free space, and\n"
     "whether a file can be written, synced, renamed and removed there; the settings\n"
     "file ZVKServer.ini, and whether the receive folder is written and read back in\n"
     "its code page (tried in a copy: the file itself is not changed); the cache\n"
     "folder of the reports, and whether a file can be written there. The files tried\n"
     "are removed again.\n"
     "\n"
     "The exit status is non-zero when a line says FAIL. Send the output to support\n"
     "with a question about a PC.\n",
     &RunDiagnose},
}};

void PrintUsage(std::ostream& out)
{
    out << "usage: zvk COMMAND [ARGUMENTS...]\n\n"
           "The command-line tool of ZVK PC, over the same data lists as the program.\n\n"
           "Commands:\n";
    for (const Command& command : kCommands) {
        out << "  " << command.name << std::string(13 - command.name.size(), ' ') << command.summary
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
    err << messages::kPrefix << message << '\n';
}

Result<> RefuseNoDataList(const std::filesystem::path& list)
{
    const Result<bool> holds = HoldsDataListRecords(list);
    if (!holds)
        return Unexpected(holds.error());
    if (!*holds)
        return Fail(messages::NoDataListRecords(list));
    return {};
}

namespace {

// Whether an argument after `previous` names a file or a folder: any but the value of an
// option that takes a number of seconds, a date or a criterion.
bool NamesAPath(std::string_view command, std::string_view previous)
{
    if (previous == "--wait" || previous == "--from" || previous == "--where")
        return false;
    // The report's --to is its last day; the reception's is its folder.
    return !(previous == "--to" && command == "report");
}

int RunCommand(const Arguments& arguments, const CommandContext& context)
{
    std::ostream& out = context.out;
    std::ostream& err = context.err;
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
        ReportFailure(err, messages::UnknownCommand(arguments[0]));
        return kUsageError;
    }
    const Arguments rest(arguments.begin() + 1, arguments.end());
    for (const std::string& argument : rest) {
        if (IsHelpRequest(argument)) {
            out << command->help;
            return kSuccess;
        }
    }
    // An empty path names no file or folder: taken as one, it would be the working folder,
    // or a file of no name. An empty number, date or criterion is the command's to say.
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i].empty() && (i == 0 || NamesAPath(command->name, rest[i - 1]))) {
            ReportFailure(err, messages::EmptyArgument(command->name));
            return kUsageError;
        }
    }
    return command->run(rest, context);
}

} // namespace

int RunCommandLine(const Arguments& arguments, const CommandContext& context)
{
    const int status = RunCommand(arguments, context);
    // An output that was closed (zvk ... | head) fails the write: what the command wrote
    // did not all reach its reader.
    if (!context.out.flush()) {
        ReportFailure(context.err, messages::kOutputClosed);
        return status == kSuccess ? kFailure : status;
    }
    return status;
}

} // namespace zvk::cli
