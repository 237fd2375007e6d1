#include "patterns/plaintextreader.h"

#include "patterns/boundedinput.h"
#include "patterns/linereader.h"
#include "patterns/patternformat.h"
#include "patterns/patternplacer.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <streambuf>
#include <string>

namespace gridlore {
namespace {

using Traits = std::streambuf::traits_type;

// Rows are read byte by byte: a CR, of CR LF or alone, is passed over as
// blanks are.
bool isPassedOver(int c)
{
    return isBlank(c) || c == '\r';
}

struct Extent
{
    std::int64_t lines = 0; // lines before the first one outside the format
    std::int64_t width = 0;
    std::int64_t height = 0; // up to the last row that has cells
};

// Walks the first `lineLimit` lines, stopping early at a line that is neither
// a comment nor a row, and calls alive(x, y) for each live cell. Empty lines
// before the first row are not rows; empty lines after it are dead rows.
template <typename Alive>
Extent scanPlaintext(std::streambuf &in, std::int64_t lineLimit, Alive alive)
{
    Extent extent;
    std::int64_t y = 0;
    bool rowsBegun = false;
    while (extent.lines < lineLimit) {
        int c = in.sbumpc();
        if (c == Traits::eof())
            break;
        while (isPassedOver(c))
            c = in.sbumpc();
        if (c == '!') {
            while (c != Traits::eof() && c != '\n')
                c = in.sbumpc();
            ++extent.lines;
            continue;
        }
        std::int64_t x = 0;
        for (; c != Traits::eof() && c != '\n'; c = in.sbumpc()) {
            if (c == 'O' || c == '*')
                alive(x, y);
            else if (c != '.' && !isPassedOver(c))
                return extent;
            if (!isPassedOver(c))
                ++x;
        }
        ++extent.lines;
        if (x > 0) {
            rowsBegun = true;
            extent.width = std::max(extent.width, x);
            extent.height = y + 1;
        }
        if (rowsBegun)
            ++y;
        if (c == Traits::eof())
            break;
    }
    return extent;
}

// The text read, gone over once for the box and once to place the cells.
class TextBuffer : public std::streambuf
{
public:
    explicit TextBuffer(std::string &text)
    {
        setg(text.data(), text.data(), text.data() + text.size());
    }
};

} // namespace

ReadResult readPlaintext(std::istream &in, Life &life)
{
    if (!in.rdbuf())
        return ReadResult::Unchanged;
    BoundedInput input(*in.rdbuf());
    skipByteOrderMark(input);
    std::string text;
    char chunk[64 * 1024];
    for (std::streamsize got; (got = input.sgetn(chunk, sizeof chunk)) > 0;)
        text.append(chunk, static_cast<std::size_t>(got));
    if (input.overrun())
        return ReadResult::Unchanged;

    TextBuffer sizing(text);
    const Extent extent = scanPlaintext(
        sizing, std::numeric_limits<std::int64_t>::max(), [](std::int64_t, std::int64_t) {});
    if (extent.height == 0)
        return ReadResult::Unchanged;
    PatternPlacer placer(life, extent.width, extent.height);
    TextBuffer placing(text);
    scanPlaintext(placing, extent.lines,
        [&placer](std::int64_t x, std::int64_t y) { placer.setAlive(x, y); });
    placer.commit(life);
    return ReadResult::Complete;
}

} // namespace gridlore
