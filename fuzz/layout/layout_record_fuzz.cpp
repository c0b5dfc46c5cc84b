// Lays arbitrary record bytes out with fixed metrics, then checks that every character position
// of the record belongs to exactly one object; draws the frame and translates the record's text.
//
// Input: u16 width, u8 zoom step, u8 options (bit 0 clipboard, bit 1 200 dpi), then the record.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/frame/record_layout.h"
#include "engine/frame/text_output.h"
#include "fuzz/layout/fuzz_viewer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  int32_t width = data[0] | (data[1] << 8);
  int zoom = 20 + data[2] * 480 / 255;
  bool clipboard = data[3] & 1;
  layout_fuzz::FuzzViewer fuzz((data[3] & 2) ? 200 : 96, zoom);
  medview::Viewer& viewer = fuzz.viewer();
  if (clipboard) viewer.flags |= medview::kViewClipboard;
  std::vector<uint8_t> record(data + 4, data + size);
  frame::LayoutFrame frame;
  frame::RecordPlacement at;
  at.width = width;
  frame::RecordExtent extent;
  frame::FrLayoutRecord(viewer, record, {}, at, frame.objects, extent);
  if (extent.chars < 0 || extent.width < 0 || extent.height < 0) std::abort();
  if (!clipboard) {
    // Pictures laid out for copying count their characters without objects, so the check holds
    // for frames made for display.
    std::vector<uint8_t> seen(size_t(extent.chars), 0);
    for (const auto& o : frame.objects) {
      if (!o.carries_chars()) continue;
      if (o.lastChar < o.firstChar || o.lastChar >= extent.chars) std::abort();
      for (int32_t c = o.firstChar; c <= o.lastChar; ++c) {
        if (seen[size_t(c)]++) std::abort();
      }
    }
    for (uint8_t s : seen) {
      if (s != 1) std::abort();
    }
  }
  frame.record = record;
  frame::FrDrawFrame(viewer, frame, 0, 0);
  frame::FrTranslateRecordText(viewer, record);
  return 0;
}
