// The contents index "Index.idx": every topic's place in the journal's structure (yearbook, journal
// issue, act, act part, attachment), built from the tags of the topics' header texts.
//
// File (little-endian): record n (32 bytes, eight 32-bit words) at offset n * 32 for every topic n of
// the catalogue, then the records' title texts (CP1250, no terminators) in record order.
//   word 0: bit 0 attachment flag, bits 1-4 level (9 yearbook, 8 issue, 7 act or attachment, 6-1 act
//           parts), bits 5-24 next sibling (own number when last)
//   word 1: bits 0-19 previous sibling (own number when first), bits 20-25 attachment number (an
//           attachment) or attachment count (an act)
//   word 2: bits 0-6 year within the century, bit 7 "<W1:" marker, bits 8-18 position or issue number
//   word 3: bits 0-23 file offset of the title text
//   word 4: bits 0-19 parent record (0 when none)
//   word 5: zero
//   word 6: bits 0-9 title text length
//   word 7: bits 0-15 first date, bits 16-31 second date (days from 1900-01-01, 0xFFFF none)
//
// Header-text tags read: "<Q:" level letter (its text holding "Z": an attachment), "<W1:", "<D:"
// year "." number [".Z" attachment number], "<T:" and "<X:" the title text's parts after and before
// the "#", "<W:", "<Z:", "<U:", "<V:" dates "YY.MM.DD".
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace shell {

struct ContentsRecord {
  bool attachment = false;
  int level = 0;
  int32_t next = 0;
  int32_t previous = 0;
  int attachment_number = 0;  // attachment: its number; act: its attachment count
  int year = 0;
  bool marker = false;
  int number = 0;
  uint32_t text_offset = 0;
  int32_t parent = 0;
  uint32_t text_length = 0;
  uint16_t first_date = 0;
  uint16_t second_date = 0;
};

inline constexpr size_t kContentsRecordSize = 32;
// Longest title text a record can give back (its length field is read as a signed 10-bit value).
inline constexpr size_t kContentsMaxText = 511;

void EncodeContentsRecord(const ContentsRecord& record, uint8_t* out);
ContentsRecord DecodeContentsRecord(const uint8_t* in);

// Where the builder reads the topics: their number, and each one's header text and title (CP1250),
// in catalogue order.
struct ContentsTopics {
  int32_t count = 0;
  std::function<std::string(int32_t topic)> header_text;
  std::function<std::string(int32_t topic)> title;
};

// The whole file's bytes.
std::vector<uint8_t> BuildContentsIndex(const ContentsTopics& topics);

// Builds the index and writes it at `path` through a temporary file, so that an older, longer index
// never leaves stale records or texts behind; 0 or an OS error code of base::OsError.
int WriteContentsIndex(const ContentsTopics& topics, const std::string& path);

}  // namespace shell
