#include "toolkit/widgets/key_binding_table.h"

#include <algorithm>

#include "platform/base/archive.h"
#include "platform/base/cfile.h"
#include "platform/base/os_file.h"
#include "platform/framework/app.h"
#include "platform/framework/frame_wnd.h"
#include "platform/res/resource_store.h"
#include "resources/resource_ids.h"
#include "toolkit/widgets/command_keys.h"
#include "toolkit/widgets/key_binding_file.h"
#include "toolkit/widgets/user_files.h"

IMPLEMENT_SERIAL(SECKeyBindingTable, CObject, 1)

namespace {

// The first accelerator table taken from a frame: reset returns to it and it is never destroyed.
struct DefaultAccelTable {
  bool known = false;
  HACCEL handle = nullptr;
  std::vector<ACCEL> entries;
};
DefaultAccelTable& default_table() {
  static DefaultAccelTable table;
  return table;
}

// A shortcuts file holds at most 0xFFFFFFFF entries in form, but nothing near that in use.
constexpr uint64_t kFileLimit = 4u << 20;

CFrameWnd* main_frame() {
  CWinApp* app = AfxGetApp();
  CWnd* wnd = app ? app->m_pMainWnd : nullptr;
  if (!wnd || !wnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return nullptr;
  return static_cast<CFrameWnd*>(wnd);
}

std::vector<ACCEL> copy_table(HACCEL table) {
  const int count = CopyAcceleratorTable(table, nullptr, 0);
  std::vector<ACCEL> entries(count > 0 ? count : 0);
  if (count > 0) CopyAcceleratorTable(table, entries.data(), count);
  return entries;
}

std::vector<SECKeyBindingEntry> to_file_entries(const std::vector<ACCEL>& entries) {
  std::vector<SECKeyBindingEntry> out;
  out.reserve(entries.size());
  for (const ACCEL& a : entries) out.push_back({a.fVirt, a.key, a.cmd});
  return out;
}

std::vector<ACCEL> from_file_entries(const std::vector<SECKeyBindingEntry>& entries) {
  std::vector<ACCEL> out;
  out.reserve(entries.size());
  for (const SECKeyBindingEntry& e : entries) out.push_back(ACCEL{e.fVirt, e.key, e.cmd});
  return out;
}

}  // namespace

SECKeyBindingTable::SECKeyBindingTable() { LoadFromFrame(); }

void SECKeyBindingTable::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<uint32_t>(entries_.size()));
    for (const ACCEL& a : entries_) ar << a.fVirt << uint8_t{0} << a.key << a.cmd;
  } else {
    const uint32_t count = ar.ReadCount();
    if (ar.Remaining() < uint64_t{count} * keybinding_file::kEntrySize) {
      throw CArchiveException(CArchiveException::endOfFile);
    }
    std::vector<ACCEL> entries(count);
    for (ACCEL& a : entries) {
      uint8_t filler = 0;
      ar >> a.fVirt >> filler >> a.key >> a.cmd;
    }
    entries_ = std::move(entries);
  }
}

const std::vector<ACCEL>& SECKeyBindingTable::DefaultTable() { return default_table().entries; }

void SECKeyBindingTable::ForgetDefaultTable() { default_table() = {}; }

bool SECKeyBindingTable::LoadFromFrame() {
  CFrameWnd* frame = main_frame();
  if (!frame || !frame->m_hAccelTable) {
    entries_.clear();
    return false;
  }
  DefaultAccelTable& def = default_table();
  entries_ = copy_table(frame->m_hAccelTable);
  if (!def.known) {
    def.known = true;
    def.handle = frame->m_hAccelTable;
    def.entries = entries_;
  }
  return true;
}

void SECKeyBindingTable::ResetToDefaults() { entries_ = default_table().entries; }

void SECKeyBindingTable::SetBinding(WORD hot_key, WORD command) {
  ACCEL wanted = HotKeyToAccel(hot_key);
  wanted.cmd = command;
  const BYTE forced = FVIRTKEY | FNOINVERT;
  for (ACCEL& a : entries_) {
    if (a.key == wanted.key && (a.fVirt | forced) == (wanted.fVirt | forced)) {
      a = wanted;
      return;
    }
  }
  entries_.push_back(wanted);
}

void SECKeyBindingTable::RemoveAt(int index, int count) {
  if (index < 0 || count <= 0 || index >= GetSize()) return;
  const int end = std::min(GetSize(), index + count);
  entries_.erase(entries_.begin() + index, entries_.begin() + end);
}

bool SECKeyBindingTable::ApplyToFrame() {
  CFrameWnd* frame = main_frame();
  if (!frame) return false;
  HACCEL table = CreateAcceleratorTable(entries_.data(), GetSize());
  if (!table) return false;
  HACCEL old = frame->m_hAccelTable;
  frame->m_hAccelTable = table;
  if (old && old != default_table().handle) DestroyAcceleratorTable(old);
  UpdateMenus();
  return true;
}

CString SECKeyBindingTable::FileNameFor(const CString& folder, const CString& program) {
  CString name = program;
  const int slash = std::max(name.ReverseFind('/'), name.ReverseFind('\\'));
  if (slash >= 0) name = name.Mid(slash + 1);
  const int dot = name.ReverseFind('.');
  if (dot > 0) name = name.Left(dot);
  if (name.IsEmpty()) name = "LumoKAL";
  name += ".MAC";
  return SECPathIn(folder, name);
}

void SECKeyBindingTable::GetFileName(CString& name, bool in_user_folder) {
  CWinApp* app = AfxGetApp();
  const CString program = app ? app->m_pszExeName : CString();
  const CString folder = in_user_folder ? SECUserDataFolder() : CWinApp::GetProgramFolder();
  name = FileNameFor(folder, program);
}

bool SECKeyBindingTable::LoadFromFile() {
  std::vector<uint8_t> bytes;
  bool found = false;
  for (bool user_folder : {true, false}) {
    CString name;
    GetFileName(name, user_folder);
    const base::OsError err = base::read_file(base::os_path(name), bytes, kFileLimit);
    if (err == base::OsError::None) {
      found = true;
      break;
    }
  }
  if (!found) return false;
  std::vector<SECKeyBindingEntry> entries;
  if (!keybinding_file::decode(bytes, entries)) {
    ResetToDefaults();
    return false;
  }
  entries_ = from_file_entries(entries);
  return true;
}

bool SECKeyBindingTable::SaveToFile() {
  CString name;
  GetFileName(name, true);
  const std::vector<uint8_t> bytes = keybinding_file::encode(to_file_entries(entries_));
  return base::write_file_atomic(base::os_path(name), bytes) == base::OsError::None;
}

CString SECKeyBindingTable::ShortcutText(UINT command) const {
  for (const ACCEL& a : entries_) {
    if (a.cmd != command) continue;
    if (a.fVirt & FVIRTKEY) return HotKeyToText(AccelToHotKey(a));
    CString text;
    if (a.fVirt & FALT) AfxLoadString(resources::IDS_ALT_PLUS, text);
    text += static_cast<char>(a.key & 0xFF);
    return text;
  }
  return CString();
}

void SECKeyBindingTable::AppendShortcut(CString& text, const CString& shortcut, bool top_level) {
  const int tab = text.Find('\t');
  if (tab >= 0) text = text.Left(tab);
  if (!shortcut.IsEmpty() && !top_level) {
    text += "\t";
    text += shortcut;
  }
}

void SECKeyBindingTable::UpdateMenu(CMenu* menu, bool top_level) {
  if (!menu) return;
  const int count = static_cast<int>(menu->GetMenuItemCount());
  for (int pos = 0; pos < count; ++pos) {
    CString text;
    menu->GetMenuString(pos, text, MF_BYPOSITION);
    if (text.IsEmpty()) continue;
    if (text.GetLength() > 128) text = text.Left(128);
    if (CMenu* sub = menu->GetSubMenu(pos)) {
      UpdateMenu(sub, false);
      continue;
    }
    const UINT command = menu->GetMenuItemID(pos);
    AppendShortcut(text, ShortcutText(command), top_level);
    const UINT state = menu->GetMenuState(pos, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
    menu->ModifyMenu(pos, MF_BYPOSITION | MF_STRING | state, command, text);
  }
}

void SECKeyBindingTable::UpdateMenus() {
  if (CFrameWnd* frame = main_frame(); frame && frame->m_hMenuDefault) {
    UpdateMenu(CMenu::FromHandle(frame->m_hMenuDefault), true);
  }
}
