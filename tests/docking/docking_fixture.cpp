#include "tests/docking/docking_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include <QPainter>

#include "platform/win/window_surface.h"

namespace lumo::test {
namespace {

constexpr UINT kProbeMessage = WM_APP + 7;

LRESULT probe_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbeMessage) {
    std::unique_ptr<std::function<void()>> look(reinterpret_cast<std::function<void()>*>(lParam));
    (*look)();
    return 0;
  }
  return DefWindowProc(h, message, wParam, lParam);
}

}  // namespace

CSize WrapBar::CalcDynamicLayout(int nLength, DWORD nMode) {
  if (nMode & (LM_HORZDOCK | LM_VERTDOCK)) return CalcFixedLayout(FALSE, (nMode & LM_HORZDOCK) != 0);
  int w = width;
  if (!(nMode & LM_MRUWIDTH) && nLength >= 0) w = (nMode & LM_LENGTHY) ? 2400 / std::max(nLength, 1) : nLength;
  w = std::clamp(w, 20, 240);
  if (nMode & LM_COMMIT) width = w;
  return CSize(w, (2400 + w - 1) / w);
}

void DockingTest::SetUp() {
  DockFrameTest::SetUp();
  if (HasFatalFailure()) return;
  probe_window_ = CreateWindowEx(0, test_window_class("DockingProbe", probe_proc), "", WS_POPUP, 0, 0, 0, 0,
                                 nullptr, nullptr, nullptr);
}

void DockingTest::make(LongBar& bar, UINT id, int length, int height, DWORD style) {
  DockFrameTest::make(bar, id, length, height, style);
  if (HasFatalFailure()) return;
  frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
}

CMiniDockFrameWnd* DockingTest::floating_frame(const CControlBar& bar) {
  if (!bar.m_pDockBar || !bar.m_pDockBar->m_bFloating) return nullptr;
  return dynamic_cast<CMiniDockFrameWnd*>(bar.m_pDockBar->GetParent());
}

void DockingTest::drag(POINT from, const std::vector<POINT>& path, POINT to, win::KeyModifiers keys) {
  mouse_down(from, win::MouseButton::left, keys);
  when_captured([path, to, keys] {
    for (POINT p : path) mouse_move(p, keys);
    mouse_up(to, win::MouseButton::left, keys);
  });
  pump();
}

void DockingTest::probe(std::function<void()> look) {
  auto owned = std::make_unique<std::function<void()>>(std::move(look));
  PostMessage(probe_window_, kProbeMessage, 0, reinterpret_cast<LPARAM>(owned.release()));
}

namespace {
// Draws a window and, over it, its visible children (bottom of the Z order first).
void draw_window(QPainter& painter, HWND h, const CRect& area) {
  if (!IsWindow(h) || !IsWindowVisible(h)) return;
  CRect rect;
  GetWindowRect(h, &rect);
  painter.drawImage(QPoint(rect.left - area.left, rect.top - area.top), win::window_surface(h, true));
  std::vector<HWND> children;
  for (HWND child = GetWindow(h, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
  for (auto it = children.rbegin(); it != children.rend(); ++it) draw_window(painter, *it, area);
}
}  // namespace

QImage DockingTest::picture(const std::vector<HWND>& windows, const CRect& area) {
  QImage image(area.Width(), area.Height(), QImage::Format_RGB32);
  image.fill(Qt::darkCyan);
  QPainter painter(&image);
  for (HWND h : windows) draw_window(painter, h, area);
  return image;
}

bool DockingTest::save(const QImage& image, const std::string& name) const {
  const char* dir = std::getenv("LUMO_PNG_DIR");
  std::string path = dir ? std::string(dir) + "/" + name : temp_path(name);
  return image.save(QString::fromStdString(path), "PNG");
}

}  // namespace lumo::test
