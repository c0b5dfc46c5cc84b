#include <algorithm>
#include <string>

#include "engine/fts/breakers/word_breakers.h"

namespace fts {

namespace {

constexpr uint16_t kBufferSize = 254;
// Larger numbers in dates and times are out of range whatever they mean.
constexpr uint64_t kNumberCap = 1'000'000'000'000ull;
constexpr uint64_t kLastYear = 11'734'883;

bool is_blank(uint8_t c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }
bool is_digit(uint8_t c) { return c >= '0' && c <= '9'; }

// The value being parsed: the buffer and the place in it.
struct Cursor {
  const uint8_t* p;
  const uint8_t* end;
  bool at_end() const { return p == end; }
  uint8_t peek() const { return p < end ? *p : 0; }
};

// Builds a typed term; a negative sign complements every byte from the exponent on.
struct TypedTerm {
  uint8_t type;
  char sign = '2';
  int exponent = 0;
  std::string mantissa;  // at least one digit

  // `trim_after_complement`: numbers and years drop the zeros that complementing produced (the
  // nines of a negative value); dates drop their zeros before complementing.
  int32_t build(uint8_t* out, bool trim_after_complement) const {
    std::string digits = mantissa;
    const char trailing = trim_after_complement && sign == '1' ? '9' : '0';
    while (digits.size() > 1 && digits.back() == trailing) digits.pop_back();
    if (6 + digits.size() > 255) return kFtsWordTooLong;
    uint8_t* p = out + 1;
    *p++ = 0x01;
    *p++ = type;
    *p++ = uint8_t(sign);
    uint8_t* const body = p;
    *p++ = uint8_t('0' + exponent / 100);
    *p++ = uint8_t('0' + exponent / 10 % 10);
    *p++ = uint8_t('0' + exponent % 10);
    for (char c : digits) *p++ = uint8_t(c);
    if (sign == '1')
      for (uint8_t* q = body; q < p; ++q) *q = uint8_t('9' - (*q - '0'));
    out[0] = uint8_t(p - out - 1);
    return kFtsOk;
  }
};
// The zero of a date or time: '2', "0000" and a zero byte.
void zero_date_term(uint8_t type, uint8_t* out) {
  const uint8_t bytes[] = {8, 0x01, type, '2', '0', '0', '0', '0', 0};
  std::copy(std::begin(bytes), std::end(bytes), out);
}

// A date or time value as a term: exponent 500 + its digit count.
void value_term(uint8_t type, char sign, uint64_t value, uint8_t* out) {
  if (value == 0) return zero_date_term(type, out);
  TypedTerm t{type, sign, 0, std::to_string(value)};
  t.exponent = 500 + int(t.mantissa.size());
  t.build(out, false);
}

// Up to four decimal numbers, each after the first introduced by '/' or ':' with a digit at once.
int32_t number_group(Cursor& c, uint64_t* numbers, int& count) {
  count = 0;
  for (;;) {
    if (!is_digit(c.peek())) return kFtsMalformedValue;
    uint64_t v = 0;
    while (is_digit(c.peek())) {
      v = std::min(kNumberCap, v * 10 + uint64_t(*c.p++ - '0'));
    }
    if (count == 4) return kFtsMalformedValue;
    numbers[count++] = v;
    if ((c.peek() == '/' || c.peek() == ':') && c.p + 1 < c.end && is_digit(c.p[1])) {
      ++c.p;
      continue;
    }
    if (c.peek() == '/' || c.peek() == ':') return kFtsMalformedValue;
    return kFtsOk;
  }
}

bool leap(uint64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int month_length(uint64_t month, uint64_t year) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && leap(year) ? 29 : kDays[month - 1];
}

int32_t parse_number(Cursor& c, uint8_t* out) {
  TypedTerm t{kTypedTermNumber, '2', 0, {}};
  if (c.peek() == '-') {
    t.sign = '1';
    ++c.p;
  } else if (c.peek() == '+') {
    ++c.p;
  }
  if (!is_digit(c.peek()) && c.peek() != '.') return kFtsMalformedValue;
  while (c.peek() == '0' || c.peek() == ',') ++c.p;
  int64_t n = 0;
  for (; is_digit(c.peek()) || c.peek() == ','; ++c.p) {
    if (c.peek() == ',') continue;
    t.mantissa += char(*c.p);
    ++n;
  }
  if (c.peek() == '.') {
    ++c.p;
    if (n == 0)
      for (; c.peek() == '0'; ++c.p) --n;
    for (; is_digit(c.peek()); ++c.p) t.mantissa += char(*c.p);
  }
  int64_t exponent = 0;
  if (c.peek() == 'E' || c.peek() == 'e') {
    ++c.p;
    bool negative = false;
    if (c.peek() == '-' || c.peek() == '+') negative = *c.p++ == '-';
    if (!is_digit(c.peek())) return kFtsMalformedValue;
    for (; is_digit(c.peek()); ++c.p) exponent = std::min<int64_t>(100000, exponent * 10 + (*c.p - '0'));
    if (negative) exponent = -exponent;
  }
  if (t.mantissa.empty()) {
    t.sign = '2';
    t.mantissa.assign(1, '0');
    return t.build(out, true);
  }
  const int64_t field = exponent + n + 499;
  if (field < 0 || field > 999) return kFtsValueOutOfRange;
  t.exponent = int(field);
  return t.build(out, true);
}

int32_t parse_epoch(Cursor& c, uint8_t* out) {
  TypedTerm t{kTypedTermEpoch, '2', 0, {}};
  if (!is_digit(c.peek())) return kFtsMalformedValue;
  while (c.peek() == '0' || c.peek() == ',') ++c.p;
  for (; is_digit(c.peek()) || c.peek() == ','; ++c.p)
    if (c.peek() != ',') t.mantissa += char(*c.p);
  if (c.peek() == 'B' || c.peek() == 'b') {
    t.sign = '1';
    ++c.p;
  }
  if (t.mantissa.empty()) {
    t.sign = '2';
    t.mantissa.assign(1, '0');
    return t.build(out, true);
  }
  const size_t field = t.mantissa.size() + 499;
  if (field > 999) return kFtsValueOutOfRange;
  t.exponent = int(field);
  return t.build(out, true);
}

int32_t parse_date(Cursor& c, uint8_t* out) {
  uint64_t numbers[4];
  int count;
  if (int32_t code = number_group(c, numbers, count)) return code;
  if (count != 1 && count != 3) return kFtsMalformedValue;
  const uint64_t month = count == 3 ? numbers[0] : 0;
  const uint64_t day = count == 3 ? numbers[1] : 0;
  const uint64_t year = count == 3 ? numbers[2] : numbers[0];
  char sign = '2';
  if (c.peek() == 'B' || c.peek() == 'b') {
    sign = '1';
    ++c.p;
  }
  if (month == 0 && day == 0 && year == 0) return kFtsMalformedValue;
  if (month > 12 || year > kLastYear || (day && !month)) return kFtsMalformedValue;
  if (day && day > uint64_t(month_length(month, year))) return kFtsMalformedValue;
  uint64_t value = day;
  const uint64_t months_before = day ? month - 1 : month;
  for (uint64_t m = 1; m <= months_before; ++m) value += uint64_t(month_length(m, year));
  if (year < kLastYear) {
    const int64_t y = month ? int64_t(year) - 1 : int64_t(year);
    if (y >= 0) {
      value += 146097 * uint64_t(y / 400) + 36524 * uint64_t(y % 400 / 100);
      for (int64_t k = 0; k <= y % 100; ++k) value += leap(uint64_t(k)) ? 366 : 365;
    }
  }
  value_term(kTypedTermDate, sign, value, out);
  return kFtsOk;
}

int32_t parse_time(Cursor& c, uint8_t* out) {
  uint64_t n[4] = {};
  int count;
  if (int32_t code = number_group(c, n, count)) return code;
  if (count < 2) return kFtsMalformedValue;
  const uint64_t value = 360000 * n[0] + 6000 * n[1] + 100 * n[2] + n[3];
  value_term(kTypedTermTime, '2', value, out);
  return kFtsOk;
}

using ValueParser = int32_t (*)(Cursor& c, uint8_t* out);

// Gathers the text of every call; the end call parses it value by value.
int32_t break_typed(const BreakerCall& call, ValueParser parse) {
  if (!call.state) return kFtsBadArgument;
  BreakerState& s = *call.state;
  if (call.text) {
    if (s.buffered == 0) s.bufferPosition = call.position;
    if (size_t(s.buffered) + call.length >= kBufferSize) {
      s.buffered = 0;
      return kFtsWordTooLong;
    }
    std::copy(call.text, call.text + call.length, s.buffer + s.buffered);
    s.buffered = uint16_t(s.buffered + call.length);
    return kFtsOk;
  }
  Cursor c{s.buffer, s.buffer + s.buffered};
  const int32_t base = s.bufferPosition;
  s.buffered = 0;
  for (const uint8_t* p = c.p; p < c.end; ++p)
    if (*p == '*') return kFtsWildcardInValue;
  for (;;) {
    while (!c.at_end() && is_blank(*c.p)) ++c.p;
    if (c.at_end()) return kFtsOk;
    const int32_t position = base + int32_t(c.p - s.buffer);
    uint8_t term[256];
    if (int32_t code = parse(c, term)) return code;
    if (!c.at_end() && !is_blank(*c.p)) return kFtsMalformedValue;
    if (InStopList(call.stopList, term)) continue;
    if (call.callback) {
      const uint8_t* first = s.buffer + (position - base);
      uint8_t raw[256];
      raw[0] = uint8_t(c.p - first);
      std::copy(first, c.p, raw + 1);
      if (int32_t code = call.callback(raw, term, position, call.callbackValue)) return code;
    }
  }
}

}  // namespace

int32_t FBreakNumber(const BreakerCall& call) { return break_typed(call, parse_number); }
int32_t FBreakDate(const BreakerCall& call) { return break_typed(call, parse_date); }
int32_t FBreakTime(const BreakerCall& call) { return break_typed(call, parse_time); }
int32_t FBreakEpoch(const BreakerCall& call) { return break_typed(call, parse_epoch); }

}  // namespace fts
