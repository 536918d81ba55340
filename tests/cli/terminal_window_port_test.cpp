#include "cli/terminal_window_port.h"

#include <sstream>

#include <gtest/gtest.h>

namespace zvk::cli {
namespace {

std::string Bar(std::size_t filled, unsigned percent)
{
    return "\r[" + std::string(filled, '#') + std::string(40 - filled, ' ') + "] " +
           std::to_string(percent) + "%";
}

// The bar has forty places: it is full only at 100 %, one place short at 99 %.
TEST(TerminalWindowPortTest, BarFillsInFortiethsAndIsFullOnlyAtTheEnd)
{
    std::ostringstream out;
    std::ostringstream err;
    TerminalWindowPort terminal(out, err, true, {});
    for (const std::uint64_t done : {0, 5, 199, 200})
        terminal.ShowProgress(done, 200);
    terminal.ShowStatus("Stav");
    EXPECT_EQ(err.str(), Bar(0, 0) + Bar(0, 2) + Bar(39, 99) + Bar(40, 100) + "\nStav\n");
    EXPECT_EQ(out.str(), "");
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
    terminal.ShowReceptionFailures(failures);
    EXPECT_EQ(err.str(), expected);
}

} // namespace
} // namespace zvk::cli
