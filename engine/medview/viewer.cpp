#include "engine/medview/viewer.h"

#include <algorithm>
#include <utility>

#include "engine/bitmap/picture.h"
#include "engine/frame/record_source.h"
#include "engine/medview/viewer_fonts.h"
#include "engine/title/title_text_tables.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/gdi/core/mul_div.h"

namespace medview {

namespace {

GetDCProc g_window_get_dc = nullptr;
ReleaseDCProc g_window_release_dc = nullptr;
ClientRectProc g_window_client_rect = nullptr;

void SetError(TitleErrorCode* error, TitleErrorCode code) {
  if (error) *error = code;
}

// Frees everything the viewer holds and the record itself.
void FreeViewer(ViewerHandle viewer) {
  MvFreeFontCache(viewer);
  datapres::FrCloseWindows(viewer->embeds);
  viewer->frames.clear();
  viewer->sideObjects.clear();
  bitmap::BmCacheFree(std::move(viewer->bitmapCache));
  std::unique_ptr<Viewer> owned(viewer);
}

}  // namespace

int KerningTable::kern(uint8_t first, uint8_t second) const {
  for (uint32_t i = start[first]; i < start[size_t(first) + 1]; ++i) {
    if (pairs[i].wSecond == second) return pairs[i].iKernAmount;
  }
  return 0;
}

ViewerHandle MvCreateViewer(title::TitleHandle* title, TitleErrorCode* error) {
  auto viewer = std::make_unique<Viewer>();
  viewer->bitmapCache = bitmap::BmCacheCreate();
  SetError(error, kViewOk);
  if (title && !MvSetTitle(viewer.get(), title, nullptr, error)) return nullptr;
  return viewer.release();
}

ViewerHandle MvCloneViewer(ViewerHandle viewer, TitleErrorCode* error) {
  if (!viewer) {
    SetError(error, kViewBadArgument);
    return nullptr;
  }
  ViewerHandle clone = MvCreateViewer(nullptr, error);
  clone->titleName = viewer->titleName;
  clone->window = viewer->window;
  clone->title = viewer->title;
  clone->fileSystem = viewer->fileSystem;
  MvSetStyleSheet(clone, viewer->styleSheet);
  clone->zoom = viewer->zoom;
  clone->textColor = viewer->textColor;
  clone->backColor = viewer->backColor;
  clone->selTextColor = viewer->selTextColor;
  clone->selBackColor = viewer->selBackColor;
  clone->flags = viewer->flags & (kViewReportCutLines | kViewSelectionColours | kViewEmbedSelect);
  clone->target = viewer->target;
  clone->fraction = viewer->fraction;
  clone->kerningMinSize = viewer->kerningMinSize;
  clone->chunk = viewer->chunk;
  clone->layoutRect = viewer->layoutRect;
  clone->region = viewer->region;
  clone->source = viewer->source;
  clone->getDCProc = viewer->getDCProc;
  clone->releaseDCProc = viewer->releaseDCProc;
  return clone;
}

void MvDestroyViewer(ViewerHandle viewer) {
  if (!viewer) return;
  if (viewer->busy.load() != 0) {
    // The busy work still uses the viewer; ViewerBusy frees it when that work ends.
    viewer->destroyPending = true;
    return;
  }
  FreeViewer(viewer);
}

ViewerBusy::ViewerBusy(ViewerHandle viewer)
    : viewer_(viewer), entered_(viewer && viewer->busy.exchange(1) == 0) {}

ViewerBusy::~ViewerBusy() {
  if (!entered_) return;
  viewer_->busy.exchange(0);
  if (viewer_->destroyPending) FreeViewer(viewer_);
}

BOOL MvSetWindow(ViewerHandle viewer, HWND window, TitleErrorCode* error) {
  if (!viewer) {
    SetError(error, kViewBadArgument);
    return FALSE;
  }
  viewer->window = window;
  SetError(error, kViewOk);
  return TRUE;
}

ViewerHandle MvSetFileSystem(ViewerHandle viewer, mvfs::TitleFileSystem* fs) {
  if (viewer) viewer->fileSystem = fs;
  return viewer;
}

BOOL MvSetTitle(ViewerHandle viewer, title::TitleHandle* title, const char* name, TitleErrorCode* error) {
  if (!viewer) {
    SetError(error, kViewBadArgument);
    return FALSE;
  }
  if (!title || !title::TtlIsValid(title)) {
    SetError(error, kViewTitleMissing);
    return FALSE;
  }
  auto* fs = title::TtlGetFileSystem(title);
  const title::StyleSheet* sheet = title::TtlGetStyleSheet(title);
  if (!fs || !sheet) {
    SetError(error, kViewTitleMissing);
    return FALSE;
  }
  if (name) {
    viewer->titleName = name;
  } else {
    char path[1024] = {};
    title::TtlGetInfo(title, title::kInfoFilePath, sizeof(path), path, sizeof(path));
    viewer->titleName = path;
  }
  viewer->title = title;
  viewer->fileSystem = fs;
  MvSetStyleSheet(viewer, sheet);
  SetError(error, kViewOk);
  return TRUE;
}

title::TitleHandle* MvGetTitle(ViewerHandle viewer, std::string* name) {
  if (!viewer) return nullptr;
  if (name) *name = viewer->titleName;
  return viewer->title;
}

COLORREF MvSetBackColor(ViewerHandle viewer, COLORREF colour) {
  if (!viewer) return CLR_INVALID;
  return std::exchange(viewer->backColor, colour);
}

COLORREF MvSetTextColor(ViewerHandle viewer, COLORREF colour) {
  if (!viewer) return CLR_INVALID;
  return std::exchange(viewer->textColor, colour);
}

void MvSetKerningMinSize(ViewerHandle viewer, int32_t points) {
  if (viewer) viewer->kerningMinSize = std::max(points, 0);
}

int32_t MvGetKerningMinSize(ViewerHandle viewer) { return viewer ? viewer->kerningMinSize : 0; }

int32_t MvGetZoom(ViewerHandle viewer) { return viewer ? viewer->zoom : 0; }
uint16_t MvGetFlags(ViewerHandle viewer) { return viewer ? viewer->flags : 0; }

void MvSetGetDCProc(ViewerHandle viewer, GetDCProc proc) {
  if (viewer) viewer->getDCProc = proc;
}

void MvSetReleaseDCProc(ViewerHandle viewer, ReleaseDCProc proc) {
  if (viewer) viewer->releaseDCProc = proc;
}

BOOL MvSetEmbedSelect(ViewerHandle viewer, BOOL on) {
  if (!viewer) return FALSE;
  BOOL old = (viewer->flags & kViewEmbedSelect) != 0;
  viewer->flags = on ? (viewer->flags | kViewEmbedSelect) : (viewer->flags & ~kViewEmbedSelect);
  return old;
}

void MvSetSelectionColors(ViewerHandle viewer, BOOL on, COLORREF text, COLORREF back) {
  if (!viewer) return;
  if (on) {
    viewer->selTextColor = text;
    viewer->selBackColor = back;
    viewer->flags |= kViewSelectionColours;
  } else {
    viewer->selBackColor = RGB(255, 255, 255);
    viewer->flags &= ~kViewSelectionColours;
  }
}

void MvSetWindowServices(GetDCProc get, ReleaseDCProc release, ClientRectProc client_rect) {
  g_window_get_dc = get;
  g_window_release_dc = release;
  g_window_client_rect = client_rect;
}

bool MvWindowClientRect(ViewerHandle viewer, RECT* rect) {
  return viewer && viewer->window && g_window_client_rect && g_window_client_rect(viewer->window, rect);
}

TitleErrorCode MvAcquireDC(ViewerHandle viewer) {
  if (!viewer) return kViewBadArgument;
  // A viewer without a window works while its caller lends it a context (MvUseCallerDC): an
  // off-screen viewer that lays out, copies and prints into a memory context.
  if (!viewer->window && viewer->dcDepth == 0) return kViewNoWindow;
  if (viewer->dcDepth == 0) {
    GetDCProc get = viewer->getDCProc ? viewer->getDCProc : g_window_get_dc;
    HDC hdc = get ? get(viewer->window) : nullptr;
    if (!hdc) return kViewNoDC;
    viewer->hdc = hdc;
    viewer->currentFont = -1;
    viewer->raise = 0;
  } else {
    viewer->savedStates.push_back(SaveDC(viewer->hdc));
  }
  ++viewer->dcDepth;
  SetTextColor(viewer->hdc, viewer->textColor);
  SetBkColor(viewer->hdc, viewer->backColor);
  return kViewOk;
}

void MvReleaseDC(ViewerHandle viewer) {
  if (!viewer || viewer->dcDepth <= 0) return;
  SelectObject(viewer->hdc, GetStockObject(SYSTEM_FONT));
  if (--viewer->dcDepth == 0) {
    ReleaseDCProc release = viewer->releaseDCProc ? viewer->releaseDCProc : g_window_release_dc;
    if (release) release(viewer->window, viewer->hdc);
    viewer->hdc = nullptr;
  } else if (!viewer->savedStates.empty()) {
    RestoreDC(viewer->hdc, viewer->savedStates.back());
    viewer->savedStates.pop_back();
  }
  viewer->currentFont = -1;
}

HDC MvUseCallerDC(ViewerHandle viewer, HDC hdc) {
  if (!viewer) return nullptr;
  HDC previous = viewer->hdc;
  viewer->savedStates.push_back(previous ? SaveDC(previous) : 0);
  SetTextColor(hdc, viewer->textColor);
  SetBkColor(hdc, viewer->backColor);
  ++viewer->dcDepth;
  viewer->hdc = hdc;
  viewer->currentFont = -1;
  return previous;
}

void MvRestoreCallerDC(ViewerHandle viewer, HDC previous) {
  if (!viewer || viewer->dcDepth <= 0) return;
  SelectObject(viewer->hdc, GetStockObject(SYSTEM_FONT));
  --viewer->dcDepth;
  int saved = 0;
  if (!viewer->savedStates.empty()) {
    saved = viewer->savedStates.back();
    viewer->savedStates.pop_back();
  }
  if (previous && saved) RestoreDC(previous, saved);
  viewer->hdc = previous;
  viewer->currentFont = -1;
}

int32_t MvScaleLength(const Viewer& viewer, int32_t value, bool twips, bool vertical) {
  if (value == 0) return 0;
  int dpi = 96;
  if (viewer.hdc) dpi = GetDeviceCaps(viewer.hdc, vertical ? LOGPIXELSY : LOGPIXELSX);
  int64_t scaled = int64_t(value) * dpi * viewer.zoom / (twips ? 144000 : 14400);
  return int32_t(std::clamp<int64_t>(scaled, INT32_MIN / 4, INT32_MAX / 4));
}

}  // namespace medview
