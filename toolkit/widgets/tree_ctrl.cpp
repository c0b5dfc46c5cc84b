// The tree control's creation, styles, items, rows, expansion, selection, navigation and
// notifications.
#include "toolkit/widgets/tree_ctrl.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/framework/tool_tips.h"
#include "platform/gdi/core/icons.h"
#include "toolkit/widgets/list_ctrl_internal.h"

using namespace list_shared;

namespace {

// The window-style bits that carry tree styles at creation, and the tree style bits kept.
constexpr DWORD kTreeCreateBits = 0x3F;
constexpr DWORD kTreeStyleKept = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_DISABLEDRAGDROP;
// The state bits a row shows (the list derives selection and drop highlight from its model).
constexpr UINT kRowShownState = TVIS_CUT | TVIS_DROPHILITED | TVIS_OVERLAYMASK | TVIS_SELECTED | TVIS_STATEIMAGEMASK;
// The node flags the tree reports through the extended state.
constexpr uint32_t kExFlags = _Node::kGreyed | _Node::kHidden;
// A node on its way out: no insertion under it, no second deletion.
constexpr uint32_t kDying = 0x10000;

char g_empty_text[1] = "";

_Node* as_node(SECTreeNode* node) { return static_cast<_Node*>(node); }

int copy_bounded(const char* text, LPSTR buffer, int capacity) {
  if (!buffer || capacity <= 0) return 0;
  size_t n = text ? std::min(std::strlen(text), size_t(capacity - 1)) : 0;
  if (n) std::memmove(buffer, text, n);
  buffer[n] = '\0';
  return int(n);
}

bool hidden_itself(const _Node* node) { return node->m_nFlags & _Node::kHidden; }

}  // namespace

// Re-layout requests wait while one is held; the last release lays out once.
class SECTreeBaseC::LayoutHold {
 public:
  explicit LayoutHold(SECTreeBaseC* tree) : tree_(tree) { ++tree_->m_nLayoutHold; }
  ~LayoutHold() {
    if (--tree_->m_nLayoutHold == 0 && tree_->m_bLayoutWanted) {
      tree_->m_bLayoutWanted = FALSE;
      tree_->UpdateScrollState();
    }
  }
  LayoutHold(const LayoutHold&) = delete;
  LayoutHold& operator=(const LayoutHold&) = delete;

 private:
  SECTreeBaseC* tree_;
};

IMPLEMENT_DYNAMIC(SECTreeBaseC, SECListCtrl)
IMPLEMENT_DYNAMIC(SECTreeCtrl, SECTreeBaseC)

SECTreeBaseC::SECTreeBaseC() {
  m_dwListStyle |= LVS_REPORT | LVS_SHAREIMAGELISTS;
  MakeRoot();
}

SECTreeBaseC::~SECTreeBaseC() {
  DestroyWindow();
  m_pSubItemTexts.reset();
  m_nodes.clear();
  delete m_pRoot;
  m_pRoot = nullptr;
}

SECTreeCtrl::~SECTreeCtrl() {
  // While the tree's own message map still answers, so that its items are deleted as items.
  DestroyWindow();
}

void SECTreeBaseC::MakeRoot() {
  m_pRoot = CreateNode();
  m_pRoot->m_item.hItem = m_pRoot;
  m_pRoot->SetExpanded(true);
}

// --- Creation -----------------------------------------------------------------------------------------

BOOL SECTreeBaseC::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR title, DWORD style, int x, int y, int cx,
                            int cy, HWND parent, UINT id, LPVOID param) {
  if (GetColumnCount() == 0) InsertColumn(0, "", LVCFMT_LEFT, 0, 0, FALSE);
  return SECListCtrl::CreateEx(exStyle, className, title, style, x, y, cx, cy, parent, id, param);
}

void SECTreeBaseC::SplitCreateStyle(CREATESTRUCT& cs) {
  DWORD tree_style = DWORD(cs.style) & kTreeCreateBits;
  DWORD tree_ex = cs.dwExStyle & TVXS_MASK;
  cs.style = LONG(DWORD(cs.style) & ~kTreeCreateBits);
  cs.dwExStyle &= ~TVXS_MASK;
  SECListCtrl::SplitCreateStyle(cs);
  m_dwListStyle |= LVS_REPORT | LVS_SHAREIMAGELISTS;
  SetTreeStyle(tree_style, FALSE);
  SetTreeExStyle(tree_ex, FALSE);
}

// --- Styles ---------------------------------------------------------------------------------------------

void SECTreeBaseC::GetTreeStyles(DWORD* style, DWORD* exStyle) const {
  if (style) *style = GetTreeStyle();
  if (exStyle) *exStyle = GetTreeExStyle();
}

DWORD SECTreeBaseC::GetTreeStyle() const {
  return m_dwTreeStyle | (HasStyle(LVS_EDITLABELS) ? TVS_EDITLABELS : 0) |
         (HasStyle(LVS_SHOWSELALWAYS) ? TVS_SHOWSELALWAYS : 0);
}

void SECTreeBaseC::SetTreeStyle(DWORD style, BOOL redraw) {
  DWORD old = m_dwTreeStyle;
  m_dwTreeStyle = style & kTreeStyleKept;
  DWORD list = m_dwListStyle & ~(LVS_EDITLABELS | LVS_SHOWSELALWAYS);
  if (style & TVS_EDITLABELS) list |= LVS_EDITLABELS;
  if (style & TVS_SHOWSELALWAYS) list |= LVS_SHOWSELALWAYS;
  SECListCtrl::SetStyle(list, redraw);
  if (redraw && m_hWnd && old != m_dwTreeStyle) {
    InvalidateLayout();
    Invalidate();
  }
}

void SECTreeBaseC::SetTreeExStyle(DWORD exStyle, BOOL redraw) {
  m_dwTreeExStyle = exStyle;
  DWORD list = m_dwListStyle & ~(LVS_NOCOLUMNHEADER | LVS_NOLABELWRAP | LVS_SINGLESEL);
  if (!(exStyle & TVXS_HEADER)) list |= LVS_NOCOLUMNHEADER;
  if (!(exStyle & TVXS_LABELWRAP)) list |= LVS_NOLABELWRAP;
  if (!(exStyle & TVXS_MULTISELECT)) list |= LVS_SINGLESEL;
  DWORD list_ex = (m_dwListExStyle & ~LVXS_ITEMTIPS) | ((exStyle & TVXS_ITEMTIPS) ? LVXS_ITEMTIPS : 0);
  if (!(exStyle & TVXS_MULTISELECT) && GetSelectedCount() > 1) SECListCtrl::SetMultipleSelection(FALSE);
  SECListCtrl::SetStyles(list, list_ex, redraw);
}

void SECTreeBaseC::SetTreeStyles(DWORD style, DWORD exStyle, BOOL redraw) {
  SetTreeStyle(style, redraw);
  SetTreeExStyle(exStyle, redraw);
}

void SECTreeBaseC::ModifyTreeStyle(DWORD remove, DWORD add, BOOL redraw) {
  SetTreeStyle((GetTreeStyle() & ~remove) | add, redraw);
}

void SECTreeBaseC::ModifyTreeExStyle(DWORD remove, DWORD add, BOOL redraw) {
  SetTreeExStyle((m_dwTreeExStyle & ~remove) | add, redraw);
}

void SECTreeBaseC::ModifyTreeStyles(DWORD remove, DWORD add, DWORD removeEx, DWORD addEx, BOOL redraw) {
  SetTreeStyles((GetTreeStyle() & ~remove) | add, (m_dwTreeExStyle & ~removeEx) | addEx, redraw);
}

namespace {

DWORD with_bit(DWORD word, DWORD bit, bool on) { return on ? word | bit : word & ~bit; }

}  // namespace

void SECTreeBaseC::SetLabelWrap(BOOL on) {
  SECListCtrl::SetLabelWrap(on);
  m_dwTreeExStyle = with_bit(m_dwTreeExStyle, TVXS_LABELWRAP, on);
}

void SECTreeBaseC::EnableItemTips(BOOL on) {
  SECListCtrl::EnableItemTips(on);
  m_dwTreeExStyle = with_bit(m_dwTreeExStyle, TVXS_ITEMTIPS, on);
}

void SECTreeBaseC::SetMultipleSelection(BOOL on) {
  SECListCtrl::SetMultipleSelection(on);
  m_dwTreeExStyle = with_bit(m_dwTreeExStyle, TVXS_MULTISELECT, on);
}

void SECTreeBaseC::SetShowHeader(BOOL on) {
  SECListCtrl::SetShowHeader(on);
  m_dwTreeExStyle = with_bit(m_dwTreeExStyle, TVXS_HEADER, on);
}

void SECTreeBaseC::SetIndent(int indent) {
  m_nIndent = tree_layout::RoundUpEven(std::max(indent, 0));
  if (m_hWnd) {
    InvalidateLayout();
    Invalidate();
  }
}

// --- Layout -------------------------------------------------------------------------------------------

void SECTreeBaseC::UpdateScrollState() {
  if (m_nLayoutHold > 0) {
    m_bLayoutWanted = TRUE;
    return;
  }
  SECListCtrl::UpdateScrollState();
}

// Lays out, then repaints from `fromRow` down when the view kept its size, else everything.
void SECTreeBaseC::Relayout(int fromRow, BOOL redraw) {
  if (!m_hWnd) return;
  CRect before, after;
  GetViewRect(&before);
  UpdateScrollState();
  if (!redraw) return;
  GetViewRect(&after);
  if (before == after && fromRow >= GetTopIndex()) RedrawRow(fromRow, FALSE, TRUE, TRUE);
  else Invalidate();
}

// Without auto-redraw rows change unseen; the next paint lays out first, so that the window
// shows what it holds.
void SECTreeBaseC::LayoutAtNextPaint() {
  if (!m_hWnd) return;
  m_bLayoutAtPaint = TRUE;
  Invalidate(FALSE);
}

void SECTreeBaseC::Paint(CDC* dc) {
  if (m_bLayoutAtPaint && !dc->IsPrinting()) {
    m_bLayoutAtPaint = FALSE;
    UpdateScrollState();
  }
  SECListCtrl::Paint(dc);
}

// --- Nodes and rows -------------------------------------------------------------------------------------

_Node* SECTreeBaseC::ResolveItem(HTREEITEM item) const {
  if (!item || item == TVI_ROOT) return m_pRoot;
  auto* node = reinterpret_cast<const _Node*>(item);
  return m_nodes.count(node) ? const_cast<_Node*>(node) : nullptr;
}

_Node* SECTreeBaseC::GetRowNode(int row) const {
  const SECListRow* r = GetRow(row);
  return r ? reinterpret_cast<_Node*>(r->user) : nullptr;
}

int SECTreeBaseC::GetNodeRow(HTREEITEM item) const {
  const _Node* node = ResolveItem(item);
  if (!node || node == m_pRoot) return -1;
  const LPARAM key = reinterpret_cast<LPARAM>(node);
  for (int r = 0; r < GetItemCount(); ++r) {
    if (GetRow(r)->user == key) return r;
  }
  return -1;
}

BOOL SECTreeBaseC::IsNodeShown(const _Node* node) const {
  if (!node || node == m_pRoot) return FALSE;
  for (const _Node* n = node; n != m_pRoot; n = as_node(n->GetParent())) {
    if (hidden_itself(n)) return FALSE;
    const SECTreeNode* parent = n->GetParent();
    if (!parent) return FALSE;  // not in the tree
    if (parent != m_pRoot && !parent->IsExpanded()) return FALSE;
  }
  return TRUE;
}

// The shown node before `node` (itself shown) in pre-order: the deepest last shown descendant of
// the previous shown sibling, else the parent; null for the first top-level node.
_Node* SECTreeBaseC::PrevShown(const _Node* node) const {
  for (SECTreeNode* s = node->GetPrevSibling(); s; s = s->GetPrevSibling()) {
    _Node* n = as_node(s);
    if (hidden_itself(n)) continue;
    for (;;) {
      if (!n->IsExpanded()) return n;
      _Node* last = nullptr;
      for (SECTreeNode* c = n->GetFirstChild(); c; c = c->GetNextSibling()) {
        if (!hidden_itself(as_node(c))) last = as_node(c);
      }
      if (!last) return n;
      n = last;
    }
  }
  _Node* parent = as_node(node->GetParent());
  return parent == m_pRoot ? nullptr : parent;
}

_Node* SECTreeBaseC::NextShownInOrder(const _Node* node) const {
  for (SECTreeNode* n = node->GetNextInOrder(); n; n = n->GetNextInOrder()) {
    if (IsNodeShown(as_node(n))) return as_node(n);
  }
  return nullptr;
}

_Node* SECTreeBaseC::PrevShownInOrder(const _Node* node) const {
  for (SECTreeNode* n = node->GetPrevInOrder(); n && n != m_pRoot; n = n->GetPrevInOrder()) {
    if (IsNodeShown(as_node(n))) return as_node(n);
  }
  return nullptr;
}

void SECTreeBaseC::MirrorIntoRow(const _Node* node, SECListRow* row) {
  const SECTreeItemRecord& item = node->m_item;
  row->user = reinterpret_cast<LPARAM>(node);
  // Rows with values on demand are measured again at every paint, as the list does with its own.
  row->text = item.pszText == _Node::kTextCallback ? ListText::OnDemand() : ListText{};
  row->image = item.iImage == I_IMAGECALLBACK || item.iSelectedImage == I_IMAGECALLBACK ? I_IMAGECALLBACK
                                                                                          : item.iImage;
  row->state = item.state & (TVIS_CUT | TVIS_OVERLAYMASK | TVIS_STATEIMAGEMASK);
  row->ex_state = node->m_nFlags & kExFlags;
  row->height = -1;
}

int SECTreeBaseC::InsertNodeRow(_Node* node, int at) {
  std::unique_ptr<SECListRow> row = CreateRow();
  MirrorIntoRow(node, row.get());
  int index = InsertRowObject(at, row.release());
  if (node->m_item.state & TVIS_SELECTED) SECListCtrl::SelectItem(index, TRUE);
  return index;
}

int SECTreeBaseC::InsertChildRows(const _Node* node, int at) {
  for (SECTreeNode* c = node->GetFirstChild(); c; c = c->GetNextSibling()) {
    _Node* child = as_node(c);
    if (hidden_itself(child)) continue;
    at = InsertNodeRow(child, at) + 1;
    if (child->IsExpanded()) at = InsertChildRows(child, at);
  }
  return at;
}

int SECTreeBaseC::DescendantRowCount(int row) const {
  const _Node* node = GetRowNode(row);
  if (!node) return 0;
  int count = 0;
  while (node->IsAncestorOf(GetRowNode(row + 1 + count))) ++count;
  return count;
}

// Makes the rows match the shown nodes: rows for shown nodes without one, none for the others.
void SECTreeBaseC::SyncRows() {
  std::vector<_Node*> shown;
  auto collect = [&](auto&& self, const _Node* parent) -> void {
    for (SECTreeNode* c = parent->GetFirstChild(); c; c = c->GetNextSibling()) {
      _Node* child = as_node(c);
      if (hidden_itself(child)) continue;
      shown.push_back(child);
      if (child->IsExpanded()) self(self, child);
    }
  };
  collect(collect, m_pRoot);
  std::unordered_set<const _Node*> wanted(shown.begin(), shown.end());
  LayoutHold hold(this);
  auto drop_row = [&](int r) {
    if (_Node* gone = GetRowNode(r)) gone->m_item.state &= ~TVIS_SELECTED;
    DeleteRows(r, 1);
  };
  int r = 0;
  for (_Node* node : shown) {
    while (r < GetItemCount() && !wanted.count(GetRowNode(r))) drop_row(r);
    if (r < GetItemCount() && GetRowNode(r) == node) {
      ++r;
      continue;
    }
    int existing = GetNodeRow(Handle(node));
    if (existing > r) {
      while (GetRowNode(r) != node) drop_row(r);
      ++r;
      continue;
    }
    InsertNodeRow(node, r++);
  }
  while (r < GetItemCount()) drop_row(r);
  m_bLayoutWanted = TRUE;
}

// --- Item data ------------------------------------------------------------------------------------------

// The node's state with selection and drop highlight as its row shows them.
UINT SECTreeBaseC::TreeState(const _Node* node, int row) const {
  UINT state = node->m_item.state;
  if (row < 0) return state & ~UINT(TVIS_DROPHILITED);
  state &= ~UINT(TVIS_SELECTED | TVIS_DROPHILITED);
  return state | m_model.StateOf(row, LVIS_SELECTED | LVIS_DROPHILITED);
}

TVITEM SECTreeBaseC::RecordOf(const _Node* node) const {
  TVITEM item;
  if (!node) return item;
  const SECTreeItemRecord& s = node->m_item;
  item.mask = s.mask | TVIF_HANDLE;
  item.hItem = Handle(node);
  item.state = TreeState(node, GetNodeRow(Handle(node)));
  item.stateMask = s.stateMask;
  item.pszText = s.pszText;
  item.cchTextMax = s.cchTextMax;
  item.iImage = s.iImage;
  item.iSelectedImage = s.iSelectedImage;
  item.cChildren = s.cChildren;
  item.lParam = s.lParam;
  return item;
}

void SECTreeBaseC::StoreItemData(_Node* node, const TVITEM& item) {
  SECTreeItemRecord& s = node->m_item;
  const bool keep = item.mask & TVIF_DI_SETITEM;
  TVITEM refused;
  refused.hItem = Handle(node);
  refused.lParam = s.lParam;
  auto store = [&](UINT bit, int value, int& slot, int& refused_slot) {
    if (!(item.mask & bit)) return;
    if (slot == -1 && !keep) {
      refused.mask |= bit;
      refused_slot = value;
    } else {
      slot = value;
    }
  };
  store(TVIF_CHILDREN, item.cChildren, s.cChildren, refused.cChildren);
  store(TVIF_IMAGE, item.iImage, s.iImage, refused.iImage);
  store(TVIF_SELECTEDIMAGE, item.iSelectedImage, s.iSelectedImage, refused.iSelectedImage);
  if (item.mask & TVIF_PARAM) s.lParam = item.lParam;
  if (item.mask & TVIF_STATE) s.state = (s.state & ~item.stateMask) | (item.state & item.stateMask);
  if (item.mask & TVIF_TEXT) {
    if (item.pszText == LPSTR_TEXTCALLBACK) node->SetTextCallback();
    else node->SetText(item.pszText);
  }
  s.mask |= item.mask & (TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM | TVIF_STATE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN);
  if (refused.mask) {
    refused.mask |= TVIF_HANDLE;
    NotifySetTreeDispInfo(&refused);
  }
}

BOOL SECTreeBaseC::GetTreeItem(TVITEM* item, BOOL copyText, BOOL askParent) const {
  const _Node* node = item ? ResolveItem(item->hItem) : nullptr;
  if (!node || node == m_pRoot) return FALSE;
  ReadItem(node, (item->mask & TVIF_STATE) ? GetNodeRow(item->hItem) : -1, item, copyText, askParent);
  return TRUE;
}

void SECTreeBaseC::ReadItem(const _Node* node, int row, TVITEM* item, BOOL copyText, BOOL askParent) const {
  const SECTreeItemRecord& s = node->m_item;
  UINT flagged = 0;
  auto read = [&](UINT bit, int value, int& out) {
    if (!(item->mask & bit)) return;
    out = value;
    if (value == -1) flagged |= bit;
  };
  read(TVIF_CHILDREN, s.cChildren, item->cChildren);
  read(TVIF_IMAGE, s.iImage, item->iImage);
  read(TVIF_SELECTEDIMAGE, s.iSelectedImage, item->iSelectedImage);
  if (item->mask & TVIF_PARAM) item->lParam = s.lParam;
  if (item->mask & TVIF_STATE) item->state = TreeState(node, row) & item->stateMask;
  // A caller's buffer to write into, if it gave a usable one.
  LPSTR caller_buffer =
      item->cchTextMax > 0 && item->pszText != LPSTR_TEXTCALLBACK ? item->pszText : nullptr;
  if (item->mask & TVIF_TEXT) {
    if (s.pszText == _Node::kTextCallback) {
      flagged |= TVIF_TEXT;
    } else if (copyText) {
      if (caller_buffer) copy_bounded(s.pszText, caller_buffer, item->cchTextMax);
    } else {
      item->pszText = s.pszText ? s.pszText : g_empty_text;
    }
  }
  if (!flagged || !askParent) return;

  TVITEM question = *item;
  question.mask = flagged | TVIF_HANDLE;
  question.hItem = Handle(node);
  question.lParam = s.lParam;
  question.state = s.state;
  if (flagged & TVIF_TEXT) {
    if (caller_buffer) {
      question.pszText = caller_buffer;
    } else {
      m_askBuffer.assign(size_t(kAskCapacity), '\0');
      question.pszText = m_askBuffer.data();
      question.cchTextMax = kAskCapacity;
    }
    question.pszText[0] = '\0';
  }
  NotifyGetTreeDispInfo(&question);
  if (flagged & TVIF_TEXT) {
    LPSTR answer = question.pszText == LPSTR_TEXTCALLBACK || !question.pszText ? g_empty_text : question.pszText;
    if (answer == caller_buffer) {
      caller_buffer[item->cchTextMax - 1] = '\0';
    } else if (answer == m_askBuffer.data()) {
      m_askBuffer.back() = '\0';
    }
    if (copyText && caller_buffer) copy_bounded(answer, caller_buffer, item->cchTextMax);
    else if (!copyText) item->pszText = answer;
  }
  if (flagged & TVIF_CHILDREN) item->cChildren = question.cChildren;
  if (flagged & TVIF_IMAGE) item->iImage = question.iImage;
  if (flagged & TVIF_SELECTEDIMAGE) item->iSelectedImage = question.iSelectedImage;
}

BOOL SECTreeBaseC::SetItem(TVITEM* item) {
  _Node* node = item ? ResolveItem(item->hItem) : nullptr;
  if (!node || node == m_pRoot) return FALSE;
  int row = GetNodeRow(Handle(node));
  auto shown = [&] {
    TVITEM look;
    look.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_CHILDREN;
    look.hItem = Handle(node);
    look.stateMask = 0xFFFF;
    GetTreeItem(&look, FALSE, FALSE);
    const char* text = node->m_item.pszText;
    std::string label = text == _Node::kTextCallback ? "\x01" : text ? text : "";
    return std::make_tuple(label, look.iImage, look.iSelectedImage, look.state, look.cChildren);
  };
  auto before = shown();
  int drop_before = GetDropHighlight();
  const bool was_expanded = node->IsExpanded();
  StoreItemData(node, *item);
  if (was_expanded != bool(node->IsExpanded())) {
    // The expanded bit set by record: the rows follow at once (without notifications).
    SyncRows();
    if (m_hWnd) Invalidate();
    row = GetNodeRow(Handle(node));
  }
  if (row < 0) return TRUE;

  LVITEM lv;
  lv.iItem = row;
  if (item->mask & TVIF_STATE) {
    lv.mask |= LVIF_STATE;
    lv.state = item->state;
    lv.stateMask = item->stateMask & kRowShownState;
  }
  if (item->mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE)) {
    lv.mask |= LVIF_IMAGE | LVIF_DI_SETITEM;
    lv.iImage = node->m_item.iImage;
  }
  if (lv.mask) SECListCtrl::SetItem(&lv, FALSE);
  SECListRow* r = GetRow(row);
  MirrorIntoRow(node, r);
  auto after = shown();
  if (before != after && row != m_nEditRow && m_hWnd) {
    bool text_changed = std::get<0>(before) != std::get<0>(after);
    RedrawRow(row, FALSE, TRUE, text_changed, GetDropHighlight() != drop_before);
    if (text_changed) UpdateScrollState();
  }
  return TRUE;
}

BOOL SECTreeBaseC::SetNodeState(HTREEITEM item, UINT state, UINT mask) {
  TVITEM rec;
  rec.mask = TVIF_HANDLE | TVIF_STATE;
  rec.hItem = item;
  rec.state = state;
  rec.stateMask = mask;
  return SetItem(&rec);
}

LPARAM SECTreeBaseC::GetItemUserData(HTREEITEM item) const {
  const _Node* node = item ? ResolveItem(item) : nullptr;
  return node && node != m_pRoot ? node->m_item.lParam : 0;
}

BOOL SECTreeBaseC::SetItemUserData(HTREEITEM item, LPARAM value) {
  _Node* node = item ? ResolveItem(item) : nullptr;
  if (!node || node == m_pRoot) return FALSE;
  node->m_item.lParam = value;
  return TRUE;
}

CString SECTreeBaseC::GetNodeText(HTREEITEM item, int subItem) const {
  const _Node* node = ResolveItem(item);
  if (!node || node == m_pRoot) return CString();
  if (subItem == 0) {
    TVITEM rec;
    rec.mask = TVIF_HANDLE | TVIF_TEXT;
    rec.hItem = Handle(node);
    GetTreeItem(&rec, FALSE, TRUE);
    return CString(rec.pszText ? rec.pszText : "");
  }
  if (m_pSubItemTexts) return m_pSubItemTexts->Get(node, subItem);
  int row = GetNodeRow(Handle(node));
  return row >= 0 ? SECListCtrl::GetItemText(row, subItem) : CString();
}

int SECTreeBaseC::CompareNodes(_Node* a, _Node* b) const {
  return GetNodeText(Handle(a)).CollateNoCase(GetNodeText(Handle(b)));
}

BOOL SECTreeBaseC::SetTreeItemExState(HTREEITEM item, const ListExState* ex) {
  _Node* node = ex ? ResolveItem(item) : nullptr;
  if (!node || node == m_pRoot) return FALSE;
  uint32_t mask = ex->stateMask & kExFlags;
  uint32_t next = (node->m_nFlags & ~mask) | (ex->state & mask);
  bool hidden_changed = (next ^ node->m_nFlags) & _Node::kHidden;
  bool changed = next != node->m_nFlags;
  node->m_nFlags = next;
  int row = GetNodeRow(item);
  if (row >= 0) GetRow(row)->ex_state = node->m_nFlags & kExFlags;
  NotifySetTreeExState(item, ex);
  if (hidden_changed) {
    // A hidden node leaves the rows at once (and comes back when shown again).
    SyncRows();
    if (m_hWnd) Invalidate();
  } else if (changed && m_hWnd) {
    Invalidate(FALSE);  // grey reaches the whole subtree
  }
  return TRUE;
}

BOOL SECTreeBaseC::GetTreeItemExState(HTREEITEM item, ListExState* ex, BOOL notify) const {
  const _Node* node = ex ? ResolveItem(item) : nullptr;
  if (!node || node == m_pRoot) return FALSE;
  uint32_t inherited = 0;
  for (const _Node* n = node; n && n != m_pRoot; n = as_node(n->GetParent())) inherited |= n->m_nFlags & kExFlags;
  ex->state = inherited & ex->stateMask;
  if (notify) NotifyGetTreeExState(item, ex);
  return TRUE;
}

// --- Sub-item texts -------------------------------------------------------------------------------------

void SECTreeBaseC::EnableSubItemTextMap(BOOL on) {
  if (on && !m_pSubItemTexts) m_pSubItemTexts = std::make_unique<SubItemTextMap>();
  if (!on) m_pSubItemTexts.reset();
}

BOOL SECTreeBaseC::SetNodeTitle(HTREEITEM node, LPCTSTR text) {
  TVITEM rec;
  rec.mask = TVIF_HANDLE | TVIF_TEXT;
  rec.hItem = node;
  rec.pszText = const_cast<LPSTR>(text);
  return SetItem(&rec);
}

BOOL SECTreeBaseC::SetNodeText(HTREEITEM item, int subItem, LPCTSTR text) {
  const _Node* node = ResolveItem(item);
  if (!node || node == m_pRoot || subItem < 0) return FALSE;
  if (subItem == 0) return SetNodeTitle(item, text);
  int row = GetNodeRow(item);
  if (!m_pSubItemTexts) return row >= 0 && SECListCtrl::SetItemText(row, subItem, text);
  if (subItem > GetSubItemCount()) return FALSE;
  m_pSubItemTexts->Set(node, subItem, CString(text));
  if (row >= 0) {
    InvalidateRowHeight(row);
    RedrawRow(row);
  }
  return TRUE;
}

// --- Inserting ------------------------------------------------------------------------------------------

HTREEITEM SECTreeBaseC::InsertItem(const TVINSERTSTRUCT* insert) {
  if (!insert) return nullptr;
  if (!m_pRoot) MakeRoot();
  _Node* parent = ResolveItem(insert->hParent);
  if (!parent || (parent->m_nFlags & kDying)) return nullptr;
  std::unique_ptr<_Node> node(CreateNode());
  if (!node) return nullptr;
  node->m_item.hItem = node.get();
  HTREEITEM after = insert->hInsertAfter;
  SECTreeNode* where = SECTreeNode::kLast;
  if (after == TVI_FIRST) {
    where = SECTreeNode::kFirst;
  } else if (after == TVI_SORT || after == TVI_SORTDESCENDING) {
    // The new text is compared before the node is linked; its handle already answers, so a
    // text on demand can be asked of the parent.
    m_nodes.insert(node.get());
    StoreItemData(node.get(), insert->item);
    bool descending = after == TVI_SORTDESCENDING;
    where = SECTreeNode::kFirst;
    for (SECTreeNode* c = parent->GetFirstChild(); c; c = c->GetNextSibling()) {
      int order = CompareNodes(as_node(c), node.get());
      if (descending ? order >= 0 : order <= 0) where = c;
    }
    m_nodes.erase(node.get());
  } else if (after && after != TVI_ROOT && after != TVI_LAST) {
    where = reinterpret_cast<SECTreeNode*>(after);  // only compared with the children, never followed
  }
  if (!parent->AddChild(node.get(), where)) return nullptr;
  _Node* made = node.release();
  m_nodes.insert(made);
  if (!(after == TVI_SORT || after == TVI_SORTDESCENDING)) StoreItemData(made, insert->item);
  if (!IsNodeShown(made)) return Handle(made);
  _Node* prev = PrevShown(made);
  int at = prev ? GetNodeRow(Handle(prev)) + 1 : 0;
  at = InsertNodeRow(made, at);
  if (made->IsExpanded()) InsertChildRows(made, at + 1);
  if (m_bAutoRedraw) Relayout(at, TRUE);
  else LayoutAtNextPaint();
  return Handle(made);
}

// --- Deleting -------------------------------------------------------------------------------------------

void SECTreeBaseC::NotifyDeleteNode(_Node* node) {
  NMTREEVIEW n;
  n.itemOld.mask = TVIF_HANDLE | TVIF_PARAM;
  n.itemOld.hItem = Handle(node);
  n.itemOld.lParam = node->m_item.lParam;
  Send(&n.hdr, TVN_DELETEITEM);
  if (m_pSubItemTexts) m_pSubItemTexts->Remove(node);
}

// Takes out one node that has no children left: its row first, then the notification.
void SECTreeBaseC::DestroyNode(_Node* node) {
  node->m_nFlags |= kDying;
  int row = GetNodeRow(Handle(node));
  node->Unlink();
  if (row >= 0) DeleteRows(row, 1);
  NotifyDeleteNode(node);
  // Whatever the parent inserted under it meanwhile goes with it.
  DestroySubtree(node);
  m_nodes.erase(node);
  delete node;
}

// Every node below `node`, leaves first.
void SECTreeBaseC::DestroySubtree(_Node* node) {
  while (SECTreeNode* leaf = node->GetFirstLeaf()) DestroyNode(as_node(leaf));
}

BOOL SECTreeBaseC::DeleteNode(HTREEITEM item) {
  _Node* node = ResolveItem(item);
  if (!node || (node->m_nFlags & kDying)) return FALSE;
  LayoutHold hold(this);
  m_bLayoutWanted = TRUE;
  if (node == m_pRoot) {
    // Rows first: nothing may paint a node once it is gone.
    SECListCtrl::DeleteAllItems();
    m_pRoot->m_nFlags |= kDying;
    DestroySubtree(m_pRoot);
    m_nodes.clear();
    delete m_pRoot;
    MakeRoot();
    return TRUE;
  }
  node->m_nFlags |= kDying;
  DestroySubtree(node);
  DestroyNode(node);
  return TRUE;
}

BOOL SECTreeBaseC::DeleteItem(HTREEITEM item) {
  if (!DeleteNode(item)) return FALSE;
  if (m_bAutoRedraw && m_hWnd) {
    UpdateScrollState();
    Invalidate();
  } else {
    LayoutAtNextPaint();
  }
  return TRUE;
}

BOOL SECTreeBaseC::DeleteAllItems() {
  DeleteNode(TVI_ROOT);
  if (m_hWnd) Invalidate();
  return TRUE;
}

// --- Expanding ------------------------------------------------------------------------------------------

int SECTreeBaseC::ChildCount(const _Node* node) const {
  TVITEM rec;
  rec.mask = TVIF_HANDLE | TVIF_CHILDREN;
  rec.hItem = Handle(node);
  return GetTreeItem(&rec, FALSE, TRUE) ? rec.cChildren : 0;
}

BOOL SECTreeBaseC::ItemHasChildren(HTREEITEM item) const {
  const _Node* node = ResolveItem(item);
  return node && node->GetFirstChild() ? TRUE : FALSE;
}

BOOL SECTreeBaseC::HasChildrenOnDemand(HTREEITEM item) const {
  const _Node* node = ResolveItem(item);
  return node && node != m_pRoot && !node->GetFirstChild() && ChildCount(node) > 0;
}

BOOL SECTreeBaseC::HasButton(const _Node* node) const {
  return node->GetFirstChild() || HasChildrenOnDemand(Handle(node));
}

BOOL SECTreeBaseC::NotifyItemExpanding(_Node* node, UINT code) {
  NMTREEVIEW n;
  n.action = code;
  n.itemNew = RecordOf(node);
  return Send(&n.hdr, TVN_ITEMEXPANDING) != 0;
}

void SECTreeBaseC::NotifyItemExpanded(_Node* node, UINT code) {
  NMTREEVIEW n;
  n.action = code;
  n.itemNew = RecordOf(node);
  n.itemNew.state = node->IsExpanded() ? TVIS_EXPANDED : 0;
  Send(&n.hdr, TVN_ITEMEXPANDED);
}

BOOL SECTreeBaseC::ExpandItem(HTREEITEM item, UINT code, BOOL redraw) {
  _Node* node = ResolveItem(item);
  if (!node || node == m_pRoot || (node->m_nFlags & kDying)) return FALSE;
  if (!HasButton(node)) return TRUE;
  const bool reset = code & TVE_COLLAPSERESET;
  UINT action = code & TVE_TOGGLE;
  if (action == TVE_TOGGLE) action = node->IsExpanded() ? TVE_COLLAPSE : TVE_EXPAND;
  if (reset && action == 0) action = TVE_COLLAPSE;
  if (action == 0 || (reset && action != TVE_COLLAPSE)) return FALSE;
  // Nothing to do is not told: a parent that gives children on demand would give them twice.
  if (action == TVE_EXPAND && node->IsExpanded()) return TRUE;
  if (action == TVE_COLLAPSE && !node->IsExpanded() && !reset) return TRUE;
  // The parent hears what happens (a toggle as the expand or collapse it is), as tree-view
  // parents expect when they give children on demand.
  code = action | (reset ? TVE_COLLAPSERESET : 0);
  if (NotifyItemExpanding(node, code)) return FALSE;
  if (!IsLive(node)) return FALSE;  // the parent deleted it

  CRect before;
  GetViewRect(&before);
  int row = GetNodeRow(Handle(node));
  {
    LayoutHold hold(this);
    m_bLayoutWanted = TRUE;
    if (action == TVE_COLLAPSE) {
      if (node->IsExpanded()) {
        int count = row >= 0 ? DescendantRowCount(row) : 0;
        int caret = GetCaretRow();
        if (row >= 0 && caret > row && caret <= row + count) {
          SelectByInput(row, 0, 0, TRUE);
          OnSelectionChanged(row, TRUE);
        }
        node->SetExpanded(false);
        for (int r = row + 1; r <= row + count; ++r) GetRowNode(r)->m_item.state &= ~TVIS_SELECTED;
        if (count > 0) DeleteRows(row + 1, count);
      }
      if (reset) {
        while (SECTreeNode* child = node->GetFirstChild()) DeleteNode(Handle(as_node(child)));
      }
    } else {
      if (!node->GetFirstChild()) return FALSE;  // children on demand that the parent did not give
      node->SetExpanded(true);
      if (row >= 0) InsertChildRows(node, row + 1);
    }
  }
  NotifyItemExpanded(node, code);
  if (redraw && m_hWnd && IsLive(node)) {
    CRect after;
    GetViewRect(&after);
    row = GetNodeRow(Handle(node));
    if (before == after && row >= GetTopIndex()) RedrawRow(row, FALSE, TRUE, TRUE);
    else Invalidate();
  }
  return TRUE;
}

BOOL SECTreeBaseC::ExpandAll(HTREEITEM item, BOOL redraw) {
  _Node* node = ResolveItem(item);
  if (!node) return FALSE;
  {
    LayoutHold hold(this);
    m_bLayoutWanted = TRUE;
    auto expand = [&](auto&& self, _Node* n) -> void {
      if (n != m_pRoot) ExpandItem(Handle(n), TVE_EXPAND, FALSE);
      std::vector<_Node*> children;
      for (SECTreeNode* c = n->GetFirstChild(); c; c = c->GetNextSibling()) children.push_back(as_node(c));
      for (_Node* child : children) {
        if (IsLive(child)) self(self, child);
      }
    };
    expand(expand, node);
  }
  if (redraw && m_hWnd) Invalidate();
  return TRUE;
}

// --- Visibility and selection ---------------------------------------------------------------------------

BOOL SECTreeBaseC::EnsureVisible(HTREEITEM item, BOOL showParent) {
  _Node* node = ResolveItem(item);
  if (!node || node == m_pRoot) return FALSE;
  int row = GetNodeRow(item);
  if (row < 0) {
    std::vector<_Node*> chain;
    for (_Node* n = node; n != m_pRoot; n = as_node(n->GetParent())) {
      if (hidden_itself(n)) return FALSE;
      if (n != node) chain.push_back(n);
    }
    {
      LayoutHold hold(this);
      for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!IsLive(*it) || (!(*it)->IsExpanded() && !ExpandItem(Handle(*it), TVE_EXPAND, FALSE))) return FALSE;
      }
      if (!IsLive(node)) return FALSE;
      SyncRows();
    }
    row = GetNodeRow(item);
    if (row < 0) return FALSE;
    if (m_hWnd) Invalidate();
  }
  _Node* parent = as_node(node->GetParent());
  int parent_row = showParent && parent != m_pRoot ? GetNodeRow(Handle(parent)) : -1;
  if (parent_row >= 0) ScrollRangeIntoView(parent_row, row);
  else SECListCtrl::EnsureVisible(row);
  return TRUE;
}

namespace {

UINT action_of(BOOL byMouse) { return byMouse ? TVC_BYMOUSE : TVC_BYKEYBOARD; }

}  // namespace

LRESULT SECTreeBaseC::SendSelectionChange(UINT code, int row, int oldRow, UINT action) {
  NMTREEVIEW n;
  n.action = action;
  n.itemOld = RecordOf(GetRowNode(oldRow));
  n.itemNew = RecordOf(GetRowNode(row));
  return Send(&n.hdr, code);
}

BOOL SECTreeBaseC::NotifySelectionChanging(int row, int caret, BOOL byMouse) {
  return SendSelectionChange(TVN_SELCHANGING, row, caret, action_of(byMouse)) != 0;
}

void SECTreeBaseC::NotifySelectionChanged(int row, int oldCaret, BOOL byMouse) {
  SendSelectionChange(TVN_SELCHANGED, row, oldCaret, action_of(byMouse));
}

BOOL SECTreeBaseC::SelectItem(HTREEITEM item) {
  _Node* node = ResolveItem(item);
  if (!node || node == m_pRoot || !EnsureVisible(item)) return FALSE;
  // One selection: the item becomes the caret, told once.
  if (!GetMultipleSelection()) return Select(item, TVGN_CARET);
  int row = GetNodeRow(item);
  int caret = GetCaretRow();
  if (SendSelectionChange(TVN_SELCHANGING, row, caret, TVC_UNKNOWN)) return FALSE;
  SECListCtrl::SelectItem(row, TRUE);
  SendSelectionChange(TVN_SELCHANGED, row, caret, TVC_UNKNOWN);
  return TRUE;
}

BOOL SECTreeBaseC::Select(HTREEITEM item, UINT code) {
  _Node* node = ResolveItem(item);
  switch (code) {
    case TVGN_FIRSTVISIBLE: {
      if (!node || node == m_pRoot || !EnsureVisible(item)) return FALSE;
      EnsureVisibleScroll(GetNodeRow(item));
      return TRUE;
    }
    case TVGN_DROPHILITE: {
      if (!node) return FALSE;
      int row = node == m_pRoot ? -1 : GetNodeRow(item);
      SetDropHighlight(row);
      return TRUE;
    }
    case TVGN_CARET: {
      if (!node || node == m_pRoot || !EnsureVisible(item)) return FALSE;
      int row = GetNodeRow(item);
      int caret = GetCaretRow();
      if (SendSelectionChange(TVN_SELCHANGING, row, caret, TVC_UNKNOWN)) return FALSE;
      if (GetRow(row)) {
        HideTip();
        SetCaret(row, TRUE);
      }
      SendSelectionChange(TVN_SELCHANGED, row, caret, TVC_UNKNOWN);
      return TRUE;
    }
    default: return FALSE;
  }
}

// --- Navigation -----------------------------------------------------------------------------------------

HTREEITEM SECTreeBaseC::GetRootItem(HTREEITEM) const { return Handle(as_node(m_pRoot->GetFirstChild())); }

HTREEITEM SECTreeBaseC::GetChildItem(HTREEITEM item) const {
  const _Node* node = ResolveItem(item);
  return node ? Handle(as_node(node->GetFirstChild())) : nullptr;
}

HTREEITEM SECTreeBaseC::GetNextSiblingItem(HTREEITEM item) const {
  const _Node* node = ResolveItem(item);
  return node && node != m_pRoot ? Handle(as_node(node->GetNextSibling())) : nullptr;
}

HTREEITEM SECTreeBaseC::GetPrevSiblingItem(HTREEITEM item) const {
  const _Node* node = ResolveItem(item);
  return node && node != m_pRoot ? Handle(as_node(node->GetPrevSibling())) : nullptr;
}

HTREEITEM SECTreeBaseC::GetParentItem(HTREEITEM item) const {
  const _Node* node = ResolveItem(item);
  if (!node || node == m_pRoot) return nullptr;
  const SECTreeNode* parent = node->GetParent();
  return parent == m_pRoot ? nullptr : Handle(as_node(const_cast<SECTreeNode*>(parent)));
}

HTREEITEM SECTreeBaseC::GetFirstVisibleItem() const { return Handle(GetRowNode(GetTopIndex())); }

HTREEITEM SECTreeBaseC::GetNextVisibleItem(HTREEITEM item) const {
  const _Node* node = ResolveItem(item);
  if (!node || node == m_pRoot) return nullptr;
  int row = GetNodeRow(item);
  return Handle(row >= 0 ? GetRowNode(row + 1) : NextShownInOrder(node));
}

HTREEITEM SECTreeBaseC::GetPrevVisibleItem(HTREEITEM item) const {
  const _Node* node = ResolveItem(item);
  if (!node || node == m_pRoot) return nullptr;
  int row = GetNodeRow(item);
  return Handle(row >= 0 ? GetRowNode(row - 1) : PrevShownInOrder(node));
}

HTREEITEM SECTreeBaseC::GetSelectedItem() const { return Handle(GetRowNode(GetCaretRow())); }
HTREEITEM SECTreeBaseC::GetDropHilightItem() const { return Handle(GetRowNode(GetDropHighlight())); }
HTREEITEM SECTreeBaseC::GetFirstSelectedItem() const { return Handle(GetRowNode(GetNextItem(-1, LVNI_SELECTED))); }

HTREEITEM SECTreeBaseC::GetNextSelectedItem(HTREEITEM item) const {
  int row = GetNodeRow(item);
  return row >= 0 ? Handle(GetRowNode(GetNextItem(row, LVNI_BELOW | LVNI_SELECTED))) : nullptr;
}

HTREEITEM SECTreeBaseC::GetPrevSelectedItem(HTREEITEM item) const {
  int row = GetNodeRow(item);
  return row >= 0 ? Handle(GetRowNode(GetNextItem(row, LVNI_ABOVE | LVNI_SELECTED))) : nullptr;
}

HTREEITEM SECTreeBaseC::GetRelatedItem(HTREEITEM item, UINT code) const {
  switch (code) {
    case TVGN_ROOT: return GetRootItem(item);
    case TVGN_NEXT: return GetNextSiblingItem(item);
    case TVGN_PREVIOUS: return GetPrevSiblingItem(item);
    case TVGN_PARENT: return GetParentItem(item);
    case TVGN_CHILD: return GetChildItem(item);
    case TVGN_FIRSTVISIBLE: return GetFirstVisibleItem();
    case TVGN_NEXTVISIBLE: return GetNextVisibleItem(item);
    case TVGN_PREVIOUSVISIBLE: return GetPrevVisibleItem(item);
    case TVGN_DROPHILITE: return GetDropHilightItem();
    case TVGN_CARET: return GetSelectedItem();
    case TVGN_FIRSTSELECTED: return GetFirstSelectedItem();
    case TVGN_NEXTSELECTED: return GetNextSelectedItem(item);
    case TVGN_PREVSELECTED: return GetPrevSelectedItem(item);
    default: return nullptr;
  }
}

int SECTreeBaseC::GetCount() const {
  int count = 0;
  for (const SECTreeNode* n = m_pRoot->GetFirstChild(); n; n = n->GetNextInOrder()) ++count;
  return count;
}

// --- List operations on the first column ----------------------------------------------------------------

LPARAM SECTreeBaseC::GetRowData(int row) const {
  const _Node* node = GetRowNode(row);
  return node ? node->m_item.lParam : 0;
}

BOOL SECTreeBaseC::SetItemUserValue(int row, LPARAM value) {
  _Node* node = GetRowNode(row);
  if (!node) return FALSE;
  node->m_item.lParam = value;
  return TRUE;
}

BOOL SECTreeBaseC::GetItem(LVITEM* it, BOOL copyText, BOOL askParent) const {
  if (!it || it->iSubItem != 0) return SECListCtrl::GetItem(it, copyText, askParent);
  const _Node* node = GetRowNode(it->iItem);
  if (!node) return FALSE;
  TVITEM rec;
  rec.mask = TVIF_HANDLE | TVIF_PARAM;
  rec.hItem = Handle(node);
  if (it->mask & LVIF_TEXT) {
    rec.mask |= TVIF_TEXT;
    rec.pszText = it->pszText;
    rec.cchTextMax = it->cchTextMax;
  }
  if (it->mask & LVIF_IMAGE) rec.mask |= TVIF_IMAGE;
  if (it->mask & LVIF_STATE) {
    rec.mask |= TVIF_STATE;
    rec.stateMask = kRowShownState;
  }
  ReadItem(node, it->iItem, &rec, copyText, askParent);
  if ((it->mask & LVIF_TEXT) && !copyText) it->pszText = rec.pszText;
  if (it->mask & LVIF_IMAGE) it->iImage = rec.iImage;
  if (it->mask & LVIF_STATE) it->state = ((rec.state & kRowShownState) | m_model.StateOf(it->iItem, LVIS_FOCUSED)) & it->stateMask;
  if (it->mask & LVIF_PARAM) it->lParam = rec.lParam;
  return TRUE;
}

BOOL SECTreeBaseC::SetItem(const LVITEM* it, BOOL redraw) {
  if (!it || it->iSubItem != 0) return SECListCtrl::SetItem(it, redraw);
  _Node* node = GetRowNode(it->iItem);
  if (!node) return FALSE;
  TVITEM rec;
  rec.mask = TVIF_HANDLE | ((it->mask & LVIF_DI_SETITEM) ? TVIF_DI_SETITEM : 0);
  rec.hItem = Handle(node);
  if (it->mask & LVIF_TEXT) {
    rec.mask |= TVIF_TEXT;
    rec.pszText = it->pszText;
  }
  if (it->mask & LVIF_IMAGE) {
    rec.mask |= TVIF_IMAGE;
    rec.iImage = it->iImage;
  }
  if (it->mask & LVIF_STATE) {
    rec.mask |= TVIF_STATE;
    rec.state = it->state;
    rec.stateMask = it->stateMask & ~UINT(LVIS_FOCUSED);
  }
  if (it->mask & LVIF_PARAM) {
    rec.mask |= TVIF_PARAM;
    rec.lParam = it->lParam;
  }
  BOOL done = SetItem(&rec);
  if ((it->mask & LVIF_STATE) && (it->stateMask & LVIS_FOCUSED)) {
    LVITEM focus = *it;
    focus.mask = LVIF_STATE;
    focus.stateMask = LVIS_FOCUSED;
    SECListCtrl::SetItem(&focus, redraw);
  }
  return done;
}

BOOL SECTreeBaseC::SetItemExState(const LVITEM* item, const ListExState* ex) {
  const _Node* node = item ? GetRowNode(item->iItem) : nullptr;
  return node && SetTreeItemExState(Handle(node), ex);
}

BOOL SECTreeBaseC::GetItemExState(const LVITEM* item, ListExState* ex, BOOL askParent) const {
  const _Node* node = item ? GetRowNode(item->iItem) : nullptr;
  return node && GetTreeItemExState(Handle(node), ex, askParent);
}

CString SECTreeBaseC::GetItemText(int row, int subItem) const {
  const _Node* node = GetRowNode(row);
  if (!node) return CString();
  if (subItem == 0 || m_pSubItemTexts) return GetNodeText(Handle(node), subItem);
  return SECListCtrl::GetItemText(row, subItem);
}

BOOL SECTreeBaseC::NeedsParentData(int row) const {
  const _Node* node = GetRowNode(row);
  if (!node) return FALSE;
  const SECTreeItemRecord& s = node->m_item;
  if (s.pszText == _Node::kTextCallback || s.iImage == -1 || s.iSelectedImage == -1 || s.cChildren == -1) return TRUE;
  return SECListCtrl::NeedsParentData(row);
}

// --- Notifications --------------------------------------------------------------------------------------

void SECTreeBaseC::NotifyGetTreeDispInfo(TVITEM* item) const {
  NMTVDISPINFO n;
  n.item = *item;
  Send(&n.hdr, TVN_GETDISPINFO);
  *item = n.item;
}

void SECTreeBaseC::NotifySetTreeDispInfo(const TVITEM* item) {
  NMTVDISPINFO n;
  n.item = *item;
  Send(&n.hdr, TVN_SETDISPINFO);
}

void SECTreeBaseC::NotifyGetDispInfo(LVITEM* item) const {
  if (item->iSubItem > 0 && m_pSubItemTexts) {
    if ((item->mask & LVIF_TEXT) && item->pszText != LPSTR_TEXTCALLBACK) {
      copy_bounded(m_pSubItemTexts->Get(GetRowNode(item->iItem), item->iSubItem), item->pszText, item->cchTextMax);
    }
    return;
  }
  SECListCtrl::NotifyGetDispInfo(item);
}

void SECTreeBaseC::NotifySetDispInfo(const LVITEM* item) {
  if (item->iSubItem > 0 && m_pSubItemTexts && (item->mask & LVIF_TEXT)) {
    if (const _Node* node = GetRowNode(item->iItem)) {
      m_pSubItemTexts->Set(node, item->iSubItem,
                           CString(item->pszText && item->pszText != LPSTR_TEXTCALLBACK ? item->pszText : ""));
    }
    return;
  }
  SECListCtrl::NotifySetDispInfo(item);
}

void SECTreeBaseC::NotifyKeyDown(UINT key) {
  NMTVKEYDOWN n;
  n.wVKey = WORD(key);
  n.flags = 0;
  Send(&n.hdr, TVN_KEYDOWN);
}

void SECTreeBaseC::NotifyDragStart(int row, CPoint point, UINT code) {
  if (m_dwTreeStyle & TVS_DISABLEDRAGDROP) {
    m_bDragging = FALSE;
    return;
  }
  NMTREEVIEW n;
  n.itemNew = RecordOf(GetRowNode(row));
  n.ptDrag = point;
  Send(&n.hdr, code);
}

void SECTreeBaseC::NotifyBeginDrag(int row, CPoint point) { NotifyDragStart(row, point, TVN_BEGINDRAG); }

void SECTreeBaseC::NotifyBeginRightDrag(int row, CPoint point) { NotifyDragStart(row, point, TVN_BEGINRDRAG); }

BOOL SECTreeBaseC::NotifyBeginLabelEdit(int row, int subItem) {
  const _Node* node = GetRowNode(row);
  if (subItem != 0 || !node) return SECListCtrl::NotifyBeginLabelEdit(row, subItem);
  std::string text(GetNodeText(Handle(node)).str());
  NMTVDISPINFO n;
  n.item = RecordOf(node);
  n.item.mask |= TVIF_TEXT;
  n.item.pszText = text.data();
  n.item.cchTextMax = int(text.size()) + 1;
  return Send(&n.hdr, TVN_BEGINLABELEDIT) == 1;
}

BOOL SECTreeBaseC::NotifyEndLabelEdit(int row, int subItem, LPTSTR text) {
  const _Node* node = GetRowNode(row);
  if (subItem != 0 || !node) return SECListCtrl::NotifyEndLabelEdit(row, subItem, text);
  // The parent may change the text in place: it gets room for the usual 2048 bytes, and the
  // whole text when it is longer.
  std::vector<char> copy(std::max(size_t(kAskCapacity), text ? std::strlen(text) + 1 : 0), '\0');
  if (text) copy_bounded(text, copy.data(), int(copy.size()));
  NMTVDISPINFO n;
  n.item = RecordOf(node);
  n.item.mask |= TVIF_TEXT;
  n.item.pszText = text ? copy.data() : nullptr;
  n.item.cchTextMax = text ? int(copy.size()) : 0;
  BOOL accepted = Send(&n.hdr, TVN_ENDLABELEDIT) != 0;
  if (text && accepted && IsLive(node)) {
    copy.back() = '\0';
    SetNodeTitle(Handle(node), copy.data());
  }
  return accepted;
}

// --- Drag images ----------------------------------------------------------------------------------------

std::unique_ptr<CBitmap> SECTreeBaseC::CreateTextBitmap(CDC* dc, LPCTSTR text) {
  if (!dc || !text) return nullptr;
  CDC memory;
  if (!memory.CreateCompatibleDC(dc)) return nullptr;
  CFont* old_font = memory.SelectObject(GetItemFont());
  CRect size(0, 0, 0, 0);
  memory.DrawText(text, -1, &size, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  size.right = std::max(int(size.right), 1);
  size.bottom = std::max(int(size.bottom), 1);
  auto bitmap = std::make_unique<CBitmap>();
  if (!bitmap->CreateCompatibleBitmap(dc, size.Width(), size.Height())) {
    memory.SelectObject(old_font);
    return nullptr;
  }
  CBitmap* old_bitmap = memory.SelectObject(bitmap.get());
  memory.FillSolidRect(&size, m_crBack);
  memory.SetBkMode(TRANSPARENT);
  memory.SetTextColor(m_crText);
  memory.DrawText(text, -1, &size, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
  memory.SelectObject(old_bitmap);
  memory.SelectObject(old_font);
  return bitmap;
}

std::unique_ptr<CImageList> SECTreeBaseC::CreateDragImageFromText(CDC* dc, LPCTSTR text) {
  std::unique_ptr<CBitmap> bitmap = CreateTextBitmap(dc, text);
  BITMAP info{};
  if (!bitmap || !bitmap->GetBitmap(&info)) return nullptr;
  auto list = std::make_unique<CImageList>();
  if (!list->Create(info.bmWidth, info.bmHeight, ILC_MASK | ILC_COLOR24, 1, 0)) return nullptr;
  if (list->Add(bitmap.get(), m_crBack) < 0) return nullptr;
  return list;
}

std::unique_ptr<CImageList> SECTreeBaseC::CreateDragImageFromImage(CImageList* images, int index) {
  int cx = 0, cy = 0;
  if (!images || !images->GetIconSize(cx, cy)) return nullptr;
  HICON icon = images->ExtractIcon(index);
  if (!icon) return nullptr;
  auto list = std::make_unique<CImageList>();
  bool made = list->Create(cx, cy, ILC_MASK | ILC_COLOR24, 1, 0) && list->Add(icon) >= 0;
  ::DestroyIcon(icon);
  return made ? std::move(list) : nullptr;
}

std::unique_ptr<CImageList> SECTreeBaseC::MergeImages(CImageList* images, CImageList* images2) {
  int cx = 0, cy = 0;
  if (!images || !images2 || !images->GetIconSize(cx, cy)) return nullptr;
  auto list = std::make_unique<CImageList>();
  if (!list->Create(images, 0, images2, 0, cx + 6, 0)) return nullptr;
  return list;
}

// --- Window ---------------------------------------------------------------------------------------------

void SECTreeBaseC::RedrawNode(HTREEITEM node, BOOL labelOnly, BOOL erase, BOOL toEnd, BOOL now) {
  int row = GetNodeRow(node);
  if (row >= 0) RedrawRow(row, labelOnly, erase, toEnd, now);
}

void SECTreeBaseC::OnDestroy() {
  DeleteAllItems();
  SECListCtrl::OnDestroy();
}

BEGIN_MESSAGE_MAP(SECTreeCtrl, SECTreeBaseC)
  ON_WM_DESTROY()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()
