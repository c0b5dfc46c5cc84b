// Property sheets: a dialog with a tab strip over pages (each page a child dialog from its own
// template) and OK, Cancel and Apply buttons. Leaving a page runs its OnKillActive (data exchange
// and validation by default); a page that refuses keeps the sheet on it. OK validates the active
// page, then every page's OnOK runs; Apply does the same without closing and greys Apply again.
#pragma once

#include <vector>

#include "platform/framework/dialog.h"

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
  // Marks the page changed; the sheet's Apply button follows.
  void SetModified(BOOL bChanged = TRUE);
  BOOL IsModified() const { return m_bModified; }
  void CancelToClose();
  BOOL PreTranslateMessage(MSG* pMsg) override;
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
  // Acts as if the button (ID_APPLY_NOW, IDOK, IDCANCEL) were pressed.
  BOOL PressButton(int nButton);
  // The rectangle of the tab strip's tab `nPage` in sheet client coordinates.
  CRect GetTabRect(int nPage) const;
  // Enables Apply while a page has changes.
  void UpdateApplyButton();

  BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = DWORD(-1), DWORD dwExStyle = 0);
  void OnOK() override;
  void OnCancel() override;
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  CString m_strCaption;
  std::vector<CPropertyPage*> m_pages;
  int m_nActive = -1;
  UINT m_nStartPage;

 protected:
  BOOL CreateDialogWindow(CWnd* pOwner) override;
  // Makes the sheet window (hidden) with its tab strip and buttons, and shows the first page.
  BOOL BuildSheet(CWnd* pParentWnd);
  BOOL EnsurePage(int nPage);
  BOOL Apply();
  afx_msg void OnPaint();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);

  CSize m_pageSize;

  DECLARE_MESSAGE_MAP()
};
