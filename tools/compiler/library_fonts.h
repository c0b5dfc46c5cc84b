// The library's style sheet ("|FONT"): "Times New Roman CE" for the body, "Arial CE" for headings and
// act titles, an underlined blue body face for links and "Courier New CE" for drawn tables, in the
// order of LibraryFont.
#pragma once

#include <cstdint>
#include <vector>

namespace compiler {

std::vector<uint8_t> LibraryFontFile();

}  // namespace compiler
