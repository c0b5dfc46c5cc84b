// SECTruncatedItemTip: when the mouse rests on a list or tree cell whose label is cut off, a small
// popup laid exactly over the cell shows the whole text in the cell's colours. The owner calls
// Track on every mouse move and holds the mouse capture while the tip is up, so that leaving the
// cell is seen without hover tracking. It reaches its owner only through SECListClient.
#pragma once

#include "platform/win/cwnd.h"
#include "toolkit/widgets/list_client.h"

class SECTruncatedItemTip : public CWnd {
  DECLARE_DYNAMIC(SECTruncatedItemTip)

 public:
  explicit SECTruncatedItemTip(SECListClient* owner) : m_pOwner(owner) {}
  ~SECTruncatedItemTip() override;

  // Shows, keeps or hides the tip for the point (owner client coordinates) and what is under it;
  // non-zero while a tip is shown.
  BOOL Track(UINT hitFlags, int row, int column, int x, int y);
  void Hide();
  // Repaints the tip at once when it is up (the owner calls it on button presses).
  void RepaintIfVisible();

  int GetTrackedRow() const { return m_nRow; }
  int GetTrackedSubItem() const { return m_nSubItem; }
  const CString& GetText() const { return m_strText; }
  BOOL IsShown() const { return m_hWnd && IsWindowVisible(); }

  // The widest a tip gets before its text wraps.
  static constexpr int kMaxWidth = 500;

 protected:
  afx_msg void OnPaint();
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  BOOL CreateTipWindow();
  void ReleaseOwnerCapture();
  void FitToText();

  SECListClient* m_pOwner;
  int m_nRow = -1;
  int m_nSubItem = -1;
  CString m_strText;
  CRect m_rcCell;  // owner client coordinates
  BOOL m_bOwnerCaptured = FALSE;
};
