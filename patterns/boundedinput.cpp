#include "patterns/boundedinput.h"

#include <algorithm>

namespace gridlore {

namespace {
constexpr std::size_t ChunkSize = 64 * 1024;
} // namespace

BoundedInput::BoundedInput(std::streambuf &source, std::size_t limit)
    : source_(source)
    , left_(limit)
    , chunk_(std::min(ChunkSize, std::max<std::size_t>(limit, 1)))
{
}

BoundedInput::int_type BoundedInput::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    if (left_ == 0) {
        overrun_ = overrun_ || source_.sgetc() != traits_type::eof();
        return traits_type::eof();
    }
    const std::streamsize got = source_.sgetn(
        chunk_.data(), static_cast<std::streamsize>(std::min(left_, chunk_.size())));
    if (got <= 0)
        return traits_type::eof();
    left_ -= static_cast<std::size_t>(got);
    setg(chunk_.data(), chunk_.data(), chunk_.data() + got);
    return traits_type::to_int_type(*gptr());
}

} // namespace gridlore
