#include "navigation/search_abort_dlg.h"

#include "navigation/gtf_sheet.h"
#include "platform/win/message_loop.h"
#include "platform/framework/command_ids.h"
#include "platform/win/message_queue.h"
#include "platform/win/virtual_keys.h"
#include "resources/app_ids.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"

IMPLEMENT_DYNAMIC(CSearchAbortDlg, CDialog)

BEGIN_MESSAGE_MAP(CSearchAbortDlg, CDialog)
  ON_WM_TIMER()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerPeriodMs = 200;
constexpr UINT kAnimationResource = 201;
}  // namespace

CSearchAbortDlg::CSearchAbortDlg(CGTFQueryPage* pOwner)
    : m_pWork(CLumoKALDoc::GetCurrentWork()), m_pOwner(pOwner) {
  controls::register_animate_control();
  Create(resources::IDD_SEARCH_ABORT, nullptr);
  if (m_pOwner && m_pOwner->m_hWnd) m_pOwner->EnableWindow(FALSE);
}

CSearchAbortDlg::~CSearchAbortDlg() {
  if (m_pOwner && m_pOwner->m_hWnd) m_pOwner->EnableWindow(TRUE);
  if (m_hWnd) DestroyWindow();
}

BOOL CSearchAbortDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_nTimer = SetTimer(kTimerId, kTimerPeriodMs, nullptr);
  if (m_animation.SubclassDlgItem(resources::IDC_ABORT_ANIMATION, this) && m_animation.Open(kAnimationResource)) {
    m_animation.Play(0, UINT(-1), UINT(-1));
  }
  CenterWindow();
  return TRUE;
}

void CSearchAbortDlg::OnTimer(UINT_PTR nIDEvent) { Default(); (void)nIDEvent; }

void CSearchAbortDlg::OnDestroy() {
  if (m_nTimer) KillTimer(m_nTimer);
  m_nTimer = 0;
  CDialog::OnDestroy();
}

void CSearchAbortDlg::OnCancel() {
  if (m_pWork) m_pWork->SetAbort();
  if (m_pOwner) m_pOwner->OnSearchAborted(this);
}

bool CSearchAbortDlg::IsCloseRequest(const MSG& msg) {
  switch (msg.message) {
    case WM_CLOSE: return true;
    case WM_SYSCOMMAND: return (msg.wParam & 0xFFF0) == SC_CLOSE;
    case WM_SYSKEYDOWN: return msg.wParam == VK_F4;
    case WM_KEYDOWN: return msg.wParam == VK_F4 && (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    case WM_COMMAND: {
      const UINT id = LOWORD(msg.wParam);
      return id == ID_FILE_CLOSE || id == ID_APP_EXIT || id == ID_FILE_NEW || id == ID_FILE_OPEN;
    }
    default: return false;
  }
}

fts::FtsPollCallback CSearchAbortDlg::GetYieldCallback() { return &CSearchAbortDlg::PollCallback; }

int32_t CSearchAbortDlg::PollCallback(intptr_t user, fts::FtsError*) {
  if (!user) return 0;
  auto* work = reinterpret_cast<CLumoKALDoc*>(user);
  CLumoApp* app = LumoApp();
  const int limit = app ? std::max(1, int(app->GetUserData().m_nPollMessages)) : 1000;
  MSG msg;
  for (int dispatched = 0; dispatched < limit && ::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE); ++dispatched) {
    // A request to close something the search reads from, or to quit, stops the search first; it
    // stays in the queue (a quit message is put back) for the loop that runs after the query.
    if (IsCloseRequest(msg)) {
      work->TakeAbort();
      return kStopSearch;
    }
    if (!::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) break;
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(int(msg.wParam));
      work->TakeAbort();
      return kStopSearch;
    }
    win::process_message(msg);
  }
  return work->TakeAbort() ? kStopSearch : 0;
}
