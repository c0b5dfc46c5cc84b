// The texts an act drag gives other programs by the copy format (citation and row, per level, with
// full years), and the check a dropped "Topic Info" record passes against the catalogue.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "navigation/topic_citation.h"
#include "navigation/topic_drag.h"
#include "platform/base/cp1250.h"
#include "shell/core/tag_string.h"

namespace {

using namespace topicdrag;

std::string Utf8(const std::string& cp1250) { return base::cp1250::to_utf8(cp1250); }
std::string Pl(const char* utf8) { return base::cp1250::from_utf8(utf8); }

// A described record: the act fields (year as stored, year - 1900), the issue and the yearbook.
shell::ActDescription Described(int level, int stored_year, const char* act_text_utf8) {
  shell::ActDescription d;
  d.record.level = level;
  d.year = stored_year;
  d.position = 34;
  d.issue_number = 12;
  d.act_date = uint16_t(shell::DaysSince1900(1900 + stored_year, 1, 14));
  d.publication_date = uint16_t(shell::DaysSince1900(1900 + stored_year, 2, 5));
  d.texts[shell::kLevelAct] = Pl(act_text_utf8);
  return d;
}

TEST(ActCitation, TextsPerLevelAndFormat) {
  struct Case {
    const char* what;
    int level;
    int year;  // as stored
    const char* act;
    int format;
    const char* expected;  // UTF-8
  } cases[] = {
      {"act, citation", 7, 98, "USTAWA#o bibliotekach gminnych", 1,
       "USTAWA z dnia 14 stycznia 1998 r. o bibliotekach gminnych (Dz. U. z 1998 r. Nr 12, poz. 34)"},
      {"act, row", 7, 98, "USTAWA#o bibliotekach gminnych", 2,
       "1998/poz 34\tUSTAWA\t z dnia 14 stycznia 1998 r.\to bibliotekach gminnych"},
      {"act of 2004 shows its full year", 7, 104, "ROZPORZĄDZENIE#w sprawie łąk", 1,
       "ROZPORZĄDZENIE z dnia 14 stycznia 2004 r. w sprawie łąk (Dz. U. z 2004 r. Nr 12, poz. 34)"},
      {"act part cites its act", 3, 101, "USTAWA#o żegludze", 2,
       "2001/poz 34\tUSTAWA\t z dnia 14 stycznia 2001 r.\to żegludze"},
      {"title without '#': no kind, all subject", 7, 99, "Obwieszczenie", 1,
       " z dnia 14 stycznia 1999 r. Obwieszczenie (Dz. U. z 1999 r. Nr 12, poz. 34)"},
      {"title with '#' first: no kind", 7, 99, "#o czymś", 2, "1999/poz 34\t\t z dnia 14 stycznia 1999 r.\to czymś"},
      {"issue, citation", 8, 100, "", 1, "Dz. U. z 2000 r. Nr 12 (opublikowany 05 lutego 2000)"},
      {"issue, row", 8, 100, "", 2, "2000/Nr12\tDz. U.\topublikowany 05 lutego 2000\t"},
      {"yearbook, citation", 9, 104, "", 1, "Strona tytułowa rocznik 2004 r."},
      {"yearbook, row", 9, 97, "", 2, "1997 rok\tRocznik\t1997\t"},
      {"level above 9", 12, 98, "USTAWA#x", 1, ""},
      {"level above 9, row", 10, 98, "USTAWA#x", 2, ""},
      {"rendered formats have no citation", 7, 98, "USTAWA#x", 3, ""},
      {"unknown format", 7, 98, "USTAWA#x", 0, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8(CitationText(Described(c.level, c.year, c.act), c.level, c.format)), c.expected) << c.what;
  }
}

TEST(ActCitation, ACitationWithoutDateLeavesTheDateOut) {
  shell::ActDescription d = Described(7, 98, "USTAWA#o czymś");
  d.act_date = shell::kContentsNoDate;
  d.publication_date = shell::kContentsNoDate;
  EXPECT_EQ(Utf8(CitationText(d, 7, 1)), "USTAWA o czymś (Dz. U. z 1998 r. Nr 12, poz. 34)");
  EXPECT_EQ(Utf8(CitationText(d, 8, 1)), "Dz. U. z 1998 r. Nr 12");
  // The row keeps its columns.
  EXPECT_EQ(Utf8(CitationText(d, 7, 2)), "1998/poz 34\tUSTAWA\t z dnia  r.\to czymś");
  EXPECT_EQ(Utf8(CitationText(d, 8, 2)), "1998/Nr12\tDz. U.\topublikowany \t");
}

// A catalogue of a yearbook (0), its issue (1) and an act (2).
std::vector<uint8_t> SmallCatalogue() {
  std::vector<uint8_t> bytes(3 * shell::kContentsRecordSize);
  const int levels[] = {9, 8, 7};
  for (int n = 0; n < 3; ++n) {
    shell::ContentsRecord r;
    r.level = levels[n];
    r.next = n;
    r.previous = n;
    r.year = 98;
    r.parent = n > 0 ? n - 1 : 0;
    r.text_offset = uint32_t(bytes.size());
    r.first_date = shell::kContentsNoDate;
    r.second_date = shell::kContentsNoDate;
    shell::EncodeContentsRecord(r, &bytes[size_t(n) * shell::kContentsRecordSize]);
  }
  return bytes;
}

TEST(TopicInfo, ADroppedRecordMustMatchTheCatalogue) {
  shell::ContentsIndexReader catalog;
  catalog.OpenBytes(SmallCatalogue());
  ASSERT_EQ(catalog.RecordCount(), 3);
  struct Case {
    const char* what;
    TopicInfoBlock block;
    bool taken;
  } cases[] = {
      {"act as the catalogue has it", {2, 77, 7, kFromLibrary}, true},
      {"yearbook", {0, 77, 9, kFromHistory}, true},
      {"act claimed to be an issue", {2, 77, 8, kFromLibrary}, false},
      {"issue claimed to be an act", {1, 77, 7, kFromBinder}, false},
      {"record past the catalogue", {3, 77, 7, kFromLibrary}, false},
      {"unknown source kind", {2, 77, 7, 9}, false},
  };
  for (const Case& c : cases) {
    TopicInfoBlock out{-5, 0, 0, 0};
    EXPECT_EQ(ReadDroppedTopic(EncodeTopicInfo(c.block), catalog, out), c.taken) << c.what;
    EXPECT_EQ(out.record, c.taken ? c.block.record : -5) << c.what;
  }
  shell::ContentsIndexReader closed;
  TopicInfoBlock out;
  EXPECT_FALSE(ReadDroppedTopic(EncodeTopicInfo({0, 1, 9, kFromLibrary}), closed, out));
}

}  // namespace
