// The frame's dock bars: one control bar along each edge of a frame that holds the frame's
// docked control bars in rows. A top or bottom dock bar stacks its rows downwards and lines the
// bars of a row up from left to right; a left or right dock bar does the same turned a quarter.
// An empty dock bar takes no room in the frame's layout: it is a line along its edge.
//
// The bars live in one array, `m_arrBars`, in the framework's form: entry 0 is always null; then
// each row's entries follow, ended by a null. An entry is a bar, or a placeholder: the control id
// of a bar that left this dock bar to float, kept (as a small integer in place of a pointer) so
// that docking the bar again puts it back at that place. Placeholders take no room. No row is
// empty: a row left with no entry loses its null.
//
// A bar dropped onto a dock bar (DockControlBar with a rectangle) goes into the row under the
// rectangle's middle, or into a new first row when the middle lies before the first row, or a new
// last row when it lies after the last; within the row it goes after the visible bars that start
// before the rectangle, and keeps the rectangle's start as its place along the row. The layout
// puts each bar at its place unless the bar before it reaches further (bars never overlap), and
// moves bars back from the far end when the row is longer than the dock bar.
//
// The layout is the virtual CalcFixedLayout: during the frame's layout (WM_SIZEPARENT) the dock
// bar notes whether the pass only measures (`m_bLayoutQuery`) and the rectangle it is offered
// (`m_rectLayout`), so a derived dock bar can lay its bars out its own way.
#pragma once

#include <map>
#include <vector>

#include "platform/base/collections.h"
#include "platform/framework/control_bar.h"

class CDockBar : public CControlBar {
  DECLARE_DYNCREATE(CDockBar)

 public:
  explicit CDockBar(BOOL bFloating = FALSE);

  // Makes the dock bar along the edge `dwStyle` names (CBRS_ALIGN_TOP, ...) of `pParentWnd`; the
  // id AFX_IDW_DOCKBAR_FLOAT makes it the dock bar of a floating frame.
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

  // Adds `pBar` to this dock bar: into the row that `lpRect` (screen coordinates) touches, or a
  // new last row when no rectangle is given or none touches. A bar that leaves a frame's dock bar
  // to float leaves its placeholder there.
  virtual void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
  // Puts `pBar` back at its placeholder, at the place along the row `lpRect` (screen coordinates)
  // gives; without a placeholder it docks as DockControlBar does.
  virtual void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
  // Takes `pBar` out (the entry at `nPosExclude` is left alone); with `nAddPlaceHolder` 1 its
  // entry becomes its placeholder. A floating dock bar left without visible bars hides its frame,
  // or destroys it when no bar and no placeholder is left: only then the result is TRUE (and this
  // dock bar is gone with its frame).
  virtual BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
  // Drops the placeholder of `pBar` when there is one.
  void RemovePlaceHolder(CControlBar* pBar);
  // The position of `pBar` in `m_arrBars` other than `nPosExclude`, or -1.
  int FindBar(CControlBar* pBar, int nPosExclude = -1) const;
  // The position of the placeholder of control id `nID`, or -1.
  int FindPlaceHolder(UINT nID) const;
  // The bar at position `nPos`; null for a row end or a placeholder.
  CControlBar* GetDockedControlBar(int nPos) const;

  // Whether an entry of `m_arrBars` is a placeholder, and the placeholder of a control id.
  static bool IsPlaceHolder(const void* entry);
  static void* PlaceHolder(UINT nID);

  // A dock bar's record lists its entries; putting it back docks the listed bars of
  // `pFrameWnd` here (taking them from where they are), keeps the placeholders, and keeps bars
  // the record does not name at the end (bar_state.cpp).
  void GetBarInfo(CControlBarInfo* pInfo) override;
  void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;
  // Makes `ptClient` (client coordinates) the place of `pBar` along its row.
  void SetBarPlace(CControlBar* pBar, CPoint ptClient);

  // Shows or hides every bar docked here (through its frame).
  void ShowAll(BOOL bShow);
  // A floating dock bar shows its frame while it holds a visible bar and hides it otherwise.
  void SyncFloatingFrame();
  // Docked bars (placeholders left out), row by row; rows of placeholders only are left out.
  std::vector<std::vector<CControlBar*>> Rows() const;
  int GetDockedCount() const;
  // The visible bars that have a window.
  virtual int GetDockedVisibleCount() const;
  BOOL IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }

  // The room the visible bars take: rows' depths added up, the longest row's length.
  CSize RowsExtent() const;
  // The dock bar's size; unless the layout only measures, the bars are placed as well.
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

  // The dock bar of a floating frame (AFX_IDW_DOCKBAR_FLOAT): its bars float.
  BOOL m_bFloating = FALSE;
  CPtrArray m_arrBars;
  // Set during the frame's layout: whether it only measures, and the rectangle it offers (parent
  // client coordinates).
  BOOL m_bLayoutQuery = FALSE;
  CRect m_rectLayout;

 protected:
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg void OnDestroy();

  // Positions [first, end) of the entries of each row; `end` holds the row's null.
  struct RowSpan {
    int first;
    int end;
  };
  std::vector<RowSpan> RowSpans() const;
  // Size of `pBar` docked on this side.
  CSize BarSize(CControlBar* pBar) const;
  // Places the visible bars in rows within `length` along the dock bar.
  void LayoutBars(int length);
  // The thickness of a row across the dock bar: its deepest visible bar.
  int RowDepth(const RowSpan& row) const;
  // Removes the entry at `nPos`, and the row end after it when that leaves its row empty.
  void RemoveEntry(int nPos);
  // Inserts `pBar` as a new row before the row at `row` (the end for RowSpans().size()); returns
  // its position.
  int InsertRow(size_t row, CControlBar* pBar);

  // Where bars dropped onto this dock bar asked to start along their row (client coordinates).
  std::map<const CControlBar*, int> m_along;
  // Inside the frame's layout pass.
  bool m_bInSizeParent = false;

  DECLARE_MESSAGE_MAP()
};
