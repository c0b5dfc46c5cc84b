// Reading the contents index "Index.idx" (format in contents_index.h): records by topic number,
// their title texts, the walk from a record up to its act, issue or yearbook, and the act
// description that lists, citations and print headers are built from.
//
// Every read is checked against the file: a record number must lie below the record count (the
// records end where the first title text begins, and no later than the title's topic count when
// one is given), and a text must lie wholly inside the file. Walks upward never loop: each step
// must rise a level (an attachment may step to its act on the same level), and a walk takes at
// most as many steps as there are levels.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/base/os_file.h"
#include "shell/core/contents_index.h"

namespace shell {

inline constexpr int kContentsLevels = 10;   // levels 0 to 9
inline constexpr int kLevelAct = 7;
inline constexpr int kLevelIssue = 8;
inline constexpr int kLevelYearbook = 9;
inline constexpr uint16_t kContentsNoDate = 0xFFFF;

// One record and all its ancestors. Record numbers per level are -1 when cleared and 0 when the
// level is missing above the record; they also let the next description of a record of the same
// act or issue skip re-reading what is already filled.
struct ActDescription {
  ContentsRecord record;     // the record described
  int32_t position = 0;      // the act's position ("poz.")
  int32_t issue_number = 0;  // the journal issue's number ("Nr")
  int year = 0;              // year - 1900, as the records store it
  uint16_t act_date = 0;     // days from 1900-01-01 (kContentsNoDate none)
  uint16_t publication_date = 0;
  uint16_t second_date = 0;
  std::array<int32_t, kContentsLevels> records;
  // Texts by level: 9 yearbook, 8 issue, 7 act ("kind#subject"), 6 to 1 the act's parts. Level 0
  // holds the unit's own text below the act: an attachment's title (its act fills level 7).
  std::array<std::string, kContentsLevels> texts;

  ActDescription() { records.fill(-1); }
  int FullYear() const { return kContentsFirstYear + year; }
};

class ContentsIndexReader {
 public:
  // Opens the file read-only; its size is taken once (the file is only read).
  base::OsError Open(const std::string& path);
  // Reads from a copy of `bytes` instead of a file.
  void OpenBytes(std::span<const uint8_t> bytes);
  void Close();
  bool IsOpen() const { return file_.is_open() || from_bytes_; }

  // The title's topic count caps the records (a negative count: no cap).
  void SetTopicCount(int32_t topics) { topic_count_ = topics; }
  // Number of records that can be read.
  int32_t RecordCount() const;

  // False for a number outside 0 .. RecordCount() - 1 or a failed read.
  bool ReadRecord(int32_t n, ContentsRecord& record) const;
  // The record's title text (CP1250); false when it does not lie inside the file.
  bool ReadText(const ContentsRecord& record, std::string& text) const;
  // From record n up to the nearest record of level `wanted` (7 act, 8 issue, 9 yearbook): n when
  // its level is already above `wanted`, else the last record reached going up through parents
  // (an attachment first steps to its act). 0 for a negative n, -1 when record n cannot be read.
  // `record` receives the record returned.
  int32_t FindAncestor(int32_t n, ContentsRecord& record, int wanted) const;
  // Fills `d` with record n and its ancestors; a number that cannot be read leaves `d` as it was.
  void Describe(int32_t n, ActDescription& d) const;

 private:
  void FindRecordsEnd();
  bool ReadAt(uint64_t offset, void* out, size_t size) const;
  void FillLevel(ActDescription& d, int level, int32_t number, const ContentsRecord& r, bool own) const;

  base::OsFile file_;
  std::vector<uint8_t> bytes_;
  bool from_bytes_ = false;
  uint64_t size_ = 0;
  uint64_t records_end_ = 0;
  int32_t topic_count_ = -1;
};

// A step up from `child` to `parent` is sound when the parent's level is higher, or when the child
// is an attachment and the parent is its act (level 7, no attachment itself).
bool RisesTo(const ContentsRecord& child, const ContentsRecord& parent);

}  // namespace shell
