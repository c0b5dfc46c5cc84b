// The page "Mysz" of the toolbar-customize sheet: for each kind of sheet, whether a double-click of
// the left button does the default thing or runs a command chosen from a list. It edits the
// process's mouse-command manager directly; the manager's assignments are stored when the main
// frame closes.
#pragma once

#include <memory>
#include <vector>

#include "controls/base/gs_property_page.h"
#include "controls/mouse_manager.h"
#include "platform/controls/image_list.h"
#include "platform/controls/list_ctrl.h"
#include "platform/controls/standard_controls.h"

// A command that may be chosen: its id, the name the list shows and a description.
class CMouseCommandId : public CObject {
 public:
  CMouseCommandId(int id, const CString& name, const CString& description)
      : m_nId(id), m_strName(name), m_strDescription(description) {}
  int m_nId;
  CString m_strName;
  CString m_strDescription;
};

using CMouseCommandList = std::vector<std::unique_ptr<CMouseCommandId>>;

class CMousePage : public CGSPropertyPage {
  DECLARE_DYNCREATE(CMousePage)

 public:
  CMousePage();
  ~CMousePage() override;

  // The lists the main frame fills before the sheet runs (the page does not own them).
  CMouseCommandList* m_pTextCommands = nullptr;
  CMouseCommandList* m_pPictureCommands = nullptr;
  CString m_strDescription;
  int m_nContext = -1;

  // The commands offered for text and picture sheets, as the customize command gives them.
  static CMouseCommandList TextSheetCommands();
  static CMouseCommandList PictureSheetCommands();
  // The status prompt of a command: its string up to the first line break.
  static CString PromptOf(int command);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  void OnDefaultChosen();
  void OnUserChosen();
  void OnCommandPicked();
  void OnContextChanged();
  // Enables and clears (when disabled) the command list and description.
  void EnableCommands(BOOL bEnable);

  CImageList m_images;
  CListCtrl m_contexts;
  CListBox m_commands;
  CStatic m_description;

  DECLARE_MESSAGE_MAP()
};
