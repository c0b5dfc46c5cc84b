#include <gtest/gtest.h>

#include <algorithm>

#include "engine/frame/record_layout.h"
#include "engine/frame/text_output.h"
#include "engine/medview/viewer_fonts.h"
#include "tests/layout/record_builder.h"

namespace layout_test {
namespace {

title::StyleRecord Style(uint16_t number, uint16_t based_on) {
  title::StyleRecord style;
  style.number = number;
  style.basedOn = based_on;
  style.font.textColour = {1, 1, 0};
  style.font.backColour = {1, 1, 0};
  return style;
}

TEST(Fonts, StyleChainMostDerivedWinsAndStopsAtTwentyLevels) {
  title::StyleSheet sheet;
  sheet.faces = {"Arial", "Times"};
  auto base = Style(1, 0);
  base.font.font.weight = 700;
  base.font.font.height = 8;
  auto derived = Style(2, 1);
  derived.font.font.height = 14;
  derived.font.face = 1;
  derived.font.textColour = {255, 0, 0};
  auto self = Style(3, 3);  // based on itself
  self.font.spacing = 20;
  sheet.styles = {base, derived, self};
  title::FontDescriptor d;
  d.style = 2;
  d.textColour = {1, 1, 0};
  std::string face = "Arial";
  medview::MvApplyStyle(sheet, d, 2, 0, &face);
  EXPECT_EQ(d.font.weight, 700);
  EXPECT_EQ(d.font.height, 14);
  EXPECT_EQ(face, "Times");
  EXPECT_EQ(d.textColour[0], 255);
  EXPECT_EQ(d.style, 0);
  title::FontDescriptor looped;
  medview::MvApplyStyle(sheet, looped, 3, 0, nullptr);  // returns after twenty levels
  EXPECT_EQ(looped.spacing, 20);
}

TEST(Fonts, FaceNamesAreCountedFromOneAndFoundIgnoringCase) {
  auto sheet = TestStyleSheet();
  std::string name;
  EXPECT_EQ(medview::MvGetFaceName(sheet.get(), 1, &name), 0);
  EXPECT_EQ(name, "Arial");
  EXPECT_EQ(medview::MvGetFaceName(sheet.get(), 0, &name), medview::kViewBadArgument);
  EXPECT_EQ(medview::MvGetFaceName(sheet.get(), 2, &name), medview::kViewOutOfRange);
  medview::TitleErrorCode error = 0;
  EXPECT_EQ(medview::MvFindFaceName(sheet.get(), "ARIAL", &error), 1);
  EXPECT_EQ(medview::MvFindFaceName(sheet.get(), "Courier", &error), -1);
  EXPECT_EQ(error, medview::kViewFaceNotFound);
}

TEST(Fonts, StyleSheetSizeIsItsStoredBlock) {
  title::StyleSheet sheet;
  medview::TitleErrorCode error = 0;
  // Header, one character-table reference even without faces.
  EXPECT_EQ(medview::MvGetStyleSheetSize(&sheet, &error), 44);
  EXPECT_EQ(error, 0);
  // 40 + 2 x 32 + 3 x 42 = 230, styles at 232: + 146 = 378, references at 380: + 2 x 4.
  sheet.faces = {"Arial", "Times"};
  sheet.descriptors.resize(3);
  sheet.styles = {Style(1, 0)};
  EXPECT_EQ(medview::MvGetStyleSheetSize(&sheet, &error), 388);
  EXPECT_EQ(medview::MvGetStyleSheetSize(nullptr, &error), -1);
  EXPECT_EQ(error, medview::kViewBadArgument);
}

TEST(Fonts, SelectedFontGivesZoomedMetricsAndRaise) {
  TestViewer t(96, 200);
  medview::Viewer& v = t.viewer();
  ASSERT_EQ(medview::MvAcquireDC(&v), 0);
  ASSERT_TRUE(medview::MvSelectFont(&v, 0));
  // 10 points at 96 dpi and zoom 200: 27 pixels.
  EXPECT_EQ(v.textMetrics.tmHeight, 27);
  ASSERT_TRUE(medview::MvSelectFont(&v, 3));
  EXPECT_EQ(v.raise, 8);  // 6 half-points
  ASSERT_TRUE(medview::MvSelectFont(&v, 2));
  EXPECT_EQ(v.textMetrics.tmHeight, 19);  // small capitals: three quarters of 10, 7 points
  // A font number past the sheet falls back to font 0.
  ASSERT_TRUE(medview::MvSelectFont(&v, 999));
  EXPECT_EQ(v.textMetrics.tmHeight, 27);
  medview::MvReleaseDC(&v);
}

TEST(Fonts, SixthFontReplacesTheLeastRecentlyUsed) {
  TestViewer t;
  medview::Viewer& v = t.viewer();
  ASSERT_EQ(medview::MvAcquireDC(&v), 0);
  for (int n : {0, 1, 2, 3, 4}) ASSERT_TRUE(medview::MvSelectFont(&v, n));
  ASSERT_TRUE(medview::MvSelectFont(&v, 0));  // 0 is now the most recent; 1 the oldest
  ASSERT_TRUE(medview::MvSelectFont(&v, 5));
  std::vector<int32_t> cached;
  for (const auto& entry : v.fontCache) cached.push_back(entry.number);
  EXPECT_EQ(std::count(cached.begin(), cached.end(), 1), 0);
  EXPECT_EQ(std::count(cached.begin(), cached.end(), 0), 1);
  EXPECT_EQ(std::count(cached.begin(), cached.end(), 5), 1);
  medview::MvReleaseDC(&v);
}

TEST(Fonts, KerningFollowsTheMinimumSize) {
  TestViewer t;
  medview::Viewer& v = t.viewer();
  ASSERT_EQ(medview::MvAcquireDC(&v), 0);
  const uint8_t av[] = {'A', 'V'};
  ASSERT_TRUE(medview::MvSelectFont(&v, 4));
  int32_t kerned = frame::FrMeasureText(v, av, 2, nullptr);
  medview::MvSetKerningMinSize(&v, 72);  // far above 20 points: no kerning
  medview::MvDropFonts(&v);
  ASSERT_TRUE(medview::MvSelectFont(&v, 4));
  int32_t plain = frame::FrMeasureText(v, av, 2, nullptr);
  EXPECT_LT(kerned, plain);
  int32_t widths[2];
  medview::MvSetKerningMinSize(&v, 0);
  medview::MvDropFonts(&v);
  ASSERT_TRUE(medview::MvSelectFont(&v, 4));
  EXPECT_EQ(frame::FrMeasureText(v, av, 2, widths), kerned);
  EXPECT_EQ(widths[0] + widths[1], kerned);  // the kerning sits on the pair's first character
  medview::MvReleaseDC(&v);
}

}  // namespace
}  // namespace layout_test

namespace layout_test {
namespace {

TEST(Styles, ReadAndChangeByIndexOrName) {
  title::StyleSheet sheet;
  sheet.faces = {"Arial", "Times"};
  title::StyleRecord link;
  link.number = 7;
  link.styleName = "Link";
  link.font.face = 1;
  link.font.textColour = {0x10, 0x20, 0x30};
  sheet.styles = {title::StyleRecord{}, link};
  std::string face;
  std::array<uint8_t, 3> colour{};
  medview::StyleValues out;
  out.face = &face;
  out.textColour = &colour;
  int32_t index = -1;
  std::string name = "Link";
  medview::TitleErrorCode error = 0;
  ASSERT_TRUE(medview::MvGetStyle(&sheet, &index, &name, out, &error));
  EXPECT_EQ(index, 1);
  EXPECT_EQ(face, "Times");
  EXPECT_EQ(colour, (std::array<uint8_t, 3>{0x30, 0x20, 0x10}));  // blue, green, red
  std::array<uint8_t, 3> red{0, 0, 0xFF};
  medview::StyleValues in;
  in.textColour = &red;
  ASSERT_TRUE(medview::MvSetStyle(&sheet, &index, nullptr, in, &error));
  EXPECT_EQ(sheet.styles[1].font.textColour, (std::array<uint8_t, 3>{0xFF, 0, 0}));
  index = 2;
  EXPECT_FALSE(medview::MvGetStyle(&sheet, &index, nullptr, out, &error));
  EXPECT_EQ(error, medview::kViewStyleNotFound);
  index = -1;
  EXPECT_FALSE(medview::MvGetStyle(&sheet, &index, nullptr, out, &error));
  EXPECT_EQ(error, medview::kViewBadArgument);
}

}  // namespace
}  // namespace layout_test

namespace layout_test {
namespace {

TEST(Translation, RunsFollowTheMapOfTheirFace) {
  TestViewer t;
  medview::Viewer& v = t.viewer();
  title::StyleSheet sheet = t.sheet();
  sheet.faces = {"Arial", "Symbol"};
  auto map = std::make_shared<fts::CharTable>();
  map->entries.resize(256);
  map->entries['a'].extra[1] = 'b';
  sheet.charMaps = {map};  // face 1 has no table: its text stays
  sheet.descriptors[1].face = 1;
  medview::MvSetStyleSheet(&v, &sheet);
  Bytes record = TextRecord(adt::ParagraphInfo{}, Commands().Font(1).Font(0).End(), "xa|a|a|");
  ASSERT_TRUE(frame::FrTranslateRecordText(v, record));
  std::string text(record.end() - 7, record.end());
  EXPECT_EQ(text, std::string("xb\0a\0b\0", 7));
  EXPECT_EQ(v.flags & medview::kViewClipboard, 0);
}

}  // namespace
}  // namespace layout_test
