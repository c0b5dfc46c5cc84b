// CGSTitleTip: the pop-up ("ZTitleTip") that shows the whole text of a report-list cell that is
// cut off, laid over the cell. While shown it holds the mouse capture; moves within its hover
// rectangle keep it, moves outside hide it and go on to the window under the cursor, and mouse
// buttons pass through it to that window, so that the list works as if the tip were not there.
#pragma once

#include "platform/base/cstring.h"
#include "platform/framework/tip_window.h"

inline constexpr const char* kTitleTipClass = "ZTitleTip";

class CGSTitleTip : public framework::TipWindow {
 public:
  CGSTitleTip();

  // Makes the pop-up for `pParentWnd` (the list, whose font the tip uses); false when the window
  // class or the window cannot be made.
  virtual BOOL Create(CWnd* pParentWnd);

  void SetBkColor(COLORREF crColor) { m_crBackground = crColor; }
  void SetTextColor(COLORREF crColor) { m_crText = crColor; }

  // Shows `text` over the cell `rectTitle` (client coordinates of the list) when it does not fit
  // there with `xoffset` on both sides; does nothing while the tip is shown or no window of the
  // program has the focus.
  void Show(CRect rectTitle, const CString& text, int xoffset = 0);
  // Hides the tip and lets the mouse go.
  void Hide();

  BOOL PreTranslateMessage(MSG* pMsg) override;

  // For tests and drawing: what the tip shows and where the mouse keeps it.
  const CString& GetText() const { return m_text; }
  const CRect& GetHoverRect() const { return m_rectHover; }

 protected:
  afx_msg void OnPaint();
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  // The window under the cursor for input passed on: the list when it is the tip itself.
  HWND TargetUnder(POINT screen) const;
  void PassMouseMove(const MSG& msg);
  void PassButton(const MSG& msg);
  HFONT ListFont() const;

  CWnd* m_pParentWnd = nullptr;
  COLORREF m_crBackground;
  COLORREF m_crText;
  CString m_text;
  CRect m_rectHover;
};
