#include "shell/instance_guard.h"

#include "platform/base/cp1250.h"
#include "platform/framework/app.h"
#include "platform/framework/prompter.h"
#include "platform/res/resource_store.h"
#include "platform/shell/single_instance.h"
#include "platform/win/cwnd.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_api.h"

CInstanceGuard::CInstanceGuard() = default;
CInstanceGuard::~CInstanceGuard() = default;

BOOL CInstanceGuard::RegisterMainClass(UINT nIDString, const CString& work) {
  CString name;
  AfxLoadString(nIDString, name);
  m_strClassName = name.SpanExcluding("\n") + CString(" Class");

  auto instance = std::make_unique<shell::SingleInstance>(m_strClassName.str() + m_scope);
  CWinApp* app = AfxGetApp();
  const bool first = instance->acquire([app](const std::vector<std::string>& arguments) {
    if (app) shell::on_second_start(*app, arguments);
  });
  if (!first) {
    std::vector<std::string> arguments;
    if (!work.IsEmpty()) arguments.push_back(base::cp1250::to_utf8(work.str()));
    instance->hand_over(arguments);
    return FALSE;
  }
  m_instance = std::move(instance);

  WNDCLASS existing;
  if (::GetClassInfo(m_strClassName, &existing) && existing.lpfnWndProc == AfxWndProc) return TRUE;
  WNDCLASS wc;
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = AfxWndProc;
  wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = m_strClassName;
  if (!::RegisterClass(&wc)) {
    AfxMessageBox("Failed to register window class!", MB_ICONERROR);
    m_instance.reset();
    return FALSE;
  }
  return TRUE;
}
