#include "patterns/rlereader.h"

#include "patterns/boundedinput.h"
#include "patterns/linereader.h"
#include "patterns/patternformat.h"
#include "patterns/patternplacer.h"
#include "text/characters.h"

#include <cstdint>
#include <optional>
#include <streambuf>
#include <string>
#include <string_view>

namespace gridlore {
namespace {

using Traits = std::streambuf::traits_type;

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
    void skipBlanks()
    {
        while (pos_ < text_.size() && isBlank(text_[pos_]))
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
// reads the header line. False, with the problem, when there is none or it is
// too long to be one.
bool readHeaderLine(LineReader &lines, std::streambuf &in, std::string &line, ReadProblem &problem)
{
    for (;;) {
        int c = in.sgetc();
        while (isBlank(c))
            c = in.snextc();
        if (c == '#') {
            lines.skipLine();
            continue;
        }
        switch (lines.next(line)) {
        case LineReader::Status::Line:
            if (line.empty())
                continue; // its blanks were passed over above
            return true;
        case LineReader::Status::End:
            problem = { ReadProblem::Kind::NoHeader };
            return false;
        case LineReader::Status::TooLong:
            problem = { ReadProblem::Kind::LineTooLong, lines.count() + 1 };
            return false;
        }
    }
}

// Reads the runs up to '!', the end of the file, the first fault or the first
// row below the board (nothing after it can land), handing the live ones to
// the placer. Bytes are read one at a time, line ends passed over as blanks
// are; `line` counts them, a CR alone as one. True when anything of the
// pattern was read.
bool readBody(
    std::streambuf &in, Size size, std::int64_t line, PatternPlacer &placer, ReadProblem &problem)
{
    using Kind = ReadProblem::Kind;
    std::int64_t x = 0;
    std::int64_t y = 0;
    bool read = false;
    const auto fault = [&](Kind kind, int byte = 0) {
        problem = { kind, line, Traits::to_char_type(byte) };
        return read;
    };
    for (;;) {
        int c = in.sbumpc();
        std::int64_t count = 1;
        const bool counted = isDigit(c);
        if (counted) {
            // Capped just past any acceptable run, so the sums cannot overflow.
            for (count = 0; isDigit(c); c = in.sbumpc())
                count = std::min(count * 10 + (c - '0'), MaxPatternSide + 1);
            if (count == 0)
                return fault(Kind::ZeroCount); // no writer puts one; taken for damage
        }
        if (isBlank(c) || isLineEnd(c)) {
            if (counted)
                return fault(Kind::BlankAfterCount); // a count must be followed by its tag
            if (c == '\n' || (c == '\r' && in.sgetc() != '\n'))
                ++line;
            continue;
        }
        if (c == '!' || c == Traits::eof()) {
            if (!read && c != '!')
                problem = { Kind::NoCells };
            return read || c == '!'; // text after '!' is not read; a missing '!' is accepted
        }
        if (c == '$') {
            if (y + count > size.height)
                return fault(Kind::OutsideBox);
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
            const int second = in.sgetc();
            if (second < 'A' || second > 'X')
                return fault(Kind::UnknownCharacter, c);
            in.sbumpc();
        } else if (c != 'o' && (c < 'A' || c > 'X')) {
            return fault(Kind::UnknownCharacter, c);
        }
        if (y >= size.height || x + count > size.width)
            return fault(Kind::OutsideBox);
        if (alive)
            placer.setAlive(x, y, count);
        x += count;
        read = true;
    }
}

} // namespace

ReadResult readRle(std::istream &in, Life &life, ReadProblem &problem)
{
    if (!in.rdbuf())
        return ReadResult::Unchanged;
    BoundedInput input(*in.rdbuf());
    skipByteOrderMark(input);
    LineReader lines(input, LineReader::LoneCr::EndsLine);
    const auto refused = [&] {
        if (input.overrun())
            problem = { ReadProblem::Kind::TooLarge };
        return ReadResult::Unchanged;
    };
    std::string line;
    if (!readHeaderLine(lines, input, line, problem))
        return refused();
    const std::optional<Size> size = HeaderParser(line).parse();
    if (!size) {
        problem = { ReadProblem::Kind::BadHeader, lines.count() };
        return refused();
    }
    PatternPlacer placer(life, size->width, size->height);
    if (!readBody(input, *size, lines.count() + 1, placer, problem) || input.overrun())
        return refused();
    placer.commit(life);
    return ReadResult::Complete;
}

} // namespace gridlore
