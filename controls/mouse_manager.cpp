#include "controls/mouse_manager.h"

#include <algorithm>
#include <span>
#include <vector>

#include "platform/win/messages.h"
#include "platform/win/window_api.h"
#include "toolkit/frame/registry.h"

IMPLEMENT_SERIAL(CGSMouseManager, CObject, 1)

namespace {

CGSMouseManager* g_current = nullptr;

constexpr const char* kProgramKey = "Software\\Fenwar\\LumoKAL";

// What the mouse page lists for each context: the text sheet's act information, and the
// picture sheet's zoom steps, its return to the text and its three modes (pan, zoom, rulers).
constexpr int kTextSheetCommands[] = {32793};
constexpr int kPictureSheetCommands[] = {32938, 32939, 32940, 32906, 32941, 32942, 32943, 57643, 32901, 32902, 32957};

std::span<const int> offered_commands(UINT context) {
  switch (context) {
    case kMouseContextText: return kTextSheetCommands;
    case kMouseContextPicture: return kPictureSheetCommands;
    default: return {};
  }
}

// Opens the program's key under HKEY_LOCAL_MACHINE; `create` makes it when missing.
bool open_program_key(SECRegistry& registry, bool create) {
  if (!registry.Connect(HKEY_LOCAL_MACHINE)) return false;
  return create ? registry.Create(kProgramKey) != FALSE : registry.Open(kProgramKey, KEY_ALL_ACCESS) != FALSE;
}

}  // namespace

CGSMouseManager::CGSMouseManager() { g_current = this; }

CGSMouseManager::~CGSMouseManager() {
  if (g_current == this) g_current = nullptr;
}

CGSMouseManager* CGSMouseManager::GetMouseManager() { return g_current; }

// --- Contexts --------------------------------------------------------------------------------------

BOOL CGSMouseManager::AddContext(int id, const char* name, int template_id) {
  CString key(name);
  if (m_contextNames.contains(key)) return FALSE;
  m_contextNames[key] = id;
  if (template_id != 0) m_contextTemplates[id] = template_id;
  return TRUE;
}

int CGSMouseManager::FindContext(const char* name) const {
  auto found = m_contextNames.find(CString(name));
  return found == m_contextNames.end() ? -1 : found->second;
}

void CGSMouseManager::GetContextNames(CStringList& names) const {
  names.RemoveAll();
  for (const auto& [name, id] : m_contextNames) names.AddTail(name);
}

int CGSMouseManager::GetContextTemplate(int id) const {
  auto found = m_contextTemplates.find(id);
  return found == m_contextTemplates.end() ? 0 : found->second;
}

// --- Assignments -----------------------------------------------------------------------------------

int CGSMouseManager::GetActionCommand(UINT id) const {
  auto found = m_actions.find(id);
  return found == m_actions.end() ? 0 : found->second;
}

void CGSMouseManager::SetActionCommand(UINT id, int command) {
  if (command == 0) {
    m_actions.erase(id);
  } else {
    m_actions[id] = command;
  }
}

bool CGSMouseManager::IsOfferedCommand(UINT id, int command) {
  std::span<const int> offered = offered_commands(id);
  return std::find(offered.begin(), offered.end(), command) != offered.end();
}

BOOL CGSMouseManager::DispatchAction(UINT id, CWnd* target) const {
  int command = GetActionCommand(id);
  if (command == 0 || !target || !::IsWindow(target->m_hWnd)) return FALSE;
  target->SendMessage(WM_COMMAND, WPARAM(UINT(command)), 0);
  return TRUE;
}

void CGSMouseManager::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << uint32_t(m_actions.size());
    for (const auto& [context, command] : m_actions) ar << uint32_t(context) << int32_t(command);
    return;
  }
  m_actions.clear();
  uint32_t count = 0;
  ar >> count;
  // The count is not trusted: pairs are read one by one until it is reached or the bytes end
  // (the archive then throws, and the pairs read so far stay).
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t context = 0;
    int32_t command = 0;
    ar >> context >> command;
    if (IsOfferedCommand(context, command)) m_actions[context] = command;
  }
}

// --- Registry --------------------------------------------------------------------------------------

BOOL CGSMouseManager::LoadFromRegistry(const char* value_name) {
  SECRegistry registry;
  if (!open_program_key(registry, false)) {
    registry.Close();
    return FALSE;
  }
  BOOL result = FALSE;
  if (value_name) {
    // The buffer as large as the key's largest value.
    std::vector<BYTE> buffer(std::max<DWORD>(registry.GetLongestValueDataLength(), 1));
    DWORD type = REG_BINARY;
    DWORD size = DWORD(buffer.size());
    if (registry.QueryValue(value_name, &type, buffer.data(), &size)) {
      result = TRUE;
      CArchive ar(std::span<const uint8_t>(buffer.data(), std::min<size_t>(size, buffer.size())));
      try {
        Serialize(ar);
      } catch (const CArchiveException&) {
        // A damaged value: the assignments read before the damage stay.
      }
    }
  }
  registry.Close();
  return result;
}

BOOL CGSMouseManager::SaveToRegistry(const char* value_name) {
  CArchive ar;
  Serialize(ar);
  const std::vector<uint8_t>& bytes = ar.GetBytes();
  SECRegistry registry;
  BOOL result = FALSE;
  if (open_program_key(registry, true)) {
    result = registry.SetValue(value_name, REG_BINARY, bytes.data(), DWORD(bytes.size()));
  }
  registry.Close();
  return result;
}
