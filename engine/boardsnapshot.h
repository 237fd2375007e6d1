#pragma once

#include "engine/life.h"

#include <cstddef>

namespace gridlore {

// Every cell of a board and its size, kept for taking back a change: the
// board's own two bits a cell, about 13 kB, and the few cells holding any
// other number.
class BoardSnapshot
{
public:
    explicit BoardSnapshot(const Life &life)
        : boardSize_(life.boardSize())
        , cells_(life.board().contents())
    {
    }

    double boardSize() const { return boardSize_; }
    // Puts every cell back and the board size with them.
    void restoreTo(Life &life) const;
    std::size_t bytes() const;

    friend bool operator==(const BoardSnapshot &, const BoardSnapshot &) = default;

private:
    double boardSize_;
    CellArray::Contents cells_;
};

} // namespace gridlore
