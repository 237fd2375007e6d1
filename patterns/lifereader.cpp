#include "patterns/lifereader.h"

#include "patterns/boundedinput.h"
#include "patterns/linereader.h"
#include "patterns/patternformat.h"
#include "patterns/patternplacer.h"
#include "text/characters.h"

#include <algorithm>
#include <cstdint>
#include <streambuf>
#include <string>
#include <string_view>

namespace gridlore {
namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

bool sameLetters(std::string_view a, std::string_view b)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
        return lower(x) == lower(y);
    });
}

// Conway's rule as 1.05 writes it (survival/birth) or as RLE does.
bool isConwayRule(std::string_view rule)
{
    rule = trimmed(rule);
    return rule == "23/3" || sameLetters(rule, "B3/S23");
}

// Blanks, then a whole number with an optional sign, taken off the front of
// `text`. False for anything else or a number beyond MaxPatternSide.
bool takeCoordinate(std::string_view &text, std::int64_t &value)
{
    text = trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::size_t digits = 0;
    value = 0;
    for (; digits < text.size() && isDigit(text[digits]); ++digits) {
        value = value * 10 + (text[digits] - '0');
        if (value > MaxPatternSide)
            return false;
    }
    text.remove_prefix(digits);
    if (negative)
        value = -value;
    return digits > 0 && (text.empty() || isBlank(text.front()));
}

// Exactly two coordinates and nothing after them.
bool parsePair(std::string_view text, std::int64_t &x, std::int64_t &y)
{
    return takeCoordinate(text, x) && takeCoordinate(text, y) && trimmed(text).empty();
}

enum class Version { None, V105, V106 };

struct Scan
{
    bool anyAlive = false;
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = 0;
    std::int64_t bottom = 0;
};

// Walks the file up to its end or the first line outside the format (which
// `problem` tells), calling alive(x, y, count) for each run of live cells.
// Stops at once on a foreign rule.
template <typename Alive> Scan scanLife(std::istream &in, ReadProblem &problem, Alive alive)
{
    using Kind = ReadProblem::Kind;
    Scan scan;
    auto live = [&](std::int64_t x, std::int64_t y, std::int64_t count) {
        if (!scan.anyAlive) {
            scan.left = scan.right = x;
            scan.top = scan.bottom = y;
            scan.anyAlive = true;
        }
        scan.left = std::min(scan.left, x);
        scan.right = std::max(scan.right, x + count - 1);
        scan.top = std::min(scan.top, y);
        scan.bottom = std::max(scan.bottom, y);
        alive(x, y, count);
    };

    std::streambuf *buffer = in.rdbuf();
    if (!buffer)
        return scan;
    skipByteOrderMark(*buffer);
    LineReader lines(*buffer, LineReader::LoneCr::EndsLine);
    std::string line;
    Version version = Version::None;
    std::int64_t blockLeft = 0;
    std::int64_t row = 0;
    const auto fault = [&](Kind kind, char byte = 0) {
        problem = { kind, lines.count(), byte };
        return scan;
    };
    for (;;) {
        const LineReader::Status status = lines.next(line);
        if (status == LineReader::Status::End)
            break;
        if (status == LineReader::Status::TooLong) {
            problem = { Kind::LineTooLong, lines.count() + 1 };
            break;
        }
        // Trailing blanks only: a leading one would shift a row of cells.
        std::string_view text = line;
        while (!text.empty() && isBlank(text.back()))
            text.remove_suffix(1);
        if (version == Version::None) {
            const std::string_view header = trimmed(text);
            if (header.empty())
                continue; // blank lines before the header, as the format sniffer allows
            if (startsWith(header, "#Life 1.05"))
                version = Version::V105;
            else if (startsWith(header, "#Life 1.06"))
                version = Version::V106;
            else
                return fault(Kind::BadHeader);
            continue;
        }
        if (startsWith(text, "#R")) {
            if (!isConwayRule(text.substr(2)))
                return fault(Kind::ForeignRule);
        } else if (version == Version::V105 && startsWith(text, "#P")) {
            // A bare "#P", as Golly's files have it, is a block at the origin.
            if (trimmed(text.substr(2)).empty())
                blockLeft = row = 0;
            else if (!parsePair(text.substr(2), blockLeft, row))
                return fault(Kind::BadCoordinates);
        } else if (startsWith(text, "#")) {
            // "#D", "#N" and the like: descriptions and the normal rule.
        } else if (version == Version::V106) {
            std::int64_t x = 0;
            std::int64_t y = 0;
            if (text.empty())
                continue; // a blank line holds no cell
            if (!parsePair(text, x, y))
                return fault(Kind::BadCoordinates);
            live(x, y, 1);
        } else {
            for (std::size_t i = 0; i < text.size();) {
                const char c = text[i];
                if (c != '.' && c != '*')
                    return fault(Kind::UnknownCharacter, c);
                std::size_t end = i;
                while (end < text.size() && text[end] == c)
                    ++end;
                if (c == '*')
                    live(blockLeft + std::int64_t(i), row, std::int64_t(end - i));
                i = end;
            }
            ++row;
        }
    }
    return scan;
}

} // namespace

ReadResult readLife(std::istream &in, Life &life, ReadProblem &problem)
{
    const std::istream::pos_type start = in.tellg();
    if (start == std::istream::pos_type(-1))
        return ReadResult::Unchanged;
    // The first pass sees at most MaxPatternInputSize bytes; a file that goes
    // on beyond them is unusable, so the second never reads further.
    BoundedInput bounded(*in.rdbuf());
    std::istream limited(&bounded);
    const Scan scan = scanLife(limited, problem, [](std::int64_t, std::int64_t, std::int64_t) {});
    if (bounded.overrun())
        problem = { ReadProblem::Kind::TooLarge };
    else if (!scan.anyAlive && problem.kind == ReadProblem::Kind::None)
        problem = { ReadProblem::Kind::NoCells };
    if (problem.kind == ReadProblem::Kind::ForeignRule || !scan.anyAlive || bounded.overrun())
        return ReadResult::Unchanged;

    in.clear();
    in.seekg(start);
    if (!in)
        return ReadResult::Unchanged;
    PatternPlacer placer(life, scan.right - scan.left + 1, scan.bottom - scan.top + 1);
    ReadProblem again;
    scanLife(in, again, [&](std::int64_t x, std::int64_t y, std::int64_t count) {
        placer.setAlive(x - scan.left, y - scan.top, count);
    });
    placer.commit(life);
    return ReadResult::Complete;
}

} // namespace gridlore
