#pragma once

// The characters every text format here sorts bytes by. Plain comparisons, not
// <cctype>: those follow the locale and take only unsigned char values.
namespace gridlore {

// A blank between the parts of a line: a space or a tab.
inline bool isBlank(int c)
{
    return c == ' ' || c == '\t';
}

inline bool isDigit(int c)
{
    return c >= '0' && c <= '9';
}

// The bytes of a line end. Where a format lets line ends stand between its
// parts (RLE), they are passed over as blanks are.
inline bool isLineEnd(int c)
{
    return c == '\r' || c == '\n';
}

} // namespace gridlore
