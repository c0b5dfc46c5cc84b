#include "engine/frame/window_layout.h"

#include "engine/datapres/embedded_window_display.h"
#include "engine/datapres/embedded_window_layout.h"
#include "engine/medview/viewer_embeds.h"
#include "engine/medview/viewer_fonts.h"

namespace frame {
namespace {

// The TopicAddress of the placement's character: the record's block in the high bits, the character
// number within the block in the low fifteen. An object the application inserted is no part of the
// record: its key is its negated identifier, which the paragraph hands over as its record offset.
int32_t WindowKey(const RecordPlacement& at) {
  if (at.recordOffset < 0) return at.recordOffset;
  return int32_t(uint32_t(at.position >> 14) << 15 | (uint32_t(at.charBase + at.firstChar) & 0x7FFF));
}

}  // namespace

bool FrLayoutWindowRecord(medview::Viewer& viewer, std::span<const uint8_t> record, const RecordPlacement& at,
                          ObjectList& out, RecordExtent& extent) {
  datapres::EmbedState& state = medview::MvEmbedState(viewer);
  state.pendingCode = 0;
  // Error boxes are measured in font 0; copying and printing give every object no size.
  const bool sizeless = (viewer.flags & (medview::kViewPrinting | medview::kViewClipboard)) != 0;
  if (!sizeless) medview::MvSelectFont(&viewer, 0);
  LayoutObject object;
  if (!datapres::FrLayoutWindow(state, record, viewer.chunk.values[2], WindowKey(at), at.firstChar, viewer.hdc,
                                sizeless, viewer.hotspotCount, object)) {
    return false;
  }
  if (state.pendingCode) viewer.pendingCode = state.pendingCode;
  extent.width = object.width;
  extent.height = object.height;
  extent.chars = 1;
  out.push_back(std::move(object));
  return true;
}

void FrDrawEmbeddedObject(medview::Viewer& viewer, const LayoutObject& object, int32_t x, int32_t y) {
  datapres::EmbedState& state = medview::MvEmbedState(viewer);
  if (object.kind != kObjWindow || object.data < 0 || size_t(object.data) >= state.windows.size()) return;
  const bool printing = (viewer.flags & medview::kViewPrinting) != 0;
  const RECT rect{x + object.x, y + object.y, x + object.x + object.width, y + object.y + object.height};
  medview::MvSelectFont(&viewer, 0);
  datapres::FrDrawWindow(state, state.windows[size_t(object.data)].object, rect, viewer.layoutRect, viewer.hdc,
                         printing);
}

HWND FrObjectWindow(medview::Viewer& viewer, const LayoutObject& object) {
  datapres::EmbedState& state = medview::MvEmbedState(viewer);
  if (object.kind != kObjWindow || object.data < 0 || size_t(object.data) >= state.windows.size()) return nullptr;
  HWND window = state.windows[size_t(object.data)].object.window;
  return window && state.port && state.port->exists(window) ? window : nullptr;
}

LRESULT FrSendToObject(medview::Viewer& viewer, const LayoutObject& object, UINT message, WPARAM wparam,
                       LPARAM lparam) {
  HWND window = FrObjectWindow(viewer, object);
  return window ? viewer.embeds.port->send(window, message, wparam, lparam) : 0;
}

void FrReleaseEmbeddedObjects(medview::Viewer& viewer, const LayoutFrame& frame) {
  for (const LayoutObject& o : frame.objects) {
    if (o.kind != kObjWindow || o.data < 0 || size_t(o.data) >= viewer.embeds.windows.size()) continue;
    const datapres::EmbedObject& object = viewer.embeds.windows[size_t(o.data)].object;
    if (object.window && viewer.dcDepth == 0) continue;
    datapres::FrReleaseWindow(medview::MvEmbedState(viewer), object);
  }
}

}  // namespace frame
