// Keyword indexes of a title: a sorted list of keywords, each with the topic addresses it refers to.
//
// A keyword index named n is a set of internal files of the title:
//   n + "KWBTREE" (n + ".WWT" for names without a leading '|')  B-tree of the keywords
//   n + "KWMAP"   (n + ".WWM")                                   ordinal map of that B-tree
//   n + "KWDATA"  (only for '|' names)                           the topic addresses
//   n + "KWINDEX" (n + ".WWI"), optional                         full-text index of the keywords
// A keyword's B-tree record is 6 bytes: u16 number of topic addresses, u32 byte offset of its list in
// the keyword data, which holds the lists one after the other as runs of 32-bit TopicAddress values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/fts/common/fts_error.h"
#include "engine/fts/index/fts_index.h"
#include "engine/mvfs/btree.h"

namespace title {
struct TitleHandle;
}

namespace fts {

inline constexpr uint32_t kWordWheelMagic = 0x00215757;  // 'W', 'W', '!', 0
inline constexpr int32_t kWwBadHandle = 1012;
inline constexpr int32_t kWwOrdinalOutOfRange = 1037;
inline constexpr size_t kWwMaxFileName = 38;
inline constexpr uint32_t kWwRecordSize = 6;
inline constexpr uint16_t kWwKeywordAbsent = 0xFFFF;

// The six bytes of a keyword's B-tree record.
struct KeywordRecord {
  uint16_t count = 0;    // topic addresses
  uint32_t offset = 0;   // byte offset of the list in the keyword data
};

// The internal file names of keyword index `name`.
struct KeywordIndexNames {
  std::string btree, map, data, index;  // data is empty for names without a leading '|'
};
KeywordIndexNames WwFileNames(const std::string& name);

struct WordWheel {
  uint32_t magic = kWordWheelMagic;
  title::TitleHandle* title = nullptr;
  mvfs::BtreePtr tree;
  mvfs::BtMapPtr map;
  mvfs::InternalFilePtr data;  // null for names without a leading '|'
  int64_t dataSize = 0;
  int32_t count = 0;
  char keyType = 'z';  // of the B-tree's keys
  FtsIndexPtr index;  // null when the keyword index has no full-text index
  FtsError error;     // where the keyword full-text index reports
};
using WordWheelHandle = WordWheel*;

// Opens the keyword index `name` of the title; null when a part other than the full-text index does
// not open or a composed name is longer than 38 characters. The title must stay open until WwClose.
WordWheelHandle WwOpen(title::TitleHandle* title, const char* name, bool read_only);
void WwClose(WordWheelHandle handle);

// Number of keywords, -1 for a bad handle.
int32_t WwGetCount(WordWheelHandle handle);
// The keyword of that ordinal into the buffer (NUL-terminated, cut to its size): 0; 1037 ordinal out
// of range; 1012 bad handle; else the B-tree's code.
int32_t WwGetString(WordWheelHandle handle, int32_t ordinal, char* buffer, size_t buffer_size);
// The ordinal that a typed text leads to, -1 on error.
int32_t WwFindPosition(WordWheelHandle handle, const char* text);
// 0 found, else the B-tree's code (1 for a bad handle).
int32_t WwLookup(WordWheelHandle handle, const char* keyword, KeywordRecord* out);
// Number of topic addresses of the keyword, 0xFFFF when it is absent.
uint16_t WwGetKeywordTopicCount(WordWheelHandle handle, const char* keyword);
// Reads addresses first .. first + count - 1 of the keyword into `out` (room for `count`); asking past
// the keyword's own addresses gets only those. Bytes read, -1 on error (bad handle, no keyword data,
// an absent keyword, `first` past its addresses).
int64_t WwGetKeywordTopics(WordWheelHandle handle, const char* keyword, uint32_t first, uint32_t count,
                           uint32_t* out);
// Stores `count` in the keyword's record; true on success.
bool WwInsertKeyword(WordWheelHandle handle, const char* keyword, uint16_t count);

}  // namespace fts
