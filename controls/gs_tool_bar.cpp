#include "controls/gs_tool_bar.h"

#include "platform/win/messages.h"

IMPLEMENT_DYNAMIC(CGSToolBar, CToolBar)

BEGIN_MESSAGE_MAP(CGSToolBar, CToolBar)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, &CGSToolBar::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CGSToolBar::CGSToolBar() = default;

CGSToolBar::~CGSToolBar() = default;

LRESULT CGSToolBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  CWnd* parent = GetParent();
  if ((GetStyle() & WS_VISIBLE) && parent) UpdateButtons(parent, BOOL(wParam));
  return 0;
}
