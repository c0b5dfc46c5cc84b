// The raised tab strip: rectangular 3-D tabs along one side of a page (below, above, left or
// right), each with an optional 16 x 16 icon and a label that the control shortens with "...",
// one character at a time, when the strip gets too short, and lengthens again when room returns.
// Side tabs draw their labels turned a quarter. Disabled tabs are drawn embossed and ignore
// clicks; while labels are shortened or hidden, a tip shows the full label.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/framework/tool_tips.h"
#include "toolkit/frame/sec_tab_ctrl.h"

class SEC3DTab : public SECTab {
  DECLARE_DYNCREATE(SEC3DTab)

 public:
  SEC3DTab() { m_nWidth = 90; }
  CRect m_rect;
  HICON m_hIcon = nullptr;
  BOOL m_bEnabled = TRUE;
  CString m_csFullLabel;  // what the caller gave; m_csLabel holds what is shown
};

namespace tab3d {

// Room a label takes in the strip: its width + 12, and 19 more with an icon.
constexpr int kLabelRoom = 12;
constexpr int kIconRoom = 19;
// Across the strip every tab is this thick.
constexpr int kThickness = 22;
// How much the active tab grows at each end and outward.
constexpr int kActiveGrowth = 3;
inline const char* const kEllipsis = "...";

// The labels of the strip as the shortening works on them.
struct Labels {
  std::vector<CString> shown;
  std::vector<CString> full;
  std::vector<bool> icons;
  bool labelsShown = true;
  bool shortened = false;
  int lastLength = 0;
  int minLength = 0;
  int measuredCount = -1;
};

using Measure = std::function<int(const CString&)>;

// The room the labels take: the sum of (width + 12, + 19 with an icon); `anyShortened` tells
// whether some label differs from its full label.
int LabelSum(const Labels& labels, const Measure& measure, bool* anyShortened = nullptr);
// One step of the shortening for the labels' room `sum` and the strip length `length`: shortens
// the longest label by a character (every shortened label at least three characters short of
// its full label, and never cut below nothing) when the strip is too short, lengthens one
// label by a character when it grew, and hides all labels when even "..." does not fit.
void ShortenLabels(Labels& labels, int sum, int length, const Measure& measure, bool visible);
// The length of a tab along the strip.
int TabLength(bool icon, bool labelsShown, int labelWidth);
// The rectangle of a tab starting at `pos` along the strip for the tab position bits.
CRect TabRect(DWORD position, int pos, int across, int length);
// Where the row of tabs starts along the strip and where it stands across it, in `client`.
void RowStart(DWORD position, const CRect& client, int& along, int& across);
// The active tab's rectangle grown along the strip at both ends and outward.
CRect GrowActive(DWORD position, const CRect& tab);
// The label's text origin for a turned or level label of `extent` (along, across) in `tab`.
CPoint LabelOrigin(DWORD position, const CRect& tab, CSize extent, bool icon);
// Where the icon goes in `tab`.
CPoint IconOrigin(DWORD position, const CRect& tab);
// The text angle for the position in tenths of a degree.
int TextAngle(DWORD position);

}  // namespace tab3d

class SEC3DTabControl : public SECTabControlBase {
  DECLARE_DYNCREATE(SEC3DTabControl)

 public:
  SEC3DTabControl();
  ~SEC3DTabControl() override;

  void Initialize(DWORD dwStyle) override;
  std::unique_ptr<SECTab> CreateNewTab() const override;
  void RecalcLayout() override;
  void ScrollToTab(int nIndex) override;
  void DestroyGdiObjects() override;
  SECTab* InsertTab(int nIndex, LPCTSTR lpszLabel, CWnd* pClient = nullptr, DWORD dwExtra = 0,
                    DWORD dwExtra2 = 0) override;
  SECTab* AddTab(LPCTSTR lpszLabel, CWnd* pClient = nullptr, DWORD dwExtra = 0, DWORD dwExtra2 = 0) override;
  void LoadTabIcon(int nIndex, LPCTSTR lpszResource, int cx, int cy) override;
  void LoadTabIcon(int nIndex, UINT nIDResource, int cx, int cy) override;
  void SetTabIcon(int nIndex, HICON hIcon) override;
  void RenameTab(int nIndex, LPCTSTR lpszLabel) override;
  void InvalidateTab(int nIndex) override;
  // The tool under the point while labels are hidden or shortened: id index + 1, the tab's
  // rectangle and full label; -1 elsewhere.
  virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;

  virtual void CreateFonts(DWORD dwStyle);
  virtual void EnableTab(int nIndex, BOOL bEnable = TRUE);
  virtual BOOL IsTabEnabled(int nIndex) const;
  virtual BOOL ModifyTabStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  // Kinds 0 normal and 1 active.
  virtual BOOL SetTabFont(CFont* pFont, int nKind, BOOL bRedraw = TRUE);
  virtual void GetTabRect(int nIndex, CRect& rect) const;
  virtual void DrawTab(CDC* pDC, int nIndex);
  virtual void FillSolidRect(CDC* pDC, int x, int y, int cx, int cy, COLORREF colour);
  virtual void DrawTabFrameBelow(CDC* pDC, SEC3DTab* pTab, DWORD dwPosition);
  virtual void DrawTabFrameAbove(CDC* pDC, SEC3DTab* pTab, DWORD dwPosition);
  virtual void DrawTabFrameLeft(CDC* pDC, SEC3DTab* pTab, DWORD dwPosition);
  virtual void DrawTabFrameRight(CDC* pDC, SEC3DTab* pTab, DWORD dwPosition);
  virtual void DrawTabContent(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle);
  virtual void DrawDisabled(CDC* pDC, int nWidth, int nHeight);

  SEC3DTab* Get3DTab(int nIndex) const { return static_cast<SEC3DTab*>(GetTab(nIndex)); }
  // The first enabled tab under the point, the active tab first; -1 when none.
  int TabFromPoint(CPoint point) const;
  bool LabelsShown() const { return m_bLabelsShown; }
  bool IsShortened() const { return m_bShortened; }
  DWORD Position() const;
  CToolTipCtrl* GetToolTip() const { return m_pToolTip.get(); }
  // The font of normal (0) or active (1) tabs, turned for side tabs.
  CFont* GetTabFont(int nKind) { return nKind == 1 ? &m_fonts[1] : &m_fonts[0]; }
  BOOL m_bAutoShorten = TRUE;

 protected:
  int LabelWidth(const CString& label) const;
  tab3d::Labels CollectLabels() const;
  void ApplyLabels(const tab3d::Labels& labels);
  void ShortenLabels(int sum, int length);
  void LayoutTabs();
  // Runs the size handling `times` times per tab with the client size, so the labels settle.
  void SettleLabels(int times);
  void FilterToolTip(UINT message, CPoint point);

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);

  bool m_bShortened = false;
  int m_nLastLength = 0;
  int m_nMinLength = 0;
  int m_nMeasuredCount = -1;
  CFont m_fonts[2];
  CPen m_pens[2];
  CPen m_penShadow;
  CPen m_penWhite;
  CBrush m_brushes[2];
  COLORREF m_clrText[2] = {0, 0};
  bool m_bLabelsShown = true;
  std::unique_ptr<CToolTipCtrl> m_pToolTip;
  INT_PTR m_nLastTool = -1;
  // Icons the control loaded itself (LoadTabIcon); the callers' icons stay theirs.
  std::vector<HICON> m_loadedIcons;

  DECLARE_MESSAGE_MAP()
};
