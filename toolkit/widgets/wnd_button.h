// A toolbar button that hosts a child window (a combo box, an edit field, a colour well) in its
// place. The hosted window is made by the derived class (CreateWnd) and shown while the bar is
// horizontal; on a bar docked left or right the button collapses to a plain button's size and
// hides the window, keeping its width for later. While the bar is customized the window's right
// edge can be dragged to resize it, and the window can be selected and dragged like any button.
#pragma once

#include "toolkit/widgets/toolbar_button.h"

// The record of Notify(SEC_BTN_NOTIFY_WND_MESSAGE): a message for the hosted window.
struct SECWndBtnMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class SECWndBtn : public SECStdBtn {
  DECLARE_DYNAMIC(SECWndBtn)

 public:
  SECWndBtn();
  ~SECWndBtn() override;

  void SetCollapsed(BOOL bCollapsed) override;
  void SetStyle(DWORD dwStyle) override;
  void SetPos(int x, int y) override;
  void Invalidate(BOOL bErase = FALSE) override;
  // The plain initialisation, then the window's sizes from the parameters, the window itself,
  // and the creation notice to the bar's owner.
  void Init(SECToolBarButtonOwner* pToolBar, const UINT* pData) override;
  void Draw(CDC& dc, SECBtnDrawData& data) override;
  void UpdateVisibility() override;
  INT_PTR GetToolInfo(int x, int y, TOOLINFO* pTI) override;
  void Notify(UINT nCode, void* pData) override;
  void RecalcSize() override;
  // Two bytes: the width, little-endian.
  void GetSavedData(BYTE& nLength, BYTE*& pData) override;
  void SetSavedData(BYTE nLength, const BYTE* pData) override;

  // A left-button press in the hosted window (its client coordinates); nonzero when the button
  // took it (resizing, or selecting and dragging the button through the bar).
  virtual BOOL OnHostedLButtonDown(UINT nFlags, int x, int y);
  virtual CWnd* GetWnd() = 0;
  virtual BOOL CreateWnd(CWnd* pParentBar, DWORD dwStyle, const CRect& rect, UINT nID) = 0;

  // Services for the hosted windows.
  BOOL IsBarCustomizing() const;
  // The sizing cursor within 3 pixels left of the right edge of a selected resizable window,
  // the arrow while customizing; whether a cursor was set. `point` in the window's coordinates.
  BOOL HandleSetCursor(CPoint point);
  void InvalidateHostedWnd();
  // The drag frame around the selected window, drawn on its own surface.
  void DrawSizingFrame();

  BOOL IsShown() const { return m_bShown; }
  int GetWidth() const { return m_nWidth; }
  int GetMinWidth() const { return m_nMinWidth; }

  BOOL m_bShown = FALSE;
  int m_nWidth = 0;
  int m_nMinWidth = 0;
  int m_nHeight = 0;
  int m_nActualHeight = 0;

 protected:
  BOOL IsResizable() const;
  BOOL OnRightEdge(int x) const;
  void PlaceWindow();
  BYTE m_saved[2] = {0, 0};
};

namespace wnd_button {

// The top of a window of `actualHeight` centred in a button at `y` of height `cy`.
int CentredTop(int y, int cy, int actualHeight);
// Whether `x` (window coordinates) lies in the 3 pixels left of a window of `width`'s right edge.
bool InSizingZone(int x, int width);
// The width a saved `stored` value gives a window whose narrowest is `minWidth`: at least that,
// and no wider than the screen's `screenWidth` (a damaged profile may hold up to 65,535).
int SavedWidth(int stored, int minWidth, int screenWidth);

}  // namespace wnd_button
