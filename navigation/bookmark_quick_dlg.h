// CBookmarkQuickDlg ("Nowa zakładka"): the text view's "Dodaj zakładkę..." asks for the name of a
// bookmark of the place its viewer shows. The dialog shows the act's address, kind and date,
// proposes its title as the name, and "&Dodaj" appends the bookmark to the work and its row to the
// bookmarks tab. It opens where it was last closed ("BookmarkQuickPos").
#pragma once

#include <memory>
#include <vector>

#include "controls/base/gs_dialog.h"
#include "engine/medview/viewer.h"
#include "shell/core/contents_reader.h"
#include "shell/work_items.h"

class CBookmarkQuickDlg : public CGSDialog {
 public:
  static constexpr int kNameLimit = 250;

  // `bookmarks` the work's list; `viewer` and `title` the place; `description` the view's
  // description of the act it shows.
  CBookmarkQuickDlg(std::vector<std::unique_ptr<CMvBookmarkItem>>* bookmarks, medview::ViewerHandle viewer,
                    title::TitleHandle* title, const shell::ActDescription& description, CWnd* pParent = nullptr);
  ~CBookmarkQuickDlg() override;

  // The bookmark "&Dodaj" appended, or null.
  const CMvBookmarkItem* GetAdded() const { return m_pAdded; }

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;
  void RestorePlacement();
  void SavePlacement();

  afx_msg void OnAdd();
  afx_msg void OnClose();

  std::vector<std::unique_ptr<CMvBookmarkItem>>* m_pBookmarks;
  medview::ViewerHandle m_viewer;
  title::TitleHandle* m_pTitle;
  shell::ActDescription m_description;
  const CMvBookmarkItem* m_pAdded = nullptr;

  DECLARE_MESSAGE_MAP()
};
