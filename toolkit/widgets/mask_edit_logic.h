// The editing rules of the masked edit field, apart from the window: the processed mask, the text
// shown, the prompt character, insert and overwrite, one-level undo, and what keys, characters and
// the clipboard do to the text and the selection. SECMaskEdit (mask_edit.h) is the window over it.
//
// Mask characters: '#' a digit; '&' any character; '?' a letter; 'A' a letter or digit; 'L' a
// letter, made lower case unless the field is upper case; 'U' a letter, made upper case unless the
// field is lower case. A backslash makes the next character literal; every other character is a
// literal, shown as it is. Letters are those of code page 1250 (ą, Ł, ...). Each position of the
// processed mask carries its own editable flag, so no literal byte can pass for a placeholder.
//
// Positions are byte offsets into the text shown; the display has exactly one byte per position.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class SECMaskEditLogic {
 public:
  enum class CaseStyle { none, upper, lower };
  // The keys the field handles itself.
  enum class Key { backspace, del, home, end, left, right, up, down, insert, other };
  // A selection from `start` to `end` (end excluded); the caret is at `end`.
  struct Selection {
    int start = 0;
    int end = 0;
    bool empty() const { return start == end; }
    int low() const { return start < end ? start : end; }
    int high() const { return start < end ? end : start; }
  };
  enum class CharResult { ignored, beep, typed };

  struct Position {
    uint8_t ch = 0;         // the literal, or the mask character of a placeholder
    bool editable = false;  // a placeholder
  };

  void SetCaseStyle(CaseStyle style) { case_style_ = style; }
  CaseStyle GetCaseStyle() const { return case_style_; }

  // Processes `mask` and resets the display to the empty template; the template becomes both the
  // previous and the current text.
  void SetMask(std::string_view mask);
  // Every editable position that shows the old prompt shows the new one. False for 0.
  bool SetPromptChar(char ch);
  char GetPromptChar() const { return static_cast<char>(prompt_); }

  // Writes `text` into the editable positions from `pos` (a literal start moves to the next
  // editable one); at position 0 the display is first reset to the template. Rejected characters
  // are skipped; without `strict` a prompt character still advances the position. False for an
  // empty mask or a position outside it.
  bool InsertString(std::string_view text, int pos, bool insert, bool strict);
  // The characters of the editable positions in order, prompts as spaces; with `trim` trailing
  // spaces are cut.
  std::string GetData(bool trim) const;
  const std::string& GetDisplayText() const { return display_; }
  int GetLength() const { return static_cast<int>(mask_.size()); }
  const std::vector<Position>& GetMask() const { return mask_; }

  bool GetInsertMode() const { return insert_mode_; }
  void SetInsertMode(bool insert) { insert_mode_ = insert; }

  // Whether the previous text differs from the display.
  bool IsModified() const { return previous_ != display_; }
  // When modified, the display takes the previous text (a second call restores the undone text).
  bool Undo();
  // The previous and current text become the empty template.
  void SaveState();
  // Records that the display was shown: previous = current, current = display.
  void Shown();

  // Whether `ch` may stand at `pos`; may change its case. False outside the mask and on literals.
  bool IsValidChar(int pos, char& ch) const;
  bool IsLiteral(int pos) const;
  static bool IsMaskChar(char ch);
  void ResetDisplay() { display_ = BuildTemplate(); }
  std::string BuildTemplate() const;

  // Caret after a click or focus: a filled position stays; otherwise just after the last filled
  // editable position before it, or the first editable position when there is none.
  int FindCaretPos(int pos) const;
  // Inserts at the editable position `pos`, moving the characters up to the last filled editable
  // position one editable position to the right. False when the last editable position is filled.
  bool InsertChar(int pos, char ch);
  // Removes the editable characters in [start, end): what follows moves left into the editable
  // positions from start, and the positions left over at the end show the prompt.
  void DeleteRange(int start, int end);
  // The first editable position after `pos` (-1 when none); `pos` itself when it lies at or
  // beyond the end.
  int NextEditable(int pos) const;
  // The last editable position before `pos`, -1 when none.
  int PrevEditable(int pos) const;
  int FirstEditable() const;
  // The position after the last filled editable position (the first editable one when none is
  // filled, 0 without any).
  int AfterLastFilled() const;
  bool IsFilled(int pos) const;

  // A key: true when the field handled it (then the character message that follows is ignored);
  // `sel` is updated, `changed` set when the display changed.
  bool OnKey(Key key, bool shift, bool read_only, Selection& sel, bool& changed);
  // A typed character (without Ctrl).
  CharResult OnChar(char ch, bool read_only, Selection& sel);
  // The clipboard: the editable characters of a selection, prompts as spaces.
  std::string CopyText(const Selection& sel) const;
  // Removes the selection's editable characters; the caret goes to its start.
  void Cut(Selection& sel);
  // Deletes the selection and writes `text` from its start without resetting the rest of the
  // field; the caret goes to the next editable position after what was written.
  void Paste(std::string_view text, Selection& sel);

 private:
  char apply_case(char ch) const;

  std::vector<Position> mask_;
  std::string display_;
  uint8_t prompt_ = ' ';
  bool insert_mode_ = false;
  CaseStyle case_style_ = CaseStyle::none;
  std::string previous_;
  std::string current_;
};
