// Window buttons: the hosted window's creation and notice, collapsing on a vertical bar, its
// saved width, messages handed to it, tool tips and the press that selects the button through
// its bar.
#include <memory>
#include <vector>

#include "platform/base/cp1250.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/control_messages.h"
#include "platform/gdi/qt_raster_device.h"
#include "platform/win/messages.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "resources/resource_ids.h"
#include "tests/framework/framework_fixture.h"
#include "tests/toolkit_buttons/button_bar.h"
#include "toolkit/widgets/wnd_button.h"

namespace lumo::test {
namespace {

constexpr UINT kFieldCommand = 33007;
constexpr UINT kFieldId = 1207;

// A window button holding an edit field.
class EditBtn : public SECWndBtn {
 public:
  static SECStdBtn* Make() { return new EditBtn; }
  static const SECButtonClass record;
  const SECButtonClass* GetButtonClass() const override { return &record; }
  CWnd* GetWnd() override { return &edit; }
  BOOL CreateWnd(CWnd* pParentBar, DWORD dwStyle, const CRect& rect, UINT nID) override {
    return edit.Create(dwStyle | WS_BORDER, rect, pParentBar, nID);
  }
  CEdit edit;
};
const SECButtonClass EditBtn::record = {&EditBtn::Make};

// Records the window-button notices and the presses the bar receives.
class Owner : public CWnd {
 public:
  std::vector<std::pair<WPARAM, LPARAM>> notices;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == SECToolBarWndNotifyMessage()) notices.emplace_back(wParam, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

class PressRecordingBar : public ButtonBar {
 public:
  std::vector<CPoint> presses;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_LBUTTONDOWN) presses.emplace_back(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return ButtonBar::WindowProc(message, wParam, lParam);
  }
};

class WndButtonTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    gdi::install_qt_devices();
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "Pola", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 80), nullptr, 0));
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "Właściciel", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    ASSERT_TRUE(bar.Create(&frame, CRect(0, 0, 300, 40), 0xE800, &owner));
    bar.mgr = main_strip_manager();
  }
  // A field button of width 120 (at least 40) and height 20, made as a toolbar makes it.
  EditBtn* make(BOOL collapsed = FALSE) {
    const SECButtonMapEntry map[] = {
        {&EditBtn::record, kFieldCommand, 0, {kFieldId, ES_AUTOHSCROLL, MAKELONG(120, 40), 20, 0}},
        {nullptr, 0, 0, {}},
    };
    bar.Add(SECCreateToolBarButton(resources::ID_FILE_PRINT, nullptr, &bar, FALSE));
    return static_cast<EditBtn*>(bar.Add(SECCreateToolBarButton(kFieldCommand, map, &bar, collapsed)));
  }

  CWnd frame;
  Owner owner;
  PressRecordingBar bar;
};

TEST_F(WndButtonTest, CreationShowsTheWindowCentredAndTellsTheOwner) {
  EditBtn* btn = make();
  ASSERT_TRUE(btn->edit.m_hWnd);
  EXPECT_EQ(btn->m_nType, SEC_BTNTYPE_WINDOW);
  EXPECT_EQ(btn->edit.GetDlgCtrlID(), int(kFieldId));
  EXPECT_TRUE(btn->edit.GetStyle() & WS_CHILD);
  EXPECT_EQ(btn->edit.GetParent(), &bar);
  ASSERT_EQ(owner.notices.size(), 1u);
  EXPECT_EQ(owner.notices[0].first, MAKEWPARAM(kFieldId, SEC_WNDBTN_CREATED));
  EXPECT_EQ(owner.notices[0].second, reinterpret_cast<LPARAM>(btn->edit.m_hWnd));
  EXPECT_TRUE(btn->IsShown());
  EXPECT_EQ(btn->m_cx, 120);
  EXPECT_EQ(btn->m_cy, 22);
  EXPECT_EQ(btn->GetMinWidth(), 40);
  EXPECT_TRUE(btn->edit.IsWindowVisible());
  CRect r;
  btn->edit.GetWindowRect(&r);
  bar.ScreenToClient(&r);
  EXPECT_EQ(r, CRect(btn->m_x, btn->m_y + 1, btn->m_x + 120, btn->m_y + 21));
  btn->SetPos(60, 10);
  btn->edit.GetWindowRect(&r);
  bar.ScreenToClient(&r);
  EXPECT_EQ(r.TopLeft(), CPoint(60, 11));
  // Shown, the window answers its own tips and the button area is not repainted.
  EXPECT_EQ(btn->GetToolInfo(0, 0, nullptr), -1);
  btn->edit.SetWindowText(base::cp1250::from_utf8("Dz.U. 1997 Nr 78 poz. 483 – żółć").c_str());
  pump();
  save_pictures(bar.m_hWnd, "wnd_button_field");
}

TEST_F(WndButtonTest, CollapsingKeepsTheWidthForLater) {
  EditBtn* btn = make();
  btn->SetCollapsed(TRUE);
  EXPECT_FALSE(btn->IsShown());
  EXPECT_FALSE(btn->edit.IsWindowVisible());
  EXPECT_EQ(btn->m_cx, 23);
  EXPECT_EQ(btn->GetToolInfo(0, 0, nullptr), INT_PTR(kFieldCommand));
  btn->RecalcSize();
  EXPECT_EQ(btn->m_cx, 23);
  btn->SetCollapsed(FALSE);
  EXPECT_EQ(btn->m_cx, 120);
  EXPECT_TRUE(btn->edit.IsWindowVisible());
  // A hidden button's window stays hidden when it is shown again.
  btn->SetCollapsed(TRUE);
  btn->SetStyle(SEC_TBBS_HIDDEN);
  btn->SetCollapsed(FALSE);
  EXPECT_FALSE(btn->edit.IsWindowVisible());
  btn->SetStyle(0);
  btn->UpdateVisibility();
  EXPECT_TRUE(btn->edit.IsWindowVisible());
  // Made on a bar docked at a side, it starts collapsed.
  EditBtn* side = make(TRUE);
  EXPECT_FALSE(side->IsShown());
  EXPECT_FALSE(side->edit.IsWindowVisible());
  EXPECT_EQ(side->m_cx, 23);
}

TEST_F(WndButtonTest, SavedDataIsTheWidthInTwoBytes) {
  EditBtn* btn = make();
  BYTE n = 0;
  BYTE* data = nullptr;
  btn->GetSavedData(n, data);
  ASSERT_EQ(n, 2);
  EXPECT_EQ(data[0], 0x78);
  EXPECT_EQ(data[1], 0x00);
  const BYTE wide[] = {0x2C, 0x01};  // 300
  btn->SetSavedData(2, wide);
  EXPECT_EQ(btn->m_cx, 300);
  CRect r;
  btn->edit.GetWindowRect(&r);
  EXPECT_EQ(r.Width(), 300);
  const BYTE odd[] = {1, 2, 3};
  btn->SetSavedData(3, odd);
  EXPECT_EQ(btn->m_cx, 300);
  // A damaged profile's width is kept between the button's narrowest and the screen's width.
  const int screen = GetSystemMetrics(SM_CXSCREEN);
  ASSERT_GT(screen, 40);
  const BYTE huge[] = {0xFF, 0xFF}, narrow[] = {3, 0};
  btn->SetSavedData(2, huge);
  EXPECT_EQ(btn->m_cx, screen);
  btn->edit.GetWindowRect(&r);
  EXPECT_EQ(r.Width(), screen);
  btn->SetSavedData(2, narrow);
  EXPECT_EQ(btn->m_cx, 40);
  btn->SetSavedData(2, wide);
  btn->SetCollapsed(TRUE);
  btn->GetSavedData(n, data);
  EXPECT_EQ(data[0] | (data[1] << 8), 300);
}

TEST_F(WndButtonTest, DisabledStyleDisablesTheWindowAndMessagesReachIt) {
  EditBtn* btn = make();
  btn->SetStyle(SEC_TBBS_DISABLED);
  EXPECT_FALSE(btn->edit.IsWindowEnabled());
  btn->SetStyle(0);
  EXPECT_TRUE(btn->edit.IsWindowEnabled());
  const CString text = cp("ustawa");
  SECWndBtnMessage m{WM_SETTEXT, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(text))};
  bar.SendToButtons(kFieldCommand, SEC_BTN_NOTIFY_WND_MESSAGE, &m);
  CString now;
  btn->edit.GetWindowText(now);
  EXPECT_EQ(now, text);
  // Other codes go to the plain button's handling.
  DWORD bits[2] = {SEC_TBBS_CHECKED, 0};
  btn->Notify(SEC_BTN_NOTIFY_STYLE, bits);
  EXPECT_TRUE(btn->HasStyle(SEC_TBBS_CHECKED));
}

TEST_F(WndButtonTest, PressesInTheWindowSelectThroughTheBarWhileCustomizing) {
  EditBtn* btn = make();
  EXPECT_FALSE(btn->OnHostedLButtonDown(MK_LBUTTON, 5, 5));
  EXPECT_TRUE(bar.presses.empty());
  bar.customizing = TRUE;
  EXPECT_TRUE(btn->IsBarCustomizing());
  EXPECT_TRUE(btn->OnHostedLButtonDown(MK_LBUTTON, 5, 5));
  ASSERT_EQ(bar.presses.size(), 1u);
  // The point moves from the field's client area to the bar's.
  CPoint p(5, 5);
  btn->edit.ClientToScreen(&p);
  bar.ScreenToClient(&p);
  EXPECT_EQ(bar.presses[0], p);
  EXPECT_TRUE(wnd_button::InSizingZone(117, 120));
  EXPECT_FALSE(wnd_button::InSizingZone(116, 120));
  EXPECT_FALSE(wnd_button::InSizingZone(120, 120));
  EXPECT_EQ(wnd_button::CentredTop(4, 22, 20), 5);
}

}  // namespace
}  // namespace lumo::test
