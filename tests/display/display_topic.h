// A topic of text records held in memory, laid out on the recording device, for the display tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/layout/record_builder.h"

namespace display_test {

using layout_test::Bytes;

// A text record of `text` in font 0 ('|' ends the text).
Bytes Paragraph(std::string_view text, const adt::ParagraphInfo& info = {});

// The records of a memory topic with the character bases that a title's records have: record i
// starts at character 100 i of the block.
class NumberedSource : public frame::RecordSource {
 public:
  explicit NumberedSource(std::shared_ptr<layout_test::MemoryRecordSource> records) : records_(std::move(records)) {}
  uint16_t load(int32_t position, frame::SourceRecord& out) override;
  uint16_t chunk(int32_t position, fcmanage::TopicChunk& chunk) override { return records_->chunk(position, chunk); }

 private:
  std::shared_ptr<layout_test::MemoryRecordSource> records_;
};

// A damaged chain: the record at `from` leads on to the record at `to` (positions as
// MemoryRecordSource::PositionOf gives them) instead of the one after it.
class LoopingSource : public NumberedSource {
 public:
  LoopingSource(std::shared_ptr<layout_test::MemoryRecordSource> records, int32_t from, int32_t to)
      : NumberedSource(std::move(records)), from_(from), to_(to) {}
  uint16_t load(int32_t position, frame::SourceRecord& out) override;

 private:
  int32_t from_, to_;
};

struct DisplayTopic {
  explicit DisplayTopic(std::vector<Bytes> records, RECT window = RECT{0, 0, 400, 300});
  medview::Viewer& viewer() { return t.viewer(); }
  layout_test::TestViewer t;
  std::shared_ptr<layout_test::MemoryRecordSource> source;
};

// The plain text of a copied range without its closing NUL.
std::string AsText(const std::vector<uint8_t>& bytes);

}  // namespace display_test
