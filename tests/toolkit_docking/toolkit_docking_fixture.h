// The toolkit docking tests' fixture: the toolkit's MDI main frame with its four dock bars,
// toolkit bars shaped like the application's docking windows (a list of acts inside), a picture of
// the bar array as text, and mouse drags through the tracking loop a press starts.
#pragma once

#include <string>
#include <vector>

#include "tests/docking/docking_fixture.h"
#include "toolkit/frame/sec_control_bar.h"
#include "toolkit/frame/sec_dock_bar.h"
#include "toolkit/frame/sec_mdi_frame.h"
#include "toolkit/frame/sec_mini_dock_frame.h"

namespace lumo::test {

// The application's docking windows: context menu, margin, inside-window floating, flat, gripper,
// close and expand buttons; sizing themselves.
constexpr DWORD kAppExStyle = 0xF31;
constexpr DWORD kAppBarStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;

// A toolkit bar with a list of acts filling its inside rectangle.
class ActsBar : public SECControlBar {
 public:
  HWND list = nullptr;

 protected:
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()
};

// Derived from the framework's docking fixture for its drags and pictures; the frame it drives is
// the toolkit's.
class ToolkitDockingTest : public DockingTest {
 protected:
  void SetUp() override;

  // Makes `bar` a toolkit bar titled `title` with a list of acts inside; it may dock anywhere.
  void make(ActsBar& bar, UINT id, const char* title, DWORD style = kAppBarStyle, DWORD ex = kAppExStyle);
  SECDockBar* sec_dock(UINT id) const { return dynamic_cast<SECDockBar*>(mdi->GetControlBar(id)); }
  // The bar array as text: titles, "|" for a row end, "(id)" for a placeholder.
  static std::string entries(const CDockBar* dock);
  // A point of a floating frame's caption, in screen coordinates.
  static POINT caption_point(CMiniDockFrameWnd* floating, int dx = 20);
  // The frame and its floating frames as the screen shows them, saved under `name`.
  void save_frame_picture(const std::string& name);

  SECMDIFrameWnd* mdi = nullptr;
};

}  // namespace lumo::test
