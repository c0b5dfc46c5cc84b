#include "navigation/entry_texts.h"

#include <algorithm>
#include <cstdio>

#include "controls/date.h"
#include "platform/base/cstring.h"
#include "platform/base/win_types.h"

namespace navtext {
namespace {

std::string Format(const char* pattern, int a, int b) {
  char buffer[64];
  std::snprintf(buffer, sizeof(buffer), pattern, a, b);
  return buffer;
}

std::string TrimLeft(std::string text) {
  const size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

bool IsPart(const shell::ContentsRecord& r) { return r.level < shell::kLevelAct || (r.level == shell::kLevelAct && r.attachment); }

}  // namespace

std::string DateText(uint16_t days, const char* pattern) {
  if (days == shell::kContentsNoDate) return {};
  return static_cast<LPCTSTR>(CDate(int32_t(days), CDate::kEpoch1900).Format(pattern));
}

std::string TextBeforeHash(const std::string& text) {
  const size_t hash = text.find('#');
  return hash == std::string::npos ? std::string() : text.substr(0, hash);
}

std::string TextAfterHash(const std::string& text) {
  const size_t hash = text.find('#');
  return hash == std::string::npos ? text : text.substr(hash + 1);
}

const std::string& OwnerText(const shell::ActDescription& d) {
  const int level = d.record.level;
  if (level == shell::kLevelIssue || level == shell::kLevelYearbook) return d.texts[size_t(level)];
  return d.texts[shell::kLevelAct];
}

std::string BookmarkName(const shell::ActDescription& d) { return TextAfterHash(OwnerText(d)); }

// The unit's own text: an attachment's title, else an editorial unit's own heading.
std::string TitleText(const shell::ActDescription& d) {
  const int level = d.record.level;
  std::string own =
      d.texts[0].empty() && level > 0 && level < shell::kLevelAct ? d.texts[size_t(level)] : d.texts[0];
  // A heading's two parts (number and name) are joined by '#'.
  std::replace(own.begin(), own.end(), '#', ' ');
  return TrimLeft(BookmarkName(d) + " " + own);
}

std::string ShortDate(uint16_t days) { return DateText(days, "%y-%m-%d"); }

EntryTexts DescribeEntry(const shell::ActDescription& d, const shell::ContentsRecord& act) {
  const shell::ContentsRecord& r = d.record;
  const int year = shell::ContentsFullYear(r);
  EntryTexts out;
  if (r.level == shell::kLevelYearbook) {
    out.address = Format("%d rok", year, 0);
    out.rank = "ROCZNIK";
    out.date = ShortDate(d.publication_date);
  } else if (r.level == shell::kLevelIssue) {
    out.address = r.number ? Format("%d/Nr %d", year, r.number) : Format("%d/ ", year, 0);
    out.rank = "D. U.";
    if (r.number) out.date = ShortDate(d.publication_date);
  } else {
    if (IsPart(r)) {
      out.address = Format("%d/poz %d", shell::ContentsFullYear(act), act.number);
    } else {
      out.address = r.number ? Format("%d/poz %d", year, r.number) : Format("%d/ ", year, 0);
    }
    out.rank = TrimLeft(TextBeforeHash(d.texts[shell::kLevelAct]));
    if (r.number) out.date = ShortDate(d.act_date);
  }
  out.title = TitleText(d);
  return out;
}

BookmarkFields DescribeBookmark(const shell::ActDescription& d, const shell::ContentsRecord& act) {
  const shell::ContentsRecord& r = d.record;
  BookmarkFields out;
  if (r.level == shell::kLevelYearbook) {
    out.reference = Format("%d rok", shell::ContentsFullYear(r), 0);
    out.kind = "ROCZNIK";
    out.date = DateText(d.publication_date, "rocznik %Y");
  } else if (r.level == shell::kLevelIssue) {
    out.reference = Format("Nr %d", r.number, 0);
    out.kind = "DZIENNIK USTAW";
    out.date = DateText(d.publication_date, "z dnia %#x");
  } else {
    const shell::ContentsRecord& own = IsPart(r) ? act : r;
    out.reference = Format("%d/poz %d", shell::ContentsFullYear(own), own.number);
    out.kind = TextBeforeHash(d.texts[shell::kLevelAct]);
    out.date = DateText(d.act_date, "z dnia %#x");
  }
  return out;
}

}  // namespace navtext
