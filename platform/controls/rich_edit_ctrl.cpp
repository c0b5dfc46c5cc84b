#include "platform/controls/rich_edit_ctrl.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <cstring>
#include <string>
#include <vector>

#include "platform/base/cp1250.h"
#include "platform/controls/control_class.h"
#include "platform/controls/rtf_reader.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "platform/win/control_state.h"

namespace {

using controls::CharFormat;
using controls::RichText;
using controls::TextLine;

constexpr int kMargin = 1;
constexpr int kWheelLines = 3;

struct RichEdit : win::ControlState {
  RichText text;
  int anchor = 0, caret = 0;  // the selection runs between them
  COLORREF background = 0;
  bool system_background = true;
  bool wrap = true;
  bool modified = false;
  int scroll = 0;  // pixels scrolled off the top
  DWORD event_mask = 0;
  // Made with WS_VSCROLL: the bar comes and goes with the need (hiding it clears the style).
  bool scroll_bar = false;
  std::vector<TextLine> lines;
  bool stale = true;  // the lines no longer match the text or the width
  std::map<int, std::unique_ptr<CFont>> fonts;
};

DWORD style_of(HWND h) { return DWORD(GetWindowLongPtr(h, GWL_STYLE)); }

int format_key(const CharFormat& f) {
  return (f.bold ? 1 : 0) | (f.italic ? 2 : 0) | (f.underline ? 4 : 0) | (f.half_points << 3);
}

CFont& font_for(RichEdit& e, const CharFormat& f) {
  std::unique_ptr<CFont>& font = e.fonts[format_key(f)];
  if (!font) {
    LOGFONT lf{};
    // Half-points to pixels at 96 dpi.
    lf.lfHeight = -((f.half_points * 96 + 72) / 144);
    lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = f.italic;
    lf.lfUnderline = f.underline;
    lf.lfCharSet = EASTEUROPE_CHARSET;
    std::strcpy(lf.lfFaceName, "Arial");
    font = std::make_unique<CFont>();
    font->CreateFontIndirect(&lf);
  }
  return *font;
}

class DeviceMeasurer : public controls::Measurer {
 public:
  DeviceMeasurer(RichEdit& e, CDC& dc) : e_(e), dc_(dc) {}
  int text_width(const CharFormat& f, const char* text, int count) override {
    dc_.SelectObject(&font_for(e_, f));
    if (count != 1) return dc_.GetTextExtent(text, count).cx;
    // Single letters come one by one when a long word is broken: their widths are kept.
    std::vector<int>& widths = letter_widths_[format_key(f)];
    if (widths.empty()) widths.assign(256, -1);
    int& w = widths[static_cast<unsigned char>(*text)];
    if (w < 0) w = dc_.GetTextExtent(text, 1).cx;
    return w;
  }
  void font_metrics(const CharFormat& f, int& height, int& ascent) override {
    dc_.SelectObject(&font_for(e_, f));
    TEXTMETRIC tm{};
    dc_.GetTextMetrics(&tm);
    height = tm.tmHeight;
    ascent = tm.tmAscent;
  }

 private:
  RichEdit& e_;
  CDC& dc_;
  std::map<int, std::vector<int>> letter_widths_;
};

CRect text_area(HWND h) {
  RECT r;
  GetClientRect(h, &r);
  CRect area(r);
  area.DeflateRect(kMargin, kMargin);
  return area;
}

int total_height(const RichEdit& e) { return e.lines.empty() ? 0 : e.lines.back().y + e.lines.back().height; }

void update_scroll_bar(HWND h, RichEdit& e) {
  int page = text_area(h).Height();
  e.scroll = std::clamp(e.scroll, 0, std::max(0, total_height(e) - page));
  if (!e.scroll_bar) return;
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMax = std::max(0, total_height(e) - 1);
  si.nPage = UINT(std::max(0, page));
  si.nPos = e.scroll;
  SetScrollInfo(h, SB_VERT, &si, TRUE);
}

void relayout(HWND h, RichEdit& e) {
  if (!e.stale) return;
  CClientDC dc(CWnd::FromHandle(h));
  DeviceMeasurer measure(e, dc);
  e.lines = controls::layout_rich_text(e.text, e.wrap ? text_area(h).Width() : 0, measure);
  e.stale = false;
  update_scroll_bar(h, e);
}

// The line holding a position, and the x of the position on it.
void caret_point(HWND h, RichEdit& e, int& x, int& y, int& height) {
  relayout(h, e);
  const TextLine* line = &e.lines.front();
  for (const TextLine& l : e.lines) {
    if (l.first <= e.caret) line = &l;
  }
  x = 0;
  CClientDC dc(CWnd::FromHandle(h));
  for (const controls::LineRun& run : line->runs) {
    if (run.first >= e.caret) break;
    int count = std::min(e.caret - run.first, run.text.GetLength());
    dc.SelectObject(&font_for(e, run.format));
    x = run.x + (run.text == "\t" ? (count ? controls::kRichTabWidth - run.x % controls::kRichTabWidth : 0)
                                   : dc.GetTextExtent(run.text, count).cx);
  }
  CRect area = text_area(h);
  x += area.left;
  y = area.top + line->y - e.scroll;
  height = line->height;
}

void place_caret(HWND h, RichEdit& e) {
  if (GetFocus() != h || (style_of(h) & ES_READONLY)) return;
  int x = 0, y = 0, height = 0;
  caret_point(h, e, x, y, height);
  DestroyCaret();
  CreateCaret(h, nullptr, 1, height);
  SetCaretPos(x, y);
  ShowCaret(h);
}

void changed(HWND h, RichEdit& e, bool by_user) {
  e.stale = true;
  relayout(h, e);
  InvalidateRect(h, nullptr, TRUE);
  place_caret(h, e);
  if (!by_user) return;
  e.modified = true;
  if ((e.event_mask & ENM_CHANGE) && GetParent(h)) {
    SendMessage(GetParent(h), WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID(h)), EN_CHANGE), reinterpret_cast<LPARAM>(h));
  }
}

// Puts `piece` in place of the selection; the caret goes behind it.
void replace_selection(HWND h, RichEdit& e, const RichText& piece, bool by_user) {
  int from = std::min(e.anchor, e.caret), to = std::max(e.anchor, e.caret);
  e.text.erase(from, to);
  e.caret = e.anchor = e.text.insert(from, piece);
  changed(h, e, by_user);
}

// --- Reading streams ----------------------------------------------------------------------------------

std::string read_stream(EDITSTREAM& es) {
  std::string data;
  LONG chunk = 4096;
  std::vector<BYTE> buffer(size_t(chunk), 0);
  while (es.pfnCallback && data.size() < controls::kMaxRichStream) {
    LONG got = 0;
    if (DWORD error = es.pfnCallback(es.dwCookie, buffer.data(), chunk, &got)) {
      es.dwError = error;
      break;
    }
    if (got <= 0) break;
    got = std::min(got, chunk);
    data.append(reinterpret_cast<const char*>(buffer.data()),
                std::min(size_t(got), controls::kMaxRichStream - data.size()));
  }
  return data;
}

CString cp1250_of(const QString& s) { return CString(base::cp1250::from_utf16(s.toStdU16String())); }

// The reader's document as paragraphs of runs; a line break inside a paragraph ends it too.
RichText from_document(const QTextDocument& doc, const CharFormat& base) {
  std::vector<controls::Paragraph> paragraphs;
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    paragraphs.push_back({{}, base});
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      QTextFragment fragment = it.fragment();
      if (!fragment.isValid()) continue;
      QTextCharFormat f = fragment.charFormat();
      CharFormat format = base;
      format.bold = f.fontWeight() >= QFont::Bold;
      format.italic = f.fontItalic();
      format.underline = f.fontUnderline();
      if (f.fontPointSize() > 0) format.half_points = std::clamp(int(std::lround(f.fontPointSize() * 2)), 2, 3276);
      if (f.foreground().style() != Qt::NoBrush) {
        QColor c = f.foreground().color();
        format.colour = RGB(BYTE(c.red()), BYTE(c.green()), BYTE(c.blue()));
      }
      const QStringList lines = fragment.text().split(QChar(0x2028));
      for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) paragraphs.push_back({{}, format});
        if (!lines[i].isEmpty()) paragraphs.back().runs.push_back({cp1250_of(lines[i]), format});
      }
    }
  }
  return RichText(std::move(paragraphs));
}

RichText parse_stream(const std::string& data, UINT format, const CharFormat& base) {
  // RTF text starts with a group and a control word; anything else is taken as plain text.
  if ((format & SF_RTF) && data.size() >= 2 && data[0] == '{' && data[1] == '\\') {
    QTextDocument doc;
    controls::read_rtf(data, doc);  // a damaged stream keeps what was read before the damage
    return from_document(doc, base);
  }
  return RichText::from_plain(CString(data), base);
}

LRESULT stream_in(HWND h, RichEdit& e, WPARAM wParam, LPARAM lParam) {
  auto* es = reinterpret_cast<EDITSTREAM*>(lParam);
  if (!es) return 0;
  UINT format = UINT(wParam);
  CharFormat base = e.text.format_at(std::min(e.anchor, e.caret));
  RichText piece = parse_stream(read_stream(*es), format, base);
  if (format & SFF_SELECTION) {
    replace_selection(h, e, piece, false);
  } else {
    e.text = piece;
    e.anchor = e.caret = 0;
    e.scroll = 0;
    changed(h, e, false);
  }
  return piece.length();
}

// --- Input ------------------------------------------------------------------------------------------------

void type_char(HWND h, RichEdit& e, BYTE c) {
  int from = std::min(e.anchor, e.caret), to = std::max(e.anchor, e.caret);
  if (c == VK_BACK) {
    if (from == to && from > 0) --from;
    e.text.erase(from, to);
    e.anchor = e.caret = from;
    changed(h, e, true);
    return;
  }
  CharFormat format = e.text.format_at(from);
  if (c == '\r') {
    replace_selection(h, e, RichText::from_plain("\r", format), true);
  } else if (c >= 0x20 || c == '\t') {
    replace_selection(h, e, RichText::from_plain(CString(char(c)), format), true);
  }
}

void key_down(HWND h, RichEdit& e, int key) {
  int length = e.text.length();
  switch (key) {
    case VK_LEFT: e.caret = std::max(0, std::min(e.anchor, e.caret) - (e.anchor == e.caret ? 1 : 0)); break;
    case VK_RIGHT: e.caret = std::min(length, std::max(e.anchor, e.caret) + (e.anchor == e.caret ? 1 : 0)); break;
    case VK_HOME: e.caret = 0; break;
    case VK_END: e.caret = length; break;
    case VK_DELETE:
      if (!(style_of(h) & ES_READONLY)) {
        int from = std::min(e.anchor, e.caret), to = std::max(e.anchor, e.caret);
        e.text.erase(from, from == to ? to + 1 : to);
        e.anchor = e.caret = from;
        changed(h, e, true);
      }
      return;
    default: return;
  }
  e.anchor = e.caret;
  place_caret(h, e);
}

void scroll_to(HWND h, RichEdit& e, int pos) {
  relayout(h, e);
  int old = e.scroll;
  e.scroll = pos;
  update_scroll_bar(h, e);
  if (e.scroll != old) {
    InvalidateRect(h, nullptr, TRUE);
    place_caret(h, e);
  }
}

int line_step(const RichEdit& e) { return e.lines.empty() ? 16 : std::max(1, e.lines.front().height); }

void vscroll(HWND h, RichEdit& e, UINT code) {
  relayout(h, e);
  int page = std::max(1, text_area(h).Height());
  switch (code) {
    case SB_LINEUP: scroll_to(h, e, e.scroll - line_step(e)); break;
    case SB_LINEDOWN: scroll_to(h, e, e.scroll + line_step(e)); break;
    case SB_PAGEUP: scroll_to(h, e, e.scroll - page); break;
    case SB_PAGEDOWN: scroll_to(h, e, e.scroll + page); break;
    case SB_TOP: scroll_to(h, e, 0); break;
    case SB_BOTTOM: scroll_to(h, e, total_height(e)); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO si;
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(h, SB_VERT, &si);
      scroll_to(h, e, si.nTrackPos);
      break;
    }
    default: break;
  }
}

// --- Painting ---------------------------------------------------------------------------------------------

void paint(HWND h, RichEdit& e) {
  relayout(h, e);
  CPaintDC dc(h);
  RECT client;
  GetClientRect(h, &client);
  dc.FillSolidRect(&client, e.system_background ? GetSysColor(COLOR_WINDOW) : e.background);
  dc.SetBkMode(TRANSPARENT);
  CRect area = text_area(h);
  dc.IntersectClipRect(area.left, area.top, area.right, area.bottom);
  for (const TextLine& line : e.lines) {
    int top = area.top + line.y - e.scroll;
    if (top + line.height <= area.top) continue;
    if (top >= area.bottom) break;
    for (const controls::LineRun& run : line.runs) {
      if (run.text == "\t") continue;
      dc.SelectObject(&font_for(e, run.format));
      TEXTMETRIC tm{};
      dc.GetTextMetrics(&tm);
      dc.SetTextColor(run.format.colour == controls::kAutoColour ? GetSysColor(COLOR_WINDOWTEXT) : run.format.colour);
      dc.TextOut(area.left + run.x, top + line.ascent - tm.tmAscent, run.text);
    }
  }
}

LRESULT copy_text(const CString& text, WPARAM size, LPARAM buffer) {
  char* out = reinterpret_cast<char*>(buffer);
  if (!out || size == 0) return 0;
  size_t n = std::min(size_t(text.GetLength()), size_t(size) - 1);
  std::memcpy(out, static_cast<const char*>(text), n);
  out[n] = '\0';
  return LRESULT(n);
}

LRESULT rich_edit_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  RichEdit& e = win::control_state<RichEdit>(h);
  switch (message) {
    case WM_CREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
      e.scroll_bar = style_of(h) & WS_VSCROLL;
      if (cs && cs->lpszName && *cs->lpszName) e.text = RichText::from_plain(cs->lpszName);
      return 0;
    }
    case EM_STREAMIN: return stream_in(h, e, wParam, lParam);
    case WM_SETTEXT:
      e.text = RichText::from_plain(lParam ? reinterpret_cast<const char*>(lParam) : "");
      e.anchor = e.caret = 0;
      e.scroll = 0;
      changed(h, e, false);
      return TRUE;
    case WM_GETTEXT: return copy_text(e.text.plain_text(), wParam, lParam);
    case WM_GETTEXTLENGTH: return e.text.plain_text().GetLength();
    case EM_REPLACESEL:
      replace_selection(h, e, RichText::from_plain(lParam ? reinterpret_cast<const char*>(lParam) : "",
                                                   e.text.format_at(std::min(e.anchor, e.caret))), false);
      return 0;
    case EM_SETSEL:
    case EM_EXSETSEL: {
      long from = long(wParam), to = long(lParam);
      if (message == EM_EXSETSEL) {
        const auto* cr = reinterpret_cast<const CHARRANGE*>(lParam);
        if (!cr) return 0;
        from = cr->cpMin, to = cr->cpMax;
      }
      int length = e.text.length();
      // A start of -1 takes the selection away; an end of -1 runs to the end.
      if (from < 0) from = to = long(e.caret);
      if (to < 0 || to > length) to = length;
      e.anchor = std::clamp(int(from), 0, length);
      e.caret = std::clamp(int(to), 0, length);
      place_caret(h, e);
      return e.caret;
    }
    case EM_GETSEL:
    case EM_EXGETSEL: {
      int from = std::min(e.anchor, e.caret), to = std::max(e.anchor, e.caret);
      if (message == EM_EXGETSEL) {
        if (auto* cr = reinterpret_cast<CHARRANGE*>(lParam)) *cr = CHARRANGE{from, to};
        return 0;
      }
      if (auto* start = reinterpret_cast<DWORD*>(wParam)) *start = DWORD(from);
      if (auto* end = reinterpret_cast<DWORD*>(lParam)) *end = DWORD(to);
      return MAKELRESULT(WORD(from), WORD(to));
    }
    case EM_SETBKGNDCOLOR: {
      COLORREF old = e.system_background ? GetSysColor(COLOR_WINDOW) : e.background;
      e.system_background = wParam != 0;
      e.background = COLORREF(lParam);
      InvalidateRect(h, nullptr, TRUE);
      return LRESULT(old);
    }
    case EM_SETTARGETDEVICE:
      e.wrap = lParam == 0;
      e.stale = true;
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    case EM_SETEVENTMASK: {
      DWORD old = e.event_mask;
      e.event_mask = DWORD(lParam);
      return LRESULT(old);
    }
    case EM_GETEVENTMASK: return LRESULT(e.event_mask);
    case EM_SETREADONLY:
      SetWindowLongPtr(h, GWL_STYLE, LONG_PTR(wParam ? style_of(h) | ES_READONLY : style_of(h) & ~ES_READONLY));
      return TRUE;
    case EM_GETMODIFY: return e.modified;
    case EM_SETMODIFY: e.modified = wParam != 0; return 0;
    case EM_GETLINECOUNT:
      relayout(h, e);
      return LRESULT(e.lines.size());
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
      if ((style_of(h) & (ES_MULTILINE | ES_WANTRETURN)) == (ES_MULTILINE | ES_WANTRETURN)) code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_CHAR:
      if (!(style_of(h) & ES_READONLY)) type_char(h, e, BYTE(wParam));
      return 0;
    case WM_KEYDOWN:
      key_down(h, e, int(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(h);
      return 0;
    case WM_SETFOCUS:
      place_caret(h, e);
      return 0;
    case WM_KILLFOCUS:
      DestroyCaret();
      return 0;
    case WM_VSCROLL:
      vscroll(h, e, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL: {
      int notches = short(HIWORD(wParam)) / 120;
      relayout(h, e);
      scroll_to(h, e, e.scroll - notches * kWheelLines * line_step(e));
      return 0;
    }
    case WM_SIZE:
      e.stale = true;
      relayout(h, e);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_ERASEBKGND: return TRUE;
    case WM_PAINT:
      paint(h, e);
      return 0;
    case WM_NCDESTROY:
      if (GetFocus() == h) DestroyCaret();
      win::drop_control_state<RichEdit>(h);
      return DefWindowProc(h, message, wParam, lParam);
    default: return DefWindowProc(h, message, wParam, lParam);
  }
}

}  // namespace

namespace controls {
void register_rich_edit_control() {
  for (const char* name : {RICHEDIT_CLASS, "RichEdit20W", "RichEdit"}) {
    register_control_class(name, rich_edit_proc, CS_DBLCLKS, COLOR_WINDOW);
  }
}

const RichText* rich_edit_text(HWND h) {
  RichEdit* edit = win::find_control_state<RichEdit>(h);
  return edit ? &edit->text : nullptr;
}

bool replace_rich_edit_selection(HWND h, const RichText& piece) {
  RichEdit* edit = win::find_control_state<RichEdit>(h);
  if (!edit) return false;
  replace_selection(h, *edit, piece, false);
  return true;
}
}  // namespace controls

BOOL AfxInitRichEdit() {
  controls::register_rich_edit_control();
  return TRUE;
}

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  AfxInitRichEdit();
  return CWnd::Create(RICHEDIT_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const {
  CHARRANGE cr{0, 0};
  SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr));
  nStartChar = cr.cpMin;
  nEndChar = cr.cpMax;
}
