// Wizard sheets: the buttons a page offers, Back/Next/Finish steps with their answers, and the
// extended sheet's header band and watermark, each drawn to a PNG for a look.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <functional>
#include <string>
#include <vector>

#include "platform/framework/command_ids.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/data_exchange.h"
#include "platform/framework/property_sheet_ex.h"
#include "platform/res/resource_store.h"
#include "tests/framework/framework_fixture.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_surface.h"
#include "tests/support/surface_png.h"

namespace lumo::test {
namespace {

constexpr UINT IDD_WIZ_INTRO = 9301;
constexpr UINT IDD_WIZ_NUMBER = 9302;
constexpr UINT IDD_WIZ_DONE = 9303;
constexpr UINT IDS_WIZ_TITLE = 9311;
constexpr UINT IDS_WIZ_SUBTITLE = 9312;
constexpr int IDC_WIZ_NUMBER = 1301;

// The window's client area with every visible child drawn over it, as the screen shows it.
QImage composite(HWND h, bool whole_window = false) {
  UpdateWindow(h);
  QImage image = win::window_surface(h, whole_window);
  std::vector<HWND> children;
  for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  QPainter painter(&image);
  // The first child is the top one: draw from the bottom up.
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    if (!IsWindowVisible(*it)) continue;
    RECT r;
    GetWindowRect(*it, &r);
    POINT at{r.left, r.top};
    ScreenToClient(h, &at);
    painter.drawImage(QPoint(at.x, at.y), composite(*it, true));
  }
  return image;
}

void register_wizard_resources() {
  static const bool done = [] {
    static const res::DialogControlResource intro[] = {
        {UINT(-1), "Static", "Witamy w kreatorze zapytań", {7, 7, 200, 19}, WS_VISIBLE, 0},
    };
    static const res::DialogControlResource number[] = {
        {UINT(-1), "Static", "Rok wydania:", {7, 9, 75, 19}, WS_VISIBLE, 0},
        {UINT(IDC_WIZ_NUMBER), "Edit", "", {80, 7, 135, 19}, WS_VISIBLE | WS_TABSTOP, 0},
    };
    static const res::DialogControlResource done_controls[] = {
        {UINT(-1), "Static", "Zakończyłeś pracę z kreatorem", {7, 7, 200, 19}, WS_VISIBLE, 0},
    };
    res::add_dialog({IDD_WIZ_INTRO, "Kreator zapytań", {0, 0, 220, 100}, WS_CHILD, 0, nullptr, 8, intro});
    res::add_dialog({IDD_WIZ_NUMBER, "Kreator zapytań", {0, 0, 220, 80}, WS_CHILD, 0, nullptr, 8, number});
    res::add_dialog({IDD_WIZ_DONE, "Kreator zapytania", {0, 0, 220, 100}, WS_CHILD, 0, nullptr, 8, done_controls});
    static const res::StringResource strings[] = {
        {IDS_WIZ_TITLE, "Przeszukiwanie - tytuł"},
        {IDS_WIZ_SUBTITLE, "Przeszukiwanie - podtytuł"},
    };
    res::add_strings(strings);
    return true;
  }();
  (void)done;
}

// A page that logs its steps and answers them from its members.
class StepPage : public CPropertyPageEx {
 public:
  StepPage(UINT id, DWORD buttons, std::vector<std::string>& log, UINT title = 0, UINT subtitle = 0)
      : CPropertyPageEx(id, 0, title, subtitle), buttons_(buttons), log_(log) {}
  LRESULT next_answer = 0;
  LRESULT back_answer = 0;
  BOOL finish_answer = TRUE;
  BOOL show = TRUE;
  BOOL OnSetActive() override {
    log_.push_back("active " + std::to_string(m_nIDTemplate));
    if (!show) return FALSE;
    GetSheet()->SetWizardButtons(buttons_);
    return CPropertyPageEx::OnSetActive();
  }
  LRESULT OnWizardNext() override {
    log_.push_back("next " + std::to_string(m_nIDTemplate));
    return next_answer;
  }
  LRESULT OnWizardBack() override {
    log_.push_back("back " + std::to_string(m_nIDTemplate));
    return back_answer;
  }
  BOOL OnWizardFinish() override {
    log_.push_back("finish " + std::to_string(m_nIDTemplate));
    return finish_answer;
  }

 private:
  DWORD buttons_;
  std::vector<std::string>& log_;
};

// The middle page holds a year that must lie in 1918..2100.
class YearPage : public StepPage {
 public:
  using StepPage::StepPage;
  int m_year = 2000;
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_WIZ_NUMBER, m_year);
    DDV_MinMaxInt(pDX, m_year, 1918, 2100);
  }
};

// A sheet that runs the test's script from inside its modal loop.
class ScriptedWizard : public CPropertySheetEx {
 public:
  using CPropertySheetEx::CPropertySheetEx;
  std::function<void()> script;
  BOOL OnInitDialog() override {
    BOOL result = CPropertySheetEx::OnInitDialog();
    PostMessage(WM_APP);
    return result;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_APP && script) {
      script();
      return 0;
    }
    return CPropertySheetEx::WindowProc(message, wParam, lParam);
  }
};

class WizardTest : public FrameworkTest {
 protected:
  CMDIFrameWnd* frame = nullptr;
  std::vector<std::string> log;
  void SetUp() override {
    FrameworkTest::SetUp();
    register_wizard_resources();
    frame = make_main_frame();
  }
  static bool shown(CWnd& sheet, UINT id) { return ::IsWindowVisible(::GetDlgItem(sheet.m_hWnd, int(id))); }
  static bool enabled(CWnd& sheet, UINT id) { return ::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, int(id))); }
  static std::string title(CWnd& window) {
    CString text;
    window.GetWindowText(text);
    return utf8(text);
  }
  static void press(CWnd& sheet, UINT id) {
    sheet.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), BN_CLICKED),
                      reinterpret_cast<LPARAM>(::GetDlgItem(sheet.m_hWnd, int(id))));
  }
};

TEST_F(WizardTest, PagesOfferTheirButtonsAndStepInTurn) {
  StepPage intro(IDD_WIZ_INTRO, PSWIZB_NEXT, log);
  YearPage year(IDD_WIZ_NUMBER, PSWIZB_BACK | PSWIZB_NEXT, log, IDS_WIZ_TITLE, IDS_WIZ_SUBTITLE);
  StepPage done(IDD_WIZ_DONE, PSWIZB_BACK | PSWIZB_FINISH, log);
  ScriptedWizard sheet(cp("Kreator"), frame);
  sheet.AddPage(&intro);
  sheet.AddPage(&year);
  sheet.AddPage(&done);
  sheet.SetWizardMode();
  prompter.answers = {IDOK};
  sheet.script = [&] {
    EXPECT_EQ(sheet.GetTabControl(), nullptr);
    EXPECT_EQ(title(sheet), "Kreator zapytań");
    // The first page: Back there but not enabled, Next the default, no Finish.
    EXPECT_TRUE(shown(sheet, ID_WIZBACK));
    EXPECT_FALSE(enabled(sheet, ID_WIZBACK));
    EXPECT_TRUE(enabled(sheet, ID_WIZNEXT));
    EXPECT_FALSE(shown(sheet, ID_WIZFINISH));
    EXPECT_EQ(LOWORD(sheet.SendMessage(DM_GETDEFID)), ID_WIZNEXT);
    press(sheet, ID_WIZBACK);  // not enabled: nothing happens
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    // Enter presses Next.
    sheet.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    EXPECT_TRUE(enabled(sheet, ID_WIZBACK));
    // A bad year keeps the page: Next is refused with the message, before the page is asked.
    year.SetDlgItemText(IDC_WIZ_NUMBER, "1700");
    press(sheet, ID_WIZNEXT);
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    year.SetDlgItemText(IDC_WIZ_NUMBER, "1999");
    composite(sheet.m_hWnd).save("wizard_classic_page.png");
    press(sheet, ID_WIZNEXT);
    EXPECT_EQ(sheet.GetActiveIndex(), 2);
    EXPECT_EQ(title(sheet), "Kreator zapytania");
    // The last page: Finish in Next's place and the default.
    EXPECT_FALSE(shown(sheet, ID_WIZNEXT));
    EXPECT_TRUE(shown(sheet, ID_WIZFINISH));
    EXPECT_TRUE(enabled(sheet, ID_WIZFINISH));
    EXPECT_EQ(LOWORD(sheet.SendMessage(DM_GETDEFID)), ID_WIZFINISH);
    // A page may refuse to finish.
    done.finish_answer = FALSE;
    press(sheet, ID_WIZFINISH);
    EXPECT_TRUE(sheet.IsWindowVisible());
    done.finish_answer = TRUE;
    sheet.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
  };
  EXPECT_EQ(sheet.DoModal(), INT_PTR(ID_WIZFINISH));
  EXPECT_EQ(year.m_year, 1999);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(log, (std::vector<std::string>{"active 9301", "next 9301", "active 9302", "next 9302", "active 9303",
                                           "finish 9303", "finish 9303"}));
}

TEST_F(WizardTest, StepsFollowThePagesAnswers) {
  StepPage a(IDD_WIZ_INTRO, PSWIZB_NEXT, log), b(IDD_WIZ_NUMBER, PSWIZB_BACK | PSWIZB_NEXT, log),
      c(IDD_WIZ_DONE, PSWIZB_BACK | PSWIZB_DISABLEDFINISH, log);
  ScriptedWizard sheet(cp("Kreator"), frame);
  for (CPropertyPage* p : {static_cast<CPropertyPage*>(&a), static_cast<CPropertyPage*>(&b), static_cast<CPropertyPage*>(&c)})
    sheet.AddPage(p);
  sheet.SetWizardMode();
  sheet.script = [&] {
    // Next answered with a template id jumps there; Back with 0 goes to the page before.
    a.next_answer = IDD_WIZ_DONE;
    press(sheet, ID_WIZNEXT);
    EXPECT_EQ(sheet.GetActiveIndex(), 2);
    // A finish shown but not enabled, then Finish text: Back and Next give way to it.
    EXPECT_TRUE(shown(sheet, ID_WIZFINISH));
    EXPECT_FALSE(enabled(sheet, ID_WIZFINISH));
    press(sheet, ID_WIZBACK);
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    // -1 stays; a page that will not be shown is passed over.
    b.next_answer = -1;
    press(sheet, ID_WIZNEXT);
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    a.show = FALSE;
    press(sheet, ID_WIZBACK);
    EXPECT_EQ(sheet.GetActiveIndex(), 1);  // nothing before the refusing page
    b.next_answer = 0;
    press(sheet, ID_WIZNEXT);
    sheet.SetFinishText(cp("Gotowe"));
    EXPECT_FALSE(shown(sheet, ID_WIZBACK));
    EXPECT_FALSE(shown(sheet, ID_WIZNEXT));
    EXPECT_TRUE(enabled(sheet, ID_WIZFINISH));
    EXPECT_EQ(title(*CWnd::FromHandle(::GetDlgItem(sheet.m_hWnd, int(ID_WIZFINISH)))), "Gotowe");
    press(sheet, IDCANCEL);
  };
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(log, (std::vector<std::string>{"active 9301", "next 9301", "active 9303", "back 9303", "active 9302",
                                           "next 9302", "back 9302", "active 9301", "next 9302", "active 9303"}));
}

TEST_F(WizardTest, LaterStyleDrawsTheHeaderBandAndTheWatermark) {
  // A watermark 40 pixels wide in dark blue, a header bitmap in green.
  CBitmap watermark, header;
  std::vector<uint32_t> blue(40 * 200, 0xFF000080u), green(30 * 30, 0xFF00A000u);
  ASSERT_TRUE(watermark.CreateBitmap(40, 200, 1, 32, blue.data()));
  ASSERT_TRUE(header.CreateBitmap(30, 30, 1, 32, green.data()));
  StepPage intro(IDD_WIZ_INTRO, PSWIZB_NEXT, log);
  intro.m_psp.dwFlags |= PSP_HIDEHEADER;
  YearPage year(IDD_WIZ_NUMBER, PSWIZB_BACK | PSWIZB_FINISH, log, IDS_WIZ_TITLE, IDS_WIZ_SUBTITLE);
  ScriptedWizard sheet(cp("Kreator"), frame, 0, watermark, nullptr, header);
  sheet.AddPage(&intro);
  sheet.AddPage(&year);
  sheet.SetWizardMode();
  sheet.m_psh.dwFlags |= PSH_WIZARD97;
  EXPECT_TRUE(sheet.m_psh.dwFlags & PSH_WATERMARK);
  EXPECT_TRUE(sheet.m_psh.dwFlags & PSH_HEADER);
  EXPECT_EQ(utf8(year.m_strHeaderTitle), "Przeszukiwanie - tytuł");
  sheet.script = [&] {
    sheet.UpdateWindow();
    composite(sheet.m_hWnd).save("wizard_outer_page.png");
    // The outer page stands right of the watermark and covers the header band.
    CRect page;
    intro.GetWindowRect(&page);
    sheet.ScreenToClient(&page);
    EXPECT_EQ(page.left, 40);
    EXPECT_EQ(page.top, 0);
    EXPECT_EQ(surface_pixel(sheet.m_hWnd, 5, 5), RGB(0, 0, 0x80));
    // Below the watermark the strip has the page's colour, not a white patch.
    EXPECT_EQ(surface_pixel(sheet.m_hWnd, 5, page.bottom - 2), GetSysColor(COLOR_3DFACE));
    press(sheet, ID_WIZNEXT);
    sheet.UpdateWindow();
    QImage shown = composite(sheet.m_hWnd);
    shown.save("wizard_inner_page.png");
    // The inner page sits below the white band, whose right end holds the header bitmap.
    year.GetWindowRect(&page);
    sheet.ScreenToClient(&page);
    EXPECT_GE(page.top, CPropertySheetEx::kHeaderHeight);
    CRect client;
    sheet.GetClientRect(&client);
    EXPECT_EQ(surface_pixel(sheet.m_hWnd, 5, 5), RGB(255, 255, 255));
    EXPECT_EQ(surface_pixel(sheet.m_hWnd, client.right - 7 - 15, 29), RGB(0, 0xA0, 0));
    // Some dark text in the band: the title.
    int dark = 0;
    for (int y = 8; y < 26; ++y)
      for (int x = 20; x < 160; ++x) dark += qGray(shown.pixel(x, y)) < 64;
    EXPECT_GT(dark, 40);
    press(sheet, IDCANCEL);
  };
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

}  // namespace
}  // namespace lumo::test
