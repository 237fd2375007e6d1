#pragma once

#include "engine/life.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>

namespace gridlore {

// The program's own pattern file: one line per live-area cell, column by
// column, rows 1.. within each column, every line ended by CR LF. " 0 " and
// " 1 " for dead and live, an empty line for an empty cell, other numbers
// framed the same way (a negative one starts with its "-"). No header: the
// board size in effect when reading decides where each value goes.
void writePattern(std::ostream &out, const Life &life);

enum class ReadResult {
    Complete, // the board was filled (or a pattern placed): repaint it
    Stopped, // the file ended or went wrong part way: the cells read keep
             // their new values, the rest their old ones
    Unchanged, // nothing usable was read and the board is as it was
};

// Why a pattern in another program's format left the board as it was or was
// used only up to a fault, and where. Words for the user are the window's.
struct ReadProblem
{
    enum class Kind {
        None,
        UnknownCharacter, // `byte` has no place there
        BlankAfterCount, // RLE: a blank or a line end between a count and its tag
        ZeroCount, // RLE: a run of 0 cells
        OutsideBox, // RLE: a run beyond the width or height the header gives
        NoHeader, // RLE: no "x = m, y = n" line after the comments
        BadHeader, // a header line that is not the format's
        BadCoordinates, // Life: not two whole numbers, or one out of range
        ForeignRule, // Life: a rule other than Conway's
        LineTooLong, // longer than LineReader::MaxLength
        TooLarge, // goes on past MaxPatternInputSize (boundedinput.h)
        NoCells, // nothing to place
    };
    Kind kind = Kind::None;
    std::int64_t line = 0; // counted from 1; 0 when no one line is at fault
    char byte = 0;
};

// Reads a pattern file of any format the program knows (see patternformat.h):
// the program's own, or an RLE, plaintext or Life 1.05/1.06 pattern, which is
// centred on the live area. A stream that is not seekable is read in the own format only.
// `problem` tells why a pattern of another program's format was not wholly
// used; the own format tells nothing there.
ReadResult readPattern(std::istream &in, Life &life, ReadProblem *problem = nullptr);

// Fills the live area of the board from `in`, column by column, one line per
// cell. Also takes LF-only line ends and blanks or tabs around a value. Stops
// as a failure where the file ends too soon and at the first line that is not empty
// or blank, is not one number or holds one beyond a double's range, or is
// longer than LineReader::MaxLength; lines after the last cell are not read.
// Never holds more than one line, whatever the file.
ReadResult readOwnPattern(std::istream &in, Life &life);

} // namespace gridlore
