#include "engine/cellarray.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace gridlore {

namespace {

// -0 is another number too: a pattern file writes it back as it was read.
bool isOther(Cell c)
{
    return !c.isEmpty() && !(c.number() == 1.0 || (c.number() == 0.0 && !std::signbit(c.number())));
}

void putBit(std::uint64_t &word, int bit, bool on)
{
    word = (word & ~(std::uint64_t { 1 } << bit)) | (std::uint64_t { on } << bit);
}

} // namespace

CellArray::CellArray()
    : cells_(Extent * Extent)
    , ones_(Extent * WordsPerColumn, 0)
    , empties_(Extent * WordsPerColumn, ~std::uint64_t { 0 })
    , changes_(Extent * WordsPerColumn, 0)
{
}

void CellArray::set(int column, int row, Cell value)
{
    Cell &cell = cells_[index(column, row)];
    others_ += int(isOther(value)) - int(isOther(cell));
    cell = value;
    const std::size_t k = word(column, row / 64);
    const bool one = !value.isEmpty() && value.number() == 1.0;
    changes_[k] |= std::uint64_t { ((ones_[k] >> (row % 64)) & 1) != one } << (row % 64);
    putBit(ones_[k], row % 64, one);
    putBit(empties_[k], row % 64, value.isEmpty());
}

void CellArray::setCells(
    int column, int w, std::uint64_t which, std::uint64_t ones, std::uint64_t empties)
{
    for (; which != 0; which &= which - 1) {
        const int bit = std::countr_zero(which);
        set(column, w * 64 + bit,
            (ones >> bit) & 1          ? Cell(1.0)
                : (empties >> bit) & 1 ? Cell::empty()
                                       : Cell(0.0));
    }
}

void CellArray::forgetChanges()
{
    std::fill(changes_.begin(), changes_.end(), 0);
}

} // namespace gridlore
