#pragma once

#include <cstddef>
#include <istream>
#include <streambuf>

namespace gridlore {

enum class PatternFormat {
    Own, // the program's own one-value-per-line format
    Rle, // run-length encoded Life pattern (.rle)
    Plaintext, // rows of '.' and 'O' (.cells)
    Life, // Life 1.05 or 1.06 (.lif, .life)
};

// How much of a file recognition looks at: a file whose first non-blank line
// does not show up within it is read in the program's own format.
inline constexpr std::size_t FormatSniffLimit = 64 * 1024;

// Tells the format by the first line that is not blank: "#Life 1.05" or
// "#Life 1.06" starts a Life file, any other '#' or "x =" an RLE file, '!' or
// a line of only '.', 'O' and '*' a plaintext one, anything else is the
// program's own format (which never starts with those). Reads at most
// FormatSniffLimit bytes and puts the stream back where it was; a stream that
// cannot be put back is left failed.
PatternFormat detectPatternFormat(std::istream &in);

// Steps over a UTF-8 byte-order mark, as some editors write at the start of a
// file. A file that only starts like one is never taken for RLE or plaintext.
void skipByteOrderMark(std::streambuf &in);

} // namespace gridlore
