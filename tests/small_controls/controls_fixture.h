// The fixture of the small controls' tests: standard controls and the program's resources
// registered, a dialog made from a test template with a place for each control, a prompter that
// answers folder questions from a script, and pictures saved for a look.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/framework/dialog.h"
#include "platform/framework/prompter.h"
#include "tests/support/gui_fixture.h"

namespace lumo::test {

constexpr UINT IDD_SMALL_CONTROLS = 9470;
constexpr int IDC_SMALL_LINK = 1300;
constexpr int IDC_SMALL_PIN = 1301;
constexpr int IDC_SMALL_HELP = 1302;
constexpr int IDC_SMALL_FOLDER = 1303;
constexpr int IDC_SMALL_PLAIN_EDIT = 1304;
constexpr int IDC_SMALL_YEAR = 1305;
constexpr int IDC_SMALL_POSITION = 1306;
constexpr int IDC_SMALL_LABEL = 1307;
// Bitmaps of the pin button tests: a pin out, a pin in and a pin in under the mouse.
constexpr UINT IDB_SMALL_PIN_OUT = 9471;
constexpr UINT IDB_SMALL_PIN_IN = 9472;
constexpr UINT IDB_SMALL_PIN_HOVER = 9473;

// Answers folder questions from a queue (an empty answer cancels) and records what was asked.
class FolderPrompter : public framework::Prompter {
 public:
  struct Asked {
    std::string title;
    std::string start;
  };
  std::vector<Asked> asked;
  std::deque<std::string> answers;  // CP1250 folders; "" cancels

  int message_box(HWND, const CString&, const CString&, UINT) override { return IDCANCEL; }
  bool choose_files(HWND, const framework::FileQuestion&, std::vector<CString>&) override { return false; }
  bool choose_folder(HWND owner, const CString& title, CString& folder) override;
  bool choose_colour(HWND, COLORREF&) override { return false; }
  bool choose_printer(HWND, CString&, CString&, int&) override { return false; }
};

class SmallControlsTest : public GuiTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Saves the dialog as the screen shows it, and a three times larger copy beside it.
  void save_picture(const char* name) const;
  static std::string png(const char* name) { return ::testing::TempDir() + name; }
  // Pumps until `done` holds or a second has passed (for the controls' timers).
  static bool pump_until(const std::function<bool()>& done);
  // The screen point at the middle of a window.
  static POINT middle_of(HWND h);
  HWND item(int id) const { return ::GetDlgItem(dialog.m_hWnd, id); }

  CDialog dialog;
  FolderPrompter prompter;
};

}  // namespace lumo::test
