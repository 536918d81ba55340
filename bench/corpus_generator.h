#pragma once

#include <cstdint>
#include <filesystem>

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

// Writes LIST0001.DAT, LIST0002.DAT, ... into `folder` (created when missing) and
// returns the number of item lines written.
long GenerateCorpus(const std::filesystem::path& folder, const CorpusShape& shape);

} // namespace zvk::bench
