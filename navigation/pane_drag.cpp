#include "navigation/pane_drag.h"

#include <cstdlib>

#include "engine/frame/clipboard_render.h"
#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_titles.h"
#include "navigation/topic_ole.h"
#include "shell/library_title.h"
#include "shell/view/mv_dummy.h"

namespace topicdrag {

bool MovedPastDragStart(CPoint start, CPoint now) { return std::abs(now.x - start.x) > 3 || std::abs(now.y - start.y) > 3; }

DROPEFFECT DragShownTopic(medview::ViewerHandle viewer, const void* source, int32_t kind) {
  if (!viewer) return DROPEFFECT_NONE;
  const int32_t topic = frame::MvGetCurrentTopic(viewer);
  if (topic < 0) return DROPEFFECT_NONE;
  COleDataSource data;
  OfferTopicInfo(data, MakeTopicInfo(topic, source, kind));
  if (medview::ClipFormatTablePtr table = medview::MvRenderClipFormats(viewer, FALSE, 0, nullptr)) {
    OfferRendered(data, *table);
  }
  return RunTopicDrag(data);
}

DROPEFFECT DragLink(uint32_t target_hash, const void* source) {
  title::TitleHandle* title = LibraryTitle();
  if (!title) return DROPEFFECT_NONE;
  const int32_t position = medview::MvContextHashToPosition(title, target_hash);
  if (position < 0) return DROPEFFECT_NONE;
  CMvDummy pane;
  if (!pane.Create(&position)) return DROPEFFECT_NONE;
  pane.Relayout();
  return DragShownTopic(pane.GetViewer(), source, kFromLink);
}

DROPEFFECT DragSelection(medview::ViewerHandle viewer) {
  if (!viewer) return DROPEFFECT_NONE;
  medview::ClipFormatTablePtr table = medview::MvRenderClipFormats(viewer, TRUE, 0, nullptr);
  if (!table) return DROPEFFECT_NONE;
  COleDataSource data;
  OfferRendered(data, *table);
  if (data.formats().empty()) return DROPEFFECT_NONE;
  return RunTopicDrag(data);
}

}  // namespace topicdrag
