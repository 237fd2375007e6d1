#pragma once

#include <string>
#include <string_view>

// The program's own conversions between numbers and text. They follow no
// locale: a full stop is always the decimal point.
namespace gridlore {

// The number the text begins with once leading blanks and tabs are skipped:
// an optional sign, digits with an optional fraction, an optional exponent.
// 0 when the text begins with no number. Never hexadecimal, "inf" or "nan".
// A number too large for a double gives plus or minus infinity.
double textToNumber(std::string_view text);

// Like textToNumber, but the whole text must be one number with nothing but
// blanks and tabs around it. Returns false for anything else, and for a number
// beyond the range of a double.
bool parseWholeNumber(std::string_view text, double &value);

// One leading blank when the number is not negative, then its digits: whole
// numbers below 10^15 as plain digits, others in the shortest form that reads
// back to the same number.
std::string numberToText(double value);

} // namespace gridlore
