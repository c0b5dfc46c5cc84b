// The context help of the print and page-setup dialogs: a right-click or F1 on one of their
// controls opens the pop-up help of that control, whose context id its template gives it.
#pragma once

#include "platform/base/geometry.h"
#include "platform/win/window_api.h"

class CWnd;

namespace print_dialog_help {

// WM_CONTEXTMENU: asks for the help of the window the request is about (the dialog itself: the
// child under the point, passing over invisible ones when `skip_invisible`). False when the
// request goes to default processing: a point left of or above the client area, or a window
// without a context help id.
bool AnswerContextMenu(CWnd& dialog, CWnd* pWnd, CPoint screen, bool skip_invisible);

// WM_HELP: a request about a framework window that carries a context id asks for its help; false
// when the framework's own handling should run.
bool AnswerHelpInfo(const HELPINFO* info);

}  // namespace print_dialog_help
