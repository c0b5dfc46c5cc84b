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

bool QueuedPrompter::next_file(CString& path) {
  if (files.empty()) return false;
  path = CString(files.front());
  files.pop_front();
  return true;
}

bool QueuedPrompter::choose_files(HWND, const framework::FileQuestion&, std::vector<CString>& chosen) {
  CString path;
  if (!next_file(path)) return false;
  chosen = {path};
  return true;
}

bool QueuedPrompter::choose_printer(HWND, CString& printer, CString& to_file, int& copies) {
  if (!next_file(to_file)) return false;
  printer = CString("PDF");
  copies = 1;
  return true;
}

}  // namespace lumo::test
