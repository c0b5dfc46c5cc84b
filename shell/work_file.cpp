#include "shell/work_file.h"

#include <algorithm>

namespace {

// The fewest bytes one element of each list takes in the file.
constexpr size_t kMinBookmarkBytes = 2 + 1 + 4 + 4 + 4 + 2 + 1 + 1;
constexpr size_t kMinQueryBytes = 1;
constexpr size_t kMinSheetBytes = 4 + 1 + 4;
constexpr size_t kMinPlaceBytes = 2 + 1 + 4 + 4 + 4;

uint32_t ReadBoundedCount(CArchive& ar, size_t element_bytes) {
  uint32_t count = 0;
  ar >> count;
  if (count > ar.Remaining() / element_bytes) throw CArchiveException(CArchiveException::endOfFile);
  return count;
}

void StoreTime(CArchive& ar, const CTime& t) { ar << uint32_t(t.GetTime()); }

CTime LoadTime(CArchive& ar) {
  uint32_t seconds = 0;
  ar >> seconds;
  return CTime(int64_t(seconds));
}

void SerializeSettings(CArchive& ar, CUserData& s) {
  uint8_t* bold[] = {&s.m_bBoldArt, &s.m_bBoldArtW, &s.m_bBoldDU, &s.m_bBoldPoz};
  uint32_t* colours[] = {&s.m_crColorC,  &s.m_crNegativeLink, &s.m_crColorB, &s.m_crLinkArt,
                         &s.m_crLinkArtW, &s.m_crLinkDU,       &s.m_crLinkPoz, &s.m_crColorA};
  if (ar.IsStoring()) {
    for (uint8_t* b : bold) ar << *b;
    ar << s.m_nWorkbookMode;
    for (uint32_t* c : colours) ar << *c;
  } else {
    for (uint8_t* b : bold) ar >> *b;
    ar >> s.m_nWorkbookMode;
    s.m_nWorkbookMode = std::clamp(s.m_nWorkbookMode, 0, 1);
    for (uint32_t* c : colours) ar >> *c;
  }
}

void SerializeStatistics(CArchive& ar, CDocumentData& d) {
  if (ar.IsStoring()) {
    ar << uint32_t(std::clamp<int64_t>(d.m_tsWorkTime.GetTotalSeconds(), 0, UINT32_MAX));
    StoreTime(ar, d.m_tCreated);
    StoreTime(ar, d.m_tModified);
    ar << d.m_nOpenedTopics << d.m_nPrintedPages << d.m_nSearches << d.m_strTitle << d.m_strAuthor;
  } else {
    uint32_t seconds = 0;
    ar >> seconds;
    d.m_tsWorkTime = CTimeSpan(int64_t(seconds));
    d.m_tCreated = LoadTime(ar);
    d.m_tModified = LoadTime(ar);
    ar >> d.m_nOpenedTopics >> d.m_nPrintedPages >> d.m_nSearches >> d.m_strTitle >> d.m_strAuthor;
  }
}

// Part 8: the histories of the sheets part 7 named, each with the entry count part 7 gave. Any
// disagreement or damage leaves every history empty; the sheets are kept either way.
void ReadSheetHistories(CArchive& ar, std::vector<WorkSheet>& sheets) {
  std::vector<std::vector<CMvHistoryItem>> histories(sheets.size());
  try {
    uint32_t count = 0;
    ar >> count;
    if (count != sheets.size()) return;
    for (size_t i = 0; i < sheets.size(); ++i) {
      const uint32_t entries = ReadBoundedCount(ar, kMinPlaceBytes);
      if (entries != sheets[i].history_count) return;
      histories[i].resize(entries);
      for (CMvHistoryItem& item : histories[i]) item.Serialize(ar);
    }
  } catch (const CArchiveException&) {
    return;
  }
  for (size_t i = 0; i < sheets.size(); ++i) sheets[i].history = std::move(histories[i]);
}

}  // namespace

void SerializeWork(CArchive& ar, CUserData& settings, CDocumentData& statistics, WorkLists& lists) {
  if (ar.IsStoring()) {
    SerializeSettings(ar, settings);
    SerializeStatistics(ar, statistics);
    ar << uint32_t(lists.bookmarks.size());
    for (const auto& b : lists.bookmarks) b->Serialize(ar);
    // Texts enter the history non-empty; an empty one ends what is written, and the count says so.
    const auto end = std::find_if(lists.queries.begin(), lists.queries.end(), [](const CString& q) { return q.IsEmpty(); });
    ar << uint32_t(end - lists.queries.begin());
    for (auto q = lists.queries.begin(); q != end; ++q) ar << *q;
    ar << uint32_t(lists.sheets.size());
    for (const WorkSheet& sheet : lists.sheets) ar << sheet.topic << CString() << uint32_t(sheet.history.size());
    ar << uint32_t(lists.sheets.size());
    for (WorkSheet& sheet : lists.sheets) {
      ar << uint32_t(sheet.history.size());
      for (CMvHistoryItem& item : sheet.history) item.Serialize(ar);
    }
    return;
  }

  // Read into copies: a damaged file changes nothing.
  CUserData read_settings = settings;
  CDocumentData read_statistics = statistics;
  SerializeSettings(ar, read_settings);
  SerializeStatistics(ar, read_statistics);
  WorkLists read;
  for (uint32_t n = ReadBoundedCount(ar, kMinBookmarkBytes); n > 0; --n) {
    read.bookmarks.push_back(std::make_unique<CMvBookmarkItem>(ar));
  }
  for (uint32_t n = ReadBoundedCount(ar, kMinQueryBytes); n > 0; --n) {
    CString text;
    ar >> text;
    if (!text.IsEmpty()) read.queries.push_back(text);
  }
  for (uint32_t n = ReadBoundedCount(ar, kMinSheetBytes); n > 0; --n) {
    WorkSheet sheet;
    ar >> sheet.topic >> sheet.name >> sheet.history_count;
    read.sheets.push_back(std::move(sheet));
  }
  if (ar.Remaining() > 0) ReadSheetHistories(ar, read.sheets);
  settings = read_settings;
  statistics = read_statistics;
  lists = std::move(read);
}

bool ClampWorkSheets(WorkLists& lists, int limit) {
  const size_t keep = size_t(std::max(limit, 1));
  if (lists.sheets.size() <= keep) return false;
  lists.sheets.resize(keep);
  return true;
}
