// The contents index "Index.idx": every topic's place in the journal's structure (yearbook, journal
// issue, act, act part, attachment), built from the tags of the topics' header texts.
//
// File (little-endian): record n (32 bytes, eight 32-bit words) at offset n * 32 for every topic n of
// the catalogue, then the records' title texts (CP1250, no terminators) in record order.
//   word 0: bit 0 attachment flag, bits 1-4 level (9 yearbook, 8 issue, 7 act or attachment, 6-1 act
//           parts), bits 5-24 next sibling (own number when last)
//   word 1: bits 0-19 previous sibling (own number when first), bits 20-25 attachment number (an
//           attachment) or attachment count (an act)
//   word 2: bits 0-6 year - 1900 (0-127: 1900 to 2027), bit 7 "<W1:" marker, bits 8-31 position or
//           issue number (24 bits)
//   word 3: bits 0-23 file offset of the title text
//   word 4: bits 0-19 parent record (0 when none)
//   word 5: zero
//   word 6: bits 0-9 title text length
//   word 7: bits 0-15 first date, bits 16-31 second date (days from 1900-01-01, 0xFFFF none)
//
// Years and numbers. Early libraries stored the year as "year within the century" (90 to 99) and the
// number in 11 bits (bits 8-18, at most 2047), with bits 19-31 of word 2 always zero. Journals from
// 2000 on need more, so the year field now holds year - 1900 and the number field takes the zero bits
// as well: an old file reads exactly as before (90 is 1990; its high number bits are zero) and a new
// one holds 2004 as 104 and positions of any size. Every text showing a record's year shows
// ContentsFullYear() (1900 + field), never "19" followed by the field.
//
// Header-text tags read: "<Q:" level letter (its text holding "Z": an attachment), "<W1:", "<D:"
// year "." number [".Z" attachment number] (a four-digit year, or two digits read as 19YY as older
// header texts wrote it), "<T:" and "<X:" the title text's parts after and before the "#", "<W:",
// "<Z:", "<U:", "<V:" dates "YY.MM.DD".
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
  int year = 0;  // year - 1900
  bool marker = false;
  int number = 0;
  uint32_t text_offset = 0;
  int32_t parent = 0;
  uint32_t text_length = 0;
  uint16_t first_date = 0;
  uint16_t second_date = 0;
};

inline constexpr size_t kContentsRecordSize = 32;
inline constexpr int kContentsFirstYear = 1900;
inline constexpr int kContentsLastYear = 1900 + 127;
inline constexpr int kContentsMaxNumber = (1 << 24) - 1;

// The calendar year of a record (1900 + its year field).
inline int ContentsFullYear(const ContentsRecord& record) { return kContentsFirstYear + record.year; }
// The year field for a "<D:" year: four digits as they stand, two digits as 19YY; 0 outside
// 1900-2027.
int ContentsYearField(int tag_year);
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
