#include "platform/framework/accelerators.h"

#include <map>
#include <memory>

#include "platform/base/cp1250.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"

namespace {

// Tables live in a map under numbers that are never reused.
struct AccelTables {
  std::map<std::uintptr_t, std::vector<ACCEL>> tables;
  std::uintptr_t next = 1;
};

AccelTables& tables() {
  static AccelTables t;
  return t;
}

const std::vector<ACCEL>* find(HACCEL h) {
  auto it = tables().tables.find(reinterpret_cast<std::uintptr_t>(h));
  return it == tables().tables.end() ? nullptr : &it->second;
}

bool down(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

}  // namespace

HACCEL CreateAcceleratorTable(const ACCEL* entries, int count) {
  if (!entries || count <= 0) return nullptr;
  auto& t = tables();
  std::uintptr_t id = t.next++;
  t.tables[id].assign(entries, entries + count);
  return reinterpret_cast<HACCEL>(id);
}

HACCEL LoadAccelerators(HINSTANCE, UINT id) {
  auto entries = res::find_accelerators(id);
  std::vector<ACCEL> table;
  for (const res::AcceleratorResource& r : entries) table.push_back({r.fVirt, r.key, r.cmd});
  return CreateAcceleratorTable(table.data(), int(table.size()));
}

BOOL DestroyAcceleratorTable(HACCEL h) {
  return tables().tables.erase(reinterpret_cast<std::uintptr_t>(h)) != 0;
}

int CopyAcceleratorTable(HACCEL h, ACCEL* out, int count) {
  const auto* t = find(h);
  if (!t) return 0;
  if (!out) return int(t->size());
  int n = std::min(count, int(t->size()));
  std::copy_n(t->begin(), n, out);
  return n;
}

int TranslateAccelerator(HWND h, HACCEL table, MSG* msg) {
  const auto* t = find(table);
  if (!t || !msg || !IsWindow(h)) return FALSE;
  bool key_down = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
  bool character = msg->message == WM_CHAR || msg->message == WM_SYSCHAR;
  if (!key_down && !character) return FALSE;
  bool shift = down(VK_SHIFT), control = down(VK_CONTROL);
  bool alt = msg->message == WM_SYSKEYDOWN || msg->message == WM_SYSCHAR || down(VK_MENU);
  for (const ACCEL& a : *t) {
    if (a.fVirt & FVIRTKEY) {
      if (!key_down || a.key != WORD(msg->wParam)) continue;
      if (bool(a.fVirt & FSHIFT) != shift || bool(a.fVirt & FCONTROL) != control ||
          bool(a.fVirt & FALT) != alt) {
        continue;
      }
    } else {
      // A character entry matches the typed character; Alt must agree.
      if (!character || a.key != WORD(msg->wParam & 0xFF) || bool(a.fVirt & FALT) != alt) continue;
    }
    SendMessage(h, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
    return TRUE;
  }
  return FALSE;
}

namespace framework {

std::string key_name(int vk) {
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return std::string(1, char(vk));
  // Built by appending: gcc 12 misreads "literal" + std::string as an overlapping copy.
  if (vk >= VK_F1 && vk <= VK_F24) return std::string("F").append(std::to_string(vk - VK_F1 + 1));
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return std::string("Num ").append(std::to_string(vk - VK_NUMPAD0));
  static const std::map<int, const char*> names = {
      {VK_BACK, "Backspace"}, {VK_TAB, "Tab"},      {VK_RETURN, "Enter"},   {VK_ESCAPE, "Esc"},
      {VK_SPACE, "Spacja"},   {VK_PRIOR, "PgUp"},   {VK_NEXT, "PgDn"},      {VK_END, "End"},
      {VK_HOME, "Home"},      {VK_LEFT, "Lewo"},    {VK_UP, "Góra"},        {VK_RIGHT, "Prawo"},
      {VK_DOWN, "Dół"},       {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},     {VK_MULTIPLY, "Num *"},
      {VK_ADD, "Num +"},      {VK_SUBTRACT, "Num -"}, {VK_DECIMAL, "Num ,"}, {VK_DIVIDE, "Num /"},
      {VK_PAUSE, "Pause"},    {VK_OEM_PLUS, "="},   {VK_OEM_MINUS, "-"},    {VK_OEM_COMMA, ","},
      {VK_OEM_PERIOD, "."},   {VK_OEM_2, "/"},      {VK_OEM_1, ";"},        {VK_OEM_4, "["},
      {VK_OEM_6, "]"},        {VK_OEM_7, "'"},      {VK_OEM_5, "\\"},       {VK_OEM_3, "`"},
  };
  auto it = names.find(vk);
  return it == names.end() ? std::string() : base::cp1250::from_utf8(it->second);
}

std::string accelerator_text(const ACCEL& a) {
  std::string text;
  if (a.fVirt & FCONTROL) text += "Ctrl+";
  if (a.fVirt & FSHIFT) text += "Shift+";
  if (a.fVirt & FALT) text += "Alt+";
  if (a.fVirt & FVIRTKEY) {
    text += key_name(a.key);
  } else {
    text += char(a.key & 0xFF);
  }
  return text;
}

}  // namespace framework
