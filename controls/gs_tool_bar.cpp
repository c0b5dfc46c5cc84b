#include "controls/gs_tool_bar.h"

#include "platform/framework/frame_wnd.h"
#include "platform/win/messages.h"

IMPLEMENT_DYNAMIC(CGSToolBar, CToolBar)

BEGIN_MESSAGE_MAP(CGSToolBar, CToolBar)
  ON_WM_CREATE()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, &CGSToolBar::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CGSToolBar::CGSToolBar() = default;

CGSToolBar::~CGSToolBar() = default;

int CGSToolBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (CToolBar::OnCreate(lpcs) == -1) return -1;
  if (m_pDockSite && GetParent() != m_pDockSite) {
    m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
  }
  return 0;
}

LRESULT CGSToolBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  CWnd* parent = GetParent();
  if ((GetStyle() & WS_VISIBLE) && parent) UpdateButtons(parent, BOOL(wParam));
  return 0;
}
