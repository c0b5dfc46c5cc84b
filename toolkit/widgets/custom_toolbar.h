// A dockable toolbar whose buttons are SECStdBtn objects: laid out in rows for horizontal,
// vertical and floating docking, drawn flat with hot tracking (the cool look, BAREX_FLAT) or with
// 3-D borders, routing clicks to commands, updated through command UI, and edited with the mouse
// while customized (or at any time with Alt held): buttons are dragged within and between bars,
// and a button dropped off every bar makes a new floating user toolbar. Its contents are kept
// with the saved bar layout (SECCustomToolBarInfoEx).
//
// Bars are normally made and shared out by the toolbar manager (toolbar_manager.h); a bar
// without one has its own bitmap manager and drawing context.
#pragma once

#include <memory>
#include <vector>

#include "platform/framework/control_messages.h"
#include "platform/win/cmd_ui.h"
#include "toolkit/frame/sec_control_bar.h"
#include "toolkit/widgets/toolbar_button.h"
#include "toolkit/widgets/toolbar_layout.h"

class SECToolBarManager;
class SECBmpMgr;

// The first control id of a toolbar the user made; such a bar goes when its last button does.
constexpr UINT SEC_IDW_FIRST_USER_TOOLBAR = 0xE820;
constexpr UINT SEC_IDW_LAST_USER_TOOLBAR = 0xE8FF;
// Shown while a drag copies a button.
constexpr UINT SEC_IDC_COPY_DRAG = 20691;
// The toolbar's hot-tracking timer id.
constexpr UINT_PTR SEC_TOOLBAR_HOT_TIMER = 0xE002;

// What a toolbar tells its manager's listeners (WM_BARNOTIFY's lParam).
enum SECBarNotifyCode : UINT {
  SEC_BARNOTIFY_SHOWN = 0,
  SEC_BARNOTIFY_HIDDEN = 1,
  SEC_BARNOTIFY_CREATED = 2,
  SEC_BARNOTIFY_DESTROYED = 3,
  SEC_BARNOTIFY_SELECTION = 4,
};

// Posted by a floating bar to itself to hide at once while the bars are configured.
UINT SECNoDelayHideMessage();

class SECCustomToolBar : public SECControlBar, public SECToolBarButtonOwner {
  DECLARE_DYNCREATE(SECCustomToolBar)

 public:
  SECCustomToolBar();
  ~SECCustomToolBar() override;

  // --- Creation ---
  using SECControlBar::Create;
  // The bar style unchanged, BAREX_FIXED_SIZE added to the extended style; the manager is told.
  BOOL Create(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle, UINT nID,
              CCreateContext* pContext = nullptr) override;
  // The bar style keeps the bar bits of `dwStyle` (the window gets them all).
  virtual BOOL CreateBarEx(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle, UINT nID, LPCTSTR lpszTitle = nullptr);
  virtual BOOL CreateBar(CWnd* pParentWnd, DWORD dwStyle, UINT nID, LPCTSTR lpszTitle = nullptr) {
    return CreateBarEx(0, pParentWnd, dwStyle, nID, lpszTitle);
  }

  void SetManager(SECToolBarManager* pManager) { m_pManager = pManager; }
  SECToolBarManager* GetManager() const { return m_pManager; }
  // Shares `pBmpMgr` (retained) instead of the bar's own.
  void SetBmpMgr(SECBmpMgr* pBmpMgr);

  // --- Buttons ---
  // FALSE for an index out of range; otherwise whether buttons remain (a user toolbar left empty
  // destroys itself, unless `bNoRecalc`).
  virtual BOOL RemoveButton(int nIndex, BOOL bNoRecalc = FALSE);
  virtual void InsertButton(int nIndex, UINT nID, BOOL bSeparator = FALSE, BOOL bNoRecalc = FALSE);
  // The bar empties and takes one button per id (0 a separator), without a new layout.
  virtual void SetButtons(const UINT* pIDs, int nCount);
  virtual void RemoveAllButtons();
  virtual SECStdBtn* CreateButton(UINT nID, SECCustomToolBar* pToolBar);
  virtual SECStdBtn* CreateSeparator(SECCustomToolBar* pToolBar);
  int GetBtnCount() const { return int(m_btns.size()); }
  SECStdBtn* GetButton(int nIndex) const;
  int FindButtonByCommand(UINT nID) const;
  UINT GetItemID(int nIndex) const;
  CRect GetItemRect(int nIndex) const;
  DWORD GetButtonStyle(int nIndex) const;
  void SetButtonStyle(int nIndex, DWORD dwStyle);
  // The button under a client point (edges inclusive), its rectangle in `pRect`; -1 for none or a
  // separator.
  virtual int HitTest(int x, int y, CRect* pRect = nullptr) const;
  // Sizes every button again for the current images.
  void ResizeButtons();
  // Notify to every button of the command here or, through the manager, on every managed bar.
  void SendToButtons(UINT nID, UINT nCode, void* pData, BOOL bThroughManager);

  // --- Layout ---
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
  int AddGripperExtent(CSize& size, BOOL bHorz) const override;
  // A bar without a dock context takes the parent's whole width (or height, standing upright).
  virtual void FitToParent(CRect& rect);
  // The layout's own rows, for tests and the drop logic.
  const std::vector<toolbar_layout::Row>& Rows() const { return m_rows; }

  // --- Painting ---
  void DoPaint(CDC* pDC) override;
  void DrawBorders(CDC* pDC, CRect& rect) override;

  // --- Command UI ---
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  virtual void UpdateButton(int nIndex);
  void DelayShow(BOOL bShow) override;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

  // --- Customizing ---
  void SetCustomizeMode(BOOL bCustomize);
  BOOL GetCustomizeMode() const { return m_bCustomize; }
  void SelectButton(int nIndex, BOOL bRepaint = TRUE);
  void Deselect(BOOL bRepaint = TRUE);
  int GetSelectedIndex() const { return m_nSelected; }
  virtual BOOL IsCopyDrag() const;
  virtual BOOL AcceptsDrop() const { return TRUE; }
  virtual BOOL DragButton(int nIndex, CPoint point);
  // Puts the dragged command where `rect` (client coordinates) says; FALSE when a removal emptied
  // the source bar.
  virtual BOOL DropButton(const CRect& rect, SECStdBtn* pBtn, BOOL bCopy, UINT nFlags = 0);
  // Set while a drag started with Alt runs: no hot tracking, no selection of the dropped button.
  static BOOL IsAltDragging() { return s_bAltDrag; }

  // --- Menu tracking (menu-bar item buttons, types 3 and 4) ---
  virtual int GetFirstMenuButton() const;
  virtual int GetLastMenuButton() const;
  virtual int GetNextMenuButton(BOOL bForward) const;
  virtual void DropButtonMenu(SECStdBtn* pBtn, UINT nMenuID, int nItem);
  virtual void SwitchTrackedButton(int nIndex);
  // A mouse message (screen coordinates) while a tracked button's popup is open; TRUE when taken.
  virtual BOOL FilterTrackingMessage(MSG* pMsg);
  virtual void EndTracking();
  int GetTrackedIndex() const { return m_nTracked; }

  virtual CFont* GetFont() const;

  // --- The saved layout ---
  void GetBarInfoEx(SECBarStateRecord* pInfo) override;
  void SetBarInfoEx(SECBarStateRecord* pInfo, CFrameWnd* pFrameWnd) override;

  // --- What the buttons use ---
  CWnd* GetBarWnd() override { return this; }
  CWnd* GetBarOwner() override;
  SECBmpMgr* GetBmpMgr() override { return m_pBmpMgr; }
  int GetImageWidth() const override;
  int GetImageHeight() const override;
  BOOL IsCoolLook() const override { return (m_dwExStyle & BAREX_FLAT) != 0; }
  BOOL InCustomizeMode() const override { return m_bCustomize; }
  BOOL IsCustomizeSheetBar() const override { return FALSE; }
  BOOL DrawsTransparent() const override;
  int ButtonIndex(const SECStdBtn* pBtn) const override;
  void SendToButtons(UINT nID, UINT nCode, void* pData) override { SendToButtons(nID, nCode, pData, TRUE); }
  void TrackHotButton(BOOL bUpdateNow) override;
  void RaiseWidestButton(int cx) override;
  void SetCommandInProgress(BOOL bInProgress) override { s_bCommandInProgress = bInProgress; }
  void RecalcFrameLayout() override;

  int GetHotIndex() const { return m_nHot; }
  int GetActiveIndex() const { return m_nActive; }
  // A bar the user made (its id in the user range); bars that are no frame bar answer FALSE.
  virtual BOOL IsUserBar() const;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  int m_nSepWidth = 8;

 protected:
  CSize CalcLayout(int nLength, DWORD dwMode);
  void SetLayoutNeeded();
  // Deletes the button at `nIndex` with nothing else; the selected and hot indices follow.
  void RemoveAt(int nIndex);
  void InsertAt(int nIndex, SECStdBtn* pBtn);
  SECBtnDrawData& DrawData();
  // Tells the manager's listeners about this bar.
  virtual void Tell(UINT nCode);

  void OnButtonDown(UINT nFlags, CPoint point, BOOL bDouble);
  void OnButtonMove(CPoint point);
  void OnButtonUp(CPoint point);
  void CancelPress();
  void SetPrompt(UINT nID);
  void AddButtons(int nCount, const TBBUTTON* pButtons);

  SECToolBarManager* m_pManager = nullptr;
  SECBmpMgr* m_pBmpMgr = nullptr;
  int m_nActive = -1;
  int m_nHot = -1;
  int m_nTracked = -1;
  int m_nSelected = -1;
  BOOL m_bCustomize = FALSE;
  std::unique_ptr<SECBtnDrawData> m_pOwnDrawData;
  BOOL m_bCollapsed = FALSE;
  BOOL m_bNeedFloatLayout = TRUE;
  BOOL m_bNeedHorzLayout = TRUE;
  BOOL m_bNeedVertLayout = TRUE;
  CSize m_szHorz;
  CSize m_szVert;
  CSize m_szFloating;
  int m_nWidestButton = 0;
  BOOL m_bDelayHidePending = FALSE;
  BOOL m_bTrackingLeave = FALSE;
  std::vector<SECStdBtn*> m_btns;  // owned
  std::vector<toolbar_layout::Row> m_rows;

  static BOOL s_bCommandInProgress;
  static BOOL s_bAltDrag;
  friend BOOL DragToolBarButton(SECToolBarManager*, SECStdBtn*, int, CPoint, SECCustomToolBar*, CWnd*, BOOL);
};

// The update object a toolbar hands to command-UI handlers for one button.
class SECToolBarCmdUI : public CCmdUI {
 public:
  void Enable(BOOL bOn = TRUE) override;
  void SetCheck(int nCheck = 1) override;
  void SetRadio(BOOL bOn = TRUE) override { SetCheck(bOn ? 1 : 0); }
  void SetText(LPCTSTR) override {}
  SECCustomToolBar* m_pBar = nullptr;
};

// Drags the button at `nIndex` of `pSource` (null: a button from outside every bar, which is only
// ever copied) from `point` in `pTrackWnd`'s client coordinates, and drops it where it lands.
// FALSE only when the drop failed or a removal emptied the source bar.
BOOL DragToolBarButton(SECToolBarManager* pManager, SECStdBtn* pBtn, int nIndex, CPoint point,
                       SECCustomToolBar* pSource, CWnd* pTrackWnd, BOOL bCopy);
// A new user toolbar holding the command, floated with its top-left client corner at `point`.
SECCustomToolBar* FloatButtonAsNewBar(CPoint point, UINT nID, SECToolBarManager* pManager, BOOL bNoSelect);
