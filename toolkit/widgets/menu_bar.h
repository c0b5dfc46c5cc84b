// The menu bar: a frame's menu shown as a dockable toolbar (SECMenuBar; SECMDIMenuBar for MDI
// frames, which also carries a maximised child's system-menu icon and caption buttons), driven by a
// frame plug-in (SECMenuBarFeature) that draws the menus with toolbar images as the bitmap menus
// do. Pop-ups open under the bar's buttons one at a time; while one is open a message-filter hook
// lets Left and Right move to the neighbouring menu and the mouse slide across the bar; Alt with a
// letter opens the menu it marks and Alt+Space the system menu.
//
// The program itself keeps the ordinary window menu; the toolkit's frames install a menu bar with
// SECMenuBar::CreateMenuBar.
#pragma once

#include <map>
#include <memory>

#include "toolkit/widgets/bmp_menu_plugin.h"
#include "toolkit/widgets/custom_toolbar.h"

class SECMenuBar;
class SECToolBarManager;

// "WM_SEC_MENUPROD", posted to the host frame to open a menu of the bar after the current message.
UINT SECMenuProdMessage();
// "WM_SECGETMENU", sent to the host frame with (menu id, item index) for the pop-up to show.
UINT SECGetMenuMessage();

// The control id of the menu bar; it is no user toolbar.
constexpr UINT SEC_IDW_MENUBAR = 0xE8FF;
// The menu id that stands for the main window's own menu.
constexpr UINT SEC_IDR_MAINMENU = 20514;

// A request to open a pop-up (the drop-down notification's data).
struct SECMenuBarRequest {
  UINT nCode = 0;          // SEC_TBN_MENU_DROPDOWN or SEC_TBN_MENU_CLOSE
  UINT nMenuID = 0;        // 0 with item -1: the system menu
  int nItem = -1;
  HWND hBar = nullptr;
};

// One top-level menu item on the bar.
class SECMenuBarButton : public SECStdBtn {
  DECLARE_DYNAMIC(SECMenuBarButton)

 public:
  SECMenuBarButton();
  static const SECButtonClass buttonClassSECMenuBarButton;
  const SECButtonClass* GetButtonClass() const override { return &buttonClassSECMenuBarButton; }

  // Stores the item and recomputes the mnemonic and the size.
  void SetInfo(UINT nMenuID, int nItem, const CString& strText);
  void RecalcSize() override;
  BOOL CanDrag() const override { return FALSE; }
  BOOL OnPress(int x, int y) override;
  void Draw(CDC& dc, SECBtnDrawData& data) override;

  CString m_strText;
  UINT m_nMenuID = 0;
  int m_nItem = -1;
  char m_cMnemonic = 0;
};

// A maximised MDI child's icon: a click drops the child's system menu.
class SECMenuBarSysButton : public SECStdBtn {
  DECLARE_DYNAMIC(SECMenuBarSysButton)

 public:
  SECMenuBarSysButton();
  static const SECButtonClass buttonClassSECMenuBarSysButton;
  const SECButtonClass* GetButtonClass() const override { return &buttonClassSECMenuBarSysButton; }
  void RecalcSize() override {}
  BOOL CanDrag() const override { return FALSE; }
  BOOL OnPress(int x, int y) override;
  void Draw(CDC& dc, SECBtnDrawData& data) override;
};

// A maximised MDI child's minimise, restore and close boxes as one button.
class SECMenuBarCaptionButton : public SECStdBtn {
  DECLARE_DYNAMIC(SECMenuBarCaptionButton)

 public:
  SECMenuBarCaptionButton();
  static const SECButtonClass buttonClassSECMenuBarCaptionButton;
  const SECButtonClass* GetButtonClass() const override { return &buttonClassSECMenuBarCaptionButton; }
  void RecalcSize() override;
  BOOL CanDrag() const override { return FALSE; }
  // The part under a bar point: 0 minimise, 1 restore, 2 close; -1 none.
  int HitPart(int x, int y) const;
  // The rectangle of part `nPart`.
  CRect PartRect(int nPart) const;
  BOOL OnPress(int x, int y) override;
  void OnPressMove(int x, int y) override;
  UINT OnPressUp(int x, int y) override;
  void OnPressCancel() override;
  void Draw(CDC& dc, SECBtnDrawData& data) override;

  int m_nPart = -1;

 protected:
  CWnd* Child() const;
};

// What opens and tracks the bar's pop-ups for a host frame.
class SECMenuBarTracker {
 public:
  virtual ~SECMenuBarTracker();
  // Posts WM_SEC_MENUPROD: the menu to the left (0) or right (1) opens unless a selection moved.
  virtual void ProdMenu(int nDirection);
  virtual void CancelMenu();
  virtual void SwitchMenu(UINT nMenuID);
  // A mouse message on the system-menu box while the system menu is open; TRUE when taken.
  virtual BOOL HitSysMenuArea(const MSG* pMsg);
  virtual CWnd* GetHostWnd() = 0;
  virtual void TrackBarPopup(SECMenuBar* pBar, HMENU hMenu, const SECMenuBarRequest& request);
  virtual void TrackSysMenu(SECMenuBar* pBar, HMENU hMenu, const SECMenuBarRequest& request);
  virtual void SetMenuHook(BOOL bOn);
  virtual BOOL PreTranslateMenuKey(MSG* pMsg);
  virtual BOOL OnMenuSelect();
  virtual BOOL OnMenuProd();
  virtual BOOL OnBarNotify(const SECMenuBarRequest& request);
  virtual BOOL OnInitPopup();
  virtual BOOL OnSysCommand(UINT nID);
  virtual BOOL OnNcActivate() { return FALSE; }

  SECMenuBar* m_pBar = nullptr;
  BOOL m_bKeyboardOpened = FALSE;
  BOOL m_bSelectionSeen = FALSE;
  int m_nProdArg = 0;

  // Whether a bar pop-up is open now (one in the process at a time).
  static BOOL IsTracking();
  // The rectangle of a window's system-menu box, screen coordinates.
  static CRect SysMenuBox(CWnd* pWnd);

 private:
  // The window whose system menu the bar drops: a maximised MDI child, else the host.
  CWnd* SysMenuOwner();
};

// The bitmap-menu plug-in that also drives a menu bar.
class SECMenuBarFeature : public SECBmpMenuPlugIn {
  DECLARE_DYNCREATE(SECMenuBarFeature)

 public:
  SECMenuBarFeature();
  ~SECMenuBarFeature() override;

  void SetMenuBar(SECMenuBar* pBar) { m_tracker.m_pBar = pBar; }
  SECMenuBar* GetMenuBar() const { return m_tracker.m_pBar; }
  SECMenuBarTracker& GetTracker() { return m_tracker; }
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

 protected:
  afx_msg LRESULT OnMenuSelectMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnMenuProdMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnInitMenuPopupBar(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSysCommandMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnNcActivateMsg(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  class Tracker : public SECMenuBarTracker {
   public:
    explicit Tracker(SECMenuBarFeature* pFeature) : m_pFeature(pFeature) {}
    CWnd* GetHostWnd() override { return m_pFeature; }

   private:
    SECMenuBarFeature* m_pFeature;
  };
  Tracker m_tracker{this};
};

class SECMenuBar : public SECCustomToolBar {
  DECLARE_DYNAMIC(SECMenuBar)

 public:
  SECMenuBar();
  ~SECMenuBar() override;

  // Makes the bar (id 0xE8FF, titled "Pasek menu") docked at the top of `pFrame`, which then
  // shows its menus on it instead of its window menu.
  virtual BOOL CreateMenuBar(CFrameWnd* pFrame, SECToolBarManager* pManager = nullptr);
  // The menu shown for `nMenuID` (the frame keeps the menu).
  void SetMenu(UINT nMenuID, HMENU hMenu) { m_menus[nMenuID] = hMenu; }
  // Shows the menu of `nMenuID` (20514: the main window's own menu); FALSE for an id the bar has
  // no menu for.
  virtual BOOL SwitchMenu(UINT nMenuID);
  UINT GetCurrentMenuID() const { return m_nCurrentMenu; }
  // The bar shows the main window's menu again.
  virtual void ResetMenus();
  // Presses the button for a direction (0 left, 1 right) from the tracked one, or drops the system
  // menu when the bar has no menu button.
  virtual void OpenMenu(int nArg);
  virtual void DropSysMenu();
  // The button whose mnemonic is `ch` (lower case), -1 for none.
  virtual int FindMnemonic(char ch) const;
  // The hot-tracking handler while a pop-up of the bar is open (screen-coordinate mouse message).
  virtual BOOL OnTrackingMouse(MSG* pMsg) { return FilterTrackingMessage(pMsg); }
  // Releases the pressed button.
  virtual void ReleaseButton() { EndTracking(); }
  // The window whose system menu the bar drops.
  virtual CWnd* GetSysMenuWnd();
  CFont* GetFont() const override;
  CFrameWnd* GetHostFrame() const { return m_pFrame; }
  int GetLargestExtent() const { return m_nLargest; }
  void RaiseWidestButton(int cx) override;
  BOOL IsUserBar() const override { return FALSE; }
  // The saved layout keeps the bar's place only: its buttons come from the menus.
  void GetBarInfoEx(SECBarStateRecord* pInfo) override;
  void SetBarInfoEx(SECBarStateRecord* pInfo, CFrameWnd* pFrameWnd) override;

 protected:
  // Fills the bar with one button per top-level item of `hMenu`.
  virtual void LoadMenuButtons(HMENU hMenu, UINT nMenuID);
  void MakeMenuFont();
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  std::map<UINT, HMENU> m_menus;
  mutable CFont m_menuFont;
  UINT m_nCurrentMenu = 0;
  int m_nLargest = 0;
  CFrameWnd* m_pFrame = nullptr;
};

class SECMDIMenuBar : public SECMenuBar {
  DECLARE_DYNCREATE(SECMDIMenuBar)

 public:
  CWnd* GetSysMenuWnd() override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  // The active MDI child when it is maximised, else null.
  CWnd* MaximisedChild() const;

 protected:
  void LoadMenuButtons(HMENU hMenu, UINT nMenuID) override;
  HWND m_hShownChild = nullptr;
};
