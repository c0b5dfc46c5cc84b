#include "engine/frame/topic_layout.h"

#include <algorithm>

#include "engine/adt/topic_record_header.h"
#include "engine/bitmap/picture.h"
#include "engine/frame/layout_shape.h"
#include "engine/frame/record_layout.h"
#include "engine/frame/window_layout.h"
#include "engine/medview/viewer_embeds.h"
#include "engine/medview/viewer_fonts.h"

namespace frame {

namespace {

using medview::TitleErrorCode;

void SetError(TitleErrorCode* error, TitleErrorCode code) {
  if (error) *error = code;
}

RecordSource* SourceOf(medview::Viewer& viewer) {
  if (!viewer.source && viewer.title) viewer.source = FrTitleRecordSource(viewer.title);
  return viewer.source.get();
}

int32_t ChunkValue(const medview::Viewer& viewer, int index) { return viewer.chunk.values[index]; }

// The shown region: from `first` up to the scrolling start (non-scrolling region), or up to and
// including the topic's end (scrolling region, whose end value is its last record). -1: no bound
// but the chain's end and the next topic's header.
void RegionBounds(const medview::Viewer& viewer, int32_t& first, int32_t& stop, bool& stopIncluded) {
  int32_t nonScroll = ChunkValue(viewer, kChunkNonScrollStart);
  int32_t scroll = ChunkValue(viewer, kChunkScrollStart);
  if (viewer.region == 0) {
    first = nonScroll;
    stop = scroll;
    stopIncluded = false;
  } else {
    first = scroll;
    stop = ChunkValue(viewer, kChunkTopicEnd);
    stopIncluded = true;
  }
}

// The record before or after `frame`'s record inside the shown region; 1011 at its end.
TitleErrorCode Neighbour(medview::Viewer& viewer, const LayoutFrame& frame, bool forward, SourceRecord& out) {
  RecordSource* source = SourceOf(viewer);
  if (!source) return medview::kViewNoLayout;
  int32_t first = -1, stop = -1;
  bool stopIncluded = false;
  RegionBounds(viewer, first, stop, stopIncluded);
  int32_t position = forward ? frame.next : frame.previous;
  bool pastStop = stop >= 0 && (stopIncluded ? position > stop : position >= stop);
  if (position < 0 || (forward && pastStop) || (!forward && position < first)) {
    return medview::kViewEndOfRegion;
  }
  // A damaged chain may lead back to a record the band holds already: following it would lay the
  // same records out again and again (without end when they take no height), so the band stops there
  // as at a record that cannot be read.
  for (const LayoutFrame& held : viewer.frames) {
    if (held.position == position) return medview::kViewLayoutStopped;
  }
  if (uint16_t code = source->load(position, out)) return code == medview::kViewEndOfRegion ? code : medview::kViewLayoutStopped;
  if (out.topicHeader) return medview::kViewEndOfRegion;
  return 0;
}

int32_t RectHeight(const medview::Viewer& viewer) { return viewer.layoutRect.bottom - viewer.layoutRect.top; }
int32_t RectWidth(const medview::Viewer& viewer) { return viewer.layoutRect.right - viewer.layoutRect.left; }
bool Printing(const medview::Viewer& viewer) { return (viewer.flags & medview::kViewPrinting) != 0; }

}  // namespace

void MvSetRecordSource(medview::ViewerHandle viewer, std::shared_ptr<RecordSource> source) {
  if (viewer) viewer->source = std::move(source);
}

BOOL MvSetTopic(medview::ViewerHandle viewer, int32_t position, int16_t region, int32_t fraction,
                TitleErrorCode* error) {
  if (!viewer || (region != 0 && region != 1)) {
    SetError(error, medview::kViewBadArgument);
    return FALSE;
  }
  RecordSource* source = SourceOf(*viewer);
  fcmanage::TopicChunk chunk;
  if (!source || position < 0 || source->chunk(position, chunk) != 0) {
    SetError(error, medview::kViewNoLayout);
    return FALSE;
  }
  int32_t nonScroll = chunk.values[kChunkNonScrollStart];
  int32_t scroll = chunk.values[kChunkScrollStart];
  int32_t wanted = region == 0 ? nonScroll : scroll;
  if (wanted == -1) {
    SetError(error, medview::kViewNoLayout);
    return FALSE;
  }
  bool inScroll = scroll != -1 && position >= scroll;
  bool inNonScroll = nonScroll != -1 && position >= nonScroll && !inScroll;
  if (position == nonScroll || position == scroll) {
    position = wanted;
  } else if ((region == 0 && inScroll) || (region == 1 && inNonScroll) || (!inScroll && !inNonScroll)) {
    position = wanted;
    fraction = 0;
  }
  viewer->chunk = std::move(chunk);
  viewer->region = region;
  viewer->target = position;
  viewer->fraction = fraction;
  viewer->layoutState = 0;
  SetError(error, medview::kViewOk);
  return TRUE;
}

void MvGetTopicPosition(medview::ViewerHandle viewer, int32_t* position, int16_t* region, int32_t* fraction) {
  if (!viewer) return;
  if (position) *position = viewer->target;
  if (region) *region = viewer->region;
  if (fraction) *fraction = viewer->fraction;
}

int32_t MvGetCurrentTopic(medview::ViewerHandle viewer) { return viewer ? viewer->chunk.values[2] : 0; }
int32_t MvGetNextTopic(medview::ViewerHandle viewer) { return viewer ? viewer->chunk.values[1] : -1; }
int32_t MvGetPrevTopic(medview::ViewerHandle viewer) { return viewer ? viewer->chunk.values[0] : -1; }
bool MvHasNonScrollRegion(medview::ViewerHandle viewer) {
  return viewer && viewer->chunk.values[kChunkNonScrollStart] != -1;
}
bool MvHasScrollRegion(medview::ViewerHandle viewer) {
  return viewer && viewer->chunk.values[kChunkScrollStart] != -1;
}
std::string MvGetTopicTitle(medview::ViewerHandle viewer) { return viewer ? viewer->chunk.title : std::string(); }
std::string MvGetTopicHeaderText(medview::ViewerHandle viewer) {
  return viewer ? viewer->chunk.headerText : std::string();
}

bool FrMakeFrame(medview::Viewer& viewer, SourceRecord&& record, bool atHead, bool renderOnly, int32_t edge) {
  LayoutFrame frame;
  frame.renderOnly = renderOnly;
  frame.position = record.position;
  frame.previous = record.previous;
  frame.next = record.next;
  frame.charBase = record.charBase;
  frame.storedSize = record.storedSize;
  frame.record = std::move(record.bytes);
  RecordPlacement at;
  at.width = RectWidth(viewer);
  at.position = frame.position;
  at.charBase = frame.charBase;
  at.frameTop = viewer.layoutRect.top + edge;
  RecordExtent extent;
  int32_t hotspots = viewer.hotspotCount;
  if (!FrLayoutRecord(viewer, frame.record, {}, at, frame.objects, extent)) return false;
  if (atHead && viewer.layoutShape && extent.height > 0) {
    // A frame above the band ends at its top: with a shape its lines depend on where it starts,
    // which is known only once its height is.
    FrReleaseEmbeddedObjects(viewer, frame);
    frame.objects.clear();
    viewer.hotspotCount = hotspots;
    at.frameTop -= extent.height;
    if (!FrLayoutRecord(viewer, frame.record, {}, at, frame.objects, extent)) return false;
  }
  frame.width = extent.width;
  frame.height = extent.height;
  frame.textCount = extent.chars;
  if (atHead) {
    viewer.frames.insert(viewer.frames.begin(), std::move(frame));
    if (viewer.focusFrame >= 0) ++viewer.focusFrame;
  } else {
    viewer.frames.push_back(std::move(frame));
  }
  return true;
}

void FrFreeFrame(medview::Viewer& viewer, size_t index) {
  if (index >= viewer.frames.size()) return;
  if (viewer.focusFrame == int32_t(index)) {
    viewer.focusFrame = -1;
    viewer.focusHotspot = -1;
  } else if (viewer.focusFrame > int32_t(index)) {
    --viewer.focusFrame;
  }
  // Pictures and shared hotspot data are released with their objects; embedded objects are told.
  FrReleaseEmbeddedObjects(viewer, viewer.frames[index]);
  viewer.frames.erase(viewer.frames.begin() + std::ptrdiff_t(index));
}

void FrFreeAllFrames(medview::Viewer& viewer) {
  for (const LayoutFrame& frame : viewer.frames) FrReleaseEmbeddedObjects(viewer, frame);
  viewer.frames.clear();
  viewer.focusFrame = -1;
  viewer.focusHotspot = -1;
  viewer.hotspotCount = 0;
}

int32_t FrScrollBand(medview::Viewer& viewer, int32_t delta, bool filling, TitleErrorCode* error) {
  SetError(error, medview::kViewOk);
  if (viewer.frames.empty()) return 0;
  int64_t height = RectHeight(viewer);
  int64_t top = int64_t(viewer.frames.front().y) + delta;
  int64_t bottom = int64_t(viewer.frames.back().y) + viewer.frames.back().height + delta;
  int64_t applied = delta;
  auto fillTop = [&]() -> bool {
    while (top > 0) {
      SourceRecord record;
      TitleErrorCode code = Neighbour(viewer, viewer.frames.front(), false, record);
      if (code == medview::kViewEndOfRegion) {
        viewer.layoutState |= medview::kLayoutTopReached;
        bottom -= top;
        applied -= top;
        top = 0;
        return true;
      }
      if (code || !FrMakeFrame(viewer, std::move(record), true, false, int32_t(std::clamp<int64_t>(top, INT32_MIN / 2, INT32_MAX / 2)))) {
        SetError(error, code == medview::kViewNoMemory ? code : medview::kViewLayoutStopped);
        return false;
      }
      top -= viewer.frames.front().height;
    }
    return true;
  };
  bool ok = fillTop();
  while (ok && filling && bottom < height) {
    SourceRecord record;
    TitleErrorCode code = Neighbour(viewer, viewer.frames.back(), true, record);
    if (code == 0 && FrMakeFrame(viewer, std::move(record), false, false,
                                 int32_t(std::clamp<int64_t>(bottom, INT32_MIN / 2, INT32_MAX / 2)))) {
      bottom += viewer.frames.back().height;
      continue;
    }
    if (code == medview::kViewEndOfRegion) {
      viewer.layoutState |= medview::kLayoutEndReached;
    } else {
      SetError(error, code == medview::kViewNoMemory ? code : medview::kViewLayoutStopped);
    }
    // The band ends with the last record laid out, whether the region ends there or the next record
    // cannot be read (a damaged topic): the view never scrolls on past it into blank space.
    if (!Printing(viewer) && !(viewer.layoutState & medview::kLayoutTopReached)) {
      int64_t move = height - bottom;
      top += move;
      bottom += move;
      applied += move;
      ok = fillTop();
    }
    break;
  }
  // Frames wholly outside the rectangle go, at least one frame staying.
  while (viewer.frames.size() > 1 && top + viewer.frames.front().height <= 0) {
    top += viewer.frames.front().height;
    FrFreeFrame(viewer, 0);
  }
  while (viewer.frames.size() > 1 && bottom - viewer.frames.back().height >= height) {
    bottom -= viewer.frames.back().height;
    FrFreeFrame(viewer, viewer.frames.size() - 1);
  }
  int64_t y = top;
  int64_t widest = 0;
  for (LayoutFrame& frame : viewer.frames) {
    frame.y = int32_t(std::clamp<int64_t>(y, INT32_MIN / 2, INT32_MAX / 2));
    y += frame.height;
    widest = std::max<int64_t>(widest, int64_t(frame.x) + frame.width);
  }
  viewer.hExtent = int32_t(std::max<int64_t>(0, widest - RectWidth(viewer)));
  if (widest > RectWidth(viewer)) viewer.layoutWidth = std::max(viewer.layoutWidth, int32_t(widest));
  if (!Printing(viewer) && (viewer.layoutState & medview::kLayoutTopReached) && y <= height) viewer.canScrollV = false;
  const LayoutFrame& head = viewer.frames.front();
  viewer.target = head.position;
  viewer.fraction = head.height > 0 ? int32_t(-int64_t(head.y) * 65536 / head.height) : 0;
  int32_t first = -1, stop = -1;
  bool stopIncluded = false;
  RegionBounds(viewer, first, stop, stopIncluded);
  if (head.position == first && head.y == 0) viewer.layoutState |= medview::kLayoutTopReached;
  if (Printing(viewer) && y <= 0) SetError(error, medview::kViewEndOfRegion);
  return int32_t(std::clamp<int64_t>(applied, INT32_MIN / 2, INT32_MAX / 2));
}

TitleErrorCode FrLayoutTarget(medview::Viewer& viewer, bool keepOffset) {
  if (viewer.target < 0) return medview::kViewNoTarget;
  if (RectWidth(viewer) <= 0 || RectHeight(viewer) <= 0) return medview::kViewNoWindowArea;
  RecordSource* source = SourceOf(viewer);
  if (!source) return medview::kViewNoTarget;
  SourceRecord record;
  if (uint16_t code = source->load(viewer.target, record)) return code;
  viewer.canScrollV = true;
  viewer.canScrollH = false;
  FrFreeAllFrames(viewer);
  medview::MvKeepEmbeds(viewer);
  int32_t oldOffset = viewer.hOffset;
  if (!FrMakeFrame(viewer, std::move(record), false, false, 0)) return medview::kViewNoMemory;
  LayoutFrame& first = viewer.frames.front();
  first.y = 0;
  int32_t start = int32_t(-(int64_t(first.height) * viewer.fraction / 65536));
  if (!keepOffset) {
    viewer.hOffset = 0;
    viewer.layoutWidth = 0;
  }
  TitleErrorCode code = 0;
  FrScrollBand(viewer, start, true, &code);
  if (keepOffset) viewer.hOffset = std::min(oldOffset, viewer.hExtent);
  viewer.canScrollH = viewer.layoutWidth + viewer.layoutRect.left > viewer.layoutRect.right;
  if (code == medview::kViewLayoutStopped) {
    // What was laid out stays; the caller hears of the early stop as a secondary code.
    viewer.pendingCode = code;
    return 0;
  }
  return code;
}

BOOL MvLayoutTopic(medview::ViewerHandle viewer, const RECT* rect, TitleErrorCode* error) {
  if (!viewer) {
    SetError(error, medview::kViewBadArgument);
    return FALSE;
  }
  if (viewer->target < 0) {
    SetError(error, medview::kViewNoLayout);
    return FALSE;
  }
  medview::ViewerBusy busy(viewer);
  if (!busy.entered()) {
    SetError(error, medview::kViewBusy);
    return FALSE;
  }
  RECT area{};
  if (rect) {
    area = *rect;
  } else if (!medview::MvWindowClientRect(viewer, &area)) {
    SetError(error, medview::kViewNoWindowArea);
    return FALSE;
  } else if (viewer->layoutShape) {
    area.bottom = std::max(area.bottom, viewer->layoutShape->bounds.bottom);
  }
  if (area.right <= area.left || area.bottom <= area.top) {
    SetError(error, medview::kViewNoWindowArea);
    return FALSE;
  }
  if (TitleErrorCode code = medview::MvAcquireDC(viewer)) {
    viewer->layoutState &= ~medview::kLayoutExists;
    SetError(error, code);
    return FALSE;
  }
  viewer->layoutRect = area;
  viewer->pendingCode = 0;
  TitleErrorCode code = FrLayoutTarget(*viewer, false);
  if (code == 0) {
    viewer->layoutState |= medview::kLayoutExists;
  } else {
    FrFreeAllFrames(*viewer);
  }
  SetError(error, code ? code : viewer->pendingCode);
  medview::MvReleaseDC(viewer);
  return code == 0;
}

void MvResetView(medview::ViewerHandle viewer) {
  if (!viewer) return;
  medview::ViewerBusy busy(viewer);
  if (!busy.entered()) return;
  viewer->layoutShape.reset();
  medview::MvDropFonts(viewer);
  FrFreeAllFrames(*viewer);
  viewer->sideObjects.clear();
  viewer->chunk.title.clear();
  viewer->chunk.headerText.clear();
  viewer->bitmapCache = bitmap::BmCacheCreate();
  viewer->layoutState = 0;
}

void MvGetLayoutExtent(medview::ViewerHandle viewer, int32_t* width, int32_t* height) {
  int64_t w = 0, h = 0;
  if (viewer && RectWidth(*viewer) > 0 && RectHeight(*viewer) > 0) {
    for (const LayoutFrame& frame : viewer->frames) {
      w = std::max<int64_t>(w, int64_t(frame.x) + frame.width);
      h += frame.height;
    }
    if (!viewer->frames.empty()) ++h;
  }
  if (width) *width = int32_t(std::min<int64_t>(w, INT32_MAX));
  if (height) *height = int32_t(std::min<int64_t>(h, INT32_MAX));
}

void MvGetEstimatedExtent(medview::ViewerHandle viewer, int32_t* width, int32_t* height) {
  int32_t laidOut = 0;
  MvGetLayoutExtent(viewer, width, &laidOut);
  int64_t estimate = laidOut;
  if (viewer && laidOut >= RectHeight(*viewer) && laidOut > 0) {
    int64_t bytes = 0;
    for (const LayoutFrame& frame : viewer->frames) bytes += frame.storedSize;
    estimate = int64_t(laidOut) * viewer->chunk.topicLength / std::max<int64_t>(bytes, 1);
  }
  if (height) *height = int32_t(std::clamp<int64_t>(estimate, 0, INT32_MAX));
}

}  // namespace frame

