// The query parser: operator words (built-in and Polish), quotation marks, brackets, modifiers,
// ranges, wildcards, the simplifications, and every syntax error with its position.
#include <gtest/gtest.h>

#include "tests/fts/query_fixture.h"

namespace fts {
namespace {

using testing::MakeBreakers;
using testing::Parse;
using testing::PolishOperators;
using testing::Render;

struct Case {
  std::string query;
  std::string tree;  // empty when the parse fails
  int32_t code = 0;
  int32_t position = 0;
  uint16_t flags = 0;
};

void Check(const std::vector<Case>& cases, const OperatorTable* operators) {
  WordBreakerTablePtr breakers = MakeBreakers();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query);
    auto out = Parse(c.query, breakers.get(), operators, c.flags);
    if (c.code) {
      EXPECT_FALSE(out.tree);
      EXPECT_EQ(out.error.code, c.code);
      EXPECT_EQ(out.error.position, c.position);
    } else {
      ASSERT_TRUE(out.tree) << out.error.code;
      EXPECT_EQ(Render(*out.tree), c.tree);
    }
  }
}

TEST(Parser, BuiltInOperators) {
  Check({
            {"tax law", "(tax AND law)"},
            {"tax AND law", "(tax AND law)"},
            {"tax law", "(tax OR law)", 0, 0, kParseDefaultOr},
            {"tax tax law", "(tax AND law)"},
            {"tax AND tax", "tax"},
            {"tax NOT tax", "{}"},
            {"\"tax law\"", "(tax PHRASE law)"},
            {"\"tax and law\"", "((tax PHRASE and) PHRASE law)"},
            {"a OR b AND c", "((a OR b) AND c)"},
            {"a or (b near c)", "((b NEAR c) OR a)"},
            {"tax AND (tax OR law)", "((tax OR law) AND tax)"},
            {"tax AND (tax NEAR law)", "(tax NEAR law)"},
            {"z THRU a", "[a..z]"},
            {"ustaw* ??", "(~ustaw* AND ~?" "?)"},
            {"VFLD 3 tax law", "(tax@3 AND law@3)"},
            {"DTYPE 3 1995", "\\x01\\x02" "25031995#3"},
            {"tax AND law", "((tax OR and) OR law)", 0, 0, kParseNoSyntax},
            // Control bytes typed by the user are text, never operators.
            {"tax\x02law", "(tax AND law)"},
            {"\x08" "abcd tax", "(abcd AND tax)"},
            {"(tax) (law)", "(tax AND law)"},
        },
        nullptr);
}

// One row per simplification rule, with a neighbour that the rule must leave alone.
TEST(Parser, SimplificationRules) {
  Check({
            // The same word on both sides: AND and OR keep it once, NOT leaves nothing.
            {"x AND x", "x"},
            {"x OR x", "x"},
            {"x NOT x", "{}"},
            {"x NEAR x", "(x NEAR x)"},
            {"x* AND x", "(~x* AND x)"},
            // Nothing on one side: NOT keeps its first operand, OR the other side, AND nothing.
            {"(x NOT x) OR y", "y"},
            {"y OR (x NOT x)", "y"},
            {"y NOT (x NOT x)", "y"},
            {"(x NOT x) NOT y", "{}"},
            {"(x NOT x) AND y", "{}"},
            {"y AND (x NOT x)", "{}"},
            // A word beside a group that already requires it is dropped.
            {"x AND (x AND y)", "(x AND y)"},
            {"x AND (y AND x)", "(y AND x)"},
            {"(x AND y) AND x", "(x AND y)"},
            {"x AND \"x y\"", "(x PHRASE y)"},
            {"y AND (x NEAR y)", "(x NEAR y)"},
            {"x AND (x NOT y)", "(x NOT y)"},
            {"x OR (y OR x)", "(y OR x)"},
            // ...but not where the group excludes the word or only allows it.
            {"x AND (y NOT x)", "((y NOT x) AND x)"},
            {"x AND (x OR y)", "((x OR y) AND x)"},
            {"x OR (x AND y)", "((x AND y) OR x)"},
            {"x OR (y NOT x)", "((y NOT x) OR x)"},
            // A word before a group moves behind it, except for NOT.
            {"x AND (y OR z)", "((y OR z) AND x)"},
            {"x OR (y AND z)", "((y AND z) OR x)"},
            {"x NEAR (y NEAR z)", "((y NEAR z) NEAR x)"},
            {"x NOT (y OR z)", "(x NOT (y OR z))"},
            // With implicit operators only, a word written twice is searched once; written-out
            // operators keep it where no rule above applies.
            {"x y x", "(y AND x)"},
            {"x NEAR y NEAR x", "((x NEAR y) NEAR x)"},
        },
        nullptr);
}

TEST(Parser, SyntaxErrorsWithTheirPositions) {
  Check({
            {"AND tax", "", 2201, 0},
            {"tax AND", "", 2201, 6},
            {"(tax", "", 2205, 3},
            {"tax)", "", 2204, 3},
            {"\"tax", "", 2203, 3},
            {"tax ()", "", 2201, 5},
            {std::string(16, '(') + "tax" + std::string(16, ')'), "", 2206, 15},
            {"a* THRU z", "", 2212, 0},
            {"a THRU DTYPE 3 1995", "", 2210, 15},
            {"***", "", 2213, 0},
            {"DTYPE 16 x", "", 2209, 0},
            {"DTYPE 2 x", "", 2209, 0},
            {"VFLD x", "", 2209, 0},
            {"", "", 2200, 0},
            {"tax", "", 2015, 0, 0x0002},
            {std::string(300, 'a'), "", 2006, 0},
        },
        nullptr);
}

TEST(Parser, PolishOperatorWords) {
  OperatorTablePtr polish = PolishOperators();
  ASSERT_TRUE(polish);
  Check({
            {"ustawa ORAZ podatek", "(ustawa AND podatek)"},
            {"ustawa oraz podatek", "(ustawa AND podatek)"},
            {"ustawa LUB podatek", "(ustawa OR podatek)"},
            {"ustawa NIE podatek", "(ustawa NOT podatek)"},
            {"ustawa PRZY podatek", "(ustawa NEAR podatek)"},
            {"a DO z", "[a..z]"},
            {"VFLD 1 ustawa", "ustawa@1"},
            {"ustawa AND podatek", "((ustawa AND and) AND podatek)"},
            {"\"ustawa lub podatek\"", "((ustawa PHRASE lub) PHRASE podatek)"},
            {"LUB ustawa", "", 2201, 0},
        },
        polish.get());
}

TEST(Parser, TreeLimits) {
  WordBreakerTablePtr breakers = MakeBreakers();
  auto chain = [](int words) {
    std::string q = "w0";
    for (int i = 1; i < words; ++i) q += " OR w" + std::to_string(i);
    return q;
  };
  // 512 words make 1,023 nodes; one more word makes too many.
  auto ok = Parse(chain(512), breakers.get());
  ASSERT_TRUE(ok.tree) << ok.error.code;
  EXPECT_EQ(ok.tree->depth, 512);
  auto too_many = Parse(chain(513), breakers.get());
  EXPECT_FALSE(too_many.tree);
  EXPECT_EQ(too_many.error.code, 2012);
}

TEST(Parser, WeightsFollowReferences) {
  WordBreakerTablePtr breakers = MakeBreakers();
  auto out = Parse("a OR a OR b", breakers.get());
  ASSERT_TRUE(out.tree);
  const auto& words = out.tree->words;
  ASSERT_EQ(words.size(), 2u);
  EXPECT_EQ(words[0].weight, 32767 + 16383 * 2);
  EXPECT_EQ(words[1].weight, 32767 + 16383);
}

TEST(Parser, StopWordsAloneLeaveNothingToSearch) {
  WordBreakerTablePtr breakers = MakeBreakers();
  breakers->slots[0].stopList = FtsCreateStopList(nullptr);
  const uint8_t w[] = {1, 'w'};
  FtsAddStopWord(breakers->slots[0].stopList.get(), w);
  auto out = Parse("w", breakers.get());
  EXPECT_FALSE(out.tree);
  EXPECT_EQ(out.error.code, 2200);
}

}  // namespace
}  // namespace fts
