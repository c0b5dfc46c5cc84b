// Reads arbitrary bytes as the text of a numeric field and of a margin field.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "controls/number_field_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  double value = 0;
  size_t read = number_field::ScanDecimal(text, value);
  if (read > text.size() || (read > 0 && !std::isfinite(value))) __builtin_trap();
  // A field's number is finite and inside its range whenever the text is valid.
  std::string_view number = number_field::NumberPart(text);
  if (number_field::CheckText(number, -5.0, 5.0) == number_field::kTextValid) {
    if (!number_field::ParseDecimal(number, value) || !(value >= -5.0 && value <= 5.0)) __builtin_trap();
    (void)number_field::FieldText(value, number_field::DecimalsShown(value));
  }
  // Centimetres read back the same from the text written for them.
  UINT millimetres = 0;
  if (number_field::ParseCentimetres(text, millimetres)) {
    UINT again = 0;
    if (!number_field::ParseCentimetres(number_field::FormatCentimetres(int(millimetres), 1).GetString(), again) ||
        again != millimetres)
      __builtin_trap();
  }
  return 0;
}
