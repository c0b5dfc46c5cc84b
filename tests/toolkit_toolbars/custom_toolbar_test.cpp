// Customizable toolbars in the toolkit's MDI frame with their manager: default bars from the
// definitions, hot tracking, a press sending its command, check buttons across bars, removing
// buttons and user toolbars, configure-mode drags between bars and off them, the toolbar's combo
// box (Enter, Escape, the hover border, customizing), the manager's bars coming back with a saved
// layout, and pictures of the bars in their states.
#include <gtest/gtest.h>

#include <QImage>
#include <memory>
#include <vector>

#include "platform/base/profile.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/control_messages.h"
#include "platform/win/messages.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "platform/win/window_surface.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "tests/toolkit_docking/toolkit_docking_fixture.h"
#include "toolkit/frame/toolkit_globals.h"
#include "toolkit/widgets/custom_toolbar.h"
#include "toolkit/widgets/hover_combo.h"
#include "toolkit/widgets/toolbar_manager.h"

namespace lumo::test {
namespace {

using namespace resources;

constexpr UINT kStandardBar = 0xE800;
constexpr UINT kViewBar = 0xE801;
constexpr UINT kNavBar = 0xE802;
constexpr UINT kQueryId = 116;

const UINT kStandard[] = {resources::ID_FILE_PRINT, 0, resources::ID_EDIT_COPY, 0, ID_ACT_INFORMATION, ID_LOCATE_IN_LIBRARY, 0,
                          ID_QUERY, ID_SEARCH_QUERY_BOX, resources::ID_EDIT_UNDO};
const UINT kView[] = {ID_VIEW_NAVIGATOR_BAR, ID_VIEW_CONTENTS_BAR, 0, ID_FULL_SCREEN, ID_ALWAYS_ON_TOP};
const UINT kNavigator[] = {ID_PREVIOUS_PAGE, ID_NEXT_PAGE};

const SECButtonMapEntry kButtonMap[] = {
    {&SECToolBarComboHost::buttonClassSECToolBarComboHost, ID_SEARCH_QUERY_BOX, SEC_TBBS_NODISABLE | SEC_TBBS_VCENTER,
     {kQueryId, CBS_DROPDOWN, MAKELONG(127, 40), 150, 0}},
    {nullptr, 0, 0, {}},
};

// Records the commands, combo notices and bar notices the bars send.
class Owner : public CWnd {
 public:
  std::vector<UINT> commands;
  std::vector<WPARAM> combo;
  std::vector<std::pair<WPARAM, LPARAM>> bars;
  SECToolBarManager* manager = nullptr;
  bool rect_published = false;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND) {
      commands.push_back(LOWORD(wParam));
      CRect r;
      rect_published = manager && manager->GetCommandButtonRect(r) && !r.IsRectEmpty();
      return 0;
    }
    if (message == SECToolBarWndNotifyMessage()) combo.push_back(wParam);
    if (message == SECBarNotifyMessage()) bars.emplace_back(wParam, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

// A frame that has a handler for every program command (the bars' buttons stay enabled).
class ToolFrame : public SECMDIFrameWnd {
 public:
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override {
    if (nCode == CN_COMMAND && nID >= 100 && nID < 0xF000) return TRUE;
    return SECMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
  }
};

class ToolbarTest : public ToolkitDockingTest {
 protected:
  void SetUp() override {
    ToolkitDockingTest::SetUp();
    resources::register_program_resources();
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "Właściciel", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    new_frame();
    attach_manager();
  }
  // The fixture's frame replaced by a new one (a new start of the program).
  void new_frame() {
    // The old frame goes without ending the program: a quit left waiting would stop every later
    // pump before its paints.
    if (app->m_pMainWnd == mdi) app->m_pMainWnd = nullptr;
    mdi->DestroyWindow();
    pump();
    auto* made = std::make_unique<ToolFrame>().release();  // ends itself with its window
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
  void TearDown() override {
    drop_manager();
    owner.DestroyWindow();
    ToolkitDockingTest::TearDown();
  }
  void attach_manager() {
    mdi->m_bAutoMenuEnable = FALSE;
    manager = std::make_unique<SECToolBarManager>(mdi, &owner);
    owner.manager = manager.get();
    mdi->SetControlBarManager(manager.get());
    manager->LoadToolBarBitmaps(IDR_MAINFRAME, 0);
    manager->SetButtonMap(kButtonMap);
    manager->DefineToolBar(kStandardBar, cp("Standardowy"), int(std::size(kStandard)), kStandard);
    manager->DefineToolBar(kViewBar, cp("Widok"), int(std::size(kView)), kView, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP,
                           kStandardBar);
    manager->DefineToolBar(kNavBar, cp("Nawigacja"), int(std::size(kNavigator)), kNavigator, CBRS_ALIGN_ANY,
                           AFX_IDW_DOCKBAR_LEFT);
  }
  void drop_manager() {
    if (mdi && mdi->m_hWnd) mdi->SetControlBarManager(nullptr);
    manager.reset();
  }
  // The settings read (none saved: cool look on from the tree defaults) and the default bars made.
  void make_bars() {
    manager->EnableCoolLook(TRUE);
    manager->LoadState("LumoKAL");
    mdi->RecalcLayout();
    pump();
  }
  SECCustomToolBar* bar(UINT id) { return manager->FindBarByID(id); }
  // A button's centre in screen coordinates.
  POINT centre(SECCustomToolBar* b, int index) {
    const CRect r = b->GetItemRect(index);
    return screen_point(b->m_hWnd, r.CenterPoint());
  }
  std::vector<UINT> ids(SECCustomToolBar* b) {
    std::vector<UINT> out;
    for (int i = 0; i < b->GetBtnCount(); ++i) out.push_back(b->GetItemID(i));
    return out;
  }
  SECToolBarComboHost* combo_of(SECCustomToolBar* b) {
    return dynamic_cast<SECToolBarComboHost*>(b->GetButton(b->FindButtonByCommand(ID_SEARCH_QUERY_BOX)));
  }
  // The frame with its floating frames, and its top strip (the docked bars) enlarged twice.
  void picture(const std::string& name) {
    const UINT all = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME;
    ::RedrawWindow(frame->m_hWnd, nullptr, nullptr, all);
    for (HWND h : frame->FloatingWindows()) ::RedrawWindow(h, nullptr, nullptr, all);
    save_frame_picture(name + ".png");
    CRect area;
    frame->GetWindowRect(&area);
    const QImage image = DockingTest::picture({frame->m_hWnd}, area).copy(0, 0, 480, 130);
    EXPECT_TRUE(save(image.scaled(image.width() * 2, image.height() * 2), name + "_top.png"));
  }
  // A window with its children enlarged four times.
  void zoomed(HWND h, const std::string& name) {
    const QImage image = win::window_picture(h, true);
    EXPECT_TRUE(save(image.scaled(image.width() * 4, image.height() * 4), name + ".png"));
  }

  Owner owner;
  std::unique_ptr<SECToolBarManager> manager;
};

TEST_F(ToolbarTest, DefaultBarsComeFromTheDefinitionsOnlyWithoutBarsOfTheirOwn) {
  make_bars();
  SECCustomToolBar* standard = bar(kStandardBar);
  SECCustomToolBar* view = bar(kViewBar);
  SECCustomToolBar* nav = bar(kNavBar);
  ASSERT_TRUE(standard && view && nav);
  EXPECT_EQ(ids(standard), std::vector<UINT>(std::begin(kStandard), std::end(kStandard)));
  CString title;
  standard->GetWindowText(title);
  EXPECT_EQ(title, cp("Standardowy"));
  EXPECT_TRUE(standard->IsHorzDocked());
  EXPECT_TRUE(nav->IsVertDocked());
  // Beside: the same row, after it.
  CRect a, b;
  standard->GetWindowRect(&a);
  view->GetWindowRect(&b);
  EXPECT_EQ(a.top, b.top);
  EXPECT_GE(b.left, a.right);
  // Loading again only attaches what is there.
  manager->LoadState("LumoKAL");
  EXPECT_EQ(manager->GetBars().size(), 3u);
  // Upright: one button per row, the combo box given up.
  const CRect first = nav->GetItemRect(0), second = nav->GetItemRect(1);
  EXPECT_EQ(first.left, second.left);
  EXPECT_EQ(second.top, first.bottom);
  picture("toolbars_docked_flat");
}

TEST_F(ToolbarTest, HotTrackingFollowsTheMouseAndAPressSendsItsCommand) {
  make_bars();
  SECCustomToolBar* standard = bar(kStandardBar);
  mouse_move(centre(standard, 2));
  pump();
  EXPECT_EQ(standard->GetHotIndex(), 2);
  EXPECT_TRUE(standard->GetButtonStyle(2) & SEC_TBBS_HOT);
  picture("toolbars_hot");
  // Off the bar: the leave notice clears it, no timer needed.
  mouse_move(frame_point(400, 400));
  pump();
  EXPECT_EQ(standard->GetHotIndex(), -1);
  EXPECT_FALSE(standard->GetButtonStyle(2) & SEC_TBBS_HOT);

  click(standard->m_hWnd, standard->GetItemRect(0).CenterPoint());
  pump();
  ASSERT_EQ(owner.commands.size(), 1u);
  EXPECT_EQ(owner.commands[0], resources::ID_FILE_PRINT);
  EXPECT_TRUE(owner.rect_published);
  CRect r;
  EXPECT_FALSE(manager->GetCommandButtonRect(r));
  // Released off the button: no command.
  mouse_down(centre(standard, 0));
  when_captured([&] { mouse_up(frame_point(400, 400)); });
  pump();
  EXPECT_EQ(owner.commands.size(), 1u);
  // A disabled button takes no press.
  standard->SetButtonStyle(2, standard->GetButtonStyle(2) | SEC_TBBS_DISABLED);
  click(standard->m_hWnd, standard->GetItemRect(2).CenterPoint());
  pump();
  EXPECT_EQ(owner.commands.size(), 1u);
}

TEST_F(ToolbarTest, ACheckButtonChangesTheCommandOnEveryBar) {
  make_bars();
  SECCustomToolBar* standard = bar(kStandardBar);
  SECCustomToolBar* view = bar(kViewBar);
  standard->InsertButton(standard->GetBtnCount(), ID_FULL_SCREEN);
  const int here = standard->FindButtonByCommand(ID_FULL_SCREEN);
  const int there = view->FindButtonByCommand(ID_FULL_SCREEN);
  standard->SetButtonStyle(here, SEC_TBBS_CHECKBOX | SEC_TBBS_INDETERMINATE);
  view->SetButtonStyle(there, SEC_TBBS_CHECKBOX);
  click(standard->m_hWnd, standard->GetItemRect(here).CenterPoint());
  pump();
  EXPECT_EQ(standard->GetButtonStyle(here) & (SEC_TBBS_CHECKED | SEC_TBBS_INDETERMINATE), SEC_TBBS_CHECKED);
  EXPECT_TRUE(view->GetButtonStyle(there) & SEC_TBBS_CHECKED);
  click(view->m_hWnd, view->GetItemRect(there).CenterPoint());
  pump();
  EXPECT_FALSE(standard->GetButtonStyle(here) & SEC_TBBS_CHECKED);
  EXPECT_FALSE(view->GetButtonStyle(there) & SEC_TBBS_CHECKED);
}

TEST_F(ToolbarTest, RemovingButtonsTakesStraySeparatorsAndEmptyUserBars) {
  make_bars();
  SECCustomToolBar* view = bar(kViewBar);
  const UINT a = ID_VIEW_NAVIGATOR_BAR, b = ID_FULL_SCREEN, c = ID_ALWAYS_ON_TOP;
  const UINT between[] = {a, 0, b, 0, c};
  view->SetButtons(between, 5);
  EXPECT_TRUE(view->RemoveButton(2));
  EXPECT_EQ(ids(view), (std::vector<UINT>{a, 0, c}));
  const UINT leading[] = {a, 0, b};
  view->SetButtons(leading, 3);
  EXPECT_TRUE(view->RemoveButton(0));
  EXPECT_EQ(ids(view), (std::vector<UINT>{b}));
  // A predefined bar stays when empty.
  EXPECT_FALSE(view->RemoveButton(0));
  EXPECT_TRUE(::IsWindow(view->m_hWnd));
  EXPECT_FALSE(view->RemoveButton(5));

  SECCustomToolBar* first = manager->CreateUserBar();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(UINT(first->GetDlgCtrlID()), SEC_IDW_FIRST_USER_TOOLBAR);
  CString title;
  first->GetWindowText(title);
  EXPECT_EQ(title, CString("ToolBar1"));
  SECCustomToolBar* second = manager->CreateUserBar(std::string(200, 'x').c_str());
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(UINT(second->GetDlgCtrlID()), SEC_IDW_FIRST_USER_TOOLBAR + 1);
  second->GetWindowText(title);
  EXPECT_EQ(title.GetLength(), 128);  // the whole title the new-toolbar dialog lets through
  // A user bar that loses its last button goes, and its id is free again.
  first->InsertButton(0, resources::ID_FILE_PRINT);
  const HWND gone = first->m_hWnd;
  EXPECT_FALSE(first->RemoveButton(0));
  pump();
  EXPECT_FALSE(::IsWindow(gone));
  SECCustomToolBar* again = manager->CreateUserBar();
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(UINT(again->GetDlgCtrlID()), SEC_IDW_FIRST_USER_TOOLBAR);
}

TEST_F(ToolbarTest, ConfigureModeDragsButtonsBetweenBarsAndOffThem) {
  make_bars();
  manager->AddListener(&owner);
  manager->SetBarsCustomizeMode(TRUE);
  SECCustomToolBar* standard = bar(kStandardBar);
  SECCustomToolBar* view = bar(kViewBar);
  const size_t standard_count = ids(standard).size();
  // Onto the view bar, over its second button: after it.
  const POINT from = centre(standard, 4);
  const POINT to = centre(view, 1);
  bool looked = false;
  mouse_down(from);
  when_captured([&] {
    mouse_move({from.x + 5, from.y + 3});
    mouse_move(to);
    // Once the moves are in, the outline is on the screen.
    when_captured([&] {
      looked = true;
      picture("toolbars_configure_drag");
      mouse_up(to);
    });
  });
  pump();
  EXPECT_TRUE(looked);
  EXPECT_EQ(view->GetItemID(2), ID_ACT_INFORMATION);
  EXPECT_EQ(view->GetSelectedIndex(), 2);
  EXPECT_EQ(manager->GetSelectionBar(), view);
  EXPECT_EQ(standard->FindButtonByCommand(ID_ACT_INFORMATION), -1);
  EXPECT_EQ(ids(standard).size(), standard_count - 1);
  picture("toolbars_configure_selected");
  const bool selection_told = std::any_of(owner.bars.begin(), owner.bars.end(), [](auto& n) {
    return n.first == kViewBar && n.second == SEC_BARNOTIFY_SELECTION;
  });
  EXPECT_TRUE(selection_told);

  // A copy (Ctrl) off every bar: a new floating user toolbar holding it.
  const POINT off = frame_point(450, 420);
  drag(centre(view, 0), {off}, off, {.control = true});
  SECCustomToolBar* made = manager->FindBarByID(SEC_IDW_FIRST_USER_TOOLBAR);
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->IsFloating());
  EXPECT_EQ(ids(made), std::vector<UINT>{ID_VIEW_NAVIGATOR_BAR});
  EXPECT_EQ(view->GetItemID(0), ID_VIEW_NAVIGATOR_BAR);
  picture("toolbars_floating_user_bar");

  // A move off every bar deletes the button; the user bar's last one takes the bar with it.
  const HWND made_window = made->m_hWnd;
  drag(centre(made, 0), {off}, frame_point(300, 500));
  pump();
  EXPECT_FALSE(::IsWindow(made_window));
  drag(centre(view, 0), {off}, frame_point(300, 500));
  EXPECT_EQ(view->FindButtonByCommand(ID_VIEW_NAVIGATOR_BAR), -1);

  // Dropped on the configure window: nothing changes.
  CWnd sheet;
  ASSERT_TRUE(sheet.CreateEx(0, nullptr, "Dostosuj", WS_POPUP | WS_VISIBLE, CRect(500, 380, 700, 560), nullptr, 0));
  manager->SetConfigWindow(&sheet);
  const std::vector<UINT> before = ids(view);
  drag(centre(view, 0), {{600, 450}}, {600, 450});
  EXPECT_EQ(ids(view), before);
  manager->SetConfigWindow(nullptr);
  sheet.DestroyWindow();
}

TEST_F(ToolbarTest, NudgingTheSelectedButtonAddsAndRemovesSeparators) {
  make_bars();
  manager->SetBarsCustomizeMode(TRUE);
  SECCustomToolBar* view = bar(kViewBar);
  const UINT plain[] = {ID_VIEW_NAVIGATOR_BAR, ID_VIEW_CONTENTS_BAR, ID_FULL_SCREEN};
  view->SetButtons(plain, 3);
  view->RecalcFrameLayout();
  pump();
  POINT c = centre(view, 1);
  drag(c, {{c.x + 2, c.y}, {c.x + 4, c.y}}, {c.x + 4, c.y});
  EXPECT_EQ(ids(view), (std::vector<UINT>{ID_VIEW_NAVIGATOR_BAR, 0, ID_VIEW_CONTENTS_BAR, ID_FULL_SCREEN}));
  pump();
  c = centre(view, 2);
  drag(c, {{c.x - 2, c.y}, {c.x - 4, c.y}}, {c.x - 4, c.y});
  EXPECT_EQ(ids(view), (std::vector<UINT>{ID_VIEW_NAVIGATOR_BAR, ID_VIEW_CONTENTS_BAR, ID_FULL_SCREEN}));
}

TEST_F(ToolbarTest, AMoveDroppedWhollyAboveOrBelowABarLeavesItsOldBar) {
  make_bars();
  manager->SetBarsCustomizeMode(TRUE);
  SECCustomToolBar* standard = bar(kStandardBar);
  SECCustomToolBar* nav = bar(kNavBar);
  mdi->FloatControlBar(nav, frame_point(300, 300), CBRS_ALIGN_TOP);
  pump();
  ASSERT_TRUE(nav->IsFloating());
  // A drop on the floating frame's caption, wholly above the bar: first, set apart.
  standard->SelectButton(0);
  nav->DropButton(CRect(4, -30, 27, -8), standard->GetButton(0), FALSE);
  EXPECT_EQ(ids(nav), (std::vector<UINT>{resources::ID_FILE_PRINT, 0, ID_PREVIOUS_PAGE, ID_NEXT_PAGE}));
  EXPECT_EQ(standard->FindButtonByCommand(resources::ID_FILE_PRINT), -1);
  // Wholly below: last, set apart.
  standard->SelectButton(0);
  nav->DropButton(CRect(4, 200, 27, 222), standard->GetButton(0), FALSE);
  EXPECT_EQ(nav->GetItemID(nav->GetBtnCount() - 1), resources::ID_EDIT_COPY);
  EXPECT_EQ(nav->GetItemID(nav->GetBtnCount() - 2), 0u);
  EXPECT_EQ(standard->FindButtonByCommand(resources::ID_EDIT_COPY), -1);
  int copies = 0;
  for (SECCustomToolBar* b : manager->GetBars()) copies += b->FindButtonByCommand(resources::ID_FILE_PRINT) >= 0;
  EXPECT_EQ(copies, 1);
  // Dragged onto the floating frame for real.
  CMiniDockFrameWnd* floating = floating_frame(*nav);
  ASSERT_NE(floating, nullptr);
  const POINT caption = caption_point(floating, 12);
  const POINT from = centre(standard, 0);
  drag(from, {{from.x + 8, from.y + 8}, caption}, caption);
  EXPECT_EQ(nav->GetItemID(0), resources::ID_ACT_INFORMATION);
  EXPECT_EQ(standard->FindButtonByCommand(resources::ID_ACT_INFORMATION), -1);
  CRect frame_rect;
  floating->GetWindowRect(&frame_rect);
  EXPECT_GE(frame_rect.Width(), nav->GetItemRect(nav->GetBtnCount() - 1).right);
  picture("toolbars_floating");
  ::RedrawWindow(nav->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  zoomed(nav->m_hWnd, "toolbars_floating_bar");
}

TEST_F(ToolbarTest, TheQueryBoxPassesEnterAndEscapeToTheOwner) {
  make_bars();
  SECCustomToolBar* standard = bar(kStandardBar);
  SECToolBarComboHost* host = combo_of(standard);
  ASSERT_NE(host, nullptr);
  ASSERT_NE(host->Edit(), nullptr);
  EXPECT_TRUE(host->IsShown());
  EXPECT_TRUE(host->Combo().IsWindowVisible());
  host->Combo().AddString(cp("Ustawa o samorządzie gminnym"));
  host->Combo().SetWindowText(cp("zażółć gęślą jaźń"));
  host->Edit()->SetFocus();
  pump();
  // The typed text shows in the edit field.
  {
    const QImage field = win::window_surface(host->Edit()->m_hWnd);
    int dark = 0;
    for (int y = 0; y < field.height(); ++y)
      for (int x = 0; x < field.width(); ++x) dark += qGray(field.pixel(x, y)) < 100;
    EXPECT_GT(dark, 30);
    zoomed(host->Combo().m_hWnd, "toolbars_combo_typed");
  }
  // The creation notice came first.
  ASSERT_FALSE(owner.combo.empty());
  EXPECT_EQ(owner.combo.front(), MAKEWPARAM(kQueryId, SEC_WNDBTN_CREATED));
  owner.combo.clear();
  press_key(VK_RETURN, '\r');
  pump();
  // Held down: one notice only.
  host->Edit()->SendMessage(WM_KEYDOWN, VK_RETURN, 0x40000001);
  press_key(VK_ESCAPE, 0x1B);
  pump();
  EXPECT_EQ(owner.combo, (std::vector<WPARAM>{MAKEWPARAM(kQueryId, SEC_COMBO_ENTER), MAKEWPARAM(kQueryId, SEC_COMBO_ESCAPE)}));
  CString text;
  host->Edit()->GetWindowText(text);
  EXPECT_EQ(text, cp("zażółć gęślą jaźń"));
  EXPECT_TRUE(host->Edit()->IsWindowVisible());
  CRect field;
  host->Edit()->GetWindowRect(&field);
  EXPECT_GE(field.Height(), 10) << field.Width();
  // The application's messages reach the box through the manager.
  SECWndBtnMessage reset{CB_RESETCONTENT, 0, 0};
  manager->BroadcastToBars(ID_SEARCH_QUERY_BOX, SEC_BTN_NOTIFY_WND_MESSAGE, &reset);
  EXPECT_EQ(host->Combo().GetCount(), 0);
  // The font: 8 points, not 8 pixels.
  LOGFONT font{};
  host->Font().GetLogFont(&font);
  EXPECT_LE(font.lfHeight, -10);
  picture("toolbars_with_combo");
  zoomed(host->Combo().m_hWnd, "toolbars_combo_text");
  host->Edit()->SendMessage(EM_SETSEL, 0, 0);
  host->Edit()->Invalidate();
  pump();
  zoomed(host->Edit()->m_hWnd, "toolbars_combo_edit");
}

TEST_F(ToolbarTest, TheHoverBorderRisesUnderTheMouseAndFallsWhenItLeaves) {
  make_bars();
  SECCustomToolBar* standard = bar(kStandardBar);
  SECToolBarComboHost* host = combo_of(standard);
  ASSERT_NE(host, nullptr);
  standard->SetFocus();
  pump();
  SECHoverComboBox& box = host->Combo();
  CRect window;
  box.GetWindowRect(&window);
  auto corner = [&] {
    pump();
    const QImage image = win::window_surface(box.m_hWnd, false);
    return image.pixelColor(0, 0).rgb() & 0xFFFFFF;
  };
  const SECToolkitGlobals& g = secData();
  auto rgb = [](COLORREF c) { return unsigned(GetRValue(c)) << 16 | unsigned(GetGValue(c)) << 8 | GetBValue(c); };
  EXPECT_FALSE(box.IsHovered());
  EXPECT_EQ(corner(), rgb(g.clrBtnFace));
  mouse_move({window.right - 4, window.top + 4});
  pump();
  EXPECT_TRUE(box.IsHovered());
  EXPECT_EQ(corner(), rgb(g.clrBtnShadow));
  zoomed(box.m_hWnd, "toolbars_combo_hover");
  // Into the edit field: still over the box.
  mouse_move({window.left + 10, window.top + 6});
  pump();
  EXPECT_TRUE(box.IsHovered());
  mouse_move(frame_point(400, 400));
  pump();
  EXPECT_FALSE(box.IsHovered());
  EXPECT_EQ(corner(), rgb(g.clrBtnFace));
  // The focus keeps it raised.
  host->Edit()->SetFocus();
  pump();
  EXPECT_EQ(SECHoverComboBox::GetFocusedBox(), &box);
  EXPECT_EQ(corner(), rgb(g.clrBtnShadow));
}

TEST_F(ToolbarTest, ACustomizedQueryBoxIsSelectedNotTypedIn) {
  make_bars();
  manager->SetBarsCustomizeMode(TRUE);
  SECCustomToolBar* standard = bar(kStandardBar);
  SECToolBarComboHost* host = combo_of(standard);
  ASSERT_NE(host, nullptr);
  const int index = standard->FindButtonByCommand(ID_SEARCH_QUERY_BOX);
  CRect edit;
  host->Edit()->GetWindowRect(&edit);
  const POINT p{edit.left + 10, edit.top + 4};
  // A click without moving: the button is selected and stays where it is.
  mouse_down(p);
  when_captured([p] { mouse_up(p); });
  pump();
  EXPECT_EQ(standard->GetSelectedIndex(), index);
  EXPECT_EQ(standard->FindButtonByCommand(ID_SEARCH_QUERY_BOX), index);
  EXPECT_NE(::GetFocus(), host->Edit()->m_hWnd);
  // A right click does nothing.
  click(host->Edit()->m_hWnd, {5, 5}, win::MouseButton::right);
  pump();
  EXPECT_EQ(standard->GetSelectedIndex(), index);
  picture("toolbars_combo_selected");
}

TEST_F(ToolbarTest, ClassicLookLargeButtonsAndTips) {
  make_bars();
  SECCustomToolBar* standard = bar(kStandardBar);
  manager->EnableCoolLook(FALSE);
  pump();
  EXPECT_FALSE(standard->IsCoolLook());
  picture("toolbars_docked_classic");
  manager->SetToolTips(FALSE);
  EXPECT_FALSE(standard->GetBarStyle() & CBRS_TOOLTIPS);
  const int small = standard->GetItemRect(0).Width();
  manager->SetLargeButtons(TRUE);
  mdi->RecalcLayout();
  pump();
  EXPECT_GT(standard->GetItemRect(0).Width(), small);
  // The query box keeps one row's height whatever extent its list has.
  SECToolBarComboHost* host = combo_of(standard);
  ASSERT_NE(host, nullptr);
  CRect box;
  host->Combo().GetWindowRect(&box);
  EXPECT_LT(box.Height(), 30);
  picture("toolbars_large");
}

TEST_F(ToolbarTest, ConfigureModeShutsEverythingButTheBars) {
  make_bars();
  CWnd view;
  ASSERT_TRUE(view.CreateEx(0, nullptr, "Widok", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), mdi, 0x1234));
  manager->EnterConfigMode();
  EXPECT_TRUE(manager->IsConfigMode());
  EXPECT_FALSE(view.IsWindowEnabled());
  EXPECT_TRUE(mdi->GetControlBar(AFX_IDW_DOCKBAR_TOP)->IsWindowEnabled());
  manager->LeaveConfigMode();
  EXPECT_TRUE(view.IsWindowEnabled());
  mdi->EnableWindow(TRUE);
  view.DestroyWindow();
}

TEST_F(ToolbarTest, TheBarsComeBackWithTheSavedLayout) {
  make_bars();
  SECCustomToolBar* view = bar(kViewBar);
  view->RemoveButton(0);
  SECCustomToolBar* user = manager->CreateUserBar(cp("Moje narzędzia: ąęłóśżźćń"));
  ASSERT_NE(user, nullptr);
  user->InsertButton(0, ID_HISTORY, FALSE, TRUE);
  user->InsertButton(1, ID_SEARCH_QUERY_BOX, FALSE, TRUE);
  mdi->FloatControlBar(user, frame_point(200, 300), CBRS_ALIGN_TOP);
  mdi->ShowControlBar(user, TRUE, FALSE);
  pump();
  SECToolBarComboHost* host = combo_of(user);
  ASSERT_NE(host, nullptr);
  host->SetSavedData(2, std::vector<BYTE>{0x90, 0x00}.data());
  const std::vector<UINT> view_ids = ids(view);
  manager->SaveStateToProfile("LumoKAL");
  EXPECT_EQ(base::Profile::app().GetProfileInt("LumoKAL-ToolBarManager", "CoolLook", 0), 1);

  // A new start: a fresh frame and manager.
  drop_manager();
  new_frame();
  attach_manager();
  manager->LoadStateFromProfile("LumoKAL");
  mdi->RecalcLayout();
  pump();

  EXPECT_EQ(manager->GetBars().size(), 4u);
  ASSERT_NE(bar(kViewBar), nullptr);
  EXPECT_EQ(ids(bar(kViewBar)), view_ids);
  SECCustomToolBar* back = manager->FindBarByID(SEC_IDW_FIRST_USER_TOOLBAR);
  ASSERT_NE(back, nullptr);
  CString title;
  back->GetWindowText(title);
  EXPECT_EQ(title, cp("Moje narzędzia: ąęłóśżźćń"));
  EXPECT_TRUE(back->IsFloating());
  EXPECT_TRUE(back->IsWindowVisible());
  CString caption;
  back->GetParent()->GetParent()->GetWindowText(caption);
  EXPECT_EQ(caption, cp("Moje narzędzia: ąęłóśżźćń"));
  EXPECT_EQ(ids(back), (std::vector<UINT>{ID_HISTORY, ID_SEARCH_QUERY_BOX}));
  SECToolBarComboHost* host_back = combo_of(back);
  ASSERT_NE(host_back, nullptr);
  EXPECT_EQ(host_back->m_cx, 0x90);
  EXPECT_TRUE(manager->IsCoolLook());
  picture("toolbars_restored");
}

}  // namespace
}  // namespace lumo::test
