#include "shell/print/print_texts.h"

#include "controls/date.h"
#include "platform/base/cp1250.h"
#include "shell/user_data.h"

namespace printtext {

namespace {
CString Cp(const char* utf8) { return CString(base::cp1250::from_utf8(utf8)); }
}  // namespace

CString ActCitation(const shell::ActDescription& d, bool short_act_number) {
  CString text;
  if (!short_act_number) return text;
  const int year = d.FullYear();
  switch (d.record.level) {
    case shell::kLevelIssue:
      text.Format("(D.U. z %d r. Nr %d)", year, d.issue_number);
      break;
    case shell::kLevelYearbook:
      text.Format("(Rocznik %d)", year);
      break;
    default:
      text.Format("(D.U. z %d r. Nr %d poz. %d", year, d.issue_number, d.position);
      text += d.record.attachment ? Cp(" - załącznik)") : CString(")");
      break;
  }
  return text;
}

CString PictureCitation(const shell::ActDescription& d, bool short_act_number) {
  CString text;
  if (!short_act_number) return text;
  CString act;
  act.Format("D.U. z %d r. Nr %d poz %d", d.FullYear(), d.issue_number, d.position);
  text = d.record.attachment ? Cp("Zał. do (") + act + ")" : act;
  return text + " - Formularz/Rysunek";
}

CString PageFormat(bool page_numbers) { return page_numbers ? CString("Strona %d") : CString(); }

CString PageText(const CString& format, int page, int total) {
  CString text;
  if (format.IsEmpty()) return text;
  if (total > 0) {
    text.Format(format + " / %d", page, total);
  } else {
    text.Format(format, page);
  }
  return text;
}

CString WorkInfo(bool print_date, bool work_title, const CString& date, const CString& title) {
  CString text;
  if (print_date) {
    text = Cp("Data wydruku: ") + date;
    if (work_title) text += Cp("\r\nTytuł pracy: ") + title;
  } else if (work_title) {
    text = Cp("Tytuł pracy: ") + title;
  }
  return text;
}

CString PrintDate() { return CDate::GetToday().Format("%A, %#d %B %Y"); }

CString WorkInfoFromSettings(const CUserData& settings, const CString& work_title) {
  return WorkInfo(settings.m_bFooterDate != 0, settings.m_bFooterWorkTitle != 0, PrintDate(), work_title);
}

}  // namespace printtext
