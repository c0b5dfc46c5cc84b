// The tools part of a menu, rebuilt from a tool list.
#include "platform/framework/menu.h"
#include "toolkit/widgets/user_tool.h"

bool UpdateToolsMenu(CMenu* menu, UINT first_id, const SECUserToolList& list) {
  if (!menu || first_id == 0) return false;
  int count = static_cast<int>(menu->GetMenuItemCount());
  int at = count;
  for (int pos = 0; pos < count; ++pos) {
    if (menu->GetMenuItemID(pos) == first_id) {
      at = pos;
      break;
    }
  }
  while (count > at) menu->DeleteMenu(--count, MF_BYPOSITION);
  // The position before the tools: the separator that leads them, when there is one.
  const bool separator_before = at > 0 && (menu->GetMenuState(at - 1, MF_BYPOSITION) & MF_SEPARATOR);
  if (list.empty()) {
    if (separator_before) menu->DeleteMenu(at - 1, MF_BYPOSITION);
    return true;
  }
  if (!separator_before) menu->AppendMenu(MF_SEPARATOR);
  bool all = true;
  UINT id = first_id;
  for (const auto& tool : list) {
    if (id >= first_id + SECUserTool::kMaxTools) {
      all = false;
      break;
    }
    all = menu->AppendMenu(MF_STRING, id++, tool->m_strMenuText) && all;
  }
  return all;
}
