// The main frame as a user sees it: menu bar, a flat and a 3-D toolbar, a bar docked at the left,
// a floating bar, the status bar, and a maximised MDI child whose system menu and window buttons
// sit in the menu bar.
#include <vector>

#include "platform/controls/standard_controls.h"
#include "platform/framework/dock_bar.h"
#include "platform/framework/mdi.h"
#include "platform/framework/menu.h"
#include "platform/framework/menu_bar.h"
#include "platform/framework/menu_popup.h"
#include "platform/framework/status_bar.h"
#include "platform/framework/tool_bar.h"
#include "platform/res/resource_store.h"
#include "platform/win/system_metrics.h"
#include "resources/program_resources.h"
#include "tests/framework/framework_fixture.h"
#include "tests/gallery/gallery.h"

namespace lumo::test {
namespace {

constexpr UINT IDR_GALLERY_STRIP = 9610;
constexpr UINT ID_G_OPEN = 34101, ID_G_PRINT = 34102, ID_G_BOLD = 34103, ID_G_FIND = 34104;
constexpr UINT kStrip[] = {ID_G_OPEN, ID_G_PRINT, 0, ID_G_BOLD, ID_G_FIND};
constexpr UINT ID_G_QUERY = 34105;
constexpr UINT AFX_IDW_GALLERY_FLAT = 0xE810, AFX_IDW_GALLERY_RAISED = 0xE811, AFX_IDW_GALLERY_SIDE = 0xE812,
               AFX_IDW_GALLERY_FLOAT = 0xE813;

constexpr const char* kPicture[] = {
    "##############", "#            #", "# ..........  #", "# .######.   #", "# ..........  #",
    "# .#####..   #", "# ..........  #", "# .######.   #", "# ..........  #", "# .####...   #",
    "# ..........  #", "#            #", "#            #", "##############",
};

void register_strip() {
  static bool done = [] {
    static const res::StringResource strings[] = {
        {ID_G_OPEN, "Otwiera akt\nOtwórz"}, {ID_G_PRINT, "Drukuje\nDrukuj"}, {AFX_IDS_IDLEMESSAGE, "Gotowy"}};
    res::add_strings(strings);
    static std::vector<resources::ButtonImage> images;
    for (UINT id : kStrip) {
      if (id != 0) images.push_back({id, kPicture});
    }
    static const std::vector<uint8_t> bitmap = resources::pack_button_images(images, 14, 14);
    res::add_toolbar({IDR_GALLERY_STRIP, 14, 14, kStrip});
    res::add_binary({res::BinaryKind::bitmap, IDR_GALLERY_STRIP, nullptr, bitmap});
    return true;
  }();
  (void)done;
}

class GalleryFrame : public CMDIFrameWnd {
 protected:
  afx_msg void OnGalleryCommand(UINT) {}
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(GalleryFrame, CMDIFrameWnd)
  ON_COMMAND_RANGE(ID_G_OPEN, ID_G_FIND, &GalleryFrame::OnGalleryCommand)
END_MESSAGE_MAP()

// A bar of fixed size that draws nothing of its own.
class PlainBar : public TestBar {
 public:
  CSize size{60, 120};
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? CSize(size.cy, size.cx) : size; }
};

class FrameGalleryTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    register_strip();
    frame = std::make_unique<GalleryFrame>().release();  // ends itself with its window
    ASSERT_TRUE(frame->LoadFrame(IDR_TEST_MAIN));
    frame->MoveWindow(0, 0, 640, 420);
    frame->ShowWindow(SW_SHOW);
    app->m_pMainWnd = frame;
    auto owned = std::make_unique<CMultiDocTemplate>(IDR_TEST_DOC, RUNTIME_CLASS(TestDoc),
                                                     RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(TestView));
    app->AddDocTemplate(owned.release());
    frame->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(status.Create(frame));
    const UINT panes[] = {ID_SEPARATOR, ID_SEPARATOR};
    status.SetIndicators(panes, 2);
    ASSERT_TRUE(flat.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER,
                              CRect(0, 0, 0, 0), AFX_IDW_GALLERY_FLAT));
    ASSERT_TRUE(flat.LoadToolBar(IDR_GALLERY_STRIP));
    ASSERT_TRUE(raised.CreateEx(frame, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, CRect(0, 0, 0, 0),
                                AFX_IDW_GALLERY_RAISED));
    ASSERT_TRUE(raised.LoadToolBar(IDR_GALLERY_STRIP));
    for (CToolBar* bar : {&flat, &raised}) {
      bar->EnableDocking(CBRS_ALIGN_ANY);
      frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
    }
    side.size = CSize(60, 120);
    ASSERT_TRUE(side.Create(frame, CBRS_LEFT, AFX_IDW_GALLERY_SIDE));
    side.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&side, AFX_IDW_DOCKBAR_LEFT);
    ASSERT_TRUE(floating.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0),
                                  AFX_IDW_GALLERY_FLOAT));
    ASSERT_TRUE(floating.LoadToolBar(IDR_GALLERY_STRIP));
    floating.SetWindowText(cp("Narzędzia"));
    floating.EnableDocking(CBRS_ALIGN_ANY);
    frame->FloatControlBar(&floating, CPoint(380, 200), CBRS_ALIGN_TOP);
    frame->RecalcLayout();
    pump();
  }
  void TearDown() override {
    for (CWnd* bar : std::initializer_list<CWnd*>{&flat, &raised, &floating, &side, &status}) {
      if (bar->m_hWnd) bar->DestroyWindow();
    }
    FrameworkTest::TearDown();
  }

  CMDIFrameWnd* frame = nullptr;
  CStatusBar status;
  CToolBar flat, raised, floating;
  PlainBar side;
};

TEST_F(FrameGalleryTest, DockAreasAreButtonFace) {
  gallery::Picture picture(frame->m_hWnd, "frame");
  // The top dock row right of the toolbars, and the left column under its bar.
  CDockBar* top = static_cast<CDockBar*>(frame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
  RECT row = gallery::rect_in(top->m_hWnd, frame->m_hWnd);
  EXPECT_EQ(picture.pixel(row.right - 5, (row.top + row.bottom) / 2), GetSysColor(COLOR_BTNFACE));
  CDockBar* left = static_cast<CDockBar*>(frame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
  RECT column = gallery::rect_in(left->m_hWnd, frame->m_hWnd);
  EXPECT_EQ(picture.pixel((column.left + column.right) / 2, column.bottom - 5), GetSysColor(COLOR_BTNFACE));
  // The status bar of the sizable frame ends in a size grip: shadow ridges in its corner square.
  RECT bar = gallery::rect_in(status.m_hWnd, frame->m_hWnd);
  RECT grip{bar.right - 14, bar.bottom - 14, bar.right, bar.bottom};
  picture.save_enlarged(RECT{bar.right - 40, bar.top, bar.right, bar.bottom}, "status_bar_grip");
  EXPECT_GE(picture.count(grip, GetSysColor(COLOR_BTNSHADOW)), 10);
  EXPECT_GE(picture.count(grip, GetSysColor(COLOR_BTNHIGHLIGHT)), 5);
}

TEST_F(FrameGalleryTest, FloatingBarHasACloseCross) {
  CWnd* mini = floating.GetTopLevelParent();
  ASSERT_NE(mini, nullptr);
  gallery::Picture picture(mini->m_hWnd, "floating_bar", true);
  picture.save_enlarged(RECT{picture.width() - 24, 0, picture.width(), 20}, "floating_bar_close");
}

const UINT kGlyphKinds[] = {DFCS_CAPTIONCLOSE, DFCS_CAPTIONMIN, DFCS_CAPTIONMAX, DFCS_CAPTIONRESTORE};

// A window showing the four caption buttons in a row for each size from 10 to 24 pixels.
LRESULT glyph_sheet_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProc(h, message, wParam, lParam);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  for (int size = 10; size <= 24; ++size) {
    for (int k = 0; k < 4; ++k) {
      RECT r{k * 26, (size - 10) * 26, k * 26 + size, (size - 10) * 26 + size - 2};
      DrawFrameControl(dc, &r, DFC_CAPTION, kGlyphKinds[k]);
    }
  }
  EndPaint(h, &ps);
  return 0;
}

// Caption buttons from 10 to 24 pixels: each glyph is a shape of thin strokes in the middle of the
// face, never a blob and never missing.
TEST_F(FrameGalleryTest, CaptionGlyphsAreShapesAtEverySize) {
  HWND sheet = CreateWindowEx(0, test_window_class("GalleryGlyphs", glyph_sheet_proc, 0, GetSysColorBrush(COLOR_BTNFACE)),
                              "", WS_POPUP | WS_VISIBLE, 0, 0, 4 * 26, 15 * 26, nullptr, nullptr, nullptr);
  ASSERT_NE(sheet, nullptr);
  gallery::Picture picture(sheet, "caption_glyphs");
  picture.save_enlarged(RECT{0, 0, 4 * 26, 15 * 26}, "caption_glyphs_enlarged", 3);
  for (int size = 10; size <= 24; ++size) {
    for (int k = 0; k < 4; ++k) {
      RECT face{k * 26 + 2, (size - 10) * 26 + 2, k * 26 + size - 2, (size - 10) * 26 + size - 4};
      int area = (face.right - face.left) * (face.bottom - face.top);
      int dark = picture.dark(face);
      EXPECT_GE(dark, 5) << size << " " << k;
      EXPECT_LE(dark * 2, area) << size << " " << k;
    }
    // The cross crosses in its middle and is open above it.
    int top = (size - 10) * 26 + 2, height = size - 6, cx = 2 + (size - 4) / 2, cy = top + height / 2;
    EXPECT_EQ(picture.pixel(cx, cy), 0u) << size;
    EXPECT_NE(picture.pixel(cx, cy - 2), 0u) << size;
  }
  DestroyWindow(sheet);
}

TEST_F(FrameGalleryTest, MaximisedChildPutsGlyphsInTheMenuBar) {
  frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
  pump();
  CMDIChildWnd* child = frame->MDIGetActive();
  ASSERT_NE(child, nullptr);
  frame->MDIMaximize(child);
  pump();
  gallery::Picture picture(frame->m_hWnd, "frame_maximised_child", true);
  std::vector<RECT> items = framework::menu_bar_items(frame->m_hWnd);
  ASSERT_EQ(items.size(), 8u);  // system menu, four menus, three window buttons
  picture.save_enlarged(items[0], "menu_bar_system_menu");
  picture.save_enlarged(RECT{items[5].left, items[5].top, items[7].right, items[7].bottom}, "menu_bar_buttons");
  // The buttons sit at the right end of the bar, the system menu at its left.
  CRect client;
  frame->GetClientRect(&client);
  EXPECT_EQ(items[7].right - items[0].left, client.right);
  EXPECT_EQ(items[0].left, 0);
  // Glyphs, not letters: the system menu's sheet shows the window colour; each button a small
  // dark shape on its face (item rectangles are in window coordinates, as the picture is).
  EXPECT_GT(picture.count(items[0], GetSysColor(COLOR_WINDOW)), 30);
  for (size_t i = 5; i < 8; ++i) {
    int dark = picture.dark(items[i]);
    EXPECT_GE(dark, 8) << i;
    EXPECT_LE(dark, 90) << i;  // the glyph and the button's dark lower and right edge
  }
}

// The "Plik" pop-up with its shortcuts, separators and a disabled item, one item selected.
TEST_F(FrameGalleryTest, PopupMenuShowsDisabledItemsEtched) {
  HMENU file = GetSubMenu(GetMenu(frame->m_hWnd), 0);
  framework::MenuPopupWnd popup;
  ASSERT_TRUE(popup.Open(file, frame->m_hWnd, POINT{20, 40}, 0, RECT{0, 0, 0, 0}));
  popup.Select(1);
  gallery::Picture picture(popup.m_hWnd, "popup_menu", true);
  // "Ostatni plik" (position 4) is grey over a highlight copy; "Otwórz..." is marked.
  RECT grey = popup.ItemRect(4);
  ::MapWindowPoints(nullptr, popup.m_hWnd, reinterpret_cast<POINT*>(&grey), 2);
  RECT window;
  ::GetWindowRect(popup.m_hWnd, &window);
  RECT client{0, 0, 0, 0};
  ::MapWindowPoints(popup.m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 1);
  int dx = client.left - window.left, dy = client.top - window.top;
  grey = RECT{grey.left + dx, grey.top + dy, grey.right + dx, grey.bottom + dy};
  EXPECT_GT(picture.light(grey), 10);
  EXPECT_EQ(picture.dark(grey), 0);
  RECT open = popup.ItemRect(1);
  ::MapWindowPoints(nullptr, popup.m_hWnd, reinterpret_cast<POINT*>(&open), 2);
  EXPECT_EQ(picture.pixel(open.left + dx + 2, open.top + dy + 2), GetSysColor(COLOR_HIGHLIGHT));
  popup.DestroyWindow();
}

// A combo box standing on a toolbar in a separator's place goes with the bar: it moves with its
// place while the bar lies along the top, and hides while the bar stands at the side.
TEST_F(FrameGalleryTest, WindowOnAToolbarFollowsItsPlace) {
  flat.SetButtonInfo(2, ID_G_QUERY, TBBS_SEPARATOR, 120);
  CRect place;
  flat.GetItemRect(2, &place);
  CComboBox query;
  ASSERT_TRUE(query.Create(WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN, CRect(place.left, place.top, place.right, place.top + 150),
                           &flat, ID_G_QUERY));
  query.SetWindowText(cp("ochrona środowiska"));
  frame->RecalcLayout();
  gallery::Picture along(frame->m_hWnd, "toolbar_with_combo");
  EXPECT_TRUE(query.IsWindowVisible());
  // The typed text shows in the field (its edit child draws it).
  HWND field = ::GetWindow(query.m_hWnd, GW_CHILD);
  ASSERT_NE(field, nullptr);
  RECT typed = gallery::rect_in(field, frame->m_hWnd);
  typed = RECT{typed.left + 1, typed.top + 1, typed.right - 1, typed.bottom - 1};
  EXPECT_GT(along.dark(typed), 30);

  frame->DockControlBar(&flat, AFX_IDW_DOCKBAR_LEFT);
  frame->RecalcLayout();
  gallery::Picture upright(frame->m_hWnd, "toolbar_upright");
  EXPECT_FALSE(query.IsWindowVisible());
  // Its place is only the usual gap between the buttons there.
  CRect standing;
  flat.GetWindowRect(&standing);
  EXPECT_LT(standing.Height(), 4 * 23 + 8 + 20);

  frame->DockControlBar(&flat, AFX_IDW_DOCKBAR_TOP);
  frame->RecalcLayout();
  gallery::Picture back(frame->m_hWnd, "toolbar_with_combo_again");
  EXPECT_TRUE(query.IsWindowVisible());
  flat.GetItemRect(2, &place);
  CRect now;
  query.GetWindowRect(&now);
  flat.ScreenToClient(&now);
  EXPECT_EQ(now.TopLeft(), place.TopLeft());
  EXPECT_EQ(now.Width(), 120);
  query.DestroyWindow();
}

}  // namespace
}  // namespace lumo::test
