// The small panes: the header pane of a text sheet (CMvNSR, a topic's non-scrolling region), the
// pop-up pane of a pop-up hotspot and the hover tool tip of a link.
#pragma once

#include "shell/view/mv_pane.h"

class CMvNSR : public CMvPane {
  DECLARE_DYNAMIC(CMvNSR)

 public:
  BOOL ShowsScrollingRegion() const override { return FALSE; }
  BOOL KeepsSelection() const override { return FALSE; }
  BOOL Draw(CDC* pDC, const RECT* clip) override;
  BOOL FitToContent(BOOL bRelayout) override;
  BOOL GoToTopic(int32_t position, int32_t offset, BOOL bPreferScrolling) override;
  virtual void DetachAndUnregister() { Detach(TRUE); }

 protected:
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  // A press on a link works as in every pane; anywhere else it drags the topic the header shows
  // at once.
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);

  DECLARE_MESSAGE_MAP()
};

// The window of a pop-up hotspot: a bordered pop-up beside the hotspot showing the target topic
// until a click lands elsewhere. Pop-ups nest: a pop-up hotspot inside opens another.
class CMvPopupPane : public CMvPane {
  DECLARE_DYNAMIC(CMvPopupPane)

 public:
  static constexpr SIZE kFirstSize = {500, 400};

  explicit CMvPopupPane(CMvPane* owner);
  ~CMvPopupPane() override;

  BOOL ShowsScrollingRegion() const override { return TRUE; }
  BOOL KeepsSelection() const override { return FALSE; }
  void OnPopupCreated(int value, CMvPane* pane) override;
  BOOL FitToContent(BOOL bRelayout) override;
  virtual BOOL Show(const RECT& rect, const int32_t* position);
  virtual BOOL PlaceOnScreen(BOOL bRepaint);
  CMvPane* GetOwnerPane() const { return m_pOwnerPane; }

 protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);

  CMvPane* m_pOwnerPane;
  HWND m_hPreviousCapture = nullptr;

  DECLARE_MESSAGE_MAP()
};

// The hover tool tip of a link: the beginning of the target topic in a bordered pop-up 25 pixels
// below the link, with a coloured strip marked "Dz. U." along its left edge.
class CMvTooltipPane : public CMvPane {
  DECLARE_DYNAMIC(CMvTooltipPane)

 public:
  static constexpr int kStripWidth = 16;
  static constexpr SIZE kFirstSize = {450, 400};

  explicit CMvTooltipPane(CMvPane* owner);
  ~CMvTooltipPane() override;

  BOOL ShowsScrollingRegion() const override { return FALSE; }
  BOOL KeepsSelection() const override { return FALSE; }
  void OnPopupCreated(int value, CMvPane* pane) override;
  BOOL Draw(CDC* pDC, const RECT* clip) override;
  BOOL FitToContent(BOOL bRelayout) override;
  virtual BOOL Show(const RECT& rect, const int32_t* position);
  virtual BOOL PlaceOnScreen(BOOL bRepaint);
  void SetStripColour(COLORREF colour) { m_crStrip = colour; }
  COLORREF GetStripColour() const { return m_crStrip; }

 protected:
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);

  COLORREF m_crStrip = 0x808080;
  CMvPane* m_pOwnerPane;
  HWND m_hPreviousCapture = nullptr;

  DECLARE_MESSAGE_MAP()
};

// The screen rectangle of the monitor that holds `point` (the primary's when none does).
RECT MvScreenAt(POINT point);
