#pragma once

#include <string>

namespace zvk::test {

// Puts the process into a locale whose decimal point is a comma (Slovak, else
// German) for as long as it lives, so that a test sees what a user's desktop
// would do to locale-dependent number formatting.
class CommaDecimalLocale
{
public:
    CommaDecimalLocale();
    ~CommaDecimalLocale();
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

    // False when no such locale is installed (package locales-all).
    bool Active() const;

private:
    std::string m_previous;
    bool m_active = false;
};

} // namespace zvk::test
