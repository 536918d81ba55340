#include "support/comma_locale.h"

#include <clocale>
#include <cstring>

namespace zvk::test {

CommaDecimalLocale::CommaDecimalLocale() : m_previous(std::setlocale(LC_ALL, nullptr))
{
    for (const char* name : {"sk_SK.UTF-8", "de_DE.UTF-8", "sk_SK.utf8", "de_DE.utf8"}) {
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
