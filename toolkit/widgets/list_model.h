// The data of the toolkit's list control, kept apart from its window: columns, rows with their
// sub-items, the sorted selection, and the caret, anchor and drop-highlight rows.
//
// Invariants the operations keep:
// - The first column (index 0) shows sub-item 0, the row's own label, and is left-aligned.
// - Every row carries exactly `sub_item_count` sub-item records; sub-item k (k >= 1) is record k-1.
// - The selection holds each selected row once, in ascending order, and only rows that exist.
// - Caret, anchor and drop highlight are -1 or an existing row.
// Focus, selection and drop highlight are never stored in a row's state bits: they are derived
// from the caret, the selection and the drop-highlight row.
#pragma once

#include <memory>
#include <vector>

#include "platform/base/cstring.h"
#include "platform/base/geometry.h"
#include "platform/controls/list_ctrl.h"

// The list style bit the platform's list view lacks: labels on one line, cut with an ellipsis.
constexpr DWORD LVS_NOLABELWRAP = 0x0080;

// The toolkit's extended list styles.
constexpr DWORD LVXS_ITEMTIPS = 0x00100000;         // tips over cut-off labels (with LVS_NOLABELWRAP)
constexpr DWORD LVXS_HGRIDLINES = 0x00400000;       // a line under every row
constexpr DWORD LVXS_VGRIDLINES = 0x00800000;       // lines between columns
constexpr DWORD LVXS_FULLROWSELECT = 0x02000000;    // the selection colour covers every cell
constexpr DWORD LVXS_FITCOLUMNS = 0x04000000;       // the first column fills the view width
constexpr DWORD LVXS_KEEPDELETEDWIDTH = 0x08000000; // a deleted column's width is not handed on
constexpr DWORD LVXS_MASK = 0x0FF00000;

// Extended row states (shown grey, hidden by the tree).
constexpr UINT LVXIS_GRAYED = 0x0100;
constexpr UINT LVXIS_HIDDEN = 0x0200;

// The image of a row that has none.
constexpr int I_IMAGENONE = -12;

// A text that is stored, absent, or supplied by the parent whenever it is needed.
struct ListText {
  enum class Kind { none, stored, on_demand };
  Kind kind = Kind::none;
  CString text;

  // From an item record's text pointer: null, LPSTR_TEXTCALLBACK or a string.
  static ListText From(LPCTSTR p);
  static ListText OnDemand() { return ListText{Kind::on_demand, CString()}; }
  bool IsOnDemand() const { return kind == Kind::on_demand; }
  // The stored text, empty for none and on demand.
  const CString& Stored() const { return text; }
};

struct SECListSubItem {
  ListText text = ListText::OnDemand();
  DWORD value = 0;  // carried for callers, never read by the list
  CRect label;      // relative to the cell
};

struct SECListRow {
  ListText text;
  UINT state = 0;  // cut, overlay and state-image bits; never focus, selection or drop highlight
  int image = I_IMAGENONE;
  LPARAM user = 0;
  int height = -1;  // -1 until measured
  UINT ex_state = 0;
  CRect label, icon, state_icon;  // relative to the cell of the first column
  std::vector<SECListSubItem> sub_items;

  // Whether any of the row's values comes from the parent.
  bool NeedsParentData() const;
  // The text of sub-item `sub` (0 the label); null for a sub-item the row does not carry.
  const ListText* Text(int sub) const;
  ListText* Text(int sub);
};

struct SECListColumn {
  int format = LVCFMT_LEFT;
  int width = 0;
  CString title;
  int sub_item = 0;
};

class ListModel {
 public:
  // --- Columns ---
  int ColumnCount() const { return int(columns_.size()); }
  SECListColumn* Column(int index) const;
  int SubItemCount() const { return sub_item_count_; }
  // Inserts at `index` (clamped); returns the index. A sub-item number of -1 or beyond the count
  // takes a new sub-item slot (and a width of -1 becomes 10). A column put first shows sub-item 0,
  // and the column it displaces takes a new slot. Other columns keep their numbers.
  int InsertColumn(int index, std::unique_ptr<SECListColumn> column);
  // Removes the column and its sub-item slot, renumbering the higher ones; unless `keep_width`
  // the first column showing sub-item 0 receives its width. False outside the range.
  bool DeleteColumn(int index, bool keep_width);
  // The left edge of a column in content coordinates (the sum of the widths before it).
  int ColumnLeft(int index) const;
  int TotalColumnWidth() const;

  // --- Rows ---
  int RowCount() const { return int(rows_.size()); }
  SECListRow* Row(int index) const;
  int IndexOf(const SECListRow* row) const;  // -1 when not in the list
  // Inserts at `index` (clamped) and returns the index; later rows move down with their caret,
  // anchor, drop highlight and selection. The first row inserted into a list without a caret
  // becomes caret and selected.
  int InsertRow(int index, std::unique_ptr<SECListRow> row);
  // Deletes `count` rows from `first`; false when `first` is not a row. A caret, anchor or drop
  // highlight inside the range (or past the new end) goes to the row before it; when no row stays
  // selected the caret row is selected.
  bool DeleteRows(int first, int count);
  void DeleteAllRows();
  std::unique_ptr<SECListRow> MakeRow() const;

  // --- Selection ---
  const std::vector<int>& Selection() const { return selection_; }
  // Whether `row` is selected, and where it is or would go in the selection.
  bool FindSelected(int row, int* pos) const;
  bool IsSelected(int row) const { return FindSelected(row, nullptr); }
  void Select(int row, bool on);
  void ClearSelection() { selection_.clear(); }
  // Selects from `a` to `b` (either order), adding to what is selected.
  void SelectRange(int a, int b, bool on);

  int caret = -1;
  int anchor = -1;
  int drop = -1;

  // The row state with focus, selection and drop highlight derived, under `mask`.
  UINT StateOf(int row, UINT mask) const;
  // The next row from `row` by the list-view next-item flags, -1 when none.
  int NextItem(int row, UINT flags) const;

 private:
  std::vector<std::unique_ptr<SECListColumn>> columns_;
  std::vector<std::unique_ptr<SECListRow>> rows_;
  std::vector<int> selection_;
  int sub_item_count_ = 0;

  void insert_slot_all(int slot);
  void erase_slot_all(int slot);
  // Moves a row index past a deletion of [first, first + count) with `new_count` rows left.
  static int after_delete(int index, int first, int count, int new_count);
};
