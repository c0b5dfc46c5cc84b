// The docking tests' fixture: the framework fixture's MDI main frame with its four dock bars,
// bars of a fixed length and depth (or sizing themselves), mouse drags from a point of a window
// through the tracking loop the press starts, and pictures of the screen for a look at outlines
// and floating frames.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QImage>

#include "platform/framework/dock_bar.h"
#include "platform/framework/dock_context.h"
#include "platform/framework/mini_dock_frame.h"
#include "platform/win/system_metrics.h"
#include "tests/framework/dock_frame_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {

// A bar that sizes itself (CBRS_SIZE_DYNAMIC): its items cover 2400 square pixels, wrapped to the
// width it was last given; docked it is one row (or column) of them.
class WrapBar : public TestBar {
 public:
  int width = 120;
  CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? CSize(240, 10) : CSize(10, 240); }
};

class DockingTest : public DockFrameTest {
 protected:
  void SetUp() override;

  // Makes `bar` a docking bar of the frame with the CBRS_ `style`, docked at the top.
  void make(LongBar& bar, UINT id, int length, int height, DWORD style = CBRS_TOP | CBRS_GRIPPER);
  // A point of the frame's client area in screen coordinates.
  POINT frame_point(int x, int y) const { return screen_point(frame->m_hWnd, {x, y}); }
  // The floating frame holding `bar`, or null.
  static CMiniDockFrameWnd* floating_frame(const CControlBar& bar);

  // Presses the left button at screen point `from`, then, once the press has started its loop,
  // moves through `path` and releases at `to`; all with `keys` held.
  void drag(POINT from, const std::vector<POINT>& path, POINT to, win::KeyModifiers keys = {});
  // Posts a probe that runs `look` inside whatever loop takes it (after the input posted before).
  void probe(std::function<void()> look);

  // The screen as the listed windows (in order, later ones on top) show it, cut to `area`.
  static QImage picture(const std::vector<HWND>& windows, const CRect& area);
  // Saves a picture under the fixture's folder (or $LUMO_PNG_DIR when set); whether it was written.
  bool save(const QImage& image, const std::string& name) const;

 private:
  HWND probe_window_ = nullptr;
};

}  // namespace lumo::test
