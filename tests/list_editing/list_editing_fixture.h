// A host window standing in for a dialog: it records the WM_COMMAND notifications its controls
// send, with a list box (and two edits around it) for the list-box editor, and a prompter that
// records the file and folder questions it answers.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/standard_controls.h"
#include "tests/framework/framework_fixture.h"
#include "toolkit/widgets/list_box_editor.h"

namespace lumo::test {

constexpr int IDC_HOST_BEFORE = 1095;
constexpr int IDC_HOST_LIST = 1096;
constexpr int IDC_HOST_AFTER = 1097;

struct Notification {
  UINT id;
  UINT code;
};

class HostWindow : public CWnd {
 public:
  std::vector<Notification> notifications;
  BOOL Make(int width = 260, int height = 220);
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  int count(UINT code) const;
  CFont font;
};

class RecordingPrompter : public ScriptedPrompter {
 public:
  std::vector<framework::FileQuestion> questions;
  std::vector<std::string> folder_starts;
  std::deque<std::string> folders;
  bool choose_files(HWND owner, const framework::FileQuestion& q, std::vector<CString>& chosen) override;
  bool choose_folder(HWND owner, const CString& title, CString& folder) override;
};

class ListEditingTest : public FrameworkTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A host with edits before and after a list box of `items` (CP1250 texts), the list box 130
  // pixels high (8 rows of 16 pixels fit), with `list_style` added to the list box's style.
  void MakeList(const std::vector<std::string>& items, DWORD list_style = 0);
  std::vector<std::string> Items();
  void SavePicture(HWND h, const std::string& name);

  HostWindow host;
  CListBox* list = nullptr;
  RecordingPrompter recorder;
};

// CP1250 text of a UTF-8 literal.
std::string cp1250(const char* utf8_text);

}  // namespace lumo::test
