#include "toolkit/widgets/command_catalog.h"

#include "platform/framework/app.h"
#include "platform/framework/frame_wnd.h"
#include "platform/res/resource_store.h"
#include "toolkit/widgets/key_binding_table.h"

IMPLEMENT_DYNAMIC(SECCommandCatalog, CObject)

namespace {

// Menu texts longer than this are cut when read.
constexpr int kMenuTextLimit = 64;

CString menu_text(CMenu* menu, int pos) {
  CString text;
  menu->GetMenuString(pos, text, MF_BYPOSITION);
  return text.GetLength() > kMenuTextLimit ? text.Left(kMenuTextLimit) : text;
}

}  // namespace

SECCommandCatalog::SECCommandCatalog(bool build) {
  if (!build) return;
  SetHotKeyRules(0x0003, 0x0002);
  Build();
}

void SECCommandCatalog::SetHotKeyRules(WORD refused, WORD added_modifier) {
  refused_ = refused;
  added_modifier_ = added_modifier;
}

int SECCommandCatalog::Add(const SECCommandEntry& entry) {
  entries_.push_back(entry);
  return GetSize() - 1;
}

int SECCommandCatalog::Find(UINT id) const {
  for (int i = 0; i < GetSize(); ++i) {
    if (entries_[i].id == id) return i;
  }
  return -1;
}

bool SECCommandCatalog::IsExcluded(UINT id) const {
  return (id >= 0xE110 && id <= 0xE11F) || (id >= 0xFF00 && id <= 0xFFFF) || id == 0xE150 || id == 0xE151;
}

void SECCommandCatalog::add_command(UINT id) {
  if (id == 0 || IsExcluded(id) || Find(id) >= 0) return;
  Add({id, CString(), CString()});
}

void SECCommandCatalog::AddCommands(const CommandStrings* table, int count) {
  for (int i = 0; table && i < count; ++i) {
    SECCommandEntry entry;
    entry.id = table[i].id;
    if (table[i].name_id) AfxLoadString(table[i].name_id, entry.name);
    if (table[i].description_id) AfxLoadString(table[i].description_id, entry.description);
    Add(entry);
  }
  LoadTexts();
}

HMENU SECCommandCatalog::default_menu() const {
  CWinApp* app = AfxGetApp();
  CWnd* wnd = app ? app->m_pMainWnd : nullptr;
  if (!wnd || !wnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return nullptr;
  return static_cast<CFrameWnd*>(wnd)->m_hMenuDefault;
}

void SECCommandCatalog::Build() {
  entries_.clear();
  entries_.reserve(25);
  CollectCommands();
  LoadTexts();
}

void SECCommandCatalog::CollectCommands() {
  if (HMENU menu = default_menu()) AddMenuCommands(CMenu::FromHandle(menu));
  AddAcceleratorCommands();
}

void SECCommandCatalog::AddMenuCommands(CMenu* menu) {
  if (!menu) return;
  const int count = static_cast<int>(menu->GetMenuItemCount());
  for (int pos = 0; pos < count; ++pos) {
    if (CMenu* sub = menu->GetSubMenu(pos)) {
      AddMenuCommands(sub);
    } else if (!(menu->GetMenuState(pos, MF_BYPOSITION) & MF_SEPARATOR)) {
      add_command(menu->GetMenuItemID(pos));
    }
  }
}

void SECCommandCatalog::AddAcceleratorCommands() {
  // The default table is the first one taken from the frame; a binding table takes it.
  if (SECKeyBindingTable::DefaultTable().empty()) {
    SECKeyBindingTable taken;  // taking the frame's table makes it the default
  }
  for (const ACCEL& entry : SECKeyBindingTable::DefaultTable()) add_command(entry.cmd);
}

void SECCommandCatalog::LoadTexts() {
  LoadNamesFromMenus();
  LoadDescriptions();
}

void SECCommandCatalog::LoadNamesFromMenus() {
  if (HMENU menu = default_menu()) NameFromMenu(CMenu::FromHandle(menu), CString());
}

void SECCommandCatalog::NameFromMenu(CMenu* menu, const CString& prefix) {
  if (!menu) return;
  const int count = static_cast<int>(menu->GetMenuItemCount());
  for (int pos = 0; pos < count; ++pos) {
    const CString text = CleanMenuText(menu_text(menu, pos));
    if (CMenu* sub = menu->GetSubMenu(pos)) {
      NameFromMenu(sub, prefix + text + ":");
      continue;
    }
    const int index = Find(menu->GetMenuItemID(pos));
    if (index >= 0 && entries_[index].name.IsEmpty() && !text.IsEmpty()) entries_[index].name = prefix + text;
  }
}

void SECCommandCatalog::LoadDescriptions() {
  for (SECCommandEntry& entry : entries_) {
    CString prompt;
    if (!AfxLoadString(entry.id, prompt) || prompt.IsEmpty()) continue;
    CString description = prompt;
    CString name;
    if (const int nl = prompt.Find('\n'); nl >= 0) {
      description = prompt.Left(nl);
      name = prompt.Mid(nl + 1);
    }
    if (entry.description.IsEmpty() && !description.IsEmpty()) entry.description = description;
    if (entry.name.IsEmpty() && !name.IsEmpty()) entry.name = name;
  }
}

CString SECCommandCatalog::CleanMenuText(const CString& text) const {
  CString out = text;
  for (const char* stop : {"...", "(&", "\t"}) {
    const int at = out.Find(stop);
    if (at >= 0) out = out.Left(at);
  }
  if (const int amp = out.Find('&'); amp >= 0) out = out.Left(amp) + out.Mid(amp + 1);
  return out;
}
