// SECTreeCtrl: a tree window drawn by the toolkit over its own list control. The items are nodes
// (_Node, tree_node.h) under a hidden root; every node that is shown (each ancestor expanded,
// neither it nor an ancestor hidden) owns one row of the list, in pre-order, and the row's user
// value holds the node. The tree speaks the platform's tree-view programming model
// (platform/controls/tree_view.h): item handles are node pointers, a null handle or TVI_ROOT is the
// hidden root, and the parent hears TVN_ notifications.
//
// SECTreeBaseC holds the data and behaviour; SECTreeCtrl adds its class record and the message
// map. Rows follow the nodes through insertion, deletion, expansion and collapse; focus,
// selection and drop highlight live in the rows, the node keeping a copy of its selected bit.
//
// Robustness the tree keeps beyond the model: an item handle that is not a live node of this
// tree is refused (never followed), rows leave before the nodes they show are destroyed, and a
// parent that deletes an item while being told about it cannot make the tree touch it again.
#pragma once

#include <memory>
#include <unordered_set>
#include <vector>

#include "platform/controls/tree_view.h"
#include "toolkit/widgets/list_ctrl.h"
#include "toolkit/widgets/tree_layout.h"
#include "toolkit/widgets/tree_node.h"
#include "toolkit/widgets/tree_sub_item_map.h"

// Insert position of the toolkit's own: sorted descending.
inline HTREEITEM const TVI_SORTDESCENDING = reinterpret_cast<HTREEITEM>(-0xFFF0);

// Next-item codes of the toolkit's own.
constexpr UINT TVGN_FIRSTSELECTED = 0x20;
constexpr UINT TVGN_NEXTSELECTED = 0x21;
constexpr UINT TVGN_PREVSELECTED = 0x22;

// Hit-test flags of the toolkit's own: on a row, on a header divider, on the header.
constexpr UINT TVHT_ONROW = 0x4000;
constexpr UINT TVHT_ONDIVIDER = 0x1000;
constexpr UINT TVHT_ONHEADER = 0x2000;

// What drawing and measuring the first column needs beyond the list's context.
struct TreeDrawContext : ListDrawContext {
  TVITEM tree_item;
  ListExState tree_ex;
  _Node* node = nullptr;
};

class SECTreeBaseC : public SECListCtrl {
  DECLARE_DYNAMIC(SECTreeBaseC)

 public:
  SECTreeBaseC();
  ~SECTreeBaseC() override;

  static HTREEITEM Handle(const _Node* node) { return reinterpret_cast<HTREEITEM>(const_cast<_Node*>(node)); }

  // --- Creation ---
  BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR title, DWORD style, int x, int y, int cx, int cy,
                HWND parent, UINT id, LPVOID param = nullptr) override;
  void SplitCreateStyle(CREATESTRUCT& cs) override;

  // --- Item records and extended state ---
  // Sets the node's flags under the mask (0x100 grey, 0x200 hidden) and mirrors them into its row.
  virtual BOOL SetTreeItemExState(HTREEITEM item, const ListExState* ex);
  // Fills the record as its mask asks; values kept by the parent are asked when `askParent`.
  virtual BOOL GetTreeItem(TVITEM* item, BOOL copyText = TRUE, BOOL askParent = TRUE) const;
  // Grey and hidden as inherited from the ancestors.
  virtual BOOL GetTreeItemExState(HTREEITEM item, ListExState* ex, BOOL notify = TRUE) const;

  // --- Sub-item texts ---
  virtual void EnableSubItemTextMap(BOOL on);
  virtual BOOL HasSubItemTextMap() const { return m_pSubItemTexts != nullptr; }
  virtual BOOL SetNodeText(HTREEITEM node, int subItem, LPCTSTR text);
  virtual BOOL SetNodeTitle(HTREEITEM node, LPCTSTR text);
  // The two labels without regard to case, in Polish order.
  virtual int CompareNodes(_Node* a, _Node* b) const;

  // --- Styles ---
  virtual void GetTreeStyles(DWORD* style, DWORD* exStyle) const;
  virtual void SetTreeStyles(DWORD style, DWORD exStyle, BOOL redraw = TRUE);
  virtual DWORD GetTreeStyle() const;
  virtual DWORD GetTreeExStyle() const { return m_dwTreeExStyle; }
  virtual void SetTreeStyle(DWORD style, BOOL redraw = TRUE);
  virtual void SetTreeExStyle(DWORD exStyle, BOOL redraw = TRUE);
  virtual void ModifyTreeStyle(DWORD remove, DWORD add, BOOL redraw = TRUE);
  virtual void ModifyTreeExStyle(DWORD remove, DWORD add, BOOL redraw = TRUE);
  virtual void ModifyTreeStyles(DWORD remove, DWORD add, DWORD removeEx, DWORD addEx, BOOL redraw = TRUE);

  // --- Repaint and drawing steps ---
  virtual void RedrawNode(HTREEITEM node, BOOL labelOnly = FALSE, BOOL erase = TRUE, BOOL toEnd = FALSE,
                          BOOL now = FALSE);
  // Measures the label into `rect` (its left and top given), storing the node's split.
  virtual void MeasureLabelText(CDC* dc, _Node* node, const CString& text, CRect* rect);
  virtual void DrawLines(TreeDrawContext* ctx);
  virtual void DrawButton(TreeDrawContext* ctx);
  virtual void DrawDottedHorizontal(CDC* dc, int x1, int x2, int y, COLORREF back);
  virtual void DrawDottedVertical(CDC* dc, int x, int y1, int y2, COLORREF back);

  // --- Notifications ---
  virtual void NotifyGetTreeDispInfo(TVITEM* item) const;
  virtual void NotifyItemExpanded(_Node* node, UINT code);
  // Non-zero when the parent refuses.
  virtual BOOL NotifyItemExpanding(_Node* node, UINT code);
  virtual void NotifySetTreeDispInfo(const TVITEM* item);
  virtual void NotifyGetTreeExState(HTREEITEM, ListExState*) const {}
  virtual void NotifySetTreeExState(HTREEITEM, const ListExState*) {}

  // --- Drag images (offered to the parent; the tree uses none) ---
  // A bitmap as large as the text with the text drawn in the middle.
  virtual std::unique_ptr<CBitmap> CreateTextBitmap(CDC* dc, LPCTSTR text);
  virtual std::unique_ptr<CImageList> CreateDragImageFromText(CDC* dc, LPCTSTR text);
  virtual std::unique_ptr<CImageList> CreateDragImageFromImage(CImageList* list, int index);
  // The first images of both lists in one, the second 6 pixels right of the first.
  virtual std::unique_ptr<CImageList> MergeImages(CImageList* list, CImageList* list2);

  // --- Nodes ---
  virtual BOOL DeleteNode(HTREEITEM node);
  // The expand button of the row's node in client coordinates; FALSE when the row has no button.
  virtual BOOL GetButtonRect(CRect* rect, int row, TreeDrawContext* ctx = nullptr);
  virtual void NotifyDeleteNode(_Node* node);
  virtual _Node* CreateNode() { return new _Node; }

  // --- List operations the tree overrides ---
  LPARAM GetRowData(int row) const override;
  using SECListBaseC::SetItem;
  BOOL SetItem(const LVITEM* item, BOOL redraw = TRUE) override;
  BOOL SetItemExState(const LVITEM* item, const ListExState* ex) override;
  BOOL GetItem(LVITEM* item, BOOL copyText = TRUE, BOOL askParent = TRUE) const override;
  BOOL GetItemExState(const LVITEM* item, ListExState* ex, BOOL askParent = TRUE) const override;
  BOOL SetItemUserValue(int row, LPARAM value) override;
  CString GetItemText(int row, int subItem) const override;
  using SECListBaseC::GetItemText;
  BOOL DeleteAllItems() override;
  BOOL NeedsParentData(int row) const override;
  void SetLabelWrap(BOOL on) override;
  void EnableItemTips(BOOL on) override;
  void SetMultipleSelection(BOOL on) override;
  void SetShowHeader(BOOL on) override;
  void UpdateScrollState() override;
  void Paint(CDC* dc) override;
  void FillContextFont(ListDrawContext* ctx) override;
  void MeasureRow(ListDrawContext* ctx) override;
  void MeasureCell(ListDrawContext* ctx, int* height) override;
  void FillContext(ListDrawContext* ctx) override;
  std::unique_ptr<ListDrawContext> CreateContext(CDC* dc) override;
  void DrawCell(ListDrawContext* ctx) override;
  void KeyLeft(int caret, int sub, BOOL shift, BOOL ctrl, UINT repeat, UINT flags) override;
  void KeyBackspace(int caret, int sub, BOOL shift, BOOL ctrl, UINT repeat, UINT flags) override;
  void KeyRight(int caret, int sub, BOOL shift, BOOL ctrl, UINT repeat, UINT flags) override;
  void KeyMultiply(int caret, int sub, BOOL shift, BOOL ctrl, UINT repeat, UINT flags) override;
  void NotifyBeginDrag(int row, CPoint point) override;
  void NotifyBeginRightDrag(int row, CPoint point) override;
  // Tells the parent a drag starts (TVN_BEGINDRAG or TVN_BEGINRDRAG), unless the style forbids it.
  void NotifyDragStart(int row, CPoint point, UINT code);
  BOOL NotifyBeginLabelEdit(int row, int subItem) override;
  BOOL NotifyEndLabelEdit(int row, int subItem, LPTSTR text) override;
  void NotifySelectionChanged(int row, int oldCaret, BOOL byMouse) override;
  BOOL NotifySelectionChanging(int row, int caret, BOOL byMouse) override;
  void NotifyGetDispInfo(LVITEM* item) const override;
  void NotifySetDispInfo(const LVITEM* item) override;
  void NotifyKeyDown(UINT key) override;

  // --- The application's entry points ---
  // The hidden root for null and TVI_ROOT, the node for a live item of this tree, else null.
  _Node* ResolveItem(HTREEITEM item) const;
  // The new item, or null (unknown parent, a sibling that is not the parent's child).
  HTREEITEM InsertItem(const TVINSERTSTRUCT* insert);
  BOOL DeleteItem(HTREEITEM item);
  // TVE_COLLAPSE, TVE_EXPAND, TVE_TOGGLE, and TVE_COLLAPSERESET alone or with TVE_COLLAPSE.
  BOOL ExpandItem(HTREEITEM item, UINT code, BOOL redraw = TRUE);
  BOOL SelectItem(HTREEITEM item);
  // TVGN_FIRSTVISIBLE scrolls the item to the top, TVGN_DROPHILITE and TVGN_CARET move those.
  BOOL Select(HTREEITEM item, UINT code);
  // Expands collapsed ancestors and scrolls the item (with its parent when asked) into view.
  BOOL EnsureVisible(HTREEITEM item, BOOL showParent = FALSE);
  HTREEITEM HitTest(int x, int y, UINT* flags) const;
  using SECListBaseC::HitTest;
  HTREEITEM GetRelatedItem(HTREEITEM item, UINT code) const;
  // The first top-level item, whatever item is given.
  HTREEITEM GetRootItem(HTREEITEM item = nullptr) const;
  HTREEITEM GetChildItem(HTREEITEM item) const;
  HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
  HTREEITEM GetPrevSiblingItem(HTREEITEM item) const;
  HTREEITEM GetParentItem(HTREEITEM item) const;
  HTREEITEM GetFirstVisibleItem() const;
  HTREEITEM GetNextVisibleItem(HTREEITEM item) const;
  HTREEITEM GetPrevVisibleItem(HTREEITEM item) const;
  HTREEITEM GetSelectedItem() const;
  HTREEITEM GetDropHilightItem() const;
  HTREEITEM GetFirstSelectedItem() const;
  HTREEITEM GetNextSelectedItem(HTREEITEM item) const;
  HTREEITEM GetPrevSelectedItem(HTREEITEM item) const;
  LPARAM GetItemUserData(HTREEITEM item) const;
  BOOL SetItemUserData(HTREEITEM item, LPARAM value);
  BOOL SetItem(TVITEM* item);
  BOOL SetNodeState(HTREEITEM item, UINT state, UINT mask);
  CString GetNodeText(HTREEITEM item, int subItem = 0) const;
  BOOL ItemHasChildren(HTREEITEM item) const;
  BOOL HasChildrenOnDemand(HTREEITEM item) const;
  int GetCount() const;
  BOOL ExpandAll(HTREEITEM item, BOOL redraw = TRUE);
  int GetIndent() const { return m_nIndent; }
  // Rounded up to an even number of pixels.
  void SetIndent(int indent);

  // The row of a node, -1 when it has none; the node of a row, null outside the rows.
  int GetNodeRow(HTREEITEM item) const;
  _Node* GetRowNode(int row) const;
  // Whether the node is shown: not hidden itself or through an ancestor, every ancestor expanded.
  BOOL IsNodeShown(const _Node* node) const;

 protected:
  afx_msg void OnDestroy();
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT flags, CPoint point);

  _Node* m_pRoot = nullptr;
  std::unique_ptr<SubItemTextMap> m_pSubItemTexts;
  int m_nIndent = 20;
  DWORD m_dwTreeStyle = 0;
  DWORD m_dwTreeExStyle = 0;

 private:
  // While held, re-layout waits; the last release lays out once when anything asked for it.
  class LayoutHold;
  friend class LayoutHold;

  void MakeRoot();
  BOOL IsLive(const _Node* node) const { return node == m_pRoot || m_nodes.count(node) != 0; }
  UINT TreeState(const _Node* node, int row) const;
  // GetTreeItem for a node whose row (-1 for none) is known.
  void ReadItem(const _Node* node, int row, TVITEM* item, BOOL copyText, BOOL askParent) const;
  void StoreItemData(_Node* node, const TVITEM& item);
  // The rows of `node`'s shown descendants, inserted after `at`; returns the index after them.
  int InsertChildRows(const _Node* node, int at);
  int InsertNodeRow(_Node* node, int at);
  void MirrorIntoRow(const _Node* node, SECListRow* row);
  // How many rows after `row` show descendants of its node.
  int DescendantRowCount(int row) const;
  _Node* PrevShown(const _Node* node) const;
  _Node* NextShownInOrder(const _Node* node) const;
  _Node* PrevShownInOrder(const _Node* node) const;
  void SyncRows();
  void DestroyNode(_Node* node);
  void DestroySubtree(_Node* node);
  BOOL HasButton(const _Node* node) const;
  int ChildCount(const _Node* node) const;
  TVITEM RecordOf(const _Node* node) const;
  void Relayout(int fromRow, BOOL redraw);
  void LayoutAtNextPaint();
  // Moves the caret and the selection to `row` as a key does, with the selection notifications.
  void SelectRowByKey(int row);
  LRESULT SendSelectionChange(UINT code, int row, int oldRow, UINT action);
  // The centre and side of the row's expand button; FALSE when the row shows none.
  BOOL ButtonGeometry(int row, const CRect& cell, CPoint* centre, int* size);

  std::unordered_set<const _Node*> m_nodes;
  mutable std::vector<char> m_askBuffer;  // texts asked from the parent for callers without a buffer
  int m_nLayoutHold = 0;
  BOOL m_bLayoutWanted = FALSE;
  BOOL m_bLayoutAtPaint = FALSE;
};

class SECTreeCtrl : public SECTreeBaseC {
  DECLARE_DYNAMIC(SECTreeCtrl)

 public:
  ~SECTreeCtrl() override;

 protected:
  DECLARE_MESSAGE_MAP()
};
