// Letter classes of code page 1250 text, used to find words and sentences in selected text.
#pragma once

#include <cstdint>

namespace frame {

// A lower-case or upper-case letter of the code page (Polish and the other Central European
// letters included).
bool FrIsLowerLetter(uint8_t c);
bool FrIsUpperLetter(uint8_t c);
inline bool FrIsLetter(uint8_t c) { return FrIsLowerLetter(c) || FrIsUpperLetter(c); }
inline bool FrIsDigit(uint8_t c) { return c >= '0' && c <= '9'; }

// Whether `c` ends a word. A full stop, comma or apostrophe ends one only when `next` is neither a
// letter nor a digit, so "3.14" and "Art.5" stay whole.
bool FrIsWordDelimiter(uint8_t c, int next);

// Whether the punctuation `c` ends a sentence: one of ! . : ? followed by a space (`next`) and then
// a character (`afterNext`) that is neither a lower-case letter nor a digit, or by a space that ends
// the text (-1 past the text).
bool FrIsSentencePunctuationEnd(uint8_t c, int next, int afterNext);

}  // namespace frame
