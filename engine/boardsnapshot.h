#pragma once

#include "engine/life.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace gridlore {

// Every cell of a board and its size, kept compactly for taking back a change:
// two bits a cell for what the program itself writes (empty, 0 or 1), and the
// few cells holding any other number, which only a pattern file brings, one by
// one. About 10 kB whatever the board holds.
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
    static constexpr int Cells = CellArray::Extent * CellArray::Extent;
    static constexpr int Words = (Cells + 63) / 64;

    Cell cell(int k) const;

    double boardSize_;
    std::vector<std::uint64_t> ones_; // bit k: cell k holds 1
    std::vector<std::uint64_t> empties_; // bit k: cell k is empty
    std::vector<std::pair<int, double>> others_; // cell index and number
};

} // namespace gridlore
