// Menus: handles into a table of menus the layer keeps (items with ids, texts, check, enable,
// default, highlight and owner-drawn state, item data, check-mark bitmaps, pop-ups), the CMenu
// object over a handle, menus loaded from the resource store, and pop-up menus tracked until a
// command is chosen (menu_tracking.h shows and drives them).
//
// The frame's menu bar is the menu SetMenu gives its window. Before a pop-up opens its owner
// gets WM_INITMENUPOPUP (the frame runs update-UI over the items there); owner-drawn items are
// measured and drawn by the owner through WM_MEASUREITEM / WM_DRAWITEM, and the owner answers
// WM_MENUCHAR for letters no item's text marks.
//
// Item flags and the MENUITEMINFO type and state bits share their values, so one flag word per
// item holds both: type bits (MFT_), state bits (MFS_) and MF_POPUP.
#pragma once

#include <functional>
#include <string>

#include "platform/base/cstring.h"
#include "platform/gdi/core/afx_gdi.h"
#include "platform/win/cwnd.h"

// Item flags (MF_BYCOMMAND is 0: an item is found by its command id unless MF_BYPOSITION).
constexpr UINT MF_INSERT = 0x0000;
constexpr UINT MF_CHANGE = 0x0080;
constexpr UINT MF_APPEND = 0x0100;
constexpr UINT MF_DELETE = 0x0200;
constexpr UINT MF_REMOVE = 0x1000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_BITMAP = 0x0004;
constexpr UINT MF_OWNERDRAW = 0x0100;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_MENUBARBREAK = 0x0020;
constexpr UINT MF_MENUBREAK = 0x0040;
constexpr UINT MF_HILITE = 0x0080;
constexpr UINT MF_DEFAULT = 0x1000;
constexpr UINT MF_RIGHTJUSTIFY = 0x4000;
constexpr UINT MF_SYSMENU = 0x2000;
constexpr UINT MF_MOUSESELECT = 0x8000;

// MENUITEMINFO: which members a call reads or fills.
constexpr UINT MIIM_STATE = 0x0001;
constexpr UINT MIIM_ID = 0x0002;
constexpr UINT MIIM_SUBMENU = 0x0004;
constexpr UINT MIIM_CHECKMARKS = 0x0008;
constexpr UINT MIIM_TYPE = 0x0010;
constexpr UINT MIIM_DATA = 0x0020;
// The text alone (any type may keep one: an owner-drawn item's text still gives its mnemonic and
// GetMenuString), and the type bits alone (the text stays).
constexpr UINT MIIM_STRING = 0x0040;
constexpr UINT MIIM_FTYPE = 0x0100;
// Item types.
constexpr UINT MFT_STRING = MF_STRING;
constexpr UINT MFT_BITMAP = MF_BITMAP;
constexpr UINT MFT_MENUBARBREAK = MF_MENUBARBREAK;
constexpr UINT MFT_MENUBREAK = MF_MENUBREAK;
constexpr UINT MFT_OWNERDRAW = MF_OWNERDRAW;
constexpr UINT MFT_RADIOCHECK = 0x0200;
constexpr UINT MFT_SEPARATOR = MF_SEPARATOR;
constexpr UINT MFT_RIGHTORDER = 0x2000;
constexpr UINT MFT_RIGHTJUSTIFY = MF_RIGHTJUSTIFY;
// Item states.
constexpr UINT MFS_ENABLED = MF_ENABLED;
constexpr UINT MFS_GRAYED = 0x0003;
constexpr UINT MFS_DISABLED = MFS_GRAYED;
constexpr UINT MFS_UNCHECKED = MF_UNCHECKED;
constexpr UINT MFS_CHECKED = MF_CHECKED;
constexpr UINT MFS_UNHILITE = 0x0000;
constexpr UINT MFS_HILITE = MF_HILITE;
constexpr UINT MFS_DEFAULT = MF_DEFAULT;

// WM_MENUCHAR answers (high word; the low word is the item position).
constexpr UINT MNC_IGNORE = 0;
constexpr UINT MNC_CLOSE = 1;
constexpr UINT MNC_EXECUTE = 2;
constexpr UINT MNC_SELECT = 3;

// The owner-drawn state of a menu's default item (WM_DRAWITEM).
constexpr UINT ODS_DEFAULT = 0x0020;

// WM_MENUSELECT's item flags when the menu closes.
constexpr UINT kMenuClosedFlags = 0xFFFF;

struct MENUITEMINFO {
  UINT cbSize = sizeof(MENUITEMINFO);
  UINT fMask = 0;
  UINT fType = 0;
  UINT fState = 0;
  UINT wID = 0;
  HMENU hSubMenu = nullptr;
  HBITMAP hbmpChecked = nullptr;
  HBITMAP hbmpUnchecked = nullptr;
  UINT_PTR dwItemData = 0;
  // MIIM_TYPE of a string item: the caller's buffer (getting) or the text (setting), CP1250.
  char* dwTypeData = nullptr;
  UINT cch = 0;  // getting: the buffer size in, the text length out
};
using LPMENUITEMINFO = MENUITEMINFO*;
using LPCMENUITEMINFO = const MENUITEMINFO*;

// TrackPopupMenu flags.
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_VCENTERALIGN = 0x0010;
constexpr UINT TPM_BOTTOMALIGN = 0x0020;
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;
// Which way a pop-up that would cover the exclusion rectangle moves off it.
constexpr UINT TPM_HORIZONTAL = 0x0000;
constexpr UINT TPM_VERTICAL = 0x0040;

struct TPMPARAMS {
  UINT cbSize = sizeof(TPMPARAMS);
  RECT rcExclude{0, 0, 0, 0};  // screen coordinates
};
using LPTPMPARAMS = TPMPARAMS*;

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and its pop-ups.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// The menu (bar with pop-ups) stored under `id` in the resource store, or null.
HMENU LoadMenu(HINSTANCE instance, UINT id);
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id_or_popup, const char* text);
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id_or_popup, const char* text);
BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id_or_popup, const char* text);
// Removes an item; a pop-up it held stays alive (RemoveMenu) or is destroyed (DeleteMenu).
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
// Return the previous state, or -1 (UINT) when there is no such item.
UINT EnableMenuItem(HMENU menu, UINT item, UINT flags);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
int GetMenuItemCount(HMENU menu);
// The id of the item at `position`; -1 (UINT) for a pop-up or no item.
UINT GetMenuItemID(HMENU menu, int position);
// MF_ state bits of the item (for a pop-up the item count in the high byte), -1 when none.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
// Whether a GetMenuState answer is a separator's. A sub-menu's answer carries its item count in
// the high byte, where a count of 8 to 15 covers the separator bit.
inline bool IsMenuSeparatorState(UINT state) {
  return state != UINT(-1) && !(state & MF_POPUP) && (state & MF_SEPARATOR);
}
int GetMenuString(HMENU menu, UINT item, char* buffer, int size, UINT flags);
HMENU GetSubMenu(HMENU menu, int position);
BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT by_position);
UINT GetMenuDefaultItem(HMENU menu, UINT by_position, UINT flags);
BOOL SetMenuItemData(HMENU menu, UINT item, UINT_PTR data, UINT flags);
UINT_PTR GetMenuItemData(HMENU menu, UINT item, UINT flags);
// The members `info->fMask` names. A string item's text is copied into dwTypeData (at most
// cch - 1 bytes and a terminating zero) and cch becomes the text's length; an item of another
// type gives cch 0 and leaves dwTypeData alone. FALSE for no such item or a wrong cbSize.
BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL by_position, LPMENUITEMINFO info);
// Changes the members `info->fMask` names; MIIM_TYPE with MFT_STRING takes the text from
// dwTypeData, any other type drops the text.
BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL by_position, LPCMENUITEMINFO info);
// Shows the pop-up at a screen point for `owner` (kept off `exclude` when it must move to stay on
// the screen) and tracks it until an item is chosen or the menu is dismissed (menu_tracking.h).
// With TPM_RETURNCMD the chosen id is returned (0 when none); otherwise the command is posted to
// the owner as WM_COMMAND (WM_SYSCOMMAND for a system menu) and the result is whether one was
// chosen.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const RECT* exclude);
// The same with the rectangle the pop-up must leave uncovered in `params` (may be null); a pop-up
// that would cover it moves beside it (TPM_HORIZONTAL) or above or below it (TPM_VERTICAL).
// FALSE for a record whose size field is wrong.
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params);
BOOL DrawMenuBar(HWND h);
// The window's system menu: a pop-up of the window commands its styles allow (SC_RESTORE,
// SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE), made on first use and kept while the
// window lives. `revert` drops the window's copy (and its changes) and gives null. Tracked, it
// tells its owner that it is a system menu (the high word of WM_INITMENUPOPUP's lParam,
// MF_SYSMENU) and a chosen command is posted as WM_SYSCOMMAND.
HMENU GetSystemMenu(HWND window, BOOL revert);

namespace framework {

// One item of a menu as the chooser sees it.
struct MenuItemView {
  UINT id;
  UINT flags;
  std::string text;  // CP1250
  HMENU popup;
};
// Chooses an item of a tracked pop-up in place of the menu loop: returns the command id, or 0 to
// dismiss. Tests install one that answers at once; null restores the menu loop.
using MenuChooser = std::function<UINT(HMENU menu, HWND owner, POINT screen)>;
void set_menu_chooser(MenuChooser chooser);

// The items of a menu.
std::vector<MenuItemView> menu_items(HMENU menu);

// The mnemonic of an item text: the byte after the first single '&', lower-cased (CP1250); 0 when
// there is none ("&&" stands for an ampersand).
uint8_t menu_text_mnemonic(const std::string& text);
// An item text as shown, without its mnemonic marks ("&&" stays one '&').
std::string menu_plain_text(const std::string& text);

// Whether a menu is a window's system menu (GetSystemMenu).
bool is_system_menu(HMENU menu);

// The tracking override: the chooser tests installed, or null.
const MenuChooser& menu_chooser();

}  // namespace framework

class CMenu : public CObject {
  DECLARE_DYNCREATE(CMenu)

 public:
  HMENU m_hMenu = nullptr;

  CMenu() = default;
  // Destroys the menu this object owns (made or loaded through it, not attached).
  ~CMenu() override;
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  operator HMENU() const { return m_hMenu; }
  HMENU GetSafeHmenu() const { return m_hMenu; }
  // The object over a handle: the one attached to it, else one the table keeps while the menu
  // lives.
  static CMenu* FromHandle(HMENU hMenu);
  // The object attached to a handle (Attach, CreateMenu, LoadMenu...), or null.
  static CMenu* FromHandlePermanent(HMENU hMenu);
  BOOL Attach(HMENU hMenu);
  HMENU Detach();

  BOOL CreateMenu();
  BOOL CreatePopupMenu();
  BOOL LoadMenu(UINT nIDResource);
  BOOL DestroyMenu();

  BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
  BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
  BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
  BOOL RemoveMenu(UINT nPosition, UINT nFlags);
  BOOL DeleteMenu(UINT nPosition, UINT nFlags);
  UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
  UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
  BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags);
  UINT GetMenuItemCount() const;
  UINT GetMenuItemID(int nPos) const;
  UINT GetMenuState(UINT nID, UINT nFlags) const;
  int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
  int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const;
  BOOL GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE);
  BOOL SetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE);
  CMenu* GetSubMenu(int nPos) const;
  BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE);
  UINT GetDefaultItem(UINT gmdiFlags, BOOL fByPos = FALSE);
  BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);

  // Owner-drawn items of a menu attached to a CMenu-derived object: asked when the owner window
  // leaves WM_MEASUREITEM / WM_DRAWITEM unanswered.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

 private:
  bool owned_ = false;
};

// Sends WM_MEASUREITEM for an owner-drawn item of `menu` at `position` to `owner`; the size the
// owner answered.
SIZE measure_menu_item(HWND owner, HMENU menu, int position);
// Sends WM_DRAWITEM for an owner-drawn item to `owner` with a context and rectangle; `state` adds
// to the states the item has (ODS_CHECKED, ODS_GRAYED, ODS_DISABLED, ODS_DEFAULT) and `action`
// says whether the whole item or only its selection is drawn (ODA_DRAWENTIRE, ODA_SELECT).
void draw_menu_item(HWND owner, HMENU menu, int position, HDC dc, const RECT& rect, UINT state,
                    UINT action = ODA_DRAWENTIRE);
