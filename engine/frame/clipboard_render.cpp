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
#include "engine/frame/window_layout.h"
#include "engine/medview/view_marks.h"
#include "engine/medview/viewer_fonts.h"
#include "engine/medview/viewer_scope.h"

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
      if (text) text->append_item(item.data);
      continue;
    }
    if (rtfFormat != 0 && item.format == rtfFormat) {
      if (rtf) rtf->append_item(ItemText(item));
      continue;
    }
    datapres::DibMetafile picture;
    if (rtf && item.format == medview::kClipFormatDib && datapres::DpDibToMetafile(item.data, picture, palette))
      rtf->picture(picture.width, picture.height, picture.metafile);
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
      rtf->text_paragraph(info);
    } else {
      rtf->plain_paragraph();
    }
  }
  bool afterWindow = false;
  // Text-flow markers carry no character: they belong to the range when the object before them does.
  bool inRange = false;
  // A paragraph's text copied and not yet ended, and the last character copied.
  bool paragraphOpen = false;
  int32_t lastChar = -1;
  for (const LayoutObject& object : frame.objects) {
    if (object.carries_chars()) {
      inRange = object.lastChar >= from && object.firstChar < to;
      if (inRange) lastChar = object.lastChar;
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
        if (described && descriptor.face < viewer.styleSheet->charMaps.size()) {
          map = viewer.styleSheet->charMaps[descriptor.face].get();
        }
        if (text) text->run(run, map);
        if (rtf) {
          datapres::RtfFace rtfFace{descriptor.face, face, descriptor.font.pitchAndFamily};
          datapres::RtfRunFormat format;
          format.points = descriptor.font.height;
          format.weight = descriptor.font.weight;
          format.underline = descriptor.font.underline != 0;
          format.italic = descriptor.font.italic != 0;
          format.smallCaps = (descriptor.flags & medview::kFontSmallCaps) != 0;
          format.raise = descriptor.raise;
          rtf->run(rtfFace, format, run);
        }
        afterWindow = false;
        paragraphOpen = true;
        break;
      }
      case kFlowTab:
      case kFlowCellTab:
        if (text) text->tab();
        if (rtf) rtf->tab();
        break;
      case kFlowParagraphEnd:
        // Paragraphs inside a table's cells stay on the row's line.
        if (table) break;
        if (text && !afterWindow) text->line_end();
        if (rtf) rtf->paragraph_break();
        paragraphOpen = false;
        break;
      case kFlowTableEnd:
        // Each table record is one row: it ends with a single paragraph break.
        if (text) text->line_end();
        if (rtf) rtf->paragraph_break();
        paragraphOpen = false;
        break;
      case kFlowRecordEnd:
        // A text record is a paragraph even where its commands hold no paragraph end: copied on
        // past its last character, it ends its line.
        if (table || !paragraphOpen || int64_t(to) <= int64_t(lastChar) + 1) break;
        if (text && !afterWindow) text->line_end();
        if (rtf) rtf->paragraph_break();
        paragraphOpen = false;
        break;
      case kFlowLineBreak:
        if (table) break;
        if (text && !afterWindow) text->line_end();
        if (rtf) rtf->line_break();
        break;
      case kFlowNonBreakingSpace:
        if (text) text->space();
        if (rtf) rtf->non_breaking_space();
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
