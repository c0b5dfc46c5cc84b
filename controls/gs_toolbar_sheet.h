// CGSToolBarSheet: the program's customize sheet. Its button row holds a single OK button, in the
// place of the row's last button, and on the left a button that opens the keyboard-shortcut
// dialog; shortcuts changed there are saved to the user's shortcuts file and take effect in the
// main frame at once.
#pragma once

#include "platform/controls/standard_controls.h"
#include "toolkit/widgets/toolbar_sheet.h"

namespace customize_sheet {

// Where OK goes: its own size, its right edge at the right edge of `last` (the row's last button:
// Help, else Apply, else Cancel), on the row of `last`.
CRect OkButtonPlace(const CRect& ok, const CRect& last);
// The shortcut button: `width` wide at the left of the row, as far from the sheet's left edge
// (client width `clientWidth`) as `last` is from the right one.
CRect KeysButtonPlace(const CRect& last, int clientWidth, int width);

}  // namespace customize_sheet

class CGSToolBarSheet : public SECToolBarSheet {
  DECLARE_DYNAMIC(CGSToolBarSheet)

 public:
  explicit CGSToolBarSheet(UINT nIDCaption = 0, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  ~CGSToolBarSheet() override;

  // The base sheet's initialisation; then Help, Apply and Cancel are hidden, OK takes the last
  // button's place and the shortcut button is made.
  BOOL OnInitDialog() override;
  // The sheet's own handling first; a click on the shortcut button runs the shortcut dialog.
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  // The keyboard-shortcut dialog over the frame's commands and shortcuts; TRUE when it ended with
  // OK after a change (the shortcuts are then saved and installed in the main frame).
  virtual BOOL RunKeyBindingDialog();

  CButton& GetKeysButton() { return m_btnKeys; }

 private:
  CButton m_btnKeys;
};
