#include "controls/margin_exchange.h"

#include <algorithm>

#include "controls/num_edit.h"
#include "controls/number_field_text.h"
#include "platform/framework/data_exchange.h"
#include "platform/framework/prompter.h"
#include "platform/res/resource_store.h"
#include "resources/controls_ids.h"

namespace {

// The longest margin text read from a field.
constexpr int kMarginTextLimit = 64;
// The help context of the range messages.
constexpr UINT kRangeMessageHelp = 0xE000;

void fail_with_range(CDataExchange* pDX, UINT message, const CString& minimum, const CString& maximum) {
  CString text;
  AfxFormatString2(text, message, minimum, maximum);
  AfxMessageBox(text, MB_ICONEXCLAMATION, kRangeMessageHelp);
  pDX->Fail();
}

}  // namespace

namespace margins {

void ShowMargin(HWND field, UINT millimetres) {
  double centimetres = millimetres / 10.0;
  int decimals = number_field::DecimalsShown(centimetres);
  CWnd* wnd = CWnd::FromHandlePermanent(field);
  if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CNumEdit))) {
    auto* edit = static_cast<CNumEdit*>(wnd);
    CString format;
    edit->ConstructFormat(format, centimetres);
    decimals = edit->GetDecimalPlaces();
  }
  ::SetWindowText(field, number_field::FieldText(centimetres, decimals));
}

}  // namespace margins

void DDX_Margin(CDataExchange* pDX, int nIDC, UINT& millimetres) {
  HWND field = pDX->PrepareEditCtrl(nIDC);
  if (!field) return;
  if (!pDX->m_bSaveAndValidate) {
    millimetres = margins::OrDefault(millimetres);
    margins::ShowMargin(field, millimetres);
    return;
  }
  char buffer[kMarginTextLimit + 1] = {};
  ::GetWindowText(field, buffer, int(sizeof buffer));
  std::string_view text(buffer);
  if (text.find_first_not_of(' ') == std::string_view::npos) {
    millimetres = margins::kDefaultMargin;
    return;
  }
  UINT read = 0;
  if (!number_field::ParseCentimetres(text.substr(text.find_first_not_of(' ')), read)) {
    AfxMessageBox(resources::IDS_MARGIN_INVALID, MB_ICONINFORMATION);
    pDX->Fail();
  }
  millimetres = read;
}

void DDV_Margin(CDataExchange* pDX, UINT millimetres, UINT minimum, UINT maximum) {
  if (!pDX->m_bSaveAndValidate || (millimetres >= minimum && millimetres <= maximum)) return;
  fail_with_range(pDX, resources::IDS_MARGIN_RANGE, number_field::FormatCentimetres(int(minimum), 1),
                  number_field::FormatCentimetres(int(maximum), 1));
}

void DDV_NotesMargin(CDataExchange* pDX, UINT millimetres, UINT minimum, UINT maximum) {
  if (!pDX->m_bSaveAndValidate || (millimetres >= minimum && millimetres <= maximum)) return;
  CString low, high;
  low.Format("%u", minimum / 10);
  high.Format("%u", maximum / 10);
  fail_with_range(pDX, resources::IDS_NOTES_MARGIN_RANGE, low, high);
}
