// A prompter for tests: records the texts of the message boxes asked (UTF-8) and answers them from
// a queue, with a fixed answer once the queue is empty; file and printer questions take the next
// queued file (the printer then prints to it as PDF) and are declined once that queue is empty;
// folder and colour questions are declined.
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
  // CP1250 paths answering file and printer questions, in turn.
  std::deque<std::string> files;

  int message_box(HWND, const CString& text, const CString&, UINT) override;
  bool choose_files(HWND, const framework::FileQuestion&, std::vector<CString>& chosen) override;
  bool choose_folder(HWND, const CString&, CString&) override { return false; }
  bool choose_colour(HWND, COLORREF&) override { return false; }
  bool choose_printer(HWND, CString& printer, CString& to_file, int& copies) override;

 private:
  bool next_file(CString& path);

  int otherwise_;
};

}  // namespace lumo::test
