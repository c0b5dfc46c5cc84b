// Reads arbitrary bytes as a work file. A work that reads must write back and read again to the
// same lists; a damaged one must fail with the archive's exception and change nothing.
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
  return 0;
}
