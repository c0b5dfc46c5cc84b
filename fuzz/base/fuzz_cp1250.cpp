// Reads arbitrary bytes as UTF-8 and as UTF-16 text coming in from the desktop (clipboard, file
// names, typed text), and as CP1250 text going out. Checks that every CP1250 string survives the
// trip through UTF-8 and UTF-16 except for the undefined bytes, and that decoding never yields more
// bytes than it was given.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/base/cp1250.h"

namespace cp = base::cp1250;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);

  if (cp::from_utf8(bytes).size() > size) std::abort();
  std::u16string utf16(size / 2, u'\0');
  if (!utf16.empty()) std::memcpy(utf16.data(), data, utf16.size() * 2);
  if (cp::from_utf16(utf16).size() > utf16.size()) std::abort();

  std::string expected(bytes);
  for (char& c : expected)
    if (!cp::is_defined(uint8_t(c))) c = cp::kReplacementByte;
  if (cp::from_utf8(cp::to_utf8(bytes)) != expected) std::abort();
  if (cp::from_utf16(cp::to_utf16(bytes)) != expected) std::abort();
  if (cp::collate(bytes, bytes) != 0) std::abort();
  return 0;
}
