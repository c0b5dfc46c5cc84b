// Window description strings, window records and media compound names from hostile bytes: the parts put back
// together give the input again, and no part holds more than its separators allow.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/datapres/embedded_window.h"
#include "engine/datapres/embedded_window_layout.h"
#include "engine/mvmci/media_io.h"
#include "platform/base/cp1250.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const datapres::WindowDescription d = datapres::ParseWindowDescription(text);
  if (d.library.find(',') != std::string::npos || d.className.find(',') != std::string::npos) __builtin_trap();
  const size_t commas = std::min<size_t>(std::count(text.begin(), text.end(), ','), 2);
  std::string joined = d.library;
  if (commas >= 1) joined += "," + d.className;
  if (commas >= 2) joined += "," + d.windowText;
  if (joined != text) __builtin_trap();

  std::string_view title_file, element;
  if (mvmci::MediaSplitCompoundName(text, title_file, element)) {
    if (title_file.size() < 4 || title_file.size() + 1 + element.size() != text.size()) __builtin_trap();
    if (text[title_file.size()] != '+') __builtin_trap();
    if (!base::cp1250::equal_no_case(title_file.substr(title_file.size() - 4), ".M14")) __builtin_trap();
    // The split is at the first ".M14+": no earlier one lies inside the title part.
    const std::string upper = base::cp1250::to_upper(title_file);
    if (upper.find(".M14+") != std::string::npos) __builtin_trap();
  }
  // The same bytes as a stored window record.
  datapres::FrDecodeWindowRecord(std::span<const uint8_t>(data, size));
  return 0;
}
