// Property sheets: a dialog with a tab control over pages (each page a child dialog from its own
// template) and OK, Cancel and Apply buttons (no Apply with PSH_NOAPPLYNOW; a Help button with
// PSH_HASHELP, which asks the active page with PSN_HELP, turned into the ID_HELP command). Leaving a page runs
// its OnKillActive (data exchange and validation by default); a page that refuses keeps the sheet
// on it. OK validates the active page, then every page's OnOK runs; Apply does the same without
// closing and greys Apply again. The tab control is a real child window (AFX_IDC_TAB_CONTROL,
// GetTabControl, PSM_GETTABCONTROL) that a derived sheet may subclass: the sheet selects tabs
// with TCM_SETCURSEL and follows its TCN_SELCHANGING and TCN_SELCHANGE notifications. Pages also
// answer PSN_KILLACTIVE and PSN_SETACTIVE sent to them as WM_NOTIFY. The tab control's window
// class must be registered first (controls::register_standard_controls does it).
//
// Wizards (SetWizardMode before the sheet is made): no tabs; the pages follow one another over
// one area, above an etched line and the buttons "< Wstecz", "Dalej >" (or "Zakończ" in its
// place) and "Anuluj". The active page says which of them are offered (SetWizardButtons,
// PSWIZB_). Back and Next ask the page (PSN_WIZBACK, PSN_WIZNEXT, answered by OnWizardBack and
// OnWizardNext: 0 for the page before or after, -1 to stay, or the template id of the page to go
// to); Next and Finish first have the page agree to be left (OnKillActive). Finish asks
// PSN_WIZFINISH (OnWizardFinish: FALSE stays) and ends the sheet with ID_WIZFINISH. Enter presses
// Next or Finish, whichever is offered.
#pragma once

#include <vector>

#include "platform/framework/tab_control_messages.h"
#include "platform/framework/dialog.h"

constexpr DWORD PSH_WIZARD = 0x00000020;
constexpr DWORD PSH_NOAPPLYNOW = 0x00000080;
constexpr DWORD PSH_HASHELP = 0x00000200;
constexpr UINT PSM_SETWIZBUTTONS = WM_USER + 112;  // lParam: PSWIZB_ flags
constexpr UINT PSM_GETTABCONTROL = WM_USER + 116;
constexpr UINT PSM_SETFINISHTEXT = WM_USER + 121;  // lParam: the text (CP1250)
constexpr UINT PSN_FIRST = UINT(-200);
constexpr UINT PSN_SETACTIVE = PSN_FIRST - 0;
constexpr UINT PSN_KILLACTIVE = PSN_FIRST - 1;
constexpr UINT PSN_HELP = PSN_FIRST - 5;
constexpr UINT PSN_WIZBACK = PSN_FIRST - 6;
constexpr UINT PSN_WIZNEXT = PSN_FIRST - 7;
constexpr UINT PSN_WIZFINISH = PSN_FIRST - 8;

// Wizard buttons on offer.
constexpr DWORD PSWIZB_BACK = 0x00000001;
constexpr DWORD PSWIZB_NEXT = 0x00000002;
constexpr DWORD PSWIZB_FINISH = 0x00000004;
constexpr DWORD PSWIZB_DISABLEDFINISH = 0x00000008;  // "Zakończ" shown but not enabled

// The sheet's header, as far as the sheet reads it.
struct PROPSHEETHEADER {
  DWORD dwSize = sizeof(PROPSHEETHEADER);
  DWORD dwFlags = 0;
};

class CPropertySheet;

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)

 public:
  explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);

  virtual BOOL OnSetActive();
  // FALSE keeps the page (and the sheet) where it is.
  virtual BOOL OnKillActive();
  void OnOK() override;
  void OnCancel() override;
  virtual BOOL OnApply();
  virtual void OnReset();
  virtual BOOL OnQueryCancel();
  // Wizard steps: 0 goes to the page before (after), -1 stays, a template id goes to that page.
  virtual LRESULT OnWizardBack();
  virtual LRESULT OnWizardNext();
  // FALSE keeps the wizard open.
  virtual BOOL OnWizardFinish();
  // Marks the page changed; the sheet's Apply button follows.
  void SetModified(BOOL bChanged = TRUE);
  BOOL IsModified() const { return m_bModified; }
  void CancelToClose();
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // PSN_KILLACTIVE answers 0 when the page may be left; PSN_SETACTIVE 0 when it may be shown;
  // PSN_HELP sends the page the ID_HELP command; PSN_WIZBACK and PSN_WIZNEXT answer the step,
  // PSN_WIZFINISH 0 when the wizard may end.
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  const CString& GetCaption() const { return m_strCaption; }
  CPropertySheet* GetSheet() const { return m_pSheet; }

  CString m_strCaption;
  CPropertySheet* m_pSheet = nullptr;
  BOOL m_bModified = FALSE;

  // The sheet makes the page's window inside itself.
  friend class CPropertySheet;
};

class CPropertySheet : public CDialog {
  DECLARE_DYNAMIC(CPropertySheet)

 public:
  explicit CPropertySheet(LPCTSTR pszCaption = nullptr, CWnd* pParentWnd = nullptr,
                          UINT iSelectPage = 0);
  explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

  // The sheet does not own its pages.
  void AddPage(CPropertyPage* pPage);
  void RemovePage(int nPage);
  int GetPageCount() const { return int(m_pages.size()); }
  CPropertyPage* GetPage(int nPage) const;
  CPropertyPage* GetActivePage() const;
  int GetActiveIndex() const { return m_nActive; }
  int GetPageIndex(CPropertyPage* pPage) const;
  // Moves to the page unless the current one refuses to be left; TRUE when it moved.
  BOOL SetActivePage(int nPage);
  BOOL SetActivePage(CPropertyPage* pPage);
  void SetTitle(LPCTSTR lpszText);
  // Acts as if the button (ID_APPLY_NOW, IDOK, IDCANCEL; in wizards ID_WIZBACK, ID_WIZNEXT,
  // ID_WIZFINISH) were pressed.
  BOOL PressButton(int nButton);
  // The rectangle of tab `nPage` in sheet client coordinates (empty before the sheet is made).
  CRect GetTabRect(int nPage) const;
  // The tab control's window ("SysTabControl32"), null before the sheet is made.
  CWnd* GetTabControl() const;
  // Enables Apply while a page has changes.
  void UpdateApplyButton();

  // Makes the sheet a wizard; before it is made.
  void SetWizardMode();
  BOOL IsWizard() const { return (m_psh.dwFlags & PSH_WIZARD) != 0; }
  // The wizard buttons on offer (PSWIZB_); a page usually sets them in its OnSetActive.
  void SetWizardButtons(DWORD dwFlags);
  // Shows "Zakończ" with this text in place of Back and Next.
  void SetFinishText(LPCTSTR lpszText);

  BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = DWORD(-1), DWORD dwExStyle = 0);
  void OnOK() override;
  void OnCancel() override;
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // The sheet's own default handling: a context-menu request about the sheet itself or one of its
  // own controls (buttons, tab control; not a page or a page's control) answers 1, which tells a
  // derived sheet that the request is its to answer; everything else is the dialog's default.
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  PROPSHEETHEADER m_psh;
  CString m_strCaption;
  std::vector<CPropertyPage*> m_pages;
  int m_nActive = -1;
  UINT m_nStartPage;

 protected:
  BOOL CreateDialogWindow(CWnd* pOwner) override;
  // Makes the sheet window (hidden) with its tab strip and buttons, and shows the first page.
  BOOL BuildSheet(CWnd* pParentWnd);
  BOOL EnsurePage(int nPage);
  // Shows page `nPage` once the old one has agreed to be left.
  BOOL ShowPage(int nPage);
  BOOL Apply();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg LRESULT OnGetTabControl(WPARAM, LPARAM);

  // Wizards: the sheet window with its page area and buttons.
  BOOL BuildWizard(CWnd* pParentWnd);
  // Where a wizard page lies, in sheet client coordinates.
  virtual CRect GetWizardPageRect(CPropertyPage* pPage) const;
  // Room above the pages for a header band (none here).
  virtual int GetWizardHeaderHeight() const { return 0; }
  // Handles a wizard button's command (Enter's IDOK included); FALSE for other commands.
  BOOL OnWizardCommand(UINT nID);
  // Takes one wizard step with the button (ID_WIZBACK, ID_WIZNEXT, ID_WIZFINISH).
  BOOL WizardStep(UINT nID);
  afx_msg LRESULT OnSetWizButtons(WPARAM, LPARAM);
  afx_msg LRESULT OnSetFinishText(WPARAM, LPARAM);
  // The window title follows the active wizard page's caption (the sheet's own when it has none).
  void UpdateWizardTitle();

  DWORD m_dwWizardButtons = PSWIZB_BACK | PSWIZB_NEXT;
  BOOL m_bFinishText = FALSE;

  CSize m_pageSize;
  HWND m_hWndTab = nullptr;

  DECLARE_MESSAGE_MAP()
};
