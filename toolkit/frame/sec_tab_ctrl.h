// The toolkit's tab controls: strips of tabs the toolkit draws itself, one tab per page of the tab
// window that owns them. SECTabControlBase keeps the tab records, the active tab and the
// selection and tells its parent about changes; SECTabControl draws flat trapezoid tabs in one
// row that scrolls sideways with up to four scroll buttons, and lets several tabs be selected.
// The raised variant is SEC3DTabControl (sec_3d_tab_ctrl.h).
#pragma once

#include <memory>
#include <vector>

#include "platform/win/cwnd.h"

// Notifications to the parent (sent).
constexpr UINT WM_TABACTIVATE = 0x7E8;  // wParam: the active index
constexpr UINT WM_TABDBLCLK = 0x7E9;    // wParam: the tab double-clicked
constexpr UINT WM_TABSELCLEAR = 0x7EA;  // every tab was deselected
constexpr UINT WM_TABRECLICK = 0x7EB;   // wParam: the active index, clicked again

// Tab control styles: the scroll buttons of the flat strip, the side of the page the raised tabs
// stand on, and the raised active tab kept at the size of the others.
constexpr DWORD TWS_SCROLL_PREVNEXT = 0x0001;
constexpr DWORD TWS_SCROLL_ALL = 0x0002;
constexpr DWORD TWS_TABS_BELOW = 0x0010;
constexpr DWORD TWS_TABS_ABOVE = 0x0020;
constexpr DWORD TWS_TABS_LEFT = 0x0040;
constexpr DWORD TWS_TABS_RIGHT = 0x0080;
constexpr DWORD TWS_TABS_POSITION = 0x00F0;
constexpr DWORD TWS_ACTIVE_SAME_SIZE = 0x0100;

// One tab.
class SECTab : public CObject {
  DECLARE_DYNCREATE(SECTab)

 public:
  CString m_csLabel;
  int m_nWidth = 0;
  int m_nHeight = 0;
  BOOL m_bSelected = FALSE;
  CWnd* m_pClient = nullptr;
  DWORD m_dwExtra = 0;
  DWORD m_dwExtra2 = 0;
};

class SECTabControlBase : public CWnd {
  DECLARE_DYNAMIC(SECTabControlBase)

 public:
  SECTabControlBase();
  ~SECTabControlBase() override;

  using CWnd::Create;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  virtual void Initialize(DWORD dwStyle);
  virtual std::unique_ptr<SECTab> CreateNewTab() const;
  virtual void RecalcLayout() {}
  virtual void ScrollToTab(int nIndex);
  virtual void DestroyGdiObjects() {}
  // Inserts a tab at `nIndex` (past the end: appended); an active tab at or after the place keeps
  // being the active one (its index follows it).
  virtual SECTab* InsertTab(int nIndex, LPCTSTR lpszLabel, CWnd* pClient = nullptr, DWORD dwExtra = 0,
                            DWORD dwExtra2 = 0);
  virtual SECTab* AddTab(LPCTSTR lpszLabel, CWnd* pClient = nullptr, DWORD dwExtra = 0, DWORD dwExtra2 = 0);
  virtual void LoadTabIcon(int nIndex, LPCTSTR lpszResource, int cx, int cy);
  virtual void LoadTabIcon(int nIndex, UINT nIDResource, int cx, int cy);
  virtual void SetTabIcon(int nIndex, HICON hIcon);
  // Deletes the tab; an index past the end does nothing. A deleted active tab hands over to the
  // tab that takes its index (or the new last tab); a deleted tab before the active one leaves the
  // same tab active.
  virtual void DeleteTab(int nIndex);
  virtual void RenameTab(int nIndex, LPCTSTR lpszLabel);
  // Makes the tab active and tells the parent; an index past the end does nothing.
  virtual void ActivateTab(int nIndex);
  virtual void NotifyActiveTabClicked();
  virtual void SelectTab(int nIndex);
  virtual void ClearSelection();
  virtual void EnsureTabVisible(int nIndex);
  virtual void InvalidateTab(int nIndex);

  // FALSE for an index out of range; the label is the full label of a raised tab.
  BOOL GetTabInfo(int nIndex, CString& label, BOOL& bSelected, CWnd*& pClient, DWORD& dwExtra,
                  DWORD& dwExtra2) const;
  int GetTabCount() const { return int(m_tabs.size()); }
  SECTab* GetTab(int nIndex) const { return Valid(nIndex) ? m_tabs[size_t(nIndex)].get() : nullptr; }
  // The last tab showing `pClient`.
  BOOL FindTab(const CWnd* pClient, int& nIndex) const;
  BOOL GetActiveTab(int& nIndex) const;

 protected:
  bool Valid(int nIndex) const { return nIndex >= 0 && nIndex < int(m_tabs.size()); }
  // Places a new tab in the array, unselected, with the given values; its index.
  int PlaceTab(int nIndex, LPCTSTR lpszLabel, CWnd* pClient, DWORD dwExtra, DWORD dwExtra2);
  void InvalidateFrom(int nIndex);
  void NotifyParent(UINT message, WPARAM wParam) const;
  // Recreates `font` from `lf` (the old font stays on failure), lays the tabs out again and
  // repaints: only the active tab when the font is the active tab's.
  BOOL ReplaceTabFont(CFont& font, const LOGFONT& lf, BOOL bActiveTabFont, BOOL bRedraw);

  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnDestroy();

  std::vector<std::unique_ptr<SECTab>> m_tabs;
  int m_nActiveTab = 0;
  BOOL m_bActiveTab = FALSE;
  HCURSOR m_hcurArrow = nullptr;

  DECLARE_MESSAGE_MAP()
};

namespace tabgeom {

// Neighbouring flat tabs overlap by this much.
constexpr int kOverlap = 5;
// The slant of a flat tab's sides.
constexpr int kSlant = 6;

// The left end of flat tab `nIndex` when the tabs have `widths`: the area's left end plus the
// scroll offset plus (width - 5) of every tab before it.
int TabLeft(const std::vector<int>& widths, int nIndex, int areaLeft, int offset);
// The trapezoid of a flat tab, wide at the top: (x, top), (x + 6, bottom), (x + w - 6, bottom),
// (x + w, top).
std::vector<POINT> TabPolygon(int x, int width, int top, int bottom);

// Scroll buttons, left to right.
constexpr UINT kFirst = 0x1;
constexpr UINT kPrev = 0x2;
constexpr UINT kNext = 0x4;
constexpr UINT kLast = 0x8;

struct ScrollState {
  int offset;       // 0 or negative
  UINT disabled;    // buttons that cannot act
};

// The scroll offset and the disabled buttons for a row whose last tab ends at `lastRight` when
// not scrolled, in a strip ending at `clientRight`: the row never scrolls past its start, and
// never further left than where the last tab ends at the right edge.
ScrollState UpdateScroll(int offset, int tabCount, int lastRight, int clientRight);
// The offset one button asks for before the row is checked again by UpdateScroll.
int ButtonOffset(UINT button, int offset, int lastRight, int areaRight);
// The offset that brings a tab [left, right) (at offset 0) into the area [areaLeft, areaRight)
// with a margin of 20 when it fits with that margin.
int EnsureVisibleOffset(int offset, int left, int right, int areaLeft, int areaRight);

}  // namespace tabgeom

class SECTabControl : public SECTabControlBase {
  DECLARE_DYNCREATE(SECTabControl)

 public:
  SECTabControl();
  ~SECTabControl() override;

  void Initialize(DWORD dwStyle) override;
  void RecalcLayout() override;
  SECTab* InsertTab(int nIndex, LPCTSTR lpszLabel, CWnd* pClient = nullptr, DWORD dwExtra = 0,
                    DWORD dwExtra2 = 0) override;
  void EnsureTabVisible(int nIndex) override;
  void InvalidateTab(int nIndex) override;
  void DestroyGdiObjects() override;
  virtual void DrawTab(CDC* pDC, int nIndex, CRgn& tabRgn);
  // Kinds 0 normal, 1 selected, 2 active; FALSE for another kind or a font that cannot be made.
  virtual BOOL SetTabFont(CFont* pFont, int nKind, BOOL bRedraw = TRUE);

  // The tab's trapezoid in client coordinates.
  BOOL GetTabRgn(int nIndex, CRgn& rgn) const;
  // The first tab holding the point, -1 when none.
  int TabFromPoint(CPoint point) const;
  CRect GetTabArea() const;
  CRect GetButtonRect(UINT nButton) const;
  UINT GetButtonMask() const { return m_nButtonMask; }
  UINT GetDisabledButtons() const { return m_nDisabledButtons; }
  int GetScrollOffset() const { return m_nScrollOffset; }
  int GetTabHeight() const { return m_nTabHeight; }
  BOOL m_bMultiSelect = TRUE;

 protected:
  std::vector<int> Widths() const;
  int TabX(int nIndex) const;
  // The right end of the last tab with the row not scrolled.
  int LastRight() const;
  void UpdateScrollButtons();
  // Moves the row to `offset` and repaints the tab area.
  void ScrollTo(int offset);
  // Runs a scroll button while it is held: previous and next repeat after 300 ms, then every
  // 20 ms, until the button is released, Escape is pressed or the capture is lost.
  void ScrollButtonAction(UINT nButton);
  void StepButton(UINT nButton);
  void DrawScrollButton(CDC* pDC, UINT nButton);
  UINT ButtonFromPoint(CPoint point) const;
  void PressButton(UINT nButton);
  void ClickTab(int nIndex, UINT nFlags);
  void MakeFonts();

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);

  int m_nScrollOffset = 0;
  int m_nTabHeight = 0;
  CFont m_fonts[3];
  CPen m_pens[3];
  CPen m_penShadow;
  CBrush m_brushes[3];
  COLORREF m_clrText[3] = {0, 0, 0};
  UINT m_nButtonMask = 0;
  UINT m_nPressedButton = 0;
  UINT m_nDisabledButtons = 0;
  int m_cxButton = 0;
  int m_cyButton = 0;

  DECLARE_MESSAGE_MAP()
};
