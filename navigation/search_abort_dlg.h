// CSearchAbortDlg ("Trwa przeszukiwanie..."): the progress window of a full-text query. It plays
// its animation while the engine searches, disables its owner (the query page) for that time, and
// "Przerwij" or Esc asks the search to stop through the work's abort flag.
//
// The poll callback (GetYieldCallback) is what the engine calls before each read of the full-text
// index: it dispatches the waiting messages, at most the user's number per poll, and stops the
// search when the abort flag is set. A quit message met on the way stops the search too, and is
// left in the queue for the program's own loop.
#pragma once

#include "engine/fts/common/fts_file.h"
#include "platform/controls/animate_ctrl.h"
#include "platform/framework/dialog.h"

class CLumoKALDoc;
class CGTFQueryPage;

class CSearchAbortDlg : public CDialog {
  DECLARE_DYNAMIC(CSearchAbortDlg)

 public:
  // The code the callback returns to stop a search.
  static constexpr int32_t kStopSearch = 2009;

  // Creates the window modeless and disables the owner (when there is one).
  explicit CSearchAbortDlg(CGTFQueryPage* pOwner);
  // Enables the owner again; the window goes.
  ~CSearchAbortDlg() override;

  static fts::FtsPollCallback GetYieldCallback();
  // Whether a message would close a window, the work or the program (WM_CLOSE, the close system
  // command, Alt+F4, Ctrl+F4, the close and exit commands): while a search runs such a message
  // stops the search and waits in the queue until the query has returned.
  static bool IsCloseRequest(const MSG& msg);
  // The callback itself: `user` is the work (0: go on).
  static int32_t PollCallback(intptr_t user, fts::FtsError* error);

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnDestroy();

  CAnimateCtrl m_animation;
  UINT_PTR m_nTimer = 0;
  CLumoKALDoc* m_pWork = nullptr;
  CGTFQueryPage* m_pOwner = nullptr;

  DECLARE_MESSAGE_MAP()
};
