// The window calls: creating and destroying windows, their relations, state and geometry, focus,
// activation and capture, coordinate mapping, invalidation and painting, timers, carets and
// cursors. Everything runs on the one user-interface thread.
#pragma once

#include <string>

#include "platform/base/geometry.h"
#include "platform/gdi/core/gdi_types.h"
#include "platform/win/messages.h"
#include "platform/base/win_types.h"
#include "platform/win/window_styles.h"
#include "platform/win/monitors.h"
#include "platform/win/mouse_tracking.h"

// --- Window classes ------------------------------------------------------------------------------
struct WNDCLASS {
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  HCURSOR hCursor = nullptr;
  HBRUSH hbrBackground = nullptr;  // a brush, a system colour index + 1, or null for none
  const char* lpszClassName = nullptr;
};
// Registers a class by name; a second class of the same name fails (0).
ATOM RegisterClass(const WNDCLASS* wc);
// Takes a class back; fails (FALSE) while a window of the class lives or for an unknown name.
BOOL UnregisterClass(const char* name);
BOOL GetClassInfo(const char* name, WNDCLASS* out);
int GetClassName(HWND h, char* buffer, int size);
UINT GetClassStyle(HWND h);

// --- Creation and destruction --------------------------------------------------------------------
constexpr int CW_USEDEFAULT = int(0x80000000);

struct CREATESTRUCT {
  void* lpCreateParams;
  HMENU hMenu;  // the child id for child windows
  HWND hwndParent;
  int cy, cx, y, x;
  LONG style;
  const char* lpszName;
  const char* lpszClass;
  DWORD dwExStyle;
};
using LPCREATESTRUCT = CREATESTRUCT*;

namespace win {
// Calls `hook` with the handle of the next window CreateWindowEx makes, before that window gets
// any message (the framework attaches its window object there). One use; null clears it.
void set_creation_hook(void (*hook)(HWND, void*), void* context);
// Calls `observer` for every window DestroyWindow takes down, before the window hears WM_DESTROY,
// so services that hold on to a window (the clipboard's owner) can let it finish with them.
void add_destroy_observer(void (*observer)(HWND));
}  // namespace win

// For a child window `menu_or_id` carries its id. `create_params` reaches WM_CREATE in the
// CREATESTRUCT. Null when the class is unknown or WM_NCCREATE / WM_CREATE refuse.
HWND CreateWindowEx(DWORD ex_style, const char* class_name, const char* text, DWORD style, int x,
                    int y, int cx, int cy, HWND parent, HMENU menu_or_id, void* create_params);
BOOL DestroyWindow(HWND h);
// The default handling of a message: what a window procedure calls for messages it leaves alone.
LRESULT DefWindowProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam);
BOOL IsWindow(HWND h);
// Whether `h` is being destroyed: its WM_DESTROY has gone out and it is not gone yet. Children
// asked during their own WM_DESTROY see their parent so.
BOOL IsWindowBeingDestroyed(HWND h);

// --- Relations ------------------------------------------------------------------------------------
HWND GetParent(HWND h);  // the parent of a child, the owner of a top-level window
HWND SetParent(HWND h, HWND new_parent);
HWND GetWindow(HWND h, UINT relation);
HWND GetTopWindow(HWND h);
HWND GetDesktopWindow();
BOOL IsChild(HWND parent, HWND h);
HWND GetDlgItem(HWND parent, int id);
int GetDlgCtrlID(HWND h);
HWND GetAncestorTopLevel(HWND h);

// --- State ----------------------------------------------------------------------------------------
BOOL ShowWindow(HWND h, int cmd);
BOOL IsWindowVisible(HWND h);
BOOL EnableWindow(HWND h, BOOL enable);  // returns whether it was disabled before
BOOL IsWindowEnabled(HWND h);
BOOL IsIconic(HWND h);
BOOL IsZoomed(HWND h);
BOOL SetWindowText(HWND h, const char* text);  // CP1250
int GetWindowText(HWND h, char* buffer, int size);
int GetWindowTextLength(HWND h);
std::string GetWindowTextString(HWND h);
LONG_PTR GetWindowLongPtr(HWND h, int index);
LONG_PTR SetWindowLongPtr(HWND h, int index, LONG_PTR value);
LONG GetWindowLong(HWND h, int index);
LONG SetWindowLong(HWND h, int index, LONG value);
HMENU GetMenu(HWND h);
BOOL SetMenu(HWND h, HMENU menu);

// --- Help requests (WM_HELP lParam) ---------------------------------------------------------------
constexpr int HELPINFO_WINDOW = 1;
constexpr int HELPINFO_MENUITEM = 2;
struct HELPINFO {
  UINT cbSize;
  int iContextType;
  int iCtrlId;
  HWND hItemHandle;
  UINT_PTR dwContextId;
  POINT MousePos;
};
using LPHELPINFO = HELPINFO*;

// --- Geometry -------------------------------------------------------------------------------------
struct WINDOWPOS {
  HWND hwnd;
  HWND hwndInsertAfter;
  int x, y, cx, cy;
  UINT flags;
};
struct MINMAXINFO {
  POINT ptReserved;
  POINT ptMaxSize;
  POINT ptMaxPosition;
  POINT ptMinTrackSize;
  POINT ptMaxTrackSize;
};

// Where a window stands: its show state and its rectangle when neither maximised nor minimised.
struct WINDOWPLACEMENT {
  UINT length = sizeof(WINDOWPLACEMENT);
  UINT flags = 0;
  UINT showCmd = 0;
  POINT ptMinPosition{-1, -1};
  POINT ptMaxPosition{-1, -1};
  RECT rcNormalPosition{0, 0, 0, 0};
};
// Placement flags, kept in the placement strings the program stores.
constexpr UINT WPF_SETMINPOSITION = 0x0001;
constexpr UINT WPF_RESTORETOMAXIMIZED = 0x0002;
BOOL GetWindowPlacement(HWND h, WINDOWPLACEMENT* placement);
// Puts the window at its normal rectangle, then shows it with the placement's show command.
BOOL SetWindowPlacement(HWND h, const WINDOWPLACEMENT* placement);

BOOL GetWindowRect(HWND h, RECT* out);  // screen coordinates
BOOL GetClientRect(HWND h, RECT* out);  // (0, 0, width, height) of the client area
BOOL MoveWindow(HWND h, int x, int y, int cx, int cy, BOOL repaint);
BOOL SetWindowPos(HWND h, HWND insert_after, int x, int y, int cx, int cy, UINT flags);
BOOL BringWindowToTop(HWND h);
BOOL ClientToScreen(HWND h, POINT* p);
BOOL ScreenToClient(HWND h, POINT* p);
// Maps points from `from`'s client coordinates to `to`'s (null means the screen).
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
HWND WindowFromPoint(POINT screen);
HWND ChildWindowFromPoint(HWND parent, POINT client);
// Grows a client rectangle to the window rectangle a window of these styles needs.
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD ex_style);
// Dialog units to pixels with the system font's base units (a quarter of the average character
// width across, an eighth of the character height down), rounded to nearest.
BOOL MapDialogRect(HWND dialog, RECT* rect);

// --- Focus, activation, capture, keys -------------------------------------------------------------
HWND SetFocus(HWND h);
HWND GetFocus();
HWND SetActiveWindow(HWND h);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND h);
HWND GetForegroundWindow();
HWND SetCapture(HWND h);
BOOL ReleaseCapture();
HWND GetCapture();
// High bit set while the key is down; low bit toggles with each press.
short GetKeyState(int virtual_key);
short GetAsyncKeyState(int virtual_key);
BOOL GetCursorPos(POINT* out);
BOOL SetCursorPos(int x, int y);

// --- Painting -------------------------------------------------------------------------------------
struct PAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
};
BOOL InvalidateRect(HWND h, const RECT* rect, BOOL erase);  // null rect: the whole client area
BOOL ValidateRect(HWND h, const RECT* rect);
BOOL GetUpdateRect(HWND h, RECT* out, BOOL erase);
BOOL UpdateWindow(HWND h);
// Gives the window a shape (window coordinates): it shows, and is found under the mouse, only
// inside the region, and what lies under it shows through elsewhere. The window owns the region
// from then on; null takes the shape away. Returns FALSE for a stale handle.
BOOL SetWindowRgn(HWND h, HRGN region, BOOL redraw);
// A region stands for its bounding rectangle.
BOOL RedrawWindow(HWND h, const RECT* rect, HRGN region, UINT flags);
HDC BeginPaint(HWND h, PAINTSTRUCT* ps);
BOOL EndPaint(HWND h, const PAINTSTRUCT* ps);
HDC GetDC(HWND h);        // the client area
HDC GetWindowDC(HWND h);  // the whole window, non-client included
int ReleaseDC(HWND h, HDC dc);
// Moves the client pixels of `rect` (all when null) by (dx, dy) on the window's surface and
// invalidates the strip left behind; child windows move along when `rect` is null.
BOOL ScrollWindow(HWND h, int dx, int dy, const RECT* rect, const RECT* clip);
BOOL LockWindowUpdate(HWND h);

// --- Timers ---------------------------------------------------------------------------------------
UINT_PTR SetTimer(HWND h, UINT_PTR id, UINT elapse_ms, TIMERPROC proc);
BOOL KillTimer(HWND h, UINT_PTR id);

// --- Carets ---------------------------------------------------------------------------------------
BOOL CreateCaret(HWND h, void* bitmap, int width, int height);
BOOL DestroyCaret();
BOOL ShowCaret(HWND h);
BOOL HideCaret(HWND h);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(POINT* out);

// --- Cursors --------------------------------------------------------------------------------------
// Standard cursor ids for LoadCursor(nullptr, id).
inline const char* const IDC_ARROW = reinterpret_cast<const char*>(32512);
inline const char* const IDC_IBEAM = reinterpret_cast<const char*>(32513);
inline const char* const IDC_WAIT = reinterpret_cast<const char*>(32514);
inline const char* const IDC_CROSS = reinterpret_cast<const char*>(32515);
inline const char* const IDC_SIZENWSE = reinterpret_cast<const char*>(32642);
inline const char* const IDC_SIZENESW = reinterpret_cast<const char*>(32643);
inline const char* const IDC_SIZEWE = reinterpret_cast<const char*>(32644);
inline const char* const IDC_SIZENS = reinterpret_cast<const char*>(32645);
inline const char* const IDC_SIZEALL = reinterpret_cast<const char*>(32646);
inline const char* const IDC_NO = reinterpret_cast<const char*>(32648);
inline const char* const IDC_HAND = reinterpret_cast<const char*>(32649);
inline const char* MAKEINTRESOURCE(int id) { return reinterpret_cast<const char*>(std::uintptr_t(WORD(id))); }
inline bool IS_INTRESOURCE(const char* p) { return (std::uintptr_t(p) >> 16) == 0; }

HCURSOR LoadCursor(HINSTANCE instance, const char* id);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
int ShowCursor(BOOL show);

// --- Sounds ---------------------------------------------------------------------------------------
// Rings the desktop's bell (every type sounds alike); FALSE when no windowed application runs. The
// desktop decides whether the bell is heard (an offscreen session has none).
BOOL MessageBeep(UINT type);
