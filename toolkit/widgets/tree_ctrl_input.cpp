// The tree control's keys and clicks: collapsing, expanding and moving to the parent or the first
// child by key, toggling by the expand button and by double click.
#include "toolkit/widgets/tree_ctrl.h"

void SECTreeBaseC::SelectRowByKey(int row) {
  if (!GetRow(row)) return;
  SelectByInput(row, 0, 0, FALSE);
  OnSelectionChanged(row, FALSE);
  SECListCtrl::EnsureVisible(row);
}

void SECTreeBaseC::KeyLeft(int caret, int, BOOL, BOOL, UINT, UINT) {
  _Node* node = GetRowNode(caret);
  if (!node) return;
  if (node->IsExpanded() && HasButton(node)) {
    ExpandItem(Handle(node), TVE_COLLAPSE, TRUE);
    return;
  }
  const SECTreeNode* parent = node->GetParent();
  if (!parent || parent == m_pRoot) return;
  SelectRowByKey(GetNodeRow(Handle(static_cast<const _Node*>(parent))));
}

void SECTreeBaseC::KeyBackspace(int caret, int sub, BOOL shift, BOOL ctrl, UINT repeat, UINT flags) {
  KeyLeft(caret, sub, shift, ctrl, repeat, flags);
}

void SECTreeBaseC::KeyRight(int caret, int, BOOL, BOOL, UINT, UINT) {
  _Node* node = GetRowNode(caret);
  if (!node) return;
  if (node->IsExpanded() && node->GetFirstChild()) {
    // The first child that has a row (hidden children have none).
    int row = caret + 1;
    if (GetRowNode(row) && node->IsAncestorOf(GetRowNode(row))) SelectRowByKey(row);
  } else if (!node->IsExpanded() && HasButton(node)) {
    ExpandItem(Handle(node), TVE_EXPAND, TRUE);
  }
}

void SECTreeBaseC::KeyMultiply(int caret, int, BOOL, BOOL, UINT, UINT) {
  if (_Node* node = GetRowNode(caret)) ExpandAll(Handle(node), TRUE);
}

void SECTreeBaseC::OnLButtonDown(UINT flags, CPoint point) {
  if (::GetFocus() != m_hWnd) SetFocus();
  UINT hit = 0;
  HTREEITEM item = HitTest(point.x, point.y, &hit);
  if (item && (hit & TVHT_ONITEMBUTTON)) {
    ExpandItem(item, TVE_TOGGLE, TRUE);
    return;
  }
  SECListCtrl::OnLButtonDown(flags, point);
}

void SECTreeBaseC::OnLButtonDblClk(UINT flags, CPoint point) {
  SECListCtrl::OnLButtonDblClk(flags, point);
  if (GetLastAnswer() != 0 || (flags & (MK_SHIFT | MK_CONTROL)) || !m_hWnd) return;
  UINT hit = 0;
  HTREEITEM item = HitTest(point.x, point.y, &hit);
  if (item && (hit & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMBUTTON))) ExpandItem(item, TVE_TOGGLE, TRUE);
}
