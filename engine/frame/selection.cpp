#include "engine/frame/selection.h"

#include <algorithm>
#include <climits>

#include "engine/adt/topic_record_header.h"
#include "engine/datapres/embedded_window.h"
#include "engine/frame/letter_classes.h"
#include "engine/frame/painting.h"
#include "engine/frame/record_layout.h"
#include "engine/frame/text_output.h"
#include "engine/frame/topic_layout.h"
#include "engine/frame/window_layout.h"
#include "engine/medview/viewer_fonts.h"
#include "engine/medview/viewer_scope.h"
#include "platform/gdi/core/afx_gdi.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/draw_api.h"

namespace frame {

namespace {

using medview::TextPoint;
using medview::TitleErrorCode;

// Text lines closer than this to the line above take the gap into their hit area.
constexpr int32_t kLineGapTaken = 15;

bool IsText(const std::vector<int>& chars, size_t i) { return i < chars.size() && chars[i] >= 0; }
int TextAt(const std::vector<int>& chars, size_t i) { return IsText(chars, i) ? chars[i] : -1; }

// Positions a word passes over: commands without an object of their own and soft hyphens.
bool Transparent(int code) { return code == kCharNone || code == FrMarkerCode(kMarkSoftHyphen); }

bool Delimits(const std::vector<int>& chars, size_t i) {
  int code = chars[i];
  if (Transparent(code)) return false;
  if (code < 0) return true;
  return FrIsWordDelimiter(uint8_t(code), TextAt(chars, i + 1));
}

bool IsSentenceMarker(int code) {
  for (uint8_t kind : {50, 51, 52, 53, 54, 57, 100, 101, 102, 103, 104, 105}) {
    if (code == FrMarkerCode(kind)) return true;
  }
  return false;
}

// Characters a sentence end at `i` takes (the terminator and its space), 0 when none ends there.
int SentenceEndLength(const std::vector<int>& chars, size_t i) {
  if (IsSentenceMarker(chars[i])) return 1;
  if (!IsText(chars, i)) return 0;
  return FrIsSentencePunctuationEnd(uint8_t(chars[i]), TextAt(chars, i + 1), TextAt(chars, i + 2)) ? 2 : 0;
}

int32_t Clamp(const std::vector<int>& chars, int32_t at) {
  return std::clamp<int32_t>(at, 0, std::max<int32_t>(int32_t(chars.size()) - 1, 0));
}

// The frame's origin in client coordinates.
void FrameOrigin(const medview::Viewer& viewer, const LayoutFrame& frame, int32_t& x, int32_t& y) {
  x = viewer.layoutRect.left - viewer.hOffset + frame.x;
  y = viewer.layoutRect.top + frame.y;
}

// Measured width of the first `count` bytes of a text object's run.
int32_t PrefixWidth(medview::Viewer& viewer, std::span<const uint8_t> text, const LayoutObject& object,
                    int32_t count) {
  if (count <= 0 || object.data < 0 || size_t(object.data) + size_t(object.length) > text.size()) return 0;
  medview::MvSelectFont(&viewer, object.font);
  return FrMeasureText(viewer, text.data() + object.data, size_t(std::min(count, object.length)), nullptr);
}

}  // namespace

std::span<const uint8_t> FrFrameText(const LayoutFrame& frame) {
  adt::TopicRecordHeader header;
  size_t headerSize = adt::DpDecodeRecordHeader(header, frame.record.data(), frame.record.size());
  if (!headerSize || header.length < 0 || uint64_t(header.length) > frame.record.size() - headerSize) return {};
  return std::span<const uint8_t>(frame.record).subspan(headerSize + size_t(header.length));
}

std::vector<int> FrFrameChars(const LayoutFrame& frame) {
  int32_t count = std::max(frame.textCount, 0);
  for (const LayoutObject& object : frame.objects) count = std::max(count, object.lastChar + 1);
  std::vector<int> chars(size_t(count), kCharNone);
  std::span<const uint8_t> text = FrFrameText(frame);
  for (const LayoutObject& object : frame.objects) {
    if (!object.carries_chars()) continue;
    if (object.kind == kObjText) {
      for (int32_t i = 0; i < object.length; ++i) {
        int32_t number = FrTextCharNumber(object, i);
        size_t byte = size_t(object.data) + size_t(i);
        if (number >= 0 && number < count && object.data >= 0 && byte < text.size()) chars[size_t(number)] = text[byte];
      }
    } else if (IsMarkerKind(object.kind)) {
      if (object.firstChar < count) chars[size_t(object.firstChar)] = FrMarkerCode(object.kind);
    } else {
      for (int32_t n = object.firstChar; n <= object.lastChar && n < count; ++n) chars[size_t(n)] = kCharObject;
    }
  }
  return chars;
}

void FrWordSpan(const std::vector<int>& chars, int32_t at, int32_t* first, int32_t* end) {
  at = Clamp(chars, at);
  if (chars.empty() || chars[size_t(at)] == kCharObject || Delimits(chars, size_t(at))) {
    *first = at;
    *end = at + 1;
    return;
  }
  int32_t b = at;
  while (b > 0 && !Delimits(chars, size_t(b - 1))) --b;
  int32_t e = at;
  while (size_t(e) < chars.size() && !Delimits(chars, size_t(e))) ++e;
  // Positions without text at either edge (commands, soft hyphens) are not part of the word.
  while (b < at && Transparent(chars[size_t(b)])) ++b;
  while (e > at + 1 && Transparent(chars[size_t(e - 1)])) --e;
  *first = b;
  *end = e;
}

void FrSentenceSpan(const std::vector<int>& chars, int32_t at, int32_t* first, int32_t* end) {
  at = Clamp(chars, at);
  int32_t n = int32_t(chars.size());
  int32_t b = 0;
  for (int32_t i = at - 1; i >= 0; --i) {
    int length = SentenceEndLength(chars, size_t(i));
    if (length && i + length <= at) {
      b = i + length;
      break;
    }
  }
  // The sentence begins at its first letter or digit.
  int32_t s = b;
  auto letterOrDigit = [&](int32_t i) {
    return IsText(chars, size_t(i)) && (FrIsLetter(uint8_t(chars[size_t(i)])) || FrIsDigit(uint8_t(chars[size_t(i)])));
  };
  while (s < at && !letterOrDigit(s)) ++s;
  int32_t e = n;
  for (int32_t i = std::max(at, s); i < n; ++i) {
    if (int length = SentenceEndLength(chars, size_t(i))) {
      e = std::min(n, i + length);
      break;
    }
  }
  *first = s;
  *end = std::max(e, s + 1);
}

void FrParagraphSpan(const std::vector<int>& chars, int32_t at, int32_t* first, int32_t* end) {
  at = Clamp(chars, at);
  auto isEnd = [&](int32_t i) {
    return chars[size_t(i)] == FrMarkerCode(kMarkParagraphEnd) || chars[size_t(i)] == FrMarkerCode(kFlowParagraphEnd);
  };
  int32_t b = at;
  while (b > 0 && !isEnd(b - 1)) --b;
  int32_t e = at;
  while (size_t(e) < chars.size() && !isEnd(e)) ++e;
  *first = b;
  *end = std::min<int32_t>(e + 1, int32_t(chars.size()));
}

int32_t FrCharAtX(medview::Viewer& viewer, std::span<const uint8_t> text, const LayoutObject& object, int32_t x,
                  bool nearest) {
  if (object.data < 0 || object.length <= 0 || size_t(object.data) + size_t(object.length) > text.size()) return 0;
  medview::MvSelectFont(&viewer, object.font);
  std::vector<int32_t> widths(size_t(object.length));
  FrMeasureText(viewer, text.data() + object.data, widths.size(), widths.data());
  int64_t left = 0;
  for (int32_t i = 0; i < object.length; ++i) {
    int64_t edge = left + (nearest ? widths[size_t(i)] / 2 : widths[size_t(i)]);
    if (x < edge) return i;
    left += widths[size_t(i)];
  }
  return object.length;
}

int32_t FrPointToObject(medview::Viewer& viewer, int32_t x, int32_t y, int32_t* offset, int32_t* objectIndex,
                        int16_t* side) {
  *offset = 0;
  *objectIndex = -1;
  if (side) *side = 0;
  if (viewer.frames.empty()) return -1;
  int32_t px = x - viewer.layoutRect.left + viewer.hOffset;
  int32_t py = y - viewer.layoutRect.top;
  size_t f = viewer.frames.size() - 1;
  for (size_t i = 0; i < viewer.frames.size(); ++i) {
    const LayoutFrame& frame = viewer.frames[i];
    if (frame.textCount > 0 && frame.y + frame.height > py) {
      f = i;
      break;
    }
  }
  const LayoutFrame& frame = viewer.frames[f];
  int32_t lx = px - frame.x, ly = py - frame.y;
  const ObjectList& objects = frame.objects;
  // Text objects first; a line's hit area reaches up to the text line above when the gap is small.
  int32_t hit = -1, other = -1, nearest = -1;
  int64_t best = INT64_MAX;
  int32_t lineBottom = INT32_MIN, lineAboveBottom = INT32_MIN;
  for (size_t i = 0; i < objects.size(); ++i) {
    const LayoutObject& o = objects[i];
    if (o.kind == kObjText) {
      if (o.y >= lineBottom) lineAboveBottom = lineBottom;  // a new text line begins
      lineBottom = std::max(lineBottom, o.bottom());
      int32_t top = o.y;
      if (lineAboveBottom != INT32_MIN && o.y - lineAboveBottom < kLineGapTaken) top = std::min(top, lineAboveBottom);
      if (hit < 0 && ly >= top && ly < o.bottom() && lx >= o.x && lx < o.right()) hit = int32_t(i);
    } else if ((o.kind == kObjPicture || o.kind == kObjBorder || o.kind == kObjWindow || o.kind == kObjHotspotFrame ||
                o.kind == kObjInvertArea) &&
               other < 0 && ly >= o.y && ly < o.bottom() && lx >= o.x && lx < o.right()) {
      other = int32_t(i);
    }
    if (IsMarkerKind(o.kind) || !o.carries_chars()) continue;
    int64_t dy = ly < o.y ? o.y - ly : ly >= o.bottom() ? ly - o.bottom() + 1 : 0;
    int64_t dx = lx < o.x ? o.x - lx : lx >= o.right() ? lx - o.right() + 1 : 0;
    int64_t distance = dy * 65536 + dx;
    if (distance < best) best = distance, nearest = int32_t(i);
  }
  int32_t chosen = hit >= 0 ? hit : other >= 0 ? other : nearest;
  *objectIndex = chosen;
  if (chosen < 0) {
    *offset = std::max(frame.textCount, 0);
    return int32_t(f);
  }
  const LayoutObject& o = objects[size_t(chosen)];
  if (!o.carries_chars()) {
    int32_t after = 0;
    for (int32_t i = chosen - 1; i >= 0; --i) {
      if (objects[size_t(i)].carries_chars()) {
        after = objects[size_t(i)].lastChar + 1;
        break;
      }
    }
    *offset = after;
  } else if (ly >= o.bottom() || lx >= o.right()) {
    *offset = o.lastChar + 1;
  } else if (ly < o.y && hit != chosen) {
    *offset = o.firstChar;
  } else if (lx < o.x) {
    *offset = o.firstChar;
  } else if (o.kind == kObjText) {
    *offset = FrTextCharNumber(o, FrCharAtX(viewer, FrFrameText(frame), o, lx - o.x, true));
  } else {
    *offset = o.firstChar;
    if (side) *side = lx >= o.x + o.width / 2 ? 1 : 0;
  }
  return int32_t(f);
}

void FrLineSpan(const ObjectList& objects, size_t index, int32_t* top, int32_t* bottom) {
  const LayoutObject& o = objects[index];
  *top = o.y;
  *bottom = o.bottom();
  auto sameLine = [&](const LayoutObject& other) {
    return other.kind == kObjText && other.y < o.bottom() && o.y < other.bottom();
  };
  auto widen = [&](const LayoutObject& other) {
    if (other.kind != kObjText) return;
    *top = std::min(*top, other.y);
    *bottom = std::max(*bottom, other.bottom());
  };
  for (size_t i = index; i-- > 0 && (IsMarkerKind(objects[i].kind) || sameLine(objects[i]));) {
    widen(objects[i]);
  }
  for (size_t i = index + 1; i < objects.size() && (IsMarkerKind(objects[i].kind) || sameLine(objects[i])); ++i) {
    widen(objects[i]);
  }
}

namespace {

// One shown part of a range: the object it lies on, its frame's origin and its client rectangle.
struct RangePart {
  const LayoutFrame* frame;
  const LayoutObject* object;
  int32_t fx, fy;
  RECT rect;
};

template <typename Visit>
void ForEachRangePart(medview::Viewer& viewer, const TextPoint& first, const TextPoint& last, Visit visit) {
  for (const LayoutFrame& frame : viewer.frames) {
    if (frame.position < first.position || frame.position > last.position) continue;
    int32_t from = frame.position == first.position ? first.offset : INT32_MIN;
    int32_t to = frame.position == last.position ? last.offset : INT32_MAX;
    if (from >= to) continue;
    int32_t fx = 0, fy = 0;
    FrameOrigin(viewer, frame, fx, fy);
    std::span<const uint8_t> text = FrFrameText(frame);
    for (size_t i = 0; i < frame.objects.size(); ++i) {
      const LayoutObject& o = frame.objects[i];
      if (!o.carries_chars() || IsMarkerKind(o.kind) || o.lastChar < from || o.firstChar >= to) continue;
      RECT r{fx + o.x, fy + o.y, fx + o.right(), fy + o.bottom()};
      if (o.kind == kObjText) {
        int32_t top = 0, bottom = 0;
        FrLineSpan(frame.objects, i, &top, &bottom);
        r.top = fy + top;
        r.bottom = fy + bottom;
        int32_t a = int32_t(std::clamp<int64_t>(int64_t(from) - o.anchor, 0, o.length));
        int32_t b = int32_t(std::clamp<int64_t>(int64_t(to) - o.anchor, 0, o.length));
        if (a >= b) continue;
        r.left = fx + o.x + PrefixWidth(viewer, text, o, a);
        r.right = b >= o.length ? fx + o.right() : fx + o.x + PrefixWidth(viewer, text, o, b);
      }
      if (r.left < r.right) visit(RangePart{&frame, &o, fx, fy, r});
    }
  }
}

// Fills a part with `back` and draws it again clipped to its rectangle: a selected part's text in
// the selection's text colour, a deselected part as the layout paints it.
void RedrawPart(medview::Viewer& viewer, const RangePart& part, bool selected) {
  HDC hdc = viewer.hdc;
  const int saved = SaveDC(hdc);
  IntersectClipRect(hdc, part.rect.left, part.rect.top, part.rect.right, part.rect.bottom);
  {
    const CBrush brush(selected ? viewer.selBackColor : viewer.backColor);
    FillRect(hdc, &part.rect, HBRUSH(brush));
  }
  if (!selected) {
    FrPaintFrames(viewer, &part.rect);
  } else if (part.object->kind == kObjText) {
    // The run's font sets its own colours; the selection's text colour replaces them for this run.
    medview::MvSelectFont(&viewer, part.object->font);
    const COLORREF normal = SetTextColor(hdc, viewer.selTextColor);
    FrDrawText(viewer, FrFrameText(*part.frame), *part.object, part.fx, part.fy, &part.rect, false);
    SetTextColor(hdc, normal);
  } else {
    FrDrawObject(viewer, FrFrameText(*part.frame), *part.object, part.fx, part.fy);
  }
  RestoreDC(hdc, saved);
}

}  // namespace

std::vector<RECT> FrRangeRects(medview::Viewer& viewer, const TextPoint& first, const TextPoint& last) {
  std::vector<RECT> rects;
  ForEachRangePart(viewer, first, last, [&](const RangePart& part) { rects.push_back(part.rect); });
  return rects;
}

void FrInvertRange(medview::Viewer& viewer, const TextPoint& first, const TextPoint& last, bool show) {
  if (!viewer.hdc || !(first < last)) return;
  const bool colours = (viewer.flags & medview::kViewSelectionColours) != 0;
  const bool windows = (viewer.flags & medview::kViewEmbedSelect) != 0;
  ForEachRangePart(viewer, first, last, [&](const RangePart& part) {
    if (part.object->kind == kObjWindow && windows) {
      FrSendToObject(viewer, *part.object, datapres::kEwHighlight, show ? 1 : 0,
                     show && colours ? viewer.selBackColor : 0);
    } else if (colours) {
      RedrawPart(viewer, part, show);
    } else {
      InvertRect(viewer.hdc, &part.rect);
    }
  });
}

}  // namespace frame

