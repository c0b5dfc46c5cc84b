// Mini frames: the small floating frames that hold control bars outside the main window. They
// are owned top-level tool windows, so their frame hides them while minimised and disables them
// during modal dialogs (frame_wnd.h).
//
// A mini frame draws its own non-client area: a border (thick when it can be sized or moved by
// its edges, else one pixel), a small caption with the title in the small caption font and, with
// WS_SYSMENU, a close button at its right end. The MFS_ styles (kept in the window style) decide
// what the border answers to the hit test: MFS_MOVEFRAME makes it part of the caption,
// MFS_THICKFRAME (or WS_THICKFRAME) sizes by every edge and corner, MFS_4THICKFRAME by the four
// edges only. MFS_SYNCACTIVE shows the caption active while the owner frame or any of its floating
// windows is active; MFS_BLOCKSYSMENU gives the frame no system menu.
#pragma once

#include "platform/framework/frame_wnd.h"

// Mini-frame styles.
constexpr DWORD MFS_SYNCACTIVE = 0x00000100;
constexpr DWORD MFS_4THICKFRAME = 0x00000200;
constexpr DWORD MFS_THICKFRAME = 0x00000400;
constexpr DWORD MFS_MOVEFRAME = 0x00000800;
constexpr DWORD MFS_BLOCKSYSMENU = 0x00001000;

// A frame tells its floating windows about its own state: wParam holds FS_ bits.
constexpr UINT WM_FLOATSTATUS = 0x036D;
constexpr WPARAM FS_SHOW = 0x01;
constexpr WPARAM FS_HIDE = 0x02;
constexpr WPARAM FS_ACTIVATE = 0x04;
constexpr WPARAM FS_DEACTIVATE = 0x08;
constexpr WPARAM FS_ENABLE = 0x10;
constexpr WPARAM FS_DISABLE = 0x20;
constexpr WPARAM FS_SYNCACTIVE = 0x40;

class CMiniFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMiniFrameWnd)

 public:
  // `pParentWnd` becomes the owner; the frame is a WS_EX_TOOLWINDOW pop-up. MFS_THICKFRAME adds
  // WS_THICKFRAME.
  BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
              CWnd* pParentWnd = nullptr, UINT nID = 0);
  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                const RECT& rect, CWnd* pParentWnd = nullptr, UINT nID = 0);

  // Grows a client rectangle to the window rectangle of a mini frame with these styles.
  static void CalcBorders(LPRECT lpClientRect, DWORD dwStyle = WS_THICKFRAME | WS_CAPTION, DWORD dwExStyle = 0);
  void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0) override;

  // The parts of the non-client area, window coordinates (empty when the style has none).
  CRect GetCaptionRect() const;
  CRect GetCloseButtonRect() const;
  // Whether the caption is drawn in the active colours.
  BOOL IsCaptionActive() const;

 protected:
  afx_msg LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnNcPaint(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnNcActivate(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnNcLButtonDown(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);

  // Holds the close button down while the mouse does; whether it was released over it.
  bool TrackCloseButton();
  void PaintNonClient(bool closePushed);

  BOOL m_bActive = FALSE;  // the window's own activation, as WM_NCACTIVATE last said

  DECLARE_MESSAGE_MAP()
};
