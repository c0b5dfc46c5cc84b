#include "shell/core/contents_reader.h"

#include <algorithm>
#include <cstring>

namespace shell {

bool RisesTo(const ContentsRecord& child, const ContentsRecord& parent) {
  if (parent.level > child.level) return true;
  return child.attachment && !parent.attachment && child.level == kLevelAct && parent.level == kLevelAct;
}

base::OsError ContentsIndexReader::Open(const std::string& path) {
  Close();
  base::OsError e = file_.open(path, base::OpenMode::Read);
  if (e != base::OsError::None) return e;
  e = file_.size(size_);
  if (e != base::OsError::None) {
    file_.close();
    size_ = 0;
  }
  FindRecordsEnd();
  return e;
}

void ContentsIndexReader::OpenBytes(std::span<const uint8_t> bytes) {
  Close();
  bytes_.assign(bytes.begin(), bytes.end());
  size_ = bytes_.size();
  from_bytes_ = true;
  FindRecordsEnd();
}

void ContentsIndexReader::Close() {
  file_.close();
  bytes_.clear();
  from_bytes_ = false;
  size_ = 0;
  records_end_ = 0;
}

bool ContentsIndexReader::ReadAt(uint64_t offset, void* out, size_t size) const {
  if (offset > size_ || size > size_ - offset) return false;
  if (from_bytes_) {
    if (size) std::memcpy(out, bytes_.data() + offset, size);
    return true;
  }
  if (!file_.is_open()) return false;
  return const_cast<base::OsFile&>(file_).read_at(offset, out, size) == base::OsError::None;
}

void ContentsIndexReader::FindRecordsEnd() {
  // The texts follow the records: where the first text begins, the records end. Records without
  // a text (topics outside the journal's structure) hold no offset and are passed over.
  records_end_ = size_ / kContentsRecordSize;
  uint8_t bytes[kContentsRecordSize];
  for (uint64_t i = 0; i < records_end_ && ReadAt(i * kContentsRecordSize, bytes, sizeof bytes); ++i) {
    const ContentsRecord r = DecodeContentsRecord(bytes);
    if (r.text_length > 0) {
      records_end_ = std::min<uint64_t>(records_end_, r.text_offset / kContentsRecordSize);
      break;
    }
  }
}

int32_t ContentsIndexReader::RecordCount() const {
  int64_t count = int64_t(std::min<uint64_t>(records_end_, INT32_MAX));
  if (topic_count_ >= 0) count = std::min<int64_t>(count, topic_count_);
  return int32_t(count);
}

bool ContentsIndexReader::ReadRecord(int32_t n, ContentsRecord& record) const {
  if (n < 0 || n >= RecordCount()) return false;
  uint8_t bytes[kContentsRecordSize];
  if (!ReadAt(uint64_t(n) * kContentsRecordSize, bytes, sizeof bytes)) return false;
  record = DecodeContentsRecord(bytes);
  return true;
}

bool ContentsIndexReader::ReadText(const ContentsRecord& record, std::string& text) const {
  std::string out(record.text_length, '\0');
  if (!ReadAt(record.text_offset, out.data(), out.size())) return false;
  text = std::move(out);
  return true;
}

int32_t ContentsIndexReader::FindAncestor(int32_t n, ContentsRecord& record, int wanted) const {
  if (n < 0) return 0;
  ContentsRecord current;
  if (!ReadRecord(n, current)) return -1;
  int32_t number = n;
  for (int steps = 0; steps < kContentsLevels; ++steps) {
    if (current.level > wanted || (current.level == wanted && !current.attachment)) break;
    ContentsRecord parent;
    if (!ReadRecord(current.parent, parent) || !RisesTo(current, parent)) break;
    number = current.parent;
    current = parent;
  }
  record = current;
  return number;
}

void ContentsIndexReader::FillLevel(ActDescription& d, int level, int32_t number, const ContentsRecord& r,
                                    bool own) const {
  std::string text;
  ReadText(r, text);
  d.records[size_t(level)] = number;
  if (level < kLevelAct) {
    d.texts[size_t(level)] = std::move(text);
    if (own) d.second_date = r.first_date;
  } else if (level == kLevelAct) {
    d.texts[size_t(level)] = std::move(text);
    d.act_date = r.first_date;
    d.second_date = r.second_date;
    d.position = r.number;
    d.year = r.year;
  } else if (level == kLevelIssue) {
    d.texts[size_t(level)] = std::move(text);
    d.publication_date = r.first_date;
    d.issue_number = r.number;
    d.year = r.year;
  } else {
    d.texts[size_t(level)] = std::move(text);
    d.year = r.year;
  }
}

void ContentsIndexReader::Describe(int32_t n, ActDescription& d) const {
  ContentsRecord r;
  if (!ReadRecord(n, r) || r.level < 1 || r.level > kLevelYearbook) return;
  const int level = r.level;
  const bool attachment = r.attachment && level == kLevelAct;
  d.record = r;
  for (int k = 0; k < level; ++k) {
    d.records[size_t(k)] = -1;
    d.texts[size_t(k)].clear();
  }
  if (level == kLevelYearbook) d.issue_number = 0;
  if (level >= kLevelIssue) d.position = 0;

  if (attachment) {
    // Its act fills the act level below; its own title stays as the unit's text.
    d.records[size_t(level)] = n;
    ReadText(r, d.texts[0]);
  } else {
    FillLevel(d, level, n, r, true);
  }

  ContentsRecord child = r;
  ContentsRecord parent;
  int32_t parent_number = r.parent;
  bool have_parent = ReadRecord(parent_number, parent) && RisesTo(child, parent);
  for (int k = attachment ? level : level + 1; k <= kLevelYearbook; ++k) {
    if (have_parent && parent.level == k) {
      if (d.records[size_t(k)] == parent_number) break;  // filled by an earlier description
      FillLevel(d, k, parent_number, parent, false);
      child = parent;
      parent_number = child.parent;
      have_parent = ReadRecord(parent_number, parent) && RisesTo(child, parent);
    } else {
      d.records[size_t(k)] = 0;
      d.texts[size_t(k)].clear();
      if (k == kLevelAct) d.position = 0, d.year = 0;
      if (k == kLevelIssue) d.issue_number = 0;
    }
  }
}

}  // namespace shell
