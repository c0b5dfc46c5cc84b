// Code page 1250 text: the engine keeps every stored and displayed string as CP1250 bytes and
// converts to Unicode only at the boundaries (drawing, widgets, clipboard, file names).
//
// Conversion uses our own 256-entry tables in both directions. Every defined byte round-trips
// exactly. The five bytes the code page leaves undefined (0x81 0x83 0x88 0x90 0x98) read as
// U+FFFD so they stay visible; a Unicode character with no CP1250 form writes as '?'.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace base::cp1250 {

// What an undefined CP1250 byte reads as.
inline constexpr char32_t kUndefinedChar = U'\uFFFD';
// What a character without a CP1250 form (or a malformed UTF-8/UTF-16 sequence) writes as.
inline constexpr char kReplacementByte = '?';

// --- Single characters ---------------------------------------------------------------------
bool is_defined(uint8_t b);
// The Unicode character of byte `b`; kUndefinedChar for the undefined bytes.
char32_t to_unicode(uint8_t b);
// The byte of `c`, or false when the code page has no form for it (and for U+FFFD).
bool from_unicode(char32_t c, uint8_t& out);
// The byte of `c`, or kReplacementByte.
uint8_t from_unicode(char32_t c);

// --- Strings -----------------------------------------------------------------------------------
std::string to_utf8(std::string_view cp1250);
// Every byte that does not begin a well-formed UTF-8 sequence (bad lead, truncated, overlong,
// surrogate, above U+10FFFF) writes one kReplacementByte, and decoding goes on after that byte.
std::string from_utf8(std::string_view utf8);
std::u16string to_utf16(std::string_view cp1250);
// A surrogate pair writes one kReplacementByte (no such character is in the code page), and so
// does an unpaired surrogate.
std::string from_utf16(std::u16string_view utf16);

// --- Letter classes (of one byte) ----------------------------------------------------------------
bool is_letter(uint8_t b);  // ASCII letters and every letter of the code page (ą, Ł, ß, µ, ...)
bool is_upper(uint8_t b);
bool is_lower(uint8_t b);
bool is_digit(uint8_t b);   // '0'..'9' only
bool is_alnum(uint8_t b);
bool is_space(uint8_t b);   // space, \t \n \v \f \r, no-break space 0xA0
// Every other defined, visible character: ASCII punctuation, quotes, dashes, §, €, ©, ...
bool is_punct(uint8_t b);

// Case mapping; bytes without a case partner in the code page come back unchanged.
uint8_t to_upper(uint8_t b);
uint8_t to_lower(uint8_t b);
std::string to_upper(std::string_view s);
std::string to_lower(std::string_view s);
void make_upper(std::string& s);
void make_lower(std::string& s);

// Case-insensitive equality under the code page's case mapping.
bool equal_no_case(std::string_view a, std::string_view b);
// Case-insensitive three-way comparison by upper-cased bytes (for ordered keys, not for display).
int compare_no_case(std::string_view a, std::string_view b);

// --- Polish collation ------------------------------------------------------------------------
// A key whose byte order (std::string operator<) is the Polish alphabetical order of the text:
// spaces and controls first, then punctuation and symbols, then digits, then letters in the order
// a ą b c ć d e ę f g h i j k l ł m n ń o ó p q r s ś t u v w x y z ź ż. Foreign letters sort with
// their base letter (ä with a, č with c). The primary order ignores case and accents; ties are
// broken by accents (plain first), then by case (lower first), then by the raw bytes, so two
// different strings never get the same key.
std::string collation_key(std::string_view cp1250);
// Three-way comparison in the order of collation_key (<0, 0, >0).
int collate(std::string_view a, std::string_view b);

}  // namespace base::cp1250
