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
  // The number the data starts with; digits past what any field holds cannot fit anyway.
  long long value = 0;
  for (; i < data.size() && data[i] >= '0' && data[i] <= '9'; ++i) {
    if (value < 1'000'000'000'000LL) value = value * 10 + (data[i] - '0');
  }
  if (!up && value < 1) return std::nullopt;
  std::string stepped = std::to_string(up ? value + 1 : value - 1);
  if (int(stepped.size()) > capacity) return std::nullopt;
  return stepped;
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
