#include "engine/boardsnapshot.h"

namespace gridlore {

void BoardSnapshot::restoreTo(Life &life) const
{
    life.setBoardSize(boardSize_);
    life.board().restore(cells_);
}

std::size_t BoardSnapshot::bytes() const
{
    // A map node holds its entry, three links and a colour.
    constexpr std::size_t Node = sizeof(std::pair<const int, double>) + 4 * sizeof(void *);
    return sizeof(*this)
        + (cells_.ones.capacity() + cells_.empties.capacity()) * sizeof(std::uint64_t)
        + cells_.others.size() * Node;
}

} // namespace gridlore
