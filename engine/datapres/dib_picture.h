// A device-independent bitmap that an embedded window hands over for copying, recorded as a metafile
// for the RTF stream: anisotropic mapping, the window extent 15 times the bitmap's pixel size (twips
// at 96 pixels per inch) and the bitmap stretched over it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace datapres {

struct DibMetafile {
  int32_t width = 0;   // the bitmap's size in pixels
  int32_t height = 0;
  std::vector<uint8_t> metafile;
};

// The block is a packed bitmap: a BITMAPINFOHEADER (its own size first), the colour table, the rows.
// `palette`, when not empty, is the palette handed over with it as a logical palette (version and
// entry count, 16 bits each, then four bytes per entry): the metafile realizes it before the
// bitmap. A palette that does not fit its block is left out. False when the header, the colour
// table or the rows do not fit the block, or the bitmap is empty or too large to be measured in
// twips.
bool DpDibToMetafile(std::span<const uint8_t> dib, DibMetafile& out, std::span<const uint8_t> palette = {});

}  // namespace datapres
