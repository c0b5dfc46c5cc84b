// The status bar: a row of panes along the bottom of a frame. Pane 0 normally shows the frame's
// messages (menu prompts, the idle text); the others are indicators whose commands are updated on
// idle, shown when enabled and blank when disabled.
#pragma once

#include <vector>

#include "platform/framework/command_ids.h"
#include "platform/framework/control_bar.h"

// Pane styles.
constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = 0x0100;
constexpr UINT SBPS_POPOUT = 0x0200;
constexpr UINT SBPS_OWNERDRAW = 0x1000;
constexpr UINT SBPS_DISABLED = 0x04000000;
constexpr UINT SBPS_STRETCH = 0x08000000;

// The id of a pane without a command (the message pane).
constexpr UINT ID_SEPARATOR = 0;

namespace framework {
// Draws a size grip's diagonal ridges in the square `grip` (its bottom right corner is the window's).
void draw_size_grip(CDC& dc, const CRect& grip);
}  // namespace framework

class CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)

 public:
  CStatusBar();

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
              UINT nID = AFX_IDW_STATUS_BAR);
  // One pane per id; an indicator's text is its string, which also sets the pane's width. A
  // first pane without a command stretches over what the others leave and has no border.
  BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

  // -1 when no pane has the command.
  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  // The pane's rectangle in client coordinates (empty for a bad index).
  void GetItemRect(int nIndex, LPRECT lpRect) const;
  void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
  void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
  UINT GetPaneStyle(int nIndex) const;
  void SetPaneStyle(int nIndex, UINT nStyle);
  CString GetPaneText(int nIndex) const;
  void GetPaneText(int nIndex, CString& rString) const;
  BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);

  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void DoPaint(CDC* pDC) override;
  // Draws an owner-drawn pane; the default draws nothing.
  virtual void DrawItem(CDC* pDC, int nIndex, const CRect& rect);

 protected:
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  struct Pane {
    UINT nID = 0;
    UINT nStyle = 0;
    int cxText = 0;  // width of the text area, without the pane's edges
    CString strText;
  };
  bool valid(int nIndex) const { return nIndex >= 0 && nIndex < int(m_panes.size()); }
  int text_width(const CString& text) const;
  int text_height() const;
  // The rectangles of all panes, left to right.
  std::vector<CRect> layout() const;
  // The size grip's square at the bottom right: empty unless the frame can be sized and is not
  // maximised.
  CRect grip_rect() const;

  std::vector<Pane> m_panes;
};
