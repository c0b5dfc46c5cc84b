#include "tests/support/message_log.h"

namespace lumo::test {

MessageLog::MessageLog(std::set<UINT> only) : only_(std::move(only)) {
  win::set_message_observer([this](HWND h, UINT m, WPARAM w, LPARAM l) {
    if (only_.empty() || only_.count(m)) entries_.push_back(LoggedMessage{h, m, w, l});
  });
}

MessageLog::~MessageLog() { win::set_message_observer(nullptr); }

std::vector<UINT> MessageLog::messages_of(HWND h) const {
  std::vector<UINT> out;
  for (const LoggedMessage& e : entries_) {
    if (!h || e.hwnd == h) out.push_back(e.message);
  }
  return out;
}

}  // namespace lumo::test
