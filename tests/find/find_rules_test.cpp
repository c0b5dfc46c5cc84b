// The find sheet's rules: operator insertion, engine text and flags, the query history, the report
// of a finished query, journal addresses, the PRZY hint, list scopes, scope files, the natural
// order of the result lists and the close requests that stop a running search.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "navigation/query_rules.h"
#include "navigation/search_abort_dlg.h"
#include "navigation/sort_class.h"
#include "platform/base/cp1250.h"
#include "platform/framework/command_ids.h"
#include "platform/win/messages.h"
#include "platform/win/virtual_keys.h"
#include "resources/resource_ids.h"

namespace {

using namespace findrules;
std::string Cp(const char* utf8) { return base::cp1250::from_utf8(utf8); }
std::string Utf8(const std::string& cp) { return base::cp1250::to_utf8(cp); }

TEST(FindRules, OperatorsAreInsertedIntoTheTrimmedText) {
  using namespace resources;
  struct Case {
    const char* text;
    unsigned command;
    const char* expected;
  } cases[] = {
      {"prawo", ID_OPERATOR_AND, "prawo ORAZ"},
      {"", ID_OPERATOR_AND, " ORAZ"},
      {"  prawo  ", ID_OPERATOR_OR, "prawo LUB"},
      {"a", ID_OPERATOR_NOT, "a NIE"},
      {"a", ID_OPERATOR_NEAR, "a PRZY"},
      {"ochrona zieleni   ", ID_OPERATOR_QUOTE, "\"ochrona zieleni\""},
      {"x LUB y", ID_OPERATOR_BRACKETS, "(x LUB y)"},
      {"zieleń", ID_OPERATOR_ANY_CHARACTERS, "zieleń*"},
      {"zieleń", ID_OPERATOR_ANY_CHARACTER, "zieleń?"},
      {" as is ", 12345, " as is "},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8(InsertOperator(Cp(c.text), c.command)), c.expected) << c.text;
}

TEST(FindRules, EngineTextFlagsHistoryAndReports) {
  EXPECT_EQ(EngineQueryText("ustawa", true), "VFLD 1 ustawa");
  EXPECT_EQ(EngineQueryText("ustawa", false), "ustawa");
  EXPECT_EQ(QueryFlags(true, true), 0);
  EXPECT_EQ(QueryFlags(false, true), 1);
  EXPECT_EQ(QueryFlags(true, false), 512);
  EXPECT_EQ(QueryFlags(false, false), 513);

  std::vector<CString> history;
  for (int i = 0; i < 12; ++i) EXPECT_TRUE(AddToHistory(history, CString("q" + std::to_string(i))));
  ASSERT_EQ(history.size(), kHistorySize);
  EXPECT_EQ(history.front().str(), "q11");
  EXPECT_EQ(history.back().str(), "q2");
  EXPECT_FALSE(AddToHistory(history, CString("q5")));  // already there: the order stays
  EXPECT_EQ(history.front().str(), "q11");
  EXPECT_TRUE(AddToHistory(history, CString("Q5")));   // another text: letter case counts
  EXPECT_FALSE(AddToHistory(history, CString()));

  EXPECT_EQ(ClassifyResult(false, 0, true), Outcome::kEngineError);
  EXPECT_EQ(ClassifyResult(true, 3, true), Outcome::kHits);
  EXPECT_EQ(ClassifyResult(true, 0, true), Outcome::kAborted);
  EXPECT_EQ(ClassifyResult(true, 0, false), Outcome::kNothingFound);
  // A failure without a text of its own still says something, with the code.
  EXPECT_EQ(Utf8(EngineErrorText("", 1234)), "Przeszukiwanie nie powiodło się (kod błędu 1234).");
  EXPECT_EQ(EngineErrorText("Tekst", 2001), "Tekst");
}

TEST(FindRules, JournalAddresses) {
  struct Case {
    int entry;
    const char* year;
    const char* position;
    const char* article;
    const char* expected;
  } cases[] = {
      {kGotoArticle, "7", "123", "5", "DU.1997.0123.0005"},
      {kGotoArticle, "7", "", "", "DU.1997.0000.0000"},
      {kGotoArticle, "7", "1", "1234", "DU.1997.0001.1234"},
      {kGotoArticle, "7", "12345", "12", "DU.199712345.0012"},  // a longer text stands unchanged
      {kGotoAct, "3", "50", "9", "DU.1993.0050.0000"},
      {kGotoIssue, "7", "12", "9", "DU.1997.012"},
      {kGotoIssue, "7", "", "", "DU.1997.000"},
      {kGotoYearbook, "5", "77", "8", "DU.1995.0000.0000"},
      {kGotoYearbookIndex, "7", "77", "8", "DU.1997.SK_"},
      {kGotoAct, "", "50", "", "DU.199.0050.0000"},  // no year digit: the work cannot resolve it
  };
  for (const Case& c : cases) EXPECT_EQ(GotoAddress(c.entry, c.year, c.position, c.article), c.expected) << c.expected;
  EXPECT_EQ(GotoActAddress("7", "123"), "DU.1997.0123.0000");
  EXPECT_EQ(GotoEntryForLevel(7), kGotoAct);
  EXPECT_EQ(GotoEntryForLevel(8), kGotoIssue);
  EXPECT_EQ(GotoEntryForLevel(9), kGotoYearbook);
  EXPECT_EQ(GotoEntryForLevel(3), kGotoArticle);
}

TEST(FindRules, HintScopesAndScopeFiles) {
  EXPECT_EQ(Utf8(NearHintText(6)), "Wszystkie opisy w których słowa x i y nie są oddalone od siebie dalej niż o 6 słów");
  EXPECT_NE(Utf8(NearHintText(8)).find("o 8 słów"), std::string::npos);
  EXPECT_NE(Utf8(NearHintText(1)).find("o 1 słowo"), std::string::npos);
  EXPECT_NE(Utf8(NearHintText(3)).find("o 3 słowa"), std::string::npos);
  EXPECT_NE(Utf8(NearHintText(22)).find("o 22 słowa"), std::string::npos);
  EXPECT_NE(Utf8(NearHintText(12)).find("o 12 słów"), std::string::npos);

  EXPECT_EQ(Utf8(ListScopeText(kScopeLibrary)), "Cała biblioteka (wszystkie akty)");
  EXPECT_EQ(ListScopeText(kScopeSeparator), std::string(27, char(150)));
  EXPECT_EQ(Utf8(ListScopeText(kScopeBookmarks)), "Lista - zakładki użytkownika");
  EXPECT_EQ(ListScopeText(kScopePrintList), "Lista - do wydruku");
  EXPECT_EQ(ScopeFilePath("/tmp/lumo-1", "pr"), "/tmp/lumo-1/pr.lkg");
  EXPECT_EQ(ScopeFilePath("/tmp/lumo-1/", "lg"), "/tmp/lumo-1/lg.lkg");
}

TEST(FindRules, NaturalOrderIsATotalOrder) {
  auto less = [](const char* a, const char* b) { return CompareNatural(Cp(a), Cp(b)) < 0; };
  EXPECT_TRUE(less("1999/poz 9", "1999/poz 10"));
  EXPECT_TRUE(less("1998/poz 300", "1999/poz 1"));
  EXPECT_TRUE(less("", "akt"));                    // empties first
  EXPECT_TRUE(less("   ", "akt"));
  EXPECT_TRUE(less("Umowa", "Ustawa"));            // same length, no digits: still ordered
  EXPECT_TRUE(less("akt", "ROZPORZĄDZENIE"));      // without regard to case
  EXPECT_TRUE(less("ustawa", "USTAWA") != less("USTAWA", "ustawa"));  // case breaks the tie
  EXPECT_TRUE(less("zarządzenie", "źródło"));      // Polish alphabet: z before ź
  EXPECT_TRUE(less("lato", "łąka"));               // l before ł
  EXPECT_TRUE(less("Nr 2", "Nr 12"));
  EXPECT_TRUE(less("poz 9", "poza"));
  EXPECT_EQ(CompareNatural("akt 7", "akt 7"), 0);

  // Antisymmetric and transitive over a mixed set (what a sort relies on).
  std::vector<std::string> keys = {"", " ", "a", "A", "a1", "a01", "a2", "a10", "ab", "ą", "b", "1998/poz 35",
                                   "1998/poz 4", "1999 rok", "1999/Nr 3", "1999/ ", Cp("USTAWA"), Cp("ustawa"),
                                   Cp("Rozporządzenie"), "D. U.", "ROCZNIK", "00", "0", "10", "9",
                                   // a foreign letter sorting with its base letter once broke transitivity
                                   Cp("ä"), Cp("äa"), "ac", "\x01", "\x01a"};
  for (const auto& a : keys) {
    for (const auto& b : keys) {
      EXPECT_EQ(CompareNatural(a, b), -CompareNatural(b, a)) << a << " / " << b;
      if (a != b && !(a.find_first_not_of(' ') == std::string::npos && b.find_first_not_of(' ') == std::string::npos)) {
        EXPECT_NE(CompareNatural(a, b), 0) << a << " / " << b;
      }
      for (const auto& c : keys) {
        if (CompareNatural(a, b) < 0 && CompareNatural(b, c) < 0) { EXPECT_LT(CompareNatural(a, c), 0) << a << b << c; }
      }
    }
  }
  std::mt19937 random(7);
  std::shuffle(keys.begin(), keys.end(), random);
  std::sort(keys.begin(), keys.end(), [](const std::string& a, const std::string& b) { return CompareNatural(a, b) < 0; });
  EXPECT_EQ(keys.front().find_first_not_of(' '), std::string::npos);  // the blank texts first

  // The report lists sort with the same order: same-length texts no longer tie, dates are a total
  // order with the empty ones first.
  EXPECT_NE(navsort::CompareTexts("Ustawa", "Umowa!", 2), 0);
  EXPECT_EQ(navsort::CompareTexts("", "", 3), 0);
  EXPECT_LT(navsort::CompareTexts("", "01-01-01", 3), 0);
  EXPECT_GT(navsort::CompareTexts("", "01-01-01", -3), 0);
  EXPECT_LT(navsort::CompareTexts("99-12-31", "01-01-01", 3), 0);
  EXPECT_LT(navsort::CompareTexts("01-01-01", "zła", 3), 0);
  EXPECT_GT(navsort::CompareTexts("zła", "01-01-01", 3), 0);
}

TEST(FindRules, CloseRequestsStopARunningSearch) {
  auto msg = [](UINT message, WPARAM w) {
    MSG m{};
    m.message = message;
    m.wParam = w;
    return m;
  };
  EXPECT_TRUE(CSearchAbortDlg::IsCloseRequest(msg(WM_CLOSE, 0)));
  EXPECT_TRUE(CSearchAbortDlg::IsCloseRequest(msg(WM_SYSCOMMAND, SC_CLOSE)));
  EXPECT_TRUE(CSearchAbortDlg::IsCloseRequest(msg(WM_SYSKEYDOWN, VK_F4)));
  EXPECT_TRUE(CSearchAbortDlg::IsCloseRequest(msg(WM_COMMAND, ID_FILE_CLOSE)));
  EXPECT_TRUE(CSearchAbortDlg::IsCloseRequest(msg(WM_COMMAND, ID_APP_EXIT)));
  EXPECT_FALSE(CSearchAbortDlg::IsCloseRequest(msg(WM_PAINT, 0)));
  EXPECT_FALSE(CSearchAbortDlg::IsCloseRequest(msg(WM_TIMER, 1)));
  EXPECT_FALSE(CSearchAbortDlg::IsCloseRequest(msg(WM_COMMAND, IDCANCEL)));
  EXPECT_FALSE(CSearchAbortDlg::IsCloseRequest(msg(WM_SYSCOMMAND, 0xF020)));
}

}  // namespace
