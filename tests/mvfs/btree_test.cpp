// B-trees written through the authoring calls and read back: every openable key type with several
// levels, positions, moves, deletions, updates, ordinal maps and images.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "engine/mvfs/btree_authoring.h"
#include "engine/mvfs/handles.h"
#include "platform/base/byte_io.h"
#include "tests/mvfs/title_fixture.h"

namespace mvfs {
namespace {

using testing::LongKey;
using testing::Moniker;
using testing::ScratchFolder;

std::vector<uint8_t> record4(int32_t v) {
  std::vector<uint8_t> r(4);
  base::store_le32(r.data(), uint32_t(v));
  return r;
}

std::string text(const std::vector<uint8_t>& storedKey) { return reinterpret_cast<const char*>(storedKey.data()); }

// Case-folding maps for 'P' and 'i' trees.
BtCharMaps foldingMaps() {
  BtCharMaps maps(1);
  for (int c = 0; c < 256; ++c) maps[0].weights[size_t(c)] = uint16_t(c >= 'a' && c <= 'z' ? c - 32 : c);
  return maps;
}

// A key of any openable type made from a number, so that numeric order is key order in every collation.
struct TypedKey {
  char type;
  std::string s;
  LongKey l{0};
  TypedKey(char t, int32_t n) : type(t), l(n) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "k%06d", n);
    s = buffer;
  }
  const void* ptr() const { return type == 'L' ? static_cast<const void*>(l.bytes) : s.c_str(); }
  std::vector<uint8_t> stored() const {
    if (type == 'L') return {l.bytes, l.bytes + 4};
    std::vector<uint8_t> v(s.begin(), s.end());
    v.push_back(0);
    return v;
  }
};

class BtreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs_ = FsCreate(Moniker(folder_.file("t.m14")).get(), nullptr);
    ASSERT_TRUE(fs_);
  }
  BtreePtr create(const std::string& format, uint16_t pageSize, const BtCharMaps* maps = nullptr) {
    BtCreateParams params;
    params.fs = fs_.get();
    params.pageSize = pageSize;
    params.format = format;
    params.charMaps = maps;
    return BtCreate("|TREE", params);
  }
  // Closes the tree and opens it again as the reader does.
  BtreePtr reopen(BtreePtr tree, const BtCharMaps* maps = nullptr) {
    EXPECT_EQ(BtClose(std::move(tree)), kFsOk);
    return BtOpen("|TREE", fs_.get(), kFsOpenReadOnly, maps);
  }
  ScratchFolder folder_;
  TitleFileSystemPtr fs_;
};

TEST_F(BtreeTest, RoundTripOfEveryKeyTypeOverSeveralLevels) {
  const BtCharMaps maps = foldingMaps();
  for (char type : {'z', 'i', 'S', 'P', 'L'}) {
    SCOPED_TRACE(type);
    BtreePtr tree = create(std::string(1, type) + "4", 128, &maps);
    ASSERT_TRUE(tree);
    std::vector<int32_t> numbers(600);
    for (size_t i = 0; i < numbers.size(); ++i) numbers[i] = int32_t(i * 3) - (type == 'L' ? 900 : 0);
    std::vector<int32_t> order = numbers;
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    for (int32_t n : order) ASSERT_EQ(BtInsert(tree.get(), TypedKey(type, n).ptr(), record4(n)), kFsOk) << n;
    tree = reopen(std::move(tree), &maps);
    ASSERT_TRUE(tree) << FsGetLastError();
    EXPECT_GE(tree->header.levels, 3);
    int32_t count = 0;
    BtGetInfo(tree.get(), nullptr, &count, nullptr);
    EXPECT_EQ(count, 600);

    std::vector<uint8_t> key, record;
    for (int32_t n : numbers) {
      ASSERT_EQ(BtLookup(tree.get(), TypedKey(type, n).ptr(), nullptr, &record, false), kFsOk) << n;
      EXPECT_EQ(record, record4(n));
      EXPECT_EQ(BtLookup(tree.get(), TypedKey(type, n + 1).ptr(), nullptr, nullptr, false), kFsNotFound);
    }
    // A walk by single moves visits every key in order.
    BtPosition position;
    ASSERT_EQ(BtFirst(tree.get(), &key, &record, &position), kFsOk);
    for (size_t i = 0; i < numbers.size(); ++i) {
      ASSERT_EQ(BtGetAt(tree.get(), position, &key, &record), kFsOk);
      EXPECT_EQ(key, TypedKey(type, numbers[i]).stored());
      int32_t moved = 0;
      const FsErrorCode code = BtMovePosition(tree.get(), position, 1, &moved, &position);
      EXPECT_EQ(code, i + 1 == numbers.size() ? kFsNotFound : kFsOk);
      EXPECT_EQ(moved, i + 1 == numbers.size() ? 0 : 1);
    }
    ASSERT_EQ(BtLast(tree.get(), &key, &record, &position), kFsOk);
    EXPECT_EQ(key, TypedKey(type, numbers.back()).stored());
    // A long move backwards from the last entry reaches the first.
    int32_t moved = 0;
    EXPECT_EQ(BtMovePosition(tree.get(), position, -599, &moved, &position), kFsOk);
    EXPECT_EQ(moved, -599);
    ASSERT_EQ(BtGetAt(tree.get(), position, &key, nullptr), kFsOk);
    EXPECT_EQ(key, TypedKey(type, numbers.front()).stored());
    ASSERT_EQ(BtClose(std::move(tree)), kFsOk);
    ASSERT_EQ(BtDestroy("|TREE", fs_.get()), kFsOk);
  }
}

// A key that is not in the tree gives the insertion point; past the end of its leaf that is the first
// entry of the next leaf, or no position after the last leaf.
TEST_F(BtreeTest, LookupPositionsOfMissingKeys) {
  BtreePtr tree = create("z4", 64);
  for (int32_t n = 0; n < 200; n += 2) ASSERT_EQ(BtInsert(tree.get(), TypedKey('z', n).ptr(), record4(n)), kFsOk);
  tree = reopen(std::move(tree));
  BtPosition position;
  std::vector<uint8_t> key;
  ASSERT_EQ(BtLookup(tree.get(), "a", &position, nullptr, false), kFsNotFound);
  EXPECT_EQ(position.index, 0);
  EXPECT_EQ(position.offset, 4);
  for (int32_t n = 0; n < 198; n += 2) {
    const std::string between = TypedKey('z', n).s + "~";
    ASSERT_EQ(BtLookup(tree.get(), between.c_str(), &position, nullptr, false), kFsNotFound);
    ASSERT_EQ(BtGetAt(tree.get(), position, &key, nullptr), kFsOk) << n;
    EXPECT_EQ(text(key), TypedKey('z', n + 2).s);
  }
  ASSERT_EQ(BtLookup(tree.get(), "z", &position, nullptr, false), kFsNotFound);
  EXPECT_EQ(position.page, -1);
  EXPECT_EQ(BtGetAt(tree.get(), position, &key, nullptr), kFsNoPosition);
  // In insert mode the position stays at the end of the leaf.
  ASSERT_EQ(BtLookup(tree.get(), "z", &position, nullptr, true), kFsNotFound);
  EXPECT_EQ(position.page, tree->header.lastLeaf);
}

TEST_F(BtreeTest, OneLeafLookupsAndMoves) {
  BtreePtr tree = create("z4", 0);
  ASSERT_EQ(BtInsert(tree.get(), "b", record4(1)), kFsOk);
  ASSERT_EQ(BtInsert(tree.get(), "d", record4(2)), kFsOk);
  ASSERT_EQ(BtInsert(tree.get(), "c", record4(3)), kFsOk);
  BtPosition position;
  EXPECT_EQ(BtLookup(tree.get(), "a", &position, nullptr, false), kFsNotFound);
  EXPECT_EQ(position.index, 0);
  EXPECT_EQ(BtLookup(tree.get(), "bb", &position, nullptr, false), kFsNotFound);
  EXPECT_EQ(position.index, 1);
  EXPECT_EQ(position.offset, 4 + 6);
  EXPECT_EQ(BtLookup(tree.get(), "e", &position, nullptr, false), kFsNotFound);
  EXPECT_EQ(position.page, -1);

  ASSERT_EQ(BtLookup(tree.get(), "d", &position, nullptr, false), kFsOk);
  EXPECT_EQ(position.index, 2);
  int32_t moved = 0;
  BtPosition movedTo;
  EXPECT_EQ(BtMovePosition(tree.get(), position, -5, &moved, &movedTo), kFsNotFound);
  EXPECT_EQ(moved, -2);
  EXPECT_EQ(movedTo.index, 0);
  EXPECT_EQ(BtMovePosition(tree.get(), movedTo, 7, &moved, &movedTo), kFsNotFound);
  EXPECT_EQ(moved, 2);
  EXPECT_EQ(movedTo.index, 2);
  EXPECT_EQ(BtMovePosition(tree.get(), BtPosition{}, 1, &moved, &movedTo), kFsNoPosition);
}

TEST_F(BtreeTest, EmptyTree) {
  BtreePtr tree = create("", 0);
  std::string format;
  BtGetInfo(tree.get(), &format, nullptr, nullptr);
  EXPECT_EQ(format, "z4");
  std::vector<uint8_t> key{9};
  BtPosition position{5, 5, 5};
  EXPECT_EQ(BtFirst(tree.get(), &key, nullptr, &position), kFsNotFound);
  EXPECT_EQ(key, std::vector<uint8_t>{9});
  EXPECT_EQ(position.page, 5);
  EXPECT_EQ(BtLast(tree.get(), &key, nullptr, &position), kFsNotFound);
  EXPECT_EQ(BtLookup(tree.get(), "x", nullptr, nullptr, false), kFsNotFound);
  EXPECT_EQ(BtDelete(tree.get(), "x"), kFsNotFound);
}

TEST_F(BtreeTest, InsertRefusals) {
  BtreePtr tree = create("zz", 1024);
  const std::string big(595, 'r');
  std::vector<uint8_t> bigRecord(big.begin(), big.end());
  bigRecord.push_back(0);
  EXPECT_EQ(BtInsert(tree.get(), "key", bigRecord), kFsFailure);  // 600 bytes in a 1024-byte page
  const std::vector<uint8_t> small{'v', 0};
  ASSERT_EQ(BtInsert(tree.get(), "key", small), kFsOk);
  const std::vector<uint8_t> other{'w', 0};
  EXPECT_EQ(BtInsert(tree.get(), "key", other), kFsKeyExists);
  const std::vector<uint8_t> unterminated{'w'};
  EXPECT_EQ(BtInsert(tree.get(), "k2", unterminated), kFsFailure);
  std::vector<uint8_t> record;
  ASSERT_EQ(BtLookup(tree.get(), "key", nullptr, &record, false), kFsOk);
  EXPECT_EQ(record, small);
  BtCreateParams params;
  params.fs = fs_.get();
  params.format = "I4";
  EXPECT_FALSE(BtCreate("|X", params));
  EXPECT_EQ(FsGetLastError(), kFsBadArgument);
}

TEST_F(BtreeTest, Updates) {
  BtreePtr tree = create("zz", 64);
  auto rec = [](const std::string& s) {
    std::vector<uint8_t> r(s.begin(), s.end());
    r.push_back(0);
    return r;
  };
  for (int32_t n = 0; n < 60; ++n) ASSERT_EQ(BtInsert(tree.get(), TypedKey('z', n).ptr(), rec("ab")), kFsOk);
  const int16_t pagesBefore = tree->header.pageCount;
  ASSERT_EQ(BtUpdate(tree.get(), TypedKey('z', 5).ptr(), rec("cd")), kFsOk);
  EXPECT_EQ(tree->header.pageCount, pagesBefore);
  for (int32_t n = 0; n < 60; n += 3)
    ASSERT_EQ(BtUpdate(tree.get(), TypedKey('z', n).ptr(), rec(std::string(size_t(n % 7 + 1), 'x'))), kFsOk);
  EXPECT_EQ(BtUpdate(tree.get(), "missing", rec("q")), kFsNotFound);
  // A record that can never fit leaves the old entry in place.
  EXPECT_EQ(BtUpdate(tree.get(), TypedKey('z', 1).ptr(), rec(std::string(40, 'y'))), kFsFailure);
  tree = reopen(std::move(tree));
  std::vector<uint8_t> record;
  for (int32_t n = 0; n < 60; ++n) {
    ASSERT_EQ(BtLookup(tree.get(), TypedKey('z', n).ptr(), nullptr, &record, false), kFsOk) << n;
    const std::string expected = n % 3 == 0 ? std::string(size_t(n % 7 + 1), 'x') : n == 5 ? "cd" : "ab";
    EXPECT_EQ(record, rec(expected)) << n;
  }
}

// Deletions leave empty leaves in the chain; first, last, lookups and moves step over them.
TEST_F(BtreeTest, EmptyLeavesAfterDeletions) {
  BtreePtr tree = create("L4", 64);
  for (int32_t n = 0; n < 300; ++n) ASSERT_EQ(BtInsert(tree.get(), LongKey(n).bytes, record4(n)), kFsOk);
  // Keep only 100..109 and 250.
  for (int32_t n = 0; n < 300; ++n) {
    if (!(n >= 100 && n < 110) && n != 250) {
      ASSERT_EQ(BtDelete(tree.get(), LongKey(n).bytes), kFsOk) << n;
    }
  }
  tree = reopen(std::move(tree));
  std::vector<uint8_t> key, record;
  BtPosition position;
  ASSERT_EQ(BtFirst(tree.get(), &key, &record, &position), kFsOk);
  EXPECT_EQ(record, record4(100));
  ASSERT_EQ(BtLast(tree.get(), &key, &record, &position), kFsOk);
  EXPECT_EQ(record, record4(250));
  int32_t moved = 0;
  ASSERT_EQ(BtMovePosition(tree.get(), position, -3, &moved, &position), kFsOk);
  ASSERT_EQ(BtGetAt(tree.get(), position, nullptr, &record), kFsOk);
  EXPECT_EQ(record, record4(107));
  EXPECT_EQ(BtMovePosition(tree.get(), position, 10, &moved, &position), kFsNotFound);
  EXPECT_EQ(moved, 3);
  ASSERT_EQ(BtLookup(tree.get(), LongKey(200).bytes, &position, nullptr, false), kFsNotFound);
  ASSERT_EQ(BtGetAt(tree.get(), position, nullptr, &record), kFsOk);
  EXPECT_EQ(record, record4(250));
  ASSERT_EQ(BtLookup(tree.get(), LongKey(20).bytes, &position, nullptr, false), kFsNotFound);
  ASSERT_EQ(BtGetAt(tree.get(), position, nullptr, &record), kFsOk);
  EXPECT_EQ(record, record4(100));
  ASSERT_EQ(BtClose(std::move(tree)), kFsOk);

  BtreePtr writable = BtOpen("|TREE", fs_.get(), 0, nullptr);
  ASSERT_TRUE(writable);
  for (int32_t n = 100; n < 110; ++n) ASSERT_EQ(BtDelete(writable.get(), LongKey(n).bytes), kFsOk);
  ASSERT_EQ(BtDelete(writable.get(), LongKey(250).bytes), kFsOk);
  EXPECT_EQ(BtFirst(writable.get(), &key, &record, &position), kFsNotFound);
  EXPECT_EQ(BtLast(writable.get(), &key, &record, &position), kFsNotFound);
  // The emptied tree takes new entries again.
  ASSERT_EQ(BtInsert(writable.get(), LongKey(5).bytes, record4(5)), kFsOk);
  ASSERT_EQ(BtFirst(writable.get(), &key, &record, &position), kFsOk);
  EXPECT_EQ(record, record4(5));
}

// Page numbers are 16-bit: a tree that has used them all refuses the insert instead of wrapping.
TEST_F(BtreeTest, PageNumbersDoNotWrap) {
  BtreePtr tree = create("L4", 32);
  int32_t n = 0;
  FsErrorCode code = kFsOk;
  for (; n < 200000 && code == kFsOk; ++n) code = BtInsert(tree.get(), LongKey(n).bytes, record4(n));
  EXPECT_EQ(code, kFsFailure);
  EXPECT_LE(tree->header.pageCount, 32767);
  EXPECT_GT(tree->header.pageCount, 32000);
  const int32_t inserted = n - 1;
  tree = reopen(std::move(tree));
  std::vector<uint8_t> record;
  for (int32_t k = 0; k < inserted; k += 97) {
    ASSERT_EQ(BtLookup(tree.get(), LongKey(k).bytes, nullptr, &record, false), kFsOk) << k;
    EXPECT_EQ(record, record4(k));
  }
  EXPECT_EQ(BtLookup(tree.get(), LongKey(inserted).bytes, nullptr, nullptr, false), kFsNotFound);
  int32_t count = 0;
  BtGetInfo(tree.get(), nullptr, &count, nullptr);
  EXPECT_EQ(count, inserted);
}

TEST_F(BtreeTest, OrdinalMaps) {
  BtreePtr tree = create("z4", 64);
  for (int32_t n = 0; n < 150; ++n) ASSERT_EQ(BtInsert(tree.get(), TypedKey('z', n).ptr(), record4(n)), kFsOk);
  tree = reopen(std::move(tree));
  // The map: the first ordinal of each leaf in chain order.
  std::vector<uint8_t> map(2);
  base::ByteWriter w(map);
  uint16_t entries = 0;
  BtPosition position;
  ASSERT_EQ(BtFirst(tree.get(), nullptr, nullptr, &position), kFsOk);
  for (int32_t ordinal = 0; ordinal < 150; ++ordinal) {
    if (position.index == 0) {
      w.i32(ordinal);
      w.u16(uint16_t(position.page));
      ++entries;
    }
    BtMovePosition(tree.get(), position, 1, nullptr, &position);
  }
  w.patch_u16(0, entries);
  InternalFilePtr file = FsCreateFile(fs_.get(), "|MAP", 0);
  ASSERT_EQ(FsWriteFile(file.get(), map.data(), int64_t(map.size())), int64_t(map.size()));
  ASSERT_EQ(FsCloseFile(std::move(file)), kFsOk);

  BtMapPtr opened = BtMapOpen(fs_.get(), "|MAP");
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->entries.size(), entries);
  std::vector<uint8_t> key;
  for (int32_t ordinal = 0; ordinal < 150; ++ordinal) {
    ASSERT_EQ(BtMapOrdinalToKey(tree.get(), opened.get(), &key, ordinal), kFsOk) << ordinal;
    EXPECT_EQ(text(key), TypedKey('z', ordinal).s);
    int32_t back = -1;
    ASSERT_EQ(BtMapPositionToOrdinal(tree.get(), opened.get(), &back, TypedKey('z', ordinal).ptr()), kFsOk);
    EXPECT_EQ(back, ordinal);
  }
  EXPECT_EQ(BtMapOrdinalToKey(tree.get(), opened.get(), &key, 150), kFsNotFound);
  EXPECT_EQ(BtMapOrdinalToKey(tree.get(), nullptr, &key, 1), kFsNoMapHandle);
  BtMap empty;
  EXPECT_EQ(BtMapOrdinalToKey(tree.get(), &empty, &key, 0), kFsFailure);
  int32_t ordinal = 0;
  EXPECT_EQ(BtMapPositionToOrdinal(tree.get(), &empty, &ordinal, "k"), kFsFailure);
}

TEST_F(BtreeTest, Images) {
  BtreePtr tree = create("z4", 256);
  for (int32_t n = 0; n < 40; ++n) ASSERT_EQ(BtInsert(tree.get(), TypedKey('z', n).ptr(), record4(n)), kFsOk);
  tree = reopen(std::move(tree));
  const FileMonikerPtr path = Moniker(folder_.file("tree.img"));
  ASSERT_EQ(BtSaveImage(tree.get(), path.get()), kFsOk);
  BtImagePtr image = BtLoadImage(path.get());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->bytes.size(), size_t(38 + tree->header.pageCount * 256));
  EXPECT_EQ(base::load_le16(image->bytes.data()), 0x293B);
  EXPECT_EQ(image->bytes[3], 0);
  EXPECT_FALSE(BtLoadImage(Moniker(folder_.file("absent")).get()));
  EXPECT_EQ(FsGetLastError(), kFsNotFound);

  BtreePtr large = create("z4", 4096);
  ASSERT_TRUE(large);
  for (int32_t n = 0; n < 3000; ++n) ASSERT_EQ(BtInsert(large.get(), TypedKey('z', n).ptr(), record4(n)), kFsOk);
  EXPECT_EQ(BtSaveImage(large.get(), path.get()), kFsFailure);
}

TEST_F(BtreeTest, FaceKeysPreferTheCaseInsensitiveMatch) {
  const BtCharMaps maps = foldingMaps();
  BtreePtr tree = create("P4", 0, &maps);
  ASSERT_EQ(BtInsert(tree.get(), "ABB", record4(1)), kFsOk);
  ASSERT_EQ(BtInsert(tree.get(), "ABC", record4(2)), kFsOk);
  EXPECT_EQ(BtInsert(tree.get(), "abc", record4(3)), kFsKeyExists);
  std::vector<uint8_t> record;
  BtPosition position;
  ASSERT_EQ(BtLookup(tree.get(), "abc", &position, &record, false), kFsOk);
  EXPECT_EQ(record, record4(2));
  EXPECT_EQ(position.index, 1);
}

TEST_F(BtreeTest, ReadOnlyTreesRefuseChanges) {
  BtreePtr tree = create("z4", 0);
  ASSERT_EQ(BtInsert(tree.get(), "a", record4(1)), kFsOk);
  tree = reopen(std::move(tree));
  EXPECT_EQ(BtInsert(tree.get(), "b", record4(2)), kFsReadOnly);
  EXPECT_EQ(BtDelete(tree.get(), "a"), kFsReadOnly);
  EXPECT_EQ(BtUpdate(tree.get(), "a", record4(2)), kFsReadOnly);
}

TEST_F(BtreeTest, AbandonedTreeLeavesNoFile) {
  BtreePtr tree = create("z4", 0);
  ASSERT_EQ(BtInsert(tree.get(), "a", record4(1)), kFsOk);
  EXPECT_EQ(BtAbandon(std::move(tree)), kFsOk);
  EXPECT_FALSE(FsFileExists(fs_.get(), "|TREE"));
}

}  // namespace
}  // namespace mvfs
