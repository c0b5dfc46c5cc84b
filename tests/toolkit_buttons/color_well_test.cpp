// Colour wells: the grid's geometry, hit-testing and keyboard moves as plain functions; the well
// in a window (selection, the custom cell, keys, notices, pixels); the popup well (placement on
// the screen of its button, choosing, Escape, the outside click).
#include <memory>
#include <vector>

#include "platform/gdi/qt_raster_device.h"
#include "platform/win/messages.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_styles.h"
#include "resources/program_resources.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"
#include "tests/toolkit_buttons/button_bar.h"
#include "toolkit/frame/toolkit_globals.h"
#include "toolkit/widgets/color_well.h"

namespace lumo::test {
namespace {

using color_well::Cell;
using color_well::Grid;

Grid grid(bool other = false, bool custom = false) {
  Grid g;
  g.cellWidth = 15;
  g.cellHeight = 13;
  g.marginX = g.marginY = 3;
  g.otherRow = other;
  g.customShown = custom;
  return g;
}

TEST(ColorWellGeometry, CellsWindowAndButton) {
  const Grid plain = grid();
  EXPECT_EQ(color_well::CellRect(plain, {0, 0}), CRect(3, 3, 18, 16));
  EXPECT_EQ(color_well::CellRect(plain, {3, 4}), CRect(54, 63, 69, 76));
  EXPECT_EQ(color_well::WindowSize(plain), CSize(72, 79));
  const Grid other = grid(true);
  EXPECT_EQ(color_well::WindowSize(other), CSize(72, 79 + 13 + 2 + 6));
  // The custom cell: last column, one row down, 5 pixels lower.
  EXPECT_EQ(color_well::CellRect(other, other.CustomCell()), CRect(54, 83, 69, 96));
  EXPECT_EQ(color_well::OtherButtonRect(other), CRect(3, 82, 69, 97));
  EXPECT_EQ(color_well::OtherButtonRect(grid(true, true)), CRect(3, 82, 52, 97));
  EXPECT_EQ(other.PaletteIndex({2, 3}), 14);
  EXPECT_EQ(other.PaletteIndex(other.CustomCell()), 20);
}

TEST(ColorWellGeometry, HitTestEnlargesCellsAndSeesTheCustomCellOnlyWhenShown) {
  Cell c;
  ASSERT_TRUE(color_well::HitTest(grid(), CPoint(2, 2), c));
  EXPECT_EQ(c, (Cell{0, 0}));
  ASSERT_TRUE(color_well::HitTest(grid(), CPoint(18, 16), c));  // the gap belongs to the cell before
  EXPECT_EQ(c, (Cell{0, 0}));
  EXPECT_FALSE(color_well::HitTest(grid(), CPoint(0, 0), c));
  EXPECT_FALSE(color_well::HitTest(grid(true), CPoint(60, 85), c));
  ASSERT_TRUE(color_well::HitTest(grid(true, true), CPoint(60, 85), c));
  EXPECT_EQ(c, (Cell{3, 5}));
}

TEST(ColorWellGeometry, ArrowKeysWrapThroughTheGridAndTheCustomCell) {
  const Grid none = grid(true), custom = grid(true, true);
  const Cell customCell{3, 5};
  const struct {
    const Grid* g;
    Cell from;
    UINT vk;
    Cell to;
  } cases[] = {
      {&none, {1, 1}, VK_LEFT, {0, 1}},     {&none, {0, 1}, VK_LEFT, {3, 0}},
      {&none, {0, 0}, VK_LEFT, {3, 4}},     {&custom, {0, 0}, VK_LEFT, customCell},
      {&custom, customCell, VK_LEFT, {3, 4}}, {&none, {3, 0}, VK_RIGHT, {0, 1}},
      {&none, {3, 4}, VK_RIGHT, {0, 0}},    {&custom, {3, 4}, VK_RIGHT, customCell},
      {&custom, customCell, VK_RIGHT, {0, 0}}, {&none, {2, 0}, VK_UP, {2, 4}},
      {&custom, {3, 0}, VK_UP, customCell}, {&custom, {2, 0}, VK_UP, {2, 4}},
      {&custom, customCell, VK_UP, {3, 4}}, {&none, {1, 4}, VK_DOWN, {1, 0}},
      {&custom, {3, 4}, VK_DOWN, customCell}, {&custom, customCell, VK_DOWN, {3, 0}},
      {&none, {1, 2}, VK_DOWN, {1, 3}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(color_well::Move(*c.g, c.from, c.vk), c.to)
        << c.from.col << "," << c.from.row << " key " << c.vk << (c.g->customShown ? " custom" : "");
  }
}

TEST(ColorWellGeometry, PopupOpensOnTheScreenOfItsButton) {
  const CRect first(0, 0, 1024, 738);        // a panel along the bottom
  const CRect second(1024, 100, 2304, 1124);  // a second screen, lower
  const CSize size(72, 100);
  const struct {
    CRect button, work;
    CPoint at;
  } cases[] = {
      {{100, 50, 123, 72}, first, {100, 72}},        // below the button
      {{100, 700, 123, 722}, first, {100, 600}},     // above it at the bottom of the screen
      {{990, 50, 1013, 72}, first, {941, 72}},       // right edges aligned
      {{1500, 1000, 1523, 1022}, second, {1500, 1022}},  // below it on the second screen
      {{1500, 1050, 1523, 1072}, second, {1500, 950}},   // above it, above the second screen's bottom
      {{1030, 100, 1053, 122}, second, {1030, 122}},
      {{1010, 10, 1033, 32}, second, {1024, 100}},   // kept inside the work area it is given
  };
  for (const auto& c : cases) {
    EXPECT_EQ(color_well::PopupPosition(c.button, size, c.work), c.at) << c.button.left << "," << c.button.top;
  }
}

// --- Windows --------------------------------------------------------------------------------------------

class Parent : public CWnd {
 public:
  std::vector<std::pair<WPARAM, COLORREF>> chosen;
  int others = 0;
  std::vector<CPoint> presses;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == SEC_WM_COLORSELECTED) chosen.emplace_back(wParam, COLORREF(lParam));
    if (message == SEC_WM_OTHERCOLOR) ++others;
    if (message == WM_LBUTTONDOWN) presses.emplace_back(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

// Answers the colour chooser with one colour.
class ColourPrompter : public ScriptedPrompter {
 public:
  COLORREF answer = RGB(12, 34, 56);
  int asked_colour = 0;
  bool choose_colour(HWND, COLORREF& colour) override {
    ++asked_colour;
    colour = answer;
    return true;
  }
};

class ColorWellTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    gdi::install_qt_devices();
    resources::register_program_resources();
    framework::set_prompter(&colours);
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Kolory", WS_POPUP | WS_VISIBLE, CRect(100, 100, 400, 300), nullptr, 0));
    // The parent's activation settles before a popup takes the focus.
    pump();
  }
  void TearDown() override {
    framework::set_prompter(&prompter);
    FrameworkTest::TearDown();
  }
  ColourPrompter colours;
  Parent parent;
};

TEST_F(ColorWellTest, SelectingColoursInAndOutOfTheGrid) {
  SECColorWell well;
  ASSERT_TRUE(well.Create(WS_VISIBLE | WS_TABSTOP, 10, 10, &parent, 700, FALSE, TRUE));
  const CSize size = color_well::WindowSize(well.GetGrid());
  CRect r;
  well.GetWindowRect(&r);
  EXPECT_EQ(r.Size(), size);
  EXPECT_EQ(well.GetGrid().marginX, 3);  // 2, and 1 for the focus frame
  EXPECT_EQ(well.GetSelectedCell(), (Cell{1, 1}));
  EXPECT_EQ(well.GetColor(), RGB(128, 0, 128));  // palette index 1 + 1 * 4
  well.SelectColor(RGB(255, 0, 0));
  EXPECT_EQ(well.GetSelectedCell(), (Cell{1, 3}));
  EXPECT_FALSE(well.IsCustomShown());
  CRect before;
  well.GetOtherColorsButton()->GetWindowRect(&before);
  well.SelectColor(RGB(1, 2, 3));
  EXPECT_TRUE(well.IsCustomShown());
  EXPECT_EQ(well.GetSelectedCell(), (Cell{3, 5}));
  EXPECT_EQ(well.GetColor(), RGB(1, 2, 3));
  CRect after;
  well.GetOtherColorsButton()->GetWindowRect(&after);
  EXPECT_EQ(after.Width(), before.Width() - well.GetGrid().cellWidth - 2);
  EXPECT_TRUE(parent.chosen.empty());  // selecting by program tells nobody
  pump();
  save_pictures(well.m_hWnd, "color_well_custom", 4);
  // The custom cell is drawn selected with its colour.
  const CRect custom = color_well::CellRect(well.GetGrid(), well.GetGrid().CustomCell());
  EXPECT_EQ(surface_pixel(well.m_hWnd, custom.CenterPoint().x, custom.CenterPoint().y), RGB(1, 2, 3));
  EXPECT_EQ(surface_pixel(well.m_hWnd, custom.left - 1, custom.top - 1), RGB(0, 0, 0));

  SECColorWell plain;
  ASSERT_TRUE(plain.Create(WS_VISIBLE, 120, 10, &parent, 701, FALSE, FALSE));
  plain.SelectColor(RGB(1, 2, 3));
  EXPECT_EQ(plain.GetSelectedCell(), (Cell{1, 1}));
  EXPECT_FALSE(plain.IsCustomShown());
  EXPECT_EQ(plain.GetOtherColorsButton(), nullptr);
}

TEST_F(ColorWellTest, KeysAndClicksMoveTheSelectionAndTellTheParent) {
  SECColorWell well;
  ASSERT_TRUE(well.Create(WS_VISIBLE | WS_TABSTOP, 10, 10, &parent, 700, FALSE, TRUE));
  well.SetFocus();
  pump();
  press_key(VK_RIGHT);
  press_key(VK_DOWN);
  press_key(VK_DOWN);
  pump();
  EXPECT_EQ(well.GetSelectedCell(), (Cell{2, 3}));
  ASSERT_EQ(parent.chosen.size(), 3u);
  EXPECT_EQ(parent.chosen.back(), std::make_pair(WPARAM(700), RGB(0, 255, 0)));
  const CRect cell = color_well::CellRect(well.GetGrid(), {0, 4});
  click(well.m_hWnd, cell.CenterPoint());
  pump();
  EXPECT_EQ(well.GetSelectedCell(), (Cell{0, 4}));
  EXPECT_EQ(parent.chosen.back().second, well.GetColor());
  // Tab reaches the other-colours button; its click asks the chooser and reports the colour.
  press_key(VK_TAB);
  pump();
  EXPECT_EQ(CWnd::GetFocus(), well.GetOtherColorsButton());
  press_key(VK_SPACE, ' ');
  pump();
  EXPECT_EQ(colours.asked_colour, 1);
  EXPECT_EQ(well.GetColor(), RGB(12, 34, 56));
  EXPECT_EQ(parent.chosen.back(), std::make_pair(WPARAM(700), RGB(12, 34, 56)));
  pump();
  save_pictures(well.m_hWnd, "color_well_focus", 4);
}

TEST_F(ColorWellTest, PopupChoosesOnClickAndTellsItsNotifyWindow) {
  SECPopupColorWell popup;
  const CRect button(150, 120, 173, 142);
  ASSERT_TRUE(popup.Popup(WS_VISIBLE, button, &parent, TRUE));
  popup.SetNotifyWnd(&parent);
  popup.SelectColor(RGB(0, 0, 255));
  EXPECT_TRUE(popup.IsPoppedUp());
  EXPECT_EQ(CWnd::GetCapture(), &popup);
  CRect r;
  popup.GetWindowRect(&r);
  EXPECT_EQ(r.TopLeft(), CPoint(150, 142));
  EXPECT_EQ(popup.GetGrid().marginX, 4);
  pump();
  save_pictures(popup.m_hWnd, "color_well_popup", 4);
  EXPECT_EQ(surface_pixel(popup.m_hWnd, 0, 0), secData().clr3DLight);
  const CRect cell = color_well::CellRect(popup.GetGrid(), {2, 1});
  click(popup.m_hWnd, cell.CenterPoint());
  pump();
  EXPECT_FALSE(popup.IsPoppedUp());
  EXPECT_FALSE(IsWindow(popup.m_hWnd));
  ASSERT_FALSE(parent.chosen.empty());
  EXPECT_EQ(parent.chosen.back(), std::make_pair(WPARAM(0), RGB(0, 128, 128)));
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(ColorWellTest, PopupClosesOnEscapeAndOnAClickOutside) {
  Parent other;
  ASSERT_TRUE(other.CreateEx(0, nullptr, "Inne", WS_POPUP | WS_VISIBLE, CRect(500, 100, 600, 200), nullptr, 0));
  SECPopupColorWell popup;
  ASSERT_TRUE(popup.Popup(WS_VISIBLE, CRect(150, 120, 173, 142), &parent, FALSE));
  popup.SetNotifyWnd(&parent);
  pump();
  press_key(VK_ESCAPE);
  pump();
  EXPECT_FALSE(popup.IsPoppedUp());
  EXPECT_TRUE(parent.chosen.empty());

  popup.Reset();
  ASSERT_TRUE(popup.Popup(WS_VISIBLE, CRect(150, 120, 173, 142), &parent, FALSE));
  popup.SetNotifyWnd(&parent);
  pump();
  // A click on the window that opened it changes nothing.
  mouse_down(screen_point(parent.m_hWnd, {10, 10}));
  pump();
  EXPECT_TRUE(popup.IsPoppedUp());
  EXPECT_TRUE(parent.presses.empty());
  mouse_up(screen_point(parent.m_hWnd, {10, 10}));
  // A click elsewhere closes it and reaches the window under it.
  mouse_down(screen_point(other.m_hWnd, {20, 30}));
  pump();
  EXPECT_FALSE(popup.IsPoppedUp());
  ASSERT_EQ(other.presses.size(), 1u);
  EXPECT_EQ(other.presses[0], CPoint(20, 30));
  EXPECT_TRUE(parent.chosen.empty());
  mouse_up(screen_point(other.m_hWnd, {20, 30}));
  pump();
}

TEST_F(ColorWellTest, PopupOtherColoursAsksTheNotifyWindow) {
  SECPopupColorWell popup;
  ASSERT_TRUE(popup.Popup(WS_VISIBLE, CRect(150, 120, 173, 142), &parent, TRUE));
  popup.SetNotifyWnd(&parent);
  pump();
  // Tab to the button keeps the popup up; its press posts the request and closes the popup.
  press_key(VK_TAB);
  pump();
  EXPECT_TRUE(popup.IsPoppedUp());
  EXPECT_EQ(CWnd::GetFocus(), popup.GetOtherColorsButton());
  CRect button;
  popup.GetOtherColorsButton()->GetWindowRect(&button);
  mouse_down(button.CenterPoint());
  pump();
  EXPECT_FALSE(popup.IsPoppedUp());
  EXPECT_EQ(parent.others, 1);
  mouse_up(button.CenterPoint());
  pump();
}

TEST_F(ColorWellTest, PopupAtTheBottomOfTheScreenOpensAboveItsButton) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  CRect button(40, 0, 63, 22);
  ASSERT_TRUE(GetMonitorInfo(MonitorFromRect(&button, MONITOR_DEFAULTTONEAREST), &info));
  button.OffsetRect(0, info.rcWork.bottom - 30);
  SECPopupColorWell popup;
  ASSERT_TRUE(popup.Popup(WS_VISIBLE, button, &parent, TRUE));
  CRect r;
  popup.GetWindowRect(&r);
  EXPECT_EQ(r.bottom, button.top);
  EXPECT_EQ(r.left, button.left);
  popup.Close();
  EXPECT_FALSE(popup.IsPoppedUp());
}

}  // namespace
}  // namespace lumo::test
