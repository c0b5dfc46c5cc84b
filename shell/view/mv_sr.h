// The text pane: the pane that shows a topic's scrolling region - the act's text. It adds scroll
// bars over the engine's scroll model (ranges of 0 or 0x7FFF, thumbs from 0 to 0x7FFF), keyboard and
// wheel scrolling, slow automatic scrolling, a back buffer while the thumb is dragged, selection
// with mouse and keys, and stepping between found words.
#pragma once

#include "shell/view/mv_pane.h"
#include "shell/view/wheel_wnd.h"

class CMvSR : public CMvPane, public CWheelTarget {
  DECLARE_DYNAMIC(CMvSR)

 public:
  static constexpr UINT_PTR kDragScrollTimer = 902;
  static constexpr UINT_PTR kSelectionDragTimer = 904;
  static constexpr UINT_PTR kSmoothTimer = 907;

  CMvSR() = default;
  ~CMvSR() override;

  BOOL ShowsScrollingRegion() const override { return TRUE; }
  BOOL KeepsSelection() const override { return TRUE; }
  BOOL Draw(CDC* pDC, const RECT* clip) override;
  BOOL FitToContent(BOOL bRelayout) override;
  int SetHits(fts::HitHighlightHandle hits, BOOL bOn) override;
  BOOL IsPointInSelection(int x, int y) override;
  virtual BOOL IsPointBelowSelectionStart(int x, int y);

  void ToggleSmoothScroll();
  BOOL IsSmoothScrolling() const { return m_nSmoothTimer != 0; }
  int ScrollToFirstHit(BOOL bSelect);
  void ScrollToNextHit();
  void ScrollToPreviousHit();
  int GetCurrentHit() const { return m_nCurrentHit; }
  void ResetCurrentHit() { m_nCurrentHit = -1; }
  // Whether the text can scroll vertically (horizontally): the engine's range is above 1.
  BOOL CanScrollV() const;
  BOOL CanScrollH() const;
  BOOL HasBackBuffer() const { return m_hBackDC != nullptr; }
  int GetSmoothSpeed() const { return m_nSmoothSpeed; }

  CWnd* TargetWindow() override;
  BOOL WheelCanScrollH() override;
  BOOL WheelCanScrollV() override;
  void WheelScroll(shell::view::WheelDirection direction, int amount) override;

  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);

 protected:
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  // Timer 904: a press held inside the selection drags the selection.
  void OnSelectionDragTimer();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnDestroy();

  void SetScrollPage(int nBar);
  void RefreshHorizontalRange();
  // One scroll step of the engine with the bar set to the result and the window repainted.
  int32_t ScrollStep(int nBar, int code, int32_t thumb = 0);
  void ReadSelectionRects();
  void ShowSelectionEnd(UINT nKey);
  void SelectionKey(UINT nKey, int code);
  void DeleteBackBuffer();
  fts::TopicHitListPtr HitsOfTopic() const;

  HDC m_hBackDC = nullptr;
  HBITMAP m_hBackBitmap = nullptr;
  HGDIOBJ m_hOldBitmap = nullptr;
  UINT_PTR m_nDragTimer = 0;
  UINT_PTR m_nSmoothTimer = 0;
  int m_nSmoothDirection = 1;
  int m_nSmoothSpeed = 50;
  int m_nSmoothAccumulator = 0;
  int m_nSmoothStuck = 0;
  int m_nCurrentHit = -1;
  RECT m_rcSelStart{};
  RECT m_rcSelEnd{};

  DECLARE_MESSAGE_MAP()
};
