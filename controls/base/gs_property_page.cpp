#include "controls/base/gs_property_page.h"

#include <vector>

#include "controls/base/context_help_request.h"
#include "platform/shell/services.h"
#include "platform/win/context_help.h"

namespace {

void collect_descendants(HWND parent, std::vector<HWND>& out) {
  for (HWND child = ::GetTopWindow(parent); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    out.push_back(child);
    collect_descendants(child, out);
  }
}

}  // namespace

IMPLEMENT_DYNCREATE(CGSPropertyPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CGSPropertyPage, CPropertyPage)
  ON_WM_HELPINFO()
  ON_WM_CONTEXTMENU()
  ON_MESSAGE(WM_HELPHITTEST, &CGSPropertyPage::OnHelpHitTest)
END_MESSAGE_MAP()

CGSPropertyPage::CGSPropertyPage() : CPropertyPage(0, 0) {}

CGSPropertyPage::CGSPropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CPropertyPage(nIDTemplate, nIDCaption), m_nHelpTemplateId(nIDTemplate) {}

CGSPropertyPage::~CGSPropertyPage() = default;

BOOL CGSPropertyPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  if (m_nHelpTemplateId != 0) {
    // Only the windows there now; a control made later keeps the id it was made with.
    std::vector<HWND> windows;
    collect_descendants(m_hWnd, windows);
    for (HWND h : windows) {
      SetWindowContextHelpId(h, context_help::page_help_id(UINT(::GetDlgCtrlID(h)), m_nHelpTemplateId));
    }
  }
  return TRUE;
}

BOOL CGSPropertyPage::OnHelpInfo(HELPINFO* pHelpInfo) {
  if (pHelpInfo && pHelpInfo->iContextType == HELPINFO_WINDOW && m_nHelpTemplateId != 0) {
    UINT control = context_help::help_request_control(*pHelpInfo);
    context_help::show_control_help(pHelpInfo->hItemHandle, control, context_help::page_help_id(control, m_nHelpTemplateId),
                                HELP_WM_HELP);
  }
  return TRUE;
}

void CGSPropertyPage::OnContextMenu(CWnd* pWnd, CPoint point) {
  if (m_nHelpTemplateId == 0) {
    Default();
    return;
  }
  HWND about = pWnd ? pWnd->m_hWnd : nullptr;
  HWND target = context_help::context_menu_target(m_hWnd, about, point);
  if (!target) return;
  context_help::show_window_help(about, target, HELP_CONTEXTMENU);
}

LRESULT CGSPropertyPage::OnHelpHitTest(WPARAM, LPARAM lParam) {
  return context_help::answer_help_hit_test(m_hWnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)},
                                            m_nIDHelp != 0 && m_nHelpTemplateId != 0);
}
