// A viewer on the recording device with a small style sheet, shared by the layout fuzz targets.
#pragma once

#include <memory>

#include "engine/medview/viewer.h"
#include "engine/title/title_fonts.h"

namespace layout_fuzz {

class FuzzViewer {
 public:
  FuzzViewer(int dpi, int zoom);
  ~FuzzViewer();
  medview::Viewer& viewer() { return *viewer_; }

 private:
  HDC hdc_ = nullptr;
  std::unique_ptr<title::StyleSheet> sheet_;
  medview::Viewer* viewer_ = nullptr;
};

}  // namespace layout_fuzz
