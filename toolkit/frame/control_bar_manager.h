// The hook through which a frame and its saved dock layout reach a control-bar manager (the
// toolbar manager derives from it): the frame it belongs to, state loading and saving, and the
// type ids and records with which saved bars are made again. Every hook of the base does nothing.
#pragma once

#include "platform/base/object.h"
#include "platform/base/win_types.h"

class CFrameWnd;
class CControlBar;
class CControlBarInfo;
class SECControlBarInfoEx;
class SECPersistentTreeNode;

class SECControlBarManager : public CObject {
  DECLARE_DYNAMIC(SECControlBarManager)

 public:
  explicit SECControlBarManager(CFrameWnd* pFrameWnd = nullptr) : m_pFrameWnd(pFrameWnd) {}
  ~SECControlBarManager() override = default;

  virtual BOOL LoadState(SECPersistentTreeNode* pNode) { return pNode != nullptr; }
  virtual void LoadState(LPCTSTR) {}
  virtual BOOL SaveState(SECPersistentTreeNode* pNode) { return pNode != nullptr; }
  virtual void SaveState(LPCTSTR) {}
  virtual DWORD GetBarTypeID(CControlBar*) { return 0; }
  // The extension a saved record of the bar type holds (a new object the record owns), or null.
  virtual SECControlBarInfoEx* CreateBarInfoEx(CControlBarInfo*) { return nullptr; }
  virtual CControlBar* CreateBarByType(CControlBarInfo*) { return nullptr; }
  // Whether the bars are being customized: the frame then keeps still (no moving, no menu key).
  virtual BOOL IsConfigMode() const { return FALSE; }

  CFrameWnd* GetFrame() const { return m_pFrameWnd; }

 protected:
  CFrameWnd* m_pFrameWnd;
};
