#pragma once

#include <cstdint>
#include <functional>

namespace zvk {

// How far a pass over data lists is: lists read of lists to read, told from the
// thread that reads them, once before the first list and after each one, so that a
// window or a terminal can show a long pass over a large receive folder moving.
using ListProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

// The lists of one pass counted as they are read, each step told to a ListProgress,
// when there is one (it must outlive the count).
class ListCount
{
public:
    ListCount(const ListProgress& progress, std::uint64_t total)
        : m_progress(progress), m_total(total)
    {}

    // Before the first list: none read yet.
    void Begin() const
    {
        Tell();
    }
    void OneMoreRead()
    {
        ++m_done;
        Tell();
    }

private:
    void Tell() const
    {
        if (m_progress)
            m_progress(m_done, m_total);
    }

    const ListProgress& m_progress;
    const std::uint64_t m_total;
    std::uint64_t m_done = 0;
};

} // namespace zvk
