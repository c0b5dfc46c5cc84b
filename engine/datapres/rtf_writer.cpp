#include "engine/datapres/rtf_writer.h"

#include <cstdio>

namespace datapres {

namespace {

// Twips in a 1/144 inch.
constexpr int32_t kTwipsPerStoredUnit = 10;
// Weights from semi-bold up are written bold.
constexpr int32_t kBoldWeight = 600;

void Append(std::string& out, const char* format, int32_t value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, format, value);
  out += buffer;
}

}  // namespace

std::string_view RtfFamilyWord(uint8_t pitchAndFamily) {
  switch (pitchAndFamily & 0xF0) {
    case 0x10: return "froman";
    case 0x20: return "fswiss";
    case 0x30: return "fmodern";
    case 0x40: return "fscript";
    case 0x50: return "fdecor";
    default: return "fnil";
  }
}

int32_t RtfTwips(int32_t value, bool twips) { return twips ? value : value * kTwipsPerStoredUnit; }

void RtfWriter::text_paragraph(const adt::ParagraphInfo& info) {
  bool twips = (info.paraFlags & 1) != 0;
  char alignment = info.alignment == 1 ? 'r' : info.alignment == 2 ? 'c' : 'l';
  body_ += "\\pard\\q";
  body_ += alignment;
  Append(body_, "\\fi%d", RtfTwips(info.firstIndent, twips));
  Append(body_, "\\li%d", RtfTwips(info.leftIndent, twips));
  Append(body_, "\\ri%d", RtfTwips(info.rightIndent, twips));
  Append(body_, "\\sb%d", RtfTwips(info.spaceBefore, twips));
  Append(body_, "\\sa%d", RtfTwips(info.spaceAfter, twips));
  Append(body_, "\\sl%d", RtfTwips(info.lineSpacing, twips));
  body_ += "\\plain";
}

void RtfWriter::plain_paragraph() { body_ += "\\pard"; }

void RtfWriter::run(const RtfFace& face, const RtfRunFormat& format, std::span<const uint8_t> text) {
  faces_.try_emplace(face.number, face);
  content_ = true;
  body_ += '{';
  Append(body_, "\\f%d", face.number);
  Append(body_, "\\fs%d", 2 * (format.points < 0 ? -format.points : format.points));
  if (format.weight >= kBoldWeight) body_ += "\\b";
  if (format.underline) body_ += "\\ul";
  if (format.italic) body_ += "\\i";
  if (format.smallCaps) body_ += "\\scaps";
  if (format.raise > 0) Append(body_, "\\up%d", format.raise);
  if (format.raise < 0) Append(body_, "\\dn%d", -format.raise);
  body_ += ' ';
  for (uint8_t c : text) {
    // Bytes outside space..'z' (braces, bar, tilde, the code page's letters) and the backslash are
    // escaped.
    if (c < ' ' || c > 'z' || c == '\\') {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\'%02x", c);
      body_ += escape;
    } else {
      body_ += char(c);
    }
  }
  body_ += '}';
}

void RtfWriter::tab() { body_ += "\\tab"; }
void RtfWriter::paragraph_break() { body_ += "\\par"; }
void RtfWriter::line_break() { body_ += "\\line"; }
void RtfWriter::non_breaking_space() { body_ += "\\~"; }

void RtfWriter::append_item(std::string_view rtf) {
  if (rtf.empty()) return;
  body_ += rtf;
  content_ = true;
}

void RtfWriter::picture(int32_t width, int32_t height, std::span<const uint8_t> metafile) {
  char head[160];
  std::snprintf(head, sizeof head, "{\\pict\\wmetafile8\\picw%d\\pich%d\\picwgoal%d\\pichgoal%d ", width * 15,
                height * 15, width * 15, height * 15);
  body_ += head;
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (uint8_t b : metafile) {
    body_ += kHex[b >> 4];
    body_ += kHex[b & 15];
  }
  body_ += '}';
  content_ = true;
}

std::string RtfWriter::document() const {
  std::string out = "{\\rtf1\\ansi\\ansicpg1250\\deff0 {\\fonttbl";
  for (const auto& [number, face] : faces_) {
    char entry[48];
    std::snprintf(entry, sizeof entry, " {\\f%d\\", number);
    out += entry;
    out += RtfFamilyWord(face.pitchAndFamily);
    out += "\\fcharset238 ";
    out += face.name;
    out += ";}";
  }
  out += "}\r\n";
  out += body_;
  out += "}";
  return out;
}

}  // namespace datapres
