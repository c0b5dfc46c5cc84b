// Scoped helpers of the viewer entry points: the viewer's own context held for a call, a clone
// freed however the call ends, and whether a layout exists.
#pragma once

#include <memory>

#include "engine/medview/viewer.h"

namespace medview {

// Holds the viewer's context (acquired from its window) while selection, hotspot highlights or marks
// are drawn or the band is laid out further.
class HeldDC {
 public:
  explicit HeldDC(Viewer& viewer) : viewer_(viewer), held_(MvAcquireDC(&viewer) == 0) {}
  ~HeldDC() {
    if (held_) MvReleaseDC(&viewer_);
  }
  HeldDC(const HeldDC&) = delete;
  HeldDC& operator=(const HeldDC&) = delete;
  bool held() const { return held_; }

 private:
  Viewer& viewer_;
  bool held_;
};

struct CloneDeleter {
  void operator()(Viewer* viewer) const { MvDestroyViewer(viewer); }
};
using ClonePtr = std::unique_ptr<Viewer, CloneDeleter>;

inline bool MvLaidOut(const Viewer& viewer) { return (viewer.layoutState & kLayoutExists) && !viewer.frames.empty(); }

}  // namespace medview
