#include "engine/frame/hit_marks.h"

#include <algorithm>

#include "engine/datapres/embedded_window.h"
#include "engine/frame/scrolling.h"
#include "engine/frame/selection.h"
#include "engine/frame/text_output.h"
#include "engine/frame/window_layout.h"
#include "engine/medview/viewer_embeds.h"
#include "engine/medview/viewer_fonts.h"
#include "engine/medview/viewer_scope.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"

namespace frame {

namespace {

// A hit's TopicAddress: the block number above bit 15, the character in the block below it.
int32_t AddressBlock(uint32_t address) { return int32_t(address >> 15); }
int32_t AddressChar(uint32_t address) { return int32_t(address & 0x7FFF); }

int32_t MeasuredPrefix(medview::Viewer& viewer, std::span<const uint8_t> text, const LayoutObject& o, int32_t count) {
  if (count <= 0 || o.data < 0 || size_t(o.data) + size_t(o.length) > text.size()) return 0;
  if (count >= o.length) return o.width;
  medview::MvSelectFont(&viewer, o.font);
  return FrMeasureText(viewer, text.data() + o.data, size_t(count), nullptr);
}

// A window finds the hit inside itself (0x7078, the rectangle in its own coordinates); without an
// answer the mark covers the window.
void WindowHitRect(medview::Viewer& viewer, const LayoutObject& o, int32_t length, RECT& r) {
  RECT inside{};
  if (!FrSendToObject(viewer, o, datapres::kEwHitRect, WPARAM(std::max(length, 1)), reinterpret_cast<LPARAM>(&inside)))
    return;
  r = RECT{o.x + inside.left, o.y + inside.top, o.x + inside.right, o.y + inside.bottom};
}

// Marks of one hit covering characters [s, e) of the frame.
void MapHit(medview::Viewer& viewer, const LayoutFrame& frame, std::span<const uint8_t> text, int32_t hit, int32_t s,
            int32_t e, std::vector<HitMark>& out) {
  const ObjectList& objects = frame.objects;
  size_t first = out.size();
  size_t i = 0;
  auto reaches = [&](const LayoutObject& o) { return o.carries_chars() && !IsMarkerKind(o.kind) && o.lastChar >= s; };
  while (i < objects.size() && !reaches(objects[i])) ++i;
  bool started = false;
  for (; i < objects.size(); ++i) {
    const LayoutObject& o = objects[i];
    if (!o.carries_chars() || IsMarkerKind(o.kind)) continue;
    if (o.firstChar >= e) break;
    if (started && o.kind != kObjText) break;  // the walk goes on over text only
    started = true;
    RECT r{o.x, o.y, o.right(), o.bottom() + 1};
    if (o.kind == kObjWindow) {
      WindowHitRect(viewer, o, e - std::max(s, o.firstChar), r);
    } else if (o.kind == kObjText) {
      int32_t from = std::clamp(s - o.anchor, 0, o.length);
      int32_t to = std::clamp(e - o.anchor, 0, o.length);
      r.left = o.x + MeasuredPrefix(viewer, text, o, from);
      r.right = o.x + MeasuredPrefix(viewer, text, o, to);
      if (r.left >= r.right) continue;
    }
    out.push_back(HitMark{hit, i, r});
  }
  // Rectangles of one hit on one line share their top and bottom.
  for (size_t a = first; a < out.size(); ++a) {
    for (size_t b = first; b < out.size(); ++b) {
      RECT& ra = out[a].rect;
      const RECT& rb = out[b].rect;
      if (a != b && ra.top < rb.bottom && rb.top < ra.bottom) {
        ra.top = std::min(ra.top, rb.top);
        ra.bottom = std::max(ra.bottom, rb.bottom);
      }
    }
  }
}

void DrawMark(medview::Viewer& viewer, const RECT& r) {
  medview::ViewMarks& marks = medview::MvMarks(viewer);
  HDC hdc = viewer.hdc;
  HGDIOBJ oldPen = SelectObject(hdc, GetStockObject(NULL_PEN));
  HGDIOBJ oldBrush = marks.markBrush ? SelectObject(hdc, marks.markBrush) : nullptr;
  int oldRop = SetROP2(hdc, marks.markRop);
  COLORREF oldBack = SetBkColor(hdc, viewer.backColor);
  int oldMode = SetBkMode(hdc, OPAQUE);
  // The null pen leaves the right and bottom edges out: the rectangle is one pixel larger.
  Rectangle(hdc, r.left, r.top, r.right + 1, r.bottom + 1);
  SetBkMode(hdc, oldMode);
  SetBkColor(hdc, oldBack);
  SetROP2(hdc, oldRop);
  if (oldBrush) SelectObject(hdc, oldBrush);
  SelectObject(hdc, oldPen);
}

}  // namespace

std::vector<HitMark> FrMapHitsOnFrame(medview::Viewer& viewer, const LayoutFrame& frame) {
  std::vector<HitMark> out;
  if (!viewer.marks || !viewer.marks->hitList) return out;
  const std::vector<fts::TopicHitEntry>& entries = viewer.marks->hitList->entries;
  int32_t block = frame.position >> 14;
  int32_t begin = frame.charBase, end = frame.charBase + std::max(frame.textCount, 0);
  uint32_t firstAddress = uint32_t(block) << 15 | uint32_t(begin & 0x7FFF);
  auto it = std::lower_bound(entries.begin(), entries.end(), firstAddress,
                             [](const fts::TopicHitEntry& e, uint32_t a) { return e.address < a; });
  std::span<const uint8_t> text = FrFrameText(frame);
  for (; it != entries.end(); ++it) {
    if (AddressBlock(it->address) != block || AddressChar(it->address) >= end) break;
    int32_t s = AddressChar(it->address) - begin;
    // A length reaching past the record is cut at its end.
    int32_t e = std::min(s + int32_t(it->length), end - begin);
    MapHit(viewer, frame, text, int32_t(it - entries.begin()), s, e, out);
  }
  return out;
}

void FrDrawFrameMarks(medview::Viewer& viewer, const LayoutFrame& frame, int32_t x, int32_t y) {
  if ((viewer.flags & medview::kViewPrinting) || !viewer.hdc) return;
  for (const HitMark& mark : FrMapHitsOnFrame(viewer, frame)) {
    RECT r{x + mark.rect.left, y + mark.rect.top, x + mark.rect.right, y + mark.rect.bottom};
    const uint8_t kind = frame.objects[mark.object].kind;
    if (kind == kObjWindow) continue;  // a window draws its own
    if (kind == kObjInvertArea) {
      r.bottom -= 1;
      InvertRect(viewer.hdc, &r);
    } else {
      DrawMark(viewer, r);
    }
  }
}

void FrRemoveHits(medview::Viewer& viewer) {
  datapres::EmbedState& embeds = medview::MvEmbedState(viewer);
  if (!embeds.port) return;
  for (const datapres::EmbedListEntry& entry : embeds.windows) {
    if (entry.object.window && embeds.port->exists(entry.object.window))
      embeds.port->send(entry.object.window, datapres::kEwClearHits, 0, 0);
  }
}

void FrDrawMarks(medview::Viewer& viewer) {
  for (const LayoutFrame& frame : viewer.frames) {
    FrDrawFrameMarks(viewer, frame, viewer.layoutRect.left - viewer.hOffset + frame.x,
                     viewer.layoutRect.top + frame.y);
  }
}

}  // namespace frame

