#include "patterns/rlereader.h"

#include "patterns/boundedinput.h"
#include "patterns/linereader.h"
#include "patterns/patternformat.h"
#include "patterns/patternplacer.h"

#include <cstdint>
#include <optional>
#include <streambuf>
#include <string>
#include <string_view>

namespace gridlore {
namespace {

using Traits = std::streambuf::traits_type;

bool isDigit(int c)
{
    return c >= '0' && c <= '9';
}

struct Size
{
    std::int64_t width = 0;
    std::int64_t height = 0;
};

class HeaderParser
{
public:
    explicit HeaderParser(std::string_view text)
        : text_(text)
    {
    }

    // "x = m, y = n", then the end or a comma and anything (the rule).
    std::optional<Size> parse()
    {
        Size size;
        if (!(key('x') && side(size.width) && take(',') && key('y') && side(size.height)))
            return std::nullopt;
        skipBlanks();
        if (pos_ == text_.size() || take(','))
            return size;
        return std::nullopt;
    }

private:
    // A stray CR within the header is passed over as the body's are.
    void skipBlanks()
    {
        while (pos_ < text_.size() && (isBlank(text_[pos_]) || isLineEnd(text_[pos_])))
            ++pos_;
    }

    bool take(char c)
    {
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool key(char name) { return take(name) && take('='); }

    // Plain digits: a sign, and with it any negative size, is refused.
    bool side(std::int64_t &value)
    {
        skipBlanks();
        value = 0;
        const std::size_t first = pos_;
        for (; pos_ < text_.size() && isDigit(text_[pos_]); ++pos_) {
            value = value * 10 + (text_[pos_] - '0');
            if (value > MaxPatternSide)
                return false;
        }
        return pos_ > first;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// Skips the '#' lines, however long, and blank lines before the header and
// reads the header line; false at the end of the file or for a line too long
// to be a header.
bool readHeaderLine(std::streambuf &in, std::string &line)
{
    LineReader lines(in);
    for (;;) {
        int c = in.sgetc();
        while (isBlank(c) || isLineEnd(c))
            c = in.snextc();
        if (c != '#')
            return lines.next(line) == LineReader::Status::Line;
        lines.skipLine();
    }
}

// Reads the runs up to '!', the end of the file, the first fault or the first
// row below the board (nothing after it can land), handing the live ones to
// the placer. True when anything of the pattern was read.
bool readBody(std::streambuf &in, Size size, PatternPlacer &placer)
{
    std::int64_t x = 0;
    std::int64_t y = 0;
    bool read = false;
    for (;;) {
        int c = in.sbumpc();
        std::int64_t count = 1;
        const bool counted = isDigit(c);
        if (counted) {
            // Capped just past any acceptable run, so the sums cannot overflow.
            for (count = 0; isDigit(c); c = in.sbumpc())
                count = std::min(count * 10 + (c - '0'), MaxPatternSide + 1);
            if (count == 0)
                return read; // no writer puts one; taken for damage
        }
        if (isBlank(c) || isLineEnd(c)) {
            if (counted)
                return read; // a count must be followed by its tag
            continue;
        }
        if (c == '!' || c == Traits::eof())
            return read || c == '!'; // text after '!' is not read; a missing '!' is accepted
        if (c == '$') {
            if (y + count > size.height)
                return read;
            y += count;
            x = 0;
            read = true;
            if (placer.isBelowBoard(y))
                return read;
            continue;
        }
        bool alive = true;
        if (c == 'b' || c == '.') {
            alive = false;
        } else if (c >= 'p' && c <= 'y') {
            // Multi-state rules write states above 24 as two letters, "pA" and so on.
            const int second = in.sbumpc();
            if (second < 'A' || second > 'X')
                return read;
        } else if (c != 'o' && (c < 'A' || c > 'X')) {
            return read; // an unknown tag
        }
        if (y >= size.height || x + count > size.width)
            return read;
        if (alive)
            placer.setAlive(x, y, count);
        x += count;
        read = true;
    }
}

} // namespace

ReadResult readRle(std::istream &in, Life &life)
{
    if (!in.rdbuf())
        return ReadResult::Unchanged;
    BoundedInput input(*in.rdbuf());
    skipByteOrderMark(input);
    std::string line;
    if (!readHeaderLine(input, line))
        return ReadResult::Unchanged;
    const std::optional<Size> size = HeaderParser(line).parse();
    if (!size)
        return ReadResult::Unchanged;
    PatternPlacer placer(life, size->width, size->height);
    if (!readBody(input, *size, placer) || input.overrun())
        return ReadResult::Unchanged;
    placer.commit(life);
    return ReadResult::Complete;
}

} // namespace gridlore
