// The way a bitmap menu works through a frame's menu bar: as each pop-up is prepared
// (WM_INITMENUPOPUP) the frame turns its text items into owner-drawn ones carrying a record of
// their text; the pop-up then measures and draws them through the frame, and their mnemonics
// reach the frame as WM_MENUCHAR.
#include <memory>

#include "platform/base/cp1250.h"
#include "platform/framework/menu.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/message_log.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

constexpr UINT ID_PRINT = 34501;
constexpr UINT ID_PREVIEW = 34502;
constexpr UINT ID_SETUP = 34503;

// What a converted item's data word points to: its text as it was.
struct ItemRecord {
  std::string text;
};

class BitmapMenuFrame : public CMDIFrameWnd {
 public:
  std::vector<std::unique_ptr<ItemRecord>> records;
  std::vector<UINT> measured;
  std::vector<UINT> drawn;
  std::vector<BOOL> system_flags;

 protected:
  afx_msg void OnInitMenuPopup(CMenu* popup, UINT index, BOOL system) {
    CMDIFrameWnd::OnInitMenuPopup(popup, index, system);
    system_flags.push_back(system);
    if (system) return;
    for (UINT i = 0; i < popup->GetMenuItemCount(); ++i) {
      char text[256] = {};
      MENUITEMINFO info;
      info.fMask = MIIM_ID | MIIM_TYPE;
      info.dwTypeData = text;
      info.cch = sizeof text;
      if (!popup->GetMenuItemInfo(i, &info, TRUE) || (info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW))) continue;
      records.push_back(std::make_unique<ItemRecord>(ItemRecord{text}));
      MENUITEMINFO owner_drawn;
      owner_drawn.fMask = MIIM_TYPE | MIIM_DATA;
      owner_drawn.fType = MFT_OWNERDRAW;
      owner_drawn.dwItemData = reinterpret_cast<UINT_PTR>(records.back().get());
      popup->SetMenuItemInfo(i, &owner_drawn, TRUE);
    }
  }
  afx_msg void OnMeasureItem(int, LPMEASUREITEMSTRUCT m) {
    measured.push_back(m->itemID);
    m->itemWidth = 150;
    m->itemHeight = 22;
  }
  afx_msg void OnDrawItem(int, LPDRAWITEMSTRUCT d) {
    drawn.push_back(d->itemID);
    const auto* record = reinterpret_cast<const ItemRecord*>(d->itemData);
    FillRect(d->hDC, &d->rcItem, GetSysColorBrush((d->itemState & ODS_SELECTED) ? COLOR_HIGHLIGHT : COLOR_MENU));
    RECT text = d->rcItem;
    text.left += 24;
    DrawText(d->hDC, record->text.c_str(), int(record->text.size()), &text, DT_SINGLELINE | DT_VCENTER);
  }
  afx_msg LRESULT OnMenuChar(WPARAM wParam, LPARAM lParam) {
    HMENU menu = reinterpret_cast<HMENU>(lParam);
    uint8_t wanted = base::cp1250::to_lower(BYTE(LOWORD(wParam)));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      auto* record = reinterpret_cast<const ItemRecord*>(GetMenuItemData(menu, UINT(i), MF_BYPOSITION));
      if (record && framework::menu_text_mnemonic(record->text) == wanted) return MAKELRESULT(WORD(i), MNC_EXECUTE);
    }
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BitmapMenuFrame, CMDIFrameWnd)
  ON_WM_INITMENUPOPUP()
  ON_WM_MEASUREITEM()
  ON_WM_DRAWITEM()
  ON_MESSAGE(WM_MENUCHAR, &BitmapMenuFrame::OnMenuChar)
END_MESSAGE_MAP()

class BitmapMenuFlowTest : public FrameworkTest {};

TEST_F(BitmapMenuFlowTest, ItemsConvertedWhilePreparedAreMeasuredDrawnAndChosenByLetter) {
  auto* frame = std::make_unique<BitmapMenuFrame>().release();  // ends itself with its window
  ASSERT_TRUE(frame->LoadFrame(IDR_TEST_MAIN));
  frame->MoveWindow(0, 0, 640, 480);
  frame->ShowWindow(SW_SHOW);
  app->m_pMainWnd = frame;
  frame->m_bAutoMenuEnable = FALSE;
  HMENU print = CreatePopupMenu();
  AppendMenu(print, MF_STRING, ID_PRINT, "&Drukuj...\tCtrl+P");
  AppendMenu(print, MF_SEPARATOR, 0, nullptr);
  AppendMenu(print, MF_STRING, ID_PREVIEW, cp("&Podgląd"));
  AppendMenu(print, MF_STRING, ID_SETUP, "&Ustawienia");
  HMENU bar = CreateMenu();
  AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(print), "&Wydruk");
  HMENU old = GetMenu(frame->m_hWnd);
  SetMenu(frame->m_hWnd, bar);
  DrawMenuBar(frame->m_hWnd);
  pump();

  MessageLog log({WM_COMMAND});
  press_key(VK_MENU);    // the keyboard enters the bar
  press_key(VK_DOWN);    // "Wydruk" opens
  press_key('P', 'p');   // the letter of "Podgląd", known only to the frame's records
  pump();
  // Prepared first, then measured and drawn as owner-drawn items.
  EXPECT_EQ(frame->system_flags, (std::vector<BOOL>{FALSE}));
  EXPECT_EQ(frame->measured, (std::vector<UINT>{ID_PRINT, ID_PREVIEW, ID_SETUP}));
  ASSERT_GE(frame->drawn.size(), 3u);
  EXPECT_EQ(std::vector<UINT>(frame->drawn.begin(), frame->drawn.begin() + 3),
            (std::vector<UINT>{ID_PRINT, ID_PREVIEW, ID_SETUP}));
  ASSERT_EQ(frame->records.size(), 3u);
  EXPECT_EQ(frame->records[1]->text, std::string(cp("&Podgląd").GetString()));
  EXPECT_TRUE(GetMenuState(print, ID_PREVIEW, MF_BYCOMMAND) & MF_OWNERDRAW);
  // The frame ran "Podgląd".
  ASSERT_EQ(log.entries().size(), 1u);
  EXPECT_EQ(log.entries()[0].hwnd, frame->m_hWnd);
  EXPECT_EQ(LOWORD(log.entries()[0].wParam), ID_PREVIEW);
  SetMenu(frame->m_hWnd, old);
  DestroyMenu(bar);
}

}  // namespace
}  // namespace lumo::test
