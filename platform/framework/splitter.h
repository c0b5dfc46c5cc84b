// Splitter windows: a grid of panes (views or other windows) separated by bars the user drags.
// Column widths and row heights are ideal sizes; the last column and row take what is left.
//
// A static splitter has the grid its owner made (CreateStatic, CreateView per pane). A dynamic
// splitter (Create) starts with one view and splits into at most 2 x 2 panes: by dragging a split
// box (at the near end of a shared scroll bar), by double-clicking one, by the keyboard
// (ID_WINDOW_SPLIT: arrows move the bars, Enter splits, Escape cancels) or by SplitRow /
// SplitColumn. Every new pane is a new view of the same document. Dragging a bar of a dynamic
// splitter until a pane is smaller than the least size removes that pane's row or column.
//
// With WS_HSCROLL / WS_VSCROLL in its style a splitter keeps one scroll bar per column along its
// bottom and one per row along its right side; the panes of a column (row) share that bar
// (CView::GetScrollBarCtrl finds it) and scroll together.
//
// Drags show a tracker (a halftone strip drawn with PATINVERT) and change the panes when the
// button is released; Escape, the right button or a lost capture cancels.
#pragma once

#include <vector>

#include "platform/framework/create_context.h"
#include "platform/framework/command_ids.h"
#include "platform/win/cwnd.h"

// The splitter's style bit for dynamic splitting.
constexpr DWORD SPLS_DYNAMIC_SPLIT = 0x0001;
// Ids of the shared scroll bars: one horizontal bar per column, one vertical bar per row.
constexpr UINT AFX_IDW_HSCROLL_FIRST = 0xEA00;
constexpr UINT AFX_IDW_VSCROLL_FIRST = 0xEA10;

class CSplitterWnd : public CWnd {
  DECLARE_DYNAMIC(CSplitterWnd)

 public:
  static constexpr int kMaxPanes = 16;
  // Rows and columns of a dynamic splitter.
  static constexpr int kMaxDynamicPanes = 2;
  static constexpr int kBarWidth = 6;

  // What lies under a point (HitTest): a split box, a bar between panes (numbered from 1) or the
  // crossing of a row bar and a column bar.
  enum HitTestValue {
    noHit = 0,
    vSplitterBox = 1,       // splits rows
    hSplitterBox = 2,       // splits columns
    bothSplitterBox = 3,    // splits both (keyboard split of a single pane)
    vSplitterBar1 = 101,    // + row: the bar below that row
    hSplitterBar1 = 201,    // + column: the bar right of that column
    splitterIntersection1 = 301,  // + row * 16 + column
  };

  // A dynamic splitter of up to `nMaxRows` x `nMaxCols` panes (1 or 2 each) of the view class
  // in `pContext`, each pane at least `sizeMin`; the first pane is made at once.
  BOOL Create(CWnd* pParentWnd, int nMaxRows, int nMaxCols, SIZE sizeMin, CCreateContext* pContext,
              DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | SPLS_DYNAMIC_SPLIT,
              UINT nID = AFX_IDW_PANE_FIRST);
  // Pane ids run from AFX_IDW_PANE_FIRST: row * 16 + column.
  BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                    UINT nID = AFX_IDW_PANE_FIRST);
  // Makes the pane's window from a view (or any window) class.
  virtual BOOL CreateView(int row, int col, const CRuntimeClass* pViewClass, SIZE sizeInit,
                          CCreateContext* pContext);
  BOOL IsDynamic() const { return m_pDynamicViewClass != nullptr; }
  CWnd* GetPane(int row, int col) const;
  int IdFromRowCol(int row, int col) const;
  // Whether `pWnd` is a pane of this splitter, and where.
  BOOL IsChildPane(const CWnd* pWnd, int* pRow, int* pCol) const;
  int GetRowCount() const { return m_nRows; }
  int GetColumnCount() const { return m_nCols; }
  int GetMaxRowCount() const { return m_nMaxRows; }
  int GetMaxColumnCount() const { return m_nMaxCols; }
  void SetColumnInfo(int col, int cxIdeal, int cxMin);
  void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
  void SetRowInfo(int row, int cyIdeal, int cyMin);
  void GetRowInfo(int row, int& cyCur, int& cyMin) const;
  virtual void RecalcLayout();

  // --- Dynamic splitting (each fails on a static splitter or at the limit) ---
  // Splits the row or column in two: the first keeps `cyBefore` / `cxBefore` pixels.
  virtual BOOL SplitRow(int cyBefore);
  virtual BOOL SplitColumn(int cxBefore);
  virtual void DeleteRow(int rowDelete);
  virtual void DeleteColumn(int colDelete);
  // Starts the keyboard split mode; FALSE when there is nothing to split or move.
  virtual BOOL DoKeyboardSplit();

  // --- Active pane ---
  // The frame's active view when it is one of the panes, else the pane holding the focus.
  virtual CWnd* GetActivePane(int* pRow = nullptr, int* pCol = nullptr);
  virtual void SetActivePane(int row, int col, CWnd* pWnd = nullptr);

  // The shared scroll bar a pane uses for `nBar` (SB_HORZ, SB_VERT), or null.
  CScrollBar* GetPaneScrollBar(const CWnd* pPane, int nBar) const;

  virtual int HitTest(CPoint pt) const;
  BOOL IsTracking() const { return m_bTracking; }

 protected:
  struct Info {
    int ideal = 0;
    int min = 0;
    int current = 0;
  };
  // Lays a dimension out: each but the last at its ideal size (at least its minimum), the last
  // takes the rest; `gap` pixels between neighbours.
  static void lay_out(std::vector<Info>& infos, int count, int total, int gap);

  BOOL CreateCommon(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
  BOOL CreateScrollBarCtrl(DWORD dwStyle, UINT nID);
  // Rows and columns split, join and resize alike: a line is a row when `rows`, else a column.
  BOOL SplitLine(bool rows, int before);
  void DeleteLine(bool rows, int lineDelete);
  // Applies a finished drag of the bar after `line` to `pos` (the bar's top or left edge).
  void TrackLineSize(bool rows, int pos, int line);
  // Where a line starts (client coordinates), its pane across from `other`, its shared bar.
  int LineStart(bool rows, int line) const;
  CWnd* PaneOfLine(bool rows, int line, int other) const;
  HWND LineScrollBar(bool rows, int line) const;
  // Makes a new view at (row, col) of the document of the view at (rowFrom, colFrom).
  BOOL CreateDynamicPane(int row, int col, int rowFrom, int colFrom);
  // The client area less the scroll-bar strips.
  void GetInsideRect(CRect& rect) const;
  bool CanSplitRows() const { return IsDynamic() && m_nRows < m_nMaxRows; }
  bool CanSplitColumns() const { return IsDynamic() && m_nCols < m_nMaxCols; }
  // The split boxes at the near ends of the shared bars (empty when there is none).
  CRect RowSplitBox() const;
  CRect ColumnSplitBox() const;

  // --- Tracking ---
  // The row bar and column bar a hit code names (-1 each when none).
  static void BarsOfHit(int ht, int& row, int& col);
  void StartTracking(int ht);
  void StopTracking(BOOL bAccept);
  // Moves the trackers so their corner is at `pt` (client), within the limits.
  void MoveTrackers(CPoint pt);
  void InvertTrackers();
  // Inverts `rect` (client coordinates) on the splitter and on every pane under it.
  virtual void OnInvertTracker(const CRect& rect);

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnCancelMode();
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnPaint();
  // Passes a shared bar's request to every pane of its column or row, each from the same position.
  void ScrollPanes(UINT message, WPARAM wParam, HWND hBar);

  int m_nMaxRows = 1, m_nMaxCols = 1;
  int m_nRows = 0, m_nCols = 0;
  BOOL m_bHasHScroll = FALSE, m_bHasVScroll = FALSE;
  const CRuntimeClass* m_pDynamicViewClass = nullptr;
  // Thickness of the drawn bars (0: none drawn) and the space between panes.
  int m_cxSplitter = kBarWidth, m_cySplitter = kBarWidth;
  int m_cxSplitterGap = kBarWidth, m_cySplitterGap = kBarWidth;
  std::vector<Info> m_cols, m_rows;

  // The drag under way: what was hit, the row tracker (a horizontal strip) and the column tracker
  // (a vertical strip), which of them move, the mouse's offset from their corner, their limits.
  BOOL m_bTracking = FALSE;
  int m_htTrack = noHit;
  bool m_bRowTracker = false, m_bColTracker = false;
  CRect m_rectRowTracker, m_rectColTracker;
  CSize m_ptTrackOffset;
  CRect m_rectLimit;

  DECLARE_MESSAGE_MAP()
};
