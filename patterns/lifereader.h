#pragma once

#include "patterns/patternfile.h"

namespace gridlore {

// Reads a Life 1.05 or 1.06 file (.lif, .life), told apart by its first line.
// 1.06: one "x y" pair of whole numbers per line, a live cell each. 1.05:
// "#P x y" starts a block whose rows of '.' (dead) and '*' (alive) go down
// from (x, y); rows before any "#P" start at (0, 0). In both, other '#' lines
// ("#D", "#N") are comments, and a rule given by "#R" must be Conway's
// ("23/3" or "B3/S23"): any other leaves the board unchanged. Reading stops at
// the first line outside the format, which `problem` tells; the live cells
// before it, by their bounding box, are centred on the live area as an RLE
// pattern is. Unchanged when no live cell was read. Reads the stream twice, so
// it must be seekable.
ReadResult readLife(std::istream &in, Life &life, ReadProblem &problem);

} // namespace gridlore
