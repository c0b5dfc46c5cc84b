#include "controls/num_edit.h"

#include <algorithm>
#include <cfloat>
#include <cstdlib>
#include <string>

#include "controls/number_field_text.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/prompter.h"
#include "platform/win/message_queue.h"

namespace {

// The messages of a verbose field; the program shows them as they stand.
constexpr const char* kOutOfRangeText = "Given value is out of range.\n";
constexpr const char* kNotANumberText = "Characters must be a number.\n";

CString window_text(const CWnd& wnd) {
  CString text;
  wnd.GetWindowText(text);
  return text;
}

}  // namespace

// --- CNumEdit -----------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CNumEdit, CEdit)

BEGIN_MESSAGE_MAP(CNumEdit, CEdit)
  ON_WM_CHAR()
END_MESSAGE_MAP()

CNumEdit::CNumEdit() : m_fMinValue(-FLT_MAX), m_fMaxValue(FLT_MAX) {}

CNumEdit::~CNumEdit() = default;

void CNumEdit::ChangeValue(float steps) {
  double value = GetValue() + double(steps) * double(m_fDelta);
  SetValue(std::clamp(value, double(m_fMinValue), double(m_fMaxValue)));
}

float CNumEdit::GetDelta() const { return m_fDelta; }

void CNumEdit::SetDelta(float step) { m_fDelta = step; }

void CNumEdit::GetRange(float& minimum, float& maximum) const {
  minimum = m_fMinValue;
  maximum = m_fMaxValue;
}

void CNumEdit::SetRange(float minimum, float maximum) {
  m_fMinValue = minimum;
  m_fMaxValue = maximum;
}

int CNumEdit::GetVerbose() const { return m_nVerbose; }

void CNumEdit::SetVerbose(int verbose) { m_nVerbose = verbose; }

void CNumEdit::SetDecimalPlaces(int count) { m_nDecimalPlaces = std::max(0, count); }

int CNumEdit::GetDecimalPlaces() const { return m_nDecimalPlaces; }

int CNumEdit::Check(std::string_view text, bool tell) {
  int result = number_field::CheckText(text, m_fMinValue, m_fMaxValue);
  if (tell && m_nVerbose && result != number_field::kTextValid) {
    AfxMessageBox(result == number_field::kTextOutOfRange ? kOutOfRangeText : kNotANumberText, MB_ICONERROR);
  }
  return result;
}

int CNumEdit::IsValid(const CString& text) { return Check(text.GetString(), true); }

int CNumEdit::IsValid() {
  CString text = window_text(*this);
  return Check(number_field::NumberPart(text.GetString()), true);
}

BOOL CNumEdit::SetValue(double value) {
  // Written so that NaN is outside every range.
  if (!(value >= m_fMinValue && value <= m_fMaxValue)) return FALSE;
  CString format;
  ConstructFormat(format, value);
  m_dLastValue = value;
  SetWindowText(number_field::FieldText(value, m_nDecimalPlaces));
  return TRUE;
}

double CNumEdit::GetValue() {
  CString text = window_text(*this);
  std::string_view number = number_field::NumberPart(text.GetString());
  double value = 0;
  if (Check(number, false) == number_field::kTextValid && number_field::ParseDecimal(number, value)) {
    m_dLastValue = value;
  }
  return m_dLastValue;
}

void CNumEdit::ConstructFormat(CString& format, double value) {
  m_nDecimalPlaces = std::max(m_nDecimalPlaces, number_field::DecimalsShown(value));
  format.Format("%%.%df", m_nDecimalPlaces);
}

void CNumEdit::OnChar(UINT nChar, UINT, UINT) {
  if (nChar == ' ') return;
  double before = GetValue();
  Default();
  if (!m_hWnd) return;
  if (IsValid() != number_field::kTextValid) {
    // The text goes back to the value it had; the rest of a fast typed sequence is dropped.
    SetValue(std::clamp(before, double(m_fMinValue), double(m_fMaxValue)));
    SetSel(0, -1);
    MSG pending;
    while (::PeekMessage(&pending, m_hWnd, WM_CHAR, WM_CHAR, PM_REMOVE)) {
    }
    return;
  }
  CString format;
  ConstructFormat(format, GetValue());
}

// --- CNumSpinCtrl -------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CNumSpinCtrl, CSpinButtonCtrl)

BEGIN_MESSAGE_MAP(CNumSpinCtrl, CSpinButtonCtrl)
  ON_NOTIFY_REFLECT(UDN_DELTAPOS, &CNumSpinCtrl::OnDeltaPos)
END_MESSAGE_MAP()

CNumSpinCtrl::CNumSpinCtrl() = default;

CNumSpinCtrl::~CNumSpinCtrl() = default;

CNumEdit* CNumSpinCtrl::NumBuddy() const {
  CWnd* buddy = CSpinButtonCtrl::GetBuddy();
  if (!buddy || !buddy->IsKindOf(RUNTIME_CLASS(CNumEdit))) return nullptr;
  return static_cast<CNumEdit*>(buddy);
}

void CNumSpinCtrl::SetDelta(float step) {
  if (CNumEdit* buddy = NumBuddy()) buddy->SetDelta(step);
}

float CNumSpinCtrl::GetDelta() {
  CNumEdit* buddy = NumBuddy();
  return buddy ? buddy->GetDelta() : 0.0f;
}

CWnd* CNumSpinCtrl::SetBuddy(CWnd* pWndBuddy) {
  CWnd* previous = CSpinButtonCtrl::SetBuddy(pWndBuddy);
  if (CNumEdit* buddy = NumBuddy()) buddy->SetValue(0.0);
  return previous;
}

CWnd* CNumSpinCtrl::GetBuddy() const { return CSpinButtonCtrl::GetBuddy(); }

void CNumSpinCtrl::GetRange(float& minimum, float& maximum) {
  if (CNumEdit* buddy = NumBuddy()) buddy->GetRange(minimum, maximum);
}

void CNumSpinCtrl::SetRange(float minimum, float maximum) {
  CSpinButtonCtrl::SetRange32(0, kRangeEnd);
  if (CNumEdit* buddy = NumBuddy()) buddy->SetRange(minimum, maximum);
}

double CNumSpinCtrl::GetPos() {
  CNumEdit* buddy = NumBuddy();
  return buddy ? buddy->GetValue() : 0.0;
}

BOOL CNumSpinCtrl::SetPos(double value) {
  CSpinButtonCtrl::SetPos(kMiddle);
  CNumEdit* buddy = NumBuddy();
  return buddy ? buddy->SetValue(value) : FALSE;
}

void CNumSpinCtrl::OnDeltaPos(NMHDR* pNMHDR, LRESULT* pResult) {
  auto* notice = reinterpret_cast<NMUPDOWN*>(pNMHDR);
  // The control's own position never reaches an end of its range, so every arrow keeps working.
  const int step = std::abs(notice->iDelta);
  if (step >= notice->iPos || notice->iPos >= kRangeEnd - step) {
    CSpinButtonCtrl::SetPos(kMiddle);
    notice->iPos = kMiddle;
  }
  if (CNumEdit* buddy = NumBuddy()) buddy->ChangeValue(float(notice->iDelta));
  *pResult = 0;
}
