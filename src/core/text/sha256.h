#pragma once

#include <string>
#include <string_view>

namespace zvk {

// The SHA-256 digest of `bytes` as 64 lower-case hexadecimal digits: what a journal
// line says of a list, so that anyone can show later that the list was not altered.
std::string Sha256Hex(std::string_view bytes);

} // namespace zvk
