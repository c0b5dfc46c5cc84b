// A minimal toolbar for the button tests: a window that holds SECStdBtn objects in one row (or
// wherever a test puts them), paints them through one shared drawing context, and answers the
// owner interface with settable flags. Several bars can form one managed group, so that a check
// button released on one bar reaches the buttons of the same command on all of them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/win/cwnd.h"
#include "toolkit/frame/bmp_mgr.h"
#include "toolkit/widgets/toolbar_button.h"

namespace lumo::test {

class ButtonBar : public CWnd, public SECToolBarButtonOwner {
 public:
  ButtonBar();
  ~ButtonBar() override;

  // A child of `parent` (or a popup when null) at `rect`, whose notifications go to `owner`.
  BOOL Create(CWnd* parent, const CRect& rect, UINT id, CWnd* owner = nullptr);
  // Takes the button and places it after the others (2 pixels apart, from x = 4, y = 4).
  SECStdBtn* Add(SECStdBtn* btn);
  SECStdBtn* At(size_t i) { return buttons[i].get(); }

  CWnd* GetBarWnd() override { return this; }
  CWnd* GetBarOwner() override { return owner ? owner : GetParent(); }
  SECBmpMgr* GetBmpMgr() override { return mgr; }
  int GetImageWidth() const override { return 16; }
  int GetImageHeight() const override { return 15; }
  BOOL IsCoolLook() const override { return cool; }
  BOOL InCustomizeMode() const override { return customizing; }
  BOOL IsCustomizeSheetBar() const override { return FALSE; }
  BOOL DrawsTransparent() const override { return transparent; }
  int ButtonIndex(const SECStdBtn* pBtn) const override;
  void SendToButtons(UINT nID, UINT nCode, void* pData) override;
  void TrackHotButton(BOOL) override { ++hot_tracks; }
  void RaiseWidestButton(int cx) override { widest = std::max(widest, cx); }
  void SetCommandInProgress(BOOL b) override { in_progress_seen |= b; }
  void RecalcFrameLayout() override { ++layouts; }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  std::vector<std::unique_ptr<SECStdBtn>> buttons;
  std::vector<ButtonBar*> group;  // the bars of one manager, this one included
  SECBmpMgr* mgr = nullptr;
  CWnd* owner = nullptr;
  BOOL cool = TRUE;
  BOOL customizing = FALSE;
  BOOL transparent = FALSE;
  int widest = 0;
  int hot_tracks = 0;
  int layouts = 0;
  BOOL in_progress_seen = FALSE;
  int next_x = 4;
  COLORREF background = RGB(192, 192, 192);
};

// A bitmap manager over the program's main button strip (16 x 15 images).
SECBmpMgr* main_strip_manager();

// Saves the window's picture (with its children) as `name`.png and, enlarged `zoom` times for
// looking at, as `name`_zoom.png.
void save_pictures(HWND h, const std::string& name, int zoom = 3, bool whole_window = false);

}  // namespace lumo::test
