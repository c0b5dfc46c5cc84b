// DrawText: text formatted in a rectangle (alignment, line and word breaks, tab expansion,
// prefix underlines, end ellipsis), measured and drawn through the text calls.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/gdi/core/text_api.h"

namespace {

struct Line {
  std::string text;
  int underline = -1;  // index of the character after a single '&', or -1
};

class Formatter {
 public:
  Formatter(HDC hdc, UINT format) : hdc_(hdc), format_(format) {
    GetTextMetrics(hdc, &tm_);
    tab_ = std::max<LONG>(1, 8 * tm_.tmAveCharWidth);
  }

  int line_height() const {
    return tm_.tmHeight + ((format_ & DT_EXTERNALLEADING) ? tm_.tmExternalLeading : 0);
  }

  // Width of a line, tabs advancing to the next stop when they are expanded.
  int width(std::string_view s) const {
    int x = 0;
    size_t start = 0;
    for (size_t i = 0; i <= s.size(); ++i) {
      if (i < s.size() && !(s[i] == '\t' && (format_ & DT_EXPANDTABS))) continue;
      x += segment_width(s.substr(start, i - start));
      if (i < s.size()) x = (x / tab_ + 1) * tab_;
      start = i + 1;
    }
    return x;
  }

  int segment_width(std::string_view s) const {
    SIZE size{0, 0};
    if (!s.empty()) GetTextExtentPoint32(hdc_, s.data(), int(s.size()), &size);
    return size.cx;
  }

  // Splits the text into lines at line ends (unless single-line) and, with word breaks, at the
  // last space that keeps a line within `max_width`.
  std::vector<Line> lines(std::string_view text, int max_width) const {
    std::vector<Line> out;
    std::vector<std::string_view> paragraphs;
    if (format_ & DT_SINGLELINE) {
      paragraphs.push_back(text);
    } else {
      size_t start = 0;
      for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\r' && text[i] != '\n') continue;
        paragraphs.push_back(text.substr(start, i - start));
        if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
        start = i + 1;
      }
    }
    for (std::string_view p : paragraphs) {
      if (!(format_ & DT_WORDBREAK) || (format_ & DT_SINGLELINE)) {
        out.push_back(prefixed(p));
        continue;
      }
      wrap(p, max_width, out);
    }
    return out;
  }

  // Cuts a line from the end until it fits with "..." appended.
  void add_ellipsis(Line& line, int max_width) const {
    if (width(line.text) <= max_width) return;
    std::string t = line.text;
    while (!t.empty() && width(t + "...") > max_width) t.pop_back();
    line.text = t + "...";
    if (line.underline >= int(t.size())) line.underline = -1;
  }

  void draw(const Line& line, int x, int y, const RECT& clip) const {
    UINT options = (format_ & DT_NOCLIP) ? 0 : ETO_CLIPPED;
    std::string_view s = line.text;
    int pos = 0;
    size_t start = 0;
    for (size_t i = 0; i <= s.size(); ++i) {
      if (i < s.size() && !(s[i] == '\t' && (format_ & DT_EXPANDTABS))) continue;
      std::string_view seg = s.substr(start, i - start);
      if (!seg.empty())
        ExtTextOut(hdc_, x + pos, y, options, &clip, seg.data(), UINT(seg.size()), nullptr);
      pos += segment_width(seg);
      if (i < s.size()) pos = (pos / tab_ + 1) * tab_;
      start = i + 1;
    }
    if (line.underline >= 0 && line.underline < int(s.size())) {
      int ux = x + width(s.substr(0, size_t(line.underline)));
      int uw = segment_width(s.substr(size_t(line.underline), 1));
      int uy = y + tm_.tmAscent + 1;
      HPEN pen = CreatePen(PS_SOLID, 1, GetTextColor(hdc_));
      HGDIOBJ old = SelectObject(hdc_, pen);
      MoveToEx(hdc_, ux, uy, nullptr);
      LineTo(hdc_, ux + uw, uy);
      SelectObject(hdc_, old);
      DeleteObject(pen);
    }
  }

 private:
  // Removes prefix marks: "&&" is a literal '&', "&x" underlines x.
  Line prefixed(std::string_view s) const {
    Line line;
    if (format_ & DT_NOPREFIX) {
      line.text = std::string(s);
      return line;
    }
    for (size_t i = 0; i < s.size(); ++i) {
      if (s[i] == '&' && i + 1 < s.size()) {
        ++i;
        if (s[i] != '&') line.underline = int(line.text.size());
      }
      line.text += s[i];
    }
    return line;
  }

  void wrap(std::string_view p, int max_width, std::vector<Line>& out) const {
    size_t start = 0;
    while (true) {
      size_t end = start, last_break = std::string_view::npos;
      while (end < p.size()) {
        size_t word_end = p.find(' ', end);
        if (word_end == std::string_view::npos) word_end = p.size();
        if (width(prefixed(p.substr(start, word_end - start)).text) > max_width && end > start) {
          last_break = end;
          break;
        }
        end = word_end < p.size() ? word_end + 1 : word_end;
      }
      if (last_break == std::string_view::npos) {
        out.push_back(prefixed(p.substr(start)));
        return;
      }
      std::string_view piece = p.substr(start, last_break - start);
      while (!piece.empty() && piece.back() == ' ') piece.remove_suffix(1);
      out.push_back(prefixed(piece));
      start = last_break;
      while (start < p.size() && p[start] == ' ') ++start;
      if (start >= p.size()) return;
    }
  }

  HDC hdc_;
  UINT format_;
  TEXTMETRIC tm_{};
  int tab_;
};

}  // namespace

int DrawText(HDC hdc, const char* text, int count, RECT* rect, UINT format) {
  if (!rect || (count != 0 && !text) || GetMapMode(hdc) == 0) return 0;
  if (count < 0) count = int(std::strlen(text));
  std::string_view s(text ? text : "", size_t(count));
  Formatter f(hdc, format);
  RECT r = *rect;
  // In modes where y grows upwards the lines still run down the page.
  POINT probe[2] = {{0, 0}, {0, 1}};
  LPtoDP(hdc, probe, 2);
  int down = probe[1].y >= probe[0].y ? 1 : -1;
  int box_width = std::abs(r.right - r.left), box_height = std::abs(r.bottom - r.top);

  std::vector<Line> lines = f.lines(s, box_width);
  if ((format & DT_END_ELLIPSIS) && !(format & DT_CALCRECT))
    for (Line& line : lines) f.add_ellipsis(line, box_width);
  int height = int(lines.size()) * f.line_height();

  if (format & DT_CALCRECT) {
    int widest = 0;
    for (const Line& line : lines) widest = std::max(widest, f.width(line.text));
    if (!(format & DT_WORDBREAK) || widest > box_width) rect->right = rect->left + widest;
    rect->bottom = rect->top + down * height;
    return height;
  }

  int y = r.top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER) y += down * ((box_height - f.line_height()) / 2);
    else if (format & DT_BOTTOM) y += down * (box_height - f.line_height());
  }
  UINT old_align = SetTextAlign(hdc, TA_LEFT | TA_TOP);
  RECT clip = r;
  for (const Line& line : lines) {
    int w = f.width(line.text);
    int x = r.left;
    if (format & DT_CENTER) x += (box_width - w) / 2;
    else if (format & DT_RIGHT) x += box_width - w;
    f.draw(line, x, y, clip);
    y += down * f.line_height();
  }
  SetTextAlign(hdc, old_align);
  return height;
}
