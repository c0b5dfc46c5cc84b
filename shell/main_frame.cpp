#include "shell/main_frame.h"

#include <iterator>

#include "platform/framework/command_ids.h"
#include "platform/res/resource_store.h"
#include "resources/resource_ids.h"
#include "shell/lumo_app.h"

namespace {

// The panes in the order the status bar's users rely on: 0 messages, 1 the act's address,
// 2 found words, 3 Num Lock, 4 Caps Lock, 5 the date, 6 the text view's mark.
constexpr UINT kIndicators[] = {
    ID_SEPARATOR,
    resources::ID_INDICATOR_ACT,
    resources::ID_INDICATOR_FOUND_WORDS,
    ID_INDICATOR_NUM,
    ID_INDICATOR_CAPS,
    resources::ID_INDICATOR_DATE,
    resources::ID_INDICATOR_MARK,
};

}  // namespace

IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
  ON_WM_CREATE()
END_MESSAGE_MAP()

CMainFrame::CMainFrame() {
  CString text;
  if (AfxLoadString(resources::IDS_IDLE_PROMPT, text)) m_strIdleText = text.SpanExcluding("\n");
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs) {
  if (CMDIFrameWnd::OnCreate(lpcs) == -1) return -1;
  if (!m_wndStatusBar.Create(this) ||
      !m_wndStatusBar.SetIndicators(kIndicators, int(std::size(kIndicators)))) {
    return -1;
  }
  m_wndStatusBar.SetPaneText(0, m_strIdleText);
  return 0;
}

void CMainFrame::GetMessageString(UINT nID, CString& rMessage) const {
  if (nID == AFX_IDS_IDLEMESSAGE) {
    rMessage = m_strIdleText;
    return;
  }
  CMDIFrameWnd::GetMessageString(nID, rMessage);
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
  if (CLumoApp* app = LumoApp(); app && app->GetInstanceGuard().IsHeld()) {
    cs.lpszClass = app->GetInstanceGuard().GetClassName();
  }
  return CMDIFrameWnd::PreCreateWindow(cs);
}
