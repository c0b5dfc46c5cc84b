// Dialog data exchange and validation: DoDataExchange moves values between member variables and
// controls in both directions (m_bSaveAndValidate), checks them on the way in, and on a bad
// value tells the user (through the prompter), puts the focus on the control and fails the
// exchange (Fail throws CUserException, caught by UpdateData).
#pragma once

#include <exception>

#include "platform/base/cstring.h"
#include "platform/win/cwnd.h"

class CUserException : public std::exception {
 public:
  const char* what() const noexcept override { return "data exchange failed"; }
};

// A control or a request the program cannot work with (a data exchange given the wrong kind of
// control).
class CNotSupportedException : public std::exception {
 public:
  const char* what() const noexcept override { return "not supported"; }
};
[[noreturn]] inline void AfxThrowNotSupportedException() { throw CNotSupportedException(); }

class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
      : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  HWND m_hWndLastControl = nullptr;
  BOOL m_bEditLastControl = FALSE;

  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  // Focuses the last control (selecting an edit's text) and throws CUserException.
  [[noreturn]] void Fail();
};

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The index of the checked button in the group that starts at `nIDC` (-1 for none).
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// Attaches `rControl` to the control (once).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal);
void DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars);
