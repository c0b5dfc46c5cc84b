// The control-bar base: a window along an edge of its frame (toolbars, status bars, dialog bars,
// docking windows) that takes its strip in the frame's layout and updates its items on idle.
//
// The fields carry the framework's meaning: `m_dwStyle` holds the CBRS_ bits (alignment, borders,
// tool tips, sizing), `m_dwDockStyle` the sides it may dock on, `m_pDockSite` the frame that
// lays it out, `m_pDockBar` the dock bar holding it, `m_pDockContext` the object that drags it,
// the four border widths, `m_nMRUWidth` its last floating width, `m_nCount`/`m_pData` the item
// table derived bars use.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/framework/tool_tips.h"
#include "platform/win/cwnd.h"

class CFrameWnd;
class CDockBar;
class CDockContext;
class CControlBarInfo;
struct AFX_SIZEPARENTPARAMS;

// Bar styles.
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
constexpr DWORD CBRS_BORDER_LEFT = 0x0100;
constexpr DWORD CBRS_BORDER_TOP = 0x0200;
constexpr DWORD CBRS_BORDER_RIGHT = 0x0400;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
constexpr DWORD CBRS_BORDER_ANY = 0x0F00;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_FLYBY = 0x0020;
constexpr DWORD CBRS_FLOAT_MULTI = 0x0040;
constexpr DWORD CBRS_BORDER_3D = 0x0080;
constexpr DWORD CBRS_HIDE_INPLACE = 0x0008;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0004;
constexpr DWORD CBRS_SIZE_FIXED = 0x0002;
constexpr DWORD CBRS_FLOATING = 0x0001;
constexpr DWORD CBRS_GRIPPER = 0x00400000;
constexpr DWORD CBRS_ORIENT_HORZ = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM;
constexpr DWORD CBRS_ORIENT_VERT = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;
constexpr DWORD CBRS_ORIENT_ANY = CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT;
constexpr DWORD CBRS_ALL = 0x0040FFFF;
constexpr DWORD CBRS_NOALIGN = 0;
constexpr DWORD CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;

// Dynamic-layout modes.
constexpr DWORD LM_STRETCH = 0x01;
constexpr DWORD LM_HORZ = 0x02;
constexpr DWORD LM_MRUWIDTH = 0x04;
constexpr DWORD LM_HORZDOCK = 0x08;
constexpr DWORD LM_VERTDOCK = 0x10;
constexpr DWORD LM_LENGTHY = 0x20;
constexpr DWORD LM_COMMIT = 0x40;

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)

 public:
  CControlBar();
  ~CControlBar() override;

  // Updates the bar's items through `pTarget` (the frame) on idle.
  virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
  virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
  virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
  virtual void DoPaint(CDC* pDC);
  virtual void DrawBorders(CDC* pDC, CRect& rect);
  virtual void DrawGripper(CDC* pDC, const CRect& rect);
  // The client rectangle less the borders (and gripper).
  virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
  virtual void DelayShow(BOOL bShow);
  // The tool under a client point: a child control by default (only with CBRS_TOOLTIPS).
  virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
  virtual BOOL IsVisible() const;
  virtual void SetBarStyle(DWORD dwStyle);
  DWORD GetBarStyle() const { return m_dwStyle; }
  // Lets the bar dock on the sides `dwDockStyle` names (CBRS_ALIGN_ bits, 0 for none) and be
  // dragged: the bar gets its dock context the first time.
  void EnableDocking(DWORD dwDockStyle);
  BOOL IsFloating() const;
  BOOL IsHorzDocked() const;
  BOOL IsVertDocked() const;
  CFrameWnd* GetDockingFrame() const;
  int GetCount() const { return m_nCount; }
  void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
  // The item table: `nElements` entries of `cbElement` zeroed bytes.
  BOOL AllocElements(int nElements, int cbElement);
  // The bar's record in a saved docking layout (dock_state.h), and putting one back: visibility
  // (with the next layout), last floating width, last docked and floating places, place in its
  // dock bar (bar_state.cpp).
  virtual void GetBarInfo(CControlBarInfo* pInfo);
  virtual void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

  void PostNcDestroy() override;

  DWORD m_dwStyle = 0;
  DWORD m_dwDockStyle = 0;
  CFrameWnd* m_pDockSite = nullptr;
  CDockBar* m_pDockBar = nullptr;
  // Made by EnableDocking; a press on the bar away from its items starts its drag, a double
  // click toggles docked and floating.
  std::unique_ptr<CDockContext> m_pDockContext;
  int m_cxLeftBorder = 6;
  int m_cxRightBorder = 6;
  int m_cyTopBorder = 2;
  int m_cyBottomBorder = 2;
  int m_cxDefaultGap = 2;
  int m_nMRUWidth = 32767;
  BOOL m_bAutoDelete = FALSE;
  int m_nCount = 0;
  void* m_pData = nullptr;
  // Visible state to apply on the next layout (DelayShow): 0 none, WS_VISIBLE show, else hide.
  UINT m_nStateFlags = 0;
  enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  // Puts the bar at `rect` (parent client coordinates) during a size-parent pass that moves bars;
  // by default at once, repainted. A bar type may move itself otherwise.
  virtual void MoveInLayout(AFX_SIZEPARENTPARAMS* layout, const CRect& rect);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

  std::vector<std::uint8_t> m_elements;

  DECLARE_MESSAGE_MAP()
};
