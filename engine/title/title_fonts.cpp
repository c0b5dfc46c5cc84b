// The "|FONT" reader and writer, and face look-ups.
#include "engine/title/title_fonts.h"

#include <algorithm>
#include <map>
#include <new>
#include <optional>

#include "engine/fts/common/table_file.h"
#include "platform/base/byte_io.h"
#include "platform/base/cp1250.h"

namespace title {
namespace {

constexpr uint16_t kOldestFaceOffset = 8;
constexpr uint16_t kNewestFaceOffset = 40;
constexpr size_t kOldestFaceBytes = 20;
constexpr size_t kFaceBytes = 32;
constexpr size_t kOldestDescriptorBytes = 11;
constexpr size_t kDescriptorBytes = 42;
constexpr size_t kMiddleStyleBytes = 145;
constexpr size_t kStyleBytes = 146;
constexpr size_t kTableNameBytes = 32;
constexpr size_t kStyleFaceBytes = 33;
constexpr size_t kStyleNameBytes = 65;

struct Header {
  FontForm form = FontForm::kNewest;
  uint16_t faces = 0, descriptors = 0, faceOffset = 0, descriptorOffset = 0;
  uint16_t styles = 0, styleOffset = 0, tableNames = 0, tableNameOffset = 0;
};

// A name field: the bytes up to the first NUL, and never more than the field holds minus its NUL.
std::string read_name(base::ByteReader& r, size_t field) {
  std::span<const uint8_t> bytes;
  r.view(field, bytes);
  const auto end = std::find(bytes.begin(), bytes.end() - std::min<size_t>(bytes.size(), 1), uint8_t(0));
  return std::string(bytes.begin(), end);
}

void write_name(base::ByteWriter& w, std::string_view name, size_t field) {
  const size_t n = std::min(name.size(), field - 1);
  w.bytes(name.data(), n);
  w.zeros(field - n);
}

void read_colour(base::ByteReader& r, std::array<uint8_t, 3>& c) { r.bytes(c.data(), c.size()); }

LogFontHead read_font_fields(base::ByteReader& r) {
  LogFontHead f;
  f.height = r.i32();
  f.width = r.i32();
  f.escapement = r.i32();
  f.orientation = r.i32();
  f.weight = r.i32();
  f.italic = r.u8();
  f.underline = r.u8();
  f.strikeOut = r.u8();
  f.charSet = r.u8();
  f.outPrecision = r.u8();
  f.clipPrecision = r.u8();
  f.quality = r.u8();
  f.pitchAndFamily = r.u8();
  return f;
}

void write_font_fields(base::ByteWriter& w, const LogFontHead& f) {
  for (int32_t v : {f.height, f.width, f.escapement, f.orientation, f.weight}) w.i32(v);
  for (uint8_t v : {f.italic, f.underline, f.strikeOut, f.charSet, f.outPrecision, f.clipPrecision, f.quality,
                    f.pitchAndFamily})
    w.u8(v);
}

FontDescriptor read_oldest_descriptor(base::ByteReader& r) {
  FontDescriptor d;
  const uint8_t attributes = r.u8();
  const uint8_t half_points = r.u8();
  const uint8_t family = r.u8();
  d.face = r.u16();
  read_colour(r, d.textColour);
  read_colour(r, d.backColour);
  d.font.height = -(half_points / 2);
  d.font.weight = (attributes & 1) ? 700 : 400;
  d.font.italic = (attributes >> 1) & 1;
  d.font.underline = (attributes >> 2) & 1;
  d.font.strikeOut = (attributes >> 3) & 1;
  d.font.pitchAndFamily = family ? 1 : 0;
  return d;
}

FontDescriptor read_middle_descriptor(base::ByteReader& r) {
  FontDescriptor d;
  d.flags = r.u8();
  d.face = r.u16();
  read_colour(r, d.textColour);
  read_colour(r, d.backColour);
  d.raise = int8_t(r.u8());
  d.spacing = r.u16();
  d.style = r.u16();
  d.font = read_font_fields(r);
  return d;
}

FontDescriptor read_descriptor(base::ByteReader& r) {
  FontDescriptor d;
  d.face = r.u16();
  d.spacing = r.u16();
  d.style = r.u16();
  read_colour(r, d.textColour);
  read_colour(r, d.backColour);
  d.font = read_font_fields(r);
  d.flags = r.u8();
  d.raise = int8_t(r.u8());
  return d;
}

StyleRecord read_style(base::ByteReader& r, FontForm form) {
  StyleRecord s;
  s.number = r.u16();
  s.basedOn = r.u16();
  if (form == FontForm::kMiddle) {
    s.mode = r.u8();
    s.font = read_middle_descriptor(r);
  } else {
    s.font = read_descriptor(r);
    s.mode = r.u8();
    r.u8();
  }
  s.faceName = read_name(r, kStyleFaceBytes);
  s.styleName = read_name(r, kStyleNameBytes);
  return s;
}

void write_oldest_descriptor(base::ByteWriter& w, const FontDescriptor& d) {
  const LogFontHead& f = d.font;
  w.u8(uint8_t((f.weight >= 700 ? 1 : 0) | (f.italic ? 2 : 0) | (f.underline ? 4 : 0) | (f.strikeOut ? 8 : 0)));
  w.u8(uint8_t(std::clamp(-f.height * 2, 0, 255)));
  w.u8(f.pitchAndFamily ? 1 : 0);
  w.u16(d.face);
  w.bytes(d.textColour.data(), 3);
  w.bytes(d.backColour.data(), 3);
}

void write_middle_descriptor(base::ByteWriter& w, const FontDescriptor& d) {
  w.u8(d.flags);
  w.u16(d.face);
  w.bytes(d.textColour.data(), 3);
  w.bytes(d.backColour.data(), 3);
  w.u8(uint8_t(d.raise));
  w.u16(d.spacing);
  w.u16(d.style);
  write_font_fields(w, d.font);
}

void write_descriptor(base::ByteWriter& w, const FontDescriptor& d) {
  w.u16(d.face);
  w.u16(d.spacing);
  w.u16(d.style);
  w.bytes(d.textColour.data(), 3);
  w.bytes(d.backColour.data(), 3);
  write_font_fields(w, d.font);
  w.u8(d.flags);
  w.u8(uint8_t(d.raise));
}

void write_style(base::ByteWriter& w, const StyleRecord& s, FontForm form) {
  w.u16(s.number);
  w.u16(s.basedOn);
  if (form == FontForm::kMiddle) {
    w.u8(s.mode);
    write_middle_descriptor(w, s.font);
  } else {
    write_descriptor(w, s.font);
    w.u8(s.mode);
    w.u8(0);
  }
  write_name(w, s.faceName, kStyleFaceBytes);
  write_name(w, s.styleName, kStyleNameBytes);
}

// Splits "Name,n" into the name and n (0 when there is no comma; the digits after the comma, as far
// as they go).
std::string_view split_suffix(std::string_view stored, uint32_t& number) {
  number = 0;
  const size_t comma = stored.find(',');
  if (comma == std::string_view::npos) return stored;
  for (size_t i = comma + 1; i < stored.size() && stored[i] >= '0' && stored[i] <= '9' && number < 100000; ++i)
    number = number * 10 + uint32_t(stored[i] - '0');
  return stored.substr(0, comma);
}

// A reader over `count` records of `size` bytes at `offset`; nothing when they do not lie inside the
// file. An empty table may carry any offset.
std::optional<base::ByteReader> table_at(std::span<const uint8_t> file, size_t offset, size_t count, size_t size) {
  if (count == 0) return base::ByteReader();
  if (offset > file.size() || count * size > file.size() - offset) return std::nullopt;
  return base::ByteReader(file.subspan(offset, count * size));
}

bool read_header(std::span<const uint8_t> file, Header& h) {
  base::ByteReader r(file);
  h.faces = r.u16();
  h.descriptors = r.u16();
  h.faceOffset = r.u16();
  h.descriptorOffset = r.u16();
  h.form = h.faceOffset == kOldestFaceOffset   ? FontForm::kOldest
           : h.faceOffset == kNewestFaceOffset ? FontForm::kNewest
                                                : FontForm::kMiddle;
  if (h.form != FontForm::kOldest) {
    h.styles = r.u16();
    h.styleOffset = r.u16();
  }
  if (h.form == FontForm::kNewest) {
    h.tableNames = r.u16();
    h.tableNameOffset = r.u16();
  }
  return r.ok();
}

}  // namespace

StyleSheetPtr FontParse(std::span<const uint8_t> file, const CharTableLoader& load_table, fts::FtsError* error) {
  Header h;
  if (!read_header(file, h)) {
    fts::FtsSetError(error, fts::kFtsReadFailed);
    return nullptr;
  }
  const size_t face_bytes = h.form == FontForm::kOldest ? kOldestFaceBytes : kFaceBytes;
  const size_t descriptor_bytes = h.form == FontForm::kOldest ? kOldestDescriptorBytes : kDescriptorBytes;
  const size_t style_bytes = h.form == FontForm::kMiddle ? kMiddleStyleBytes : kStyleBytes;
  auto face_table = table_at(file, h.faceOffset, h.faces, face_bytes);
  auto descriptor_table = table_at(file, h.descriptorOffset, h.descriptors, descriptor_bytes);
  auto style_table = table_at(file, h.styleOffset, h.styles, style_bytes);
  auto name_table = table_at(file, h.tableNameOffset, h.tableNames, kTableNameBytes);
  if (!face_table || !descriptor_table || !style_table || !name_table) {
    fts::FtsSetError(error, fts::kFtsReadFailed);
    return nullptr;
  }
  base::ByteReader& faces = *face_table;
  base::ByteReader& descriptors = *descriptor_table;
  base::ByteReader& styles = *style_table;
  try {
    auto sheet = std::make_unique<StyleSheet>();
    sheet->form = h.form;
    // The built-in table, made once and shared by every face and table name that needs it.
    std::shared_ptr<const fts::CharTable> built_in;
    auto built_in_table = [&]() -> std::shared_ptr<const fts::CharTable> {
      if (!built_in) built_in = fts::FtsDefaultCharTable(nullptr);
      return built_in;
    };
    std::map<uint32_t, std::shared_ptr<const fts::CharTable>> tables;  // the first table of each number
    for (uint16_t i = 0; i < h.tableNames; ++i) {
      const std::string stored = read_name(*name_table, kTableNameBytes);
      uint32_t number = 0;
      const std::string internal(split_suffix(stored, number));
      fts::CharTablePtr loaded = load_table ? load_table(internal) : nullptr;
      std::shared_ptr<const fts::CharTable> table =
          loaded ? std::shared_ptr<const fts::CharTable>(std::move(loaded)) : built_in_table();
      if (!table) {
        fts::FtsSetError(error, fts::kFtsDamaged);
        return nullptr;
      }
      tables.try_emplace(number, std::move(table));
    }
    for (uint16_t i = 0; i < h.faces; ++i) {
      uint32_t number = 0;
      std::string stored = read_name(faces, face_bytes);
      sheet->faces.emplace_back(h.form == FontForm::kNewest ? split_suffix(stored, number) : stored);
      const auto match = tables.find(number);
      sheet->charMaps.push_back(match != tables.end() ? match->second : built_in_table());
      if (!sheet->charMaps.back()) throw std::bad_alloc();
    }
    if (sheet->charMaps.empty()) sheet->charMaps.push_back(built_in_table());
    if (!sheet->charMaps.back()) throw std::bad_alloc();
    // A face index beyond the faces would let drawing read past the face table: clamp it.
    const uint16_t top_face = h.faces ? uint16_t(h.faces - 1) : 0;
    for (uint16_t i = 0; i < h.descriptors; ++i) {
      FontDescriptor d = h.form == FontForm::kOldest   ? read_oldest_descriptor(descriptors)
                         : h.form == FontForm::kMiddle ? read_middle_descriptor(descriptors)
                                                       : read_descriptor(descriptors);
      d.face = std::min(d.face, top_face);
      sheet->descriptors.push_back(d);
    }
    for (uint16_t i = 0; i < h.styles; ++i) {
      StyleRecord s = read_style(styles, h.form);
      s.font.face = std::min(s.font.face, top_face);
      sheet->styles.push_back(std::move(s));
    }
    return sheet;
  } catch (const std::bad_alloc&) {
    fts::FtsSetError(error, fts::kFtsNoMemory);
    return nullptr;
  }
}

StyleSheetPtr FontLoad(mvfs::TitleFileSystem* fs, fts::FtsError* error) {
  if (!fs) {
    fts::FtsSetError(error, fts::kFtsBadArgument);
    return nullptr;
  }
  // Offsets are 16-bit, so everything a "|FONT" refers to lies within its first 65,535 bytes plus the
  // largest table (65,535 styles of 146 bytes).
  constexpr size_t kFontFileLimit = 65535 + 65535 * kStyleBytes;
  std::vector<uint8_t> bytes;
  const int32_t code = fts::FtsReadTableFile(fs, kFontFileName, kFontFileName, kFontFileLimit, bytes, error);
  if (code != fts::kFtsOk) {
    fts::FtsSetError(error, code == fts::kFtsReadFailed ? fts::kFtsReadFailed : fts::kFtsQueryFailed);
    return nullptr;
  }
  const CharTableLoader load_table = [fs](std::string_view name) {
    fts::FtsError ignored;
    return fts::FtsLoadCharTable(fs, name, &ignored);
  };
  return FontParse(bytes, load_table, error);
}

void FontFree(StyleSheetPtr) {}

mvfs::BtCharMaps FontCharMaps(const StyleSheet& sheet) {
  mvfs::BtCharMaps maps(sheet.charMaps.size());
  for (size_t face = 0; face < maps.size(); ++face) {
    const fts::CharTable& table = *sheet.charMaps[face];
    for (size_t c = 0; c < table.entries.size() && c < 256; ++c)
      maps[face].weights[c] = uint16_t(table.entries[c].sortWeight & 0x0FFF);
    for (const fts::Ligature& lig : table.ligatures) maps[face].ligatures.push_back({lig.character, lig.first, lig.second});
  }
  return maps;
}

int32_t TtlGetFaceName(const StyleSheet* sheet, int32_t index, std::string* buffer) {
  if (!sheet || !buffer) return fts::kFtsBadArgument;
  if (index < 0 || size_t(index) >= sheet->faces.size()) return fts::kFtsQueryFailed;
  *buffer = sheet->faces[size_t(index)];
  return fts::kFtsOk;
}

int32_t TtlFindFace(const StyleSheet* sheet, std::string_view name, int32_t* code) {
  int32_t result = fts::kFtsQueryFailed;
  int32_t index = -1;
  if (!sheet) {
    result = fts::kFtsBadArgument;
  } else {
    for (size_t i = 0; i < sheet->faces.size() && index < 0; ++i)
      if (base::cp1250::equal_no_case(sheet->faces[i], name)) index = int32_t(i);
    if (index >= 0) result = fts::kFtsOk;
  }
  if (code) *code = result;
  return index;
}

std::vector<uint8_t> FontFileBytes(const FontFileContent& content, FontForm form) {
  std::vector<uint8_t> out;
  base::ByteWriter w(out);
  const size_t header = form == FontForm::kOldest ? 8 : form == FontForm::kMiddle ? 12 : kNewestFaceOffset;
  const size_t face_bytes = form == FontForm::kOldest ? kOldestFaceBytes : kFaceBytes;
  const size_t descriptor_bytes = form == FontForm::kOldest ? kOldestDescriptorBytes : kDescriptorBytes;
  const size_t style_bytes = form == FontForm::kMiddle ? kMiddleStyleBytes : kStyleBytes;
  const size_t styles = form == FontForm::kOldest ? 0 : content.styles.size();
  const size_t names = form == FontForm::kNewest ? content.tableNames.size() : 0;
  // The middle form is told by any face offset but 8 and 40: its faces start right after its header.
  const size_t face_offset = header;
  const size_t descriptor_offset = face_offset + content.faces.size() * face_bytes;
  const size_t style_offset = descriptor_offset + content.descriptors.size() * descriptor_bytes;
  const size_t name_offset = style_offset + styles * style_bytes;
  w.u16(uint16_t(content.faces.size()));
  w.u16(uint16_t(content.descriptors.size()));
  w.u16(uint16_t(face_offset));
  w.u16(uint16_t(descriptor_offset));
  if (form != FontForm::kOldest) {
    w.u16(uint16_t(styles));
    w.u16(uint16_t(style_offset));
  }
  if (form == FontForm::kNewest) {
    w.u16(uint16_t(names));
    w.u16(uint16_t(name_offset));
  }
  w.pad_to(header);
  for (const std::string& face : content.faces) write_name(w, face, face_bytes);
  for (const FontDescriptor& d : content.descriptors) {
    if (form == FontForm::kOldest) write_oldest_descriptor(w, d);
    else if (form == FontForm::kMiddle) write_middle_descriptor(w, d);
    else write_descriptor(w, d);
  }
  for (size_t i = 0; i < styles; ++i) write_style(w, content.styles[i], form);
  for (size_t i = 0; i < names; ++i) write_name(w, content.tableNames[i], kTableNameBytes);
  return out;
}

}  // namespace title
