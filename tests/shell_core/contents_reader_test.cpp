// Reading the contents index: records, texts, the walk up to an act, issue or yearbook and act
// descriptions, on the library the compiler makes of the sample acts and on damaged files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/cp1250.h"
#include "platform/base/os_file.h"
#include "shell/core/contents_reader.h"
#include "shell/core/library_files.h"
#include "tests/compiler/library_fixture.h"

namespace {

using shell::ActDescription;
using shell::ContentsIndexReader;
using shell::ContentsRecord;

std::string Utf8(const std::string& cp1250) { return base::cp1250::to_utf8(cp1250); }

class SampleIndex : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto& library = compiler_test::Compile(compiler_test::SourceDir() + "/samples/acts", "shell_core_sample");
    ASSERT_EQ(library.result, 0) << library.error;
    ASSERT_EQ(reader.Open(library.folder + "/Index.idx"), base::OsError::None);
    topics = int32_t(library.report.topics);
  }

  // The first record for which `match` holds, -1 when none.
  template <typename Match>
  int32_t Find(Match match) {
    ContentsRecord r;
    for (int32_t n = 0; reader.ReadRecord(n, r); ++n) {
      if (match(r)) return n;
    }
    return -1;
  }

  ContentsIndexReader reader;
  int32_t topics = 0;
};

TEST_F(SampleIndex, EveryTopicHasARecordAndNothingBeyond) {
  EXPECT_EQ(reader.RecordCount(), topics);
  ContentsRecord r;
  EXPECT_TRUE(reader.ReadRecord(0, r));
  EXPECT_TRUE(reader.ReadRecord(topics - 1, r));
  EXPECT_FALSE(reader.ReadRecord(topics, r));
  EXPECT_FALSE(reader.ReadRecord(-1, r));
  // The title's topic count caps the records further.
  reader.SetTopicCount(3);
  EXPECT_EQ(reader.RecordCount(), 3);
  EXPECT_FALSE(reader.ReadRecord(3, r));
}

TEST_F(SampleIndex, AnActOfLaterYearsShowsItsFullYearAndWidePosition) {
  const int32_t act = Find([](const ContentsRecord& r) { return r.level == 7 && !r.attachment && r.number == 2786; });
  ASSERT_GE(act, 0);
  ActDescription d;
  reader.Describe(act, d);
  EXPECT_EQ(d.FullYear(), 2001);
  EXPECT_EQ(d.position, 2786);
  EXPECT_EQ(d.records[7], act);
  EXPECT_GT(d.records[8], 0);
  EXPECT_GE(d.records[9], 0);
  EXPECT_GT(d.issue_number, 0);
  EXPECT_NE(d.texts[7].find('#'), std::string::npos);
  EXPECT_FALSE(d.texts[9].empty());
  for (int k = 0; k < 7; ++k) EXPECT_EQ(d.records[size_t(k)], -1) << k;
}

TEST_F(SampleIndex, AnAttachmentKeepsItsOwnTextAndTakesItsActsPlace) {
  const int32_t attachment = Find([](const ContentsRecord& r) { return r.attachment; });
  ASSERT_GE(attachment, 0);
  ContentsRecord own;
  ASSERT_TRUE(reader.ReadRecord(attachment, own));
  std::string own_text, act_text;
  ASSERT_TRUE(reader.ReadText(own, own_text));
  ContentsRecord act;
  ASSERT_EQ(reader.FindAncestor(attachment, act, 7), own.parent);
  EXPECT_FALSE(act.attachment);
  ASSERT_TRUE(reader.ReadText(act, act_text));

  ActDescription d;
  reader.Describe(attachment, d);
  EXPECT_TRUE(d.record.attachment);
  EXPECT_EQ(d.records[7], own.parent);
  EXPECT_EQ(d.texts[7], act_text);
  EXPECT_EQ(d.texts[0], own_text);
  EXPECT_EQ(d.position, act.number);
  EXPECT_EQ(d.act_date, act.first_date);
  EXPECT_GE(own.attachment_number, 1);
}

TEST_F(SampleIndex, WalksUpFromAPartAndDescriptionsShareTheirAncestors) {
  const int32_t part = Find([](const ContentsRecord& r) { return r.level >= 1 && r.level <= 6; });
  ASSERT_GE(part, 0);
  ContentsRecord r;
  const int32_t act = reader.FindAncestor(part, r, 7);
  EXPECT_EQ(r.level, 7);
  const int32_t issue = reader.FindAncestor(part, r, 8);
  EXPECT_EQ(r.level, 8);
  const int32_t yearbook = reader.FindAncestor(part, r, 9);
  EXPECT_EQ(r.level, 9);
  EXPECT_EQ(reader.FindAncestor(issue, r, 7), issue);  // already above
  EXPECT_EQ(reader.FindAncestor(-4, r, 7), 0);

  ActDescription d;
  reader.Describe(part, d);
  EXPECT_EQ(d.records[7], act);
  EXPECT_EQ(d.records[8], issue);
  EXPECT_EQ(d.records[9], yearbook);
  const std::string issue_text = d.texts[8];
  // The yearbook alone clears every lower level.
  reader.Describe(yearbook, d);
  EXPECT_EQ(d.records[8], -1);
  EXPECT_EQ(d.records[7], -1);
  EXPECT_TRUE(d.texts[8].empty());
  EXPECT_EQ(d.position, 0);
  EXPECT_EQ(d.issue_number, 0);
  // The part again: the levels come back.
  reader.Describe(part, d);
  EXPECT_EQ(d.texts[8], issue_text);
}

// --- Damaged files ---------------------------------------------------------------------------------

ContentsRecord Record(int level, int32_t parent, uint32_t offset, uint32_t length) {
  ContentsRecord r;
  r.level = level;
  r.parent = parent;
  r.text_offset = offset;
  r.text_length = length;
  r.year = 104;
  return r;
}

std::vector<uint8_t> File(const std::vector<ContentsRecord>& records, const std::string& texts) {
  std::vector<uint8_t> bytes(records.size() * 32);
  for (size_t i = 0; i < records.size(); ++i) shell::EncodeContentsRecord(records[i], bytes.data() + i * 32);
  bytes.insert(bytes.end(), texts.begin(), texts.end());
  return bytes;
}

TEST(ContentsIndexDamage, CyclesAndSelfParentsEndTheWalk) {
  // 0: a yearbook that is its own parent; 1 and 2: acts that name each other as parents; 3: a part
  // under act 1; 4: an attachment whose parent is another attachment.
  std::vector<ContentsRecord> records = {Record(9, 0, 160, 1), Record(7, 2, 161, 1), Record(7, 1, 162, 1),
                                         Record(3, 1, 163, 1), Record(7, 4, 164, 1)};
  records[4].attachment = true;
  ContentsIndexReader reader;
  reader.OpenBytes(File(records, "abcde"));
  ASSERT_EQ(reader.RecordCount(), 5);
  ContentsRecord r;
  EXPECT_EQ(reader.FindAncestor(0, r, 9), 0);
  EXPECT_EQ(reader.FindAncestor(3, r, 9), 1);  // stops at the act: its parent does not rise
  EXPECT_EQ(reader.FindAncestor(4, r, 7), 4);
  ActDescription d;
  reader.Describe(3, d);
  EXPECT_EQ(d.records[7], 1);
  EXPECT_EQ(d.records[8], 0);
  EXPECT_EQ(d.records[9], 0);
  EXPECT_EQ(d.texts[3], "d");
  reader.Describe(4, d);
  EXPECT_EQ(d.texts[0], "e");
  EXPECT_EQ(d.records[7], 0);
}

TEST(ContentsIndexDamage, ZeroedTruncatedAndOutOfRangeFilesReadNothingWrong) {
  ContentsIndexReader reader;
  ContentsRecord r;
  ActDescription d;
  // Zeroed: no record carries a text, so the records fill the file; nothing rises anywhere.
  reader.OpenBytes(std::vector<uint8_t>(32 * 4, 0));
  EXPECT_EQ(reader.RecordCount(), 4);
  EXPECT_EQ(reader.FindAncestor(2, r, 9), 2);
  reader.Describe(2, d);  // level 0 does not occur: nothing is described
  EXPECT_EQ(d.records[9], -1);

  // A text beyond the end, a text offset inside the records, a record cut short.
  std::vector<uint8_t> bytes = File({Record(9, 0, 64, 3), Record(8, 0, 1000, 5)}, "Rok");
  reader.OpenBytes(bytes);
  EXPECT_EQ(reader.RecordCount(), 2);
  ASSERT_TRUE(reader.ReadRecord(1, r));
  std::string text = "kept";
  EXPECT_FALSE(reader.ReadText(r, text));
  EXPECT_EQ(text, "kept");
  reader.Describe(1, d);
  EXPECT_EQ(d.records[8], 1);
  EXPECT_TRUE(d.texts[8].empty());
  EXPECT_EQ(d.texts[9], "Rok");

  bytes.resize(40);
  reader.OpenBytes(bytes);
  EXPECT_EQ(reader.RecordCount(), 1);
  EXPECT_FALSE(reader.ReadRecord(1, r));

  // A length of 1,023 is read whole (the field is unsigned).
  std::string long_text(1023, 'x');
  reader.OpenBytes(File({Record(9, 0, 32, 1023)}, long_text));
  ASSERT_TRUE(reader.ReadRecord(0, r));
  ASSERT_TRUE(reader.ReadText(r, text));
  EXPECT_EQ(text.size(), 1023u);

  // A file that cannot be opened reads nothing.
  EXPECT_NE(reader.Open("/nonexistent/Index.idx"), base::OsError::None);
  EXPECT_EQ(reader.RecordCount(), 0);
  EXPECT_FALSE(reader.IsOpen());
}

TEST(LibraryFiles, TheTitleFileIsFoundInTheFormsACdShows) {
  const struct {
    const char* entry;
    bool match;
  } cases[] = {{"LumoKAL.dat", true}, {"LUMOKAL.DAT", true},  {"LUMOKAL.DAT;1", true}, {"LUMOKAL.M14", true},
               {"lumokal.dat.m14", true}, {"LumoKAL.da", false}, {"XLumoKAL.dat", false}, {"Index.idx", false}};
  for (const auto& c : cases) EXPECT_EQ(shell::IsTitleFileName(c.entry, "LumoKAL.dat"), c.match) << c.entry;
  const std::string folder = ::testing::TempDir() + "/library_files_cd/";
  std::filesystem::create_directories(folder);
  EXPECT_EQ(shell::FindTitleFile(folder, "LumoKAL.dat"), "");
  base::write_file_atomic(folder + "LUMOKAL.DAT;1", std::vector<uint8_t>{1});
  EXPECT_EQ(shell::FindTitleFile(folder, "LumoKAL.dat"), folder + "LUMOKAL.DAT;1");
  EXPECT_EQ(shell::WithSeparator("/media/cd"), "/media/cd/");
  EXPECT_EQ(shell::WithSeparator(""), "");
  std::filesystem::remove_all(folder);
}

}  // namespace
