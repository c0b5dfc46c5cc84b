// The toolbar manager of one main frame: what all the frame's customizable toolbars share (the
// definitions the default bars are made from, one bitmap manager, one drawing context, the button
// map, the user's settings for tool tips, cool look and large buttons), the configure mode of the
// customize sheet with its selection and listeners, and the toolbars made again by type when a
// saved dock layout is restored. The frame owns the bars; the manager finds them in the frame's
// control-bar list.
#pragma once

#include <memory>
#include <vector>

#include "platform/base/cstring.h"
#include "toolkit/frame/control_bar_manager.h"
#include "toolkit/widgets/custom_toolbar.h"

class CWnd;

// Type ids of the saved toolbar records.
constexpr DWORD SEC_BARTYPE_TOOLBAR = 14946;
constexpr DWORD SEC_BARTYPE_MENUBAR = 14947;
// Title of a user toolbar ("ToolBar%d") and of the menu bar.
constexpr UINT SEC_IDS_USER_TOOLBAR = 20674;
constexpr UINT SEC_IDS_MENU_BAR = 20619;

// The registered message listeners receive: wParam the bar's id, lParam a SECBarNotifyCode.
UINT SECBarNotifyMessage();

// One toolbar the frame starts with.
struct SECToolBarDefinition {
  UINT nBarID = 0;
  CString strTitle;
  int nCount = 0;
  const UINT* pIDs = nullptr;  // the caller's; 0 a separator
  DWORD dwDocking = CBRS_ALIGN_ANY;
  UINT nDockBarID = 0;
  UINT nBesideID = 0;
  BOOL bDocked = TRUE;
  BOOL bVisible = TRUE;
};

// The screen rectangle of the toolbar button whose command is being sent.
struct SECCommandButtonRect {
  CRect rect;
  BOOL bValid = FALSE;
};

class SECToolBarManager : public SECControlBarManager {
  DECLARE_DYNAMIC(SECToolBarManager)

 public:
  explicit SECToolBarManager(CFrameWnd* pFrameWnd = nullptr, CWnd* pOwner = nullptr);
  ~SECToolBarManager() override;

  // --- Definitions, images, button maps ---
  void DefineToolBar(UINT nBarID, LPCTSTR lpszTitle, int nCount, const UINT* pIDs, DWORD dwDocking = CBRS_ALIGN_ANY,
                     UINT nDockBarID = AFX_IDW_DOCKBAR_TOP, UINT nBesideID = 0, BOOL bDocked = TRUE,
                     BOOL bVisible = TRUE);
  BOOL FindDefinition(UINT nBarID, int& nCount, const UINT*& pIDs) const;
  const std::vector<std::unique_ptr<SECToolBarDefinition>>& Definitions() const { return m_defs; }
  void SetButtonMap(const SECButtonMapEntry* pMap) { m_pButtonMap = pMap; }
  const SECButtonMapEntry* GetButtonMap() const { return m_pButtonMap; }
  BOOL LoadToolBarBitmaps(UINT nSmallID, UINT nLargeID);
  SECBmpMgr* GetBmpMgr() const { return m_pBmpMgr; }
  SECBtnDrawData& GetDrawData() { return *m_pDrawData; }
  // The class toolbars are made of (a kind of SECCustomToolBar).
  void SetToolBarClass(const CRuntimeClass* pClass) { m_pToolBarClass = pClass; }

  // --- Settings ---
  void SetToolTips(BOOL bOn);
  void EnableCoolLook(BOOL bOn = TRUE, DWORD dwExStyle = BAREX_FLAT | BAREX_GRIPPER);
  void SetLargeButtons(BOOL bOn);
  BOOL IsToolTips() const { return m_bToolTips; }
  BOOL IsFlyBy() const { return m_bFlyBy; }
  BOOL IsCoolLook() const { return m_bCoolLook; }
  BOOL IsLargeButtons() const { return m_bLargeButtons; }
  virtual void ApplyLargeButtons();

  // --- The bars ---
  // Every customizable toolbar of the frame.
  std::vector<SECCustomToolBar*> GetBars() const;
  virtual SECCustomToolBar* FindBarAt(const CRect& rectScreen);
  virtual SECCustomToolBar* FindBarByID(UINT nID);
  virtual void CreateDefaultBars();
  // Gives the frame's bars the manager and its images; makes the default bars when there are none.
  virtual void AttachBars();
  // A new empty user toolbar (id from 0xE820, titled `lpszTitle` or "ToolBar<n>"), neither docked
  // nor shown; null when no id is free.
  SECCustomToolBar* CreateUserBar(LPCTSTR lpszTitle = nullptr);
  void BroadcastToBars(UINT nID, UINT nCode, void* pData);
  BOOL GetCommandButtonRect(CRect& rect) const;
  // The toolbars dialog, modal: its end code (1 closed, 2 cancelled, 43099 the customize sheet asked
  // for).
  INT_PTR RunToolBarsDialog();
  SECCommandButtonRect& CommandButtonRect() { return *m_pCmdRect; }

  // --- Configure mode ---
  void EnterConfigMode();
  void LeaveConfigMode();
  BOOL IsConfigMode() const override { return m_bConfigMode; }
  void SetConfigWindow(CWnd* pWnd) { m_pConfigWnd = pWnd; }
  CRect GetConfigWindowRect() const;
  void SetBarsCustomizeMode(BOOL bOn);
  BOOL GetBarsCustomizeMode() const { return m_bBarsCustomize; }
  // The bar holding the customize selection.
  SECCustomToolBar* GetSelectionBar() const { return m_pSelectionBar; }
  void SetSelectionBar(SECCustomToolBar* pBar) { m_pSelectionBar = pBar; }
  // Clears the selection wherever it is.
  void Deselect(BOOL bRepaint = TRUE);

  // --- Listeners ---
  void AddListener(CWnd* pWnd);
  void RemoveListener(CWnd* pWnd);
  void OnBarNotify(UINT nBarID, UINT nCode);

  // --- Saved settings and bars ---
  BOOL LoadState(SECPersistentTreeNode* pNode) override;
  void LoadState(LPCTSTR lpszPrefix) override;
  BOOL SaveState(SECPersistentTreeNode* pNode) override;
  void SaveState(LPCTSTR lpszPrefix) override;
  // The frame's bar layout and the settings under the prefix; bars come back first.
  void LoadStateFromProfile(LPCTSTR lpszPrefix);
  void SaveStateToProfile(LPCTSTR lpszPrefix);
  DWORD GetBarTypeID(CControlBar* pBar) override;
  SECControlBarInfoEx* CreateBarInfoEx(CControlBarInfo* pInfo) override;
  CControlBar* CreateBarByType(CControlBarInfo* pInfo) override;

 protected:
  // A toolbar window of the manager's kind with its images and settings; null when it cannot be
  // made.
  SECCustomToolBar* CreateToolBar(UINT nID, LPCTSTR lpszTitle);
  void ApplySettings(BOOL bToolTips, BOOL bCoolLook, BOOL bLarge);

  std::vector<HWND> m_disabled;
  std::vector<std::unique_ptr<SECToolBarDefinition>> m_defs;
  std::vector<HWND> m_listeners;
  CWnd* m_pConfigWnd = nullptr;
  BOOL m_bConfigMode = FALSE;
  BOOL m_bBarsCustomize = FALSE;
  BOOL m_bToolTips = TRUE;
  BOOL m_bFlyBy = TRUE;
  BOOL m_bCoolLook = FALSE;
  BOOL m_bLargeButtons = FALSE;
  const SECButtonMapEntry* m_pButtonMap = nullptr;
  SECCustomToolBar* m_pSelectionBar = nullptr;
  std::shared_ptr<SECCommandButtonRect> m_pCmdRect;
  SECBmpMgr* m_pBmpMgr = nullptr;
  std::unique_ptr<SECBtnDrawData> m_pDrawData;
  CWnd* m_pOwner = nullptr;
  const CRuntimeClass* m_pToolBarClass = nullptr;
};
