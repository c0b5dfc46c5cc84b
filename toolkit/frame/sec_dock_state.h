// The toolkit's docking layout: the framework's per-bar records (dock_state.h) with the toolkit's
// own values on top (sizes for each docking state, row share, styles, floating inside the main
// window and its placement, the class and window name a missing bar is made again from), kept
// in the profile sections "<name>-Summary" and "<name>-Bar<i>" and in the archive form.
//
// Loading is careful with a profile the user may have edited: a missing bar section or one with
// bar id 0 is skipped, as is a second record of one docked bar; a bar the frame lacks is made
// again only from a registered class derived from SECControlBar; ids of bars that do not exist
// stay in a dock bar's list as placeholders; floating frames are kept on the screen, and one left
// without a bar goes.
#pragma once

#include <vector>

#include "platform/base/collections.h"
#include "platform/framework/dock_state.h"
#include "platform/win/window_api.h"

class CFrameWnd;
class CControlBar;
class SECControlBarManager;
class SECPersistentTreeNode;

// The base of a bar type's own saved values; it has none itself.
class SECControlBarInfoEx : public CObject {
  DECLARE_DYNCREATE(SECControlBarInfoEx)

 public:
  virtual void Serialize(CArchive&, CDockState*) {}
  virtual BOOL LoadFromTree(SECPersistentTreeNode* pNode) { return pNode != nullptr; }
  virtual BOOL LoadFromProfile(LPCTSTR, int) { return FALSE; }
  virtual BOOL SaveToTree(SECPersistentTreeNode*, SECPersistentTreeNode* pNode) { return pNode != nullptr; }
  virtual BOOL SaveToProfile(LPCTSTR) { return FALSE; }
};

class SECBarStateRecord : public CControlBarInfo {
 public:
  static constexpr size_t kPlacementSize = 44;

  SECBarStateRecord() = default;
  ~SECBarStateRecord() override;

  // The tree form: the record's node holds the framework's values (only those that differ from
  // their defaults), the toolkit's and the extension's. FALSE for no node, and for an empty dock
  // bar of the frame, which is not stored.
  virtual BOOL LoadFromTree(SECPersistentTreeNode* pNode, CDockState* pDockState);
  BOOL LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState) override;
  virtual BOOL SaveToTree(SECPersistentTreeNode* pOwner, SECPersistentTreeNode* pNode);
  BOOL SaveState(LPCTSTR lpszProfileName, int nIndex) override;
  virtual void LoadBaseFromTree(SECPersistentTreeNode* pNode, CDockState* pDockState);
  virtual void LoadExtraFromTree(SECPersistentTreeNode* pNode);
  virtual void SaveBaseToTree(SECPersistentTreeNode* pNode);
  virtual void SaveExtraToTree(SECPersistentTreeNode* pOwner, SECPersistentTreeNode* pNode);
  void Serialize(CArchive& ar, CDockState* pDockState) override;

  CSize m_szHorzDock{0, 0};
  CSize m_szVertDock{0, 0};
  CSize m_szFloat{0, 0};
  DWORD m_dwMRUDockingState = 0;
  DWORD m_dwDockStyle = 0;
  float m_fPctWidth = 0.0f;
  DWORD m_dwStyle = 0;
  DWORD m_dwExStyle = 0;
  BOOL m_bPrevFloating = FALSE;
  BOOL m_bMDIChild = FALSE;
  WINDOWPLACEMENT m_wpMDIChild{};
  CString m_strClassName;
  CString m_strWindowName;
  UINT m_nResourceID = 0;
  SECControlBarInfoEx* m_pBarInfoEx = nullptr;  // owned
  DWORD m_dwTypeID = 0;
  SECControlBarManager* m_pManager = nullptr;  // not saved
};

class SECDockState : public CDockState {
  DECLARE_SERIAL(SECDockState)

 public:
  explicit SECDockState(SECControlBarManager* pManager = nullptr) : m_pManager(pManager) {}

  // Reads the profile form: missing sections and sections with bar id 0 are skipped.
  void LoadState(LPCTSTR lpszProfileName) override;
  // The tree form: a child "DockState" of `pParent` (made by `pOwner`) with a child "Bar-<i>"
  // per stored record; FALSE when the node cannot be made (one is there already).
  virtual BOOL SaveStateToTree(SECPersistentTreeNode* pOwner, SECPersistentTreeNode* pParent);
  // Reads the "DockState" child of `pRoot` like the profile form; FALSE when there is none.
  virtual BOOL LoadStateFromTree(SECPersistentTreeNode* pRoot);
  std::unique_ptr<CControlBarInfo> NewBarInfo() override;

  // Fills the records from the frame's toolkit bars and dock bars; FALSE for no frame.
  virtual BOOL CaptureFrame(CFrameWnd* pFrame);
  // Gives the frame the layout, making missing bars and floating frames; FALSE for no frame.
  virtual BOOL ApplyToFrame(CFrameWnd* pFrame);
  virtual void ResolveBars(CFrameWnd* pFrame);
  virtual void RestoreFloatingFrames(CFrameWnd* pFrame);
  virtual void RestoreMDIPlacements(CFrameWnd* pFrame);
  // A bar of the saved class made again for the record; null when the class is not a
  // registered, creatable toolkit control bar or its window cannot be made.
  virtual CControlBar* CreateMissingBar(const CString& strClass, CFrameWnd* pFrame, SECBarStateRecord* pRecord);
  virtual const CRuntimeClass* FindBarClass(const CString& strClass);
  void ClearBarRecords() { Clear(); }
  // Clears stray placeholders and repeated ids from the lists; each non-empty list ends in one 0.
  void CleanUpBarIds();

  SECControlBarManager* m_pManager = nullptr;
  // Where bars made again from their class are kept (the frame's list); null: nowhere.
  std::vector<CControlBar*>* m_pCreatedBars = nullptr;

 private:
  std::vector<CFrameWnd*> m_floating;  // the floating frames ApplyToFrame made
};
