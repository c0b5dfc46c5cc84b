#include "tools/compiler/paragraph_record.h"

#include "engine/adt/paragraph_info.h"
#include "platform/base/byte_io.h"

namespace compiler {
namespace {

constexpr uint8_t kCommandFont = 0x80;
constexpr uint8_t kCommandHotspotEnd = 0x89;
constexpr uint8_t kCommandEnd = 0xFF;
constexpr uint8_t kCommandJump = 0xE3;   // 32-bit context hash follows
constexpr uint8_t kCommandMacro = 0xC8;  // 16-bit length and a NUL-terminated macro follow

}  // namespace

ParagraphRecord::ParagraphRecord(const ParagraphStyle& style) : style_(style) {}

void ParagraphRecord::font(LibraryFont font) {
  text_ += '\0';
  base::ByteWriter w(commands_);
  w.u8(kCommandFont);
  w.u16(uint16_t(font));
}

void ParagraphRecord::text(LibraryFont font, std::string_view run) {
  this->font(font);
  text_ += run;
}

void ParagraphRecord::jump(std::string_view run, uint32_t context_hash) {
  font(LibraryFont::kLink);
  text_ += '\0';
  base::ByteWriter w(commands_);
  w.u8(kCommandJump);
  w.u32(context_hash);
  text_ += run;
  text_ += '\0';
  w.u8(kCommandHotspotEnd);
}

void ParagraphRecord::macro(std::string_view run, std::string_view macro) {
  font(LibraryFont::kLink);
  text_ += '\0';
  base::ByteWriter w(commands_);
  w.u8(kCommandMacro);
  w.u16(uint16_t(macro.size() + 1));
  w.cstring(macro);
  text_ += run;
  text_ += '\0';
  w.u8(kCommandHotspotEnd);
}

titlebuild::TopicRecordSource ParagraphRecord::finish() {
  adt::ParagraphInfo info;
  info.alignment = style_.alignment;
  info.noWrap = style_.no_wrap;
  info.spaceBefore = style_.space_before;
  info.leftIndent = style_.left_indent;
  info.firstIndent = style_.first_indent;
  titlebuild::TopicRecordSource record;
  record.type = adt::kRecordTextCounted;
  base::ByteWriter w(record.format);
  adt::DpEncodeParagraphInfo(info, w);
  w.bytes(commands_.data(), commands_.size());
  w.u8(kCommandEnd);
  record.text = std::move(text_);
  record.text += '\0';
  return record;
}

std::string PlainText(std::string_view stored) {
  std::string plain;
  plain.reserve(stored.size());
  for (char ch : stored)
    if (ch != '\0') plain += ch;
  return plain;
}

}  // namespace compiler
