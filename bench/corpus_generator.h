#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>

namespace zvk::bench {

// A folder of data lists as a busy season on the handheld leaves them: every
// record kind, lists of the oldest format and of current ones, dates over one
// year. The same arguments always give the same bytes.
struct CorpusShape
{
    int lists = 2000;
    int itemsPerList = 150;
    std::uint32_t seed = 1;
};

// Writes LIST0001.DAT, LIST0002.DAT, ... into `folder` (created when missing),
// telling `progress` the number of lists written after each, and returns the
// number of item lines written. Throws std::runtime_error when a list cannot be
// written.
long GenerateCorpus(const std::filesystem::path& folder, const CorpusShape& shape,
                    const std::function<void(int listsWritten)>& progress = {});

// The most bytes such a corpus takes on the disk.
std::uintmax_t CorpusBytesAtMost(const CorpusShape& shape);

} // namespace zvk::bench
