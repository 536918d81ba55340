#include "cli/terminal_window_port.h"

#include <optional>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "cli/command_line.h"
#include "cli/document_arguments.h"
#include "reports/documents.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk::cli {
namespace {

std::string Bar(std::size_t filled, unsigned percent)
{
    return "\r[" + std::string(filled, '#') + std::string(40 - filled, ' ') + "] " +
           std::to_string(percent) + "%";
}

// The bar has forty places: it is full only at 100 %, one place short at 99 %, and
// only once the transfer was done.
TEST(TerminalWindowPortTest, BarFillsInFortiethsAndIsFullOnlyAtTheEnd)
{
    std::ostringstream out;
    std::ostringstream err;
    TerminalWindowPort terminal(out, err, true, {});
    for (const std::uint64_t done : {0, 5, 199})
        terminal.ShowProgress(done, 200);
    terminal.ShowStage(TransferStage::Receiving);
    terminal.ShowProgress(200, 200);
    EXPECT_EQ(err.str(), Bar(0, 0) + Bar(0, 2) + Bar(39, 99) + "\nStav: Príjem dát...\n");
    terminal.Report(TransferOutcome::Received);
    EXPECT_EQ(err.str(), Bar(0, 0) + Bar(0, 2) + Bar(39, 99) + "\nStav: Príjem dát...\n" +
                             Bar(40, 100) + "\n");
    EXPECT_EQ(out.str(), "Príjem bol úspešne ukončený.\n");
}

// "100%" says that everything was done: not for a send the handheld did not take in, nor
// for a reception stopped or failed, even after its last byte; a transfer's end shows
// 100 % (FinishTransfer) only after one that was done.
TEST(TerminalWindowPortTest, HundredPercentOnlyWhenTheTransferWasDone)
{
    const struct
    {
        const char* what;
        std::vector<std::uint64_t> done; // of 200 bytes
        std::optional<TransferOutcome> outcome;
        std::string err;
    } cases[] = {
        {"send not taken in",
         {0, 200},
         TransferOutcome::SendFailed,
         "0%\nChyba! *** Súbor sa nepodarilo zapísať do prenosného počítača! ***\n"},
        {"program not started",
         {200},
         TransferOutcome::HandheldProgramNotStarted,
         "Chyba! *** Program prenosného počítača sa nepodarilo spustiť ***\n"},
        {"reception stopped", {46}, std::nullopt, "23%\n"},
        {"list sent", {46, 200}, TransferOutcome::ListSent, "23%\n100%\n"},
        {"received short of its measure", {46}, TransferOutcome::Received, "23%\n100%\n"},
    };
    for (const auto& c : cases) {
        std::ostringstream out;
        std::ostringstream err;
        TerminalWindowPort terminal(out, err, false, {});
        terminal.EnableTransferControls(false);
        for (const std::uint64_t done : c.done)
            terminal.ShowProgress(done, 200);
        if (c.outcome)
            terminal.Report(*c.outcome);
        FinishTransfer(terminal);
        EXPECT_EQ(err.str(), c.err) << c.what;
    }
}

// Unlike the window's message box, the terminal names every list that stayed.
TEST(TerminalWindowPortTest, EveryFailedListIsNamed)
{
    std::ostringstream out;
    std::ostringstream err;
    TerminalWindowPort terminal(out, err, false, {});
    std::vector<ListFailure> failures;
    std::string expected;
    for (int i = 1; i <= 21; ++i) {
        const std::string list = "L" + std::to_string(i) + ".DAT";
        failures.push_back({list, ListFailure::Step::ReadingHandheld, {"reading failed", {}}});
        expected += "zvk: " + list + " stays on the handheld: reading failed\n";
    }
    failures.push_back({"K.DAT", ListFailure::Step::Converting, {"disk full", {}}});
    expected += "zvk: K.DAT was received, but its semicolon text was not written: disk full\n";
    terminal.ReportReceptionFailures(failures);
    // Lists that replaced earlier ones of their names, each with where the earlier went.
    terminal.ReportKeptVersions(
        {{std::filesystem::path(u8"/prijem/A.DAT"),
          std::filesystem::path(u8"/prijem/nahradené/A.20261208-152530.DAT")}});
    expected += "zvk: A.DAT replaced an earlier list of its name, which was kept as "
                "/prijem/nahradené/A.20261208-152530.DAT\n";
    EXPECT_EQ(err.str(), expected);
}

// The workers tell what happened; the terminal says it in the window's words after the
// window's caption on the error stream, a transfer done (or nothing to receive) alone on
// the output, and what refuses the transfer in the tool's own words.
TEST(TerminalWindowPortTest, EveryOutcomeIsSaidOnItsStream)
{
    struct Case
    {
        TransferOutcome outcome;
        std::string out;
        std::string err;
    };
    const Case cases[] = {
        {TransferOutcome::HandheldBusy, "", "zvk: the handheld is busy with another transfer\n"},
        {TransferOutcome::HandheldNotConnected, "",
         "Pozor! Pripojte počítač pomocou Microsoft ActiveSync a znova spustite prenosový "
         "program!\n"},
        {TransferOutcome::HandheldProgramNotStarted, "",
         "Chyba! *** Program prenosného počítača sa nepodarilo spustiť ***\n"},
        {TransferOutcome::ConfigurationIsDataList, "",
         "Chyba! *** Zvolený súbor je zoznam, nie konfiguračný súbor! ***\n"},
        {TransferOutcome::SendFailed, "",
         "Chyba! *** Súbor sa nepodarilo zapísať do prenosného počítača! ***\n"},
        {TransferOutcome::ConfigurationSent, "Prenos bol úspešne ukončený.\n", ""},
        {TransferOutcome::ListSent, "Prenos bol úspešne ukončený.\n", ""},
        {TransferOutcome::SearchFailed, "", "Chyba! *** CeFindAllFiles failed. ***\n"},
        {TransferOutcome::NothingToReceive, "*** Neexistujú žiadne zoznamy ***\n", ""},
        {TransferOutcome::Received, "Príjem bol úspešne ukončený.\n", ""},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        std::ostringstream err;
        TerminalWindowPort terminal(out, err, false, {});
        terminal.Report(c.outcome);
        EXPECT_EQ(out.str(), c.out) << c.err;
        EXPECT_EQ(err.str(), c.err) << c.out;
    }

    std::ostringstream out;
    std::ostringstream err;
    TerminalWindowPort terminal(out, err, false, {});
    terminal.ReportReceiveFolderInHandheld("/ruka/Data", "/ruka");
    terminal.ReportUnavailable(Unavailable::Configuration, {"cannot open ZVK.INI", {}});
    terminal.ReportUnavailable(Unavailable::Handheld, {"/media/zvk is not a folder", {}});
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "Chyba! *** Zoznamy sa nedajú prijať do priečinka prenosného počítača "
                         "***\nPriečinok príjmu: /ruka/Data\nPriečinok prenosného počítača: "
                         "/ruka\nzvk: cannot open ZVK.INI\nChyba! *** Konfiguračný súbor "
                         "chýba! ***\nzvk: /media/zvk is not a folder\n");
}

// A report draws the lists it has read as a reception draws its bytes, and only on a
// terminal: redirected, its output stays what scripts expect.
TEST(TerminalWindowPortTest, AReportDrawsTheListsReadOnATerminalOnly)
{
    for (const bool terminal : {true, false}) {
        test::TempDir dir;
        std::ostringstream out;
        std::ostringstream err;
        const CommandContext context{out, err, terminal, SteadyClock(), {}, dir.Path(), {}};
        DocumentArguments parsed;
        parsed.output = dir.Path() / "report.rtf";
        const int status = FinishDocument(
            parsed, test::TestData("reports/ZVK.INI"),
            [](const DocumentSettings& settings) {
                return MakeReport({{1, 3, 2026}, {31, 3, 2026}, {}},
                                  test::TestData("reports/lists"), settings);
            },
            context);
        EXPECT_EQ(status, kSuccess) << err.str();
        EXPECT_EQ(err.str(),
                  terminal ? Bar(0, 0) + Bar(13, 33) + Bar(26, 66) + Bar(40, 100) + "\n" : "");
        EXPECT_EQ(out.str(), parsed.output.string() + "\n");
    }
    // Stopped once every list was read: the document is not written, and not 100 %.
    test::TempDir dir;
    std::ostringstream out;
    std::ostringstream err;
    std::stop_source stop;
    const CommandContext context{out, err, true, SteadyClock(), stop.get_token(), dir.Path(), {}};
    DocumentArguments parsed;
    parsed.output = dir.Path() / "report.rtf";
    const int status = FinishDocument(
        parsed, test::TestData("reports/ZVK.INI"),
        [&](DocumentSettings settings) {
            settings.progress = [&, shown = settings.progress](std::uint64_t done,
                                                               std::uint64_t total) {
                shown(done, total);
                if (done == total)
                    stop.request_stop();
            };
            return MakeReport({{1, 3, 2026}, {31, 3, 2026}, {}}, test::TestData("reports/lists"),
                              settings);
        },
        context);
    EXPECT_EQ(status, kFailure);
    EXPECT_EQ(err.str(), Bar(0, 0) + Bar(13, 33) + Bar(26, 66) + "\n");
    EXPECT_FALSE(fs::exists(parsed.output));
}

} // namespace
} // namespace zvk::cli
