#include "engine/cellarray.h"

#include <algorithm>
#include <cmath>

namespace gridlore {

namespace {

void putBit(std::uint64_t &word, int bit, bool on)
{
    word = (word & ~(std::uint64_t { 1 } << bit)) | (std::uint64_t { on } << bit);
}

} // namespace

CellArray::CellArray()
    : contents_ { std::vector<std::uint64_t>(Extent * WordsPerColumn, 0),
        std::vector<std::uint64_t>(Extent * WordsPerColumn, ~std::uint64_t { 0 }), {} }
    , changes_(Extent * WordsPerColumn, 0)
{
}

Cell CellArray::other(int column, int row) const
{
    const auto found = contents_.others.find(index(column, row));
    return found == contents_.others.end() ? Cell(0.0) : Cell(found->second);
}

void CellArray::set(int column, int row, Cell value)
{
    const std::size_t k = word(column, row / 64);
    const bool one = !value.isEmpty() && value.number() == 1.0;
    changes_[k] |= std::uint64_t { ((contents_.ones[k] >> (row % 64)) & 1) != one } << (row % 64);
    putBit(contents_.ones[k], row % 64, one);
    putBit(contents_.empties[k], row % 64, value.isEmpty());
    // -0 is a number of its own, kept apart as it was given.
    const bool zero = value.number() == 0.0 && !std::signbit(value.number());
    if (!value.isEmpty() && !one && !zero)
        contents_.others[index(column, row)] = value.number();
    else if (!contents_.others.empty())
        contents_.others.erase(index(column, row));
}

void CellArray::restore(const Contents &contents)
{
    for (std::size_t k = 0; k < changes_.size(); ++k)
        changes_[k] |= contents_.ones[k] ^ contents.ones[k];
    contents_ = contents;
}

void CellArray::forgetChanges()
{
    std::fill(changes_.begin(), changes_.end(), 0);
}

} // namespace gridlore
