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

struct Extent
{
    std::int64_t lines = 0; // lines before the first one outside the format
    std::int64_t width = 0;
    std::int64_t height = 0; // up to the last row that has cells
};

// Walks the first `lineLimit` lines, stopping early at a line that is neither
// a comment nor a row (which `problem` tells), and calls alive(x, y) for each
// live cell. Empty lines before the first row are not rows; empty lines after
// it are dead rows.
template <typename Alive>
Extent scanPlaintext(std::streambuf &in, std::int64_t lineLimit, ReadProblem &problem, Alive alive)
{
    LineReader lines(in, LineReader::LoneCr::EndsLine);
    std::string line;
    Extent extent;
    std::int64_t y = 0;
    bool rowsBegun = false;
    while (extent.lines < lineLimit) {
        int c = in.sgetc();
        while (isBlank(c))
            c = in.snextc();
        if (c == '!') {
            lines.skipLine(); // a comment, however long
            ++extent.lines;
            continue;
        }
        const LineReader::Status status = lines.next(line);
        if (status == LineReader::Status::End)
            break;
        if (status == LineReader::Status::TooLong) {
            problem = { ReadProblem::Kind::LineTooLong, extent.lines + 1 };
            break;
        }
        std::int64_t x = 0;
        for (const char cell : line) {
            if (cell == 'O' || cell == '*')
                alive(x, y);
            else if (cell != '.' && !isBlank(cell)) {
                problem = { ReadProblem::Kind::UnknownCharacter, extent.lines + 1, cell };
                return extent;
            }
            if (!isBlank(cell))
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

ReadResult readPlaintext(std::istream &in, Life &life, ReadProblem &problem)
{
    if (!in.rdbuf())
        return ReadResult::Unchanged;
    BoundedInput input(*in.rdbuf());
    skipByteOrderMark(input);
    std::string text;
    char chunk[64 * 1024];
    for (std::streamsize got; (got = input.sgetn(chunk, sizeof chunk)) > 0;)
        text.append(chunk, static_cast<std::size_t>(got));
    if (input.overrun()) {
        problem = { ReadProblem::Kind::TooLarge };
        return ReadResult::Unchanged;
    }

    TextBuffer sizing(text);
    const Extent extent = scanPlaintext(sizing, std::numeric_limits<std::int64_t>::max(), problem,
        [](std::int64_t, std::int64_t) {});
    if (extent.height == 0) {
        if (problem.kind == ReadProblem::Kind::None)
            problem = { ReadProblem::Kind::NoCells };
        return ReadResult::Unchanged;
    }
    PatternPlacer placer(life, extent.width, extent.height);
    TextBuffer placing(text);
    ReadProblem again;
    scanPlaintext(placing, extent.lines, again,
        [&placer](std::int64_t x, std::int64_t y) { placer.setAlive(x, y); });
    placer.commit(life);
    return ReadResult::Complete;
}

} // namespace gridlore
