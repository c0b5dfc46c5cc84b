#include "shell/view/view_rules.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace shell::view {
namespace {

bool IsAddressSeparator(char c) { return c == ' ' || c == '\xBE' || c == '\xBF'; }

// "." and the number padded to four digits; nothing for an empty part or one of more than four.
std::string AddressPart(std::string_view digits) {
  if (digits.empty() || digits.size() > 4) return {};
  return "." + std::string(4 - digits.size(), '0') + std::string(digits);
}

std::string FullYearText(std::string_view typed) {
  if (typed.size() > 2) return std::string(typed);
  int year = 0;
  for (char c : typed) {
    if (c < '0' || c > '9') return "19" + std::string(typed);
    year = year * 10 + (c - '0');
  }
  return std::to_string(1900 + year);
}

std::string Format(const char* format, auto... values) {
  char buffer[160];
  const int n = std::snprintf(buffer, sizeof buffer, format, values...);
  return n < 0 ? std::string() : std::string(buffer, std::min<size_t>(size_t(n), sizeof buffer - 1));
}

}  // namespace

std::string MakeAddressContext(std::string_view text, bool issue_only, const AddressDefaults& defaults) {
  if (text.find("DU.") != std::string_view::npos) return std::string(text);
  // e: the first separator; f: the last of the first separators after it (or the end).
  size_t e = std::string_view::npos;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsAddressSeparator(text[i])) {
      e = i;
      break;
    }
  }
  std::string year, number, position;
  if (e == std::string_view::npos) {
    year = std::to_string(defaults.full_year);
    number = std::to_string(defaults.issue_number);
    position = std::string(text);
  } else {
    size_t f = std::string_view::npos;
    for (char separator : {' ', '\xBE', '\xBF'}) {
      const size_t at = text.find(separator, e + 1);
      if (at != std::string_view::npos && (f == std::string_view::npos || at > f)) f = at;
    }
    if (f == std::string_view::npos) f = text.size();
    const std::string_view after = f < text.size() ? text.substr(f + 1) : std::string_view();
    if (e == 0) {
      year = std::to_string(defaults.full_year);
      number = std::string(text.substr(1, f > 1 ? f - 1 : 0));
    } else {
      year = FullYearText(text.substr(0, e));
      number = std::string(text.substr(e + 1, f > e + 1 ? f - e - 1 : 0));
    }
    position = after.empty() ? "0000" : std::string(after);
  }
  std::string context = "DU." + year + AddressPart(number);
  context += issue_only ? ".0000" : AddressPart(position);
  return context;
}

std::string JournalNumberText(std::string_view issue_text) {
  const size_t hash = issue_text.find('#');
  if (hash == std::string_view::npos) return {};
  const size_t b1 = issue_text.find(' ', hash);
  if (b1 == std::string_view::npos) return {};
  const size_t b2 = issue_text.find(' ', b1 + 1);
  if (b2 == std::string_view::npos) return {};
  return std::string(issue_text.substr(b1 + 1, b2 - b1));
}

SheetTexts MakeSheetTexts(const ActDescription& shown, const ContentsRecord& act) {
  SheetTexts out;
  const ContentsRecord& record = shown.record;
  if (record.level == 0) return out;
  out.changed = true;
  std::string number_text;
  if (record.year >= 90 || record.number != 0) number_text = JournalNumberText(shown.texts[kLevelIssue]);
  const int year = ContentsFullYear(record);
  switch (record.level) {
    case kLevelAct:
      out.short_text = Format("%d r. poz %d", year, record.number);
      out.long_text = Format("  poz %d  (D.U. z %d roku   Nr %s)", record.number, year, number_text.c_str());
      break;
    case kLevelIssue:
      out.short_text = Format("%d r. Nr %d", year, record.number);
      out.long_text = Format("  D.U. z %d roku   Nr %s", year, number_text.c_str());
      break;
    case kLevelYearbook:
      out.short_text = Format("%d r.", year);
      out.long_text = Format("  rocznik %d", year);
      break;
    default:
      if (record.level >= 1 && record.level < kLevelAct && act.level == kLevelAct) {
        const int act_year = ContentsFullYear(act);
        out.short_text = Format("%d r. poz %d", act_year, act.number);
        out.long_text = Format("  poz %d  (D.U. z %d roku   Nr %s)", act.number, act_year, number_text.c_str());
      }
      break;
  }
  return out;
}

bool ParsePictureMacro(std::string_view macro, std::string* name) {
  constexpr size_t kMaxName = 127;
  if (macro.empty() || macro.front() != '%') return false;
  const std::string_view rest = macro.substr(1);
  const std::string_view found = rest.substr(0, rest.find('@'));
  if (found.empty() || found.size() > kMaxName) return false;
  if (name) *name = std::string(found);
  return true;
}

std::string TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::string SelectedTextForSearch(std::string_view plain) {
  size_t first = 0;
  while (first < plain.size() && static_cast<unsigned char>(plain[first]) < 32) ++first;
  size_t end = plain.size();
  while (end > first && (plain[end - 1] == '\r' || plain[end - 1] == '\n')) --end;
  if (end - first > kMaxSelectedText) return {};
  return std::string(plain.substr(first, end - first));
}

POINT PlaceOnScreen(POINT origin, SIZE size, const RECT& screen, int right_margin) {
  POINT at = origin;
  const int width = screen.right - screen.left;
  const int height = screen.bottom - screen.top;
  if (at.x + size.cx + right_margin > screen.right) at.x -= size.cx;
  if (at.x < screen.left) at.x = screen.left + (width - size.cx) / 2;
  if (at.y + size.cy > screen.bottom) at.y -= size.cy;
  if (at.y < screen.top) at.y = screen.top + (height - size.cy) / 2;
  return at;
}

int ScrollPage(int client, int range, int extent) {
  if (extent <= 0 || range <= 0 || client <= 0) return 0;
  const int64_t page = (int64_t(client) * range + extent - 1) / extent;
  return int(std::min<int64_t>(page, range));
}

int WheelLines(int delta) { return delta / 120; }

WheelStep WheelStepFor(int dx, int dy, bool can_scroll_h, bool can_scroll_v) {
  WheelStep step;
  if (std::abs(dy) < std::abs(dx) && can_scroll_h) {
    step.amount = std::abs(dx);
    step.direction = dx < 1 ? WheelDirection::left : WheelDirection::right;
  } else if (!can_scroll_v) {
    return step;
  } else {
    step.amount = std::abs(dy);
    step.direction = dy < 1 ? WheelDirection::up : WheelDirection::down;
  }
  if (step.amount == 0 && std::abs(dx) < 10 && std::abs(dy) < 10) step.direction = WheelDirection::none;
  return step;
}

UINT WheelCursorFor(WheelDirection direction, bool can_scroll_h, bool can_scroll_v) {
  switch (direction) {
    case WheelDirection::up: return 131;
    case WheelDirection::left: return 134;
    case WheelDirection::down: return 133;
    case WheelDirection::right: return 130;
    case WheelDirection::none: break;
  }
  if (can_scroll_h == can_scroll_v) return 132;
  return can_scroll_v ? 136 : 135;
}

int WheelImageOffset(bool can_scroll_h, bool can_scroll_v) {
  if (can_scroll_h && !can_scroll_v) return 26;
  if (can_scroll_v && !can_scroll_h) return 52;
  return 0;
}

int PaneMenuPopup(bool on_hotspot, bool nothing, bool over_text, bool target_has_place, bool has_selection) {
  if (on_hotspot && nothing) return -1;
  if (on_hotspot && over_text && target_has_place) return 3;
  if (on_hotspot && !over_text) return 4;
  return has_selection ? 0 : 1;
}

uint8_t StyleUnderline(int choice, uint8_t current) {
  switch (choice) {
    case 0: return current;
    case 1: return 0xFF;
    case 3: return 0;
    default: return 1;
  }
}

std::string AnnotationDescription(int32_t topic, int32_t position, int32_t offset) {
  return "ANNEW, MVANNOTATE, " + std::to_string(topic) + " " + std::to_string(position) + " " + std::to_string(offset);
}

}  // namespace shell::view
