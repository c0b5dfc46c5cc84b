#include "shell/core/tag_string.h"

#include <cctype>

namespace shell {

bool CTagString::find(std::string_view open, std::string_view close, int n, size_t& start, size_t& length,
                     bool& closed) const {
  if (n < 0 || open.empty()) return false;
  size_t from = 0;
  for (int k = n; k >= 0; --k) {
    const size_t found = text_.find(open, from);
    if (found == std::string::npos) return false;
    start = found + open.size();
    const size_t end = text_.find(close, start);
    closed = end != std::string::npos;
    length = closed ? end - start : 0;
    from = found + close.size();
  }
  return true;
}

std::string CTagString::GetTagValue(std::string_view open, std::string_view close, int n) const {
  size_t start = 0, length = 0;
  bool closed = false;
  if (!find(open, close, n, start, length, closed) || !closed) return {};
  return text_.substr(start, length);
}

int CTagString::GetTagKind(std::string_view open, std::string_view close, int n) const {
  if (n < 0) return 0;
  size_t start = 0, length = 0;
  bool closed = false;
  if (!find(open, close, n, start, length, closed)) return -1;
  if (!closed || length == 0) return 0;
  switch (text_[start]) {
    case 'O': return 1;
    case 'R': return 2;
    case 'D': return 3;
    case 'T': return 4;
    case 'K': return 5;
    case 'C': return 6;
    case 'A': case 'Z': return 7;
    case 'P': return 8;
    case 'Y': return 9;
    default: return 0;
  }
}

uint16_t CTagString::GetTagDate(std::string_view open, std::string_view close) const {
  std::string value = GetTagValue(open, close, 0);
  while (!value.empty() && value.back() == ' ') value.pop_back();
  const size_t lead = value.find_first_not_of(' ');
  value = lead == std::string::npos ? std::string() : value.substr(lead);
  if (value.size() != 8) return kEmptyDate;
  for (size_t i : {0, 1, 3, 4, 6, 7})
    if (!std::isdigit(static_cast<unsigned char>(value[i]))) return kEmptyDate;
  // Two-digit years below 50 are of this century, so that acts of 2000 do not date from 1900.
  const int two_digits = std::stoi(value.substr(0, 2));
  const int year = (two_digits < 50 ? 2000 : 1900) + two_digits;
  const int month = std::stoi(value.substr(3, 2));
  const int day = std::stoi(value.substr(6, 2));
  static constexpr int kMonthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1 || day > kMonthDays[month - 1]) return kEmptyDate;
  const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  if (month == 2 && day == 29 && !leap) return kEmptyDate;
  return uint16_t(DaysSince1900(year, month, day));
}

int CTagString::ExtractBetween(std::string_view open, std::string_view close, std::string& out) const {
  size_t start = 0, length = 0;
  bool closed = false;
  if (!find(open, close, 0, start, length, closed)) return -1;
  out = closed ? text_.substr(start, length) : std::string();
  return int(out.size());
}

int CTagString::GetNumberedTag(std::string_view prefix, std::string_view close, std::string& out, int n) const {
  std::string key(prefix);
  while (!key.empty() && key.back() == ' ') key.pop_back();
  key += std::to_string(n);
  key += ':';
  return ExtractBetween(key, close, out);
}

int32_t DaysSince1900(int year, int month, int day) {
  // Days from the civil epoch 0000-03-01, so that leap days fall at the end of each year.
  const auto days = [](int y, int m, int d) {
    y -= m <= 2;
    const int era = y / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy;
  };
  return days(year, month, day) - days(1900, 1, 1);
}

}  // namespace shell
