// Stop lists from plain text files: every term a word breaker finds in the file becomes a stop word.
#include <algorithm>

#include "engine/fts/breakers/word_breakers.h"
#include "engine/fts/common/stop_list.h"
#include "platform/base/os_file.h"

namespace fts {
namespace {

// Larger word lists than this are not stop lists.
constexpr uint64_t kStopWordFileLimit = 1 << 22;

int32_t add_term(const uint8_t*, const uint8_t* term, int32_t, intptr_t list) {
  return FtsAddStopWord(reinterpret_cast<StopList*>(list), term);
}

}  // namespace

int32_t FtsReadStopWordFile(StopList* list, const std::string& path, StopWordBreaker breaker, const CharTable* table) {
  if (!list || !breaker || !table || path.empty()) return kFtsBadArgument;
  std::vector<uint8_t> text;
  if (base::read_file(path, text, kStopWordFileLimit) != base::OsError::None) return kFtsCannotOpen;
  size_t line_start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\r' && text[i] != '\n') continue;
    // One line, handed over in parts the breaker's length field can carry, then the end call.
    BreakerState state;
    BreakerCall call;
    call.state = &state;
    call.callback = add_term;
    call.callbackValue = reinterpret_cast<intptr_t>(list);
    call.charTable = table;
    for (size_t at = line_start; at < i;) {
      const size_t part = std::min<size_t>(i - at, 0xFFFF);
      call.text = text.data() + at;
      call.length = uint16_t(part);
      call.position = int32_t(at - line_start);
      if (const int32_t code = breaker(call)) return code;
      at += part;
    }
    if (i > line_start) {
      call.text = nullptr;
      call.length = 0;
      if (const int32_t code = breaker(call)) return code;
    }
    line_start = i + 1;
  }
  return kFtsOk;
}

}  // namespace fts
