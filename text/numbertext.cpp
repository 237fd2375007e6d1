#include "text/numbertext.h"

#include "text/characters.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace gridlore {
namespace {

struct Scan
{
    std::size_t end = 0; // one past the number's last character; 0 if none
    bool negative = false;
    int magnitude = 0; // decimal exponent of the leading significant digit, roughly
    bool nonZero = false; // some digit other than 0
};

// Finds the longest number at `pos`: sign, digits, fraction, exponent.
Scan scanNumber(std::string_view text, std::size_t pos)
{
    Scan scan;
    std::size_t i = pos;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        scan.negative = text[i] == '-';
        ++i;
    }
    int intDigits = 0;
    int leadingFractionZeros = 0;
    bool seenDigit = false;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        seenDigit = true;
        if (scan.nonZero || text[i] != '0') {
            scan.nonZero = true;
            ++intDigits;
        }
    }
    if (i < text.size() && text[i] == '.') {
        std::size_t j = i + 1;
        bool fractionDigit = false;
        for (; j < text.size() && isDigit(text[j]); ++j) {
            fractionDigit = true;
            if (!scan.nonZero) {
                if (text[j] == '0')
                    ++leadingFractionZeros;
                else
                    scan.nonZero = true;
            }
        }
        if (seenDigit || fractionDigit) {
            seenDigit = true;
            i = j;
        }
    }
    if (!seenDigit)
        return Scan {};
    scan.end = i;
    scan.magnitude = intDigits > 0 ? intDigits : -leadingFractionZeros;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            negativeExponent = text[j] == '-';
            ++j;
        }
        long long exponent = 0;
        const std::size_t digitsStart = j;
        for (; j < text.size() && isDigit(text[j]); ++j)
            exponent = std::min<long long>(exponent * 10 + (text[j] - '0'), 1'000'000);
        if (j > digitsStart) {
            scan.end = j;
            scan.magnitude += static_cast<int>(negativeExponent ? -exponent : exponent);
        }
    }
    return scan;
}

// Converts a scanned number. from_chars takes no '+' and reports both overflow
// and underflow as out of range; the magnitude tells them apart.
double convert(std::string_view text, std::size_t pos, const Scan &scan, bool &overflow)
{
    overflow = false;
    std::size_t first = pos;
    if (text[first] == '+')
        ++first;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data() + first, text.data() + scan.end, value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        if (scan.nonZero && scan.magnitude > 0) {
            overflow = true;
            value = std::numeric_limits<double>::infinity();
        } else {
            value = 0.0;
        }
        if (scan.negative)
            value = -value;
    }
    return value;
}

} // namespace

double textToNumber(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    const Scan scan = scanNumber(text, pos);
    if (scan.end == 0)
        return 0.0;
    bool overflow = false;
    return convert(text, pos, scan, overflow);
}

bool parseWholeNumber(std::string_view text, double &value)
{
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    const Scan scan = scanNumber(text, pos);
    if (scan.end == 0)
        return false;
    for (std::size_t i = scan.end; i < text.size(); ++i)
        if (!isBlank(text[i]))
            return false;
    bool overflow = false;
    value = convert(text, pos, scan, overflow);
    return !overflow;
}

std::string numberToText(double value)
{
    if (value == 0.0)
        value = 0.0; // no "-0"
    char buffer[64];
    std::to_chars_result result;
    if (std::fabs(value) < 1e15 && value == std::trunc(value))
        result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    else
        result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    if (!std::signbit(value))
        text.insert(text.begin(), ' ');
    return text;
}

} // namespace gridlore
