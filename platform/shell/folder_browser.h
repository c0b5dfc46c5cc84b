// The shell's folder browser: asks the user for a folder through the program's prompter (so a
// test's scripted prompter answers it too). The caller's callback hears BFFM_INITIALIZED first and
// may send BFFM_SETSELECTION with a path to start from. The chosen folder comes back as an item
// list the caller frees with CoTaskMemFree and reads with SHGetPathFromIDList.
#pragma once

#include "platform/base/cstring.h"
#include "platform/win/messages.h"
#include "platform/base/win_types.h"

struct ITEMIDLIST;
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;
using BFFCALLBACK = int (*)(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

constexpr UINT BIF_RETURNONLYFSDIRS = 0x0001;
constexpr UINT BFFM_INITIALIZED = 1;
constexpr UINT BFFM_SELCHANGED = 2;
// wParam TRUE: lParam is a path (CP1250); the folder the browser starts from.
constexpr UINT BFFM_SETSELECTION = WM_USER + 102;
constexpr UINT BFFM_SETSTATUSTEXT = WM_USER + 100;
constexpr UINT BFFM_ENABLEOK = WM_USER + 101;

struct BROWSEINFO {
  HWND hwndOwner = nullptr;
  LPCITEMIDLIST pidlRoot = nullptr;
  char* pszDisplayName = nullptr;  // receives the chosen folder's own name (MAX_PATH bytes)
  const char* lpszTitle = nullptr;
  UINT ulFlags = 0;
  BFFCALLBACK lpfn = nullptr;
  LPARAM lParam = 0;
  int iImage = 0;
};

// Null when the user cancels.
LPITEMIDLIST SHBrowseForFolder(BROWSEINFO* lpbi);
// Copies the folder's path (at most 259 bytes and a zero) into `pszPath`; FALSE for a null list.
BOOL SHGetPathFromIDList(LPCITEMIDLIST pidl, char* pszPath);
void CoTaskMemFree(void* pv);

namespace shell {
// An item list of a folder's path (CP1250), freed with CoTaskMemFree; null when out of memory.
LPITEMIDLIST item_list_of(const CString& path);
}  // namespace shell
