#include "tests/toolkit_docking/toolkit_docking_fixture.h"

#include <cstdint>
#include <memory>

#include <QImage>

#include "platform/framework/control_messages.h"
#include "resources/program_resources.h"

namespace lumo::test {

BEGIN_MESSAGE_MAP(ActsBar, SECControlBar)
  ON_WM_SIZE()
END_MESSAGE_MAP()

void ActsBar::OnSize(UINT nType, int cx, int cy) {
  SECControlBar::OnSize(nType, cx, cy);
  CRect inside;
  GetInsideRect(inside);
  if (list) ::MoveWindow(list, inside.left, inside.top, inside.Width(), inside.Height(), TRUE);
}

void ToolkitDockingTest::SetUp() {
  // The framework's set-up without its plain frame.
  FrameworkTest::SetUp();
  static const bool registered = (resources::register_strings(), true);
  (void)registered;
  auto* made = std::make_unique<SECMDIFrameWnd>().release();  // ends itself with its window
  ASSERT_TRUE(made->LoadFrame(IDR_TEST_MAIN));
  made->MoveWindow(0, 0, 900, 700);
  made->ShowWindow(SW_SHOW);
  app->m_pMainWnd = made;
  mdi = made;
  frame = made;
  mdi->EnableDocking(CBRS_ALIGN_ANY);
  mdi->RecalcLayout();
  pump();
}

void ToolkitDockingTest::make(ActsBar& bar, UINT id, const char* title, DWORD style, DWORD ex) {
  ASSERT_TRUE(bar.Create(frame, cp(title), style, ex, id));
  bar.EnableDocking(CBRS_ALIGN_ANY);
  HWND list = bar.list = CreateWindowEx(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 100, 100, bar.m_hWnd, nullptr,
                             nullptr);
  for (const char* line : {"Ustawa o ochronie środowiska", "Rozporządzenie Ministra Zdrowia", "Obwieszczenie: ąęłóśżźćń"}) {
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(cp(line))));
  }
}

std::string ToolkitDockingTest::entries(const CDockBar* dock) {
  std::string out;
  for (int i = 1; i < dock->m_arrBars.GetSize(); ++i) {
    void* entry = dock->m_arrBars[i];
    if (!out.empty()) out += ' ';
    if (!entry) {
      out += '|';
    } else if (CDockBar::IsPlaceHolder(entry)) {
      out += "(" + std::to_string(reinterpret_cast<std::uintptr_t>(entry)) + ")";
    } else {
      CString title;
      static_cast<CControlBar*>(entry)->GetWindowText(title);
      out += utf8(title);
    }
  }
  return out;
}

POINT ToolkitDockingTest::caption_point(CMiniDockFrameWnd* floating, int dx) {
  CRect window;
  floating->GetWindowRect(&window);
  const CRect caption = floating->GetCaptionRect();
  return {window.left + caption.left + dx, window.top + (caption.top + caption.bottom) / 2};
}

void ToolkitDockingTest::save_frame_picture(const std::string& name) {
  pump();
  std::vector<HWND> windows{frame->m_hWnd};
  for (HWND h : frame->FloatingWindows()) windows.push_back(h);
  CRect area;
  frame->GetWindowRect(&area);
  for (HWND h : frame->FloatingWindows()) {
    CRect r;
    GetWindowRect(h, &r);
    area.UnionRect(area, r);
  }
  const QImage image = picture(windows, area);
  EXPECT_TRUE(save(image, name)) << name;
}

}  // namespace lumo::test
