// The phrase table of a library: the words that save the most bytes when the topic texts are
// phrase-compressed (each occurrence of a phrase becomes a two-byte code).
#pragma once

#include <string>
#include <vector>

namespace compiler {

// Words of at least four letters, by saving, as many as the table holds; ascending by signed bytes.
std::vector<std::string> ChoosePhrases(const std::vector<std::string>& texts);

}  // namespace compiler
