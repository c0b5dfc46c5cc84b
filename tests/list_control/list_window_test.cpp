// The list control as a window: clicks with Shift and Ctrl, keys, the divider drag, label editing,
// values given on demand, the wheel, the item tip, and how it looks.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "platform/framework/dialog.h"
#include "platform/framework/tool_tips.h"
#include "platform/win/window_dc.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"
#include "toolkit/widgets/list_ctrl.h"
#include "toolkit/widgets/truncated_item_tip.h"

namespace lumo::test {
namespace {

using Log = std::vector<std::string>;

// A parent that writes down what the list tells it ("click", "end 1 Rozkaz") and answers as a
// test sets it up.
class Parent : public CWnd {
 public:
  Log log;
  BOOL refuse_begin = FALSE;
  BOOL accept_end = TRUE;
  size_t last_end_length = 0;
  std::string long_answer;  // answered by pointer for on-demand texts when set

  BOOL Create() {
    return CreateEx(0, nullptr, "Lista", WS_POPUP | WS_VISIBLE, CRect(10, 10, 410, 290), nullptr, 0);
  }
  Log take() { return std::exchange(log, {}); }

  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    auto* info = reinterpret_cast<NMLVDISPINFO*>(lParam);
    switch (header->code) {
      case NM_CLICK: log.push_back("click"); break;
      case NM_DBLCLK: log.push_back("dblclick"); break;
      case NM_RETURN: log.push_back("return"); break;
      case NM_RCLICK: log.push_back("rclick"); break;
      case LVN_KEYDOWN: log.push_back("key " + std::to_string(reinterpret_cast<NMLVKEYDOWN*>(lParam)->wVKey)); break;
      case LVN_DELETEITEM: log.push_back("delete " + std::to_string(reinterpret_cast<NMLISTVIEW*>(lParam)->iItem)); break;
      case LVN_BEGINLABELEDIT:
        log.push_back("begin " + std::to_string(info->item.iItem));
        *result = refuse_begin;
        break;
      case LVN_ENDLABELEDIT:
        log.push_back("end " + std::to_string(info->item.iItem) + " " +
                      (info->item.pszText ? utf8(info->item.pszText).substr(0, 20) : std::string("(null)")));
        last_end_length = info->item.pszText ? std::strlen(info->item.pszText) : 0;
        *result = accept_end;
        break;
      case LVN_GETDISPINFO:
        if (info->item.mask & LVIF_TEXT) {
          if (!long_answer.empty()) {
            info->item.pszText = long_answer.data();
          } else {
            std::snprintf(info->item.pszText, size_t(info->item.cchTextMax), "r%dc%d", info->item.iItem,
                          info->item.iSubItem);
          }
        }
        break;
      default:
        return FALSE;
    }
    return TRUE;
  }
};

// A list whose parent may veto selection changes.
class VetoList : public SECListCtrl {
 public:
  BOOL veto = FALSE;
  std::vector<std::string> drags;
  BOOL NotifySelectionChanging(int, int, BOOL) override { return veto; }
  void NotifyBeginDrag(int row, CPoint) override { drags.push_back("drag " + std::to_string(row)); }
  void NotifyBeginRightDrag(int row, CPoint) override { drags.push_back("right drag " + std::to_string(row)); }
};

const char* const kActs[] = {
    "Ustawa o ochronie środowiska",
    "Rozporządzenie Ministra Zdrowia w sprawie szczegółowych warunków",
    "Obwieszczenie Marszałka Sejmu",
    "Uchwała",
    "Zarządzenie Prezesa Rady Ministrów",
    "Dekret o żołnierzach",
    "Umowa międzynarodowa",
    "Postanowienie",
    "Kodeks pracy",
    "Ordynacja podatkowa",
};
const char* const kYears[] = {"1997", "1998", "1993", "2001", "1999", "1946", "1995", "2000", "1974", "1997"};

class ListWindowTest : public FrameworkTest {
 protected:
  Parent parent;
  VetoList list;
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(parent.Create());
    parent.SetActiveWindow();
  }
  void TearDown() override {
    list.DestroyWindow();
    parent.DestroyWindow();
    FrameworkTest::TearDown();
  }
  void make(DWORD style = LVS_REPORT | LVS_EDITLABELS | LVS_SHOWSELALWAYS, DWORD exStyle = 0, int rows = 10) {
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | style, exStyle, CRect(0, 0, 300, 200), &parent, 72));
    list.InsertColumn(0, cp("Tytuł"), LVCFMT_LEFT, 200);
    list.InsertColumn(1, "Rok", LVCFMT_RIGHT, 60);
    for (int i = 0; i < rows; ++i) {
      list.InsertItem(i, cp(kActs[i % 10]));
      list.SetItemText(i, 1, kYears[i % 10]);
    }
    list.InvalidateLayout();
    list.SetAutoRedraw(TRUE);
    list.SetFocus();
    pump();
    parent.take();
  }
  CPoint on_label(int row, int column = 0) {
    CRect r;
    EXPECT_TRUE(list.GetItemRect(row, column, &r, LVIR_LABEL)) << row;
    return CPoint(r.left + std::min(12, int(r.Width()) / 2), r.CenterPoint().y);  // inside the cell
  }
  void click_row(int row, win::KeyModifiers keys = {}) {
    POINT p = screen_point(list.m_hWnd, on_label(row));
    mouse_down(p, win::MouseButton::left, keys);
    mouse_up(p, win::MouseButton::left, keys);
    pump();
  }
  std::vector<int> selected() const { return list.Model().Selection(); }
  template <typename Done>
  bool wait_for(Done done, int ms) {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done() && std::chrono::steady_clock::now() < until) {
      pump();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
  }
  std::string png(const char* name) { return ::testing::TempDir() + name; }
};

// --- Mouse selection ---

TEST_F(ListWindowTest, ClicksWithShiftAndCtrl) {
  make();
  click_row(1);
  EXPECT_EQ(selected(), std::vector<int>{1});
  EXPECT_EQ(list.GetCaretRow(), 1);
  EXPECT_EQ(list.GetAnchorRow(), 1);
  EXPECT_EQ(parent.take(), Log{"click"});

  click_row(3, {.shift = true});
  EXPECT_EQ(selected(), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(list.GetCaretRow(), 3);
  EXPECT_EQ(list.GetAnchorRow(), 1);

  click_row(2, {.control = true});
  EXPECT_EQ(selected(), (std::vector<int>{1, 3}));
  EXPECT_EQ(list.GetCaretRow(), 2);
  click_row(5, {.control = true});
  EXPECT_EQ(selected(), (std::vector<int>{1, 3, 5}));

  click_row(4);
  EXPECT_EQ(selected(), std::vector<int>{4});
}

TEST_F(ListWindowTest, PressingOnALabelAndMovingStartsADragOnce) {
  make();
  POINT p = screen_point(list.m_hWnd, on_label(2));
  mouse_down(p);
  pump();
  mouse_move(POINT{p.x + 2, p.y + 1});  // not yet
  pump();
  EXPECT_TRUE(list.drags.empty());
  mouse_move(POINT{p.x + 6, p.y + 1});
  mouse_move(POINT{p.x + 12, p.y + 5});
  mouse_up(POINT{p.x + 12, p.y + 5});
  pump();
  EXPECT_EQ(list.drags, Log{"drag 2"});
  EXPECT_EQ(parent.take(), Log{});  // the release ends the drag and is no click
  p = screen_point(list.m_hWnd, on_label(4));
  mouse_down(p, win::MouseButton::right);
  mouse_move(POINT{p.x, p.y + 8});
  mouse_up(POINT{p.x, p.y + 8}, win::MouseButton::right);
  pump();
  EXPECT_EQ(list.drags, (Log{"drag 2", "right drag 4"}));
}

TEST_F(ListWindowTest, ShiftClickWithoutAnchorIsAPlainClick) {
  make();
  ASSERT_EQ(list.GetAnchorRow(), -1);  // the first row became caret on insertion, with no anchor
  click_row(3, {.shift = true});
  EXPECT_EQ(selected(), std::vector<int>{3});
  EXPECT_EQ(list.GetCaretRow(), 3);
  EXPECT_EQ(list.GetAnchorRow(), 3);
}

TEST_F(ListWindowTest, ClickRightOfALabelNeitherSelectsNorArms) {
  make(LVS_REPORT | LVS_EDITLABELS, 0);
  list.DeleteColumn(1);
  CRect label;
  ASSERT_TRUE(list.GetItemRect(3, 0, &label, LVIR_LABEL));
  POINT p = screen_point(list.m_hWnd, CPoint(label.right + 20, label.CenterPoint().y));
  mouse_down(p);
  mouse_up(p);
  pump();
  EXPECT_EQ(selected(), std::vector<int>{0});
  EXPECT_EQ(list.GetArmedEditRow(), -1);
}

TEST_F(ListWindowTest, AfterAVetoShiftAndCtrlDoNothingUntilAPlainClickIsAllowed) {
  make();
  click_row(1);
  list.veto = TRUE;
  click_row(4);
  EXPECT_EQ(selected(), std::vector<int>{1});
  list.veto = FALSE;
  click_row(5, {.control = true});
  click_row(6, {.shift = true});
  EXPECT_EQ(selected(), std::vector<int>{1});
  click_row(2);
  click_row(4, {.shift = true});
  EXPECT_EQ(selected(), (std::vector<int>{2, 3, 4}));
}

// --- Keys ---

TEST_F(ListWindowTest, KeysMoveTheCaretAndScroll) {
  make(LVS_REPORT, 0, 30);
  int page = list.GetCountPerPage();
  ASSERT_GT(page, 3);
  ASSERT_LT(page, 30);
  press_key(VK_DOWN);
  pump();
  EXPECT_EQ(selected(), std::vector<int>{1});
  EXPECT_EQ(parent.take(), Log{"key 40"});
  press_key(VK_DOWN, 0, {.shift = true});
  press_key(VK_DOWN, 0, {.shift = true});
  pump();
  EXPECT_EQ(selected(), (std::vector<int>{1, 2, 3}));
  press_key(VK_END);
  pump();
  EXPECT_EQ(selected(), std::vector<int>{29});
  EXPECT_EQ(list.GetTopIndex(), list.GetLastPageTop());
  press_key(VK_HOME);
  pump();
  EXPECT_EQ(selected(), std::vector<int>{0});
  EXPECT_EQ(list.GetTopIndex(), 0);
  press_key(VK_NEXT);  // to the last row that fits, then a page further
  pump();
  EXPECT_EQ(list.GetCaretRow(), page - 1);
  press_key(VK_NEXT);
  pump();
  EXPECT_EQ(list.GetTopIndex(), page);
  EXPECT_EQ(list.GetCaretRow(), 2 * page - 1);
  press_key(VK_SPACE, ' ');
  pump();
  EXPECT_TRUE(selected().empty());
  parent.take();
  press_key(VK_RETURN, '\r');
  pump();
  EXPECT_EQ(parent.take(), (Log{"key 13", "return"}));
}

// --- Columns ---

TEST_F(ListWindowTest, DividerDragFollowsTheMouseStopsNearTheLeftEdgeAndEscapeRestores) {
  make();
  const int width = list.GetColumnWidth(0);
  auto drag = [&](int dx, bool escape) {
    POINT from = screen_point(list.m_hWnd, CPoint(list.GetColumnRight(0), 9));
    mouse_down(from);
    when_captured([&, from] {
      mouse_move(POINT{from.x + dx, from.y});
      if (escape) press_key(VK_ESCAPE);
      mouse_up(POINT{from.x + dx, from.y});
    });
    pump();
    pump();
  };
  drag(-60, true);
  EXPECT_EQ(list.GetColumnWidth(0), width);
  EXPECT_EQ(GetCapture(), nullptr);
  drag(40, false);
  EXPECT_EQ(list.GetColumnWidth(0), width + 40);
  drag(-400, false);
  EXPECT_EQ(list.GetColumnWidth(0), 10);
}

TEST_F(ListWindowTest, ColumnInterface) {
  make();
  EXPECT_EQ(list.FindColumn("Rok"), 1);
  EXPECT_EQ(list.GetColumnFormat(1), LVCFMT_RIGHT);
  int index = -1, sub = -1;
  EXPECT_TRUE(list.FindColumn("Rok", &index, &sub));
  EXPECT_EQ(sub, 1);
  char title[4];
  LVCOLUMN rec;
  rec.mask = LVCF_TEXT | LVCF_WIDTH;
  rec.pszText = title;
  rec.cchTextMax = 4;
  ASSERT_TRUE(list.GetColumn(0, &rec));
  EXPECT_STREQ(title, "Tyt");  // bounded
  EXPECT_TRUE(list.DeleteColumnByTitle("Rok"));
  EXPECT_EQ(list.GetColumnCount(), 1);
  EXPECT_EQ(list.GetColumnWidth(0), 260);  // the deleted width went to the first column
  list.DeleteAllColumns();
  CRect view;
  list.GetViewRect(&view);
  EXPECT_EQ(list.GetColumnWidth(0), view.Width());
}

TEST_F(ListWindowTest, TakesThePlaceOfADialogItem) {
  CEdit before, placeholder, after;
  ASSERT_TRUE(before.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 100, 20), &parent, 80));
  ASSERT_TRUE(placeholder.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 30, 210, 130), &parent, 81));
  ASSERT_TRUE(after.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 140, 100, 160), &parent, 82));
  HWND old = placeholder.m_hWnd;
  HWND above = ::GetWindow(old, GW_HWNDPREV);
  HWND below = ::GetWindow(old, GW_HWNDNEXT);
  ASSERT_TRUE(above && below);
  ASSERT_TRUE(list.ReplaceDlgItem(81, &parent));
  EXPECT_FALSE(IsWindow(old));
  EXPECT_EQ(parent.GetDlgItem(81), &list);
  EXPECT_TRUE(list.CWnd::GetStyle() & WS_BORDER);
  EXPECT_TRUE(list.CWnd::GetStyle() & WS_TABSTOP);
  CRect r;
  list.GetWindowRect(&r);
  parent.ScreenToClient(&r);
  EXPECT_EQ(r, CRect(10, 30, 210, 130));
  EXPECT_EQ(::GetWindow(list.m_hWnd, GW_HWNDPREV), above);  // the same place in the tab order
  EXPECT_EQ(::GetWindow(list.m_hWnd, GW_HWNDNEXT), below);
  list.DestroyWindow();
  before.DestroyWindow();
  after.DestroyWindow();
}

TEST_F(ListWindowTest, AListMadeWithoutReportModeHasOneColumnAcrossTheView) {
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 240, 120), &parent, 73));
  EXPECT_EQ(list.GetColumnCount(), 1);
  EXPECT_FALSE(list.GetShowHeader());
  list.AutoSizeColumns();
  EXPECT_EQ(list.GetColumnWidth(0), 240);
}

// --- Rows and values on demand ---

TEST_F(ListWindowTest, ValuesOnDemandAreAskedAndKeptOnlyWhenSaid) {
  make();
  int row = list.InsertItem(LVIF_TEXT, 2, LPSTR_TEXTCALLBACK, 0, 0, 0, 0);
  EXPECT_TRUE(list.NeedsParentData(row));
  EXPECT_EQ(std::string(list.GetItemText(row, 0)), "r2c0");
  EXPECT_EQ(std::string(list.GetItemText(row, 1)), "r2c1");  // a new sub-item starts on demand
  LVITEM set;
  set.mask = LVIF_TEXT;
  set.iItem = row;
  set.pszText = const_cast<char*>("Ustawa");
  ASSERT_TRUE(list.SetItem(&set));
  EXPECT_EQ(std::string(list.GetItemText(row, 0)), "r2c0");  // on demand: not stored without being told
  set.mask = LVIF_TEXT | LVIF_DI_SETITEM;
  ASSERT_TRUE(list.SetItem(&set));
  EXPECT_EQ(std::string(list.GetItemText(row, 0)), "Ustawa");
  list.SetItemText(row, 1, "1997");
  EXPECT_EQ(std::string(list.GetItemText(row, 1)), "1997");
  EXPECT_FALSE(list.NeedsParentData(row));

  // A parent's own text of any length comes back whole, and copies into buffers stay in bounds.
  set.pszText = LPSTR_TEXTCALLBACK;
  ASSERT_TRUE(list.SetItem(&set));
  parent.long_answer.assign(5000, 'x');
  EXPECT_EQ(list.GetItemText(row, 0).GetLength(), 5000);
  char small[10];
  EXPECT_EQ(list.GetItemText(row, 0, small, 10), 9);
  EXPECT_EQ(std::string(small), std::string(9, 'x'));
  EXPECT_EQ(list.GetItemText(row, 0, small, 0), 0);
  pump();  // painting asks too
  parent.long_answer.clear();
}

TEST_F(ListWindowTest, DeletingRowsTellsTheParentAndMovesTheCaret) {
  make();
  click_row(5);
  parent.take();
  ASSERT_TRUE(list.DeleteRows(4, 3));
  EXPECT_EQ(parent.take(), Log{"delete 4"});
  EXPECT_EQ(list.GetItemCount(), 7);
  EXPECT_EQ(list.GetCaretRow(), 3);
  EXPECT_EQ(selected(), std::vector<int>{3});
  EXPECT_TRUE(list.DeleteAllItems());
  EXPECT_EQ(list.GetCaretRow(), -1);
  EXPECT_EQ(list.GetTopIndex(), 0);
}

// Two 16 by 16 images: a red square and a green one.
void fill_images(CImageList& images, CWnd* wnd) {
  ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24, 2, 0));
  CClientDC screen(wnd);
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
  CBitmap strip;
  ASSERT_TRUE(strip.CreateCompatibleBitmap(&screen, 32, 16));
  CBitmap* old = dc.SelectObject(&strip);
  dc.FillSolidRect(CRect(0, 0, 16, 16), RGB(200, 0, 0));
  dc.FillSolidRect(CRect(16, 0, 32, 16), RGB(0, 160, 0));
  dc.SelectObject(old);
  ASSERT_EQ(images.Add(&strip, RGB(255, 0, 255)), 0);
}

TEST_F(ListWindowTest, ImageListsAreCopiedUnlessShared) {
  make(LVS_REPORT, 0, 3);
  CImageList images;
  fill_images(images, &list);
  EXPECT_EQ(list.SetImageList(&images, LVSIL_SMALL), nullptr);
  CImageList* kept = list.GetImageList(LVSIL_SMALL);
  ASSERT_NE(kept, nullptr);
  EXPECT_NE(kept, &images);
  EXPECT_EQ(kept->GetImageCount(), 2);
  EXPECT_EQ(list.SetImageList(nullptr, LVSIL_SMALL), nullptr);  // the list's own copy is not handed out

  list.ModifyStyle(0, LVS_SHAREIMAGELISTS);
  list.SetImageList(&images, LVSIL_SMALL);
  EXPECT_EQ(list.GetImageList(LVSIL_SMALL), &images);
  list.SetItem(1, 0, LVIF_IMAGE, nullptr, 1, 0, 0, 0);
  list.InvalidateLayout();
  pump();
  CRect icon, label;
  ASSERT_TRUE(list.GetItemRect(1, 0, &icon, LVIR_ICON));
  ASSERT_TRUE(list.GetItemRect(1, 0, &label, LVIR_LABEL));
  EXPECT_EQ(icon.Width(), 16);
  EXPECT_EQ(label.left, icon.right + 5);
  ASSERT_TRUE(save_surface_png(list.m_hWnd, png("list_images.png")));
  EXPECT_EQ(surface_pixel(list.m_hWnd, icon.left + 8, icon.top + 8), RGB(0, 160, 0));
  UINT flags = 0;
  EXPECT_EQ(list.HitTest(icon.left + 8, icon.top + 8, &flags, nullptr), 1);
  EXPECT_TRUE(flags & LVHT_ONITEMICON);
  list.SetImageList(nullptr, LVSIL_SMALL);
}

TEST_F(ListWindowTest, IconViewFlowsCellsLeftToRight) {
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON, CRect(0, 0, 200, 120), &parent, 74));
  list.SetColumnWidth(0, 60);
  for (const char* name : {"Akt", "Dekret", "Umowa", "Kodeks"}) list.InsertItem(list.GetItemCount(), name);
  list.InvalidateLayout();
  pump();
  CRect cells[4];
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(list.GetItemRect(i, 0, &cells[i], LVIR_BOUNDS));
  EXPECT_EQ(cells[1].left, cells[0].right);
  EXPECT_EQ(cells[2].left, cells[1].right);
  EXPECT_EQ(cells[3].left, 0);  // a fourth cell of 60 would pass the right edge
  EXPECT_GE(cells[3].top, cells[0].bottom);
  UINT flags = 0;
  EXPECT_EQ(list.HitTest(cells[2].left + 10, cells[2].CenterPoint().y, &flags, nullptr), 2);
  ASSERT_TRUE(save_surface_png(list.m_hWnd, png("list_icons.png")));
}

// --- Label editing ---

TEST_F(ListWindowTest, LabelEditCommittedAndCancelled) {
  make(LVS_REPORT | LVS_EDITLABELS | LVS_NOLABELWRAP);
  CEdit* edit = list.EditLabel(1);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(GetFocus(), edit->m_hWnd);
  EXPECT_EQ(parent.take(), Log{"begin 1"});
  EXPECT_EQ(list.EditLabel(2), nullptr);  // one at a time
  type_text("Rozkaz");
  pump();
  press_key(VK_RETURN, '\r');
  pump();
  EXPECT_EQ(parent.take(), Log{"end 1 Rozkaz"});
  EXPECT_EQ(std::string(list.GetItemText(1, 0)), "Rozkaz");
  EXPECT_EQ(list.GetEditWindow(), nullptr);
  EXPECT_EQ(GetFocus(), list.m_hWnd);

  // Escape: the cell showed the typed text while editing, and gets its old text back.
  ASSERT_NE(list.EditLabel(2), nullptr);
  type_text("Inny");
  pump();
  EXPECT_EQ(std::string(list.GetItemText(2, 0)), "Inny");
  press_key(VK_ESCAPE);
  pump();
  EXPECT_EQ(parent.take(), (Log{"begin 2", "end 2 (null)"}));
  EXPECT_EQ(utf8(list.GetItemText(2, 0)), kActs[2]);

  // A parent that does not accept keeps the old text; one that refuses the start stops it.
  parent.accept_end = FALSE;
  ASSERT_NE(list.EditLabel(3), nullptr);
  type_text("Nowy");
  press_key(VK_RETURN, '\r');
  pump();
  EXPECT_EQ(utf8(list.GetItemText(3, 0)), kActs[3]);
  parent.refuse_begin = TRUE;
  EXPECT_EQ(list.EditLabel(3), nullptr);
  EXPECT_EQ(list.GetEditRow(), -1);
}

TEST_F(ListWindowTest, WhereLabelsWrapEnterStartsANewLineAndLeavingTheEditKeepsTheText) {
  make();
  ASSERT_NE(list.EditLabel(3), nullptr);
  type_text("Akt");
  press_key(VK_RETURN, '\r');
  type_text("drugi");
  pump();
  EXPECT_NE(list.GetEditWindow(), nullptr);
  parent.SetFocus();
  pump();
  EXPECT_EQ(list.GetEditWindow(), nullptr);
  EXPECT_EQ(std::string(list.GetItemText(3, 0)), "Akt\r\ndrugi");
  EXPECT_GT(list.GetRow(3)->height, list.GetRow(0)->height + 8);
}

TEST_F(ListWindowTest, LongEditedTextsArriveWhole) {
  make(LVS_REPORT | LVS_EDITLABELS | LVS_NOLABELWRAP);
  CEdit* edit = list.EditLabel(0);
  ASSERT_NE(edit, nullptr);
  std::string text(3000, 'a');
  edit->SetWindowText(text.c_str());
  press_key(VK_RETURN, '\r');
  pump();
  EXPECT_EQ(parent.last_end_length, 3000u);
  EXPECT_EQ(list.GetItemText(0, 0).GetLength(), 3000);
}

TEST_F(ListWindowTest, DeletingTheEditedRowEndsTheEdit) {
  make();
  ASSERT_NE(list.EditLabel(3), nullptr);
  type_text("Nowy");
  pump();
  parent.take();
  list.DeleteRows(2, 3);
  pump();
  EXPECT_EQ(list.GetEditWindow(), nullptr);
  EXPECT_EQ(list.GetEditRow(), -1);
  EXPECT_EQ(parent.take(), (Log{"end 3 (null)", "delete 2"}));
}

TEST_F(ListWindowTest, ASecondClickOnASelectedLabelOpensTheEditAfterADelay) {
  make();
  click_row(2);
  EXPECT_EQ(list.GetArmedEditRow(), 2);
  std::this_thread::sleep_for(std::chrono::milliseconds(GetDoubleClickTime() + 50));
  click_row(2);
  EXPECT_EQ(list.GetEditWindow(), nullptr);  // not at once
  EXPECT_TRUE(wait_for([&] { return list.GetEditWindow() != nullptr; }, 2000));
  EXPECT_EQ(list.GetEditRow(), 2);
  press_key(VK_ESCAPE);
  pump();

  // A double click disarms.
  click_row(4);
  POINT p = screen_point(list.m_hWnd, on_label(4));
  win::mouse_input(win::MouseAction::double_click, win::MouseButton::left, QPoint(p.x, p.y), {});
  mouse_up(p);
  pump();
  std::this_thread::sleep_for(std::chrono::milliseconds(600));
  pump();
  EXPECT_EQ(list.GetEditWindow(), nullptr);
}

TEST_F(ListWindowTest, AClickOnAnotherRowStopsAWaitingEdit) {
  make();
  click_row(2);
  std::this_thread::sleep_for(std::chrono::milliseconds(GetDoubleClickTime() + 50));
  click_row(2);  // the edit would open in half a second
  click_row(3);
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  pump();
  EXPECT_EQ(list.GetEditWindow(), nullptr);
}

// --- Scrolling ---

TEST_F(ListWindowTest, WheelKeepsWhatIsLeftOfANotch) {
  make(LVS_REPORT, 0, 30);
  auto wheel = [&](int delta) { list.SendMessage(WM_MOUSEWHEEL, WPARAM(MAKELONG(0, WORD(short(delta)))), 0); };
  wheel(-60);
  EXPECT_EQ(list.GetTopIndex(), 0);
  wheel(-60);
  EXPECT_EQ(list.GetTopIndex(), 1);
  wheel(-240);
  EXPECT_EQ(list.GetTopIndex(), 3);
  wheel(120);
  EXPECT_EQ(list.GetTopIndex(), 2);
}

TEST_F(ListWindowTest, ScrollBarRequests) {
  make(LVS_REPORT, 0, 30);
  int page = list.GetCountPerPage();
  list.SendMessage(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(list.GetTopIndex(), 1);
  list.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(list.GetTopIndex(), 1 + page);
  list.SendMessage(WM_VSCROLL, SB_BOTTOM);
  EXPECT_EQ(list.GetTopIndex(), 30 - page);
  list.SendMessage(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(list.GetTopIndex(), 30 - page);
  list.SendMessage(WM_VSCROLL, SB_TOP);
  EXPECT_EQ(list.GetTopIndex(), 0);
  list.SendMessage(WM_VSCROLL, SB_LINEUP);
  EXPECT_EQ(list.GetTopIndex(), 0);
  list.EnsureVisible(20);
  EXPECT_EQ(list.LastFittingRow(), 20);
  list.EnsureVisible(5);
  EXPECT_EQ(list.GetTopIndex(), 5);
}

TEST_F(ListWindowTest, ShrinkingTheWindowKeepsNoEmptySpaceBelowTheLastRow) {
  make(LVS_REPORT, 0, 30);
  list.SendMessage(WM_VSCROLL, SB_BOTTOM);
  int top = list.GetTopIndex();
  list.MoveWindow(0, 0, 300, 300);
  pump();
  EXPECT_LT(list.GetTopIndex(), top);
  EXPECT_EQ(list.GetTopIndex(), list.GetLastPageTop());
}

// --- Item tip ---

class ItemTipTest : public ListWindowTest {
 protected:
  void SetUp() override {
    ListWindowTest::SetUp();
    make(LVS_REPORT | LVS_NOLABELWRAP | LVS_SHOWSELALWAYS, LVXS_ITEMTIPS, 20);
    list.SetColumnWidth(0, 150);
    list.InvalidateLayout();
    pump();
  }
  // A point on the label's first letters, inside the cell however long the label is.
  void hover(int row, int column = 0) {
    CRect label;
    ASSERT_TRUE(list.GetItemRect(row, column, &label, LVIR_LABEL));
    mouse_move(screen_point(list.m_hWnd, CPoint(label.left + 12, label.CenterPoint().y)));
    pump();
  }
};

TEST_F(ItemTipTest, ShownOverACutOffCellAndReplacedOrHidden) {
  SECTruncatedItemTip* tip = list.GetItemTip();
  hover(3);  // "Uchwała" fits
  EXPECT_FALSE(tip->IsShown());
  hover(1);  // the long regulation title does not
  ASSERT_TRUE(tip->IsShown());
  EXPECT_EQ(tip->GetTrackedRow(), 1);
  EXPECT_EQ(utf8(tip->GetText()), kActs[1]);
  EXPECT_EQ(GetCapture(), list.m_hWnd);
  CRect cell, shown;
  list.GetItemRect(1, 0, &cell, LVIR_BOUNDS);
  list.ClientToScreen(&cell);
  tip->GetWindowRect(&shown);
  EXPECT_EQ(shown.top, cell.top);
  EXPECT_LT(std::abs(shown.left - cell.left), 8);
  EXPECT_GT(shown.Width(), 150);
  EXPECT_TRUE(save_surface_png(tip->m_hWnd, png("list_tip.png")));

  hover(4);  // another cut-off cell replaces it
  ASSERT_TRUE(tip->IsShown());
  EXPECT_EQ(tip->GetTrackedRow(), 4);
  hover(3);
  EXPECT_FALSE(tip->IsShown());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ItemTipTest, HiddenOnScroll) {
  hover(1);
  ASSERT_TRUE(list.GetItemTip()->IsShown());
  list.SendMessage(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_FALSE(list.GetItemTip()->IsShown());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ItemTipTest, OverASelectedRowUsesTheSelectionColours) {
  click_row(1);
  hover(1);
  SECTruncatedItemTip* tip = list.GetItemTip();
  ASSERT_TRUE(tip->IsShown());
  EXPECT_EQ(surface_pixel(tip->m_hWnd, 1, 1), ::GetSysColor(COLOR_HIGHLIGHT));
  hover(4);
  ASSERT_TRUE(tip->IsShown());
  EXPECT_EQ(surface_pixel(tip->m_hWnd, 1, 1), ::GetSysColor(COLOR_INFOBK));
}

TEST_F(ItemTipTest, AVeryLongTextWrapsInAFiveHundredPixelTip) {
  std::string words;
  while (words.size() < 2000) words += "przepis ";
  list.SetItemText(6, 0, words.c_str());
  list.InvalidateLayout();
  hover(6);
  SECTruncatedItemTip* tip = list.GetItemTip();
  ASSERT_TRUE(tip->IsShown());
  CRect shown, cell;
  tip->GetWindowRect(&shown);
  list.GetItemRect(6, 0, &cell, LVIR_BOUNDS);
  EXPECT_LE(shown.Width(), SECTruncatedItemTip::kMaxWidth + 12);
  EXPECT_GT(shown.Width(), SECTruncatedItemTip::kMaxWidth - 40);
  EXPECT_GT(shown.Height(), 3 * cell.Height());
  EXPECT_TRUE(save_surface_png(tip->m_hWnd, png("list_tip_long.png")));
}

TEST_F(ListWindowTest, TabMovesTheFocusOnInADialog) {
  CDialog registers_the_class;
  HWND dialog = CreateWindowEx(0, DIALOG_CLASS, "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 260, nullptr, nullptr, nullptr);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT, CRect(0, 0, 300, 200), CWnd::FromHandle(dialog), 72));
  CEdit next;
  ASSERT_TRUE(next.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 210, 200, 230), CWnd::FromHandle(dialog), 73));
  list.SetFocus();
  press_key(VK_TAB, '\t');
  pump();
  EXPECT_EQ(GetFocus(), next.m_hWnd);
  list.DestroyWindow();
  next.DestroyWindow();
  DestroyWindow(dialog);
}

// --- Pictures ---

TEST_F(ListWindowTest, PrintsTheHeaderAndTheRowsThatFit) {
  make(LVS_REPORT, 0, 30);
  CClientDC screen(&list);
  CDC printer;
  ASSERT_TRUE(printer.CreateCompatibleDC(&screen));
  CBitmap page;
  ASSERT_TRUE(page.CreateCompatibleBitmap(&screen, 300, 400));
  CBitmap* old = printer.SelectObject(&page);
  printer.FillSolidRect(CRect(0, 0, 300, 400), RGB(255, 255, 255));
  printer.m_bPrinting = TRUE;
  list.Paint(&printer);
  EXPECT_EQ(printer.GetPixel(1, 5), ::GetSysColor(COLOR_BTNHIGHLIGHT));  // the header
  CRect last;
  list.GetItemRect(list.LastFittingRow(), 0, &last, LVIR_LABEL);
  bool inked = false;
  for (int x = last.left; x < last.right && !inked; ++x) {
    for (int y = last.top; y < last.bottom && !inked; ++y) inked = GetGValue(printer.GetPixel(x, y)) < 100;
  }
  EXPECT_TRUE(inked);
  printer.SelectObject(old);
}


TEST_F(ListWindowTest, ReportViewInItsStates) {
  make(LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS, LVXS_HGRIDLINES | LVXS_VGRIDLINES, 10);
  click_row(2);
  pump();
  ASSERT_TRUE(save_surface_png(list.m_hWnd, png("list_report.png")));
  CRect label;
  list.GetItemRect(2, 0, &label, LVIR_LABEL);
  EXPECT_EQ(surface_pixel(list.m_hWnd, label.left - 2, label.CenterPoint().y), ::GetSysColor(COLOR_HIGHLIGHT));
  CRect cell;
  list.GetItemRect(4, 0, &cell, LVIR_BOUNDS);
  EXPECT_EQ(surface_pixel(list.m_hWnd, cell.left + 30, cell.bottom - 1), ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(surface_pixel(list.m_hWnd, cell.right - 1, cell.top + 5), ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(surface_pixel(list.m_hWnd, 1, 5), ::GetSysColor(COLOR_BTNHIGHLIGHT));  // the header's raised edge

  // Without the focus the selection shows in the menu colours (style "show selection always").
  parent.SetFocus();
  pump();
  ASSERT_TRUE(save_surface_png(list.m_hWnd, png("list_report_unfocused.png")));
  EXPECT_EQ(surface_pixel(list.m_hWnd, label.left - 2, label.CenterPoint().y), ::GetSysColor(COLOR_MENU));

  list.EnableWindow(FALSE);
  pump();
  ASSERT_TRUE(save_surface_png(list.m_hWnd, png("list_report_disabled.png")));
  EXPECT_EQ(surface_pixel(list.m_hWnd, cell.left + 30, cell.top + 3), ::GetSysColor(COLOR_MENU));
}

TEST_F(ListWindowTest, FullRowSelectionWithFocus) {
  make(LVS_REPORT, LVXS_FULLROWSELECT, 10);
  click_row(3);
  pump();
  ASSERT_TRUE(save_surface_png(list.m_hWnd, png("list_fullrow.png")));
  CRect year;
  list.GetItemRect(3, 1, &year, LVIR_BOUNDS);
  EXPECT_EQ(surface_pixel(list.m_hWnd, year.left + 3, year.CenterPoint().y), ::GetSysColor(COLOR_HIGHLIGHT));
  // The focus rectangle's dots begin three pixels left of the label.
  CRect label;
  list.GetItemRect(3, 0, &label, LVIR_LABEL);
  int dots = 0;
  for (int y = year.top; y < year.bottom; ++y) dots += surface_pixel(list.m_hWnd, label.left - 3, y) != ::GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_GT(dots, 2);
}

TEST_F(ListWindowTest, LabelEditingPicture) {
  make();
  ASSERT_NE(list.EditLabel(2), nullptr);
  type_text(cp("Ustawa o ochronie zwierząt").view());
  pump();
  ASSERT_TRUE(save_surface_png(list.m_hWnd, png("list_editing.png")));
  ASSERT_TRUE(save_surface_png(list.GetEditWindow()->m_hWnd, png("list_editing_edit.png"), true));
  CRect over, label;
  list.GetEditWindow()->GetWindowRect(&over);
  list.ScreenToClient(&over);
  list.GetItemRect(2, 0, &label, LVIR_LABEL);
  EXPECT_LE(over.left, label.left);
  EXPECT_LE(over.top, label.top);
  EXPECT_GE(over.bottom, label.bottom);
  EXPECT_GE(over.right, label.right);
  // The edit types in the list's item font.
  EXPECT_EQ(HFONT(list.GetEditWindow()->SendMessage(WM_GETFONT)), HFONT(list.GetItemFont()->GetSafeHandle()));
  press_key(VK_ESCAPE);
  pump();
}

TEST_F(ListWindowTest, NoWrapShowsTheFirstLineWrapGrowsTheRow) {
  make(LVS_REPORT, 0, 4);
  list.SetItemText(1, 0, "Pierwsza linia\nDruga linia");
  list.InvalidateLayout();
  pump();
  int tall = list.GetRow(1)->height;
  EXPECT_GT(tall, list.GetRow(0)->height + 8);
  ASSERT_TRUE(save_surface_png(list.m_hWnd, png("list_wrap.png")));
  list.SetLabelWrap(FALSE);
  pump();
  EXPECT_EQ(list.GetRow(1)->height, list.GetRow(0)->height);
  ASSERT_TRUE(save_surface_png(list.m_hWnd, png("list_nowrap.png")));
}

}  // namespace
}  // namespace lumo::test
