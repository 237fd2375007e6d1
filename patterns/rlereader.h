#pragma once

#include "patterns/patternfile.h"

namespace gridlore {

// Reads a run-length encoded Life pattern: '#' lines, the header
// "x = m, y = n[, rule = ...]", then runs of b (dead), o (alive), $ (row end)
// up to '!'. Any rule loads; the letters of multi-state rules count as alive.
// Lines end at LF, CR LF or a CR alone, which only matters to the header and
// to the line a fault is told on.
// Reading stops at the first fault (a count that overruns the header's box,
// an unknown tag, blanks between a count and its tag), which `problem` tells;
// what came before it is placed, centred on the live area. Reading also stops
// at the first row below the live area, as nothing after it can land.
// Unchanged when not even the header and one token could be read, or when the
// input goes on past MaxPatternInputSize (boundedinput.h) before reading stops.
ReadResult readRle(std::istream &in, Life &life, ReadProblem &problem);

} // namespace gridlore
