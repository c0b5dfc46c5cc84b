#include "engine/fcmanage/topic_record.h"
#include "engine/frame/record_source.h"

namespace frame {

namespace {

void CopyRecord(const fcmanage::TopicRecord& record, SourceRecord& out) {
  out.position = record.position;
  out.previous = record.previous;
  out.next = record.next;
  out.charBase = record.charOffset;
  out.storedSize = record.storedSize;
  out.topicHeader = record.is_topic_header();
  out.bytes = record.bytes;
}

class TitleRecordSource : public RecordSource {
 public:
  explicit TitleRecordSource(title::TitleHandle* title) : title_(title) {}

  uint16_t load(int32_t position, SourceRecord& out) override {
    int32_t code = 0;
    fcmanage::TopicRecordPtr record = fcmanage::FcLoadRecord(title_, position, code);
    if (!record) return uint16_t(code ? code : 1011);
    CopyRecord(*record, out);
    return 0;
  }

  uint16_t chunk(int32_t position, fcmanage::TopicChunk& chunk) override {
    int32_t code = 0;
    fcmanage::TopicRecordPtr record = fcmanage::FcGetChunk(title_, position, chunk, code);
    if (!record) return uint16_t(code ? code : 1005);
    return 0;
  }

 private:
  title::TitleHandle* title_;
};

}  // namespace

std::shared_ptr<RecordSource> FrTitleRecordSource(title::TitleHandle* title) {
  return std::make_shared<TitleRecordSource>(title);
}

}  // namespace frame
