#pragma once

#include "engine/life.h"

namespace gridlore {

// A live cell, as the drawing shows it and as other Life programs' formats
// keep it: one holding 1.
inline bool isLive(const Life &life, int column, int row)
{
    return life.board().at(column, row).number() == 1.0;
}

// The smallest box of the live area that holds every live cell.
struct LiveBox
{
    int left = 0, top = 0, right = -1, bottom = -1; // empty while right < left
    bool empty() const { return right < left; }
    int width() const { return empty() ? 0 : right - left + 1; }
    int height() const { return empty() ? 0 : bottom - top + 1; }
};

LiveBox liveBox(const Life &life);

// True when a cell of the live area holds a number other than 0 and 1, which
// a file that keeps only live cells writes as dead.
bool holdsOtherNumbers(const Life &life);

} // namespace gridlore
