// Wheel auto-scrolling: pressing the middle button in a text pane (or a picture view) shows a small
// round window under the mouse, and while it exists the target scrolls towards the side the mouse
// moves to, the faster the farther. Any click or the loss of focus ends it.
//
// The mouse is never moved: the press point is the origin (some display servers refuse to warp
// the pointer).
#pragma once

#include "platform/win/cwnd.h"
#include "shell/view/view_rules.h"

class CScrollView;

// The target: its scroll limits and one scroll step. Text panes and picture views implement it.
class CWheelTarget {
 public:
  virtual ~CWheelTarget() = default;
  virtual CWnd* TargetWindow() = 0;
  virtual BOOL WheelCanScrollH() = 0;
  virtual BOOL WheelCanScrollV() = 0;
  virtual void WheelScroll(shell::view::WheelDirection direction, int amount) = 0;
};

class CWheelWnd : public CWnd {
  DECLARE_DYNAMIC(CWheelWnd)

 public:
  static constexpr UINT_PTR kTimer = 1968;
  static constexpr int kSize = 30;
  static constexpr int kImage = 26;  // one picture of the indicator strip
  static constexpr int kRoundFrom = 2, kRoundTo = 29;  // the round shape's box in the window
  static constexpr int kAccumulate = 250;

  explicit CWheelWnd(CWheelTarget* target);
  ~CWheelWnd() override;

  // Starts at `origin` (client coordinates of the target); false (and nothing shown) when the
  // target cannot scroll either way.
  BOOL Start(POINT origin);
  // One timer tick with the mouse at `mouse` (target client coordinates); public for tests.
  void Tick(POINT mouse);
  UINT GetCursorId() const { return m_nCursor; }
  int GetImageOffset() const { return m_nImageOffset; }
  POINT GetOrigin() const { return m_ptOrigin; }

  void PostNcDestroy() override;

 protected:
  afx_msg void OnPaint();
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnDestroy();

  CWheelTarget* m_pTarget;
  POINT m_ptOrigin{};
  int m_nImageOffset = 0;
  UINT_PTR m_nTimer = 0;
  BOOL m_bLockedV = TRUE;
  BOOL m_bLockedH = TRUE;
  int m_nAccumulator = 0;
  UINT m_nCursor = 132;

  DECLARE_MESSAGE_MAP()
};

// Starts auto-scrolling of `target` at `origin`; the window deletes itself when it ends. Null when
// the target cannot scroll.
CWheelWnd* StartWheelScrolling(CWheelTarget* target, POINT origin);
