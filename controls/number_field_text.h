// The texts of numeric fields: reading a plain decimal number, checking a field's text against
// its range, the field's display text with its unit, and lengths in centimetres.
//
// Every reading here is locale-free and strict: an optional sign (where allowed), digits and an
// optional fraction after a '.', nothing else. Exponents, hexadecimal forms, infinities and NaN
// are refused, so a value read is always finite and compares with a range as expected.
#pragma once

#include <string_view>

#include "platform/base/cstring.h"
#include "platform/base/win_types.h"

namespace number_field {

// How a field's text relates to its range.
enum TextCheck { kTextValid = 0, kTextOutOfRange = 1, kTextNotANumber = 2 };

// Reads a plain decimal number at the start of `text`: [sign] digits [. digits], at least one
// digit ("2.", ".5" and "-3" are numbers; "", "-", "." and "2e3" past the 2 are not). Returns the
// count of characters read (0 when there is no number) and sets `value`.
size_t ScanDecimal(std::string_view text, double& value, bool allow_sign = true);

// The whole of `text` as one plain decimal number; false leaves `value` alone.
bool ParseDecimal(std::string_view text, double& value);

// A field's number: the text is whole a plain decimal number inside minimum to maximum.
TextCheck CheckText(std::string_view text, double minimum, double maximum);

// The text of a numeric field's window up to its first blank: the number part, before the unit.
std::string_view NumberPart(std::string_view window_text);

// The decimals "%G" shows for `value` (6 significant digits): 2.25 has 2, 5 has none.
int DecimalsShown(double value);

// A numeric field's text: the value with `decimals` decimals and the unit " cm" behind it.
CString FieldText(double value, int decimals);

// Centimetres typed by the user as whole millimetres: a number without sign, then optional blanks
// and the unit "cm" in any case (blanks may follow it). Tenths of a millimetre round half away
// from zero (2.25 cm gives 23 mm). False for anything else, and for lengths past 100 km.
bool ParseCentimetres(std::string_view text, UINT& millimetres);

// A length in millimetres as centimetres with at most `max_decimals` decimals (trailing zeros
// dropped) and "cm" right after the number: 200 gives "20cm", 215 "21.5cm", 5 "0.5cm".
CString FormatCentimetres(int millimetres, int max_decimals);

// Centimetres as whole millimetres, rounded half away from zero (2.3 cm is 23 mm, not 22).
int CentimetresToMillimetres(double centimetres);

}  // namespace number_field
