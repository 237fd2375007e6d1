#include "patterns/patternformat.h"

#include "patterns/linereader.h"

#include <string_view>

namespace gridlore {
namespace {

using Traits = std::streambuf::traits_type;

bool isPlaintextCell(int c)
{
    return c == '.' || c == 'O' || c == '*';
}

// Reads from the stream buffer, but no more than the budget allows.
class Sniffer
{
public:
    explicit Sniffer(std::streambuf &buffer)
        : buffer_(buffer)
    {
    }

    int peek() { return budget_ > 0 ? buffer_.sgetc() : Traits::eof(); }
    int next()
    {
        if (budget_ == 0)
            return Traits::eof();
        --budget_;
        return buffer_.sbumpc();
    }

private:
    std::streambuf &buffer_;
    std::size_t budget_ = FormatSniffLimit;
};

PatternFormat sniff(std::streambuf &buffer)
{
    Sniffer in(buffer);
    // A byte-order mark, as some editors write it, is no part of the first line.
    if (in.peek() == 0xEF) {
        in.next();
        if (in.next() != 0xBB || in.next() != 0xBF)
            return PatternFormat::Own;
    }
    int c = in.next();
    while (isBlank(c) || isLineEnd(c))
        c = in.next();
    if (c == '#') {
        for (const char expected : std::string_view("Life 1.0"))
            if (in.next() != expected)
                return PatternFormat::Rle;
        c = in.next();
        return c == '5' || c == '6' ? PatternFormat::Life : PatternFormat::Rle;
    }
    if (c == '!')
        return PatternFormat::Plaintext;
    if (c == 'x') {
        do
            c = in.next();
        while (isBlank(c));
        return c == '=' ? PatternFormat::Rle : PatternFormat::Own;
    }
    if (!isPlaintextCell(c))
        return PatternFormat::Own;
    // A row of cells: the whole line (as far as the budget reaches) must be one.
    for (c = in.next(); c != Traits::eof() && !isLineEnd(c); c = in.next())
        if (!isPlaintextCell(c) && !isBlank(c))
            return PatternFormat::Own;
    return PatternFormat::Plaintext;
}

} // namespace

void skipByteOrderMark(std::streambuf &in)
{
    if (in.sgetc() == 0xEF)
        for (int i = 0; i < 3; ++i)
            in.sbumpc();
}

PatternFormat detectPatternFormat(std::istream &in)
{
    const std::istream::pos_type start = in.tellg();
    if (start == std::istream::pos_type(-1) || !in.rdbuf())
        return PatternFormat::Own; // nothing to rewind to: only the own format is read in one pass
    const PatternFormat format = sniff(*in.rdbuf());
    in.seekg(start);
    return format;
}

} // namespace gridlore
