#pragma once

#include <istream>
#include <string>

namespace zvk {

// Reads the next line whole, however long, without its line end (CR LF or a bare LF).
// Returns false at the end of the input; a last line without a line end is still a line.
bool ReadLine(std::istream& in, std::string& line);

} // namespace zvk
