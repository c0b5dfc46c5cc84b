// The window of one open pop-up menu: it lays the menu's items out in a column (owner-drawn items
// as their owner measures them through WM_MEASUREITEM), paints them (owner-drawn items through
// WM_DRAWITEM to the owner, with the pop-up's own surface as the context) and hit-tests them. It
// never takes activation or the keyboard: the tracking loop (menu_tracking.h) owns it, moves its
// selection and reads the mouse for it.
#pragma once

#include <vector>

#include "platform/win/cwnd.h"

namespace framework {

// Where a pop-up's items lie, in its client coordinates, and the client size.
struct MenuPopupLayout {
  std::vector<RECT> items;
  SIZE size{0, 0};
};
// Lays out the items of `menu`: text items as wide as their label, a gap and their shortcut (the
// text after a tab) plus the check and arrow columns, separators thin, owner-drawn items as
// `owner` measures them; every item spans the widest one. `dc` measures the texts.
MenuPopupLayout layout_menu_popup(HMENU menu, HWND owner, HDC dc);

// The top-left corner of a pop-up of `size` asked for at `at` with the TPM_ alignment `flags`,
// kept inside `screen`: when it would cross an edge it goes to the other side of `exclude` (the
// bar item or parent item it belongs to) if that was left behind, else it is pushed back in.
// A pop-up that still covers `exclude` moves off it: down or up with TPM_VERTICAL, otherwise
// right or left.
POINT place_menu_popup(SIZE size, POINT at, UINT flags, const RECT& exclude, const RECT& screen);

class MenuPopupWnd : public CWnd {
 public:
  // Makes and shows the window for `menu` without activating it; false when it could not be made.
  bool Open(HMENU menu, HWND owner, POINT at, UINT flags, const RECT& exclude);
  // Shows item `position` selected (-1: none), drawing again the items whose look changes.
  void Select(int position);
  int selected() const { return selected_; }
  HMENU menu() const { return menu_; }
  // The item under a screen point (-1 for none or a separator); whether the point is on the window.
  int ItemAt(POINT screen) const;
  bool Contains(POINT screen) const;
  // An item's rectangle in screen coordinates.
  RECT ItemRect(int position) const;

 protected:
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  void DrawItem(HDC dc, int position, UINT action);

  HMENU menu_ = nullptr;
  HWND owner_ = nullptr;
  MenuPopupLayout layout_;
  int selected_ = -1;
};

}  // namespace framework
