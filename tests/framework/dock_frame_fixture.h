// The framework fixture's MDI main frame with its four dock bars, and bars of a fixed length and
// depth to dock in it, for the docking tests.
#pragma once

#include "platform/framework/dock_bar.h"
#include "tests/framework/framework_fixture.h"

namespace lumo::test {

// A bar `length` long along its edge and `height` deep across it, docked or floating.
class LongBar : public TestBar {
 public:
  int length = 100;
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override {
    return bHorz ? CSize(length, height) : CSize(height, length);
  }
};

class DockFrameTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    frame = make_main_frame();
    ASSERT_NE(frame, nullptr);
    frame->EnableDocking(CBRS_ALIGN_ANY);
  }

  CDockBar* dock(UINT id) const { return dynamic_cast<CDockBar*>(frame->GetControlBar(id)); }
  // A window's rectangle in the main frame's client coordinates.
  CRect placed(const CWnd& wnd) const {
    CRect rect;
    wnd.GetWindowRect(&rect);
    frame->ScreenToClient(&rect);
    return rect;
  }
  // Makes `bar` a bar of the frame with the CBRS_ `style` that may dock on any side; it is not
  // docked yet.
  void make(LongBar& bar, UINT id, int length, int height, DWORD style = CBRS_TOP) {
    bar.length = length;
    bar.height = height;
    ASSERT_TRUE(bar.Create(frame, style, id));
    bar.EnableDocking(CBRS_ALIGN_ANY);
  }

  CMDIFrameWnd* frame = nullptr;
};

}  // namespace lumo::test
