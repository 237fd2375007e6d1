#pragma once

#include "engine/life.h"

#include <cstddef>
#include <iosfwd>

namespace gridlore {

// RLE lines are kept to this length, as other Life programs keep them.
inline constexpr std::size_t RleLineLength = 70;

// Writes the live cells of the live area (those holding 1, as the drawing
// shows them) as an RLE pattern: a "#C" line naming the program, the header
// "x = W, y = H, rule = B3/S23" for the bounding box of the live cells, then
// its rows as runs of b and o, ending with '!'. An empty board gives a 0 by 0
// box. Lines end with LF.
void writeRle(std::ostream &out, const Life &life);

} // namespace gridlore
