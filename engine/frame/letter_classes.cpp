#include "engine/frame/letter_classes.h"

namespace frame {

bool FrIsLowerLetter(uint8_t c) {
  if (c >= 'a' && c <= 'z') return true;
  switch (c) {
    case 0x9A:  // s caron
    case 0x9C:  // s acute
    case 0x9D:  // t caron
    case 0x9E:  // z caron
    case 0x9F:  // z acute
    case 0xB3:  // l stroke
    case 0xB9:  // a ogonek
    case 0xBA:  // s cedilla
    case 0xBE:  // l caron
    case 0xBF:  // z dot
    case 0xDF:  // sharp s
      return true;
    default:
      // 0xE0..0xFE are lower-case letters except the division sign.
      return c >= 0xE0 && c <= 0xFE && c != 0xF7;
  }
}

bool FrIsUpperLetter(uint8_t c) {
  if (c >= 'A' && c <= 'Z') return true;
  switch (c) {
    case 0x8A:  // S caron
    case 0x8C:  // S acute
    case 0x8D:  // T caron
    case 0x8E:  // Z caron
    case 0x8F:  // Z acute
    case 0xA3:  // L stroke
    case 0xA5:  // A ogonek
    case 0xAA:  // S cedilla
    case 0xAF:  // Z dot
    case 0xBC:  // L caron
      return true;
    default:
      // 0xC0..0xDE are upper-case letters except the multiplication sign.
      return c >= 0xC0 && c <= 0xDE && c != 0xD7;
  }
}

bool FrIsWordDelimiter(uint8_t c, int next) {
  switch (c) {
    case ' ': case '`': case '?': case '!': case ':': case '(': case ')': case ';': case '[':
    case ']': case '&': case '{': case '}': case '"':
    case 0x93:  // opening double quotation mark
    case 0x94:  // closing double quotation mark
      return true;
    case '.': case ',': case '\'':
      return !(next >= 0 && (FrIsLetter(uint8_t(next)) || FrIsDigit(uint8_t(next))));
    default:
      return false;
  }
}

bool FrIsSentencePunctuationEnd(uint8_t c, int next, int afterNext) {
  if (c != '!' && c != '.' && c != ':' && c != '?') return false;
  if (next != ' ') return false;
  if (afterNext < 0) return true;  // the text ends after the space
  uint8_t after = uint8_t(afterNext);
  return !FrIsLowerLetter(after) && !FrIsDigit(after);
}

}  // namespace frame
