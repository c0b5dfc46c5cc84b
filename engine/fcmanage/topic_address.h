// TopicAddress <-> TextPosition.
//
// TopicAddress = (block << 15) | character offset: the characters (the `count` of each record's
// header) of the records in chain order, starting with the block's first record to walk; the offset
// may run on into the records of following blocks.
#pragma once

#include <cstdint>

namespace title {
struct TitleHandle;
}  // namespace title

namespace fcmanage {

struct TopicLocation {
  int32_t address = -1;
  int32_t position = -1;     // TextPosition of the record holding the character
  int32_t charOffset = -1;  // offset of the character inside that record
};

// 0 found; 1 when the address lies beyond the chain (or cannot be read); 5 without a title.
int32_t FcLocateAddress(title::TitleHandle* title, int32_t address, TopicLocation& location);

// The TextPosition of the record holding the address; -1 when none.
int32_t TtlAddressToPosition(title::TitleHandle* title, int32_t address);
int32_t TtlContextHashToPosition(title::TitleHandle* title, uint32_t hash);
int32_t TtlContextStringToPosition(title::TitleHandle* title, const char* context);
int32_t TtlTopicNumberToPosition(title::TitleHandle* title, int32_t topic);
int32_t TtlStartPosition(title::TitleHandle* title);

}  // namespace fcmanage
