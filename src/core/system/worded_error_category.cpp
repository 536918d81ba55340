#include "system/worded_error_category.h"

namespace zvk {

WordedErrorCategory::WordedErrorCategory(const char* name, Words words)
    : m_name(name), m_words(words)
{}

const char* WordedErrorCategory::name() const noexcept
{
    return m_name;
}

std::string WordedErrorCategory::message(int value) const
{
    return m_words(value);
}

} // namespace zvk
