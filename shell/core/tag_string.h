// Tags embedded in descriptive texts: an opening marker such as "<Q:", a value, the closing marker
// ">". The text knows nothing of what the tags mean; callers name the markers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace shell {

class CTagString {
 public:
  explicit CTagString(std::string text) : text_(std::move(text)) {}

  const std::string& text() const { return text_; }

  // The value between the (n + 1)-th opening marker and the next closing marker; empty when n < 0,
  // when there are fewer markers or when the closing marker is missing.
  std::string GetTagValue(std::string_view open, std::string_view close, int n) const;
  // The level code of the first character of the (n + 1)-th value: O 1, R 2, D 3, T 4, K 5, C 6,
  // A and Z 7, P 8, Y 9; 0 for another or no character and for n < 0; -1 when the marker is missing.
  int GetTagKind(std::string_view open, std::string_view close, int n) const;
  // The first tag's value read as a date "YY?MM?DD" (blanks around it removed; years 00-49 are
  // 2000-2049, 50-99 are 1950-1999): the day count from 1900-01-01, or kEmptyDate when the marker
  // is missing or the value is not a date of that shape (digits, a month 1-12, a day of that month).
  // Window code turns it into a CDate with CDate(days, CDate::kEpoch1900).
  uint16_t GetTagDate(std::string_view open, std::string_view close) const;
  // The first tag's value into `out`, returning its length; -1 (`out` unchanged) when the opening
  // marker is missing, 0 and an empty `out` when the closing marker is missing.
  int ExtractBetween(std::string_view open, std::string_view close, std::string& out) const;
  // As ExtractBetween for the key made of `prefix` and the decimal `n` followed by ":" (blanks at
  // the end of the prefix dropped): prefix "<W" with 1 reads the tag "<W1:".
  int GetNumberedTag(std::string_view prefix, std::string_view close, std::string& out, int n) const;

  static constexpr uint16_t kEmptyDate = 0xFFFF;

 private:
  // Finds the (n + 1)-th tag: its value's start and length; false when missing.
  bool find(std::string_view open, std::string_view close, int n, size_t& start, size_t& length, bool& closed) const;

  std::string text_;
};

// Days from 1900-01-01 (day 0) to the given date of the Gregorian calendar.
int32_t DaysSince1900(int year, int month, int day);

}  // namespace shell
