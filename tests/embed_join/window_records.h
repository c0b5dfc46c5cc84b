// Window records and paragraphs that carry them, for the embedded-window tests.
#pragma once

#include <string>
#include <string_view>

#include "engine/adt/topic_record_header.h"
#include "platform/base/byte_io.h"
#include "tests/layout/record_builder.h"

namespace embed_test {

// A window record: header, six unused bytes, the description and its NUL.
inline layout_test::Bytes WindowRecord(const std::string& description) {
  layout_test::Bytes format(6, 0);
  format.insert(format.end(), description.begin(), description.end());
  format.push_back(0);
  layout_test::Bytes record;
  base::ByteWriter w(record);
  adt::DpEncodeRecordHeader({adt::kRecordEmbedded, int32_t(format.size()), 0}, w);
  w.bytes(format);
  return record;
}

// A paragraph whose text is followed by an in-line window.
inline layout_test::Bytes ParagraphWithWindow(std::string_view text, const std::string& description) {
  return layout_test::TextRecord(
      {}, layout_test::Commands().Embedded(0x86, WindowRecord(description)).Byte(0x82).End(), text);
}

}  // namespace embed_test
