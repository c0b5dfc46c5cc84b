// Tag strings and the contents index builder on hand-made header texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "platform/base/byte_io.h"
#include "platform/base/cp1250.h"
#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"
#include "shell/core/contents_index.h"
#include "shell/core/tag_string.h"

namespace {

using shell::ContentsRecord;
using shell::CTagString;

TEST(CTagString, ValuesKindsAndDates) {
  const CTagString two("<Q:A> x <Q:P>");
  EXPECT_EQ(two.GetTagKind("<Q:", ">", 0), 7);
  EXPECT_EQ(two.GetTagKind("<Q:", ">", 1), 8);
  EXPECT_EQ(two.GetTagKind("<Q:", ">", 2), -1);
  EXPECT_EQ(two.GetTagKind("<Q:", ">", -1), 0);
  EXPECT_EQ(two.GetTagValue("<Q:", ">", 1), "P");
  EXPECT_EQ(CTagString("<T:abc>").GetTagValue("<T:", ">", 1), "");
  EXPECT_EQ(CTagString("<T:abc").GetTagValue("<T:", ">", 0), "");  // no closing marker: nothing beyond
  EXPECT_EQ(CTagString("<Q:>").GetTagKind("<Q:", ">", 0), 0);
  EXPECT_EQ(CTagString("<W: 97.05.12 >").GetTagDate("<W:", ">"), shell::DaysSince1900(1997, 5, 12));
  EXPECT_EQ(CTagString("<U:00.03.01>").GetTagDate("<U:", ">"), shell::DaysSince1900(2000, 3, 1));
  EXPECT_EQ(CTagString("none").GetTagDate("<W:", ">"), CTagString::kEmptyDate);
  EXPECT_EQ(shell::DaysSince1900(1900, 1, 1), 0);
  EXPECT_EQ(shell::DaysSince1900(1900, 3, 1), 59);  // 1900 has no 29 February
  EXPECT_EQ(shell::DaysSince1900(2000, 3, 1) - shell::DaysSince1900(2000, 2, 28), 2);
}

struct Topic {
  std::string title, header;
};

std::vector<uint8_t> Build(const std::vector<Topic>& list) {
  shell::ContentsTopics topics;
  topics.count = int32_t(list.size());
  topics.header_text = [&](int32_t i) { return list[size_t(i)].header; };
  topics.title = [&](int32_t i) { return list[size_t(i)].title; };
  return shell::BuildContentsIndex(topics);
}

ContentsRecord At(const std::vector<uint8_t>& file, size_t i) { return shell::DecodeContentsRecord(file.data() + i * 32); }

std::string Text(const std::vector<uint8_t>& file, const ContentsRecord& r) {
  return std::string(file.begin() + r.text_offset, file.begin() + r.text_offset + r.text_length);
}

TEST(ContentsIndex, RecordRoundTrip) {
  ContentsRecord r;
  r.attachment = true;
  r.level = 7;
  r.next = 0xFFFFF;
  r.previous = 12345;
  r.attachment_number = 63;
  r.year = 99;
  r.marker = true;
  r.number = 2047;
  r.text_offset = 0xFFFFFF;
  r.parent = 77;
  r.text_length = 511;
  r.first_date = 36000;
  r.second_date = 0xFFFF;
  uint8_t bytes[32];
  shell::EncodeContentsRecord(r, bytes);
  const ContentsRecord back = shell::DecodeContentsRecord(bytes);
  const auto fields = [](const ContentsRecord& x) {
    return std::make_tuple(x.attachment, x.level, x.next, x.previous, x.attachment_number, x.year, x.marker, x.number,
                           x.text_offset, x.parent, x.text_length, x.first_date, x.second_date);
  };
  EXPECT_EQ(fields(back), fields(r));
}

// Years are stored as year - 1900 and numbers in 24 bits; an index written before (two-digit years
// 90-99, numbers in bits 8-18, zeros above) reads the same as it always did.
TEST(ContentsIndex, YearsFrom1900AndWideNumbers) {
  ContentsRecord r;
  r.level = 7;
  r.year = 104;
  r.number = 2786;
  r.marker = true;
  uint8_t bytes[32];
  shell::EncodeContentsRecord(r, bytes);
  EXPECT_EQ(base::load_le32(bytes + 8), 104u | 1u << 7 | 2786u << 8);
  const ContentsRecord back = shell::DecodeContentsRecord(bytes);
  EXPECT_EQ(back.year, 104);
  EXPECT_EQ(shell::ContentsFullYear(back), 2004);
  EXPECT_EQ(back.number, 2786);
  EXPECT_TRUE(back.marker);

  uint8_t old[32] = {};
  base::store_le32(old, 1u | 7u << 1);
  base::store_le32(old + 8, 97u | 2047u << 8);  // an old record: 1997, position 2047
  const ContentsRecord read = shell::DecodeContentsRecord(old);
  EXPECT_EQ(read.year, 97);
  EXPECT_EQ(shell::ContentsFullYear(read), 1997);
  EXPECT_EQ(read.number, 2047);

  const struct {
    const char* address;
    int year, number, full_year;
  } cases[] = {
      {"97.12", 97, 12, 1997},      {"1999.5", 99, 5, 1999},       {"2000.1", 100, 1, 2000},
      {"2004.2786", 104, 2786, 2004}, {"2027.16777215", 127, 16777215, 2027}, {"2028.3", 0, 3, 1900},
      {"1998.99999999", 98, 16777215, 1998},
  };
  for (const auto& c : cases) {
    const auto file = Build({{"t", std::string("<Q:A><D:") + c.address + "><T:x>"}});
    const ContentsRecord got = At(file, 0);
    EXPECT_EQ(got.year, c.year) << c.address;
    EXPECT_EQ(got.number, c.number) << c.address;
    EXPECT_EQ(shell::ContentsFullYear(got), c.full_year) << c.address;
  }
}

TEST(ContentsIndex, TreeOfYearsIssuesActsPartsAndAttachments) {
  const std::vector<Topic> topics = {
      {"Rok 1997", "<Q:Y><D:97.0>"},
      {"Nr 1", "<Q:P><D:97.1><V:97.01.05>"},
      {"Ustawa 1", "<Q:A><D:97.3><X:USTAWA><T:o jednym><U:97.01.02><W1:x>"},
      {"Dzial", "<Q:D><D:97.3><X:DZIAŁ I><T:Ogólne><W:97.01.02>"},
      {"Z1", "<Q:Z><D:97.3.Z1><X:Załącznik nr 1><T:Wzór>"},
      {"Z2", "<Q:Z><D:97.3.Z2><X:Załącznik nr 2><T:Tabela>"},
      {"Z3", "<Q:Z><D:97.3.Z3><X:Zał><T:Mapa>"},
      {"Ustawa 2", "<Q:A><D:97.4><X:USTAWA><T:o drugim>"},
      {"Bez tagów", "zwykły tekst"},
      {"Nr 2", "<Q:P><D:97.2>"},
      {"Rok 1998", "<Q:Y><D:98.0>"},
  };
  std::vector<Topic> cp;
  for (const auto& t : topics) cp.push_back({base::cp1250::from_utf8(t.title), base::cp1250::from_utf8(t.header)});
  const auto file = Build(cp);
  ASSERT_GE(file.size(), cp.size() * 32);
  // Yearbook 0 is linked to the next yearbook although its number is 0.
  EXPECT_EQ(At(file, 0).next, 10);
  EXPECT_EQ(At(file, 10).previous, 0);
  // Acts under one issue; the last act ends with its own number once a new issue starts.
  EXPECT_EQ(At(file, 2).next, 7);
  EXPECT_EQ(At(file, 7).previous, 2);
  EXPECT_EQ(At(file, 7).next, 7);
  EXPECT_EQ(At(file, 1).next, 9);
  // Three attachments: counted at the act, linked, numbered, titled "ZAŁĄCZNIK#..." when their
  // "<X:" text is longer than three characters.
  const ContentsRecord act = At(file, 2);
  EXPECT_EQ(act.attachment_number, 3);
  EXPECT_TRUE(act.marker);
  EXPECT_EQ(act.first_date, shell::DaysSince1900(1997, 1, 2));
  EXPECT_EQ(Text(file, act), "USTAWA#o jednym");
  for (int k = 0; k < 3; ++k) {
    const ContentsRecord z = At(file, size_t(4 + k));
    EXPECT_TRUE(z.attachment);
    EXPECT_EQ(z.parent, 2);
    EXPECT_EQ(z.attachment_number, k + 1);
    EXPECT_EQ(z.previous, k == 0 ? 4 : 3 + k);
    EXPECT_EQ(z.next, k == 2 ? 6 : 5 + k);
  }
  EXPECT_EQ(Text(file, At(file, 4)), base::cp1250::from_utf8("ZAŁĄCZNIK#Wzór"));
  EXPECT_EQ(Text(file, At(file, 6)), "#Mapa");
  // A part gets its act as parent; an issue its yearbook; dates by level.
  EXPECT_EQ(At(file, 3).parent, 2);
  EXPECT_EQ(At(file, 3).level, 3);
  EXPECT_EQ(At(file, 1).parent, 0);
  EXPECT_EQ(At(file, 1).first_date, shell::DaysSince1900(1997, 1, 5));
  EXPECT_EQ(At(file, 1).second_date, 0xFFFF);
  EXPECT_EQ(At(file, 1).number, 1);
  EXPECT_EQ(At(file, 0).year, 97);
  // Plain texts of issues and yearbooks come from the topic title.
  EXPECT_EQ(Text(file, At(file, 0)), "Rok 1997");
  // A topic without "<Q:" gets 32 zero bytes and no text.
  EXPECT_TRUE(std::all_of(file.begin() + 8 * 32, file.begin() + 9 * 32, [](uint8_t b) { return b == 0; }));
  EXPECT_EQ(At(file, 9).text_offset, At(file, 7).text_offset + At(file, 7).text_length);
}

TEST(ContentsIndex, LongTextsAreCutToWhatTheLengthFieldHolds) {
  const std::string long_text(700, 'x');
  const auto file = Build({{long_text, "<Q:A><D:97.1><X:USTAWA><T:" + long_text + ">"}, {"krótki", "<Q:A><D:97.2><T:b>"}});
  EXPECT_EQ(At(file, 0).text_length, shell::kContentsMaxText);
  EXPECT_EQ(Text(file, At(file, 0)), std::string(shell::kContentsMaxText, 'x'));
  EXPECT_EQ(Text(file, At(file, 1)), "#b");
  EXPECT_EQ(file.size(), 64 + shell::kContentsMaxText + 2);
}

TEST(ContentsIndex, RewritingLeavesNoStaleBytes) {
  const std::string path = base::temp_folder() + "/contents_rewrite.idx";
  std::vector<Topic> big(50, {"tytuł", "<Q:A><D:97.1><T:coś dłuższego>"});
  shell::ContentsTopics topics;
  topics.count = int32_t(big.size());
  topics.header_text = [&](int32_t i) { return big[size_t(i)].header; };
  topics.title = [&](int32_t i) { return big[size_t(i)].title; };
  ASSERT_EQ(shell::WriteContentsIndex(topics, path), 0);
  topics.count = 2;
  ASSERT_EQ(shell::WriteContentsIndex(topics, path), 0);
  std::vector<uint8_t> file;
  ASSERT_EQ(base::read_file(path, file), base::OsError::None);
  EXPECT_EQ(file, Build({big[0], big[1]}));
}

}  // namespace
