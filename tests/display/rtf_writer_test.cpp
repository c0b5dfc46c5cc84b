// RTF of copied text: byte goldens, and a real RTF reader reading the Polish letters back.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "engine/datapres/rtf_writer.h"
#include "engine/datapres/text_writer.h"
#include "platform/base/temp_folder.h"

namespace display_test {
namespace {

std::span<const uint8_t> Bytes(std::string_view s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

const datapres::RtfFace kArial{0, "Arial", 0x22};

TEST(RtfWriter, ParagraphPropertiesGoOutInTwips) {
  adt::ParagraphInfo info;
  info.alignment = 2;
  info.firstIndent = -18;  // 1/144 inch
  info.leftIndent = 36;
  info.spaceBefore = 12;
  info.lineSpacing = -20;
  datapres::RtfWriter rtf;
  rtf.text_paragraph(info);
  EXPECT_EQ(rtf.body(), "\\pard\\qc\\fi-180\\li360\\ri0\\sb120\\sa0\\sl-200\\plain");
  datapres::RtfWriter twips;
  info.paraFlags = 1;  // already in twips
  info.alignment = 1;
  twips.text_paragraph(info);
  EXPECT_EQ(twips.body(), "\\pard\\qr\\fi-18\\li36\\ri0\\sb12\\sa0\\sl-20\\plain");
}

TEST(RtfWriter, RunsEscapeBracesAndCodePageLettersAndMarkBoldFrom600) {
  struct Case {
    datapres::RtfRunFormat format;
    std::string_view text;
    std::string_view body;
  } cases[] = {
      {{10, 400, false, false, false, 0}, "a{b}|c\\", "{\\f0\\fs20 a\\'7bb\\'7d\\'7cc\\'5c}"},
      {{12, 600, false, false, false, 0}, "x", "{\\f0\\fs24\\b x}"},
      {{-12, 700, true, true, true, 6}, "\xBF\xF3\xB3w", "{\\f0\\fs24\\b\\ul\\i\\scaps\\up6 \\'bf\\'f3\\'b3w}"},
      {{8, 400, false, false, false, -4}, "2", "{\\f0\\fs16\\dn4 2}"},
  };
  for (const Case& c : cases) {
    datapres::RtfWriter rtf;
    rtf.run(kArial, c.format, Bytes(c.text));
    EXPECT_EQ(rtf.body(), c.body);
  }
}

TEST(RtfWriter, DocumentDeclaresTheCodePageAndEndsFontEntries) {
  datapres::RtfWriter rtf;
  EXPECT_FALSE(rtf.has_content());
  rtf.plain_paragraph();
  rtf.run(kArial, {}, Bytes("a"));
  rtf.run({3, "Times New Roman", 0x12}, {}, Bytes("b"));
  rtf.run(kArial, {}, Bytes("c"));
  rtf.paragraph_break();
  EXPECT_EQ(rtf.document(),
            "{\\rtf1\\ansi\\ansicpg1250\\deff0 {\\fonttbl {\\f0\\fswiss\\fcharset238 Arial;} "
            "{\\f3\\froman\\fcharset238 "
            "Times New Roman;}}\r\n\\pard{\\f0\\fs20 a}{\\f3\\fs20 b}{\\f0\\fs20 c}\\par}");
}

TEST(RtfWriter, PictureIsHexOfTheMetafile) {
  datapres::RtfWriter rtf;
  const uint8_t metafile[] = {0x01, 0xAB, 0xFF};
  rtf.picture(2, 3, metafile);
  EXPECT_EQ(rtf.body(), "{\\pict\\wmetafile8\\picw30\\pich45\\picwgoal30\\pichgoal45 01ABFF}");
}

TEST(TextWriter, TranslatesThroughTheFaceMapAndEndsWithNul) {
  fts::CharTable map;
  map.entries.resize(256);
  map.entries[0x96].extra[0] = '-';  // an en dash copied as a hyphen
  datapres::TextWriter text;
  EXPECT_TRUE(text.finish().empty());
  text.run(Bytes("a\x96" "b"), &map);
  text.tab();
  text.line_end();
  std::vector<uint8_t> expected{'a', '-', 'b', '\t', '\r', '\n', 0};
  EXPECT_EQ(text.finish(), expected);
  // A NUL inside a damaged record's run or an item does not end the text early.
  datapres::TextWriter damaged;
  damaged.run(std::vector<uint8_t>{'x', 0, 'y'}, nullptr);
  damaged.append_item(std::vector<uint8_t>{'z', 0, 'q'});
  EXPECT_EQ(damaged.finish(), (std::vector<uint8_t>{'x', 'y', 'z', 0}));
}

// What unrtf reads from a document, as HTML with the letters as character references.
std::string ReadBack(const std::string& document) {
  std::string path = base::temp_folder() + "/copy.rtf";
  std::string out = base::temp_folder() + "/copy.html";
  {
    std::ofstream file(path, std::ios::binary);
    file << document;
  }
  std::string command = "unrtf --html " + path + " > " + out + " 2>/dev/null";
  if (std::system(command.c_str()) != 0) return {};
  std::ifstream read(out, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(read)), std::istreambuf_iterator<char>());
}

// A real RTF reader must read the Polish letters back as themselves, not as Western ones.
TEST(RtfWriter, RealReaderReadsPolishLettersBack) {
  if (std::system("unrtf --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "unrtf is not installed";
  ASSERT_FALSE(base::temp_folder().empty());
  datapres::RtfWriter rtf;
  rtf.plain_paragraph();
  // "Zażółć gęślą jaźń ŁÓŚĄ"
  rtf.run(kArial, {}, Bytes("Za\xBF\xF3\xB3\xE6 g\xEA\x9C l\xB9 ja\x9F\xF1 \xA3\xD3\x8C\xA5"));
  rtf.paragraph_break();
  std::string html = ReadBack(rtf.document());
  // U+017C, U+0142, U+0107, U+0119, U+015B, U+0105, U+017A, U+0144, U+0141, U+015A, U+0104.
  for (std::string_view letter : {"&#380;", "&#322;", "&#263;", "&#281;", "&#347;", "&#261;", "&#378;", "&#324;",
                                  "&#321;", "&#346;", "&#260;"}) {
    EXPECT_NE(html.find(letter), std::string::npos) << letter << "\n" << html;
  }
  EXPECT_NE(html.find("&oacute;"), std::string::npos) << html;
  // Without the declared code page and character set the same bytes read back as other letters.
  std::string undeclared = rtf.document();
  undeclared.erase(undeclared.find("\\ansicpg1250"), 12);
  undeclared.erase(undeclared.find("\\fcharset238"), 12);
  EXPECT_EQ(ReadBack(undeclared).find("&#380;"), std::string::npos);
}

}  // namespace
}  // namespace display_test
