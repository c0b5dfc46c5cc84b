// Context help of property sheets: the sheet's own controls answer with their id + 0x10000, and
// the caption's help button lets a click name the control.
#include "controls/base/gs_property_sheet.h"

#include <memory>
#include <string>
#include <vector>

#include <QPainter>

#include "controls/base/gs_property_page.h"
#include "platform/framework/command_ids.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_surface.h"
#include "tests/dialog_bases/help_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

// The window as the screen shows it: its surface with every visible descendant's over it.
QImage composed(HWND h) {
  QImage image = win::window_surface(h, true);
  if (image.isNull()) return image;
  RECT outer;
  GetWindowRect(h, &outer);
  std::vector<HWND> children;
  for (HWND c = GetTopWindow(h); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  QPainter painter(&image);
  // The last sibling in Z order is the bottom one: paint bottom up.
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    if (!IsWindowVisible(*it)) continue;
    RECT r;
    GetWindowRect(*it, &r);
    painter.drawImage(QPoint(r.left - outer.left, r.top - outer.top), composed(*it));
  }
  return image;
}

class SheetHelpTest : public HelpTest {
 protected:
  void SetUp() override {
    HelpTest::SetUp();
    sheet = std::make_unique<CGSPropertySheet>("Szukaj w zakresie");
    sheet->AddPage(&page);
    sheet->AddPage(&plain);
    ASSERT_TRUE(sheet->Create());
    pump();
    ok = ::GetDlgItem(sheet->m_hWnd, IDOK);
    ASSERT_TRUE(ok);
  }
  void TearDown() override {
    sheet.reset();
    pump();
    HelpTest::TearDown();
  }
  // The screen point of the caption's help button: left of the close box at the caption's right.
  POINT help_button() const {
    RECT window;
    sheet->GetWindowRect(&window);
    int border = GetSystemMetrics(SM_CXDLGFRAME), caption = GetSystemMetrics(SM_CYCAPTION);
    int box = caption - 4;
    return POINT{window.right - border - 2 - box - 2 - box / 2 - 2, window.top + border + caption / 2};
  }

  CGSPropertyPage page{IDD_HELP_PAGE};
  CPropertyPage plain{IDD_PLAIN_PAGE};
  std::unique_ptr<CGSPropertySheet> sheet;
  HWND ok = nullptr;
};

TEST_F(SheetHelpTest, TheSheetHasAHelpButtonInItsCaption) {
  EXPECT_TRUE(sheet->GetExStyle() & WS_EX_CONTEXTHELP);
  EXPECT_STREQ(RUNTIME_CLASS(CGSPropertySheet)->m_lpszClassName, "CGSPropertySheet");
  EXPECT_EQ(RUNTIME_CLASS(CGSPropertySheet)->m_pfnCreateObject, nullptr);
  EXPECT_TRUE(sheet->IsKindOf(RUNTIME_CLASS(CPropertySheet)));
  POINT at = help_button();
  EXPECT_EQ(sheet->SendMessage(WM_NCHITTEST, 0, MAKE_POINT_LPARAM(at.x, at.y)), HTHELP);
}

TEST_F(SheetHelpTest, F1AndARightClickOnTheSheetsOwnControls) {
  SetFocus(ok);
  press_key(VK_F1);
  pump();
  HWND cancel = ::GetDlgItem(sheet->m_hWnd, IDCANCEL);
  HWND tabs = sheet->GetTabControl()->m_hWnd;
  click(cancel, POINT{4, 4}, win::MouseButton::right);
  pump();
  RECT strip;
  ::GetClientRect(tabs, &strip);
  click(tabs, POINT{strip.right - 4, 4}, win::MouseButton::right);  // right of the tabs
  pump();
  EXPECT_EQ(asked(), (std::vector<Asked>{{ok, IDOK, 0x00010001, HELP_WM_HELP, "lumokal.hlp"},
                                         {cancel, IDCANCEL, 0x00010002, HELP_CONTEXTMENU, "lumokal.hlp"},
                                         {tabs, AFX_IDC_TAB_CONTROL, 0x00013020, HELP_CONTEXTMENU, "lumokal.hlp"}}));
}

TEST_F(SheetHelpTest, APageControlIsNotTheSheetsToAnswer) {
  sheet->SetActivePage(&plain);
  pump();
  HWND field = ::GetDlgItem(plain.m_hWnd, IDC_PLAIN_FIELD);
  ASSERT_TRUE(field);
  click(field, POINT{4, 4}, win::MouseButton::right);
  pump();
  EXPECT_TRUE(asked().empty());
}

TEST_F(SheetHelpTest, TheCaptionHelpButtonLetsAClickNameTheControl) {
  HWND year = ::GetDlgItem(page.m_hWnd, IDC_HELP_YEAR);
  for (HWND target : {year, ok}) {
    mouse_down(help_button());
    when_captured([&] { mouse_down(middle_of(target)); });
    pump();
    mouse_up(middle_of(target));
    pump();
  }
  // Esc ends the mode without help.
  mouse_down(help_button());
  when_captured([] { press_key(VK_ESCAPE); });
  pump();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(asked(), (std::vector<Asked>{{year, IDC_HELP_YEAR, 0x862C03F1, HELP_WM_HELP, "lumokal.hlp"},
                                         {ok, IDOK, 0x00010001, HELP_WM_HELP, "lumokal.hlp"}}));
}

TEST_F(SheetHelpTest, TheHelpButtonIsDrawnLeftOfTheCloseBox) {
  sheet->ShowWindow(SW_SHOW);
  sheet->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ERASE);
  pump();
  const std::string png = temp_path("sheet_help.png");
  EXPECT_TRUE(save_surface_png(sheet->m_hWnd, png, true));
  if (const char* keep = std::getenv("LUMO_KEEP_PNG")) composed(sheet->m_hWnd).save(keep, "PNG");
  // The question mark: dark pixels inside the help box, on the button face.
  RECT window;
  sheet->GetWindowRect(&window);
  POINT at = help_button();
  int cx = at.x - window.left, cy = at.y - window.top;
  int dark = 0;
  for (int y = cy - 5; y <= cy + 5; ++y) {
    for (int x = cx - 4; x <= cx + 4; ++x) {
      DWORD c = surface_pixel(sheet->m_hWnd, x, y, true);
      if ((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) < 3 * 96) ++dark;
    }
  }
  EXPECT_GT(dark, 6);
  EXPECT_EQ(surface_pixel(sheet->m_hWnd, cx - 5, cy + 4, true) & 0xFFFFFF, GetSysColor(COLOR_BTNFACE) & 0xFFFFFF);
}

}  // namespace
}  // namespace lumo::test
