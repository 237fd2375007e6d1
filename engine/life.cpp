#include "engine/life.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace gridlore {

double Life::limitBoardSize(double n)
{
    if (n < SmallestSize)
        return SmallestSize;
    if (n > LargestSize)
        return LargestSize;
    return n;
}

int Life::columnsFor(double n)
{
    return static_cast<int>(std::floor(n));
}

int Life::rowsFor(double n)
{
    // The product is formed in double precision: floor(0.8 * 125) is 100.
    return static_cast<int>(std::floor(0.8 * n));
}

void Life::clearLiveArea()
{
    const int cols = columns();
    const int rws = rows();
    for (int i = 1; i <= cols; ++i)
        for (int j = 1; j <= rws; ++j)
            board_.set(i, j, Cell(0.0));
}

void Life::step()
{
    if (board_.holdsOnlySmallIntegers())
        markNextGenerationFast();
    else
        markNextGenerationExact();
    commitNextGeneration();
}

// Whole numbers sum exactly in any order, so three column sums can be shared by
// the cells of a column instead of reading nine cells for each.
void Life::markNextGenerationFast()
{
    const int cols = columns();
    const int rws = rows();
    double triple[CellArray::Extent];
    for (int i = 1; i <= cols; ++i) {
        const double *left = board_.numbers(i - 1);
        const double *mid = board_.numbers(i);
        const double *right = board_.numbers(i + 1);
        for (int j = 0; j <= rws + 1; ++j)
            triple[j] = left[j] + mid[j] + right[j];

        double *next = nextBoard_.numbers(i);
        std::uint8_t *nextEmpty = nextBoard_.emptyFlags(i);
        for (int j = 1; j <= rws; ++j) {
            const double s = triple[j - 1] + triple[j] + triple[j + 1] - mid[j];
            const bool live = s == 3.0 || (mid[j] != 0.0 && s == 2.0);
            next[j] = live ? 1.0 : next[j];
            nextEmpty[j] = live ? 0 : nextEmpty[j];
        }
    }
}

// Any other values: the nine cells are summed in column-then-row order and the
// centre taken off, so the floating-point result is the same as ever.
void Life::markNextGenerationExact()
{
    const int cols = columns();
    const int rws = rows();
    for (int i = 1; i <= cols; ++i) {
        for (int j = 1; j <= rws; ++j) {
            double s = 0.0;
            for (int k = i - 1; k <= i + 1; ++k)
                for (int l = j - 1; l <= j + 1; ++l)
                    s += board_.numbers(k)[l];
            const double centre = board_.numbers(i)[j];
            s -= centre;
            const bool live = centre == 0.0 ? s == 3.0 : (s == 2.0 || s == 3.0);
            if (live)
                nextBoard_.set(i, j, Cell(1.0));
        }
    }
}

void Life::commitNextGeneration()
{
    const int cols = columns();
    const int rws = rows();
    const bool regular = board_.holdsOnlySmallIntegers();
    for (int i = 1; i <= cols; ++i) {
        double *next = nextBoard_.numbers(i);
        std::uint8_t *nextEmpty = nextBoard_.emptyFlags(i);
        if (regular) {
            std::memcpy(board_.numbers(i) + 1, next + 1, rws * sizeof(double));
            std::memcpy(board_.emptyFlags(i) + 1, nextEmpty + 1, rws);
        } else {
            for (int j = 1; j <= rws; ++j)
                board_.set(i, j, nextEmpty[j] ? Cell::empty() : Cell(next[j]));
        }
        std::fill(next + 1, next + 1 + rws, 0.0);
        std::fill(nextEmpty + 1, nextEmpty + 1 + rws, std::uint8_t { 0 });
    }
}

} // namespace gridlore
