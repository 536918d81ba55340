#include "support/comma_locale.h"

#include <clocale>
#include <cstring>
#include <initializer_list>

namespace zvk::test {

CommaDecimalLocale::CommaDecimalLocale() : m_previous(std::setlocale(LC_ALL, nullptr))
{
    // Each system's own names: msvcrt.dll knows no POSIX name and takes no UTF-8 locale.
#ifdef _WIN32
    for (const char* name : {"Slovak_Slovakia.1250", "German_Germany.1252"}) {
#else
    for (const char* name : {"sk_SK.UTF-8", "de_DE.UTF-8", "sk_SK.utf8", "de_DE.utf8"}) {
#endif
        if (std::setlocale(LC_ALL, name) != nullptr) {
            m_active = std::strcmp(std::localeconv()->decimal_point, ",") == 0;
            return;
        }
    }
}

CommaDecimalLocale::~CommaDecimalLocale()
{
    std::setlocale(LC_ALL, m_previous.c_str());
}

bool CommaDecimalLocale::Active() const
{
    return m_active;
}

} // namespace zvk::test
