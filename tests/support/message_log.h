// Records the messages windows receive, in order, for tests of message sequences.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/win/message_queue.h"

namespace lumo::test {

struct LoggedMessage {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class MessageLog {
 public:
  // Records from now until destruction; only the listed messages when `only` is not empty.
  explicit MessageLog(std::set<UINT> only = {});
  ~MessageLog();
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  const std::vector<LoggedMessage>& entries() const { return entries_; }
  // The message numbers received by `h` (all windows when null), in order.
  std::vector<UINT> messages_of(HWND h = nullptr) const;
  void clear() { entries_.clear(); }

 private:
  std::set<UINT> only_;
  std::vector<LoggedMessage> entries_;
};

}  // namespace lumo::test
