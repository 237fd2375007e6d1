#include "patterns/patternplacer.h"

#include <algorithm>

namespace gridlore {
namespace {

// Rounds towards minus infinity, also for a pattern wider than the board.
std::int64_t halfDown(std::int64_t n)
{
    return n >= 0 ? n / 2 : -((-n + 1) / 2);
}

} // namespace

PatternPlacer::PatternPlacer(const Life &life, std::int64_t width, std::int64_t height)
    : columns_(life.columns())
    , rows_(life.rows())
    , left_(halfDown(columns_ - std::clamp<std::int64_t>(width, 0, MaxSpan)) + 1)
    , top_(halfDown(rows_ - std::clamp<std::int64_t>(height, 0, MaxSpan)) + 1)
    , alive_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), 0)
{
}

void PatternPlacer::setAlive(std::int64_t x, std::int64_t y, std::int64_t count)
{
    // Anything beyond MaxSpan is off the board whatever the box, and ruling it
    // out first keeps the sums below from overflowing.
    if (count <= 0 || x < 0 || y < 0 || x > MaxSpan || y > MaxSpan)
        return;
    const std::int64_t row = top_ + y;
    if (row < 1 || row > rows_)
        return;
    const std::int64_t first = std::max<std::int64_t>(left_ + x, 1);
    const std::int64_t last
        = std::min<std::int64_t>(left_ + x + std::min(count, MaxSpan) - 1, columns_);
    for (std::int64_t column = first; column <= last; ++column)
        alive_[static_cast<std::size_t>((column - 1) * rows_ + (row - 1))] = 1;
}

void PatternPlacer::commit(Life &life) const
{
    for (int i = 1; i <= columns_; ++i)
        for (int j = 1; j <= rows_; ++j)
            life.board().set(i, j,
                Cell(alive_[static_cast<std::size_t>((i - 1) * rows_ + (j - 1))] ? 1.0 : 0.0));
}

} // namespace gridlore
