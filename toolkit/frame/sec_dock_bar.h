// The toolkit's dock bar: rows of bars in which every SECControlBar without BAREX_FIXED_SIZE owns
// a share of its row's length. The shares of a row sum to 1, no visible bar goes below the
// minimum share, and the last bar of a row takes what is left. Rows of proportional bars have a
// 6-pixel splitter between neighbouring bars and one along their inner edge, and an etched
// separator along the outer edge; rows of fixed-size bars are laid out as the framework does.
//
// The bars live in the framework's one array (row ends and placeholders included); the shares
// are the bars' own. The arithmetic is in dock_geometry.h.
#pragma once

#include <memory>
#include <vector>

#include "platform/framework/dock_bar.h"
#include "toolkit/frame/dock_geometry.h"

class SECControlBar;

// While on, the dock bar moves its bars without redrawing them and repaints only the bars it
// rearranged.
extern BOOL SECLayoutNoRedraw;

// A draggable strip: between two bars of a row (kind 1) or along a row (kind 0).
class SECDockSplitter {
 public:
  virtual ~SECDockSplitter() = default;
  virtual void Draw(CDC* pDC) const;

  BOOL IsVertical() const { return m_nOrientation == 1; }

  int m_nOrientation = 0;  // 1: a vertical strip dragged left and right
  int m_nKind = 0;         // 1: between bars, 0: along a row
  CRect m_rect;
  int m_nIndex = 0;  // kind 1: position of the bar before it; kind 0: position of the row's first entry
  BOOL m_bInUse = FALSE;
  dock::Limits m_limits;
};

// Where AttachBar puts a bar: a row and a column in it. Rows count from 0 at the first row, or with
// SECDOCK_ROWS_FROM_END from 0 at the last row backwards (-1 the one before it); a row before the
// first (negative from the start) or after the last (positive from the end) is a new row there.
// Columns count the visible bars passed from the row's start, or with SECDOCK_COLS_FROM_END from
// its end; SECDOCK_NEW_ROW puts the bar in a new row before the row named.
constexpr DWORD SECDOCK_ROWS_FROM_END = 1;
constexpr DWORD SECDOCK_COLS_FROM_END = 2;
constexpr DWORD SECDOCK_NEW_ROW = 4;

struct SECDockBarInsertRecord {
  int m_nRow = 0;
  int m_nCol = 0;
  DWORD m_dwFlags = 0;
};

// An etched line between rows.
class SECDockSeparator {
 public:
  virtual ~SECDockSeparator() = default;
  virtual void Draw(CDC* pDC) const;

  int m_nOrientation = 0;  // 0 horizontal line, 1 vertical
  CRect m_rect;
  BOOL m_bInUse = FALSE;
};

class SECBarStateRecord;

class SECDockBar : public CDockBar {
  DECLARE_DYNCREATE(SECDockBar)

 public:
  explicit SECDockBar(BOOL bFloating = FALSE);
  ~SECDockBar() override;

  // Moves `pWnd` to `rect` (parent coordinates) with `nFlags` plus SWP_NOZORDER | SWP_NOACTIVATE
  // in a size-parent pass that moves windows; nothing in a layout query (`layout` without its
  // move marker) or when the window is already there.
  static void MoveBarWindow(AFX_SIZEPARENTPARAMS* layout, CWnd* pWnd, const CRect& rect, UINT nFlags);

  // --- Rows and shares ---
  virtual BOOL IsBarExpanded(CControlBar* pBar);
  virtual BOOL IsBarAloneInRow(CControlBar* pBar);
  // The bars of `pBar`'s row: the ones before it (nearest first), the bar, the ones after it.
  virtual void GetRowBars(std::vector<CControlBar*>& list, CControlBar* pBar);
  // Mode 1 gives the bar the whole row, mode 2 gives every bar of its row an equal share.
  virtual void ExpandBar(CControlBar* pBar, int nMode);
  virtual void SetChangedBar(CControlBar* pBar) { m_pChangedBar = pBar; }
  virtual void RedrawPendingBars();
  // Normalizes the shares of the row starting at `nFirst`; counts its proportional and fixed bars.
  virtual void NormalizeRow(int nFirst, CControlBar* pChanged, int& nProportional, int& nFixed);
  virtual void UpdateMinShare();
  virtual float AddShare(float amount, CControlBar* pBar);
  float GetMinShare() const { return m_fMinShare; }
  CControlBar* GetPrevBarInRow(int nPos) const;
  CControlBar* GetNextBarInRow(int nPos) const;
  CControlBar* GetNextVisibleBarInRow(int nPos) const;
  CControlBar* GetFirstBar() const { return m_arrBars.GetSize() < 2 ? nullptr : GetDockedControlBar(1); }
  int GetDockedVisibleCount() const override;

  // --- Insertion (each returns the bar's position in the bar array) ---
  virtual int InsertBarAtPoint(CControlBar* pBar, const CRect& rect, CPoint mid);
  virtual int InsertBar(CControlBar* pBar, const SECDockBarInsertRecord& rec);
  virtual int InsertBar(CControlBar* pBar, int nCol, int nRow) { return InsertBar(pBar, {nRow, nCol, 0}); }
  // A new first row holding the bar; -1 for no bar.
  virtual int InsertFirstRow(CControlBar* pBar);
  // Puts the bar at `nPos`; a bar that keeps a row of its own (BAREX_OWN_ROW) gets row ends around
  // it, and so does a bar put next to one.
  virtual int InsertBarAt(int nPos, CControlBar* pBar);
  // Where a bar dropped at `rect` (client coordinates, middle `mid`) would go, without inserting.
  int FindInsertPosition(CControlBar* pBar, const CRect& rect, CPoint mid) const;
  // The outline of `pBar` dragged over this dock bar at `rect` (screen) with the mouse at `mouse`;
  // the row, outline and mouse point of the last call are kept in the three in/out values.
  virtual CRect CalcTrackRect(CControlBar* pBar, const CRect& rect, CPoint mouse, int& nLastPos, CRect& rectLast,
                              CPoint& ptLast);

  // --- Docking ---
  // Docks the bar at an insert record.
  virtual void AttachBar(CControlBar* pBar, const SECDockBarInsertRecord& rec);
  virtual void AttachBar(CControlBar* pBar, int nCol, int nRow) { AttachBar(pBar, {nRow, nCol, 0}); }
  // Takes the bar out: its entry becomes its placeholder (or goes, when its placeholder already
  // stands elsewhere, with its row end when the row is left empty). A floating dock bar left with
  // nothing destroys its frame once the handlers on the stack have returned; the result is TRUE
  // then.
  BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0) override;
  void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr) override;
  void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr) override;
  // A bar that goes away leaves the list of bars waiting for a repaint.
  void ForgetPendingBar(CControlBar* pBar);

  // --- Layout and splitters ---
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void DoPaint(CDC* pDC) override;
  virtual void GetSplitterLimits(SECDockSplitter* pSplitter);
  virtual void MoveSplitter(SECDockSplitter* pSplitter, int nDistance);
  // Drags `pSplitter` from client point `point`: the distance moved, 0 when cancelled (Escape,
  // right button, or the capture lost) or when another window holds the mouse.
  int TrackSplitter(SECDockSplitter* pSplitter, CPoint point);
  SECDockSplitter* SplitterAt(CPoint point) const;
  const std::vector<std::unique_ptr<SECDockSplitter>>& Splitters() const { return m_splitters; }
  const std::vector<std::unique_ptr<SECDockSeparator>>& Separators() const { return m_separators; }
  // The row's thickness across the dock bar: its deepest bar, hidden ones included.
  int GetRowThickness(int nFirst) const;

  // The framework's record of the dock bar; one held by a frame inside the main window records no
  // position of its own (its frame's placement stands for it, MDIChildPlacement).
  // A dock bar of a frame inside the main window saves as floating there, with its placement.
  void GetBarInfo(CControlBarInfo* pInfo) override;
  virtual void GetBarInfoEx(SECBarStateRecord* pInfo);
  // Takes its bars from the record like the framework's dock bar, then over as docking does
  // (borders, sides, a floating frame's title).
  void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;
  // The placement of the frame inside the main window that holds this dock bar; FALSE without one.
  BOOL GetMDIChildPlacement(WINDOWPLACEMENT& placement) const;

  // The MDI child frame holding this dock bar when bars float inside the main window.
  CWnd* m_pMDIChild = nullptr;

 protected:
  // Positions of the visible bars (with windows) of the row starting at `nFirst`.
  std::vector<int> VisibleRow(int nFirst) const;
  int RowStart(int nPos) const;
  void AddPending(CControlBar* pBar);
  void MarkRowsForRepaint(int nPos);
  SECDockSplitter* AddSplitter(int nKind, int nOrientation, const CRect& rect, int nIndex);
  void AddSeparator(int nOrientation, const CRect& rect);
  void ResizeRow(int nFirst, int nDelta);
  CSize MeasureBar(CControlBar* pBar, int nLength, DWORD nExtra) const;
  DWORD MeasureMode(CControlBar* pBar) const;
  void DestroyEmptyFloatingFrame();
  // The steps every docking operation starts with: styles and title taken over from the bar.
  void TakeOverBar(CControlBar* pBar);
  // The steps it ends with: the bar moves into this dock bar's window, leaves its previous dock bar
  // (skipping `nPosExclude` there when that is this one) and its placeholder here; a delayed layout.
  void FinishDocking(CControlBar* pBar, CDockBar* pOld, int nPosExclude);
  // The bar's window rectangle in client coordinates.
  CRect ClientRectOf(CControlBar* pBar) const;
  // Appends a new last row holding the bar; its position.
  int AppendRow(CControlBar* pBar);

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnDestroy();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg LRESULT OnDestroyEmptyFrame(WPARAM, LPARAM);
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  // In a size-parent pass the dock bar moves through MoveBarWindow, with the flags of
  // dock::SizeParentMoveFlags.
  void MoveInLayout(AFX_SIZEPARENTPARAMS* layout, const CRect& rect) override;

  std::vector<CControlBar*> m_pending;
  std::vector<std::unique_ptr<SECDockSeparator>> m_separators;
  std::vector<std::unique_ptr<SECDockSplitter>> m_splitters;
  CControlBar* m_pChangedBar = nullptr;
  BOOL m_bRepaint = FALSE;
  BOOL m_bRearranged = FALSE;
  float m_fMinShare = 0.05f;

  DECLARE_MESSAGE_MAP()
};
