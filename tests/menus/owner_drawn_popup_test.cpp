// Owner-drawn items inside tracked pop-ups: measured and drawn by the owner on the pop-up's own
// surface with their states, selection drawn as the keyboard moves, mnemonics of owner-drawn
// items answered by the owner through WM_MENUCHAR.
#include "platform/base/cp1250.h"
#include "platform/base/temp_folder.h"
#include "platform/framework/menu.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/menus/menu_script.h"
#include "tests/support/message_log.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

constexpr UINT ID_OPEN = 34201;
constexpr UINT ID_SAVE = 34202;
constexpr UINT ID_CLOSE = 34203;
constexpr UINT ID_PRINT = 34204;
constexpr UINT ID_CLOSE_ALL = 34205;
constexpr COLORREF kSelectedFill = RGB(0, 0, 128);
constexpr COLORREF kPlainFill = RGB(255, 255, 224);
constexpr int kItemHeight = 24;

// What an owner-drawn item's data word points to.
struct OwnerItem {
  CString text;  // CP1250, with its mnemonic mark
  UINT width;
};

// An owner that draws its items the way a bitmap menu does: an image box, the label, and its own
// mnemonic lookup over the items' records.
class DrawingOwner : public CWnd {
 public:
  struct Drawn {
    UINT id;
    UINT state;
    UINT action;
    RECT rect;
    bool has_dc;
    HWND item;
  };
  std::vector<UINT> measured;
  std::vector<Drawn> drawn;
  std::vector<std::pair<UINT, UINT>> selected;  // WM_MENUSELECT: item and flags
  std::vector<BYTE> menu_chars;

  afx_msg void OnMeasureItem(int, LPMEASUREITEMSTRUCT m) {
    measured.push_back(m->itemID);
    m->itemWidth = reinterpret_cast<const OwnerItem*>(m->itemData)->width;
    m->itemHeight = kItemHeight;
  }

  afx_msg void OnDrawItem(int, LPDRAWITEMSTRUCT d) {
    drawn.push_back({d->itemID, d->itemState, d->itemAction, d->rcItem, d->hDC != nullptr, d->hwndItem});
    const auto* item = reinterpret_cast<const OwnerItem*>(d->itemData);
    bool selected_item = d->itemState & ODS_SELECTED;
    HBRUSH fill = CreateSolidBrush(selected_item ? kSelectedFill : kPlainFill);
    FillRect(d->hDC, &d->rcItem, fill);
    DeleteObject(fill);
    RECT image{d->rcItem.left + 3, d->rcItem.top + 4, d->rcItem.left + 19, d->rcItem.bottom - 4};
    HBRUSH red = CreateSolidBrush(RGB(200, 0, 0));
    FillRect(d->hDC, &image, red);
    DeleteObject(red);
    if (d->itemState & ODS_CHECKED) DrawEdge(d->hDC, &image, BDR_SUNKENOUTER, BF_RECT);
    SetBkMode(d->hDC, TRANSPARENT);
    SetTextColor(d->hDC, (d->itemState & ODS_GRAYED) ? RGB(128, 128, 128)
                         : selected_item                ? RGB(255, 255, 255)
                                                        : RGB(0, 0, 0));
    RECT text = d->rcItem;
    text.left += 26;
    DrawText(d->hDC, item->text, item->text.GetLength(), &text, DT_SINGLELINE | DT_VCENTER);
  }

  afx_msg void OnMenuSelect(UINT item, UINT flags, HMENU) { selected.emplace_back(item, flags); }

  // Items whose record marks the letter; one is run at once, several are selected in turn after
  // the highlighted one.
  afx_msg LRESULT OnMenuChar(WPARAM wParam, LPARAM lParam) {
    BYTE key = BYTE(LOWORD(wParam));
    menu_chars.push_back(key);
    HMENU menu = reinterpret_cast<HMENU>(lParam);
    std::vector<int> matches;
    int hilite = -1;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      MENUITEMINFO info;
      info.fMask = MIIM_TYPE | MIIM_DATA | MIIM_STATE;
      GetMenuItemInfo(menu, UINT(i), TRUE, &info);
      if (info.fState & MFS_HILITE) hilite = i;
      if (!(info.fType & MFT_OWNERDRAW) || !info.dwItemData) continue;
      const auto* item = reinterpret_cast<const OwnerItem*>(info.dwItemData);
      if (framework::menu_text_mnemonic(std::string(item->text.view())) == base::cp1250::to_lower(key)) {
        matches.push_back(i);
      }
    }
    if (matches.empty()) return 0;
    if (matches.size() == 1) return MAKELRESULT(WORD(matches[0]), MNC_EXECUTE);
    int next = matches[0];
    for (int m : matches) {
      if (m > hilite) {
        next = m;
        break;
      }
    }
    return MAKELRESULT(WORD(next), MNC_SELECT);
  }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DrawingOwner, CWnd)
  ON_WM_MEASUREITEM()
  ON_WM_DRAWITEM()
  ON_WM_MENUSELECT()
  ON_MESSAGE(WM_MENUCHAR, &DrawingOwner::OnMenuChar)
END_MESSAGE_MAP()

class OwnerDrawnPopupTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    // Visible, so it is the active window that keys go to.
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 40, 40), nullptr, 0));
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_OWNERDRAW, ID_OPEN, reinterpret_cast<LPCTSTR>(&open));
    popup.AppendMenu(MF_OWNERDRAW | MF_CHECKED, ID_SAVE, reinterpret_cast<LPCTSTR>(&save));
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_OWNERDRAW | MF_GRAYED, ID_CLOSE, reinterpret_cast<LPCTSTR>(&close));
    popup.AppendMenu(MF_STRING, ID_PRINT, "&Drukuj\tCtrl+P");
  }

  // The draws that showed a change of selection.
  std::vector<std::pair<UINT, UINT>> selection_draws() const {
    std::vector<std::pair<UINT, UINT>> out;
    for (const auto& d : owner.drawn) {
      if (d.action == ODA_SELECT) out.emplace_back(d.id, d.state);
    }
    return out;
  }

  DrawingOwner owner;
  CMenu popup;
  OwnerItem open{cp("&Otwórz"), 120};
  OwnerItem save{cp("&Zapisz jako"), 90};
  OwnerItem close{cp("Za&mknij"), 100};
};

TEST_F(OwnerDrawnPopupTest, ItemsAreMeasuredAndDrawnWithTheirStatesAndRectangles) {
  MessageLog log({WM_ENTERMENULOOP, WM_EXITMENULOOP, WM_INITMENUPOPUP});
  MenuScript script;
  std::string png = base::temp_folder() + "/lumo_menus_owner_drawn_popup.png";
  framework::MenuPopupWnd* shown = nullptr;
  DWORD selected_pixel = 0;
  script.later([&] {
    press_key(VK_DOWN);
    press_key(VK_DOWN);
    script.later([&] {
      shown = popup_of(popup);
      ASSERT_NE(shown, nullptr);
      // Right of the label, where only the owner's fill shows.
      RECT item = shown->ItemRect(1);
      POINT inside{item.right - 3, (item.top + item.bottom) / 2};
      ::ScreenToClient(shown->m_hWnd, &inside);
      selected_pixel = surface_pixel(shown->m_hWnd, inside.x, inside.y);
      EXPECT_TRUE(save_surface_png(shown->m_hWnd, png));
      // The grayed item can be selected but not run; Esc then closes the pop-up.
      press_key(VK_DOWN);
      press_key(VK_RETURN);
      press_key(VK_ESCAPE);
    });
  });
  EXPECT_EQ(popup.TrackPopupMenu(TPM_RETURNCMD, 100, 80, &owner), 0);

  EXPECT_EQ(owner.measured, (std::vector<UINT>{ID_OPEN, ID_SAVE, ID_CLOSE}));
  // At open every owner-drawn item is drawn whole, stacked, as wide as the widest item.
  ASSERT_GE(owner.drawn.size(), 3u);
  const auto& first = owner.drawn[0];
  const auto& second = owner.drawn[1];
  const auto& third = owner.drawn[2];
  EXPECT_EQ(first.id, ID_OPEN);
  EXPECT_EQ(second.id, ID_SAVE);
  EXPECT_EQ(third.id, ID_CLOSE);
  for (const auto& d : {first, second, third}) {
    EXPECT_EQ(d.action, UINT(ODA_DRAWENTIRE));
    EXPECT_TRUE(d.has_dc);
    EXPECT_EQ(d.item, reinterpret_cast<HWND>(popup.m_hMenu));
    EXPECT_EQ(d.rect.bottom - d.rect.top, kItemHeight);
    EXPECT_EQ(d.rect.left, first.rect.left);
    EXPECT_EQ(d.rect.right, first.rect.right);
  }
  EXPECT_GE(first.rect.right - first.rect.left, 120);
  EXPECT_EQ(second.rect.top, first.rect.bottom);
  EXPECT_GT(third.rect.top, second.rect.bottom);  // the separator lies between
  EXPECT_EQ(first.state, 0u);
  EXPECT_EQ(second.state, UINT(ODS_CHECKED));
  EXPECT_EQ(third.state, UINT(ODS_GRAYED | ODS_DISABLED));

  // Each move draws the item left and the item reached; the separator is passed over.
  EXPECT_EQ(selection_draws(), (std::vector<std::pair<UINT, UINT>>{
                                   {ID_OPEN, ODS_SELECTED},
                                   {ID_OPEN, 0},
                                   {ID_SAVE, ODS_SELECTED | ODS_CHECKED},
                                   {ID_SAVE, ODS_CHECKED},
                                   {ID_CLOSE, ODS_SELECTED | ODS_GRAYED | ODS_DISABLED},
                               }));
  // The owner drew on the pop-up's own surface.
  EXPECT_EQ(selected_pixel, DWORD(kSelectedFill));

  // The owner heard of each selection, and of the close.
  ASSERT_EQ(owner.selected.size(), 4u);
  EXPECT_EQ(owner.selected[0], (std::pair<UINT, UINT>{ID_OPEN, MF_OWNERDRAW | MF_HILITE}));
  EXPECT_EQ(owner.selected[1], (std::pair<UINT, UINT>{ID_SAVE, MF_OWNERDRAW | MF_HILITE | MF_CHECKED}));
  EXPECT_EQ(owner.selected[2].first, ID_CLOSE);
  EXPECT_TRUE(owner.selected[2].second & MF_GRAYED);
  EXPECT_EQ(owner.selected[3], (std::pair<UINT, UINT>{0, kMenuClosedFlags}));
  EXPECT_EQ(log.messages_of(owner.m_hWnd),
            (std::vector<UINT>{WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_EXITMENULOOP}));
  // Nothing stays highlighted once the menu is closed.
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(popup.GetMenuState(i, MF_BYPOSITION) & MF_HILITE) << i;
  EXPECT_TRUE(open_popups().empty());
}

// Letters: an owner-drawn item's mnemonic is known only to its owner (WM_MENUCHAR); a text item's
// mnemonic is found in its text without asking.
TEST_F(OwnerDrawnPopupTest, MnemonicsOfOwnerDrawnItemsGoThroughTheOwner) {
  struct Key {
    int virtual_key;
    BYTE character;
  };
  struct Case {
    const char* what;
    std::vector<Key> keys;
    UINT chosen;
    std::vector<BYTE> asked;
  } cases[] = {
      {"one owner-drawn match runs it", {{'O', 'o'}}, ID_OPEN, {'o'}},
      {"capital letters match too", {{'O', 'O'}}, ID_OPEN, {'O'}},
      {"two matches: selected in turn", {{'Z', 'z'}, {VK_RETURN, 0}}, ID_SAVE, {'z'}},
      {"the second press reaches the second", {{'Z', 'z'}, {'Z', 'z'}, {VK_RETURN, 0}}, ID_CLOSE_ALL, {'z', 'z'}},
      {"a text item's own mnemonic", {{'D', 'd'}}, ID_PRINT, {}},
      {"an unknown letter does nothing", {{'Q', 'q'}, {VK_ESCAPE, 0}}, 0, {'q'}},
  };
  // Two owner-drawn items mark z ("Za&mknij" marks m).
  OwnerItem second_z{cp("&Zamknij wszystko"), 110};
  popup.InsertMenu(ID_PRINT, MF_BYCOMMAND | MF_OWNERDRAW, ID_CLOSE_ALL, reinterpret_cast<LPCTSTR>(&second_z));
  for (const Case& c : cases) {
    owner.menu_chars.clear();
    for (const Key& k : c.keys) press_key(k.virtual_key, k.character);
    EXPECT_EQ(UINT(popup.TrackPopupMenu(TPM_RETURNCMD, 50, 50, &owner)), c.chosen) << c.what;
    EXPECT_EQ(owner.menu_chars, c.asked) << c.what;
    pump();
  }
}

// A menu object of a class that draws its own items answers when the owner does not.
class SelfDrawnMenu : public CMenu {
 public:
  int measures = 0;
  int draws = 0;
  void MeasureItem(LPMEASUREITEMSTRUCT m) override {
    ++measures;
    m->itemWidth = 80;
    m->itemHeight = 20;
  }
  void DrawItem(LPDRAWITEMSTRUCT) override { ++draws; }
};

TEST_F(OwnerDrawnPopupTest, AMenuClassDrawsWhatTheOwnerLeaves) {
  CWnd plain;
  ASSERT_TRUE(plain.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 40, 40), nullptr, 0));
  SelfDrawnMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_OWNERDRAW, ID_OPEN, nullptr);
  EXPECT_EQ(CMenu::FromHandle(menu), &menu);
  press_key(VK_ESCAPE);
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &plain), 0);
  EXPECT_EQ(menu.measures, 1);
  EXPECT_GE(menu.draws, 1);
}

}  // namespace
}  // namespace lumo::test
