#include "engine/medview/viewer_fonts.h"

#include <algorithm>
#include <utility>
#include <cstring>

#include "platform/base/cp1250.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/mul_div.h"
#include "platform/gdi/core/object_api.h"
#include "platform/gdi/core/text_api.h"

namespace medview {

namespace {

COLORREF DescriptorColour(const std::array<uint8_t, 3>& rgb) { return RGB(rgb[0], rgb[1], rgb[2]); }

const title::StyleRecord* FindStyle(const title::StyleSheet& sheet, uint16_t number) {
  for (const auto& style : sheet.styles) {
    if (style.number == number) return &style;
  }
  return nullptr;
}

// The font fields a style overrides: each non-zero one.
void OverrideFontFields(title::LogFontHead& to, const title::LogFontHead& from) {
  auto take = [](auto& field, auto value) {
    if (value != 0) field = value;
  };
  take(to.height, from.height);
  take(to.width, from.width);
  take(to.escapement, from.escapement);
  take(to.orientation, from.orientation);
  take(to.weight, from.weight);
  take(to.italic, from.italic);
  take(to.underline, from.underline);
  take(to.strikeOut, from.strikeOut);
  take(to.charSet, from.charSet);
  take(to.outPrecision, from.outPrecision);
  take(to.clipPrecision, from.clipPrecision);
  take(to.quality, from.quality);
  take(to.pitchAndFamily, from.pitchAndFamily);
}

const fts::CharTable* FaceCharTable(const title::StyleSheet* sheet, uint16_t face) {
  if (!sheet || face >= sheet->charMaps.size()) return nullptr;
  return sheet->charMaps[face].get();
}

int TakeFaceTraits(const LOGFONT* found, const TEXTMETRIC*, DWORD, LPARAM data) {
  auto* lf = reinterpret_cast<LOGFONT*>(data);
  lf->lfCharSet = found->lfCharSet;
  lf->lfOutPrecision = found->lfOutPrecision;
  lf->lfClipPrecision = found->lfClipPrecision;
  lf->lfQuality = found->lfQuality;
  lf->lfPitchAndFamily = found->lfPitchAndFamily;
  return 0;
}

// Style flag: the style clears the underline.
constexpr uint8_t kStyleNoUnderline = 0x08;

}  // namespace

const title::StyleSheet* MvSetStyleSheet(ViewerHandle viewer, const title::StyleSheet* sheet) {
  if (!viewer) return nullptr;
  const title::StyleSheet* old = std::exchange(viewer->styleSheet, sheet);
  viewer->styleCharMap = FaceCharTable(sheet, 0);
  MvDropFonts(viewer);
  return old;
}

const title::StyleSheet* MvGetStyleSheet(ViewerHandle viewer) { return viewer ? viewer->styleSheet : nullptr; }

int32_t MvGetStyleSheetSize(const title::StyleSheet* sheet, TitleErrorCode* error) {
  if (!sheet) {
    if (error) *error = kViewBadArgument;
    return -1;
  }
  constexpr size_t kHeader = 40, kFace = 32, kDescriptor = 42, kStyle = 146, kTableReference = 4;
  auto align4 = [](size_t n) { return (n + 3) & ~size_t(3); };
  const size_t styles = align4(kHeader + kFace * sheet->faces.size() + kDescriptor * sheet->descriptors.size());
  const size_t char_maps = align4(styles + kStyle * sheet->styles.size());
  if (error) *error = kViewOk;
  return int32_t(char_maps + kTableReference * std::max<size_t>(1, sheet->faces.size()));
}

int32_t MvGetStyleCount(const title::StyleSheet* sheet, TitleErrorCode* error) {
  if (!sheet) {
    if (error) *error = kViewBadArgument;
    return -1;
  }
  if (error) *error = kViewOk;
  return int32_t(sheet->styles.size());
}

TitleErrorCode MvGetFaceName(const title::StyleSheet* sheet, int32_t number, std::string* buffer) {
  if (!sheet || !buffer || number <= 0) return kViewBadArgument;
  if (size_t(number) > sheet->faces.size()) return kViewOutOfRange;
  *buffer = sheet->faces[size_t(number) - 1].substr(0, 31);
  return kViewOk;
}

int32_t MvFindFaceName(const title::StyleSheet* sheet, const char* name, TitleErrorCode* error) {
  if (!sheet || !name) {
    if (error) *error = kViewBadArgument;
    return -1;
  }
  std::string wanted = base::cp1250::to_upper(name);
  for (size_t i = 0; i < sheet->faces.size(); ++i) {
    if (base::cp1250::to_upper(sheet->faces[i]) == wanted) {
      if (error) *error = kViewOk;
      return int32_t(i + 1);
    }
  }
  if (error) *error = kViewFaceNotFound;
  return -1;
}

namespace {

// The style that the index or the name selects, or null with the code.
template <typename Sheet>
auto PickStyle(Sheet* sheet, int32_t* index, std::string* name, TitleErrorCode* error)
    -> decltype(&sheet->styles[0]) {
  bool byIndex = index && *index >= 0;
  if (!sheet || (!byIndex && (!name || name->empty()))) {
    SetErrorCode(error, kViewBadArgument);
    return nullptr;
  }
  if (byIndex) {
    if (size_t(*index) >= sheet->styles.size()) {
      SetErrorCode(error, kViewStyleNotFound);
      return nullptr;
    }
    auto* style = &sheet->styles[size_t(*index)];
    if (name) *name = style->styleName;
    return style;
  }
  for (size_t i = 0; i < sheet->styles.size(); ++i) {
    if (sheet->styles[i].styleName == *name) {
      if (index) *index = int32_t(i);
      return &sheet->styles[i];
    }
  }
  SetErrorCode(error, kViewStyleNotFound);
  return nullptr;
}

std::array<uint8_t, 3> Reversed(const std::array<uint8_t, 3>& c) { return {c[2], c[1], c[0]}; }

}  // namespace

BOOL MvGetStyle(const title::StyleSheet* sheet, int32_t* index, std::string* name, const StyleValues& out,
                TitleErrorCode* error) {
  const title::StyleRecord* style = PickStyle(sheet, index, name, error);
  if (!style) return FALSE;
  const title::FontDescriptor& d = style->font;
  if (out.font) *out.font = d.font;
  if (out.face) {
    *out.face = !style->faceName.empty() ? style->faceName
                : d.face < sheet->faces.size() ? sheet->faces[d.face] : std::string();
  }
  if (out.textColour) *out.textColour = Reversed(d.textColour);
  if (out.backColour) *out.backColour = Reversed(d.backColour);
  if (out.raise) *out.raise = d.raise;
  if (out.flags) *out.flags = d.flags;
  SetErrorCode(error, kViewOk);
  return TRUE;
}

BOOL MvSetStyle(title::StyleSheet* sheet, int32_t* index, std::string* name, const StyleValues& in,
                TitleErrorCode* error) {
  title::StyleRecord* style = PickStyle(sheet, index, name, error);
  if (!style) return FALSE;
  title::FontDescriptor& d = style->font;
  if (in.font) d.font = *in.font;
  if (in.face && !in.face->empty()) style->faceName = in.face->substr(0, 32);
  if (in.textColour) d.textColour = Reversed(*in.textColour);
  if (in.backColour) d.backColour = Reversed(*in.backColour);
  if (in.raise) d.raise = *in.raise;
  if (in.flags) d.flags = *in.flags;
  SetErrorCode(error, kViewOk);
  return TRUE;
}

void MvApplyStyle(const title::StyleSheet& sheet, title::FontDescriptor& descriptor, uint16_t style,
                  int depth, std::string* face) {
  if (style == 0 || depth >= kMaxStyleDepth) return;
  const title::StyleRecord* record = FindStyle(sheet, style);
  if (!record) return;
  MvApplyStyle(sheet, descriptor, record->basedOn, depth + 1, face);
  const title::FontDescriptor& from = record->font;
  descriptor.flags = (record->mode & 1) ? uint8_t(descriptor.flags + from.flags) : from.flags;
  if (from.face != 0 && from.face < sheet.faces.size()) {
    descriptor.face = from.face;
    if (face) *face = sheet.faces[from.face];
  }
  if (from.spacing != 0) descriptor.spacing = from.spacing;
  OverrideFontFields(descriptor.font, from.font);
  if (from.raise != 0) descriptor.raise = from.raise;
  if (!record->faceName.empty() && face) *face = record->faceName;
  if (DescriptorColour(from.textColour) != kUnsetColour) descriptor.textColour = from.textColour;
  if (DescriptorColour(from.backColour) != kUnsetColour) descriptor.backColour = from.backColour;
  descriptor.style = 0;
  if (from.flags & kStyleNoUnderline) descriptor.font.underline = 0;
}

bool MvGetFontDescriptor(const title::StyleSheet* sheet, int32_t number, std::string* face,
                         title::FontDescriptor* descriptor) {
  if (!sheet || !descriptor || number < 0 || size_t(number) >= sheet->descriptors.size()) return false;
  *descriptor = sheet->descriptors[size_t(number)];
  if (face) {
    *face = descriptor->face < sheet->faces.size() ? sheet->faces[descriptor->face] : std::string();
    MvApplyStyle(*sheet, *descriptor, descriptor->style, 0, face);
  }
  return true;
}

bool MvLoadFontDescriptor(ViewerHandle viewer, int32_t number, title::FontDescriptor* descriptor,
                          std::string* face) {
  if (!viewer || !viewer->styleSheet || viewer->styleSheet->descriptors.empty()) return false;
  if (number < 0 || size_t(number) >= viewer->styleSheet->descriptors.size()) number = 0;
  if (!MvGetFontDescriptor(viewer->styleSheet, number, face, descriptor)) return false;
  viewer->styleCharMap = FaceCharTable(viewer->styleSheet, descriptor->face);
  return true;
}

HFONT MvCreateFont(ViewerHandle viewer, int32_t number, title::FontDescriptor* descriptor) {
  title::FontDescriptor local;
  title::FontDescriptor& d = descriptor ? *descriptor : local;
  std::string face;
  if (!MvLoadFontDescriptor(viewer, number, &d, &face)) return nullptr;
  int dpi_y = viewer->hdc ? GetDeviceCaps(viewer->hdc, LOGPIXELSY) : 96;
  int64_t points = d.font.height < 0 ? -int64_t(d.font.height) : int64_t(d.font.height);
  if (d.flags & kFontSmallCaps) points = points * 3 / 4;
  int64_t pixels = std::max<int64_t>(1, (int64_t(dpi_y) * points * viewer->zoom + 3600) / 7200);
  pixels = std::min<int64_t>(pixels, 0x7FFF);
  LOGFONT lf{};
  lf.lfHeight = LONG(d.font.height < 0 ? -pixels : pixels);
  lf.lfWidth = d.font.width;
  lf.lfEscapement = d.font.escapement;
  lf.lfOrientation = d.font.orientation;
  lf.lfWeight = d.font.weight;
  lf.lfItalic = d.font.italic;
  lf.lfUnderline = d.font.underline;
  lf.lfStrikeOut = d.font.strikeOut;
  lf.lfCharSet = d.font.charSet;
  lf.lfOutPrecision = d.font.outPrecision;
  lf.lfClipPrecision = d.font.clipPrecision;
  lf.lfQuality = d.font.quality;
  lf.lfPitchAndFamily = d.font.pitchAndFamily;
  std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  if (viewer->hdc && !face.empty()) {
    // A face the device has: its own character set, precisions, quality and pitch replace the stored.
    EnumFontFamilies(viewer->hdc, lf.lfFaceName, TakeFaceTraits, reinterpret_cast<LPARAM>(&lf));
  }
  if (HFONT font = CreateFontIndirect(&lf)) return font;
  // The face cannot be made: the default face keeps the size and style.
  lf.lfFaceName[0] = 0;
  return CreateFontIndirect(&lf);
}

void MvDropFonts(ViewerHandle viewer) {
  if (!viewer) return;
  if (viewer->hdc && viewer->currentFont >= 0) SelectObject(viewer->hdc, GetStockObject(SYSTEM_FONT));
  for (auto& entry : viewer->fontCache) {
    if (entry.font) DeleteObject(entry.font);
    entry = FontCacheEntry{};
  }
  viewer->currentFont = -1;
}

void MvFreeFontCache(ViewerHandle viewer) {
  MvDropFonts(viewer);
  if (viewer) viewer->kerning = KerningTable{};
}

namespace {

// Reads the metrics, widths and kerning pairs of the font selected into the viewer's context.
void ReadFontTables(Viewer& viewer) {
  HDC hdc = viewer.hdc;
  GetTextMetrics(hdc, &viewer.textMetrics);
  if (!GetCharWidth32(hdc, 0, 255, viewer.charWidths.data())) viewer.charWidths.fill(0);
  viewer.kerning = KerningTable{};
  int64_t limit = (int64_t(GetDeviceCaps(hdc, LOGPIXELSY)) * viewer.kerningMinSize + 36) / 72;
  if (std::abs(int64_t(viewer.textMetrics.tmHeight)) <= limit) return;
  DWORD count = GetKerningPairs(hdc, 0, nullptr);
  if (count == 0) return;
  std::vector<KERNINGPAIR> pairs(count);
  pairs.resize(GetKerningPairs(hdc, count, pairs.data()));
  std::erase_if(pairs, [](const KERNINGPAIR& p) { return p.wFirst > 255 || p.wSecond > 255; });
  std::stable_sort(pairs.begin(), pairs.end(),
                   [](const KERNINGPAIR& a, const KERNINGPAIR& b) { return a.wFirst < b.wFirst; });
  viewer.kerning.pairs = std::move(pairs);
  uint32_t at = 0;
  for (uint32_t c = 0; c <= 256; ++c) {
    while (at < viewer.kerning.pairs.size() && viewer.kerning.pairs[at].wFirst < c) ++at;
    viewer.kerning.start[c] = at;
  }
}

}  // namespace

bool MvSelectFont(ViewerHandle viewer, int32_t number) {
  if (!viewer || !viewer->hdc) return false;
  if (number == viewer->currentFont && number >= 0) return true;
  if (!viewer->styleSheet || viewer->styleSheet->descriptors.empty()) {
    SelectObject(viewer->hdc, GetStockObject(SYSTEM_FONT));
    viewer->currentFont = -1;
    viewer->raise = 0;
    viewer->charExtra = 0;
    ReadFontTables(*viewer);
    return true;
  }
  FontCacheEntry* found = nullptr;
  for (auto& entry : viewer->fontCache) {
    ++entry.age;
    if (entry.number == number && entry.font) {
      found = &entry;
      break;
    }
  }
  if (found) {
    found->age = 0;
  } else {
    title::FontDescriptor descriptor;
    HFONT font = MvCreateFont(viewer, number, &descriptor);
    if (!font) return false;
    FontCacheEntry* slot = nullptr;
    for (auto& entry : viewer->fontCache) {
      if (!entry.font) {
        slot = &entry;
        break;
      }
    }
    if (!slot) {
      slot = &viewer->fontCache[0];
      for (auto& entry : viewer->fontCache) {
        if (entry.age > slot->age) slot = &entry;
      }
      if (viewer->currentFont == slot->number) SelectObject(viewer->hdc, GetStockObject(SYSTEM_FONT));
      DeleteObject(slot->font);
    }
    *slot = FontCacheEntry{font, number, 0, descriptor};
    found = slot;
  }
  const title::FontDescriptor& d = found->descriptor;
  int dpi_y = GetDeviceCaps(viewer->hdc, LOGPIXELSY);
  int dpi_x = GetDeviceCaps(viewer->hdc, LOGPIXELSX);
  viewer->raise = int32_t((int64_t(dpi_y) * d.raise * viewer->zoom + (d.raise < 0 ? -7200 : 7200)) / 14400);
  viewer->charExtra = MulDiv(dpi_x, d.spacing, 1440);
  COLORREF back = DescriptorColour(d.backColour);
  if (back == kUnsetColour) back = viewer->backColor;
  COLORREF text = DescriptorColour(d.textColour);
  if (text == kUnsetColour ||
      GetNearestColor(viewer->hdc, text) == GetNearestColor(viewer->hdc, viewer->backColor)) {
    text = viewer->textColor;
  }
  SetBkColor(viewer->hdc, back);
  SetTextColor(viewer->hdc, text);
  SelectObject(viewer->hdc, found->font);
  viewer->currentFont = number;
  ReadFontTables(*viewer);
  return true;
}

}  // namespace medview
