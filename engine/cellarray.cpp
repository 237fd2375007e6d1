#include "engine/cellarray.h"

#include <bit>
#include <cmath>

namespace gridlore {

CellArray::CellArray()
    : numbers_(Extent * Extent, 0.0)
    , empty_(Extent * Extent, 1)
    , ones_(Extent * WordsPerColumn, 0)
    , empties_(Extent * WordsPerColumn, ~std::uint64_t { 0 })
{
}

bool CellArray::isIrregular(double v)
{
    return !(std::fabs(v) <= 1e12 && v == std::trunc(v));
}

// -0 is other too: a pattern file writes it back as it was read.
bool CellArray::isOther(double v)
{
    return !(v == 1.0 || (v == 0.0 && !std::signbit(v)));
}

namespace {

void putBit(std::uint64_t *column, int row, bool on)
{
    const std::uint64_t bit = std::uint64_t { 1 } << (row % 64);
    column[row / 64] = on ? column[row / 64] | bit : column[row / 64] & ~bit;
}

} // namespace

void CellArray::set(int column, int row, Cell value)
{
    const int k = index(column, row);
    irregular_ -= isIrregular(numbers_[k]) ? 1 : 0;
    others_ -= isOther(numbers_[k]) ? 1 : 0;
    numbers_[k] = value.number();
    empty_[k] = value.isEmpty() ? 1 : 0;
    irregular_ += isIrregular(numbers_[k]) ? 1 : 0;
    others_ += isOther(numbers_[k]) ? 1 : 0;
    putBit(ones(column), row, !value.isEmpty() && value.number() == 1.0);
    putBit(empties(column), row, value.isEmpty());
}

int CellArray::othersIn(int columns, int rows) const
{
    int count = 0;
    for (int i = 1; i <= columns; ++i)
        for (int j = 1; j <= rows; ++j)
            count += isOther(numbers_[index(i, j)]) ? 1 : 0;
    return count;
}

void CellArray::numbersFromBits(int column, int word, std::uint64_t changed)
{
    const std::uint64_t one = ones(column)[word];
    const std::uint64_t empty = empties(column)[word];
    while (changed != 0) {
        const int bit = std::countr_zero(changed);
        changed &= changed - 1;
        const int k = index(column, word * 64 + bit);
        numbers_[k] = (one >> bit) & 1 ? 1.0 : 0.0;
        empty_[k] = (empty >> bit) & 1;
    }
}

void CellArray::bitsFromNumbers(int columns, int rows)
{
    for (int i = 1; i <= columns; ++i) {
        for (int j = 1; j <= rows; ++j) {
            const int k = index(i, j);
            putBit(ones(i), j, !empty_[k] && numbers_[k] == 1.0);
            putBit(empties(i), j, empty_[k] != 0);
        }
    }
}

} // namespace gridlore
