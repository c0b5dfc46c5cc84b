// The work file written byte by byte as the format says, read back, and refused when damaged; the
// settings strings, their clamping and their round trip through the registry.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/cp1250.h"
#include "platform/base/registry_store.h"
#include "shell/user_data.h"
#include "shell/work_file.h"
#include "shell/work_items.h"

namespace {

// An independent writer of the expected bytes.
struct Bytes {
  std::vector<uint8_t> b;
  Bytes& u8(uint8_t v) { return b.push_back(v), *this; }
  Bytes& u16(uint16_t v) { return u8(uint8_t(v)).u8(uint8_t(v >> 8)); }
  Bytes& u32(uint32_t v) { return u16(uint16_t(v)).u16(uint16_t(v >> 16)); }
  Bytes& text(const std::string& cp1250) {
    u8(uint8_t(cp1250.size()));
    b.insert(b.end(), cp1250.begin(), cp1250.end());
    return *this;
  }
  Bytes& place(const std::string& title, uint32_t position, uint32_t scroll, uint32_t topic) {
    return u16(1).text(title).u32(position).u32(scroll).u32(topic);
  }
};

std::string Cp(const char* utf8) { return base::cp1250::from_utf8(utf8); }

struct SampleWork {
  CUserData settings;
  CDocumentData statistics;
  WorkLists lists;

  SampleWork() {
    settings.m_bBoldArt = 1;
    settings.m_bBoldPoz = 1;
    statistics.m_tsWorkTime = CTimeSpan(3600);
    statistics.m_tCreated = CTime(1000000000);
    statistics.m_tModified = CTime(int64_t(3000000000u));  // past 2038: read back unsigned
    statistics.m_nOpenedTopics = 5;
    statistics.m_nPrintedPages = 2;
    statistics.m_nSearches = 7;
    statistics.m_strTitle = CString(Cp("Praca ąęłóś"));
    statistics.m_strAuthor = CString("Ala");
    auto bookmark = std::make_unique<CMvBookmarkItem>();
    bookmark->m_nTitleIndex = TitleNamePool::IndexOfName(CString("D:\\LumoKAL\\LumoKAL.dat"));
    bookmark->m_nPosition = 0x4000;
    bookmark->m_nScrollPos = 12;
    bookmark->m_nTopic = 77;
    bookmark->m_strName = CString(Cp("Ustawa o bibliotekach"));
    lists.bookmarks.push_back(std::move(bookmark));
    lists.queries = {CString("biblioteka"), CString(), CString("gmina")};
    WorkSheet first, second;
    first.topic = 120;
    first.history.emplace_back();
    first.history[0].m_nTitleIndex = TitleNamePool::IndexOfName(CString("/srv/LumoKAL.dat"));
    first.history[0].m_nPosition = 9;
    first.history[0].m_nScrollPos = 3;
    first.history[0].m_nTopic = 118;
    second.topic = 455;
    lists.sheets = {first, second};
  }

  std::vector<uint8_t> Store() {
    CArchive ar;
    SerializeWork(ar, settings, statistics, lists);
    return ar.TakeBytes();
  }
};

// Parts 1 to 7, then part 8.
Bytes ExpectedUpToSheets() {
  Bytes e;
  e.u8(1).u8(0).u8(0).u8(1).u32(1);
  for (uint32_t c : {0x808080u, 0xA4A0A0u, 0x808080u, 0x800080u, 0x008080u, 0x800000u, 0x808000u, 0u}) e.u32(c);
  e.u32(3600).u32(1000000000).u32(3000000000u).u32(5).u32(2).u32(7).text(Cp("Praca ąęłóś")).text("Ala");
  e.u32(1).place("D:\\LumoKAL\\LumoKAL.dat", 0x4000, 12, 77).u16(1).text(Cp("Ustawa o bibliotekach")).text("");
  e.u32(1).text("biblioteka");  // the empty text ends the history, and the count says so
  e.u32(2).u32(120).text("").u32(1).u32(455).text("").u32(0);
  return e;
}

TEST(WorkFile, WritesTheStoredFormByteForByteAndReadsItBack) {
  SampleWork work;
  const std::vector<uint8_t> bytes = work.Store();
  Bytes expected = ExpectedUpToSheets();
  expected.u32(2).u32(1).place("/srv/LumoKAL.dat", 9, 3, 118).u32(0);
  EXPECT_EQ(bytes, expected.b);

  CUserData settings;
  CDocumentData statistics;
  WorkLists lists;
  CArchive ar(bytes);
  SerializeWork(ar, settings, statistics, lists);
  EXPECT_EQ(ar.Remaining(), 0u);
  EXPECT_EQ(settings.m_bBoldArt, 1);
  EXPECT_EQ(settings.m_bBoldPoz, 1);
  EXPECT_EQ(settings.m_bBoldDU, 0);
  EXPECT_EQ(statistics.m_tModified.GetTime(), 3000000000);
  EXPECT_EQ(statistics.m_tsWorkTime.GetTotalSeconds(), 3600);
  EXPECT_EQ(statistics.m_strTitle.str(), Cp("Praca ąęłóś"));
  ASSERT_EQ(lists.bookmarks.size(), 1u);
  const CMvBookmarkItem& b = *lists.bookmarks[0];
  EXPECT_EQ(TitleNamePool::NameAt(b.m_nTitleIndex).str(), "D:\\LumoKAL\\LumoKAL.dat");
  EXPECT_EQ(b.m_nTopic, 77);
  EXPECT_EQ(b.m_nPosition, 0x4000);
  EXPECT_EQ(b.m_nScrollPos, 12);
  EXPECT_EQ(b.m_strName.str(), Cp("Ustawa o bibliotekach"));
  ASSERT_EQ(lists.queries.size(), 1u);
  EXPECT_EQ(lists.queries[0].str(), "biblioteka");
  ASSERT_EQ(lists.sheets.size(), 2u);
  EXPECT_EQ(lists.sheets[0].topic, 120);
  EXPECT_EQ(lists.sheets[0].history_count, 1u);
  EXPECT_EQ(lists.sheets[1].topic, 455);
  ASSERT_EQ(lists.sheets[0].history.size(), 1u);
  const CMvHistoryItem& place = lists.sheets[0].history[0];
  EXPECT_EQ(TitleNamePool::NameAt(place.m_nTitleIndex).str(), "/srv/LumoKAL.dat");
  EXPECT_EQ(place.m_nPosition, 9);
  EXPECT_EQ(place.m_nScrollPos, 3);
  EXPECT_EQ(place.m_nTopic, 118);
  EXPECT_TRUE(lists.sheets[1].history.empty());
}

// Two sheets with several places each come back with every place in its order.
TEST(WorkFile, SheetHistoriesComeBackInOrder) {
  SampleWork work;
  work.lists.sheets[0].history.clear();
  for (int32_t i = 0; i < 3; ++i) work.lists.sheets[0].history.emplace_back(100 + i, 1000 + i, i, nullptr);
  for (int32_t i = 0; i < 2; ++i) work.lists.sheets[1].history.emplace_back(200 + i, 2000 + i, 0, nullptr);
  const std::vector<uint8_t> bytes = work.Store();
  CArchive ar(bytes);
  CUserData settings;
  CDocumentData statistics;
  WorkLists lists;
  SerializeWork(ar, settings, statistics, lists);
  ASSERT_EQ(lists.sheets.size(), 2u);
  auto topics = [](const WorkSheet& sheet) {
    std::vector<int32_t> out;
    for (const CMvHistoryItem& item : sheet.history) out.push_back(item.m_nTopic * 10000 + item.m_nPosition);
    return out;
  };
  EXPECT_EQ(topics(lists.sheets[0]), (std::vector<int32_t>{1001000, 1011001, 1021002}));
  EXPECT_EQ(topics(lists.sheets[1]), (std::vector<int32_t>{2002000, 2012001}));
}

// Works written before the histories were kept end after the sheets; a damaged history part
// leaves every history empty and the rest of the work as it was.
TEST(WorkFile, AMissingOrDamagedHistoryPartCostsOnlyTheHistories) {
  SampleWork work;
  const std::vector<uint8_t> bytes = work.Store();
  const size_t sheets_end = ExpectedUpToSheets().b.size();
  auto read = [](const std::vector<uint8_t>& file) {
    WorkLists lists;
    CUserData settings;
    CDocumentData statistics;
    CArchive ar(file);
    SerializeWork(ar, settings, statistics, lists);
    EXPECT_EQ(statistics.m_nSearches, 7u);
    EXPECT_EQ(lists.bookmarks.size(), 1u);
    EXPECT_EQ(lists.queries.size(), 1u);
    return lists;
  };
  struct Case {
    const char* what;
    std::vector<uint8_t> file;
  };
  std::vector<Case> cases;
  for (size_t cut = sheets_end; cut < bytes.size(); ++cut) {
    cases.push_back({"cut short", std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(cut))});
  }
  auto patched = [&](size_t at, uint32_t value) {
    std::vector<uint8_t> file = bytes;
    for (int i = 0; i < 4; ++i) file[at + size_t(i)] = uint8_t(value >> (8 * i));
    return file;
  };
  cases.push_back({"sheet count differs", patched(sheets_end, 3)});
  cases.push_back({"sheet count huge", patched(sheets_end, 0x7FFFFFFF)});
  cases.push_back({"entries differ from the sheet's", patched(sheets_end + 4, 2)});
  cases.push_back({"entries beyond the bytes", patched(sheets_end + 4, 0x7FFFFFFF)});
  // A place whose title name claims more bytes than are left.
  std::vector<uint8_t> long_name = bytes;
  long_name[sheets_end + 10] = 200;
  cases.push_back({"place unreadable", long_name});
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.what) + " at " + std::to_string(c.file.size()));
    const WorkLists lists = read(c.file);
    ASSERT_EQ(lists.sheets.size(), 2u);
    EXPECT_EQ(lists.sheets[0].topic, 120);
    EXPECT_EQ(lists.sheets[1].topic, 455);
    EXPECT_TRUE(lists.sheets[0].history.empty());
    EXPECT_TRUE(lists.sheets[1].history.empty());
  }
}

TEST(WorkFile, AnEmptyWorkWritesZeroCountsAndReadsBackEmpty) {
  CUserData settings;
  CDocumentData statistics;
  WorkLists lists;
  CArchive out;
  SerializeWork(out, settings, statistics, lists);
  const std::vector<uint8_t> bytes = out.TakeBytes();
  // Settings 40 bytes, statistics 24 and two empty texts, then four zero counts.
  ASSERT_EQ(bytes.size(), 40u + 24u + 2u + 16u);
  EXPECT_TRUE(std::all_of(bytes.end() - 16, bytes.end(), [](uint8_t b) { return b == 0; }));
  CArchive in(bytes);
  lists.queries.push_back(CString("stare"));
  SerializeWork(in, settings, statistics, lists);
  EXPECT_TRUE(lists.bookmarks.empty());
  EXPECT_TRUE(lists.queries.empty());
  EXPECT_TRUE(lists.sheets.empty());
}

TEST(WorkFile, TruncatedAndInflatedWorksAreRefusedAndChangeNothing) {
  SampleWork work;
  const std::vector<uint8_t> bytes = work.Store();
  const size_t sheets_end = ExpectedUpToSheets().b.size();
  for (size_t cut = 0; cut < sheets_end; ++cut) {
    const std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + long(cut));
    CUserData settings;
    CDocumentData statistics;
    WorkLists lists;
    lists.queries.push_back(CString("zostaje"));
    CArchive ar(prefix);
    EXPECT_THROW(SerializeWork(ar, settings, statistics, lists), CArchiveException) << cut;
    EXPECT_EQ(settings.m_bBoldArt, 0) << cut;
    EXPECT_EQ(statistics.m_nSearches, 0u) << cut;
    EXPECT_EQ(lists.queries.size(), 1u) << cut;
  }
  // Counts far beyond the bytes left fail at once, before anything is made for them.
  const size_t bookmarks_at = 40 + 24 + 1 + Cp("Praca ąęłóś").size() + 1 + 3;
  // The sheet count is 22 bytes before the sheets end, the query count 15 bytes before that.
  ASSERT_EQ(bytes[bookmarks_at], 1);
  ASSERT_EQ(bytes[sheets_end - 37], 1);
  ASSERT_EQ(bytes[sheets_end - 22], 2);
  for (size_t at : {bookmarks_at, sheets_end - 37, sheets_end - 22}) {
    std::vector<uint8_t> inflated = bytes;
    inflated[at] = inflated[at + 1] = inflated[at + 2] = 0xFF;
    inflated[at + 3] = 0x7F;
    CUserData settings;
    CDocumentData statistics;
    WorkLists lists;
    CArchive ar(inflated);
    EXPECT_THROW(SerializeWork(ar, settings, statistics, lists), CArchiveException) << at;
  }
}

TEST(WorkFile, TooManySheetsAreCutToTheLimit) {
  WorkLists lists;
  lists.sheets.resize(20);
  EXPECT_FALSE(ClampWorkSheets(lists, 20));
  EXPECT_TRUE(ClampWorkSheets(lists, 16));
  EXPECT_EQ(lists.sheets.size(), 16u);
  EXPECT_TRUE(ClampWorkSheets(lists, 0));  // never below one sheet
  EXPECT_EQ(lists.sheets.size(), 1u);
}

TEST(WorkItems, TitleNamesAreKeptOnceAndMatchedByFileName) {
  const int a = TitleNamePool::IndexOfName(CString("/srv/a/LumoKAL.dat"));
  EXPECT_EQ(TitleNamePool::IndexOfName(CString("/srv/a/LumoKAL.dat")), a);
  EXPECT_NE(TitleNamePool::IndexOfName(CString("/srv/a/lumokal.dat")), a);  // the pool compares exactly
  EXPECT_EQ(TitleNamePool::NameAt(-1).str(), "");
  EXPECT_EQ(TitleNamePool::NameAt(TitleNamePool::GetCount()).str(), "");
  EXPECT_TRUE(SameTitleFile(CString("D:\\BAZA\\LUMOKAL.DAT"), CString("/srv/biblioteka/LumoKAL.dat")));
  EXPECT_TRUE(SameTitleFile(CString("LumoKAL.dat"), CString("/x/LumoKAL.dat")));
  EXPECT_FALSE(SameTitleFile(CString("D:\\BAZA\\Inny.dat"), CString("/srv/LumoKAL.dat")));
  EXPECT_FALSE(SameTitleFile(CString(""), CString("")));

  // A print-list entry and a scroll position that never goes negative.
  CMvPrintmarkItem mark;
  mark.m_nKind = 7;
  mark.SetScrollPos(-5);
  EXPECT_EQ(mark.m_nScrollPos, 0);
  CArchive out;
  mark.Serialize(out);
  const std::vector<uint8_t> bytes = out.TakeBytes();
  Bytes expected;
  expected.place("", 0, 0, 0).u16(1).u32(7);
  EXPECT_EQ(bytes, expected.b);
  CMvPrintmarkItem back;
  CArchive in(bytes);
  back.Serialize(in);
  EXPECT_EQ(back.m_nKind, 7);
}

// --- Settings --------------------------------------------------------------------------------------

TEST(UserData, StringsParseFieldByFieldWithTheLibraryRules) {
  CUserData d;
  // Two numbers: the notes column and the NEAR distance; the rest stay; not complete.
  EXPECT_FALSE(d.ParseString("UserData", "50,8"));
  EXPECT_EQ(d.m_nNotesWidth, 50);
  EXPECT_EQ(d.m_nNearDistance, 8);
  EXPECT_EQ(d.m_nMaxSheets, 8);
  // Thirteen printing numbers: every printing option, the hover look and autostart.
  EXPECT_TRUE(d.ParseString("PrnPreferences", "1,0,0,1,1,1,1,0,1,0,0,0,0"));
  EXPECT_EQ(d.m_bNotesColumn, 1);
  EXPECT_EQ(d.m_bFooterDate, 0);
  EXPECT_EQ(d.m_bSmoothScroll, 1);
  EXPECT_EQ(d.m_bUnitPerPage, 1);
  EXPECT_EQ(d.m_bPageNumbers, 0);
  EXPECT_EQ(d.m_bHoverLook, 0);
  EXPECT_EQ(d.m_bAutostart, 0);
  // 300 in a bold flag keeps its low eight bits; unsigned colours take negative numbers whole.
  EXPECT_TRUE(d.ParseString("ColorPreferences",
                            "0,0,1,1,1,0,-1,8421504,8421504,300,0,0,0,8388608,8421376,8388736,32896,10788992,1,1,1,0"));
  EXPECT_EQ(d.m_bBoldDU, 44);
  EXPECT_EQ(d.m_crColorA, 0xFFFFFFFFu);
  // A field that does not convert stops the string there.
  EXPECT_FALSE(d.ParseString("NewPreferences", "5,0,x,1,2,3"));
  EXPECT_EQ(d.m_nUnusedValue, 5);
  EXPECT_EQ(d.m_bCtrlCopyUnit, 0);
  EXPECT_TRUE(d.ParseString("NewPreferences", ""));
  EXPECT_FALSE(d.ParseString("Nieznany", "1"));
}

TEST(UserData, LoadedValuesAreBroughtIntoRange) {
  const struct {
    const char* text;
    int sheets;
    int near;
    int polls;
  } cases[] = {
      {"70,0,1,1,0,1,0,1,0,0,20,15,18,18", 1, 1, 1},        // zeros: a sheet limit of 0 would refuse every sheet
      {"70,8,1,1,0,1,0,1,1000,99,20,15,18,18", 16, 8, 1000},  // too many sheets
      {"70,65535,1,1,0,1,0,1,-5,-3,20,15,18,18", 1, 100, 1},
  };
  for (const auto& c : cases) {
    CUserData d;
    d.ParseString("UserData", c.text);
    d.Clamp();
    EXPECT_EQ(d.m_nMaxSheets, c.sheets) << c.text;
    EXPECT_EQ(d.m_nNearDistance, c.near) << c.text;
    EXPECT_EQ(d.m_nPollMessages, c.polls) << c.text;
  }
  CUserData d;
  d.ParseString("UserData", "-40,8,1,1,0,1,0,7,1000,8,-1,999,18,18");
  d.ParseString("NewPreferences", "0,1,0,0,-9,9");
  d.Clamp();
  EXPECT_EQ(d.m_nNotesWidth, 0);
  EXPECT_EQ(d.m_nMarginLeft, 0);
  EXPECT_EQ(d.m_nMarginRight, 100);
  EXPECT_EQ(d.m_nWorkbookMode, 1);
  EXPECT_EQ(d.m_nHistoryDelay, 0);
  EXPECT_EQ(d.m_nCopyFormat, 4);
}

TEST(UserData, SettingsRoundTripThroughTheRegistry) {
  const std::string path = ::testing::TempDir() + "/user_data_registry.dat";
  std::filesystem::remove(path);
  base::RegistryStore::set_user_path(path);
  CUserData empty;
  EXPECT_FALSE(empty.Load());  // no key yet: the defaults stay
  EXPECT_EQ(empty.m_nMaxSheets, 8);
  EXPECT_EQ(empty.m_crNegativeLink, 0xA4A0A0u);

  CUserData d;
  d.m_nMaxSheets = 12;
  d.m_bBoldArtW = 1;
  d.m_crLinkDU = 0x123456;
  d.m_bFooterWorkTitle = 0;
  d.m_nCopyFormat = 1;
  d.m_nNearDistance = 5;
  d.m_bFirstFoundWord = 0;  // not stored
  d.Save();
  for (const char* name : {"UserData", "ColorPreferences", "PrnPreferences", "NewPreferences"}) {
    CUserData copy;
    EXPECT_TRUE(copy.ParseString(name, d.FormatString(name))) << name;
    EXPECT_EQ(copy.FormatString(name), d.FormatString(name)) << name;
  }
  CUserData back;
  EXPECT_TRUE(back.Load());
  EXPECT_EQ(back.m_nMaxSheets, 12);
  EXPECT_EQ(back.m_bBoldArtW, 1);
  EXPECT_EQ(back.m_crLinkDU, 0x123456u);
  EXPECT_EQ(back.m_bFooterWorkTitle, 0);
  EXPECT_EQ(back.m_nCopyFormat, 1);
  EXPECT_EQ(back.m_nNearDistance, 5);
  EXPECT_EQ(back.m_bFirstFoundWord, 1);
}

TEST(DocumentData, ANewWorkStartsCountingAfresh) {
  CDocumentData d;
  d.m_nSearches = 4;
  d.Reset(CString("Ola"));
  EXPECT_EQ(d.m_nSearches, 0u);
  EXPECT_EQ(d.m_strTitle.str(), "Nowa praca");
  EXPECT_EQ(d.m_strAuthor.str(), "Ola");
  EXPECT_EQ(d.m_tCreated, d.m_tModified);
  d.CountSearch();
  d.CountPrintedPages(3);
  d.CountPrintedPages(-2);
  d.CountOpenedTopic();
  EXPECT_EQ(d.m_nSearches, 1u);
  EXPECT_EQ(d.m_nPrintedPages, 3u);
  EXPECT_EQ(d.m_nOpenedTopics, 1u);
  d.m_tMeasured = CTime(d.m_tMeasured.GetTime() - 90);
  d.AccumulateWorkTime();
  EXPECT_GE(d.m_tsWorkTime.GetTotalSeconds(), 90);
}

}  // namespace
