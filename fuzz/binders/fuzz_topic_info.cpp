// Reads arbitrary bytes as a "Topic Info" drag payload; a record that reads encodes back to the
// same first 16 bytes, and every target's decision is defined for it.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

#include "navigation/topic_drag.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  topicdrag::TopicInfoBlock block;
  if (!topicdrag::DecodeTopicInfo(std::span(data, size), 100000, block)) return 0;
  const auto bytes = topicdrag::EncodeTopicInfo(block);
  if (std::memcmp(bytes.data(), data, bytes.size()) != 0) std::abort();
  for (int w = 0; w <= int(topicdrag::DropWindow::MainFrame); ++w) {
    topicdrag::DropContext c;
    c.window = topicdrag::DropWindow(w);
    c.has_info = true;
    c.info = block;
    c.from_self = block.source_window == topicdrag::WindowToken(&c);
    c.binder_open = (size & 1) != 0;
    c.in_zone = (size & 2) != 0;
    c.ctrl = (size & 4) != 0;
    const DROPEFFECT over = topicdrag::OverEffect(c, topicdrag::RememberedEffect(c));
    if (over & ~(DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK)) std::abort();
    (void)topicdrag::ActionForDrop(c);
  }
  return 0;
}
