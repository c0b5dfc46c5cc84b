#include "platform/framework/dialog.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "platform/base/cp1250.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/app.h"
#include "platform/framework/data_exchange.h"
#include "platform/framework/prompter.h"
#include "platform/win/context_help.h"
#include "platform/win/control_state.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_font.h"

namespace {

// Default button of a dialog (DM_SETDEFID).
struct DefaultButton : win::ControlState {
  UINT id = IDOK;
};

// The default handling of dialog windows.
LRESULT dialog_default_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT r = 0; win::handle_font_message(h, message, wParam, lParam, r)) return r;
  switch (message) {
    case DM_GETDEFID: {
      const DefaultButton* button = win::find_control_state<DefaultButton>(h);
      return MAKELRESULT(WORD(button ? button->id : UINT(IDOK)), WORD(DC_HASDEFID));
    }
    case DM_SETDEFID:
      win::control_state<DefaultButton>(h).id = UINT(wParam);
      return TRUE;
    case WM_NEXTDLGCTL:
      // From a control that keeps Tab for itself: the focus moves on (wParam 1: back).
      if (HWND next = lParam ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(h, GetFocus(), wParam != 0)) {
        SetFocus(next);
      }
      return 0;
    case WM_CLOSE:
      // Closing a dialog is pressing its Cancel button.
      PostMessage(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
      return 0;
    case WM_NCDESTROY:
      win::drop_control_state<DefaultButton>(h);
      return DefWindowProc(h, message, wParam, lParam);
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}

void register_dialog_class() {
  WNDCLASS wc;
  if (GetClassInfo(DIALOG_CLASS, &wc)) return;
  wc.style = CS_DBLCLKS | CS_SAVEBITS;
  wc.lpfnWndProc = dialog_default_proc;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = DIALOG_CLASS;
  RegisterClass(&wc);
}

DWORD style_of(HWND h) { return DWORD(GetWindowLongPtr(h, GWL_STYLE)); }

bool tab_stop(HWND h) {
  DWORD s = style_of(h);
  return (s & WS_TABSTOP) && (s & WS_VISIBLE) && !(s & WS_DISABLED);
}

std::vector<HWND> children(HWND dialog) {
  std::vector<HWND> out;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
  return out;
}

// The letter after '&' in a label (lower-cased), or 0.
unsigned char mnemonic_of(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '&') {
      if (text[i + 1] == '&') {
        ++i;
        continue;
      }
      return base::cp1250::to_lower(static_cast<unsigned char>(text[i + 1]));
    }
  }
  return 0;
}

bool is_class(HWND h, const char* name) {
  char buffer[32];
  GetClassName(h, buffer, sizeof buffer);
  return std::string_view(buffer) == name;
}

// Presses a button through the keyboard: the button clicks itself (automatic check boxes and
// radio buttons change state) and tells the dialog.
void press(HWND control) { SendMessage(control, BM_CLICK, 0, 0); }

}  // namespace

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  std::vector<HWND> all = children(dialog);
  if (all.empty()) return nullptr;
  size_t n = all.size();
  size_t start = n - 1;
  for (size_t i = 0; i < n; ++i) {
    if (all[i] == control) start = i;
  }
  if (!control) start = previous ? 0 : n - 1;
  for (size_t step = 1; step <= n; ++step) {
    size_t i = previous ? (start + n - step % n) % n : (start + step) % n;
    if (tab_stop(all[i])) return all[i];
  }
  return nullptr;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  std::vector<HWND> all = children(dialog);
  auto it = std::find(all.begin(), all.end(), control);
  if (it == all.end()) return nullptr;
  // The group runs from the control with WS_GROUP up to the next one with it.
  size_t first = size_t(it - all.begin());
  while (first > 0 && !(style_of(all[first]) & WS_GROUP)) --first;
  size_t last = first + 1;
  while (last < all.size() && !(style_of(all[last]) & WS_GROUP)) ++last;
  size_t n = last - first, at = size_t(it - all.begin()) - first;
  for (size_t step = 1; step < n; ++step) {
    size_t i = first + (previous ? (at + n - step) % n : (at + step) % n);
    DWORD s = style_of(all[i]);
    if ((s & WS_VISIBLE) && !(s & WS_DISABLED)) return all[i];
  }
  return control;
}

BOOL IsDialogMessage(HWND dialog, MSG* msg) {
  if (!msg || !IsWindow(dialog) || (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd))) return FALSE;
  UINT code = msg->hwnd == dialog ? 0 : UINT(SendMessage(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)));
  if (code & DLGC_WANTMESSAGE) return FALSE;
  if (msg->message == WM_KEYDOWN) {
    switch (int(msg->wParam)) {
      case VK_TAB: {
        if (code & DLGC_WANTTAB) return FALSE;
        bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
        if (HWND next = GetNextDlgTabItem(dialog, GetFocus(), back)) {
          SetFocus(next);
          if (code & DLGC_HASSETSEL || is_class(next, "Edit")) SendMessage(next, EM_SETSEL, 0, -1);
        }
        return TRUE;
      }
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN: {
        if (code & (DLGC_WANTARROWS | DLGC_WANTALLKEYS)) return FALSE;
        bool back = msg->wParam == WPARAM(VK_LEFT) || msg->wParam == WPARAM(VK_UP);
        HWND next = GetNextDlgGroupItem(dialog, msg->hwnd, back);
        if (next && next != msg->hwnd) {
          SetFocus(next);
          // Moving onto a radio button selects it.
          if (SendMessage(next, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) press(next);
        }
        return TRUE;
      }
      case VK_RETURN: {
        if (code & DLGC_WANTALLKEYS) return FALSE;
        // The focused push button, else the default button.
        HWND target = (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) ? msg->hwnd : nullptr;
        UINT id = target ? UINT(GetDlgCtrlID(target)) : LOWORD(SendMessage(dialog, DM_GETDEFID, 0, 0));
        HWND button = GetDlgItem(dialog, int(id));
        if (button && !IsWindowEnabled(button)) return TRUE;
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(WORD(id), 0), reinterpret_cast<LPARAM>(button));
        return TRUE;
      }
      case VK_ESCAPE: {
        if (code & DLGC_WANTALLKEYS) return FALSE;
        HWND cancel = GetDlgItem(dialog, IDCANCEL);
        if (cancel && !IsWindowEnabled(cancel)) return TRUE;
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), reinterpret_cast<LPARAM>(cancel));
        return TRUE;
      }
      default:
        break;
    }
  }
  if (msg->message == WM_SYSCHAR || (msg->message == WM_CHAR && !(code & (DLGC_WANTCHARS | DLGC_HASSETSEL)) &&
                                     msg->hwnd != dialog && !is_class(msg->hwnd, "Edit"))) {
    // A mnemonic: the control whose label has the letter; a label hands over to the next control.
    unsigned char letter = base::cp1250::to_lower(static_cast<unsigned char>(msg->wParam));
    std::vector<HWND> all = children(dialog);
    for (size_t i = 0; i < all.size(); ++i) {
      DWORD s = style_of(all[i]);
      if (!(s & WS_VISIBLE) || (s & WS_DISABLED) || mnemonic_of(GetWindowTextString(all[i])) != letter) continue;
      HWND target = all[i];
      if (is_class(target, "Static")) {
        target = GetNextDlgTabItem(dialog, target, FALSE);
        if (target) SetFocus(target);
        return TRUE;
      }
      SetFocus(target);
      if (SendMessage(target, WM_GETDLGCODE, 0, 0) & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON | DLGC_RADIOBUTTON)) {
        press(target);
      }
      return TRUE;
    }
    return msg->message == WM_SYSCHAR;
  }
  return FALSE;
}

HFONT DialogTemplateFont(const res::DialogResource& t) {
  if (!t.font || !*t.font || t.point_size <= 0) return nullptr;
  // One font per face and size for the whole run: dialogs share them, and a font handed out by
  // a dialog's GetFont stays valid after the dialog has gone.
  static std::map<std::pair<std::string, int>, HFONT> fonts;
  HFONT& font = fonts[{t.font, t.point_size}];
  if (!font) {
    LOGFONT lf{};
    lf.lfHeight = -MulDiv(t.point_size, 96, 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = EASTEUROPE_CHARSET;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", t.font);
    font = CreateFontIndirect(&lf);
  }
  return font;
}

void MapTemplateRect(const res::DialogResource& t, RECT* rect) {
  if (!rect) return;
  SIZE units = win::dialog_base_units(DialogTemplateFont(t));
  auto scale = [](LONG v, LONG unit, int per) { return LONG(MulDiv(int(v), int(unit), per)); };
  *rect = RECT{scale(rect->left, units.cx, 4), scale(rect->top, units.cy, 8), scale(rect->right, units.cx, 4),
               scale(rect->bottom, units.cy, 8)};
}

BOOL CreateDialogControls(HWND parent, const res::DialogResource& t) {
  // The controls draw in the dialog's font, as the dialog measures in its units.
  WPARAM font = WPARAM(SendMessage(parent, WM_GETFONT, 0, 0));
  for (const res::DialogControlResource& c : t.controls) {
    RECT r = c.rect;
    MapDialogRect(parent, &r);
    // A control shows only when its template says so (WS_VISIBLE); the others wait to be shown.
    HWND h = CreateWindowEx(c.ex_style, c.window_class, c.utf8 ? c.utf8 : "", c.style | WS_CHILD,
                            r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                            reinterpret_cast<HMENU>(std::uintptr_t(c.id)), nullptr);
    if (!h) return FALSE;
    SetWindowContextHelpId(h, c.help_id);
    if (font) SendMessage(h, WM_SETFONT, font, FALSE);
    // New windows go on top of their siblings; controls keep the template's order (the tab order).
    SetWindowPos(h, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return TRUE;
}

BOOL SetDlgItemText(HWND dialog, int id, const char* text) {
  HWND h = GetDlgItem(dialog, id);
  return h && SetWindowText(h, text);
}

UINT GetDlgItemText(HWND dialog, int id, char* buffer, int size) {
  HWND h = GetDlgItem(dialog, id);
  return h ? UINT(GetWindowText(h, buffer, size)) : 0;
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL is_signed) {
  char text[16];
  if (is_signed) {
    std::snprintf(text, sizeof text, "%d", int(value));
  } else {
    std::snprintf(text, sizeof text, "%u", value);
  }
  return SetDlgItemText(dialog, id, text);
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL is_signed) {
  if (translated) *translated = FALSE;
  HWND h = GetDlgItem(dialog, id);
  if (!h) return 0;
  std::string text = GetWindowTextString(h);
  size_t a = text.find_first_not_of(' '), b = text.find_last_not_of(' ');
  if (a == std::string::npos) return 0;
  text = text.substr(a, b - a + 1);
  char* end = nullptr;
  errno = 0;
  long long v = std::strtoll(text.c_str(), &end, 10);
  bool ok = end && *end == '\0' && errno == 0 && !text.empty();
  ok = ok && (is_signed ? (v >= INT32_MIN && v <= INT32_MAX) : (v >= 0 && v <= UINT32_MAX && text[0] != '-'));
  if (!ok) return 0;
  if (translated) *translated = TRUE;
  return UINT(v);
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND h = GetDlgItem(dialog, id);
  return h ? (SendMessage(h, BM_SETCHECK, check, 0), TRUE) : FALSE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  HWND h = GetDlgItem(dialog, id);
  return h ? UINT(SendMessage(h, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND dialog, int first, int last, int check) {
  for (int id = first; id <= last; ++id) CheckDlgButton(dialog, id, id == check ? 1 : 0);
  return TRUE;
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND h = GetDlgItem(dialog, id);
  return h ? SendMessage(h, message, wParam, lParam) : 0;
}

BOOL EndDialog(HWND dialog, int result) {
  CWnd* w = CWnd::FromHandlePermanent(dialog);
  if (w && w->IsKindOf(RUNTIME_CLASS(CDialog))) {
    static_cast<CDialog*>(w)->EndDialog(result);
    return TRUE;
  }
  return ShowWindow(dialog, SW_HIDE);
}

// --- CDialog ----------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
  ON_WM_CLOSE()
END_MESSAGE_MAP()

// Every dialog object makes sure its window class exists.
CDialog::CDialog() { register_dialog_class(); }

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {
  register_dialog_class();
}

CDialog::~CDialog() {
  if (m_hWnd) DestroyWindow();
}

BOOL CDialog::CreateFromTemplate(CWnd* pParentWnd, BOOL bChild) {
  const res::DialogResource* t = res::find_dialog(m_nIDTemplate);
  if (!t) return FALSE;
  register_dialog_class();
  RECT client{0, 0, t->rect.right - t->rect.left, t->rect.bottom - t->rect.top};
  MapTemplateRect(*t, &client);
  DWORD style = t->style & ~WS_VISIBLE;
  if (bChild) {
    style = (style & ~(WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU)) | WS_CHILD | DS_CONTROL;
  } else {
    style = (style & ~WS_CHILD) | WS_POPUP;
  }
  RECT window = client;
  if (!bChild) AdjustWindowRectEx(&window, style, FALSE, t->ex_style);
  int width = window.right - window.left, height = window.bottom - window.top;
  int x = 0, y = 0;
  if (!bChild) {
    // Modal and modeless dialogs open centred over their owner (the screen without one).
    RECT over{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (pParentWnd && pParentWnd->m_hWnd) ::GetWindowRect(pParentWnd->m_hWnd, &over);
    x = over.left + ((over.right - over.left) - width) / 2;
    y = over.top + ((over.bottom - over.top) - height) / 2;
  }
  if (!CreateEx(t->ex_style, DIALOG_CLASS, t->utf8_caption, style, x, y, width, height,
                pParentWnd ? pParentWnd->m_hWnd : nullptr, nullptr, nullptr)) {
    return FALSE;
  }
  if (HFONT font = DialogTemplateFont(*t)) SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (!CreateDialogControls(m_hWnd, *t)) {
    DestroyWindow();
    return FALSE;
  }
  SendMessage(WM_INITDIALOG, reinterpret_cast<WPARAM>(GetNextDlgTabItem(m_hWnd, nullptr, FALSE)), 0);
  return m_hWnd != nullptr;
}

BOOL CDialog::CreateDialogWindow(CWnd* pOwner) { return CreateFromTemplate(pOwner, FALSE); }

LRESULT CDialog::HandleInitDialog(WPARAM wParam, LPARAM) {
  BOOL focus_default = OnInitDialog();
  if (focus_default && wParam && ::IsWindow(reinterpret_cast<HWND>(wParam))) ::SetFocus(reinterpret_cast<HWND>(wParam));
  return focus_default;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

INT_PTR CDialog::DoModal() {
  // The owner is the top-level window of the parent (or the main window).
  CWnd* parent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
  m_bModal = TRUE;
  m_nModalResult = -1;
  INT_PTR result = -1;
  {
    framework::ModalOwner modal(parent ? parent->m_hWnd : nullptr);
    HWND owner = modal.window();
    if (CreateDialogWindow(owner ? CWnd::FromHandle(owner) : nullptr)) {
      // EndDialog may already have been called from OnInitDialog.
      if (m_bContinueModal || m_nModalResult == -1) {
        ShowWindow(SW_SHOWNORMAL);
        result = RunModalLoop(MLF_SHOWONIDLE);
      } else {
        result = m_nModalResult;
      }
      // The owner comes back before the dialog goes, so activation returns to it.
      if (m_hWnd) ShowWindow(SW_HIDE);
    }
  }
  if (m_hWnd) DestroyWindow();
  m_bModal = FALSE;
  return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  m_nIDTemplate = nIDTemplate;
  m_nIDHelp = nIDTemplate;
  m_pParentWnd = pParentWnd;
  m_bModal = FALSE;
  const res::DialogResource* t = res::find_dialog(nIDTemplate);
  // A template with WS_CHILD makes a child of the parent (a page inside another window); any
  // other a modeless dialog owned by it.
  if (!CreateFromTemplate(pParentWnd, t && (t->style & WS_CHILD) && pParentWnd)) return FALSE;
  if (t && (t->style & WS_VISIBLE)) ShowWindow(SW_SHOW);
  return TRUE;
}

void CDialog::EndDialog(int nResult) {
  if (m_bModal) {
    m_nModalResult = nResult;
    EndModalLoop(nResult);
  } else if (m_hWnd) {
    ShowWindow(SW_HIDE);
  }
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  try {
    DoDataExchange(&dx);
  } catch (const CUserException&) {
    return FALSE;
  }
  return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnClose() { SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0); }

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  // OK and Cancel reach the virtual handlers when the map has no entry for them.
  if (nCode == CN_COMMAND && !pHandlerInfo && (nID == UINT(IDOK) || nID == UINT(IDCANCEL))) {
    if (nID == UINT(IDOK)) {
      OnOK();
    } else {
      OnCancel();
    }
    return TRUE;
  }
  return FALSE;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
  return IsDialogMessage(m_hWnd, pMsg);
}

void CDialog::NextDlgCtrl() const {
  if (HWND h = GetNextDlgTabItem(m_hWnd, ::GetFocus(), FALSE)) ::SetFocus(h);
}
void CDialog::PrevDlgCtrl() const {
  if (HWND h = GetNextDlgTabItem(m_hWnd, ::GetFocus(), TRUE)) ::SetFocus(h);
}
void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
  if (pWndCtrl && pWndCtrl->m_hWnd) ::SetFocus(pWndCtrl->m_hWnd);
}
void CDialog::SetDefID(UINT nID) { SendMessage(DM_SETDEFID, nID, 0); }
DWORD CDialog::GetDefID() const { return DWORD(SendMessage(DM_GETDEFID, 0, 0)); }
void CDialog::MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }
void CDialog::CheckRadioButton(int a, int b, int c) { ::CheckRadioButton(m_hWnd, a, b, c); }
int CDialog::GetCheckedRadioButton(int a, int b) {
  for (int id = a; id <= b; ++id) {
    if (::IsDlgButtonChecked(m_hWnd, id)) return id;
  }
  return 0;
}
void CDialog::SetDlgItemText(int nID, LPCTSTR s) { ::SetDlgItemText(m_hWnd, nID, s); }
void CDialog::SetDlgItemInt(int nID, UINT v, BOOL s) { ::SetDlgItemInt(m_hWnd, nID, v, s); }
UINT CDialog::GetDlgItemInt(int nID, BOOL* t, BOOL s) const { return ::GetDlgItemInt(m_hWnd, nID, t, s); }
CString CDialog::GetDlgItemText(int nID) const {
  HWND h = ::GetDlgItem(m_hWnd, nID);
  return h ? CString(GetWindowTextString(h)) : CString();
}
void CDialog::CheckDlgButton(int nID, UINT c) { ::CheckDlgButton(m_hWnd, nID, c); }
UINT CDialog::IsDlgButtonChecked(int nID) const { return ::IsDlgButtonChecked(m_hWnd, nID); }
