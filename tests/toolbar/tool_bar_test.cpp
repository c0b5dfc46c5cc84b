// The toolbar in a frame: loading a strip and its bitmap from the resources, button rectangles
// docked along the top, docked at a side and floating, clicks that send commands to the frame,
// check and group buttons, buttons disabled and checked by update-UI on idle, tips and fly-by
// prompts in the status bar, and what the bar looks like.
#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include "platform/framework/mdi.h"
#include "platform/framework/status_bar.h"
#include "platform/framework/tip_window.h"
#include "platform/framework/tool_bar.h"
#include "platform/res/resource_store.h"
#include "platform/win/cmd_ui.h"
#include "resources/program_resources.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

constexpr UINT IDR_TEST_STRIP = 9300;
constexpr UINT IDR_TEST_NO_BITMAP = 9301;
constexpr UINT IDR_TEST_BAD_BITMAP = 9302;
constexpr UINT ID_TB_PRINT = 34001;   // a command of the frame
constexpr UINT ID_TB_BOLD = 34002;    // a check button
constexpr UINT ID_TB_LEFT = 34003;    // a group of three
constexpr UINT ID_TB_CENTER = 34004;
constexpr UINT ID_TB_RIGHT = 34005;
constexpr UINT ID_TB_OFF = 34006;     // has a handler, which update-UI disables
constexpr UINT ID_TB_MARK = 34007;    // update-UI checks it
constexpr UINT ID_TB_NONE = 34008;    // no handler anywhere
constexpr UINT ID_TB_CLOSE = 34009;   // its handler destroys the bar

constexpr UINT kStrip[] = {ID_TB_PRINT, 0, ID_TB_BOLD, ID_TB_LEFT, ID_TB_CENTER, ID_TB_RIGHT, 0,
                           ID_TB_OFF,   ID_TB_MARK, ID_TB_NONE, ID_TB_CLOSE};
constexpr int kPrint = 0, kBold = 2, kLeft = 3, kCenter = 4, kRight = 5, kOff = 7, kMark = 8, kNone = 9, kClose = 10;

// A 14 by 14 picture: a black frame, a shadow diagonal, a white dot, face elsewhere.
constexpr const char* kPicture[] = {
    "##############", "#            #", "# -          #", "#  -    ..   #", "#   -   ..   #",
    "#    -       #", "#     -      #", "#      -     #", "#       -    #", "#  ##    -   #",
    "#  ##     -  #", "#           -#", "#            #", "##############",
};

void register_strip() {
  static bool done = [] {
    static const res::StringResource strings[] = {
        {ID_TB_PRINT, "Drukuje dokument\nDrukuj"},
        {ID_TB_BOLD, "Pogrubia tekst\nPogrubienie"},
        {ID_TB_OFF, "Nieczynne\nWyłączone"},
        {AFX_IDS_IDLEMESSAGE, "Gotowy"},
    };
    res::add_strings(strings);
    static std::vector<resources::ButtonImage> images;
    for (UINT id : kStrip) {
      if (id != 0) images.push_back({id, kPicture});
    }
    static const std::vector<uint8_t> bitmap = resources::pack_button_images(images, 14, 14);
    res::add_toolbar({IDR_TEST_STRIP, 14, 14, kStrip});
    res::add_binary({res::BinaryKind::bitmap, IDR_TEST_STRIP, nullptr, bitmap});
    res::add_toolbar({IDR_TEST_NO_BITMAP, 14, 14, kStrip});
    // A header that claims more rows than the bytes hold.
    static std::vector<uint8_t> cut(bitmap.begin(), bitmap.begin() + 80);
    res::add_toolbar({IDR_TEST_BAD_BITMAP, 14, 14, kStrip});
    res::add_binary({res::BinaryKind::bitmap, IDR_TEST_BAD_BITMAP, nullptr, cut});
    return true;
  }();
  (void)done;
}

class ToolFrame : public CMDIFrameWnd {
 public:
  int prints = 0, bolds = 0, offs = 0;
  UINT aligned = 0;
  BOOL off_enabled = FALSE;
  int mark = 1;
  CToolBar* closing = nullptr;

 protected:
  afx_msg void OnPrint() { ++prints; }
  afx_msg void OnBold() { ++bolds; }
  afx_msg void OnAlign(UINT id) { aligned = id; }
  afx_msg void OnOff() { ++offs; }
  afx_msg void OnUpdateOff(CCmdUI* ui) { ui->Enable(off_enabled); }
  afx_msg void OnMark() {}
  afx_msg void OnUpdateMark(CCmdUI* ui) { ui->SetCheck(mark); }
  afx_msg void OnClose() {
    if (closing) closing->DestroyWindow();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ToolFrame, CMDIFrameWnd)
  ON_COMMAND(ID_TB_PRINT, &ToolFrame::OnPrint)
  ON_COMMAND(ID_TB_BOLD, &ToolFrame::OnBold)
  ON_COMMAND_RANGE(ID_TB_LEFT, ID_TB_RIGHT, &ToolFrame::OnAlign)
  ON_COMMAND(ID_TB_OFF, &ToolFrame::OnOff)
  ON_UPDATE_COMMAND_UI(ID_TB_OFF, &ToolFrame::OnUpdateOff)
  ON_COMMAND(ID_TB_MARK, &ToolFrame::OnMark)
  ON_UPDATE_COMMAND_UI(ID_TB_MARK, &ToolFrame::OnUpdateMark)
  ON_COMMAND(ID_TB_CLOSE, &ToolFrame::OnClose)
END_MESSAGE_MAP()

// Reaches the bar's tool-tip control.
class TestToolBar : public CToolBar {
 public:
  CToolTipCtrl* tips() const { return m_pToolTip.get(); }
};

class ToolBarTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    register_strip();
    frame = std::make_unique<ToolFrame>().release();  // ends itself with its window
    ASSERT_TRUE(frame->LoadFrame(IDR_TEST_MAIN));
    frame->MoveWindow(0, 0, 640, 400);
    frame->ShowWindow(SW_SHOW);
    app->m_pMainWnd = frame;
    ASSERT_TRUE(status.Create(frame));
    const UINT panes[] = {ID_SEPARATOR};
    status.SetIndicators(panes, 1);
    ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT,
                             WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_GRIPPER));
    ASSERT_TRUE(bar.LoadToolBar(IDR_TEST_STRIP));
    bar.SetButtonStyle(kBold, TBBS_CHECKBOX);
    for (int i : {kLeft, kCenter, kRight}) bar.SetButtonStyle(i, TBBS_CHECKGROUP);
    frame->RecalcLayout();
    pump();
  }
  void TearDown() override {
    if (bar.m_hWnd) bar.DestroyWindow();
    FrameworkTest::TearDown();
  }

  CRect item(int index) const {
    CRect rect;
    bar.GetItemRect(index, &rect);
    return rect;
  }
  void click_item(int index) {
    click(bar.m_hWnd, item(index).CenterPoint());
    pump();
  }
  std::string prompt() const { return utf8(status.GetPaneText(0)); }
  // Moves the mouse onto a button and lets the tip's wait end.
  std::string tip_over(int index) {
    mouse_move(screen_point(bar.m_hWnd, item(index).CenterPoint()));
    pump();
    if (!bar.tips() || !bar.tips()->GetTipWnd()) return "<no tip>";
    ::SendMessage(bar.tips()->GetTipWnd(), WM_TIMER, framework::TipWindow::kShowTimer, 0);
    if (!bar.tips()->IsTipShown()) return "<hidden>";
    char text[100] = {};
    ::GetWindowText(bar.tips()->GetTipWnd(), text, sizeof text);
    return utf8(CString(text));
  }
  // The mouse leaves the bar (over the frame's client area) and the bar notices on its next look
  // at where the mouse is (every 100 ms).
  void leave_bar() {
    CRect client;
    frame->GetClientRect(&client);
    mouse_move(screen_point(frame->m_hWnd, CPoint(client.Width() / 2, client.Height() / 2)));
    pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    pump();
  }

  ToolFrame* frame = nullptr;
  CStatusBar status;
  TestToolBar bar;
};

TEST_F(ToolBarTest, LoadsTheStripItsSizesAndItsImages) {
  ASSERT_EQ(bar.GetCount(), int(std::size(kStrip)));
  for (int i = 0; i < bar.GetCount(); ++i) EXPECT_EQ(bar.GetItemID(i), kStrip[i]) << i;
  UINT id, style;
  int image;
  bar.GetButtonInfo(1, id, style, image);
  EXPECT_EQ(style, TBBS_SEPARATOR);
  bar.GetButtonInfo(kBold, id, style, image);
  EXPECT_EQ(image, 1);  // separators take no image
  EXPECT_EQ(bar.CommandToIndex(ID_TB_MARK), kMark);
  EXPECT_EQ(bar.CommandToIndex(4711), -1);
  // Buttons are the images and 7 pixels.
  EXPECT_EQ(item(kPrint).Size(), CSize(21, 21));
  EXPECT_EQ(item(1).Width(), framework::toolbar::kSeparatorWidth);
  // A strip without its bitmap or with a cut one, or no strip, changes nothing.
  CToolBar other;
  ASSERT_TRUE(other.Create(frame));
  EXPECT_FALSE(other.LoadToolBar(IDR_TEST_NO_BITMAP));
  EXPECT_FALSE(other.LoadToolBar(IDR_TEST_BAD_BITMAP));
  EXPECT_FALSE(other.LoadToolBar(4711));
  EXPECT_EQ(other.GetCount(), 0);
  EXPECT_FALSE(other.LoadBitmap(4711));
  other.DestroyWindow();
}

TEST_F(ToolBarTest, TheProgramsTabStripsLoadWithAnImageForEveryButton) {
  resources::register_program_resources();
  for (const res::ToolBarResource& strip : resources::tab_toolbars()) {
    CToolBar tools;
    ASSERT_TRUE(tools.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0),
                               AFX_IDW_TOOLBAR + 6));
    ASSERT_TRUE(tools.LoadToolBar(strip.id)) << strip.id;
    ASSERT_EQ(tools.GetCount(), int(strip.commands.size()));
    tools.SetSizes(CSize(21, 20), CSize(14, 14));
    frame->RecalcLayout();
    tools.UpdateWindow();
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int i = 0; i < tools.GetCount(); ++i) {
      if (tools.GetItemID(i) == ID_SEPARATOR) continue;
      CRect rect;
      tools.GetItemRect(i, &rect);
      int drawn = 0;
      for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) drawn += surface_pixel(tools.m_hWnd, x, y) != face;
      }
      EXPECT_GT(drawn, 10) << strip.id << " button " << i;
    }
    tools.DestroyWindow();
  }
}

TEST_F(ToolBarTest, ButtonRectanglesDockedAlongTheTop) {
  // CreateEx's borders are 0; the grip takes 7 pixels at the left.
  EXPECT_EQ(item(kPrint), CRect(7, 0, 28, 21));
  EXPECT_EQ(item(1), CRect(28, 0, 36, 21));
  EXPECT_EQ(item(kBold), CRect(36, 0, 57, 21));
  // The sizes the navigator tabs use: buttons 21 by 20 and a bar 21 high.
  bar.SetSizes(CSize(21, 20), CSize(14, 14));
  bar.SetHeight(21);
  frame->RecalcLayout();
  CRect placed;
  bar.GetWindowRect(&placed);
  // CBRS_TOP draws a border line pair at the bottom; the button is never cut.
  EXPECT_EQ(placed.Height(), 22);
  EXPECT_EQ(item(kPrint), CRect(7, 0, 28, 20));
  EXPECT_EQ(bar.CalcFixedLayout(FALSE, TRUE), CSize(7 + 9 * 21 + 2 * 8, 22));
  EXPECT_EQ(bar.CalcFixedLayout(TRUE, TRUE).cx, 32767);
  // Sizes that do not hold the image are refused.
  bar.SetSizes(CSize(10, 10), CSize(14, 14));
  EXPECT_EQ(item(kPrint).Size(), CSize(21, 20));
}

TEST_F(ToolBarTest, ButtonRectanglesDockedAtASideAndFloating) {
  frame->EnableDocking(CBRS_ALIGN_ANY);
  bar.EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
  frame->RecalcLayout();
  pump();
  // One button a row below the grip; separators lie across.
  EXPECT_EQ(item(kPrint), CRect(0, 7, 21, 28));
  EXPECT_EQ(item(1), CRect(0, 28, 21, 36));
  EXPECT_EQ(item(kBold), CRect(0, 36, 21, 57));
  CRect placed;
  bar.GetWindowRect(&placed);
  EXPECT_EQ(placed.Size(), bar.CalcFixedLayout(FALSE, FALSE));

  frame->FloatControlBar(&bar, CPoint(100, 100), CBRS_ALIGN_TOP);
  pump();
  ASSERT_TRUE(bar.IsFloating());
  // Floating rows as wide as asked: 4 buttons and the separator in 100 pixels.
  CSize size = bar.CalcDynamicLayout(100, LM_HORZ | LM_COMMIT);
  // Rows of 92 and 84 pixels, and the last button; the bottom border line pair below.
  for (int i : {kCenter, kNone}) EXPECT_NE(bar.GetButtonStyle(i) & TBBS_WRAPPED, 0u) << i;
  for (int i : {1, kLeft, 6}) EXPECT_EQ(bar.GetButtonStyle(i) & TBBS_WRAPPED, 0u) << i;
  EXPECT_EQ(size, CSize(92, 3 * 21 + 2));
  EXPECT_EQ(bar.m_nMRUWidth, 92);
  EXPECT_EQ(bar.CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH), size);
  EXPECT_EQ(item(kRight).TopLeft(), CPoint(0, 21));
  EXPECT_EQ(item(kClose).TopLeft(), CPoint(0, 42));
  // As narrow as a height of two rows allows; a pixel narrower takes a third row.
  CSize two_rows = bar.CalcDynamicLayout(2 * 21 + 2, LM_HORZ | LM_LENGTHY);
  EXPECT_EQ(two_rows.cy, 2 * 21 + 2);
  EXPECT_GT(bar.CalcDynamicLayout(int(two_rows.cx) - 1, LM_HORZ).cy, two_rows.cy);
  // Queries leave the committed rows alone.
  EXPECT_EQ(item(kRight).TopLeft(), CPoint(0, 21));
}

TEST_F(ToolBarTest, ClickSendsTheCommandToTheFrame) {
  click_item(kPrint);
  EXPECT_EQ(frame->prints, 1);
  // Released away from the button: no command, the button is up again.
  mouse_down(screen_point(bar.m_hWnd, item(kPrint).CenterPoint()));
  pump();
  EXPECT_NE(bar.GetButtonStyle(kPrint) & TBBS_PRESSED, 0u);
  EXPECT_EQ(::GetCapture(), bar.m_hWnd);
  mouse_move(screen_point(bar.m_hWnd, item(kMark).CenterPoint()));
  pump();
  EXPECT_EQ(bar.GetButtonStyle(kPrint) & TBBS_PRESSED, 0u);
  mouse_up(screen_point(bar.m_hWnd, item(kMark).CenterPoint()));
  pump();
  EXPECT_EQ(frame->prints, 1);
  EXPECT_EQ(::GetCapture(), nullptr);
  // A disabled button does nothing.
  ASSERT_NE(bar.GetButtonStyle(kOff) & TBBS_DISABLED, 0u);
  click_item(kOff);
  EXPECT_EQ(frame->offs, 0);
  EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(ToolBarTest, CheckAndGroupButtons) {
  click_item(kBold);
  EXPECT_EQ(frame->bolds, 1);
  EXPECT_NE(bar.GetButtonStyle(kBold) & TBBS_CHECKED, 0u);
  click_item(kBold);
  EXPECT_EQ(bar.GetButtonStyle(kBold) & TBBS_CHECKED, 0u);

  auto checked = [&] {
    std::vector<int> out;
    for (int i : {kLeft, kCenter, kRight}) {
      if (bar.GetButtonStyle(i) & TBBS_CHECKED) out.push_back(i);
    }
    return out;
  };
  click_item(kLeft);
  EXPECT_EQ(checked(), std::vector<int>{kLeft});
  click_item(kRight);
  EXPECT_EQ(checked(), std::vector<int>{kRight});
  EXPECT_EQ(frame->aligned, ID_TB_RIGHT);
  // The checked button of a group stays checked.
  click_item(kRight);
  EXPECT_EQ(checked(), std::vector<int>{kRight});
}

TEST_F(ToolBarTest, UpdateUiOnIdleDisablesAndChecksButtons) {
  EXPECT_NE(bar.GetButtonStyle(kOff) & TBBS_DISABLED, 0u);
  EXPECT_NE(bar.GetButtonStyle(kNone) & TBBS_DISABLED, 0u);
  EXPECT_EQ(bar.GetButtonStyle(kPrint) & TBBS_DISABLED, 0u);
  EXPECT_EQ(bar.GetButtonStyle(kMark) & (TBBS_CHECKED | TBBS_CHECKBOX), TBBS_CHECKED | TBBS_CHECKBOX);
  frame->off_enabled = TRUE;
  frame->mark = 2;
  pump();
  EXPECT_EQ(bar.GetButtonStyle(kOff) & TBBS_DISABLED, 0u);
  EXPECT_EQ(bar.GetButtonStyle(kMark) & (TBBS_CHECKED | TBBS_INDETERMINATE), TBBS_INDETERMINATE);
  click_item(kOff);
  EXPECT_EQ(frame->offs, 1);
  // Disabled while held down: the button lets go, and the release runs nothing.
  mouse_down(screen_point(bar.m_hWnd, item(kOff).CenterPoint()));
  pump();
  ASSERT_EQ(::GetCapture(), bar.m_hWnd);
  frame->off_enabled = FALSE;
  pump();
  EXPECT_EQ(bar.GetButtonStyle(kOff) & (TBBS_PRESSED | TBBS_DISABLED), TBBS_DISABLED);
  EXPECT_EQ(::GetCapture(), nullptr);
  mouse_up(screen_point(bar.m_hWnd, item(kOff).CenterPoint()));
  pump();
  EXPECT_EQ(frame->offs, 1);
}

TEST_F(ToolBarTest, EachButtonIsAToolWithItsRectangle) {
  TOOLINFO info;
  EXPECT_EQ(bar.OnToolHitTest(item(kMark).CenterPoint(), &info), INT_PTR(ID_TB_MARK));
  EXPECT_EQ(info.hwnd, bar.m_hWnd);
  EXPECT_EQ(info.uId, ID_TB_MARK);
  EXPECT_EQ(CRect(info.rect), item(kMark));
  EXPECT_EQ(info.lpszText, LPSTR_TEXTCALLBACK);
  // Separators and the bar's empty end are no tools (a press there drags the bar).
  EXPECT_EQ(bar.OnToolHitTest(item(1).CenterPoint(), nullptr), -1);
  EXPECT_EQ(bar.OnToolHitTest(CPoint(600, 5), nullptr), -1);
  // Buttons are hit whatever the bar style says about tips.
  bar.SetBarStyle(bar.GetBarStyle() & ~CBRS_TOOLTIPS);
  EXPECT_EQ(bar.OnToolHitTest(item(kPrint).CenterPoint(), nullptr), INT_PTR(ID_TB_PRINT));
}

TEST_F(ToolBarTest, TipsAndFlyByPrompts) {
  EXPECT_EQ(tip_over(kPrint), "Drukuj");
  EXPECT_EQ(prompt(), "Drukuje dokument");
  EXPECT_EQ(tip_over(kOff), "Wyłączone");  // disabled buttons have tips too
  EXPECT_EQ(prompt(), "Nieczynne");
  // A button whose string has no tip part shows none.
  EXPECT_EQ(tip_over(kNone), "<hidden>");
  leave_bar();
  EXPECT_EQ(prompt(), "Gotowy");
  EXPECT_FALSE(bar.tips()->IsTipShown());
  // Without the bar styles there are neither.
  bar.SetBarStyle(bar.GetBarStyle() & ~(CBRS_TOOLTIPS | CBRS_FLYBY));
  status.SetPaneText(0, "");
  mouse_move(screen_point(bar.m_hWnd, item(kPrint).CenterPoint()));
  pump();
  EXPECT_EQ(prompt(), "");
}

// An owner that answers the tip requests itself, as dialog tabs do.
class AnsweringOwner : public CWnd {
 public:
  std::vector<UINT_PTR> asked;
  afx_msg BOOL OnNeedText(UINT, NMHDR* header, LRESULT*) {
    auto* info = reinterpret_cast<TOOLTIPTEXT*>(header);
    asked.push_back(header->idFrom);
    std::strcpy(info->szText, cp("Od właściciela").GetString());
    return TRUE;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(AnsweringOwner, CWnd)
  ON_NOTIFY_EX(TTN_NEEDTEXT, ID_TB_PRINT, &AnsweringOwner::OnNeedText)
END_MESSAGE_MAP()

TEST_F(ToolBarTest, TheOwnerMayAnswerForTheTip) {
  AnsweringOwner owner;
  ASSERT_TRUE(owner.CreateEx(0, nullptr, "Okno", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  bar.SetOwner(&owner);
  EXPECT_EQ(tip_over(kPrint), "Od właściciela");
  EXPECT_EQ(owner.asked, std::vector<UINT_PTR>{ID_TB_PRINT});
  // What the owner leaves unanswered falls back to the string.
  EXPECT_EQ(tip_over(kBold), "Pogrubienie");
  bar.SetOwner(frame);
  owner.DestroyWindow();
}

TEST_F(ToolBarTest, ACommandThatEndsTheBarEndsNothingElse) {
  auto owned = std::make_unique<TestToolBar>();
  ASSERT_TRUE(owned->CreateEx(frame, 0, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR + 5));
  ASSERT_TRUE(owned->LoadToolBar(IDR_TEST_STRIP));
  owned->m_bAutoDelete = TRUE;
  frame->RecalcLayout();
  pump();
  CToolBar* bottom = owned.release();  // ends itself with its window
  frame->closing = bottom;
  CRect rect;
  bottom->GetItemRect(kClose, &rect);
  HWND h = bottom->m_hWnd;
  click(h, rect.CenterPoint());
  pump();
  EXPECT_FALSE(::IsWindow(h));
  EXPECT_EQ(frame->GetControlBar(AFX_IDW_TOOLBAR + 5), nullptr);
}

TEST_F(ToolBarTest, Looks) {
  // Checked, pressed, hot and disabled buttons on a flat bar, and a raised 3-D bar below.
  bar.SetButtonStyle(kBold, TBBS_CHECKBOX | TBBS_CHECKED);
  CToolBar raised;
  ASSERT_TRUE(raised.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 2));
  ASSERT_TRUE(raised.LoadToolBar(IDR_TEST_STRIP));
  raised.SetButtonStyle(kLeft, TBBS_CHECKGROUP | TBBS_CHECKED);
  frame->RecalcLayout();
  pump();
  // The pointer goes over the button once the bars have their places: a bar that moves away from
  // under the pointer loses its hot button when the leave check runs.
  mouse_move(screen_point(bar.m_hWnd, item(kPrint).CenterPoint()));
  pump();
  bar.UpdateWindow();
  raised.UpdateWindow();
  std::string folder = temp_path("");
  EXPECT_TRUE(save_surface_png(bar.m_hWnd, folder + "flat.png"));
  EXPECT_TRUE(save_surface_png(raised.m_hWnd, folder + "raised.png"));
  if (const char* keep = std::getenv("LUMO_KEEP_PNG")) {
    std::filesystem::copy_file(folder + "flat.png", std::string(keep) + "/toolbar_flat.png",
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::copy_file(folder + "raised.png", std::string(keep) + "/toolbar_raised.png",
                               std::filesystem::copy_options::overwrite_existing);
  }
  COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  // The hot flat button rises: light top-left, shadow bottom-right; a plain one is flat face.
  CRect hot = item(kPrint);
  EXPECT_EQ(surface_pixel(bar.m_hWnd, hot.left, hot.top + 5), light);
  EXPECT_EQ(surface_pixel(bar.m_hWnd, hot.right - 1, hot.top + 5), shadow);
  CRect plain = item(kCenter);
  EXPECT_EQ(surface_pixel(bar.m_hWnd, plain.left, plain.top + 5), face);
  // The image's black frame sits in the middle; its face pixels show the button through.
  EXPECT_EQ(surface_pixel(bar.m_hWnd, plain.left + 3, plain.top + 3), RGB(0, 0, 0));
  EXPECT_EQ(surface_pixel(bar.m_hWnd, plain.left + 3 + 5, plain.top + 3 + 1), face);
  // The checked button is sunken over a dither of face and highlight.
  CRect bold = item(kBold);
  EXPECT_EQ(surface_pixel(bar.m_hWnd, bold.left, bold.top + 5), shadow);
  DWORD a = surface_pixel(bar.m_hWnd, bold.left + 2, bold.top + 2);
  DWORD b = surface_pixel(bar.m_hWnd, bold.left + 3, bold.top + 2);
  EXPECT_NE(a, b);
  EXPECT_TRUE((a == face && b == light) || (a == light && b == face));
  // The disabled image is embossed: no black, its frame in shadow with highlight below right.
  CRect off = item(kOff);
  EXPECT_EQ(surface_pixel(bar.m_hWnd, off.left + 3, off.top + 3), shadow);
  EXPECT_EQ(surface_pixel(bar.m_hWnd, off.left + 3 + 14, off.top + 5), light);
  // The flat bar's separator is an etched line.
  CRect separator = item(1);
  int mid = separator.left + separator.Width() / 2 - 1;
  EXPECT_EQ(surface_pixel(bar.m_hWnd, mid, 5), shadow);
  EXPECT_EQ(surface_pixel(bar.m_hWnd, mid + 1, 5), light);
  // The mouse gone, the hot button is flat again.
  leave_bar();
  bar.UpdateWindow();
  EXPECT_EQ(surface_pixel(bar.m_hWnd, hot.left, hot.top + 5), face);
  raised.DestroyWindow();
}

// A window that is not a frame, with a handler for one of the bar's commands, as a dialog is.
class CommandOwner : public CWnd {
 public:
  int prints = 0;

 protected:
  afx_msg void OnPrint() { ++prints; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CommandOwner, CWnd)
  ON_COMMAND(ID_TB_PRINT, &CommandOwner::OnPrint)
END_MESSAGE_MAP()

TEST_F(ToolBarTest, ABarOnAnotherWindowWorksForThatWindow) {
  CommandOwner owner;
  ASSERT_TRUE(owner.CreateEx(0, nullptr, "Notatki", WS_POPUP | WS_VISIBLE, CRect(300, 200, 600, 300), nullptr, 0));
  CToolBar tools;
  ASSERT_TRUE(tools.CreateEx(&owner, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS | CBRS_FLYBY));
  ASSERT_TRUE(tools.LoadToolBar(IDR_TEST_STRIP));
  tools.MoveWindow(0, 0, 300, 30);
  // Its buttons follow the window's handlers, not the frame's.
  tools.UpdateButtons(&owner, TRUE);
  EXPECT_EQ(tools.GetButtonStyle(kPrint) & TBBS_DISABLED, 0u);
  EXPECT_NE(tools.GetButtonStyle(kBold) & TBBS_DISABLED, 0u);
  CRect rect;
  tools.GetItemRect(kPrint, &rect);
  click(tools.m_hWnd, rect.CenterPoint());
  pump();
  EXPECT_EQ(owner.prints, 1);
  EXPECT_EQ(frame->prints, 0);
  tools.DestroyWindow();
  owner.DestroyWindow();
}

}  // namespace
}  // namespace lumo::test
