#pragma once

#include <string>
#include <system_error>

namespace zvk {

// An error category of the program's own reasons (a refused output, a settings path the
// code page cannot hold, missing device software): a name, and the English words of each
// code, which the terminal prints; each window words the codes in its own language.
class WordedErrorCategory final : public std::error_category
{
public:
    using Words = std::string (*)(int value);

    WordedErrorCategory(const char* name, Words words);

    const char* name() const noexcept override;
    std::string message(int value) const override;

private:
    const char* m_name;
    Words m_words;
};

} // namespace zvk
