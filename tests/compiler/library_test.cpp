// The compiled library read back through the engine: every topic's text, titles, contexts, figures,
// stored groups and the contents index tree, for the sample acts and (when present) the shared corpus.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "engine/COMMON/topic_group.h"
#include "engine/fts/index/word_wheel.h"
#include "engine/medview/topic_list.h"
#include "engine/adt/paragraph_info.h"
#include "engine/title/baggage.h"
#include "engine/title/title_fonts.h"
#include "engine/title/context_hash.h"
#include "engine/title/title_tables.h"
#include "platform/base/cp1250.h"
#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"
#include "shell/core/contents_index.h"
#include "shell/core/tag_string.h"
#include "tests/compiler/library_fixture.h"

namespace {

using namespace compiler_test;

std::string Cp(const char* utf8) { return base::cp1250::from_utf8(utf8); }

std::vector<shell::ContentsRecord> ReadIndex(const CompiledLibrary& library, std::vector<uint8_t>& file) {
  EXPECT_EQ(base::read_file(library.folder + "/" + compiler::kContentsFileName, file), base::OsError::None);
  std::vector<shell::ContentsRecord> records;
  for (size_t i = 0; i < library.plan.topics.size() && (i + 1) * shell::kContentsRecordSize <= file.size(); ++i)
    records.push_back(shell::DecodeContentsRecord(file.data() + i * shell::kContentsRecordSize));
  return records;
}

std::string RecordText(const std::vector<uint8_t>& file, const shell::ContentsRecord& r) {
  if (r.text_offset + r.text_length > file.size()) return "<out of file>";
  return std::string(file.begin() + r.text_offset, file.begin() + r.text_offset + r.text_length);
}

// Every topic reads back with its title, header text and text; the contents index built from what
// the engine reads equals the compiler's own.
void CheckRoundTrip(const CompiledLibrary& library) {
  ASSERT_EQ(library.result, 0) << library.error;
  TitlePtr t = OpenLibrary(library);
  ASSERT_NE(t, nullptr);
  const auto& plan = library.plan;
  ASSERT_EQ(title::TtlGetInfo(t.get(), title::kInfoTopicCount, 0, nullptr, 0), int32_t(plan.topics.size()));
  std::vector<ReadTopic> read(plan.topics.size());
  for (size_t i = 0; i < plan.topics.size(); ++i) {
    read[i] = ReadBack(t.get(), int32_t(i));
    ASSERT_TRUE(read[i].ok) << i;
    EXPECT_EQ(read[i].title, plan.topics[i].title) << i;
    EXPECT_EQ(read[i].header_text, plan.topics[i].header_text) << i;
    EXPECT_EQ(read[i].text, plan.texts[i]) << i;
  }
  shell::ContentsTopics topics;
  topics.count = int32_t(read.size());
  topics.header_text = [&](int32_t i) { return read[size_t(i)].header_text; };
  topics.title = [&](int32_t i) { return read[size_t(i)].title; };
  std::vector<uint8_t> file;
  ASSERT_EQ(base::read_file(library.folder + "/" + compiler::kContentsFileName, file), base::OsError::None);
  EXPECT_EQ(shell::BuildContentsIndex(topics), file);
}

// The tree's links agree with each other: siblings share level and parent, parents lie above.
void CheckTreeLinks(const std::vector<shell::ContentsRecord>& records) {
  for (size_t i = 0; i < records.size(); ++i) {
    const auto& r = records[i];
    ASSERT_GE(r.level, 1) << i;
    if (r.next != int32_t(i)) {
      ASSERT_LT(size_t(r.next), records.size());
      const auto& n = records[size_t(r.next)];
      EXPECT_EQ(n.previous, int32_t(i)) << i;
      EXPECT_EQ(n.parent, r.parent) << i;
      EXPECT_EQ(n.attachment, r.attachment) << i;
    }
    if (r.level < 9) {
      const auto& p = records[size_t(r.parent)];
      EXPECT_TRUE(p.level > r.level || (r.attachment && p.level == 7 && !p.attachment)) << i;
    }
  }
}

TEST(Library, SampleRoundTrip) { CheckRoundTrip(Compile(SourceDir() + "/samples/acts", "sample")); }

TEST(Library, SampleContentsTree) {
  const CompiledLibrary& library = Compile(SourceDir() + "/samples/acts", "sample");
  ASSERT_EQ(library.result, 0) << library.error;
  std::vector<uint8_t> file;
  const auto records = ReadIndex(library, file);
  ASSERT_EQ(records.size(), library.plan.topics.size());
  CheckTreeLinks(records);
  // Outline: depth by parent chain, level, text.
  std::string outline;
  for (size_t i = 0; i < records.size(); ++i) {
    int depth = 0;
    for (int32_t p = int32_t(i); records[size_t(p)].level < 9 && depth < 10; p = records[size_t(p)].parent) ++depth;
    outline += std::string(size_t(depth) * 2, ' ') + std::to_string(records[i].level) + " " + RecordText(file, records[i]) + "\n";
  }
  EXPECT_EQ(outline, Cp("9 ROCZNIK#1998\n"
                        "  8 DZIENNIK USTAW#Nr 12 z 1998 r.\n"
                        "    7 USTAWA#o bibliotekach gminnych i czytelniach\n"
                        "      3 DZIAŁ I#Przepisy ogólne\n"
                        "        2 Rozdział 1#Zakres stosowania\n"
                        "        2 Rozdział 2#Organizacja\n"
                        "      3 DZIAŁ II#Zbiory i ich udostępnianie\n"
                        "      3 DZIAŁ III#Przepisy końcowe\n"
                        "      7 ZAŁĄCZNIK#WZÓR KARTY CZYTELNIKA\n"
                        "    7 USTAWA#o ochronie zieleni przydrożnej i zadrzewień\n"
                        "9 ROCZNIK#1999\n"
                        "  8 DZIENNIK USTAW#Nr 20 z 1999 r.\n"
                        "    7 USTAWA#o zmianie ustawy o bibliotekach gminnych i czytelniach\n"
                        "    7 USTAWA#o targach i jarmarkach\n"
                        "      2 Rozdział 1#Przepisy ogólne\n"
                        "      2 Rozdział 2#Obowiązki organizatora\n"
                        "      2 Rozdział 3#Przepisy końcowe\n"
                        "  8 DZIENNIK USTAW#Nr - (akty bez numeru dziennika z 1999 r.)\n"
                        "    7 USTAWA#o ustanowieniu Dnia Pszczelarza\n"
                        "9 ROCZNIK#2000\n"
                        "  8 DZIENNIK USTAW#Nr 3 z 2000 r.\n"
                        "    7 USTAWA#o zmianie ustawy o targach i jarmarkach - przepisy o jarmarkach sezonowych\n"
                        "9 ROCZNIK#2001\n"
                        "  8 DZIENNIK USTAW#Nr 154 z 2001 r.\n"
                        "    7 USTAWA#o wspólnej obsłudze gminnych czytelni\n"
                        "      2 Rozdział 1#Przepisy ogólne\n"
                        "      2 Rozdział 4#Zmiany w przepisach obowiązujących\n"
                        "      7 ZAŁĄCZNIK#WYKAZ GODZIN OTWARCIA\n"
                        "9 ROCZNIK#2004\n"
                        "  8 DZIENNIK USTAW#Nr 12 z 2004 r.\n"
                        "    7 ROZPORZĄDZENIE RADY MINISTRÓW#w sprawie wzoru karty czytelnika bibliotek gminnych\n"))
      << outline;
  // The act: its attachment count and date; the attachment: its number and its act.
  const auto& act = records[2];
  EXPECT_EQ(act.attachment_number, 1);
  EXPECT_EQ(act.year, 98);
  EXPECT_EQ(act.number, 34);
  EXPECT_EQ(act.first_date, shell::DaysSince1900(1998, 1, 14));
  EXPECT_EQ(records[1].number, 12);
  const auto& attachment = records[8];
  EXPECT_TRUE(attachment.attachment);
  EXPECT_EQ(attachment.parent, 2);
  EXPECT_EQ(attachment.attachment_number, 1);
  // Two chapters under one division are linked; the last one ends with its own number.
  EXPECT_EQ(records[4].next, 5);
  EXPECT_EQ(records[5].previous, 4);
  EXPECT_EQ(records[5].next, 5);
  EXPECT_EQ(records[3].next, 6);
  // Years of 1999, 2000 and later and a position above 2047: the records of each year's first act.
  std::vector<std::tuple<int, int, std::string>> acts;
  for (const auto& r : records)
    if (r.level == 7 && !r.attachment)
      acts.emplace_back(shell::ContentsFullYear(r), r.number, shell::ContentsFullYear(r) >= 1999 ? RecordText(file, r).substr(0, 6) : "");
  const std::vector<std::tuple<int, int, std::string>> expected = {
      {1998, 34, ""}, {1998, 35, ""}, {1999, 120, "USTAWA"}, {1999, 121, "USTAWA"}, {1999, 302, "USTAWA"},
      {2000, 15, "USTAWA"}, {2001, 2786, "USTAWA"}, {2004, 104, Cp("ROZPOR")}};
  EXPECT_EQ(acts, expected);
  const auto year_2001 = std::find_if(records.begin(), records.end(), [](const auto& r) { return r.level == 9 && r.year == 101; });
  ASSERT_NE(year_2001, records.end());
  EXPECT_EQ(RecordText(file, *year_2001), "ROCZNIK#2001");
}

TEST(Library, SampleContextsJumpsFiguresAndGroups) {
  const CompiledLibrary& library = Compile(SourceDir() + "/samples/acts", "sample");
  ASSERT_EQ(library.result, 0) << library.error;
  TitlePtr t = OpenLibrary(library);
  ASSERT_NE(t, nullptr);
  // Acts, articles, issues and yearbooks are reached by their contexts.
  for (const char* context : {"DU.1998.0034.0000", "DU.1998.0034.0005", "DU.1998.012", "DU.1998.0000.0000", "DU.1999.0302.0000"})
    EXPECT_GE(fcmanage::TtlContextStringToPosition(t.get(), context), 0) << context;
  EXPECT_LT(fcmanage::TtlContextStringToPosition(t.get(), "DU.1998.0099.0000"), 0);
  // Article 5's context leads to the record holding its heading.
  fcmanage::TopicChunk chunk;
  int32_t code = 0;
  const auto record = fcmanage::FcGetChunk(t.get(), fcmanage::TtlContextStringToPosition(t.get(), "DU.1998.0034.0005"), chunk, code);
  ASSERT_NE(record, nullptr);
  const auto text = record->text();
  EXPECT_EQ(compiler::PlainText(std::string_view(reinterpret_cast<const char*>(text.data()), text.size())),
            Cp("Art. 5. § 1. Zbiory biblioteki gminnej są udostępniane bezpłatnie."));
  // The start topic is the first act.
  EXPECT_EQ(fcmanage::TtlStartPosition(t.get()), fcmanage::TtlContextStringToPosition(t.get(), "DU.1998.0034.0000"));

  // The figure is stored as baggage with the bytes of the PNG.
  std::vector<uint8_t> png;
  ASSERT_EQ(base::read_file(SourceDir() + "/samples/acts/karta.png", png), base::OsError::None);
  uint16_t bag_code = 0;
  int64_t size = 0;
  const auto stored = title::BagLoad(title::TtlGetFileSystem(t.get()), "karta.png", true, 0, int64_t(png.size()), &size, &bag_code);
  EXPECT_EQ(stored, png);
  // A citation of an act in the library is a jump to its context (command 0xE3 and the hash).
  const uint32_t hash = title::HashContextString("DU.1998.0034.0000");
  bool jump = false, picture = false;
  for (const auto& topic : library.plan.topics) {
    for (const auto& r : topic.records) {
      for (size_t i = 0; i + 5 <= r.format.size(); ++i) {
        if (r.format[i] == 0xE3 && base::load_le32(&r.format[i + 1]) == hash) jump = true;
      }
      const std::string format(r.format.begin(), r.format.end());
      if (format.find("%karta.png@karta.png") != std::string::npos) picture = true;
    }
  }
  EXPECT_TRUE(jump);
  EXPECT_TRUE(picture);

  // Stored groups: "1992" every topic, "1993" the acts.
  for (const auto& [name, expected] : {std::pair<const char*, size_t>{"1992.GRP", library.plan.topics.size()},
                                       std::pair<const char*, size_t>{"1993.GRP", library.plan.act_topics.size()}}) {
    const auto bytes = title::BagLoad(title::TtlGetFileSystem(t.get()), name, true, 0, 1 << 20, &size, &bag_code);
    ASSERT_GT(bytes.size(), 40u) << name;
    EXPECT_EQ(base::load_le16(bytes.data()), engine::kGroupMagic);
    EXPECT_EQ(base::load_le32(bytes.data() + 16), expected) << name;
  }
  EXPECT_EQ(library.plan.act_topics.size(), 8u);
  // Loaded by name as the query page does: "1992" holds every topic, "1993" the eight acts.
  for (const auto& [name, expected] : {std::pair<const char*, int32_t>{"1992", int32_t(library.plan.topics.size())},
                                       std::pair<const char*, int32_t>{"1993", 8}}) {
    medview::TopicListHandle list = medview::MvLoadTopicListFile(t.get(), name);
    ASSERT_NE(list, nullptr) << name;
    EXPECT_EQ(medview::MvGetTopicListCount(list), expected) << name;
    medview::MvFreeTopicList(list);
  }
  // The act's header text names its subject for the related-keywords page.
  EXPECT_NE(library.plan.topics[2].header_text.find("<I:Bibliotekach gminnych i czytelniach;>"), std::string::npos)
      << library.plan.topics[2].header_text;
}

// Each text record's commands are well formed, end with the end mark, and hand over at the NULs of
// its text one for one; the fonts they name exist in the style sheet.
TEST(Library, SampleRecordsAndFonts) {
  const CompiledLibrary& library = Compile(SourceDir() + "/samples/acts", "sample");
  ASSERT_EQ(library.result, 0) << library.error;
  TitlePtr t = OpenLibrary(library);
  ASSERT_NE(t, nullptr);
  fts::FtsError error{};
  title::StyleSheetPtr sheet = title::FontLoad(title::TtlGetFileSystem(t.get()), &error);
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(sheet->faces, (std::vector<std::string>{"Times New Roman CE", "Arial CE", "Courier New CE"}));
  ASSERT_EQ(sheet->descriptors.size(), 5u);
  EXPECT_EQ(sheet->descriptors[size_t(compiler::LibraryFont::kHeading)].font.weight, 700);
  for (const auto& topic : library.plan.topics) {
    for (const auto& r : topic.records) {
      adt::ParagraphInfo info;
      size_t at = adt::DpDecodeParagraphInfo(info, r.format.data(), r.format.size());
      ASSERT_GT(at, 0u);
      size_t commands = 0;
      bool ended = false;
      while (at < r.format.size() && !ended) {
        const uint8_t command = r.format[at++];
        ++commands;
        if (command == 0xFF) {
          ended = true;
        } else if (command == 0x80) {
          EXPECT_LT(base::load_le16(&r.format[at]), sheet->descriptors.size());
          at += 2;
        } else if ((command & 0xD8) == 0xC0) {
          at += 4;
        } else if (command != 0x89) {
          at += 2 + base::load_le16(&r.format[at]);
        }
      }
      EXPECT_TRUE(ended && at == r.format.size()) << topic.title;
      EXPECT_EQ(commands, size_t(std::count(r.text.begin(), r.text.end(), '\0'))) << topic.title;
    }
  }
  title::FontFree(std::move(sheet));
}

// Body paragraphs hang their markers at their depth, plain text keeps a small margin and table lines
// are never wrapped.
TEST(Library, ParagraphShapes) {
  const CompiledLibrary& library = Compile(SourceDir() + "/samples/acts", "sample");
  ASSERT_EQ(library.result, 0) << library.error;
  std::map<std::string, adt::ParagraphInfo> shapes;  // paragraph start -> its paragraph information
  for (const auto& topic : library.plan.topics)
    for (const auto& r : topic.records) {
      adt::ParagraphInfo info;
      ASSERT_GT(adt::DpDecodeParagraphInfo(info, r.format.data(), r.format.size()), 0u);
      shapes.emplace(compiler::PlainText(r.text).substr(0, 12), info);
    }
  const struct {
    const char* start;
    int left, first;
    bool no_wrap;
  } cases[] = {
      {"Na podstawie", 18, 0, false}, {"1) w okresie", 90, -36, false},
      {"a) przed świ", 126, -36, false}, {"§ 1. Kartę c", 54, -36, false}, {"+-----------", 18, 0, true},
  };
  for (const auto& c : cases) {
    const auto found = shapes.find(Cp(c.start));
    ASSERT_NE(found, shapes.end()) << c.start;
    EXPECT_EQ(found->second.leftIndent, c.left) << c.start;
    EXPECT_EQ(found->second.firstIndent, c.first) << c.start;
    EXPECT_EQ(bool(found->second.noWrap), c.no_wrap) << c.start;
  }
}

TEST(Library, SampleKeywordIndexes) {
  const CompiledLibrary& library = Compile(SourceDir() + "/samples/acts", "sample");
  ASSERT_EQ(library.result, 0) << library.error;
  TitlePtr t = OpenLibrary(library);
  ASSERT_NE(t, nullptr);
  const int32_t act = title::TtlGetInfo(t.get(), title::kInfoCatalogAddress, 2, nullptr, 0);
  const struct {
    const char* name;
    std::string keyword;  // empty: the index is empty
    int32_t address;
  } cases[] = {
      {"|a", "o bibliotekach gminnych i czytelniach#USTAWA", act},
      {"|i", "Bibliotekach gminnych i czytelniach", act},  // and the act that amends it
      {"|u", "98-01-14", act},
      {"|d", Cp("Przepisy ogólne"), title::TtlGetInfo(t.get(), title::kInfoCatalogAddress, 3, nullptr, 0)},
      {"|r", "Zakres stosowania", title::TtlGetInfo(t.get(), title::kInfoCatalogAddress, 4, nullptr, 0)},
      {"|z", Cp("Załącznik nr 1 WZÓR KARTY CZYTELNIKA"), title::TtlGetInfo(t.get(), title::kInfoCatalogAddress, 8, nullptr, 0)},
      {"|f", Cp("Załącznik nr 1 WZÓR KARTY CZYTELNIKA"), title::TtlGetInfo(t.get(), title::kInfoCatalogAddress, 8, nullptr, 0)},
      {"|e", Cp("Załącznik nr 1 WZÓR KARTY CZYTELNIKA"), title::TtlGetInfo(t.get(), title::kInfoCatalogAddress, 8, nullptr, 0)},
      {"|p", "", 0}, {"|q", "", 0}, {"|g", "", 0}, {"|b", "", 0}, {"|t", "", 0}, {"|k", "", 0}, {"|c", "", 0}, {"|o", "", 0},
  };
  for (const auto& c : cases) {
    fts::WordWheelHandle w = fts::WwOpen(t.get(), c.name, true);
    ASSERT_TRUE(w) << c.name;
    if (c.keyword.empty()) {
      EXPECT_EQ(fts::WwGetCount(w), 0) << c.name;
    } else {
      uint32_t out[4] = {};
      EXPECT_EQ(fts::WwGetKeywordTopics(w, c.keyword.c_str(), 0, 4, out), std::string_view(c.name) == "|i" ? 8 : 4) << c.name;
      EXPECT_EQ(out[0], uint32_t(c.address)) << c.name;
    }
    fts::WwClose(w);
  }
}

// Writes `files` (name -> bytes) into a fresh folder under the temporary folder.
std::string ActsFolder(const std::string& name, const std::map<std::string, std::string>& files) {
  const std::string folder = base::temp_folder() + "/" + name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  for (const auto& [file, bytes] : files)
    EXPECT_EQ(base::write_file_atomic(folder + "/" + file, {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}),
              base::OsError::None);
  return folder;
}

std::string SampleFile(const std::string& name) {
  std::vector<uint8_t> bytes;
  EXPECT_EQ(base::read_file(SourceDir() + "/samples/acts/" + name, bytes), base::OsError::None);
  return std::string(bytes.begin(), bytes.end());
}

TEST(Library, MalformedFilesAreNamedAndSkipped) {
  const std::string header = "Dz.U. z 1999 r. Nr 5, poz. 7\nUSTAWA\nz dnia 2 lutego 1999 r.\n";
  const std::string acts = ActsFolder("malformed_acts", {
      {"1998_34.txt", SampleFile("1998_34.txt")},
      {"karta.png", SampleFile("karta.png")},
      {"1999_1.txt", ""},
      {"1999_2.txt", SampleFile("karta.png")},
      {"1999_3.txt", header + "\n\n"},
      {"1999_4.txt", header + "o czym\xC5\x9B\n\nArt. 1. " + std::string(100000, 'x') + "\n"},
  });
  const std::string out = base::temp_folder() + "/malformed_library";
  std::filesystem::create_directories(out);
  compiler::CompileReport report;
  std::string error;
  ASSERT_EQ(compiler::CompileLibrary(acts, out, report, error), 0) << error;
  EXPECT_EQ(report.acts, 1);
  ASSERT_EQ(report.messages.size(), 4u);
  const char* why[] = {"empty", "UTF-8", "title", "64 KB"};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_NE(report.messages[i].find("1999_" + std::to_string(i + 1) + ".txt"), std::string::npos) << report.messages[i];
    EXPECT_NE(report.messages[i].find(why[i]), std::string::npos) << report.messages[i];
  }
  EXPECT_TRUE(std::filesystem::exists(out + "/" + compiler::kLibraryFileName));
  EXPECT_TRUE(std::filesystem::exists(out + "/" + compiler::kContentsFileName));
  EXPECT_EQ(compiler::SummaryLine(report), "1 acts compiled, 4 files skipped, 0 warnings");
  EXPECT_EQ(std::filesystem::status(out + "/" + compiler::kContentsFileName).permissions(),
            std::filesystem::status(out + "/" + compiler::kLibraryFileName).permissions());
}

// Two files giving one journal address: both acts are compiled, each under contexts of its own, and
// the run warns.
TEST(Library, DuplicateAddressesKeepBothActs) {
  const std::string head = "Dz.U. z 1999 r. Nr 5, poz. 7\nUSTAWA\nz dnia 2 lutego 1999 r.\n";
  const std::string acts = ActsFolder("duplicate_acts", {
      {"1999_7.txt", head + "o pierwszym\n\nArt. 1. Jeden.\n"},
      {"1999_8.txt", head + "o drugim\n\nArt. 1. Dwa.\n"},
  });
  const std::string out = base::temp_folder() + "/duplicate_library";
  std::filesystem::create_directories(out);
  compiler::CompileReport report;
  std::string error;
  ASSERT_EQ(compiler::CompileLibrary(acts, out, report, error), 0) << error;
  EXPECT_EQ(report.acts, 2);
  ASSERT_EQ(report.warnings.size(), 1u);
  EXPECT_NE(report.warnings[0].find("1999_8.txt"), std::string::npos) << report.warnings[0];
  EXPECT_NE(report.warnings[0].find("1999_7.txt"), std::string::npos) << report.warnings[0];
  EXPECT_EQ(compiler::SummaryLine(report), "2 acts compiled, 0 files skipped, 1 warnings");
  compiler::CompileReport again;
  const compiler::LibraryPlan plan = compiler::PlanLibrary(compiler::ReadActs(acts, again), [](const std::string&) { return false; });
  std::map<std::string, std::string> titles;  // context -> topic title
  for (const auto& c : plan.contexts) titles[c.name] = plan.topics[c.topic].title;
  EXPECT_NE(titles["DU.1999.0007.0000"].find("o pierwszym"), std::string::npos);
  EXPECT_NE(titles["DU.1999.0007.0000.2"].find("o drugim"), std::string::npos);
  EXPECT_EQ(titles.count("DU.1999.0007.0001.2"), 1u);
}

// An article's heading opens its first paragraph in the heading font, whether the file puts it on a
// line of its own (centred, as journal texts do) or runs the text on; the paragraph keeps the body
// margin, and its marker runs in. A heading with no text after it stands alone.
TEST(Library, ArticleHeadingsStayWithTheirText) {
  const std::string acts = ActsFolder("article_acts", {{"1999_9.txt", std::string("Dz.U. z 1999 r. Nr 5, poz. 9\nUSTAWA\n"
      "z dnia 2 lutego 1999 r.\no nagłówkach\n\n                                Art. 1.\n"
      "Ustawa określa zasady\nprowadzenia rejestru.\n\n                                Art. 2.\n"
      " § 1. Rejestr jest jawny.\n § 2. Wpis jest bezpłatny.\n\nArt. 3. Wzór rejestru:\n"
      "                                Art. 4.\n+----+\n|  a |\n+----+\n"
      "                                Rozdział 2\n                          Przepisy końcowe\n\n                                Art. 5.\n")}});
  compiler::CompileReport report;
  const compiler::LibraryPlan plan = compiler::PlanLibrary(compiler::ReadActs(acts, report), [](const std::string&) { return false; });
  ASSERT_TRUE(report.messages.empty()) << report.messages.front();
  ASSERT_EQ(plan.act_topics.size(), 1u);
  const size_t act = size_t(plan.act_topics.at(0));
  const auto& records = plan.topics[act].records;
  std::map<std::string, size_t> at;  // context -> record of the act's topic
  for (const auto& c : plan.contexts)
    if (c.topic == act) at[c.name] = c.record;
  const struct {
    const char* context;
    const char* text;
    size_t heading_runs;  // runs in the heading font: 1 for a heading run into its text, 0 alone
  } cases[] = {
      {"DU.1999.0009.0001", "Art. 1. Ustawa określa zasady prowadzenia rejestru.", 1},
      {"DU.1999.0009.0002", "Art. 2. § 1. Rejestr jest jawny.", 1},
      {"DU.1999.0009.0003", "Art. 3. Wzór rejestru:", 1},
      {"DU.1999.0009.0004", "Art. 4.", 0},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(at.count(c.context), 1u) << c.context;
    const auto& r = records.at(at[c.context]);
    EXPECT_EQ(compiler::PlainText(r.text), Cp(c.text)) << c.context;
    adt::ParagraphInfo info;
    const size_t start = adt::DpDecodeParagraphInfo(info, r.format.data(), r.format.size());
    ASSERT_GT(start, 0u);
    EXPECT_EQ(info.leftIndent, 18) << c.context;
    EXPECT_EQ(info.firstIndent, 0) << c.context;
    EXPECT_EQ(info.spaceBefore, 12) << c.context;
    // The first command picks the heading font; a run-in heading hands over to the body font after
    // "Art. N. ".
    ASSERT_GE(r.format.size(), start + 3);
    EXPECT_EQ(r.format[start], 0x80);
    EXPECT_EQ(base::load_le16(&r.format[start + 1]), uint16_t(compiler::LibraryFont::kHeading)) << c.context;
    if (c.heading_runs) {
      ASSERT_GE(r.format.size(), start + 6);
      EXPECT_EQ(base::load_le16(&r.format[start + 4]), uint16_t(compiler::LibraryFont::kBody)) << c.context;
      const size_t cut = r.text.find('\0', 1);
      EXPECT_EQ(r.text.substr(1, cut - 1), std::string(c.text, std::string_view(c.text).find('.', 5) + 2)) << c.context;
    }
  }
  // The next paragraph of an article keeps its own hanging shape; the table after a lone heading
  // stays whole; the heading at the end of a division stands alone in that division's topic.
  const auto next = records.at(at["DU.1999.0009.0002"] + 1);
  EXPECT_EQ(compiler::PlainText(next.text), Cp("§ 2. Wpis jest bezpłatny."));
  EXPECT_EQ(compiler::PlainText(records.at(at["DU.1999.0009.0004"] + 1).text), "+----+");
  ASSERT_EQ(plan.topics.size(), act + 2);
  ASSERT_FALSE(plan.topics[act + 1].records.empty());
  EXPECT_EQ(compiler::PlainText(plan.topics[act + 1].records.back().text), "Art. 5.");
}

TEST(Library, AFailedRunLeavesTheOldLibrary) {
  const std::string acts = ActsFolder("failing_acts", {{"1999_1.txt", ""}, {"notes.txt", "Brak tekstu\n"}});
  const std::string out = base::temp_folder() + "/kept_library";
  std::filesystem::create_directories(out);
  const std::string old = "old library";
  ASSERT_EQ(base::write_file_atomic(out + "/" + compiler::kLibraryFileName, {reinterpret_cast<const uint8_t*>(old.data()), old.size()}),
            base::OsError::None);
  compiler::CompileReport report;
  std::string error;
  EXPECT_EQ(compiler::CompileLibrary(acts, out, report, error), 1);
  EXPECT_NE(error.find("no act"), std::string::npos) << error;
  std::vector<uint8_t> kept;
  ASSERT_EQ(base::read_file(out + "/" + compiler::kLibraryFileName, kept), base::OsError::None);
  EXPECT_EQ(std::string(kept.begin(), kept.end()), old);
  EXPECT_FALSE(std::filesystem::exists(out + "/" + compiler::kContentsFileName));
  // An output folder that cannot be written: no half library, no temporary files left.
  const std::string sample = SourceDir() + "/samples/acts";
  EXPECT_EQ(compiler::CompileLibrary(sample, out + "/missing/folder", report, error), 1);
  EXPECT_FALSE(std::filesystem::exists(out + "/missing"));
}

TEST(Library, SharedCorpus) {
  const std::string corpus = SharedCorpus();
  if (corpus.empty()) GTEST_SKIP() << "no shared corpus";
  const CompiledLibrary& library = Compile(corpus, "real");
  CheckRoundTrip(library);
  std::vector<uint8_t> file;
  const auto records = ReadIndex(library, file);
  ASSERT_EQ(records.size(), library.plan.topics.size());
  CheckTreeLinks(records);
  // One record per yearbook, issue, act, division and attachment of the corpus.
  compiler::CompileReport again;
  std::set<int> years;
  std::set<std::pair<int, int>> issues;
  size_t acts = 0, parts = 0, attachments = 0;
  for (const compiler::Act& act : compiler::ReadActs(corpus, again)) {
    years.insert(act.year);
    issues.insert({act.year, act.number});
    ++acts;
    for (size_t s = 1; s < act.sections.size(); ++s) (act.sections[s].attachment ? attachments : parts) += 1;
  }
  std::map<int, size_t> levels;
  size_t attachment_records = 0;
  for (size_t i = 0; i < records.size(); ++i) {
    ++levels[records[i].attachment ? 0 : records[i].level];
    attachment_records += records[i].attachment;
  }
  EXPECT_EQ(levels[9], years.size());
  EXPECT_EQ(levels[8], issues.size());
  EXPECT_EQ(levels[7], acts);
  EXPECT_EQ(attachment_records, attachments);
  EXPECT_EQ(levels[1] + levels[2] + levels[3] + levels[4] + levels[5] + levels[6], parts);
  EXPECT_EQ(size_t(library.report.acts), acts);
}

}  // namespace
