// Global memory blocks and the data sources that take them: locking, growing, freeing, stale
// handles, and a block handed to a data source coming out of a data object again.
#include "platform/base/global_memory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/shell/clipboard.h"
#include "platform/shell/drag_drop.h"

namespace {

TEST(GlobalMemory, BlocksAreZeroedLockedGrownAndFreedOnce) {
  HGLOBAL h = GlobalAlloc(GHND, 16);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GlobalSize(h), 16u);
  auto* p = static_cast<uint8_t*>(GlobalLock(h));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p[15], 0);
  p[0] = 7;
  // A locked block is neither grown nor freed.
  EXPECT_EQ(GlobalReAlloc(h, 32, GMEM_MOVEABLE), nullptr);
  EXPECT_EQ(GlobalFree(h), h);
  EXPECT_FALSE(GlobalUnlock(h));
  EXPECT_EQ(GlobalReAlloc(h, 32, GMEM_MOVEABLE), h);
  p = static_cast<uint8_t*>(GlobalLock(h));
  EXPECT_EQ(p[0], 7);
  EXPECT_EQ(p[31], 0);
  GlobalUnlock(h);
  EXPECT_EQ(GlobalFree(h), nullptr);
  // The freed handle is recognised, and never handed out again.
  EXPECT_EQ(GlobalLock(h), nullptr);
  EXPECT_EQ(GlobalSize(h), 0u);
  EXPECT_EQ(GlobalFree(h), h);
  HGLOBAL next = GlobalAlloc(GMEM_FIXED, 4);
  EXPECT_NE(next, h);
  GlobalFree(next);
  EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, kMaxGlobalBlock + 1), nullptr);
  EXPECT_EQ(GlobalLock(nullptr), nullptr);
}

TEST(GlobalMemory, DataSourcesTakeBlocksAndDataObjectsHandThemOut) {
  const UINT format = 0xC123;
  const uint8_t info[16] = {42, 0, 0, 0, 1, 2, 3, 4, 7, 0, 0, 0, 5, 0, 0, 0};
  HGLOBAL block = GlobalAlloc(GMEM_DDESHARE | GMEM_MOVEABLE, sizeof info);
  std::memcpy(GlobalLock(block), info, sizeof info);
  GlobalUnlock(block);
  COleDataSource source;
  source.CacheGlobalData(format, block);
  EXPECT_EQ(GlobalSize(block), 0u);  // the source freed it
  source.CacheGlobalData(format + 1, block);  // a stale handle offers nothing
  EXPECT_EQ(source.formats().count(format + 1), 0u);

  COleDataObject data(&source.formats());
  HGLOBAL out = data.GetGlobalData(format);
  ASSERT_NE(out, nullptr);
  ASSERT_EQ(GlobalSize(out), sizeof info);
  EXPECT_EQ(std::memcmp(GlobalLock(out), info, sizeof info), 0);
  GlobalUnlock(out);
  EXPECT_EQ(GlobalFree(out), nullptr);
  EXPECT_EQ(data.GetGlobalData(format + 1), nullptr);
}

TEST(GlobalMemory, BitmapsGivenToADataSourceAreOfferedAsDeviceIndependentBitmaps) {
  // 2 x 1 pixels, red then green, as device-dependent bits (top-down, 32 bits per pixel).
  const uint32_t pixels[2] = {0x00FF0000, 0x0000FF00};
  HBITMAP bitmap = CreateBitmap(2, 1, 1, 32, pixels);
  ASSERT_NE(bitmap, nullptr);
  COleDataSource source;
  STGMEDIUM medium;
  medium.tymed = TYMED_GDI;
  medium.hBitmap = bitmap;
  source.CacheData(CF_BITMAP, &medium);
  EXPECT_EQ(medium.hBitmap, nullptr);
  EXPECT_EQ(GetObjectType(bitmap), 0u);  // the source released it
  ASSERT_EQ(source.formats().count(CF_DIB), 1u);
  const std::vector<uint8_t>& dib = source.formats().at(CF_DIB);
  ASSERT_EQ(dib.size(), 40u + 8u);
  BITMAPINFOHEADER header;
  std::memcpy(&header, dib.data(), sizeof header);
  EXPECT_EQ(header.biWidth, 2);
  EXPECT_EQ(header.biHeight, 1);
  EXPECT_EQ(header.biBitCount, 24);
  // Blue, green, red per pixel.
  EXPECT_EQ(dib[40 + 2], 0xFF);
  EXPECT_EQ(dib[40 + 4], 0xFF);

  // A global block goes the way of CacheGlobalData; other kinds offer nothing.
  HGLOBAL block = GlobalAlloc(GHND, 3);
  STGMEDIUM global;
  global.tymed = TYMED_HGLOBAL;
  global.hGlobal = block;
  source.CacheData(0xC200, &global);
  EXPECT_EQ(source.formats().at(0xC200).size(), 3u);
  EXPECT_EQ(GlobalSize(block), 0u);
  STGMEDIUM empty;
  source.CacheData(0xC201, &empty);
  source.CacheData(0xC202, nullptr);
  EXPECT_EQ(source.formats().count(0xC201), 0u);
}

}  // namespace
