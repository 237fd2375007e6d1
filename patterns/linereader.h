#pragma once

#include <cstddef>
#include <istream>
#include <string>

namespace gridlore {

// Hands out a stream's lines one at a time and never holds more than one line
// of at most `maxLength` bytes, however long the line or the file: a longer
// line is reported, not collected. Takes LF and CR LF line ends alike.
class LineReader
{
public:
    enum class Status {
        Line, // `line` holds the next line, without its line end
        End, // no more lines
        TooLong, // the next line is longer than the limit; reading stops here
    };

    LineReader(std::istream &in, std::size_t maxLength);

    Status next(std::string &line);

private:
    std::streambuf *buffer_;
    std::size_t maxLength_;
};

} // namespace gridlore
