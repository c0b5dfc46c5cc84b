// The context help id each window may carry (dialog pages give their controls one derived from
// the control id and the template id); F1 hands it to the help request as HELPINFO::dwContextId.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/win_types.h"

// FALSE for a window that does not exist.
BOOL SetWindowContextHelpId(HWND h, DWORD id);
// 0 for a window without one.
DWORD GetWindowContextHelpId(HWND h);
// The help modes' click: `holder` takes the mouse with the help cursor (an arrow with a question
// mark where the cursor set has one) until a left click, which answers true with its screen point
// in `at`. Esc, the right button, WM_EXITHELPMODE, WM_CANCELMODE or losing the mouse answer false.
// Other messages are dispatched meanwhile; keys are swallowed.
bool TrackHelpClick(HWND holder, POINT* at);
// The caption help button's mode (SC_CONTEXTHELP of a window with WS_EX_CONTEXTHELP): `top` holds
// the mouse (see TrackHelpClick); the window under a left click, when it is `top` or one of its
// descendants, is sent WM_HELP for itself (HELPINFO_WINDOW, its control id and context help id,
// the click point), which children pass up to their parents.
void TrackCaptionHelp(HWND top);
