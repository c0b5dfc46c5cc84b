#include "toolkit/widgets/mask_edit_logic.h"

#include "platform/base/cp1250.h"

namespace cp = base::cp1250;

namespace {

uint8_t byte_of(char ch) { return static_cast<uint8_t>(ch); }

}  // namespace

bool SECMaskEditLogic::IsMaskChar(char ch) {
  switch (ch) {
    case '#': case '&': case '?': case 'A': case 'L': case 'U':
      return true;
    default:
      return false;
  }
}

void SECMaskEditLogic::SetMask(std::string_view mask) {
  mask_.clear();
  for (size_t i = 0; i < mask.size(); ++i) {
    char ch = mask[i];
    if (ch == '\\' && i + 1 < mask.size()) {
      mask_.push_back({byte_of(mask[++i]), false});
    } else {
      mask_.push_back({byte_of(ch), IsMaskChar(ch)});
    }
  }
  ResetDisplay();
  previous_ = display_;
  current_ = display_;
}

std::string SECMaskEditLogic::BuildTemplate() const {
  std::string out;
  out.reserve(mask_.size());
  for (const Position& p : mask_) out.push_back(static_cast<char>(p.editable ? prompt_ : p.ch));
  return out;
}

bool SECMaskEditLogic::SetPromptChar(char ch) {
  if (ch == 0) return false;
  const uint8_t old = prompt_;
  prompt_ = byte_of(ch);
  for (size_t i = 0; i < mask_.size(); ++i) {
    if (mask_[i].editable && byte_of(display_[i]) == old) display_[i] = ch;
  }
  return true;
}

bool SECMaskEditLogic::IsLiteral(int pos) const {
  return pos < 0 || pos >= GetLength() || !mask_[pos].editable;
}

char SECMaskEditLogic::apply_case(char ch) const {
  if (case_style_ == CaseStyle::upper) return static_cast<char>(cp::to_upper(byte_of(ch)));
  if (case_style_ == CaseStyle::lower) return static_cast<char>(cp::to_lower(byte_of(ch)));
  return ch;
}

bool SECMaskEditLogic::IsValidChar(int pos, char& ch) const {
  if (IsLiteral(pos)) return false;
  ch = apply_case(ch);
  const uint8_t b = byte_of(ch);
  switch (mask_[pos].ch) {
    case '#':
      return cp::is_digit(b);
    case '&':
      return b >= 0x20 && b != 0x7F;
    case '?':
      return cp::is_letter(b);
    case 'A':
      return cp::is_alnum(b);
    case 'L':
      if (!cp::is_letter(b)) return false;
      if (case_style_ != CaseStyle::upper) ch = static_cast<char>(cp::to_lower(b));
      return true;
    case 'U':
      if (!cp::is_letter(b)) return false;
      if (case_style_ != CaseStyle::lower) ch = static_cast<char>(cp::to_upper(b));
      return true;
    default:
      return false;
  }
}

int SECMaskEditLogic::NextEditable(int pos) const {
  if (pos >= GetLength()) return pos;
  for (int i = pos + 1; i < GetLength(); ++i) {
    if (mask_[i].editable) return i;
  }
  return -1;
}

int SECMaskEditLogic::PrevEditable(int pos) const {
  for (int i = (pos > GetLength() ? GetLength() : pos) - 1; i >= 0; --i) {
    if (mask_[i].editable) return i;
  }
  return -1;
}

int SECMaskEditLogic::FirstEditable() const { return NextEditable(-1); }

bool SECMaskEditLogic::IsFilled(int pos) const {
  return !IsLiteral(pos) && byte_of(display_[pos]) != prompt_;
}

int SECMaskEditLogic::AfterLastFilled() const {
  for (int i = GetLength() - 1; i >= 0; --i) {
    if (IsFilled(i)) return i + 1;
  }
  const int first = FirstEditable();
  return first < 0 ? 0 : first;
}

int SECMaskEditLogic::FindCaretPos(int pos) const {
  if (IsFilled(pos)) return pos;
  for (int i = (pos > GetLength() ? GetLength() : pos) - 1; i >= 0; --i) {
    if (IsFilled(i)) return i + 1;
  }
  const int first = FirstEditable();
  return first < 0 ? 0 : first;
}

bool SECMaskEditLogic::InsertChar(int pos, char ch) {
  if (IsLiteral(pos)) return false;
  const int last = PrevEditable(GetLength());
  if (last < 0 || IsFilled(last)) return false;
  // Shift the editable characters from pos onwards one editable position to the right, from the
  // end backwards; the last editable position is free, so nothing falls off.
  int to = last;
  for (int from = PrevEditable(to); to > pos && from >= pos; to = from, from = PrevEditable(from)) {
    display_[to] = display_[from];
  }
  display_[pos] = ch;
  return true;
}

void SECMaskEditLogic::DeleteRange(int start, int end) {
  if (GetLength() == 0) return;
  if (start < 0) start = 0;
  if (IsLiteral(start)) start = NextEditable(start);
  if (start < 0 || start >= GetLength() || end < start) return;
  int from = end >= GetLength() ? -1 : (IsLiteral(end) ? NextEditable(end) : end);
  int to = start;
  for (; from >= 0 && from < GetLength(); from = NextEditable(from)) {
    display_[to] = display_[from];
    to = NextEditable(to);
  }
  for (; to >= 0 && to < GetLength(); to = NextEditable(to)) display_[to] = static_cast<char>(prompt_);
}

bool SECMaskEditLogic::InsertString(std::string_view text, int pos, bool insert, bool strict) {
  if (mask_.empty() || pos < 0 || pos >= GetLength()) return false;
  if (pos == 0) ResetDisplay();
  if (IsLiteral(pos)) pos = NextEditable(pos);
  for (char ch : text) {
    if (pos < 0 || pos >= GetLength()) break;
    if (IsValidChar(pos, ch)) {
      if (insert) {
        if (!InsertChar(pos, ch)) break;
      } else {
        display_[pos] = ch;
      }
      pos = NextEditable(pos);
    } else if (!strict && byte_of(ch) == prompt_) {
      pos = NextEditable(pos);
    }
  }
  return true;
}

std::string SECMaskEditLogic::GetData(bool trim) const {
  std::string out;
  for (int i = 0; i < GetLength(); ++i) {
    if (!mask_[i].editable) continue;
    out.push_back(byte_of(display_[i]) == prompt_ ? ' ' : display_[i]);
  }
  if (trim) {
    while (!out.empty() && out.back() == ' ') out.pop_back();
  }
  return out;
}

bool SECMaskEditLogic::Undo() {
  if (!IsModified()) return false;
  display_ = previous_;
  Shown();
  return true;
}

void SECMaskEditLogic::SaveState() {
  previous_ = BuildTemplate();
  current_ = previous_;
}

void SECMaskEditLogic::Shown() {
  previous_ = current_;
  current_ = display_;
}

bool SECMaskEditLogic::OnKey(Key key, bool shift, bool read_only, Selection& sel, bool& changed) {
  changed = false;
  const int caret = sel.end;
  switch (key) {
    case Key::backspace:
      if (read_only) return true;
      if (!sel.empty()) {
        const int low = sel.low();
        DeleteRange(low, sel.high());
        sel = {low, low};
        changed = true;
      } else if (const int prev = PrevEditable(caret); prev >= 0) {
        DeleteRange(prev, prev + 1);
        sel = {prev, prev};
        changed = true;
      }
      return true;
    case Key::del:
      if (read_only) return true;
      if (!sel.empty()) {
        const int low = sel.low();
        DeleteRange(low, sel.high());
        sel = {low, low};
        changed = true;
      } else if (caret < GetLength()) {
        const int at = IsLiteral(caret) ? NextEditable(caret) : caret;
        if (at >= 0 && at < GetLength()) {
          DeleteRange(at, at + 1);
          changed = true;
        }
      }
      return true;
    case Key::home: {
      int first = FirstEditable();
      if (first < 0) first = 0;
      sel = shift ? Selection{sel.start, first} : Selection{first, first};
      return true;
    }
    case Key::end: {
      if (shift) {
        sel = {sel.start, GetLength()};
      } else {
        const int after = AfterLastFilled();
        sel = {after, after};
      }
      return true;
    }
    case Key::left: {
      if (shift) return false;
      const int prev = PrevEditable(caret);
      const int at = prev < 0 ? caret : prev;
      sel = {at, at};
      return true;
    }
    case Key::right: {
      if (shift) return false;
      int next = NextEditable(caret);
      const int limit = AfterLastFilled();
      if (next < 0 || next > limit) next = limit > caret ? limit : caret;
      sel = {next, next};
      return true;
    }
    case Key::up:
    case Key::down:
      return true;
    case Key::insert:
      insert_mode_ = !insert_mode_;
      return true;
    case Key::other:
      break;
  }
  return false;
}

SECMaskEditLogic::CharResult SECMaskEditLogic::OnChar(char ch, bool read_only, Selection& sel) {
  if (read_only) return CharResult::ignored;
  const int low = sel.low();
  const int high = sel.high();
  const int target = IsLiteral(low) ? NextEditable(low) : low;
  if (target < 0 || target >= GetLength() || (!sel.empty() && target >= high) || !IsValidChar(target, ch)) {
    return CharResult::beep;
  }
  if (insert_mode_) {
    const std::string before = display_;
    if (!sel.empty()) DeleteRange(target, high);
    if (!InsertChar(target, ch)) {
      display_ = before;
      return CharResult::beep;
    }
  } else {
    if (!sel.empty() && target + 1 < high) DeleteRange(target + 1, high);
    display_[target] = ch;
  }
  int next = NextEditable(target);
  if (next < 0) next = target + 1;
  sel = {next, next};
  return CharResult::typed;
}

std::string SECMaskEditLogic::CopyText(const Selection& sel) const {
  std::string out;
  for (int i = sel.low(); i < sel.high() && i < GetLength(); ++i) {
    if (!mask_[i].editable) continue;
    out.push_back(byte_of(display_[i]) == prompt_ ? ' ' : display_[i]);
  }
  return out;
}

void SECMaskEditLogic::Cut(Selection& sel) {
  const int low = sel.low();
  DeleteRange(low, sel.high());
  sel = {low, low};
}

void SECMaskEditLogic::Paste(std::string_view text, Selection& sel) {
  if (mask_.empty()) return;
  int pos = sel.low();
  if (!sel.empty()) DeleteRange(pos, sel.high());
  if (IsLiteral(pos)) pos = NextEditable(pos);
  for (char ch : text) {
    if (pos < 0 || pos >= GetLength()) break;
    if (IsValidChar(pos, ch)) {
      if (insert_mode_) {
        if (!InsertChar(pos, ch)) break;
      } else {
        display_[pos] = ch;
      }
      pos = NextEditable(pos);
    } else if (byte_of(ch) == prompt_ || ch == ' ') {
      pos = NextEditable(pos);
    }
  }
  if (pos < 0) pos = GetLength();
  sel = {pos, pos};
}
