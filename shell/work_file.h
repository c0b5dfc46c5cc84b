// The work file (".lkl") in the framework's archive form (little-endian, counted CP1250 texts):
//   1. BYTE x4   bold links "art.", "art. w.", "D. U.", "poz."
//   2. DWORD     workbook mode
//   3. DWORD x8  colours: C, negative link, B, link "art.", "art. w.", "D. U.", "poz.", A
//   4. DWORD working time (seconds), DWORD created, DWORD modified (seconds since 1970, unsigned),
//      DWORD opened topics, printed pages, searches; the work's title and author (texts)
//   5. DWORD n, then n bookmarks (work_items.h)
//   6. DWORD n, then n query texts
//   7. DWORD n, then per sheet: DWORD topic, a text (empty), DWORD history entries
//   8. DWORD n, then per sheet: DWORD m and m places (work_items.h)
// Every count is checked against the bytes left before anything is made for it, so a damaged or
// hostile file fails as a whole instead of allocating without end. Part 8 came later: works that
// end after part 7 still read (their sheets have no history), and a damaged part 8 costs only the
// histories, never the rest of the work.
#pragma once

#include <memory>
#include <vector>

#include "platform/base/archive.h"
#include "shell/user_data.h"
#include "shell/work_items.h"

// One text sheet of a work.
struct WorkSheet {
  int32_t topic = -1;
  CString name;
  uint32_t history_count = 0;  // as part 7 gives it
  std::vector<CMvHistoryItem> history;  // oldest first; empty when part 8 is missing or damaged
};

struct WorkLists {
  std::vector<std::unique_ptr<CMvBookmarkItem>> bookmarks;
  std::vector<CString> queries;
  std::vector<WorkSheet> sheets;
};

// Writes or reads the work file; reading replaces the settings' work fields, the statistics and
// the lists, and throws CArchiveException for a damaged file (nothing is then to be trusted).
void SerializeWork(CArchive& ar, CUserData& settings, CDocumentData& statistics, WorkLists& lists);

// Keeps at most `limit` sheets (at least one); true when some were dropped.
bool ClampWorkSheets(WorkLists& lists, int limit);
