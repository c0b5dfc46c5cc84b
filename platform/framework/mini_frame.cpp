#include "platform/framework/mini_frame.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID) {
  return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT) {
  // The MFS_ bits describe the frame's own behaviour; the window gets the pop-up styles.
  m_dwMiniStyle = dwStyle & (MFS_SYNCACTIVE | MFS_4THICKFRAME | MFS_THICKFRAME | MFS_MOVEFRAME | MFS_BLOCKSYSMENU);
  DWORD style = (dwStyle & ~(m_dwMiniStyle | WS_CHILD)) | WS_POPUP;
  if (m_dwMiniStyle & MFS_THICKFRAME) style |= WS_THICKFRAME;
  return CFrameWnd::Create(lpClassName, lpWindowName, style, rect, pParentWnd, nullptr,
                           dwExStyle | WS_EX_TOOLWINDOW, nullptr);
}
