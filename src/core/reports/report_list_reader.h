#pragma once

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/file_failure.h"

namespace zvk {

// A data list of a report or consignment note could not be opened or read. The
// operation stops there: a report that silently left out a list would show wrong
// totals.
class UnreadableListError : public std::runtime_error
{
public:
    UnreadableListError(const std::string& message, FileFailure failure);

    const FileFailure& Failure() const;

private:
    FileFailure m_failure;
};

// Hands each line of the list, without its line end, to `handle` until it returns
// false. Returns false when it stopped early. Throws UnreadableListError when the
// list cannot be opened or read.
bool ForEachListLine(const std::filesystem::path& list,
                     const std::function<bool(std::string_view line)>& handle);

} // namespace zvk
