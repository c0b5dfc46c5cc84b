#include "shell/annotations_dlg.h"

#include <algorithm>

#include "navigation/nav_tab.h"
#include "platform/base/cp1250.h"
#include "platform/framework/app.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/data_exchange.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/prompter.h"
#include "platform/framework/tool_tips.h"
#include "platform/win/cmd_ui.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"

namespace {
constexpr int kMargin = 3;
constexpr int kActLeft = 130;
// WM_MENUSELECT's flags when the menu closes.
constexpr UINT kMenuClosed = 0xFFFF;

std::string Pl(const char* utf8) { return base::cp1250::from_utf8(utf8); }
}  // namespace

BEGIN_MESSAGE_MAP(CAnnotationsDlg, CGSDialog)
  ON_WM_SIZE()
  ON_WM_DESTROY()
  ON_COMMAND(resources::ID_NOTE_EDIT, &CAnnotationsDlg::OnEdit)
  ON_UPDATE_COMMAND_UI(resources::ID_NOTE_EDIT, &CAnnotationsDlg::OnUpdateEdit)
  ON_COMMAND(resources::ID_NOTE_DELETE, &CAnnotationsDlg::OnDelete)
  ON_UPDATE_COMMAND_UI(resources::ID_NOTE_DELETE, &CAnnotationsDlg::OnUpdateDelete)
  ON_COMMAND(resources::ID_NOTE_AT_END, &CAnnotationsDlg::OnAtEnd)
  ON_UPDATE_COMMAND_UI(resources::ID_NOTE_AT_END, &CAnnotationsDlg::OnUpdateAtEnd)
  ON_COMMAND(resources::ID_NOTE_AT_BEGINNING, &CAnnotationsDlg::OnAtBeginning)
  ON_UPDATE_COMMAND_UI(resources::ID_NOTE_AT_BEGINNING, &CAnnotationsDlg::OnUpdateAtBeginning)
  ON_WM_MENUSELECT()
  ON_WM_ENTERIDLE()
  ON_WM_INITMENUPOPUP()
  ON_MESSAGE(WM_SETMESSAGESTRING, &CAnnotationsDlg::OnSetMessageString)
  ON_MESSAGE(WM_POPMESSAGESTRING, &CAnnotationsDlg::OnPopMessageString)
  ON_COMMAND(ID_CONTEXT_HELP, &CAnnotationsDlg::OnContextHelp)
END_MESSAGE_MAP()

CAnnotationsDlg::CAnnotationsDlg(CWnd* pParent, std::string database)
    : CGSDialog(resources::IDD_NOTES, pParent), m_strDatabase(std::move(database)) {
  // The template's text control is a rich edit.
  AfxInitRichEdit();
}

CAnnotationsDlg::~CAnnotationsDlg() = default;

void CAnnotationsDlg::DoDataExchange(CDataExchange* pDX) {
  CGSDialog::DoDataExchange(pDX);
  DDX_Control(pDX, resources::IDC_NOTE_ACT, m_wndAct);
  DDX_Control(pDX, resources::IDC_NOTE_DATE, m_wndDate);
  DDX_Control(pDX, resources::IDC_NOTE_TEXT, m_wndText);
}

BOOL CAnnotationsDlg::OnInitDialog() {
  CGSDialog::OnInitDialog();
  if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_FLYBY,
                             CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
      !m_wndToolBar.LoadToolBar(resources::IDR_NOTES_TOOLBAR)) {
    EndDialog(-1);
    return FALSE;
  }
  m_wndToolBar.SetSizes(CSize(21, 20), CSize(14, 14));
  m_wndToolBar.SetHeight(21);
  m_wndToolBar.SetOwner(this);
  // The bar ends after its last button, so the two statics to its right stay visible.
  CSize bar = m_wndToolBar.CalcFixedLayout(FALSE, TRUE);
  const int last = m_wndToolBar.CommandToIndex(resources::ID_NOTE_UNHANDLED);
  if (last >= 0) {
    CRect button;
    m_wndToolBar.GetItemRect(last, &button);
    bar.cx = std::min(int(bar.cx), int(button.right) + 2);
  }
  m_wndToolBar.SetWindowPos(nullptr, 0, -2, bar.cx, bar.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  CRect text;
  m_wndText.GetWindowRect(&text);
  ScreenToClient(&text);
  text.OffsetRect(0, bar.cy);
  m_wndText.MoveWindow(&text);
  m_wndText.SetReadOnly(TRUE);

  if (!m_set.IsOpen()) {
    BeginWaitCursor();
    std::string error;
    const BOOL opened = m_set.Open(m_strDatabase, &error);
    EndWaitCursor();
    if (!opened) {
      const std::string message =
          Pl("Nie można otworzyć bazy notatek ") + (m_strDatabase.empty() ? CNoteRecordset::GetDefaultDBName() : m_strDatabase) +
          ":\n" + base::cp1250::from_utf8(error);
      AfxMessageBox(message.c_str(), MB_OK | MB_ICONEXCLAMATION);
    }
  }
  // The dialog stands on the first note, so that delete always has a record to act on.
  m_set.MoveFirst();
  CRect client;
  GetClientRect(&client);
  OnSize(SIZE_RESTORED, client.Width(), client.Height());
  ShowRecord();
  return TRUE;
}

void CAnnotationsDlg::ShowRecord() {
  if (!m_wndText.m_hWnd) return;
  if (!m_set.HasCurrent()) {
    m_wndText.SetWindowText("");
    m_wndAct.SetWindowText("");
    m_wndDate.SetWindowText("");
    return;
  }
  m_wndText.SetWindowText(m_set.m_note);
  m_wndAct.SetWindowText(m_set.m_aid);
  m_wndDate.SetWindowText(m_set.m_date.GetStatus() == COleDateTime::valid ? m_set.m_date.Format("%Y-%m-%d %H:%M")
                                                                          : CString());
}

void CAnnotationsDlg::OnSize(UINT nType, int cx, int cy) {
  CGSDialog::OnSize(nType, cx, cy);
  if (!m_wndText.m_hWnd) return;
  CRect text;
  m_wndText.GetWindowRect(&text);
  ScreenToClient(&text);
  m_wndText.MoveWindow(kMargin, text.top, std::max(0, cx - 2 * kMargin), std::max(0, cy - kMargin - int(text.top)));
  CRect act;
  m_wndAct.GetWindowRect(&act);
  ScreenToClient(&act);
  m_wndAct.MoveWindow(kActLeft, act.top, act.Width(), act.Height());
  const int date_left = kActLeft + act.Width() + 2;
  CRect date;
  m_wndDate.GetWindowRect(&date);
  ScreenToClient(&date);
  m_wndDate.MoveWindow(date_left, date.top, std::max(0, cx - kMargin - date_left), date.Height());
}

BOOL CAnnotationsDlg::ContinueModal() {
  if (m_wndToolBar.m_hWnd) m_wndToolBar.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
  return CGSDialog::ContinueModal();
}

BOOL CAnnotationsDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (CNavTab::AnswerToolTip(lParam, pResult)) return TRUE;
  // The text control's notifications need no answer.
  if (const auto* header = reinterpret_cast<const NMHDR*>(lParam); header && header->idFrom == resources::IDC_NOTE_TEXT) {
    *pResult = 0;
    return TRUE;
  }
  return CGSDialog::OnNotify(wParam, lParam, pResult);
}

// --- Prompts and menus, as a frame window shows them ----------------------------------------------

LRESULT CAnnotationsDlg::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  m_nIDLastMessage = UINT(wParam);
  // The main window's status bar shows the prompts.
  CWnd* main = AfxGetMainWnd();
  if (main && main->m_hWnd && main != this) main->SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
  return 0;
}

LRESULT CAnnotationsDlg::OnPopMessageString(WPARAM wParam, LPARAM lParam) { return OnSetMessageString(wParam, lParam); }

void CAnnotationsDlg::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU) {
  if (nFlags == kMenuClosed) {
    m_nIDTracking = AFX_IDS_IDLEMESSAGE;
    SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
  } else if (nItemID == 0 || (nFlags & (MF_POPUP | MF_SEPARATOR))) {
    m_nIDTracking = 0;
  } else {
    m_nIDTracking = nItemID;
  }
}

void CAnnotationsDlg::OnEnterIdle(UINT nWhy, CWnd* pWho) {
  CGSDialog::OnEnterIdle(nWhy, pWho);
  if (nWhy != MSGF_MENU || m_nIDTracking == m_nIDLastMessage) return;
  SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
}

void CAnnotationsDlg::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
  if (!bSysMenu) framework::update_menu_popup(this, pPopupMenu);
}

void CAnnotationsDlg::OnContextHelp() {
  if (CWnd* main = AfxGetMainWnd(); main && main != this) main->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
}

// --- Editing ----------------------------------------------------------------------------------------

BOOL CAnnotationsDlg::SaveNote() {
  if (!m_bEdit) return TRUE;
  CString text;
  m_wndText.GetWindowText(text);
  if (text.GetLength() > CNoteRecordset::kMaxText) {
    CString message;
    message.Format(Pl("Notatka może mieć najwyżej %d znaków (ma %d).").c_str(), CNoteRecordset::kMaxText,
                   text.GetLength());
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
  }
  std::string error;
  BOOL stored = TRUE;
  if (m_set.HasCurrent()) {
    CNoteFields fields = m_set;
    fields.m_note = text;
    stored = m_set.Update(fields, &error);
  } else if (!text.IsEmpty()) {
    CNoteFields fields;
    fields.m_aid = m_strAct;
    fields.m_date = COleDateTime::GetCurrentTime();
    fields.m_note = text;
    stored = m_set.IsOpen() && m_set.AddNew(fields, &error);
  }
  if (!stored) {
    const std::string reason = error.empty() ? Pl("baza notatek nie jest otwarta.") : Pl(error.c_str());
    AfxMessageBox((Pl("Nie można zapisać notatki:\n") + reason).c_str(), MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
  }
  m_bEdit = FALSE;
  m_wndText.SetReadOnly(TRUE);
  m_wndText.SendMessage(EM_SETMODIFY, FALSE);
  ShowRecord();
  return TRUE;
}

void CAnnotationsDlg::OnOK() {
  if (SaveNote()) CGSDialog::OnOK();
}

void CAnnotationsDlg::OnCancel() {
  if (m_bEdit && m_wndText.SendMessage(EM_GETMODIFY)) {
    switch (::MessageBox(m_hWnd, Pl("Zapisać zmiany w notatce?").c_str(), "Notatki", MB_YESNOCANCEL | MB_ICONQUESTION)) {
      case IDYES:
        if (!SaveNote()) return;
        break;
      case IDNO: break;
      default: return;
    }
  }
  CGSDialog::OnCancel();
}

void CAnnotationsDlg::OnDestroy() {
  m_set.Close();
  CGSDialog::OnDestroy();
}

void CAnnotationsDlg::OnEdit() {
  m_bEdit = TRUE;
  // Without a note to stand on, the text starts a new one, for the act it will belong to.
  if (!m_set.HasCurrent()) {
    m_wndText.SetWindowText("");
    m_wndAct.SetWindowText(m_strAct);
    m_wndDate.SetWindowText("");
  }
  m_wndText.SetReadOnly(FALSE);
  m_wndText.SendMessage(EM_SETMODIFY, FALSE);
  m_wndText.SetFocus();
  m_wndText.SetSel(-1, -1);
}
void CAnnotationsDlg::OnUpdateEdit(CCmdUI* pCmdUI) { pCmdUI->Enable(!m_bEdit); }

void CAnnotationsDlg::OnDelete() {
  if (!m_set.HasCurrent()) return;
  if (::MessageBox(m_hWnd, base::cp1250::from_utf8("Usunąć rekord?").c_str(), "Potwierdzenie", MB_YESNO | MB_ICONQUESTION) !=
      IDYES) {
    return;
  }
  std::string error;
  if (!m_set.Delete(&error) || !m_set.Requery(&error)) {
    AfxMessageBox((Pl("Nie można usunąć notatki:\n") + Pl(error.c_str())).c_str(), MB_OK | MB_ICONEXCLAMATION);
  }
  // An edit of the deleted note ends with it.
  m_bEdit = FALSE;
  m_wndText.SetReadOnly(TRUE);
  ShowRecord();
}

void CAnnotationsDlg::OnUpdateDelete(CCmdUI* pCmdUI) { pCmdUI->Enable(m_set.HasCurrent()); }
void CAnnotationsDlg::OnAtEnd() {}
void CAnnotationsDlg::OnUpdateAtEnd(CCmdUI* pCmdUI) { pCmdUI->Enable(m_set.IsOpen() && m_set.IsEOF()); }
void CAnnotationsDlg::OnAtBeginning() {}
void CAnnotationsDlg::OnUpdateAtBeginning(CCmdUI* pCmdUI) { pCmdUI->Enable(m_set.IsOpen() && m_set.IsBOF()); }
