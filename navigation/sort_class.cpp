#include "navigation/sort_class.h"

#include <algorithm>
#include <cstdlib>

#include "controls/date.h"
#include "navigation/query_rules.h"
#include "platform/base/cstring.h"

namespace navsort {
namespace {

int Sign(int64_t v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

bool ReadNumber(const std::string& text, size_t& at, int digits_min, int digits_max, int& out) {
  const size_t start = at;
  out = 0;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9' && int(at - start) < digits_max) {
    out = out * 10 + (text[at++] - '0');
  }
  return int(at - start) >= digits_min;
}

}  // namespace

int CompareWithNumbers(const std::string& a, const std::string& b) { return findrules::CompareNatural(a, b); }

bool ParseListDate(const std::string& text, int64_t& day) {
  size_t at = text.find_first_not_of(' ');
  if (at == std::string::npos) return false;
  int year = 0, month = 0, date = 0;
  const size_t start = at;
  if (!ReadNumber(text, at, 1, 4, year) || at >= text.size()) return false;
  const size_t first_digits = at - start;
  if (text[at] == '-' && (first_digits == 2 || first_digits == 4)) {
    ++at;
    if (!ReadNumber(text, at, 1, 2, month) || at >= text.size() || text[at++] != '-' || !ReadNumber(text, at, 1, 2, date)) {
      return false;
    }
    if (first_digits == 2) year += year < 50 ? 2000 : 1900;
  } else if (text[at] == '.' && first_digits <= 2) {
    date = year;
    ++at;
    if (!ReadNumber(text, at, 1, 2, month) || at >= text.size() || text[at++] != '.' || !ReadNumber(text, at, 4, 4, year)) {
      return false;
    }
  } else {
    return false;
  }
  if (text.find_first_not_of(' ', at) != std::string::npos) return false;
  if (month < 1 || month > 12 || date < 1 || date > CDate::DaysInMonth(year, month)) return false;
  day = CDate::DayNumberOf(year, month, date);
  return true;
}

int CompareTexts(const std::string& a, const std::string& b, int kind) {
  const int direction = kind < 0 ? -1 : 1;
  switch (kind * direction) {
    case 1: return Sign(int64_t(std::atoll(a.c_str())) - int64_t(std::atoll(b.c_str()))) * direction;
    case 2: return CompareWithNumbers(a, b) * direction;
    case 3: {
      // Empty texts first, then the dates in time order, then texts that are no date.
      if (a.empty() || b.empty()) return (int(b.empty()) - int(a.empty())) * direction;
      int64_t da = 0, db = 0;
      const bool va = ParseListDate(a, da), vb = ParseListDate(b, db);
      if (va && vb) return Sign(da - db) * direction;
      if (va != vb) return (va ? -1 : 1) * direction;
      return findrules::CompareNatural(a, b) * direction;
    }
    case 4: return std::strtod(b.c_str(), nullptr) > std::strtod(a.c_str(), nullptr) ? -direction : direction;
    default: return 0;
  }
}

int KindForColumn(int column) { return column == 0 ? 1 : column == 3 ? 3 : 2; }

SortState NextSortState(SortState state, int clicked) {
  if (clicked != state.column) return {clicked, true};
  if (state.ascending) return {clicked, false};
  return {-1, true};
}

}  // namespace navsort

CSortClass::CSortClass(CListCtrl* pList, int nColumn) : m_pList(pList) {
  const int count = pList->GetItemCount();
  m_rows.reserve(size_t(count));
  for (int i = 0; i < count; ++i) {
    m_rows.push_back({pList->GetItemData(i), static_cast<LPCTSTR>(pList->GetItemText(i, nColumn))});
  }
  for (int i = 0; i < count; ++i) pList->SetItemData(i, reinterpret_cast<DWORD_PTR>(&m_rows[size_t(i)]));
}

CSortClass::~CSortClass() {
  const int count = m_pList->GetItemCount();
  for (int i = 0; i < count; ++i) {
    const auto* row = reinterpret_cast<const Row*>(m_pList->GetItemData(i));
    m_pList->SetItemData(i, row ? row->data : 0);
  }
}

void CSortClass::Sort(BOOL bAscending, int kind) {
  m_pList->SortItems(&CSortClass::Compare, DWORD_PTR(bAscending ? kind : -kind));
}

int CSortClass::Compare(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort) {
  const auto* a = reinterpret_cast<const Row*>(lParam1);
  const auto* b = reinterpret_cast<const Row*>(lParam2);
  return navsort::CompareTexts(a->text, b->text, int(lParamSort));
}
