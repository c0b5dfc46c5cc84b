// The context help id each window may carry (dialog pages give their controls one derived from
// the control id and the template id); F1 hands it to the help request as HELPINFO::dwContextId.
#pragma once

#include "platform/base/win_types.h"

// FALSE for a window that does not exist.
BOOL SetWindowContextHelpId(HWND h, DWORD id);
// 0 for a window without one.
DWORD GetWindowContextHelpId(HWND h);
