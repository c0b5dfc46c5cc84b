#include "toolkit/frame/sec_dock_state.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>

#include "platform/base/profile.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/dock_bar.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/mini_dock_frame.h"
#include "platform/res/resource_store.h"
#include "platform/win/system_metrics.h"
#include "toolkit/frame/control_bar_manager.h"
#include "toolkit/frame/sec_control_bar.h"
#include "toolkit/frame/persistent_tree.h"
#include "toolkit/frame/sec_dialog_bar.h"
#include "toolkit/frame/sec_dock_bar.h"
#include "toolkit/frame/sec_mdi_frame.h"

IMPLEMENT_DYNCREATE(SECControlBarInfoEx, CObject)
IMPLEMENT_SERIAL(SECDockState, CDockState, 0)

static_assert(sizeof(WINDOWPLACEMENT) == SECBarStateRecord::kPlacementSize);

namespace {

CString bar_section(LPCTSTR name, int index) {
  CString section;
  section.Format("%s-Bar%d", name, index);
  return section;
}

// The row share as millionths, the way it is stored.
CString pct_text(float pct) {
  CString text;
  text.Format("%d", int(double(pct) * 1000000.0));
  return text;
}

float pct_value(const CString& text) {
  long value = std::strtol(static_cast<LPCTSTR>(text), nullptr, 10);
  if (value <= 0) return 0.0f;
  return float(double(std::min<long>(value, 1000000000L)) * 0.000001);
}

void write_size(CArchive& ar, CSize size) { ar << int32_t(size.cx) << int32_t(size.cy); }
CSize read_size(CArchive& ar) {
  int32_t cx = 0, cy = 0;
  ar >> cx >> cy;
  return CSize(std::max(0, int(cx)), std::max(0, int(cy)));
}

}  // namespace

// --- One bar ----------------------------------------------------------------------------------------

SECBarStateRecord::~SECBarStateRecord() { delete m_pBarInfoEx; }

BOOL SECBarStateRecord::SaveState(LPCTSTR lpszProfileName, int nIndex) {
  if (!CControlBarInfo::SaveState(lpszProfileName, nIndex)) return FALSE;
  base::Profile& profile = base::Profile::app();
  CString section = bar_section(lpszProfileName, nIndex);
  auto write = [&](const char* key, int value) { profile.WriteProfileInt(section, key, value); };
  write("Style", int(m_dwStyle));
  write("ExStyle", int(m_dwExStyle));
  write("PrevFloating", m_bPrevFloating ? 1 : 0);
  write("MDIChild", m_bMDIChild ? 1 : 0);
  if (m_bMDIChild) profile.WriteProfileBinary(section, "MDIChildWindowPlacement", &m_wpMDIChild, kPlacementSize);
  profile.WriteProfileString(section, "PctWidth", pct_text(m_fPctWidth));
  write("MRUFloatCX", m_szFloat.cx);
  write("MRUFloatCY", m_szFloat.cy);
  write("MRUHorzDockCX", m_szHorzDock.cx);
  write("MRUHorzDockCY", m_szHorzDock.cy);
  write("MRUVertDockCX", m_szVertDock.cx);
  write("MRUVertDockCY", m_szVertDock.cy);
  write("MRUDockingState", int(m_dwMRUDockingState));
  write("DockingStyle", int(m_dwDockStyle));
  write("TypeID", int(m_dwTypeID));
  profile.WriteProfileString(section, "ClassName", m_strClassName);
  profile.WriteProfileString(section, "WindowName", m_strWindowName);
  write("ResourceID", int(m_nResourceID));
  if (m_pBarInfoEx) m_pBarInfoEx->SaveToProfile(section);
  return TRUE;
}

BOOL SECBarStateRecord::LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState) {
  CControlBarInfo::LoadState(lpszProfileName, nIndex, pDockState);
  const base::Profile& profile = base::Profile::app();
  CString section = bar_section(lpszProfileName, nIndex);
  auto read = [&](const char* key, int fallback) { return profile.GetProfileInt(section, key, fallback); };
  auto size = [&](const char* cx, const char* cy) { return CSize(std::max(0, read(cx, 0)), std::max(0, read(cy, 0))); };
  m_dwStyle = DWORD(read("Style", 0));
  m_dwExStyle = DWORD(read("ExStyle", 0));
  m_bPrevFloating = read("PrevFloating", 0) != 0;
  m_bMDIChild = read("MDIChild", 0) != 0;
  if (m_bMDIChild) {
    // A placement of another length is not one: the frame keeps where it opens.
    std::vector<uint8_t> bytes;
    if (profile.GetProfileBinary(section, "MDIChildWindowPlacement", bytes) && bytes.size() == kPlacementSize) {
      std::memcpy(&m_wpMDIChild, bytes.data(), kPlacementSize);
    } else {
      m_wpMDIChild.length = 0;
    }
  }
  m_fPctWidth = pct_value(profile.GetProfileString(section, "PctWidth"));
  m_szFloat = size("MRUFloatCX", "MRUFloatCY");
  m_szHorzDock = size("MRUHorzDockCX", "MRUHorzDockCY");
  m_szVertDock = size("MRUVertDockCX", "MRUVertDockCY");
  m_dwMRUDockingState = DWORD(read("MRUDockingState", int(m_dwMRUDockingState)));
  m_dwDockStyle = DWORD(read("DockingStyle", int(m_dwDockStyle)));
  m_dwTypeID = DWORD(read("TypeID", 0));
  m_strClassName = profile.GetProfileString(section, "ClassName");
  m_strWindowName = profile.GetProfileString(section, "WindowName");
  m_nResourceID = UINT(read("ResourceID", int(m_nResourceID)));
  delete m_pBarInfoEx;
  m_pBarInfoEx = nullptr;
  if (m_pManager) m_pBarInfoEx = m_pManager->CreateBarInfoEx(this);
  if (m_pBarInfoEx) m_pBarInfoEx->LoadFromProfile(section, nIndex);
  return TRUE;
}

// --- The tree form ----------------------------------------------------------------------------------

BOOL SECBarStateRecord::SaveToTree(SECPersistentTreeNode* pOwner, SECPersistentTreeNode* pNode) {
  if (!pNode || IsEmptyDockBar()) return FALSE;
  SaveBaseToTree(pNode);
  SaveExtraToTree(pOwner, pNode);
  return TRUE;
}

void SECBarStateRecord::SaveBaseToTree(SECPersistentTreeNode* pNode) {
  pNode->SetInt("BarID", int(m_nBarID));
  if (!m_bVisible) pNode->SetInt("Visible", 0);
  if (m_bFloating) {
    pNode->SetInt("Horz", m_bHorz ? 1 : 0);
    pNode->SetInt("Floating", 1);
  }
  if (m_pointPos.x != -1) pNode->SetInt("XPos", m_pointPos.x);
  if (m_pointPos.y != -1) pNode->SetInt("YPos", m_pointPos.y);
  if (m_nMRUWidth != 32767) pNode->SetInt("MRUWidth", m_nMRUWidth);
  if (m_bDocking) {
    pNode->SetInt("Docking", 1);
    pNode->SetInt("MRUDockID", int(m_uMRUDockID));
    pNode->SetInt("MRUDockLeftPos", m_rectMRUDockPos.left);
    pNode->SetInt("MRUDockTopPos", m_rectMRUDockPos.top);
    pNode->SetInt("MRUDockRightPos", m_rectMRUDockPos.right);
    pNode->SetInt("MRUDockBottomPos", m_rectMRUDockPos.bottom);
    pNode->SetInt("MRUFloatStyle", int(m_dwMRUFloatStyle));
    pNode->SetInt("MRUFloatXPos", m_ptMRUFloatPos.x);
    pNode->SetInt("MRUFloatYPos", m_ptMRUFloatPos.y);
  }
  if (m_arrBarID.GetSize() > 1) {
    pNode->SetInt("Bars", int(m_arrBarID.GetSize()));
    for (int i = 0; i < m_arrBarID.GetSize(); ++i) {
      CString key;
      key.Format("Bar#%d", i);
      pNode->SetInt(key, int(m_arrBarID[i]));
    }
  }
}

void SECBarStateRecord::SaveExtraToTree(SECPersistentTreeNode* pOwner, SECPersistentTreeNode* pNode) {
  pNode->SetInt("Style", int(m_dwStyle));
  pNode->SetInt("ExStyle", int(m_dwExStyle));
  pNode->SetBool("PrevFloating", m_bPrevFloating);
  pNode->SetBool("MDIChild", m_bMDIChild);
  if (m_bMDIChild) pNode->SetBinary("MDIChildWindowPlacement", reinterpret_cast<const BYTE*>(&m_wpMDIChild), kPlacementSize);
  pNode->SetString("PctWidth", pct_text(m_fPctWidth));
  pNode->SetInt("MRUFloatCX", m_szFloat.cx);
  pNode->SetInt("MRUFloatCY", m_szFloat.cy);
  pNode->SetInt("MRUHorzDockCX", m_szHorzDock.cx);
  pNode->SetInt("MRUHorzDockCY", m_szHorzDock.cy);
  pNode->SetInt("MRUVertDockCX", m_szVertDock.cx);
  pNode->SetInt("MRUVertDockCY", m_szVertDock.cy);
  pNode->SetInt("MRUDockingState", int(m_dwMRUDockingState));
  pNode->SetInt("DockingStyle", int(m_dwDockStyle));
  pNode->SetInt("TypeID", int(m_dwTypeID));
  pNode->SetString("ClassName", m_strClassName);
  pNode->SetString("WindowName", m_strWindowName);
  pNode->SetInt("ResourceID", int(m_nResourceID));
  if (m_pBarInfoEx) m_pBarInfoEx->SaveToTree(pOwner, pNode);
}

BOOL SECBarStateRecord::LoadFromTree(SECPersistentTreeNode* pNode, CDockState* pDockState) {
  if (!pNode) return FALSE;
  LoadBaseFromTree(pNode, pDockState);
  LoadExtraFromTree(pNode);
  return TRUE;
}

void SECBarStateRecord::LoadBaseFromTree(SECPersistentTreeNode* pNode, CDockState* pDockState) {
  auto read = [&](const char* key, int fallback) {
    int value = fallback;
    pNode->GetInt(CString(key), value, fallback);
    return value;
  };
  m_nBarID = UINT(read("BarID", 0));
  m_bVisible = read("Visible", 1) != 0;
  m_bHorz = read("Horz", 1) != 0;
  m_bFloating = read("Floating", 0) != 0;
  m_pointPos = CPoint(read("XPos", -1), read("YPos", -1));
  m_nMRUWidth = read("MRUWidth", 32767);
  m_bDocking = read("Docking", 0) != 0;
  if (m_bDocking) {
    m_uMRUDockID = UINT(read("MRUDockID", 0));
    m_rectMRUDockPos = CRect(read("MRUDockLeftPos", 0), read("MRUDockTopPos", 0), read("MRUDockRightPos", 0),
                             read("MRUDockBottomPos", 0));
    m_dwMRUFloatStyle = DWORD(read("MRUFloatStyle", 0));
    m_ptMRUFloatPos = CPoint(read("MRUFloatXPos", -1), read("MRUFloatYPos", -1));
  }
  m_arrBarID.RemoveAll();
  const int count = std::clamp(read("Bars", 0), 0, CDockState::kMaxBars);
  for (int i = 0; i < count; ++i) {
    CString key;
    key.Format("Bar#%d", i);
    m_arrBarID.Add(DWORD(read(key, 0)));
  }
  m_bDockBar = m_bFloating || (m_nBarID >= AFX_IDW_DOCKBAR_TOP && m_nBarID <= AFX_IDW_DOCKBAR_FLOAT) || m_arrBarID.GetSize() > 0;
  if (pDockState) {
    if (m_bFloating) pDockState->ScalePoint(m_pointPos);
    if (m_bDocking) {
      pDockState->ScaleRectPos(m_rectMRUDockPos);
      pDockState->ScalePoint(m_ptMRUFloatPos);
    }
  }
}

void SECBarStateRecord::LoadExtraFromTree(SECPersistentTreeNode* pNode) {
  auto read = [&](const char* key, int fallback) {
    int value = fallback;
    pNode->GetInt(CString(key), value, fallback);
    return value;
  };
  auto size = [&](const char* cx, const char* cy) { return CSize(std::max(0, read(cx, 0)), std::max(0, read(cy, 0))); };
  m_dwStyle = DWORD(read("Style", 0));
  m_dwExStyle = DWORD(read("ExStyle", 0));
  BOOL flag = FALSE;
  pNode->GetBool("PrevFloating", flag, FALSE);
  m_bPrevFloating = flag;
  pNode->GetBool("MDIChild", flag, FALSE);
  m_bMDIChild = flag;
  if (m_bMDIChild) {
    // A placement of another length is not one: the frame keeps where it opens.
    std::vector<BYTE> bytes;
    UINT length = 0;
    if (pNode->GetBinary("MDIChildWindowPlacement", &bytes, &length) == 0 && bytes.size() == kPlacementSize) {
      std::memcpy(&m_wpMDIChild, bytes.data(), kPlacementSize);
    } else {
      m_wpMDIChild.length = 0;
    }
  }
  CString pct;
  pNode->GetString("PctWidth", pct);
  m_fPctWidth = pct_value(pct);
  m_szFloat = size("MRUFloatCX", "MRUFloatCY");
  m_szHorzDock = size("MRUHorzDockCX", "MRUHorzDockCY");
  m_szVertDock = size("MRUVertDockCX", "MRUVertDockCY");
  m_dwMRUDockingState = DWORD(read("MRUDockingState", int(m_dwMRUDockingState)));
  m_dwDockStyle = DWORD(read("DockingStyle", int(m_dwDockStyle)));
  m_dwTypeID = DWORD(read("TypeID", 0));
  pNode->GetString("ClassName", m_strClassName);
  pNode->GetString("WindowName", m_strWindowName);
  m_nResourceID = UINT(read("ResourceID", int(m_nResourceID)));
  delete m_pBarInfoEx;
  m_pBarInfoEx = nullptr;
  if (m_pManager) m_pBarInfoEx = dynamic_cast<SECControlBarInfoEx*>(m_pManager->CreateBarInfoEx(this));
  if (m_pBarInfoEx) m_pBarInfoEx->LoadFromTree(pNode);
}

void SECBarStateRecord::Serialize(CArchive& ar, CDockState* pDockState) {
  SerializeHead(ar, pDockState);
  if (ar.IsStoring()) {
    ar << uint32_t(m_dwStyle) << uint32_t(m_dwExStyle) << uint32_t(m_bPrevFloating) << uint32_t(m_bMDIChild);
    ar << pct_text(m_fPctWidth);
    write_size(ar, m_szFloat);
    write_size(ar, m_szHorzDock);
    write_size(ar, m_szVertDock);
    ar << uint32_t(m_dwMRUDockingState) << uint32_t(m_dwDockStyle) << uint32_t(m_dwTypeID);
  } else {
    uint32_t style = 0, ex = 0, prev = 0, mdi = 0, docking = 0, dock_style = 0, type = 0;
    ar >> style >> ex >> prev >> mdi;
    CString pct;
    ar >> pct;
    m_dwStyle = style;
    m_dwExStyle = ex;
    m_bPrevFloating = prev != 0;
    m_bMDIChild = mdi != 0;
    m_fPctWidth = pct_value(pct);
    m_szFloat = read_size(ar);
    m_szHorzDock = read_size(ar);
    m_szVertDock = read_size(ar);
    ar >> docking >> dock_style >> type;
    m_dwMRUDockingState = docking;
    m_dwDockStyle = dock_style;
    m_dwTypeID = type;
    delete m_pBarInfoEx;
    m_pBarInfoEx = nullptr;
    if (m_pManager) m_pBarInfoEx = m_pManager->CreateBarInfoEx(this);
  }
  if (m_pBarInfoEx) m_pBarInfoEx->Serialize(ar, pDockState);
  SerializeBarIds(ar);
}

// --- The whole layout -----------------------------------------------------------------------------

std::unique_ptr<CControlBarInfo> SECDockState::NewBarInfo() {
  auto record = std::make_unique<SECBarStateRecord>();
  record->m_pManager = m_pManager;
  return record;
}

void SECDockState::LoadState(LPCTSTR lpszProfileName) {
  Clear();
  const base::Profile& profile = base::Profile::app();
  CString summary;
  summary.Format("%s-Summary", lpszProfileName);
  int count = std::clamp(profile.GetProfileInt(summary, "Bars", 0), 0, kMaxBars);
  SetScreenSize(CSize(profile.GetProfileInt(summary, "ScreenCX", 0), profile.GetProfileInt(summary, "ScreenCY", 0)));
  for (int i = 0; i < count; ++i) {
    // A section that is missing, or names no bar, holds nothing to restore.
    if (profile.GetProfileInt(bar_section(lpszProfileName, i), "BarID", 0) == 0) continue;
    std::unique_ptr<CControlBarInfo> info = NewBarInfo();
    info->LoadState(lpszProfileName, i, this);
    m_arrBarInfo.Add(info.release());
  }
  m_dwVersion = 2;
}

BOOL SECDockState::SaveStateToTree(SECPersistentTreeNode* pOwner, SECPersistentTreeNode* pParent) {
  if (!pOwner || !pParent) return FALSE;
  SECPersistentTreeNode* dock = pOwner->AddChild("DockState", pParent);
  if (!dock) return FALSE;
  int written = 0;
  for (CControlBarInfo* info : m_arrBarInfo) {
    auto* record = dynamic_cast<SECBarStateRecord*>(info);
    if (!record || record->IsEmptyDockBar()) continue;
    CString name;
    name.Format("Bar-%d", written);
    SECPersistentTreeNode* node = pOwner->AddChild(name, dock);
    if (node && record->SaveToTree(pOwner, node)) ++written;
  }
  dock->SetInt("Bars", written);
  dock->SetInt("ScreenCX", GetSystemMetrics(SM_CXSCREEN));
  dock->SetInt("ScreenCY", GetSystemMetrics(SM_CYSCREEN));
  return TRUE;
}

BOOL SECDockState::LoadStateFromTree(SECPersistentTreeNode* pRoot) {
  Clear();
  SECPersistentTreeNode* dock = pRoot ? pRoot->FindChild("DockState") : nullptr;
  if (!dock) return FALSE;
  int count = 0, cx = 0, cy = 0;
  dock->GetInt("Bars", count, 0);
  dock->GetInt("ScreenCX", cx, 0);
  dock->GetInt("ScreenCY", cy, 0);
  SetScreenSize(CSize(cx, cy));
  count = std::clamp(count, 0, kMaxBars);
  for (int i = 0; i < count; ++i) {
    CString name;
    name.Format("Bar-%d", i);
    SECPersistentTreeNode* node = dock->FindChild(name);
    int id = 0;
    // A missing node, or one that names no bar, holds nothing to restore.
    if (!node || (node->GetInt("BarID", id, 0), id == 0)) continue;
    std::unique_ptr<CControlBarInfo> info = NewBarInfo();
    static_cast<SECBarStateRecord*>(info.get())->LoadFromTree(node, this);
    m_arrBarInfo.Add(info.release());
  }
  m_dwVersion = 2;
  return TRUE;
}

BOOL SECDockState::CaptureFrame(CFrameWnd* pFrame) {
  if (!pFrame) return FALSE;
  Clear();
  if (!m_pManager) {
    if (auto* mdi = dynamic_cast<SECMDIFrameWnd*>(pFrame)) m_pManager = mdi->GetControlBarManager();
  }
  for (CControlBar* bar : pFrame->m_listControlBars) {
    if (!bar->IsKindOf(RUNTIME_CLASS(SECControlBar)) && !bar->IsKindOf(RUNTIME_CLASS(SECDockBar))) continue;
    std::unique_ptr<CControlBarInfo> info = NewBarInfo();
    bar->GetBarInfo(info.get());
    m_arrBarInfo.Add(info.release());
  }
  SetScreenSize(CSize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
  return TRUE;
}

void SECDockState::CleanUpBarIds() {
  for (CControlBarInfo* a : m_arrBarInfo) {
    DWORD placeholder = a->m_nBarID | CControlBarInfo::kPlaceHolderFlag;
    for (CControlBarInfo* b : m_arrBarInfo) {
      if (b == a || b->m_nBarID == a->m_uMRUDockID) continue;
      for (int i = 0; i + 1 < b->m_arrBarID.GetSize(); ++i) {
        if (b->m_arrBarID[i] == placeholder) b->m_arrBarID[i] = 0;
      }
    }
  }
  for (CControlBarInfo* info : m_arrBarInfo) {
    CDWordArray& ids = info->m_arrBarID;
    std::set<DWORD> seen;
    for (int i = 0; i < ids.GetSize(); ++i) {
      if (ids[i] != 0 && !seen.insert(ids[i]).second) ids[i] = 0;
    }
    int end = ids.GetSize();
    while (end > 0 && ids[end - 1] == 0) --end;
    ids.SetSize(end);
    if (end > 0) ids.Add(0);
  }
}

const CRuntimeClass* SECDockState::FindBarClass(const CString& strClass) {
  if (strClass.IsEmpty()) return nullptr;
  const CRuntimeClass* kind = CRuntimeClass::FromName(static_cast<LPCTSTR>(strClass));
  // Only the program's own creatable toolkit bars: a profile names nothing else into being.
  if (!kind || !kind->m_pfnCreateObject || !kind->IsDerivedFrom(RUNTIME_CLASS(SECControlBar))) return nullptr;
  return kind;
}

CControlBar* SECDockState::CreateMissingBar(const CString& strClass, CFrameWnd* pFrame, SECBarStateRecord* pRecord) {
  const CRuntimeClass* kind = FindBarClass(strClass);
  if (!kind || !pFrame || !pRecord) return nullptr;
  std::unique_ptr<CObject> made = kind->CreateObject();
  auto* bar = dynamic_cast<SECControlBar*>(made.get());
  if (!bar) return nullptr;
  DWORD style = (pRecord->m_dwStyle & ~WS_VISIBLE) | WS_CHILD;
  if (auto* dialog = dynamic_cast<SECDialogBar*>(bar)) {
    // Only from a template of the program's own: an edited id names nothing else into being.
    if (!res::find_dialog(pRecord->m_nResourceID)) return nullptr;
    if (!dialog->Create(pFrame, pRecord->m_nResourceID, style, pRecord->m_dwExStyle, pRecord->m_nBarID)) return nullptr;
  } else if (!bar->Create(pFrame, pRecord->m_strWindowName, style, pRecord->m_dwExStyle, pRecord->m_nBarID)) {
    return nullptr;
  }
  // The bar ends with its window from here on.
  made.release();
  bar->m_bAutoDelete = TRUE;
  bar->SetWindowText(pRecord->m_strWindowName);
  bar->EnableDocking(CBRS_ALIGN_ANY);
  if (m_pCreatedBars) m_pCreatedBars->push_back(bar);
  return bar;
}

void SECDockState::ResolveBars(CFrameWnd* pFrame) {
  m_floating.clear();
  auto* mdi = dynamic_cast<SECMDIFrameWnd*>(pFrame);
  std::set<UINT> docked_ids;
  for (int i = 0; i < m_arrBarInfo.GetSize();) {
    auto* record = static_cast<SECBarStateRecord*>(m_arrBarInfo[i]);
    record->m_pBar = nullptr;
    if (record->m_bFloating) {
      DWORD align = record->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT;
      if (record->m_bMDIChild && mdi) {
        auto* host = dynamic_cast<SECMDIChildWnd*>(mdi->CreateMDIFloatFrame(align));
        if (SECDockBar* dock = host ? host->GetFloatBarDock() : nullptr) {
          record->m_pBar = dock;
          m_floating.push_back(host);
        }
      } else if (CMiniDockFrameWnd* floating = pFrame->CreateFloatingFrame(align)) {
        record->m_pBar = floating->GetFloatDockBar();
        m_floating.push_back(floating);
      }
    } else if (record->m_nBarID != 0 && docked_ids.insert(record->m_nBarID).second) {
      record->m_pBar = pFrame->GetControlBar(record->m_nBarID);
      if (!record->m_pBar && m_pManager) record->m_pBar = m_pManager->CreateBarByType(record);
      if (!record->m_pBar) record->m_pBar = CreateMissingBar(record->m_strClassName, pFrame, record);
    }
    if (!record->m_pBar) {
      m_arrBarInfo.RemoveAt(i);
      delete record;
      continue;
    }
    ++i;
  }
  // A dock bar's list may name bars that are not there: those stay places, never bars.
  for (CControlBarInfo* record : m_arrBarInfo) {
    for (int i = 0; i < record->m_arrBarID.GetSize(); ++i) {
      DWORD id = record->m_arrBarID[i];
      if (id == 0 || (id & CControlBarInfo::kPlaceHolderFlag)) continue;
      CControlBar* bar = id <= 0xFFFF ? pFrame->GetControlBar(UINT(id)) : nullptr;
      if (!bar || bar->IsKindOf(RUNTIME_CLASS(CDockBar))) {
        record->m_arrBarID[i] = (id & 0xFFFF) | CControlBarInfo::kPlaceHolderFlag;
      }
    }
  }
}

BOOL SECDockState::ApplyToFrame(CFrameWnd* pFrame) {
  if (!pFrame) return FALSE;
  auto* mdi = dynamic_cast<SECMDIFrameWnd*>(pFrame);
  if (!m_pManager && mdi) m_pManager = mdi->GetControlBarManager();
  ResolveBars(pFrame);
  // The dock bars take their bars first, then every bar its own values.
  for (bool dock_bars : {true, false}) {
    for (CControlBarInfo* info : m_arrBarInfo) {
      CControlBar* bar = info->m_pBar;
      if (bar->IsKindOf(RUNTIME_CLASS(CDockBar)) != dock_bars) continue;
      bar->SetBarInfo(info, pFrame);
    }
  }
  RestoreFloatingFrames(pFrame);
  pFrame->RecalcLayout();
  if (mdi) {
    RestoreMDIPlacements(pFrame);
    pFrame->m_nIdleFlags |= 0xC;
  }
  m_floating.clear();
  return TRUE;
}

namespace {

// Whether a dock bar holds no bar (places of bars that left do not count).
bool holds_no_bar(const CDockBar* dock) {
  return std::none_of(dock->m_arrBars.begin(), dock->m_arrBars.end(),
                      [](void* e) { return e != nullptr && !CDockBar::IsPlaceHolder(e); });
}

}  // namespace

void SECDockState::RestoreFloatingFrames(CFrameWnd* pFrame) {
  for (CControlBar* bar : pFrame->m_listControlBars) {
    if (auto* sec = dynamic_cast<SECControlBar*>(bar)) sec->SetExStyle(sec->m_dwExStyle, FALSE);
  }
  for (CControlBarInfo* info : m_arrBarInfo) {
    if (!info->m_bFloating) continue;
    auto* dock = dynamic_cast<CDockBar*>(info->m_pBar);
    CFrameWnd* floating = dock ? dynamic_cast<CFrameWnd*>(dock->GetParent()) : nullptr;
    if (!floating || holds_no_bar(dock) ||
        std::find(m_floating.begin(), m_floating.end(), floating) == m_floating.end()) {
      continue;
    }
    if (!static_cast<SECBarStateRecord*>(info)->m_bMDIChild) {
      CRect rect(info->m_pointPos, CSize(10, 10));
      floating->CalcWindowRect(&rect);
      floating->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    floating->RecalcLayout();
    if (dock->GetDockedVisibleCount() > 0) floating->ShowWindow(SW_SHOWNA);
  }
  // A floating frame left around no bar, new or from before the load, would be an empty window
  // on the screen.
  for (CControlBarInfo* info : m_arrBarInfo) {
    auto* dock = dynamic_cast<CDockBar*>(info->m_pBar);
    if (dock && info->m_bFloating && holds_no_bar(dock)) info->m_pBar = nullptr;
  }
  std::vector<CFrameWnd*> empty;
  for (CControlBar* bar : pFrame->m_listControlBars) {
    auto* dock = dynamic_cast<CDockBar*>(bar);
    if (!dock || !dock->m_bFloating || !dock->m_hWnd || !holds_no_bar(dock)) continue;
    if (auto* floating = dynamic_cast<CFrameWnd*>(dock->GetParent()); floating && floating != pFrame) {
      empty.push_back(floating);
    }
  }
  for (CFrameWnd* floating : empty) floating->DestroyWindow();
}

void SECDockState::RestoreMDIPlacements(CFrameWnd*) {
  for (CControlBarInfo* info : m_arrBarInfo) {
    auto* record = static_cast<SECBarStateRecord*>(info);
    if (!record->m_bMDIChild || !record->m_bFloating || !record->m_pBar) continue;
    auto* host = dynamic_cast<CFrameWnd*>(record->m_pBar->GetParent());
    if (!host || !host->m_hWnd || record->m_wpMDIChild.length != sizeof(WINDOWPLACEMENT)) continue;
    ::SetWindowPlacement(host->m_hWnd, &record->m_wpMDIChild);
  }
}
