#include "engine/frame/scrolling.h"

#include <algorithm>

#include "engine/frame/topic_layout.h"
#include "engine/frame/viewer_scope.h"

namespace frame {

namespace {

using medview::TitleErrorCode;
using medview::Viewer;

constexpr int32_t kLineStep = 16;
constexpr int32_t kBlockShift = 14;
constexpr int32_t kBlockMask = 0x3FFF;
// The last thumb strictly inside the range: the end value itself means "end laid out".
constexpr int32_t kThumbLastInside = 32766;

int32_t Block(int32_t position) { return position >> kBlockShift; }
int32_t InBlock(int32_t position) { return position & kBlockMask; }

int32_t RectHeight(const Viewer& v) { return v.layoutRect.bottom - v.layoutRect.top; }
int32_t RectWidth(const Viewer& v) { return v.layoutRect.right - v.layoutRect.left; }

// The shown region's first and last record positions (the last: the record before the scrolling
// region for region 0, unknown there and taken as the scrolling start).
void Region(const Viewer& v, int32_t& start, int32_t& end) {
  if (v.region == 0) {
    start = v.chunk.values[kChunkNonScrollStart];
    end = v.chunk.values[kChunkScrollStart];
  } else {
    start = v.chunk.values[kChunkScrollStart];
    end = v.chunk.values[kChunkTopicEnd];
  }
  if (end < start) end = start;
}

bool InRegion(const Viewer& v, int32_t position) {
  int32_t start = 0, end = 0;
  Region(v, start, end);
  if (position < start) return false;
  return v.region == 0 ? position < end : position <= end;
}

// Bytes one window height shows, from the laid-out records.
int64_t WindowBytes(const Viewer& v) {
  int64_t bytes = 0, height = 0;
  for (const LayoutFrame& f : v.frames) {
    bytes += f.storedSize;
    height += f.height;
  }
  return bytes * RectHeight(v) / std::max<int64_t>(height, 1);
}

RegionEstimate Estimate(const Viewer& v) {
  int32_t start = 0, end = 0;
  Region(v, start, end);
  return FrEstimateRegion(start, end, v.chunk.topic_length, WindowBytes(v));
}

bool TopShown(const Viewer& v) {
  int32_t start = 0, end = 0;
  Region(v, start, end);
  return !v.frames.empty() && v.frames.front().position == start && v.frames.front().y >= 0;
}

bool EndShown(const Viewer& v) {
  if (v.frames.empty()) return false;
  const LayoutFrame& tail = v.frames.back();
  return !InRegion(v, tail.next) && int64_t(tail.y) + tail.height <= RectHeight(v);
}

// The record of the region that holds byte position `p`, walking the chain from the region's start.
bool RecordHolding(Viewer& v, int32_t p, SourceRecord& out) {
  if (!v.source && v.title) v.source = FrTitleRecordSource(v.title);
  if (!v.source) return false;
  int32_t start = 0, end = 0;
  Region(v, start, end);
  if (v.source->Load(start, out) != 0) return false;
  while (out.next > out.position && out.next <= p && InRegion(v, out.next)) {
    SourceRecord next;
    if (v.source->Load(out.next, next) != 0 || next.topicHeader) break;
    out = std::move(next);
  }
  return true;
}

}  // namespace

int32_t FrPageStep(int32_t extent) {
  int32_t step = extent / 8 * 8;
  return step >= 32 ? step - kLineStep : step;
}

RegionEstimate FrEstimateRegion(int32_t start, int32_t end, int32_t topicLength, int64_t windowBytes) {
  RegionEstimate e;
  int64_t blocks = int64_t(Block(end)) - Block(start);
  if (blocks > 0) {
    e.bytesPerBlock = int32_t(std::clamp<int64_t>(
        (int64_t(topicLength) + InBlock(start) - InBlock(end)) / blocks, 0, INT32_MAX));
  }
  int64_t bytes = int64_t(InBlock(end)) + blocks * e.bytesPerBlock - InBlock(start) - windowBytes;
  e.regionBytes = std::max<int64_t>(bytes, 1);
  return e;
}

int32_t FrThumbFromDistance(int64_t distance, int64_t regionBytes) {
  regionBytes = std::max<int64_t>(regionBytes, 1);
  distance = std::clamp<int64_t>(distance, 0, regionBytes);
  // 0x7FFF times a byte count stays far inside 64 bits.
  int64_t thumb = int64_t(medview::kThumbEnd) * distance / regionBytes;
  return int32_t(std::clamp<int64_t>(thumb + 1, 1, kThumbLastInside));
}

int64_t FrDistanceFromThumb(int32_t thumb, int64_t regionBytes) {
  thumb = std::clamp(thumb, 0, int32_t(medview::kThumbEnd));
  return int64_t(thumb) * std::max<int64_t>(regionBytes, 0) / medview::kThumbEnd;
}

void FrScrollBy(Viewer& v, int32_t dx, int32_t dy, POINT* applied, TitleErrorCode* error) {
  *applied = POINT{0, 0};
  medview::SetErrorCode(error, medview::kViewOk);
  if (RectWidth(v) <= 0 || RectHeight(v) <= 0) return;
  if (dy != 0) {
    // Moving away from an end leaves it; the layout marks an end again when it reaches it.
    v.layoutState &= uint16_t(~(dy < 0 ? medview::kLayoutTopReached : medview::kLayoutEndReached));
    applied->y = FrScrollBand(v, dy, true, error);
    // The view can scroll vertically unless the whole region fits in it.
    v.canScrollV = !(TopShown(v) && EndShown(v));
  }
  if (dx != 0) {
    int32_t offset = std::min(v.hOffset, v.hExtent);
    int32_t moved = std::clamp<int32_t>(offset - dx, 0, std::max(v.hExtent, 0));
    applied->x = offset - moved;
    v.hOffset = moved;
  }
  v.canScrollH = int64_t(v.layoutWidth) + v.layoutRect.left > v.layoutRect.right;
}

bool FrSetThumb(Viewer& v, int32_t thumb, bool vertical, TitleErrorCode* error) {
  medview::SetErrorCode(error, medview::kViewOk);
  if (!vertical) {
    int32_t offset = int32_t(int64_t(std::clamp(thumb, 0, int32_t(medview::kThumbEnd))) * v.hExtent /
                             medview::kThumbEnd);
    bool changed = offset != v.hOffset;
    v.hOffset = offset;
    return changed;
  }
  int32_t start = 0, end = 0;
  Region(v, start, end);
  RegionEstimate e = Estimate(v);
  int64_t f = FrDistanceFromThumb(thumb, e.regionBytes);
  int64_t p;
  if (Block(start) == Block(end) || e.bytesPerBlock <= 0) {
    p = int64_t(start) + f;
  } else {
    int64_t total = InBlock(start) + f;
    p = ((int64_t(Block(start)) + total / e.bytesPerBlock) << kBlockShift) +
        std::min<int64_t>(total % e.bytesPerBlock, kBlockMask);
  }
  bool toEnd = thumb >= kThumbLastInside || p >= end;
  SourceRecord record;
  if (!RecordHolding(v, toEnd ? end : int32_t(std::min<int64_t>(p, INT32_MAX)), record)) {
    medview::SetErrorCode(error, medview::kViewLayoutStopped);
    return false;
  }
  if (!toEnd && f == 0 && !v.frames.empty() && v.frames.front().position == record.position &&
      v.frames.front().y == 0) {
    return false;
  }
  int64_t into = toEnd ? 0 : p - record.position;
  int32_t storedSize = std::max(record.storedSize, 1);
  FrFreeAllFrames(v);
  v.target = record.position;
  v.fraction = 0;
  // A fresh layout: whether the region's top or end is reached is found anew.
  v.layoutState &= uint16_t(~(medview::kLayoutTopReached | medview::kLayoutEndReached));
  if (TitleErrorCode code = FrLayoutTarget(v, true)) {
    medview::SetErrorCode(error, code);
    return false;
  }
  if (v.frames.empty()) return true;
  if (toEnd) {
    // The band's bottom comes to the window's bottom (the layout pulls back at the region's end).
    const LayoutFrame& tail = v.frames.back();
    int32_t down = RectHeight(v) - (tail.y + tail.height);
    if (down > 0) FrScrollBand(v, down, true, error);
  } else if (into > 0) {
    const LayoutFrame& head = v.frames.front();
    int64_t up = into > storedSize ? head.height : head.height * into / storedSize;
    FrScrollBand(v, -int32_t(up), true, error);
  }
  v.hOffset = std::min(v.hOffset, v.hExtent);
  v.canScrollV = !(TopShown(v) && EndShown(v));
  return true;
}

int32_t FrTopCut(const Viewer& v) {
  int32_t cut = 0;
  for (const LayoutFrame& f : v.frames) {
    for (const LayoutObject& o : f.objects) {
      int32_t top = f.y + o.y, bottom = f.y + o.bottom();
      if (o.kind == kObjText && top < 0 && bottom > 0) cut = std::max(cut, bottom);
    }
  }
  return cut;
}

int32_t FrBottomCut(const Viewer& v) {
  int32_t height = RectHeight(v), cut = 0;
  for (const LayoutFrame& f : v.frames) {
    for (const LayoutObject& o : f.objects) {
      int32_t top = f.y + o.y, bottom = f.y + o.bottom();
      if (o.kind == kObjText && top < height && bottom > height) cut = std::max(cut, height - top);
    }
  }
  return cut;
}

bool FrAddressToPoint(Viewer& v, int32_t address, POINT* point) {
  int32_t block = address >> 15, offset = address & 0x7FFF;
  for (size_t i = v.frames.size(); i-- > 0;) {
    const LayoutFrame& f = v.frames[i];
    if (Block(f.position) != block || offset < f.charBase || offset >= f.charBase + std::max(f.textCount, 1)) continue;
    int32_t local = offset - f.charBase;
    int32_t x = f.x, y = f.y;
    for (size_t k = 0; k < f.objects.size(); ++k) {
      const LayoutObject& o = f.objects[k];
      if (!o.carriesChars() || IsMarkerKind(o.kind) || o.lastChar < local) continue;
      if (k > 0) x = f.x + o.x, y = f.y + o.y;
      break;
    }
    *point = POINT{v.layoutRect.left + x - v.hOffset, v.layoutRect.top + y};
    return true;
  }
  return false;
}

bool FrScrollTowards(Viewer& v, uint32_t address, const std::function<bool()>& found) {
  // A bound on the steps keeps a damaged chain from looping.
  constexpr int kMaxSteps = 1 << 16;
  int32_t direction = 0;
  int turns = 0;
  for (int step = 0; step < kMaxSteps; ++step) {
    if (found()) return true;
    if (v.frames.empty()) return false;
    const LayoutFrame& head = v.frames.front();
    uint32_t headAddress = uint32_t(Block(head.position)) << 15 | uint32_t(head.charBase & 0x7FFF);
    int32_t height = RectHeight(v);
    const int32_t toward = address < headAddress ? height : -height;
    // The first step may lead away (the address lies in the head record above the window); turning
    // back a second time means the address was passed both ways without being shown: no record
    // shows it.
    if (direction != 0 && (toward > 0) != (direction > 0) && ++turns > 1) return false;
    direction = toward;
    POINT applied{};
    FrScrollBy(v, 0, toward, &applied, nullptr);
    if (applied.y == 0) return found();
  }
  return false;
}

}  // namespace frame

namespace medview {

uint64_t MvGetScrollRanges(ViewerHandle viewer) {
  if (!viewer) return 0;
  uint64_t h = viewer->canScrollH ? kThumbEnd : 0;
  uint64_t v = viewer->canScrollV ? kThumbEnd : 0;
  return h | v << 32;
}

int32_t MvGetVerticalThumb(ViewerHandle viewer) {
  if (!viewer || !MvLaidOut(*viewer)) return -1;
  Viewer& v = *viewer;
  if (!v.canScrollV || frame::TopShown(v)) return 0;
  if (frame::EndShown(v)) return kThumbEnd;
  int32_t start = 0, end = 0;
  frame::Region(v, start, end);
  frame::RegionEstimate e = frame::Estimate(v);
  const frame::LayoutFrame& head = v.frames.front();
  int64_t above = std::max<int64_t>(-int64_t(head.y), 0);
  int64_t h = int64_t(head.storedSize) * above / std::max(head.height, 1);
  int32_t inBlock = head.position & 0x3FFF;
  if (e.bytesPerBlock > 0 && h + inBlock > e.bytesPerBlock) h = e.bytesPerBlock - inBlock;
  int64_t distance = h + inBlock - (start & 0x3FFF) +
                     int64_t(e.bytesPerBlock) * ((head.position >> 14) - (start >> 14));
  return frame::FrThumbFromDistance(distance, e.regionBytes);
}

int32_t MvGetHorizontalThumb(ViewerHandle viewer) {
  if (!viewer || !MvLaidOut(*viewer)) return -1;
  const Viewer& v = *viewer;
  if (v.layoutWidth <= v.layoutRect.right - v.layoutRect.left) return 0;
  if (v.hOffset > v.hExtent) return kThumbEnd;
  if (v.hExtent <= 0) return 0;
  return int32_t(int64_t(v.hOffset) * kThumbEnd / v.hExtent);
}

void MvSetEdgeLineReport(ViewerHandle viewer, BOOL on) {
  if (!viewer) return;
  if (on) {
    viewer->flags |= kViewReportCutLines;
  } else {
    viewer->flags &= uint16_t(~kViewReportCutLines);
  }
}

int32_t MvScrollVertical(ViewerHandle viewer, POINT* move, int32_t* topCut, int32_t* bottomCut, int32_t code,
                         int32_t thumb, TitleErrorCode* error) {
  if (move) *move = POINT{0, 0};
  SetErrorCode(error, kViewOk);
  if (!viewer || !MvLaidOut(*viewer)) {
    SetErrorCode(error, kViewNoLayout);
    return -1;
  }
  Viewer& v = *viewer;
  bool report = (v.flags & kViewReportCutLines) && topCut && bottomCut;
  if (report) *topCut = *bottomCut = 0;
  if (!v.canScrollV) {
    SetErrorCode(error, kViewCannotScroll);
    return -1;
  }
  ViewerBusy busy(viewer);
  if (!busy.entered(error)) return -1;
  HeldDC dc(v);
  v.pendingCode = 0;
  TitleErrorCode result = 0;
  POINT applied{0, 0};
  int32_t height = v.layoutRect.bottom - v.layoutRect.top;
  if (code == kScrollThumb || code == kScrollTop || code == kScrollBottom) {
    int32_t to = code == kScrollThumb ? thumb : code == kScrollTop ? 0 : kThumbEnd;
    int32_t before = v.frames.empty() ? 0 : v.frames.front().y;
    bool changed = frame::FrSetThumb(v, to, true, &result);
    if (!changed && result == 0) result = kViewCannotScroll;
    applied.y = v.frames.empty() ? 0 : v.frames.front().y - before;
  } else {
    int32_t dy = 0;
    switch (code) {
      case kScrollLineUp: dy = 16; break;
      case kScrollLineDown: dy = -16; break;
      case kScrollPageUp: dy = frame::FrPageStep(height - (report ? *bottomCut : 0)); break;
      case kScrollPageDown: dy = -frame::FrPageStep(height - (report ? *topCut : 0)); break;
      default:
        SetErrorCode(error, kViewBadArgument);
        return -1;
    }
    frame::FrScrollBy(v, 0, dy, &applied, &result);
    if (applied.x == 0 && applied.y == 0 && result == 0) result = kViewCannotScroll;
  }
  if (report) {
    *topCut = applied.y != 0 ? frame::FrTopCut(v) : 0;
    *bottomCut = applied.y != 0 ? frame::FrBottomCut(v) : 0;
  }
  if (move) *move = applied;
  if (result == 0) result = v.pendingCode;
  SetErrorCode(error, result);
  if (result == 0 || result == kViewLayoutStopped || result == kViewCannotScroll) return MvGetVerticalThumb(viewer);
  return -1;
}

int32_t MvScrollHorizontal(ViewerHandle viewer, POINT* move, int32_t code, int32_t thumb, TitleErrorCode* error) {
  if (move) *move = POINT{0, 0};
  SetErrorCode(error, kViewOk);
  if (!viewer || !MvLaidOut(*viewer)) {
    SetErrorCode(error, kViewNoLayout);
    return -1;
  }
  Viewer& v = *viewer;
  if (!v.canScrollH) {
    SetErrorCode(error, kViewCannotScroll);
    return -1;
  }
  ViewerBusy busy(viewer);
  if (!busy.entered(error)) return -1;
  TitleErrorCode result = 0;
  POINT applied{0, 0};
  int32_t page = frame::FrPageStep(v.layoutRect.right - v.layoutRect.left);
  switch (code) {
    case kScrollLineUp: frame::FrScrollBy(v, 16, 0, &applied, &result); break;
    case kScrollLineDown: frame::FrScrollBy(v, -16, 0, &applied, &result); break;
    case kScrollPageUp: frame::FrScrollBy(v, page, 0, &applied, &result); break;
    case kScrollPageDown: frame::FrScrollBy(v, -page, 0, &applied, &result); break;
    case kScrollThumb:
    case kScrollTop:
    case kScrollBottom: {
      int32_t before = v.hOffset;
      frame::FrSetThumb(v, code == kScrollThumb ? thumb : code == kScrollTop ? 0 : kThumbEnd, false, &result);
      applied.x = before - v.hOffset;
      break;
    }
    default:
      SetErrorCode(error, kViewBadArgument);
      return -1;
  }
  if (applied.x == 0 && applied.y == 0 && result == 0) result = kViewCannotScroll;
  if (move) *move = applied;
  SetErrorCode(error, result);
  if (result == 0 || result == kViewLayoutStopped || result == kViewCannotScroll) return MvGetHorizontalThumb(viewer);
  return -1;
}

BOOL MvScrollToPosition(ViewerHandle viewer, int32_t address, TitleErrorCode* error) {
  SetErrorCode(error, kViewOk);
  if (!viewer) return FALSE;
  Viewer& v = *viewer;
  v.pendingCode = 0;
  if (!v.canScrollH && !v.canScrollV) return TRUE;
  if (v.layoutRect.right <= v.layoutRect.left || v.layoutRect.bottom <= v.layoutRect.top || !MvLaidOut(v)) {
    SetErrorCode(error, kViewNoWindowArea);
    return FALSE;
  }
  ViewerBusy busy(viewer);
  if (!busy.entered(error)) return FALSE;
  HeldDC dc(v);
  POINT point{};
  // Addresses outside the shown region's blocks are not searched for.
  int32_t start = 0, end = 0;
  frame::Region(v, start, end);
  int32_t block = int32_t(uint32_t(address) >> 15);
  bool inBlocks = block >= (start >> 14) && block <= (end >> 14);
  auto shown = [&] { return frame::FrAddressToPoint(v, address, &point); };
  if (!inBlocks || !frame::FrScrollTowards(v, uint32_t(address), shown)) {
    SetErrorCode(error, kViewAddressNotShown);
    return FALSE;
  }
  int32_t dx = v.canScrollH && point.x >= v.layoutRect.right ? -(point.x - v.layoutRect.left) : 0;
  int32_t dy = v.canScrollV ? -(point.y - v.layoutRect.top) : 0;
  POINT applied{};
  TitleErrorCode code = 0;
  frame::FrScrollBy(v, dx, dy, &applied, &code);
  SetErrorCode(error, code);
  return TRUE;
}

}  // namespace medview
