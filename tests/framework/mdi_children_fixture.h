// The main frame with three MDI children opened through "New", the last one active, for the
// tests of the MDI client.
#pragma once

#include <vector>

#include "tests/framework/framework_fixture.h"

namespace lumo::test {

class MdiChildrenTest : public FrameworkTest {
 protected:
  CMDIFrameWnd* frame = nullptr;
  std::vector<CMDIChildWnd*> children;

  void SetUp() override {
    FrameworkTest::SetUp();
    frame = make_main_frame();
    for (int i = 0; i < 3; ++i) {
      frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
      children.push_back(frame->MDIGetActive());
    }
    pump();
  }
  // A child's rectangle in the MDI client's coordinates.
  CRect rect_of(CWnd* child) {
    CRect r;
    child->GetWindowRect(&r);
    ::MapWindowPoints(nullptr, frame->m_hWndMDIClient, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
};

}  // namespace lumo::test
