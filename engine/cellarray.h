#pragma once

#include "engine/cell.h"

#include <cstdint>
#include <vector>

namespace gridlore {

// A fixed 201 x 201 field of cells addressed (column, row), each 0..200.
//
// Every cell is held twice, and every write goes through set() or setBits(),
// which keep the two alike:
// - its value, a Cell (empty or a number): the truth, read by at();
// - two bits, 64 rows to a word, column by column (row r is bit r % 64 of
//   word r / 64): whether it holds 1, and whether it is empty.
// The bits tell a board of 0, 1 and empty completely, so the generation step
// may work on them alone while holdsOnlyZeroOneOrEmpty(): no cell anywhere
// holds another number (2, 0.5 or -0, which a pattern file can load).
//
// Besides, each cell has a bit that is set whenever it comes to hold 1 or
// stops holding it, until forgetChanges(): what a picture of the board, which
// shows cells holding 1 alone, must paint again.
class CellArray
{
public:
    static constexpr int Extent = 201;
    static constexpr int WordsPerColumn = (Extent + 63) / 64;

    CellArray();

    Cell at(int column, int row) const { return cells_[index(column, row)]; }
    void set(int column, int row, Cell value);

    bool holdsOnlyZeroOneOrEmpty() const { return others_ == 0; }
    const std::uint64_t *ones(int column) const { return &ones_[word(column, 0)]; }
    const std::uint64_t *empties(int column) const { return &empties_[word(column, 0)]; }

    // The cells of word `w` of `column` under `mask` become 1 where `ones`
    // has their bit, else empty where `empties` has, else 0.
    void setBits(int column, int w, std::uint64_t mask, std::uint64_t ones, std::uint64_t empties)
    {
        const std::size_t k = word(column, w);
        std::uint64_t changed = ((ones_[k] ^ ones) | (empties_[k] ^ empties)) & mask;
        if (others_ != 0)
            changed = mask; // a cell of some other number reads as 0 in the bits
        if (changed != 0)
            setCells(column, w, changed, ones, empties);
    }

    const std::uint64_t *changes(int column) const { return &changes_[word(column, 0)]; }
    void forgetChanges();

private:
    static constexpr int index(int column, int row) { return column * Extent + row; }
    static constexpr std::size_t word(int column, int w)
    {
        return std::size_t(column) * WordsPerColumn + w;
    }
    void setCells(
        int column, int w, std::uint64_t which, std::uint64_t ones, std::uint64_t empties);

    std::vector<Cell> cells_;
    std::vector<std::uint64_t> ones_;
    std::vector<std::uint64_t> empties_;
    std::vector<std::uint64_t> changes_;
    int others_ = 0; // cells holding a number other than 0 and 1
};

} // namespace gridlore
