// CWnd: the framework's window object over a window handle.
//
// A CWnd made by Create/CreateEx (or attached with SubclassWindow) is the window's permanent
// object: the layer's window procedure finds it by handle and calls WindowProc, which looks the
// message up in the message map (OnWndMsg) and otherwise passes it to the default handling
// (DefWindowProc, or the procedure the window had before it was subclassed). FromHandle on a
// handle without a permanent object gives a temporary wrapper, valid until the next idle pass.
//
// Destruction: DestroyWindow sends WM_DESTROY at once and the handle is dead when it returns;
// WM_NCDESTROY, where OnNcDestroy detaches the object and calls PostNcDestroy (which may delete
// the object), waits until no handler of the window is running and no nested loop holds it.
#pragma once

#include "platform/base/cstring.h"
#include "platform/base/geometry.h"
#include "platform/gdi/core/afx_gdi.h"
#include "platform/win/cmd_target.h"
#include "platform/win/message_queue.h"
#include "platform/win/scroll_bars.h"
#include "platform/win/window_api.h"

class CWnd;
class CScrollBar;

constexpr DWORD MLF_NOIDLEMSG = 0x0001;
constexpr DWORD MLF_NOKICKIDLE = 0x0002;
constexpr DWORD MLF_SHOWONIDLE = 0x0004;
// WM_ENTERIDLE wParam: a dialog box is waiting.
constexpr UINT MSGF_DIALOGBOX = 0;
constexpr UINT MSGF_MENU = 2;
struct CCreateContext;

// WM_CTLCOLOR: the kind of control asking for its colours (the framework's merged message).
constexpr UINT WM_CTLCOLOR = 0x0019;
constexpr UINT CTLCOLOR_MSGBOX = 0;
constexpr UINT CTLCOLOR_EDIT = 1;
constexpr UINT CTLCOLOR_LISTBOX = 2;
constexpr UINT CTLCOLOR_BTN = 3;
constexpr UINT CTLCOLOR_DLG = 4;
constexpr UINT CTLCOLOR_SCROLLBAR = 5;
constexpr UINT CTLCOLOR_STATIC = 6;

// Owner-drawn items (WM_DRAWITEM, WM_MEASUREITEM).
constexpr UINT ODT_MENU = 1;
constexpr UINT ODT_LISTBOX = 2;
constexpr UINT ODT_COMBOBOX = 3;
constexpr UINT ODT_BUTTON = 4;
constexpr UINT ODA_DRAWENTIRE = 0x0001;
constexpr UINT ODA_SELECT = 0x0002;
constexpr UINT ODA_FOCUS = 0x0004;
constexpr UINT ODS_SELECTED = 0x0001;
constexpr UINT ODS_GRAYED = 0x0002;
constexpr UINT ODS_DISABLED = 0x0004;
constexpr UINT ODS_CHECKED = 0x0008;
constexpr UINT ODS_FOCUS = 0x0010;

struct DRAWITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;
  UINT itemAction;
  UINT itemState;
  HWND hwndItem;
  HDC hDC;
  RECT rcItem;
  UINT_PTR itemData;
};
using LPDRAWITEMSTRUCT = DRAWITEMSTRUCT*;

struct MEASUREITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;
  UINT itemWidth;
  UINT itemHeight;
  UINT_PTR itemData;
};
using LPMEASUREITEMSTRUCT = MEASUREITEMSTRUCT*;

struct NCCALCSIZE_PARAMS {
  RECT rgrc[3];
  WINDOWPOS* lppos;
};

// The window procedure of every window with a CWnd.
LRESULT AfxWndProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam);
// A class name registered on first use for these styles, cursor and background (a brush, a
// system colour index + 1, or null).
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                            HICON hIcon = nullptr);
// The class CWnd::Create uses when given no class name.
inline constexpr LPCTSTR AFX_WND_CLASS = "AfxWnd";

class CWnd : public CCmdTarget {
  DECLARE_DYNAMIC(CWnd)

 public:
  HWND m_hWnd = nullptr;

  CWnd() = default;
  // The places SetWindowPos can put a window in Z order.
  static const CWnd wndTop;
  static const CWnd wndBottom;
  static const CWnd wndTopMost;
  static const CWnd wndNoTopMost;

  // Destroys the window if it is still there.
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  operator HWND() const { return m_hWnd; }
  HWND GetSafeHwnd() const { return m_hWnd; }
  bool operator==(const CWnd& o) const { return m_hWnd == o.m_hWnd; }

  // --- Objects and handles ---
  static CWnd* FromHandle(HWND h);
  static CWnd* FromHandlePermanent(HWND h);
  // Frees the temporary wrappers FromHandle made (the idle pass calls it).
  static void DeleteTempMap();
  BOOL Attach(HWND h);
  HWND Detach();
  // Makes this the window's permanent object and routes its messages through the map; the old
  // procedure becomes the default handling.
  BOOL SubclassWindow(HWND h);
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
  HWND UnsubclassWindow();

  // --- Creation ---
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                      CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x,
                int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                LPVOID lpParam = nullptr);
  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
  virtual BOOL DestroyWindow();

  // --- Message handling ---
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The default handling of the message being processed.
  LRESULT Default();
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // Offers a message to PreTranslateMessage of its window and each parent up to (not including)
  // `hWndStop`; true when one of them took it.
  static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // A child's own look at a notification its parent received from it (reflection).
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // Offers the message being processed to the child window that sent it.
  static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
  // WM_CTLCOLORxxx: the control's reflected answer, an entry for the message itself, or the
  // merged WM_CTLCOLOR handler.
  BOOL OnCtlColorMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual void PostNcDestroy();
  virtual void PreSubclassWindow();
  // Grows a client rectangle to the window rectangle for this window's styles.
  virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0);

  // --- Relations ---
  CWnd* GetParent() const;
  CWnd* SetParent(CWnd* pWndNewParent);
  CWnd* GetOwner() const;
  void SetOwner(CWnd* pOwnerWnd);
  CWnd* GetTopLevelParent() const;
  CWnd* GetWindow(UINT nCmd) const;
  CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const;
  CWnd* GetTopWindow() const;
  CWnd* GetDlgItem(int nID) const;
  // A descendant with that id, searching children first, then (with bOnlyPerm false or not) deeper.
  CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
  BOOL IsChild(const CWnd* pWnd) const;
  int GetDlgCtrlID() const;
  int SetDlgCtrlID(int nID);
  CWnd* ChildWindowFromPoint(POINT point) const;
  static CWnd* WindowFromPoint(POINT point);
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                BOOL bDeep = TRUE, BOOL bOnlyPerm = FALSE);

  // --- State ---
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  static BOOL ModifyStyle(HWND h, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
  static BOOL ModifyStyleEx(HWND h, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
  BOOL ShowWindow(int nCmdShow);
  BOOL IsWindowVisible() const;
  BOOL EnableWindow(BOOL bEnable = TRUE);
  BOOL IsWindowEnabled() const;
  BOOL IsIconic() const;
  BOOL IsZoomed() const;
  void SetWindowText(LPCTSTR lpszString);
  int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
  void GetWindowText(CString& rString) const;
  int GetWindowTextLength() const;
  void SetRedraw(BOOL bRedraw = TRUE);
  HMENU GetMenuHandle() const;
  void SetDlgItemText(int nID, LPCTSTR lpszString);
  int GetDlgItemText(int nID, CString& rString) const;
  void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
  CFont* GetFont() const;

  // --- The window's own scroll bars ---
  // A scroll-bar control that stands in for the window's own bar `nBar` (a splitter's shared bar
  // for its panes); null by default. The scroll calls below reach that control when there is one.
  virtual CScrollBar* GetScrollBarCtrl(int nBar) const;
  int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
  int GetScrollPos(int nBar) const;
  void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
  void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
  BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
  BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
  int GetScrollLimit(int nBar);
  void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
  BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH);

  // --- Geometry ---
  void GetWindowRect(LPRECT lpRect) const;
  void GetClientRect(LPRECT lpRect) const;
  void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
  void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
  BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
  void BringWindowToTop();
  void ClientToScreen(LPPOINT lpPoint) const;
  void ClientToScreen(LPRECT lpRect) const;
  void ScreenToClient(LPPOINT lpPoint) const;
  void ScreenToClient(LPRECT lpRect) const;
  void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
  void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
  void CenterWindow(CWnd* pAlternateOwner = nullptr);

  // --- Focus, activation, capture ---
  CWnd* SetFocus();
  static CWnd* GetFocus();
  CWnd* SetActiveWindow();
  static CWnd* GetActiveWindow();
  CWnd* SetCapture();
  static CWnd* GetCapture();
  BOOL SetForegroundWindow();

  // --- Painting ---
  void Invalidate(BOOL bErase = TRUE);
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
  void ValidateRect(LPCRECT lpRect);
  void UpdateWindow();
  BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
  void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr);

  // --- Modal loops ---
  // Runs a message loop for this window until EndModalLoop or its destruction and returns the
  // result given to EndModalLoop (-1 when the window went away). The owner gets WM_ENTERIDLE while
  // the queue is empty, unless MLF_NOIDLEMSG. A WM_QUIT ends the loop and is posted again for the
  // outer loop.
  virtual int RunModalLoop(DWORD dwFlags = 0);
  virtual BOOL ContinueModal();
  virtual void EndModalLoop(int nResult);

  // --- Messages and timers ---
  // The client-area context (a temporary CDC) and its release.
  CDC* GetDC();
  CDC* GetWindowDC();
  int ReleaseDC(CDC* pDC);

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
  BOOL KillTimer(UINT_PTR nIDEvent);
  // The message being processed by the innermost window procedure call.
  static const MSG* GetCurrentMessage();

 protected:
  // --- Default handlers (framework signatures); each does the default handling. ---
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnNcDestroy();
  afx_msg void OnClose();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnMove(int x, int y);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  afx_msg void OnNcPaint();
  afx_msg BOOL OnNcActivate(BOOL bActive);
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  afx_msg void OnEnable(BOOL bEnable);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
  afx_msg void OnMouseHover(UINT nFlags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg void OnNcMouseHover(UINT nHitTest, CPoint point);
  afx_msg void OnNcMouseLeave();
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point);
  afx_msg void OnNcMButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
  afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  afx_msg void OnSysColorChange();
  afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
  afx_msg void OnCancelMode();
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnParentNotify(UINT message, LPARAM lParam);
  afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
  afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
  afx_msg void OnChildActivate();
  afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
  afx_msg BOOL OnQueryNewPalette();

  // The procedure the window had before it was subclassed (the default handling).
  WNDPROC m_pfnSuper = nullptr;
  explicit CWnd(HWND h) : m_hWnd(h) {}

  // Owner for command routing and notifications when it differs from the parent.
  HWND m_hWndOwner = nullptr;
  bool m_bContinueModal = false;
  int m_nModalResult = -1;

  DECLARE_MESSAGE_MAP()
};

// --- Map entries for window messages (framework handler signatures) -------------------------------
#define LUMO_WM_ENTRY(message, ...) LUMO_ENTRY(message, 0, 0, 0, nullptr, __VA_ARGS__)
#define LUMO_POINT(l) CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l))
#define LUMO_WND(h) CWnd::FromHandle(reinterpret_cast<HWND>(h))

#define ON_WM_CREATE() LUMO_WM_ENTRY(WM_CREATE, { *result = self->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)); return TRUE; })
#define ON_WM_NCCREATE() LUMO_WM_ENTRY(WM_NCCREATE, { *result = self->OnNcCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)); return TRUE; })
#define ON_WM_DESTROY() LUMO_WM_ENTRY(WM_DESTROY, { self->OnDestroy(); return TRUE; })
#define ON_WM_NCDESTROY() LUMO_WM_ENTRY(WM_NCDESTROY, { self->OnNcDestroy(); return TRUE; })
#define ON_WM_CLOSE() LUMO_WM_ENTRY(WM_CLOSE, { self->OnClose(); return TRUE; })
#define ON_WM_SIZE() LUMO_WM_ENTRY(WM_SIZE, { self->OnSize(UINT(wParam), short(LOWORD(lParam)), short(HIWORD(lParam))); return TRUE; })
#define ON_WM_MOVE() LUMO_WM_ENTRY(WM_MOVE, { self->OnMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return TRUE; })
#define ON_WM_PAINT() LUMO_WM_ENTRY(WM_PAINT, { self->OnPaint(); return TRUE; })
#define ON_WM_ERASEBKGND() LUMO_WM_ENTRY(WM_ERASEBKGND, { *result = self->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam))); return TRUE; })
// Answers every WM_CTLCOLORxxx; `extra` carries the control kind.
#define ON_WM_CTLCOLOR() LUMO_WM_ENTRY(WM_CTLCOLOR, { *result = reinterpret_cast<LRESULT>(self->OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), LUMO_WND(lParam), *static_cast<UINT*>(extra))); return TRUE; })
// The control's own answer to the colour request its parent received: HBRUSH CtlColor(CDC*, UINT);
// a null brush leaves the request to the parent.
#define ON_WM_CTLCOLOR_REFLECT() LUMO_WM_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, { HBRUSH b = self->CtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), *static_cast<UINT*>(extra)); *result = reinterpret_cast<LRESULT>(b); return b != nullptr; })
#define ON_WM_DRAWITEM() LUMO_WM_ENTRY(WM_DRAWITEM, { self->OnDrawItem(int(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); *result = TRUE; return TRUE; })
#define ON_WM_MEASUREITEM() LUMO_WM_ENTRY(WM_MEASUREITEM, { self->OnMeasureItem(int(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); *result = TRUE; return TRUE; })
#define ON_WM_NCPAINT() LUMO_WM_ENTRY(WM_NCPAINT, { self->OnNcPaint(); return TRUE; })
#define ON_WM_NCACTIVATE() LUMO_WM_ENTRY(WM_NCACTIVATE, { *result = self->OnNcActivate(BOOL(wParam)); return TRUE; })
#define ON_WM_NCCALCSIZE() LUMO_WM_ENTRY(WM_NCCALCSIZE, { self->OnNcCalcSize(BOOL(wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)); return TRUE; })
#define ON_WM_NCHITTEST() LUMO_WM_ENTRY(WM_NCHITTEST, { *result = self->OnNcHitTest(LUMO_POINT(lParam)); return TRUE; })
#define ON_WM_TIMER() LUMO_WM_ENTRY(WM_TIMER, { self->OnTimer(UINT_PTR(wParam)); return TRUE; })
#define ON_WM_SHOWWINDOW() LUMO_WM_ENTRY(WM_SHOWWINDOW, { self->OnShowWindow(BOOL(wParam), UINT(lParam)); return TRUE; })
#define ON_WM_ENABLE() LUMO_WM_ENTRY(WM_ENABLE, { self->OnEnable(BOOL(wParam)); return TRUE; })
#define ON_WM_SETFOCUS() LUMO_WM_ENTRY(WM_SETFOCUS, { self->OnSetFocus(LUMO_WND(wParam)); return TRUE; })
#define ON_WM_KILLFOCUS() LUMO_WM_ENTRY(WM_KILLFOCUS, { self->OnKillFocus(LUMO_WND(wParam)); return TRUE; })
#define ON_WM_ACTIVATE() LUMO_WM_ENTRY(WM_ACTIVATE, { self->OnActivate(LOWORD(wParam), LUMO_WND(lParam), BOOL(HIWORD(wParam))); return TRUE; })
#define ON_WM_MOUSEACTIVATE() LUMO_WM_ENTRY(WM_MOUSEACTIVATE, { *result = self->OnMouseActivate(LUMO_WND(wParam), LOWORD(lParam), HIWORD(lParam)); return TRUE; })
#define ON_WM_SETCURSOR() LUMO_WM_ENTRY(WM_SETCURSOR, { *result = self->OnSetCursor(LUMO_WND(wParam), LOWORD(lParam), HIWORD(lParam)); return TRUE; })
#define LUMO_MOUSE_ENTRY(message, fn) LUMO_WM_ENTRY(message, { self->fn(UINT(wParam), LUMO_POINT(lParam)); return TRUE; })
#define ON_WM_MOUSEMOVE() LUMO_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() LUMO_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() LUMO_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() LUMO_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() LUMO_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() LUMO_MOUSE_ENTRY(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() LUMO_MOUSE_ENTRY(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() LUMO_MOUSE_ENTRY(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() LUMO_MOUSE_ENTRY(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() LUMO_MOUSE_ENTRY(WM_MBUTTONDBLCLK, OnMButtonDblClk)
#define ON_WM_NCMOUSEMOVE() LUMO_MOUSE_ENTRY(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_MOUSEHOVER() LUMO_MOUSE_ENTRY(WM_MOUSEHOVER, OnMouseHover)
#define ON_WM_MOUSELEAVE() LUMO_WM_ENTRY(WM_MOUSELEAVE, { self->OnMouseLeave(); return TRUE; })
#define ON_WM_NCMOUSEHOVER() LUMO_MOUSE_ENTRY(WM_NCMOUSEHOVER, OnNcMouseHover)
#define ON_WM_NCMOUSELEAVE() LUMO_WM_ENTRY(WM_NCMOUSELEAVE, { self->OnNcMouseLeave(); return TRUE; })
#define ON_WM_NCLBUTTONDOWN() LUMO_MOUSE_ENTRY(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() LUMO_MOUSE_ENTRY(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() LUMO_MOUSE_ENTRY(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() LUMO_MOUSE_ENTRY(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() LUMO_MOUSE_ENTRY(WM_NCRBUTTONUP, OnNcRButtonUp)
#define ON_WM_NCMBUTTONDOWN() LUMO_MOUSE_ENTRY(WM_NCMBUTTONDOWN, OnNcMButtonDown)
#define ON_WM_MOUSEWHEEL() LUMO_WM_ENTRY(WM_MOUSEWHEEL, { *result = self->OnMouseWheel(LOWORD(wParam), short(HIWORD(wParam)), LUMO_POINT(lParam)); return TRUE; })
#define LUMO_KEY_ENTRY(message, fn) LUMO_WM_ENTRY(message, { self->fn(UINT(wParam), LOWORD(lParam), HIWORD(lParam)); return TRUE; })
#define ON_WM_KEYDOWN() LUMO_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() LUMO_KEY_ENTRY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() LUMO_KEY_ENTRY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() LUMO_KEY_ENTRY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() LUMO_KEY_ENTRY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_SYSCHAR() LUMO_KEY_ENTRY(WM_SYSCHAR, OnSysChar)
#define ON_WM_SYSCOMMAND() LUMO_WM_ENTRY(WM_SYSCOMMAND, { self->OnSysCommand(UINT(wParam), lParam); return TRUE; })
#define ON_WM_CONTEXTMENU() LUMO_WM_ENTRY(WM_CONTEXTMENU, { self->OnContextMenu(LUMO_WND(wParam), LUMO_POINT(lParam)); return TRUE; })
#define ON_WM_HELPINFO() LUMO_WM_ENTRY(WM_HELP, { *result = self->OnHelpInfo(reinterpret_cast<HELPINFO*>(lParam)); return TRUE; })
#define ON_WM_HSCROLL() LUMO_WM_ENTRY(WM_HSCROLL, { self->OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<CScrollBar*>(LUMO_WND(lParam))); return TRUE; })
#define ON_WM_VSCROLL() LUMO_WM_ENTRY(WM_VSCROLL, { self->OnVScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<CScrollBar*>(LUMO_WND(lParam))); return TRUE; })
#define ON_WM_GETMINMAXINFO() LUMO_WM_ENTRY(WM_GETMINMAXINFO, { self->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)); return TRUE; })
#define ON_WM_WINDOWPOSCHANGING() LUMO_WM_ENTRY(WM_WINDOWPOSCHANGING, { self->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)); return TRUE; })
#define ON_WM_WINDOWPOSCHANGED() LUMO_WM_ENTRY(WM_WINDOWPOSCHANGED, { self->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam)); return TRUE; })
#define ON_WM_SYSCOLORCHANGE() LUMO_WM_ENTRY(WM_SYSCOLORCHANGE, { self->OnSysColorChange(); return TRUE; })
#define ON_WM_SETTINGCHANGE() LUMO_WM_ENTRY(WM_SETTINGCHANGE, { self->OnSettingChange(UINT(wParam), reinterpret_cast<LPCTSTR>(lParam)); return TRUE; })
#define ON_WM_CANCELMODE() LUMO_WM_ENTRY(WM_CANCELMODE, { self->OnCancelMode(); return TRUE; })
#define ON_WM_CAPTURECHANGED() LUMO_WM_ENTRY(WM_CAPTURECHANGED, { self->OnCaptureChanged(LUMO_WND(lParam)); return TRUE; })
#define ON_WM_GETDLGCODE() LUMO_WM_ENTRY(WM_GETDLGCODE, { *result = LRESULT(self->OnGetDlgCode()); return TRUE; })
#define ON_WM_PARENTNOTIFY() LUMO_WM_ENTRY(WM_PARENTNOTIFY, { self->OnParentNotify(UINT(wParam), lParam); return TRUE; })
#define ON_WM_MENUSELECT() LUMO_WM_ENTRY(WM_MENUSELECT, { self->OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam)); return TRUE; })
#define ON_WM_ENTERIDLE() LUMO_WM_ENTRY(WM_ENTERIDLE, { self->OnEnterIdle(UINT(wParam), LUMO_WND(lParam)); return TRUE; })
#define ON_WM_CHILDACTIVATE() LUMO_WM_ENTRY(WM_CHILDACTIVATE, { self->OnChildActivate(); return TRUE; })
#define ON_WM_ACTIVATEAPP() LUMO_WM_ENTRY(WM_ACTIVATEAPP, { self->OnActivateApp(BOOL(wParam), DWORD(lParam)); return TRUE; })
#define ON_WM_PALETTECHANGED() LUMO_WM_ENTRY(WM_PALETTECHANGED, { self->OnPaletteChanged(LUMO_WND(wParam)); return TRUE; })
#define ON_WM_QUERYNEWPALETTE() LUMO_WM_ENTRY(WM_QUERYNEWPALETTE, { *result = self->OnQueryNewPalette(); return TRUE; })
