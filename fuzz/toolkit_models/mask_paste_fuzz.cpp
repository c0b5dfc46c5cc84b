// Text pasted from the clipboard (any program's bytes) into a masked field with a mask, case style,
// insert mode and selection from the input. The display keeps one byte per mask position, literals
// stay as they are, every placeholder holds the prompt or a character its mask accepts, and the
// selection stays within the field.
//
// Input: u8 flags (bits 0-1 case style, bit 2 insert mode), u8 mask length n, n mask bytes, u8
// selection start, u8 selection end, then the pasted text.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/widgets/mask_edit_logic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const size_t n = std::min<size_t>(data[1], size - 2);
  const std::string_view mask(reinterpret_cast<const char*>(data + 2), n);
  size_t at = 2 + n;
  const int start = at < size ? data[at++] : 0;
  const int end = at < size ? data[at++] : 0;
  const std::string_view text(reinterpret_cast<const char*>(data + at), size - at);

  SECMaskEditLogic logic;
  logic.SetCaseStyle(SECMaskEditLogic::CaseStyle((data[0] & 3) % 3));
  logic.SetInsertMode(data[0] & 4);
  logic.SetMask(mask);
  const int length = logic.GetLength();
  SECMaskEditLogic::Selection sel{std::min(start, length), std::min(end, length)};
  logic.Paste(text, sel);
  const std::string& shown = logic.GetDisplayText();
  if (int(shown.size()) != length || sel.start < 0 || sel.end < 0 || sel.high() > length) __builtin_trap();
  for (int pos = 0; pos < length; ++pos) {
    const SECMaskEditLogic::Position& p = logic.GetMask()[size_t(pos)];
    char ch = shown[size_t(pos)];
    if (!p.editable && uint8_t(ch) != p.ch) __builtin_trap();
    if (p.editable && ch != logic.GetPromptChar() && !logic.IsValidChar(pos, ch)) __builtin_trap();
  }
  logic.CopyText(SECMaskEditLogic::Selection{0, length});
  return 0;
}
