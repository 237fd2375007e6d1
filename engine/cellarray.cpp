#include "engine/cellarray.h"

#include <cmath>

namespace gridlore {

CellArray::CellArray()
    : numbers_(Extent * Extent, 0.0)
    , empty_(Extent * Extent, 1)
{
}

bool CellArray::isIrregular(double v)
{
    return !(std::fabs(v) <= 1e12 && v == std::trunc(v));
}

void CellArray::set(int column, int row, Cell value)
{
    const int k = index(column, row);
    irregular_ -= isIrregular(numbers_[k]) ? 1 : 0;
    numbers_[k] = value.number();
    empty_[k] = value.isEmpty() ? 1 : 0;
    irregular_ += isIrregular(numbers_[k]) ? 1 : 0;
}

} // namespace gridlore
