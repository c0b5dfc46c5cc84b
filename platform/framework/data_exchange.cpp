#include "platform/framework/data_exchange.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/base/cp1250.h"
#include "platform/base/number_text.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/prompter.h"

namespace {

// A Polish message (UTF-8 here) with printf arguments, in CP1250.
template <typename... Args>
CString message(const char* utf8, Args... args) {
  std::string format = base::cp1250::from_utf8(utf8);
  char buffer[256];
  // Every caller passes a literal; only its code page changes here.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-security"
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  std::snprintf(buffer, sizeof buffer, format.c_str(), args...);
#pragma GCC diagnostic pop
  return CString(buffer);
}

std::string trimmed(const std::string& s) {
  size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
  return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

// Reads a whole signed integer; false for anything else (also out of range).
bool parse_integer(const std::string& text, long long low, long long high, long long& out) {
  std::string t = trimmed(text);
  if (t.empty()) return false;
  char* end = nullptr;
  errno = 0;
  long long v = std::strtoll(t.c_str(), &end, 10);
  if (errno || !end || *end || v < low || v > high) return false;
  out = v;
  return true;
}

std::string control_text(HWND h) { return GetWindowTextString(h); }

}  // namespace

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND h = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
  m_hWndLastControl = h;
  m_bEditLastControl = FALSE;
  return h;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND h = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return h;
}

void CDataExchange::Fail() {
  if (!m_bSaveAndValidate) throw CUserException();
  if (m_hWndLastControl && ::IsWindow(m_hWndLastControl)) {
    ::SetFocus(m_hWndLastControl);
    if (m_bEditLastControl) ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
  }
  throw CUserException();
}

namespace {
// The control of `nIDC`, or a failed exchange when the dialog lacks it.
HWND control(CDataExchange* pDX, int nIDC, bool edit) {
  HWND h = edit ? pDX->PrepareEditCtrl(nIDC) : pDX->PrepareCtrl(nIDC);
  if (!h) throw CUserException();
  return h;
}

void fail_with(CDataExchange* pDX, const CString& text) {
  AfxMessageBox(text, MB_ICONEXCLAMATION);
  pDX->Fail();
}
}  // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND h = control(pDX, nIDC, true);
  if (pDX->m_bSaveAndValidate) {
    value = CString(control_text(h));
  } else {
    ::SetWindowText(h, value);
  }
}

namespace {
template <typename T>
void ddx_integer(CDataExchange* pDX, int nIDC, T& value, long long low, long long high, const char* format) {
  HWND h = control(pDX, nIDC, true);
  if (pDX->m_bSaveAndValidate) {
    long long v = 0;
    if (!parse_integer(control_text(h), low, high, v)) fail_with(pDX, message("Wprowadź liczbę całkowitą."));
    value = T(v);
  } else {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    ::SetWindowText(h, text);
  }
}
}  // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { ddx_integer(pDX, nIDC, value, INT32_MIN, INT32_MAX, "%d"); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { ddx_integer(pDX, nIDC, value, INT32_MIN, INT32_MAX, "%ld"); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { ddx_integer(pDX, nIDC, value, 0, UINT32_MAX, "%u"); }

void DDX_Text(CDataExchange* pDX, int nIDC, double& value) {
  HWND h = control(pDX, nIDC, true);
  if (pDX->m_bSaveAndValidate) {
    // A decimal comma is accepted as well as a point, whatever the C library's locale.
    double v = 0;
    if (!base::parse_double(control_text(h), v, true)) fail_with(pDX, message("Wprowadź liczbę."));
    value = v;
  } else {
    ::SetWindowText(h, base::format_c("%.15g", value).c_str());
  }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND h = control(pDX, nIDC, false);
  if (pDX->m_bSaveAndValidate) {
    value = int(::SendMessage(h, BM_GETCHECK, 0, 0));
  } else {
    // Only the three button states exist; another value shows unchecked.
    ::SendMessage(h, BM_SETCHECK, (value >= 0 && value <= 2) ? WPARAM(value) : 0, 0);
  }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  HWND first = control(pDX, nIDC, false);
  if (pDX->m_bSaveAndValidate) value = -1;
  int index = 0;
  // The group: the first button and those after it up to the next WS_GROUP.
  for (HWND h = first; h; h = ::GetWindow(h, GW_HWNDNEXT), ++index) {
    if (h != first && (::GetWindowLongPtr(h, GWL_STYLE) & WS_GROUP)) break;
    if (!(::SendMessage(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) continue;
    if (pDX->m_bSaveAndValidate) {
      if (::SendMessage(h, BM_GETCHECK, 0, 0)) value = index;
    } else {
      ::SendMessage(h, BM_SETCHECK, index == value ? 1 : 0, 0);
    }
  }
}

namespace {
void ddx_index(CDataExchange* pDX, int nIDC, int& index, UINT get, UINT set) {
  HWND h = control(pDX, nIDC, false);
  if (pDX->m_bSaveAndValidate) {
    index = int(::SendMessage(h, get, 0, 0));
  } else {
    ::SendMessage(h, set, WPARAM(index), 0);
  }
}
}  // namespace

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) { ddx_index(pDX, nIDC, index, LB_GETCURSEL, LB_SETCURSEL); }
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) { ddx_index(pDX, nIDC, index, CB_GETCURSEL, CB_SETCURSEL); }

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd) return;
  HWND h = control(pDX, nIDC, false);
  rControl.SubclassWindow(h);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  fail_with(pDX, message("Wprowadź liczbę całkowitą z przedziału od %d do %d.", minVal, maxVal));
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  fail_with(pDX, message("Wprowadź liczbę całkowitą z przedziału od %u do %u.", minVal, maxVal));
}

void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  fail_with(pDX, message("Wprowadź liczbę z przedziału od %s do %s.", base::format_c("%g", minVal).c_str(),
                         base::format_c("%g", maxVal).c_str()));
}

void DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars) {
  if (!pDX->m_bSaveAndValidate) {
    if (pDX->m_hWndLastControl) ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, WPARAM(nChars), 0);
    return;
  }
  if (value.GetLength() <= nChars) return;
  fail_with(pDX, message("Wprowadź nie więcej niż %d znaków.", nChars));
}
