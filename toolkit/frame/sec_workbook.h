// The workbook: an MDI main frame that shows its MDI children as sheets, one tab each in a band
// under the MDI client, drawn by the frame itself; clicking a tab activates its sheet.
// SECWorksheet is the MDI child that registers itself as a sheet, SECControlBarWorksheet the
// sheet that holds a bar floating inside the main window, and SECWorkbookClient subclasses the
// MDI client: it keeps the margins around it for the tabs, paints its background with the
// product name (a click on it opens the program's web page, when the build names one) and tells
// the frame when the active child changes.
//
// The tab geometry is kept in plain functions (namespace workbook) over plain numbers.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "platform/framework/tool_tips.h"
#include "platform/gdi/core/afx_gdi.h"
#include "toolkit/frame/sec_mdi_frame.h"

class SECWorksheet;
class SECWorkbookClient;

// Sent by the MDI client to its frame when the active child may have changed.
constexpr UINT WM_SECWB_ACTIVECHANGED = 0x084D;
// Sent by a sheet to the MDI client (both parameters -1) to have the frame told.
constexpr UINT WM_SECWB_REFRESHSHEETS = 0x084E;

// The web page the background text opens; empty (the default) means a click does nothing.
#ifndef LUMO_WORKBOOK_LINK
#define LUMO_WORKBOOK_LINK ""
#endif

namespace workbook {

constexpr int kTabHeight = 23;
constexpr int kBevel = 2;
constexpr int kDefaultTabWidth = 100;
constexpr int kMaxTabWidth = 90;
constexpr int kIconSize = 16;
// The margins around the MDI client in workbook mode.
constexpr RECT kMargins{13, 13, 13, 33};

using TabPoints = std::array<POINT, 7>;

// The tab width for `sheets` sheets over an MDI client `clientWidth` wide: (width + 5) / sheets,
// at most kMaxTabWidth; with no sheet the width stays `current`.
int TabWidth(int clientWidth, int sheets, int current);
// The tab of the sheet at tab place `place` (hidden sheets take none), hanging from y `top` (the
// client's bottom plus 4) with the band starting at x `left`; a raised tab is 4 pixels wider and
// 2 taller.
TabPoints TabPolygon(int left, int top, int width, int place, bool raised);
// The label's rectangle inside a tab for an icon `iconWidth` wide; FALSE for no points.
BOOL TabTextRect(const POINT* points, int iconWidth, CRect& rect);
// The label as it fits: whole when `fits` says so, else shortened from its end one character at
// a time with three dots after it until it fits; empty once it would be shorter than 4
// characters.
CString FitLabel(const CString& label, const std::function<bool(const CString&)>& fits);
// A move's target place among `count` sheets: 0 ... count - 1.
int ClampIndex(int index, int count);

}  // namespace workbook

class SECWorkbook : public SECMDIFrameWnd {
  DECLARE_DYNCREATE(SECWorkbook)

 public:
  SECWorkbook();
  ~SECWorkbook() override;

  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
  void RecalcLayout(BOOL bNotify = TRUE) override;
  BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // The MDI client's window rectangle in frame client coordinates, widened by the margins.
  virtual void GetTabAreaRect(CRect& rect) const;
  virtual BOOL CanActivateSheet(SECWorksheet*) { return TRUE; }
  // Puts the sheet at tab place `nIndex` (clamped); FALSE when it is no sheet of this workbook.
  virtual BOOL MoveSheet(SECWorksheet* pSheet, int nIndex);
  virtual void AddSheet(SECWorksheet* pSheet);
  virtual BOOL RemoveSheet(SECWorksheet* pSheet);
  virtual BOOL LabelFitsTab(SECWorksheet* pSheet);
  // The sheet's tab; FALSE for no sheet or one not in this workbook.
  virtual BOOL GetTabPolygon(SECWorksheet* pSheet, workbook::TabPoints& points) const;
  virtual CString GetSheetLabel(SECWorksheet* pSheet) const;
  virtual BOOL GetTabTextRect(const POINT* points, int iconWidth, CRect& rect) const {
    return workbook::TabTextRect(points, iconWidth, rect);
  }
  virtual void DrawTab(CDC* pDC, SECWorksheet* pSheet);
  virtual void DrawTabArea(CDC* pDC);
  virtual void DrawTabContents(CDC* pDC, SECWorksheet* pSheet);
  virtual HICON GetSheetIcon(SECWorksheet* pSheet) const;
  virtual BOOL SetSheetIcon(SECWorksheet* pSheet, HICON hIcon, BOOL bRepaint = TRUE);

  void SetWorkbookMode(BOOL bOn);
  BOOL GetWorkbookMode() const { return m_bWorkbookMode; }
  void CalcTabWidth();
  BOOL FindSheet(CFrameWnd* pSheet, int& nIndex) const;
  void InvalidateSheetTab(SECWorksheet* pSheet, BOOL bToRightEdge = TRUE);
  void InvalidateTabBand();
  int GetSheetCount() const { return int(m_sheets.size()); }
  SECWorksheet* GetSheet(int nIndex) const;
  SECWorkbookClient* GetWorkbookClient() const { return m_pClient; }
  int GetTabWidth() const { return m_nTabWidth; }
  CToolTipCtrl* GetTabTips() const { return m_pTips.get(); }

  std::vector<SECWorksheet*> m_sheets;
  BOOL m_bWorkbookMode = FALSE;
  BOOL m_bTabIcons = TRUE;
  HFONT m_hTabFont = nullptr;  // a stock font
  SECWorkbookClient* m_pClient = nullptr;
  CPen m_penWhite;
  CPen m_penBlack;
  CPen m_penShadow;
  CPen m_penFace;
  int m_nTabWidth = workbook::kDefaultTabWidth;
  int m_nTabHeight = workbook::kTabHeight;
  int m_nBevel = workbook::kBevel;
  int m_nActiveExtraWidth = 4;
  int m_nActiveExtraHeight = 2;
  int m_nMaxTabWidth = workbook::kMaxTabWidth;
  CRect m_rectLastLayout;
  BOOL m_bFullBandRepaint = FALSE;
  int m_nActiveSheet = 0;

 protected:
  // The window that subclasses the MDI client; a frame with a background of its own gives its own.
  virtual std::unique_ptr<SECWorkbookClient> NewWorkbookClient();
  // The tab place of a sheet: its index less the hidden sheets before it.
  int TabPlace(const SECWorksheet* pSheet) const;
  // The MDI client's window rectangle in this frame's client coordinates.
  CRect ClientRectInFrame() const;
  bool IsSheetRaised(const SECWorksheet* pSheet) const;
  // The first visible sheet whose tab holds the point (frame client coordinates), or null.
  SECWorksheet* SheetAt(CPoint point) const;
  void MakeTabTips();
  // Offers a mouse message to the tab tips (the tool under the mouse is kept current).
  void RelayToTips(MSG* pMsg);

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnDestroy();
  afx_msg LRESULT OnActiveChanged(WPARAM wParam, LPARAM lParam);
  afx_msg BOOL OnBarCheck(UINT nID);

  std::unique_ptr<CToolTipCtrl> m_pTips;
  // The tool the tips show now (tab place + 1, or 0) and its text.
  UINT_PTR m_nTipTool = 0;
  mutable CString m_strTipText;

  DECLARE_MESSAGE_MAP()
};

class SECWorksheet : public SECMDIChildWnd {
  DECLARE_DYNCREATE(SECWorksheet)

 public:
  SECWorksheet() = default;
  ~SECWorksheet() override;

  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt) override;

  void SetLabel(const CString& label) { m_strLabel = label; }
  const CString& GetLabel() const { return m_strLabel; }
  SECWorkbook* GetWorkbook() const;

  HICON m_hTabIcon = nullptr;
  int m_nIndex = -1;
  BOOL m_bPressed = FALSE;
  CString m_strLabel;

 protected:
  // The tab icon was loaded by LoadFrame (and goes with the sheet).
  BOOL m_bOwnIcon = FALSE;

  afx_msg void OnDestroy();
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);

  DECLARE_MESSAGE_MAP()
};

// The sheet of a bar floating inside the main window: the bar's frame behaves as
// SECControlBarMDIChildWnd's (both go through SECFloatBarHost).
class SECControlBarWorksheet : public SECWorksheet {
  DECLARE_DYNCREATE(SECControlBarWorksheet)

 public:
  SECControlBarWorksheet();
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void RecalcLayout(BOOL bNotify = TRUE) override;
  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
  SECDockBar* GetFloatBarDock() override { return &m_host.m_wndDockBar; }

  SECFloatBarHost m_host;

 protected:
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnClose();
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);

  DECLARE_MESSAGE_MAP()
};

class SECWorkbookClient : public CWnd {
  DECLARE_DYNAMIC(SECWorkbookClient)

 public:
  SECWorkbookClient();
  ~SECWorkbookClient() override;

  // The frame's rectangle for the client shrunk by the margins.
  void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0) override;
  // Margins in the order left, right, top, bottom.
  void SetMargins(int nLeft, int nRight, int nTop, int nBottom);
  void GetMargins(int& nLeft, int& nRight, int& nTop, int& nBottom) const;
  const CRect& GetHotRect() const { return m_rectHot; }

  // Where a click on the background text goes (the build's setting).
  CString m_strLinkAddress{LUMO_WORKBOOK_LINK};
  int m_nLeft = 0;
  int m_nTop = 0;
  int m_nRight = 0;
  int m_nBottom = 0;
  CSize m_sizeLast{0, 0};
  BOOL m_bSized = FALSE;
  CRect m_rectHot;

 protected:
  CWnd* Frame() const { return GetParent(); }

  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  afx_msg LRESULT OnMDISetMenu(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()
};
