// Menus: handles into a table of menus the layer keeps (items with ids, texts, check, enable,
// default and owner-drawn state, pop-ups), the CMenu object over a handle, menus loaded from the
// resource store, and pop-up menus tracked until a command is chosen.
//
// The frame's menu bar is the menu SetMenu gives its window. Before a pop-up opens its owner
// gets WM_INITMENUPOPUP (the frame runs update-UI over the items there); owner-drawn items are
// measured and drawn by the owner through WM_MEASUREITEM / WM_DRAWITEM.
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
constexpr UINT MFS_DEFAULT = MF_DEFAULT;

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
int GetMenuString(HMENU menu, UINT item, char* buffer, int size, UINT flags);
HMENU GetSubMenu(HMENU menu, int position);
BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT by_position);
UINT GetMenuDefaultItem(HMENU menu, UINT by_position, UINT flags);
BOOL SetMenuItemData(HMENU menu, UINT item, UINT_PTR data, UINT flags);
UINT_PTR GetMenuItemData(HMENU menu, UINT item, UINT flags);
// Shows the pop-up at a screen point for `owner` until an item is chosen or the menu is
// dismissed. With TPM_RETURNCMD the chosen id is returned (0 when none); otherwise the command
// is posted to the owner as WM_COMMAND and the result is whether one was chosen.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const RECT* exclude);
BOOL DrawMenuBar(HWND h);

namespace framework {

// One item of a menu as the chooser sees it.
struct MenuItemView {
  UINT id;
  UINT flags;
  std::string text;  // CP1250
  HMENU popup;
};
// Chooses an item of a tracked pop-up: returns the command id, or 0 to dismiss. The default
// shows a Qt menu; tests install one that answers at once. Null restores the default.
using MenuChooser = std::function<UINT(HMENU menu, HWND owner, POINT screen)>;
void set_menu_chooser(MenuChooser chooser);

// The items of a menu.
std::vector<MenuItemView> menu_items(HMENU menu);

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
  // A temporary object over a handle (freed with the window layer's temporary objects).
  static CMenu* FromHandle(HMENU hMenu);
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
  CMenu* GetSubMenu(int nPos) const;
  BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE);
  UINT GetDefaultItem(UINT gmdiFlags, BOOL fByPos = FALSE);
  BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);

  // Owner-drawn items of menus a CMenu-derived class owns.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

 private:
  bool owned_ = false;
};

// Sends WM_MEASUREITEM for an owner-drawn item of `menu` at `position` to `owner`; the size the
// owner answered.
SIZE measure_menu_item(HWND owner, HMENU menu, int position);
// Sends WM_DRAWITEM for an owner-drawn item to `owner` with a context and rectangle.
void draw_menu_item(HWND owner, HMENU menu, int position, HDC dc, const RECT& rect, UINT state);
