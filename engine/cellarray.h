#pragma once

#include "engine/cell.h"

#include <cstdint>
#include <map>
#include <vector>

namespace gridlore {

// A fixed 201 x 201 field of cells addressed (column, row), each 0..200.
//
// Each cell is held once, as two bits, 64 rows to a word, column by column
// (row r is bit r % 64 of word r / 64): whether it holds 1, and whether it is
// empty. A cell with neither bit holds 0, unless it is one of the few holding
// another number (2, 0.5 or -0, which only a pattern file brings), kept apart
// by index. So the bits tell the board completely, and the generation step may
// work on them alone, while holdsOnlyZeroOneOrEmpty().
//
// Besides, each cell has a bit that is set whenever it comes to hold 1 or
// stops holding it, until forgetChanges(): what a picture of the board, which
// shows cells holding 1 alone, must paint again.
class CellArray
{
public:
    static constexpr int Extent = 201;
    static constexpr int WordsPerColumn = (Extent + 63) / 64;

    // What every cell holds, without the change bits.
    struct Contents
    {
        std::vector<std::uint64_t> ones;
        std::vector<std::uint64_t> empties;
        std::map<int, double> others; // by column * Extent + row
        friend bool operator==(const Contents &, const Contents &) = default;
    };

    CellArray();

    Cell at(int column, int row) const
    {
        const std::size_t k = word(column, row / 64);
        if ((contents_.ones[k] >> (row % 64)) & 1)
            return Cell(1.0);
        if ((contents_.empties[k] >> (row % 64)) & 1)
            return Cell::empty();
        return contents_.others.empty() ? Cell(0.0) : other(column, row);
    }
    void set(int column, int row, Cell value);

    bool holdsOnlyZeroOneOrEmpty() const { return contents_.others.empty(); }
    const std::uint64_t *ones(int column) const { return &contents_.ones[word(column, 0)]; }
    const std::uint64_t *empties(int column) const { return &contents_.empties[word(column, 0)]; }

    // The cells of word `w` of `column` under `mask` become 1 where `ones`
    // has their bit, else empty where `empties` has, else 0. Only while
    // holdsOnlyZeroOneOrEmpty(): a cell of another number would stay one.
    void setBits(int column, int w, std::uint64_t mask, std::uint64_t ones, std::uint64_t empties)
    {
        const std::size_t k = word(column, w);
        changes_[k] |= (contents_.ones[k] ^ ones) & mask;
        contents_.ones[k] = (contents_.ones[k] & ~mask) | (ones & mask);
        contents_.empties[k] = (contents_.empties[k] & ~mask) | (empties & ~ones & mask);
    }

    const Contents &contents() const { return contents_; }
    // Every cell takes what `contents` holds.
    void restore(const Contents &contents);

    const std::uint64_t *changes(int column) const { return &changes_[word(column, 0)]; }
    void forgetChanges();

private:
    static constexpr int index(int column, int row) { return column * Extent + row; }
    static constexpr std::size_t word(int column, int w)
    {
        return std::size_t(column) * WordsPerColumn + w;
    }
    Cell other(int column, int row) const;

    Contents contents_;
    std::vector<std::uint64_t> changes_;
};

} // namespace gridlore
