// "Dodaj do wydruku": adds the place a text sheet shows to the work's print list, as the visible
// editorial unit or as the whole act, and its rows to the print list's tab.
#pragma once

#include <memory>
#include <vector>

#include "controls/base/gs_dialog.h"
#include "engine/medview/viewer.h"
#include "shell/work_items.h"

class CLumoKALView;

class CPrintmarkQuickDlg : public CGSDialog {
 public:
  CPrintmarkQuickDlg(std::vector<std::unique_ptr<CMvPrintmarkItem>>* pList, medview::ViewerHandle viewer,
                     CLumoKALView* pView, CWnd* pParent = nullptr);

  // The choice ticked: one of the four radio buttons' ids.
  UINT GetChoice() const;

 protected:
  BOOL OnInitDialog() override;
  afx_msg void OnAdd();

 private:
  std::vector<std::unique_ptr<CMvPrintmarkItem>>* m_pList;
  medview::ViewerHandle m_pViewer;
  CLumoKALView* m_pView;
  int32_t m_nTopic = -1;

  DECLARE_MESSAGE_MAP()
};

// The text view's add-to-print-list: the dialog over the view's text pane; TRUE when a place was
// added.
BOOL AddViewPlaceToPrintList(CLumoKALView* pView);
