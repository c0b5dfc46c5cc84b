#include "platform/win/key_names.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/win/virtual_keys.h"

namespace {

struct Key {
  int vk;
  UINT scan;
};

// The scan codes of the keys, with the cursor block on the numeric pad's codes (the extended bit
// tells them apart).
constexpr Key kKeys[] = {
    {VK_ESCAPE, 0x01}, {'1', 0x02}, {'2', 0x03}, {'3', 0x04}, {'4', 0x05}, {'5', 0x06}, {'6', 0x07},
    {'7', 0x08}, {'8', 0x09}, {'9', 0x0A}, {'0', 0x0B}, {VK_OEM_MINUS, 0x0C}, {VK_OEM_PLUS, 0x0D},
    {VK_BACK, 0x0E}, {VK_TAB, 0x0F}, {'Q', 0x10}, {'W', 0x11}, {'E', 0x12}, {'R', 0x13}, {'T', 0x14},
    {'Y', 0x15}, {'U', 0x16}, {'I', 0x17}, {'O', 0x18}, {'P', 0x19}, {VK_OEM_4, 0x1A}, {VK_OEM_6, 0x1B},
    {VK_RETURN, 0x1C}, {VK_CONTROL, 0x1D}, {'A', 0x1E}, {'S', 0x1F}, {'D', 0x20}, {'F', 0x21}, {'G', 0x22},
    {'H', 0x23}, {'J', 0x24}, {'K', 0x25}, {'L', 0x26}, {VK_OEM_1, 0x27}, {VK_OEM_7, 0x28}, {VK_OEM_3, 0x29},
    {VK_SHIFT, 0x2A}, {VK_OEM_5, 0x2B}, {'Z', 0x2C}, {'X', 0x2D}, {'C', 0x2E}, {'V', 0x2F}, {'B', 0x30},
    {'N', 0x31}, {'M', 0x32}, {VK_OEM_COMMA, 0x33}, {VK_OEM_PERIOD, 0x34}, {VK_OEM_2, 0x35},
    {VK_MULTIPLY, 0x37}, {VK_MENU, 0x38}, {VK_SPACE, 0x39}, {VK_CAPITAL, 0x3A}, {VK_F1, 0x3B},
    {VK_F1 + 1, 0x3C}, {VK_F1 + 2, 0x3D}, {VK_F1 + 3, 0x3E}, {VK_F1 + 4, 0x3F}, {VK_F1 + 5, 0x40},
    {VK_F1 + 6, 0x41}, {VK_F1 + 7, 0x42}, {VK_F1 + 8, 0x43}, {VK_F1 + 9, 0x44}, {VK_NUMLOCK, 0x45},
    {VK_SCROLL, 0x46}, {VK_NUMPAD0 + 7, 0x47}, {VK_NUMPAD0 + 8, 0x48}, {VK_NUMPAD0 + 9, 0x49},
    {VK_SUBTRACT, 0x4A}, {VK_NUMPAD0 + 4, 0x4B}, {VK_NUMPAD0 + 5, 0x4C}, {VK_NUMPAD0 + 6, 0x4D},
    {VK_ADD, 0x4E}, {VK_NUMPAD0 + 1, 0x4F}, {VK_NUMPAD0 + 2, 0x50}, {VK_NUMPAD0 + 3, 0x51},
    {VK_NUMPAD0, 0x52}, {VK_DECIMAL, 0x53}, {VK_F1 + 10, 0x57}, {VK_F1 + 11, 0x58},
    // The cursor block and the other extended keys share the pad's codes.
    {VK_HOME, 0x47}, {VK_UP, 0x48}, {VK_PRIOR, 0x49}, {VK_LEFT, 0x4B}, {VK_RIGHT, 0x4D}, {VK_END, 0x4F},
    {VK_DOWN, 0x50}, {VK_NEXT, 0x51}, {VK_INSERT, 0x52}, {VK_DELETE, 0x53}, {VK_DIVIDE, 0x35}, {VK_APPS, 0x5D},
};

struct Name {
  UINT scan;
  bool extended;
  const char* text;
};

constexpr Name kNames[] = {
    {0x01, false, "Esc"},       {0x0E, false, "Backspace"},  {0x0F, false, "Tab"},       {0x1C, false, "Enter"},
    {0x1D, false, "Ctrl"},      {0x2A, false, "Shift"},      {0x36, false, "Right Shift"}, {0x37, false, "Num *"},
    {0x38, false, "Alt"},       {0x39, false, "Space"},      {0x3A, false, "Caps Lock"}, {0x45, false, "Num Lock"},
    {0x46, false, "Scroll Lock"}, {0x47, false, "Num 7"},    {0x48, false, "Num 8"},     {0x49, false, "Num 9"},
    {0x4A, false, "Num -"},     {0x4B, false, "Num 4"},      {0x4C, false, "Num 5"},     {0x4D, false, "Num 6"},
    {0x4E, false, "Num +"},     {0x4F, false, "Num 1"},      {0x50, false, "Num 2"},     {0x51, false, "Num 3"},
    {0x52, false, "Num 0"},     {0x53, false, "Num Del"},    {0x57, false, "F11"},       {0x58, false, "F12"},
    {0x1C, true, "Num Enter"},  {0x1D, true, "Right Ctrl"},  {0x35, true, "Num /"},      {0x38, true, "Right Alt"},
    {0x47, true, "Home"},       {0x48, true, "Up"},          {0x49, true, "Page Up"},    {0x4B, true, "Left"},
    {0x4D, true, "Right"},      {0x4F, true, "End"},         {0x50, true, "Down"},       {0x51, true, "Page Down"},
    {0x52, true, "Insert"},     {0x53, true, "Delete"},      {0x5D, true, "Application"},
};

// The character a key types without modifiers: letters upper-case, digits, the punctuation of
// the layout's main block.
char character_of(int vk) {
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return char(vk);
  switch (vk) {
    case VK_OEM_1: return ';';
    case VK_OEM_PLUS: return '=';
    case VK_OEM_COMMA: return ',';
    case VK_OEM_MINUS: return '-';
    case VK_OEM_PERIOD: return '.';
    case VK_OEM_2: return '/';
    case VK_OEM_3: return '`';
    case VK_OEM_4: return '[';
    case VK_OEM_5: return '\\';
    case VK_OEM_6: return ']';
    case VK_OEM_7: return '\'';
    default: return 0;
  }
}

}  // namespace

UINT MapVirtualKey(UINT uCode, UINT uMapType) {
  switch (uMapType) {
    case MAPVK_VK_TO_VSC:
      for (const Key& k : kKeys) {
        if (UINT(k.vk) == uCode) return k.scan;
      }
      return 0;
    case MAPVK_VSC_TO_VK:
      // The first key with the code: the pad's digit for a shared code, as without the extended bit.
      for (const Key& k : kKeys) {
        if (k.scan == uCode) return UINT(k.vk);
      }
      return 0;
    case MAPVK_VK_TO_CHAR: return UINT(static_cast<unsigned char>(character_of(int(uCode))));
    default: return 0;
  }
}

int GetKeyNameText(LONG lParam, char* lpString, int cchSize) {
  if (!lpString || cchSize <= 0) return 0;
  UINT scan = (UINT(lParam) >> 16) & 0xFF;
  bool extended = (UINT(lParam) >> 24) & 1;
  std::string name;
  for (const Name& n : kNames) {
    if (n.scan == scan && n.extended == extended) name = n.text;
  }
  if (name.empty() && scan >= 0x3B && scan <= 0x44) {
    name = 'F';
    name += std::to_string(scan - 0x3B + 1);
  }
  if (name.empty() && !extended) {
    if (char c = character_of(int(MapVirtualKey(scan, MAPVK_VSC_TO_VK)))) name = std::string(1, c);
  }
  if (name.empty()) return 0;
  size_t n = std::min(name.size(), size_t(cchSize) - 1);
  std::memcpy(lpString, name.data(), n);
  lpString[n] = '\0';
  return int(n);
}
