#include "engine/title/title_fonts.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/base/byte_io.h"
#include "tools/titlebuild/font_fixtures.h"
#include "tools/titlebuild/polish_fts_tables.h"

namespace title {
namespace {

using titlebuild::sample_font_content;
using titlebuild::sample_font_file;

// Internal files a test title holds besides "|FONT".
CharTableLoader loader_of(std::map<std::string, std::vector<uint8_t>> files) {
  return [files = std::move(files)](std::string_view name) -> fts::CharTablePtr {
    auto it = files.find(std::string(name));
    return it == files.end() ? nullptr : fts::FtsParseCharTable(it->second, nullptr);
  };
}

const CharTableLoader kPolishTitle = loader_of({{"|MVCHARTAB", titlebuild::polish_char_table_file()}});

TEST(TitleFonts, EachFormGivesTheSameFacesAndFonts) {
  for (FontForm form : {FontForm::kOldest, FontForm::kMiddle, FontForm::kNewest}) {
    fts::FtsError err;
    StyleSheetPtr sheet = FontParse(sample_font_file(form), kPolishTitle, &err);
    ASSERT_TRUE(sheet) << int(form) << " " << err.code;
    EXPECT_EQ(sheet->form, form);
    EXPECT_EQ(sheet->faces, (std::vector<std::string>{"Times New Roman CE", "Arial CE", "Courier"}));
    ASSERT_EQ(sheet->descriptors.size(), 3u);
    const FontDescriptor& bi = sheet->descriptors[1];
    EXPECT_EQ(bi.face, 1);
    EXPECT_EQ(bi.font.weight, 700);
    EXPECT_EQ(bi.font.italic, 1);
    EXPECT_EQ(bi.font.height, -10);
    EXPECT_EQ(bi.font.pitchAndFamily, 1);
    EXPECT_EQ(bi.textColour, (std::array<uint8_t, 3>{0x80, 0, 0}));
    EXPECT_EQ(bi.backColour, (std::array<uint8_t, 3>{255, 255, 255}));
    const FontDescriptor& u = sheet->descriptors[2];
    EXPECT_EQ(u.font.underline, 1);
    EXPECT_EQ(u.font.strikeOut, 1);
    EXPECT_EQ(u.font.height, -12);
    EXPECT_EQ(sheet->charMaps.size(), 3u);
    if (form == FontForm::kOldest) {
      EXPECT_TRUE(sheet->styles.empty());
      EXPECT_EQ(u.spacing, 0);
      EXPECT_EQ(u.flags, 0);
      continue;
    }
    EXPECT_EQ(u.spacing, 3);
    EXPECT_EQ(u.style, 1);
    EXPECT_EQ(u.flags, 0x21);
    EXPECT_EQ(u.raise, -2);
    EXPECT_EQ(u.font.charSet, 238);
    ASSERT_EQ(sheet->styles.size(), 1u);
    EXPECT_EQ(sheet->styles[0].number, 1);
    EXPECT_EQ(sheet->styles[0].mode, 2);
    EXPECT_EQ(sheet->styles[0].faceName, "Arial CE");
    EXPECT_EQ(sheet->styles[0].styleName, "Nag\xB3\xF3wek");
    EXPECT_EQ(sheet->styles[0].font.font.weight, 700);
  }
}

TEST(TitleFonts, OldestDescriptorConversion) {
  // One face, one descriptor: attributes 0x05 (bold, underline), size 20 half points.
  std::vector<uint8_t> file;
  base::ByteWriter w(file);
  w.u16(1);
  w.u16(1);
  w.u16(8);
  w.u16(28);
  w.bytes("Arial", 5);
  w.zeros(15);
  for (uint8_t b : {0x05, 20, 0, 0, 0, 1, 2, 3, 4, 5, 6}) w.u8(b);
  StyleSheetPtr sheet = FontParse(file, nullptr, nullptr);
  ASSERT_TRUE(sheet);
  const FontDescriptor& d = sheet->descriptors[0];
  EXPECT_EQ(d.font.weight, 700);
  EXPECT_EQ(d.font.underline, 1);
  EXPECT_EQ(d.font.italic, 0);
  EXPECT_EQ(d.font.height, -10);
  EXPECT_EQ(d.font.pitchAndFamily, 0);
  EXPECT_EQ(d.textColour, (std::array<uint8_t, 3>{1, 2, 3}));
}

TEST(TitleFonts, NewestFormGivesEachFaceItsTable) {
  // "|CHARTAB0" is missing from the title: table 0 is the built-in one.
  StyleSheetPtr sheet = FontParse(sample_font_file(FontForm::kNewest), kPolishTitle, nullptr);
  ASSERT_TRUE(sheet);
  const fts::CharTable& times = *sheet->charMaps[0];
  EXPECT_EQ(times.char_class(0xB3), fts::kClassNormalized);  // 'ł' is a letter in the title's table
  const fts::CharTable& arial = *sheet->charMaps[1];
  EXPECT_EQ(arial.char_class(0xB3), fts::kClassSeparator);  // built-in
  const fts::CharTable& courier = *sheet->charMaps[2];      // ",7": no such table, built-in
  EXPECT_EQ(courier.ligatureMode, fts::kLigaturesBuiltIn);

  // With the table present, the face without a suffix takes table 0.
  auto both = loader_of({{"|MVCHARTAB", titlebuild::polish_char_table_file()},
                         {"|CHARTAB0", titlebuild::polish_char_table_file()}});
  sheet = FontParse(sample_font_file(FontForm::kNewest), both, nullptr);
  ASSERT_TRUE(sheet);
  EXPECT_EQ(sheet->charMaps[1]->char_class(0xB3), fts::kClassNormalized);
  EXPECT_NE(sheet->charMaps[0], sheet->charMaps[1]);
}

TEST(TitleFonts, FaceLookUps) {
  StyleSheetPtr sheet = FontParse(sample_font_file(FontForm::kNewest), kPolishTitle, nullptr);
  ASSERT_TRUE(sheet);
  int32_t code = -1;
  EXPECT_EQ(TtlFindFace(sheet.get(), "arial ce", &code), 1);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(TtlFindFace(sheet.get(), "TIMES NEW ROMAN CE", &code), 0);
  EXPECT_EQ(TtlFindFace(sheet.get(), "Times New Roman CE,1", &code), -1);
  EXPECT_EQ(code, fts::kFtsQueryFailed);
  EXPECT_EQ(TtlFindFace(nullptr, "Arial", &code), -1);
  EXPECT_EQ(code, fts::kFtsBadArgument);
  std::string name;
  EXPECT_EQ(TtlGetFaceName(sheet.get(), 2, &name), 0);
  EXPECT_EQ(name, "Courier");
  EXPECT_EQ(TtlGetFaceName(sheet.get(), 3, &name), fts::kFtsQueryFailed);
  EXPECT_EQ(TtlGetFaceName(sheet.get(), -1, &name), fts::kFtsQueryFailed);
  EXPECT_EQ(TtlGetFaceName(sheet.get(), 0, nullptr), fts::kFtsBadArgument);
}

TEST(TitleFonts, HostileFilesAreRefusedOrMadeSafe) {
  const std::vector<uint8_t> good = sample_font_file(FontForm::kNewest);
  struct Case {
    const char* name;
    size_t offset;
    uint16_t value;
    bool loads;
  };
  const Case cases[] = {
      {"more faces than the file holds", 0, 5000, false},
      {"more descriptors than the file holds", 2, 5000, false},
      {"descriptor table past the end", 6, 0xFFF0, false},
      {"more styles than the file holds", 8, 900, false},
      {"style table past the end", 10, 0xFFF0, false},
      {"more table names than the file holds", 12, 900, false},
      {"table names past the end", 14, 0xFFF0, false},
      {"no table names", 12, 0, true},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = good;
    base::store_le16(bytes.data() + c.offset, c.value);
    fts::FtsError err;
    StyleSheetPtr sheet = FontParse(bytes, kPolishTitle, &err);
    EXPECT_EQ(bool(sheet), c.loads) << c.name;
    if (!c.loads) {
      EXPECT_EQ(err.code, fts::kFtsReadFailed) << c.name;
    }
  }
  EXPECT_FALSE(FontParse(std::span(good).first(7), nullptr, nullptr));

  // Names without a NUL are cut inside their field; face indexes beyond the faces are clamped.
  FontFileContent content = sample_font_content(FontForm::kMiddle);
  content.faces[0] = std::string(40, 'X');
  content.descriptors[0].face = 999;
  content.styles[0].font.face = 3;
  content.styles[0].styleName = std::string(80, 'S');
  std::vector<uint8_t> bytes = FontFileBytes(content, FontForm::kMiddle);
  std::fill(bytes.begin() + 12, bytes.begin() + 12 + 32, 'X');  // the first face name fills its field
  StyleSheetPtr sheet = FontParse(bytes, nullptr, nullptr);
  ASSERT_TRUE(sheet);
  EXPECT_EQ(sheet->faces[0], std::string(31, 'X'));
  EXPECT_EQ(sheet->descriptors[0].face, 2);
  EXPECT_EQ(sheet->styles[0].font.face, 2);
  EXPECT_EQ(sheet->styles[0].styleName.size(), 64u);
}

}  // namespace
}  // namespace title
