#include "cli/terminal_progress.h"

#include <string>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace zvk::cli {
namespace {

constexpr std::size_t kBarWidth = 40;

} // namespace

bool StandardErrorIsTerminal()
{
#ifdef _WIN32
    return _isatty(2) != 0;
#else
    return isatty(2) != 0;
#endif
}

TerminalProgressBar::TerminalProgressBar(std::ostream& err) : m_err(err) {}

void TerminalProgressBar::Draw(unsigned percent)
{
    const std::size_t filled = kBarWidth * percent / 100;
    m_err << "\r[" << std::string(filled, '#') << std::string(kBarWidth - filled, ' ') << "] "
          << percent << '%' << std::flush;
    m_drawn = true;
}

void TerminalProgressBar::EndLine()
{
    if (m_drawn)
        m_err << '\n';
    m_drawn = false;
}

} // namespace zvk::cli
