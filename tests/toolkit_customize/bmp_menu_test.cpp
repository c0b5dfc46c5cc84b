// Bitmap menus: the item geometry and the mnemonic answer as plain functions, and the plug-in in a
// frame with bitmap menus on: which items it converts, how it measures and draws them (images,
// check marks, the shortcut column, disabled items), mnemonic keys, purging dead menus, a change
// of the system settings, and the items given back when it goes.
#include <gtest/gtest.h>

#include <QImage>
#include <memory>

#include "platform/framework/menu.h"
#include "platform/win/messages.h"
#include "platform/gdi/qt_raster_device.h"
#include "platform/win/window_dc.h"
#include "platform/win/system_metrics.h"
#include "resources/resource_ids.h"
#include "tests/toolkit_customize/customize_fixture.h"
#include "toolkit/frame/bmp_mgr.h"
#include "toolkit/frame/sec_frame_wnd.h"
#include "toolkit/widgets/bmp_menu_plugin.h"

namespace lumo::test {
namespace {

using namespace resources;

constexpr UINT kNoImage = 0x7F00;
constexpr UINT kForeign = 0x7F01;

TEST(BmpMenuRules, SplitSizeAndLayout) {
  EXPECT_EQ(bmpmenu::Split("&Kopiuj\tCtrl+C").label, "&Kopiuj");
  EXPECT_EQ(bmpmenu::Split("&Kopiuj\tCtrl+C").shortcut, "Ctrl+C");
  EXPECT_EQ(bmpmenu::Split("Bez skrótu").shortcut, "");
  EXPECT_EQ(bmpmenu::ItemSize({60, 13}, {16, 15}, 18), CSize(106, 19));
  EXPECT_EQ(bmpmenu::ItemSize({60, 22}, {16, 15}, 18), CSize(106, 22));
  EXPECT_EQ(bmpmenu::ItemSize({60, 13}, {16, 10}, 18), CSize(106, 18));
  const bmpmenu::ItemLayout at = bmpmenu::Layout(CRect(0, 10, 200, 30), 16, 15);
  EXPECT_EQ(at.box, CRect(1, 10, 21, 29));
  EXPECT_EQ(at.column, CRect(21, 10, 22, 30));
  EXPECT_EQ(at.textArea, CRect(22, 10, 200, 30));
  EXPECT_EQ(at.text, CRect(23, 10, 177, 30));
}

TEST(BmpMenuRules, MenuCharAnswers) {
  using bmpmenu::CharItem;
  const std::vector<CharItem> items = {{true, 'k', false}, {true, 'd', false}, {false, 'x', false}, {true, 'd', false}};
  EXPECT_EQ(bmpmenu::MenuCharAnswer(items, 'q'), 0);
  EXPECT_EQ(bmpmenu::MenuCharAnswer(items, 'x'), 0);  // not an item of the plug-in
  EXPECT_EQ(bmpmenu::MenuCharAnswer(items, 'k'), MAKELRESULT(0, MNC_EXECUTE));
  EXPECT_EQ(bmpmenu::MenuCharAnswer(items, 'd'), MAKELRESULT(1, MNC_SELECT));
  std::vector<CharItem> second = items;
  second[1].highlighted = true;
  EXPECT_EQ(bmpmenu::MenuCharAnswer(second, 'd'), MAKELRESULT(3, MNC_SELECT));
  std::vector<CharItem> wrapped = items;
  wrapped[3].highlighted = true;
  EXPECT_EQ(bmpmenu::MenuCharAnswer(wrapped, 'd'), MAKELRESULT(1, MNC_SELECT));
}

class BmpMenuTest : public CustomizeTest {
 protected:
  void SetUp() override {
    CustomizeTest::SetUp();
    new_frame(IDR_TEST_MAIN, true);
    attach_manager();
    plugIn = dynamic_cast<SECBmpMenuPlugIn*>(mdi->GetMenuPlugIn());
    ASSERT_NE(plugIn, nullptr);
    menu = ::CreatePopupMenu();
    ::AppendMenu(menu, MF_STRING, resources::ID_EDIT_COPY, cp("&Kopiuj\tCtrl+C"));
    ::AppendMenu(menu, MF_STRING | MF_CHECKED, resources::ID_FILE_PRINT, cp("&Drukuj...\tCtrl+P"));
    ::AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenu(menu, MF_STRING | MF_CHECKED, kNoImage, cp("Ż&ółta opcja"));
    ::AppendMenu(menu, MF_STRING | MF_GRAYED, resources::ID_FILE_OPEN, cp("&Otwórz...\tCtrl+O"));
    ::AppendMenu(menu, MF_STRING, ID_ACT_INFORMATION, cp("&Dokument - właściwości"));
    ::AppendMenu(menu, MF_STRING, SC_CLOSE, cp("Zamknij\tAlt+F4"));
    ::AppendMenu(menu, MF_OWNERDRAW, kForeign, reinterpret_cast<const char*>(uintptr_t(1234)));
  }
  void TearDown() override {
    if (::IsMenu(menu)) ::DestroyMenu(menu);
    CustomizeTest::TearDown();
  }
  UINT type_of(int position) {
    MENUITEMINFO mii;
    mii.fMask = MIIM_TYPE;
    ::GetMenuItemInfo(menu, UINT(position), TRUE, &mii);
    return mii.fType;
  }
  void convert() { mdi->SendMessage(WM_INITMENUPOPUP, WPARAM(menu), MAKELPARAM(0, 0)); }
  LRESULT menu_char(char ch) { return mdi->SendMessage(WM_MENUCHAR, MAKEWPARAM(BYTE(ch), MF_POPUP), LPARAM(menu)); }
  // The items drawn one under another into a picture, `selected` drawn as selected.
  QImage draw(int selected, CRect* rowOf = nullptr, int row = -1) {
    const int count = ::GetMenuItemCount(menu);
    std::vector<CRect> rows;
    int width = 0, y = 0;
    for (int i = 0; i < count; ++i) {
      if (!(type_of(i) & MFT_OWNERDRAW) || ::GetMenuItemID(menu, i) == kForeign) continue;
      const SIZE size = measure_menu_item(mdi->m_hWnd, menu, i);
      rows.emplace_back(0, y, size.cx, y + size.cy);
      width = std::max<int>(width, size.cx);
      y += size.cy;
    }
    CWindowDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateBitmap(width + 40, y, 1, 32, nullptr);
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, width + 40, y, RGB(255, 0, 255));
    int r = 0;
    for (int i = 0; i < count; ++i) {
      if (!(type_of(i) & MFT_OWNERDRAW) || ::GetMenuItemID(menu, i) == kForeign) continue;
      CRect rect = rows[size_t(r)];
      rect.right = width + 40;
      if (rowOf && i == row) *rowOf = rect;
      draw_menu_item(mdi->m_hWnd, menu, i, dc.GetSafeHdc(), rect, i == selected ? ODS_SELECTED : 0);
      ++r;
    }
    dc.SelectObject(old);
    return gdi::image_of_bitmap(HBITMAP(bitmap.GetSafeHandle())).copy();
  }

  SECBmpMenuPlugIn* plugIn = nullptr;
  HMENU menu = nullptr;
};

TEST_F(BmpMenuTest, ConvertsOrdinaryItemsAndLeavesSystemAndForeignOnesAlone) {
  // The plug-in draws with the manager's images.
  EXPECT_EQ(plugIn->GetBmpMgr(), manager->GetBmpMgr());
  convert();
  EXPECT_TRUE(type_of(0) & MFT_OWNERDRAW);
  EXPECT_TRUE(type_of(1) & MFT_OWNERDRAW);
  EXPECT_TRUE(type_of(2) & MFT_SEPARATOR);
  EXPECT_TRUE(type_of(3) & MFT_OWNERDRAW);
  EXPECT_FALSE(type_of(6) & MFT_OWNERDRAW);  // a system command
  EXPECT_TRUE(plugIn->IsForeignId(kForeign));
  EXPECT_EQ(::GetMenuItemData(menu, 7, MF_BYPOSITION), 1234u);
  EXPECT_EQ(plugIn->ItemCount(menu), 5u);
  // The texts stay readable for the shortcut table and the command catalogue.
  char text[64] = {};
  ::GetMenuString(menu, 0, text, sizeof(text), MF_BYPOSITION);
  EXPECT_EQ(utf8(CString(text)), "&Kopiuj\tCtrl+C");
  // Opening it again converts nothing twice.
  convert();
  EXPECT_EQ(plugIn->ItemCount(menu), 5u);
  // A system menu is never touched.
  HMENU system = ::GetSystemMenu(mdi->m_hWnd, FALSE);
  mdi->SendMessage(WM_INITMENUPOPUP, WPARAM(system), MAKELPARAM(0, 1));
  EXPECT_EQ(plugIn->ItemCount(system), 0u);
  EXPECT_EQ(plugIn->MenuCount(), 1u);
}

TEST_F(BmpMenuTest, MeasuresAndDrawsImagesChecksAndTheShortcutColumn) {
  convert();
  const SIZE copy = measure_menu_item(mdi->m_hWnd, menu, 0);
  const CSize image = manager->GetBmpMgr()->GetSmallImageSize();
  EXPECT_GE(copy.cy, std::max<LONG>(image.cy + 4, GetSystemMetrics(SM_CYMENU)));
  EXPECT_GT(copy.cx, image.cx + 30);
  CRect copyRow;
  const QImage plain = draw(-1, &copyRow, 0);
  ASSERT_FALSE(plain.isNull());
  EXPECT_TRUE(save(plain.scaled(plain.width() * 3, plain.height() * 3), "bmp_menu_items.png"));
  const QImage selected = draw(0);
  EXPECT_TRUE(save(selected.scaled(selected.width() * 3, selected.height() * 3), "bmp_menu_selected.png"));

  // The shortcut ends 23 pixels before the item's right edge: text pixels just left of it, none
  // right of it.
  auto dark = [&](const QImage& img, int x, int y) { return qGray(img.pixel(x, y)) < 100; };
  bool inColumn = false, pastColumn = false;
  for (int y = copyRow.top; y < copyRow.bottom; ++y) {
    for (int x = copyRow.right - 30; x < copyRow.right - 23; ++x) inColumn |= dark(plain, x, y);
    for (int x = copyRow.right - 22; x < copyRow.right; ++x) pastColumn |= dark(plain, x, y);
  }
  EXPECT_TRUE(inColumn);
  EXPECT_FALSE(pastColumn);
  // A selected item's text area takes the highlight colour.
  const COLORREF hilite = GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_EQ(selected.pixel(copyRow.right - 5, copyRow.top + 2),
            qRgb(GetRValue(hilite), GetGValue(hilite), GetBValue(hilite)));
}

TEST_F(BmpMenuTest, MnemonicsAnswerTheKeysTheMenuLoopCannotSee) {
  convert();
  EXPECT_EQ(menu_char('k'), MAKELRESULT(0, MNC_EXECUTE));
  EXPECT_EQ(menu_char('K'), MAKELRESULT(0, MNC_EXECUTE));
  EXPECT_EQ(menu_char('o'), MAKELRESULT(4, MNC_EXECUTE));
  // Two items marked D: the first is selected, then (with it highlighted) the second.
  EXPECT_EQ(menu_char('d'), MAKELRESULT(1, MNC_SELECT));
  MENUITEMINFO hilite;
  hilite.fMask = MIIM_STATE;
  hilite.fState = MFS_HILITE | MFS_CHECKED;
  ::SetMenuItemInfo(menu, 1, TRUE, &hilite);
  EXPECT_EQ(menu_char('d'), MAKELRESULT(5, MNC_SELECT));
  // A Polish letter after the ampersand.
  EXPECT_EQ(menu_char(cp("ó")[0]), MAKELRESULT(3, MNC_EXECUTE));
  EXPECT_EQ(menu_char(cp("Ó")[0]), MAKELRESULT(3, MNC_EXECUTE));
  // No item: the frame's own answer.
  EXPECT_EQ(menu_char('q'), 0);
}

TEST_F(BmpMenuTest, DeadMenusArePurgedAndItemsComeBackWhenThePlugInGoes) {
  convert();
  // A menu converted by a second plug-in of its own.
  HMENU other = ::CreatePopupMenu();
  ::AppendMenu(other, MF_STRING, resources::ID_EDIT_COPY, cp("&Kopiuj\tCtrl+C"));
  ::AppendMenu(other, MF_STRING, ID_ACT_INFORMATION, cp("Wła&ściwości"));
  {
    SECBmpMenuPlugIn own(FALSE);
    own.PlugInTo(mdi);
    own.InitMenuPopup(WPARAM(other), 0);
    MENUITEMINFO mii;
    mii.fMask = MIIM_TYPE;
    ::GetMenuItemInfo(other, 1, TRUE, &mii);
    EXPECT_TRUE(mii.fType & MFT_OWNERDRAW);
    // An item that went away takes its info with it at the next purge.
    ::DeleteMenu(other, 0, MF_BYPOSITION);
    own.PurgeMenuRecords();
    EXPECT_EQ(own.ItemCount(other), 1u);
  }
  // Gone: its items are plain strings with their texts again.
  char text[64] = {};
  ::GetMenuString(other, 0, text, sizeof(text), MF_BYPOSITION);
  EXPECT_EQ(utf8(CString(text)), "Wła&ściwości");
  MENUITEMINFO mii;
  mii.fMask = MIIM_TYPE;
  ::GetMenuItemInfo(other, 0, TRUE, &mii);
  EXPECT_FALSE(mii.fType & MFT_OWNERDRAW);
  ::DestroyMenu(other);

  // A destroyed menu is dropped on the next idle update.
  ::DestroyMenu(menu);
  mdi->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_EQ(plugIn->MenuCount(), 0u);
}

TEST_F(BmpMenuTest, ASettingChangeMeasuresTheItemsAgain) {
  convert();
  const UINT_PTR data = ::GetMenuItemData(menu, 0, MF_BYPOSITION);
  mdi->SendMessage(WM_SETTINGCHANGE, 0, 0);
  EXPECT_TRUE(type_of(0) & MFT_OWNERDRAW);
  EXPECT_EQ(::GetMenuItemData(menu, 0, MF_BYPOSITION), data);
  EXPECT_EQ(plugIn->ItemCount(menu), 5u);
  EXPECT_GT(measure_menu_item(mdi->m_hWnd, menu, 0).cx, 0);
}

TEST_F(BmpMenuTest, TheSingleDocumentFrameHasBitmapMenusToo) {
  auto* single = std::make_unique<SECFrameWnd>().release();  // ends itself with its window
  single->EnableBitmapMenus(TRUE, TRUE);
  ASSERT_TRUE(single->LoadFrame(IDR_TEST_MAIN));
  auto* own = dynamic_cast<SECBmpMenuPlugIn*>(single->m_pMenuPlugIn);
  ASSERT_NE(own, nullptr);
  single->SetControlBarManager(manager.get());
  EXPECT_EQ(own->GetBmpMgr(), manager->GetBmpMgr());
  single->SendMessage(WM_INITMENUPOPUP, WPARAM(menu), 0);
  EXPECT_EQ(own->ItemCount(menu), 5u);
  single->SetControlBarManager(nullptr);
  single->DestroyWindow();
  pump();
}

}  // namespace
}  // namespace lumo::test
