#pragma once

#include <cstddef>
#include <streambuf>
#include <vector>

namespace gridlore {

// The most of a file in another program's pattern format that is read. No
// pattern that fits the board needs more than a few megabytes; a longer input
// is taken for unusable, so that no file holds the window up for long.
inline constexpr std::size_t MaxPatternInputSize = 16 * 1024 * 1024;

// A stream buffer over another that ends after `limit` bytes of it and tells
// afterwards whether the other went on past them.
class BoundedInput : public std::streambuf
{
public:
    explicit BoundedInput(std::streambuf &source, std::size_t limit = MaxPatternInputSize);

    // True once a read has come to the limit with more of the source behind it.
    bool overrun() const { return overrun_; }

protected:
    int_type underflow() override;

private:
    std::streambuf &source_;
    std::size_t left_;
    bool overrun_ = false;
    std::vector<char> chunk_;
};

} // namespace gridlore
