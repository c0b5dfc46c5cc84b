#include "engine/title/context_hash.h"

namespace title {
namespace {

bool hex_value(char c, uint32_t& v) {
  if (c >= '0' && c <= '9') v = uint32_t(c - '0');
  else if (c >= 'a' && c <= 'f') v = uint32_t(c - 'a' + 10);
  else if (c >= 'A' && c <= 'F') v = uint32_t(c - 'A' + 10);
  else return false;
  return true;
}

bool read_hex_form(std::string_view s, uint32_t& hash) {
  if (s.size() != 10 || s[0] != '0' || s[1] != 'x') return false;
  uint32_t h = 0;
  for (size_t i = 2; i < 10; ++i) {
    uint32_t digit;
    if (!hex_value(s[i], digit)) return false;
    h = (h << 4) | digit;
  }
  hash = h;
  return true;
}

uint32_t char_code(uint8_t c) {
  switch (c) {
    case '!': return 11;
    case '.': return 12;
    case '_': return 13;
    case '0': return 10;
    default: return (c <= 'Z' ? uint32_t(c) + 32 : uint32_t(c)) - 80;
  }
}

}  // namespace

uint32_t HashContextString(std::string_view context) {
  uint32_t hash = 0;
  if (read_hex_form(context, hash)) return hash;
  for (char c : context) hash = hash * 43 + char_code(static_cast<uint8_t>(c));
  return hash ? hash : 1;
}

bool HashIsValidContext(std::string_view context) {
  if (context.empty() || context[0] == '!') return false;
  for (char c : context) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '!' ||
                    c == '.' || c == '_';
    if (!ok) return false;
  }
  return true;
}

}  // namespace title
