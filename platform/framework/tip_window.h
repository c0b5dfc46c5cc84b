// The pop-up that shows a tool tip: a small bordered top-level window in the info colours, sized
// to its one line of text and placed near the cursor. It never takes activation. Its timer tells
// the tool-tip control that the wait before showing is over.
#pragma once

#include <functional>

#include "platform/win/cwnd.h"

namespace framework {

class TipWindow : public CWnd {
 public:
  // The timer of the wait before showing.
  static constexpr UINT_PTR kShowTimer = 1;

  // Runs when the show timer fires (the timer is stopped first).
  std::function<void()> on_show_timer;

  // Makes the window when it does not exist yet; whether it exists.
  bool Ensure();
  // Shows `text` (CP1250) with the window's top-left corner at a screen point.
  void ShowText(const CString& text, POINT screen);
  void HideTip();
  bool IsShown() const;

 protected:
  afx_msg void OnPaint();
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  DECLARE_MESSAGE_MAP()
};

}  // namespace framework
