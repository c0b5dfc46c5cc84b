#include "engine/fcmanage/topic_address.h"

#include "engine/fcmanage/topic_stream.h"
#include "engine/title/title.h"
#include "engine/title/title_tables.h"

namespace fcmanage {

int32_t FcLocateAddress(title::TitleHandle* title, int32_t address, TopicLocation& location) {
  location = {address, -1, -1};
  if (!TtlIsValid(title)) return 5;
  if (address < 0) return 1;
  const int32_t wanted = address & 0x7FFF;
  int32_t block_number = address >> 15;
  int32_t code = 0;
  const TopicBlockRef block = FcLoadBlock(title, block_number, code);
  if (!block) return 1;
  int32_t current = FcWalkStart(title, *block, MakePosition(block_number, kTopicDecodedLimit - 1), code);
  if (code || current == -1) return 1;
  int64_t total = 0;
  for (uint32_t steps = 0; current != -1 && steps < kMaxWalkSteps; ++steps) {
    RecordHead head;
    if (FcReadRecordHead(title, current, head)) return 1;
    const int32_t count = head.header.count;
    if (total + count > wanted) {
      location.position = current;
      location.charOffset = int32_t(wanted - total);
      return 0;
    }
    total += count;
    const int32_t next = head.envelope.next;
    if (next != -1 && next <= current) return 1;
    current = next;
  }
  return 1;
}

int32_t TtlAddressToPosition(title::TitleHandle* title, int32_t address) {
  if (address == -1) return -1;
  TopicLocation location;
  return FcLocateAddress(title, address, location) == 0 ? location.position : -1;
}

int32_t TtlContextHashToPosition(title::TitleHandle* title, uint32_t hash) {
  return TtlAddressToPosition(title, TtlLookupContextHash(title, hash));
}

int32_t TtlContextStringToPosition(title::TitleHandle* title, const char* context) {
  return TtlAddressToPosition(title, TtlLookupContextString(title, context));
}

int32_t TtlTopicNumberToPosition(title::TitleHandle* title, int32_t topic) {
  return TtlAddressToPosition(title, TtlGetCatalogAddress(title, topic));
}

int32_t TtlStartPosition(title::TitleHandle* title) { return TtlAddressToPosition(title, TtlGetStartAddress(title)); }

}  // namespace fcmanage
