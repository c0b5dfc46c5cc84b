// Dialogs made from dialog templates of the resource store: modal (the owner is disabled and a
// nested message loop runs until EndDialog, so other windows keep painting) and modeless; data
// exchange on OK; keyboard navigation (Tab through WS_TABSTOP controls, arrows in groups, Enter
// for the default button, Esc for Cancel, Alt+letter mnemonics).
#pragma once

#include "platform/framework/command_ids.h"
#include "platform/framework/prompter.h"
#include "platform/res/resource_store.h"
#include "platform/win/cwnd.h"
#include "platform/win/system_metrics.h"

class CDataExchange;

// Dialog styles and messages.
constexpr DWORD DS_SETFONT = 0x40;
constexpr DWORD DS_MODALFRAME = 0x80;
constexpr DWORD DS_CONTROL = 0x0400;
constexpr DWORD DS_CENTER = 0x0800;
constexpr UINT DM_GETDEFID = WM_USER + 0;
constexpr UINT DM_SETDEFID = WM_USER + 1;
constexpr UINT DC_HASDEFID = 0x534B;
// The window class of dialogs.
inline constexpr const char* DIALOG_CLASS = "#32770";

// The next (or previous) WS_TABSTOP control after `control` among `dialog`'s children, wrapping.
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
// The next control of `control`'s group (WS_GROUP starts a group), wrapping inside it.
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
// Handles a dialog's navigation keys for `msg`; TRUE when it did.
BOOL IsDialogMessage(HWND dialog, MSG* msg);
// The font a template names at its point size (shared, never deleted), or null for the system font.
HFONT DialogTemplateFont(const res::DialogResource& dialog_template);
// Converts a rectangle in the template's dialog units (of its font) to pixels.
void MapTemplateRect(const res::DialogResource& dialog_template, RECT* rect);
// Creates the template's controls as children of `parent`, in order (the tab order), each in the
// font `parent` answers WM_GETFONT with. Each carries the context help id its template gives it:
// unless the table names one, that of the system's templates, its control id in the low word and
// the template id with bit 15 set in the high word.
BOOL CreateDialogControls(HWND parent, const res::DialogResource& dialog_template);
BOOL SetDlgItemText(HWND dialog, int id, const char* text);
UINT GetDlgItemText(HWND dialog, int id, char* buffer, int size);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL is_signed);
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL is_signed);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL CheckRadioButton(HWND dialog, int first, int last, int check);
LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
BOOL EndDialog(HWND dialog, int result);

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

 public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Modal: returns the EndDialog result, or -1 when the dialog could not be made.
  virtual INT_PTR DoModal();
  // Modeless; from a WS_CHILD template a child window of `pParentWnd` (created hidden).
  virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  void EndDialog(int nResult);
  BOOL IsModal() const { return m_bModal; }

  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  virtual void DoDataExchange(CDataExchange* pDX);
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  void NextDlgCtrl() const;
  void PrevDlgCtrl() const;
  void GotoDlgCtrl(CWnd* pWndCtrl);
  void SetDefID(UINT nID);
  DWORD GetDefID() const;
  void MapDialogRect(LPRECT lpRect) const;
  void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
  int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);
  void SetDlgItemText(int nID, LPCTSTR lpszString);
  void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
  UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
  CString GetDlgItemText(int nID) const;
  void CheckDlgButton(int nIDButton, UINT nCheck);
  UINT IsDlgButtonChecked(int nIDButton) const;

  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  UINT m_nIDHelp = 0;
  UINT m_nIDTemplate = 0;
  CWnd* m_pParentWnd = nullptr;

 protected:
  // Creates the window and its controls from the template (hidden); sends WM_INITDIALOG.
  BOOL CreateFromTemplate(CWnd* pParentWnd, BOOL bChild);
  // The hidden window DoModal runs (from the template unless a derived dialog builds its own).
  virtual BOOL CreateDialogWindow(CWnd* pOwner);
  afx_msg LRESULT HandleInitDialog(WPARAM, LPARAM);
  afx_msg void OnClose();

  BOOL m_bModal = FALSE;
  UINT m_nDefID = IDOK;

  DECLARE_MESSAGE_MAP()
};
