#include "platform/framework/dock_state.h"

#include <algorithm>

#include "platform/base/profile.h"
#include "platform/framework/command_ids.h"
#include "platform/win/system_metrics.h"

IMPLEMENT_SERIAL(CDockState, CObject, 0)

namespace {

CString summary_section(LPCTSTR name) {
  CString section;
  section.Format("%s-Summary", name);
  return section;
}

CString bar_section(LPCTSTR name, int index) {
  CString section;
  section.Format("%s-Bar%d", name, index);
  return section;
}

CString bar_id_key(int index) {
  CString key;
  key.Format("Bar#%d", index);
  return key;
}

void write_point(CArchive& ar, const POINT& p) { ar << int32_t(p.x) << int32_t(p.y); }
void read_point(CArchive& ar, POINT& p) {
  int32_t x = 0, y = 0;
  ar >> x >> y;
  p = POINT{x, y};
}

DWORD read_dword(CArchive& ar) {
  uint32_t v = 0;
  ar >> v;
  return v;
}

// The room the current screens take, and a point's room in it: a floating frame placed there
// keeps at least a small caption's height and a small icon's width on the screen.
CRect current_screens() {
  return CRect(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
               GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
               GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

// Records do not store whether they are a dock bar: a floating record (only floating frames'
// dock bars are stored floating), one of the frame's dock-bar ids, or a list of bars says so.
void mark_dock_bar(CControlBarInfo& info) {
  info.m_bDockBar = info.m_bFloating || (info.m_nBarID >= AFX_IDW_DOCKBAR_TOP && info.m_nBarID <= AFX_IDW_DOCKBAR_FLOAT) ||
                    info.m_arrBarID.GetSize() > 0;
}

// v * to / from, rounded to nearest, in 64 bits.
int scale(int v, int to, int from) {
  long long n = (long long)v * to;
  return int(n >= 0 ? (n + from / 2) / from : -((-n + from / 2) / from));
}

}  // namespace

// --- One bar ------------------------------------------------------------------------------------------

bool CControlBarInfo::IsEmptyDockBar() const {
  return m_bDockBar && m_bVisible && !m_bFloating && m_pointPos.x == -1 && m_pointPos.y == -1 &&
         m_arrBarID.GetSize() <= 1;
}

BOOL CControlBarInfo::SaveState(LPCTSTR lpszProfileName, int nIndex) {
  if (IsEmptyDockBar()) return FALSE;
  base::Profile& profile = base::Profile::app();
  CString section = bar_section(lpszProfileName, nIndex);
  profile.WriteProfileString(section, nullptr, nullptr);
  auto write = [&](const char* key, int value) { profile.WriteProfileInt(section, key, value); };
  write("BarID", int(m_nBarID));
  if (!m_bVisible) write("Visible", 0);
  if (m_bFloating) {
    write("Horz", m_bHorz ? 1 : 0);
    write("Floating", 1);
  }
  if (m_pointPos.x != -1) write("XPos", m_pointPos.x);
  if (m_pointPos.y != -1) write("YPos", m_pointPos.y);
  if (m_nMRUWidth != 32767) write("MRUWidth", m_nMRUWidth);
  if (m_bDocking) {
    write("Docking", 1);
    write("MRUDockID", int(m_uMRUDockID));
    write("MRUDockLeftPos", m_rectMRUDockPos.left);
    write("MRUDockTopPos", m_rectMRUDockPos.top);
    write("MRUDockRightPos", m_rectMRUDockPos.right);
    write("MRUDockBottomPos", m_rectMRUDockPos.bottom);
    write("MRUFloatStyle", int(m_dwMRUFloatStyle));
    write("MRUFloatXPos", m_ptMRUFloatPos.x);
    write("MRUFloatYPos", m_ptMRUFloatPos.y);
  }
  if (m_arrBarID.GetSize() > 1) {
    write("Bars", m_arrBarID.GetSize());
    for (int i = 0; i < m_arrBarID.GetSize(); ++i) write(bar_id_key(i), int(m_arrBarID[i]));
  }
  return TRUE;
}

BOOL CControlBarInfo::LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState) {
  const base::Profile& profile = base::Profile::app();
  CString section = bar_section(lpszProfileName, nIndex);
  auto read = [&](const char* key, int fallback) { return profile.GetProfileInt(section, key, fallback); };
  m_nBarID = UINT(read("BarID", 0));
  m_bVisible = read("Visible", TRUE) != 0;
  m_bHorz = read("Horz", TRUE) != 0;
  m_bFloating = read("Floating", FALSE) != 0;
  m_pointPos = CPoint(read("XPos", -1), read("YPos", -1));
  m_nMRUWidth = read("MRUWidth", 32767);
  m_bDocking = read("Docking", FALSE) != 0;
  if (m_bDocking) {
    m_uMRUDockID = UINT(read("MRUDockID", 0));
    m_rectMRUDockPos = CRect(read("MRUDockLeftPos", 0), read("MRUDockTopPos", 0), read("MRUDockRightPos", 0),
                             read("MRUDockBottomPos", 0));
    m_dwMRUFloatStyle = DWORD(read("MRUFloatStyle", 0));
    m_ptMRUFloatPos = CPoint(read("MRUFloatXPos", -1), read("MRUFloatYPos", -1));
  }
  m_arrBarID.RemoveAll();
  int count = std::clamp(read("Bars", 0), 0, CDockState::kMaxBars);
  for (int i = 0; i < count; ++i) m_arrBarID.Add(DWORD(read(bar_id_key(i), 0)));
  mark_dock_bar(*this);
  if (pDockState) {
    if (m_bFloating) pDockState->ScalePoint(m_pointPos);
    if (m_bDocking) {
      pDockState->ScaleRectPos(m_rectMRUDockPos);
      pDockState->ScalePoint(m_ptMRUFloatPos);
    }
  }
  return TRUE;
}

void CControlBarInfo::SerializeHead(CArchive& ar, CDockState* pDockState) {
  DWORD version = pDockState ? pDockState->GetVersion() : 2;
  if (ar.IsStoring()) {
    ar << uint32_t(m_nBarID) << uint32_t(m_bVisible ? 1 : 0) << uint32_t(m_bFloating ? 1 : 0)
       << uint32_t(m_bHorz ? 1 : 0);
    write_point(ar, m_pointPos);
    if (version > 1) {
      ar << uint32_t(m_nMRUWidth) << uint32_t(m_bDocking ? 1 : 0);
      if (m_bDocking) {
        ar << uint32_t(m_uMRUDockID);
        ar << int32_t(m_rectMRUDockPos.left) << int32_t(m_rectMRUDockPos.top) << int32_t(m_rectMRUDockPos.right)
           << int32_t(m_rectMRUDockPos.bottom);
        ar << uint32_t(m_dwMRUFloatStyle);
        write_point(ar, m_ptMRUFloatPos);
      }
    }
    return;
  }
  m_nBarID = UINT(read_dword(ar));
  m_bVisible = read_dword(ar) != 0;
  m_bFloating = read_dword(ar) != 0;
  m_bHorz = read_dword(ar) != 0;
  read_point(ar, m_pointPos);
  if (version > 1) {
    m_nMRUWidth = int(read_dword(ar));
    m_bDocking = read_dword(ar) != 0;
    if (m_bDocking) {
      m_uMRUDockID = UINT(read_dword(ar));
      CPoint top_left, bottom_right;
      read_point(ar, top_left);
      read_point(ar, bottom_right);
      m_rectMRUDockPos = CRect(top_left, bottom_right);
      m_dwMRUFloatStyle = read_dword(ar);
      read_point(ar, m_ptMRUFloatPos);
    }
  }
  if (pDockState) {
    if (m_bFloating) pDockState->ScalePoint(m_pointPos);
    if (m_bDocking) {
      pDockState->ScaleRectPos(m_rectMRUDockPos);
      pDockState->ScalePoint(m_ptMRUFloatPos);
    }
  }
}

void CControlBarInfo::SerializeBarIds(CArchive& ar) {
  if (ar.IsStoring()) {
    if (m_arrBarID.GetSize() > 0xFFFF) throw CArchiveException(CArchiveException::generic);
    ar << uint16_t(m_arrBarID.GetSize());
    for (DWORD id : m_arrBarID) ar << uint32_t(id);
    return;
  }
  uint16_t count = 0;
  ar >> count;
  if (count > CDockState::kMaxBars || size_t(count) * 4 > ar.Remaining()) {
    throw CArchiveException(CArchiveException::endOfFile);
  }
  m_arrBarID.RemoveAll();
  for (int i = 0; i < count; ++i) m_arrBarID.Add(read_dword(ar));
  if (ar.IsLoading()) mark_dock_bar(*this);
}

void CControlBarInfo::Serialize(CArchive& ar, CDockState* pDockState) {
  SerializeHead(ar, pDockState);
  SerializeBarIds(ar);
}

// --- The whole layout ---------------------------------------------------------------------------------

CDockState::~CDockState() { Clear(); }

void CDockState::Clear() {
  for (CControlBarInfo* info : m_arrBarInfo) std::unique_ptr<CControlBarInfo> owned(info);
  m_arrBarInfo.RemoveAll();
}

std::unique_ptr<CControlBarInfo> CDockState::NewBarInfo() { return std::make_unique<CControlBarInfo>(); }

CSize CDockState::GetScreenSize() const { return m_rectDevice.Size(); }

void CDockState::SetScreenSize(const CSize& size) {
  m_rectDevice = CRect(0, 0, size.cx, size.cy);
  CSize current(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  m_bScaling = size.cx > 0 && size.cy > 0 && (size.cx != current.cx || size.cy != current.cy);
  m_rectClip = current_screens();
  m_rectClip.right -= GetSystemMetrics(SM_CXSMICON);
  m_rectClip.bottom -= GetSystemMetrics(SM_CYSMCAPTION);
}

void CDockState::ScalePoint(CPoint& point) const {
  if (point.x == -1 && point.y == -1) return;
  if (m_bScaling) {
    CSize now(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    point.x = scale(point.x, now.cx, m_rectDevice.Width());
    point.y = scale(point.y, now.cy, m_rectDevice.Height());
  }
  if (!m_rectClip.IsRectEmpty()) {
    point.x = std::clamp(point.x, m_rectClip.left, std::max(m_rectClip.left, m_rectClip.right));
    point.y = std::clamp(point.y, m_rectClip.top, std::max(m_rectClip.top, m_rectClip.bottom));
  }
}

void CDockState::ScaleRectPos(CRect& rect) const {
  if (!m_bScaling) return;
  CSize now(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  CPoint at(scale(rect.left, now.cx, m_rectDevice.Width()), scale(rect.top, now.cy, m_rectDevice.Height()));
  rect.OffsetRect(at.x - rect.left, at.y - rect.top);
}

void CDockState::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    if (m_arrBarInfo.GetSize() > 0xFFFF) throw CArchiveException(CArchiveException::generic);
    ar << uint32_t(2);
    CSize screen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    ar << int32_t(screen.cx) << int32_t(screen.cy);
    ar << uint16_t(m_arrBarInfo.GetSize());
    DWORD version = m_dwVersion;
    m_dwVersion = 2;
    for (CControlBarInfo* info : m_arrBarInfo) info->Serialize(ar, this);
    m_dwVersion = version;
    return;
  }
  Clear();
  DWORD version = read_dword(ar);
  if (version != 1 && version != 2) throw CArchiveException(CArchiveException::badSchema);
  m_dwVersion = version;
  CSize saved(0, 0);
  if (version > 1) {
    int32_t cx = 0, cy = 0;
    ar >> cx >> cy;
    saved = CSize(cx, cy);
  }
  SetScreenSize(saved);
  uint16_t count = 0;
  ar >> count;
  // Every record takes at least its id, flags and position.
  if (count > kMaxBars || size_t(count) * 24 > ar.Remaining()) throw CArchiveException(CArchiveException::endOfFile);
  for (int i = 0; i < count; ++i) {
    std::unique_ptr<CControlBarInfo> info = NewBarInfo();
    info->Serialize(ar, this);
    m_arrBarInfo.Add(info.release());
  }
  // A loaded state is of the current version.
  m_dwVersion = 2;
}

void CDockState::LoadState(LPCTSTR lpszProfileName) {
  Clear();
  const base::Profile& profile = base::Profile::app();
  CString summary = summary_section(lpszProfileName);
  int count = std::clamp(profile.GetProfileInt(summary, "Bars", 0), 0, kMaxBars);
  SetScreenSize(CSize(profile.GetProfileInt(summary, "ScreenCX", 0), profile.GetProfileInt(summary, "ScreenCY", 0)));
  for (int i = 0; i < count; ++i) {
    std::unique_ptr<CControlBarInfo> info = NewBarInfo();
    info->LoadState(lpszProfileName, i, this);
    m_arrBarInfo.Add(info.release());
  }
  m_dwVersion = 2;
}

void CDockState::SaveState(LPCTSTR lpszProfileName) {
  base::Profile& profile = base::Profile::app();
  base::Profile::DeferSaves once(profile);
  CString summary = summary_section(lpszProfileName);
  int old_count = std::clamp(profile.GetProfileInt(summary, "Bars", 0), 0, kMaxBars);
  int written = 0;
  for (CControlBarInfo* info : m_arrBarInfo) {
    if (info->SaveState(lpszProfileName, written)) ++written;
  }
  // Sections of an earlier, longer layout would only confuse a reader.
  for (int i = written; i < old_count; ++i) profile.WriteProfileString(bar_section(lpszProfileName, i), nullptr, nullptr);
  profile.WriteProfileInt(summary, "Bars", written);
  profile.WriteProfileInt(summary, "ScreenCX", GetSystemMetrics(SM_CXSCREEN));
  profile.WriteProfileInt(summary, "ScreenCY", GetSystemMetrics(SM_CYSCREEN));
}
