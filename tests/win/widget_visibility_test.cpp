// What the desktop shows of a window tree follows the windows' own visibility: a child made
// without WS_VISIBLE stays off screen when its parent is shown, whatever order the windows were
// made and shown in, and never covers a visible sibling.
#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/win/platform_widget.h"
#include "platform/win/window_surface.h"
#include "platform/win/window_table.h"
#include "tests/support/gui_fixture.h"

namespace {

using lumo::test::GuiTest;

// Paints its client area in the colour stored in its user data.
LRESULT colour_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT client;
    GetClientRect(h, &client);
    HBRUSH brush = CreateSolidBrush(COLORREF(GetWindowLongPtr(h, GWLP_USERDATA)));
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    EndPaint(h, &ps);
    return 0;
  }
  return DefWindowProc(h, m, w, l);
}

QWidget* widget_of(HWND h) { return win::find_window(h)->widget.get(); }

HWND coloured(HWND parent, DWORD style, QRect at, COLORREF colour) {
  HWND h = CreateWindowEx(0, lumo::test::test_window_class("VisibilityWnd", colour_proc), "", style, at.x(), at.y(),
                          at.width(), at.height(), parent, nullptr, nullptr);
  SetWindowLongPtr(h, GWLP_USERDATA, LONG_PTR(colour));
  InvalidateRect(h, nullptr, TRUE);
  return h;
}

// Every window below `h`: its widget is on screen exactly when the window is visible.
void expect_widgets_follow(HWND h) {
  for (HWND child = GetWindow(h, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    EXPECT_EQ(widget_of(child)->isVisible(), bool(IsWindowVisible(child))) << child;
    expect_widgets_follow(child);
  }
}

TEST_F(GuiTest, HiddenChildWindowsStayOffScreenWhenTheirParentShows) {
  // Made hidden, as a frame is before it shows: a list, and over it a page that is not shown
  // (a tab's other page) holding a control of its own.
  HWND top = coloured(nullptr, WS_POPUP, QRect(20, 20, 120, 80), RGB(255, 255, 255));
  HWND list = coloured(top, WS_CHILD | WS_VISIBLE, QRect(0, 0, 120, 80), RGB(200, 0, 0));
  HWND page = coloured(top, WS_CHILD, QRect(0, 0, 120, 40), RGB(0, 160, 0));
  HWND control = coloured(page, WS_CHILD | WS_VISIBLE, QRect(0, 0, 50, 20), RGB(0, 0, 200));
  HWND hidden_control = coloured(list, WS_CHILD, QRect(60, 50, 40, 20), RGB(0, 0, 200));
  ShowWindow(top, SW_SHOWNA);
  pump();
  expect_widgets_follow(top);
  EXPECT_FALSE(widget_of(page)->isVisible());
  EXPECT_FALSE(widget_of(hidden_control)->isVisible());

  // What the desktop would show: the widgets drawn as on screen, the list everywhere.
  const QImage screen = widget_of(top)->grab().toImage();
  ASSERT_EQ(screen.size(), QSize(120, 80));
  for (QPoint at : {QPoint(10, 10), QPoint(100, 30), QPoint(70, 60)}) {
    EXPECT_EQ(QColor(screen.pixel(at)), QColor(200, 0, 0)) << at.x() << "," << at.y();
  }
  EXPECT_EQ(screen, win::window_picture(top).convertToFormat(screen.format()));

  // Shown and hidden again, the page and its control follow the window.
  ShowWindow(page, SW_SHOWNA);
  pump();
  expect_widgets_follow(top);
  EXPECT_TRUE(widget_of(control)->isVisible());
  EXPECT_EQ(QColor(widget_of(top)->grab().toImage().pixel(10, 10)), QColor(0, 0, 200));
  ShowWindow(page, SW_HIDE);
  pump();
  expect_widgets_follow(top);
  DestroyWindow(top);
}

// A child made while its parent is on screen and one moved under a new parent stay as they are.
TEST_F(GuiTest, ChildrenMadeOrMovedUnderAShownParentKeepTheirVisibility) {
  HWND top = coloured(nullptr, WS_POPUP | WS_VISIBLE, QRect(20, 20, 120, 80), RGB(255, 255, 255));
  HWND other = coloured(nullptr, WS_POPUP, QRect(200, 20, 60, 60), RGB(255, 255, 255));
  HWND hidden = coloured(other, WS_CHILD, QRect(0, 0, 30, 30), RGB(0, 160, 0));
  HWND shown = coloured(top, WS_CHILD | WS_VISIBLE, QRect(0, 0, 30, 30), RGB(0, 160, 0));
  HWND later = coloured(top, WS_CHILD, QRect(40, 0, 30, 30), RGB(0, 160, 0));
  pump();
  SetParent(hidden, top);
  ShowWindow(other, SW_SHOWNA);
  pump();
  expect_widgets_follow(top);
  expect_widgets_follow(other);
  EXPECT_TRUE(widget_of(shown)->isVisible());
  EXPECT_FALSE(widget_of(later)->isVisible());
  EXPECT_FALSE(widget_of(hidden)->isVisible());
  DestroyWindow(other);
  DestroyWindow(top);
}

}  // namespace
