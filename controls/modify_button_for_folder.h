// CModifyButtonForFolder: the "..." button beside a folder field (CGetFolderControl). A click lets
// the user pick another folder for the field; its tool tip says "Zmień".
#pragma once

#include "platform/controls/standard_controls.h"
#include "platform/framework/tool_tips.h"

class CGetFolderControl;

class CModifyButtonForFolder : public CButton {
  DECLARE_DYNAMIC(CModifyButtonForFolder)

 public:
  explicit CModifyButtonForFolder(CGetFolderControl& field);
  ~CModifyButtonForFolder() override;

  // Makes the button to the right of the field, as high as the field and 8/10 of its height
  // wide, as child 100 of the field's parent in the parent's font, with its tool tip.
  BOOL CreateBeside();
  const CToolTipCtrl& GetToolTip() const { return m_tip; }

  static constexpr UINT kButtonId = 100;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  afx_msg void OnClicked();
  DECLARE_MESSAGE_MAP()

 private:
  CGetFolderControl& m_field;
  CToolTipCtrl m_tip;
};
