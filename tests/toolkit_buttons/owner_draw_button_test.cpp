// Owner-drawn buttons: the frame in its states, the well button's swatch and popup, bitmap
// layouts, and the menu button's popup (its place, the rectangle it keeps clear, the commands it
// sends, and the menu it leaves to its owner).
#include <memory>
#include <vector>

#include "platform/base/cp1250.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/menu.h"
#include "platform/gdi/qt_raster_device.h"
#include "platform/win/messages.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_styles.h"
#include "resources/program_resources.h"
#include "resources/toolkit_ids.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"
#include "tests/toolkit_buttons/button_bar.h"
#include "toolkit/frame/toolkit_globals.h"
#include "toolkit/widgets/owner_draw_button.h"

namespace lumo::test {
namespace {

constexpr UINT kInsertAct = 33960, kInsertNote = 33961;

TEST(BitmapButtonLayout, ImageAndTextByPosition) {
  const struct {
    int position;
    CRect image, text;
  } cases[] = {
      {SEC_BMP_LEFT, {5, 11, 12, 15}, {13, 0, 77, 27}},
      {SEC_BMP_RIGHT, {65, 11, 72, 15}, {0, 0, 64, 27}},
      {SEC_BMP_ABOVE, {35, 5, 42, 9}, {0, 10, 77, 27}},
      {SEC_BMP_BELOW, {35, 18, 42, 22}, {0, 0, 77, 17}},
      {SEC_BMP_ONLY, {35, 11, 42, 15}, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    CRect image, text;
    bitmap_button::Layout(CSize(80, 30), CSize(7, 4), c.position, 5, 5, image, text);
    EXPECT_EQ(image, c.image) << c.position;
    EXPECT_EQ(text, c.text) << c.position;
  }
  // A bitmap larger than the button is clipped to it.
  CRect image, text;
  bitmap_button::Layout(CSize(20, 10), CSize(40, 40), SEC_BMP_ONLY, 5, 5, image, text);
  EXPECT_EQ(image, CRect(0, 0, 17, 7));
}

TEST(MenuButtonPlacement, BelowOrRightOfTheButtonKeepingItClear) {
  const CRect button(100, 200, 180, 224);
  const auto below = SECMenuButton::MenuPlacement(button, 0);
  EXPECT_EQ(below.at, CPoint(100, 224));
  EXPECT_EQ(below.flags & TPM_VERTICAL, TPM_VERTICAL);
  EXPECT_EQ(below.exclude, button);
  const auto right = SECMenuButton::MenuPlacement(button, 1);
  EXPECT_EQ(right.at, CPoint(180, 200));
  EXPECT_EQ(right.flags & TPM_VERTICAL, 0u);
  EXPECT_EQ(right.exclude, button);
}

class Parent : public CWnd {
 public:
  std::vector<std::pair<WPARAM, COLORREF>> chosen;
  std::vector<UINT> commands;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == SEC_WM_COLORSELECTED) chosen.emplace_back(wParam, COLORREF(lParam));
    if (message == WM_COMMAND && lParam == 0) commands.push_back(LOWORD(wParam));
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

class ColourPrompter : public ScriptedPrompter {
 public:
  bool choose_colour(HWND, COLORREF& colour) override {
    colour = RGB(200, 100, 50);
    return true;
  }
};

class OwnerDrawButtonTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    gdi::install_qt_devices();
    resources::register_program_resources();
    framework::set_prompter(&colours);
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Przyciski", WS_POPUP | WS_VISIBLE, CRect(50, 50, 450, 250), nullptr, 0));
    pump();
  }
  void TearDown() override {
    framework::set_menu_chooser(nullptr);
    framework::set_prompter(&prompter);
    FrameworkTest::TearDown();
  }
  DWORD at(CWnd& w, int x, int y) {
    pump();
    return surface_pixel(w.m_hWnd, x, y);
  }
  HMENU make_menu() {
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, kInsertAct, base::cp1250::from_utf8("&Akt").c_str());
    AppendMenu(menu, MF_STRING, kInsertNote, base::cp1250::from_utf8("&Notatkę").c_str());
    return menu;
  }

  ColourPrompter colours;
  Parent parent;
};

TEST_F(OwnerDrawButtonTest, WellButtonShowsItsColourAndHidesItWhenDisabled) {
  SECWellButton well;
  ASSERT_TRUE(well.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 50, 32), &parent, 800));
  EXPECT_EQ(well.GetStyle() & BS_TYPEMASK, DWORD(BS_OWNERDRAW));
  well.SetColor(RGB(255, 0, 0));
  const auto& c = SECOwnerDrawButton::GetColours();
  // Interior (2, 2, 37, 19): swatch (5, 4, 24, 17) framed black; the arrow's base at x 30..34, y 9.
  EXPECT_EQ(at(well, 14, 10), RGB(255, 0, 0));
  EXPECT_EQ(at(well, 5, 4), RGB(0, 0, 0));
  for (int x = 30; x < 35; ++x) EXPECT_EQ(at(well, x, 9), RGB(0, 0, 0)) << x;
  EXPECT_EQ(at(well, 32, 11), RGB(0, 0, 0));
  EXPECT_EQ(at(well, 27, 10), c.separator);
  EXPECT_EQ(at(well, 28, 10), c.hilite);
  EXPECT_EQ(at(well, 0, 0), c.hilite);
  EXPECT_EQ(at(well, 39, 21), c.frame);
  save_pictures(well.m_hWnd, "well_button", 4);
  // In palette mode the swatch shows entry 0 of the button's own palette: its colour.
  well.SetPaletteMode(TRUE);
  well.SetColor(RGB(0, 128, 0));
  EXPECT_EQ(at(well, 14, 10), RGB(0, 128, 0));
  well.EnableWindow(FALSE);
  EXPECT_EQ(at(well, 14, 10), c.face);
  EXPECT_NE(at(well, 32, 9), RGB(0, 0, 0));  // the arrow is embossed
  save_pictures(well.m_hWnd, "well_button_disabled", 4);
  well.EnableWindow(TRUE);
  well.SetState(TRUE);
  EXPECT_EQ(at(well, 0, 0), c.frame);
  EXPECT_EQ(at(well, 1, 1), c.shadow);
  EXPECT_EQ(at(well, 15, 11), RGB(0, 128, 0));  // the swatch moves with the pushed face
  save_pictures(well.m_hWnd, "well_button_pushed", 4);
}

TEST_F(OwnerDrawButtonTest, WellButtonPopupChoosesAColourForItsParent) {
  SECWellButton well;
  ASSERT_TRUE(well.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 50, 32), &parent, 800));
  well.SetColor(RGB(0, 0, 128));
  click(well.m_hWnd, {20, 10});
  pump();
  SECPopupColorWell& popup = well.GetPopup();
  ASSERT_TRUE(popup.IsPoppedUp());
  CRect button, r;
  well.GetWindowRect(&button);
  popup.GetWindowRect(&r);
  EXPECT_EQ(r.TopLeft(), CPoint(button.left, button.bottom));
  EXPECT_EQ(popup.GetSelectedCell(), (color_well::Cell{0, 1}));  // the button's colour is preselected
  const HWND first = popup.m_hWnd;
  // A click on the button while its popup is up neither closes nor reopens it.
  click(well.m_hWnd, {20, 10});
  pump();
  EXPECT_TRUE(popup.IsPoppedUp());
  EXPECT_EQ(popup.m_hWnd, first);
  save_pictures(parent.m_hWnd, "well_button_popup", 2);
  const CRect cell = color_well::CellRect(popup.GetGrid(), {1, 3});
  click(popup.m_hWnd, cell.CenterPoint());
  pump();
  EXPECT_FALSE(popup.IsPoppedUp());
  EXPECT_EQ(well.GetColor(), RGB(255, 0, 0));
  ASSERT_EQ(parent.chosen.size(), 1u);
  EXPECT_EQ(parent.chosen[0], std::make_pair(WPARAM(800), RGB(255, 0, 0)));
  EXPECT_EQ(at(well, 14, 10), RGB(255, 0, 0));
  // "&Inny..." asks the colour chooser through the button.
  well.SendMessage(SEC_WM_OTHERCOLOR);
  EXPECT_EQ(well.GetColor(), RGB(200, 100, 50));
  EXPECT_EQ(parent.chosen.back(), std::make_pair(WPARAM(800), RGB(200, 100, 50)));
}

TEST_F(OwnerDrawButtonTest, BitmapAndMenuButtonsInPixels) {
  SECBitmapButton left, above;
  ASSERT_TRUE(left.CreateBitmapButtonById(cp("Źródło"), WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 34), &parent, 810,
                                          resources::IDB_MENU_ARROW_RIGHT, SEC_BMP_LEFT));
  ASSERT_TRUE(above.CreateBitmapButtonById(cp("Łącza"), WS_CHILD | WS_VISIBLE, CRect(120, 10, 200, 60), &parent, 811,
                                           resources::IDB_MENU_ARROW_DOWN, SEC_BMP_ABOVE));
  SECBitmapButton missing;
  EXPECT_FALSE(missing.CreateBitmapButtonById(cp("x"), WS_CHILD, CRect(0, 0, 9, 9), &parent, 812, 9998, SEC_BMP_LEFT));
  EXPECT_FALSE(missing.m_hWnd);
  SECMenuButton menu, arrow;
  HMENU m = make_menu();
  ASSERT_TRUE(menu.CreateMenuButton(cp("Wstaw ąęłóśżźćń"), WS_CHILD | WS_VISIBLE, CRect(10, 70, 170, 94), &parent, 820,
                                    m, 0));
  ASSERT_TRUE(arrow.CreateMenuButton("", WS_CHILD | WS_VISIBLE, CRect(180, 70, 204, 94), &parent, 821, m, 1));
  EXPECT_EQ(menu.GetImagePosition(), SEC_BMP_RIGHT);
  EXPECT_EQ(arrow.GetImagePosition(), SEC_BMP_ONLY);
  // An arrow alone is centred: 4 x 7 in the 21 x 21 area.
  EXPECT_EQ(arrow.GetImageRect(), CRect(8, 7, 12, 14));
  menu.SetMenuDirection(1);
  EXPECT_EQ(menu.GetImageRect().Size(), CSize(4, 7));
  menu.SetMenuDirection(0);
  EXPECT_EQ(menu.GetImageRect().Size(), CSize(7, 4));
  SECBitmapButton off;
  ASSERT_TRUE(off.CreateBitmapButtonById(cp("Wyłączony"), WS_CHILD | WS_VISIBLE | WS_DISABLED,
                                         CRect(10, 110, 130, 134), &parent, 813, resources::IDB_MENU_ARROW_DOWN,
                                         SEC_BMP_RIGHT));
  pump();
  save_pictures(parent.m_hWnd, "bitmap_and_menu_buttons", 2);
  // The arrow is black where drawn; the disabled button keeps no black at all.
  const CRect image = arrow.GetImageRect();
  EXPECT_EQ(surface_pixel(arrow.m_hWnd, image.left, image.top + 3), RGB(0, 0, 0));
  int black = 0;
  for (int y = 3; y < 20; ++y)
    for (int x = 3; x < 115; ++x) black += surface_pixel(off.m_hWnd, x, y) == RGB(0, 0, 0);
  EXPECT_EQ(black, 0);
  // The text is dark (its smoothed edges are not pure black); the image sits left of it.
  int text = 0;
  for (int y = 3; y < 20; ++y)
    for (int x = 20; x < 95; ++x) {
      const DWORD p = surface_pixel(left.m_hWnd, x, y);
      text += GetRValue(p) < 0x60 && GetGValue(p) < 0x60 && GetBValue(p) < 0x60;
    }
  EXPECT_GT(text, 10);
  EXPECT_EQ(surface_pixel(left.m_hWnd, left.GetImageRect().left, left.GetImageRect().top + 3), RGB(0, 0, 0));
  // Focus shows a dotted frame around the text.
  menu.SetFocus();
  pump();
  save_pictures(menu.m_hWnd, "menu_button_focus", 3);
  DestroyMenu(m);
}

TEST_F(OwnerDrawButtonTest, MenuButtonDropsItsMenuBelowAndSendsTheCommandToItsParent) {
  SECMenuButton button;
  HMENU m = make_menu();
  ASSERT_TRUE(button.CreateMenuButton(cp("Wstaw"), WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 34), &parent, 830, m));
  POINT seen{};
  HWND owner = nullptr;
  framework::set_menu_chooser([&](HMENU menu, HWND o, POINT p) {
    EXPECT_EQ(menu, m);
    owner = o;
    seen = p;
    return kInsertNote;
  });
  click(button.m_hWnd, {20, 10});
  pump();
  CRect r;
  button.GetWindowRect(&r);
  EXPECT_EQ(CPoint(seen), CPoint(r.left, r.bottom));
  EXPECT_EQ(owner, parent.m_hWnd);
  ASSERT_EQ(parent.commands.size(), 1u);
  EXPECT_EQ(parent.commands[0], kInsertNote);
  button.SetMenuDirection(1);
  click(button.m_hWnd, {20, 10});
  pump();
  EXPECT_EQ(CPoint(seen), CPoint(r.right, r.top));
  button.DestroyWindow();
  DestroyMenu(m);
}

TEST_F(OwnerDrawButtonTest, MenuButtonPopupKeepsTheButtonUncovered) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  CRect screen(0, 0, 100, 100);
  ASSERT_TRUE(GetMonitorInfo(MonitorFromRect(&screen, MONITOR_DEFAULTTONEAREST), &info));
  // A button at the bottom of the screen: the menu cannot open below it and opens above it.
  CWnd low;
  ASSERT_TRUE(low.CreateEx(0, nullptr, "Dół", WS_POPUP | WS_VISIBLE,
                           CRect(50, info.rcWork.bottom - 40, 250, info.rcWork.bottom), nullptr, 0));
  pump();
  SECMenuButton button;
  HMENU m = make_menu();
  ASSERT_TRUE(button.CreateMenuButton(cp("Wstaw"), WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 34), &low, 840, m));
  CRect r;
  button.GetWindowRect(&r);
  CRect popup;
  when_captured([&] {
    CWnd* shown = CWnd::WindowFromPoint(CPoint(r.left + 5, r.top - 5));
    if (shown && shown->m_hWnd != low.m_hWnd) shown->GetWindowRect(&popup);
    press_key(VK_ESCAPE);
  });
  // The space key's release presses the button without a mouse capture of its own.
  button.PostMessage(WM_KEYUP, VK_SPACE, 0);
  pump();
  ASSERT_FALSE(popup.IsRectEmpty());
  EXPECT_LE(popup.bottom, r.top);
  EXPECT_EQ(popup.left, r.left);
  // The face is drawn again once the menu is gone.
  EXPECT_EQ(surface_pixel(button.m_hWnd, 0, 0), SECOwnerDrawButton::GetColours().hilite);
  button.DestroyWindow();
  DestroyMenu(m);
}

TEST_F(OwnerDrawButtonTest, MenuButtonLeavesItsMenuToItsOwner) {
  HMENU bar = CreateMenu();
  HMENU sub = make_menu();
  AppendMenu(bar, MF_POPUP, UINT_PTR(sub), cp("&Wstaw"));
  {
    SECMenuButton button;
    ASSERT_TRUE(button.CreateMenuButton(cp("Wstaw"), WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 34), &parent, 850,
                                        GetSubMenu(bar, 0)));
    EXPECT_EQ(button.GetMenu(), sub);
    button.DestroyWindow();
    EXPECT_EQ(button.GetMenu(), nullptr);
  }
  EXPECT_TRUE(IsMenu(sub));
  EXPECT_EQ(GetSubMenu(bar, 0), sub);
  {
    // Attached to a dialog's button, and destroyed with its window still up.
    CButton placeholder;
    ASSERT_TRUE(placeholder.Create(cp("Więcej"), WS_CHILD | WS_VISIBLE, CRect(10, 50, 110, 74), &parent, 851));
    auto button = std::make_unique<SECMenuButton>();
    placeholder.Detach();
    ASSERT_TRUE(button->AttachMenuItem(851, &parent, sub));
    CString text;
    button->GetWindowText(text);
    EXPECT_EQ(text, cp("Więcej"));
    EXPECT_EQ(button->GetImagePosition(), SEC_BMP_RIGHT);
    EXPECT_EQ(button->GetStyle() & BS_TYPEMASK, DWORD(BS_OWNERDRAW));
  }
  EXPECT_TRUE(IsMenu(sub));
  DestroyMenu(bar);
  EXPECT_FALSE(IsMenu(sub));
}

}  // namespace
}  // namespace lumo::test
