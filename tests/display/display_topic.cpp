#include "tests/display/display_topic.h"

#include "engine/frame/topic_layout.h"

namespace display_test {

Bytes Paragraph(std::string_view text, const adt::ParagraphInfo& info) {
  // Each paragraph ends with the paragraph-end command (0x82), as the compiler writes them.
  return layout_test::TextRecord(info, layout_test::Commands().Byte(0x82).End(), text);
}

uint16_t NumberedSource::load(int32_t position, frame::SourceRecord& out) {
  uint16_t code = records_->load(position, out);
  if (code == 0) out.charBase = (position / 10 - 1) * 100;
  return code;
}

uint16_t LoopingSource::load(int32_t position, frame::SourceRecord& out) {
  uint16_t code = NumberedSource::load(position, out);
  if (code == 0 && position == from_) out.next = to_;
  return code;
}

DisplayTopic::DisplayTopic(std::vector<Bytes> records, RECT window)
    : source(std::make_shared<layout_test::MemoryRecordSource>(std::move(records), 0)) {
  frame::MvSetRecordSource(&viewer(), std::make_shared<NumberedSource>(source));
  frame::MvSetTopic(&viewer(), layout_test::MemoryRecordSource::PositionOf(0), 1, 0, nullptr);
  frame::MvLayoutTopic(&viewer(), &window, nullptr);
}

std::string AsText(const std::vector<uint8_t>& bytes) {
  std::string s(bytes.begin(), bytes.end());
  if (!s.empty() && s.back() == '\0') s.pop_back();
  return s;
}

}  // namespace display_test
