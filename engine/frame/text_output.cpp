#include "engine/frame/text_output.h"

#include <vector>

#include "engine/adt/topic_record_header.h"
#include "engine/bitmap/picture.h"
#include "engine/medview/viewer_fonts.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/gdi/core/text_api.h"

namespace frame {

namespace {

// Border line styles (bits 5 to 7 of the border word); 0 is single, and styles above 4 draw nothing.
constexpr int kBorderThick = 1;
constexpr int kBorderDouble = 2;
constexpr int kBorderShadow = 3;
constexpr int kBorderLastDrawn = 4;

bool HotspotShown(const medview::Viewer& viewer, const LayoutObject& object) {
  return viewer.showHotspots || (viewer.focusHotspot >= 0 && object.hotspotNumber == viewer.focusHotspot);
}

// Draws a line from (x0, y0) to (x1, y1), both ends included.
void Line(HDC hdc, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  MoveToEx(hdc, x0, y0, nullptr);
  LineTo(hdc, x1 + (x1 > x0 ? 1 : 0), y1 + (y1 > y0 ? 1 : 0));
}

// Pen and hollow brush selected for the length of one drawing, then restored and freed.
class OutlinePen {
 public:
  OutlinePen(HDC hdc, int style, int width, COLORREF colour)
      : hdc_(hdc), pen_(CreatePen(style, width, colour)),
        oldPen_(SelectObject(hdc, pen_)), oldBrush_(SelectObject(hdc, GetStockObject(HOLLOW_BRUSH))) {}
  ~OutlinePen() {
    SelectObject(hdc_, oldBrush_);
    SelectObject(hdc_, oldPen_);
    DeleteObject(pen_);
  }
  OutlinePen(const OutlinePen&) = delete;
  OutlinePen& operator=(const OutlinePen&) = delete;

 private:
  HDC hdc_;
  HPEN pen_;
  HGDIOBJ oldPen_;
  HGDIOBJ oldBrush_;
};

}  // namespace

int32_t FrMeasureText(const medview::Viewer& viewer, const uint8_t* text, size_t length, int32_t* widths) {
  int64_t total = 0;
  int32_t base = viewer.charExtra - viewer.textMetrics.tmOverhang;
  bool kerned = !viewer.kerning.pairs.empty();
  for (size_t i = 0; i < length; ++i) {
    int32_t advance = viewer.charWidths[text[i]] + base;
    if (kerned && i + 1 < length) advance += viewer.kerning.kern(text[i], text[i + 1]);
    if (widths) widths[i] = advance;
    total += advance;
  }
  return int32_t(std::clamp<int64_t>(total, INT32_MIN / 4, INT32_MAX / 4));
}

void FrDrawText(medview::Viewer& viewer, std::span<const uint8_t> text, const LayoutObject& object, int32_t x,
                int32_t y, const RECT* clip, bool toggle) {
  if (object.data < 0 || object.length < 0 || size_t(object.data) + size_t(object.length) > text.size()) return;
  HDC hdc = viewer.hdc;
  medview::MvSelectFont(&viewer, object.font);
  int32_t left = x + object.x;
  int32_t top = y + object.y;
  bool hotspot = (object.flags & kObjInHotspot) != 0;
  bool invert = hotspot && (HotspotShown(viewer, object) || toggle);
  if (!(toggle && hotspot && !viewer.showHotspots)) {
    const uint8_t* bytes = text.data() + object.data;
    std::vector<int32_t> advances(size_t(object.length));
    FrMeasureText(viewer, bytes, size_t(object.length), advances.data());
    int32_t drawX = left - (object.length > 0 ? viewer.textMetrics.tmOverhang / 2 : 0);
    SetBkMode(hdc, TRANSPARENT);
    ExtTextOut(hdc, drawX, top, clip ? ETO_CLIPPED : 0, clip, reinterpret_cast<const char*>(bytes),
               UINT(object.length), advances.data());
  }
  if (invert) {
    RECT r{left, top, left + object.width,
           top + viewer.textMetrics.tmHeight + viewer.textMetrics.tmExternalLeading};
    InvertRect(hdc, &r);
  }
}

void FrDrawBorder(medview::Viewer& viewer, const LayoutObject& object, int32_t x, int32_t y) {
  uint16_t border = uint16_t(object.data);
  int style = (border >> 5) & 7;
  if (style > kBorderLastDrawn) return;
  int inset = style == kBorderDouble ? 4 : (style == kBorderThick || style == kBorderShadow) ? 3 : 2;
  HDC hdc = viewer.hdc;
  int32_t l = x + object.x + 1, t = y + object.y + 1;
  int32_t r = x + object.right() - inset, b = y + object.bottom() - inset;
  OutlinePen pen(hdc, PS_SOLID, style == kBorderThick ? 2 : 1, viewer.textColor);
  bool box = border & 0x01;
  bool top = box || (border & 0x02), left = box || (border & 0x04);
  bool bottom = box || (border & 0x08), right = box || (border & 0x10);
  if (box) {
    Rectangle(hdc, l, t, r + 1, b + 1);
    if (style == kBorderDouble) Rectangle(hdc, l + 2, t + 2, r - 1, b - 1);
  } else {
    if (top) Line(hdc, l, t, r, t);
    if (left) Line(hdc, l, t, l, b);
    if (bottom) Line(hdc, l, b, r, b);
    if (right) Line(hdc, r, t, r, b);
    if (style == kBorderDouble) {
      // The inner line is shortened where a neighbouring side is drawn.
      int32_t il = left ? l + 2 : l, ir = right ? r - 2 : r, it = top ? t + 2 : t, ib = bottom ? b - 2 : b;
      if (top) Line(hdc, il, t + 2, ir, t + 2);
      if (left) Line(hdc, l + 2, it, l + 2, ib);
      if (bottom) Line(hdc, il, b - 2, ir, b - 2);
      if (right) Line(hdc, r - 2, it, r - 2, ib);
    }
  }
  if (style == kBorderShadow) {
    if (right) Line(hdc, r + 1, t + 1, r + 1, b + 1);
    if (bottom) Line(hdc, l + 1, b + 1, r + 1, b + 1);
  }
}

void FrDrawHotspotFrame(medview::Viewer& viewer, const LayoutObject& object, int32_t x, int32_t y, bool toggle) {
  HDC hdc = viewer.hdc;
  RECT r{x + object.x, y + object.y, x + object.right(), y + object.bottom()};
  if ((object.hotspotType & 0xD4) == 0xC0 && !toggle) {
    OutlinePen pen(hdc, (object.hotspotType & 0xF1) == 0xE0 ? PS_DOT : PS_SOLID, 1, viewer.textColor);
    Rectangle(hdc, r.left, r.top, r.right, r.bottom);
  }
  if (HotspotShown(viewer, object) || toggle) {
    RECT inner{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    InvertRect(hdc, &inner);
  }
}

void FrDrawPicture(medview::Viewer& viewer, const LayoutObject& object, int32_t x, int32_t y) {
  if (!object.picture) return;
  medview::MvSelectFont(&viewer, object.font);
  bool invert = (object.flags & kObjInHotspot) && HotspotShown(viewer, object);
  bitmap::BmDrawPicture(*object.picture, viewer, x + object.x, y + object.y, invert);
}

void FrDrawFrame(medview::Viewer& viewer, const LayoutFrame& frame, int32_t x, int32_t y) {
  adt::TopicRecordHeader header;
  size_t headerSize = adt::DpDecodeRecordHeader(header, frame.record.data(), frame.record.size());
  std::span<const uint8_t> text;
  if (headerSize && header.length >= 0 && uint64_t(header.length) <= frame.record.size() - headerSize) {
    text = std::span<const uint8_t>(frame.record).subspan(headerSize + size_t(header.length));
  }
  for (const LayoutObject& object : frame.objects) {
    switch (object.kind) {
      case kObjText:
        FrDrawText(viewer, text, object, x, y, nullptr, false);
        break;
      case kObjPicture:
        FrDrawPicture(viewer, object, x, y);
        break;
      case kObjHotspotFrame:
        FrDrawHotspotFrame(viewer, object, x, y, false);
        break;
      case kObjBorder:
        FrDrawBorder(viewer, object, x, y);
        break;
      default:
        break;
    }
  }
}

}  // namespace frame
