#include "platform/base/cp1250.h"

#include <algorithm>
#include <array>

namespace base::cp1250 {
namespace {

// Unicode of bytes 0x80..0xFF (0x00..0x7F are ASCII). Zero marks the five undefined bytes.
constexpr std::array<char16_t, 128> kHigh = {
    // 0x80
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    // 0x90
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    // 0xA0
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    // 0xB0
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    // 0xC0
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    // 0xD0
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    // 0xE0
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    // 0xF0
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// The reverse table: (Unicode, byte) pairs of the high half sorted by Unicode, for binary search.
struct Reverse {
  char16_t unicode;
  uint8_t byte;
};
constexpr size_t kDefinedHigh = 123;
constexpr std::array<Reverse, kDefinedHigh> make_reverse() {
  std::array<Reverse, kDefinedHigh> out{};
  size_t n = 0;
  for (size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i]) out[n++] = {kHigh[i], uint8_t(0x80 + i)};
  std::sort(out.begin(), out.end(), [](Reverse a, Reverse b) { return a.unicode < b.unicode; });
  return out;
}
constexpr std::array<Reverse, kDefinedHigh> kReverse = make_reverse();

// Per-byte class bits and case partners.
enum : uint8_t { kLetter = 1, kUpper = 2, kLower = 4, kDigit = 8, kSpace = 16, kPunct = 32 };

// Case pairs outside ASCII: upper byte, lower byte. 0xC0..0xDE pair with +0x20 except 0xD7 (×).
constexpr std::array<std::array<uint8_t, 2>, 10> kCasePairs = {{
    {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F},
    {0xA3, 0xB3}, {0xA5, 0xB9}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xBC, 0xBE},
}};

struct CharTables {
  std::array<uint8_t, 256> cls{};
  std::array<uint8_t, 256> upper{};
  std::array<uint8_t, 256> lower{};
};

constexpr CharTables make_char_tables() {
  CharTables t{};
  for (int b = 0; b < 256; ++b) t.upper[b] = t.lower[b] = uint8_t(b);
  auto pair = [&t](int up, int low) {
    t.cls[up] = kLetter | kUpper;
    t.cls[low] = kLetter | kLower;
    t.upper[low] = uint8_t(up);
    t.lower[up] = uint8_t(low);
  };
  for (int b = 'A'; b <= 'Z'; ++b) pair(b, b + 0x20);
  for (auto p : kCasePairs) pair(p[0], p[1]);
  for (int b = 0xC0; b <= 0xDE; ++b)
    if (b != 0xD7) pair(b, b + 0x20);
  // Lower-case letters with no upper-case form in the code page.
  t.cls[0xB5] = kLetter | kLower;  // µ
  t.cls[0xDF] = kLetter | kLower;  // ß
  for (int b = '0'; b <= '9'; ++b) t.cls[b] = kDigit;
  for (int b : {0x20, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0xA0}) t.cls[b] = kSpace;
  for (int b = 0x21; b < 256; ++b) {
    bool defined = b < 0x80 || kHigh[b - 0x80] != 0;
    // 0x7F is a control and 0xAD (soft hyphen) is invisible: neither is punctuation.
    if (defined && t.cls[b] == 0 && b != 0x7F && b != 0xAD) t.cls[b] = kPunct;
  }
  return t;
}
constexpr CharTables kChars = make_char_tables();

void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else {
    // Every character of the code page (and U+FFFD) lies in the Basic Multilingual Plane.
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

// Decodes one UTF-8 sequence at s[i]; returns its length, or 0 when malformed (`c` unset).
size_t decode_utf8(std::string_view s, size_t i, char32_t& c) {
  auto lead = uint8_t(s[i]);
  size_t len;
  char32_t min;
  if (lead < 0x80) {
    c = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    len = 2, min = 0x80, c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    len = 3, min = 0x800, c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    len = 4, min = 0x10000, c = lead & 0x07;
  } else {
    return 0;
  }
  if (s.size() - i < len) return 0;
  for (size_t k = 1; k < len; ++k) {
    auto b = uint8_t(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    c = (c << 6) | (b & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return len;
}

// --- Collation tables ---
//
// Primary weight of every byte (never 0, which ends the primary part of a key). Letters get the
// weight of their Polish alphabet position; foreign letters share their base letter's weight.
constexpr std::string_view kAlphabet = "a\xB9" "bc\xE6" "de\xEA" "fghijkl\xB3" "mn\xF1" "o\xF3"
                                       "pqrs\x9C" "tuvwxyz\x9F\xBF";

// Base letter of lower-case foreign letters of the code page (those outside the Polish alphabet).
constexpr std::array<std::array<uint8_t, 2>, 33> kForeignBase = {{
    {0xE1, 'a'}, {0xE2, 'a'}, {0xE3, 'a'}, {0xE4, 'a'}, {0xE7, 'c'}, {0xE8, 'c'}, {0xEF, 'd'},
    {0xF0, 'd'}, {0xE9, 'e'}, {0xEB, 'e'}, {0xEC, 'e'}, {0xED, 'i'}, {0xEE, 'i'}, {0xE5, 'l'},
    {0xBE, 'l'}, {0xB5, 'm'}, {0xF2, 'n'}, {0xF4, 'o'}, {0xF5, 'o'}, {0xF6, 'o'}, {0xE0, 'r'},
    {0xF8, 'r'}, {0x9A, 's'}, {0xBA, 's'}, {0xDF, 's'}, {0x9D, 't'}, {0xFE, 't'}, {0xF9, 'u'},
    {0xFA, 'u'}, {0xFB, 'u'}, {0xFC, 'u'}, {0xFD, 'y'}, {0x9E, 'z'},
}};

constexpr std::array<uint8_t, 256> make_primary() {
  std::array<uint8_t, 256> w{};
  // Spaces and controls share the lowest weight.
  for (int b = 0; b < 256; ++b)
    if (kChars.cls[b] == kSpace || b < 0x20 || b == 0x7F || b == 0xAD) w[b] = 1;
  // Punctuation, symbols and the undefined bytes by their Unicode value (then by byte).
  std::array<uint16_t, 256> order{};
  int n = 0;
  for (int b = 0; b < 256; ++b)
    if (!w[b] && !(kChars.cls[b] & (kLetter | kDigit))) order[n++] = uint16_t(b);
  auto unicode_of = [](uint16_t b) -> uint32_t {
    return b < 0x80 ? b : (kHigh[b - 0x80] ? kHigh[b - 0x80] : 0xFFFD);
  };
  std::sort(order.begin(), order.begin() + n, [&](uint16_t a, uint16_t b) {
    return unicode_of(a) != unicode_of(b) ? unicode_of(a) < unicode_of(b) : a < b;
  });
  uint8_t next = 2;
  for (int i = 0; i < n; ++i) w[order[i]] = next++;
  for (int b = '0'; b <= '9'; ++b) w[b] = next++;
  uint8_t letters = next;
  for (size_t i = 0; i < kAlphabet.size(); ++i) w[uint8_t(kAlphabet[i])] = uint8_t(letters + i);
  for (auto f : kForeignBase) w[f[0]] = w[f[1]];
  for (int b = 0; b < 256; ++b)
    if (kChars.cls[b] & kUpper) w[b] = w[kChars.lower[b]];
  return w;
}
constexpr std::array<uint8_t, 256> kPrimary = make_primary();

// Accent mark of every byte: 2 for a foreign letter (which shares its base letter's weight), 1
// for everything else.
constexpr std::array<uint8_t, 256> make_accent() {
  std::array<uint8_t, 256> a{};
  for (int b = 0; b < 256; ++b) a[b] = 1;
  for (auto f : kForeignBase) a[f[0]] = a[kChars.upper[f[0]]] = 2;
  return a;
}
constexpr std::array<uint8_t, 256> kAccent = make_accent();

// Zero ends the primary part of a key, so no byte may weigh zero; letters weigh the most.
constexpr bool primary_weights_complete() {
  for (int b = 0; b < 256; ++b) {
    if (kPrimary[b] == 0) return false;
    if ((kChars.cls[b] & kLetter) && kPrimary[b] < kPrimary['a']) return false;
  }
  return kPrimary['a'] > kPrimary['9'];
}
static_assert(primary_weights_complete());

}  // namespace

bool is_defined(uint8_t b) { return b < 0x80 || kHigh[b - 0x80] != 0; }

char32_t to_unicode(uint8_t b) {
  if (b < 0x80) return b;
  char16_t u = kHigh[b - 0x80];
  return u ? char32_t(u) : kUndefinedChar;
}

bool from_unicode(char32_t c, uint8_t& out) {
  if (c < 0x80) {
    out = uint8_t(c);
    return true;
  }
  auto it = std::lower_bound(kReverse.begin(), kReverse.end(), c,
                             [](Reverse r, char32_t v) { return r.unicode < v; });
  if (it == kReverse.end() || it->unicode != c) return false;
  out = it->byte;
  return true;
}

uint8_t from_unicode(char32_t c) {
  uint8_t b;
  return from_unicode(c, b) ? b : uint8_t(kReplacementByte);
}

std::string to_utf8(std::string_view cp1250) {
  std::string out;
  out.reserve(cp1250.size() + cp1250.size() / 4);
  for (char ch : cp1250) append_utf8(out, to_unicode(uint8_t(ch)));
  return out;
}

std::string from_utf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t c;
    size_t len = decode_utf8(utf8, i, c);
    out += len ? char(from_unicode(c)) : kReplacementByte;
    i += len ? len : 1;
  }
  return out;
}

std::u16string to_utf16(std::string_view cp1250) {
  std::u16string out;
  out.reserve(cp1250.size());
  for (char ch : cp1250) out += char16_t(to_unicode(uint8_t(ch)));
  return out;
}

std::string from_utf16(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size(); ++i) {
    char16_t u = utf16[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      ++i;  // a pair outside the Basic Multilingual Plane: never in the code page
      out += kReplacementByte;
    } else {
      out += char(from_unicode(u));
    }
  }
  return out;
}

bool is_letter(uint8_t b) { return kChars.cls[b] & kLetter; }
bool is_upper(uint8_t b) { return kChars.cls[b] & kUpper; }
bool is_lower(uint8_t b) { return kChars.cls[b] & kLower; }
bool is_digit(uint8_t b) { return kChars.cls[b] & kDigit; }
bool is_alnum(uint8_t b) { return kChars.cls[b] & (kLetter | kDigit); }
bool is_space(uint8_t b) { return kChars.cls[b] & kSpace; }
bool is_punct(uint8_t b) { return kChars.cls[b] & kPunct; }

uint8_t to_upper(uint8_t b) { return kChars.upper[b]; }
uint8_t to_lower(uint8_t b) { return kChars.lower[b]; }

void make_upper(std::string& s) {
  for (char& c : s) c = char(kChars.upper[uint8_t(c)]);
}
void make_lower(std::string& s) {
  for (char& c : s) c = char(kChars.lower[uint8_t(c)]);
}
std::string to_upper(std::string_view s) {
  std::string out(s);
  make_upper(out);
  return out;
}
std::string to_lower(std::string_view s) {
  std::string out(s);
  make_lower(out);
  return out;
}

int compare_no_case(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int ua = kChars.upper[uint8_t(a[i])], ub = kChars.upper[uint8_t(b[i])];
    if (ua != ub) return ua < ub ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool equal_no_case(std::string_view a, std::string_view b) {
  return a.size() == b.size() && compare_no_case(a, b) == 0;
}

// Key layout: primary weights, 0, accent marks, 0, case marks (1 lower or caseless, 2 upper), 0,
// the raw bytes.
std::string collation_key(std::string_view cp1250) {
  std::string key;
  key.reserve(cp1250.size() * 4 + 3);
  for (char c : cp1250) key += char(kPrimary[uint8_t(c)]);
  key += '\0';
  for (char c : cp1250) key += char(kAccent[uint8_t(c)]);
  key += '\0';
  for (char c : cp1250) key += char(is_upper(uint8_t(c)) ? 2 : 1);
  key += '\0';
  key.append(cp1250);
  return key;
}

int collate(std::string_view a, std::string_view b) {
  int r = collation_key(a).compare(collation_key(b));
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

}  // namespace base::cp1250
