// The title object: opening and sharing, system records and information codes, damage at open.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/title/context_hash.h"
#include "engine/title/title_library.h"
#include "engine/title/title_tables.h"
#include "tests/title/title_fixture.h"
#include "tools/titlebuild/system_writer.h"

namespace {

using namespace title;
using title_test::write_title;

std::string small_title(const std::string& name, titlebuild::TopicFileLayout& layout, bool compressed = true) {
  titlebuild::LibraryTitleSource source;
  source.topics = title_test::topics_of({{100, 200}, {50}, {300, 10, 20}});
  source.compressed = compressed;
  source.title_text = "Biblioteka aktów prawnych";
  source.contexts = {{"USTAWA_1", 0}, {"ustawa.3", 2}};
  return write_title(source, name, layout);
}

// A title whose "|SYSTEM" is replaced by the given bytes.
std::string title_with_system(const std::string& name, const std::vector<uint8_t>& system) {
  titlebuild::LibraryTitleSource source;
  source.topics = title_test::topics_of({{100}});
  titlebuild::TitleBuilder builder;
  titlebuild::TopicFileLayout layout;
  EXPECT_EQ(titlebuild::AddLibraryTitle(builder, source, layout), 0);
  builder.add_file("|SYSTEM", system);
  const std::string path = title_test::title_path(name);
  EXPECT_EQ(builder.write(path), 0);
  return path;
}

TEST(TitleObject, SharedPerFileAndCounted) {
  titlebuild::TopicFileLayout layout;
  const std::string path = small_title("shared", layout);
  ASSERT_FALSE(path.empty());
  TitleHandle* a = TtlOpen(path.c_str(), nullptr, 0, true);
  ASSERT_NE(a, nullptr);
  TitleHandle* b = TtlOpen(path.c_str(), nullptr, 0, true);
  EXPECT_EQ(a, b);
  EXPECT_EQ(a->references, 2);
  TtlClose(a);
  EXPECT_TRUE(TtlIsValid(a));
  EXPECT_EQ(TtlGetInfo(a, kInfoTopicCount, 0, nullptr, 0), 3);
  TtlClose(a);
  EXPECT_FALSE(TtlIsValid(a));  // freed: the registry knows it is gone
  EXPECT_EQ(TtlGetInfo(a, kInfoTopicCount, 0, nullptr, 0), -1);
  TtlClose(a);  // a second close of a freed handle does nothing
  EXPECT_EQ(TtlOpen(nullptr, nullptr, 0, true), nullptr);
  EXPECT_EQ(TtlOpen((path + ".none").c_str(), nullptr, 0, true), nullptr);
}

TEST(TitleObject, ReferenceCountPastSixteenBits) {
  titlebuild::TopicFileLayout layout;
  const std::string path = small_title("many_opens", layout);
  TitleHandle* first = TtlOpen(path.c_str(), nullptr, 0, true);
  ASSERT_NE(first, nullptr);
  for (int i = 0; i < 0x10000; ++i) ASSERT_EQ(TtlOpen(path.c_str(), nullptr, 0, true), first);
  for (int i = 0; i < 0x10000; ++i) TtlClose(first);
  EXPECT_TRUE(TtlIsValid(first));
  TtlClose(first);
  EXPECT_FALSE(TtlIsValid(first));
}

TEST(TitleObject, ReleasesErrorRecordsAtShutDown) {
  EXPECT_EQ(TtlOpen("/no/such/folder/title.m14", nullptr, 0, true), nullptr);
  EXPECT_NE(mvfs::FsGetLastError(), mvfs::kFsOk);
  EXPECT_EQ(TtlReleaseErrorRecords(1), 0);
  EXPECT_NE(mvfs::FsGetLastError(), mvfs::kFsOk);  // only flag 0 frees them
  EXPECT_EQ(TtlReleaseErrorRecords(0), 0);
  EXPECT_EQ(mvfs::FsGetLastError(), mvfs::kFsOk);
}

TEST(TitleObject, InformationCodes) {
  titlebuild::SystemWriter system(true);
  system.add_text(kTagTitle, "");
  system.add_value(kTagTopicCount, 1);
  for (int i = 0; i < 3; ++i) system.add_text(kTagTextLines, std::string(300, char('a' + i)));
  std::vector<uint8_t> numbered(40, 0);
  numbered[1] = 0xFE;
  std::memcpy(numbered.data() + 28, "Dz.U.", 6);
  system.add_record(kTagNumberedText, numbered);
  system.add_record(kTagNumberedText, std::vector<uint8_t>(10, 1));  // too short to hold its text
  const std::string path = title_with_system("info", system.bytes());
  TitleHandle* t = TtlOpen(path.c_str(), nullptr, 0, true);
  ASSERT_NE(t, nullptr);
  char buffer[512];
  EXPECT_EQ(TtlGetInfo(t, kInfoTopicCount, 0, nullptr, 0), 1);
  EXPECT_EQ(TtlGetInfo(t, kInfoTopicCount, 1, nullptr, 0), -1);
  EXPECT_EQ(TtlGetInfo(t, kTagTitle, 100, buffer, sizeof buffer), -1);  // empty text counts as absent
  EXPECT_EQ(TtlGetInfo(t, kTagCopyright, 100, buffer, sizeof buffer), -1);
  EXPECT_EQ(TtlGetInfo(t, kTagTextLines, (2 << 16) + 256, buffer, sizeof buffer), 301);
  EXPECT_EQ(std::strlen(buffer), 255u);
  EXPECT_EQ(buffer[0], 'c');
  EXPECT_EQ(TtlGetInfo(t, kTagTextLines, (3 << 16) + 256, buffer, sizeof buffer), -1);
  EXPECT_EQ(TtlGetInfo(t, kInfoNumberedText, 64, buffer, sizeof buffer), -2);
  EXPECT_STREQ(buffer, "Dz.U.");
  EXPECT_EQ(TtlGetInfo(t, kInfoNumberedText, (1 << 16) + 64, buffer, sizeof buffer), 0);
  const int32_t needed = int32_t(path.size()) + 1;
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(TtlGetInfo(t, kInfoFilePath, 10, buffer, sizeof buffer), needed);
  EXPECT_EQ(buffer[0], 'x');  // too small: untouched
  EXPECT_EQ(TtlGetInfo(t, kInfoFilePath, needed, buffer, sizeof buffer), needed);
  EXPECT_EQ(std::string(buffer), path);
  EXPECT_EQ(TtlGetInfo(t, kInfoIndexOpen, 0, nullptr, 0), 0);  // full-text index not wired in yet
  TtlClose(t);
}

TEST(TitleObject, LibrariesNamedByTheTitle) {
  titlebuild::SystemWriter system(true);
  system.add_value(kTagTopicCount, 1);
  const char alias[] = "Ustawy\0opis\0\0lumo_no_such_library";
  system.add_record(kTagLibraryAlias, std::vector<uint8_t>(alias, alias + sizeof alias));
  system.add_record(kTagLibraryAlias, {'x', 0});  // too short to hold four strings
  const std::string path = title_with_system("library", system.bytes());
  TitleHandle* t = TtlOpen(path.c_str(), nullptr, 0, true);
  ASSERT_NE(t, nullptr);
  int32_t code = 0;
  EXPECT_EQ(TtlLoadDll(t, "USTAWY", code), nullptr);
  EXPECT_EQ(code, 3);
  EXPECT_EQ(TtlLoadDll(t, "x", code), nullptr);
  EXPECT_EQ(code, 3);
  EXPECT_EQ(TtlLoadDll(t, nullptr, code), nullptr);
  TtlClose(t);
}

TEST(TitleObject, RefusedAtOpen) {
  titlebuild::SystemWriter good(true);
  good.add_value(kTagTopicCount, 1);
  std::vector<uint8_t> wrong_version = good.bytes();
  wrong_version[2] = 28;
  std::vector<uint8_t> wrong_magic = good.bytes();
  wrong_magic[0] = 0;
  std::vector<uint8_t> huge = good.bytes();
  huge.resize(kSystemMaxFileSize + 1);
  const std::pair<const char*, std::vector<uint8_t>> cases[] = {
      {"version", wrong_version}, {"magic", wrong_magic}, {"short", {0x6C, 0x03, 27}}, {"huge", huge}};
  for (const auto& [name, bytes] : cases) {
    const std::string path = title_with_system(std::string("refused_") + name, bytes);
    EXPECT_EQ(TtlOpen(path.c_str(), nullptr, 0, true), nullptr) << name;
  }
}

TEST(TitleObject, SystemWalkStaysInsideTheBody) {
  // A record whose length runs past the body ends the walk: it and what follows are absent, and the
  // short topic-count and start records count as absent.
  std::vector<uint8_t> body = {0x0B, 0x00, 0x02, 0x00, 0x05, 0x00,   // tag 11 of 2 bytes
                               0x03, 0x00, 0x01, 0x00, 0x07,         // tag 3 of 1 byte
                               0x01, 0x00, 0xFF, 0x7F, 'a', 'b'};    // tag 1 claiming 32,767 bytes
  EXPECT_FALSE(TtlSystemValue(body, kTagTopicCount).has_value());
  EXPECT_FALSE(TtlSystemValue(body, kTagStartTopic).has_value());
  EXPECT_FALSE(TtlSystemRecordAt(body, kTagTitle, 0).has_value());
  SystemRecord found;
  EXPECT_EQ(TtlSystemRecord(body, kTagStartTopic, 0, found), std::optional<size_t>(11));
}

TEST(TitleObject, PhraseFileDecidesTheOpen) {
  titlebuild::LibraryTitleSource source;
  source.topics = title_test::topics_of({{400}});
  source.phrases = {"Dziennik", "Ministra", "Ustaw", "ustawa"};
  const std::pair<const char*, std::function<void(std::vector<uint8_t>&)>> cases[] = {
      {"intact", [](std::vector<uint8_t>&) {}},
      {"magic 2049", [](std::vector<uint8_t>& f) { f[0] = 0x01; }},
      {"damaged", [](std::vector<uint8_t>& f) { f[6] += 9; }},
  };
  const bool opens[] = {true, true, false};
  for (size_t i = 0; i < 3; ++i) {
    titlebuild::TitleBuilder builder;
    titlebuild::TopicFileLayout layout;
    ASSERT_EQ(titlebuild::AddLibraryTitle(builder, source, layout), 0);
    std::vector<uint8_t> phrases = builder.file("|Phrases");
    cases[i].second(phrases);
    builder.add_file("|Phrases", phrases);
    const std::string path = title_test::title_path(std::string("phrases_") + std::to_string(i));
    ASSERT_EQ(builder.write(path), 0);
    TitleHandle* t = TtlOpen(path.c_str(), nullptr, 0, true);
    EXPECT_EQ(t != nullptr, opens[i]) << cases[i].first;
    if (t) {
      EXPECT_EQ(t->phrases != nullptr, i == 0);
    }
    TtlClose(t);
  }
}

TEST(ContextHash, Values) {
  EXPECT_EQ(HashContextString("0x0000002A"), 42u);
  EXPECT_EQ(HashContextString("0X0000002A"), [] {
    uint32_t h = 0;
    for (uint32_t c : {10u, 40u, 10u, 10u, 10u, 10u, 10u, 10u, 2u, 17u}) h = h * 43 + c;
    return h;
  }());
  EXPECT_EQ(HashContextString("A"), 17u);
  EXPECT_EQ(HashContextString("a"), 17u);
  EXPECT_EQ(HashContextString("10"), 53u);
  EXPECT_EQ(HashContextString(""), 1u);
  // CP1250 letters are bytes above 0x7F and count as unsigned.
  EXPECT_EQ(HashContextString("\xB9"), 0xB9u - 80);       // ą
  EXPECT_EQ(HashContextString("\xA3"), 0xA3u - 80);       // Ł
  EXPECT_EQ(HashContextString("\xBF\xF3\xB3w"), ((0xBFu - 80) * 43 + (0xF3u - 80)) * 43 * 43 + (0xB3u - 80) * 43 + 39);
  EXPECT_TRUE(HashIsValidContext("ustawa_1.a!b"));
  EXPECT_FALSE(HashIsValidContext("!ustawa"));
  EXPECT_FALSE(HashIsValidContext(""));
  EXPECT_FALSE(HashIsValidContext("ust\xB9wa"));
}

}  // namespace
