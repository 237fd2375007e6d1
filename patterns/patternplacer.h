#pragma once

#include "engine/life.h"

#include <cstdint>
#include <vector>

namespace gridlore {

// The largest size and coordinate a pattern file may give, in any format: a
// larger one is taken for a corrupt file, not a pattern.
inline constexpr std::int64_t MaxPatternSide = 2147483647;

// Collects the live cells of a pattern read from another program's file where
// they will land: its width x height box centred on the live area, the parts
// beyond the live area dropped. The board itself is touched only by commit(),
// so a file that turns out to hold nothing usable leaves it as it was. Holds
// one byte per live-area cell, whatever the pattern's size.
class PatternPlacer
{
public:
    // The widest a pattern can be: from -MaxPatternSide to MaxPatternSide.
    // Larger sizes and coordinates count as this far, so no sum overflows.
    static constexpr std::int64_t MaxSpan = 2 * MaxPatternSide + 1;

    PatternPlacer(const Life &life, std::int64_t width, std::int64_t height);

    // `count` live cells from the pattern's cell (x, y) to the right, counted
    // from 0 at its top-left corner. Any coordinates and counts are safe.
    void setAlive(std::int64_t x, std::int64_t y, std::int64_t count = 1);

    // True when the pattern's row y, and so every row after it, lies below the
    // live area.
    bool isBelowBoard(std::int64_t y) const { return y > MaxSpan || top_ + y > rows_; }

    // Every live-area cell becomes 1 where the pattern is alive and 0 elsewhere.
    void commit(Life &life) const;

    // Board column and row of the pattern's top-left cell.
    std::int64_t left() const { return left_; }
    std::int64_t top() const { return top_; }

private:
    int columns_;
    int rows_;
    std::int64_t left_;
    std::int64_t top_;
    std::vector<std::uint8_t> alive_; // column by column, as the board is walked
};

} // namespace gridlore
