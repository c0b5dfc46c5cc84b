// CHLinkCtrl: a static text control made a web link. Its text is drawn underlined in the colour
// of its state (link blue, visited purple, red while the mouse is over it), a hand cursor shows
// over it, a click opens its address with the desktop, and its context menu opens the address,
// copies it, saves it as an internet shortcut (".url" file) on the desktop or in the Favorites
// (which this desktop does not have: that command does nothing), and shows its properties.
//
// The look comes from the control's own answer to its colour request (reflected WM_CTLCOLOR), so
// only statics with left, centred or right text become links. While hovered the control holds the
// mouse capture, which tells it when the mouse leaves.
#pragma once

#include "platform/base/cstring.h"
#include "platform/controls/standard_controls.h"

class CHLinkCtrl : public CStatic {
  DECLARE_DYNAMIC(CHLinkCtrl)

 public:
  enum State { kLink = 0, kVisited = 1, kHover = 2 };

  CHLinkCtrl();
  ~CHLinkCtrl() override;

  void SetURL(const CString& address) { m_strURL = address; }
  const CString& GetURL() const { return m_strURL; }
  int GetState() const { return m_nState; }
  // The colour the text is drawn in for a state.
  COLORREF StateColour(int state) const;

  // Opens the address: the address with its protocol guessed first, then the address as it is.
  // The link turns visited when one of them opened. FALSE when neither did.
  BOOL OpenURL();
  // Saves the address as an internet shortcut named after the link's text in a folder of the
  // desktop (CSIDL_DESKTOP, CSIDL_FAVORITES). FALSE when the folder is missing or writing failed;
  // nothing is shown to the user.
  BOOL SaveShortcut(int folder);

  COLORREF m_crLink = 0x00FF0000;
  COLORREF m_crVisited = 0x00800080;
  COLORREF m_crHover = 0x000000FF;
  int m_bHoverEnabled = 1;
  int m_bContextMenu = 1;

 protected:
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg void OnOpen();
  afx_msg void OnCopyShortcut();
  afx_msg void OnAddToFavorites();
  afx_msg void OnAddToDesktop();
  afx_msg void OnProperties();
  DECLARE_MESSAGE_MAP()

 private:
  // Leaves the hover state: the state before it comes back and the capture is released.
  void LeaveHover();

  CString m_strURL;
  HCURSOR m_hHandCursor = nullptr;
  HCURSOR m_hArrowCursor = nullptr;
  int m_nState = kLink;
  int m_nStateBeforeHover = kLink;
  int m_bInMenu = 0;
  CFont m_fontLink;
};
