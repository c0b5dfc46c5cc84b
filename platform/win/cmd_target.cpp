#include "platform/win/cmd_target.h"

#include "platform/win/cmd_ui.h"
#include "platform/win/window_api.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
  static const AFX_MSGMAP map = {nullptr, entries};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP* map, UINT message,
                                                     UINT code, UINT id) {
  for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
      if (e->pnRegistered) {
        if (*e->pnRegistered == message && message != 0) return e;
        continue;
      }
      if (e->nMessage == message && e->nCode == code && id >= e->nID && id <= e->nLastID) return e;
    }
  }
  return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  UINT message = WM_COMMAND;
  UINT code = UINT(WORD(nCode));
  if (nCode != CN_UPDATE_COMMAND_UI && HIWORD(UINT(nCode)) != 0) message = HIWORD(UINT(nCode));
  const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(GetMessageMap(), message, code, nID);
  if (!entry) return FALSE;
  if (pHandlerInfo) {
    pHandlerInfo->pTarget = this;
    pHandlerInfo->pEntry = entry;
    return TRUE;
  }
  LRESULT result = 0;
  if (nCode == CN_UPDATE_COMMAND_UI) {
    auto* cmd_ui = static_cast<CCmdUI*>(pExtra);
    cmd_ui->m_bContinueRouting = FALSE;
    entry->pfn(this, WPARAM(nID), 0, pExtra, &result);
    return !cmd_ui->m_bContinueRouting;
  }
  return entry->pfn(this, WPARAM(nID), 0, pExtra, &result);
}

void CCmdTarget::BeginWaitCursor() { SetCursor(LoadCursor(nullptr, IDC_WAIT)); }
void CCmdTarget::EndWaitCursor() { SetCursor(LoadCursor(nullptr, IDC_ARROW)); }
void CCmdTarget::RestoreWaitCursor() { BeginWaitCursor(); }
