// Values read from the program's profile, which the user may edit: the integer reading and the
// binary (letter-pair) reading of any text. An integer is the number its leading decimal digits give
// (after blanks and a sign), clamped to 32 bits; a binary value written back gives the same text.
#include <charconv>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/profile.h"
#include "platform/base/temp_folder.h"

namespace {

// The expected integer, reckoned apart from the reader: the digit run read in one go.
int expected_int(std::string_view text) {
  size_t i = text.find_first_not_of(" \t");
  if (i == std::string_view::npos) return 0;
  bool negative = false;
  if (text[i] == '-' || text[i] == '+') negative = text[i++] == '-';
  size_t end = i;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  std::string_view digits = text.substr(i, end - i);
  digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
  if (digits.empty()) return 0;
  if (digits.size() > 10) return negative ? INT_MIN : INT_MAX;
  long long v = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), v);
  if (negative) v = -v;
  return v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : int(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static base::Profile profile(base::temp_folder() + "/fuzz_profile.ini");
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (base::parse_profile_int(text) != expected_int(text)) __builtin_trap();
  if (!profile.WriteProfileString("Fuzz", "Value", text.c_str())) return 0;
  const std::string stored(profile.GetProfileString("Fuzz", "Value", "").GetString());
  if (profile.GetProfileInt("Fuzz", "Value", -7) != expected_int(stored)) __builtin_trap();
  std::vector<uint8_t> bytes;
  if (profile.GetProfileBinary("Fuzz", "Value", bytes)) {
    if (bytes.size() * 2 != stored.size()) __builtin_trap();
    if (!profile.WriteProfileBinary("Fuzz", "Again", bytes.data(), bytes.size())) __builtin_trap();
    if (std::string(profile.GetProfileString("Fuzz", "Again", "").GetString()) != stored) __builtin_trap();
  }
  return 0;
}
