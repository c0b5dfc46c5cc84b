#include "pictures/imagewnd/image_options.h"

#include <algorithm>

#include "platform/base/cp1250.h"

namespace imagewnd {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

void skip_blanks(std::string_view text, size_t& pos) {
  while (pos < text.size() && is_blank(text[pos])) ++pos;
}

// A value from `pos` to the first "]" outside quotes (skipped) or the end.
std::string read_value(std::string_view text, size_t& pos) {
  skip_blanks(text, pos);
  std::string value;
  if (pos < text.size() && text[pos] == '"') {
    ++pos;
    while (pos < text.size()) {
      const char c = text[pos++];
      if (c != '"') {
        value += c;
      } else if (pos < text.size() && text[pos] == '"') {
        value += '"';
        ++pos;
      } else {
        break;
      }
    }
  }
  while (pos < text.size() && text[pos] != ']') value += text[pos++];
  if (pos < text.size()) ++pos;
  return value;
}

}  // namespace

bool ImgNextOption(std::string_view text, size_t& pos, ImageOption& option) {
  skip_blanks(text, pos);
  if (pos >= text.size()) return false;
  if (text[pos] != '[') {
    option = {"FILENAME", read_value(text, pos)};
    return true;
  }
  ++pos;
  skip_blanks(text, pos);
  if (pos >= text.size()) return false;
  const size_t start = pos;
  while (pos < text.size() && !is_blank(text[pos]) && text[pos] != '=' && text[pos] != ']') ++pos;
  option.name = std::string(text.substr(start, pos - start));
  if (pos >= text.size() || text[pos] != '=') {
    option.value.reset();
    if (pos < text.size()) ++pos;
    return true;
  }
  ++pos;
  option.value = read_value(text, pos);
  return true;
}

std::vector<ImageOption> ImgTokenizeOptions(std::string_view text) {
  std::vector<ImageOption> options;
  size_t pos = 0;
  ImageOption option;
  while (ImgNextOption(text, pos, option)) options.push_back(option);
  return options;
}

ImageWindowOptions ImgReadOptions(std::string_view text, int screen_bits, bool printing) {
  ImageWindowOptions out;
  bool few_colours_file = false;
  for (const ImageOption& option : ImgTokenizeOptions(text)) {
    const auto is = [&](std::string_view name) { return base::cp1250::equal_no_case(option.name, name); };
    const std::string value = option.value.value_or(std::string());
    if (is("CAPTION")) {
      out.caption = value;
    } else if (is("HOTMACRO")) {
      out.macro = value;
    } else if (is("16COLOR")) {
      if (screen_bits >= 1 && screen_bits <= 7) {
        out.pictureFile = value;
        few_colours_file = true;
      }
    } else if (is("FILENAME")) {
      if (!few_colours_file) out.pictureFile = value;
    } else if (is("FORCETYPE")) {
      out.forcedType = value.substr(0, 4);
    } else if (is("NOPRINT")) {
      if (printing) out.refused = true;
    } else if (is("HOTSPOTS")) {
      out.hotspotFile = value;
    } else if (is("NOINVERT")) {
      out.noInvert = true;
    } else if (is("COPYRIGHT")) {
      out.notice = value;
    }
  }
  return out;
}

}  // namespace imagewnd

namespace imagewnd {

std::optional<std::string> ImgPicturePath(std::string_view title_file, std::string_view name) {
  std::string relative(name);
  std::replace(relative.begin(), relative.end(), '\\', '/');
  if (relative.empty() || relative[0] == '/' || (relative.size() >= 2 && relative[1] == ':')) return std::nullopt;
  size_t start = 0;
  while (start <= relative.size()) {
    const size_t end = std::min(relative.find('/', start), relative.size());
    if (relative.compare(start, end - start, "..") == 0) return std::nullopt;
    start = end + 1;
  }
  const size_t slash = title_file.find_last_of("/\\");
  const std::string folder(slash == std::string_view::npos ? std::string_view() : title_file.substr(0, slash + 1));
  return folder + relative;
}

}  // namespace imagewnd
