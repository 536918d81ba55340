#pragma once

#include <string>
#include <system_error>
#include <type_traits>

namespace zvk {

// Why an output is refused before a single byte of it is written: it would destroy a
// file that must stay as it is.
enum class OutputRefusal
{
    // The file is marked read-only.
    ReadOnly = 1,
    // The name ends in ".dat": documents never take the name of a data list.
    DataListName,
    // The file is one of those the output is made from.
    SameAsInput,
    // The file was written a moment ago, in the same run, from another list whose name
    // comes to the same file name.
    WrittenInThisRun,
};

const std::error_category& OutputRefusalCategory();
std::error_code make_error_code(OutputRefusal refusal);

} // namespace zvk

template <> struct std::is_error_code_enum<zvk::OutputRefusal> : std::true_type
{
};
