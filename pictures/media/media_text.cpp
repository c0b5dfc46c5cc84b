#include "pictures/media/media_text.h"

#include <algorithm>
#include <cctype>

namespace media {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsQuote(char c) { return c == '"' || c == '\'' || c == '`'; }

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(uint8_t(a[i])) != std::tolower(uint8_t(b[i]))) return false;
  }
  return true;
}

// The keyword slot a word names, -1 when none (empty keywords never match).
int FindKeyword(const MediaWords& words, std::string_view word) {
  for (int i = 0; i < kKeywordCount; ++i) {
    if (!words.keywords[i].empty() && SameText(words.keywords[i], word)) return i;
  }
  return -1;
}

}  // namespace

bool MediaWordReader::next(std::string& word) {
  word.clear();
  while (at_ < text_.size() && IsBlank(text_[at_])) ++at_;
  if (at_ >= text_.size()) return false;
  char c = text_[at_];
  if (IsQuote(c)) {
    const char quote = c;
    ++at_;
    while (at_ < text_.size() && text_[at_] != quote) {
      if (text_[at_] == '\\' && at_ + 1 < text_.size() && text_[at_ + 1] == quote) ++at_;
      word += text_[at_++];
    }
    if (at_ < text_.size()) ++at_;  // the closing quote
    return true;
  }
  if (c == '-' || c == '/') {
    word += '-';
    ++at_;
  }
  while (at_ < text_.size() && !IsBlank(text_[at_])) word += text_[at_++];
  return true;
}

std::string_view MediaWordReader::rest() {
  while (at_ < text_.size() && IsBlank(text_[at_])) ++at_;
  return text_.substr(at_);
}

bool MediaParseNumber(std::string_view word, int32_t& value, size_t* used) {
  size_t i = 0;
  bool negative = false;
  if (i < word.size() && word[i] == '-') {
    negative = true;
    ++i;
  }
  const size_t digits = i;
  int64_t v = 0;
  while (i < word.size() && word[i] >= '0' && word[i] <= '9') {
    v = std::min<int64_t>(v * 10 + (word[i] - '0'), INT32_MAX);
    ++i;
  }
  if (i == digits) return false;
  value = int32_t(negative ? -v : v);
  if (used) *used = i;
  return true;
}

bool MediaParseTrackPosition(std::string_view word, uint16_t& track, int32_t& offset) {
  track = 0;
  int32_t first = 0;
  size_t used = 0;
  if (!MediaParseNumber(word, first, &used)) return false;
  if (used < word.size() && word[used] == ':') {
    if (first < 1 || first > 0xFFFF) return false;
    track = uint16_t(first);
    return MediaParseNumber(word.substr(used + 1), offset);
  }
  offset = first;
  return true;
}

bool MediaParseMarksFile(std::string_view bytes, std::vector<MarkSpec>& marks) {
  std::string text(bytes.substr(0, std::min(bytes.size(), kMaxMarksFile)));
  text.resize(std::min(text.find('\0'), text.size()));
  for (char& c : text) {
    if (c == '\r' || c == '\n' || c == '\x1a') c = ' ';
  }
  return MediaParseMarks(text, marks);
}

bool MediaParseMarks(std::string_view text, std::vector<MarkSpec>& marks) {
  MediaWordReader reader(text);
  std::string name, position;
  while (reader.next(name)) {
    MarkSpec mark;
    size_t at = 0;
    if (at < name.size() && name[at] == '$') {
      mark.stop = true;
      ++at;
    }
    if (at < name.size() && name[at] == '#') {
      mark.section = true;
      ++at;
    }
    mark.name = name.substr(at);
    if (!reader.next(position) || !MediaParseTrackPosition(position, mark.track, mark.offset)) return false;
    marks.push_back(std::move(mark));
  }
  return true;
}

MediaTextResult MediaParseWindowText(std::string_view text, const MediaWords& words, MediaOptions& options) {
  if (text.size() > kMaxWindowText) return {kErrBadText, {}};
  size_t at = 0;
  auto skip_blanks = [&] {
    while (at < text.size() && IsBlank(text[at])) ++at;
  };
  skip_blanks();
  while (at < text.size() && text[at] == '[') {
    // The item ends at the first "]" outside quotes.
    size_t end = at + 1;
    char quote = 0;
    for (; end < text.size(); ++end) {
      const char c = text[end];
      if (quote) {
        if (c == '\\' && end + 1 < text.size() && text[end + 1] == quote) ++end;
        else if (c == quote) quote = 0;
      } else if (IsQuote(c)) {
        quote = c;
      } else if (c == ']') {
        break;
      }
    }
    const std::string_view item = text.substr(at + 1, end - at - 1);
    at = std::min(end + 1, text.size());
    skip_blanks();

    MediaWordReader reader(item);
    std::string keyword;
    reader.next(keyword);
    if (!keyword.empty() && keyword[0] == ';') continue;  // a comment
    const int slot = FindKeyword(words, keyword);
    if (slot < 0) return {kErrUnknownOption, std::string(item)};
    const std::string& name = words.keywords[slot];
    std::string word;
    auto need_word = [&]() { return reader.next(word); };
    auto need_number = [&](int32_t& value) { return reader.next(word) && MediaParseNumber(word, value); };
    switch (slot) {
      case kKwEmptyAllowed: options.emptyAllowed = true; break;
      case kKwNoFrame: options.noFrame = true; break;
      case kKwMenu: options.menu = true; break;
      case kKwTrackBar: options.trackBar = true; break;
      case kKwAutoPlay: options.autoPlay = true; break;
      case kKwRepeat: options.repeat = true; break;
      case kKwLocked: options.locked = true; break;
      case kKwSound: options.menu = options.soundItem = true; break;
      case kKwStandard:
        options.trackBar = true;
        options.buttons |= (1u << 5) | (1u << 13);
        break;
      case kKwDeviceType:
      case kKwName:
        if (!need_word()) return {kErrMissingArgument, name};
        (slot == kKwName ? options.instanceName : options.deviceType) = word;
        break;
      case kKwButtons: {
        bool any = false;
        while (reader.next(word)) {
          any = true;
          if (!words.keywords[kKwMenu].empty() && SameText(word, words.keywords[kKwMenu])) {
            options.menu = true;
            continue;
          }
          int found = -1;
          for (int b = 0; b < 13; ++b) {
            if (!words.buttons[b].empty() && SameText(word, words.buttons[b])) found = b + 1;
          }
          if (found < 0) return {kErrUnknownOption, word};
          options.buttons |= uint16_t(1u << found);
        }
        if (!any) return {kErrMissingArgument, name};
        break;
      }
      case kKwScanStep: {
        int32_t step = 0;
        if (!need_number(step)) return {kErrMissingArgument, name};
        if (step < 1) return {kErrOutOfRange, name};
        options.scanStep = step;
        break;
      }
      case kKwRange:
        if (!need_word()) return {kErrMissingArgument, name};
        if (!MediaParseTrackPosition(word, options.firstTrack, options.firstOffset) || options.firstOffset < 0)
          return {kErrOutOfRange, name};
        if (reader.next(word) &&
            (!MediaParseTrackPosition(word, options.lastTrack, options.lastOffset) || options.lastOffset < 0))
          return {kErrOutOfRange, name};
        break;
      case kKwTracks: {
        int32_t first = 0, last = 0;
        if (!need_number(first)) return {kErrMissingArgument, name};
        last = first;
        if (reader.next(word) && !MediaParseNumber(word, last)) return {kErrOutOfRange, name};
        if (first < 1 || first > 0xFFFF || last < first || last > 0xFFFF) return {kErrOutOfRange, name};
        options.firstTrack = uint16_t(first);
        options.lastTrack = uint16_t(last);
        options.firstOffset = options.lastOffset = -1;
        break;
      }
      case kKwMarks:
        if (reader.rest().empty()) return {kErrMissingArgument, name};
        if (!MediaParseMarks(reader.rest(), options.marks)) return {kErrOutOfRange, name};
        break;
      case kKwMarksFile:
        if (!need_word()) return {kErrMissingArgument, name};
        options.marksFile = word;
        break;
      case kKwSize: {
        int32_t w = 0, h = 0;
        if (!need_number(w) || !need_number(h)) return {kErrMissingArgument, name};
        if (w < 0 || h < 0) return {kErrOutOfRange, name};
        options.videoWidth = w;
        options.videoHeight = h;
        break;
      }
      case kKwExpect: {
        if (!need_word()) return {kErrMissingArgument, name};
        options.expectedMedia = word;
        int32_t number = 0;
        if (!need_number(number)) return {kErrMissingArgument, name};
        options.expectedNumber = number;
        break;
      }
      case kKwLabel: {
        options.labelAlign = kLabelCentre;
        std::string_view rest = reader.rest();
        if (rest.size() >= 2 && rest[0] == '\\' && (rest[1] == 'p' || rest[1] == 'P')) {
          const size_t end = std::min(rest.find_first_of(" \t"), rest.size());
          const std::string_view align = rest.substr(0, end);
          if (SameText(align, "\\pl")) options.labelAlign = kLabelLeft;
          else if (SameText(align, "\\pr")) options.labelAlign = kLabelRight;
          else if (SameText(align, "\\pc")) options.labelAlign = kLabelCentre;
          else return {kErrBadText, name};
          rest.remove_prefix(end);
          while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
        }
        options.label.clear();
        for (size_t i = 0; i < rest.size(); ++i) {
          if (rest[i] == '\\' && i + 1 < rest.size() && (rest[i + 1] == 'l' || rest[i + 1] == 'L')) {
            options.label += '\n';
            ++i;
          } else {
            options.label += rest[i];
          }
        }
        break;
      }
      case kKwGroups:
        while (options.groups.size() < 4 && reader.next(word)) options.groups.push_back(word);
        if (options.groups.empty()) return {kErrMissingArgument, name};
        break;
    }
  }
  options.name = std::string(text.substr(at));
  while (!options.name.empty() && IsBlank(options.name.back())) options.name.pop_back();
  if (options.name.empty() && options.deviceType.empty() && !options.emptyAllowed) return {kErrBadText, {}};
  return {};
}

std::string MediaTitleFolder(std::string_view titleName) {
  const size_t slash = titleName.find_last_of("\\/");
  return slash == std::string_view::npos ? std::string() : std::string(titleName.substr(0, slash + 1));
}

MediaNameResult MediaResolveName(std::string_view name, std::string_view titleName) {
  MediaNameResult result;
  const bool absolute = (name.size() >= 2 && name[1] == ':') || name.starts_with("\\\\") || name.starts_with('/') ||
                        name.starts_with('\\');
  if (titleName.empty()) {
    result.path = std::string(name);
    std::replace(result.path.begin(), result.path.end(), '\\', '/');
    return result;
  }
  // A title names files beside itself only.
  std::string relative(name.starts_with('!') ? name.substr(1) : name);
  std::replace(relative.begin(), relative.end(), '\\', '/');
  bool climbs = false;
  size_t start = 0;
  while (start <= relative.size()) {
    const size_t end = std::min(relative.find('/', start), relative.size());
    if (relative.substr(start, end - start) == "..") climbs = true;
    start = end + 1;
  }
  if (absolute || climbs || relative.empty() || relative.starts_with('/')) {
    result.error = kErrBadText;
    return result;
  }
  if (name.starts_with('!')) {
    result.path = std::string(titleName) + "+" + relative;
    result.compound = true;
  } else {
    result.path = MediaTitleFolder(titleName) + relative;
    std::replace(result.path.begin(), result.path.end(), '\\', '/');
  }
  return result;
}

}  // namespace media
