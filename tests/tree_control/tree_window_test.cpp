// The tree as a window: clicks on buttons and labels, double clicks, keys, ensure-visible, the
// geometry of its rows, taking a dialog item's place, and pictures of it in its states.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"
#include "tests/tree_control/tree_fixture.h"

namespace lumo::test {
namespace {

// Two 16 by 16 images: a yellow folder-like square and a blue page-like one, each with a
// transparent (magenta) border.
void fill_images(CImageList& images, CWnd* wnd) {
  ASSERT_TRUE(images.Create(16, 16, ILC_MASK | ILC_COLOR24, 2, 0));
  CClientDC screen(wnd);
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
  CBitmap strip;
  ASSERT_TRUE(strip.CreateCompatibleBitmap(&screen, 32, 16));
  CBitmap* old = dc.SelectObject(&strip);
  dc.FillSolidRect(CRect(0, 0, 32, 16), RGB(255, 0, 255));
  dc.FillSolidRect(CRect(1, 3, 15, 14), RGB(230, 190, 40));
  dc.FillSolidRect(CRect(19, 1, 29, 15), RGB(40, 80, 200));
  dc.SelectObject(old);
  ASSERT_EQ(images.Add(&strip, RGB(255, 0, 255)), 0);
}

class TreeWindowTest : public TreeTest {
 protected:
  CImageList images;
  // Years with journal issues with acts; the labels are Polish.
  std::vector<HTREEITEM> years, issues, acts;
  void fill(bool with_images = false) {
    if (with_images) {
      fill_images(images, &tree);
      tree.SetImageList(&images, TVSIL_NORMAL);
    }
    const char* act_names[] = {"Ustawa o ochronie środowiska", "Rozporządzenie w sprawie żółwi",
                               "Obwieszczenie o zmianie ustawy", "Kodeks pracy"};
    for (int y = 0; y < 3; ++y) {
      std::string year = "Rocznik " + std::to_string(1997 + y);
      years.push_back(add(nullptr, year.c_str(), 100 + y));
      for (int i = 0; i < 2; ++i) {
        std::string issue = "Dz.U. nr " + std::to_string(i + 1) + " z " + std::to_string(1997 + y) + " r.";
        issues.push_back(add(years.back(), issue.c_str(), 200 + y * 10 + i));
        for (int a = 0; a < 2; ++a) {
          acts.push_back(add(issues.back(), cp(act_names[(y + i + a) % 4]), 1000 + y * 100 + i * 10 + a));
        }
      }
    }
    if (with_images) {
      for (HTREEITEM item : years) set_image(item, 0, 0);
      for (HTREEITEM item : issues) set_image(item, 0, 0);
      for (HTREEITEM item : acts) set_image(item, 1, 1);
    }
    pump();
    parent.take();
  }
  void set_image(HTREEITEM item, int image, int selected) {
    TVITEM rec;
    rec.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    rec.hItem = item;
    rec.iImage = image;
    rec.iSelectedImage = selected;
    tree.SetItem(&rec);
  }
  CRect label_of(HTREEITEM item) {
    CRect r;
    EXPECT_TRUE(tree.GetItemRect(tree.GetNodeRow(item), 0, &r, LVIR_LABEL));
    return r;
  }
  CRect button_of(HTREEITEM item) {
    CRect r;
    EXPECT_TRUE(tree.GetButtonRect(&r, tree.GetNodeRow(item)));
    return r;
  }
  void click_at(CPoint p) {
    click(tree.m_hWnd, p);
    pump();
  }
  void double_click_at(CPoint p, win::KeyModifiers keys = {}) {
    POINT s = screen_point(tree.m_hWnd, p);
    mouse_down(s, win::MouseButton::left, keys);
    mouse_up(s, win::MouseButton::left, keys);
    win::mouse_input(win::MouseAction::double_click, win::MouseButton::left, QPoint(s.x, s.y), keys);
    mouse_up(s, win::MouseButton::left, keys);
    pump();
  }
  void key(int vk, BYTE ch = 0) {
    press_key(vk, ch);
    pump();
  }
  // Whether any pixel of the rectangle is dark (text drawn there).
  bool inked(const CRect& r, int limit = 120) {
    for (int x = r.left; x < r.right; ++x) {
      for (int y = r.top; y < r.bottom; ++y) {
        DWORD p = surface_pixel(tree.m_hWnd, x, y);
        if (GetRValue(p) < limit && GetGValue(p) < limit && GetBValue(p) < limit) return true;
      }
    }
    return false;
  }
  int dark_pixels(const CRect& r) {
    int n = 0;
    for (int x = r.left; x < r.right; ++x) {
      for (int y = r.top; y < r.bottom; ++y) n += GetGValue(surface_pixel(tree.m_hWnd, x, y)) < 100;
    }
    return n;
  }
};

// --- Mouse ---

TEST_F(TreeWindowTest, TheButtonTogglesAndDoesNothingElse) {
  make();
  fill();
  int caret = tree.GetCaretRow();
  click_at(button_of(years[1]).CenterPoint());
  EXPECT_EQ(tree.GetNodeRow(issues[2]), 2);
  EXPECT_EQ(tree.GetCaretRow(), caret);  // no selection by the button
  EXPECT_EQ(parent.take(), (Log{"expanding 101 2", "expanded 101 32"}));
  UINT flags = 0;
  CRect b = button_of(years[1]);
  EXPECT_EQ(tree.HitTest(b.left + 1, b.top + 1, &flags), years[1]);
  EXPECT_EQ(flags, TVHT_ONROW | TVHT_ONITEMBUTTON);
  click_at(b.CenterPoint());
  EXPECT_EQ(tree.GetNodeRow(issues[2]), -1);
  EXPECT_EQ(rows(), (std::vector<int>{100, 101, 102}));
}

TEST_F(TreeWindowTest, HitTestFlagsAcrossARow) {
  make(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT);
  fill(true);
  tree.ExpandItem(years[0], TVE_EXPAND);
  pump();
  int row = tree.GetNodeRow(issues[0]);
  CRect icon, label, cell;
  ASSERT_TRUE(tree.GetItemRect(row, 0, &icon, LVIR_ICON));
  ASSERT_TRUE(tree.GetItemRect(row, 0, &label, LVIR_LABEL));
  ASSERT_TRUE(tree.GetItemRect(row, 0, &cell, LVIR_BOUNDS));
  CRect button = button_of(issues[0]);
  struct Case {
    CPoint at;
    HTREEITEM item;
    UINT flags;
  } cases[] = {
      {CPoint(label.left + 2, label.CenterPoint().y), issues[0], TVHT_ONROW | TVHT_ONITEMLABEL},
      {icon.CenterPoint(), issues[0], TVHT_ONROW | TVHT_ONITEMICON},
      {button.CenterPoint(), issues[0], TVHT_ONROW | TVHT_ONITEMBUTTON},
      {CPoint(button.left - 3, label.CenterPoint().y), issues[0], TVHT_ONROW | TVHT_ONITEMINDENT},
      {CPoint(label.right + 10, label.CenterPoint().y), issues[0], TVHT_ONROW | TVHT_ONITEMRIGHT},
      {CPoint(20, 190), nullptr, TVHT_NOWHERE},
      {CPoint(20, -5), nullptr, TVHT_ABOVE},
      {CPoint(320, 20), nullptr, TVHT_TORIGHT},
  };
  for (const Case& c : cases) {
    UINT flags = 0;
    EXPECT_EQ(tree.HitTest(c.at.x, c.at.y, &flags), c.item) << c.at.x << "," << c.at.y;
    EXPECT_EQ(flags, c.flags) << c.at.x << "," << c.at.y;
  }
}

TEST_F(TreeWindowTest, DoubleClickTogglesUnlessTheParentAnswered) {
  make();
  fill();
  CRect label = label_of(years[0]);
  double_click_at(CPoint(label.left + 5, label.CenterPoint().y));
  EXPECT_EQ(tree.GetNodeRow(issues[0]), 1);
  parent.take();
  label = label_of(years[0]);
  double_click_at(CPoint(label.left + 5, label.CenterPoint().y), {.control = true});
  EXPECT_EQ(tree.GetNodeRow(issues[0]), 1);  // with Ctrl no toggle
  parent.double_click_answer = 1;
  double_click_at(CPoint(label.left + 5, label.CenterPoint().y));
  EXPECT_EQ(tree.GetNodeRow(issues[0]), 1);
  Log log = parent.take();
  EXPECT_EQ(std::count(log.begin(), log.end(), "dblclick"), 2);
  EXPECT_EQ(std::count(log.begin(), log.end(), "expanding 100 1"), 0);
  parent.double_click_answer = 0;
  double_click_at(CPoint(label.left + 5, label.CenterPoint().y));
  EXPECT_EQ(tree.GetNodeRow(issues[0]), -1);
}

TEST_F(TreeWindowTest, ClickingALabelSelectsItAndDraggingBeginsADrag) {
  make();
  fill();
  CRect label = label_of(years[2]);
  click_at(CPoint(label.left + 5, label.CenterPoint().y));
  EXPECT_EQ(tree.GetSelectedItem(), years[2]);
  EXPECT_EQ(parent.take(), (Log{"changing 100->102 a1", "changed 100->102 a1"}));
  label = label_of(years[1]);
  POINT p = screen_point(tree.m_hWnd, CPoint(label.left + 5, label.CenterPoint().y));
  mouse_down(p);
  mouse_move(POINT{p.x + 10, p.y + 6});
  mouse_up(POINT{p.x + 10, p.y + 6});
  pump();
  Log log = parent.take();
  EXPECT_NE(std::find(log.begin(), log.end(), "drag 101"), log.end());
  tree.ModifyTreeStyle(0, TVS_DISABLEDRAGDROP);
  label = label_of(years[0]);
  p = screen_point(tree.m_hWnd, CPoint(label.left + 5, label.CenterPoint().y));
  mouse_down(p);
  mouse_move(POINT{p.x + 10, p.y + 6});
  mouse_up(POINT{p.x + 10, p.y + 6});
  pump();
  log = parent.take();
  EXPECT_EQ(std::find(log.begin(), log.end(), "drag 100"), log.end());
}

// --- Keys ---

TEST_F(TreeWindowTest, KeysExpandCollapseAndMoveBetweenLevels) {
  make();
  fill();
  ASSERT_TRUE(tree.SelectItem(years[0]));
  parent.take();
  key(VK_RIGHT);  // expands
  EXPECT_EQ(parent.take(), (Log{"key 39", "expanding 100 2", "expanded 100 32"}));
  key(VK_RIGHT);  // to the first child
  EXPECT_EQ(tree.GetSelectedItem(), issues[0]);
  EXPECT_EQ(parent.take(), (Log{"key 39", "changing 100->200 a2", "changed 100->200 a2"}));
  key(VK_ADD);
  key(VK_DOWN);
  EXPECT_EQ(tree.GetSelectedItem(), acts[0]);
  key(VK_LEFT);  // a leaf goes to its parent
  EXPECT_EQ(tree.GetSelectedItem(), issues[0]);
  key(VK_SUBTRACT);  // an expanded node collapses
  EXPECT_EQ(tree.GetNodeRow(acts[0]), -1);
  EXPECT_EQ(tree.GetSelectedItem(), issues[0]);
  key(VK_BACK);
  EXPECT_EQ(tree.GetSelectedItem(), years[0]);
  parent.take();
  key(VK_BACK);  // a collapsed top-level item... years[0] is expanded: it collapses
  key(VK_BACK);  // and then nothing: the hidden root is not selected
  EXPECT_EQ(tree.GetSelectedItem(), years[0]);
  EXPECT_EQ(rows(), (std::vector<int>{100, 101, 102}));
  key(VK_MULTIPLY);
  EXPECT_EQ(tree.GetItemCount(), 1 + 2 + 4 + 2);  // everything under the first year
  EXPECT_EQ(tree.GetNodeRow(years[1]), 7);
}

TEST_F(TreeWindowTest, EnsureVisibleScrollsAndShowsTheParentWhenAsked) {
  make(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0, CRect(0, 0, 300, 120));
  fill();
  tree.ExpandAll(nullptr);
  pump();
  ASSERT_GT(tree.GetItemCount(), tree.GetCountPerPage());
  ASSERT_TRUE(tree.EnsureVisible(acts.back()));
  EXPECT_EQ(tree.LastFittingRow(), tree.GetNodeRow(acts.back()));
  ASSERT_TRUE(tree.EnsureVisible(acts[0]));
  EXPECT_EQ(tree.GetTopIndex(), tree.GetNodeRow(acts[0]));
  tree.SendMessage(WM_VSCROLL, SB_BOTTOM);
  ASSERT_TRUE(tree.EnsureVisible(acts[4], TRUE));  // the issue above it comes into view too
  EXPECT_LE(tree.GetTopIndex(), tree.GetNodeRow(issues[2]));
  ASSERT_TRUE(tree.Select(years[1], TVGN_FIRSTVISIBLE));
  EXPECT_EQ(tree.GetFirstVisibleItem(), years[1]);
  // Collapsed again, an item deep down is made visible by expanding its ancestors.
  tree.ExpandItem(years[2], TVE_COLLAPSE);
  tree.ExpandItem(issues[5], TVE_COLLAPSE);
  ASSERT_TRUE(tree.EnsureVisible(acts.back()));
  EXPECT_GE(tree.GetNodeRow(acts.back()), 0);
  EXPECT_LE(tree.GetNodeRow(acts.back()), tree.LastFittingRow());
}

TEST_F(TreeWindowTest, LabelsAreEditedInPlaceIntoTheItem) {
  make(TVS_HASBUTTONS | TVS_HASLINES | TVS_EDITLABELS);
  fill();
  CEdit* edit = tree.EditLabel(tree.GetNodeRow(years[1]));
  ASSERT_NE(edit, nullptr);
  CString shown;
  edit->GetWindowText(shown);
  EXPECT_EQ(shown.str(), "Rocznik 1998");
  type_text(cp("Rocznik zmieniony ż").view());
  press_key(VK_RETURN, '\r');
  pump();
  EXPECT_EQ(parent.take(), (Log{"begin edit 101", "end edit 101 Rocznik zmieniony ż"}));
  EXPECT_EQ(utf8(tree.GetNodeText(years[1])), "Rocznik zmieniony ż");
  ASSERT_NE(tree.EditLabel(tree.GetNodeRow(years[2])), nullptr);
  press_key(VK_ESCAPE);
  pump();
  EXPECT_EQ(parent.take(), (Log{"begin edit 102", "end edit 102 (null)"}));
  EXPECT_EQ(tree.GetNodeText(years[2]).str(), "Rocznik 1999");
}

TEST_F(TreeWindowTest, PrintedLinesAreSolid) {
  make();
  fill();
  tree.ExpandAll(nullptr);
  pump();
  CClientDC screen(&tree);
  CDC printer;
  ASSERT_TRUE(printer.CreateCompatibleDC(&screen));
  CBitmap page;
  ASSERT_TRUE(page.CreateCompatibleBitmap(&screen, 300, 200));
  CBitmap* old = printer.SelectObject(&page);
  printer.FillSolidRect(CRect(0, 0, 300, 200), RGB(255, 255, 255));
  printer.m_bPrinting = TRUE;
  tree.Paint(&printer);
  CRect b = button_of(years[0]);
  int x = b.left + b.Width() / 2;
  for (int y = b.bottom + 1; y < b.bottom + 12; ++y) EXPECT_EQ(printer.GetPixel(x, y), ::GetSysColor(COLOR_BTNSHADOW)) << y;
  printer.SelectObject(old);
}

// --- Geometry ---

TEST_F(TreeWindowTest, IndentationAndButtonsByDepthAndStyle) {
  struct Case {
    DWORD style;
    bool images;
    int depth;       // 1 year, 2 issue, 3 act
    int icon_left;   // relative to the cell
    int text_left;
    int button_size;  // drawn, 0 for none
  } cases[] = {
      {TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, false, 1, 20, 26, 9},
      {TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, false, 3, 60, 66, 0},
      {TVS_HASBUTTONS | TVS_HASLINES, false, 2, 20, 26, 9},
      {TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, true, 2, 40, 62, 9},
      {TVS_HASLINES, true, 1, 0, 22, 9},
  };
  for (const Case& c : cases) {
    tree.DestroyWindow();
    years.clear(), issues.clear(), acts.clear();
    make(c.style);
    fill(c.images);
    tree.ExpandAll(nullptr);
    pump();
    HTREEITEM item = c.depth == 1 ? years[0] : c.depth == 2 ? issues[0] : acts[0];
    int row = tree.GetNodeRow(item);
    const SECListRow* r = tree.GetRow(row);
    EXPECT_EQ(r->icon.left, c.icon_left) << c.style << " " << c.depth;
    EXPECT_EQ(r->label.left, c.text_left) << c.style << " " << c.depth;
    EXPECT_EQ(r->height % 2, 0);
    CRect button;
    bool has = tree.GetButtonRect(&button, row);
    EXPECT_EQ(has ? int(button.Width()) : 0, c.button_size) << c.style << " " << c.depth;
    if (has) {
      EXPECT_EQ(button.Height(), c.button_size);
    }
  }
}

// --- Taking a dialog item's place, and a tree derived as the application's are ---

// Like the application's trees: its own creation and focus handlers run the list's first.
class LibraryLikeTree : public SECTreeCtrl {
 public:
  int focus_changes = 0;
  UINT GetDlgCodeNow() { return OnGetDlgCode() | DLGC_WANTALLKEYS; }

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT cs) {
    if (SECListCtrl::OnCreate(cs) == -1) return -1;
    InsertColumn(1, "Rok", LVCFMT_LEFT, 50);
    return 0;
  }
  afx_msg void OnSetFocus(CWnd* old) {
    SECListCtrl::OnSetFocus(old);
    ++focus_changes;
  }
  afx_msg void OnKillFocus(CWnd* next) {
    SECListCtrl::OnKillFocus(next);
    ++focus_changes;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LibraryLikeTree, SECTreeCtrl)
  ON_WM_CREATE()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

TEST_F(TreeWindowTest, ADerivedTreeTakesADialogItemsPlace) {
  CEdit before, placeholder;
  ASSERT_TRUE(before.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 100, 20), &parent, 80));
  ASSERT_TRUE(placeholder.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS, CRect(10, 30, 210, 230),
                                 &parent, 81));
  HWND old = placeholder.m_hWnd;
  HWND above = ::GetWindow(old, GW_HWNDPREV);
  LibraryLikeTree library;
  ASSERT_TRUE(library.ReplaceDlgItem(81, &parent));
  EXPECT_FALSE(IsWindow(old));
  EXPECT_EQ(parent.GetDlgItem(81), &library);
  EXPECT_EQ(::GetWindow(library.m_hWnd, GW_HWNDPREV), above);
  EXPECT_TRUE(library.CWnd::GetStyle() & WS_BORDER);
  EXPECT_EQ(library.GetColumnCount(), 2);
  EXPECT_EQ(library.GetTreeStyle() & TVS_HASBUTTONS, DWORD(TVS_HASBUTTONS));
  EXPECT_TRUE(library.GetDlgCodeNow() & DLGC_WANTALLKEYS);
  library.SetFocus();
  before.SetFocus();
  pump();
  EXPECT_EQ(library.focus_changes, 2);
  library.DestroyWindow();
  before.DestroyWindow();
}

// Like the library tree: it gives its own texts and children through reflected notifications.
class LazyTree : public SECTreeCtrl {
 public:
  int loads = 0;

 protected:
  afx_msg void OnGetDispInfo(NMHDR* header, LRESULT* result) {
    auto* info = reinterpret_cast<NMTVDISPINFO*>(header);
    if (info->item.mask & TVIF_TEXT) {
      std::snprintf(info->item.pszText, size_t(info->item.cchTextMax), "Pozycja %d", int(info->item.lParam));
    }
    *result = 0;
  }
  afx_msg void OnItemExpanding(NMHDR* header, LRESULT* result) {
    auto* tv = reinterpret_cast<NMTREEVIEW*>(header);
    if (tv->action == TVE_EXPAND && !ItemHasChildren(tv->itemNew.hItem)) {
      ++loads;
      for (int i = 1; i <= 3; ++i) {
        TVINSERTSTRUCT ins;
        ins.hParent = tv->itemNew.hItem;
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
        ins.item.pszText = LPSTR_TEXTCALLBACK;
        ins.item.lParam = tv->itemNew.lParam * 10 + i;
        ins.item.cChildren = 1;
        InsertItem(&ins);
      }
    }
    *result = 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LazyTree, SECTreeCtrl)
  ON_NOTIFY_REFLECT(TVN_GETDISPINFO, &LazyTree::OnGetDispInfo)
  ON_NOTIFY_REFLECT(TVN_ITEMEXPANDING, &LazyTree::OnItemExpanding)
END_MESSAGE_MAP()

TEST_F(TreeWindowTest, ATreeLoadsItsOwnChildrenThroughReflectedNotifications) {
  CWnd host;  // a parent with the framework's own notification handling, which reflects
  ASSERT_TRUE(host.CreateEx(0, nullptr, "Spisy", WS_POPUP | WS_VISIBLE, CRect(20, 20, 320, 260), nullptr, 0));
  LazyTree lazy;
  ASSERT_TRUE(lazy.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                          CRect(0, 0, 300, 240), &host, 91));
  TVINSERTSTRUCT ins;
  ins.hParent = TVI_ROOT;
  ins.hInsertAfter = TVI_LAST;
  ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
  ins.item.pszText = LPSTR_TEXTCALLBACK;
  ins.item.lParam = 1;
  ins.item.cChildren = 1;
  HTREEITEM top = lazy.InsertItem(&ins);
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(lazy.GetNodeText(top).str(), "Pozycja 1");
  ASSERT_TRUE(lazy.ExpandItem(top, TVE_TOGGLE));
  EXPECT_EQ(lazy.loads, 1);
  EXPECT_EQ(lazy.GetItemCount(), 4);
  HTREEITEM second = lazy.GetNextSiblingItem(lazy.GetChildItem(top));
  ASSERT_TRUE(lazy.ExpandItem(second, TVE_EXPAND));
  EXPECT_EQ(lazy.loads, 2);
  ASSERT_TRUE(lazy.ExpandItem(top, TVE_COLLAPSE));
  ASSERT_TRUE(lazy.SelectItem(lazy.GetChildItem(second)));  // opens the way down again
  EXPECT_EQ(lazy.loads, 2);
  EXPECT_EQ(lazy.GetItemCount(), 7);
  EXPECT_EQ(lazy.GetNodeText(lazy.GetSelectedItem()).str(), "Pozycja 121");
  pump();
  lazy.UpdateWindow();
  ASSERT_TRUE(save_surface_png(lazy.m_hWnd, png("tree_lazy.png")));
  lazy.DestroyWindow();
  host.DestroyWindow();
}

// --- Pictures ---

TEST_F(TreeWindowTest, PictureOfLinesButtonsImagesBoldAndSelection) {
  make(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS);
  fill(true);
  tree.ExpandItem(years[0], TVE_EXPAND);
  tree.ExpandItem(issues[0], TVE_EXPAND);
  tree.ExpandItem(issues[1], TVE_EXPAND);
  tree.SetNodeState(years[1], TVIS_BOLD, TVIS_BOLD);
  tree.SelectItem(acts[1]);
  pump();
  tree.UpdateWindow();
  ASSERT_TRUE(save_surface_png(tree.m_hWnd, png("tree_lines.png")));

  // The button of a collapsed item: a shadow frame, white inside, a plus in the text colour.
  CRect b = button_of(years[1]);
  CPoint c(b.left + b.Width() / 2, b.top + b.Height() / 2);
  EXPECT_EQ(surface_pixel(tree.m_hWnd, b.left, b.top), ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(surface_pixel(tree.m_hWnd, b.left + 1, b.top + 1), RGB(255, 255, 255));
  EXPECT_EQ(surface_pixel(tree.m_hWnd, c.x, c.y - 2), ::GetSysColor(COLOR_WINDOWTEXT));  // the plus
  CRect e = button_of(years[0]);
  CPoint ec(e.left + e.Width() / 2, e.top + e.Height() / 2);
  EXPECT_EQ(surface_pixel(tree.m_hWnd, ec.x, ec.y - 2), RGB(255, 255, 255));  // a minus only
  EXPECT_EQ(surface_pixel(tree.m_hWnd, ec.x - 2, ec.y), ::GetSysColor(COLOR_WINDOWTEXT));

  // The dotted line below an expanded button runs in single pixels, joined from row to row.
  int x = ec.x;
  int shadow = 0, back = 0;
  for (int y = e.bottom + 1; y < e.bottom + 30; ++y) {
    DWORD p = surface_pixel(tree.m_hWnd, x, y);
    if (p == ::GetSysColor(COLOR_BTNSHADOW)) ++shadow;
    else if (p == ::GetSysColor(COLOR_WINDOW)) ++back;
    if (y > e.bottom + 1) {
      EXPECT_NE(p, surface_pixel(tree.m_hWnd, x, y - 1)) << "dots at y " << y;
    }
  }
  EXPECT_GT(shadow, 10);
  EXPECT_GT(back, 10);

  // The selected act: the highlight colour behind its label; the bold year is heavier.
  CRect sel = label_of(acts[1]);
  EXPECT_EQ(surface_pixel(tree.m_hWnd, sel.left - 2, sel.CenterPoint().y), ::GetSysColor(COLOR_HIGHLIGHT));
  CRect bold = label_of(years[1]);
  CRect plain = label_of(years[2]);
  EXPECT_GT(bold.Width(), plain.Width());
  EXPECT_GT(dark_pixels(bold), dark_pixels(plain));
}

TEST_F(TreeWindowTest, TopLevelItemsGetAConnectorOnlyWithLinesAtRoot) {
  for (DWORD style : {DWORD(TVS_HASLINES), DWORD(TVS_HASLINES | TVS_LINESATROOT)}) {
    tree.DestroyWindow();
    years.clear(), issues.clear(), acts.clear();
    make(style);
    fill();
    pump();
    tree.UpdateWindow();
    CRect label = label_of(years[1]);
    int shadow = 0;
    for (int x = 0; x < label.left - 3; ++x) {
      for (int y = label.top; y < label.bottom; ++y) shadow += surface_pixel(tree.m_hWnd, x, y) == ::GetSysColor(COLOR_BTNSHADOW);
    }
    if (style & TVS_LINESATROOT) {
      EXPECT_GT(shadow, 3);
    } else {
      EXPECT_EQ(shadow, 0);
    }
  }
}

TEST_F(TreeWindowTest, PictureOfStateImagesAndOverlays) {
  make(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT);
  fill(true);
  CImageList states;
  fill_images(states, &tree);
  ASSERT_TRUE(images.SetOverlayImage(1, 1));
  tree.SetImageList(&states, TVSIL_STATE);
  tree.SetNodeState(years[0], INDEXTOSTATEIMAGEMASK(1), TVIS_STATEIMAGEMASK);
  tree.SetNodeState(years[1], INDEXTOOVERLAYMASK(1), TVIS_OVERLAYMASK);
  tree.SetNodeState(years[2], INDEXTOSTATEIMAGEMASK(7), TVIS_STATEIMAGEMASK);  // no such image: none shown
  tree.InvalidateLayout();
  pump();
  tree.UpdateWindow();
  ASSERT_TRUE(save_surface_png(tree.m_hWnd, png("tree_states.png")));
  CRect state, icon;
  int row = tree.GetNodeRow(years[0]);
  ASSERT_TRUE(tree.GetItemRect(row, 0, &icon, LVIR_ICON));
  const SECListRow* r = tree.GetRow(row);
  EXPECT_EQ(r->state_icon.Width(), 16);
  EXPECT_EQ(r->icon.left, r->state_icon.right);
  EXPECT_EQ(surface_pixel(tree.m_hWnd, r->state_icon.left + 8, icon.top + 8), RGB(40, 80, 200));  // state image 1
  EXPECT_EQ(surface_pixel(tree.m_hWnd, icon.left + 8, icon.top + 8), RGB(230, 190, 40));
  ASSERT_TRUE(tree.GetItemRect(tree.GetNodeRow(years[1]), 0, &icon, LVIR_ICON));
  EXPECT_EQ(surface_pixel(tree.m_hWnd, icon.left + 8, icon.top + 8), RGB(40, 80, 200));  // the overlay over it
  EXPECT_TRUE(tree.GetRow(tree.GetNodeRow(years[2]))->state_icon.IsRectEmpty());
  tree.SetImageList(nullptr, TVSIL_STATE);
}

TEST_F(TreeWindowTest, ADisabledTreeFillsItsButtonsWithTheBackground) {
  make();
  fill();
  tree.EnableWindow(FALSE);
  pump();
  tree.UpdateWindow();
  ASSERT_TRUE(save_surface_png(tree.m_hWnd, png("tree_disabled.png")));
  CRect b = button_of(years[0]);
  EXPECT_EQ(surface_pixel(tree.m_hWnd, b.left + 1, b.top + 1), tree.GetBackColor());
  EXPECT_NE(tree.GetBackColor(), RGB(255, 255, 255));
  tree.EnableWindow(TRUE);
}

TEST_F(TreeWindowTest, PictureScrolledKeepsTheDotsAligned) {
  make(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0, CRect(0, 0, 180, 140));
  fill(true);
  tree.ExpandAll(nullptr);
  tree.UpdateScrollState();
  pump();
  tree.SendMessage(WM_VSCROLL, SB_LINEDOWN);
  tree.SendMessage(WM_VSCROLL, SB_LINEDOWN);
  tree.SendMessage(WM_VSCROLL, SB_LINEDOWN);
  tree.ScrollHorizontally(-15);  // an odd offset
  ASSERT_EQ(tree.GetHorizontalOffset(), 15);
  pump();
  tree.UpdateWindow();
  ASSERT_TRUE(save_surface_png(tree.m_hWnd, png("tree_scrolled.png")));
  // The column of a top-level line (under the years' images) has its dots on rows of one parity
  // all the way down, whatever the row.
  CRect icon;
  ASSERT_TRUE(tree.GetItemRect(tree.GetNodeRow(years[1]), 0, &icon, LVIR_ICON));
  int x = icon.left + icon.Width() / 2;
  x -= ((x + 15) % 2 + 2) % 2;
  int parity = -1;
  int dots = 0;
  CRect view;
  tree.GetViewRect(&view);
  for (int y = view.top; y < view.bottom; ++y) {
    if (surface_pixel(tree.m_hWnd, x, y) != ::GetSysColor(COLOR_BTNSHADOW)) continue;
    if (parity < 0) parity = y % 2;
    EXPECT_EQ(y % 2, parity) << y;
    ++dots;
  }
  EXPECT_GT(dots, 5);
}

TEST_F(TreeWindowTest, PictureOfWrappedLabelsWithAHangingIndent) {
  make(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, TVXS_LABELWRAP, CRect(0, 0, 260, 220));
  HTREEITEM act = add(nullptr, cp("Ustawa z dnia 26 czerwca 1974 r."), 1);
  HTREEITEM art = add(act, cp("Art. 1.\\{HI}Kodeks pracy określa prawa i obowiązki pracowników i pracodawców."), 2);
  HTREEITEM plain = add(act, cp("Art. 2. Pracownikiem jest osoba zatrudniona na podstawie umowy o pracę."), 3);
  tree.ExpandItem(act, TVE_EXPAND);
  pump();
  tree.UpdateWindow();
  ASSERT_TRUE(save_surface_png(tree.m_hWnd, png("tree_wrapped.png")));
  const SECListRow* split = tree.GetRow(tree.GetNodeRow(art));
  const SECListRow* one = tree.GetRow(tree.GetNodeRow(act));
  EXPECT_GT(split->height, 2 * one->height - 4);  // the tail wraps onto further lines
  _Node* node = tree.ResolveItem(art);
  ASSERT_TRUE(node->m_bHighlightSplit);
  EXPECT_EQ(node->m_strHead, "Art. 1.\\");
  // The head shows once, on the first line; the lines below start right of it.
  CRect label = label_of(art);
  int head_right = label.left + node->m_nHeadWidth;
  EXPECT_TRUE(inked(CRect(label.left, label.top, head_right, label.top + one->height - 2)));
  EXPECT_FALSE(inked(CRect(label.left, label.top + one->height, head_right - 2, label.bottom)));
  EXPECT_TRUE(inked(CRect(head_right, label.top + one->height, label.right, label.bottom)));
  // Without the marker the text wraps from the label's left edge.
  CRect p = label_of(plain);
  EXPECT_TRUE(inked(CRect(p.left, p.top + one->height, p.left + 20, p.bottom)));
}

TEST_F(TreeWindowTest, WithoutWrappingOnlyTheFirstLineShowsAndTheMarkerIsText) {
  make();
  HTREEITEM two = add(nullptr, cp("Pierwsza linia\nDruga linia"), 1);
  HTREEITEM marked = add(nullptr, cp("Art.\\{HI}treść"), 2);
  pump();  // inserted without auto-redraw: the next paint lays out and shows them
  ASSERT_TRUE(save_surface_png(tree.m_hWnd, png("tree_one_line.png")));
  EXPECT_TRUE(inked(label_of(marked)));
  const SECListRow* r0 = tree.GetRow(tree.GetNodeRow(two));
  const SECListRow* r1 = tree.GetRow(tree.GetNodeRow(marked));
  EXPECT_EQ(r0->height, r1->height);
  EXPECT_FALSE(tree.ResolveItem(marked)->m_bHighlightSplit);
  CClientDC dc(&tree);
  CFont* old = dc.SelectObject(tree.GetItemFont());
  EXPECT_EQ(r1->label.Width(), dc.GetTextExtent(cp("Art.\\{HI}treść")).cx);
  dc.SelectObject(old);
}

TEST_F(TreeWindowTest, PictureWithoutImagesWithHeaderColumnsAndGreyItems) {
  make(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, TVXS_HEADER);
  tree.InsertColumn(1, "Rok", LVCFMT_RIGHT, 60);
  tree.SetColumnWidth(0, 230);
  fill();
  tree.EnableSubItemTextMap(TRUE);
  for (size_t i = 0; i < years.size(); ++i) tree.SetNodeText(years[i], 1, std::to_string(1997 + i).c_str());
  tree.ExpandItem(years[0], TVE_EXPAND);
  tree.ExpandItem(issues[1], TVE_EXPAND);
  ListExState grey;
  grey.state = grey.stateMask = _Node::kGreyed;
  tree.SetTreeItemExState(issues[1], &grey);
  pump();
  tree.UpdateWindow();
  ASSERT_TRUE(save_surface_png(tree.m_hWnd, png("tree_columns.png")));
  CRect b = button_of(years[0]);
  EXPECT_EQ(b.Width(), 9);  // 8 without images, made odd
  CRect act = label_of(acts[2]);
  EXPECT_TRUE(inked(act, 200));  // grey text: drawn, but nothing as dark as the other labels
  EXPECT_FALSE(inked(act, 90));
  EXPECT_TRUE(inked(label_of(issues[0]), 90));
  CRect year_cell;
  tree.GetItemRect(tree.GetNodeRow(years[1]), 1, &year_cell, LVIR_BOUNDS);
  EXPECT_TRUE(inked(year_cell));  // the year from the map, in the second column
}

}  // namespace
}  // namespace lumo::test
