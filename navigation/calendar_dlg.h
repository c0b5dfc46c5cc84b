// "Indeks dat" (CCalendarDlg): the date index as a month calendar. Choosing a day looks it up in
// the index of the event that is checked (dates of adoption when the dialog opens), says in a
// sentence how many acts it has, opens the act at once when there is one, and lists the acts in
// "Indeksy". The index's dates are of the years 1900-1999, so the calendar keeps to them.
#pragma once

#include <string>

#include "navigation/index_dlg.h"
#include "platform/controls/month_cal_ctrl.h"

class CLumoKALDoc;

namespace keywords {

// The events a date index can be chosen by, with their indexes.
enum class DateEvent { kAdopted, kPublished, kInForce, kRepealed };
const char* DateEventIndex(DateEvent event);
// The years the date index holds.
inline constexpr int kFirstIndexYear = 1900;
inline constexpr int kLastIndexYear = 1999;
// The key of a day in a date index: "%y-%m-%d", two-digit year.
std::string DateKey(int year, int month, int day);
// The sentence that reports `count` acts of a day for `event`, ending in a line feed (CP1250);
// empty for events the dialog has no sentence for.
std::string DateCountSentence(DateEvent event, int count);

}  // namespace keywords

class CCalendarDlg : public CKeywordIndexDlg {
 public:
  explicit CCalendarDlg(CWnd* pParent = nullptr);

  // Checks the event's button and opens its index.
  void ChooseEvent(keywords::DateEvent event);
  keywords::DateEvent GetEvent() const { return m_event; }
  // The selection moved to `day`: its acts become the keyword hits, a single act opens at once.
  void LookUpDayAndOpen(const SYSTEMTIME& day);
  // A day was chosen: its acts become the keyword hits, the count sentence and the listing in
  // "Indeksy" follow.
  void LookUpDayAndList(const SYSTEMTIME& day);
  CMonthCalCtrl& GetCalendar() { return m_calendar; }

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void OnOK() override;
  // The work that was current when the dialog opened, while it still is.
  CLumoKALDoc* KeptWork() const;

  CMonthCalCtrl m_calendar;
  keywords::DateEvent m_event = keywords::DateEvent::kAdopted;
  CLumoKALDoc* m_pWork = nullptr;
};
