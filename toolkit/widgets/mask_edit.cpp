#include "toolkit/widgets/mask_edit.h"

#include <string>
#include <vector>

#include "platform/framework/control_messages.h"
#include "platform/framework/prompter.h"
#include "platform/shell/clipboard.h"
#include "platform/win/messages.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"

IMPLEMENT_DYNAMIC(SECMaskEdit, CEdit)

BEGIN_MESSAGE_MAP(SECMaskEdit, CEdit)
  ON_WM_KEYDOWN()
  ON_WM_CHAR()
  ON_WM_LBUTTONDOWN()
  ON_WM_SETFOCUS()
  ON_MESSAGE(WM_COPY, &SECMaskEdit::OnCopy)
  ON_MESSAGE(WM_CUT, &SECMaskEdit::OnCut)
  ON_MESSAGE(WM_PASTE, &SECMaskEdit::OnPaste)
  ON_MESSAGE(WM_CLEAR, &SECMaskEdit::OnClear)
  ON_MESSAGE(WM_UNDO, &SECMaskEdit::OnUndo)
END_MESSAGE_MAP()

namespace {

using Key = SECMaskEditLogic::Key;

Key key_of(UINT vk) {
  switch (vk) {
    case VK_BACK: return Key::backspace;
    case VK_DELETE: return Key::del;
    case VK_HOME: return Key::home;
    case VK_END: return Key::end;
    case VK_LEFT: return Key::left;
    case VK_RIGHT: return Key::right;
    case VK_UP: return Key::up;
    case VK_DOWN: return Key::down;
    case VK_INSERT: return Key::insert;
    default: return Key::other;
  }
}

bool key_down(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

}  // namespace

BOOL SECMaskEdit::AttachDlgItem(UINT id, CWnd* parent) {
  if (!parent || !SubclassDlgItem(id, parent)) return FALSE;
  sync_case_style();
  return TRUE;
}

void SECMaskEdit::sync_case_style() {
  const DWORD style = m_hWnd ? GetStyle() : 0;
  logic_.SetCaseStyle((style & ES_UPPERCASE)   ? SECMaskEditLogic::CaseStyle::upper
                      : (style & ES_LOWERCASE) ? SECMaskEditLogic::CaseStyle::lower
                                               : SECMaskEditLogic::CaseStyle::none);
}

bool SECMaskEdit::read_only() const { return m_hWnd && (GetStyle() & ES_READONLY); }

SECMaskEditLogic::Selection SECMaskEdit::selection() const {
  int start = 0;
  int end = 0;
  if (m_hWnd) GetSel(start, end);
  return {start, end};
}

void SECMaskEdit::select(const SECMaskEditLogic::Selection& sel) {
  if (m_hWnd) SetSel(sel.start, sel.end);
}

void SECMaskEdit::ShowDisplay() {
  if (m_hWnd) {
    const SECMaskEditLogic::Selection sel = selection();
    SetWindowText(logic_.GetDisplayText().c_str());
    SetModify(TRUE);
    select(sel);
  }
  logic_.Shown();
}

BOOL SECMaskEdit::SetMask(LPCTSTR mask) {
  sync_case_style();
  logic_.SetMask(mask ? mask : "");
  if (m_hWnd) {
    SetWindowText(logic_.GetDisplayText().c_str());
    SetModify(FALSE);
    const int first = logic_.FirstEditable();
    select({first < 0 ? 0 : first, first < 0 ? 0 : first});
  }
  return TRUE;
}

BOOL SECMaskEdit::SetPromptChar(char ch) {
  if (!logic_.SetPromptChar(ch)) return FALSE;
  ShowDisplay();
  return TRUE;
}

BOOL SECMaskEdit::InsertString(LPCTSTR text, int pos, BOOL insert, BOOL strict) {
  sync_case_style();
  if (!logic_.InsertString(text ? text : "", pos, insert, strict)) return FALSE;
  ShowDisplay();
  return TRUE;
}

void SECMaskEdit::GetData(CString& out, BOOL trim) const { out = CString(logic_.GetData(trim).c_str()); }

void SECMaskEdit::Undo() {
  if (logic_.IsModified()) {
    const SECMaskEditLogic::Selection sel = selection();
    logic_.Undo();
    if (m_hWnd) {
      SetWindowText(logic_.GetDisplayText().c_str());
      SetModify(TRUE);
      select(sel);
    }
  }
}

int SECMaskEdit::MoveCaret(int pos, int direction, int length) {
  const int at = direction < 0 ? logic_.PrevEditable(pos) : logic_.NextEditable(pos);
  if (at < 0 || at >= logic_.GetLength()) {
    const int caret = pos < 0 ? 0 : pos + 1;
    select({caret, caret});
    return -1;
  }
  select({at, at + length});
  return at;
}

void SECMaskEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  SECMaskEditLogic::Selection sel = selection();
  bool changed = false;
  key_handled_ = logic_.OnKey(key_of(nChar), key_down(VK_SHIFT), read_only(), sel, changed);
  if (!key_handled_) {
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
    return;
  }
  if (changed) ShowDisplay();
  select(sel);
}

void SECMaskEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (key_handled_) {
    key_handled_ = false;
    return;
  }
  if (key_down(VK_CONTROL)) {
    // The edit's own clipboard keys, routed through the masked handlers.
    switch (nChar) {
      case 0x03: SendMessage(WM_COPY); return;
      case 0x16: SendMessage(WM_PASTE); return;
      case 0x18: SendMessage(WM_CUT); return;
      case 0x1A: SendMessage(WM_UNDO); return;
      default: CEdit::OnChar(nChar, nRepCnt, nFlags); return;
    }
  }
  if (nChar < 0x20 || read_only()) return;
  sync_case_style();
  SECMaskEditLogic::Selection sel = selection();
  switch (logic_.OnChar(static_cast<char>(nChar), false, sel)) {
    case SECMaskEditLogic::CharResult::typed:
      ShowDisplay();
      select(sel);
      break;
    case SECMaskEditLogic::CharResult::beep:
      MessageBeep(MB_ICONEXCLAMATION);
      break;
    case SECMaskEditLogic::CharResult::ignored:
      break;
  }
}

void SECMaskEdit::place_caret() {
  const SECMaskEditLogic::Selection sel = selection();
  if (!sel.empty()) return;
  int caret = logic_.FindCaretPos(sel.end);
  if (logic_.IsLiteral(caret) && caret < logic_.GetLength()) {
    const int next = logic_.NextEditable(caret);
    if (next >= 0) caret = next;
  }
  select({caret, caret});
}

void SECMaskEdit::OnLButtonDown(UINT nFlags, CPoint point) {
  CEdit::OnLButtonDown(nFlags, point);
  place_caret();
}

void SECMaskEdit::OnSetFocus(CWnd* pOldWnd) {
  CEdit::OnSetFocus(pOldWnd);
  place_caret();
}

LRESULT SECMaskEdit::OnCopy(WPARAM, LPARAM) {
  const std::string text = logic_.CopyText(selection());
  if (text.empty() || !OpenClipboard(m_hWnd)) return 0;
  EmptyClipboard();
  SetClipboardData(CF_TEXT, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
  CloseClipboard();
  return 0;
}

LRESULT SECMaskEdit::OnCut(WPARAM, LPARAM) {
  if (read_only()) return OnCopy(0, 0);
  OnCopy(0, 0);
  SECMaskEditLogic::Selection sel = selection();
  logic_.Cut(sel);
  ShowDisplay();
  select(sel);
  return 0;
}

LRESULT SECMaskEdit::OnPaste(WPARAM, LPARAM) {
  if (read_only() || !IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(m_hWnd)) return 0;
  std::vector<uint8_t> bytes = GetClipboardData(CF_TEXT);
  CloseClipboard();
  std::string text(bytes.begin(), bytes.end());
  if (const size_t zero = text.find('\0'); zero != std::string::npos) text.resize(zero);
  sync_case_style();
  SECMaskEditLogic::Selection sel = selection();
  logic_.Paste(text, sel);
  ShowDisplay();
  select(sel);
  return 0;
}

LRESULT SECMaskEdit::OnClear(WPARAM, LPARAM) {
  SECMaskEditLogic::Selection sel = selection();
  bool changed = false;
  logic_.OnKey(Key::del, false, read_only(), sel, changed);
  if (changed) ShowDisplay();
  select(sel);
  return 0;
}

LRESULT SECMaskEdit::OnUndo(WPARAM, LPARAM) {
  Undo();
  return 0;
}
