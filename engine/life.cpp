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

void Life::resizeBoard(double n)
{
    const int oldColumns = columns();
    const int oldRows = rows();
    setBoardSize(n);
    const int cols = columns();
    const int rws = rows();
    for (int i = 1; i <= oldColumns; ++i)
        for (int j = i > cols ? 1 : rws + 1; j <= oldRows; ++j)
            board_.set(i, j, Cell(0.0));
}

void Life::step()
{
    if (board_.holdsOnlyZeroOneOrEmpty()) {
        stepBits();
        return;
    }
    if (board_.holdsOnlySmallIntegers())
        markNextGenerationFast();
    else
        markNextGenerationExact();
    commitNextGeneration();
}

namespace {

// The rows 1..rows that fall in word `word` of a column.
std::uint64_t liveRows(int word, int rows)
{
    std::uint64_t mask = ~std::uint64_t { 0 };
    if (word == 0)
        mask &= ~std::uint64_t { 1 }; // row 0 is the ring
    const int last = rows - word * 64; // highest live bit in this word
    if (last < 0)
        return 0;
    if (last < 63)
        mask &= (std::uint64_t { 2 } << last) - 1;
    return mask;
}

} // namespace

// Both passes at once on boards of 0, 1 and empty, 64 rows to a word: each
// column's vertical sums of three are formed once as two bit planes, and three
// of them added with bitwise adders give the nine-cell sum t of every cell.
// A cell lives on when t is 3, or 4 with itself live (its neighbours being 3
// or 2 as the rule says). What the buffer would hold is read from its empty
// flags: a cell comes out empty where its entry was empty and it did not live.
void Life::stepBits()
{
    constexpr int Words = CellArray::WordsPerColumn;
    const int cols = columns();
    const int rws = rows();
    const int words = rws / 64 + 1;
    std::uint64_t low[CellArray::Extent][Words];
    std::uint64_t high[CellArray::Extent][Words];
    for (int k = 0; k <= cols + 1; ++k) {
        const std::uint64_t *x = board_.ones(k);
        for (int w = 0; w < words; ++w) {
            const std::uint64_t up = (x[w] << 1) | (w > 0 ? x[w - 1] >> 63 : 0);
            const std::uint64_t down = (x[w] >> 1) | (x[w + 1] << 63);
            const std::uint64_t half = up ^ x[w];
            low[k][w] = half ^ down;
            high[k][w] = (up & x[w]) | (half & down);
        }
    }
    for (int i = 1; i <= cols; ++i) {
        std::uint64_t *ones = board_.ones(i);
        std::uint64_t *empties = board_.empties(i);
        std::uint64_t *nextEmpties = nextBoard_.empties(i);
        for (int w = 0; w < words; ++w) {
            // t = odd + 2 n, n counting the four bits below.
            const std::uint64_t a = low[i - 1][w], b = low[i][w], c = low[i + 1][w];
            const std::uint64_t odd = a ^ b ^ c;
            const std::uint64_t carry = (a & b) | (c & (a ^ b));
            const std::uint64_t p = high[i - 1][w] ^ high[i][w];
            const std::uint64_t q = high[i - 1][w] & high[i][w];
            const std::uint64_t r = high[i + 1][w] ^ carry;
            const std::uint64_t s = high[i + 1][w] & carry;
            const std::uint64_t nIsOne = (p ^ r) & ~(q | s);
            const std::uint64_t nIsTwo = (p & r) | (~(p | r) & (q ^ s));
            const std::uint64_t live = (odd & nIsOne) | (~odd & nIsTwo & ones[w]);

            const std::uint64_t area = liveRows(w, rws);
            const std::uint64_t newOnes = (ones[w] & ~area) | (live & area);
            const std::uint64_t newEmpties = (empties[w] & ~area) | (nextEmpties[w] & ~live & area);
            const std::uint64_t changed = (ones[w] ^ newOnes) | (empties[w] ^ newEmpties);
            ones[w] = newOnes;
            empties[w] = newEmpties;
            if (changed != 0)
                board_.numbersFromBits(i, w, changed);
            // The buffer is left holding 0 all over the live area.
            const std::uint64_t filled = nextEmpties[w] & area;
            if (filled != 0) {
                nextEmpties[w] &= ~area;
                nextBoard_.numbersFromBits(i, w, filled);
            }
        }
    }
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
    // The copies below go around set(): what they replace stops counting.
    if (regular)
        board_.others_ -= board_.othersIn(cols, rws);
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
    board_.bitsFromNumbers(cols, rws);
    nextBoard_.bitsFromNumbers(cols, rws);
}

} // namespace gridlore
