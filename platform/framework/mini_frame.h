// Mini frames: the small floating frames that hold control bars outside the main window. They
// are owned top-level tool windows, so their frame hides them while minimised and disables them
// during modal dialogs (frame_wnd.h).
#pragma once

#include "platform/framework/frame_wnd.h"

// Mini-frame styles.
constexpr DWORD MFS_SYNCACTIVE = 0x00000100;
constexpr DWORD MFS_4THICKFRAME = 0x00000200;
constexpr DWORD MFS_THICKFRAME = 0x00000400;
constexpr DWORD MFS_MOVEFRAME = 0x00000800;
constexpr DWORD MFS_BLOCKSYSMENU = 0x00001000;

class CMiniFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMiniFrameWnd)

 public:
  // `pParentWnd` becomes the owner; the frame is a WS_EX_TOOLWINDOW pop-up.
  BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
              CWnd* pParentWnd = nullptr, UINT nID = 0);
  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                const RECT& rect, CWnd* pParentWnd = nullptr, UINT nID = 0);

  DWORD m_dwMiniStyle = 0;  // the MFS_ bits
};
