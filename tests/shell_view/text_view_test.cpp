// The text sheet on a library compiled from the sample acts: an act opens with its header and text,
// jumps and the history, Ctrl-jumps into new sheets, pop-ups, picture links, copying through the
// clipboard, finding in the act, scrolling by keys and wheel, the off-screen pane and wheel
// auto-scrolling, the panes' context menus and link commands, the act information window, style
// setters and annotations, the history tab fed by the view and bookmarks added from it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "engine/frame/clipboard_render.h"
#include "engine/frame/hit_marks.h"
#include "engine/frame/scrolling.h"
#include "engine/frame/selection.h"
#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_startup.h"
#include "engine/medview/engine_titles.h"
#include "engine/medview/viewer_fonts.h"
#include "platform/base/cp1250.h"
#include "platform/base/data_folder.h"
#include "platform/base/profile.h"
#include "platform/base/registry_store.h"
#include "platform/base/temp_folder.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/mdi.h"
#include "platform/framework/prompter.h"
#include "platform/shell/clipboard.h"
#include "platform/shell/drag_drop.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/input_translation.h"
#include "platform/win/message_queue.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "navigation/act_dlg.h"
#include "navigation/bookmark_quick_dlg.h"
#include "navigation/bookmark_tab.h"
#include "navigation/du_tab.h"
#include "navigation/du_tree.h"
#include "navigation/history_tab.h"
#include "navigation/nav_bar.h"
#include "navigation/topic_drag.h"
#include "navigation/topic_ole.h"
#include "platform/framework/menu.h"
#include "platform/win/bitmap_loading.h"
#include "resources/app_ids.h"
#include "shell/frame_placement.h"
#include "shell/library_title.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/note_recordset.h"
#include "shell/view/lumo_kal_view.h"
#include "shell/view/mv_dummy.h"
#include "shell/view/wheel_wnd.h"
#include "tests/gallery/gallery.h"
#include "tests/menus/menu_script.h"
#include "tests/support/app_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

// Qt's keyword macros would rename members of the headers above: Qt headers come last.
#include <QEvent>
#include <QWidget>

#include "platform/win/platform_widget.h"
#include "platform/win/window_table.h"

namespace lumo::test {
namespace {

std::string utf8(const std::string& cp1250) { return base::cp1250::to_utf8(cp1250); }

// A picture sheet as far as a picture link needs one.
class PictureDoc : public CDocument {
  DECLARE_DYNCREATE(PictureDoc)

 public:
  BOOL OnOpenDocument(LPCTSTR) override { return TRUE; }
};
IMPLEMENT_DYNCREATE(PictureDoc, CDocument)

class PictureView : public CView {
  DECLARE_DYNCREATE(PictureView)

 public:
  void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(PictureView, CView)

class TextViewTest : public AppTest {
 protected:
  // Message boxes are answered OK once the queue is empty.
  TextViewTest() : AppTest("shell_view_sample", IDOK) {}

  void SetUp() override {
    AppTest::SetUp();
    if (HasFatalFailure()) return;
    medview::MvStartup(0);
    app_->SetDataDir(CString(library_->folder + "/"));
    app_->OpenCatalogFile();

    auto* main = std::make_unique<CMDIFrameWnd>().release();
    ASSERT_TRUE(main->LoadFrame(resources::IDR_MAINFRAME));
    main->MoveWindow(0, 0, 900, 700);
    main->ShowWindow(SW_SHOW);
    app_->m_pMainWnd = main;
    text_template_ = new CLumoKALDocTemplate(resources::IDS_WORK_DOCUMENT, RUNTIME_CLASS(CLumoKALDoc),
                                             RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CLumoKALView));
    app_->AddDocTemplate(text_template_);
    app_->AddDocTemplate(new CMultiDocTemplate(resources::IDS_PICTURE_DOCUMENT, RUNTIME_CLASS(PictureDoc),
                                               RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(PictureView)));
    work_ = dynamic_cast<CLumoKALDoc*>(text_template_->OpenDocumentFile(nullptr));
    ASSERT_NE(work_, nullptr);
    pump();
    view_ = work_->GetCurrentTextView();
    ASSERT_NE(view_, nullptr);
    view_->GetParentFrame()->MoveWindow(0, 0, 800, 560);
    pump();
  }

  void TearDown() override {
    framework::set_menu_chooser(nullptr);
    if (CActDlg* dialog = GetActInfoDialog()) dialog->DestroyWindow();
    if (auto* main = app_ ? dynamic_cast<CFrameWnd*>(app_->m_pMainWnd) : nullptr) {
      std::erase(main->m_listControlBars, static_cast<CControlBar*>(&nav_));
      std::erase(main->m_listControlBars, static_cast<CControlBar*>(&lists_));
    }
    if (nav_.m_hWnd) nav_.DestroyWindow();
    if (lists_.m_hWnd) lists_.DestroyWindow();
    CLumoKALView::FreeQueryResults();
    if (work_) work_->OnCloseDocument();
    if (app_->m_pMainWnd && app_->m_pMainWnd->m_hWnd) app_->m_pMainWnd->DestroyWindow();
    pump();
    medview::MvShutdown();
    AppTest::TearDown();
  }

  int32_t Topic(const char* context) const {
    const int32_t position = medview::MvContextStringToPosition(LibraryTitle(), context);
    if (position == -1) return -1;
    medview::ViewerHandle clone = medview::MvCloneViewer(view_->GetViewer(), nullptr);
    frame::MvSetTopic(clone, position, 0, 0, nullptr) || frame::MvSetTopic(clone, position, 1, 0, nullptr);
    const int32_t topic = frame::MvGetCurrentTopic(clone);
    medview::MvDestroyViewer(clone);
    return topic;
  }

  static std::string RegionText(CMvPane& pane) {
    const std::vector<uint8_t> bytes = medview::MvCopyRegionText(pane.GetViewer(), nullptr);
    return utf8(std::string(bytes.begin(), bytes.end()));
  }

  // Non-white pixels of what a pane draws (into a memory context of its size), every other pixel.
  static int Ink(CMvPane& pane) {
    CRect client;
    pane.GetClientRect(&client);
    if (client.IsRectEmpty()) return 0;
    HDC memory = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(memory, client.Width(), client.Height());
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::FillRect(memory, &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    pane.Draw(CDC::FromHandle(memory), &client);
    int ink = 0;
    for (int y = 0; y < client.Height(); y += 2) {
      for (int x = 0; x < client.Width(); x += 2) {
        if ((::GetPixel(memory, x, y) & 0xFFFFFF) != 0xFFFFFF) ++ink;
      }
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    return ink;
  }

  // The "Nawigator" and "Spisy" bars in the main window, as the program's main window has them.
  void AddNavigatorBars() {
    auto* main = dynamic_cast<CFrameWnd*>(app_->m_pMainWnd);
    constexpr DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;
    ASSERT_TRUE(nav_.Create(main, CString("Nawigator"), style | CBRS_BOTTOM, 0x0F31, 100));
    ASSERT_TRUE(lists_.Create(main, CString("Spisy"), style | CBRS_LEFT, 0x0F31, 101));
    main->m_listControlBars.push_back(&nav_);
    main->m_listControlBars.push_back(&lists_);
    nav_.MoveWindow(0, 420, 880, 200);
    lists_.MoveWindow(0, 0, 300, 410);
    pump();
  }

  // The first hotspot of `type` the pane shows (1 a jump).
  static medview::HotspotTarget FirstHotspot(CMvPane& pane, int type) {
    const int32_t count = medview::MvCountHotspots(pane.GetViewer());
    medview::HotspotTarget hotspot{};
    for (int32_t n = 0; n < count; ++n) {
      if (medview::MvGetNthHotspot(pane.GetViewer(), n, &hotspot, nullptr) && hotspot.type == type) return hotspot;
    }
    return {};
  }

  // A screen point on a jump link the pane shows (and its target), or (-1, -1).
  static POINT LinkPoint(CMvPane& pane, medview::HotspotTarget* link) {
    CRect client;
    pane.GetClientRect(&client);
    for (int y = 3; y < client.Height(); y += 2) {
      for (int x = 3; x < client.Width(); x += 3) {
        medview::HotspotInfo info;
        if (medview::MvHotspotFromPoint(pane.GetViewer(), x, y, &info, link, nullptr) &&
            (info.flags & medview::kHotspotOverText) && link->type == 1 && pane.TargetTopic(link->target) > 0) {
          POINT point{x, y};
          pane.ClientToScreen(&point);
          return point;
        }
      }
    }
    return {-1, -1};
  }

  // A point of the pane's text where no hotspot lies, in screen coordinates.
  static POINT PlainTextPoint(CMvPane& pane) {
    CRect client;
    pane.GetClientRect(&client);
    for (int y = 5; y < client.Height(); y += 3) {
      for (int x = 5; x < client.Width(); x += 7) {
        medview::HotspotInfo info;
        medview::HotspotTarget target;
        if (!medview::MvHotspotFromPoint(pane.GetViewer(), x, y, &info, &target, nullptr) &&
            (info.flags & medview::kHotspotOverText)) {
          POINT point{x, y};
          pane.ClientToScreen(&point);
          return point;
        }
      }
    }
    return {-1, -1};
  }

  // The ids of the pop-up a context menu at `screen` shows; the chooser then picks `choice`.
  std::vector<UINT> MenuAt(CMvPane& pane, POINT screen, UINT choice = 0) {
    std::vector<UINT> ids;
    framework::set_menu_chooser([&](HMENU menu, HWND, POINT) {
      for (const auto& item : framework::menu_items(menu)) ids.push_back(item.id);
      return choice;
    });
    pane.SendMessage(WM_CONTEXTMENU, WPARAM(pane.m_hWnd), MAKELPARAM(screen.x, screen.y));
    framework::set_menu_chooser(nullptr);
    pump();
    return ids;
  }

  COutputWnd nav_;
  CIndexWnd lists_;
  CLumoKALDocTemplate* text_template_ = nullptr;
  CLumoKALDoc* work_ = nullptr;
  CLumoKALView* view_ = nullptr;
};

// The status bar's address of acts of the sample library: the issue number is read from the
// issue's text in the contents index; an act without one shows "-"; years stay full after 1999.
TEST_F(TextViewTest, TheStatusBarShowsTheActsIssueNumber) {
  const struct {
    const char* address;
    const char* status;
  } cases[] = {
      {"98 34", "  poz 34  (D.U. z 1998 roku   Nr 12 )"},
      {"DU.1998.0034.0001", "  poz 34  (D.U. z 1998 roku   Nr 12 )"},  // a chapter: its act's address
      {"99 302", "  poz 302  (D.U. z 1999 roku   Nr - )"},
      {"2001 2786", "  poz 2786  (D.U. z 2001 roku   Nr 154 )"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(view_->GoToAddress(CString(c.address))) << c.address;
    pump();
    EXPECT_EQ(utf8(view_->GetStatusText(1).str()), c.status) << c.address;
  }
}

TEST_F(TextViewTest, AnActOpensWithItsHeaderAndText) {
  ASSERT_TRUE(view_->GoToAddress(CString("98 35")));
  pump();
  EXPECT_EQ(utf8(view_->GetSheetTitle().str()), "1998 r. poz 35");
  // The issue number comes from the issue's text in the contents index, as the compiler writes it.
  EXPECT_EQ(utf8(view_->GetStatusText(1).str()), "  poz 35  (D.U. z 1998 roku   Nr 12 )");
  std::string text = RegionText(view_->GetTextPane());
  EXPECT_NE(text.find("o ochronie zieleni przydrożnej"), std::string::npos) << text;
  EXPECT_NE(text.find("Zieleń przydrożna i zadrzewienia"), std::string::npos) << text;
  // An act shows no act header; the text pane fills the sheet and shows ink.
  EXPECT_FALSE(view_->GetActHeaderPane().IsWindowVisible());
  CRect body;
  view_->GetTextPane().GetWindowRect(&body);
  EXPECT_GT(body.Height(), 300);
  EXPECT_GT(Ink(view_->GetTextPane()), 200);
  view_->UpdateWindow();
  gallery::Picture shell_view_act(view_->m_hWnd, "shell_view_act");

  // A chapter of an act: the act's heading above, the chapter below.
  ASSERT_TRUE(view_->GoToAddress(CString("DU.1998.0034.0001")));
  pump();
  EXPECT_EQ(utf8(view_->GetSheetTitle().str()), "1998 r. poz 34");
  ASSERT_TRUE(view_->GetActHeaderPane().IsWindowVisible());
  EXPECT_NE(RegionText(view_->GetActHeaderPane()).find("o bibliotekach gminnych"), std::string::npos)
      << RegionText(view_->GetActHeaderPane());
  text = RegionText(view_->GetTextPane());
  EXPECT_NE(text.find("Ustawa określa zasady tworzenia"), std::string::npos) << text;
  CRect header;
  view_->GetActHeaderPane().GetWindowRect(&header);
  view_->GetTextPane().GetWindowRect(&body);
  EXPECT_GT(header.Height(), 20);
  EXPECT_GE(body.top, header.bottom);
  EXPECT_GT(Ink(view_->GetActHeaderPane()), 50);
  view_->UpdateWindow();
  gallery::Picture shell_view_chapter(view_->m_hWnd, "shell_view_chapter");
  // Double-clicking a header hides the act header; again shows it.
  view_->ToggleActHeader();
  EXPECT_FALSE(view_->GetActHeaderPane().IsWindowVisible());
  view_->ToggleActHeader();
  EXPECT_TRUE(view_->GetActHeaderPane().IsWindowVisible());
}

// A sheet smaller than the form it is made from: only the text pane scrolls. The sheet itself shows
// no bar of its own, and the text pane reaches the sheet's right edge, its bar in plain sight.
TEST_F(TextViewTest, ASmallSheetShowsOneVerticalBarTheTextPanes) {
  view_->GetParentFrame()->MoveWindow(0, 0, 420, 220);
  pump();
  for (const char* address : {"2000 15", "98 35"}) {
    ASSERT_TRUE(view_->GoToAddress(CString(address))) << address;
    pump();
    EXPECT_EQ(view_->GetStyle() & (WS_VSCROLL | WS_HSCROLL), 0u) << address;
    EXPECT_NE(view_->GetTextPane().GetStyle() & WS_VSCROLL, 0u) << address << ": the text is longer than the pane";
    CRect sheet, pane;
    view_->GetWindowRect(&sheet);
    view_->GetTextPane().GetWindowRect(&pane);
    EXPECT_EQ(pane.right, sheet.right) << address;
    EXPECT_EQ(pane.bottom, sheet.bottom) << address;
  }
  // An attachment of 1998 poz. 34 with the act's header above it.
  ASSERT_TRUE(view_->GoToAddress(CString("DU.1998.0034.0000")));
  for (int32_t n = 0; n < app_->GetCatalog().RecordCount(); ++n) {
    shell::ContentsRecord r;
    if (!app_->GetCatalog().ReadRecord(n, r) || !r.attachment) continue;
    ASSERT_TRUE(work_->OpenTopic(n, 3, 0));
    pump();
    EXPECT_EQ(view_->GetStyle() & (WS_VSCROLL | WS_HSCROLL), 0u) << n;
    break;
  }
  gallery::Picture small(view_->GetParentFrame()->m_hWnd, "shell_view_small_sheet", true);
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// Laying a pane out only measures its topic: nothing of the pane is shown on screen again until it
// paints (a layout that marked the pane's pixels changed made every opened act reach the screen
// twice).
TEST_F(TextViewTest, LayingOutAPaneLeavesTheScreenAsItIs) {
  ASSERT_TRUE(view_->GoToAddress(CString("98 35")));
  pump();
  QCoreApplication::processEvents();
  QWidget* widget = win::find_window(view_->GetTextPane().m_hWnd)->widget.get();
  ASSERT_NE(widget, nullptr);
  PaintCounter counter;
  widget->installEventFilter(&counter);
  ASSERT_TRUE(view_->GetTextPane().Layout());
  QCoreApplication::processEvents();
  EXPECT_EQ(counter.paints, 0);
  // Painting the pane still reaches the screen.
  view_->GetTextPane().Invalidate();
  view_->GetTextPane().UpdateWindow();
  QCoreApplication::processEvents();
  EXPECT_GT(counter.paints, 0);
  widget->removeEventFilter(&counter);
}

TEST_F(TextViewTest, JumpsKeepAHistoryOfFiftyPlaces) {
  const int32_t a = Topic("DU.1998.0034.0000");
  const int32_t b = Topic("DU.1998.0035.0000");
  ASSERT_GT(a, 0);
  ASSERT_GT(b, 0);
  ASSERT_TRUE(view_->JumpToTopicNumber(a, 0, 0));
  const int before = view_->GetHistoryCount();
  ASSERT_TRUE(view_->JumpToTopicNumber(b, 0, 0));
  EXPECT_EQ(view_->GetHistoryCount(), before + 1);
  ASSERT_TRUE(view_->CanGoBack());
  // Back shows the act left, and moves the history position one step towards the start.
  ASSERT_TRUE(view_->GoBack());
  EXPECT_EQ(view_->GetActDescription().record.number, 34);
  // The place already shown: no new entry.
  const int count = view_->GetHistoryCount();
  EXPECT_TRUE(view_->JumpTo(view_->GetCurrentPosition(), 0, 0));
  EXPECT_EQ(view_->GetHistoryCount(), count);
  // 51 places: the oldest goes, and with it the way back when the position pointed there.
  view_->ClearHistory();
  for (int i = 0; i < 26; ++i) {
    ASSERT_TRUE(view_->JumpToTopicNumber(a, 0, 0));
    ASSERT_TRUE(view_->JumpToTopicNumber(b, 0, 0));
  }
  EXPECT_EQ(view_->GetHistoryCount(), 50);
  EXPECT_EQ(view_->GetHistoryPosition(), 49);
  // Going back with mode 2 leaves the position where it is; once it reaches the start it is gone.
  for (int i = 0; i < 50; ++i) ASSERT_TRUE(view_->GoBack()) << i;
  EXPECT_FALSE(view_->CanGoBack());
  view_->AddToHistory(1, a, FALSE, 0);  // the 51st, without moving the position
  EXPECT_EQ(view_->GetHistoryCount(), 50);
  EXPECT_FALSE(view_->CanGoBack());
}

TEST_F(TextViewTest, AnActWithoutTextOfItsOwnShowsItsFirstPartAndPreviousPageReturns) {
  const int32_t act = Topic("DU.1998.0034.0000");
  ASSERT_TRUE(view_->JumpToTopicNumber(act, 0, 0));
  EXPECT_TRUE(view_->HasScrollingRegion());
  EXPECT_TRUE(view_->HasNextTopic());
  // Next page, then previous page: back on the act.
  view_->SendMessage(WM_COMMAND, resources::ID_NEXT_PAGE);
  pump();
  EXPECT_NE(frame::MvGetCurrentTopic(view_->GetViewer()), act);
  view_->SendMessage(WM_COMMAND, resources::ID_PREVIOUS_PAGE);
  pump();
  EXPECT_EQ(frame::MvGetCurrentTopic(view_->GetViewer()), act);
}

TEST_F(TextViewTest, LinksJumpAndCtrlOpensANewSheet) {
  // An act citing another: its link jumps there.
  const int32_t citing = Topic("DU.1999.0120.0000");
  ASSERT_GT(citing, 0);
  ASSERT_TRUE(view_->JumpToTopicNumber(citing, 0, 0));
  CMvSR& text = view_->GetTextPane();
  const int32_t count = medview::MvCountHotspots(text.GetViewer());
  medview::HotspotTarget link;
  bool found = false;
  for (int32_t n = 0; n < count && !found; ++n) {
    found = medview::MvGetNthHotspot(text.GetViewer(), n, &link, nullptr) && link.type == 1;
  }
  ASSERT_TRUE(found);
  const int32_t target = text.TargetTopic(link.target);
  ASSERT_GT(target, 0);
  text.OnHotspot(0, 0, 0, link, 0);
  EXPECT_EQ(frame::MvGetCurrentTopic(view_->GetViewer()), target);
  EXPECT_EQ(work_->GetTextViews().size(), 1u);
  // Ctrl: a new sheet shows it; the first sheet stays where it was.
  ASSERT_TRUE(view_->GoBack());
  text.OnHotspot(0, 0, 0, link, MK_CONTROL);
  pump();
  ASSERT_EQ(work_->GetTextViews().size(), 2u);
  CLumoKALView* second = work_->GetCurrentTextView();
  ASSERT_NE(second, view_);
  EXPECT_EQ(frame::MvGetCurrentTopic(second->GetViewer()), target);
  EXPECT_EQ(frame::MvGetCurrentTopic(view_->GetViewer()), citing);
}

TEST_F(TextViewTest, APopupShowsItsTopicBesideTheHotspotAndClosesOnAJump) {
  ASSERT_TRUE(view_->GoToAddress(CString("98 34")));
  CMvSR& text = view_->GetTextPane();
  const int32_t position = medview::MvContextStringToPosition(LibraryTitle(), "DU.1999.0120.0000");
  ASSERT_NE(position, -1);
  ASSERT_TRUE(text.ShowPopup(RECT{20, 20, 80, 36}, &position));
  CMvPopupPane* popup = text.GetPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(popup->IsWindowVisible());
  CRect rect;
  popup->GetWindowRect(&rect);
  EXPECT_GT(rect.Width(), 50);
  EXPECT_GT(rect.Height(), 20);
  EXPECT_NE(frame::MvGetCurrentTopic(popup->GetViewer()), frame::MvGetCurrentTopic(text.GetViewer()));
  pump();
  popup->UpdateWindow();
  gallery::Picture shell_view_popup(popup->m_hWnd, "shell_view_popup");
  // A link inside the pop-up jumps the sheet once the pop-up's message has returned; the jump
  // closes the pop-up.
  medview::HotspotTarget link;
  const int32_t count = medview::MvCountHotspots(popup->GetViewer());
  bool found = false;
  for (int32_t n = 0; n < count && !found; ++n) {
    found = medview::MvGetNthHotspot(popup->GetViewer(), n, &link, nullptr) && link.type == 1;
  }
  ASSERT_TRUE(found);
  const int32_t target = popup->TargetTopic(link.target);
  popup->OnHotspot(0, 0, 0, link, 0);
  EXPECT_EQ(text.GetPopup(), popup);  // still open inside its own message
  pump();
  EXPECT_EQ(text.GetPopup(), nullptr);
  EXPECT_EQ(frame::MvGetCurrentTopic(view_->GetViewer()), target);
  ASSERT_TRUE(text.ShowPopup(RECT{20, 20, 80, 36}, &position));
  popup = text.GetPopup();
  ASSERT_NE(popup, nullptr);
  // A pop-up hotspot inside opens a nested pop-up; a jump closes the whole chain.
  ASSERT_TRUE(text.ShowPopup(RECT{10, 10, 40, 20}, &position));
  EXPECT_NE(popup->GetPopup(), nullptr);
  ASSERT_TRUE(view_->GoToAddress(CString("99 120")));
  EXPECT_EQ(text.GetPopup(), nullptr);
}

TEST_F(TextViewTest, ALinksToolTipShowsItsTargetBesideAStrip) {
  const int32_t citing = Topic("DU.1999.0120.0000");
  ASSERT_TRUE(view_->JumpToTopicNumber(citing, 0, 0));
  CMvSR& text = view_->GetTextPane();
  medview::HotspotTarget link;
  link.rect = RECT{30, 40, 120, 56};
  // A link to the topic already shown gets no tool tip.
  const int32_t here = medview::MvTopicNumberToPosition(LibraryTitle(), citing);
  EXPECT_FALSE(text.ShowTooltip(link, here, 3));
  EXPECT_EQ(text.GetTooltip(), nullptr);
  const int32_t there = medview::MvContextStringToPosition(LibraryTitle(), "DU.1998.0035.0000");
  // The sheet's selection does not come along into the tool tip.
  medview::MvSelectAt(text.GetViewer(), medview::kSelectAll, 0, 0, FALSE, nullptr);
  ASSERT_TRUE(medview::MvHasSelection(text.GetViewer()));
  ASSERT_TRUE(text.ShowTooltip(link, there, 3));
  CMvTooltipPane* tip = text.GetTooltip();
  ASSERT_NE(tip, nullptr);
  EXPECT_FALSE(medview::MvHasSelection(tip->GetViewer()));
  EXPECT_EQ(tip->GetStripColour(), COLORREF(app_->GetUserData().m_crLinkDU));
  CRect link_screen(link.rect), rect;
  text.ClientToScreen(&link_screen);
  tip->GetWindowRect(&rect);
  EXPECT_EQ(rect.top, link_screen.top + 25);  // 25 pixels below the link
  pump();
  gallery::Picture picture(tip->m_hWnd, "shell_view_tooltip");
  EXPECT_EQ(picture.pixel(2, 4), DWORD(tip->GetStripColour()));
  EXPECT_GT(picture.dark(RECT{CMvTooltipPane::kStripWidth, 0, rect.Width() - 2, rect.Height() - 2}), 50);
  EXPECT_FALSE(text.ShowTooltip(link, there, 3));  // one at a time
}

// A drop target that keeps what a drop brought.
class KeepingTarget : public COleDropTarget {
 public:
  std::vector<uint8_t> info, rtf;
  std::string text;
  int drops = 0;
  DROPEFFECT OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) override { return DROPEFFECT_COPY; }
  DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) override { return DROPEFFECT_COPY; }
  BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT, CPoint) override {
    ++drops;
    info = data->GetData(topicdrag::TopicInfoFormat());
    rtf = data->GetData(medview::MvRtfClipFormat());
    const std::vector<uint8_t> bytes = data->GetData(CF_TEXT);
    text.assign(bytes.begin(), bytes.end());
    text = text.substr(0, text.find('\0'));
    return TRUE;
  }
};

TEST_F(TextViewTest, PressingAHeaderOutsideItsLinksDragsItsTopic) {
  ASSERT_TRUE(view_->GoToAddress(CString("DU.1998.0034.0001")));
  pump();
  CMvNSR& header = view_->GetActHeaderPane();
  ASSERT_TRUE(header.IsWindowVisible());
  const int32_t topic = header.GetCurrentTopic();
  ASSERT_GE(topic, 0);
  ASSERT_NE(topic, view_->GetTextPane().GetCurrentTopic());
  shell::ContentsRecord record;
  ASSERT_TRUE(work_->ReadCatalogRecord(topic, record));
  const POINT press = PlainTextPoint(header);
  ASSERT_GE(press.x, 0);

  // A pop-up the header opened, below the header, which gave its capture back.
  const int32_t position = medview::MvContextStringToPosition(LibraryTitle(), "DU.1998.0035.0000");
  ASSERT_NE(position, -1);
  CRect client;
  header.GetClientRect(&client);
  ASSERT_TRUE(header.ShowPopup(RECT{10, client.bottom + 150, 60, client.bottom + 166}, &position));
  ASSERT_NE(header.GetPopup(), nullptr);
  CRect popup;
  header.GetPopup()->GetWindowRect(&popup);
  ASSERT_FALSE(popup.PtInRect(press));
  ::ReleaseCapture();

  CWnd sink;
  // Beside the main window, which the press brings to the front.
  ASSERT_TRUE(sink.CreateEx(0, nullptr, "Cel", WS_POPUP | WS_VISIBLE, CRect(920, 40, 1100, 120), nullptr, 0));
  KeepingTarget target;
  ASSERT_TRUE(target.Register(&sink));
  pump();
  mouse_down(press);
  when_captured([&] {
    mouse_move(screen_point(sink.m_hWnd, POINT{10, 10}));
    mouse_up(screen_point(sink.m_hWnd, POINT{20, 15}));
  });
  pump();
  target.Revoke();

  // The press closed the pop-up and dragged the header's topic from the view, with its level and
  // the header's kind, and the header's rendering for other programs.
  EXPECT_EQ(header.GetPopup(), nullptr);
  ASSERT_EQ(target.drops, 1);
  topicdrag::TopicInfoBlock block;
  ASSERT_TRUE(topicdrag::DecodeTopicInfo(target.info, app_->GetCatalog().RecordCount(), block));
  EXPECT_EQ(block.record, topic);
  EXPECT_EQ(block.source_window, topicdrag::WindowToken(view_));
  EXPECT_EQ(block.level, record.level);
  EXPECT_EQ(block.source_kind, topicdrag::kFromActHeader);
  EXPECT_EQ(std::string(target.rtf.begin(), target.rtf.end()).rfind("{\\rtf", 0), 0u);
  EXPECT_NE(utf8(target.text).find("o bibliotekach gminnych"), std::string::npos) << utf8(target.text);
  // The sheet stays where it was.
  EXPECT_EQ(header.GetCurrentTopic(), topic);
}

TEST_F(TextViewTest, LosingTheFocusOrTheActivationStopsAPanesHoverAndDragTimers) {
  ASSERT_TRUE(view_->GoToAddress(CString("98 34")));
  CMvSR& text = view_->GetTextPane();
  const int32_t position = medview::MvContextStringToPosition(LibraryTitle(), "DU.1999.0120.0000");
  ASSERT_TRUE(text.ShowPopup(RECT{20, 20, 80, 36}, &position));
  CMvPopupPane* popup = text.GetPopup();
  ASSERT_NE(popup, nullptr);
  for (UINT message : {UINT(WM_KILLFOCUS), UINT(WM_ACTIVATE)}) {
    SCOPED_TRACE(message);
    for (CMvPane* pane : {static_cast<CMvPane*>(&text), static_cast<CMvPane*>(popup)}) {
      pane->SetTimer(CMvPane::kHoverTimer, 650, nullptr);
      pane->SetTimer(CMvPane::kLinkDragTimer, 300, nullptr);
      pane->SendMessage(message, message == WM_ACTIVATE ? WA_INACTIVE : 0, 0);
      EXPECT_FALSE(pane->KillTimer(CMvPane::kHoverTimer));
      EXPECT_FALSE(pane->KillTimer(CMvPane::kLinkDragTimer));
    }
  }
}

TEST_F(TextViewTest, APictureLinkOpensAPictureSheet) {
  ASSERT_TRUE(view_->GoToAddress(CString("98 34")));
  CMvSR& text = view_->GetTextPane();
  EXPECT_FALSE(text.RunHotspotMacro("karta.png"));    // no per-cent sign
  EXPECT_FALSE(text.RunHotspotMacro("%brak.png@x"));  // not in the title
  ASSERT_TRUE(text.RunHotspotMacro("% karta.png @karta.png"));
  CDocTemplate* pictures = app_->GetPictureTemplate();
  ASSERT_NE(pictures, nullptr);
  ASSERT_EQ(pictures->documents().size(), 1u);
  EXPECT_EQ(pictures->documents().front()->GetTitle(), CString(" karta.png "));
}

TEST_F(TextViewTest, CopyPutsRtfAndTextWithPolishLettersOnTheClipboard) {
  ASSERT_TRUE(view_->GoToAddress(CString("98 35")));
  view_->SendMessage(WM_COMMAND, resources::ID_EDIT_SELECT_ALL);
  ASSERT_TRUE(view_->HasSelection());
  view_->SendMessage(WM_COMMAND, ID_EDIT_COPY);
  EXPECT_FALSE(view_->HasSelection());
  ASSERT_TRUE(::OpenClipboard(nullptr));
  const std::vector<uint8_t> text = ::GetClipboardData(CF_TEXT);
  const std::vector<uint8_t> rtf = ::GetClipboardData(medview::MvRtfClipFormat());
  ::CloseClipboard();
  const std::string plain = utf8(std::string(text.begin(), text.end()));
  EXPECT_NE(plain.find("Zieleń przydrożna"), std::string::npos) << plain;
  ASSERT_FALSE(rtf.empty());
  const std::string rtf_path = folder_ + "/copy.rtf";
  std::ofstream(rtf_path, std::ios::binary).write(reinterpret_cast<const char*>(rtf.data()), std::streamsize(rtf.size()));
  if (std::system("unrtf --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "unrtf is not installed";
  // Read as HTML: the letters come back as character references of their own code points.
  const std::string command = "unrtf --html '" + rtf_path + "' 2>/dev/null";
  std::string read;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) read.append(buffer, n);
    ::pclose(pipe);
  }
  EXPECT_NE(read.find("Ziele&#324; przydro&#380;na"), std::string::npos) << read.substr(0, 1500);
  EXPECT_NE(read.find("okre&#347;lonych"), std::string::npos);
}

TEST_F(TextViewTest, SelectedTextIsThePlainTextWithoutLeadingControlsAndNotTooLong) {
  ASSERT_TRUE(view_->GoToAddress(CString("98 35")));
  CMvSR& text = view_->GetTextPane();
  CString selected;
  EXPECT_FALSE(view_->GetSelectedText(selected));
  view_->SendMessage(WM_COMMAND, resources::ID_EDIT_SELECT_ALL);
  // The whole act is far longer than 255 characters: nothing is handed to searches.
  EXPECT_FALSE(view_->GetSelectedText(selected));
  // One word.
  medview::MvClearSelection(text.GetViewer(), nullptr);
  RECT start{}, end{};
  const int32_t found = medview::MvSetSelection(text.GetViewer(), 0, 0, 0, 0);
  (void)found;
  int32_t a, b, c, d;
  medview::MvSelectAt(text.GetViewer(), medview::kSelectAll, 0, 0, FALSE, nullptr);
  ASSERT_TRUE(medview::MvGetSelection(text.GetViewer(), &a, &b, &c, &d));
  ASSERT_EQ(medview::MvSetSelection(text.GetViewer(), a, b, a, b + 6), 0);
  medview::MvGetSelectionRects(text.GetViewer(), &start, &end);
  ASSERT_TRUE(view_->GetSelectedText(selected));
  EXPECT_GE(selected.GetLength(), 1);
  EXPECT_LE(selected.GetLength(), 6);
  EXPECT_GE(static_cast<unsigned char>(selected.str()[0]), 32);
}

TEST_F(TextViewTest, FindInActMarksTheWordsAndF3StepsThroughThem) {
  ASSERT_TRUE(view_->GoToAddress(CString("98 35")));
  EXPECT_FALSE(view_->FindInAct(CString("   ")));
  EXPECT_FALSE(view_->FindInAct(CString(base::cp1250::from_utf8("nieistniejącesłowo"))));
  ASSERT_TRUE(view_->FindInAct(CString(base::cp1250::from_utf8(" ustawie "))));
  EXPECT_NE(view_->GetOwnQueryHits(), nullptr);
  EXPECT_GT(view_->GetFoundWordCount(), 0);
  EXPECT_NE(view_->GetStatusText(2).str(), " ");
  CMvSR& text = view_->GetTextPane();
  EXPECT_EQ(text.GetCurrentHit(), 0);
  view_->ShowFoundWord(TRUE, FALSE);
  EXPECT_GT(text.GetCurrentHit(), 0);
  const int after_next = text.GetCurrentHit();
  view_->ShowFoundWord(FALSE, FALSE);
  EXPECT_LT(text.GetCurrentHit(), after_next);
  // Found-word mode off clears the marks and the status pane; the in-act results are gone.
  view_->SendMessage(WM_COMMAND, resources::ID_HIGHLIGHT_FOUND);
  view_->SendMessage(WM_COMMAND, resources::ID_HIGHLIGHT_FOUND);
  EXPECT_EQ(view_->GetOwnQueryHits(), nullptr);
  EXPECT_EQ(view_->GetStatusText(2), CString(" "));
  EXPECT_EQ(medview::MvGetHitList(text.GetViewer()), nullptr);
}

TEST_F(TextViewTest, KeysAndWheelScrollTheTextButShiftPagesAreLeftToTheAccelerators) {
  view_->GetParentFrame()->MoveWindow(0, 0, 500, 220);
  pump();
  ASSERT_TRUE(view_->GoToAddress(CString("98 35")));
  CMvSR& text = view_->GetTextPane();
  ASSERT_TRUE(text.CanScrollV());
  text.SetFocus();
  const int32_t top = medview::MvGetVerticalThumb(text.GetViewer());
  EXPECT_EQ(top, 0);
  text.SendMessage(WM_KEYDOWN, VK_NEXT, 1);
  const int32_t paged = medview::MvGetVerticalThumb(text.GetViewer());
  EXPECT_GT(paged, top);
  int low = -1, high = -1;
  text.GetScrollRange(SB_VERT, &low, &high);
  EXPECT_EQ(text.GetScrollPos(SB_VERT), paged) << low << " " << high << " style " << std::hex << text.GetStyle();
  text.SendMessage(WM_KEYDOWN, VK_PRIOR, 1);
  EXPECT_EQ(medview::MvGetVerticalThumb(text.GetViewer()), 0);
  // Shift+PgDn: the pane itself never scrolls (the accelerators' next page may show another topic,
  // which starts at its top).
  win::KeyModifiers shift;
  shift.shift = true;
  text.SetFocus();
  press_key(VK_NEXT, 0, shift);
  pump();
  EXPECT_EQ(medview::MvGetVerticalThumb(text.GetViewer()), 0);
  ASSERT_TRUE(view_->GoToAddress(CString("98 35")));
  // The wheel: 240 units two lines, 119 nothing.
  text.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(-119))), 0);
  EXPECT_EQ(medview::MvGetVerticalThumb(text.GetViewer()), 0);
  text.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(-120))), 0);
  const int32_t one = medview::MvGetVerticalThumb(text.GetViewer());
  EXPECT_GT(one, 0);
  text.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(-240))), 0);
  EXPECT_GT(medview::MvGetVerticalThumb(text.GetViewer()), one);
  text.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(2400))), 0);
  EXPECT_EQ(medview::MvGetVerticalThumb(text.GetViewer()), 0);
  // Dragging the thumb paints through a back buffer, which goes when the drag ends.
  text.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 9000), 0);
  EXPECT_TRUE(text.HasBackBuffer());
  text.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 9000), 0);
  EXPECT_FALSE(text.HasBackBuffer());
  EXPECT_GT(medview::MvGetVerticalThumb(text.GetViewer()), 0);
  pump();
  text.UpdateWindow();
  gallery::Picture shell_view_scrolled(view_->m_hWnd, "shell_view_scrolled");
  // The text is laid out for the client area left beside the scroll bar: no line runs under it.
  CRect client;
  text.GetClientRect(&client);
  int32_t laid_width = 0, laid_height = 0;
  frame::MvGetLayoutExtent(text.GetViewer(), &laid_width, &laid_height);
  EXPECT_LE(laid_width, client.Width() + 4);  // a bar's width more before the fix
}

TEST_F(TextViewTest, TheWorkShowsTopicsInItsSheets) {
  const int32_t a = Topic("DU.1998.0035.0000");
  ASSERT_TRUE(work_->OpenTopic(a, 0, 0));
  EXPECT_EQ(work_->GetTextViews().size(), 1u);  // the current sheet shows it
  EXPECT_EQ(frame::MvGetCurrentTopic(view_->GetViewer()), a);
  EXPECT_TRUE(work_->GoToAddress(CString("99 121")));
  EXPECT_EQ(view_->GetActDescription().record.number, 121);
  EXPECT_FALSE(work_->GoToAddress(CString("99 999")));
  EXPECT_FALSE(work_->ShowTopicAtPosition(-1, 0, 0));
  // "Nowe okno": the same topic in a new sheet, which becomes the current one.
  work_->OpenNewSheet();
  ASSERT_EQ(work_->GetTextViews().size(), 2u);
  CLumoKALView* second = work_->GetCurrentTextView();
  ASSERT_NE(second, view_);
  EXPECT_EQ(second->GetActDescription().record.number, 121);
  // Another title file: every sheet is bound again and shows the contents; closing unbinds them.
  const std::string path = library_->folder + "/" + compiler::kLibraryFileName;
  ASSERT_NE(work_->OpenTitle(CString(path)), nullptr);
  for (CLumoKALView* view : work_->GetTextViews()) {
    ASSERT_NE(view->GetViewer(), nullptr);
    EXPECT_EQ(view->GetViewer()->target, medview::MvGetStartTopicPosition(LibraryTitle()));
  }
  work_->CloseTitle();
  for (CLumoKALView* view : work_->GetTextViews()) {
    EXPECT_EQ(view->GetViewer(), nullptr);
    EXPECT_EQ(view->GetCurrentPosition(), -1);
    EXPECT_FALSE(view->JumpToTopicNumber(a, 0, 0));
  }
}

TEST_F(TextViewTest, SearchingTheSelectionTwiceSearchesOnce) {
  ASSERT_TRUE(view_->GoToAddress(CString("98 35")));
  CMvSR& text = view_->GetTextPane();
  int32_t a, b, c, d;
  medview::MvSelectAt(text.GetViewer(), medview::kSelectAll, 0, 0, FALSE, nullptr);
  ASSERT_TRUE(medview::MvGetSelection(text.GetViewer(), &a, &b, &c, &d));
  // F3 has nothing to step through yet.
  struct Probe : CCmdUI {
    int enabled = -1;
    void Enable(BOOL on) override { enabled = on ? 1 : 0; }
  };
  Probe before;
  before.m_nID = resources::ID_NEXT_FOUND;
  before.DoUpdate(view_, FALSE);
  EXPECT_EQ(before.enabled, 0);
  ASSERT_EQ(medview::MvSetSelection(text.GetViewer(), a, b, a, b + 5), 0);
  const uint32_t searches = app_->GetDocumentData().m_nSearches;
  view_->SendMessage(WM_COMMAND, resources::ID_FIND_SELECTION_IN_ACT);
  EXPECT_EQ(app_->GetDocumentData().m_nSearches, searches + 1);
  EXPECT_NE(view_->GetOwnQueryHits(), nullptr);
  Probe after;
  after.m_nID = resources::ID_NEXT_FOUND;
  after.DoUpdate(view_, FALSE);
  EXPECT_EQ(after.enabled, 1);
  medview::MvSetSelection(text.GetViewer(), a, b, a, b + 5);
  view_->SendMessage(WM_COMMAND, resources::ID_FIND_SELECTION_IN_ACT);
  EXPECT_EQ(app_->GetDocumentData().m_nSearches, searches + 1);
}

TEST_F(TextViewTest, TheOffScreenPaneLaysOutAndCopiesWithoutAWindow) {
  CMvDummy dummy;
  ASSERT_TRUE(dummy.Create(nullptr));
  const int32_t act = Topic("DU.1998.0035.0000");
  ASSERT_TRUE(dummy.ShowTopicNumber(act, TRUE));
  ASSERT_TRUE(dummy.Relayout());
  EXPECT_EQ(dummy.GetViewer()->window, nullptr);
  const std::vector<uint8_t> bytes = medview::MvCopyRegionText(dummy.GetViewer(), nullptr);
  EXPECT_NE(utf8(std::string(bytes.begin(), bytes.end())).find("Zieleń przydrożna"), std::string::npos);
  EXPECT_FALSE(dummy.ShowTopicNumber(-5, TRUE));
}

// The developer command builds the same contents index the library compiler wrote, reading the
// topics off-screen: the sheet stays on its act and the status bar returns to its idle prompt.
TEST_F(TextViewTest, TheIndexBuilderWritesTheCompilersContentsIndexWithoutMovingTheSheet) {
  const int32_t act = Topic("DU.1998.0035.0000");
  ASSERT_TRUE(view_->JumpToTopicNumber(act, 0, 0));
  const std::string built = CLumoKALView::BuiltIndexPath();
  // A longer stale file in the way loses its tail.
  std::ofstream(built, std::ios::binary) << std::string(1 << 20, 'S');
  view_->SendMessage(WM_COMMAND, resources::ID_BUILD_INDEX);
  pump();
  auto read = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  };
  const std::string expected = read(library_->folder + "/" + compiler::kContentsFileName);
  ASSERT_FALSE(expected.empty());
  EXPECT_TRUE(read(built) == expected) << "built " << read(built).size() << " bytes, compiled " << expected.size();
  EXPECT_EQ(frame::MvGetCurrentTopic(view_->GetViewer()), act);
}

// The notes command runs the "Notatki" dialog modally, on the notes of the user's data folder; a
// note added there belongs to the act the sheet shows.
TEST_F(TextViewTest, TheNotesCommandRunsTheNotesDialog) {
  ASSERT_TRUE(view_->JumpToTopicNumber(Topic("DU.1998.0034.0000"), 0, 0));
  constexpr UINT kClose = WM_APP + 0x7A;
  std::string caption;
  win::set_message_observer([&](HWND h, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG && !(::GetWindowLong(h, GWL_STYLE) & WS_CHILD)) ::PostMessage(h, kClose, 0, 0);
    if (message == kClose) {
      char text[64] = {};
      ::GetWindowText(h, text, sizeof text);
      caption = text;
      ::SendMessage(h, WM_COMMAND, resources::ID_NOTE_EDIT, 0);
      ::SetDlgItemText(h, int(resources::IDC_NOTE_TEXT), "Art. 2 do przeczytania");
      ::SendMessage(h, WM_COMMAND, IDOK, 0);
    }
  });
  // The main menu's entries reach the sheet's view.
  CWnd* main = app_->m_pMainWnd;
  ASSERT_NE(main, nullptr);
  CMenu popup;
  ASSERT_TRUE(popup.CreatePopupMenu());
  popup.AppendMenu(MF_STRING, resources::ID_BUILD_INDEX, "BuildIndex");
  popup.AppendMenu(MF_STRING, resources::ID_ANNOTATION, "Annotation");
  main->SendMessage(WM_INITMENUPOPUP, WPARAM(popup.m_hMenu), 0);
  EXPECT_FALSE(popup.GetMenuState(resources::ID_BUILD_INDEX, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(popup.GetMenuState(resources::ID_ANNOTATION, MF_BYCOMMAND) & MF_GRAYED);
  popup.DestroyMenu();
  main->SendMessage(WM_COMMAND, resources::ID_ANNOTATION);
  win::set_message_observer(nullptr);
  EXPECT_EQ(caption, "Notatki");
  CNoteRecordset notes;
  ASSERT_TRUE(notes.Open());
  ASSERT_EQ(notes.GetRecordCount(), 1);
  EXPECT_EQ(std::string(notes.m_aid), "DU 1998.0012.0034");
  EXPECT_EQ(std::string(notes.m_note), "Art. 2 do przeczytania");
}

// The developer commands stand in the main menu's "Narzędzia" pop-up, enabled while a sheet is open.
TEST_F(TextViewTest, TheMainMenuShowsTheDeveloperCommands) {
  CWnd* main = app_->m_pMainWnd;
  ASSERT_NE(main, nullptr);
  HMENU bar = ::LoadMenu(nullptr, resources::IDR_MAINFRAME);
  ASSERT_NE(bar, nullptr);
  HMENU tools = ::GetSubMenu(bar, 3);
  ASSERT_NE(tools, nullptr);
  MenuScript script;
  std::vector<std::string> labels;
  std::vector<bool> greyed;
  int inked_rows = 0;
  script.later([&] {
    const std::vector<framework::MenuPopupWnd*> popups = open_popups();
    ASSERT_FALSE(popups.empty());
    framework::MenuPopupWnd* shown = popups.back();
    const auto items = framework::menu_items(shown->menu());
    gallery::Picture picture(shown->m_hWnd, "shell_view_tools_menu", true);
    for (size_t i = 0; i < items.size(); ++i) {
      if (items[i].id != resources::ID_BUILD_INDEX && items[i].id != resources::ID_ANNOTATION) continue;
      labels.push_back(utf8(items[i].text));
      greyed.push_back((items[i].flags & MF_GRAYED) != 0);
      const RECT item = shown->ItemRect(int(i));
      POINT a{item.left, item.top}, b{item.right, item.bottom};
      ::ScreenToClient(shown->m_hWnd, &a);
      ::ScreenToClient(shown->m_hWnd, &b);
      inked_rows += picture.dark(CRect(a, b)) > 10 ? 1 : 0;
    }
    press_key(VK_ESCAPE);
  });
  ::TrackPopupMenu(tools, TPM_LEFTALIGN, 100, 100, 0, main->m_hWnd, nullptr);
  pump();
  ::DestroyMenu(bar);
  EXPECT_EQ(labels, (std::vector<std::string>{"BuildIndex", "Annotation"}));
  EXPECT_EQ(greyed, (std::vector<bool>{false, false}));
  EXPECT_EQ(inked_rows, 2);
}

class FakeTarget : public CWheelTarget {
 public:
  explicit FakeTarget(CWnd* window) : window_(window) {}
  CWnd* TargetWindow() override { return window_; }
  BOOL WheelCanScrollH() override { return h; }
  BOOL WheelCanScrollV() override { return v; }
  void WheelScroll(shell::view::WheelDirection direction, int) override {
    last = direction;
    ++steps;
  }
  CWnd* window_;
  bool h = false, v = true;
  shell::view::WheelDirection last = shell::view::WheelDirection::none;
  int steps = 0;
};

TEST_F(TextViewTest, WheelAutoScrollingScrollsFasterFartherFromThePressPoint) {
  FakeTarget target(view_);
  target.v = target.h = false;
  EXPECT_EQ(StartWheelScrolling(&target, {100, 100}), nullptr);  // nothing to scroll
  target.v = true;
  CWheelWnd* wheel = StartWheelScrolling(&target, {100, 100});
  ASSERT_NE(wheel, nullptr);
  EXPECT_EQ(wheel->GetOrigin().x, 100);  // the press point, the mouse never moved
  EXPECT_EQ(wheel->GetImageOffset(), 52);
  wheel->Tick({100, 100});
  EXPECT_EQ(wheel->GetCursorId(), 136u);
  for (int i = 0; i < 49; ++i) wheel->Tick({100, 105});
  EXPECT_EQ(target.steps, 0);
  wheel->Tick({100, 105});  // 5 pixels: one line every 50 ticks
  EXPECT_EQ(target.steps, 1);
  EXPECT_EQ(target.last, shell::view::WheelDirection::down);
  for (int i = 0; i < 5; ++i) wheel->Tick({100, 50});  // 50 pixels up: every 5 ticks
  EXPECT_EQ(target.steps, 2);
  EXPECT_EQ(target.last, shell::view::WheelDirection::up);
  pump();
  gallery::Picture shell_view_wheel(wheel->m_hWnd, "shell_view_wheel");
  // The window is round: its corners let the mouse through to the sheet below.
  CRect at;
  wheel->GetWindowRect(&at);
  EXPECT_EQ(::WindowFromPoint(POINT{at.left + 15, at.top + 15}), wheel->m_hWnd);
  EXPECT_EQ(::WindowFromPoint(POINT{at.left + 2, at.top + 15}), wheel->m_hWnd);
  for (POINT corner : {POINT{at.left + 1, at.top + 1}, POINT{at.right - 2, at.bottom - 2}, POINT{at.left + 29, at.top + 15}}) {
    EXPECT_NE(::WindowFromPoint(corner), wheel->m_hWnd) << corner.x - at.left << "," << corner.y - at.top;
  }
  EXPECT_NE(::GetCursor(), nullptr);
  wheel->SendMessage(WM_LBUTTONDOWN, 0, 0);  // any click ends it (the window deletes itself)
  pump();
  EXPECT_EQ(::GetCursor(), nullptr);  // the direction cursor went with it
}

// --- Context menus and link commands ---------------------------------------------------------------

TEST_F(TextViewTest, TheContextMenuOffersALinksCommandsOrTheSheetsAndTheLinksOpen) {
  const int32_t citing = Topic("DU.1999.0120.0000");
  ASSERT_TRUE(view_->JumpToTopicNumber(citing, 0, 0));
  CMvSR& text = view_->GetTextPane();
  medview::HotspotTarget link{};
  const POINT on_link = LinkPoint(text, &link);
  ASSERT_NE(on_link.x, -1);
  const int32_t target = text.TargetTopic(link.target);

  using namespace resources;
  const std::vector<UINT> link_menu{ID_ENTRY_OPEN, ID_ENTRY_OPEN_NEW_SHEET, 0, ID_ENTRY_INFORMATION,
                                    ID_ENTRY_ADD_BOOKMARK, ID_ENTRY_LOCATE_IN_LIBRARY};
  EXPECT_EQ(MenuAt(text, on_link), link_menu);
  // A right click asks for the same menu.
  std::vector<UINT> clicked;
  framework::set_menu_chooser([&](HMENU menu, HWND, POINT) {
    for (const auto& item : framework::menu_items(menu)) clicked.push_back(item.id);
    return 0u;
  });
  POINT client = on_link;
  text.ScreenToClient(&client);
  click(text.m_hWnd, client, win::MouseButton::right);
  pump();
  framework::set_menu_chooser(nullptr);
  EXPECT_EQ(clicked, link_menu);
  // Plain text: the sheet's menu, with copying only while something is selected.
  const POINT plain = PlainTextPoint(text);
  ASSERT_NE(plain.x, -1);
  std::vector<UINT> ids = MenuAt(text, plain);
  ASSERT_FALSE(ids.empty());
  EXPECT_EQ(ids.front(), resources::ID_EDIT_SELECT_ALL);
  medview::MvSelectAt(text.GetViewer(), medview::kSelectAll, 0, 0, FALSE, nullptr);
  ids = MenuAt(text, plain);
  ASSERT_FALSE(ids.empty());
  EXPECT_EQ(ids.front(), resources::ID_EDIT_COPY);
  medview::MvClearSelection(text.GetViewer(), nullptr);

  // "&Otwórz" jumps in this sheet, "Otwórz w &nowym oknie" opens a new one.
  MenuAt(text, on_link, ID_ENTRY_OPEN);
  EXPECT_EQ(frame::MvGetCurrentTopic(view_->GetViewer()), target);
  EXPECT_EQ(work_->GetTextViews().size(), 1u);
  ASSERT_TRUE(view_->GoBack());
  MenuAt(text, on_link, ID_ENTRY_OPEN_NEW_SHEET);
  ASSERT_EQ(work_->GetTextViews().size(), 2u);
  EXPECT_EQ(frame::MvGetCurrentTopic(work_->GetCurrentTextView()->GetViewer()), target);
  EXPECT_EQ(frame::MvGetCurrentTopic(view_->GetViewer()), citing);
}

TEST_F(TextViewTest, TheLinkMenuShownOnScreenHasItsPolishItems) {
  const int32_t citing = Topic("DU.1999.0120.0000");
  ASSERT_TRUE(view_->JumpToTopicNumber(citing, 0, 0));
  CMvSR& text = view_->GetTextPane();
  medview::HotspotTarget link{};
  const POINT on_link = LinkPoint(text, &link);
  ASSERT_NE(on_link.x, -1);
  MenuScript script;
  std::vector<std::string> labels;
  int dark_rows = 0;
  script.later([&] {
    const std::vector<framework::MenuPopupWnd*> popups = open_popups();
    ASSERT_FALSE(popups.empty());
    framework::MenuPopupWnd* shown = popups.back();
    for (const auto& item : framework::menu_items(shown->menu())) labels.push_back(utf8(item.text));
    gallery::Picture picture(shown->m_hWnd, "shell_view_link_menu", true);
    // Every item row but the separator carries text.
    for (int position : {0, 1, 3, 4, 5}) {
      const RECT item = shown->ItemRect(position);
      POINT a{item.left, item.top}, b{item.right, item.bottom};
      ::ScreenToClient(shown->m_hWnd, &a);
      ::ScreenToClient(shown->m_hWnd, &b);
      dark_rows += picture.dark(CRect(a, b)) > 10 ? 1 : 0;
    }
    press_key(VK_ESCAPE);
  });
  text.SendMessage(WM_CONTEXTMENU, WPARAM(text.m_hWnd), MAKELPARAM(on_link.x, on_link.y));
  pump();
  const std::vector<std::string> expected{"&Otwórz", "Otwórz w &nowym oknie", "", "Infor&macja", "Dodaj zakładkę",
                                          "&Zlokalizuj w Bibliotece"};
  EXPECT_EQ(labels, expected);
  EXPECT_EQ(dark_rows, 5);

  // The sheet's own menu, on plain text.
  const POINT plain = PlainTextPoint(text);
  ASSERT_NE(plain.x, -1);
  labels.clear();
  int page_ink = 0;
  script.later([&] {
    const std::vector<framework::MenuPopupWnd*> popups = open_popups();
    ASSERT_FALSE(popups.empty());
    framework::MenuPopupWnd* shown = popups.back();
    for (const auto& item : framework::menu_items(shown->menu())) labels.push_back(utf8(item.text));
    gallery::Picture picture(shown->m_hWnd, "shell_view_sheet_menu", true);
    const RECT item = shown->ItemRect(3);
    POINT a{item.left, item.top}, b{item.right, item.bottom};
    ::ScreenToClient(shown->m_hWnd, &a);
    ::ScreenToClient(shown->m_hWnd, &b);
    page_ink = picture.dark(CRect(a, b));
    press_key(VK_ESCAPE);
  });
  text.SendMessage(WM_CONTEXTMENU, WPARAM(text.m_hWnd), MAKELPARAM(plain.x, plain.y));
  pump();
  ASSERT_GE(labels.size(), 4u);
  EXPECT_EQ(labels[3], "&Następna strona\tShift+PageDn");
  EXPECT_GT(page_ink, 10);
}

TEST_F(TextViewTest, TheLinkMenuShowsTheTargetInTheActWindowAndBookmarksIt) {
  AddNavigatorBars();
  const int32_t citing = Topic("DU.1999.0120.0000");
  ASSERT_TRUE(view_->JumpToTopicNumber(citing, 0, 0));
  CMvSR& text = view_->GetTextPane();
  medview::HotspotTarget link{};
  const POINT on_link = LinkPoint(text, &link);
  ASSERT_NE(on_link.x, -1);
  const int32_t target = text.TargetTopic(link.target);

  EXPECT_FALSE(IsActInfoDialogVisible());
  MenuAt(text, on_link, resources::ID_ENTRY_INFORMATION);
  ASSERT_TRUE(IsActInfoDialogVisible());
  CActDlg* info = GetActInfoDialog();
  EXPECT_EQ(info->GetRecord(), target);
  EXPECT_EQ(info->GetCurrentTab(), 0);
  shell::ActDescription d;
  work_->GetActDescription(target, d);
  EXPECT_EQ(info->GetLines().address, actinfo::Describe(d).address);
  EXPECT_NE(info->GetLines().address.find(std::to_string(d.FullYear())), std::string::npos);
  {
    gallery::Picture picture(info->m_hWnd, "shell_view_act_info", true);
    CRect client;
    info->GetClientRect(&client);
    // The labels of the tabs and the act's lines are drawn.
    EXPECT_GT(picture.dark(CRect(60, 0, client.Width(), 40)), 40);
    EXPECT_GT(picture.dark(CRect(10, 40, client.Width() - 10, client.Height() - 10)), 40);
  }
  // While it shows, the window follows the sheet: a jump shows the new act there.
  info->ShowAct(citing);
  ASSERT_TRUE(view_->JumpToTopicNumber(target, 0, 0));
  const int32_t shown = frame::MvGetCurrentTopic(view_->GetViewer());
  EXPECT_NE(shown, citing);
  EXPECT_EQ(info->GetRecord(), shown);
  // Hidden, it follows nothing.
  info->SendMessage(WM_COMMAND, IDCANCEL);
  EXPECT_FALSE(IsActInfoDialogVisible());
  ASSERT_TRUE(view_->JumpToTopicNumber(citing, 0, 0));
  EXPECT_EQ(info->GetRecord(), shown);

  // "Dodaj zakładkę" of the link adds a bookmark of its target.
  ASSERT_TRUE(view_->JumpToTopicNumber(citing, 0, 0));
  MenuAt(text, on_link, resources::ID_ENTRY_ADD_BOOKMARK);
  ASSERT_EQ(work_->GetBookmarks().size(), 1u);
  EXPECT_EQ(work_->GetBookmarks()[0]->m_nTopic, target);
  EXPECT_EQ(nav_.GetBookmarkTab()->GetList().GetItemCount(), 1);
}

TEST_F(TextViewTest, TheActWindowBeforeAnyActAndItsTabs) {
  CActDlg* info = ShowActInfoDialog();
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(ShowActInfoDialog(), info);  // one window
  EXPECT_EQ(info->GetCurrentTab(), -1);
  {
    gallery::Picture picture(info->m_hWnd, "shell_view_act_info_empty", true);
    CRect client;
    info->GetClientRect(&client);
    EXPECT_GT(picture.dark(CRect(0, client.Height() / 2 - 10, client.Width(), client.Height() / 2 + 20)), 20);
  }
  const int32_t act = Topic("DU.1998.0035.0000");
  info->ShowAct(act);
  EXPECT_EQ(info->GetCurrentTab(), 0);
  info->SelectTab(2);
  info->ShowAct(act);  // the act already shown changes nothing, not even the tab
  EXPECT_EQ(info->GetCurrentTab(), 2);
  info->ShowAct(0);
  EXPECT_EQ(info->GetRecord(), act);
  info->SelectTab(7);
  EXPECT_EQ(info->GetCurrentTab(), 2);
  // A click on a tab selects it.
  const RECT first = info->GetTabRects()[0];
  info->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(first.left + 5, first.top + 5));
  EXPECT_EQ(info->GetCurrentTab(), 0);
  // Esc hides it where it is; made again, it opens there.
  info->SetWindowPos(nullptr, 210, 140, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  info->SendMessage(WM_COMMAND, IDCANCEL);
  EXPECT_FALSE(IsActInfoDialogVisible());
  info->DestroyWindow();  // the window deletes itself
  EXPECT_EQ(GetActInfoDialog(), nullptr);
  info = ShowActInfoDialog();
  ASSERT_NE(info, nullptr);
  CRect placed;
  info->GetWindowRect(&placed);
  EXPECT_EQ(placed.TopLeft(), CPoint(210, 140));
}

// --- Styles and annotations -------------------------------------------------------------------------

TEST_F(TextViewTest, StylesChangeByIndexOrName) {
  ASSERT_TRUE(view_->GoToAddress(CString("98 35")));
  CMvSR& text = view_->GetTextPane();
  // The library's sheet names no styles: give it five, as libraries with link styles have.
  const title::StyleSheet* sheet = medview::MvGetStyleSheet(text.GetViewer());
  ASSERT_NE(sheet, nullptr);
  auto* editable = const_cast<title::StyleSheet*>(sheet);
  for (const char* named : {"Normalny", "Nagłówek", "Tytuł", "Odnośnik DU", "Odnośnik poz."}) {
    title::StyleRecord style;
    style.number = uint16_t(editable->styles.size() + 1);
    style.styleName = base::cp1250::from_utf8(named);
    editable->styles.push_back(style);
  }
  ASSERT_EQ(text.GetStyleCount(), 5);
  auto read = [&](int32_t index, title::LogFontHead& font, std::string& face, std::array<uint8_t, 3>& colour,
                  uint8_t& flags, std::string* name) {
    return medview::MvGetStyle(sheet, &index, name,
                               {.font = &font, .face = &face, .textColour = &colour, .flags = &flags}, nullptr);
  };
  title::LogFontHead font;
  std::string face, name;
  std::array<uint8_t, 3> colour{};
  uint8_t flags = 0;
  ASSERT_TRUE(read(4, font, face, colour, flags, &name));
  ASSERT_EQ(utf8(name), "Odnośnik poz.");

  LOGFONT lf{};
  lf.lfHeight = -19;
  lf.lfWeight = 700;
  std::strcpy(lf.lfFaceName, "Arial");
  CFont arial;
  ASSERT_TRUE(arial.CreateFontIndirect(&lf));
  text.SetTextColor(RGB(0x12, 0x34, 0x56));
  ASSERT_TRUE(text.SetStyleByIndex(4, &arial, TRUE, 1, 0));
  ASSERT_TRUE(read(4, font, face, colour, flags, nullptr));
  EXPECT_EQ(font.weight, 700);
  EXPECT_EQ(font.height, -19);
  EXPECT_EQ(face, "Arial");
  EXPECT_EQ(font.underline, 0xFF);
  EXPECT_EQ(colour, (std::array<uint8_t, 3>{0x56, 0x34, 0x12}));  // blue, green, red

  // By name: underline off, a new flag byte; font and colours kept.
  ASSERT_TRUE(text.SetStyleByName(name.c_str(), nullptr, FALSE, 3, 0x21));
  ASSERT_TRUE(read(4, font, face, colour, flags, nullptr));
  EXPECT_EQ(font.underline, 0);
  EXPECT_EQ(flags, 0x21);
  EXPECT_EQ(face, "Arial");
  // Refused: no name, a name over 64 characters, a name no style has, an index out of range.
  EXPECT_FALSE(text.SetStyleByName("", nullptr, FALSE, 1, 0));
  EXPECT_FALSE(text.SetStyleByName(std::string(65, 'a').c_str(), nullptr, FALSE, 1, 0));
  EXPECT_FALSE(text.SetStyleByName("nie ma takiego stylu", nullptr, FALSE, 1, 0));
  EXPECT_FALSE(text.SetStyleByIndex(-1, nullptr, FALSE, 1, 0));
  EXPECT_FALSE(text.SetStyleByIndex(text.GetStyleCount() + 5, nullptr, FALSE, 1, 0));
}

TEST_F(TextViewTest, AnAnnotationIsInsertedIntoTheTopicShown) {
  ASSERT_TRUE(view_->GoToAddress(CString("98 35")));
  CMvSR& text = view_->GetTextPane();
  const int32_t position = view_->GetCurrentPosition();
  EXPECT_TRUE(text.AddAnnotation(position, 10));
  EXPECT_TRUE(text.AddAnnotation(position, 40));
  text.Layout();
  pump();
  gallery::Picture picture(view_->m_hWnd, "shell_view_annotated");
  CMvSR detached;
  EXPECT_FALSE(detached.AddAnnotation(position, 10));
}

// --- History tab and bookmarks ------------------------------------------------------------------------

TEST_F(TextViewTest, JumpsFeedTheHistoryTabOfTheCurrentSheet) {
  AddNavigatorBars();
  CHistoryTab* tab = nav_.GetHistoryTab();
  ASSERT_NE(tab, nullptr);
  const int32_t first = Topic("DU.1998.0035.0000");
  const int32_t second = Topic("DU.1999.0120.0000");
  ASSERT_TRUE(view_->JumpToTopicNumber(first, 0, 0));
  ASSERT_TRUE(view_->JumpToTopicNumber(second, 0, 0));
  ASSERT_TRUE(view_->JumpToTopicNumber(first, 0, 0));
  EXPECT_EQ(tab->GetBoundView(), view_);
  ASSERT_EQ(tab->GetList().GetItemCount(), view_->GetHistoryCount());
  // Newest first, numbered from 1.
  EXPECT_EQ(tab->EntryOfRow(0), view_->GetHistoryItem(view_->GetHistoryCount() - 1));
  EXPECT_EQ(tab->EntryOfRow(0)->m_nTopic, second);
  EXPECT_EQ(tab->RowText(0, 0), "1");
  // Fifty-one places: fifty rows, the oldest gone.
  for (int i = 0; i < 26; ++i) {
    ASSERT_TRUE(view_->JumpToTopicNumber(second, 0, 0));
    ASSERT_TRUE(view_->JumpToTopicNumber(first, 0, 0));
  }
  EXPECT_EQ(view_->GetHistoryCount(), 50);
  EXPECT_EQ(tab->GetList().GetItemCount(), 50);
  EXPECT_EQ(tab->RowText(49, 0), "50");
  for (int row = 0; row < 50; ++row) ASSERT_NE(tab->EntryOfRow(row), nullptr) << row;
  // Going back does not add rows; clearing the history empties the tab.
  view_->ClearHistory();
  EXPECT_EQ(tab->GetList().GetItemCount(), 0);

  // A second sheet takes the tab with its first place.
  CMvSR& text = view_->GetTextPane();
  ASSERT_TRUE(view_->JumpToTopicNumber(second, 0, 0));
  const medview::HotspotTarget link = FirstHotspot(text, 1);
  ASSERT_EQ(link.type, 1);
  text.OnHotspot(0, 0, 0, link, MK_CONTROL);
  pump();
  CLumoKALView* other = work_->GetCurrentTextView();
  ASSERT_NE(other, view_);
  ASSERT_TRUE(other->JumpToTopicNumber(first, 0, 0));
  EXPECT_EQ(tab->GetBoundView(), other);
  EXPECT_EQ(tab->GetList().GetItemCount(), 1);
  // Activating a sheet shows its own history.
  auto* main = dynamic_cast<CMDIFrameWnd*>(app_->m_pMainWnd);
  main->MDIActivate(view_->GetParentFrame());
  pump();
  EXPECT_EQ(tab->GetBoundView(), view_);
  EXPECT_EQ(tab->GetList().GetItemCount(), view_->GetHistoryCount());
  main->MDIActivate(other->GetParentFrame());
  pump();
  EXPECT_EQ(tab->GetBoundView(), other);
  // Closed, it is let go of; the sheet active then shows its own.
  other->GetParentFrame()->DestroyWindow();
  pump();
  EXPECT_EQ(tab->GetBoundView(), view_);
  EXPECT_EQ(tab->GetList().GetItemCount(), view_->GetHistoryCount());
  // Without any sheet the tab is empty.
  view_->GetParentFrame()->DestroyWindow();
  pump();
  EXPECT_EQ(tab->GetBoundView(), nullptr);
  EXPECT_EQ(tab->GetList().GetItemCount(), 0);
  view_ = nullptr;
}

TEST_F(TextViewTest, LocateSelectsTheActShownInTheLibraryTree) {
  AddNavigatorBars();
  CDUTree* tree = lists_.GetLibraryTree();
  ASSERT_NE(tree, nullptr);
  tree->LoadContents();
  const int32_t act = Topic("DU.1998.0035.0000");
  ASSERT_TRUE(view_->JumpToTopicNumber(act, 0, 0));
  const int32_t shown = frame::MvGetCurrentTopic(view_->GetViewer());
  view_->SendMessage(WM_COMMAND, resources::ID_LOCATE_IN_LIBRARY);
  pump();
  HTREEITEM selected = tree->GetSelectedItem();
  ASSERT_NE(selected, nullptr);
  EXPECT_EQ(tree->RecordOf(selected), shown);
  // "Informacja" of the library tab: into a visible act window only, on its first tab.
  CDUTab* library = lists_.GetLibraryTab();
  library->SendMessage(WM_COMMAND, resources::ID_ENTRY_INFORMATION);
  EXPECT_EQ(GetActInfoDialog(), nullptr);
  CActDlg* info = ShowActInfoDialog();
  ASSERT_NE(info, nullptr);
  info->SelectTab(1);
  library->SendMessage(WM_COMMAND, resources::ID_ENTRY_INFORMATION);
  EXPECT_EQ(info->GetRecord(), shown);
  EXPECT_EQ(info->GetCurrentTab(), 0);
}

TEST_F(TextViewTest, TheHistoryTabsInformationGoesIntoAnOpenActWindowOnly) {
  AddNavigatorBars();
  CHistoryTab* tab = nav_.GetHistoryTab();
  const int32_t first = Topic("DU.1998.0035.0000");
  const int32_t second = Topic("DU.1999.0120.0000");
  ASSERT_TRUE(view_->JumpToTopicNumber(first, 0, 0));
  ASSERT_TRUE(view_->JumpToTopicNumber(second, 0, 0));
  ASSERT_GE(tab->GetList().GetItemCount(), 1);
  tab->SelectRow(0);
  ASSERT_EQ(tab->EntryOfRow(0)->m_nTopic, first);
  tab->SendMessage(WM_COMMAND, resources::ID_ENTRY_INFORMATION);
  EXPECT_EQ(GetActInfoDialog(), nullptr);  // no window is made for it
  CActDlg* info = ShowActInfoDialog();
  ASSERT_NE(info, nullptr);
  info->ShowAct(second);
  info->SelectTab(1);
  tab->SendMessage(WM_COMMAND, resources::ID_ENTRY_INFORMATION);
  EXPECT_EQ(info->GetRecord(), tab->EntryOfRow(0)->m_nTopic);
  EXPECT_EQ(info->GetCurrentTab(), 0);
}

TEST_F(TextViewTest, AddBookmarkAsksForItsNameAndAddsItsRow) {
  AddNavigatorBars();
  ASSERT_TRUE(view_->GoToAddress(CString("98 35")));
  const std::string name = "Zieleń przy drogach – zażółć gęślą jaźń";
  MenuScript script;
  bool shown = false;
  script.later([&] {
    for (HWND h = ::GetTopWindow(nullptr); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
      auto* dialog = dynamic_cast<CBookmarkQuickDlg*>(CWnd::FromHandlePermanent(h));
      if (!dialog) continue;
      shown = true;
      dialog->SetDlgItemText(resources::IDC_BOOKMARK_NAME, CString(base::cp1250::from_utf8(name)));
      dialog->SetWindowPos(nullptr, 140, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
      dialog->SendMessage(WM_COMMAND, MAKEWPARAM(resources::IDC_BOOKMARK_ADD, BN_CLICKED));
      break;
    }
  });
  EXPECT_TRUE(view_->AddBookmark());
  EXPECT_TRUE(shown);
  ASSERT_EQ(work_->GetBookmarks().size(), 1u);
  EXPECT_EQ(utf8(work_->GetBookmarks()[0]->m_strName.str()), name);
  EXPECT_EQ(work_->GetBookmarks()[0]->m_nTopic, frame::MvGetCurrentTopic(view_->GetTextPane().GetViewer()));
  EXPECT_EQ(nav_.GetBookmarkTab()->GetList().GetItemCount(), 1);
  // The dialog's place was kept by the routine the main window's placement uses.
  const std::optional<WINDOWPLACEMENT> kept = frame_placement::Load("BookmarkQuickPos");
  ASSERT_TRUE(kept.has_value());
  EXPECT_EQ(kept->rcNormalPosition.left, 140);
  EXPECT_EQ(kept->rcNormalPosition.top, 90);
}

TEST_F(TextViewTest, TheBookmarkTabsWhatIsThisStartsTheContextHelpMode) {
  AddNavigatorBars();
  // The main window routes the command to the active sheet's frame first, which takes it.
  auto* main = dynamic_cast<CFrameWnd*>(app_->m_pMainWnd);
  CFrameWnd* sheet = view_->GetParentFrame();
  MenuScript script;
  BOOL in_help_mode = FALSE;
  script.later([&] {
    in_help_mode = main->m_bHelpMode || sheet->m_bHelpMode;
    press_key(VK_ESCAPE);
  });
  nav_.GetBookmarkTab()->SendMessage(WM_COMMAND, resources::ID_CONTEXT_HELP);
  EXPECT_TRUE(in_help_mode);
  EXPECT_FALSE(main->m_bHelpMode || sheet->m_bHelpMode);
}

// --- Auto-scrolling pictures and the panes' cursor ---------------------------------------------------

TEST_F(TextViewTest, TheAutoScrollPicturesAndCursorsAreThePrograms) {
  for (UINT id : {103u, 130u, 131u, 132u, 133u, 134u, 135u, 136u}) EXPECT_NE(app_->LoadCursor(id), nullptr) << id;
  HBITMAP strip = ::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(resources::IDB_WHEEL_INDICATOR));
  ASSERT_NE(strip, nullptr);
  BITMAP info{};
  ::GetObject(strip, sizeof(info), &info);
  EXPECT_EQ(info.bmWidth, 78);
  EXPECT_EQ(info.bmHeight, 26);
  ::DeleteObject(strip);

  // Each picture of the window shows its arrows: up-down only, sideways only, both.
  struct Case {
    bool h, v;
    bool vertical_arrows, horizontal_arrows;
    const char* name;
  } cases[] = {{false, true, true, false, "shell_view_wheel_updown"},
               {true, false, false, true, "shell_view_wheel_across"},
               {true, true, true, true, "shell_view_wheel_both"}};
  for (const Case& c : cases) {
    FakeTarget target(view_);
    target.h = c.h;
    target.v = c.v;
    CWheelWnd* wheel = StartWheelScrolling(&target, {200, 200});
    ASSERT_NE(wheel, nullptr);
    pump();
    {
      gallery::Picture picture(wheel->m_hWnd, c.name);
      // The picture sits 2 pixels inside the 30 x 30 window; its arrows 2 to 5 pixels inside the
      // picture, within its ring.
      const int up = picture.dark(CRect(13, 5, 17, 8)), left = picture.dark(CRect(5, 13, 8, 17));
      EXPECT_EQ(up > 3, c.vertical_arrows) << c.name << " " << up;
      EXPECT_EQ(left > 3, c.horizontal_arrows) << c.name << " " << left;
    }
    wheel->SendMessage(WM_LBUTTONDOWN, 0, 0);
    pump();
  }
}

}  // namespace
}  // namespace lumo::test
