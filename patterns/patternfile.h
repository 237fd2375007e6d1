#pragma once

#include "engine/life.h"

#include <iosfwd>

namespace gridlore {

// The program's own pattern file: one line per live-area cell, column by
// column, rows 1.. within each column, every line ended by CR LF. " 0 " and
// " 1 " for dead and live, an empty line for an empty cell, other numbers
// framed the same way (a negative one starts with its "-"). No header: the
// board size in effect when reading decides where each value goes.
void writePattern(std::ostream &out, const Life &life);

enum class ReadResult {
    Complete,  // the board was filled (or a pattern placed): repaint it
    Stopped,   // the file ended or went wrong part way: the cells read keep
               // their new values, the rest their old ones; no repaint
    Unchanged, // nothing usable was read and the board is as it was
};

// Fills the live area of the board from `in`, column by column. Also takes
// LF-only line ends and blanks or tabs around a value.
ReadResult readPattern(std::istream &in, Life &life);

} // namespace gridlore
