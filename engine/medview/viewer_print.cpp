#include "engine/medview/viewer_print.h"

#include <algorithm>
#include <climits>

#include "engine/frame/layout_shape.h"
#include "engine/frame/painting.h"
#include "engine/frame/printing.h"
#include "engine/frame/region_walk.h"
#include "engine/frame/selection.h"
#include "engine/frame/text_output.h"
#include "engine/medview/view_marks.h"
#include "engine/medview/viewer_fonts.h"
#include "engine/medview/viewer_scope.h"
#include "platform/gdi/core/dc_api.h"

namespace medview {

namespace {

using frame::LayoutFrame;
using frame::LayoutObject;
using frame::PrintedObject;

// The range laid out for printing: frames one below the other and their objects in order of top.
struct PrintedRange {
  std::vector<LayoutFrame> frames;
  std::vector<int64_t> frameTops;
  std::vector<PrintedObject> objects;
  int64_t height = 0;
};

// The part of a text object inside [from, to): its run cut and its x moved by the measured width cut.
bool CutToRange(Viewer& viewer, std::span<const uint8_t> text, LayoutObject& o, int32_t from, int32_t to) {
  int32_t a = int32_t(std::clamp<int64_t>(int64_t(from) - o.anchor, 0, o.length));
  int32_t b = int32_t(std::clamp<int64_t>(int64_t(to) - o.anchor, 0, o.length));
  if (a >= b) return false;
  if (a == 0 && b == o.length) return true;
  if (o.data < 0 || size_t(o.data) + size_t(o.length) > text.size()) return false;
  MvSelectFont(&viewer, o.font);
  int32_t skipped = frame::FrMeasureText(viewer, text.data() + o.data, size_t(a), nullptr);
  int32_t kept = frame::FrMeasureText(viewer, text.data() + o.data + a, size_t(b - a), nullptr);
  o.x += skipped;
  o.width = kept;
  o.data += a;
  o.anchor += a;
  o.length = b - a;
  return true;
}

TitleErrorCode LayOutRange(Viewer& clone, const TextPoint& first, const TextPoint& last, PrintedRange& out) {
  TitleErrorCode code = frame::FrWalkRegion(clone, first.position, last.position, [&](LayoutFrame& current) {
    int32_t from = current.position == first.position ? first.offset : INT32_MIN;
    int32_t to = current.position == last.position ? last.offset : INT32_MAX;
    std::span<const uint8_t> text = frame::FrFrameText(current);
    // Objects outside the range are dropped; the first record's kept part starts at the page's top.
    frame::ObjectList kept;
    int32_t keptTop = INT32_MAX;
    for (LayoutObject o : current.objects) {
      if (frame::IsMarkerKind(o.kind)) continue;
      if (o.carries_chars() && (o.lastChar < from || o.firstChar >= to)) continue;
      if (o.kind == frame::kObjText && !CutToRange(clone, text, o, from, to)) continue;
      keptTop = std::min(keptTop, o.y);
      kept.push_back(o);
    }
    int32_t lift = current.position == first.position && from > 0 && keptTop != INT32_MAX ? keptTop : 0;
    for (LayoutObject& o : kept) o.y -= lift;
    current.height = std::max(current.height - lift, 0);
    current.objects = std::move(kept);
    size_t f = out.frames.size();
    for (size_t i = 0; i < current.objects.size(); ++i) {
      const LayoutObject& o = current.objects[i];
      out.objects.push_back(PrintedObject{f, i, out.height + o.y, out.height + o.bottom()});
    }
    out.frameTops.push_back(out.height);
    out.height += current.height;
    out.frames.push_back(std::move(current));
    return true;
  });
  std::stable_sort(out.objects.begin(), out.objects.end(),
                   [](const PrintedObject& a, const PrintedObject& b) { return a.top < b.top; });
  return code;
}

bool StartPage(HDC hdc, const RECT& page, RECT& layout, PrintPageCallback callback, void* job) {
  if (callback) return callback(job, hdc, page.left, page.top, page.right, page.bottom, &layout, TRUE) != 0;
  return ::StartPage(hdc) > 0;
}

bool EndPage(HDC hdc, const RECT& page, RECT& layout, PrintPageCallback callback, void* job) {
  if (callback) return callback(job, hdc, page.left, page.top, page.right, page.bottom, &layout, FALSE) != 0;
  return ::EndPage(hdc) > 0;
}

}  // namespace

BOOL MvPrint(ViewerHandle viewer, HDC hdc, BOOL selectionOnly, const RECT* page, RECT* layout, int32_t* overflow,
             PrintPageCallback callback, void* job, TitleErrorCode* error) {
  SetErrorCode(error, kViewOk);
  if (!viewer || !page || !layout || !hdc) {
    SetErrorCode(error, kViewBadArgument);
    return FALSE;
  }
  // Printing only the selection when there is none prints nothing: that is a failure.
  if (selectionOnly && !MvHasSelection(viewer)) {
    SetErrorCode(error, kViewNoSelection);
    return FALSE;
  }
  if (!viewer->window) {
    SetErrorCode(error, kViewNoWindow);
    return FALSE;
  }
  ViewerBusy busy(viewer);
  if (!busy.entered(error)) return FALSE;
  TextPoint first{frame::FrRegionStart(*viewer), INT32_MIN}, last{INT32_MAX, INT32_MAX};
  if (selectionOnly) viewer->marks->selection.ordered(first, last);
  TitleErrorCode code = 0;
  ClonePtr clone(MvCloneViewer(viewer, &code));
  if (!clone) {
    SetErrorCode(error, kViewNoMemory);
    return FALSE;
  }
  clone->fraction = 0;
  clone->flags = uint16_t((clone->flags | kViewPrinting) & ~kViewReportCutLines);
  clone->textColor = RGB(0, 0, 0);
  clone->backColor = RGB(255, 255, 255);
  clone->layoutRect = *layout;
  if (viewer->layoutShape) {
    // The shape is in screen pixels (96 per inch); the page's are the printer's.
    clone->layoutShape = std::make_shared<const frame::LayoutShape>(frame::FrScaleLayoutShape(
        *viewer->layoutShape, GetDeviceCaps(hdc, LOGPIXELSX), GetDeviceCaps(hdc, LOGPIXELSY)));
  }
  HDC previous = MvUseCallerDC(clone.get(), hdc);
  PrintedRange range;
  code = LayOutRange(*clone, first, last, range);
  int32_t hOffset = overflow ? std::max(*overflow, 0) : 0;
  if (overflow) *overflow = 0;
  int64_t pageTop = 0;  // of the range, at the top of the current page's printable part
  bool firstPage = true;
  int32_t lastBottom = layout->top;
  while (code == 0) {
    RECT area = firstPage ? RECT{page->left, layout->top, page->right, page->bottom} : *page;
    int64_t height = std::max<int64_t>(area.bottom - area.top, 1);
    if (layout->top == page->top || !firstPage) {
      if (!StartPage(hdc, *page, *layout, callback, job)) {
        code = kViewPageFailed;
        break;
      }
    }
    int64_t breakLine = frame::FrPageBreak(range.objects, pageTop, pageTop + height);
    int saved = SaveDC(hdc);
    IntersectClipRect(hdc, area.left, area.top, area.right, area.bottom);
    int64_t printedBottom = pageTop;
    for (const PrintedObject& p : range.objects) {
      if (p.top >= breakLine) break;
      if (p.bottom <= pageTop) continue;
      // Objects that start above this page were cut on an earlier one; they continue here.
      const LayoutFrame& fr = range.frames[p.frame];
      const LayoutObject& o = fr.objects[p.object];
      int32_t x = area.left - hOffset + fr.x;
      int32_t y = int32_t(area.top + (range.frameTops[p.frame] - pageTop));
      frame::FrDrawObject(*clone, frame::FrFrameText(fr), o, x, y);
      if (overflow && o.kind == frame::kObjText && x + o.right() > page->right) {
        int32_t at = fr.x + o.x;
        *overflow = *overflow == 0 ? at : std::min(*overflow, at);
      }
      printedBottom = std::max(printedBottom, std::min(p.bottom, breakLine));
    }
    RestoreDC(hdc, saved);
    lastBottom = int32_t(area.top + (printedBottom - pageTop));
    if (breakLine >= range.height) break;  // the range ends on this page, which stays open
    if (!EndPage(hdc, *page, *layout, callback, job)) {
      code = kViewPageFailed;
      break;
    }
    *layout = *page;
    pageTop = breakLine;
    firstPage = false;
  }
  MvRestoreCallerDC(clone.get(), previous);
  if (code == 0) code = clone->pendingCode;
  layout->top = lastBottom;
  layout->bottom = page->bottom;
  SetErrorCode(error, code);
  return code == 0 ? TRUE : FALSE;
}

}  // namespace medview
