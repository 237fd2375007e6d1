#pragma once

#include "engine/life.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gridlore {

// Every cell of a board and its size, kept compactly for taking back a change:
// the board's own two bits a cell for what the program itself writes (empty,
// 0 or 1), and the few cells holding any other number, which only a pattern
// file brings, one by one. About 13 kB whatever the board holds.
class BoardSnapshot
{
public:
    explicit BoardSnapshot(const Life &life);

    double boardSize() const { return boardSize_; }
    // Puts every cell back and the board size with them.
    void restoreTo(Life &life) const;
    std::size_t bytes() const;

    friend bool operator==(const BoardSnapshot &, const BoardSnapshot &) = default;

private:
    struct Other
    {
        int column;
        int row;
        double number;
        friend bool operator==(const Other &, const Other &) = default;
    };

    double boardSize_;
    std::vector<std::uint64_t> ones_; // column by column, as the board has them
    std::vector<std::uint64_t> empties_;
    std::vector<Other> others_;
};

} // namespace gridlore
