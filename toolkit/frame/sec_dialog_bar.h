// A toolkit control bar whose contents come from a dialog template of the program's resources:
// the controls of the template in its font, the bar as large as the template, shown at once only
// with WS_VISIBLE. The saved layout keeps the template id, so a dialog bar the frame lacks is made
// again from it.
#pragma once

#include "toolkit/frame/sec_control_bar.h"

class SECDialogBar : public SECControlBar {
  DECLARE_SERIAL(SECDialogBar)

 public:
  SECDialogBar();
  ~SECDialogBar() override;

  using SECControlBar::Create;
  // Makes the bar from the template `nIDTemplate`; FALSE when the program has no such template
  // or the window cannot be made.
  virtual BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, DWORD dwExStyle, UINT nID);
  // The dialog-control information of embedded controls (none on this platform): kept.
  virtual BOOL SetOccDialogInfo(void* pOccDialogInfo);
  // The controls of the template take their state from the target's update handlers.
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  // The saved record keeps the template id.
  void GetBarInfo(CControlBarInfo* pInfo) override;

  UINT GetTemplateID() const { return m_nIDTemplate; }
  // The template's size in pixels.
  CSize GetTemplateSize() const { return m_sizeTemplate; }

  UINT m_nIDTemplate = 0;
  void* m_pOccDialogInfo = nullptr;
  UINT m_nIDLoading = 0;

 protected:
  CSize m_sizeTemplate{0, 0};
  HFONT m_hFont = nullptr;  // the template's font (shared, never deleted)

  afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()
};
