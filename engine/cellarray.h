#pragma once

#include "engine/cell.h"

#include <cstdint>
#include <vector>

namespace gridlore {

// A fixed 201 x 201 field of cells addressed (column, row), each 0..200.
// Columns are stored contiguously so that a pass down a column, the order every
// pass over the board uses, walks memory in order.
class CellArray
{
public:
    static constexpr int Extent = 201;

    CellArray();

    Cell at(int column, int row) const
    {
        const int k = index(column, row);
        return empty_[k] ? Cell::empty() : Cell(numbers_[k]);
    }
    void set(int column, int row, Cell value);

    // One column's numbers, rows 0..200, with 0 where a cell is empty.
    const double *numbers(int column) const { return &numbers_[index(column, 0)]; }

    // True while every cell holds empty or a whole number small enough that
    // sums of nine of them are exact in any order.
    bool holdsOnlySmallIntegers() const { return irregular_ == 0; }

    static constexpr int index(int column, int row) { return column * Extent + row; }

    // One column's cells holding 1, a bit per row (row r is bit r % 64 of
    // word r / 64): what a picture of the board needs, 64 cells at a time.
    static constexpr int WordsPerColumn = (Extent + 63) / 64;
    const std::uint64_t *ones(int column) const
    {
        return &ones_[std::size_t(column) * WordsPerColumn];
    }

private:
    // Written only by the generation step, which stores nothing but 0, 1 and
    // empty and so keeps the count of irregular cells as it is.
    double *numbers(int column) { return &numbers_[index(column, 0)]; }
    std::uint8_t *emptyFlags(int column) { return &empty_[index(column, 0)]; }

    static bool isIrregular(double v);

    // The same cells once more, one bit per cell and 64 rows to a word, for
    // the step on boards that hold nothing but 0, 1 and empty: whether a cell
    // holds 1, and whether it is empty. Kept in step with the numbers above by
    // every write.
    std::uint64_t *ones(int column) { return &ones_[std::size_t(column) * WordsPerColumn]; }
    std::uint64_t *empties(int column) { return &empties_[std::size_t(column) * WordsPerColumn]; }
    bool holdsOnlyZeroOneOrEmpty() const { return others_ == 0; }
    static bool isOther(double v);
    int othersIn(int columns, int rows) const;
    // After the bit planes of `column` changed at the bits `changed` of word
    // `word`, brings the numbers and empty flags there up to date.
    void numbersFromBits(int column, int word, std::uint64_t changed);
    // After the numbers of the area changed behind set()'s back, the reverse.
    void bitsFromNumbers(int columns, int rows);

    std::vector<double> numbers_;
    std::vector<std::uint8_t> empty_;
    int irregular_ = 0;
    std::vector<std::uint64_t> ones_;
    std::vector<std::uint64_t> empties_;
    int others_ = 0; // cells holding a number other than 0 and 1

    friend class Life;
};

} // namespace gridlore
