// Hand-made B-tree files, good and damaged: the reader answers with the format's codes, in bounded
// time, and never reads outside a page.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/mvfs/btree.h"
#include "engine/mvfs/fs_authoring.h"
#include "platform/base/byte_io.h"
#include "tests/mvfs/title_fixture.h"

namespace mvfs {
namespace {

using testing::Moniker;
using testing::ScratchFolder;

struct RawTree {
  uint8_t version = 2;
  uint16_t pageSize = 64;
  std::string format = "z4";
  int16_t firstLeaf = 0, lastLeaf = 0, root = 0, freePage = -1, pageCount = 1, levels = 1;
  int32_t entries = 0;
  std::vector<std::vector<uint8_t>> pages;

  std::vector<uint8_t> bytes() const {
    std::vector<uint8_t> out;
    base::ByteWriter w(out);
    w.u16(0x293B);
    w.u8(version);
    w.u8(0);
    w.u16(pageSize);
    char f[16] = {};
    std::memcpy(f, format.data(), std::min<size_t>(16, format.size()));
    w.bytes(f, 16);
    w.i16(firstLeaf);
    w.i16(lastLeaf);
    w.i16(root);
    w.i16(freePage);
    w.i16(pageCount);
    w.i16(levels);
    w.i32(entries);
    for (const auto& page : pages) {
      const size_t start = out.size();
      w.bytes(page);
      w.pad_to(start + pageSize);
    }
    return out;
  }
};

// A leaf page: {free, count, previous, next} and the entry bytes.
std::vector<uint8_t> leaf(int16_t count, int16_t previous, int16_t next, const std::vector<uint8_t>& entries) {
  std::vector<uint8_t> out;
  base::ByteWriter w(out);
  w.i16(0);
  w.i16(count);
  w.i16(previous);
  w.i16(next);
  w.bytes(entries);
  return out;
}

std::vector<uint8_t> entry(const std::string& key, int32_t record) {
  std::vector<uint8_t> out(key.begin(), key.end());
  out.push_back(0);
  base::ByteWriter(out).i32(record);
  return out;
}

std::vector<uint8_t> join(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

class DamagedTree : public ::testing::Test {
 protected:
  void SetUp() override {
    fs_ = FsCreate(Moniker(folder_.file("t.m14")).get(), nullptr);
    ASSERT_TRUE(fs_);
  }
  BtreePtr open(const RawTree& raw) {
    const std::vector<uint8_t> bytes = raw.bytes();
    InternalFilePtr file = FsCreateFile(fs_.get(), "|BT", kFsOpenNoWriteBack);
    EXPECT_EQ(FsWriteFile(file.get(), bytes.data(), int64_t(bytes.size())), int64_t(bytes.size()));
    EXPECT_EQ(FsCloseFile(std::move(file)), kFsOk);
    return BtOpen("|BT", fs_.get(), kFsOpenReadOnly, nullptr);
  }
  ScratchFolder folder_;
  TitleFileSystemPtr fs_;
};

TEST_F(DamagedTree, HandMadeLeafWithSixteenCharacterFormat) {
  RawTree raw;
  raw.format = "z4xxxxxxxxxxxxxx";  // 16 characters: byte 15 ends it
  raw.entries = 2;
  raw.pages = {leaf(2, -1, -1, join({entry("b", 1), entry("d", 2)}))};
  BtreePtr tree = open(raw);
  ASSERT_TRUE(tree) << FsGetLastError();
  std::string format;
  BtGetInfo(tree.get(), &format, nullptr, nullptr);
  EXPECT_EQ(format, "z4xxxxxxxxxxxxx");
  BtPosition position;
  std::vector<uint8_t> record;
  EXPECT_EQ(BtLookup(tree.get(), "c", &position, nullptr, false), kFsNotFound);
  EXPECT_EQ(position, (BtPosition{0, 1, 10}));
  EXPECT_EQ(BtLookup(tree.get(), "d", &position, &record, false), kFsOk);
  EXPECT_EQ(record, (std::vector<uint8_t>{2, 0, 0, 0}));
}

TEST_F(DamagedTree, HeadersThatDoNotFitTheFile) {
  struct Case {
    const char* what;
    void (*change)(RawTree&);
    FsErrorCode expected;
  };
  const Case cases[] = {
      {"version", [](RawTree& t) { t.version = 3; }, kFsBadVersion},
      {"key type", [](RawTree& t) { t.format = "Q4"; }, kFsBadFormat},
      {"negative page count", [](RawTree& t) { t.pageCount = -3; }, kFsBadFormat},
      {"pages past the file", [](RawTree& t) { t.pageCount = 500; }, kFsBadFormat},
      {"levels past the pages", [](RawTree& t) { t.levels = 2; }, kFsBadFormat},
      {"huge level count", [](RawTree& t) { t.levels = 30000; }, kFsBadFormat},
      {"negative levels", [](RawTree& t) { t.levels = -1; }, kFsBadFormat},
      {"root out of range", [](RawTree& t) { t.root = 7; }, kFsBadFormat},
      {"tiny pages", [](RawTree& t) { t.pageSize = 4; }, kFsBadFormat},
  };
  for (const Case& c : cases) {
    RawTree raw;
    raw.pages = {leaf(0, -1, -1, {})};
    c.change(raw);
    EXPECT_FALSE(open(raw)) << c.what;
    EXPECT_EQ(FsGetLastError(), c.expected) << c.what;
  }
}

TEST_F(DamagedTree, KeyWithoutTerminatorInsideItsPage) {
  RawTree raw;
  raw.entries = 1;
  raw.pages = {leaf(1, -1, -1, std::vector<uint8_t>(56, 'k'))};
  BtreePtr tree = open(raw);
  ASSERT_TRUE(tree);
  std::vector<uint8_t> key;
  EXPECT_EQ(BtLookup(tree.get(), "k", nullptr, nullptr, false), kFsNotFound);
  EXPECT_EQ(FsGetLastError(), kFsBadFormat);
  EXPECT_EQ(BtFirst(tree.get(), &key, nullptr, nullptr), kFsBadFormat);
  EXPECT_EQ(BtGetAt(tree.get(), BtPosition{0, 0, 4}, &key, nullptr), kFsNoPosition);
}

TEST_F(DamagedTree, EntryCountsOutOfRange) {
  for (int16_t count : {int16_t(-1), int16_t(5000), int16_t(20)}) {
    RawTree raw;
    raw.pages = {leaf(count, -1, -1, join({entry("a", 1), entry("b", 2)}))};
    BtreePtr tree = open(raw);
    ASSERT_TRUE(tree);
    EXPECT_EQ(BtLast(tree.get(), nullptr, nullptr, nullptr), kFsBadFormat) << count;
    EXPECT_EQ(BtLookup(tree.get(), "zz", nullptr, nullptr, false), kFsNotFound);
  }
}

TEST_F(DamagedTree, ChildPageOutOfRange) {
  RawTree raw;
  raw.levels = 2;
  raw.pageCount = 2;
  raw.root = 1;
  std::vector<uint8_t> internal;
  base::ByteWriter w(internal);
  w.i16(0);
  w.i16(1);
  w.i16(0);  // first child: the leaf
  w.cstring("m");
  w.i16(40);  // a child page that does not exist
  raw.pages = {leaf(1, -1, -1, entry("a", 1)), internal};
  BtreePtr tree = open(raw);
  ASSERT_TRUE(tree);
  EXPECT_EQ(BtLookup(tree.get(), "a", nullptr, nullptr, false), kFsOk);
  EXPECT_EQ(BtLookup(tree.get(), "x", nullptr, nullptr, false), kFsNotFound);
  EXPECT_EQ(FsGetLastError(), kFsNoPosition);
}

// Leaf chains that loop end in a format error instead of a hang.
TEST_F(DamagedTree, CyclicLeafChains) {
  RawTree raw;
  raw.pageCount = 3;
  raw.lastLeaf = 2;
  raw.pages = {leaf(1, 1, 1, entry("a", 1)), leaf(0, 0, 0, {}), leaf(0, 2, 2, {})};
  BtreePtr tree = open(raw);
  ASSERT_TRUE(tree);
  BtPosition position;
  ASSERT_EQ(BtFirst(tree.get(), nullptr, nullptr, &position), kFsOk);
  int32_t moved = 0;
  EXPECT_EQ(BtMovePosition(tree.get(), position, 5, &moved, &position), kFsBadFormat);
  EXPECT_EQ(BtMovePosition(tree.get(), position, -5, &moved, &position), kFsBadFormat);
  EXPECT_EQ(BtLast(tree.get(), nullptr, nullptr, nullptr), kFsBadFormat);
  EXPECT_EQ(BtLookup(tree.get(), "b", &position, nullptr, false), kFsNotFound);
}

TEST_F(DamagedTree, PositionsFromCallersAreChecked) {
  RawTree raw;
  raw.pages = {leaf(1, -1, -1, entry("a", 1))};
  BtreePtr tree = open(raw);
  ASSERT_TRUE(tree);
  std::vector<uint8_t> key;
  for (BtPosition p : {BtPosition{0, 1, 4}, BtPosition{0, 0, 60}, BtPosition{0, 0, -100}, BtPosition{3, 0, 4},
                       BtPosition{0, -1, 4}}) {
    EXPECT_NE(BtGetAt(tree.get(), p, &key, nullptr), kFsOk);
    EXPECT_NE(BtMovePosition(tree.get(), p, 1, nullptr, nullptr), kFsOk);
  }
}

}  // namespace
}  // namespace mvfs
