// The main window's status bar: seven panes at fixed indexes (gs_status_panes.h), a date pane that
// keeps itself current, a tip over each pane, double-click shortcuts (help, go-to, query, the Num
// and Caps Lock keys, options), Num/Caps panes that follow the lock state the program tracks from
// key events, and a progress control laid over one pane for long work.
//
// CProgressBar is a progress control that places itself in the message pane of the main window's
// status bar after a label.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/controls/progress_ctrl.h"
#include "platform/framework/tool_tips.h"
#include "toolkit/frame/sec_status_bar.h"

// Options of CGSStatusBar::Create.
constexpr DWORD GSSB_PROGRESS = 4;  // the bar carries a progress control
// The progress control's child id.
constexpr UINT IDC_GS_STATUS_PROGRESS = 2004;

class CGSStatusBar : public SECCustomStatusBar {
 public:
  CGSStatusBar();
  ~CGSStatusBar() override;

  // Creates the window when there is none yet, then (re)makes the progress control for `options`
  // and `progressPane` and switches the tips on. FALSE when a step fails.
  using SECCustomStatusBar::Create;
  BOOL Create(CWnd* pParentWnd, DWORD options, int progressPane);

  // The tip of a pane; empty when it has none.
  virtual void GetPaneTip(CString& text, int pane) const;
  // Creates the hidden progress control when the options ask for it.
  virtual BOOL CreateProgress();
  // A step for derived bars after the progress control is made.
  virtual BOOL CreateExtra();
  // Destroys the progress control's window.
  virtual void ResetProgress();
  // Moves the progress control onto its pane.
  virtual void PlaceProgress();
  // Position -1 hides the progress and puts the idle text back in pane 0; otherwise a positive
  // range becomes the control's range (the full 32-bit value), and the control shows `position`.
  virtual void SetProgress(int position, int range);
  // Sets a pane's text (a string of the table, or the text itself) and repaints the bar at once.
  virtual void SetPaneTextId(UINT nStringId, int pane);
  virtual void SetPaneTextNow(LPCTSTR text, int pane);

  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

  // The application's values: which date the date pane shows, and the legal-state date (a time
  // value of the user settings) it shows in date mode 0.
  void SetDateMode(int mode) { m_nDateMode = mode; }
  int GetDateMode() const { return m_nDateMode; }
  void SetLegalStateTime(int64_t time) { m_legalStateTime = time; }
  const CString& GetDateFormat() const { return m_strDateFormat; }

  CProgressCtrl* GetPaneProgress() const { return m_pPaneProgress.get(); }
  CToolTipCtrl* GetToolTips() const { return m_pTips.get(); }
  DWORD GetOptions() const { return m_dwOptions; }
  int GetProgressPane() const { return m_nProgressPane; }

 protected:
  // Steps for derived bars after the progress is reset and after it is placed.
  virtual void AfterResetProgress() {}
  virtual void AfterPlaceProgress() {}

  afx_msg void OnUpdateDate(CCmdUI* pCmdUI);
  afx_msg void OnUpdateLockKey(CCmdUI* pCmdUI);
  afx_msg void OnUpdateWrittenPane(CCmdUI* pCmdUI);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnMouseLeave();

  // The first pane whose rectangle (as the control gives it) holds a client point, or -1.
  int PaneAt(CPoint point) const;
  // Relays a mouse message of the bar to its tips.
  void RelayToTips(UINT message, WPARAM wParam, CPoint point);

  std::unique_ptr<CProgressCtrl> m_pPaneProgress;
  std::unique_ptr<CToolTipCtrl> m_pTips;
  CString m_strDateFormat;
  DWORD m_dwOptions = 0;
  int m_nProgressPane = -1;
  int m_nDateMode = 1;
  int64_t m_legalStateTime = 0;
  int m_nLastTip = -1;  // the pane whose tip is the tool now
  bool m_bTipLeave = false;  // asked to be told when the mouse leaves
  mutable CString m_tipText;  // the text the last hit test handed out

  DECLARE_MESSAGE_MAP()
};

class CProgressBar : public CProgressCtrl {
  DECLARE_DYNCREATE(CProgressBar)

 public:
  CProgressBar();
  ~CProgressBar() override;

  void SetLabel(LPCTSTR label) { m_strLabel = label; }
  const CString& GetLabel() const { return m_strLabel; }
  void SetWidthPercent(int percent) { m_nPercent = percent; }
  int GetWidthPercent() const { return m_nPercent; }

  // The main window's status bar, or null.
  static CWnd* MainStatusBar();

 protected:
  // Puts the label into the bar and moves the control onto pane 0 after it.
  void Place();

  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnDestroy();
  afx_msg LRESULT OnRepaint(WPARAM wParam, LPARAM lParam);

  CString m_strLabel;
  int m_nPercent = 50;

  DECLARE_MESSAGE_MAP()
};
