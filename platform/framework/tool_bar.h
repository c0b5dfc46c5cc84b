// The toolbar: a control bar of image buttons, each sending its command to the bar's owner.
//
// Buttons come from a TOOLBAR resource (the command ids and the image size) and its bitmap of the
// same id (the images side by side, in the order of the buttons that are not separators), or from
// SetButtons and LoadBitmap. A press takes the mouse; releasing over the same button sends
// WM_COMMAND (the id, the bar's window) to the owner, which routes it as a command. A check
// button turns its TBBS_CHECKED bit first; in a group (TBBS_CHECKGROUP) the button pressed
// becomes the checked one. A disabled button does nothing. On idle the owner's update-UI
// handlers enable, check and mark the buttons (OnUpdateCmdUI).
//
// Looks: raised 3-D buttons, or with TBSTYLE_FLAT flat ones that rise while the mouse is over
// them; pressed and checked buttons are sunken (checked ones over a dithered face), disabled
// images embossed, indeterminate ones greyed. CBRS_GRIPPER adds the grip at the bar's start.
//
// Tips and prompts: with CBRS_TOOLTIPS each button is a tool (OnToolHitTest) whose tip is the part
// of the id's string after '\n', unless the owner answers TTN_NEEDTEXT itself; with CBRS_FLYBY
// the part before '\n' goes to the owner (WM_SETMESSAGESTRING) while the mouse is over the
// button, and the idle prompt (AFX_IDS_IDLEMESSAGE) when it leaves the bar.
//
// Layout: docked along a top or bottom edge the buttons make one row; along a side one column;
// floating, rows as wide as the frame lets them (TBBS_WRAPPED ends a row). CalcDynamicLayout
// answers the frame's sizing questions in the framework's LM_ modes.
#pragma once

#include <memory>
#include <vector>

#include "platform/framework/control_bar.h"
#include "platform/framework/status_bar.h"  // ID_SEPARATOR
#include "platform/framework/tool_bar_images.h"
#include "platform/framework/tool_bar_layout.h"

// Toolbar control styles (the window's own style bits; CBRS_ bits go to the bar style).
constexpr DWORD TBSTYLE_TOOLTIPS = 0x0100;
constexpr DWORD TBSTYLE_WRAPABLE = 0x0200;
constexpr DWORD TBSTYLE_FLAT = 0x0800;
constexpr DWORD TBSTYLE_TRANSPARENT = 0x8000;

class CToolBar : public CControlBar {
  DECLARE_DYNAMIC(CToolBar)

 public:
  CToolBar();
  ~CToolBar() override;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
  // `dwCtrlStyle` holds the TBSTYLE_ bits; `rcBorders` the left, top, right and bottom borders.
  BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                UINT nID = AFX_IDW_TOOLBAR);

  // The button size and the image size; ignored unless both are positive and the image fits the
  // button. The bar's height follows the button.
  void SetSizes(SIZE sizeButton, SIZE sizeImage);
  // Spreads the top and bottom borders so that the bar, docked along a top or bottom edge, is
  // `cyHeight` high (never less than a button).
  void SetHeight(int cyHeight);
  // Buttons, sizes and images from the TOOLBAR resource and its bitmap; FALSE (nothing changed)
  // when either is missing or the bitmap is not a picture.
  BOOL LoadToolBar(UINT nIDResource);
  // The image strip from a bitmap resource (its button-face pixels show the bar through).
  BOOL LoadBitmap(UINT nIDResource);
  // One button per id, ID_SEPARATOR (0) a separator; the buttons take the images in order. A null
  // array makes `nIDCount` separators to be set with SetButtonInfo.
  BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

  // The first button with that command, or -1.
  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  // The button's rectangle in client coordinates (empty for a bad index).
  void GetItemRect(int nIndex, LPRECT lpRect) const;
  UINT GetButtonStyle(int nIndex) const;
  void SetButtonStyle(int nIndex, UINT nStyle);
  // The command, style and image of a button (for a separator `iImage` is its width).
  void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
  void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);

  // Runs update-UI of every button with `pTarget` as the command target (OnUpdateCmdUI gives the
  // frame; a bar on a dialog can give its dialog).
  void UpdateButtons(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
  void CalcInsideRect(CRect& rect, BOOL bHorz) const override;
  void DoPaint(CDC* pDC) override;
  void SetBarStyle(DWORD dwStyle) override;
  // A button: its id, with its rectangle as the tool; else a child control (CBRS_TOOLTIPS).
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnCancelMode();
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnDestroy();

  // The tool-tip control of the buttons (made with the first tip).
  std::unique_ptr<CToolTipCtrl> m_pToolTip;

  DECLARE_MESSAGE_MAP()

 private:
  bool valid(int nIndex) const { return nIndex >= 0 && nIndex < int(m_buttons.size()); }
  // How the buttons line up where the bar is now.
  framework::toolbar::Flow CurrentFlow() const;
  // What the borders, edges and grip add to the buttons' extent.
  CSize Edges(BOOL bHorz, bool floating) const;
  // The bar's size for `buttons` in `flow`.
  CSize SizeFor(framework::toolbar::Flow flow, BOOL bHorz, bool floating,
                const std::vector<framework::toolbar::Button>& buttons) const;
  // Places the buttons in the client area, moves the windows the bar holds, and repaints.
  void Layout();
  // A separator with a command id is the place of the bar's child window of that id (a combo
  // box, an edit): the window follows the place, and hides while the place is only a gap (the bar
  // upright, or the separator lying between two rows).
  void PlaceItemWindows(framework::toolbar::Flow flow);
  void InvalidateButton(int nIndex);
  void DrawButton(CDC* pDC, int nIndex);
  void DrawSeparator(CDC* pDC, const CRect& rect, bool across) const;
  void SetHot(int nIndex);
  // Releases the mouse and forgets the pressed button.
  void EndPress();
  // Tips and fly-by prompts of a mouse message for this bar or one of its children.
  void FilterToolTipMessage(MSG* pMsg);
  // The mouse left the bar: prompts and tips end.
  void MouseLeft();
  void ShowPrompt(UINT nID);
  void StartLeaveTimer();

  std::vector<framework::toolbar::Button> m_buttons;
  std::vector<CRect> m_rects;  // client coordinates, one per button
  std::vector<HWND> m_hiddenItemWindows;  // item windows the layout hid, shown again when there is room
  CSize m_sizeButton{23, 22};
  CSize m_sizeImage{16, 15};
  framework::toolbar::ImageStrip m_images;
  int m_nHot = -1;       // the flat button drawn raised under the mouse
  int m_nPressed = -1;   // the button the mouse went down on
  INT_PTR m_nLastHit = -1;  // the tool the mouse was last over
  UINT_PTR m_uLastTool = 0;  // its id in the tool-tip control
  bool m_bPromptShown = false;
  bool m_bLeaveTimer = false;
};
