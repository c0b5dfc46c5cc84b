#include "tests/toolkit_buttons/button_bar.h"

#include <algorithm>

#include <QImage>

#include "platform/win/messages.h"
#include "tests/support/surface_png.h"
#include "platform/win/window_dc.h"
#include "platform/win/window_styles.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"

namespace lumo::test {

ButtonBar::ButtonBar() { group.push_back(this); }

ButtonBar::~ButtonBar() {
  buttons.clear();
  if (m_hWnd) DestroyWindow();
  if (mgr) mgr->Release();
}

BOOL ButtonBar::Create(CWnd* parent, const CRect& rect, UINT id, CWnd* notify_owner) {
  owner = notify_owner;
  const DWORD style = (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE | WS_CLIPCHILDREN;
  return CreateEx(0, AfxRegisterWndClass(0), "Pasek", style, rect, parent, id);
}

SECStdBtn* ButtonBar::Add(SECStdBtn* btn) {
  btn->SetPos(next_x, 4);
  next_x += btn->m_cx + 2;
  buttons.emplace_back(btn);
  return btn;
}

int ButtonBar::ButtonIndex(const SECStdBtn* pBtn) const {
  for (size_t i = 0; i < buttons.size(); ++i) {
    if (buttons[i].get() == pBtn) return int(i);
  }
  return -1;
}

void ButtonBar::SendToButtons(UINT nID, UINT nCode, void* pData) {
  for (ButtonBar* bar : group) {
    for (auto& btn : bar->buttons) {
      if (btn->m_nID == nID) btn->Notify(nCode, pData);
    }
  }
}

LRESULT ButtonBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;
  if (message != WM_PAINT) return CWnd::WindowProc(message, wParam, lParam);
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, background);
  SECBtnDrawData data;
  int tallest = 0;
  for (auto& btn : buttons) tallest = std::max(tallest, btn->m_cy);
  if (data.Prepare(&dc, std::max(widest, 23), std::max(tallest, 22))) {
    for (auto& btn : buttons) {
      if (!(btn->GetStyle() & SEC_TBBS_HIDDEN)) btn->Draw(dc, data);
    }
  }
  return 0;
}

SECBmpMgr* main_strip_manager() {
  resources::register_program_resources();
  SECBmpMgr* mgr = SECBmpMgr::CreateShared();
  mgr->AddToolBarResource(resources::IDR_MAINFRAME, 0, TRUE);
  return mgr;
}

void save_pictures(HWND h, const std::string& name, int zoom, bool whole_window) {
  const std::string path = name + ".png";
  if (!save_window_png(h, path, whole_window)) return;
  QImage image(QString::fromStdString(path));
  image.scaled(image.width() * zoom, image.height() * zoom).save(QString::fromStdString(name + "_zoom.png"));
}

}  // namespace lumo::test
