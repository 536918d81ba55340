#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "device/remote_api.h"

namespace zvk {

// The arrays of search entries a RemoteApi has handed out by CeFindAllFiles and not yet
// had back by CeRapiFreeBuffer. Calls may come from any thread.
class SearchResults
{
public:
    // Keeps `entries` for the caller: `found` is their array (null when there are none),
    // `count` their number.
    void HandOut(std::vector<CeFindData> entries, std::uint32_t& count, CeFindData*& found);
    // kE_FAIL for an array that was not handed out, or was freed already.
    HResult Free(void* buffer);

private:
    std::mutex m_mutex;
    std::map<const void*, std::unique_ptr<CeFindData[]>> m_arrays;
};

} // namespace zvk
