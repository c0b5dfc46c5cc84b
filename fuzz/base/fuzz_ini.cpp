// Reads arbitrary bytes as a profile file. Checks that writing the text back is stable, and that
// a value set with names and text taken from the input reads back the same after a reload.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/base/ini_document.h"

using base::IniDocument;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  IniDocument doc = IniDocument::parse(text);
  std::string once = doc.serialize();
  if (IniDocument::parse(once).serialize() != once) std::abort();

  auto piece = [&](size_t from, size_t n) { return text.substr(std::min(from, size), n); };
  std::string_view section = piece(0, 8), key = piece(8, 8), value = piece(16, 32);
  if (doc.set(section, key, value)) {
    const std::string* v = doc.find(section, key);
    if (!v || *v != value) std::abort();
    IniDocument again = IniDocument::parse(doc.serialize());
    v = again.find(section, key);
    if (!v || *v != value) std::abort();
    if (!again.remove_section(section) || again.find(section, key)) std::abort();
  }
  return 0;
}
