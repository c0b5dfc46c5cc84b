// Word breakers and the stemmer: terms, raw forms and positions, typed values, and the limits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/fts/breakers/stemmer.h"
#include "engine/fts/breakers/word_breakers.h"

namespace fts {
namespace {

struct Term {
  std::string raw, term;
  int32_t position;
  friend bool operator==(const Term&, const Term&) = default;
};

std::ostream& operator<<(std::ostream& out, const Term& t) {
  return out << "{" << t.raw << ", " << t.term << ", " << t.position << "}";
}

int32_t Collect(const uint8_t* raw, const uint8_t* term, int32_t position, intptr_t value) {
  auto* out = reinterpret_cast<std::vector<Term>*>(value);
  out->push_back({std::string(reinterpret_cast<const char*>(raw + 1), raw[0]),
                  std::string(reinterpret_cast<const char*>(term + 1), term[0]), position});
  return 0;
}

class Breaking : public ::testing::Test {
 protected:
  void SetUp() override { table_ = FtsDefaultCharTable(nullptr); }

  // Feeds the pieces in turn (positions continuing), then the end call.
  int32_t Break(WordBreaker breaker, std::vector<std::string> pieces, uint16_t flags = 0) {
    terms_.clear();
    BreakerState state;
    BreakerCall call;
    call.state = &state;
    call.callback = Collect;
    call.callbackValue = intptr_t(&terms_);
    call.charTable = table_.get();
    call.stopList = stop_.get();
    call.flags = flags;
    int32_t position = 0;
    for (const std::string& p : pieces) {
      call.text = reinterpret_cast<const uint8_t*>(p.data());
      call.length = uint16_t(p.size());
      call.position = position;
      position += int32_t(p.size());
      if (int32_t code = breaker(call)) return code;
    }
    call.text = nullptr;
    call.length = 0;
    return breaker(call);
  }
  std::vector<std::string> TermsOnly() const {
    std::vector<std::string> out;
    for (const Term& t : terms_) out.push_back(t.term);
    return out;
  }

  CharTablePtr table_;
  StopListPtr stop_;
  std::vector<Term> terms_;
};

TEST_F(Breaking, WordsFoldAndSplit) {
  EXPECT_EQ(Break(FBreakWords, {"D\xe9j\xe0-vu"}), 0);
  EXPECT_EQ(terms_, (std::vector<Term>{{"D\xe9j\xe0", "deja", 0}, {"vu", "vu", 5}}));
  EXPECT_EQ(Break(FBreakWords, {"\xc6sop"}), 0);
  EXPECT_EQ(TermsOnly(), (std::vector<std::string>{"aesop"}));
  // Numbers keep their raw form; group separators and a trailing point leave the term.
  EXPECT_EQ(Break(FBreakWords, {"1,000.50 12."}), 0);
  EXPECT_EQ(terms_, (std::vector<Term>{{"1,000.50", "1000.50", 0}, {"12", "12", 9}}));
  // An apostrophe stays in the raw form only; a word goes on across calls.
  EXPECT_EQ(Break(FBreakWords, {"don't us", "tawa"}), 0);
  EXPECT_EQ(terms_, (std::vector<Term>{{"don't", "dont", 0}, {"ustawa", "ustawa", 6}}));
}

TEST_F(Breaking, WildcardsOnlyWhenAllowed) {
  EXPECT_EQ(Break(FBreakWords, {"ustaw* ?ak"}, kBreakWildcards), 0);
  EXPECT_EQ(TermsOnly(), (std::vector<std::string>{"ustaw*", "?ak"}));
  EXPECT_EQ(Break(FBreakWords, {"ustaw* ?ak"}), 0);
  EXPECT_EQ(TermsOnly(), (std::vector<std::string>{"ustaw", "ak"}));
}

TEST_F(Breaking, StopWordsAreDropped) {
  stop_ = FtsCreateStopList(nullptr);
  const uint8_t w[] = {1, 'w'};
  ASSERT_EQ(FtsAddStopWord(stop_.get(), w), 0);
  EXPECT_EQ(Break(FBreakWords, {"ustawa w sprawie"}), 0);
  EXPECT_EQ(TermsOnly(), (std::vector<std::string>{"ustawa", "sprawie"}));
}

TEST_F(Breaking, TermLimits) {
  EXPECT_EQ(Break(FBreakWords, {std::string(254, 'a')}), 0);
  ASSERT_EQ(terms_.size(), 1u);
  EXPECT_EQ(terms_[0].term.size(), 254u);
  EXPECT_EQ(Break(FBreakWords, {std::string(200, 'a'), std::string(55, 'a')}), 2006);
  // A ligature doubles a byte in the term: 128 of them exceed 255 term bytes.
  EXPECT_EQ(Break(FBreakWords, {std::string(128, '\xe6')}), 2006);
  EXPECT_EQ(Break(FBreakWords, {std::string(300, '7')}), 2006);
  // After a failure the state is idle again: the next word starts clean.
  EXPECT_EQ(Break(FBreakWords, {"nowa"}), 0);
  EXPECT_EQ(TermsOnly(), (std::vector<std::string>{"nowa"}));
}

TEST_F(Breaking, NumberSeparatorKeptOnlyBeforeADigit) {
  // Give '/' class 8 (a separator inside numbers).
  table_->classMap['/'].charClass = kClassNumberSep;
  EXPECT_EQ(Break(FBreakWords, {"12/3 7/ x"}), 0);
  EXPECT_EQ(terms_, (std::vector<Term>{{"12/3", "123", 0}, {"7", "7", 5}, {"x", "x", 8}}));
  // A separator at the end of one piece: the number is kept whatever the next piece brings.
  EXPECT_EQ(Break(FBreakWords, {"12/", "3"}), 0);
  EXPECT_EQ(TermsOnly(), (std::vector<std::string>{"123"}));
  EXPECT_EQ(Break(FBreakWords, {"12/", " x"}), 0);
  EXPECT_EQ(TermsOnly(), (std::vector<std::string>{"12", "x"}));
  EXPECT_EQ(Break(FBreakWords, {"12/"}), 0);
  EXPECT_EQ(TermsOnly(), (std::vector<std::string>{"12"}));
}

std::string Typed(uint8_t type, char sign, std::string rest) {
  return std::string{char(1), char(type), sign} + rest;
}

TEST_F(Breaking, TypedValues) {
  struct Case {
    WordBreaker breaker;
    std::string text;
    int32_t code;
    std::string term;
  };
  const std::vector<Case> cases = {
      {FBreakNumber, "1000", 0, Typed(4, '2', "5031")},
      {FBreakNumber, "1e3", 0, Typed(4, '2', "5031")},
      {FBreakNumber, "0.0", 0, Typed(4, '2', "0000")},
      {FBreakNumber, "0.05", 0, Typed(4, '2', "4985")},
      {FBreakNumber, "-25", 0, Typed(4, '1', "49874")},  // "50125" complemented
      {FBreakNumber, "-19", 0, Typed(4, '1', "4988")},   // "50119" complemented, then trimmed
      {FBreakNumber, "1e600", 2209, ""},
      {FBreakNumber, "x", 2208, ""},
      {FBreakNumber, "1e", 2208, ""},
      {FBreakNumber, "12x", 2208, ""},
      {FBreakDate, "2/29/1900", 2208, ""},
      {FBreakDate, "1/2", 2208, ""},
      {FBreakDate, "13/1/2000", 2208, ""},
      {FBreakDate, "0/5/2000", 2208, ""},
      {FBreakEpoch, "1,995", 0, Typed(2, '2', "5031995")},
      {FBreakEpoch, "44b", 0, Typed(2, '1', "49855")},
      {FBreakTime, "10:30", 0, ""},
      {FBreakNumber, "12*", 2215, ""},
      {FBreakDate, "12*", 2215, ""},
      {FBreakTime, "12*", 2215, ""},
      {FBreakEpoch, "12*", 2215, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Break(c.breaker, {c.text}), c.code);
    if (c.code == 0 && !c.term.empty()) {
      ASSERT_EQ(terms_.size(), 1u);
      EXPECT_EQ(terms_[0].term, c.term);
    }
  }
}

TEST_F(Breaking, EqualValuesGiveEqualTerms) {
  auto term_of = [&](WordBreaker b, const std::string& text) {
    EXPECT_EQ(Break(b, {text}), 0) << text;
    return terms_.empty() ? std::string() : terms_[0].term;
  };
  EXPECT_EQ(term_of(FBreakTime, "10:30"), term_of(FBreakTime, "10:30:00:00"));
  EXPECT_EQ(term_of(FBreakDate, "2/29/2000"), Typed(1, '2', "506730545"));  // 730,545 days
  EXPECT_NE(term_of(FBreakDate, "1995"), "");
  // The zero of a time counts its zero byte.
  EXPECT_EQ(term_of(FBreakTime, "0:0"), std::string("\x01\x03" "20000", 7) + std::string(1, '\0'));
  // Later dates sort later.
  EXPECT_LT(term_of(FBreakDate, "1/31/1999"), term_of(FBreakDate, "2/1/1999"));
}

TEST_F(Breaking, TypedValuesAreSeparatedByBlanks) {
  EXPECT_EQ(Break(FBreakNumber, {"1 ", " -2\t3"}), 0);
  ASSERT_EQ(terms_.size(), 3u);
  EXPECT_EQ(terms_[0].position, 0);
  EXPECT_EQ(terms_[1].position, 3);
  EXPECT_EQ(terms_[1].raw, "-2");
  EXPECT_EQ(terms_[2].position, 6);
  // The gathered text is limited; a longer one fails and is forgotten.
  EXPECT_EQ(Break(FBreakNumber, {std::string(200, '1'), std::string(60, '1')}), 2006);
  // Digits that would make a term of more than 255 bytes fail instead of overflowing it.
  EXPECT_EQ(Break(FBreakNumber, {std::string(252, '1')}), 2006);
}

TEST(Stemmer, PorterExamples) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"caresses", "caress"}, {"ponies", "poni"},       {"hopping", "hop"},  {"relational", "relat"},
      {"sky", "sky"},         {"controlling", "control"}, {"filing", "file"}, {"ustawa", "ustawa"},
      {"ust*ing", "ust*"},    {"zażółć", "zażółć"},
  };
  for (auto [word, stem] : cases) {
    FtsStem(word);
    EXPECT_EQ(word, stem);
  }
}

TEST_F(Breaking, StemmingBreakerStemsWordsNotNumbers) {
  EXPECT_EQ(Break(FBreakAndStemWords, {"hopping 1000s"}), 0);
  EXPECT_EQ(TermsOnly(), (std::vector<std::string>{"hop", "1000s"}));
}

}  // namespace
}  // namespace fts
