// Resources found by type and name: bitmaps, toolbar strips as their words, data and sounds by
// type name, and the copies that callers may write into.
#include "platform/res/resource_handles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/base/byte_io.h"
#include "platform/res/resource_store.h"
#include "platform/win/window_api.h"

namespace {

constexpr UINT IDB_TEST = 9401;
constexpr UINT IDR_TEST_STRIP = 9402;
constexpr UINT IDR_TEST_WORK = 256;
constexpr UINT IDR_TEST_SOUND = 9404;

const uint8_t kBitmapBytes[] = {1, 2, 3, 4, 5};
const uint8_t kWorkBytes[] = {'L', 'K', 'L', 0};
const uint8_t kSoundBytes[] = {'R', 'I', 'F', 'F'};
const UINT kStripCommands[] = {57600, 0, 57601};

void register_resources() {
  static bool done = [] {
    res::add_binary({res::BinaryKind::bitmap, IDB_TEST, nullptr, kBitmapBytes});
    res::add_binary({res::BinaryKind::bitmap, 0, "Logo", kBitmapBytes});
    res::add_binary({res::BinaryKind::data, IDR_TEST_WORK, nullptr, kWorkBytes});
    res::add_binary({res::BinaryKind::sound, IDR_TEST_SOUND, nullptr, kSoundBytes});
    res::add_toolbar({IDR_TEST_STRIP, 16, 15, kStripCommands});
    return true;
  }();
  (void)done;
}

std::vector<uint8_t> bytes_of(const char* name, const char* type) {
  HRSRC found = FindResource(nullptr, name, type);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(nullptr, found);
  const auto* p = static_cast<const uint8_t*>(LockResource(loaded));
  return p ? std::vector<uint8_t>(p, p + SizeofResource(nullptr, found)) : std::vector<uint8_t>{};
}

TEST(ResourceHandles, FindsResourcesByTypeAndName) {
  register_resources();
  EXPECT_EQ(bytes_of(MAKEINTRESOURCE(IDB_TEST), RT_BITMAP), std::vector<uint8_t>(kBitmapBytes, kBitmapBytes + 5));
  EXPECT_EQ(bytes_of("LOGO", RT_BITMAP).size(), 5u);
  EXPECT_EQ(bytes_of(MAKEINTRESOURCE(IDR_TEST_WORK), "KALDOC"), std::vector<uint8_t>(kWorkBytes, kWorkBytes + 4));
  EXPECT_EQ(bytes_of(MAKEINTRESOURCE(IDR_TEST_SOUND), "WAVE"), std::vector<uint8_t>(kSoundBytes, kSoundBytes + 4));

  // A toolbar strip: version, image size, count and the ids with the separator.
  std::vector<uint8_t> strip = bytes_of(MAKEINTRESOURCE(IDR_TEST_STRIP), RT_TOOLBAR);
  ASSERT_EQ(strip.size(), 14u);
  base::ByteReader r(strip);
  EXPECT_EQ(r.u16(), 1);
  EXPECT_EQ(r.u16(), 16);
  EXPECT_EQ(r.u16(), 15);
  EXPECT_EQ(r.u16(), 3);
  EXPECT_EQ(r.u16(), 57600);
  EXPECT_EQ(r.u16(), 0);
  EXPECT_EQ(r.u16(), 57601);

  // The same resource gives the same handle.
  EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(IDB_TEST), RT_BITMAP),
            FindResource(nullptr, MAKEINTRESOURCE(IDB_TEST), RT_BITMAP));
}

TEST(ResourceHandles, MissingResourcesAndForeignHandlesGiveNothing) {
  register_resources();
  EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(IDB_TEST), RT_TOOLBAR), nullptr);
  EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(9499), RT_BITMAP), nullptr);
  EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(IDB_TEST), MAKEINTRESOURCE(77)), nullptr);
  EXPECT_EQ(FindResource(nullptr, nullptr, RT_BITMAP), nullptr);
  int local = 0;
  EXPECT_EQ(LoadResource(nullptr, reinterpret_cast<HRSRC>(&local)), nullptr);
  EXPECT_EQ(LockResource(reinterpret_cast<HGLOBAL>(&local)), nullptr);
  EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
}

TEST(ResourceHandles, WritingIntoALockedResourceLeavesTheStoreAlone) {
  register_resources();
  HGLOBAL loaded = LoadResource(nullptr, FindResource(nullptr, MAKEINTRESOURCE(IDB_TEST), RT_BITMAP));
  auto* p = static_cast<uint8_t*>(LockResource(loaded));
  ASSERT_NE(p, nullptr);
  p[0] = 99;
  EXPECT_EQ(res::find_binary(res::BinaryKind::bitmap, IDB_TEST)[0], 1);
  EXPECT_FALSE(FreeResource(loaded));
  EXPECT_EQ(static_cast<uint8_t*>(LockResource(loaded))[0], 99);
}

}  // namespace
