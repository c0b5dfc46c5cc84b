#include "tools/compiler/library_fonts.h"

#include "engine/title/title_fonts.h"

namespace compiler {

std::vector<uint8_t> LibraryFontFile() {
  title::FontFileContent content;
  content.faces = {"Times New Roman CE", "Arial CE", "Courier New CE"};
  title::FontDescriptor body;
  body.face = 0;
  body.font.height = -13;
  body.font.weight = 400;
  body.font.charSet = 238;  // Central European
  body.textColour = {0, 0, 0};
  body.backColour = {255, 255, 255};
  title::FontDescriptor heading = body;
  heading.face = 1;
  heading.font.weight = 700;
  title::FontDescriptor act_title = heading;
  act_title.font.height = -16;
  title::FontDescriptor link = body;
  link.font.underline = 1;
  link.textColour = {0, 0, 0xFF};
  title::FontDescriptor table = body;
  table.face = 2;
  table.font.height = -12;
  content.descriptors = {body, heading, act_title, link, table};
  return title::FontFileBytes(content, title::FontForm::kNewest);
}

}  // namespace compiler
