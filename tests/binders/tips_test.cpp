// The tips file: which lines are tips, going round at the end, positions that do not fit the file,
// files without tips and overlong lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "navigation/tip_file.h"

namespace {

// The tips read one after another from `position`, `n` of them.
std::vector<std::string> Walk(std::string_view content, uint64_t position, int n) {
  std::vector<std::string> out;
  for (int i = 0; i < n; ++i) {
    const tips::TipRead read = tips::NextTip(content, position);
    if (!read.found) break;
    out.push_back(read.text);
    position = read.next;
  }
  return out;
}

TEST(Tips, CommentsBlankAndIndentedLinesAreSkippedAndTheEndWraps) {
  const std::string file = "; komentarz\n\nPierwsza porada\n\tciąg dalszy\n dalej\r\nDruga porada\r\n;x\nTrzecia";
  EXPECT_EQ(Walk(file, 0, 4),
            (std::vector<std::string>{"Pierwsza porada", "Druga porada", "Trzecia", "Pierwsza porada"}));
  EXPECT_EQ(tips::NextTip("; tylko\n\nJedna\n", 0).next, 15u);
}

TEST(Tips, PositionsThatDoNotFitTheFile) {
  const std::string file = "Pierwsza\nDruga\n";
  struct Case {
    uint64_t position;
    const char* tip;
  } cases[] = {
      {0, "Pierwsza"}, {9, "Druga"}, {15, "Pierwsza"},          // at the end: the start again
      {9999, "Pierwsza"},                                        // past the end
      {3, "Druga"},                                              // inside a line: the next line
      {11, "Pierwsza"},                                          // inside the last line: round
  };
  for (const Case& c : cases) EXPECT_EQ(tips::NextTip(file, c.position).text, c.tip) << c.position;
}

TEST(Tips, AFileWithoutTipsEndsTheSearchAndLongLinesGiveOneTip) {
  for (const char* file : {"", "\n\n", "; a\n\tb\n c\n", ";"}) {
    EXPECT_FALSE(tips::NextTip(file, 0).found) << file;
    EXPECT_FALSE(tips::NextTip(file, 2).found) << file;
  }
  const std::string file = std::string(2500, 'x') + "\nKrótka\n";
  const tips::TipRead first = tips::NextTip(file, 0);
  EXPECT_EQ(first.text.size(), tips::kMaxTipLength);
  EXPECT_EQ(tips::NextTip(file, first.next).text, "Krótka");
}

TEST(Tips, TimeStampHasNoTrailingBlanks) {
  const std::string text = tips::TimeStampText(1700000000);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), ' ');
  EXPECT_NE(text.back(), '\n');
  EXPECT_NE(tips::TimeStampText(1700000000), tips::TimeStampText(1700000060));
}

}  // namespace
