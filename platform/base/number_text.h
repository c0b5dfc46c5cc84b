// Numbers as text independent of the C library's locale.
//
// Qt sets the C library's locale to the user's at start-up; under a Polish locale printf writes
// "2,5" and strtod stops at a decimal point. Everything that stores numbers as text, or shows
// them with a decimal point, goes through these helpers, which always work in the "C" locale:
// a '.' decimal point and no digit grouping.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

namespace base {

// printf formatting in the "C" locale.
std::string format_c(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string vformat_c(const char* format, va_list args) __attribute__((format(printf, 1, 0)));

// strtod in the "C" locale: the same contract (leading blanks, the longest number that fits,
// `end` set past it).
double strtod_c(const char* text, char** end);

// A whole decimal number: blanks around it, an optional sign, digits with at most one decimal
// point ('.', and ',' as well when `accept_comma`), an optional exponent. Hexadecimal forms,
// infinities and NaN are refused, as is anything else left over. False leaves `value` alone.
bool parse_double(std::string_view text, double& value, bool accept_comma = false);
// A whole decimal integer: blanks around it and an optional sign; false when anything else is
// left over or the number does not fit. False leaves `value` alone.
bool parse_integer(std::string_view text, long long& value);

}  // namespace base
