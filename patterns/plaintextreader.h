#pragma once

#include "patterns/patternfile.h"

namespace gridlore {

// Reads a plaintext Life pattern: lines starting with '!' are comments, every
// other line is a row of '.' (dead) and 'O' or '*' (alive), short rows padded
// with dead cells; blanks and tabs on a line are passed over, and a line ends
// at LF, CR LF or a CR alone. Reading stops at the first line that is neither,
// which `problem` tells; the rows before it are placed, centred on the live
// area. Unchanged when no row could be read, or when the input goes on past
// MaxPatternInputSize (boundedinput.h). Reads the stream once, holding what it
// read (the box must be known before placing).
ReadResult readPlaintext(std::istream &in, Life &life, ReadProblem &problem);

} // namespace gridlore
