// Files dropped on a window from outside the program. A window that accepts them (its extended
// style holds WS_EX_ACCEPTFILES, set through DragAcceptFiles) gets WM_DROPFILES with a drop
// handle in wParam when local files are dropped on it (or on a child that does not accept them
// itself); the handler reads the paths with DragQueryFile and frees the handle with DragFinish.
#pragma once

#include <string>
#include <vector>

#include "platform/win/window_api.h"

constexpr DWORD WS_EX_ACCEPTFILES = 0x00000010;
constexpr UINT WM_DROPFILES = 0x0233;

struct HDROP__;
using HDROP = HDROP__*;

// Turns the acceptance of dropped files on or off for a live window.
void DragAcceptFiles(HWND window, BOOL accept);
// With `index` 0xFFFFFFFF: the number of files. Otherwise the length of path `index` (CP1250,
// without the terminator) when `buffer` is null, or the number of characters copied into
// `buffer` (at most `size` - 1, always terminated). 0 for a stale handle or a bad index.
UINT DragQueryFile(HDROP drop, UINT index, char* buffer, UINT size);
// The drop point in the client coordinates of the window that got the files; whether it lies
// in the client area.
BOOL DragQueryPoint(HDROP drop, POINT* point);
// Frees the drop handle; a stale or repeated handle is ignored.
void DragFinish(HDROP drop);

namespace shell {
// Hands a drop of local files (UTF-16 paths) at a screen point to `window` as WM_DROPFILES, the
// way the window's Qt drop events do. Paths without a CP1250 form are left out (they could not be
// opened under the name the program would see); nothing is posted when none is left. Returns
// whether the message was posted.
bool post_dropped_files(HWND window, const std::vector<std::u16string>& paths, POINT screen);
}  // namespace shell
