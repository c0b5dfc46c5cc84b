#include "engine/frame/clipboard_render.h"

#include <algorithm>
#include <climits>
#include <string_view>

#include "engine/adt/paragraph_info.h"
#include "engine/adt/topic_record_header.h"
#include "engine/datapres/dib_picture.h"
#include "engine/datapres/embedded_window.h"
#include "engine/frame/region_walk.h"
#include "engine/frame/selection.h"
#include "engine/frame/view_marks.h"
#include "engine/frame/window_layout.h"
#include "engine/frame/viewer_scope.h"
#include "engine/medview/viewer_fonts.h"

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
  if (selection && MvHasSelection(viewer)) viewer->marks->selection.Ordered(first, last);
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
  if (wantRtf && rtf.HasContent()) {
    std::string document = rtf.Document();
    table->items.push_back({rtfFormat, std::vector<uint8_t>(document.begin(), document.end())});
  }
  if (wantText && !text.empty()) table->items.push_back({kClipFormatText, text.Finish()});
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

namespace frame {

namespace {

bool IsTableRecordType(uint8_t type) { return type == adt::kRecordTable || type == adt::kRecordTableCounted; }

// An item's bytes up to its terminating NUL, if it carries one.
std::string_view ItemText(const medview::ClipFormatItem& item) {
  std::string_view bytes(reinterpret_cast<const char*>(item.data.data()), item.data.size());
  return bytes.substr(0, bytes.find('\0'));
}

// Asks an embedded window for its items in the wanted format and sends each where it belongs.
void CopyWindowItems(medview::Viewer& viewer, const LayoutObject& object, uint32_t wanted, datapres::RtfWriter* rtf,
                     datapres::TextWriter* text, medview::ClipFormatTable* others) {
  medview::ClipFormatTablePtr items(
      reinterpret_cast<medview::ClipFormatTable*>(FrSendToObject(viewer, object, datapres::kEwClipFormats, wanted, 0)));
  if (!items) return;
  const uint32_t rtfFormat = medview::MvRtfClipFormat();
  // A bitmap's palette may come before or after it.
  std::vector<uint8_t> palette;
  for (const medview::ClipFormatItem& item : items->items) {
    if (item.format == medview::kClipFormatPalette) palette = item.data;
  }
  for (medview::ClipFormatItem& item : items->items) {
    if (item.format == medview::kClipFormatText) {
      if (text) text->AppendItem(item.data);
      continue;
    }
    if (rtfFormat != 0 && item.format == rtfFormat) {
      if (rtf) rtf->AppendItem(ItemText(item));
      continue;
    }
    datapres::DibMetafile picture;
    if (rtf && item.format == medview::kClipFormatDib && datapres::DpDibToMetafile(item.data, picture, palette))
      rtf->Picture(picture.width, picture.height, picture.metafile);
    if (others) others->items.push_back(std::move(item));
  }
}


}  // namespace

void FrRenderFrame(medview::Viewer& viewer, const LayoutFrame& frame, int32_t from, int32_t to,
                   datapres::RtfWriter* rtf, datapres::TextWriter* text, uint32_t wanted,
                   medview::ClipFormatTable* others) {
  std::span<const uint8_t> bytes = FrFrameText(frame);
  adt::TopicRecordHeader header;
  size_t headerSize = adt::DpDecodeRecordHeader(header, frame.record.data(), frame.record.size());
  bool table = IsTableRecordType(header.type);
  if (rtf) {
    adt::ParagraphInfo info;
    bool textRecord = headerSize && (header.type == adt::kRecordText || header.type == adt::kRecordTextCounted) &&
                      header.length >= 0 && uint64_t(header.length) <= frame.record.size() - headerSize &&
                      adt::DpDecodeParagraphInfo(info, frame.record.data() + headerSize, size_t(header.length));
    if (textRecord) {
      rtf->TextParagraph(info);
    } else {
      rtf->PlainParagraph();
    }
  }
  bool afterWindow = false;
  // Text-flow markers carry no character: they belong to the range when the object before them does.
  bool inRange = false;
  for (const LayoutObject& object : frame.objects) {
    if (object.carriesChars()) {
      inRange = object.lastChar >= from && object.firstChar < to;
    } else if (object.kind < kFlowTab) {
      continue;
    }
    if (!inRange) continue;
    switch (object.kind) {
      case kObjText: {
        int32_t a = int32_t(std::clamp<int64_t>(int64_t(from) - object.anchor, 0, object.length));
        int32_t b = int32_t(std::clamp<int64_t>(int64_t(to) - object.anchor, 0, object.length));
        if (a >= b || object.data < 0 || size_t(object.data) + size_t(object.length) > bytes.size()) break;
        std::span<const uint8_t> run = bytes.subspan(size_t(object.data) + size_t(a), size_t(b - a));
        title::FontDescriptor descriptor;
        std::string face;
        bool described = medview::MvGetFontDescriptor(viewer.styleSheet, object.font, &face, &descriptor);
        const fts::CharTable* map = nullptr;
        if (described && descriptor.face < viewer.styleSheet->char_maps.size()) {
          map = viewer.styleSheet->char_maps[descriptor.face].get();
        }
        if (text) text->Run(run, map);
        if (rtf) {
          datapres::RtfFace rtfFace{descriptor.face, face, descriptor.font.pitch_and_family};
          datapres::RtfRunFormat format;
          format.points = descriptor.font.height;
          format.weight = descriptor.font.weight;
          format.underline = descriptor.font.underline != 0;
          format.italic = descriptor.font.italic != 0;
          format.smallCaps = (descriptor.flags & medview::kFontSmallCaps) != 0;
          format.raise = descriptor.raise;
          rtf->Run(rtfFace, format, run);
        }
        afterWindow = false;
        break;
      }
      case kFlowTab:
      case kFlowCellTab:
        if (text) text->Tab();
        if (rtf) rtf->Tab();
        break;
      case kFlowParagraphEnd:
        // Paragraphs inside a table's cells stay on the row's line.
        if (table) break;
        if (text && !afterWindow) text->LineEnd();
        if (rtf) rtf->ParagraphBreak();
        break;
      case kFlowTableEnd:
        // Each table record is one row: it ends with a single paragraph break.
        if (text) text->LineEnd();
        if (rtf) rtf->ParagraphBreak();
        break;
      case kFlowLineBreak:
        if (table) break;
        if (text && !afterWindow) text->LineEnd();
        if (rtf) rtf->LineBreak();
        break;
      case kFlowNonBreakingSpace:
        if (text) text->Space();
        if (rtf) rtf->NonBreakingSpace();
        break;
      case kObjWindow:
        if (viewer.flags & medview::kViewEmbedSelect) CopyWindowItems(viewer, object, wanted, rtf, text, others);
        afterWindow = true;
        break;
      default:
        break;
    }
  }
}

}  // namespace frame
