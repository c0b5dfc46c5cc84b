// The main window's status bar: the pane rules (tips, double-click actions, the date text, the
// progress range, the message-pane progress place) as tables, and the bar in a frame: texts,
// tips under the mouse, commands and lock keys from double-clicks, the progress over pane 1,
// and pictures with Polish texts.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QImage>

#include "controls/gs_status_bar.h"
#include "controls/gs_status_panes.h"
#include "platform/base/cp1250.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/app.h"
#include "platform/framework/frame_wnd.h"
#include "platform/res/resource_store.h"
#include "platform/win/keyboard_locks.h"
#include "platform/win/virtual_keys.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/message_log.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

std::string utf8(const CString& s) { return base::cp1250::to_utf8(s.view()); }
CString cp(const char* u) { return CString(base::cp1250::from_utf8(u)); }

// --- The pane rules ------------------------------------------------------------------------------

TEST(StatusPaneRules, TipsByPane) {
  const struct {
    int pane;
    int mode;
    const char* tip;
  } cases[] = {
      {0, 1, "Pomoc"},
      {1, 1, "Nagłówek aktu"},
      {2, 1, "Liczba znalezionych słów"},
      {3, 1, "Num Lock"},
      {4, 1, "Caps Lock"},
      {5, 1, "Bieżąca data"},
      {5, 0, "Stan prawny na dzień"},
      {6, 1, "!Wyjątki"},
      {7, 1, ""},
      {-1, 1, ""},
      {2, 0, "Liczba znalezionych słów"},
  };
  for (const auto& c : cases) EXPECT_EQ(utf8(gsstatus::PaneTip(c.pane, c.mode)), c.tip) << c.pane << "/" << c.mode;
}

TEST(StatusPaneRules, DoubleClickActionsByPane) {
  using gsstatus::PaneAction;
  const struct {
    int pane;
    PaneAction::Kind kind;
    UINT command;
    BYTE vk, scan;
    DWORD flags;
  } cases[] = {
      {0, PaneAction::kCommand, 57667, 0, 0, 0},
      {1, PaneAction::kCommand, 32786, 0, 0, 0},
      {2, PaneAction::kCommand, 33019, 0, 0, 0},
      {3, PaneAction::kToggleLock, 0, 0x90, 0x45, KEYEVENTF_EXTENDEDKEY},
      {4, PaneAction::kToggleLock, 0, 0x14, 0x3A, 0},
      {5, PaneAction::kCommand, 32783, 0, 0, 0},
      {6, PaneAction::kNone, 0, 0, 0, 0},
      {7, PaneAction::kNone, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    const PaneAction a = gsstatus::DoubleClickAction(c.pane);
    EXPECT_EQ(a.kind, c.kind) << c.pane;
    EXPECT_EQ(a.command, c.command) << c.pane;
    EXPECT_EQ(a.vk, c.vk) << c.pane;
    EXPECT_EQ(a.scan, c.scan) << c.pane;
    EXPECT_EQ(a.flags, c.flags) << c.pane;
  }
}

TEST(StatusPaneRules, DateTextInBothModes) {
  const CTime now(2026, 12, 10, 23, 45, 0);
  const CTime legal(1999, 3, 7, 12, 0, 0);
  EXPECT_EQ(utf8(gsstatus::DateText(gsstatus::kDateToday, now, legal.GetTime())), "data: 10/12/26");
  EXPECT_EQ(utf8(gsstatus::DateText(gsstatus::kDateLegalState, now, legal.GetTime())), "stan: 07/03/99");
  EXPECT_STREQ(gsstatus::DateFormat(gsstatus::kDateToday), "data: %d/%m/%y");
  EXPECT_STREQ(gsstatus::DateFormat(gsstatus::kDateLegalState), "stan: %d/%m/%y");
}

TEST(StatusPaneRules, ProgressRangeKeepsAllThirtyTwoBits) {
  const struct {
    int range;
    bool set;
    int upper;
  } cases[] = {{100, true, 100}, {70000, true, 70000}, {65536, true, 65536}, {2000000000, true, 2000000000},
               {0, false, 0}, {-5, false, 0}};
  for (const auto& c : cases) {
    int lower = -1, upper = 0;
    EXPECT_EQ(gsstatus::ProgressRange(c.range, lower, upper), c.set) << c.range;
    if (c.set) {
      EXPECT_EQ(lower, 0);
      EXPECT_EQ(upper, c.upper);
    }
  }
}

TEST(StatusPaneRules, MessageProgressPlace) {
  const CRect pane(2, 2, 402, 22);
  EXPECT_EQ(gsstatus::MessageProgressRect(pane, 100, 50), CRect(102, 4, 252, 20));
  EXPECT_EQ(gsstatus::MessageProgressRect(pane, 0, 100), CRect(2, 4, 402, 20));
  // A label wider than the pane leaves no width, never a negative one.
  EXPECT_EQ(gsstatus::MessageProgressRect(pane, 500, 50).Width(), 0);
}

// --- The bar in a frame --------------------------------------------------------------------------

class StatusApp : public CWinApp {
 public:
  StatusApp() : CWinApp("LumoKAL") {}
};

// A main window that records the commands it is sent.
class RecordingFrame : public CFrameWnd {
 public:
  std::vector<UINT> commands;
  BOOL OnCommand(WPARAM wParam, LPARAM) override {
    commands.push_back(LOWORD(wParam));
    return TRUE;
  }
};

// The lock keys of a display server that lets the program set them.
class FakeLocks : public win::LockKeyServer {
 public:
  explicit FakeLocks(std::map<int, bool>* on) : on_(on) {}
  bool read(int vk, bool& on) override {
    auto it = on_->find(vk);
    if (it == on_->end()) return false;
    on = it->second;
    return true;
  }
  bool set(int vk, bool on) override {
    (*on_)[vk] = on;
    return true;
  }

 private:
  std::map<int, bool>* on_;
};

class GSStatusBarTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    controls::register_standard_controls();
    resources::register_program_resources();
    app = std::make_unique<StatusApp>();
    frame = std::make_unique<RecordingFrame>().release();
    ASSERT_TRUE(frame->Create(nullptr, "LumoKAL", WS_OVERLAPPEDWINDOW, CRect(0, 0, 900, 160)));
    app->m_pMainWnd = frame;
    frame->ShowWindow(SW_SHOW);
    bar = std::make_unique<CGSStatusBar>();
    make_bar(*bar, GSSB_PROGRESS);
  }
  void TearDown() override {
    win::set_lock_key_server(nullptr);
    bar.reset();
    if (::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    pump();
    app.reset();
    GuiTest::TearDown();
  }
  // The main frame's way of making its bar.
  void make_bar(CGSStatusBar& b, DWORD options, int count = gsstatus::kPaneCount) {
    ASSERT_TRUE(b.Create(frame, options, gsstatus::kPaneAct));
    std::vector<UINT> ids(gsstatus::kIndicators, gsstatus::kIndicators + gsstatus::kPaneCount);
    while (int(ids.size()) < count) ids.push_back(resources::ID_INDICATOR_MARK);
    ASSERT_TRUE(b.SetIndicators(ids.data(), count));
    UINT id, style;
    int width;
    b.GetPaneInfo(0, id, style, width);
    b.SetPaneInfo(0, id, SBPS_NOBORDERS | SBPS_STRETCH, width);
    b.SetBarStyle(b.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
    b.SetPaneTextId(resources::IDS_IDLE_PROMPT, gsstatus::kPaneMessage);
    frame->RecalcLayout();
    pump();
  }
  CRect pane(int index) const {
    CRect r;
    bar->GetItemRect(index, &r);
    return r;
  }
  CRect progress_place() const {
    CRect r;
    bar->GetPaneProgress()->GetWindowRect(&r);
    bar->ScreenToClient(&r);
    return r;
  }
  void double_click(int index) { bar->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(pane(index).CenterPoint().x, pane(index).CenterPoint().y)); }
  void update() { bar->OnUpdateCmdUI(frame, TRUE); }
  bool pane_on(int index) const { return !(bar->GetPaneStyle(index) & SBPS_DISABLED); }
  void save(const char* name) const {
    const std::string path = ::testing::TempDir() + name;
    ASSERT_TRUE(save_window_png(bar->m_hWnd, path));
    QImage image(QString::fromStdString(path));
    image.scaled(image.size() * 2).save(QString::fromStdString(path + ".x2.png"));
  }

  std::unique_ptr<StatusApp> app;
  RecordingFrame* frame = nullptr;
  std::unique_ptr<CGSStatusBar> bar;
};

TEST_F(GSStatusBarTest, PanesTextsAndTheDatePane) {
  EXPECT_EQ(bar->GetPaneCount(), 7);
  EXPECT_EQ(bar->GetDlgCtrlID(), int(AFX_IDW_STATUS_BAR));
  EXPECT_EQ(utf8(bar->GetPaneText(0)), " Naciśnij przycisk F1 aby uzyskać pomoc");
  EXPECT_EQ(utf8(bar->GetPaneText(1)), "poz #### (D.U. z #### roku Nr ###) ");
  // Every pane is wide enough for its sizing text; none overlaps the next.
  for (int i = 1; i < 7; ++i) EXPECT_LT(pane(i - 1).right, pane(i).left) << i;
  EXPECT_GT(pane(0).Width(), pane(1).Width());

  // The bar keeps its date pane current itself; the frame has no handler for it.
  update();
  EXPECT_TRUE(pane_on(gsstatus::kPaneDate));
  EXPECT_EQ(utf8(bar->GetPaneText(5)), utf8(CTime::GetCurrentTime().Format("data: %d/%m/%y")));
  EXPECT_EQ(utf8(bar->GetDateFormat()), "data: %d/%m/%y");
  // The legal-state date of the settings, when the application asks for it.
  bar->SetLegalStateTime(CTime(2026, 11, 30, 12, 0, 0).GetTime());
  bar->SetDateMode(gsstatus::kDateLegalState);
  update();
  EXPECT_EQ(utf8(bar->GetPaneText(5)), "stan: 30/11/26");
  EXPECT_EQ(utf8(bar->GetDateFormat()), "stan: %d/%m/%y");

  bar->SetPaneTextNow(cp("poz. 1234 (D.U. z 2026 roku Nr 45)"), gsstatus::kPaneAct);
  bar->SetPaneTextNow("  17", gsstatus::kPaneFoundWords);
  EXPECT_EQ(utf8(bar->GetPaneText(1)), "poz. 1234 (D.U. z 2026 roku Nr 45)");
  EXPECT_EQ(utf8(bar->GetPaneText(2)), "  17");
}

TEST_F(GSStatusBarTest, TipsOverEachPane) {
  const char* tips[] = {"Pomoc", "Nagłówek aktu", "Liczba znalezionych słów", "Num Lock", "Caps Lock",
                        "Bieżąca data", "!Wyjątki"};
  for (int i = 0; i < 7; ++i) {
    TOOLINFO info;
    EXPECT_EQ(bar->OnToolHitTest(pane(i).CenterPoint(), &info), i);
    EXPECT_EQ(utf8(info.lpszText), tips[i]);
    EXPECT_EQ(info.uId, UINT_PTR(-2));
    EXPECT_EQ(CRect(info.rect), pane(i));
    EXPECT_EQ(info.hwnd, bar->m_hWnd);
  }
  EXPECT_EQ(bar->OnToolHitTest(CPoint(-10, -10), nullptr), -1);

  // Resting the mouse on pane 2 shows its tip.
  ASSERT_NE(bar->GetToolTips(), nullptr);
  bar->GetToolTips()->SetDelayTime(TTDT_INITIAL, 0);
  const CPoint words = pane(2).CenterPoint();
  mouse_move(screen_point(bar->m_hWnd, words));
  pump();
  const CToolTipCtrl::Tool* tool = bar->GetToolTips()->ToolAt(bar.get(), words);
  ASSERT_NE(tool, nullptr);
  EXPECT_EQ(utf8(tool->text), "Liczba znalezionych słów");
  EXPECT_TRUE(bar->GetToolTips()->IsTipShown());
  // Moving to pane 4 gives its tip instead.
  mouse_move(screen_point(bar->m_hWnd, pane(4).CenterPoint()));
  pump();
  tool = bar->GetToolTips()->ToolAt(bar.get(), pane(4).CenterPoint());
  ASSERT_NE(tool, nullptr);
  EXPECT_EQ(utf8(tool->text), "Caps Lock");
  EXPECT_EQ(bar->GetToolTips()->ToolAt(bar.get(), words), nullptr);
}

TEST_F(GSStatusBarTest, AnEighthPaneHasNoTipAndNoAction) {
  bar.reset();
  bar = std::make_unique<CGSStatusBar>();
  make_bar(*bar, GSSB_PROGRESS, 8);
  ASSERT_EQ(bar->GetPaneCount(), 8);
  EXPECT_EQ(bar->OnToolHitTest(pane(7).CenterPoint(), nullptr), -1);
  EXPECT_EQ(bar->OnToolHitTest(pane(6).CenterPoint(), nullptr), 6);
  double_click(7);
  pump();
  EXPECT_TRUE(frame->commands.empty());
}

TEST_F(GSStatusBarTest, DoubleClicksSendTheirCommandsAtOnce) {
  const struct {
    int pane;
    UINT command;
  } cases[] = {{0, 57667}, {1, 32786}, {2, 33019}, {5, 32783}};
  for (const auto& c : cases) {
    frame->commands.clear();
    double_click(c.pane);
    // Sent, not posted: the frame has it before the double-click returns.
    EXPECT_EQ(frame->commands, std::vector<UINT>{c.command}) << c.pane;
  }
  frame->commands.clear();
  double_click(6);
  pump();
  EXPECT_TRUE(frame->commands.empty());
  // Real double-clicks reach the bar the same way.
  const POINT p = screen_point(bar->m_hWnd, pane(2).CenterPoint());
  mouse_down(p);
  mouse_up(p);
  win::mouse_input(win::MouseAction::double_click, win::MouseButton::left, QPoint(p.x, p.y), {});
  mouse_up(p);
  pump();
  EXPECT_EQ(frame->commands, std::vector<UINT>{33019});
}

TEST_F(GSStatusBarTest, LockPanesToggleTheKeysAndFollowTheirState) {
  std::map<int, bool> locks{{VK_NUMLOCK, true}, {VK_CAPITAL, false}};
  win::set_lock_key_server(std::make_unique<FakeLocks>(&locks));
  win::refresh_lock_keys();
  frame->SetFocus();
  update();
  EXPECT_TRUE(pane_on(gsstatus::kPaneNumLock));
  EXPECT_FALSE(pane_on(gsstatus::kPaneCapsLock));

  double_click(gsstatus::kPaneCapsLock);
  pump();
  EXPECT_TRUE(locks[VK_CAPITAL]);  // the keyboard's lock changed
  update();
  EXPECT_TRUE(pane_on(gsstatus::kPaneCapsLock));  // and the pane follows on the next update
  EXPECT_EQ(utf8(bar->GetPaneText(4)), "CAP");

  double_click(gsstatus::kPaneNumLock);
  pump();
  EXPECT_FALSE(locks[VK_NUMLOCK]);
  update();
  EXPECT_FALSE(pane_on(gsstatus::kPaneNumLock));
  EXPECT_TRUE(frame->commands.empty());

  // Without a server that sets locks only the program's view changes; the pane still follows.
  win::set_lock_key_server(nullptr);
  double_click(gsstatus::kPaneCapsLock);
  pump();
  update();
  EXPECT_FALSE(pane_on(gsstatus::kPaneCapsLock));
}

TEST_F(GSStatusBarTest, ARightClickDoesNothing) {
  MessageLog log({WM_CONTEXTMENU, WM_COMMAND});
  click(bar->m_hWnd, pane(1).CenterPoint(), win::MouseButton::right);
  pump();
  // The frame is asked for no menu and gets no command.
  EXPECT_TRUE(log.messages_of(frame->m_hWnd).empty());
  EXPECT_TRUE(frame->commands.empty());
}

TEST_F(GSStatusBarTest, ProgressOverPaneOneWithAThirtyTwoBitRange) {
  CProgressCtrl* progress = bar->GetPaneProgress();
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(progress->GetDlgCtrlID(), int(IDC_GS_STATUS_PROGRESS));
  EXPECT_FALSE(progress->IsWindowVisible());
  EXPECT_EQ(progress_place(), pane(1));

  bar->SetPaneTextNow(cp("Trwa ładowanie spisu treści..."), 0);
  bar->SetProgress(70000, 100000);
  EXPECT_TRUE(progress->IsWindowVisible());
  int lower = -1, upper = -1;
  progress->GetRange(lower, upper);
  EXPECT_EQ(lower, 0);
  EXPECT_EQ(upper, 100000);
  EXPECT_EQ(progress->GetPos(), 70000);
  pump();
  save("gs_status_progress.png");
  // The bar is drawn over pane 1 as far as the position goes: filled at 60 %, open at 80 %.
  const CRect r = pane(1);
  const int y = r.CenterPoint().y;
  const DWORD filled = surface_pixel(progress->m_hWnd, r.Width() * 6 / 10, r.Height() / 2);
  const DWORD open = surface_pixel(progress->m_hWnd, r.Width() * 8 / 10 + 2, r.Height() / 2);
  EXPECT_NE(filled, open) << y;

  // A range of 0 keeps the range; the position moves.
  bar->SetProgress(5, 0);
  progress->GetRange(lower, upper);
  EXPECT_EQ(upper, 100000);
  EXPECT_EQ(progress->GetPos(), 5);

  // The progress follows its pane when the bar is resized.
  frame->MoveWindow(0, 0, 700, 160);
  frame->RecalcLayout();
  pump();
  EXPECT_EQ(progress_place(), pane(1));

  bar->SetProgress(-1, 0);
  EXPECT_FALSE(progress->IsWindowVisible());
  EXPECT_EQ(utf8(bar->GetPaneText(0)), " Naciśnij przycisk F1 aby uzyskać pomoc");
}

TEST_F(GSStatusBarTest, CreatingAgainRemakesTheProgressAndKeepsThePanes) {
  bar->SetPaneTextNow("poz. 7", 1);
  const HWND old_progress = bar->GetPaneProgress()->m_hWnd;
  const HWND window = bar->m_hWnd;
  ASSERT_TRUE(bar->Create(frame, GSSB_PROGRESS, gsstatus::kPaneFoundWords));
  EXPECT_EQ(bar->m_hWnd, window);
  EXPECT_FALSE(::IsWindow(old_progress));
  ASSERT_NE(bar->GetPaneProgress(), nullptr);
  EXPECT_EQ(bar->GetPaneCount(), 7);
  EXPECT_EQ(utf8(bar->GetPaneText(1)), "poz. 7");
  EXPECT_EQ(progress_place(), pane(2));

  // Without the progress option there is no control and progress calls do nothing.
  ASSERT_TRUE(bar->Create(frame, 0, gsstatus::kPaneAct));
  EXPECT_EQ(bar->GetPaneProgress(), nullptr);
  bar->SetProgress(3, 10);
  bar->SetProgress(-1, 0);
  EXPECT_EQ(utf8(bar->GetPaneText(1)), "poz. 7");
}

TEST_F(GSStatusBarTest, PictureWithPolishTexts) {
  bar->SetPaneTextNow(cp("Trwa ładowanie wyników... źródło żółć"), 0);
  bar->SetPaneTextNow(cp("poz. 1234 (D.U. z 2026 roku Nr 45)"), 1);
  bar->SetPaneTextNow("  17", 2);
  bar->SetPaneTextNow("W", 6);
  std::map<int, bool> locks{{VK_NUMLOCK, true}, {VK_CAPITAL, true}};
  win::set_lock_key_server(std::make_unique<FakeLocks>(&locks));
  win::refresh_lock_keys();
  update();
  bar->Invalidate();
  pump();
  save("gs_status_texts.png");
  // The panes the view writes are drawn although the frame has no handler for them: text pixels
  // (darker than the face) in the act's pane.
  EXPECT_FALSE(bar->GetPaneStyle(1) & SBPS_DISABLED);
  const CRect act = pane(1);
  bool ink = false;
  for (int x = act.left + 2; x < act.right - 2 && !ink; ++x) {
    for (int y = act.top + 2; y < act.bottom - 2 && !ink; ++y) {
      ink = GetRValue(surface_pixel(bar->m_hWnd, x, y)) < 100;
    }
  }
  EXPECT_TRUE(ink);
}

TEST_F(GSStatusBarTest, MessagePaneProgressBarFollowsItsLabel) {
  CProgressBar progress;
  progress.SetLabel(cp("Wczytywanie łącz"));
  ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), bar.get(), 3001));
  EXPECT_EQ(CProgressBar::MainStatusBar(), bar.get());
  progress.SetRange32(0, 10);
  progress.SetPos(4);
  progress.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  pump();
  // The move made while erasing leaves the new area to paint.
  progress.UpdateWindow();
  EXPECT_EQ(utf8(bar->GetPaneText(0)), "Wczytywanie łącz");
  CRect placed;
  progress.GetWindowRect(&placed);
  bar->ScreenToClient(&placed);
  const CRect p0 = pane(0);
  EXPECT_GT(placed.left, p0.left + 20);
  EXPECT_LT(placed.right, p0.right);
  EXPECT_GT(placed.Width(), 0);
  EXPECT_GE(placed.top, p0.top);
  save("gs_status_message_progress.png");
  // Drawn at its new width: filled a third of the way along (position 4 of 10).
  const DWORD third = surface_pixel(progress.m_hWnd, placed.Width() / 3, placed.Height() / 2);
  const DWORD end = surface_pixel(progress.m_hWnd, placed.Width() - 3, placed.Height() / 2);
  EXPECT_NE(third, end);
  progress.DestroyWindow();
  EXPECT_EQ(utf8(bar->GetPaneText(0)), " Naciśnij F1, aby uzyskać pomoc.");
}

}  // namespace
}  // namespace lumo::test
