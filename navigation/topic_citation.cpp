#include "navigation/topic_citation.h"

#include "controls/date.h"
#include "navigation/entry_texts.h"
#include "platform/base/cp1250.h"
#include "platform/base/cstring.h"
#include "platform/base/win_types.h"

namespace topicdrag {

namespace {

std::string LongDate(uint16_t days) {
  if (days == shell::kContentsNoDate) return {};
  return static_cast<LPCTSTR>(CDate(int32_t(days), CDate::kEpoch1900).Format("%d %B %Y"));
}

std::string Pl(const char* utf8) { return base::cp1250::from_utf8(utf8); }
std::string Num(int n) { return std::to_string(n); }

}  // namespace

std::string CitationText(const shell::ActDescription& d, int level, int copy_format) {
  if (copy_format != kCopyCitation && copy_format != kCopyRow) return {};
  if (level < 0 || level > shell::kLevelYearbook) return {};
  const bool citation = copy_format == kCopyCitation;
  const std::string year = Num(d.FullYear());
  if (level == shell::kLevelYearbook) {
    return citation ? Pl("Strona tytułowa rocznik ") + year + " r." : year + " rok\tRocznik\t" + year + "\t";
  }
  const std::string issue = Num(d.issue_number);
  if (level == shell::kLevelIssue) {
    const std::string published = LongDate(d.publication_date);
    if (!citation) return year + "/Nr" + issue + "\tDz. U.\topublikowany " + published + "\t";
    // An issue without its publication date leaves the date's words out.
    return "Dz. U. z " + year + " r. Nr " + issue + (published.empty() ? "" : " (opublikowany " + published + ")");
  }
  // An act, one of its parts or an attachment: the act's title is "kind#subject".
  const std::string& act = d.texts[shell::kLevelAct];
  const std::string kind = navtext::TextBeforeHash(act);
  const std::string subject = navtext::TextAfterHash(act);
  const std::string date = LongDate(d.act_date);
  // An act without its date leaves the date's words out of the citation.
  const std::string dated = date.empty() ? std::string() : " z dnia " + date + " r.";
  const std::string position = Num(d.position);
  return citation ? kind + dated + " " + subject + " (Dz. U. z " + year + " r. Nr " + issue + ", poz. " +
                        position + ")"
                  : year + "/poz " + position + "\t" + kind + "\t z dnia " + date + " r.\t" + subject;
}

}  // namespace topicdrag
