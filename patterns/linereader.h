#pragma once

#include "text/characters.h"

#include <cstddef>
#include <cstdint>
#include <streambuf>
#include <string>

namespace gridlore {

// Hands out a stream's lines one at a time and never holds more than one line
// of at most MaxLength bytes, however long the line or the file: a longer line
// is reported, not collected. A line ends at LF or CR LF, and at a CR alone
// where the format says so; a CR just before the end of the stream ends the
// last line.
class LineReader
{
public:
    // No format needs longer lines: the program's own holds one number a
    // line, and the others keep theirs short (Life 1.05 allows 80 bytes).
    static constexpr std::size_t MaxLength = 4096;

    enum class LoneCr {
        InLine, // a CR not before LF is part of the line
        EndsLine, // as old Mac files end their lines
    };
    enum class Status {
        Line, // `line` holds the next line, without its line end
        End, // no more lines
        TooLong, // the next line is longer than MaxLength; reading stops here
    };

    explicit LineReader(std::streambuf &in, LoneCr loneCr = LoneCr::InLine);

    Status next(std::string &line);

    // Passes over the rest of the current line, however long, and its line end.
    void skipLine();

    // Lines handed out or passed over so far: the number of the last one.
    std::int64_t count() const { return count_; }

private:
    std::streambuf &in_;
    LoneCr loneCr_;
    std::int64_t count_ = 0;
};

} // namespace gridlore
