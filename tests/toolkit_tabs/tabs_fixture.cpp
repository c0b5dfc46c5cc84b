#include "tests/toolkit_tabs/tabs_fixture.h"

#include "platform/gdi/core/icons.h"
#include "platform/win/window_dc.h"

namespace lumo::test {

BOOL NotifiedParent::Make(int cx, int cy) {
  return CreateEx(0, nullptr, "Karty", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, cx, cy), nullptr, 0);
}

std::vector<int> NotifiedParent::of(UINT message) const {
  std::vector<int> out;
  for (const Heard& h : heard) {
    if (h.message == message) out.push_back(int(h.index));
  }
  return out;
}

LRESULT NotifiedParent::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_TABACTIVATE && message <= WM_TABRECLICK) {
    heard.push_back({message, wParam});
    return 0;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

BOOL TestPage::Make(CWnd* parent, const char* utf8_name, UINT id) {
  name = cp(utf8_name);
  LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  return Create(cls, name, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), parent, id);
}

LRESULT TestPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_HSCROLL: ++hscrolls; return 0;
    case WM_VSCROLL: ++vscrolls; return 0;
    case WM_PAINT: {
      CPaintDC dc(this);
      CRect r;
      GetClientRect(&r);
      dc.FillSolidRect(&r, RGB(255, 255, 255));
      dc.SelectStockObject(DEFAULT_GUI_FONT);
      dc.SetBkMode(TRANSPARENT);
      r.DeflateRect(6, 6);
      dc.DrawText(name, &r, DT_LEFT | DT_TOP | DT_SINGLELINE);
      return 0;
    }
    default: return CWnd::WindowProc(message, wParam, lParam);
  }
}

HICON make_book_icon() {
  HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
  HBITMAP colour = CreateBitmap(16, 16, 1, 32, nullptr);
  CDC mem;
  mem.CreateCompatibleDC(nullptr);
  HGDIOBJ old = mem.SelectObject(HGDIOBJ(colour));
  mem.FillSolidRect(0, 0, 16, 16, RGB(192, 192, 192));
  mem.FillSolidRect(2, 1, 11, 14, RGB(160, 0, 0));
  mem.FillSolidRect(12, 2, 2, 12, RGB(255, 255, 255));
  mem.FillSolidRect(4, 4, 6, 1, RGB(255, 220, 0));
  mem.SelectObject(old);
  ICONINFO info{TRUE, 0, 0, mask, colour};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(colour);
  return icon;
}

void TabsTest::SetUp() {
  FrameworkTest::SetUp();
  ASSERT_TRUE(parent.Make(640, 400));
}

}  // namespace lumo::test
