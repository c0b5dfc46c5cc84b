// "|FONT" files for test titles, in each of the three stored forms.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/title/title_fonts.h"
#include "tools/titlebuild/title_builder.h"

namespace titlebuild {

// Two faces and three descriptors (regular, bold italic, underlined) with one style in the middle and
// newest forms. The newest form names its faces "Times New Roman CE,1", "Arial CE" and "Courier,7" and
// its character tables "|MVCHARTAB,1" and "|CHARTAB0" (suffix 0 by default): the first face gets the
// title's table, the second the table numbered 0, the third none of them (the built-in one).
title::FontFileContent sample_font_content(title::FontForm form);
std::vector<uint8_t> sample_font_file(title::FontForm form);

// Adds the newest-form "|FONT" of sample_font_content (its table "|CHARTAB0" is left out on purpose).
void add_sample_fonts(TitleBuilder& builder);

}  // namespace titlebuild
