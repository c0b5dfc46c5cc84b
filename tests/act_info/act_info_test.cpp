// The act information window on a compiled library: its three pages (the act's fields and dates,
// the exception bullets, the related keywords and their listing in "Indeksy"), the tab strip,
// pinning, the focus watch, help, and the plain rules the pages are built from.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "navigation/act_dlg.h"
#include "navigation/keyword_hits.h"
#include "navigation/keywordsres_tab.h"
#include "navigation/nav_bar.h"
#include "navigation/nav_commands.h"
#include "platform/base/cp1250.h"
#include "platform/controls/rich_edit_ctrl.h"
#include "platform/controls/standard_controls.h"
#include "platform/shell/services.h"
#include "platform/win/virtual_keys.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/core/tag_string.h"
#include "shell/lumo_kal_doc.h"
#include "tests/support/app_fixture.h"
#include "tests/support/synthetic_input.h"
// After the program's headers: Qt's keyword macros would change their member names.
#include "tests/gallery/gallery.h"

namespace lumo::test {
namespace {

std::string Cp(const char* utf8) { return base::cp1250::from_utf8(utf8); }
std::string Utf8(const std::string& cp1250) { return base::cp1250::to_utf8(cp1250); }

// --- The plain rules -----------------------------------------------------------------------------

TEST(ActInfoRules, ExceptionItemsFollowTheNumberedTags) {
  const struct {
    const char* tags;
    std::vector<std::string> items;
  } cases[] = {
      {"<Q:A><W1:art. 5><W2:§ 3 ust. 2>", {"art. 5", "§ 3 ust. 2"}},
      {"<W1:brak>", {"brak"}},
      {"<W2:art. 7>", {"brak."}},  // the numbers must start at 1
      {"<W1:art. 1><W3:art. 3>", {"art. 1"}},
      {"<W1:bez końca", {"brak."}},
      {"<W1:><W2:art. 2>", {"brak."}},
      {"", {"brak."}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> expected;
    for (const std::string& item : c.items) expected.push_back(Cp(item.c_str()));
    EXPECT_EQ(actinfo::ExceptionItems(Cp(c.tags)), expected) << c.tags;
  }
}

TEST(ActInfoRules, ExceptionTextIsBuiltWithoutRtf) {
  const std::string odd = "{\\b0 } \\par \\'b9";
  const controls::RichText text = actinfo::ExceptionText({"art. 5", odd});
  EXPECT_EQ(std::string(static_cast<LPCTSTR>(text.plain_text("|"))),
            Cp("Wyjątki:||") + "|\x95    art. 5||\x95    " + odd + "|");
  const auto& head = text.paragraphs().front();
  ASSERT_EQ(head.runs.size(), 1u);
  EXPECT_TRUE(head.runs[0].format.bold);
  EXPECT_EQ(head.runs[0].format.half_points, 16);
  EXPECT_FALSE(text.paragraphs()[3].runs[0].format.bold);
  EXPECT_EQ(text.paragraphs()[3].runs[0].format.half_points, 16);
}

TEST(ActInfoRules, RelatedKeywordsAreCutAtSemicolons) {
  EXPECT_EQ(actinfo::RelatedKeywords(Cp("<Q:A><I: ochrona środowiska ;; \tbiblioteki ;reszta bez średnika>")),
            (std::vector<std::string>{Cp("ochrona środowiska"), "biblioteki"}));
  EXPECT_TRUE(actinfo::RelatedKeywords("<I:bez średnika>").empty());
  EXPECT_TRUE(actinfo::RelatedKeywords("<Q:A>").empty());
  EXPECT_TRUE(actinfo::RelatedKeywords("brak;").empty());  // no tag
}

TEST(ActInfoRules, DatesPageRecordsAndHelp) {
  shell::ActDescription act;
  act.record.level = shell::kLevelAct;
  act.record.year = 98;
  act.record.number = 34;
  act.record.second_date = 35000;
  act.year = 98;
  act.act_date = uint16_t(shell::DaysSince1900(1998, 1, 14));
  act.publication_date = uint16_t(shell::DaysSince1900(1998, 2, 3));
  act.second_date = uint16_t(shell::DaysSince1900(2004, 7, 1));
  act.records[shell::kLevelAct] = 17;
  actinfo::Dates dates = actinfo::DescribeDates(act);
  EXPECT_EQ(Utf8(dates.adopted), "14 stycznia 1998 r.");
  EXPECT_EQ(Utf8(dates.published), "3 lutego 1998 r.");
  EXPECT_EQ(Utf8(dates.in_force), "1 lipca 2004 r.");
  EXPECT_EQ(actinfo::PageRecord(act), 17);
  // No date of entry into force stored for the record: none shown.
  shell::ActDescription undated = act;
  undated.record.second_date = shell::kContentsNoDate;
  EXPECT_EQ(actinfo::DescribeDates(undated).in_force, "");
  EXPECT_NE(actinfo::DescribeDates(undated).adopted, "");
  // An attachment, and a record of an old library without year and number: no dates.
  shell::ActDescription attachment = act;
  attachment.record.attachment = true;
  EXPECT_EQ(actinfo::DescribeDates(attachment).adopted, "");
  shell::ActDescription bare = act;
  bare.record.year = 12;
  bare.record.number = 0;
  EXPECT_EQ(actinfo::DescribeDates(bare).adopted, "");
  // A journal issue: only its publication date; no page record. A yearbook: no dates.
  shell::ActDescription issue;
  issue.record.level = shell::kLevelIssue;
  issue.record.year = 98;
  issue.record.number = 12;
  issue.record.second_date = shell::kContentsNoDate;
  issue.year = 98;
  issue.publication_date = uint16_t(shell::DaysSince1900(1998, 2, 3));
  dates = actinfo::DescribeDates(issue);
  EXPECT_EQ(dates.adopted, "");
  EXPECT_EQ(Utf8(dates.published), "3 lutego 1998 r.");
  EXPECT_EQ(actinfo::PageRecord(issue), -1);
  shell::ActDescription yearbook = issue;
  yearbook.record.level = shell::kLevelYearbook;
  dates = actinfo::DescribeDates(yearbook);
  EXPECT_EQ(dates.adopted + dates.published + dates.in_force, "");
  EXPECT_EQ(actinfo::HelpContext(resources::IDD_ACT_PROPERTY_PAGE), 0x2060Fu);
  EXPECT_EQ(actinfo::HelpContext(resources::IDD_ACT_EXCEPTION_PAGE), 0x20624u);
  EXPECT_EQ(actinfo::HelpContext(resources::IDD_ACT_RELATED_PAGE), 0x20625u);
}

// --- The window ----------------------------------------------------------------------------------

class RecordingHelp : public shell::HelpService {
 public:
  std::vector<shell::HelpRequest> requests;
  bool show(const shell::HelpRequest& request) override {
    requests.push_back(request);
    return true;
  }
};

class ActInfoTest : public AppTest {
 protected:
  ActInfoTest() : AppTest("act_info_sample", IDNO) {}

  void SetUp() override {
    AppTest::SetUp();
    if (HasFatalFailure()) return;
    main_ = StartWithLibraryAt(900, 650);
    ASSERT_NE(main_, nullptr);
    pump();
    shell::set_help_service(&help_);
  }
  void TearDown() override {
    shell::set_help_service(nullptr);
    if (CActDlg* info = GetActInfoDialog()) info->DestroyWindow();
    keywords::KeywordHits().Clear();
    AppTest::TearDown();
  }
  // The first topic whose header text holds all of `parts`.
  int32_t TopicWith(std::initializer_list<const char*> parts) const {
    const auto& topics = library_->plan.topics;
    for (size_t i = 0; i < topics.size(); ++i) {
      bool all = true;
      for (const char* part : parts) all = all && topics[i].header_text.find(part) != std::string::npos;
      if (all) return int32_t(i);
    }
    return -1;
  }
  std::string Text(CWnd& page, UINT id) const {
    char text[600] = {};
    ::GetDlgItemText(page.m_hWnd, int(id), text, sizeof text);
    return Utf8(text);
  }
  std::string ExceptionsShown(CActDlg* info) const {
    CWnd* edit = info->GetExceptionPage().GetDlgItem(int(resources::IDC_ACT_EXCEPTIONS));
    const controls::RichText* text = edit ? controls::rich_edit_text(edit->m_hWnd) : nullptr;
    return text ? Utf8(std::string(static_cast<LPCTSTR>(text->plain_text("|")))) : "?";
  }
  std::vector<std::string> KeywordsShown(CActDlg* info) const {
    CWnd* list = info->GetRelatedPage().GetDlgItem(int(resources::IDC_ACT_KEYWORDS));
    std::vector<std::string> out;
    if (!list) return out;
    const int count = int(list->SendMessage(LB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
      char text[300] = {};
      list->SendMessage(LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
      out.push_back(text);
    }
    return out;
  }
  bool Enabled(CWnd& page, UINT id) const { return page.GetDlgItem(int(id))->IsWindowEnabled() != FALSE; }

  CFrameWnd* main_ = nullptr;
  RecordingHelp help_;
};

TEST_F(ActInfoTest, AnActOnItsThreePages) {
  const int32_t act = TopicWith({"<Q:A>", "<D:1998.34>"});
  ASSERT_GE(act, 0);
  CActDlg* info = ShowActInfoDialog();
  ASSERT_NE(info, nullptr);
  info->ShowAct(act);
  pump();
  ASSERT_EQ(info->GetCurrentTab(), 0);
  ASSERT_EQ(info->GetTabRects().size(), 3u);

  // "Informacja": address, rank, title and the dates the act has.
  CActPropertyPage& facts = info->GetPropertyPage();
  EXPECT_TRUE(facts.IsWindowVisible());
  EXPECT_EQ(Text(facts, resources::IDC_ACT_ADDRESS), "poz. 34/1998");
  EXPECT_EQ(Text(facts, resources::IDC_ACT_RANK), "USTAWA");
  EXPECT_EQ(Text(facts, resources::IDC_ACT_TITLE), "o bibliotekach gminnych i czytelniach");
  EXPECT_EQ(Text(facts, resources::IDC_ACT_ADOPTED), "14 stycznia 1998 r.");
  EXPECT_TRUE(Enabled(facts, resources::IDC_ACT_ADOPTED_LABEL));
  EXPECT_EQ(Text(facts, resources::IDC_ACT_IN_FORCE), "");
  EXPECT_FALSE(Enabled(facts, resources::IDC_ACT_IN_FORCE_LABEL));
  {
    gallery::Picture picture(info->m_hWnd, "act_info_facts", true);
    CRect client;
    info->GetClientRect(&client);
    EXPECT_GT(picture.dark(CRect(60, 0, client.Width(), 40)), 40);  // the tab labels
    // The address field is a line of text on the face: no sunken frame at its left edge.
    const RECT address = gallery::rect_in(facts.GetDlgItem(int(resources::IDC_ACT_ADDRESS))->m_hWnd, info->m_hWnd, true);
    const DWORD face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(picture.pixel(address.left, (address.top + address.bottom) / 2), face);
    EXPECT_EQ(picture.pixel(address.left + 5, address.top), face);
    EXPECT_GT(picture.dark(address), 30);
    picture.save_enlarged(RECT{0, 16, 140, 46}, "act_info_buttons_enlarged");
    // The pin and help buttons stand apart, left of the tabs.
    CRect pin, helpButton;
    info->GetPinButton().GetWindowRect(&pin);
    info->GetDlgItem(int(resources::IDC_ACT_HELP))->GetWindowRect(&helpButton);
    EXPECT_GE(helpButton.left, pin.right);
    info->ScreenToClient(&helpButton);
    EXPECT_LE(helpButton.right, info->GetTabRects()[0].left);
  }

  // "Wyjątki": the sample acts state none.
  info->SelectTab(1);
  pump();
  EXPECT_TRUE(info->GetExceptionPage().IsWindowVisible());
  EXPECT_FALSE(facts.IsWindowVisible());
  EXPECT_EQ(ExceptionsShown(info), "Wyjątki:|||•    brak.|");
  // A header text with several exceptions, written with braces and backslashes: each one a
  // bullet, as it stands.
  const std::string tags = Cp("<W1:art. 5 ust. 2 {pkt 3}><W2:C:\\dane\\plik \\par><W3:§ 7 – zażółć gęślą jaźń>");
  info->GetExceptionPage().ShowTagText(tags);
  pump();
  EXPECT_EQ(ExceptionsShown(info),
            "Wyjątki:|||•    art. 5 ust. 2 {pkt 3}||•    C:\\dane\\plik \\par||•    § 7 – zażółć gęślą jaźń|");
  {
    gallery::Picture picture(info->m_hWnd, "act_info_exceptions", true);
    const RECT page = gallery::rect_in(info->GetExceptionPage().m_hWnd, info->m_hWnd, true);
    EXPECT_GT(picture.dark(page), 200);
    // The page's text sits on the face colour, as the window does.
    EXPECT_EQ(picture.pixel(page.right - 30, page.bottom - 10), ::GetSysColor(COLOR_BTNFACE));
  }

  // "Zobacz również": the act's subjects, sorted.
  info->SelectTab(2);
  pump();
  const std::vector<std::string> expected = actinfo::RelatedKeywords(actinfo::TopicHeaderText(act));
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(KeywordsShown(info), expected);
  info->GetRelatedPage().ShowTagText(Cp("<I:żaglówki;akty;Łódź;łąki;bez średnika>"));
  EXPECT_EQ(KeywordsShown(info), (std::vector<std::string>{"akty", Cp("łąki"), Cp("Łódź"), Cp("żaglówki")}));
  {
    gallery::Picture picture(info->m_hWnd, "act_info_related", true);
    const RECT heading =
        gallery::rect_in(info->GetRelatedPage().GetDlgItem(int(resources::IDC_ACT_KEYWORDS_FRAME))->m_hWnd, info->m_hWnd, true);
    EXPECT_GT(picture.dark(heading), 20);  // "Hasła:"
    const RECT list =
        gallery::rect_in(info->GetRelatedPage().GetDlgItem(int(resources::IDC_ACT_KEYWORDS))->m_hWnd, info->m_hWnd, true);
    EXPECT_GT(picture.dark(list), 60);
    EXPECT_EQ(picture.pixel(list.right - 30, list.bottom - 8), ::GetSysColor(COLOR_BTNFACE));
  }

  // The act already shown changes nothing, not even the tab.
  info->ShowAct(act);
  EXPECT_EQ(info->GetCurrentTab(), 2);
  EXPECT_EQ(KeywordsShown(info).size(), 4u);
}

TEST_F(ActInfoTest, AJournalIssueHasNoTitleNoExceptionsAndNoKeywords) {
  const int32_t issue = TopicWith({"<Q:P>", "<D:1998."});
  ASSERT_GE(issue, 0);
  CActDlg* info = ShowActInfoDialog();
  ASSERT_NE(info, nullptr);
  info->ShowAct(issue);
  pump();
  CActPropertyPage& facts = info->GetPropertyPage();
  EXPECT_EQ(Text(facts, resources::IDC_ACT_ADDRESS).rfind("Nr ", 0), 0u);
  EXPECT_NE(Text(facts, resources::IDC_ACT_ADDRESS).find("/1998"), std::string::npos);
  EXPECT_EQ(Text(facts, resources::IDC_ACT_RANK), "DZIENNIK USTAW");
  EXPECT_EQ(Text(facts, resources::IDC_ACT_TITLE), "");
  EXPECT_EQ(Text(facts, resources::IDC_ACT_ADOPTED), "");
  EXPECT_FALSE(Enabled(facts, resources::IDC_ACT_ADOPTED_LABEL));
  EXPECT_EQ(info->GetExceptionPage().GetRecord(), -1);
  EXPECT_EQ(ExceptionsShown(info), "Wyjątki:|||•    brak|");
  EXPECT_TRUE(KeywordsShown(info).empty());
}

TEST_F(ActInfoTest, CtrlTabHelpAndAKeywordListedInIndexes) {
  const int32_t act = TopicWith({"<Q:A>", "<D:1998.34>"});
  CActDlg* info = ShowActInfoDialog();
  ASSERT_NE(info, nullptr);
  info->ShowAct(act);
  info->SetFocus();
  pump();
  // Ctrl+Tab steps through the tabs and wraps from the third to the first.
  for (int expected : {1, 2, 0}) {
    press_key(VK_TAB, 0, win::KeyModifiers{.control = true});
    pump();
    EXPECT_EQ(info->GetCurrentTab(), expected);
  }
  // Help for the current page, in the help file's "ref" window.
  info->SelectTab(1);
  info->SendMessage(WM_COMMAND, MAKEWPARAM(resources::IDC_ACT_HELP, BN_CLICKED),
                    reinterpret_cast<LPARAM>(info->GetDlgItem(int(resources::IDC_ACT_HELP))->m_hWnd));
  ASSERT_EQ(help_.requests.size(), 1u);
  EXPECT_EQ(help_.requests[0].command, UINT(HELP_CONTEXT));
  EXPECT_EQ(help_.requests[0].context_id, 0x20624u);
  const std::string file = static_cast<LPCTSTR>(help_.requests[0].help_file);
  EXPECT_EQ(file.substr(file.size() - 4), ">ref");

  // A double click on a keyword lists its acts in "Indeksy".
  info->SelectTab(2);
  info->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);  // pinned below: it stays
  info->GetPinButton().SetPinned(TRUE);
  CWnd* list = info->GetRelatedPage().GetDlgItem(int(resources::IDC_ACT_KEYWORDS));
  ASSERT_NE(list, nullptr);
  const std::vector<std::string> keywords = KeywordsShown(info);
  ASSERT_FALSE(keywords.empty());
  list->SendMessage(LB_SETCURSEL, 0);
  info->GetRelatedPage().SendMessage(WM_COMMAND, MAKEWPARAM(resources::IDC_ACT_KEYWORDS, LBN_DBLCLK),
                                     reinterpret_cast<LPARAM>(list->m_hWnd));
  pump();
  EXPECT_GE(keywords::KeywordHits().count, 1);
  COutputWnd* navigator = navcmd::FindOutputWnd();
  ASSERT_NE(navigator, nullptr);
  EXPECT_EQ(navigator->GetActiveTab(), 2);
  CKeywordsresTab* tab = navigator->GetKeywordsTab();
  ASSERT_NE(tab, nullptr);
  EXPECT_GE(tab->GetList().GetItemCount(), 1);
  char text[300] = {};
  tab->GetDlgItem(int(resources::IDC_KEYWORD_RESULTS_HEADING))->GetWindowText(text, sizeof text);
  const std::string heading = text;
  EXPECT_EQ(heading.rfind(Cp("hasło: ") + keywords[0], 0), 0u) << Utf8(heading);
}

TEST_F(ActInfoTest, TheFocusLeavingClosesItUnlessPinned) {
  const int32_t first = TopicWith({"<Q:A>", "<D:1998.34>"});
  const int32_t second = TopicWith({"<Q:A>", "<D:1998.35>"});
  ASSERT_GE(second, 0);
  CActDlg* info = ShowActInfoDialog();
  ASSERT_NE(info, nullptr);
  info->ShowAct(first);
  info->SetFocus();
  pump();

  // Pinned, it stays when the focus goes to the main window, and still follows the lists.
  info->GetPinButton().SetPinned(TRUE);
  main_->SetFocus();
  pump();
  ASSERT_EQ(GetActInfoDialog(), info);
  EXPECT_TRUE(IsActInfoDialogVisible());
  FollowInActInfoDialog(second);
  EXPECT_EQ(info->GetRecord(), second);
  // Enter keeps a pinned window; Esc unpins and hides it.
  info->SendMessage(WM_COMMAND, IDOK);
  EXPECT_TRUE(IsActInfoDialogVisible());
  info->SendMessage(WM_COMMAND, IDCANCEL);
  EXPECT_FALSE(IsActInfoDialogVisible());
  EXPECT_FALSE(info->IsPinned());

  // Unpinned: a window it owns may take the focus and give it back...
  info = ShowActInfoDialog();
  info->SetFocus();
  pump();
  CWnd owned;
  ASSERT_TRUE(owned.CreateEx(0, nullptr, "Opcje", WS_POPUP | WS_VISIBLE, CRect(500, 300, 600, 360), info, 0));
  owned.SetFocus();
  pump();
  EXPECT_EQ(GetActInfoDialog(), info);
  info->SetFocus();
  owned.DestroyWindow();
  pump();
  EXPECT_EQ(GetActInfoDialog(), info);
  // ...the focus going to the main window closes it, and the next "Informacja" makes a new one.
  main_->SetFocus();
  EXPECT_EQ(GetActInfoDialog(), info);  // it closes from its own queue
  pump();
  EXPECT_EQ(GetActInfoDialog(), nullptr);
  EXPECT_FALSE(IsActInfoDialogVisible());
  info = ShowActInfoDialog();
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->GetRecord(), 0);
  EXPECT_EQ(info->GetCurrentTab(), -1);
}

}  // namespace
}  // namespace lumo::test
