// The program's toolbar classes: the position field (read-outs, labels from the descriptions,
// disabling, its text messages, customizing), the colour-well button on a toolbar, and the
// framework toolbar that takes its updates from a dialog. Pictures of the bars in the classic and
// the cool look.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include "controls/gs_tool_bar.h"
#include "controls/gs_toolbar_sheet.h"
#include "controls/gs_toolbar_edit_btn.h"
#include "controls/gs_well_color_btn.h"
#include "controls/base/gs_property_page.h"
#include "platform/base/data_folder.h"
#include "platform/base/temp_folder.h"
#include "platform/controls/hot_key_ctrl.h"
#include "platform/framework/accelerators.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/dialog.h"
#include "platform/framework/prompter.h"
#include "platform/win/message_queue.h"
#include "platform/res/resource_store.h"
#include "platform/win/messages.h"
#include "platform/win/window_dc.h"
#include "platform/win/window_surface.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "tests/toolkit_docking/toolkit_docking_fixture.h"
#include "toolkit/widgets/key_binding_table.h"
#include "toolkit/widgets/toolbar_manager.h"

namespace lumo::test {
namespace {

using namespace resources;

constexpr UINT kFormBar = IDR_TOOLBAR_FORM;
constexpr UINT kColourBar = 0xE809;

const UINT kForm[] = {32902, 32901, 32957, 0, ID_PICTURE_POSITION};
const UINT kColours[] = {ID_LINKS_JOURNAL, ID_LINKS_POSITION, 0, ID_LINKS_ARTICLE, ID_LINKS_INNER_ARTICLE};

const SECButtonMapEntry kButtonMap[] = {
    {&CGSToolbarEditBtn::buttonClassCGSToolbarEditBtn, ID_PICTURE_POSITION, SEC_TBBS_NODISABLE,
     {ID_PICTURE_POSITION, 0, MAKELONG(110, 60), 30, 0}},
    {&CGSWellColorBtn::buttonClassCGSWellColorBtn, ID_LINKS_JOURNAL, SEC_TBBS_NODISABLE, {ID_LINKS_JOURNAL, 0, MAKELONG(30, 0), 20, 0}},
    {&CGSWellColorBtn::buttonClassCGSWellColorBtn, ID_LINKS_POSITION, SEC_TBBS_NODISABLE, {ID_LINKS_POSITION, 0, MAKELONG(30, 0), 20, 0}},
    {&CGSWellColorBtn::buttonClassCGSWellColorBtn, ID_LINKS_ARTICLE, SEC_TBBS_NODISABLE, {ID_LINKS_ARTICLE, 0, MAKELONG(30, 0), 20, 0}},
    {&CGSWellColorBtn::buttonClassCGSWellColorBtn, ID_LINKS_INNER_ARTICLE, SEC_TBBS_NODISABLE,
     {ID_LINKS_INNER_ARTICLE, 0, MAKELONG(30, 0), 20, 0}},
    {nullptr, 0, 0, {}},
};

std::unique_ptr<CGSToolbarEditBtnData> Description(int id, int labels) {
  auto data = std::make_unique<CGSToolbarEditBtnData>();
  data->nID = id;
  data->nWidth = 255;
  data->bLabels = labels;
  return data;
}

// --- Plain rules ------------------------------------------------------------------------------------

TEST(ToolbarFieldRules, PositionTexts) {
  struct Case {
    int value;
    float scale;
    const char* text;
  } const cases[] = {
      {300, 1.0f, "2.00 cm"}, {150, 1.0f, "1.00 cm"}, {0, 1.0f, "0.00 cm"},
      {300, 0.5f, "1.00 cm"}, {1, 1.0f, "0.01 cm"},   {-150, 2.0f, "-2.00 cm"},
      {150000, 1.0f, "1000.00 cm"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(std::string(toolbar_field::PositionText(c.value, c.scale)), c.text) << c.value << " x " << c.scale;
  }
}

TEST(ToolbarFieldRules, RowsWithAndWithoutLabels) {
  const CRect client(0, 0, 255, 22);
  const toolbar_field::Layout with = toolbar_field::FieldLayout(client, 22, 16);
  EXPECT_EQ(with.labelX, CRect(2, 2, 18, 11));
  EXPECT_EQ(with.valueX, CRect(22, 2, 253, 11));
  EXPECT_EQ(with.labelY, CRect(2, 11, 18, 22));
  EXPECT_EQ(with.valueY, CRect(22, 11, 253, 22));
  const toolbar_field::Layout without = toolbar_field::FieldLayout(client, 22, 0);
  EXPECT_TRUE(without.labelX.IsRectEmpty());
  EXPECT_TRUE(without.labelY.IsRectEmpty());
  EXPECT_EQ(without.valueX, CRect(2, 2, 253, 11));
  EXPECT_EQ(without.valueY, CRect(2, 11, 253, 22));
  // A label wider than 16 pixels pushes its value right; a narrower one keeps the 16.
  EXPECT_EQ(toolbar_field::FieldLayout(client, 22, 19).valueY, CRect(25, 11, 253, 22));
  EXPECT_EQ(toolbar_field::FieldLayout(client, 22, 9).labelX, CRect(2, 2, 18, 11));
  // A font's blank space above its letters lifts the first row into the margin (at most 2).
  EXPECT_EQ(toolbar_field::FieldLayout(client, 22, 0, 3).valueX, CRect(2, 0, 253, 11));
  EXPECT_EQ(toolbar_field::FieldLayout(client, 22, 0, 1).valueX, CRect(2, 1, 253, 11));
  // A taller field (large buttons) splits at half its height.
  EXPECT_EQ(toolbar_field::FieldLayout(CRect(0, 0, 255, 30), 30, 16).valueY, CRect(22, 15, 253, 30));
}

TEST(ToolbarFieldRules, TheLastDescriptionOfACommandDecides) {
  CGSToolbarEditBtnDataCache& cache = CGSToolbarEditBtnDataCache::Instance();
  cache.RemoveAll();
  EXPECT_EQ(cache.FindLabels(ID_PICTURE_POSITION), 0);
  cache.Add(Description(int(ID_PICTURE_POSITION), 1));
  cache.Add(Description(4711, 0));
  EXPECT_EQ(cache.FindLabels(ID_PICTURE_POSITION), 1);
  cache.Add(Description(int(ID_PICTURE_POSITION), 0));
  EXPECT_EQ(cache.FindLabels(ID_PICTURE_POSITION), 0);
  cache.Add(nullptr);
  EXPECT_EQ(cache.GetSize(), 3);
  cache.RemoveAll();
}

// --- On customizable toolbars ---------------------------------------------------------------------

class ToolbarClassesTest : public ToolkitDockingTest {
 protected:
  void SetUp() override {
    ToolkitDockingTest::SetUp();
    resources::register_program_resources();
    CGSToolbarEditBtnDataCache::Instance().RemoveAll();
    // The main frame's font for its toolbar fields.
    ASSERT_TRUE(font.CreatePointFont(80, "Arial"));
    CGSToolbarEditBtn::SetFieldFont(static_cast<HFONT>(font.GetSafeHandle()));
    mdi->m_bAutoMenuEnable = FALSE;
    frame->MoveWindow(0, 0, 700, 420);
  }
  void TearDown() override {
    if (mdi && mdi->m_hWnd) mdi->SetControlBarManager(nullptr);
    manager.reset();
    CGSToolbarEditBtnDataCache::Instance().RemoveAll();
    CGSToolbarEditBtn::SetFieldFont(nullptr);
    ToolkitDockingTest::TearDown();
  }
  // The manager with "Formularz" docked at the top and a floating bar of colour wells.
  void make_bars(BOOL cool) {
    manager = std::make_unique<SECToolBarManager>(mdi);
    mdi->SetControlBarManager(manager.get());
    manager->LoadToolBarBitmaps(IDR_MAINFRAME, IDR_MAINFRAME);
    manager->SetButtonMap(kButtonMap);
    manager->DefineToolBar(kFormBar, cp("Formularz"), int(std::size(kForm)), kForm);
    manager->DefineToolBar(kColourBar, cp("Kolory odnośników: ąęłóśżźćń"), int(std::size(kColours)), kColours,
                           CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP, 0, FALSE, TRUE);
    manager->EnableCoolLook(cool);
    manager->LoadState("Toolbar classes");
    mdi->RecalcLayout();
    pump();
  }
  CGSToolbarEditBtn* field() {
    SECCustomToolBar* bar = manager->FindBarByID(kFormBar);
    if (!bar) return nullptr;
    return dynamic_cast<CGSToolbarEditBtn*>(bar->GetButton(bar->FindButtonByCommand(ID_PICTURE_POSITION)));
  }
  CGSWellColorBtn* well(UINT id) {
    SECCustomToolBar* bar = manager->FindBarByID(kColourBar);
    if (!bar) return nullptr;
    return dynamic_cast<CGSWellColorBtn*>(bar->GetButton(bar->FindButtonByCommand(id)));
  }
  // The frame's top strip and the floating bar, enlarged twice.
  void picture(const std::string& name) {
    const UINT all = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME;
    ::RedrawWindow(frame->m_hWnd, nullptr, nullptr, all);
    for (HWND h : frame->FloatingWindows()) ::RedrawWindow(h, nullptr, nullptr, all);
    pump();
    save_frame_picture(name + ".png");
    CRect area;
    frame->GetWindowRect(&area);
    const QImage image = DockingTest::picture({frame->m_hWnd}, area).copy(0, 0, 420, 90);
    EXPECT_TRUE(save(image.scaled(image.width() * 2, image.height() * 2), name + "_top.png"));
  }

  std::unique_ptr<SECToolBarManager> manager;
  CFont font;
};

TEST_F(ToolbarClassesTest, TheFieldShowsThePositionInCentimetres) {
  CGSToolbarEditBtnDataCache::Instance().Add(Description(int(ID_PICTURE_POSITION), 1));
  make_bars(TRUE);
  CGSToolbarEditBtn* f = field();
  ASSERT_NE(f, nullptr);
  ASSERT_NE(f->m_hWnd, nullptr);
  EXPECT_TRUE(f->HasLabels());
  EXPECT_TRUE(f->IsWindowVisible());
  f->SetPosition(300, 150, 1.0f);
  EXPECT_EQ(std::string(f->GetXText()), "2.00 cm");
  EXPECT_EQ(std::string(f->GetYText()), "1.00 cm");
  CString label;
  f->LabelX().GetWindowText(label);
  EXPECT_EQ(std::string(label), "X = ");
  // The labels are as wide as their text, so none is cut.
  {
    CClientDC dc(&f->LabelX());
    CFont* old = dc.SelectObject(&font);
    const int needed = dc.GetTextExtent("Y = ").cx;
    dc.SelectObject(old);
    CRect box, value;
    f->LabelY().GetClientRect(&box);
    EXPECT_GE(box.Width(), needed);
    f->ValueY().GetWindowRect(&value);
    f->ScreenToClient(&value);
    EXPECT_EQ(value.left, 2 + box.Width() + 4);
    EXPECT_EQ(value.right, f->m_cx - 2) << "the value fills the row";
  }

  // The window keeps the button's size whatever it is asked to take.
  f->SetWindowPos(nullptr, 0, 0, 40, 60, SWP_NOMOVE | SWP_NOZORDER);
  CRect r;
  f->CWnd::GetWindowRect(&r);
  EXPECT_EQ(r.Width(), f->m_cx);
  EXPECT_EQ(r.Height(), f->m_cy);
  EXPECT_EQ(f->m_cy, f->ImageHeight() + 7);

  // Text messages reach the X read-out with a nonzero wParam, the Y read-out otherwise.
  f->SendMessage(WM_SETTEXT, 1, reinterpret_cast<LPARAM>("3.00 cm"));
  f->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("4.00 cm"));
  EXPECT_EQ(std::string(f->GetXText()), "3.00 cm");
  EXPECT_EQ(std::string(f->GetYText()), "4.00 cm");
  char buffer[32] = {};
  f->SendMessage(WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  EXPECT_STREQ(buffer, "3.00 cm");

  // Disabling empties both values and greys the controls; enabling brings nothing back.
  f->SetPosition(300, 150, 1.0f);
  f->EnableFields(FALSE);
  EXPECT_EQ(std::string(f->GetXText()), "");
  EXPECT_EQ(std::string(f->GetYText()), "");
  EXPECT_FALSE(f->ValueX().IsWindowEnabled());
  EXPECT_FALSE(f->LabelY().IsWindowEnabled());
  f->EnableFields(TRUE);
  EXPECT_TRUE(f->ValueY().IsWindowEnabled());
  EXPECT_EQ(std::string(f->GetXText()), "");
  f->SetPosition(300, 150, 1.0f);
  picture("field_cool_labels");
  CRect fieldRect;
  f->CWnd::GetWindowRect(&fieldRect);
  const QImage zoom = DockingTest::picture({frame->m_hWnd}, fieldRect);
  EXPECT_TRUE(save(zoom.scaled(zoom.width() * 4, zoom.height() * 4), "field_zoom.png"));
  // Both lines are whole: the last pixel row of each line's letters is drawn (rows of the
  // field's picture, dark pixels counted), with a blank row between them.
  const auto dark_in_row = [&zoom](int y) {
    int n = 0;
    for (int x = 0; x < zoom.width(); ++x) n += qGray(zoom.pixel(x, y)) < 128;
    return n;
  };
  int last_dark = -1, gap = -1;
  for (int y = 0; y < zoom.height(); ++y) {
    if (dark_in_row(y) > 0) {
      if (last_dark >= 0 && y > last_dark + 1 && gap < 0) gap = y;
      last_dark = y;
    }
  }
  EXPECT_GE(gap, 8) << "the first line ends before the second starts";
  EXPECT_GT(dark_in_row(gap - 3), 10) << "the bottom of the first line is drawn";
  EXPECT_GE(last_dark, zoom.height() - 3) << "the second line reaches down to the field's bottom";
}

TEST_F(ToolbarClassesTest, AFieldWithoutADescriptionHasNoLabels) {
  CGSToolbarEditBtnDataCache::Instance().Add(Description(4711, 1));
  make_bars(FALSE);
  CGSToolbarEditBtn* f = field();
  ASSERT_NE(f, nullptr);
  EXPECT_FALSE(f->HasLabels());
  EXPECT_EQ(f->LabelX().m_hWnd, nullptr);
  CRect value;
  f->ValueX().GetWindowRect(&value);
  f->ScreenToClient(&value);
  EXPECT_EQ(value.left, 2);
  f->SetPosition(450, 75, 2.0f);
  EXPECT_EQ(std::string(f->GetXText()), "6.00 cm");
  EXPECT_EQ(std::string(f->GetYText()), "1.00 cm");
  picture("field_classic_plain");
}

TEST_F(ToolbarClassesTest, ANoticeOfAReadOutReachesTheBarAsTheFieldsCommand) {
  make_bars(TRUE);
  CGSToolbarEditBtn* f = field();
  ASSERT_NE(f, nullptr);
  // The bar passes commands to its owner, the frame; the field's command reaches it.
  struct Listener : public CWnd {
    std::vector<WPARAM> commands;
    BOOL OnCommand(WPARAM wParam, LPARAM) override {
      commands.push_back(wParam);
      return TRUE;
    }
  } listener;
  ASSERT_TRUE(listener.CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 10, 10), frame, 0x4321));
  f->SetParent(&listener);
  f->SendMessage(WM_COMMAND, MAKEWPARAM(2, 7), reinterpret_cast<LPARAM>(f->ValueX().m_hWnd));
  ASSERT_EQ(listener.commands.size(), 1u);
  EXPECT_EQ(LOWORD(listener.commands[0]), ID_PICTURE_POSITION);
  EXPECT_EQ(HIWORD(listener.commands[0]), 7);
  f->SetParent(manager->FindBarByID(kFormBar));
  listener.DestroyWindow();
}

TEST_F(ToolbarClassesTest, WellsStartRedAndOpenTheirColoursOnlyOutsideCustomizing) {
  make_bars(TRUE);
  CGSWellColorBtn* w = well(ID_LINKS_ARTICLE);
  ASSERT_NE(w, nullptr);
  ASSERT_NE(w->m_hWnd, nullptr);
  EXPECT_EQ(w->GetColor(), RGB(255, 0, 0));
  EXPECT_TRUE(w->IsWindowVisible());
  picture("wells_cool");

  SECCustomToolBar* bar = manager->FindBarByID(kColourBar);
  manager->SetBarsCustomizeMode(TRUE);
  ASSERT_TRUE(w->IsBarCustomizing());
  click(w->m_hWnd, {10, 8});
  pump();
  EXPECT_FALSE(w->GetPopup().IsPoppedUp()) << "no colours while customizing";
  EXPECT_EQ(bar->GetSelectedIndex(), bar->FindButtonByCommand(ID_LINKS_ARTICLE)) << "the press selected the button";
  manager->SetBarsCustomizeMode(FALSE);
  pump();

  click(w->m_hWnd, {10, 8});
  pump();
  EXPECT_TRUE(w->GetPopup().IsPoppedUp());
  picture("wells_popup");
  w->GetPopup().DestroyWindow();
  pump();
}

TEST_F(ToolbarClassesTest, ClassicLookOfBothBars) {
  CGSToolbarEditBtnDataCache::Instance().Add(Description(int(ID_PICTURE_POSITION), 1));
  make_bars(FALSE);
  ASSERT_NE(field(), nullptr);
  field()->SetPosition(1234, 567, 1.0f);
  well(ID_LINKS_POSITION)->SetColor(RGB(0, 128, 0));
  pump();
  picture("bars_classic");
  // The read-outs' text is drawn: dark pixels inside the X value's rectangle.
  const QImage surface = win::window_surface(field()->ValueX().m_hWnd, true);
  int dark = 0;
  for (int y = 0; y < surface.height(); ++y) {
    for (int x = 0; x < surface.width(); ++x) dark += qGray(surface.pixel(x, y)) < 100;
  }
  EXPECT_GT(dark, 10);
}

// --- A framework toolbar on a dialog ---------------------------------------------------------------

constexpr UINT IDD_BAR_DIALOG = 0x7F31;
constexpr UINT kHistoryStrip = 130;

class BarDialog : public CDialog {
 public:
  CGSToolBar bar;
  BOOL bOpenEnabled = FALSE;
  BOOL bInfoChecked = TRUE;
  int updates = 0;

 protected:
  afx_msg void OnUpdateOpen(CCmdUI* pCmdUI) {
    ++updates;
    pCmdUI->Enable(bOpenEnabled);
  }
  afx_msg void OnUpdateInfo(CCmdUI* pCmdUI) { pCmdUI->SetCheck(bInfoChecked); }
  afx_msg void OnLocate() {}
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BarDialog, CDialog)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_OPEN, &BarDialog::OnUpdateOpen)
  ON_UPDATE_COMMAND_UI(ID_ENTRY_INFORMATION, &BarDialog::OnUpdateInfo)
  ON_COMMAND(ID_ENTRY_LOCATE_IN_LIBRARY, &BarDialog::OnLocate)
END_MESSAGE_MAP()

class DialogToolBarTest : public ToolkitDockingTest {
 protected:
  void SetUp() override {
    ToolkitDockingTest::SetUp();
    resources::register_program_resources();
    static const bool registered = [] {
      static const res::DialogControlResource controls[] = {
          {0xFFFF, "Static", "Historia przeglądanych aktów: źdźbło", {7, 20, 200, 30}, 0, 0},
      };
      res::add_dialog({IDD_BAR_DIALOG, "Historia", {0, 0, 210, 40}, WS_POPUP | WS_CAPTION, 0, nullptr, 8, controls});
      return true;
    }();
    (void)registered;
    ASSERT_TRUE(dialog.Create(IDD_BAR_DIALOG, frame));
    ASSERT_TRUE(dialog.bar.CreateEx(&dialog, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS));
    ASSERT_TRUE(dialog.bar.LoadToolBar(kHistoryStrip));
    dialog.bar.SetSizes(CSize(21, 20), CSize(14, 14));
    const CSize size = dialog.bar.CalcFixedLayout(FALSE, TRUE);
    dialog.bar.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    dialog.ShowWindow(SW_SHOWNA);
    pump();
  }
  void TearDown() override {
    dialog.DestroyWindow();
    ToolkitDockingTest::TearDown();
  }
  UINT style_of(UINT id) { return dialog.bar.GetButtonStyle(dialog.bar.CommandToIndex(id)); }

  BarDialog dialog;
};

TEST_F(DialogToolBarTest, TheDialogsHandlersUpdateTheBar) {
  EXPECT_GT(dialog.updates, 0) << "the idle pass of the message loop reached the bar";
  dialog.bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
  EXPECT_GT(dialog.updates, 0);
  EXPECT_TRUE(style_of(ID_ENTRY_OPEN) & TBBS_DISABLED);
  EXPECT_TRUE(style_of(ID_ENTRY_INFORMATION) & TBBS_CHECKED);
  EXPECT_FALSE(style_of(ID_ENTRY_LOCATE_IN_LIBRARY) & TBBS_DISABLED) << "a command handler keeps it enabled";
  EXPECT_TRUE(style_of(ID_ENTRY_ADD_BOOKMARK) & TBBS_DISABLED) << "no handler, disabled on the flag";

  dialog.bOpenEnabled = TRUE;
  dialog.bInfoChecked = FALSE;
  dialog.bar.SendMessage(WM_IDLEUPDATECMDUI, FALSE, 0);
  EXPECT_FALSE(style_of(ID_ENTRY_OPEN) & TBBS_DISABLED);
  EXPECT_FALSE(style_of(ID_ENTRY_INFORMATION) & TBBS_CHECKED);

  ::RedrawWindow(dialog.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  CRect area;
  dialog.GetWindowRect(&area);
  const QImage image = DockingTest::picture({dialog.m_hWnd}, area);
  EXPECT_TRUE(save(image.scaled(image.width() * 3, image.height() * 3), "dialog_toolbar.png"));
}

TEST_F(DialogToolBarTest, TheBarIsNoneOfTheFramesControlBars) {
  for (CControlBar* b : frame->m_listControlBars) EXPECT_NE(b, &dialog.bar);
  EXPECT_EQ(dialog.bar.GetDockingFrame(), nullptr);
  // A framework toolbar right in the frame stays the frame's.
  CGSToolBar own;
  ASSERT_TRUE(own.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(0, 0, 0, 0), 0xE830));
  EXPECT_EQ(own.GetDockingFrame(), frame);
  EXPECT_EQ(frame->GetControlBar(0xE830), &own);
  own.DestroyWindow();
}

TEST_F(DialogToolBarTest, AHiddenBarIsNotUpdated) {
  dialog.bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
  ASSERT_TRUE(style_of(ID_ENTRY_OPEN) & TBBS_DISABLED);
  dialog.bar.ShowWindow(SW_HIDE);
  dialog.updates = 0;
  dialog.bOpenEnabled = TRUE;
  dialog.bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
  EXPECT_EQ(dialog.updates, 0);
  EXPECT_TRUE(style_of(ID_ENTRY_OPEN) & TBBS_DISABLED);
}

// --- The customize sheet ----------------------------------------------------------------------------

TEST(CustomizeSheetRules, OkTakesTheLastButtonsPlaceAndTheShortcutButtonTheLeft) {
  const CRect ok(100, 200, 175, 223), help(346, 200, 421, 223);
  EXPECT_EQ(customize_sheet::OkButtonPlace(ok, help), CRect(346, 200, 421, 223));
  EXPECT_EQ(customize_sheet::OkButtonPlace(CRect(0, 0, 60, 20), help), CRect(361, 200, 421, 220));
  EXPECT_EQ(customize_sheet::KeysButtonPlace(help, 428, 90), CRect(7, 200, 97, 223));
  EXPECT_EQ(customize_sheet::KeysButtonPlace(CRect(0, 5, 500, 28), 428, 90), CRect(0, 5, 90, 28));
}

constexpr UINT IDD_SHEET_PAGE = 0x7F32;

class CustomizeSheetTest : public ToolkitDockingTest {
 protected:
  void SetUp() override {
    ToolkitDockingTest::SetUp();
    resources::register_program_resources();
    static const bool registered = [] {
      static const res::DialogControlResource controls[] = {
          {0xFFFF, "Static", "Przeciągnij przycisk na pasek narzędzi: źdźbło", {7, 7, 200, 17}, 0, 0},
      };
      res::add_dialog({IDD_SHEET_PAGE, "Polecenia", {0, 0, 220, 80}, WS_CHILD, 0, nullptr, 8, controls});
      return true;
    }();
    (void)registered;
    folder = base::temp_folder() + "/toolbar_sheet_" + std::to_string(::getpid());
    std::filesystem::create_directories(folder);
    base::set_data_folder(folder);
    app->m_pMainWnd = mdi;
    const ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'N', WORD(ID_FILE_NEW)}};
    mdi->m_hAccelTable = CreateAcceleratorTable(keys, 1);
  }
  void TearDown() override {
    win::set_message_observer(nullptr);
    base::set_data_folder("");
    std::filesystem::remove_all(folder);
    ToolkitDockingTest::TearDown();
  }
  std::vector<ACCEL> frame_keys() {
    std::vector<ACCEL> out(size_t(CopyAcceleratorTable(mdi->m_hAccelTable, nullptr, 0)));
    CopyAcceleratorTable(mdi->m_hAccelTable, out.data(), int(out.size()));
    return out;
  }

  std::string folder;
};

TEST_F(CustomizeSheetTest, ASingleOkButtonAndTheShortcutDialogBehindTheLeftButton) {
  CGSPropertyPage page(IDD_SHEET_PAGE, 0);
  CGSToolBarSheet sheet(0, mdi);
  sheet.SetTitle(cp("Dostosuj paski narzędzi"));
  sheet.m_psh.dwFlags |= PSH_HASHELP;
  sheet.AddPage(&page);
  ASSERT_TRUE(sheet.Create(mdi));
  sheet.ShowWindow(SW_SHOW);
  pump();
  CRect client;
  sheet.GetClientRect(&client);
  const auto rect_of = [&sheet](int id) {
    CRect r;
    sheet.GetDlgItem(id)->GetWindowRect(&r);
    sheet.ScreenToClient(&r);
    return r;
  };
  for (int id : {IDHELP, int(ID_APPLY_NOW), int(IDCANCEL)}) {
    ASSERT_NE(sheet.GetDlgItem(id), nullptr) << id;
    EXPECT_FALSE(sheet.GetDlgItem(id)->IsWindowVisible()) << id;
  }
  EXPECT_TRUE(sheet.GetDlgItem(IDOK)->IsWindowVisible());
  EXPECT_EQ(rect_of(IDOK), rect_of(IDHELP)) << "OK stands where Help stood";
  CButton& keys = sheet.GetKeysButton();
  ASSERT_NE(keys.m_hWnd, nullptr);
  CRect keys_rect;
  keys.GetWindowRect(&keys_rect);
  sheet.ScreenToClient(&keys_rect);
  EXPECT_EQ(keys_rect.top, rect_of(IDOK).top);
  EXPECT_EQ(keys_rect.left, client.right - rect_of(IDOK).right);
  CString caption;
  keys.GetWindowText(caption);
  EXPECT_EQ(std::string(caption), "&Klawiatura...");
  ::RedrawWindow(sheet.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  CRect area;
  sheet.GetWindowRect(&area);
  const QImage image = DockingTest::picture({sheet.m_hWnd}, area);
  EXPECT_TRUE(save(image.scaled(image.width() * 2, image.height() * 2), "customize_sheet.png"));

  // The shortcut button opens the dialog; Ctrl+J given to "Plik:Nowy" there is installed in the
  // frame and saved.
  constexpr UINT kScript = WM_APP + 0x61;
  int dialogs = 0;
  win::set_message_observer([&](HWND h, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG && ::GetDlgItem(h, resources::IDC_KEY_HOTKEY)) ::PostMessage(h, kScript, 0, 0);
    if (message != kScript) return;
    ++dialogs;
    CWnd* dialog = CWnd::FromHandle(h);
    const auto notify = [dialog](int id, WORD code) {
      dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(dialog->GetDlgItem(id)->m_hWnd));
    };
    auto* categories = static_cast<CListBox*>(dialog->GetDlgItem(resources::IDC_KEY_CATEGORIES));
    EXPECT_GT(categories->GetCount(), 0) << "the frame's commands are listed";
    categories->SetCurSel(0);
    notify(resources::IDC_KEY_CATEGORIES, LBN_SELCHANGE);
    auto* commands = static_cast<CListBox*>(dialog->GetDlgItem(resources::IDC_KEY_COMMANDS));
    commands->SetCurSel(0);
    notify(resources::IDC_KEY_COMMANDS, LBN_SELCHANGE);
    static_cast<CHotKeyCtrl*>(dialog->GetDlgItem(resources::IDC_KEY_HOTKEY))->SetHotKey('J', HOTKEYF_CONTROL);
    notify(resources::IDC_KEY_HOTKEY, EN_CHANGE);
    notify(resources::IDC_KEY_ASSIGN, BN_CLICKED);
    notify(IDOK, BN_CLICKED);
  });
  sheet.SendMessage(WM_COMMAND, MAKEWPARAM(0x3040, BN_CLICKED), reinterpret_cast<LPARAM>(keys.m_hWnd));
  pump();
  win::set_message_observer(nullptr);
  EXPECT_EQ(dialogs, 1);
  bool bound = false;
  for (const ACCEL& a : frame_keys()) bound = bound || (a.key == 'J' && (a.fVirt & FCONTROL));
  EXPECT_TRUE(bound) << "Ctrl+J is one of the frame's keys";
  SECKeyBindingTable saved;
  CString file;
  saved.GetFileName(file, true);
  EXPECT_TRUE(std::filesystem::exists(std::string(file))) << std::string(file);
  sheet.DestroyWindow();
}

}  // namespace
}  // namespace lumo::test
