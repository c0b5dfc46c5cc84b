// The masked edit field: a single-line edit that takes input only where its mask allows, shows
// the mask's literals in place and a prompt character in empty positions, and keeps the caret on
// editable positions. The rules live in SECMaskEditLogic; this window applies them to keys,
// characters, clicks, focus and the clipboard.
#pragma once

#include <string_view>

#include "platform/base/cstring.h"
#include "platform/controls/standard_controls.h"
#include "toolkit/widgets/mask_edit_logic.h"

class SECMaskEdit : public CEdit {
  DECLARE_DYNAMIC(SECMaskEdit)

 public:
  SECMaskEdit() = default;

  // Takes over the dialog's edit control `id`; non-zero on success.
  BOOL AttachDlgItem(UINT id, CWnd* parent);

  virtual BOOL SetMask(LPCTSTR mask);
  virtual BOOL SetPromptChar(char ch);
  virtual char GetPromptChar() const { return logic_.GetPromptChar(); }
  virtual BOOL InsertString(LPCTSTR text, int pos, BOOL insert, BOOL strict);
  // Writes `text` into the editable positions from `start`, skipping literals.
  BOOL SetData(LPCTSTR text, int start = 0, BOOL insert = FALSE, BOOL strict = TRUE) {
    return InsertString(text, start, insert, strict);
  }
  virtual void GetData(CString& out, BOOL trim) const;
  virtual CString GetDisplayText() const { return CString(logic_.GetDisplayText().c_str()); }
  virtual BOOL GetInsertMode() const { return logic_.GetInsertMode(); }
  virtual BOOL IsModified() const { return logic_.IsModified(); }
  virtual void Undo();
  virtual void SaveState() { logic_.SaveState(); }
  virtual int NextEditable(int pos) const { return logic_.NextEditable(pos); }
  virtual int PrevEditable(int pos) const { return logic_.PrevEditable(pos); }
  // Selects `length` characters from the next (direction 1) or previous (-1) editable position;
  // -1 when there is none (the caret then goes after `pos`).
  virtual int MoveCaret(int pos, int direction, int length);
  // Shows the display in the window and records it for undo.
  virtual void ShowDisplay();

  const SECMaskEditLogic& logic() const { return logic_; }

 protected:
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg LRESULT OnCopy(WPARAM, LPARAM);
  afx_msg LRESULT OnCut(WPARAM, LPARAM);
  afx_msg LRESULT OnPaste(WPARAM, LPARAM);
  afx_msg LRESULT OnClear(WPARAM, LPARAM);
  afx_msg LRESULT OnUndo(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  SECMaskEditLogic::Selection selection() const;
  void select(const SECMaskEditLogic::Selection& sel);
  void sync_case_style();
  bool read_only() const;
  // Puts the caret where a click or the focus should leave it.
  void place_caret();

  SECMaskEditLogic logic_;
  bool key_handled_ = false;
};
