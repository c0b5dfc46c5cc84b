// The customize sheet's page of user tools ("Narzędzia"): the tools menu's entries in a list with
// buttons to add (at most nine), remove and move them, and the fields of the chosen tool. The page
// edits copies; the caller's list receives them when the page's data is stored.
#pragma once

#include <memory>

#include "controls/base/gs_property_page.h"
#include "platform/controls/standard_controls.h"
#include "toolkit/widgets/user_tool.h"

class SECToolListPage : public CGSPropertyPage {
 public:
  SECToolListPage(SECUserToolList* list, UINT template_id, UINT caption_id = 0);

  int GetToolCount() const { return static_cast<int>(tools_.size()); }
  const SECUserTool* GetTool(int index) const { return tools_[index].get(); }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;

  afx_msg void OnSelectionChanged();
  afx_msg void OnMenuTextChanged();
  afx_msg void OnMenuTextLeft();
  afx_msg void OnAdd();
  afx_msg void OnRemove();
  afx_msg void OnMoveUp();
  afx_msg void OnMoveDown();
  DECLARE_MESSAGE_MAP()

 private:
  void refill_list(int select);
  void store_fields();
  void show_fields();
  void update_controls();
  void move(int by);

  SECUserToolList* list_;
  SECUserToolList tools_;  // the list box's tools, in its order
  SECUserTool* edited_ = nullptr;
  CListBox box_;
  bool filling_ = false;
};
