// The engine's side of an open-act comparison: a viewer on `title` that lays out and paints into
// a memory context of its own of the given size, as the reading view's pane does. Taken down with
// the object.
#pragma once

#include "engine/medview/engine_titles.h"
#include "engine/medview/viewer.h"
#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/object_api.h"

namespace bench {

class EngineCanvas {
 public:
  EngineCanvas(title::TitleHandle* title, int width, int height)
      : area{0, 0, width, height},
        memory(::CreateCompatibleDC(nullptr)),
        viewer(medview::MvCreateViewer(title, nullptr)),
        bitmap_(::CreateCompatibleBitmap(memory, width, height)),
        oldBitmap_(::SelectObject(memory, bitmap_)) {
    medview::MvSetTitle(viewer, title, nullptr, nullptr);
    previous_ = medview::MvUseCallerDC(viewer, memory);
  }
  ~EngineCanvas() {
    medview::MvRestoreCallerDC(viewer, previous_);
    medview::MvDestroyViewer(viewer);
    ::SelectObject(memory, oldBitmap_);
    ::DeleteObject(bitmap_);
    ::DeleteDC(memory);
  }
  EngineCanvas(const EngineCanvas&) = delete;
  EngineCanvas& operator=(const EngineCanvas&) = delete;

  const RECT area;
  const HDC memory;
  const medview::ViewerHandle viewer;

 private:
  HBITMAP bitmap_;
  HGDIOBJ oldBitmap_;
  HDC previous_ = nullptr;
};

}  // namespace bench
