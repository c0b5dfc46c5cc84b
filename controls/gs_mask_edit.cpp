#include "controls/gs_mask_edit.h"

#include "platform/win/virtual_keys.h"

IMPLEMENT_DYNAMIC(CGSMaskEdit, SECMaskEdit)

BEGIN_MESSAGE_MAP(CGSMaskEdit, SECMaskEdit)
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

CGSMaskEdit::CGSMaskEdit() = default;

CGSMaskEdit::~CGSMaskEdit() = default;

std::optional<std::string> CGSMaskEdit::StepValue(std::string_view data, int capacity, bool up) {
  size_t i = 0;
  while (i < data.size() && data[i] == ' ') ++i;
  // The number's digits without leading zeros, stepped as text so that no field is too long.
  std::string number;
  for (; i < data.size() && data[i] >= '0' && data[i] <= '9'; ++i) {
    if (!number.empty() || data[i] != '0') number += data[i];
  }
  if (number.empty()) number = "0";
  if (up) {
    size_t at = number.size();
    while (at > 0 && number[at - 1] == '9') number[--at] = '0';
    if (at == 0) {
      number.insert(number.begin(), '1');
    } else {
      ++number[at - 1];
    }
  } else {
    if (number == "0") return std::nullopt;
    size_t at = number.size();
    while (number[at - 1] == '0') number[--at] = '9';
    --number[at - 1];
    if (number.size() > 1 && number[0] == '0') number.erase(0, 1);
  }
  if (int(number.size()) > capacity) return std::nullopt;
  return number;
}

void CGSMaskEdit::SelectData(int length) { MoveCaret(-1, 1, length); }

int CGSMaskEdit::GetDataLength() {
  CString data;
  GetData(data, FALSE);
  SelectData(data.GetLength());
  return data.GetLength();
}

void CGSMaskEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == UINT(VK_UP) || nChar == UINT(VK_DOWN)) {
    CString data;
    GetData(data, FALSE);
    if (auto stepped = StepValue(data.view(), data.GetLength(), nChar == UINT(VK_UP))) {
      SetData(stepped->c_str(), 0, FALSE, TRUE);
      SelectData(int(stepped->size()));
    }
  }
  SECMaskEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}
