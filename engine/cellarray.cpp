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
    const auto cell = [&](int bit) {
        return (ones >> bit) & 1 ? Cell(1.0) : (empties >> bit) & 1 ? Cell::empty() : Cell(0.0);
    };
    if (others_ != 0) {
        for (; which != 0; which &= which - 1)
            set(column, w * 64 + std::countr_zero(which), cell(std::countr_zero(which)));
        return;
    }
    // Nothing but 0, 1 and empty before and after: a word at a time
    // (BM_Step/150: 3.0 against 3.7 us of processor time cell by cell).
    const std::size_t k = word(column, w);
    changes_[k] |= (ones_[k] ^ ones) & which;
    ones_[k] = (ones_[k] & ~which) | (ones & which);
    empties_[k] = (empties_[k] & ~which) | (empties & ~ones & which);
    for (; which != 0; which &= which - 1)
        cells_[index(column, w * 64 + std::countr_zero(which))] = cell(std::countr_zero(which));
}

void CellArray::forgetChanges()
{
    std::fill(changes_.begin(), changes_.end(), 0);
}

} // namespace gridlore
