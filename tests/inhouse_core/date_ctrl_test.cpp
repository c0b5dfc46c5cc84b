#include "controls/date_ctrl.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <string>
#include <vector>

#include "controls/date.h"
#include "platform/base/cp1250.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/dialog.h"
#include "platform/res/resource_store.h"
#include "platform/win/messages.h"
#include "platform/win/window_dc.h"
#include "platform/win/window_surface.h"
#include "resources/controls_ids.h"
#include "resources/program_resources.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/synthetic_input.h"

namespace {

// A page like the act information's: right-aligned labels with date fields beside them. The
// labels are wider than that page's 70 units: "wchodzi w życie:" needs about 76 in the mapped font.
constexpr UINT IDD_DATES = 9460;
constexpr int IDC_ADOPTED = 1150;
constexpr int IDC_PUBLISHED = 1153;
constexpr int IDC_IN_FORCE = 1154;

void register_dates_dialog() {
  static bool done = [] {
    static const res::DialogControlResource controls[] = {
        {UINT(-1), "Static", "uchwalony:", {2, 8, 84, 18}, WS_VISIBLE | SS_RIGHT, 0},
        {UINT(IDC_ADOPTED), "Static", "", {86, 8, 261, 18}, WS_VISIBLE | SS_NOTIFY, 0},
        {UINT(-1), "Static", "opublikowany:", {2, 20, 84, 30}, WS_VISIBLE | SS_RIGHT, 0},
        {UINT(IDC_PUBLISHED), "Static", "", {86, 20, 261, 30}, WS_VISIBLE | SS_NOTIFY, 0},
        {UINT(-1), "Static", "wchodzi w życie:", {2, 32, 84, 42}, WS_VISIBLE | SS_RIGHT, 0},
        {UINT(IDC_IN_FORCE), "Static", "", {86, 32, 261, 42}, WS_VISIBLE | SS_NOTIFY, 0},
    };
    res::add_dialog({IDD_DATES, "Informacja", {0, 0, 266, 50}, WS_POPUP | WS_CAPTION, 0, "MS Sans Serif", 8,
                     controls});
    return true;
  }();
  (void)done;
}

// The dialog's client area with its children drawn over it, as the screen shows them.
QImage dialog_picture(const CWnd& dialog) {
  QImage image = win::window_surface(dialog.m_hWnd);
  QPainter painter(&image);
  for (HWND child = ::GetWindow(dialog.m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(child)) continue;
    CRect rect;
    ::GetWindowRect(child, &rect);
    dialog.ScreenToClient(&rect);
    painter.drawImage(rect.left, rect.top, win::window_surface(child, true));
  }
  return image;
}

bool dark(QRgb c) { return qRed(c) < 0x60 && qGreen(c) < 0x60 && qBlue(c) < 0x60; }

struct OptionsCall {
  HWND parent;
  std::string caption;
  int first_page;
};

class DateCtrlTest : public lumo::test::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    controls::register_standard_controls();
    resources::register_program_resources();
    register_dates_dialog();
    calls_.clear();
    CDateCtrl::SetOptionsHandler([this](CWnd* parent, const CString& caption, int first_page) {
      calls_.push_back({parent ? parent->m_hWnd : nullptr, caption.str(), first_page});
    });
    ASSERT_TRUE(dialog_.Create(IDD_DATES));
    const struct {
      int id;
      CDate date;
    } fields[] = {{IDC_ADOPTED, CDate(2001, 9, 28)}, {IDC_PUBLISHED, CDate(2001, 10, 15)},
                  {IDC_IN_FORCE, CDate(2002, 1, 1)}};
    for (size_t i = 0; i < 3; ++i) {
      ASSERT_TRUE(dates_[i].SubclassDlgItem(UINT(fields[i].id), &dialog_));
      dates_[i].SetWindowText(fields[i].date.Format("%A, %#d %B %Y"));
    }
    dialog_.ShowWindow(SW_SHOW);
    pump();
  }
  void TearDown() override {
    CDateCtrl::SetOptionsHandler(nullptr);
    if (dialog_.m_hWnd) dialog_.DestroyWindow();
    pump();
    GuiTest::TearDown();
  }

  CDialog dialog_;
  CDateCtrl dates_[3];
  std::vector<OptionsCall> calls_;
};

TEST_F(DateCtrlTest, ShowsPolishDatesBesideTheirLabels) {
  QImage picture = dialog_picture(dialog_);
  ASSERT_TRUE(picture.save(QString::fromStdString(::testing::TempDir() + "inhouse_date_ctrl.png"), "PNG"));
  EXPECT_EQ(base::cp1250::to_utf8(GetWindowTextString(dates_[2].m_hWnd)), "wtorek, 1 stycznia 2002");

  // Every text stands whole on one line inside its control: its ink spans as wide as the text
  // measures in the control's font (a clipped or wrapped text is narrower) and keeps off the
  // edge it is not aligned to.
  for (HWND child = ::GetWindow(dialog_.m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const std::string text = GetWindowTextString(child);
    SCOPED_TRACE(base::cp1250::to_utf8(text));
    CRect rect;
    ::GetWindowRect(child, &rect);
    dialog_.ScreenToClient(&rect);
    int left = rect.right, right = rect.left - 1;
    for (int y = rect.top; y < rect.bottom; ++y) {
      for (int x = rect.left; x < rect.right; ++x) {
        if (dark(picture.pixel(x, y))) left = std::min(left, x), right = std::max(right, x);
      }
    }
    CWnd* control = CWnd::FromHandle(child);
    CClientDC dc(control);
    CFont* old = dc.SelectObject(control->GetFont());
    const int width = dc.GetTextExtent(CString(text)).cx;
    dc.SelectObject(old);
    EXPECT_GE(right - left + 1, width - 3);
    const bool right_aligned = (::GetWindowLongPtr(child, GWL_STYLE) & SS_RIGHT) != 0;
    EXPECT_GT(right_aligned ? left - rect.left : rect.right - 1 - right, 1);
  }
}

TEST_F(DateCtrlTest, ShowsTheHandOverTheField) {
  ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
  LRESULT handled = dates_[0].SendMessage(WM_SETCURSOR, WPARAM(dates_[0].m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(handled, TRUE);
  EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, MAKEINTRESOURCE(int(resources::IDC_DATE_HAND))));
  EXPECT_NE(::GetCursor(), ::LoadCursor(nullptr, IDC_ARROW));
}

TEST_F(DateCtrlTest, AClickOpensTheCalendarOptions) {
  CRect rect;
  dates_[1].GetClientRect(&rect);
  lumo::test::click(dates_[1].m_hWnd, POINT{5, rect.Height() / 2});
  pump();
  ASSERT_EQ(calls_.size(), 1u);
  EXPECT_EQ(calls_[0].parent, dates_[1].m_hWnd);
  EXPECT_EQ(calls_[0].caption, "Opcje - kalendarz");
  EXPECT_EQ(calls_[0].first_page, 0);

  // Without a routine a click does nothing beyond its wait cursor.
  CDateCtrl::SetOptionsHandler(nullptr);
  lumo::test::click(dates_[0].m_hWnd, POINT{5, 5});
  pump();
  EXPECT_EQ(calls_.size(), 1u);
}

}  // namespace
