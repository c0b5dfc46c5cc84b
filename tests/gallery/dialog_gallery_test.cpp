// A search dialog from a template in the 8-point dialog font: labels, an edit, a drop-down list,
// a group box holding check boxes and radio buttons, a list box whose rows all fit, and push
// buttons in their default, focused and disabled states.
#include "platform/controls/standard_controls.h"
#include "platform/framework/dialog.h"
#include "platform/res/resource_store.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/gallery/gallery.h"
#include "tests/support/synthetic_input.h"

#include <algorithm>
#include <vector>

namespace lumo::test {
namespace {

constexpr UINT IDD_GALLERY_FIND = 9600;
constexpr int IDC_FIND_LABEL = 1601, IDC_FIND_TEXT = 1602, IDC_SCOPE_LABEL = 1603, IDC_SCOPE = 1604,
              IDC_OPTIONS = 1605, IDC_CASE = 1606, IDC_WORDS = 1607, IDC_TITLES = 1608, IDC_BODIES = 1609,
              IDC_YEARS = 1610, IDC_HELP_BUTTON = 1611;

void register_find_dialog() {
  static bool done = [] {
    static const res::DialogControlResource controls[] = {
        {UINT(IDC_FIND_LABEL), "Static", "Szukany tekst:", {7, 9, 60, 17}, WS_VISIBLE, 0},
        {UINT(IDC_FIND_TEXT), "Edit", "", {62, 7, 180, 19}, WS_VISIBLE | WS_BORDER | WS_TABSTOP, 0},
        {UINT(IDC_SCOPE_LABEL), "Static", "&Zakres:", {7, 26, 60, 34}, WS_VISIBLE, 0},
        {UINT(IDC_SCOPE), "ComboBox", "", {62, 24, 180, 90}, WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0},
        {UINT(IDC_OPTIONS), "Button", "Opcje", {7, 42, 120, 102}, WS_VISIBLE | BS_GROUPBOX, 0},
        {UINT(IDC_CASE), "Button", "&Uwzględniaj wielkość liter", {14, 54, 116, 64}, WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP, 0},
        {UINT(IDC_WORDS), "Button", "Całe &wyrazy", {14, 66, 116, 76}, WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP, 0},
        {UINT(IDC_TITLES), "Button", "W &tytułach", {14, 78, 116, 88}, WS_VISIBLE | BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0},
        {UINT(IDC_BODIES), "Button", "W t&reści aktów", {14, 89, 116, 99}, WS_VISIBLE | BS_AUTORADIOBUTTON, 0},
        {UINT(IDC_YEARS), "ListBox", "", {125, 46, 180, 102}, WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP, 0},
        {UINT(IDOK), "Button", "Szukaj", {190, 7, 240, 21}, WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0},
        {UINT(IDCANCEL), "Button", "Anuluj", {190, 24, 240, 38}, WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 0},
        {UINT(IDC_HELP_BUTTON), "Button", "Pomoc", {190, 41, 240, 55}, WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 0},
    };
    res::add_dialog({IDD_GALLERY_FIND, "Szukaj", {0, 0, 248, 110}, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                     "MS Sans Serif", 8, controls});
    return true;
  }();
  (void)done;
}

class FindDialog : public CDialog {
 public:
  explicit FindDialog(CWnd* parent) : CDialog(IDD_GALLERY_FIND, parent) {}
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    for (const char* s : {"Cała biblioteka", "Wybrane roczniki", "Segregator", "Lista wyników"}) {
      ::SendDlgItemMessage(m_hWnd, IDC_SCOPE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(cp(s).GetString()));
    }
    ::SendDlgItemMessage(m_hWnd, IDC_SCOPE, CB_SETCURSEL, 0, 0);
    for (const char* s : {"1995", "1996", "1997"}) ::SendDlgItemMessage(m_hWnd, IDC_YEARS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    ::SendDlgItemMessage(m_hWnd, IDC_YEARS, LB_SETCURSEL, 1, 0);
    CheckDlgButton(IDC_WORDS, BST_CHECKED);
    CheckRadioButton(IDC_TITLES, IDC_BODIES, IDC_BODIES);
    SetDlgItemText(IDC_FIND_TEXT, cp("ustawa o ochronie"));
    return TRUE;
  }
  // The notification codes of the scope box, in order.
  std::vector<WORD> scope_codes;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == IDC_SCOPE) scope_codes.push_back(HIWORD(wParam));
    return CDialog::OnCommand(wParam, lParam);
  }
};

class DialogGalleryTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    register_find_dialog();
    frame = make_main_frame();
    ASSERT_TRUE(dialog.Create(IDD_GALLERY_FIND, frame));
    dialog.ShowWindow(SW_SHOW);
    pump();
  }
  void TearDown() override {
    if (dialog.m_hWnd) dialog.DestroyWindow();
    FrameworkTest::TearDown();
  }
  HWND item(int id) const { return ::GetDlgItem(dialog.m_hWnd, id); }
  RECT client_of(int id) const {
    RECT r;
    ::GetClientRect(item(id), &r);
    return r;
  }

  CMDIFrameWnd* frame = nullptr;
  FindDialog dialog{nullptr};
};

TEST_F(DialogGalleryTest, DrawsTheDialogInItsFont) {
  gallery::Picture picture(dialog.m_hWnd, "dialog", true);
  // The label is drawn whole: its text runs past the first word and stops inside the control.
  RECT label = gallery::rect_in(item(IDC_FIND_LABEL), dialog.m_hWnd, true);
  int right = picture.rightmost_dark(label);
  EXPECT_GT(right, (label.left + label.right) / 2);
  EXPECT_LT(right, label.right - 1);
  // The list box's rows all fit: it shows no scroll bar.
  RECT years = gallery::rect_in(item(IDC_YEARS), dialog.m_hWnd, true);
  EXPECT_EQ(picture.pixel(years.right - 4, years.bottom - 4), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(client_of(IDC_YEARS).right, years.right - years.left - 2);
  // Every control answers with the template's font.
  HFONT font = reinterpret_cast<HFONT>(dialog.SendMessage(WM_GETFONT));
  ASSERT_NE(font, nullptr);
  for (int id : {IDC_FIND_LABEL, IDC_FIND_TEXT, IDC_SCOPE, IDC_CASE, IDC_YEARS, IDOK}) {
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessage(item(id), WM_GETFONT, 0, 0)), font) << id;
  }
}

TEST_F(DialogGalleryTest, DisabledAndFocusedStates) {
  ::EnableWindow(item(IDC_CASE), FALSE);
  ::EnableWindow(item(IDC_SCOPE), FALSE);
  ::SetFocus(item(IDCANCEL));
  gallery::Picture picture(dialog.m_hWnd, "dialog_states", true);
  RECT options = gallery::rect_in(item(IDC_OPTIONS), dialog.m_hWnd, true);
  picture.save_enlarged(options, "dialog_group_box", 3);
  // The disabled check box's label is etched: highlight pixels beside the grey ones.
  RECT label = gallery::rect_in(item(IDC_CASE), dialog.m_hWnd, true);
  label.left += 18;
  EXPECT_GT(picture.light(label), 10);
  EXPECT_EQ(picture.dark(label), 0);
  // The chosen radio button is round with a dark dot; the other one is empty.
  RECT bodies = gallery::rect_in(item(IDC_BODIES), dialog.m_hWnd, true);
  RECT titles = gallery::rect_in(item(IDC_TITLES), dialog.m_hWnd, true);
  int middle = (bodies.top + bodies.bottom) / 2;
  EXPECT_EQ(picture.pixel(bodies.left + 5, middle), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(picture.pixel(titles.left + 5, (titles.top + titles.bottom) / 2), GetSysColor(COLOR_WINDOW));
  EXPECT_NE(picture.pixel(bodies.left, middle - 5), GetSysColor(COLOR_BTNSHADOW));  // corner: no square
  // The focused button shows its dotted frame.
  RECT cancel = gallery::rect_in(item(IDCANCEL), dialog.m_hWnd, true);
  EXPECT_GT(picture.dark(RECT{cancel.left + 3, cancel.top + 3, cancel.right - 3, cancel.top + 4}), 5);
}

TEST_F(DialogGalleryTest, ComboBoxShowsItsFieldAndDropsItsList) {
  HWND scope = item(IDC_SCOPE);
  RECT field = gallery::rect_in(scope, dialog.m_hWnd, true);
  // The field is one row high, not the height of the list it drops.
  int row = int(::SendMessage(scope, CB_GETITEMHEIGHT, 0, 0));
  EXPECT_EQ(field.bottom - field.top, row + 6);
  EXPECT_LT(field.bottom - field.top, 30);
  // No scroll bar on the field; the client area is the whole control.
  RECT client;
  ::GetClientRect(scope, &client);
  EXPECT_EQ(client.right, field.right - field.left);
  {
    gallery::Picture picture(dialog.m_hWnd, "dialog", true);
    // The drop button carries a dark arrow at its middle.
    int button = GetSystemMetrics(SM_CXVSCROLL);
    RECT arrow{field.right - 2 - button + 3, field.top + 4, field.right - 5, field.bottom - 4};
    EXPECT_GE(picture.dark(arrow), 9);
    // The list box under the combo box's creation rectangle is not covered.
    RECT years = gallery::rect_in(item(IDC_YEARS), dialog.m_hWnd, true);
    EXPECT_EQ(picture.pixel(years.left + 4, years.bottom - 4), GetSysColor(COLOR_WINDOW));
  }

  // A click on the field drops the list below it.
  click(scope, POINT{20, 5});
  pump();
  EXPECT_TRUE(::SendMessage(scope, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(dialog.scope_codes, (std::vector<WORD>{CBN_SETFOCUS, CBN_DROPDOWN}));
  {
    gallery::Picture picture(dialog.m_hWnd, "dialog_combo_dropped", true);
    HWND list;
    list = ::GetCapture();
    ASSERT_NE(list, nullptr);
    RECT at;
    ::GetWindowRect(list, &at);
    RECT top;
    ::GetWindowRect(scope, &top);
    EXPECT_EQ(at.top, top.bottom);
    EXPECT_EQ(at.bottom - at.top, 4 * row + 2);
    gallery::Picture list_picture(list, "combo_list", true);
    // The chosen row is marked; the others are on the window colour.
    EXPECT_EQ(list_picture.pixel(3, 1 + row / 2 - 3), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_GT(list_picture.dark(RECT{1, 1 + 3 * row, 80, 1 + 4 * row}), 20);
  }
  // The keyboard moves through the dropped list; Enter takes the row and closes it.
  dialog.scope_codes.clear();
  press_key(VK_DOWN);
  press_key(VK_DOWN);
  press_key(VK_RETURN);
  pump();
  EXPECT_FALSE(::SendMessage(scope, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(::SendMessage(scope, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(dialog.scope_codes, (std::vector<WORD>{CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
  EXPECT_TRUE(dialog.IsWindowVisible());  // Enter went to the list, not to the dialog's default button

  // F4 and Alt+Down drop it; a click outside closes it, choosing nothing.
  for (bool alt : {false, true}) {
    dialog.scope_codes.clear();
    press_key(alt ? VK_DOWN : VK_F4, 0, alt ? win::KeyModifiers{.alt = true} : win::KeyModifiers{});
    pump();
    EXPECT_TRUE(::SendMessage(scope, CB_GETDROPPEDSTATE, 0, 0)) << alt;
    click(dialog.m_hWnd, POINT{5, 5});
    pump();
    EXPECT_FALSE(::SendMessage(scope, CB_GETDROPPEDSTATE, 0, 0)) << alt;
    EXPECT_EQ(dialog.scope_codes, (std::vector<WORD>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP})) << alt;
    EXPECT_EQ(::SendMessage(scope, CB_GETCURSEL, 0, 0), 2);
  }
}

}  // namespace
}  // namespace lumo::test
