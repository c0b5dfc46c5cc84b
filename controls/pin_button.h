// CPinButton: an owner-drawn bitmap button that looks flat until the mouse is over it (then it
// stands out, and sinks while pressed), and that can work as a push pin which stays in (pinned)
// or out with each click. A pin sends no command; a plain button sends its command once per
// click. The button watches the mouse with its timer 1 (every 10 ms) while the mouse is over it.
// Each button keeps its own hover state, so two buttons side by side never take each other's.
#pragma once

#include "platform/controls/standard_controls.h"

class CPinButton : public CButton {
  DECLARE_DYNAMIC(CPinButton)

 public:
  enum Bitmap { kNormal = 0, kPinned = 1 };

  CPinButton();
  ~CPinButton() override;

  // Loads bitmap resource `nID` as the normal (kNormal) or the pinned (kPinned) face. With a
  // colour to map, that colour becomes the button face colour. The button's bitmap size becomes
  // the bitmap's. FALSE when the bitmap cannot be loaded.
  BOOL LoadStateBitmap(UINT nID, const COLORREF* pMapToFace, int nWhich);
  // The same for the face of a pinned button under the mouse.
  BOOL LoadHoverBitmap(UINT nID, const COLORREF* pMapToFace);
  void SetPinMode(BOOL bPinMode) { m_bPinMode = bPinMode; }
  BOOL GetPinMode() const { return m_bPinMode; }
  BOOL IsPinned() const { return m_bPinned; }
  // Pins or unpins the button (redrawn when that changes its face).
  void SetPinned(BOOL bPinned);
  BOOL IsHovered() const { return m_bHover; }
  const CRect& GetBitmapRect() const { return m_rcBitmap; }

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

  static constexpr UINT_PTR kHoverTimer = 1;
  static constexpr UINT kHoverInterval = 10;

 protected:
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  DECLARE_MESSAGE_MAP()

 private:
  BOOL LoadInto(CBitmap& bitmap, UINT nID, const COLORREF* pMapToFace);
  // The hover flag set or cleared; repainted when what is drawn changes.
  void ShowHover(BOOL bHover);

  CBitmap m_bmpNormal;
  CBitmap m_bmpPinned;
  CBitmap m_bmpHover;
  CRect m_rcBitmap;
  BOOL m_bPinMode = FALSE;
  BOOL m_bPinned = FALSE;
  BOOL m_bPressed = FALSE;
  BOOL m_bHover = FALSE;
  // Whether the face now shows the hover look; the button's own, not shared with other buttons.
  BOOL m_bHoverDrawn = FALSE;
  BOOL m_bSendingCommand = FALSE;
};
