#include "engine/frame/scrolling.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "engine/frame/topic_layout.h"
#include "engine/medview/viewer_scope.h"

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

bool InRegion(const Viewer& v, int32_t position) {
  int32_t start = 0, end = 0;
  FrShownRegion(v, start, end);
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

// The record of the region that holds byte position `p`, walking the chain from the region's start.
bool RecordHolding(Viewer& v, int32_t p, SourceRecord& out) {
  if (!v.source && v.title) v.source = FrTitleRecordSource(v.title);
  if (!v.source) return false;
  int32_t start = 0, end = 0;
  FrShownRegion(v, start, end);
  if (v.source->load(start, out) != 0) return false;
  while (out.next > out.position && out.next <= p && InRegion(v, out.next)) {
    SourceRecord next;
    if (v.source->load(out.next, next) != 0 || next.topicHeader) break;
    out = std::move(next);
  }
  return true;
}

}  // namespace

// The shown region's first and last record positions (the last: the record before the scrolling
// region for region 0, unknown there and taken as the scrolling start).
void FrShownRegion(const medview::Viewer& v, int32_t& start, int32_t& end) {
  if (v.region == 0) {
    start = v.chunk.values[kChunkNonScrollStart];
    end = v.chunk.values[kChunkScrollStart];
  } else {
    start = v.chunk.values[kChunkScrollStart];
    end = v.chunk.values[kChunkTopicEnd];
  }
  if (end < start) end = start;
}

RegionEstimate FrEstimateShown(const medview::Viewer& v) {
  int32_t start = 0, end = 0;
  FrShownRegion(v, start, end);
  return FrEstimateRegion(start, end, v.chunk.topicLength, WindowBytes(v));
}

bool FrTopShown(const medview::Viewer& v) {
  int32_t start = 0, end = 0;
  FrShownRegion(v, start, end);
  return !v.frames.empty() && v.frames.front().position == start && v.frames.front().y >= 0;
}

bool FrEndShown(const medview::Viewer& v) {
  if (v.frames.empty()) return false;
  const LayoutFrame& tail = v.frames.back();
  return !InRegion(v, tail.next) && int64_t(tail.y) + tail.height <= RectHeight(v);
}

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
    v.canScrollV = !(FrTopShown(v) && FrEndShown(v));
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
  FrShownRegion(v, start, end);
  RegionEstimate e = FrEstimateShown(v);
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
  v.canScrollV = !(FrTopShown(v) && FrEndShown(v));
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
      if (!o.carries_chars() || IsMarkerKind(o.kind) || o.lastChar < local) continue;
      if (k > 0) x = f.x + o.x, y = f.y + o.y;
      break;
    }
    *point = POINT{v.layoutRect.left + x - v.hOffset, v.layoutRect.top + y};
    return true;
  }
  return false;
}

bool FrScrollTowards(Viewer& v, uint32_t address, const std::function<bool()>& found) {
  // A bound on the steps keeps a very tall record from holding the walk for long.
  constexpr int kMaxSteps = 1 << 16;
  int32_t direction = 0;
  int turns = 0;
  // Views already shown on the way: a damaged chain of records that leads back to a record passed
  // before brings one of them again, and walking on would only go round.
  std::set<std::tuple<int32_t, int32_t, int32_t, uint32_t>> seen;
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
    if (!seen.emplace(toward, head.position, head.y, headAddress).second) return false;
    POINT applied{};
    FrScrollBy(v, 0, toward, &applied, nullptr);
    if (applied.y == 0) return found();
  }
  return false;
}

}  // namespace frame

