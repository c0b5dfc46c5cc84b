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
        bitmap_(::CreateCompatibleBitmap(memory, width, height)),
        oldBitmap_(::SelectObject(memory, bitmap_)),
        viewer(medview::MvCreateViewer(title, nullptr)) {
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

 private:
  HBITMAP bitmap_;
  HGDIOBJ oldBitmap_;

 public:
  const medview::ViewerHandle viewer;

 private:
  HDC previous_ = nullptr;
};

}  // namespace bench
