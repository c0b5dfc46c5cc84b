#include "platform/gdi/core/text_api.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/gdi/core/device_context.h"

using gdi::context_of;
using gdi::DeviceContext;
using gdi::FontMetrics;

namespace {

int device_width(const gdi::Mapping& m, int64_t logical) {
  return m.width_to_device(int(std::clamp<int64_t>(logical, -gdi::kCoordinateLimit,
                                                   gdi::kCoordinateLimit)));
}

// The advance of each character in device pixels. Positions are converted cumulatively so that
// rounding does not build up along a line.
std::vector<int> device_advances(DeviceContext& dc, const FontMetrics& font, std::string_view text,
                                 const int* dx) {
  const gdi::Mapping& m = dc.state().mapping;
  std::vector<int> advances(text.size());
  int64_t logical = 0;
  int previous = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    int glyph = 0;
    if (dx) {
      logical += dx[i];
    } else {
      logical += dc.state().char_extra;
      glyph = font.widths[(unsigned char)text[i]];
    }
    int position = device_width(m, logical);
    advances[i] = glyph + position - previous;
    previous = position;
  }
  return advances;
}

int sum(const std::vector<int>& v) {
  int64_t total = 0;
  for (int x : v) total += x;
  return int(std::clamp<int64_t>(total, -gdi::kCoordinateLimit, gdi::kCoordinateLimit));
}

std::string_view text_of(const char* text, int count) {
  if (!text || count <= 0) return {};
  return std::string_view(text, size_t(count));
}

}  // namespace

BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, const char* text,
                UINT count, const int* dx) {
  DeviceContext* dc = context_of(hdc);
  if (!dc || (count && !text) || count > (1u << 24)) return FALSE;
  std::string_view s = text_of(text, int(count));
  const FontMetrics& font = dc->font();
  std::vector<int> advances = device_advances(*dc, font, s, dx);
  int width = sum(advances);

  gdi::DcState& st = dc->state();
  bool update_cp = st.text_align & TA_UPDATECP;
  POINT anchor = dc->to_device(update_cp ? st.position : POINT{x, y});
  int left = anchor.x;
  switch (st.text_align & TA_CENTER) {
    case TA_RIGHT: left -= width; break;
    case TA_CENTER: left -= width / 2; break;
    default: break;
  }
  int top = anchor.y;
  switch (st.text_align & TA_BASELINE) {
    case TA_BOTTOM: top -= font.tm.tmHeight; break;
    case TA_BASELINE: top -= font.tm.tmAscent; break;
    default: break;
  }
  gdi::TextTurn turn(font.font.lfEscapement);
  if (update_cp && (st.text_align & TA_CENTER) != TA_CENTER) {
    int moved = (st.text_align & TA_CENTER) == TA_RIGHT ? -width : width;
    st.position = st.mapping.to_logical(turn.at(anchor, moved, 0));
  }

  gdi::DrawState state = dc->draw_state();
  state.brush = gdi::solid_brush(st.bk_color);
  RECT device_rect{};
  bool clipped = rect && (options & ETO_CLIPPED);
  if (rect) device_rect = dc->to_device(*rect);
  if (turn.turned()) {
    // The line is laid out unturned about the anchor, then turned about it: the cell's corners
    // become a polygon for the background and its top-left corner the glyphs' origin.
    if (rect && (options & ETO_OPAQUE) && !gdi::rect_empty(device_rect)) dc->device().fill(device_rect, PATCOPY, state);
    std::optional<gdi::Region> limit;
    if (clipped) {
      limit = gdi::Region(device_rect);
      if (state.clip) limit->intersect(*state.clip);
      state.clip = &*limit;
    }
    int l = left - anchor.x, t = top - anchor.y, h = font.tm.tmHeight;
    if (!(rect && (options & ETO_OPAQUE)) && st.bk_mode == OPAQUE && !s.empty()) {
      std::vector<std::vector<POINT>> cell{{turn.at(anchor, l, t), turn.at(anchor, l + width, t),
                                            turn.at(anchor, l + width, t + h), turn.at(anchor, l, t + h)}};
      gdi::DrawState background = state;
      background.pen.style = PS_NULL;
      background.rop2 = R2_COPYPEN;
      dc->device().polygons(cell, background);
    }
    if (!s.empty())
      dc->device().glyphs(turn.at(anchor, l, t), s, advances, font, state, clipped ? &device_rect : nullptr);
    return TRUE;
  }
  if (rect && (options & ETO_OPAQUE)) {
    if (!gdi::rect_empty(device_rect)) dc->device().fill(device_rect, PATCOPY, state);
  } else if (st.bk_mode == OPAQUE && !s.empty()) {
    RECT cell{std::min(left, left + width), top, std::max(left, left + width),
              top + font.tm.tmHeight};
    if (clipped) cell = gdi::intersect_rects(cell, device_rect);
    if (!gdi::rect_empty(cell)) dc->device().fill(cell, PATCOPY, state);
  }
  if (!s.empty())
    dc->device().glyphs(POINT{left, top}, s, advances, font, state, clipped ? &device_rect : nullptr);
  return TRUE;
}

BOOL TextOut(HDC hdc, int x, int y, const char* text, int count) {
  if (count < 0) return FALSE;
  return ExtTextOut(hdc, x, y, 0, nullptr, text, UINT(count), nullptr);
}

BOOL GetTextExtentExPoint(HDC hdc, const char* text, int count, int max_extent, int* fit,
                          int* extents, SIZE* size) {
  DeviceContext* dc = context_of(hdc);
  if (!dc || count < 0 || (count && !text)) return FALSE;
  std::string_view s = text_of(text, count);
  const FontMetrics& font = dc->font();
  std::vector<int> advances = device_advances(*dc, font, s, nullptr);
  const gdi::Mapping& m = dc->state().mapping;
  int64_t device = 0;
  int fitting = 0;
  for (size_t i = 0; i < advances.size(); ++i) {
    device += advances[i];
    int logical = std::abs(m.width_to_logical(int(std::min<int64_t>(device, gdi::kCoordinateLimit))));
    if (extents) extents[i] = logical;
    if (logical <= max_extent) fitting = int(i) + 1;
  }
  if (fit) *fit = fitting;
  if (size) {
    size->cx = std::abs(m.width_to_logical(sum(advances)));
    size->cy = std::abs(m.height_to_logical(font.tm.tmHeight));
  }
  return TRUE;
}

BOOL GetTextExtentPoint32(HDC hdc, const char* text, int count, SIZE* size) {
  if (!size) return FALSE;
  return GetTextExtentExPoint(hdc, text, count, 0, nullptr, nullptr, size);
}

BOOL GetTextMetrics(HDC hdc, TEXTMETRIC* metrics) {
  DeviceContext* dc = context_of(hdc);
  if (!dc || !metrics) return FALSE;
  TEXTMETRIC tm = dc->font().tm;
  const gdi::Mapping& m = dc->state().mapping;
  auto h = [&](LONG& v) { v = std::abs(m.height_to_logical(v)); };
  auto w = [&](LONG& v) { v = std::abs(m.width_to_logical(v)); };
  h(tm.tmHeight), h(tm.tmAscent), h(tm.tmDescent), h(tm.tmInternalLeading),
      h(tm.tmExternalLeading);
  w(tm.tmAveCharWidth), w(tm.tmMaxCharWidth), w(tm.tmOverhang);
  *metrics = tm;
  return TRUE;
}

BOOL GetCharWidth32(HDC hdc, UINT first, UINT last, int* widths) {
  DeviceContext* dc = context_of(hdc);
  if (!dc || !widths || first > last || last > 255) return FALSE;
  const FontMetrics& font = dc->font();
  for (UINT c = first; c <= last; ++c)
    widths[c - first] = std::abs(dc->state().mapping.width_to_logical(font.widths[c]));
  return TRUE;
}

BOOL GetCharWidth(HDC hdc, UINT first, UINT last, int* widths) {
  return GetCharWidth32(hdc, first, last, widths);
}

DWORD GetKerningPairs(HDC hdc, DWORD count, KERNINGPAIR* pairs) {
  DeviceContext* dc = context_of(hdc);
  if (!dc) return 0;
  const FontMetrics& font = dc->font();
  if (!pairs) return DWORD(font.kerning.size());
  DWORD n = std::min<DWORD>(count, DWORD(font.kerning.size()));
  for (DWORD i = 0; i < n; ++i) {
    pairs[i] = font.kerning[i];
    pairs[i].iKernAmount = dc->state().mapping.width_to_logical(pairs[i].iKernAmount);
  }
  return n;
}

int GetTextFace(HDC hdc, int count, char* face) {
  DeviceContext* dc = context_of(hdc);
  auto* f = dc ? gdi::object_as<gdi::FontObject>(dc->state().font.get()) : nullptr;
  if (!f) return 0;
  int length = int(strnlen(f->font.lfFaceName, LF_FACESIZE - 1));
  if (!face) return length + 1;
  if (count <= 0) return 0;
  int n = std::min(length, count - 1);
  std::memcpy(face, f->font.lfFaceName, size_t(n));
  face[n] = 0;
  return n;
}

int EnumFontFamilies(HDC hdc, const char* family, FONTENUMPROC proc, LPARAM data) {
  DeviceContext* dc = context_of(hdc);
  LOGFONT lf{};
  if (!dc || !proc || !family || !dc->device().find_face(family, lf)) return 1;
  LOGFONT sized = lf;
  sized.lfHeight = -16;
  std::shared_ptr<const FontMetrics> metrics = dc->device().realize_font(sized);
  return proc(&lf, &metrics->tm, TRUETYPE_FONTTYPE, data);
}
