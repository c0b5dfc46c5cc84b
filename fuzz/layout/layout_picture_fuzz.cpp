// The picture path on arbitrary bytes: the variant directory, expansion of every variant, loading
// an in-place picture with its hotspot table, scaling the hotspots and drawing; and the run-length
// decoders with small output bounds.
#include <cstdint>
#include <vector>

#include "engine/bitmap/picture.h"
#include "fuzz/layout/fuzz_viewer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> input(data, size);
  for (const bitmap::VariantSpan& v : bitmap::BmReadDirectory(input)) {
    int status = 0;
    bitmap::ExpandedPicturePtr picture = bitmap::ExpLoadBitmapRecord(input.subspan(v.offset, v.size), &status);
    if (picture) {
      (void)picture->bits();
      (void)picture->hotspot_data();
    }
  }
  bitmap::BmChooseVariant(input, {300, 300, 1, 24});
  layout_fuzz::FuzzViewer fuzz(96, 100);
  medview::Viewer& viewer = fuzz.viewer();
  std::vector<uint8_t> reference = {1, 0};
  reference.insert(reference.end(), data, data + size);
  bitmap::PictureInfoPtr info = bitmap::BmLoadPicture(viewer, reference);
  bitmap::BmScaleHotspots(*info);
  bitmap::BmDrawPicture(*info, viewer, 0, 0, size & 1);
  std::vector<uint8_t> out(512);
  bitmap::ExpRleDecode(data, out.data(), size, out.size());
  bitmap::ExpRleDecodeBackward(data, out.data(), size, out.size());
  return 0;
}
