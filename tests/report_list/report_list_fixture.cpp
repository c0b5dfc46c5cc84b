#include "tests/report_list/report_list_fixture.h"

#include <QPainter>

#include <cstdio>
#include <cstdlib>

#include "platform/base/cp1250.h"
#include "platform/win/window_surface.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {

std::string cp(const std::string& utf8) { return base::cp1250::from_utf8(utf8); }

BOOL ReportParent::Create(int width, int height) {
  return CreateEx(0, nullptr, "Lista", WS_POPUP | WS_VISIBLE, CRect(0, 0, width, height), nullptr, 0);
}

BOOL ReportParent::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  switch (header->code) {
    case LVN_GETDISPINFO: {
      ++display_questions;
      auto* info = reinterpret_cast<NMLVDISPINFO*>(lParam);
      if (info->item.mask & LVIF_TEXT) {
        int row = info->item.iItem, column = info->item.iSubItem;
        std::string text = row < int(rows.size()) && column < int(rows[size_t(row)].size())
                               ? cp(rows[size_t(row)][size_t(column)])
                               : "w" + std::to_string(row) + "k" + std::to_string(column);
        std::snprintf(info->item.pszText, size_t(info->item.cchTextMax), "%s", text.c_str());
      }
      return TRUE;
    }
    case kListClickNotify:
      log.push_back("click4096");
      break;
    case NM_CLICK:
      log.push_back("click " + std::to_string(reinterpret_cast<NMITEMACTIVATE*>(lParam)->iItem));
      break;
    case HDN_ENDTRACK:
      log.push_back("endtrack " + std::to_string(reinterpret_cast<NMHEADER*>(lParam)->iItem));
      break;
    default:
      return FALSE;
  }
  *pResult = 0;
  return TRUE;
}

void ReportListTest::SetUp() {
  GuiTest::SetUp();
  ASSERT_TRUE(parent.Create());
}

void ReportListTest::TearDown() {
  list.DestroyWindow();
  parent.DestroyWindow();
  GuiTest::TearDown();
}

void ReportListTest::make(DWORD style, const std::vector<std::pair<std::string, int>>& columns, int count) {
  ASSERT_TRUE(list.Create(WS_VISIBLE | style, CRect(10, 10, 410, 210), &parent, 1087));
  for (size_t c = 0; c < columns.size(); ++c) {
    list.InsertColumn(int(c), cp(columns[c].first).c_str(), LVCFMT_LEFT, columns[c].second);
  }
  int rows = std::max(count, int(parent.rows.size()));
  if (style & LVS_OWNERDATA) {
    list.SetItemCount(rows);
  } else {
    for (int i = 0; i < int(parent.rows.size()); ++i) {
      const auto& row = parent.rows[size_t(i)];
      list.InsertItem(i, cp(row.empty() ? "" : row[0]).c_str());
      for (size_t c = 1; c < row.size(); ++c) list.SetItemText(i, int(c), cp(row[c]).c_str());
    }
  }
  pump();
}

void ReportListTest::hover(POINT client) {
  mouse_move(screen_point(list.m_hWnd, client));
  pump();
}

void ReportListTest::click_list(POINT client) {
  POINT screen = screen_point(list.m_hWnd, client);
  mouse_down(screen);
  pump();
  mouse_up(screen);
  pump();
}

POINT ReportListTest::cell_point(int row, int column) const {
  CRect cell;
  list.GetSubItemRect(row, column, LVIR_BOUNDS, cell);
  if (column == 0) cell.right = cell.left + list.GetColumnWidth(0);
  return POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
}

QImage ReportListTest::picture() const {
  // The canvas holds the parent and a shown tip, which may reach past it.
  CGSTitleTip* tip = list.GetTitleTip();
  bool with_tip = tip && tip->IsShown();
  CRect canvas;
  parent.GetClientRect(&canvas);
  CRect t;
  if (with_tip) {
    tip->GetWindowRect(&t);
    parent.ScreenToClient(&t);
    canvas |= t;
  }
  QImage image(canvas.Width(), canvas.Height(), QImage::Format_RGB32);
  image.fill(Qt::gray);
  QPainter painter(&image);
  painter.translate(-canvas.left, -canvas.top);
  painter.drawImage(0, 0, win::window_surface(parent.m_hWnd));
  CRect r;
  list.GetWindowRect(&r);
  parent.ScreenToClient(&r);
  painter.drawImage(r.left, r.top, win::window_surface(list.m_hWnd, true));
  for (HWND child = ::GetWindow(list.m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    CRect c;
    ::GetWindowRect(child, &c);
    parent.ScreenToClient(&c);
    painter.drawImage(c.left, c.top, win::window_surface(child, true));
  }
  if (with_tip) painter.drawImage(t.left, t.top, win::window_surface(tip->m_hWnd, true));
  return image;
}

void ReportListTest::save(const QImage& image, const std::string& name) const {
  const char* folder = std::getenv("LUMO_PNG_DIR");
  std::string path = (folder ? std::string(folder) + "/" : ::testing::TempDir()) + name;
  EXPECT_TRUE(image.save(QString::fromStdString(path)));
}

}  // namespace lumo::test
