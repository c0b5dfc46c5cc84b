#include "platform/win/defer_window_pos.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/win/window_api.h"

struct DeferredWindowPositions {
  struct Entry {
    HWND window;
    HWND insert_after;
    int x, y, cx, cy;
    UINT flags;
  };
  std::vector<Entry> entries;
};

HDWP BeginDeferWindowPos(int nNumWindows) {
  auto batch = std::make_unique<DeferredWindowPositions>();
  batch->entries.reserve(size_t(std::max(0, nNumWindows)));
  return batch.release();
}

HDWP DeferWindowPos(HDWP hWinPosInfo, HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags) {
  if (!hWinPosInfo) return nullptr;
  if (!IsWindow(hWnd)) {
    std::unique_ptr<DeferredWindowPositions> given_up(hWinPosInfo);
    return nullptr;
  }
  auto& entries = hWinPosInfo->entries;
  auto it = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.window == hWnd; });
  if (it == entries.end()) {
    entries.push_back({hWnd, hWndInsertAfter, x, y, cx, cy, uFlags});
    return hWinPosInfo;
  }
  // The later entry's place and size where it gives them.
  if (!(uFlags & SWP_NOMOVE)) {
    it->x = x;
    it->y = y;
    it->flags &= ~UINT(SWP_NOMOVE);
  }
  if (!(uFlags & SWP_NOSIZE)) {
    it->cx = cx;
    it->cy = cy;
    it->flags &= ~UINT(SWP_NOSIZE);
  }
  if (!(uFlags & SWP_NOZORDER)) {
    it->insert_after = hWndInsertAfter;
    it->flags &= ~UINT(SWP_NOZORDER);
  }
  it->flags |= uFlags & ~UINT(SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  return hWinPosInfo;
}

BOOL EndDeferWindowPos(HDWP hWinPosInfo) {
  if (!hWinPosInfo) return FALSE;
  std::unique_ptr<DeferredWindowPositions> batch(hWinPosInfo);
  BOOL all = TRUE;
  for (const auto& e : batch->entries) {
    if (!IsWindow(e.window) || !SetWindowPos(e.window, e.insert_after, e.x, e.y, e.cx, e.cy, e.flags)) all = FALSE;
  }
  return all;
}
