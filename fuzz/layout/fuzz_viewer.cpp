#include "fuzz/layout/fuzz_viewer.h"

#include "engine/medview/viewer_fonts.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/recording_device.h"

namespace layout_fuzz {

FuzzViewer::FuzzViewer(int dpi, int zoom) {
  gdi::RecordingDevice::Options options;
  options.dpi_x = options.dpi_y = dpi;
  // Nothing reads the log: calls are recorded into a log that is thrown away.
  hdc_ = gdi::create_recording_dc(std::make_shared<gdi::RecordingLog>(), options);
  sheet_ = std::make_unique<title::StyleSheet>();
  sheet_->faces = {"Arial", "Courier"};
  for (int points : {10, -14, 8}) {
    title::FontDescriptor d;
    d.font.height = points;
    d.face = uint16_t(points < 0);
    d.raise = int8_t(points == 8 ? -4 : 0);
    sheet_->descriptors.push_back(d);
  }
  // The first face maps letters to capitals for text translation.
  auto map = std::make_shared<fts::CharTable>();
  map->entries.resize(256);
  for (int c = 'a'; c <= 'z'; ++c) map->entries[size_t(c)].extra[1] = uint8_t(c - 'a' + 'A');
  sheet_->charMaps = {map};
  viewer_ = medview::MvCreateViewer(nullptr, nullptr);
  viewer_->zoom = zoom;
  medview::MvSetStyleSheet(viewer_, sheet_.get());
  medview::MvUseCallerDC(viewer_, hdc_);
}

FuzzViewer::~FuzzViewer() {
  medview::MvRestoreCallerDC(viewer_, nullptr);
  medview::MvDestroyViewer(viewer_);
  DeleteDC(hdc_);
}

}  // namespace layout_fuzz
