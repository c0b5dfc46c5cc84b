#include "engine/frame/painting.h"

#include "engine/frame/hit_marks.h"
#include "engine/frame/selection.h"
#include "engine/frame/text_output.h"
#include "engine/frame/window_layout.h"
#include "engine/medview/view_marks.h"

namespace frame {

namespace {

bool MeetsClip(const RECT* clip, int32_t top, int32_t bottom) {
  return !clip || (bottom > clip->top && top < clip->bottom);
}

// With flag 0x08 a text line cut by the rectangle's top or bottom edge is left out.
bool CutByEdge(const medview::Viewer& viewer, int32_t top, int32_t bottom) {
  return (viewer.flags & medview::kViewReportCutLines) &&
         ((top < viewer.layoutRect.top && bottom > viewer.layoutRect.top) ||
          (top < viewer.layoutRect.bottom && bottom > viewer.layoutRect.bottom));
}

}  // namespace

void FrDrawObject(medview::Viewer& viewer, std::span<const uint8_t> text, const LayoutObject& o, int32_t x,
                  int32_t y) {
  switch (o.kind) {
    case kObjText:
      FrDrawText(viewer, text, o, x, y, nullptr, false);
      break;
    case kObjPicture:
      FrDrawPicture(viewer, o, x, y);
      break;
    case kObjHotspotFrame:
      FrDrawHotspotFrame(viewer, o, x, y, false);
      break;
    case kObjBorder:
      FrDrawBorder(viewer, o, x, y);
      break;
    case kObjWindow:
      FrDrawEmbeddedObject(viewer, o, x, y);
      break;
    default:
      break;
  }
}

void FrPaintObjects(medview::Viewer& viewer, const LayoutFrame& frame, int32_t x, int32_t y, const RECT* clip,
                    size_t first, size_t last, bool marksOnly) {
  if (!MeetsClip(clip, y, y + frame.height)) return;
  std::span<const uint8_t> text = FrFrameText(frame);
  bool marksFirst = medview::MvMarks(viewer).markRop == R2_COPYPEN;
  if (marksFirst || marksOnly) FrDrawFrameMarks(viewer, frame, x, y);
  if (marksOnly) return;
  for (size_t i = first; i < last && i < frame.objects.size(); ++i) {
    const LayoutObject& o = frame.objects[i];
    int32_t top = y + o.y, bottom = y + o.bottom();
    if (o.kind != kObjWindow && !MeetsClip(clip, top, bottom)) continue;
    if (o.kind == kObjText && CutByEdge(viewer, top, bottom)) continue;
    FrDrawObject(viewer, text, o, x, y);
  }
  if (!marksFirst) FrDrawFrameMarks(viewer, frame, x, y);
}

void FrPaintFrames(medview::Viewer& viewer, const RECT* clip) {
  for (const LayoutFrame& frame : viewer.frames) {
    int32_t x = viewer.layoutRect.left - viewer.hOffset + frame.x;
    int32_t y = viewer.layoutRect.top + frame.y;
    FrPaintObjects(viewer, frame, x, y, clip, 0, frame.objects.size(), false);
  }
}

}  // namespace frame

