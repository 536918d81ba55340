#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <type_traits>

#include "system/result.h"

namespace zvk {

// Why a file is refused as input before it is opened.
enum class InputRefusal
{
    // A pipe, a device or a socket: opening one may wait for ever for a writer, and
    // reading one never ends.
    NotARegularFile = 1,
};

const std::error_category& InputRefusalCategory();
std::error_code make_error_code(InputRefusal refusal);

// A file opened for reading as bytes, or why not: it is missing, a folder, no regular
// file, or cannot be opened.
Result<std::ifstream> OpenInputFile(const std::filesystem::path& path);

// The whole file as bytes, or why it cannot be read.
Result<std::string> ReadWholeFile(const std::filesystem::path& path);
// The same into `bytes`, whose storage serves again: for readers of many files.
Result<> ReadWholeFileInto(const std::filesystem::path& path, std::string& bytes);

} // namespace zvk

template <> struct std::is_error_code_enum<zvk::InputRefusal> : std::true_type
{
};
