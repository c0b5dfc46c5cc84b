#include "engine/frame/region_walk.h"

#include <algorithm>

#include "engine/frame/topic_layout.h"

namespace frame {

int32_t FrRegionStart(const medview::Viewer& viewer) {
  return viewer.chunk.values[viewer.region == 0 ? kChunkNonScrollStart : kChunkScrollStart];
}

medview::TitleErrorCode FrWalkRegion(medview::Viewer& viewer, int32_t first, int32_t last,
                                     const std::function<bool(LayoutFrame&)>& visit) {
  std::shared_ptr<RecordSource> source = viewer.source;
  if (!source && viewer.title) source = FrTitleRecordSource(viewer.title);
  if (!source) return medview::kViewNoLayout;
  // The region ends before the scrolling region's start (region 0) or with the topic's last record.
  int32_t stop = viewer.chunk.values[viewer.region == 0 ? kChunkScrollStart : kChunkTopicEnd];
  bool stopIncluded = viewer.region != 0;
  medview::TitleErrorCode code = 0;
  int32_t position = first;
  int64_t top = 0;  // frames follow one another down from the layout rectangle's top
  while (position >= 0 && position <= last) {
    if (stop >= 0 && (stopIncluded ? position > stop : position >= stop)) break;
    SourceRecord record;
    if (source->load(position, record) != 0 || record.topicHeader) break;
    FrFreeAllFrames(viewer);
    if (!FrMakeFrame(viewer, std::move(record), false, true, int32_t(std::min<int64_t>(top, INT32_MAX / 2)))) {
      code = medview::kViewNoMemory;
      break;
    }
    LayoutFrame& current = viewer.frames.front();
    int32_t next = current.next;
    top += current.height;
    if (!visit(current)) break;
    // A chain that does not move forward is damage.
    if (next <= position) break;
    position = next;
  }
  FrFreeAllFrames(viewer);
  return code;
}

}  // namespace frame
