// Group files written and read back through both readers: sizes, the version 7 to 10 layouts each
// reader takes, range groups, and the headers both refuse.
#include "engine/medview/group_file.h"

#include <gtest/gtest.h>

#include "engine/medview/topic_list.h"
#include "tests/engine_api/group_bytes.h"

namespace medview {
namespace {

using engine::GroupPtr;
using engine_api_test::GroupBytes;
using engine_api_test::GroupHeaderValues;
using engine_api_test::TempFile;

std::vector<int32_t> Items(engine::TopicGroup* group) {
  std::vector<int32_t> items;
  for (int32_t n = 0; n < MvGetGroupCount(group); ++n) items.push_back(MvGetGroupItem(group, n));
  return items;
}

GroupPtr ReadThroughFile(const TempFile& file, uint16_t* code) {
  base::OsFile f;
  if (f.open(file.path, base::OpenMode::Read) != base::OsError::None) return nullptr;
  return MvReadGroupFile(&f, code);
}

GroupPtr ReadThroughBaggage(const TempFile& file, uint16_t* code) {
  return MvReadBaggageGroup(nullptr, file.path.c_str(), code);
}

uint16_t WriteGroup(const TempFile& file, const engine::TopicGroup* group) {
  base::OsFile f;
  if (f.open(file.path, base::OpenMode::Create) != base::OsError::None) return 0xFFFF;
  return MvWriteGroupFile(&f, group);
}

// A group for 100 topics carries a 13-byte vector (53 bytes); an emptied, trimmed group one zero
// byte (41 bytes). Both readers give back the same items.
TEST(GroupFile, WrittenFilesHaveTheirSizesAndReadBackThroughBothReaders) {
  struct Case {
    std::vector<int32_t> items;
    bool trim;
    size_t file_size;
  };
  for (const Case& c : {Case{{3, 50, 99}, false, 53}, Case{{}, true, 41}, Case{{7}, true, 41}}) {
    uint16_t code = 99;
    GroupPtr group = MvCreateGroup(100, &code);
    ASSERT_TRUE(group);
    EXPECT_EQ(code, 0);
    for (int32_t item : c.items) ASSERT_EQ(MvAddGroupItem(group.get(), item), 0);
    if (c.trim) engine::GrpTrim(group.get());
    TempFile file("write");
    ASSERT_EQ(WriteGroup(file, group.get()), 0);
    EXPECT_EQ(file.read().size(), c.file_size);
    for (auto reader : {ReadThroughFile, ReadThroughBaggage}) {
      GroupPtr back = reader(file, &code);
      ASSERT_TRUE(back) << code;
      EXPECT_EQ(code, 0);
      EXPECT_EQ(Items(back.get()), c.items);
      for (int32_t item : c.items) EXPECT_TRUE(MvGroupHasItem(back.get(), item));
      EXPECT_FALSE(MvGroupHasItem(back.get(), 4));
    }
  }
}

// The file reader takes a version 7 to 9 vector right after the 26 record bytes, the baggage reader
// always at offset 40; versions 7 and 8 come back trimmed (bounds from the bits), and only the
// baggage reader recomputes their capacity from the vector size.
TEST(GroupFile, OldVersionsFollowEachReadersLayout) {
  const std::vector<uint8_t> vector = {0x00, 0x22, 0x01};  // items 9, 13, 16
  for (uint16_t version : {7, 8, 9, 10}) {
    SCOPED_TRACE(version);
    GroupHeaderValues h;
    h.version = version;
    h.size = 3;
    h.last = 0;  // wrong on purpose: old files are trimmed on reading
    h.first = 0;
    h.count = 3;
    h.capacity = 500;
    h.form = version < 9 ? 5 : 0;  // old files may carry anything there
    TempFile disk("old"), bag("oldbag");
    ASSERT_TRUE(disk.write(GroupBytes(h, version == 10, vector)));
    ASSERT_TRUE(bag.write(GroupBytes(h, true, vector)));
    uint16_t code = 99;
    GroupPtr from_file = ReadThroughFile(disk, &code);
    ASSERT_TRUE(from_file) << code;
    GroupPtr from_bag = ReadThroughBaggage(bag, &code);
    ASSERT_TRUE(from_bag) << code;
    for (engine::TopicGroup* g : {from_file.get(), from_bag.get()}) {
      EXPECT_EQ(Items(g), (std::vector<int32_t>{9, 13, 16}));
      if (version < 9) {
        EXPECT_EQ(g->first, 9);
        EXPECT_EQ(g->last, 16);
      }
    }
    EXPECT_EQ(from_file->capacity, 500);
    EXPECT_EQ(from_bag->capacity, version < 9 ? 24 : 500);
  }
}

TEST(GroupFile, RangeFormSetsEveryItemWithoutAVector) {
  GroupHeaderValues h;
  h.size = 0;
  h.first = 10;
  h.last = 20;
  h.count = 11;
  h.capacity = 64;
  h.form = 1;
  TempFile file("range");
  ASSERT_TRUE(file.write(GroupBytes(h, false, {})));  // nothing follows the record
  for (auto reader : {ReadThroughFile, ReadThroughBaggage}) {
    uint16_t code = 99;
    GroupPtr group = reader(file, &code);
    ASSERT_TRUE(group) << code;
    EXPECT_EQ(MvGetGroupCount(group.get()), 11);
    EXPECT_EQ(MvGetGroupItem(group.get(), 0), 10);
    EXPECT_EQ(MvGetGroupItem(group.get(), 10), 20);
    EXPECT_EQ(group->state, kGroupFormTrimmed);
  }
}

// Headers that would make either reader read beyond the file, allocate for items past the limit or
// hand out a group whose numbers disagree with its bits.
TEST(GroupFile, BothReadersRefuseBadHeaders) {
  struct Case {
    const char* what;
    GroupHeaderValues header;
    std::vector<uint8_t> vector;
    uint16_t file_code, baggage_code;
  };
  const std::vector<uint8_t> one = {0x01};
  const Case cases[] = {
      {"magic", {0x3334, 10, 1, 0, 0, 1, 8, 0}, one, 1007, 1007},
      {"version 6", {0x3333, 6, 1, 0, 0, 1, 8, 0}, one, 1007, 1007},
      {"version 11", {0x3333, 11, 1, 0, 0, 1, 8, 0}, one, 1007, 1007},
      {"last item past the limit", {0x3333, 10, 1, 524289, 0, 1, 8, 0}, one, 1007, 1007},
      {"range past the limit", {0x3333, 10, 0, 600000, 0, 1, 8, 1}, {}, 1007, 1007},
      {"negative capacity", {0x3333, 10, 1, 0, 0, 1, -5, 0}, one, 1007, 1007},
      {"vector longer than the file", {0x3333, 10, 60000, 0, 0, 1, 8, 0}, one, 2013, 1007},
      {"count mismatch", {0x3333, 10, 1, 0, 0, 2, 8, 0}, one, 2022, 1007},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFile file("bad");
    ASSERT_TRUE(file.write(GroupBytes(c.header, true, c.vector)));
    uint16_t code = 0;
    EXPECT_FALSE(ReadThroughFile(file, &code));
    EXPECT_EQ(code, c.file_code);
    EXPECT_FALSE(ReadThroughBaggage(file, &code));
    EXPECT_EQ(code, c.baggage_code);
  }
  TempFile shorter("short");
  ASSERT_TRUE(shorter.write(std::vector<uint8_t>(20, 0x33)));
  uint16_t code = 0;
  EXPECT_FALSE(ReadThroughFile(shorter, &code));
  EXPECT_EQ(code, 1007);
  EXPECT_FALSE(ReadThroughBaggage(shorter, &code));
  EXPECT_EQ(code, 1007);
  EXPECT_FALSE(MvReadGroupFile(nullptr, &code));
  EXPECT_EQ(code, 1012);
}

// A vector of more than 65,535 bytes cannot be told by a 16-bit size: the writer refuses it and
// writes nothing, instead of a file whose size field is cut.
TEST(GroupFile, WriterRefusesVectorsAGroupFileCannotCarry) {
  GroupPtr large = MvCreateGroup(524288, nullptr);
  ASSERT_TRUE(large);
  ASSERT_EQ(large->size(), 65536);
  ASSERT_EQ(MvAddGroupItem(large.get(), 524287), 0);
  TempFile file("large");
  EXPECT_EQ(WriteGroup(file, large.get()), kGroupTooLarge);
  EXPECT_TRUE(file.read().empty());
  // The largest size that fits still goes through.
  GroupPtr fits = MvCreateGroup(65535 * 8, nullptr);
  ASSERT_EQ(MvAddGroupItem(fits.get(), 65535 * 8 - 1), 0);
  EXPECT_EQ(WriteGroup(file, fits.get()), 0);
  uint16_t code = 0;
  GroupPtr back = ReadThroughFile(file, &code);
  ASSERT_TRUE(back) << code;
  EXPECT_EQ(Items(back.get()), std::vector<int32_t>{65535 * 8 - 1});
  EXPECT_EQ(WriteGroup(file, nullptr), kGroupBadArgument);
  EXPECT_EQ(MvWriteGroupFile(nullptr, fits.get()), kGroupBadArgument);
}

TEST(GroupFile, HeaderCheck) {
  EXPECT_EQ(MvCheckGroupHeader({0x3333, 7}), 0);
  EXPECT_EQ(MvCheckGroupHeader({0x3333, 10}), 0);
  EXPECT_EQ(MvCheckGroupHeader({0x3333, 11}), 1);
  EXPECT_EQ(MvCheckGroupHeader({0x3332, 10}), 1);
}

}  // namespace
}  // namespace medview
