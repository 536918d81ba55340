#pragma once

#include <ostream>

namespace zvk::cli {

// True when the process's standard error is a terminal: only there is progress drawn in
// place. Redirected, a bar redrawn with carriage returns would be noise in a log, and
// scripts see the tool's output unchanged.
bool StandardErrorIsTerminal();

// A progress bar of forty places on a terminal, "[####    ] 10%", redrawn in place on
// its own line until that line is ended.
class TerminalProgressBar
{
public:
    explicit TerminalProgressBar(std::ostream& err);

    void Draw(unsigned percent);
    // Ends the bar's line, if one was drawn, so that what follows starts a line of its own.
    void EndLine();

private:
    std::ostream& m_err;
    bool m_drawn = false;
};

} // namespace zvk::cli
