// What a bitmap menu relies on to turn items into owner-drawn ones and back: item information by
// position and by command, texts, ids, states, and ModifyMenu in both addressings.
#include "platform/framework/menu.h"
#include "tests/framework/framework_fixture.h"

namespace lumo::test {
namespace {

constexpr UINT ID_OPEN = 34101;
constexpr UINT ID_SAVE = 34102;

class MenuItemInfoTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, ID_OPEN, cp("&Otwórz\tCtrl+O"));
    popup.AppendMenu(MF_SEPARATOR);
    sub = CreatePopupMenu();
    AppendMenu(sub, MF_STRING, ID_SAVE, "&Zapisz");
    popup.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub), cp("&Więcej"));
  }

  CMenu popup;
  HMENU sub = nullptr;
};

// The conversion a bitmap menu makes: read id, type and text, then switch the item to owner-drawn
// with its own record as the data word; the id and state stay, the text goes with the type.
TEST_F(MenuItemInfoTest, ItemsTurnOwnerDrawnAndBack) {
  char text[256] = {};
  MENUITEMINFO info;
  info.fMask = MIIM_ID | MIIM_TYPE;
  info.dwTypeData = text;
  info.cch = sizeof text;
  ASSERT_TRUE(popup.GetMenuItemInfo(0, &info, TRUE));
  EXPECT_EQ(info.wID, ID_OPEN);
  EXPECT_EQ(info.fType, MFT_STRING);
  EXPECT_STREQ(text, cp("&Otwórz\tCtrl+O").GetString());
  EXPECT_EQ(info.cch, std::strlen(text));

  static int record = 7;
  MENUITEMINFO owner_drawn;
  owner_drawn.fMask = MIIM_TYPE | MIIM_DATA;
  owner_drawn.fType = MFT_OWNERDRAW;
  owner_drawn.dwItemData = reinterpret_cast<UINT_PTR>(&record);
  popup.CheckMenuItem(ID_OPEN, MF_CHECKED);
  ASSERT_TRUE(popup.SetMenuItemInfo(ID_OPEN, &owner_drawn));
  EXPECT_EQ(popup.GetMenuState(0, MF_BYPOSITION), UINT(MF_OWNERDRAW | MF_CHECKED));
  EXPECT_EQ(popup.GetMenuItemID(0), ID_OPEN);
  EXPECT_EQ(GetMenuItemData(popup, ID_OPEN, MF_BYCOMMAND), reinterpret_cast<UINT_PTR>(&record));
  EXPECT_EQ(GetMenuString(popup, 0, text, sizeof text, MF_BYPOSITION), 0);
  MENUITEMINFO read;
  read.fMask = MIIM_TYPE | MIIM_DATA | MIIM_STATE;
  read.dwTypeData = text;
  read.cch = sizeof text;
  ASSERT_TRUE(popup.GetMenuItemInfo(ID_OPEN, &read));
  EXPECT_EQ(read.fType, MFT_OWNERDRAW);
  EXPECT_EQ(read.fState, MFS_CHECKED);
  EXPECT_EQ(read.cch, 0u);
  EXPECT_EQ(read.dwItemData, reinterpret_cast<UINT_PTR>(&record));

  // Back to a string (to be measured again) and to owner-drawn through ModifyMenu, by command and
  // by position.
  ASSERT_TRUE(popup.ModifyMenu(ID_OPEN, MF_BYCOMMAND | MF_STRING, ID_OPEN, cp("&Otwórz")));
  CString back;
  popup.GetMenuString(0, back, MF_BYPOSITION);
  EXPECT_EQ(utf8(back), "&Otwórz");
  ASSERT_TRUE(popup.ModifyMenu(0, MF_BYPOSITION | MF_OWNERDRAW, ID_OPEN, reinterpret_cast<LPCTSTR>(&record)));
  EXPECT_EQ(GetMenuItemData(popup, 0, MF_BYPOSITION), reinterpret_cast<UINT_PTR>(&record));
  EXPECT_TRUE(popup.GetMenuState(ID_OPEN, MF_BYCOMMAND) & MF_OWNERDRAW);
}

TEST_F(MenuItemInfoTest, TheTypeAloneChangesAndTheTextStays) {
  static int record = 9;
  MENUITEMINFO owner_drawn;
  owner_drawn.fMask = MIIM_FTYPE | MIIM_DATA;
  owner_drawn.fType = MFT_OWNERDRAW;
  owner_drawn.dwItemData = reinterpret_cast<UINT_PTR>(&record);
  ASSERT_TRUE(popup.SetMenuItemInfo(0, &owner_drawn, TRUE));
  EXPECT_TRUE(popup.GetMenuState(0, MF_BYPOSITION) & MF_OWNERDRAW);
  // The text is kept: GetMenuString and MIIM_STRING still give it.
  CString kept;
  popup.GetMenuString(0, kept, MF_BYPOSITION);
  EXPECT_EQ(utf8(kept), "&Otwórz\tCtrl+O");
  char text[64] = {};
  MENUITEMINFO read;
  read.fMask = MIIM_STRING | MIIM_FTYPE;
  read.dwTypeData = text;
  read.cch = 4;
  ASSERT_TRUE(popup.GetMenuItemInfo(0, &read, TRUE));
  EXPECT_EQ(read.fType, MFT_OWNERDRAW);
  EXPECT_EQ(read.cch, 3u);  // cut to the buffer
  EXPECT_STREQ(text, "&Ot");
  read.dwTypeData = nullptr;
  ASSERT_TRUE(popup.GetMenuItemInfo(0, &read, TRUE));
  EXPECT_EQ(read.cch, UINT(kept.GetLength()));
  // A new text alone leaves the type.
  char renamed[] = "&Zapisz";
  MENUITEMINFO rename;
  rename.fMask = MIIM_STRING;
  rename.dwTypeData = renamed;
  ASSERT_TRUE(popup.SetMenuItemInfo(0, &rename, TRUE));
  EXPECT_TRUE(popup.GetMenuState(0, MF_BYPOSITION) & MF_OWNERDRAW);
  popup.GetMenuString(0, kept, MF_BYPOSITION);
  EXPECT_EQ(utf8(kept), "&Zapisz");
  EXPECT_EQ(GetMenuItemData(popup, 0, MF_BYPOSITION), reinterpret_cast<UINT_PTR>(&record));
}

TEST_F(MenuItemInfoTest, PopupSeparatorAndBadRequests) {
  MENUITEMINFO info;
  info.fMask = MIIM_SUBMENU | MIIM_TYPE | MIIM_STATE;
  ASSERT_TRUE(popup.GetMenuItemInfo(2, &info, TRUE));
  EXPECT_EQ(info.hSubMenu, sub);
  EXPECT_EQ(info.cch, UINT(cp("&Więcej").GetLength()));  // no buffer: the length only
  ASSERT_TRUE(popup.GetMenuItemInfo(1, &info, TRUE));
  EXPECT_EQ(info.fType, MFT_SEPARATOR);
  // By command, items of sub-menus are found too.
  info.fMask = MIIM_ID;
  ASSERT_TRUE(popup.GetMenuItemInfo(ID_SAVE, &info));
  EXPECT_EQ(info.wID, ID_SAVE);
  // A short buffer gets what fits and a terminating zero.
  char small[4] = {'x', 'x', 'x', 'x'};
  info.fMask = MIIM_TYPE;
  info.dwTypeData = small;
  info.cch = sizeof small;
  ASSERT_TRUE(popup.GetMenuItemInfo(0, &info, TRUE));
  EXPECT_STREQ(small, "&Ot");
  EXPECT_EQ(info.cch, 3u);

  MENUITEMINFO wrong_size;
  wrong_size.cbSize = 12;
  wrong_size.fMask = MIIM_ID;
  EXPECT_FALSE(popup.GetMenuItemInfo(0, &wrong_size, TRUE));
  EXPECT_FALSE(popup.SetMenuItemInfo(0, &wrong_size, TRUE));
  EXPECT_FALSE(popup.GetMenuItemInfo(9, &info, TRUE));
  EXPECT_FALSE(popup.GetMenuItemInfo(9999, &info));
  EXPECT_FALSE(GetMenuItemInfo(nullptr, 0, TRUE, &info));
}

TEST_F(MenuItemInfoTest, HiliteDefaultAndCheckMarksRoundTrip) {
  MENUITEMINFO info;
  info.fMask = MIIM_STATE | MIIM_CHECKMARKS;
  info.fState = MFS_HILITE | MFS_DEFAULT | MFS_GRAYED;
  info.hbmpChecked = reinterpret_cast<HBITMAP>(std::uintptr_t(0x51));
  ASSERT_TRUE(popup.SetMenuItemInfo(0, &info, TRUE));
  EXPECT_EQ(popup.GetMenuState(0, MF_BYPOSITION), UINT(MF_HILITE | MF_DEFAULT | MF_GRAYED | MF_DISABLED));
  MENUITEMINFO read;
  read.fMask = MIIM_STATE | MIIM_CHECKMARKS;
  ASSERT_TRUE(popup.GetMenuItemInfo(ID_OPEN, &read));
  EXPECT_EQ(read.fState, MFS_HILITE | MFS_DEFAULT | MFS_GRAYED);
  EXPECT_EQ(read.hbmpChecked, info.hbmpChecked);
  EXPECT_EQ(read.hbmpUnchecked, nullptr);
}

// Replacing a pop-up item with a command destroys the pop-up it opened, as the platform does.
TEST_F(MenuItemInfoTest, ModifyingAPopupItemDestroysItsPopup) {
  ASSERT_TRUE(popup.ModifyMenu(2, MF_BYPOSITION | MF_STRING, ID_SAVE + 1, "Inne"));
  EXPECT_FALSE(IsMenu(sub));
  EXPECT_EQ(popup.GetMenuItemID(2), ID_SAVE + 1);
  // The same pop-up given again stays alive.
  HMENU kept = CreatePopupMenu();
  ASSERT_TRUE(popup.ModifyMenu(2, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(kept), "A"));
  ASSERT_TRUE(popup.ModifyMenu(2, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(kept), "B"));
  EXPECT_TRUE(IsMenu(kept));
}

// A radio range that ends at the largest id still ends.
TEST_F(MenuItemInfoTest, RadioCheckOverTheWholeIdRange) {
  EXPECT_FALSE(CheckMenuRadioItem(popup, UINT(-2), UINT(-1), UINT(-1), MF_BYCOMMAND));
  EXPECT_FALSE(CheckMenuRadioItem(popup, 2, 1, 1, MF_BYPOSITION));
  ASSERT_TRUE(CheckMenuRadioItem(popup, ID_OPEN, ID_SAVE, ID_SAVE, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuState(popup, ID_SAVE, MF_BYCOMMAND), UINT(MF_CHECKED | MFT_RADIOCHECK));
  EXPECT_EQ(GetMenuState(popup, ID_OPEN, MF_BYCOMMAND), 0u);
}

}  // namespace
}  // namespace lumo::test
