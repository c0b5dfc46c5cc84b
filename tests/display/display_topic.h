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

struct DisplayTopic {
  explicit DisplayTopic(std::vector<Bytes> records, RECT window = RECT{0, 0, 400, 300});
  medview::Viewer& viewer() { return t.viewer(); }
  layout_test::TestViewer t;
  std::shared_ptr<layout_test::MemoryRecordSource> source;
};

// The plain text of a copied range without its closing NUL.
std::string AsText(const std::vector<uint8_t>& bytes);

}  // namespace display_test
