#include "device/search_results.h"

#include <algorithm>

namespace zvk {

void SearchResults::HandOut(std::vector<CeFindData> entries, std::uint32_t& count,
                            CeFindData*& found)
{
    count = static_cast<std::uint32_t>(entries.size());
    found = nullptr;
    if (entries.empty())
        return;
    auto array = std::make_unique<CeFindData[]>(entries.size());
    std::copy(entries.begin(), entries.end(), array.get());
    found = array.get();
    const std::lock_guard lock(m_mutex);
    m_arrays[found] = std::move(array);
}

HResult SearchResults::Free(void* buffer)
{
    const std::lock_guard lock(m_mutex);
    return m_arrays.erase(buffer) == 1 ? kS_OK : kE_FAIL;
}

} // namespace zvk
