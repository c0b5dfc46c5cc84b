#include "tests/support/queued_prompter.h"

#include "platform/base/cp1250.h"

namespace lumo::test {

int QueuedPrompter::message_box(HWND, const CString& text, const CString&, UINT) {
  asked.push_back(base::cp1250::to_utf8(text.str()));
  if (answers.empty()) return otherwise_;
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}

}  // namespace lumo::test
