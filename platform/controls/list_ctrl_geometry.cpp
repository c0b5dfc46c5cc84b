#include "platform/controls/list_ctrl_geometry.h"

#include <algorithm>

namespace controls {

namespace {

int ColumnCount(const ListLayout& layout) { return int(layout.column_widths.size()); }
bool HasItem(const ListLayout& layout, int i) { return i >= 0 && i < layout.item_count; }

}  // namespace

int ListRowsPerPage(const ListLayout& layout) {
  return std::max(1, (layout.client.Height() - layout.header_height) / kListRowHeight);
}

int ListMaxTop(const ListLayout& layout) { return std::max(0, layout.item_count - ListRowsPerPage(layout)); }

int ListColumnLeft(const ListLayout& layout, int column) {
  int x = 0;
  for (int c = 0; c < column && c < ColumnCount(layout); ++c) x += layout.column_widths[size_t(c)];
  return x;
}

int ListRowWidth(const ListLayout& layout) {
  return ColumnCount(layout) ? ListColumnLeft(layout, ColumnCount(layout)) : layout.client.Width();
}

ListRowParts ListRowPartsOf(const ListLayout& layout, int item) {
  ListRowParts p;
  int y = layout.header_height + (item - layout.top) * kListRowHeight;
  int width = ListRowWidth(layout);
  p.bounds = CRect(0, y, width, y + kListRowHeight);
  int first = ColumnCount(layout) ? layout.column_widths[0] : width;
  int indent = layout.indent ? layout.indent(item) : 0;
  int x = indent * std::max(layout.icon_width, kListStateWidth);
  p.state = CRect(x, y, x + layout.state_width, p.bounds.bottom);
  p.icon = CRect(p.state.right, y, p.state.right + layout.icon_width, p.bounds.bottom);
  p.label = CRect(p.icon.right, y, std::max(p.icon.right, first), p.bounds.bottom);
  return p;
}

bool ListSubItemRect(const ListLayout& layout, int item, int column, UINT code, RECT* out) {
  if (!HasItem(layout, item) || column < 0 || (column > 0 && column >= ColumnCount(layout))) return false;
  ListRowParts p = ListRowPartsOf(layout, item);
  if (column > 0) {
    int left = ListColumnLeft(layout, column);
    CRect cell(left, p.bounds.top, left + layout.column_widths[size_t(column)], p.bounds.bottom);
    *out = code == LVIR_ICON ? CRect(cell.left, cell.top, cell.left, cell.bottom) : cell;
    return true;
  }
  switch (code) {
    case LVIR_BOUNDS: *out = p.bounds; return true;
    case LVIR_ICON: *out = p.icon; return true;
    case LVIR_LABEL: *out = p.label; return true;
    case LVIR_SELECTBOUNDS: *out = CRect(p.state.left, p.bounds.top, p.label.right, p.bounds.bottom); return true;
    default: return false;
  }
}

LVHITTESTINFO ListHitTest(const ListLayout& layout, POINT pt) {
  LVHITTESTINFO hit;
  hit.pt = pt;
  const CRect& client = layout.client;
  int rows_top = layout.header_height;
  if (pt.y < rows_top) hit.flags |= LVHT_ABOVE;
  if (pt.y >= client.bottom) hit.flags |= LVHT_BELOW;
  if (pt.x < 0) hit.flags |= LVHT_TOLEFT;
  if (pt.x >= client.right) hit.flags |= LVHT_TORIGHT;
  if (hit.flags) return hit;
  int i = layout.top + (pt.y - rows_top) / kListRowHeight;
  int right = ColumnCount(layout) ? ListRowWidth(layout) : client.right;
  if (!HasItem(layout, i) || pt.x >= right) {
    hit.flags = LVHT_NOWHERE;
    return hit;
  }
  for (int c = 0; c < ColumnCount(layout); ++c) {
    if (pt.x >= ListColumnLeft(layout, c)) hit.iSubItem = c;
  }
  ListRowParts p = ListRowPartsOf(layout, i);
  if (p.state.PtInRect(pt)) {
    hit.flags = LVHT_ONITEMSTATEICON;
  } else if (p.icon.PtInRect(pt)) {
    hit.flags = LVHT_ONITEMICON;
  } else if (p.label.PtInRect(pt) || layout.full_row_select) {
    hit.flags = LVHT_ONITEMLABEL;
  } else {
    hit.flags = LVHT_NOWHERE;
  }
  // Without full-row selection only the first column stands for the item.
  if (hit.flags != LVHT_NOWHERE) hit.iItem = i;
  return hit;
}

}  // namespace controls
