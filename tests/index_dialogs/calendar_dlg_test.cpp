// The date index dialog on the sample library: the calendar keeps to the index's years, a day
// chosen with the mouse gives its count sentence, opens its single act and lists it in "Indeksy",
// a day without acts lists nothing; the position is stored and restored.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "engine/medview/engine_titles.h"
#include "navigation/calendar_dlg.h"
#include "navigation/keyword_hits.h"
#include "navigation/keywordsres_tab.h"
#include "navigation/nav_bar.h"
#include "navigation/nav_commands.h"
#include "platform/base/calendar_day.h"
#include "platform/base/cp1250.h"
#include "platform/base/temp_folder.h"
#include "platform/framework/control_messages.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/frame_placement.h"
#include "shell/library_title.h"
#include "shell/lumo_kal_doc.h"
#include "shell/view/lumo_kal_view.h"
#include "tests/support/app_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

using namespace resources;

std::string Utf8(const CString& text) { return base::cp1250::to_utf8(static_cast<LPCTSTR>(text)); }

std::string PngPath(const std::string& name) {
  return (std::getenv("LUMO_PNG_DIR") ? std::string(std::getenv("LUMO_PNG_DIR")) : base::temp_folder()) + "/" + name;
}


// The centre of a day's cell in the calendar showing its month.
POINT DayCell(int year, int month, int day) {
  const int lead = (controls::day_of_week(year, month, 1) + 6) % 7;
  const int index = lead + day - 1;
  return POINT{2 + (index % 7) * controls::kCalendarColumnWidth + controls::kCalendarColumnWidth / 2,
               2 + controls::kCalendarTitleHeight + (index / 7 + 1) * controls::kCalendarRowHeight +
                   controls::kCalendarRowHeight / 2};
}

class CalendarDlgTest : public AppTest {
 protected:
  CalendarDlgTest() : AppTest("index_dialogs_sample", IDNO) {}

  void SetUp() override {
    AppTest::SetUp();
    if (HasFatalFailure()) return;
    main_ = StartWithLibraryAt(900, 650);
    ASSERT_NE(main_, nullptr);
    pump();
  }
  void TearDown() override {
    if (CKeywordIndexDlg::GetOpen()) CKeywordIndexDlg::GetOpen()->DestroyWindow();
    keywords::KeywordHits().Clear();
    AppTest::TearDown();
  }
  CCalendarDlg* OpenDialog() {
    main_->SendMessage(WM_COMMAND, ID_DATE_INDEX);
    pump();
    return dynamic_cast<CCalendarDlg*>(CKeywordIndexDlg::GetOpen());
  }
  void ClickDay(CCalendarDlg* dlg, int year, int month, int day) {
    ASSERT_TRUE(dlg->GetCalendar().SetCurSel(base::calendar_day(year, month, 1)));
    pump();
    click(dlg->GetCalendar().m_hWnd, DayCell(year, month, day));
    pump();
  }
  std::string Message(CCalendarDlg* dlg) { return Utf8(dlg->GetDlgItemText(int(IDC_DATE_MESSAGE))); }
  CKeywordsresTab* Tab() { return navcmd::FindOutputWnd()->GetKeywordsTab(); }
  std::string Heading() { return Utf8(Tab()->GetDlgItemText(int(IDC_KEYWORD_RESULTS_HEADING))); }

  CFrameWnd* main_ = nullptr;
};

TEST_F(CalendarDlgTest, ChosenDaysReportListAndOpenTheirActs) {
  CCalendarDlg* dlg = OpenDialog();
  ASSERT_NE(dlg, nullptr);
  ASSERT_NE(dlg->GetIndex(), nullptr);
  EXPECT_EQ(dlg->GetEvent(), keywords::DateEvent::kAdopted);
  EXPECT_EQ(dlg->IsDlgButtonChecked(int(IDC_DATE_ADOPTED)), BST_CHECKED);
  // Only the caption label, the message, the calendar and "Zamknij" show.
  EXPECT_FALSE(dlg->GetDlgItem(int(IDC_DATE_ADOPTED))->IsWindowVisible());
  EXPECT_FALSE(dlg->GetDlgItem(IDOK)->IsWindowVisible());
  EXPECT_TRUE(dlg->GetDlgItem(IDCANCEL)->IsWindowVisible());
  EXPECT_TRUE(dlg->GetCalendar().IsWindowVisible());

  // The index holds 1900-1999: the calendar offers those years only.
  SYSTEMTIME range[2] = {};
  EXPECT_EQ(dlg->GetCalendar().GetRange(range), GDTR_MIN | GDTR_MAX);
  EXPECT_EQ(range[0].wYear, 1900);
  EXPECT_EQ(range[1].wYear, 1999);
  SYSTEMTIME shown{};
  ASSERT_TRUE(dlg->GetCalendar().GetCurSel(shown));
  EXPECT_GE(shown.wYear, 1900);
  EXPECT_LE(shown.wYear, 1999);
  EXPECT_FALSE(dlg->GetCalendar().SetCurSel(base::calendar_day(2003, 5, 17)));

  // The day of one act: the sentence, the act opened at once, one row under the day's key.
  ASSERT_EQ(medview::MvGetKeywordTopicCount(dlg->GetIndex(), "98-01-14"), 1);
  ClickDay(dlg, 1998, 1, 14);
  EXPECT_EQ(Message(dlg), "We wskazanym dniu został uchwalony 1 akt.\n");
  EXPECT_EQ(keywords::KeywordHits().count, 1);
  EXPECT_EQ(navcmd::FindOutputWnd()->GetActiveTab(), 2);
  EXPECT_EQ(Heading(), "hasło: 98-01-14");
  ASSERT_EQ(Tab()->GetList().GetItemCount(), 1);
  EXPECT_NE(Tab()->RowText(0, 1).find("1998/poz 34"), std::string::npos) << Tab()->RowText(0, 1);
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  ASSERT_NE(work, nullptr);
  ASSERT_NE(work->GetCurrentTextView(), nullptr);
  EXPECT_EQ(work->GetCurrentTextView()->GetShownTopic(), Tab()->TopicOfRow(0));
  EXPECT_TRUE(save_window_png(dlg->m_hWnd, PngPath("date_index_dialog.png"), true));

  // The arrow to the next month moves the selection and looks the new day up, without a sentence.
  click(dlg->GetCalendar().m_hWnd, POINT{2 + 7 * controls::kCalendarColumnWidth - 4, 8});
  pump();
  SYSTEMTIME moved{};
  ASSERT_TRUE(dlg->GetCalendar().GetCurSel(moved));
  EXPECT_EQ(moved.wMonth, 2);
  EXPECT_EQ(Message(dlg), "We wskazanym dniu został uchwalony 1 akt.\n");
  const uint16_t february = medview::MvGetKeywordTopicCount(dlg->GetIndex(), "98-02-14");
  EXPECT_EQ(keywords::KeywordHits().count, february == 0xFFFF ? 0 : february);

  // A day without acts: the sentence for none, no rows under its key.
  ClickDay(dlg, 1998, 1, 15);
  EXPECT_EQ(Message(dlg), "We wskazanym dniu nie został uchwalony żaden akt.\n");
  EXPECT_EQ(keywords::KeywordHits().count, 0);
  EXPECT_EQ(Heading(), "hasło: 98-01-15");
  EXPECT_EQ(Tab()->GetList().GetItemCount(), 0);

  // "Zamknij" stores the position; reopened, the dialog comes back there in its own size.
  dlg->MoveWindow(140, 90, 300, 300);
  pump();
  CRect before;
  dlg->GetWindowRect(&before);
  dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), LPARAM(dlg->GetDlgItem(IDCANCEL)->m_hWnd));
  pump();
  EXPECT_EQ(CKeywordIndexDlg::GetOpen(), nullptr);
  EXPECT_TRUE(frame_placement::Load("CalendarPos").has_value());
  dlg = OpenDialog();
  ASSERT_NE(dlg, nullptr);
  CRect after;
  dlg->GetWindowRect(&after);
  EXPECT_EQ(after.TopLeft(), before.TopLeft());
  // The command of the open dialog closes it; another index's command replaces it.
  main_->SendMessage(WM_COMMAND, ID_SUBJECT_INDEX);
  pump();
  EXPECT_NE(dynamic_cast<CIndexDlg*>(CKeywordIndexDlg::GetOpen()), nullptr);
  main_->SendMessage(WM_COMMAND, ID_DATE_INDEX);
  pump();
  EXPECT_NE(dynamic_cast<CCalendarDlg*>(CKeywordIndexDlg::GetOpen()), nullptr);
  main_->SendMessage(WM_COMMAND, ID_DATE_INDEX);
  pump();
  EXPECT_EQ(CKeywordIndexDlg::GetOpen(), nullptr);
}

}  // namespace
}  // namespace lumo::test
