#include "controls/number_field_text.h"

#include <cctype>
#include <cmath>
#include <string>

#include "platform/base/number_text.h"

namespace number_field {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The longest length the margin fields take, in millimetres (100 km): anything longer is a typing
// slip, and it keeps the product in range of the integer.
constexpr double kLongestMillimetres = 1e8;

}  // namespace

size_t ScanDecimal(std::string_view text, double& value, bool allow_sign) {
  size_t i = 0;
  if (allow_sign && i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  size_t digits = 0;
  while (i < text.size() && is_digit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && is_digit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  double read = 0;
  // The shape is already checked; the conversion itself is locale-free and refuses overflow.
  if (!base::parse_double(text.substr(0, i), read) || !std::isfinite(read)) return 0;
  value = read;
  return i;
}

bool ParseDecimal(std::string_view text, double& value) {
  double read = 0;
  size_t length = ScanDecimal(text, read);
  if (length == 0 || length != text.size()) return false;
  value = read;
  return true;
}

TextCheck CheckText(std::string_view text, double minimum, double maximum) {
  double value = 0;
  if (!ParseDecimal(text, value)) return kTextNotANumber;
  if (value > maximum || value < minimum) return kTextOutOfRange;
  return kTextValid;
}

std::string_view NumberPart(std::string_view window_text) {
  size_t blank = window_text.find(' ');
  return blank == std::string_view::npos ? window_text : window_text.substr(0, blank);
}

int DecimalsShown(double value) {
  std::string shown = base::format_c("%G", value);
  size_t point = shown.find('.');
  if (point == std::string::npos) return 0;
  size_t end = point + 1;
  while (end < shown.size() && is_digit(shown[end])) ++end;
  return int(end - point - 1);
}

CString FieldText(double value, int decimals) {
  return CString(base::format_c("%.*f cm", decimals, value).c_str());
}

int CentimetresToMillimetres(double centimetres) { return int(std::lround(centimetres * 10.0)); }

bool ParseCentimetres(std::string_view text, UINT& millimetres) {
  double value = 0;
  size_t length = ScanDecimal(text, value, false);
  if (length == 0) return false;
  std::string_view rest = text.substr(length);
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
  bool unit = rest.size() == 2 && std::tolower(static_cast<unsigned char>(rest[0])) == 'c' &&
              std::tolower(static_cast<unsigned char>(rest[1])) == 'm';
  if (!rest.empty() && !unit) return false;
  if (value * 10.0 > kLongestMillimetres) return false;
  millimetres = UINT(CentimetresToMillimetres(value));
  return true;
}

CString FormatCentimetres(int millimetres, int max_decimals) {
  std::string text = base::format_c("%.*f", max_decimals, millimetres / 10.0);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return CString((text + "cm").c_str());
}

}  // namespace number_field
