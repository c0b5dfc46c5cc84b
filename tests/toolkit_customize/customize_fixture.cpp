#include "tests/toolkit_customize/customize_fixture.h"

#include <QImage>
#include <QTimer>

#include "platform/framework/control_messages.h"
#include "platform/win/window_surface.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"

namespace lumo::test {

using namespace resources;

const UINT kStandard[10] = {resources::ID_FILE_PRINT, 0, resources::ID_EDIT_COPY, 0, ID_ACT_INFORMATION,
                            ID_LOCATE_IN_LIBRARY, 0, ID_QUERY, ID_PREVIOUS_PAGE, ID_NEXT_PAGE};
const UINT kView[5] = {ID_VIEW_NAVIGATOR_BAR, ID_VIEW_CONTENTS_BAR, 0, ID_FULL_SCREEN, ID_ALWAYS_ON_TOP};
const UINT kNavigator[2] = {ID_PREVIOUS_PAGE, ID_NEXT_PAGE};

BOOL ToolFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (nCode == CN_COMMAND && nID >= 100 && nID < 0xE000) return TRUE;
  return SECMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT ToolFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITMENUPOPUP || message == WM_COMMAND) log.emplace_back(message, wParam);
  if (message == WM_SYSCOMMAND) {
    sys_commands.push_back(wParam);
    if ((wParam & 0xFFF0) == SC_CLOSE) return 0;  // the test keeps its frame
  }
  if (message == WM_ENTERIDLE && on_idle) {
    auto run = on_idle;
    run();
  }
  return SECMDIFrameWnd::WindowProc(message, wParam, lParam);
}

void CustomizeTest::SetUp() {
  ToolkitDockingTest::SetUp();
  static const bool registered = (resources::register_program_resources(), true);
  (void)registered;
  new_frame();
  attach_manager();
}

void CustomizeTest::TearDown() {
  if (mdi && mdi->m_hWnd) mdi->SetControlBarManager(nullptr);
  manager.reset();
  ToolkitDockingTest::TearDown();
}

void CustomizeTest::new_frame(UINT resource, bool bitmap_menus) {
  if (manager) {
    mdi->SetControlBarManager(nullptr);
    manager.reset();
  }
  // Not the main window any more: its end must not quit the test's message loops.
  app->m_pMainWnd = nullptr;
  mdi->DestroyWindow();
  pump();
  MSG quit;
  while (::PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  auto* made = std::make_unique<ToolFrame>().release();  // ends itself with its window
  made->EnableBitmapMenus(bitmap_menus, bitmap_menus);
  ASSERT_TRUE(made->LoadFrame(resource));
  made->MoveWindow(0, 0, 900, 600);
  made->ShowWindow(SW_SHOW);
  app->m_pMainWnd = made;
  mdi = made;
  frame = made;
  tool_frame = made;
  mdi->EnableDocking(CBRS_ALIGN_ANY);
  mdi->RecalcLayout();
  pump();
}

void CustomizeTest::attach_manager() {
  mdi->m_bAutoMenuEnable = FALSE;
  manager = std::make_unique<SECToolBarManager>(mdi, nullptr);
  manager->LoadToolBarBitmaps(IDR_MAINFRAME, 0);
  mdi->SetControlBarManager(manager.get());
  manager->DefineToolBar(kStandardBar, cp("Standardowy"), int(std::size(kStandard)), kStandard);
  manager->DefineToolBar(kViewBar, cp("Widok"), int(std::size(kView)), kView, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP,
                         kStandardBar);
  manager->DefineToolBar(kNavBar, cp("Nawigacja"), int(std::size(kNavigator)), kNavigator, CBRS_ALIGN_ANY,
                         AFX_IDW_DOCKBAR_LEFT);
}

void CustomizeTest::make_bars() {
  manager->EnableCoolLook(TRUE);
  manager->LoadState("LumoKAL");
  mdi->RecalcLayout();
  pump();
}

std::vector<UINT> CustomizeTest::ids(SECCustomToolBar* b) {
  std::vector<UINT> out;
  for (int i = 0; i < b->GetBtnCount(); ++i) out.push_back(b->GetItemID(i));
  return out;
}

POINT CustomizeTest::centre(SECCustomToolBar* b, int index) {
  const CRect r = b->GetItemRect(index);
  return screen_point(b->m_hWnd, r.CenterPoint());
}

void when_active_window(std::function<bool(CWnd*)> action) {
  static std::unique_ptr<QTimer> poll;
  poll = std::make_unique<QTimer>();
  poll->setInterval(0);
  QObject::connect(poll.get(), &QTimer::timeout, [action = std::move(action)] {
    CWnd* active = CWnd::FromHandlePermanent(::GetActiveWindow());
    if (!active) return;
    // The timer may be replaced inside the action.
    QTimer* self = poll.get();
    if (action(active) && self == poll.get()) poll->stop();
  });
  poll->start();
}

void CustomizeTest::picture(HWND h, const std::string& name, int zoom) {
  ::RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  CRect area;
  ::GetWindowRect(h, &area);
  const QImage image = DockingTest::picture({h}, area);
  EXPECT_TRUE(save(zoom == 1 ? image : image.scaled(image.width() * zoom, image.height() * zoom), name + ".png"));
}

}  // namespace lumo::test
