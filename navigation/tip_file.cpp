#include "navigation/tip_file.h"

#include <algorithm>
#include <ctime>

namespace tips {

namespace {

bool IsTipLine(std::string_view content, size_t start) {
  if (start >= content.size()) return false;
  const char c = content[start];
  return c != '\t' && c != '\n' && c != '\r' && c != ' ' && c != ';';
}

// From `start` (a line start) to the first tip line; npos when there is none before the end.
size_t FindTipLine(std::string_view content, size_t start) {
  while (start < content.size()) {
    if (IsTipLine(content, start)) return start;
    const size_t end = content.find('\n', start);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return std::string_view::npos;
}

}  // namespace

TipRead NextTip(std::string_view content, uint64_t position) {
  size_t start = 0;
  if (position > 0 && position < content.size()) {
    start = size_t(position);
    // A stored offset inside a line (the file was edited without a new time) goes to the next line.
    if (content[start - 1] != '\n') {
      const size_t end = content.find('\n', start);
      start = end == std::string_view::npos ? content.size() : end + 1;
    }
  }
  size_t line = FindTipLine(content, start);
  if (line == std::string_view::npos && start > 0) line = FindTipLine(content, 0);
  TipRead read;
  if (line == std::string_view::npos) return read;
  size_t end = content.find('\n', line);
  const size_t next = end == std::string_view::npos ? content.size() : end + 1;
  if (end == std::string_view::npos) end = content.size();
  if (end > line && content[end - 1] == '\r') --end;
  read.found = true;
  read.text = std::string(content.substr(line, std::min(end - line, kMaxTipLength)));
  read.next = next;
  return read;
}

std::string TimeStampText(int64_t seconds) {
  const std::time_t t = std::time_t(seconds);
  char buffer[64] = {};
  std::tm tm{};
  if (!localtime_r(&t, &tm) || !std::strftime(buffer, sizeof buffer, "%a %b %e %H:%M:%S %Y", &tm)) return {};
  std::string text = buffer;
  while (!text.empty() && (text.back() == ' ' || text.back() == '\n')) text.pop_back();
  return text;
}

}  // namespace tips
