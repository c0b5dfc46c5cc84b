// The viewer: the view of one title in one window. Layout, painting, scrolling, selection and
// copying all go through it.
//
// Every entry point that measures or draws holds the viewer's device context through
// MvAcquireDC / MvReleaseDC (or MvUseCallerDC / MvRestoreCallerDC for a context the caller owns);
// the heavy entry points hold the busy flag through ViewerBusy, so a window message that re-enters
// the engine during their work is turned away with 1041 instead of changing live state.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/datapres/embedded_window.h"
#include "engine/fcmanage/topic_chunk.h"
#include "engine/frame/layout_object.h"
#include "engine/medview/view_codes.h"
#include "engine/title/title.h"
#include "engine/title/title_fonts.h"
#include "platform/gdi/core/gdi_types.h"

namespace bitmap {
struct PictureCache;
}
namespace frame {
class RecordSource;
struct LayoutShape;
}

namespace medview {

// Selection and search-hit marks of a viewer (engine/frame/view_marks.h).
struct ViewMarks;

using GetDCProc = HDC (*)(HWND window);
using ReleaseDCProc = void (*)(HWND window, HDC hdc);

// Viewer flags.
inline constexpr uint16_t kViewPrinting = 0x01;
inline constexpr uint16_t kViewClipboard = 0x02;  // lay out for copying: measure and draw nothing
inline constexpr uint16_t kViewReportCutLines = 0x08;
inline constexpr uint16_t kViewSelectionColours = 0x10;
inline constexpr uint16_t kViewEmbedSelect = 0x20;
inline constexpr uint16_t kViewKeepWindows = 0x40;

// layoutState bits.
inline constexpr uint16_t kLayoutTopReached = 0x01;
inline constexpr uint16_t kLayoutEndReached = 0x02;
inline constexpr uint16_t kLayoutExists = 0x04;

inline constexpr int32_t kZoomMin = 20;
inline constexpr int32_t kZoomMax = 500;
inline constexpr int kFontCacheSlots = 5;

// The colour value a font descriptor stores for "use the viewer's colour" (bytes 1, 1, 0).
inline constexpr COLORREF kUnsetColour = 0x000101;

struct FontCacheEntry {
  HFONT font = nullptr;
  int32_t number = -1;  // -1 empty
  uint32_t age = 0;
  title::FontDescriptor descriptor;
};

// Kerning pairs of the current font, sorted by first character; `start[c]` .. `start[c + 1]` is the
// run of pairs whose first character is c.
struct KerningTable {
  std::vector<KERNINGPAIR> pairs;
  std::array<uint32_t, 257> start{};
  int kern(uint8_t first, uint8_t second) const;
};

// An object the application inserted at a text position: a window record made from its
// description, laid out in line where the record's character numbering reaches `offset`.
struct InsertedObject {
  int32_t position = -1;  // TextPosition of the record
  int32_t offset = 0;     // character offset in it
  int32_t id = 0;
  bool enabled = true;
  std::vector<uint8_t> record;
};

struct Viewer {
  int16_t region = 0;
  int32_t dcDepth = 0;
  HDC hdc = nullptr;
  std::vector<int> savedStates;  // SaveDC of the held context, one per nesting level above 0
  GetDCProc getDCProc = nullptr;
  ReleaseDCProc releaseDCProc = nullptr;
  HWND window = nullptr;
  mvfs::TitleFileSystem* fileSystem = nullptr;
  title::TitleHandle* title = nullptr;
  std::string titleName;
  RECT layoutRect{};
  std::shared_ptr<const frame::LayoutShape> layoutShape;  // text stays inside it (frame/layout_shape.h)
  std::unique_ptr<bitmap::PictureCache> bitmapCache;
  fcmanage::TopicChunk chunk;
  const title::StyleSheet* styleSheet = nullptr;
  std::array<FontCacheEntry, kFontCacheSlots> fontCache;
  int32_t zoom = 100;
  uint16_t flags = kViewEmbedSelect;
  bool canScrollH = false;
  bool canScrollV = false;
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF backColor = RGB(255, 255, 255);
  int32_t showHotspots = 0;
  const fts::CharTable* styleCharMap = nullptr;
  TitleErrorCode pendingCode = 0;
  int32_t target = -1;    // TextPosition chosen by MvSetTopic
  int32_t fraction = 0;   // 16.16 part of the first record above the window top
  uint16_t layoutState = 0;
  int32_t hOffset = 0;
  int32_t hExtent = 0;
  int32_t layoutWidth = 0;
  std::shared_ptr<frame::RecordSource> source;  // where records are read; null: the title's
  std::vector<frame::LayoutFrame> frames;         // top to bottom
  std::vector<frame::LayoutObject> sideObjects;
  COLORREF selBackColor = RGB(255, 255, 255);
  COLORREF selTextColor = RGB(0, 0, 0);
  // The keyboard focus and the running hotspot count are kept apart: numbering hotspots during
  // layout never moves the focus.
  int32_t focusFrame = -1;
  int32_t focusHotspot = -1;  // 0 while an embedded window holds the focus
  int32_t focusObject = -1;   // that window's object in the focus frame
  int32_t hotspotCount = 0;
  int32_t currentFont = -1;
  int32_t raise = 0;
  int32_t charExtra = 0;
  int32_t kerningMinSize = 0;
  KerningTable kerning;
  std::array<int, 256> charWidths{};
  TEXTMETRIC textMetrics{};
  std::shared_ptr<ViewMarks> marks;  // made on first use; clones start without
  std::vector<InsertedObject> inserts;  // sorted by position and offset
  int32_t insertsAdded = 0;
  datapres::EmbedState embeds;  // embedded windows of the layout (engine/medview/viewer_embeds.h)
  std::atomic<int32_t> busy{0};
  bool destroyPending = false;  // MvDestroyViewer was called while busy
};

using ViewerHandle = Viewer*;

// --- Creation -------------------------------------------------------------------------------------
ViewerHandle MvCreateViewer(title::TitleHandle* title, TitleErrorCode* error);
ViewerHandle MvCloneViewer(ViewerHandle viewer, TitleErrorCode* error);
// Frees the viewer; while it is busy the destruction waits until the busy work ends.
void MvDestroyViewer(ViewerHandle viewer);

// --- Binding and plain settings -------------------------------------------------------------------
BOOL MvSetWindow(ViewerHandle viewer, HWND window, TitleErrorCode* error);
ViewerHandle MvSetFileSystem(ViewerHandle viewer, mvfs::TitleFileSystem* fs);
BOOL MvSetTitle(ViewerHandle viewer, title::TitleHandle* title, const char* name, TitleErrorCode* error);
title::TitleHandle* MvGetTitle(ViewerHandle viewer, std::string* name);
COLORREF MvSetBackColor(ViewerHandle viewer, COLORREF colour);
COLORREF MvSetTextColor(ViewerHandle viewer, COLORREF colour);
void MvSetKerningMinSize(ViewerHandle viewer, int32_t points);
int32_t MvGetKerningMinSize(ViewerHandle viewer);
// 20..500; 1012 outside, 1013 unchanged. A changed zoom drops the fonts and, with a target set,
// lays the topic out again.
BOOL MvSetZoom(ViewerHandle viewer, int32_t percent, TitleErrorCode* error);
int32_t MvGetZoom(ViewerHandle viewer);
uint16_t MvGetFlags(ViewerHandle viewer);
void MvSetGetDCProc(ViewerHandle viewer, GetDCProc proc);
void MvSetReleaseDCProc(ViewerHandle viewer, ReleaseDCProc proc);
BOOL MvSetEmbedSelect(ViewerHandle viewer, BOOL on);
void MvSetSelectionColors(ViewerHandle viewer, BOOL on, COLORREF text, COLORREF back);

// The window's own context and client rectangle for viewers without replacements: the application
// installs its platform's window calls once at start-up. `client_rect` answers false for a handle
// that is not a window.
using ClientRectProc = bool (*)(HWND window, RECT* rect);
void MvSetWindowServices(GetDCProc get, ReleaseDCProc release, ClientRectProc client_rect);
// The client rectangle of the viewer's window; false without a window or window services.
bool MvWindowClientRect(ViewerHandle viewer, RECT* rect);

// --- Device-context discipline --------------------------------------------------------------------
// Without a window the viewer works only while a caller's context is lent to it (MvUseCallerDC);
// otherwise 1036.
TitleErrorCode MvAcquireDC(ViewerHandle viewer);
void MvReleaseDC(ViewerHandle viewer);
HDC MvUseCallerDC(ViewerHandle viewer, HDC hdc);
void MvRestoreCallerDC(ViewerHandle viewer, HDC previous);

// Holds the busy flag for one heavy entry point. `entered()` is false when the viewer was already
// busy (the caller answers 1041). A viewer destroyed while busy is freed when the flag clears.
class ViewerBusy {
 public:
  explicit ViewerBusy(ViewerHandle viewer);
  ~ViewerBusy();
  ViewerBusy(const ViewerBusy&) = delete;
  ViewerBusy& operator=(const ViewerBusy&) = delete;
  bool entered() const { return entered_; }
  // The same, reporting 1041 through `error` when the viewer was already busy.
  bool entered(TitleErrorCode* error) const {
    if (!entered_) SetErrorCode(error, kViewBusy);
    return entered_;
  }

 private:
  ViewerHandle viewer_;
  bool entered_;
};

// Converts a paragraph measurement (1/144 inch, or twips) to pixels at the viewer's zoom.
int32_t MvScaleLength(const Viewer& viewer, int32_t value, bool twips, bool vertical);

}  // namespace medview
