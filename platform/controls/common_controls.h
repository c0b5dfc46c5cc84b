// Making the common controls' window classes known, by group, as a program does at start (and
// before dialog templates name those classes), and the version of the common controls the layer
// stands in for: the program requires one above 4.71.
#pragma once

#include "platform/base/win_types.h"

constexpr DWORD ICC_LISTVIEW_CLASSES = 0x00000001;  // list view, header
constexpr DWORD ICC_TREEVIEW_CLASSES = 0x00000002;  // not offered (the toolkit draws its own tree)
constexpr DWORD ICC_BAR_CLASSES = 0x00000004;       // status bar and track bar (tool tips come with the framework)
constexpr DWORD ICC_TAB_CLASSES = 0x00000008;
constexpr DWORD ICC_UPDOWN_CLASS = 0x00000010;
constexpr DWORD ICC_PROGRESS_CLASS = 0x00000020;
constexpr DWORD ICC_HOTKEY_CLASS = 0x00000040;
constexpr DWORD ICC_ANIMATE_CLASS = 0x00000080;
constexpr DWORD ICC_WIN95_CLASSES = 0x000000FF;
constexpr DWORD ICC_DATE_CLASSES = 0x00000100;      // month calendar, date picker
constexpr DWORD ICC_USEREX_CLASSES = 0x00000200;    // not offered
constexpr DWORD ICC_COOL_CLASSES = 0x00000400;      // not offered

struct INITCOMMONCONTROLSEX {
  DWORD dwSize = sizeof(INITCOMMONCONTROLSEX);
  DWORD dwICC = 0;
};

// Registers the classes of the groups asked for; FALSE when a group asked for is not offered
// (the groups that are offered are registered all the same) or the record is missing.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce);
// Every group the layer offers.
void InitCommonControls();

namespace controls {
struct CommonControlsVersion {
  DWORD major;
  DWORD minor;
};
// The common-controls version whose behaviour the layer gives.
constexpr CommonControlsVersion kCommonControlsVersion{5, 81};
}  // namespace controls
