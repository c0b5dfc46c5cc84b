#include "platform/base/number_text.h"

#include <locale.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace base {
namespace {

// The "C" locale, made once; never freed, as it lives as long as the process.
locale_t c_locale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
  return locale;
}

// Switches this thread to the "C" locale for its lifetime.
class CLocaleScope {
 public:
  CLocaleScope() : previous_(uselocale(c_locale())) {}
  ~CLocaleScope() { uselocale(previous_); }
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  locale_t previous_;
};

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim_blanks(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string vformat_c(const char* format, va_list args) {
  if (!format) return {};
  CLocaleScope scope;
  va_list counting;
  va_copy(counting, args);
  int needed = std::vsnprintf(nullptr, 0, format, counting);
  va_end(counting);
  if (needed <= 0) return {};
  std::vector<char> buffer(size_t(needed) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), format, args);
  return std::string(buffer.data(), size_t(needed));
}

std::string format_c(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = vformat_c(format, args);
  va_end(args);
  return text;
}

double strtod_c(const char* text, char** end) { return strtod_l(text, end, c_locale()); }

bool parse_double(std::string_view text, double& value, bool accept_comma) {
  text = trim_blanks(text);
  // Only the plain decimal form is let through to the converter: sign, digits, one point,
  // exponent. This keeps out the hexadecimal, infinity and NaN forms strtod would take.
  std::string plain;
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
  size_t digits = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (is_digit(c)) {
      plain += c;
      ++digits;
    } else if ((c == '.' || (accept_comma && c == ',')) && !point) {
      plain += '.';
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    size_t exponent_digits = 0;
    for (; i < text.size() && is_digit(text[i]); ++i, ++exponent_digits) plain += text[i];
    if (exponent_digits == 0) return false;
  }
  if (i != text.size()) return false;
  char* end = nullptr;
  errno = 0;
  double v = strtod_c(plain.c_str(), &end);
  if (!end || *end || !std::isfinite(v)) return false;
  value = v;
  return true;
}

bool parse_integer(std::string_view text, long long& value) {
  text = trim_blanks(text);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    // "+-5" is not a number.
    if (!text.empty() && text.front() == '-') return false;
  }
  if (text.empty()) return false;
  long long v = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v, 10);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  value = v;
  return true;
}

}  // namespace base
