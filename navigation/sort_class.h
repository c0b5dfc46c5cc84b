// Sorting the rows of the navigator lists by a column's text. The comparisons are plain
// functions; CSortClass applies them to an ordinary report list: while it lives, every row's item
// data is replaced by a record of the row's own data and its text in the sorted column, and its
// end puts the rows' own data back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/controls/list_ctrl.h"

namespace navsort {

// Text comparison with numbers: the natural order of findrules::CompareNatural (digit runs as
// numbers, the rest in Polish order without case, empty texts first; only equal texts tie).
int CompareWithNumbers(const std::string& s, const std::string& t);
// A date as the lists show it ("yy-mm-dd", "yyyy-mm-dd" or "dd.mm.yyyy"; two-digit years 00-49
// are 2000-2049, 50-99 1950-1999) as a day number; false when the text is not a valid date.
bool ParseListDate(const std::string& text, int64_t& day);
// Compares two rows' texts by a signed kind (its sign the direction): 1 integers, 2 text with
// numbers, 3 dates (empty texts first, then dates, then texts that are no date), 4 real numbers.
int CompareTexts(const std::string& a, const std::string& b, int kind);
// The kind the lists sort a column with: 1 for column 0, 3 for column 3 (dates), 2 otherwise.
int KindForColumn(int column);

// What a click on a column header does to a list sorted by `column` (-1 none) in `ascending`
// order: another column sorts ascending; the same one ascending turns descending; the same one
// descending returns to the list's own order (column -1).
struct SortState {
  int column = -1;
  bool ascending = true;
};
SortState NextSortState(SortState state, int clicked);

}  // namespace navsort

class CSortClass {
 public:
  CSortClass(CListCtrl* pList, int nColumn);
  ~CSortClass();
  CSortClass(const CSortClass&) = delete;
  CSortClass& operator=(const CSortClass&) = delete;

  // Sorts the rows in place by the column's text with comparison `kind` (1 to 4).
  void Sort(BOOL bAscending, int kind);

 private:
  struct Row {
    DWORD_PTR data;
    std::string text;
  };
  static int Compare(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

  CListCtrl* m_pList;
  std::vector<Row> m_rows;
};
