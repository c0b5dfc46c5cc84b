// "|FONT" over hostile bytes, in whichever form its header names; the character tables it names are
// all answered with the title's Polish table or, for names starting with 'X', as missing.
#include <cstdint>

#include "engine/title/title_fonts.h"
#include "tools/titlebuild/polish_fts_tables.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::vector<uint8_t> polish = titlebuild::polish_char_table_file();
  const title::CharTableLoader loader = [](std::string_view name) -> fts::CharTablePtr {
    if (!name.empty() && name[0] == 'X') return nullptr;
    return fts::FtsParseCharTable(polish, nullptr);
  };
  fts::FtsError err;
  title::StyleSheetPtr sheet = title::FontParse(std::span(data, size), loader, &err);
  if (!sheet) return 0;
  if (sheet->charMaps.empty() || sheet->charMaps.size() < sheet->faces.size()) __builtin_trap();
  for (const auto& table : sheet->charMaps)
    if (!table) __builtin_trap();
  for (const title::FontDescriptor& d : sheet->descriptors)
    if (d.face > 0 && d.face >= sheet->faces.size()) __builtin_trap();
  for (const title::StyleRecord& s : sheet->styles)
    if (s.faceName.size() > 32 || s.styleName.size() > 64) __builtin_trap();
  for (const std::string& face : sheet->faces) {
    if (face.size() > 31) __builtin_trap();
    int32_t code = 0;
    if (title::TtlFindFace(sheet.get(), face, &code) < 0) __builtin_trap();
  }
  return 0;
}
