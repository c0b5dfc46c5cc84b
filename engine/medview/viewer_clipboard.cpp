#include "engine/medview/viewer_clipboard.h"

#include <algorithm>
#include <climits>
#include <string_view>

#include "engine/adt/paragraph_info.h"
#include "engine/adt/topic_record_header.h"
#include "engine/datapres/dib_picture.h"
#include "engine/datapres/embedded_window.h"
#include "engine/frame/clipboard_render.h"
#include "engine/frame/region_walk.h"
#include "engine/frame/selection.h"
#include "engine/frame/window_layout.h"
#include "engine/medview/view_marks.h"
#include "engine/medview/viewer_fonts.h"
#include "engine/medview/viewer_scope.h"

namespace medview {

namespace {

RegisterFormatProc g_registrar = nullptr;
std::atomic<uint32_t> g_rtfFormat{0};

// Frees a clone however the rendering ends.
}  // namespace

void MvSetClipFormatRegistrar(RegisterFormatProc proc) {
  g_registrar = proc;
  g_rtfFormat = 0;
}

uint32_t MvRtfClipFormat() {
  if (g_rtfFormat == 0 && g_registrar) g_rtfFormat = g_registrar("Rich Text Format");
  return g_rtfFormat;
}

ClipFormatTablePtr MvRenderClipFormats(ViewerHandle viewer, BOOL selection, uint32_t wanted, TitleErrorCode* error) {
  SetErrorCode(error, kViewOk);
  if (!viewer) {
    SetErrorCode(error, kViewBadArgument);
    return nullptr;
  }
  ViewerBusy busy(viewer);
  if (!busy.entered(error)) return nullptr;
  uint32_t rtfFormat = MvRtfClipFormat();
  bool wantText = wanted == 0 || wanted == kClipFormatText;
  bool wantRtf = rtfFormat != 0 && (wanted == 0 || wanted == rtfFormat);
  // The range: the selection in text order, or the shown region.
  TextPoint first{frame::FrRegionStart(*viewer), 0}, last{INT32_MAX, INT32_MAX};
  if (selection && MvHasSelection(viewer)) viewer->marks->selection.ordered(first, last);
  TitleErrorCode code = 0;
  ClonePtr clone(MvCloneViewer(viewer, &code));
  if (!clone) {
    SetErrorCode(error, kViewNoMemory);
    return nullptr;
  }
  clone->flags |= kViewClipboard;
  if (clone->layoutRect.right <= clone->layoutRect.left) clone->layoutRect = RECT{0, 0, 2000, 2000};
  datapres::RtfWriter rtf;
  datapres::TextWriter text;
  ClipFormatTable others;  // what embedded windows gave besides RTF and text
  code = frame::FrWalkRegion(*clone, first.position, last.position, [&](frame::LayoutFrame& current) {
    int32_t from = current.position == first.position ? first.offset : INT32_MIN;
    int32_t to = current.position == last.position ? last.offset : INT32_MAX;
    frame::FrRenderFrame(*clone, current, from, to, wantRtf ? &rtf : nullptr, wantText ? &text : nullptr, wanted,
                         &others);
    return true;
  });
  // A record that cannot be laid out leaves the copy incomplete: nothing is handed out.
  if (code) {
    SetErrorCode(error, code);
    return nullptr;
  }
  auto table = std::make_unique<ClipFormatTable>();
  if (wantRtf && rtf.has_content()) {
    std::string document = rtf.document();
    table->items.push_back({rtfFormat, std::vector<uint8_t>(document.begin(), document.end())});
  }
  if (wantText && !text.empty()) table->items.push_back({kClipFormatText, text.finish()});
  for (ClipFormatItem& item : others.items) table->items.push_back(std::move(item));
  if (table->items.empty()) {
    SetErrorCode(error, kViewNothingRendered);
    return nullptr;
  }
  return table;
}

std::vector<uint8_t> MvRenderClipFormat(ViewerHandle viewer, BOOL selection, uint32_t format, TitleErrorCode* error) {
  ClipFormatTablePtr table = MvRenderClipFormats(viewer, selection, format, error);
  if (!table || table->items.back().format != format) {
    if (table) SetErrorCode(error, kViewNothingRendered);
    return {};
  }
  return std::move(table->items.back().data);
}

std::vector<uint8_t> MvCopySelectionText(ViewerHandle viewer, TitleErrorCode* error) {
  if (!MvHasSelection(viewer)) {
    SetErrorCode(error, kViewNoSelection);
    return {};
  }
  return MvRenderClipFormat(viewer, TRUE, kClipFormatText, error);
}

std::vector<uint8_t> MvCopyRegionText(ViewerHandle viewer, TitleErrorCode* error) {
  return MvRenderClipFormat(viewer, FALSE, kClipFormatText, error);
}

}  // namespace medview
