// Static splitter windows: a grid of panes (views or other windows) separated by bars the user
// drags. Column widths and row heights are ideal sizes; the last column and row take what is left.
#pragma once

#include <vector>

#include "platform/framework/create_context.h"
#include "platform/win/cwnd.h"

class CSplitterWnd : public CWnd {
  DECLARE_DYNAMIC(CSplitterWnd)

 public:
  static constexpr int kMaxPanes = 16;
  static constexpr int kBarWidth = 6;

  // Pane ids run from AFX_IDW_PANE_FIRST: row * 16 + column.
  BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                    UINT nID = 0xE900);
  // Makes the pane's window from a view (or any window) class.
  virtual BOOL CreateView(int row, int col, const CRuntimeClass* pViewClass, SIZE sizeInit,
                          CCreateContext* pContext);
  CWnd* GetPane(int row, int col) const;
  int IdFromRowCol(int row, int col) const;
  int GetRowCount() const { return m_nRows; }
  int GetColumnCount() const { return m_nCols; }
  void SetColumnInfo(int col, int cxIdeal, int cxMin);
  void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
  void SetRowInfo(int row, int cyIdeal, int cyMin);
  void GetRowInfo(int row, int& cyCur, int& cyMin) const;
  virtual void RecalcLayout();
  // The splitter bar under a client point: column bar index, row bar index (or -1 each).
  void HitTestBars(CPoint point, int& column_bar, int& row_bar) const;

 protected:
  struct Info {
    int ideal = 0;
    int min = 0;
    int current = 0;
  };
  // Lays a dimension out: each but the last at its ideal size (at least its minimum), the last
  // takes the rest.
  static void lay_out(std::vector<Info>& infos, int total);

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnPaint();

  int m_nRows = 0;
  int m_nCols = 0;
  std::vector<Info> m_cols, m_rows;
  // The bar being dragged and where the drag started.
  int m_dragColumn = -1, m_dragRow = -1;
  CPoint m_dragStart;
  std::vector<Info> m_colsAtStart, m_rowsAtStart;

  DECLARE_MESSAGE_MAP()
};
