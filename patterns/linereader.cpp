#include "patterns/linereader.h"

namespace gridlore {

using Traits = std::streambuf::traits_type;

LineReader::LineReader(std::streambuf &in, LoneCr loneCr)
    : in_(in)
    , loneCr_(loneCr)
{
}

LineReader::Status LineReader::next(std::string &line)
{
    line.clear();
    int c = in_.sbumpc();
    if (c == Traits::eof())
        return Status::End;
    for (; c != Traits::eof() && c != '\n'; c = in_.sbumpc()) {
        if (c == '\r') {
            const int after = in_.sgetc();
            if (after == '\n' || after == Traits::eof()) {
                in_.sbumpc();
                break;
            }
            if (loneCr_ == LoneCr::EndsLine)
                break;
        }
        if (line.size() == MaxLength)
            return Status::TooLong;
        line.push_back(Traits::to_char_type(c));
    }
    ++count_;
    return Status::Line;
}

void LineReader::skipLine()
{
    int c = in_.sbumpc();
    if (c == Traits::eof())
        return;
    ++count_;
    while (c != Traits::eof() && c != '\n' && !(c == '\r' && loneCr_ == LoneCr::EndsLine))
        c = in_.sbumpc();
    if (c == '\r' && in_.sgetc() == '\n')
        in_.sbumpc();
}

} // namespace gridlore
