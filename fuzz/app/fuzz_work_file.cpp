// Reads arbitrary bytes as a work file. A work that reads must write back and read again to the
// same lists and sheet histories; a damaged one must fail with the archive's exception and change
// nothing. A sheet's history is either empty or holds the entries its sheet record counts.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "shell/work_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CUserData settings;
  CDocumentData statistics;
  WorkLists lists;
  try {
    CArchive in(std::span<const uint8_t>(data, size));
    SerializeWork(in, settings, statistics, lists);
  } catch (const CArchiveException&) {
    if (!lists.bookmarks.empty() || !lists.queries.empty() || !lists.sheets.empty()) std::abort();
    return 0;
  }
  for (const WorkSheet& sheet : lists.sheets) {
    if (!sheet.history.empty() && sheet.history.size() != sheet.history_count) std::abort();
  }
  ClampWorkSheets(lists, settings.m_nMaxSheets);
  CArchive out;
  SerializeWork(out, settings, statistics, lists);
  WorkLists again;
  CArchive back(out.GetBytes());
  SerializeWork(back, settings, statistics, again);
  if (again.bookmarks.size() != lists.bookmarks.size() || again.queries.size() != lists.queries.size() ||
      again.sheets.size() != lists.sheets.size()) {
    std::abort();
  }
  for (size_t i = 0; i < lists.sheets.size(); ++i) {
    const std::vector<CMvHistoryItem>& was = lists.sheets[i].history;
    const std::vector<CMvHistoryItem>& is = again.sheets[i].history;
    if (is.size() != was.size()) std::abort();
    for (size_t k = 0; k < is.size(); ++k) {
      if (is[k].m_nTopic != was[k].m_nTopic || is[k].m_nPosition != was[k].m_nPosition ||
          is[k].m_nScrollPos != was[k].m_nScrollPos || is[k].m_nTitleIndex != was[k].m_nTitleIndex) {
        std::abort();
      }
    }
  }
  return 0;
}
