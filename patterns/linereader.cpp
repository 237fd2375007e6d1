#include "patterns/linereader.h"

namespace gridlore {

LineReader::LineReader(std::istream &in, std::size_t maxLength)
    : buffer_(in.rdbuf())
    , maxLength_(maxLength)
{
}

LineReader::Status LineReader::next(std::string &line)
{
    line.clear();
    if (!buffer_)
        return Status::End;
    using Traits = std::streambuf::traits_type;
    // One byte over the limit is allowed for the CR of a CR LF line end.
    const std::size_t room = maxLength_ + 1;
    int c = buffer_->sbumpc();
    if (c == Traits::eof())
        return Status::End;
    for (; c != Traits::eof() && c != '\n'; c = buffer_->sbumpc()) {
        if (line.size() == room)
            return Status::TooLong;
        line.push_back(Traits::to_char_type(c));
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line.size() > maxLength_ ? Status::TooLong : Status::Line;
}

} // namespace gridlore
