// The suffix stemmer of FBreakAndStemWords: suffix-stripping rules in steps, each rule with a
// condition on the stem that remains.
#pragma once

#include <string>

namespace fts {

// Reduces a normalised word in place. Words shorter than 4 characters, or holding anything but 'a' to
// 'z', '*' and '?', stay as they are.
void FtsStem(std::string& word);

}  // namespace fts
