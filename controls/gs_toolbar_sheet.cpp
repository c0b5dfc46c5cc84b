#include "controls/gs_toolbar_sheet.h"

#include <algorithm>

#include "platform/base/cp1250.h"

#include "platform/framework/command_ids.h"
#include "platform/framework/prompter.h"
#include "platform/win/messages.h"
#include "toolkit/widgets/command_catalog.h"
#include "toolkit/widgets/key_binding_dlg.h"
#include "toolkit/widgets/key_binding_table.h"

IMPLEMENT_DYNAMIC(CGSToolBarSheet, SECToolBarSheet)

namespace {

// The shortcut button's child id: past the sheet's own buttons and pages.
constexpr UINT kKeysButtonId = 0x3040;
constexpr int kKeysButtonWidth = 90;
constexpr const char* kKeysButtonText = "&Klawiatura...";

// A button of the sheet's row, or null when the sheet has none of that id.
CWnd* RowButton(CWnd* sheet, int id) {
  CWnd* button = sheet->GetDlgItem(id);
  return button && button->m_hWnd ? button : nullptr;
}

CRect RectIn(CWnd* child, CWnd* parent) {
  CRect r;
  child->GetWindowRect(&r);
  parent->ScreenToClient(&r);
  return r;
}

}  // namespace

namespace customize_sheet {

CRect OkButtonPlace(const CRect& ok, const CRect& last) {
  return CRect(last.right - ok.Width(), last.top, last.right, last.top + ok.Height());
}

CRect KeysButtonPlace(const CRect& last, int clientWidth, int width) {
  const int margin = std::max(0, clientWidth - int(last.right));
  return CRect(margin, last.top, margin + width, last.bottom);
}

}  // namespace customize_sheet

CGSToolBarSheet::CGSToolBarSheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : SECToolBarSheet(nIDCaption, pParentWnd, iSelectPage) {}

CGSToolBarSheet::~CGSToolBarSheet() = default;

BOOL CGSToolBarSheet::OnInitDialog() {
  SECToolBarSheet::OnInitDialog();
  CWnd* ok = RowButton(this, IDOK);
  // The row's last button: Help when the sheet has one, else Apply, else Cancel.
  CWnd* last = nullptr;
  for (int id : {IDHELP, int(ID_APPLY_NOW), IDCANCEL}) {
    if ((last = RowButton(this, id)) != nullptr) break;
  }
  if (!ok || !last) return TRUE;
  const CRect lastRect = RectIn(last, this);
  ok->MoveWindow(customize_sheet::OkButtonPlace(RectIn(ok, this), lastRect));
  for (int id : {IDHELP, int(ID_APPLY_NOW), IDCANCEL}) {
    if (CWnd* button = RowButton(this, id)) button->ShowWindow(SW_HIDE);
  }
  CRect client;
  GetClientRect(&client);
  const CRect keys = customize_sheet::KeysButtonPlace(lastRect, client.Width(), kKeysButtonWidth);
  if (m_btnKeys.Create(kKeysButtonText, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, keys, this, kKeysButtonId)) {
    m_btnKeys.SetFont(ok->GetFont(), FALSE);
  }
  return TRUE;
}

BOOL CGSToolBarSheet::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (SECToolBarSheet::OnCommand(wParam, lParam)) return TRUE;
  if (!m_btnKeys.m_hWnd || reinterpret_cast<HWND>(lParam) != m_btnKeys.m_hWnd || HIWORD(wParam) != BN_CLICKED) {
    return FALSE;
  }
  RunKeyBindingDialog();
  return SECToolBarSheet::OnCommand(wParam, lParam);
}

BOOL CGSToolBarSheet::RunKeyBindingDialog() {
  // The catalogue keeps what it was built from (the frame's menus and strings): an emptied one
  // would leave the dialog with nothing to choose.
  SECCommandCatalog catalog(true);
  SECKeyBindingTable table;
  SECKeyBindingDlg dialog(&catalog, &table, this);
  if (dialog.DoModal() != IDOK || !dialog.IsModified()) return FALSE;
  table.ApplyToFrame();
  if (!table.SaveToFile()) {
    // They hold for this session; the user learns that the next start will not have them.
    const CString text(base::cp1250::from_utf8("Nie można zapisać skrótów klawiaturowych."));
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
  }
  return TRUE;
}
