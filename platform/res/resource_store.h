// The resource store: the program's resources compiled into it and found by id.
//
// Resource tables live in resources/ as plain data (texts in UTF-8) and are added to the store
// once at start (resources::register_program_resources). Texts are converted to CP1250 when they
// are added, so every lookup hands out the bytes the rest of the program works with. A second
// resource of the same kind and id replaces nothing: the first one stays, and the second is
// listed by duplicate_resources.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/base/cstring.h"
#include "platform/base/geometry.h"
#include "platform/base/win_types.h"

namespace res {

// --- Strings -------------------------------------------------------------------------------------
struct StringResource {
  UINT id;
  const char* utf8;
};

// --- Menus: items in order, each with its nesting level (0 for the bar's own items) -------------
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_SEPARATOR = 0x0800;

struct MenuItemResource {
  int level;
  UINT id;           // 0 for pop-ups and separators
  UINT flags;        // MF_ bits
  const char* utf8;  // "&Plik", "Zapisz\tCtrl+S"; null for a separator
};

// --- Accelerators --------------------------------------------------------------------------------
constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FNOINVERT = 0x02;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

struct AcceleratorResource {
  BYTE fVirt;  // FVIRTKEY and modifier bits
  WORD key;    // virtual-key code, or a character without FVIRTKEY
  WORD cmd;
};

// --- Dialog templates (rectangles in dialog units) -------------------------------------------------
struct DialogControlResource {
  UINT id;
  const char* window_class;  // "Button", "Edit", "Static", "ListBox", "ComboBox", "ScrollBar" or a registered class
  const char* utf8;
  RECT rect;
  DWORD style;
  DWORD ex_style;
  // The context help id the control window carries. 0 in a table gives the program's usual form,
  // which the store fills in: the template id OR 0x8000 in the high word, the control id in the
  // low word (control 1 of template 100 has 0x80640001).
  DWORD help_id = 0;
};

constexpr DWORD dialog_control_help_id(UINT template_id, UINT control_id) {
  return (DWORD((template_id | 0x8000) & 0xFFFF) << 16) | DWORD(control_id & 0xFFFF);
}

struct DialogResource {
  UINT id;
  const char* utf8_caption;
  RECT rect;
  DWORD style;
  DWORD ex_style;
  const char* font;  // face name; null for the system font
  int point_size;
  std::span<const DialogControlResource> controls;
};

// --- Toolbar button strips -----------------------------------------------------------------------
struct ToolBarResource {
  UINT id;  // also the id of the strip's bitmap
  int button_width;
  int button_height;
  std::span<const UINT> commands;  // 0 for a separator
};

// --- Cursors: drawn as rows of characters ---------------------------------------------------------
// '#' black, '.' white, anything else transparent; all rows of one cursor have the same length.
struct CursorResource {
  UINT id;
  int hot_x;
  int hot_y;
  std::span<const char* const> rows;
};

// --- Binary resources ----------------------------------------------------------------------------
enum class BinaryKind { bitmap, icon, cursor, sound, data };

struct BinaryResource {
  BinaryKind kind;
  UINT id;           // 0 when found by name
  const char* name;  // null when found by id
  std::span<const uint8_t> bytes;
};

// --- Adding (at start) ---------------------------------------------------------------------------
void add_strings(std::span<const StringResource> strings);
void add_menu(UINT id, std::span<const MenuItemResource> items);
void add_accelerators(UINT id, std::span<const AcceleratorResource> table);
void add_dialog(const DialogResource& dialog);
void add_toolbar(const ToolBarResource& toolbar);
void add_binary(const BinaryResource& resource);
void add_cursor(const CursorResource& cursor);

// Every resource added a second time with a kind and id already taken, as "string 220",
// "dialog 100", "bitmap 128" or "sound WARN" (names for binaries found by name), in the order
// added. The program's resources test expects none.
std::vector<std::string> duplicate_resources();

// --- Finding -------------------------------------------------------------------------------------
// The CP1250 text of a string, or null.
const std::string* find_string(UINT id);
// A menu's items with their texts in CP1250 (the item's utf8 field then holds CP1250 bytes), or
// empty.
std::span<const MenuItemResource> find_menu(UINT id);
std::span<const AcceleratorResource> find_accelerators(UINT id);
// A dialog template with caption and control texts in CP1250, or null.
const DialogResource* find_dialog(UINT id);
const ToolBarResource* find_toolbar(UINT id);
const CursorResource* find_cursor(UINT id);
std::span<const uint8_t> find_binary(BinaryKind kind, UINT id);
std::span<const uint8_t> find_binary(BinaryKind kind, const char* name);

}  // namespace res

// The platform's string loading: copies at most size - 1 bytes and a terminating zero; returns the
// number of bytes copied, 0 when there is no such string.
int LoadString(HINSTANCE instance, UINT id, char* buffer, int size);
// The framework's form: false (and `out` unchanged) when there is no such string.
BOOL AfxLoadString(UINT id, CString& out);
// The framework's message formatting: the string `id` with "%1" and "%2" replaced by `s1` and
// `s2` (null: nothing); empty when there is no such string.
void AfxFormatString1(CString& out, UINT id, LPCTSTR s1);
void AfxFormatString2(CString& out, UINT id, LPCTSTR s1, LPCTSTR s2);
