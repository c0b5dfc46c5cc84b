#include "navigation/calendar_dlg.h"

#include <cstdio>

#include "engine/medview/engine_titles.h"
#include "navigation/keyword_hits.h"
#include "navigation/keywordsres_tab.h"
#include "navigation/nav_bar.h"
#include "navigation/nav_commands.h"
#include "navigation/polish_plural.h"
#include "platform/base/calendar_day.h"
#include "platform/base/cp1250.h"
#include "platform/framework/control_messages.h"
#include "resources/app_ids.h"
#include "shell/library_title.h"
#include "shell/lumo_kal_doc.h"

using namespace resources;

namespace keywords {

const char* DateEventIndex(DateEvent event) {
  switch (event) {
    case DateEvent::kAdopted: return "|u";
    case DateEvent::kPublished: return "|v";
    case DateEvent::kInForce: return "|h";
    case DateEvent::kRepealed: return "|z";
  }
  return "|u";
}

std::string DateKey(int year, int month, int day) {
  char key[16];
  std::snprintf(key, sizeof key, "%02d-%02d-%02d", ((year % 100) + 100) % 100, month % 100, day % 100);
  return key;
}

std::string DateCountSentence(DateEvent event, int count) {
  if (event != DateEvent::kAdopted && event != DateEvent::kPublished) return {};
  const bool published = event == DateEvent::kPublished;
  char text[160];
  if (count <= 0) {
    std::snprintf(text, sizeof text, "%s", published ? "We wskazanym dniu nie opublikowano żadnego aktu.\n"
                                                     : "We wskazanym dniu nie został uchwalony żaden akt.\n");
  } else {
    switch (polish::PluralOf(count)) {
      case polish::Plural::kOne:
        std::snprintf(text, sizeof text, "%s", published ? "We wskazanym dniu opublikowano 1 akt.\n"
                                                         : "We wskazanym dniu został uchwalony 1 akt.\n");
        break;
      case polish::Plural::kFew:
        std::snprintf(text, sizeof text, published ? "We wskazanym dniu opublikowano %d akty.\n"
                                                   : "We wskazanym dniu zostały uchwalone %d akty.\n", count);
        break;
      case polish::Plural::kMany:
        std::snprintf(text, sizeof text, published ? "We wskazanym dniu opublikowano %d aktów.\n"
                                                   : "We wskazanym dniu zostało uchwalonych %d aktów.\n", count);
        break;
    }
  }
  return base::cp1250::from_utf8(text);
}

}  // namespace keywords

namespace {

struct EventButton {
  UINT id;
  keywords::DateEvent event;
};
constexpr EventButton kEventButtons[] = {
    {IDC_DATE_ADOPTED, keywords::DateEvent::kAdopted},
    {IDC_DATE_PUBLISHED, keywords::DateEvent::kPublished},
    {IDC_DATE_IN_FORCE, keywords::DateEvent::kInForce},
    {IDC_DATE_REPEALED, keywords::DateEvent::kRepealed},
};


std::string KeyOf(const SYSTEMTIME& day) { return keywords::DateKey(day.wYear, day.wMonth, day.wDay); }

}  // namespace

CCalendarDlg::CCalendarDlg(CWnd* pParent) : CKeywordIndexDlg(IDD_DATE_INDEX, "CalendarPos", pParent) {}

BOOL CCalendarDlg::OnInitDialog() {
  CGSDialog::OnInitDialog();
  m_pWork = CLumoKALDoc::GetCurrentWork();
  ChooseEvent(keywords::DateEvent::kAdopted);
  if (m_calendar.SubclassDlgItem(IDC_DATE_CALENDAR, this)) {
    // The index holds the years 1900-1999 only; a later today shows the range's last month.
    const SYSTEMTIME range[2] = {base::calendar_day(keywords::kFirstIndexYear, 1, 1), base::calendar_day(keywords::kLastIndexYear, 12, 31)};
    m_calendar.SetRange(&range[0], &range[1]);
    m_calendar.SizeMinReq(TRUE);
  }
  RestorePlacement(true);
  return TRUE;
}

CLumoKALDoc* CCalendarDlg::KeptWork() const {
  return m_pWork && m_pWork == CLumoKALDoc::GetCurrentWork() ? m_pWork : nullptr;
}

void CCalendarDlg::ChooseEvent(keywords::DateEvent event) {
  m_event = event;
  for (const EventButton& button : kEventButtons) {
    CheckDlgButton(int(button.id), button.event == event ? BST_CHECKED : BST_UNCHECKED);
  }
  OpenIndex(keywords::DateEventIndex(event));
}

void CCalendarDlg::LookUpDayAndOpen(const SYSTEMTIME& day) {
  const std::string key = KeyOf(day);
  keywords::KeywordHitArray& hits = keywords::KeywordHits();
  bool listed = false;
  if (keywords::LoadKeywordTopics(m_hIndex, key.c_str(), hits, &listed) != 0) return;
  if (hits.count == 0) {
    COutputWnd* navigator = navcmd::FindOutputWnd();
    if (navigator && navigator->IsWindowVisible() && navigator->GetActiveTab() == 2) {
      if (CKeywordsresTab* tab = navigator->GetKeywordsTab()) tab->ShowKeyword(CString(key));
    }
    return;
  }
  if (!listed) return;
  CKeywordsresTab::BringForward(true);
  if (hits.count == 1 && LibraryTitle()) {
    const int32_t position = medview::MvAddressToPosition(LibraryTitle(), int32_t(hits.addresses[0]));
    if (CLumoKALDoc* work = KeptWork(); work && position != -1) work->ShowTopicAtPosition(position, 0, 0);
  }
}

void CCalendarDlg::LookUpDayAndList(const SYSTEMTIME& day) {
  const std::string key = KeyOf(day);
  keywords::KeywordHitArray& hits = keywords::KeywordHits();
  if (keywords::LoadKeywordTopics(m_hIndex, key.c_str(), hits, nullptr) != 0) return;
  SetDlgItemText(int(IDC_DATE_MESSAGE), CString(keywords::DateCountSentence(m_event, hits.count)));
  if (CKeywordsresTab* tab = CKeywordsresTab::BringForward(false)) tab->ShowKeyword(CString(key));
}

BOOL CCalendarDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  if (HIWORD(wParam) == BN_CLICKED) {
    for (const EventButton& button : kEventButtons) {
      if (button.id == id) {
        ChooseEvent(button.event);
        return TRUE;
      }
    }
  }
  return CGSDialog::OnCommand(wParam, lParam);
}

BOOL CCalendarDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header && header->idFrom == IDC_DATE_CALENDAR) {
    const auto* change = reinterpret_cast<const NMSELCHANGE*>(header);
    if (header->code == MCN_SELCHANGE) {
      LookUpDayAndOpen(change->stSelStart);
      *pResult = 0;
      return TRUE;
    }
    if (header->code == MCN_SELECT) {
      LookUpDayAndList(change->stSelStart);
      *pResult = 0;
      return TRUE;
    }
  }
  return CGSDialog::OnNotify(wParam, lParam, pResult);
}

void CCalendarDlg::OnOK() {
  SaveWindowPlacement();
  EndDialog(IDOK);
  DestroyWindow();
}
