// The tree control's measuring and drawing of the first column: indentation, state image, image,
// label (split at the hanging-indent marker when labels wrap), dotted lines, expand buttons, bold
// items, selection and focus; and hit-testing of those parts.
#include <algorithm>
#include <cstring>

#include "platform/win/system_metrics.h"
#include "toolkit/widgets/list_ctrl_internal.h"
#include "toolkit/widgets/tree_ctrl.h"

using namespace list_shared;
using namespace tree_layout;

namespace {

constexpr UINT kLabelFlags = DT_EXPANDTABS | DT_NOPREFIX;

// One bold font for every tree, made again only when the item font it is made from changes.
CFont* bold_font_for(CFont* base) {
  static CFont* bold = [] {
    ::GetStockObject(WHITE_BRUSH);  // the object table first, so that it outlives the font at exit
    static CFont font;
    return &font;
  }();
  static LOGFONT made_from{};
  static bool made = false;
  LOGFONT lf{};
  if (!base || !base->GetLogFont(&lf)) return base;
  bool same = made && lf.lfHeight == made_from.lfHeight && lf.lfWidth == made_from.lfWidth &&
              lf.lfItalic == made_from.lfItalic && lf.lfUnderline == made_from.lfUnderline &&
              lf.lfCharSet == made_from.lfCharSet && std::strcmp(lf.lfFaceName, made_from.lfFaceName) == 0;
  if (!same) {
    made_from = lf;
    lf.lfWeight = FW_BOLD;
    bold->DeleteObject();
    made = bold->CreateFontIndirect(&lf);
    if (!made) return base;
  }
  return bold;
}

// The pens of the expand buttons, made once for the process.
CPen* button_frame_pen() {
  static const HPEN pen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
  return CPen::FromHandle(pen);
}

CPen* button_sign_pen() {
  static const HPEN pen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOWTEXT));
  return CPen::FromHandle(pen);
}

// The text up to the first line break.
CString first_line(const CString& text) {
  int end = text.FindOneOf("\r\n");
  return end >= 0 ? text.Left(end) : text;
}

// The next sibling that is not hidden (the one a line runs down to).
const SECTreeNode* next_shown_sibling(const SECTreeNode* node) {
  for (const SECTreeNode* s = node->GetNextSibling(); s; s = s->GetNextSibling()) {
    if (!(static_cast<const _Node*>(s)->m_nFlags & _Node::kHidden)) return s;
  }
  return nullptr;
}

int line_height(CDC* dc) {
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  return tm.tmHeight;
}

}  // namespace

// --- Context --------------------------------------------------------------------------------------------

std::unique_ptr<ListDrawContext> SECTreeBaseC::CreateContext(CDC* dc) {
  auto ctx = std::make_unique<TreeDrawContext>();
  ctx->dc = dc;
  ctx->view_mode = int(m_dwListStyle & LVS_TYPEMASK);
  ctx->buffer.assign(size_t(kAskCapacity), '\0');
  return ctx;
}

void SECTreeBaseC::FillContext(ListDrawContext* ctx) {
  auto* t = static_cast<TreeDrawContext*>(ctx);
  t->node = GetRowNode(ctx->item.iItem);
  if (ctx->column_index != 0 || ctx->sub || !t->node) {
    SECListCtrl::FillContext(ctx);
    return;
  }
  TVITEM& rec = t->tree_item;
  rec = TVITEM{};
  rec.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE | TVIF_HANDLE | TVIF_SELECTEDIMAGE;
  rec.hItem = Handle(t->node);
  rec.stateMask = 0xFFFF;
  ctx->buffer[0] = '\0';
  rec.pszText = ctx->buffer.data();
  rec.cchTextMax = int(ctx->buffer.size());
  ReadItem(t->node, ctx->item.iItem, &rec, FALSE, TRUE);
  ctx->label = rec.pszText && rec.pszText != LPSTR_TEXTCALLBACK ? rec.pszText : "";
  LVITEM& it = ctx->item;
  it.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
  it.iSubItem = 0;
  it.state = (rec.state & (TVIS_OVERLAYMASK | TVIS_STATEIMAGEMASK | TVIS_SELECTED | TVIS_CUT | TVIS_DROPHILITED)) |
             m_model.StateOf(it.iItem, LVIS_FOCUSED);
  it.iImage = rec.iImage;
  t->tree_ex = ListExState{};
  t->tree_ex.stateMask = LVXIS_GRAYED | LVXIS_HIDDEN;
  GetTreeItemExState(rec.hItem, &t->tree_ex, FALSE);
  ctx->ex = t->tree_ex;
  FillContextBackColor(ctx);
  FillContextIconColor(ctx);
  FillContextColors(ctx);
  FillContextFont(ctx);
}

void SECTreeBaseC::FillContextFont(ListDrawContext* ctx) {
  SECListCtrl::FillContextFont(ctx);
  auto* t = static_cast<TreeDrawContext*>(ctx);
  if (ctx->column_index == 0 && !ctx->sub && t->node && (t->tree_item.state & TVIS_BOLD)) {
    ctx->font = bold_font_for(ctx->font);
  }
}

// --- Measuring ------------------------------------------------------------------------------------------

void SECTreeBaseC::MeasureRow(ListDrawContext* ctx) {
  SECListCtrl::MeasureRow(ctx);
  // Even heights keep the dots of the lines joined from row to row.
  ctx->row->height = RoundUpEven(ctx->row->height);
}

void SECTreeBaseC::MeasureCell(ListDrawContext* ctx, int* height) {
  auto* t = static_cast<TreeDrawContext*>(ctx);
  if (ctx->column_index != 0 || ctx->sub || !t->node) {
    SECListCtrl::MeasureCell(ctx, height);
    return;
  }
  CSize image(0, 0), state(0, 0);
  CImageList* images = GetImageList(TVSIL_NORMAL);
  CImageList* states = GetImageList(TVSIL_STATE);
  int state_index = int((t->tree_item.state & TVIS_STATEIMAGEMASK) >> 12);
  if (states && state_index > 0 && state_index < states->GetImageCount()) {
    int cx = 0, cy = 0;
    states->GetIconSize(cx, cy);
    state = CSize(cx, cy);
  }
  if (images && t->tree_item.iImage != _Node::kNoImage) {
    int cx = 0, cy = 0;
    images->GetIconSize(cx, cy);
    image = CSize(cx, cy);
  }
  CellParts parts = LeftParts(t->node->GetDepth(), m_nIndent, m_dwTreeStyle, state, image);
  int right = 10000;
  if (GetColumnCount() > 1) {
    right = GetColumnWidth(0) - 5;
  } else if (IsLabelWrapOn()) {
    CRect view;
    GetViewRect(&view);
    right = view.Width() - 5;
  }
  CRect label(parts.text_left, 0, std::max(right, parts.text_left + 1), 0);
  CFont* old = ctx->dc->SelectObject(ctx->font);
  MeasureLabelText(ctx->dc, t->node, ctx->label, &label);
  ctx->dc->SelectObject(old);
  label.right = std::min(int(label.right), std::max(right, parts.text_left));
  int h = RowHeight(parts.icon.Height(), parts.state_icon.Height(), label.Height());
  if (label.Height() < h) label.OffsetRect(0, (h - label.Height()) / 2);
  ctx->row->state_icon = parts.state_icon;
  ctx->row->icon = parts.icon;
  ctx->row->label = label;
  *height = h;
}

void SECTreeBaseC::MeasureLabelText(CDC* dc, _Node* node, const CString& text, CRect* rect) {
  int width = std::max(int(rect->Width()), 1);
  CRect r(0, 0, width, 0);
  if (IsLabelWrapOn()) {
    LabelSplit split = SplitLabel(text);
    node->m_bHighlightSplit = split.split ? 1 : 0;
    node->m_strHead = split.head.str();
    node->m_strTail = split.tail.str();
    node->m_nHeadWidth = 0;
    if (!split.split) {
      dc->DrawText(text, &r, DT_CALCRECT | DT_WORDBREAK | kLabelFlags);
      if (text.IsEmpty()) r.SetRect(0, 0, 0, line_height(dc));
    } else {
      // The head is measured without its last character (the marker's first).
      CString head = split.head.Left(split.head.GetLength() - 1);
      CRect h(0, 0, 0, 0);
      dc->DrawText(head, &h, DT_CALCRECT | DT_SINGLELINE | kLabelFlags);
      node->m_nHeadWidth = h.Width();
      CRect tail(0, 0, std::max(width - h.Width(), 1), 0);
      dc->DrawText(split.tail, &tail, DT_CALCRECT | DT_WORDBREAK | kLabelFlags);
      r.SetRect(0, 0, h.Width() + tail.Width(), std::max({int(tail.Height()), int(h.Height()), line_height(dc)}));
    }
  } else {
    node->m_bHighlightSplit = 0;
    r.SetRect(0, 0, 0, 0);
    dc->DrawText(first_line(text), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP | kLabelFlags);
    if (r.Height() == 0) r.bottom = line_height(dc);
  }
  rect->right = rect->left + r.Width();
  rect->bottom = rect->top + r.Height() + 2;
}

// --- Drawing --------------------------------------------------------------------------------------------

void SECTreeBaseC::DrawCell(ListDrawContext* ctx) {
  auto* t = static_cast<TreeDrawContext*>(ctx);
  if (ctx->column_index != 0 || ctx->sub || !t->node) {
    SECListCtrl::DrawCell(ctx);
    return;
  }
  CDC* dc = ctx->dc;
  const CRect& cell = ctx->cell;
  const SECListRow* row = ctx->row;
  dc->FillSolidRect(&cell, ctx->back);
  if (ctx->item.iItem == m_nEditRow && GetColumnSubItem(m_nEditColumn) == 0) return;

  const TVITEM& rec = t->tree_item;
  CImageList* images = GetImageList(TVSIL_NORMAL);
  CImageList* states = GetImageList(TVSIL_STATE);
  if (states && !row->state_icon.IsRectEmpty()) {
    int index = int((rec.state & TVIS_STATEIMAGEMASK) >> 12);
    CPoint at(cell.left + row->state_icon.left, cell.top + row->state_icon.top);
    states->DrawIndirect(dc, index, at, CSize(0, 0), CPoint(0, 0), ILD_NORMAL, SRCCOPY, ctx->icon_back);
  }
  if (images && !row->icon.IsRectEmpty()) {
    int image = (ctx->item.state & TVIS_SELECTED) ? rec.iSelectedImage : rec.iImage;
    if (image >= images->GetImageCount()) image = 0;
    if (image >= 0) {
      CPoint at(cell.left + row->icon.left, cell.top + row->icon.top);
      UINT style = ILD_NORMAL | (rec.state & TVIS_OVERLAYMASK);
      images->DrawIndirect(dc, image, at, CSize(0, 0), CPoint(0, 0), style, SRCCOPY, ctx->icon_back);
    }
  }
  if (dc->IsPrinting() || dc->RectVisible(&cell)) {
    if (m_dwTreeStyle & TVS_HASLINES) DrawLines(t);
    if (m_dwTreeStyle & TVS_HASBUTTONS) DrawButton(t);
  }

  CRect label = row->label;
  label.OffsetRect(cell.left, cell.top);
  const bool several = GetColumnCount() > 1;
  if (several || dc->IsPrinting()) label.right = std::min(int(label.right), int(cell.right) - 5);
  const bool full_row = HasExStyle(LVXS_FULLROWSELECT);
  CRect highlight(label.left - 3, label.top, label.right + 3, label.bottom);
  if (several) highlight.right = std::min(int(highlight.right), int(cell.right) - 2);
  if (full_row) highlight.right = cell.right;
  if (ctx->text_back != ctx->back || full_row) dc->FillSolidRect(&highlight, ctx->text_back);

  CFont* old_font = dc->SelectObject(ctx->font);
  int old_mode = dc->SetBkMode(TRANSPARENT);
  COLORREF old_colour = dc->SetTextColor(ctx->text);
  CRect text = label;
  text.OffsetRect(0, 1);
  _Node* node = t->node;
  if (IsLabelWrapOn() && node->m_bHighlightSplit) {
    CString head(node->m_strHead);
    head = head.Left(head.GetLength() - 1);
    CRect head_rect(text.left, text.top, text.left + node->m_nHeadWidth, text.top + line_height(dc));
    dc->DrawText(head, &head_rect, DT_SINGLELINE | kLabelFlags);
    CRect tail_rect(text.left + node->m_nHeadWidth, text.top, text.right, text.bottom);
    dc->DrawText(CString(node->m_strTail), &tail_rect, DT_WORDBREAK | kLabelFlags);
  } else if (IsLabelWrapOn()) {
    dc->DrawText(ctx->label, &text, DT_WORDBREAK | kLabelFlags);
  } else {
    dc->DrawText(first_line(ctx->label), &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | kLabelFlags);
  }
  dc->SetTextColor(old_colour);
  dc->SetBkMode(old_mode);
  dc->SelectObject(old_font);

  if ((!full_row || !several) && ctx->item.iItem == GetCaretRow() && m_hWnd && ::GetFocus() == m_hWnd &&
      !dc->IsPrinting()) {
    dc->SetTextColor(m_crText);
    dc->SetBkColor(m_crBack);
    dc->DrawFocusRect(&highlight);
  }
}

BOOL SECTreeBaseC::ButtonGeometry(int row, const CRect& cell, CPoint* centre, int* size) {
  const _Node* node = GetRowNode(row);
  const SECListRow* r = GetRow(row);
  if (!node || !r) return FALSE;
  bool with_image = !r->icon.IsRectEmpty();
  int x = LineColumn(cell.left, node->GetDepth(), m_nIndent, m_dwTreeStyle, with_image ? r->icon.Width() : 0);
  const CRect& middle_of = with_image ? r->icon : r->label;
  int y = cell.top + (middle_of.top + middle_of.bottom) / 2;
  *centre = CPoint(AlignEven(x, m_nHOffset), AlignEven(y, m_nVOffset));
  *size = ButtonSize(with_image ? r->icon.Height() : 0);
  return TRUE;
}

BOOL SECTreeBaseC::GetButtonRect(CRect* rect, int row, TreeDrawContext* ctx) {
  const _Node* node = GetRowNode(row);
  if (!rect || !node || !HasButton(node)) return FALSE;
  CRect cell;
  if (ctx) cell = ctx->cell;
  else if (!GetItemRect(row, 0, &cell, LVIR_BOUNDS)) return FALSE;
  CPoint centre;
  int size = 0;
  if (!ButtonGeometry(row, cell, &centre, &size)) return FALSE;
  *rect = ButtonRect(centre, size);
  return TRUE;
}

void SECTreeBaseC::DrawButton(TreeDrawContext* ctx) {
  CRect box;
  if (!GetButtonRect(&box, ctx->item.iItem, ctx)) return;
  CPoint c;
  int size = 0;
  ButtonGeometry(ctx->item.iItem, ctx->cell, &c, &size);
  CDC* dc = ctx->dc;
  dc->FillSolidRect(&box, m_hWnd && !IsWindowEnabled() ? GetBackColor() : RGB(255, 255, 255));
  CPen* old = dc->SelectObject(button_frame_pen());
  dc->MoveTo(box.left, box.top);
  dc->LineTo(box.right - 1, box.top);
  dc->LineTo(box.right - 1, box.bottom - 1);
  dc->LineTo(box.left, box.bottom - 1);
  dc->LineTo(box.left, box.top);
  dc->SelectObject(button_sign_pen());
  int reach = size / 3;
  dc->MoveTo(c.x - reach + 1, c.y);
  dc->LineTo(c.x + reach, c.y);
  if (!ctx->node->IsExpanded()) {
    dc->MoveTo(c.x, c.y - reach + 1);
    dc->LineTo(c.x, c.y + reach);
  }
  dc->SelectObject(old);
}

void SECTreeBaseC::DrawLines(TreeDrawContext* ctx) {
  CDC* dc = ctx->dc;
  const _Node* node = ctx->node;
  const SECListRow* row = ctx->row;
  const CRect& cell = ctx->cell;
  const int depth = node->GetDepth();
  const bool with_image = !row->icon.IsRectEmpty();
  const bool top_level = depth == 1;
  const bool root_column = RootColumn(m_dwTreeStyle);
  CPoint centre;
  int size = 0;
  ButtonGeometry(ctx->item.iItem, cell, &centre, &size);
  const int x = centre.x;
  const int middle = centre.y;
  const COLORREF back = ctx->back;

  if (!top_level || root_column) {
    const CRect& first_part = !row->state_icon.IsRectEmpty() ? row->state_icon
                              : with_image                   ? row->icon
                                                             : row->label;
    DrawDottedHorizontal(dc, x, cell.left + first_part.left - 1, middle, back);
    if (ctx->item.iItem > 0) DrawDottedVertical(dc, x, cell.top, middle, back);
    if (next_shown_sibling(node)) DrawDottedVertical(dc, x, middle, cell.bottom, back);
  }
  if (node->IsExpanded() && HasButton(node)) {
    const CRect& above = with_image ? row->icon : row->label;
    DrawDottedVertical(dc, x + m_nIndent, cell.top + above.bottom, cell.bottom, back);
  }
  int ax = x - m_nIndent;
  for (const SECTreeNode* a = node->GetParent(); a && a != m_pRoot; a = a->GetParent(), ax -= m_nIndent) {
    if (a->GetParent() == m_pRoot && !root_column) break;
    if (next_shown_sibling(a)) DrawDottedVertical(dc, ax, cell.top, cell.bottom, back);
  }
}

// Dots of the shadow colour on even positions relative to the scroll offsets, the background
// between them (a checkered brush whose origin follows the offsets); solid when printing.
void SECTreeBaseC::DrawDottedHorizontal(CDC* dc, int x1, int x2, int y, COLORREF back) {
  if (x2 <= x1) return;
  COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  CRect line(x1, y, x2, y + 1);
  if (dc->IsPrinting()) {
    dc->FillSolidRect(&line, shadow);
    return;
  }
  COLORREF old_text = dc->SetTextColor(shadow);
  COLORREF old_back = dc->SetBkColor(back);
  CPoint old_origin = dc->SetBrushOrg(m_nHOffset & 1, m_nVOffset & 1);
  dc->FillRect(&line, CDC::GetHalftoneBrush());
  dc->SetBrushOrg(old_origin.x, old_origin.y);
  dc->SetBkColor(old_back);
  dc->SetTextColor(old_text);
}

void SECTreeBaseC::DrawDottedVertical(CDC* dc, int x, int y1, int y2, COLORREF back) {
  if (y2 <= y1) return;
  COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  CRect line(x, y1, x + 1, y2);
  if (dc->IsPrinting()) {
    dc->FillSolidRect(&line, shadow);
    return;
  }
  COLORREF old_text = dc->SetTextColor(shadow);
  COLORREF old_back = dc->SetBkColor(back);
  CPoint old_origin = dc->SetBrushOrg(m_nHOffset & 1, m_nVOffset & 1);
  dc->FillRect(&line, CDC::GetHalftoneBrush());
  dc->SetBrushOrg(old_origin.x, old_origin.y);
  dc->SetBkColor(old_back);
  dc->SetTextColor(old_text);
}

// --- Hit testing ----------------------------------------------------------------------------------------

HTREEITEM SECTreeBaseC::HitTest(int x, int y, UINT* flags) const {
  UINT list_flags = 0;
  int column = -1;
  int row = SECListCtrl::HitTest(x, y, &list_flags, &column);
  UINT result = 0;
  const _Node* node = nullptr;
  if (row >= 0 && (list_flags & LVHT_ONROW)) {
    result = TVHT_ONROW;
    if (column == 0) {
      node = GetRowNode(row);
      CRect button;
      if (list_flags & LVHT_ONITEMLABEL) result |= TVHT_ONITEMLABEL;
      else if (list_flags & LVHT_ONITEMICON) result |= TVHT_ONITEMICON;
      else if (list_flags & LVHT_ONITEMSTATEICON) result |= TVHT_ONITEMSTATEICON;
      else if (list_flags & LVHT_RIGHTOFLABEL) result |= TVHT_ONITEMRIGHT;
      else if ((m_dwTreeStyle & TVS_HASBUTTONS) &&
               const_cast<SECTreeBaseC*>(this)->GetButtonRect(&button, row) && button.PtInRect(CPoint(x, y)))
        result |= TVHT_ONITEMBUTTON;
      else result |= TVHT_ONITEMINDENT;
    } else if (HasExStyle(LVXS_FULLROWSELECT)) {
      node = GetRowNode(row);
    }
  } else if (list_flags & LVHT_ONDIVIDER) {
    result = TVHT_ONDIVIDER;
  } else if (list_flags & LVHT_ONHEADER) {
    result = TVHT_ONHEADER;
  } else {
    if (list_flags & LVHT_ABOVE) result |= TVHT_ABOVE;
    if (list_flags & LVHT_BELOW) result |= TVHT_BELOW;
    if (list_flags & LVHT_TOLEFT) result |= TVHT_TOLEFT;
    if (list_flags & LVHT_TORIGHT) result |= TVHT_TORIGHT;
    if (!result) result = TVHT_NOWHERE;
  }
  if (flags) *flags = result;
  return Handle(node);
}
