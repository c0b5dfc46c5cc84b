#include "tools/titlebuild/font_fixtures.h"

#include <string>

namespace titlebuild {

title::FontFileContent sample_font_content(title::FontForm form) {
  title::FontFileContent content;
  if (form == title::FontForm::kNewest) {
    content.faces = {"Times New Roman CE,1", "Arial CE", "Courier,7"};
    content.tableNames = {"|MVCHARTAB,1", "|CHARTAB0"};
  } else {
    content.faces = {"Times New Roman CE", "Arial CE", "Courier"};
  }
  title::FontDescriptor regular;
  regular.face = 0;
  regular.font.height = -10;
  regular.font.weight = 400;
  regular.textColour = {0, 0, 0};
  regular.backColour = {255, 255, 255};
  title::FontDescriptor bold_italic = regular;
  bold_italic.face = 1;
  bold_italic.font.weight = 700;
  bold_italic.font.italic = 1;
  bold_italic.font.pitchAndFamily = 1;
  bold_italic.textColour = {0x80, 0, 0};
  title::FontDescriptor underlined = regular;
  underlined.face = 2;
  underlined.font.height = -12;
  underlined.font.underline = 1;
  underlined.font.strikeOut = 1;
  if (form != title::FontForm::kOldest) {
    underlined.spacing = 3;
    underlined.style = 1;
    underlined.flags = 0x21;
    underlined.raise = -2;
    underlined.font.charSet = 238;  // Central European
  }
  content.descriptors = {regular, bold_italic, underlined};
  if (form != title::FontForm::kOldest) {
    title::StyleRecord heading;
    heading.number = 1;
    heading.basedOn = 0;
    heading.font = bold_italic;
    heading.mode = 2;
    heading.faceName = "Arial CE";
    heading.styleName = "Nag\xB3\xF3wek";  // "Nagłówek"
    content.styles = {heading};
  }
  return content;
}

std::vector<uint8_t> sample_font_file(title::FontForm form) {
  return title::FontFileBytes(sample_font_content(form), form);
}

void add_sample_fonts(TitleBuilder& builder) {
  builder.add_file(std::string(title::kFontFileName), sample_font_file(title::FontForm::kNewest));
}

}  // namespace titlebuild
