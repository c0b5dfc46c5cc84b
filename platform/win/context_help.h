// The context help id each window may carry (dialog pages give their controls one derived from
// the control id and the template id); F1 hands it to the help request as HELPINFO::dwContextId.
#pragma once

#include "platform/base/win_types.h"

// FALSE for a window that does not exist.
BOOL SetWindowContextHelpId(HWND h, DWORD id);
// 0 for a window without one.
DWORD GetWindowContextHelpId(HWND h);
// The caption help button's mode (SC_CONTEXTHELP of a window with WS_EX_CONTEXTHELP): `top` holds
// the mouse with the help cursor until a left click; the window under the click, when it is `top`
// or one of its descendants, is sent WM_HELP for itself (HELPINFO_WINDOW, its control id and
// context help id, the click point), which children pass up to their parents. Esc, the right
// button, WM_CANCELMODE or losing the mouse end the mode without help.
void TrackCaptionHelp(HWND top);
