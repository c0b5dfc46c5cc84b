// The context help that the dialog, page and sheet bases give: every request names one control
// and the help context id the base computes for it, and asks the help engine for its pop-up text
// in the application's help file.
#pragma once

#include "platform/base/win_types.h"
#include "platform/win/window_api.h"

namespace context_help {

// The context id of a control on a page built from `template_id`: the control id in the low word,
// the template id with bit 15 set in the high word. The system's dialog templates give their
// controls ids of the same form.
constexpr DWORD page_help_id(UINT control_id, UINT template_id) {
  return DWORD(MAKELONG(WORD(control_id), WORD(template_id | 0x8000)));
}

// The context id of one of a sheet's own controls (its buttons and tab control).
constexpr DWORD sheet_help_id(UINT control_id) { return DWORD(control_id) + 0x10000; }

// Asks the help engine for the help of {control id, context id} with `command` (HELP_WM_HELP or
// HELP_CONTEXTMENU), owned by `owner`. The help file is the application's, taken afresh on every
// request so that a change of it takes effect at once. A control id of 0 asks for nothing.
BOOL show_control_help(HWND owner, UINT control_id, DWORD context_id, UINT command);

// Asks for the help of `window` itself: {its control id, the context help id it carries}.
BOOL show_window_help(HWND owner, HWND window, UINT command);

// The help mode's hit test (WM_HELPHITTEST) of a dialog or page: 0 without help; otherwise the
// help of the window under `client` (see window_at; `self` where there is none) is shown with
// HELP_WM_HELP and the answer is -2, which tells the help mode that the help is up.
LRESULT answer_help_hit_test(HWND self, POINT client, bool has_help);

// The control a WM_HELP request names: the item window's current id when it has a framework
// window object, else the id the request carries.
UINT help_request_control(const HELPINFO& info);

// The window under `client` in `self`: the child there (hidden and disabled ones included), `self`
// where there is none, null outside the client area.
HWND window_at(HWND self, POINT client);

// The window a context-menu request is about: for a request about `self` the window under the
// screen point (see window_at), otherwise the window the request names.
HWND context_menu_target(HWND self, HWND about, POINT screen);

}  // namespace context_help
