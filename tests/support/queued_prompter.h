// A prompter for tests: records the texts of the message boxes asked (UTF-8) and answers them from
// a queue, with a fixed answer once the queue is empty; file, folder, colour and printer questions
// are declined.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/framework/prompter.h"

namespace lumo::test {

class QueuedPrompter : public framework::Prompter {
 public:
  explicit QueuedPrompter(int otherwise = IDCANCEL) : otherwise_(otherwise) {}

  std::vector<std::string> asked;
  std::deque<int> answers;

  int message_box(HWND, const CString& text, const CString&, UINT) override;
  bool choose_files(HWND, const framework::FileQuestion&, std::vector<CString>&) override { return false; }
  bool choose_folder(HWND, const CString&, CString&) override { return false; }
  bool choose_colour(HWND, COLORREF&) override { return false; }
  bool choose_printer(HWND, CString&, CString&, int&) override { return false; }

 private:
  int otherwise_;
};

}  // namespace lumo::test
