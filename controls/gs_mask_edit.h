// CGSMaskEdit: the masked edit field with numeric stepping: Up adds one to the number the field
// holds and Down takes one away (never below 0), before the field's own key handling. A number
// that would no longer fit the field's editable positions is not written: "9999" stays "9999".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "toolkit/widgets/mask_edit.h"

class CGSMaskEdit : public SECMaskEdit {
  DECLARE_DYNAMIC(CGSMaskEdit)

 public:
  CGSMaskEdit();
  ~CGSMaskEdit() override;

  // The length of the field's data (literals left out, prompts as blanks, trailing blanks kept),
  // with a selection as long as the data from the first editable position, which leaves the caret
  // after the data.
  int GetDataLength();

  // The data after a step: the number the data starts with (0 when it starts with no digit) plus
  // or minus one, as decimal text; nothing when the step would go below 0 or the number would
  // need more than `capacity` characters.
  static std::optional<std::string> StepValue(std::string_view data, int capacity, bool up);

 protected:
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  DECLARE_MESSAGE_MAP()

 private:
  // Selects `length` characters from the first editable position.
  void SelectData(int length);
};
