#include "engine/boardsnapshot.h"

#include <cmath>

namespace gridlore {

BoardSnapshot::BoardSnapshot(const Life &life)
    : boardSize_(life.boardSize())
    , ones_(Words)
    , empties_(Words)
{
    const CellArray &board = life.board();
    for (int k = 0; k < Cells; ++k) {
        const Cell c = board.at(k / CellArray::Extent, k % CellArray::Extent);
        const std::uint64_t bit = std::uint64_t { 1 } << (k % 64);
        if (c.isEmpty())
            empties_[k / 64] |= bit;
        else if (c.number() == 1.0)
            ones_[k / 64] |= bit;
        // -0 is kept as itself: a saved board writes it as its own number.
        else if (c.number() != 0.0 || std::signbit(c.number()))
            others_.emplace_back(k, c.number());
    }
}

Cell BoardSnapshot::cell(int k) const
{
    const std::uint64_t bit = std::uint64_t { 1 } << (k % 64);
    if (empties_[k / 64] & bit)
        return Cell::empty();
    return Cell((ones_[k / 64] & bit) ? 1.0 : 0.0);
}

void BoardSnapshot::restoreTo(Life &life) const
{
    life.setBoardSize(boardSize_);
    CellArray &board = life.board();
    auto other = others_.begin();
    for (int k = 0; k < Cells; ++k) {
        Cell c = cell(k);
        if (other != others_.end() && other->first == k)
            c = Cell((other++)->second);
        const int column = k / CellArray::Extent;
        const int row = k % CellArray::Extent;
        const Cell now = board.at(column, row);
        if (now.isEmpty() != c.isEmpty() || now.number() != c.number()
            || std::signbit(now.number()) != std::signbit(c.number()))
            board.set(column, row, c);
    }
}

std::size_t BoardSnapshot::bytes() const
{
    return sizeof(*this) + (ones_.capacity() + empties_.capacity()) * sizeof(std::uint64_t)
        + others_.capacity() * sizeof(others_.front());
}

} // namespace gridlore
