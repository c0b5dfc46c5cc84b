// SECListCtrl: a multi-column list drawn entirely by the toolkit, with its own header, scroll bars,
// item tips and in-place label editing. It is not the platform's list view, but its styles, item
// records, state bits and notifications follow the list-view conventions (platform/controls/
// list_ctrl.h) so that a parent can treat it like one. The tree control is built on it.
//
// SECListBaseC holds the data and behaviour (its handlers included); its data and geometry live in
// the plain classes ListModel and ListGeometry. SECListCtrl adds only its class record and the
// message map that routes the window's messages to those handlers.
//
// Layout (report mode): the header, 18 pixels, across the top unless LVS_NOCOLUMNHEADER; below it
// the view, less the scroll bars shown (child scroll bars 0xEA00 and 0xEA10). Rows are measured
// lazily; the vertical scroll range counts rows, the horizontal one pixels.
//
// Notifications go to the notify window (else the parent) as WM_NOTIFY: NM_CLICK, NM_DBLCLK,
// NM_RETURN, NM_RCLICK, NM_SETFOCUS, NM_KILLFOCUS, LVN_DELETEITEM, LVN_BEGINLABELEDIT,
// LVN_ENDLABELEDIT (a non-zero answer keeps the edited text), LVN_GETDISPINFO and LVN_KEYDOWN.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/controls/image_list.h"
#include "platform/controls/list_ctrl.h"
#include "platform/controls/standard_controls.h"
#include "platform/win/cwnd.h"
#include "toolkit/widgets/list_client.h"
#include "toolkit/widgets/list_geometry.h"
#include "toolkit/widgets/list_model.h"

class SECTruncatedItemTip;
class SECListBaseC;

// The extended state of a row as handed to and from the parent.
struct ListExState {
  UINT mask = 0;
  UINT state = 0;
  UINT stateMask = 0;
};

// What one cell's painting or measuring needs; made by CreateContext for one paint.
// The tree extends it with the node's data, so it is deleted through this type.
struct ListDrawContext {
  virtual ~ListDrawContext() = default;
  LVITEM item;
  ListExState ex;
  CDC* dc = nullptr;
  CRect cell;  // client coordinates
  int column_index = 0;
  int view_mode = 0;
  BOOL flag = FALSE;
  CFont* font = nullptr;
  SECListRow* row = nullptr;
  SECListSubItem* sub = nullptr;
  SECListColumn* column = nullptr;
  COLORREF text = 0, text_back = 0, back = 0, icon_back = 0;
  // The cell's text; the parent's answers are copied here, bounded by the buffer below.
  CString label;
  std::vector<char> buffer;
};

// The in-place edit over a label (control id 1): Enter keeps the text unless labels wrap, Escape
// drops it, losing the focus keeps it.
class ListLabelEdit : public CEdit {
 public:
  explicit ListLabelEdit(SECListClient* client) : client_(client) {}
  // Set once the window exists: the window then owns the object and deletes it when it goes.
  bool owned_by_window = false;

 protected:
  void PostNcDestroy() override;
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  DECLARE_MESSAGE_MAP()

 private:
  SECListClient* client_;
};

class SECListBaseC : public CWnd, public SECListClient {
  DECLARE_DYNAMIC(SECListBaseC)

 public:
  SECListBaseC();
  ~SECListBaseC() override;

  // --- Creation ---
  virtual BOOL Create(DWORD style, DWORD exStyle, const RECT& rect, CWnd* parent, UINT id, LPVOID param = nullptr);
  virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, LPVOID param = nullptr);
  virtual BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR title, DWORD style, int x, int y, int cx, int cy,
                        HWND parent, UINT id, LPVOID param = nullptr);
  // Takes the place (style plus a border, extended style, rectangle, id) of a dialog item.
  virtual BOOL CreateInPlaceOf(UINT id, CWnd* dialog);
  // As CreateInPlaceOf, keeping the item's place in the tab order.
  BOOL ReplaceDlgItem(UINT id, CWnd* dialog);

  // --- Colours and fonts ---
  virtual COLORREF GetBackColor() const;
  virtual COLORREF GetTextColor() const { return m_crText; }
  virtual COLORREF GetTextBackColor() const { return m_crTextBack; }
  virtual COLORREF GetGrayTextColor() const { return m_crGrayText; }
  virtual COLORREF GetIconBackColor() const { return m_crIconBack; }
  virtual COLORREF GetIconBackSelColor() const { return m_crIconBackSel; }
  virtual CFont* GetHeaderFont() const;
  virtual CWnd* GetNotifyWindow() const { return m_pNotifyWnd; }
  virtual void SetBackColor(COLORREF c);
  virtual void SetTextColor(COLORREF c) { m_crText = c; }
  virtual void SetTextBackColor(COLORREF c) { m_crTextBack = c; }
  virtual void SetSelTextColor(COLORREF c) { m_crSelText = c; }
  virtual void SetSelBackColor(COLORREF c) { m_crSelBack = c; }
  virtual void SetGrayTextColor(COLORREF c) { m_crGrayText = c; }
  virtual void SetIconBackColor(COLORREF c) { m_crIconBack = c; }
  virtual void SetIconBackSelColor(COLORREF c) { m_crIconBackSel = c; }
  virtual void SetTipBackColor(COLORREF c) { m_crTipBack = c; }
  virtual void SetTipTextColor(COLORREF c) { m_crTipText = c; }
  virtual void SetItemFont(CFont* font) { m_pItemFont = font; }
  virtual void SetHeaderFont(CFont* font) { m_pHeaderFont = font; }
  virtual void SetNotifyWindow(CWnd* wnd) { m_pNotifyWnd = wnd; }
  virtual void SetColorsFromSystem(BOOL on) { m_bColorsFromSystem = on; }
  virtual BOOL GetColorsFromSystem() const { return m_bColorsFromSystem; }

  // --- Repaint ---
  virtual void RedrawRow(int row, BOOL labelOnly = FALSE, BOOL erase = TRUE, BOOL toEnd = FALSE, BOOL now = FALSE);
  virtual void RedrawRows(int first, int last);

  // --- Vertical geometry ---
  virtual int GetTopIndex() const { return m_nTopRow; }
  virtual int GetCountPerPage() const;
  virtual int RowsAboveTop() const;
  virtual int GetLastPageTop() const;
  virtual int LastFittingRow() const;
  virtual int FirstNotFittingRow() const;
  virtual int PreviousPageTop() const;
  // The row at `y` pixels below the view top (from the top row); -1 below the last row.
  virtual int RowFromOffset(int y) const;
  virtual int RowFromOffset(int y, int top) const;
  virtual int RowFromOffsetAlias(int y) const { return RowFromOffset(y); }
  virtual void SetRowHeight(int row, int height);
  virtual int SumRowHeights(int from, int to, BOOL inclusive) const;
  virtual int RowsInHeight(int height, int from, BOOL forward) const;

  // --- Re-layout ---
  virtual void InvalidateLayout();
  virtual void InvalidateRowHeight(int row);

  // --- Columns ---
  virtual BOOL DeleteColumnByTitle(LPCTSTR title);
  virtual BOOL DeleteColumn(int index);
  virtual void DeleteAllColumns();
  virtual int InsertColumn(const LVCOLUMN* column, BOOL redraw = TRUE);
  virtual int InsertColumn(LPCTSTR title, int format = LVCFMT_LEFT, int width = -1, BOOL redraw = TRUE);
  virtual int InsertColumnObject(SECListColumn* column, BOOL redraw = TRUE);
  virtual int InsertColumn(int index, const LVCOLUMN* column, BOOL redraw = TRUE);
  virtual int InsertColumn(int index, LPCTSTR title, int format = LVCFMT_LEFT, int width = -1, int subItem = -1,
                           BOOL redraw = TRUE);
  // Takes ownership of `column`.
  virtual int InsertColumnObject(int index, SECListColumn* column, BOOL redraw = TRUE);
  virtual BOOL GetColumn(int index, LVCOLUMN* column) const;
  virtual BOOL SetColumn(int index, const LVCOLUMN* column, BOOL redraw = TRUE);
  virtual int GetColumnLeft(int index) const;
  virtual int GetColumnRight(int index) const;
  virtual BOOL SetColumnWidth(int index, int width);
  virtual int GetColumnWidth(int index) const;
  virtual BOOL SetColumnFormat(int index, int format);
  virtual int GetColumnFormat(int index) const;
  virtual BOOL SetColumnTitle(int index, LPCTSTR title);
  virtual CString GetColumnTitle(int index) const;
  virtual int FindColumn(LPCTSTR title) const;
  virtual int GetColumnCount() const { return m_model.ColumnCount(); }
  virtual BOOL FindColumn(LPCTSTR title, int* index, int* subItem) const;
  virtual SECListColumn* GetColumnObject(int index) const { return m_model.Column(index); }

  // --- Rows ---
  virtual LPARAM GetRowData(int row) const;
  virtual int GetItemCount() const { return m_model.RowCount(); }
  virtual int GetSubItemCount() const { return m_model.SubItemCount(); }
  virtual BOOL SetItem(const LVITEM* item, BOOL redraw = TRUE);
  virtual BOOL SetItem(int row, int subItem, UINT mask, LPCTSTR text, int image, UINT state, UINT stateMask,
                       LPARAM userValue);
  virtual BOOL SetItemExState(const LVITEM* item, const ListExState* ex);
  // Fills `item` as its mask asks: the text pointer (or a bounded copy into the record's buffer
  // when `copyText`), image, state and user value; with `askParent` the parent fills what it keeps.
  virtual BOOL GetItem(LVITEM* item, BOOL copyText = TRUE, BOOL askParent = TRUE) const;
  virtual BOOL GetItemExState(const LVITEM* item, ListExState* ex, BOOL askParent = TRUE) const;
  // Keeps the text even where the cell's text was given on demand.
  virtual BOOL SetItemText(int row, int subItem, LPCTSTR text);
  // Copies at most capacity - 1 bytes and a terminating zero; returns the length copied.
  virtual int GetItemText(int row, int subItem, LPTSTR buffer, int capacity) const;
  virtual BOOL DeleteRowObject(SECListRow* row);
  virtual BOOL DeleteRows(int first, int count);
  virtual BOOL DeleteAllItems();
  virtual int GetSelectedCount() const { return int(m_model.Selection().size()); }
  virtual BOOL GetSubItemRect(int row, CRect* rect, UINT code) const;
  // Takes ownership of `row`.
  virtual int InsertRowObject(int index, SECListRow* row);
  virtual int InsertItem(UINT mask, int index, LPCTSTR text, UINT state, UINT stateMask, int image, LPARAM userValue);
  virtual int InsertItem(int index, LPCTSTR text, int image);
  virtual int InsertItem(int index, LPCTSTR text);
  virtual int InsertItem(const LVITEM* item);
  virtual int InsertItemAfter(SECListRow* row, LVITEM* item);
  virtual int InsertItemBefore(SECListRow* row, LVITEM* item);
  SECListRow* GetRow(int index) const { return m_model.Row(index); }
  BOOL FindSelected(int row, int* pos) const { return m_model.FindSelected(row, pos); }

  // --- Caret and selection ---
  virtual void SetCaret(int row, BOOL select);
  virtual void SetCaretOnly(int row);
  virtual void ClearSelectionExcept(int row);
  virtual void SelectRange(int from, int to, BOOL select);
  virtual int GetCaretRow() const { return m_model.caret; }
  virtual CSize GetTotalSize();
  virtual BOOL SetItemState(int row, UINT state, UINT mask);
  virtual UINT GetItemState(int row, UINT mask) const;
  virtual BOOL SetItemUserValue(int row, LPARAM value);
  virtual LPARAM GetItemUserValue(int row) const { return GetRowData(row); }
  virtual BOOL SelectItem(int row, BOOL select);
  int GetAnchorRow() const { return m_model.anchor; }

  // --- On-demand data ---
  virtual void* GetDispInfoOwner() const { return m_pDispInfoOwner; }
  virtual void SetDispInfoOwner(void* owner) { m_pDispInfoOwner = owner; }
  virtual void* GetExStateOwner() const { return m_pExStateOwner; }
  virtual void SetExStateOwner(void* owner) { m_pExStateOwner = owner; }
  virtual BOOL NeedsParentData(int row) const;

  // --- Navigation, drop highlight, image lists ---
  virtual int GetNextItem(int row, UINT flags) const { return m_model.NextItem(row, flags); }
  virtual void SetDropHighlight(int row);
  virtual int GetDropHighlight() const { return m_model.drop; }
  virtual CImageList* GetImageList(int kind) const;
  // Without LVS_SHAREIMAGELISTS the list keeps a copy of its own. Returns the previous list.
  virtual CImageList* SetImageList(CImageList* list, int kind);
  virtual BOOL CopyImageList(const CImageList* list, CImageList* out) const;

  // --- Hit testing and scrolling ---
  virtual int HitTest(int x, int y, UINT* flags, int* column) const;
  virtual void EnsureVisibleScroll(int row);
  virtual void ScrollHorizontally(int dx);
  virtual void ScrollRows(int n, BOOL byPixels);
  virtual void EnsureVisible(int row, BOOL partialOk = FALSE);
  virtual void ScrollRangeIntoView(int first, int last, BOOL partialOk = FALSE);

  // --- Label editing ---
  virtual CEdit* EditLabel(int row, int column = 0);
  virtual CEdit* GetEditWindow() const { return m_pEdit; }
  virtual void CancelEditTimer();

  // --- Styles ---
  virtual BOOL HasStyle(DWORD bits) const { return (m_dwListStyle & bits) == bits; }
  virtual BOOL HasExStyle(DWORD bits) const { return (m_dwListExStyle & bits) == bits; }
  virtual void GetStyles(DWORD* style, DWORD* exStyle) const;
  virtual void SetStyles(DWORD style, DWORD exStyle, BOOL redraw = TRUE);
  virtual DWORD GetStyle() const { return m_dwListStyle; }
  virtual DWORD GetExStyle() const { return m_dwListExStyle; }
  virtual void SetStyle(DWORD style, BOOL redraw = TRUE);
  virtual void SetExStyle(DWORD exStyle, BOOL redraw = TRUE);
  virtual void ModifyStyle(DWORD remove, DWORD add, BOOL redraw = TRUE);
  virtual void ModifyExStyle(DWORD remove, DWORD add, BOOL redraw = TRUE);
  virtual void ModifyStyles(DWORD remove, DWORD add, DWORD removeEx, DWORD addEx, BOOL redraw = TRUE);
  virtual void SetLabelWrap(BOOL on);
  virtual void EnableItemTips(BOOL on);
  virtual void SetMultipleSelection(BOOL on);
  virtual BOOL GetItemTips() const { return HasExStyle(LVXS_ITEMTIPS); }
  virtual BOOL GetShowHeader() const { return !HasStyle(LVS_NOCOLUMNHEADER); }
  virtual void SetShowHeader(BOOL on);
  virtual BOOL GetMultipleSelection() const { return !HasStyle(LVS_SINGLESEL); }
  virtual void SetAutoRedraw(BOOL on) { m_bAutoRedraw = on; }
  virtual BOOL GetAutoRedraw() const { return m_bAutoRedraw; }

  // --- Layout and paint ---
  virtual void UpdateScrollState();
  virtual int GetTotalWidth(BOOL measure = TRUE);
  virtual int GetTotalHeight() const { return m_model.RowCount(); }
  virtual void GetClientArea(CRect* rect) const;
  // A context on the window's client area for measuring.
  virtual std::unique_ptr<CDC> CreateDrawDC();
  virtual void AutoSizeColumns();
  virtual CScrollBar* CreateScrollBar(DWORD style, UINT id);
  virtual void InitRowSubItems(SECListRow* row);
  virtual void ClearRowSubItems(SECListRow* row);
  virtual void PrepareRow(SECListRow* row);
  virtual std::unique_ptr<SECListRow> CreateRow();
  // `kind` 0 horizontal, 1 vertical, 3 both.
  virtual void ShowScrollBar(int kind, BOOL show, SCROLLINFO* info);
  virtual void FillContextBackColor(ListDrawContext* ctx);
  virtual void FillContextIconColor(ListDrawContext* ctx);
  virtual void FillContextColors(ListDrawContext* ctx);
  virtual void FillContextFont(ListDrawContext* ctx);
  virtual CPen* GetGridPen() const;
  virtual CPen* GetHeaderGridPen() const;
  virtual void MeasureRow(ListDrawContext* ctx);
  virtual void MeasureRowAt(int row, ListDrawContext* ctx = nullptr);
  virtual void MeasureCell(ListDrawContext* ctx, int* height);
  virtual void GetIconRect(ListDrawContext* ctx, CRect* rect);
  virtual void GetTextRect(ListDrawContext* ctx, CRect* rect);
  virtual void LayoutScrollBars();
  virtual void FillFirstColumn();
  virtual int GetRowSpacing() const { return 0; }
  // Follows the mouse until the button is released; how far the column's right edge moved
  // (0 when cancelled by Escape, the right button or a lost capture).
  virtual int TrackColumnDivider(int x, int y, int column);
  virtual void Paint(CDC* dc);
  virtual void FillContext(ListDrawContext* ctx);
  virtual std::unique_ptr<ListDrawContext> CreateContext(CDC* dc);
  virtual BOOL CreateMemoryDC(CDC* dc, std::unique_ptr<CDC>* out, const CRect& rect);
  virtual void DrawHeader(ListDrawContext* ctx);
  virtual void DrawRows(ListDrawContext* ctx);
  virtual void DrawRow(ListDrawContext* ctx);
  virtual void DrawCell(ListDrawContext* ctx);
  virtual void DrawImage(ListDrawContext* ctx);
  virtual void DrawLabel(ListDrawContext* ctx);
  virtual void DrawHorizontalGrid(ListDrawContext* ctx);
  virtual void DrawVerticalGrid(ListDrawContext* ctx);
  virtual void SetVerticalRange(int n);
  virtual void SetHorizontalRange(int width);

  // --- Keys: (caret row, sub-item of the edit column, Shift, Ctrl, repeat, key flags) ---
  virtual void KeyUp(int caret, int sub, BOOL shift, BOOL ctrl, UINT repeat, UINT flags);
  virtual void KeyDown(int caret, int sub, BOOL shift, BOOL ctrl, UINT repeat, UINT flags);
  virtual void KeyF2(int caret, int sub, BOOL shift, BOOL ctrl, UINT repeat, UINT flags);
  virtual void KeyEnter(int caret, int sub, BOOL shift, BOOL ctrl, UINT repeat, UINT flags);
  virtual void KeyHome(int caret, int sub, BOOL shift, BOOL ctrl, UINT repeat, UINT flags);
  virtual void KeyEnd(int caret, int sub, BOOL shift, BOOL ctrl, UINT repeat, UINT flags);
  virtual void KeyLeft(int caret, int sub, BOOL shift, BOOL ctrl, UINT repeat, UINT flags);
  virtual void KeyBackspace(int caret, int sub, BOOL shift, BOOL ctrl, UINT repeat, UINT flags);
  virtual void KeyRight(int caret, int sub, BOOL shift, BOOL ctrl, UINT repeat, UINT flags);
  virtual void KeyMultiply(int caret, int sub, BOOL shift, BOOL ctrl, UINT repeat, UINT flags);
  virtual void KeyPageUp(int caret, int sub, BOOL shift, BOOL ctrl, UINT repeat, UINT flags);
  virtual void KeyPageDown(int caret, int sub, BOOL shift, BOOL ctrl, UINT repeat, UINT flags);

  // --- Notifications ---
  // Sends a header-only notification; returns (and keeps) the answer.
  virtual LRESULT Notify(UINT code);
  virtual void NotifyBeginDrag(int row, CPoint point);
  virtual BOOL NotifyBeginLabelEdit(int row, int subItem);
  virtual void NotifyBeginRightDrag(int row, CPoint point);
  virtual void NotifyDeleteItem(int row);
  // `text` null when the edit was cancelled; non-zero when the parent keeps the text.
  virtual BOOL NotifyEndLabelEdit(int row, int subItem, LPTSTR text);
  virtual void NotifySelectionChanged(int row, int oldCaret, BOOL byMouse);
  virtual BOOL NotifySelectionChanging(int row, int caret, BOOL byMouse);
  virtual void NotifyGetDispInfo(LVITEM* item) const;
  virtual void NotifySetDispInfo(const LVITEM* item);
  virtual void NotifyGetExState(const LVITEM* item, ListExState* ex) const;
  virtual void NotifySetExState(const LVITEM* item, const ListExState* ex);
  virtual void NotifyInsertItem(int row);
  virtual void NotifyKeyDown(UINT key);
  LRESULT GetLastAnswer() const { return m_lLastAnswer; }

  // --- Selection and clicks ---
  // `keys` as the mouse-key flags (MK_SHIFT, MK_CONTROL, MK_RBUTTON); zero when nothing happened.
  virtual BOOL SelectByInput(int row, UINT hitFlags, UINT keys, BOOL byMouse);
  virtual void OnSelectionChanged(int row, BOOL byMouse);
  virtual CWnd* GetNotifyTarget() const;
  virtual void SplitCreateStyle(CREATESTRUCT& cs);
  virtual void ClassifyClick(CPoint point, int row, UINT hitFlags, BOOL* dragCandidate, BOOL* select);

  // --- SECListClient ---
  HWND GetOwnerHwnd() const override { return m_hWnd; }
  BOOL IsLabelWrapOn() const override { return !HasStyle(LVS_NOLABELWRAP); }
  void EndLabelEdit(BOOL commit) override;
  int GetColumnSubItem(int column) const override;
  void GetScrollOffsets(int* horizontal, int* vertical) const override;
  void GetViewRect(CRect* rect) const override;
  BOOL GetItemRect(int row, int column, CRect* rect, UINT code) const override;
  CString GetItemText(int row, int subItem) const override;
  void ClientToScreenPoint(CPoint* point) const override { ClientToScreen(point); }
  HWND CaptureMouse(BOOL capture) override;
  BOOL IsItemSelected(int row) const override { return row >= 0 && m_model.IsSelected(row); }
  COLORREF GetSelTextColor() const override { return m_crSelText; }
  COLORREF GetSelBackColor() const override { return m_crSelBack; }
  COLORREF GetTipTextColor() const override { return m_crTipText; }
  COLORREF GetTipBackColor() const override { return m_crTipBack; }
  CFont* GetItemFont() const override;

  SECTruncatedItemTip* GetItemTip() const { return m_pTip.get(); }
  const ListModel& Model() const { return m_model; }
  int GetHorizontalOffset() const { return m_nHOffset; }
  int GetWheelRemainder() const { return m_wheel.Pending(); }
  int GetEditRow() const { return m_nEditRow; }
  int GetArmedEditRow() const { return m_nArmedRow; }

  // The geometry of the rows as they are now, measuring rows as it needs them.
  ListGeometry Geometry() const;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT cs);
  afx_msg void OnDestroy();
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
  afx_msg void OnRButtonDown(UINT flags, CPoint point);
  afx_msg void OnRButtonUp(UINT flags, CPoint point);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
  afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  afx_msg void OnSysKeyDown(UINT key, UINT repeat, UINT flags);
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnSetFocus(CWnd* old);
  afx_msg void OnKillFocus(CWnd* next);
  afx_msg void OnCancelMode();
  afx_msg void OnEnable(BOOL enable);
  afx_msg void OnSysColorChange();
  afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  afx_msg void OnEditUpdate();
  afx_msg void OnEditKillFocus();

  ListModel m_model;
  DWORD m_dwListStyle = 0;
  DWORD m_dwListExStyle = 0;
  DWORD m_dwScrollFlags = 0;  // 0x100000 horizontal bar shown, 0x200000 vertical bar shown
  int m_nTopRow = 0;
  int m_nEditRow = -1;
  int m_nEditColumn = 0;
  int m_nArmedRow = -1;
  UINT_PTR m_nEditTimer = 0;
  int m_nHOffset = 0;
  int m_nVOffset = 0;
  int m_nHeaderHeight = 18;
  WheelAccumulator m_wheel;
  BOOL m_bColorsFromSystem = FALSE;
  COLORREF m_crBack = 0, m_crText = 0, m_crTextBack = 0, m_crGrayText = 0, m_crSelText = 0, m_crSelBack = 0,
           m_crIconBack = 0, m_crIconBackSel = 0, m_crTipBack = 0, m_crTipText = 0;
  CFont* m_pItemFont = nullptr;
  CFont* m_pHeaderFont = nullptr;
  CImageList* m_pImageLists[3] = {nullptr, nullptr, nullptr};
  std::unique_ptr<CImageList> m_ownedImageLists[3];
  CWnd* m_pNotifyWnd = nullptr;
  BOOL m_bAutoRedraw = FALSE;
  LRESULT m_lLastAnswer = 0;
  HCURSOR m_hDividerCursor = nullptr;
  CString m_strSavedEditText;
  std::unique_ptr<SECTruncatedItemTip> m_pTip;
  ListLabelEdit* m_pEdit = nullptr;  // owned by its window while it exists
  BOOL m_bEditCellOnDemand = FALSE;
  std::unique_ptr<CScrollBar> m_pHScroll;
  std::unique_ptr<CScrollBar> m_pVScroll;
  void* m_pDispInfoOwner = nullptr;
  void* m_pExStateOwner = nullptr;
  // Mouse state: a press that may start a drag, a drag under way, where the press was.
  BOOL m_bDragCandidate = FALSE;
  BOOL m_bDragging = FALSE;
  CPoint m_ptPress;
  BOOL m_bSelectionVetoed = FALSE;
  BOOL m_bEnding = FALSE;
  int m_nLastViewWidth = -1;

  // Sends a notification record to GetNotifyTarget; the answer, 0 without a target.
  LRESULT Send(NMHDR* header, UINT code) const;
  void HideTip();

 private:
  friend class ListLabelEdit;
  void RepaintTip();
  void TellTip(UINT hitFlags, int row, int column, CPoint point);
  void AfterStyleChange(DWORD oldStyle, DWORD oldExStyle, BOOL redraw);
  void ResizeEdit();
  void DestroyEdit();
  CRect HeaderRect() const;
  void MeasureIfNeeded(int row) const;
  ListRowParts RowParts(int row) const;
  void FillRecordFromRow(int row, LVITEM* item, BOOL copyText) const;
  void DragDividerAndResize(int column, CPoint point);
  void ScrollByWheelNotch(int direction);
  void ScrollToTop(int top);
  void IconCell(int row, CRect* cell) const;
  ListHit IconHitTest(CPoint point) const;
};

class SECListCtrl : public SECListBaseC {
  DECLARE_DYNAMIC(SECListCtrl)

 protected:
  DECLARE_MESSAGE_MAP()
};
