#include "controls/date_ctrl.h"

#include <utility>

#include "platform/win/messages.h"
#include "platform/win/window_api.h"
#include "resources/controls_ids.h"

IMPLEMENT_DYNAMIC(CDateCtrl, CStatic)

namespace {

constexpr const char* kOptionsCaption = "Opcje - kalendarz";

CDateCtrl::OptionsHandler& options_handler() {
  static CDateCtrl::OptionsHandler handler;
  return handler;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDateCtrl, CStatic)
  ON_WM_SETCURSOR()
  ON_WM_LBUTTONDOWN()
  ON_COMMAND(resources::ID_DATE_CALENDAR_OPTIONS, &CDateCtrl::OnCalendarOptions)
END_MESSAGE_MAP()

CDateCtrl::CDateCtrl()
    : m_hHandCursor(::LoadCursor(nullptr, MAKEINTRESOURCE(int(resources::IDC_DATE_HAND)))),
      m_hArrowCursor(::LoadCursor(nullptr, IDC_ARROW)) {}

void CDateCtrl::SetOptionsHandler(OptionsHandler handler) { options_handler() = std::move(handler); }

BOOL CDateCtrl::OnSetCursor(CWnd*, UINT, UINT) {
  ::SetCursor(m_hHandCursor ? m_hHandCursor : m_hArrowCursor);
  return TRUE;
}

void CDateCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
  PostMessage(WM_COMMAND, WPARAM(resources::ID_DATE_CALENDAR_OPTIONS), 0);
  CStatic::OnLButtonDown(nFlags, point);
}

void CDateCtrl::OnCalendarOptions() {
  BeginWaitCursor();
  // A copy: the sheet's own loop may replace the routine while it runs.
  OptionsHandler handler = options_handler();
  if (handler) handler(this, CString(kOptionsCaption), 0);
  EndWaitCursor();
}
