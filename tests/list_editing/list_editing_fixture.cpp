#include "tests/list_editing/list_editing_fixture.h"

#include "platform/base/cp1250.h"
#include "platform/framework/control_messages.h"
#include "platform/win/window_styles.h"
#include "resources/program_resources.h"
#include "resources/toolkit_ids.h"
#include "tests/support/surface_png.h"

#include <QPainter>

#include "platform/win/window_surface.h"

namespace lumo::test {

std::string cp1250(const char* utf8_text) { return base::cp1250::from_utf8(utf8_text); }

BOOL HostWindow::Make(int width, int height) {
  const char* cls = test_window_class("LumoListEditingHost", ::DefWindowProc, CS_DBLCLKS,
                                      static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
  if (!CreateEx(0, cls, "Host", WS_POPUP | WS_VISIBLE, 40, 40, width, height, nullptr, nullptr)) return FALSE;
  font.CreatePointFont(80, "MS Sans Serif");
  SetFont(&font, FALSE);
  return TRUE;
}

LRESULT HostWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && lParam) notifications.push_back({LOWORD(wParam), HIWORD(wParam)});
  return CWnd::WindowProc(message, wParam, lParam);
}

int HostWindow::count(UINT code) const {
  int n = 0;
  for (const Notification& note : notifications) n += note.id == UINT(IDC_HOST_LIST) && note.code == code;
  return n;
}

bool RecordingPrompter::choose_files(HWND owner, const framework::FileQuestion& q, std::vector<CString>& chosen) {
  questions.push_back(q);
  return ScriptedPrompter::choose_files(owner, q, chosen);
}

bool RecordingPrompter::choose_folder(HWND, const CString&, CString& folder) {
  folder_starts.push_back(std::string(folder));
  if (folders.empty()) return false;
  folder = CString(folders.front().c_str());
  folders.pop_front();
  return true;
}

void ListEditingTest::SetUp() {
  FrameworkTest::SetUp();
  resources::register_strings();
  resources::register_toolkit_list_editing();
  framework::set_prompter(&recorder);
}

void ListEditingTest::TearDown() {
  if (host.m_hWnd) host.DestroyWindow();
  FrameworkTest::TearDown();
}

void ListEditingTest::MakeList(const std::vector<std::string>& items, DWORD list_style) {
  ASSERT_TRUE(host.Make());
  constexpr DWORD kNotify = 0x0001;  // the list box tells its parent of clicks
  auto make = [&](const char* cls, DWORD style, RECT r, int id) {
    HWND h = CreateWindowEx(0, cls, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, r.left, r.top, r.right - r.left,
                            r.bottom - r.top, host.m_hWnd, reinterpret_cast<HMENU>(INT_PTR(id)), nullptr);
    SendMessage(h, WM_SETFONT, reinterpret_cast<WPARAM>(host.font.GetSafeHandle()), FALSE);
    // Tab order is creation order, as in a dialog made from a template.
    SetWindowPos(h, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return h;
  };
  make("Edit", WS_BORDER, RECT{10, 4, 200, 22}, IDC_HOST_BEFORE);
  HWND list_window = make("ListBox", WS_BORDER | kNotify | list_style, RECT{10, 30, 240, 180}, IDC_HOST_LIST);
  make("Edit", WS_BORDER, RECT{10, 186, 200, 204}, IDC_HOST_AFTER);
  for (const std::string& item : items) SendMessage(list_window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

std::vector<std::string> ListEditingTest::Items() {
  std::vector<std::string> out;
  for (int i = 0; i < list->GetCount(); ++i) {
    CString text;
    list->GetText(i, text);
    out.push_back(std::string(text));
  }
  return out;
}

namespace {

// The window as the screen shows it: its surface with every visible descendant's over it.
QImage Composed(HWND h) {
  UpdateWindow(h);
  QImage image = win::window_surface(h, true);
  if (image.isNull()) return image;
  RECT outer;
  GetWindowRect(h, &outer);
  std::vector<HWND> children;
  for (HWND c = GetTopWindow(h); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  QPainter painter(&image);
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    if (!IsWindowVisible(*it)) continue;
    RECT r;
    GetWindowRect(*it, &r);
    painter.drawImage(QPoint(r.left - outer.left, r.top - outer.top), Composed(*it));
  }
  return image;
}

}  // namespace

void ListEditingTest::SavePicture(HWND h, const std::string& name) {
  EXPECT_TRUE(Composed(h).save(QString::fromStdString(::testing::TempDir() + name), "PNG"));
}

}  // namespace lumo::test
