#include "platform/shell/folder_browser.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/base/cstring.h"
#include "platform/framework/prompter.h"
#include "platform/win/window_api.h"

// An item list here is the chosen folder's CP1250 path, zero-terminated, in one block.
struct ITEMIDLIST {
  char path[1];
};

namespace {

constexpr const char* kBrowserClass = "LumoFolderBrowser";
constexpr size_t kMaxPath = 260;

// The browser's stand-in window: what the caller's callback sends it is kept in its text.
LRESULT browser_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == BFFM_SETSELECTION) {
    if (wParam && lParam) SetWindowText(h, reinterpret_cast<const char*>(lParam));
    return TRUE;
  }
  if (message == BFFM_SETSTATUSTEXT || message == BFFM_ENABLEOK) return 0;
  return DefWindowProc(h, message, wParam, lParam);
}

const char* browser_class() {
  WNDCLASS wc;
  if (!GetClassInfo(kBrowserClass, &wc)) {
    wc = WNDCLASS{};
    wc.lpfnWndProc = browser_proc;
    wc.lpszClassName = kBrowserClass;
    RegisterClass(&wc);
  }
  return kBrowserClass;
}

}  // namespace

LPITEMIDLIST SHBrowseForFolder(BROWSEINFO* lpbi) {
  if (!lpbi) return nullptr;
  CString folder;
  if (lpbi->lpfn) {
    HWND browser = CreateWindowEx(0, browser_class(), "", WS_POPUP, 0, 0, 0, 0, lpbi->hwndOwner, nullptr, nullptr);
    if (browser) {
      lpbi->lpfn(browser, BFFM_INITIALIZED, 0, lpbi->lParam);
      char start[kMaxPath] = "";
      GetWindowText(browser, start, int(sizeof start));
      folder = start;
      DestroyWindow(browser);
    }
  }
  if (!framework::prompter().choose_folder(lpbi->hwndOwner, lpbi->lpszTitle ? lpbi->lpszTitle : "", folder) ||
      folder.IsEmpty()) {
    return nullptr;
  }
  if (lpbi->pszDisplayName) {
    CString name = folder;
    name.TrimRight("/\\");
    int cut = std::max(name.ReverseFind('/'), name.ReverseFind('\\'));
    name = name.Mid(cut + 1);
    size_t n = std::min(size_t(name.GetLength()), kMaxPath - 1);
    std::memcpy(lpbi->pszDisplayName, static_cast<const char*>(name), n);
    lpbi->pszDisplayName[n] = '\0';
  }
  return shell::item_list_of(folder);
}

namespace shell {

LPITEMIDLIST item_list_of(const CString& path) {
  size_t size = size_t(path.GetLength()) + 1;
  auto* list = static_cast<ITEMIDLIST*>(std::malloc(size));
  if (!list) return nullptr;
  std::memcpy(list->path, static_cast<const char*>(path), size);
  return list;
}

}  // namespace shell

BOOL SHGetPathFromIDList(LPCITEMIDLIST pidl, char* pszPath) {
  if (!pidl || !pszPath) return FALSE;
  size_t n = std::min(std::strlen(pidl->path), kMaxPath - 1);
  std::memcpy(pszPath, pidl->path, n);
  pszPath[n] = '\0';
  return TRUE;
}

void CoTaskMemFree(void* pv) { std::free(pv); }
