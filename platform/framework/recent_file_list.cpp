#include <cstdio>

#include "platform/base/profile.h"
#include "platform/framework/app.h"
#include "platform/framework/menu.h"
#include "platform/win/cmd_ui.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize)
    : m_nStart(nStart), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nSize(nSize < 1 ? 1 : nSize > 16 ? 16 : nSize) {}

CString CRecentFileList::operator[](int nIndex) const {
  return nIndex >= 0 && size_t(nIndex) < m_arrNames.size() ? m_arrNames[size_t(nIndex)] : CString();
}

void CRecentFileList::Add(LPCTSTR lpszPathName) {
  if (!lpszPathName || !*lpszPathName) return;
  CString path(lpszPathName);
  for (size_t i = 0; i < m_arrNames.size(); ++i) {
    if (m_arrNames[i].CompareNoCase(path) == 0) {
      m_arrNames.erase(m_arrNames.begin() + long(i));
      break;
    }
  }
  m_arrNames.insert(m_arrNames.begin(), path);
  if (int(m_arrNames.size()) > m_nSize) m_arrNames.resize(size_t(m_nSize));
}

void CRecentFileList::Remove(int nIndex) {
  if (nIndex >= 0 && size_t(nIndex) < m_arrNames.size()) m_arrNames.erase(m_arrNames.begin() + nIndex);
}

namespace {
CString entry_name(const CString& format, int n) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format.GetString(), n);
  return CString(buffer);
}
}  // namespace

void CRecentFileList::ReadList() {
  m_arrNames.clear();
  CWinApp* app = AfxGetApp();
  if (!app) return;
  for (int i = 0; i < m_nSize; ++i) {
    CString path = app->GetProfileString(m_strSectionName, entry_name(m_strEntryFormat, i + 1));
    // Empty entries are gaps left by a damaged profile: the list closes up.
    if (!path.IsEmpty()) m_arrNames.push_back(path);
  }
}

void CRecentFileList::WriteList() {
  CWinApp* app = AfxGetApp();
  if (!app) return;
  base::Profile::DeferSaves once(base::Profile::app());
  app->WriteProfileString(m_strSectionName, nullptr, nullptr);
  for (size_t i = 0; i < m_arrNames.size(); ++i) {
    app->WriteProfileString(m_strSectionName, entry_name(m_strEntryFormat, int(i) + 1), m_arrNames[i]);
  }
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI) {
  CMenu* menu = pCmdUI->m_pMenu;
  if (m_arrNames.empty() || !menu) {
    // Outside a menu (the check before a command runs) the entries only decide the state.
    pCmdUI->Enable(!m_arrNames.empty());
    return;
  }
  // Replace the first entry's item and any entries added before by one item per file.
  for (int i = 0; i < m_nSize; ++i) menu->DeleteMenu(m_nStart + UINT(i), MF_BYCOMMAND);
  for (size_t i = 0; i < m_arrNames.size(); ++i) {
    CString text = entry_name(CString("&%d "), int(i) + 1) + m_arrNames[i];
    menu->InsertMenu(pCmdUI->m_nIndex + UINT(i), MF_STRING | MF_BYPOSITION, m_nStart + UINT(i), text);
  }
  pCmdUI->m_nIndex += UINT(m_arrNames.size()) - 1;
  pCmdUI->m_nIndexMax = menu->GetMenuItemCount();
  pCmdUI->m_bEnableChanged = TRUE;
}
