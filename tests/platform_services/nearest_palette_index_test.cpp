// Nearest palette entries: exact matches, nearest by distance, ties and palettes that are not.
#include "platform/gdi/core/nearest_palette_index.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/core/object_api.h"

namespace {

HPALETTE make_palette(const std::vector<PALETTEENTRY>& entries) {
  std::vector<uint8_t> bytes(sizeof(LOGPALETTE) + entries.size() * sizeof(PALETTEENTRY));
  auto* log = reinterpret_cast<LOGPALETTE*>(bytes.data());
  log->palVersion = 0x300;
  log->palNumEntries = WORD(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) log->palPalEntry[i] = entries[i];
  return CreatePalette(log);
}

TEST(NearestPaletteIndex, ChoosesTheClosestEntry) {
  HPALETTE palette = make_palette({{0, 0, 0, 0}, {255, 255, 255, 0}, {200, 0, 0, 0}, {0, 0, 200, 0},
                                   {128, 128, 128, 0}, {128, 128, 128, 0}});
  ASSERT_NE(palette, nullptr);
  struct Case {
    COLORREF colour;
    UINT index;
  };
  for (const Case& c : {Case{RGB(0, 0, 0), 0}, Case{RGB(255, 255, 255), 1}, Case{RGB(250, 10, 10), 2},
                        Case{RGB(20, 20, 160), 3}, Case{RGB(140, 120, 130), 4}, Case{RGB(230, 230, 240), 1}}) {
    EXPECT_EQ(GetNearestPaletteIndex(palette, c.colour), c.index) << std::hex << c.colour;
  }
  DeleteObject(palette);
  EXPECT_EQ(GetNearestPaletteIndex(palette, RGB(0, 0, 0)), CLR_INVALID);
  EXPECT_EQ(GetNearestPaletteIndex(nullptr, RGB(0, 0, 0)), CLR_INVALID);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(GetNearestPaletteIndex(reinterpret_cast<HPALETTE>(brush), RGB(1, 2, 3)), CLR_INVALID);
  DeleteObject(brush);
}

}  // namespace
