// The text sheet on a library compiled from the sample acts: an act opens with its header and text,
// jumps and the history, Ctrl-jumps into new sheets, pop-ups, picture links, copying through the
// clipboard, finding in the act, scrolling by keys and wheel, the off-screen pane and wheel
// auto-scrolling.
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
#include "platform/base/cp1250.h"
#include "platform/base/data_folder.h"
#include "platform/base/profile.h"
#include "platform/base/registry_store.h"
#include "platform/base/temp_folder.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/mdi.h"
#include "platform/framework/prompter.h"
#include "platform/shell/clipboard.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/input_translation.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "shell/library_title.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/view/lumo_kal_view.h"
#include "shell/view/mv_dummy.h"
#include "shell/view/wheel_wnd.h"
#include "tests/gallery/gallery.h"
#include "tests/support/app_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

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

  CLumoKALDocTemplate* text_template_ = nullptr;
  CLumoKALDoc* work_ = nullptr;
  CLumoKALView* view_ = nullptr;
};

TEST_F(TextViewTest, AnActOpensWithItsHeaderAndText) {
  ASSERT_TRUE(view_->GoToAddress(CString("98 35")));
  pump();
  EXPECT_EQ(utf8(view_->GetSheetTitle().str()), "1998 r. poz 35");
  EXPECT_NE(utf8(view_->GetStatusText(1).str()).find("D.U. z 1998 roku"), std::string::npos);
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
  ASSERT_TRUE(text.ShowTooltip(link, there, 3));
  CMvTooltipPane* tip = text.GetTooltip();
  ASSERT_NE(tip, nullptr);
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
  wheel->SendMessage(WM_LBUTTONDOWN, 0, 0);  // any click ends it (the window deletes itself)
  pump();
}

}  // namespace
}  // namespace lumo::test
