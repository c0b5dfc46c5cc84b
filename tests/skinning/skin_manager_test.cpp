#include <gtest/gtest.h>

#include <QImage>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "controls/cool_controls.h"
#include "controls/cool_controls_geometry.h"
#include "platform/base/cp1250.h"
#include "platform/controls/common_controls.h"
#include "platform/controls/date_time_ctrl.h"
#include "platform/controls/header_ctrl.h"
#include "platform/controls/slider_ctrl.h"
#include "platform/controls/spin_button_ctrl.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/tab_control_messages.h"
#include "platform/win/system_metrics.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/surface_png.h"

namespace {

using lumo::test::surface_pixel;

constexpr const char* kDialogClass = "#32770";

class SkinTest : public lumo::test::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    controls::register_standard_controls();
    InitCommonControls();
    lumo::test::test_window_class(kDialogClass, DefWindowProc, CS_DBLCLKS,
                                  reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  }
  void TearDown() override {
    manager().Uninstall();
    GuiTest::TearDown();
  }

  static CCoolControlsManager& manager() { return GetCoolControlsManager(); }

  static HWND dialog(HWND parent = nullptr, CRect r = CRect(100, 100, 520, 400)) {
    const DWORD style = (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE;
    return CreateWindowEx(0, kDialogClass, "Ustawienia", style, r.left, r.top, r.Width(), r.Height(), parent,
                          nullptr, nullptr);
  }
  static HWND child(HWND parent, const char* cls, const char* text, DWORD style, DWORD ex, CRect r, int id = 0) {
    const std::string cp1250 = base::cp1250::from_utf8(text);
    return CreateWindowEx(ex, cls, cp1250.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.Width(), r.Height(),
                          parent, reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr);
  }
  static void init_dialog(HWND h) { SendMessage(h, WM_INITDIALOG, 0, 0); }

  // Pumps until `done` holds or a second has passed; the hover timer runs every 100 ms.
  static bool pump_until(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (std::chrono::steady_clock::now() < end) {
      pump();
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }
  static void put_cursor_over(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  // The inner frame's top-left pixel of a framed control: 3-D dark shadow while it is raised.
  static bool raised(HWND h) { return surface_pixel(h, 1, 1, true) == DWORD(GetSysColor(COLOR_3DDKSHADOW)); }
  static bool hot(HWND h) {
    auto* c = manager().FindControl(h);
    return c && (c->m_nState & CCoolControlsManager::dsHover);
  }
  // Pixels other than the face inside a button box (client coordinates) less its 2-pixel frame:
  // the glyph a control draws in it.
  static int glyph_pixels(HWND h, CRect box) {
    box.DeflateRect(2, 2);
    int n = 0;
    for (int y = box.top; y < box.bottom; ++y) {
      for (int x = box.left; x < box.right; ++x) n += surface_pixel(h, x, y) != DWORD(GetSysColor(COLOR_BTNFACE));
    }
    return n;
  }
  static std::string png(const char* name) { return ::testing::TempDir() + name; }
  // Saves the window with its children, and a three-times enlargement beside it for a close look.
  static void save_picture(HWND h, const char* name) {
    const std::string path = png(name);
    ASSERT_TRUE(lumo::test::save_window_png(h, path, true));
    QImage image(QString::fromStdString(path));
    image.scaled(image.size() * 3).save(QString::fromStdString(path + ".x3.png"));
  }
};

TEST_F(SkinTest, DialogIsSkinnedAtInitialisationWhenInstalled) {
  manager().Install(DWORD(-1), 1);
  HWND d = dialog();
  HWND edit = child(d, "Edit", "Ala", 0, WS_EX_CLIENTEDGE, CRect(10, 10, 150, 34));
  HWND plain_edit = child(d, "Edit", "bez ramki", 0, 0, CRect(10, 40, 150, 64));
  HWND push = child(d, "Button", "Zamknij", BS_PUSHBUTTON, 0, CRect(200, 10, 290, 34));
  HWND check = child(d, "Button", "Pogrubienie", BS_AUTOCHECKBOX, 0, CRect(200, 40, 320, 60));
  HWND group = child(d, "Button", "Grupa", BS_GROUPBOX, 0, CRect(10, 100, 200, 180));
  HWND owner = child(d, "Button", "", BS_OWNERDRAW, 0, CRect(200, 100, 290, 124));
  HWND flat = child(d, "Button", "Płaski", BS_PUSHBUTTON | BS_FLAT, 0, CRect(200, 130, 290, 154));
  HWND combo = child(d, "ComboBox", "", CBS_DROPDOWNLIST, 0, CRect(10, 200, 150, 224));
  HWND bar = child(d, "ScrollBar", "", SBS_VERT, 0, CRect(380, 10, 396, 200));
  EXPECT_EQ(manager().FindControl(edit), nullptr);  // nothing before the dialog's initialisation
  init_dialog(d);
  EXPECT_TRUE(manager().IsDialogWatched(d));
  for (HWND h : {edit, push, check, combo, bar}) EXPECT_NE(manager().FindControl(h), nullptr);
  for (HWND h : {plain_edit, group, owner, flat}) EXPECT_EQ(manager().FindControl(h), nullptr);
  EXPECT_NE(manager().TimerId(), 0u);
  // A control made later is skinned when its parent hears of it.
  HWND late = child(d, "ListBox", "", 0, WS_EX_CLIENTEDGE, CRect(160, 200, 300, 280));
  EXPECT_NE(manager().FindControl(late), nullptr);
  // The skin replaced the standard border: the flat edit's outer frame is shadow over highlight.
  pump();
  EXPECT_EQ(surface_pixel(edit, 0, 0, true), DWORD(GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(surface_pixel(plain_edit, 0, 0, true) == DWORD(GetSysColor(COLOR_3DDKSHADOW)), false);
}

TEST_F(SkinTest, NothingIsSkinnedWithoutTheHook) {
  HWND d = dialog();
  HWND edit = child(d, "Edit", "", 0, WS_EX_CLIENTEDGE, CRect(10, 10, 150, 34));
  init_dialog(d);
  EXPECT_EQ(manager().FindControl(edit), nullptr);
  EXPECT_FALSE(manager().IsDialogWatched(d));
}

TEST_F(SkinTest, CreationModeSkinsEveryChildButScrollBars) {
  manager().Install(DWORD(-1), 0);
  HWND d = dialog();
  HWND edit = child(d, "Edit", "", 0, WS_EX_CLIENTEDGE, CRect(10, 10, 150, 34));
  HWND bar = child(d, "ScrollBar", "", SBS_VERT, 0, CRect(380, 10, 396, 200));
  EXPECT_NE(manager().FindControl(edit), nullptr);
  EXPECT_EQ(manager().FindControl(bar), nullptr);
}

TEST_F(SkinTest, NestedDialogSkinsItselfAtItsOwnInitialisation) {
  manager().Install();
  HWND outer = dialog();
  HWND outer_edit = child(outer, "Edit", "", 0, WS_EX_CLIENTEDGE, CRect(10, 10, 150, 34));
  HWND inner = dialog(outer, CRect(10, 50, 300, 200));
  HWND inner_edit = child(inner, "Edit", "", 0, WS_EX_CLIENTEDGE, CRect(10, 10, 150, 34));
  init_dialog(outer);
  EXPECT_NE(manager().FindControl(outer_edit), nullptr);
  EXPECT_EQ(manager().FindControl(inner), nullptr);
  EXPECT_EQ(manager().FindControl(inner_edit), nullptr);
  init_dialog(inner);
  EXPECT_NE(manager().FindControl(inner_edit), nullptr);
  EXPECT_TRUE(manager().IsDialogWatched(inner));
}

TEST_F(SkinTest, HoverRaisesAndLeavingRestoresOnTheTimer) {
  manager().Install();
  HWND d = dialog();
  HWND a = child(d, "Edit", "pierwsze", 0, WS_EX_CLIENTEDGE, CRect(10, 10, 150, 40));
  HWND b = child(d, "Edit", "drugie", 0, WS_EX_CLIENTEDGE, CRect(10, 60, 150, 90));
  init_dialog(d);
  pump();
  SetCursorPos(50, 50);  // outside the dialog
  EXPECT_FALSE(raised(a));
  put_cursor_over(a);
  ASSERT_TRUE(pump_until([&] { return raised(a); }));
  EXPECT_EQ(manager().HotWindow(), a);
  put_cursor_over(b);
  ASSERT_TRUE(pump_until([&] { return raised(b) && !raised(a); }));
  EXPECT_EQ(manager().HotWindow(), b);
  SetCursorPos(50, 50);
  ASSERT_TRUE(pump_until([&] { return !raised(b); }));
  EXPECT_EQ(manager().HotWindow(), nullptr);
}

TEST_F(SkinTest, MouseCaptureFreezesTheHoverState) {
  manager().Install();
  HWND d = dialog();
  HWND a = child(d, "Edit", "", 0, WS_EX_CLIENTEDGE, CRect(10, 10, 150, 40));
  HWND b = child(d, "Edit", "", 0, WS_EX_CLIENTEDGE, CRect(10, 60, 150, 90));
  init_dialog(d);
  put_cursor_over(a);
  ASSERT_TRUE(pump_until([&] { return hot(a); }));
  SetCapture(a);
  put_cursor_over(b);
  EXPECT_FALSE(pump_until([&] { return hot(b); }));
  EXPECT_TRUE(hot(a));
  ReleaseCapture();
  EXPECT_TRUE(pump_until([&] { return hot(b) && !hot(a); }));
}

TEST_F(SkinTest, PaintAlwaysBringsTheSkinBack) {
  manager().Install();
  HWND d = dialog();
  HWND a = child(d, "Edit", "", 0, WS_EX_CLIENTEDGE, CRect(10, 10, 150, 40));
  init_dialog(d);
  SetFocus(a);
  put_cursor_over(a);
  ASSERT_TRUE(pump_until([&] { return hot(a) && raised(a); }));
  // Focused and hot before and after: a repaint restores the standard border, and the skin
  // must be drawn again over it.
  RedrawWindow(a, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  pump();
  EXPECT_TRUE(raised(a));
}

TEST_F(SkinTest, DyingControlsLeaveNoHotWindowAndTheLastStopsTheTimer) {
  manager().Install();
  HWND d = dialog();
  HWND a = child(d, "Edit", "", 0, WS_EX_CLIENTEDGE, CRect(10, 10, 150, 40));
  HWND b = child(d, "Button", "OK", BS_PUSHBUTTON, 0, CRect(10, 60, 100, 84));
  init_dialog(d);
  put_cursor_over(a);
  ASSERT_TRUE(pump_until([&] { return manager().HotWindow() == a; }));
  DestroyWindow(a);
  EXPECT_EQ(manager().HotWindow(), nullptr);
  EXPECT_EQ(manager().FindControl(a), nullptr);
  EXPECT_NE(manager().TimerId(), 0u);
  DestroyWindow(b);
  EXPECT_EQ(manager().ControlCount(), 0u);
  EXPECT_EQ(manager().TimerId(), 0u);
  DestroyWindow(d);
  EXPECT_FALSE(manager().IsDialogWatched(d));
}

TEST_F(SkinTest, UninstallingTheLastHookStopsTheTimer) {
  manager().Install();
  HWND d = dialog();
  child(d, "Edit", "", 0, WS_EX_CLIENTEDGE, CRect(10, 10, 150, 40));
  init_dialog(d);
  EXPECT_NE(manager().TimerId(), 0u);
  manager().Uninstall();
  EXPECT_EQ(manager().TimerId(), 0u);
  manager().Uninstall();  // a thread without a hook: nothing happens
}

// The skinned controls in their usual states, with Polish text, drawn for a look.
TEST_F(SkinTest, DrawnControlsInTheirStates) {
  manager().Install();
  HWND d = dialog(nullptr, CRect(100, 100, 560, 420));
  HWND edit = child(d, "Edit", "Źródło prawa", 0, WS_EX_CLIENTEDGE, CRect(10, 10, 170, 34), 1);
  HWND focus_edit = child(d, "Edit", "Łódź, żółć", 0, WS_EX_CLIENTEDGE, CRect(10, 40, 170, 64), 2);
  HWND ro_edit = child(d, "Edit", "Tylko do odczytu", ES_READONLY, WS_EX_CLIENTEDGE, CRect(10, 70, 170, 94), 3);
  HWND off_edit = child(d, "Edit", "Wyłączone", WS_DISABLED, WS_EX_CLIENTEDGE, CRect(10, 100, 170, 124), 4);
  HWND spin_edit = child(d, "Edit", "12", 0, WS_EX_CLIENTEDGE, CRect(10, 130, 80, 154), 5);
  HWND spin = child(d, UPDOWN_CLASS, "", UDS_ALIGNRIGHT | UDS_SETBUDDYINT, 0, CRect(80, 130, 96, 154), 6);
  SendMessage(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(spin_edit), 0);
  HWND combo = child(d, "ComboBox", "", CBS_DROPDOWNLIST, 0, CRect(10, 160, 170, 184), 7);
  SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Ustawa"));
  SendMessage(combo, CB_SETCURSEL, 0, 0);
  HWND list = child(d, "ListBox", "", WS_VSCROLL, WS_EX_CLIENTEDGE, CRect(10, 190, 170, 290), 8);
  for (const char* s : {"Dziennik Ustaw", "Monitor Polski", "Rozporządzenie", "Obwieszczenie", "Uchwała",
                        "Zarządzenie", "Postanowienie", "Komunikat"}) {
    const std::string item = base::cp1250::from_utf8(s);
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  HWND def = child(d, "Button", "Zamknij", BS_DEFPUSHBUTTON, 0, CRect(190, 10, 280, 34), 10);
  HWND push = child(d, "Button", "Pomoc", BS_PUSHBUTTON, 0, CRect(190, 40, 280, 64), 11);
  HWND hot_push = child(d, "Button", "Wyślij", BS_PUSHBUTTON, 0, CRect(190, 70, 280, 94), 12);
  HWND check = child(d, "Button", "Pogrubienie", BS_AUTOCHECKBOX, 0, CRect(190, 100, 330, 120), 13);
  HWND check_on = child(d, "Button", "Kursywa", BS_AUTOCHECKBOX, 0, CRect(190, 122, 330, 142), 14);
  HWND check_off = child(d, "Button", "Wyłączony", BS_AUTOCHECKBOX | WS_DISABLED, 0, CRect(190, 144, 330, 164), 15);
  HWND radio = child(d, "Button", "Rocznik", BS_AUTORADIOBUTTON, 0, CRect(190, 170, 330, 190), 16);
  HWND radio_on = child(d, "Button", "Pozycja", BS_AUTORADIOBUTTON, 0, CRect(190, 192, 330, 212), 17);
  HWND radio_off = child(d, "Button", "Wyłączona", BS_AUTORADIOBUTTON | WS_DISABLED, 0, CRect(190, 214, 330, 234), 18);
  HWND bar = child(d, "ScrollBar", "", SBS_HORZ, 0, CRect(190, 244, 440, 260), 19);
  SCROLLINFO si{sizeof(SCROLLINFO), SIF_ALL, 0, 99, 20, 30, 0};
  SendMessage(bar, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&si));
  HWND track = child(d, TRACKBAR_CLASS, "", 0, 0, CRect(190, 266, 440, 300), 20);
  SendMessage(track, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
  SendMessage(track, TBM_SETPOS, TRUE, 4);
  HWND picker = child(d, DATETIMEPICK_CLASS, "", 0, 0, CRect(10, 300, 170, 324), 22);
  HWND vbar = child(d, "ScrollBar", "", SBS_VERT, 0, CRect(440, 130, 456, 240), 23);
  HWND tabs = child(d, WC_TABCONTROL, "", 0, 0, CRect(340, 10, 450, 120), 21);
  const char* names[] = {"Akt", "Spis", "Opis"};
  for (int i = 0; i < 3; ++i) {
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(names[i]);
    SendMessage(tabs, TCM_INSERTITEM, i, reinterpret_cast<LPARAM>(&item));
  }
  SendMessage(tabs, TCM_SETCURSEL, 1, 0);
  SendMessage(check_on, BM_SETCHECK, BST_CHECKED, 0);
  SendMessage(radio_on, BM_SETCHECK, BST_CHECKED, 0);
  init_dialog(d);
  for (HWND h : {edit, ro_edit, off_edit, spin_edit, spin, combo, list, def, push, hot_push, check, check_off,
                 radio, radio_off, bar, track, tabs}) {
    EXPECT_NE(manager().FindControl(h), nullptr);
  }
  SetFocus(focus_edit);
  put_cursor_over(hot_push);
  ASSERT_TRUE(pump_until([&] { return hot(hot_push); }));
  RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  pump();
  save_picture(d, "skinned_dialog.png");
  // A raised push button: highlight outside, 3-D dark shadow at the bottom right.
  RECT r{};
  GetWindowRect(hot_push, &r);
  EXPECT_EQ(surface_pixel(hot_push, 0, 0, true), DWORD(GetSysColor(COLOR_BTNHIGHLIGHT)));
  EXPECT_EQ(surface_pixel(hot_push, r.right - r.left - 1, r.bottom - r.top - 1, true),
            DWORD(GetSysColor(COLOR_3DDKSHADOW)));
  // The focused edit is raised; the read-only and disabled ones are flat with a face inner frame.
  EXPECT_TRUE(raised(focus_edit));
  EXPECT_EQ(surface_pixel(ro_edit, 1, 1, true), DWORD(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(surface_pixel(off_edit, 1, 1, true), DWORD(GetSysColor(COLOR_BTNFACE)));
  // The skin frames the drop buttons and the arrow boxes; the arrows in them stay the controls' own
  // (the real program starts skinned, so an arrow painted over shows there only).
  const int arrow = GetSystemMetrics(SM_CXVSCROLL);
  CRect c;
  GetClientRect(combo, &c);
  EXPECT_GE(glyph_pixels(combo, CRect(c.right - 2 - arrow, 2, c.right - 2, c.bottom - 2)), 10);
  GetClientRect(picker, &c);
  EXPECT_GE(glyph_pixels(picker, CRect(controls::date_picker_button_rect(c, 0, arrow))), 10);
  GetClientRect(bar, &c);
  EXPECT_GE(glyph_pixels(bar, CRect(0, 0, c.bottom, c.bottom)), 6);
  EXPECT_GE(glyph_pixels(bar, CRect(c.right - c.bottom, 0, c.right, c.bottom)), 6);
  GetClientRect(vbar, &c);  // nothing to scroll: greyed arrows, still there
  EXPECT_GE(glyph_pixels(vbar, CRect(0, 0, c.right, c.right)), 6);
  EXPECT_GE(glyph_pixels(vbar, CRect(0, c.bottom - c.right, c.right, c.bottom)), 6);
  // The thumb's frame lies where the bar draws its thumb: 30 of 0..80 on 250 - 2 * 16 pixels.
  const int length = 250 - 2 * arrow, thumb = length * 20 / 100;
  const int thumb_left = arrow + 30 * (length - thumb) / 80;
  EXPECT_EQ(surface_pixel(bar, thumb_left, 8), DWORD(GetSysColor(COLOR_BTNHIGHLIGHT)));
  EXPECT_NE(surface_pixel(bar, thumb_left - 1, 8), DWORD(GetSysColor(COLOR_BTNHIGHLIGHT)));
  EXPECT_EQ(surface_pixel(bar, thumb_left + 4, 8), DWORD(GetSysColor(COLOR_BTNFACE)));
}

}  // namespace

namespace {

// Hot check boxes, radio buttons, a vertical track bar and a tab under the cursor, one by one.
TEST_F(SkinTest, HotControlsDrawn) {
  manager().Install();
  HWND d = dialog(nullptr, CRect(100, 100, 420, 300));
  HWND check = child(d, "Button", "Pogrubienie", BS_AUTOCHECKBOX, 0, CRect(10, 10, 150, 30), 1);
  HWND radio = child(d, "Button", "Rocznik", BS_AUTORADIOBUTTON, 0, CRect(10, 40, 150, 60), 2);
  HWND track = child(d, TRACKBAR_CLASS, "", TBS_VERT, 0, CRect(10, 70, 50, 190), 3);
  SendMessage(track, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
  SendMessage(track, TBM_SETPOS, TRUE, 3);
  HWND tabs = child(d, WC_TABCONTROL, "", 0, 0, CRect(160, 10, 310, 120), 4);
  const char* names[] = {"Akt", "Spis", "Opis"};
  for (int i = 0; i < 3; ++i) {
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(names[i]);
    SendMessage(tabs, TCM_INSERTITEM, i, reinterpret_cast<LPARAM>(&item));
  }
  init_dialog(d);
  struct Shot {
    HWND h;
    const char* name;
  };
  for (const Shot& s : {Shot{check, "hot_check.png"}, Shot{radio, "hot_radio.png"}, Shot{track, "hot_track.png"}}) {
    put_cursor_over(s.h);
    ASSERT_TRUE(pump_until([&] { return hot(s.h); })) << s.name;
    save_picture(s.h, s.name);
  }
  put_cursor_over(radio);
  ASSERT_TRUE(pump_until([&] { return hot(radio); }));
  // The radio circle's inner upper-left arc turns dark while hot.
  const CPoint origin = coolctl::RadioOrigin(CRect(0, 0, 140, 20), BS_AUTORADIOBUTTON);
  EXPECT_EQ(surface_pixel(radio, origin.x + 1, origin.y + 5, true), DWORD(GetSysColor(COLOR_3DDKSHADOW)));
  put_cursor_over(check);
  ASSERT_TRUE(pump_until([&] { return hot(check) && !hot(radio); }));
  const CRect box = coolctl::CheckBoxRect(CRect(0, 0, 140, 20), BS_AUTOCHECKBOX);
  EXPECT_EQ(surface_pixel(check, box.left, box.top, true), DWORD(GetSysColor(COLOR_3DDKSHADOW)));
  EXPECT_EQ(surface_pixel(radio, origin.x + 1, origin.y + 5, true), DWORD(GetSysColor(COLOR_WINDOW)));
  // The tab under the cursor is drawn hot: its trailing edge in 3-D dark shadow.
  RECT third{};
  SendMessage(tabs, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&third));
  POINT p{(third.left + third.right) / 2, (third.top + third.bottom) / 2};
  ClientToScreen(tabs, &p);
  SetCursorPos(p.x, p.y);
  ASSERT_TRUE(pump_until([&] { return hot(tabs); }));
  pump();
  save_picture(tabs, "hot_tab.png");
  EXPECT_EQ(surface_pixel(tabs, third.right - 1, (third.top + third.bottom) / 2), DWORD(GetSysColor(COLOR_3DDKSHADOW)));
}

}  // namespace
