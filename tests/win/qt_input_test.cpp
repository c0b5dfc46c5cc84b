// Qt's own events on a window's widget become the same messages as synthetic input, the
// desktop's frame of a main window resizes and closes it through the window's messages, and the
// desktop shows a top-level window's text as its title.
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/base/cp1250.h"
#include "platform/win/platform_widget.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_table.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/message_log.h"

namespace {

using lumo::test::GuiTest;

LRESULT plain_proc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

QWidget* widget_of(HWND h) { return win::find_window(h)->widget.get(); }

TEST_F(GuiTest, QtMouseAndKeyEventsBecomeQueuedMessages) {
  const char* cls = lumo::test::test_window_class("QtInputWnd", plain_proc);
  HWND top = CreateWindowEx(0, cls, "", WS_POPUP | WS_VISIBLE, 50, 40, 200, 100, nullptr, nullptr, nullptr);
  HWND view = CreateWindowEx(WS_EX_CLIENTEDGE, cls, "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 60, top,
                             nullptr, nullptr);
  SetFocus(view);
  pump();
  lumo::test::MessageLog log({WM_LBUTTONDOWN, WM_KEYDOWN, WM_CHAR});
  // The widget covers the whole window: the client area starts inside the 2-pixel edge.
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(7, 8), QPointF(67, 58), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget_of(view), &press);
  QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString::fromUtf8("ą"));
  QCoreApplication::sendEvent(widget_of(top), &key);
  pump();
  ASSERT_EQ(log.entries().size(), 3u);
  EXPECT_EQ(log.entries()[0].hwnd, view);
  EXPECT_EQ(log.entries()[0].lParam, MAKE_POINT_LPARAM(5, 6));
  EXPECT_EQ(log.entries()[1].hwnd, view);  // keys go to the focus window, whichever widget had them
  EXPECT_EQ(log.entries()[1].wParam, WPARAM('A'));
  EXPECT_EQ(log.entries()[2].wParam, WPARAM(0xB9));
}

TEST_F(GuiTest, TheDesktopFrameOfAMainWindowResizesAndClosesIt) {
  HWND main = CreateWindowEx(0, lumo::test::test_window_class("QtMainWnd", plain_proc), "Lumo",
                             WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr, nullptr);
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(CRect(client), CRect(0, 0, 300, 200));  // the desktop draws the frame
  lumo::test::MessageLog log({WM_SIZE, WM_CLOSE, WM_DESTROY});
  widget_of(main)->resize(320, 240);
  GetClientRect(main, &client);
  EXPECT_EQ(CRect(client), CRect(0, 0, 320, 240));
  ASSERT_FALSE(log.entries().empty());
  EXPECT_EQ(log.entries().back().lParam, MAKELPARAM(320, 240));
  log.clear();
  QCloseEvent close;
  QCoreApplication::sendEvent(widget_of(main), &close);
  EXPECT_FALSE(close.isAccepted());  // the window decides, through its messages
  EXPECT_TRUE(IsWindow(main));
  pump();
  EXPECT_EQ(log.messages_of(main), (std::vector<UINT>{WM_CLOSE, WM_DESTROY}));
  EXPECT_FALSE(IsWindow(main));
}

TEST_F(GuiTest, TheDesktopShowsATopLevelWindowsTextAsItsTitle) {
  const char* cls = lumo::test::test_window_class("QtTitleWnd", plain_proc);
  std::string polish = base::cp1250::from_utf8("Zażółć gęślą jaźń");
  HWND main = CreateWindowEx(0, cls, polish.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                             nullptr, nullptr);
  EXPECT_EQ(widget_of(main)->windowTitle(), QString::fromUtf8("Zażółć gęślą jaźń"));
  SetWindowText(main, "LumoKAL - Praca1");
  EXPECT_EQ(widget_of(main)->windowTitle(), QString::fromUtf8("LumoKAL - Praca1"));
  // A child's text is its own: Qt never sees it as a title.
  HWND child = CreateWindowEx(0, cls, "Etykieta", WS_CHILD, 0, 0, 50, 20, main, nullptr, nullptr);
  EXPECT_TRUE(widget_of(child)->windowTitle().isEmpty());
  // A child lifted to the top level shows its text from then on.
  SetParent(child, nullptr);
  EXPECT_EQ(widget_of(child)->windowTitle(), QString::fromUtf8("Etykieta"));
}

}  // namespace
