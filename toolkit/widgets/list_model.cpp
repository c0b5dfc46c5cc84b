#include "toolkit/widgets/list_model.h"

#include <algorithm>

#include "platform/framework/tool_tips.h"

ListText ListText::From(LPCTSTR p) {
  if (p == LPSTR_TEXTCALLBACK) return OnDemand();
  if (!p) return ListText{};
  return ListText{Kind::stored, CString(p)};
}

bool SECListRow::NeedsParentData() const {
  if (text.IsOnDemand() || image == I_IMAGECALLBACK) return true;
  return std::any_of(sub_items.begin(), sub_items.end(),
                     [](const SECListSubItem& s) { return s.text.IsOnDemand(); });
}

const ListText* SECListRow::Text(int sub) const {
  if (sub == 0) return &text;
  if (sub < 0 || size_t(sub) > sub_items.size()) return nullptr;
  return &sub_items[size_t(sub) - 1].text;
}

ListText* SECListRow::Text(int sub) {
  return const_cast<ListText*>(static_cast<const SECListRow*>(this)->Text(sub));
}

// --- Columns ----------------------------------------------------------------------------------------

SECListColumn* ListModel::Column(int index) const {
  return index >= 0 && index < ColumnCount() ? columns_[size_t(index)].get() : nullptr;
}

void ListModel::insert_slot_all(int slot) {
  for (auto& row : rows_) row->sub_items.insert(row->sub_items.begin() + slot, SECListSubItem{});
}

void ListModel::erase_slot_all(int slot) {
  for (auto& row : rows_) {
    if (size_t(slot) < row->sub_items.size()) row->sub_items.erase(row->sub_items.begin() + slot);
  }
}

int ListModel::InsertColumn(int index, std::unique_ptr<SECListColumn> column) {
  index = std::clamp(index, 0, ColumnCount());
  auto new_slot = [&](SECListColumn& c) {
    c.sub_item = ++sub_item_count_;
    insert_slot_all(sub_item_count_ - 1);
  };
  if (index == 0) {
    column->format = LVCFMT_LEFT;
    column->sub_item = 0;
    if (!columns_.empty() && columns_[0]->sub_item == 0) new_slot(*columns_[0]);
  } else if (column->sub_item < 0 || column->sub_item > sub_item_count_) {
    new_slot(*column);
    if (column->width == -1) column->width = 10;
  }
  columns_.insert(columns_.begin() + index, std::move(column));
  return index;
}

bool ListModel::DeleteColumn(int index, bool keep_width) {
  if (!Column(index)) return false;
  std::unique_ptr<SECListColumn> gone = std::move(columns_[size_t(index)]);
  columns_.erase(columns_.begin() + index);
  auto drop_slot = [&](int sub) {
    if (sub <= 0) return;
    erase_slot_all(sub - 1);
    --sub_item_count_;
    for (auto& c : columns_) {
      if (c->sub_item > sub) --c->sub_item;
    }
  };
  if (gone->sub_item == 0) {
    // The labels stay with the rows; the column that is now first shows them.
    if (!columns_.empty()) {
      int taken = columns_[0]->sub_item;
      columns_[0]->sub_item = 0;
      columns_[0]->format = LVCFMT_LEFT;
      drop_slot(taken);
    }
  } else {
    drop_slot(gone->sub_item);
  }
  if (!keep_width) {
    auto first = std::find_if(columns_.begin(), columns_.end(), [](auto& c) { return c->sub_item == 0; });
    if (first != columns_.end()) (*first)->width += gone->width;
  }
  return true;
}

int ListModel::ColumnLeft(int index) const {
  int x = 0;
  for (int i = 0; i < std::min(index, ColumnCount()); ++i) x += columns_[size_t(i)]->width;
  return x;
}

int ListModel::TotalColumnWidth() const { return ColumnLeft(ColumnCount()); }

// --- Rows -------------------------------------------------------------------------------------------

SECListRow* ListModel::Row(int index) const {
  return index >= 0 && index < RowCount() ? rows_[size_t(index)].get() : nullptr;
}

int ListModel::IndexOf(const SECListRow* row) const {
  for (int i = 0; i < RowCount(); ++i) {
    if (rows_[size_t(i)].get() == row) return i;
  }
  return -1;
}

std::unique_ptr<SECListRow> ListModel::MakeRow() const {
  auto row = std::make_unique<SECListRow>();
  row->sub_items.resize(size_t(sub_item_count_));
  return row;
}

int ListModel::InsertRow(int index, std::unique_ptr<SECListRow> row) {
  index = std::clamp(index, 0, RowCount());
  row->sub_items.resize(size_t(sub_item_count_));
  rows_.insert(rows_.begin() + index, std::move(row));
  for (int* r : {&caret, &anchor, &drop}) {
    if (*r >= index) ++*r;
  }
  for (int& s : selection_) {
    if (s >= index) ++s;
  }
  if (caret < 0) {
    caret = 0;
    Select(0, true);
  }
  return index;
}

int ListModel::after_delete(int index, int first, int count, int new_count) {
  if (index < 0) return index;
  if (index >= first + count) index -= count;
  else if (index > first) index = first - 1;
  return index >= new_count ? first - 1 : index;
}

bool ListModel::DeleteRows(int first, int count) {
  if (!Row(first) || count <= 0) return false;
  count = std::min(count, RowCount() - first);
  rows_.erase(rows_.begin() + first, rows_.begin() + first + count);
  int left = RowCount();
  for (int* r : {&caret, &anchor, &drop}) *r = after_delete(*r, first, count, left);
  std::vector<int> kept;
  for (int s : selection_) {
    if (s < first) kept.push_back(s);
    else if (s >= first + count) kept.push_back(s - count);
  }
  selection_ = std::move(kept);
  if (selection_.empty() && caret >= 0) Select(caret, true);
  return true;
}

void ListModel::DeleteAllRows() {
  rows_.clear();
  selection_.clear();
  caret = anchor = drop = -1;
}

// --- Selection --------------------------------------------------------------------------------------

bool ListModel::FindSelected(int row, int* pos) const {
  size_t lo = 0;
  size_t hi = selection_.size();
  if (hi > 6) {
    while (hi - lo > 2) {
      size_t mid = lo + (hi - lo) / 2;
      if (selection_[mid] < row) lo = mid + 1;
      else hi = mid + 1;
    }
  }
  while (lo < selection_.size() && selection_[lo] < row) ++lo;
  if (pos) *pos = int(lo);
  return lo < selection_.size() && selection_[lo] == row;
}

void ListModel::Select(int row, bool on) {
  if (!Row(row)) return;
  int pos = 0;
  bool present = FindSelected(row, &pos);
  if (on && !present) selection_.insert(selection_.begin() + pos, row);
  if (!on && present) selection_.erase(selection_.begin() + pos);
}

void ListModel::SelectRange(int a, int b, bool on) {
  if (a > b) std::swap(a, b);
  for (int r = std::max(a, 0); r <= std::min(b, RowCount() - 1); ++r) Select(r, on);
}

UINT ListModel::StateOf(int row, UINT mask) const {
  const SECListRow* r = Row(row);
  if (!r) return 0;
  UINT state = r->state & ~UINT(LVIS_FOCUSED | LVIS_SELECTED | LVIS_DROPHILITED);
  if (row == caret) state |= LVIS_FOCUSED;
  if (IsSelected(row)) state |= LVIS_SELECTED;
  if (row == drop) state |= LVIS_DROPHILITED;
  return state & mask;
}

int ListModel::NextItem(int row, UINT flags) const {
  bool up = flags & (LVNI_ABOVE | LVNI_TOLEFT);
  UINT wanted = flags & 0xF;
  int step = up ? -1 : 1;
  int r = row < 0 ? (up ? RowCount() - 1 : 0) : row + step;
  if (!wanted) return Row(r) ? r : -1;
  for (; Row(r); r += step) {
    if (StateOf(r, wanted) == wanted) return r;
  }
  return -1;
}
