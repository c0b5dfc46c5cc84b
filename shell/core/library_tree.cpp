#include "shell/core/library_tree.h"

#include <algorithm>

namespace shell {

namespace {

// Whether the record has a next sibling that lies after it and inside the index.
bool HasNext(int32_t n, const ContentsRecord& r, int32_t count) { return r.next != n && r.next > n && r.next <= count; }

}  // namespace

int32_t CountDescendants(const ContentsIndexReader& index, int32_t g, int32_t count) {
  ContentsRecord r;
  if (g < 0 || g >= count || !index.ReadRecord(g, r) || r.attachment) return 0;
  const int32_t most = count - g - 1;
  if (HasNext(g, r, count)) return std::clamp(r.next - g - 1, 0, most);
  // The last of its siblings: its range runs to the next sibling of the nearest ancestor that has
  // one (without the attachments of an act passed on the way), or to the end of the index.
  if (r.level == kLevelYearbook) return most;
  int attachments = 0;
  ContentsRecord child = r;
  int32_t a = r.parent;
  for (int step = 0; step < kContentsLevels; ++step) {
    ContentsRecord up;
    if (a < 0 || a >= g || !index.ReadRecord(a, up) || !RisesTo(child, up)) return 0;
    if (up.level == kLevelAct) attachments = up.attachment_number;
    if (HasNext(a, up, count)) return std::clamp(up.next - attachments - g - 1, 0, most);
    if (up.level == kLevelYearbook) return std::clamp(count - attachments - g - 1, 0, most);
    child = up;
    a = up.parent;
  }
  return 0;
}

std::vector<int32_t> ListYearbooks(const ContentsIndexReader& index, int32_t count) {
  std::vector<int32_t> out;
  ContentsRecord r;
  for (int32_t i = 0; i < count && index.ReadRecord(i, r); ++i) {
    if (r.level == kLevelYearbook) out.push_back(i);
  }
  return out;
}

std::vector<TreeChild> ListChildren(const ContentsIndexReader& index, int32_t n, int32_t count) {
  std::vector<TreeChild> out;
  ContentsRecord r;
  if (n < 0 || n >= count || !index.ReadRecord(n, r)) return out;
  const int32_t end = n + 1 + CountDescendants(index, n, count);
  const int lowest = r.level == kLevelIssue ? kLevelAct : r.level == kLevelYearbook ? kLevelIssue : 0;
  for (int32_t g = n + 1; g < end;) {
    ContentsRecord c;
    if (!index.ReadRecord(g, c)) break;
    if (c.level < lowest || (c.attachment && lowest == kLevelAct)) {
      ++g;
      continue;
    }
    const int32_t d = std::min(CountDescendants(index, g, count), end - g - 1);
    out.push_back({g, d});
    if (lowest == kLevelIssue && c.next == g) break;
    g += d + 1;
  }
  return out;
}

std::string TreeTitleText(int32_t n, const ContentsRecord& record, const std::string& text) {
  const size_t hash = text.find('#');
  const std::string t = hash == std::string::npos ? text : text.substr(hash + 1);
  switch (record.level) {
    case 1: case 2: case 3: case 4: case 5: case 6: return t;
    case kLevelAct: return record.attachment ? t : text.substr(0, 3) + "  " + t;
    case kLevelIssue: return n <= 1 ? t : "D.U.  " + t;
    case kLevelYearbook: return n <= 1 ? t : "ROK " + t;
    default: return {};
  }
}

std::string TreePositionText(const ContentsRecord& record) {
  if (record.level != kLevelAct) return {};
  if (!record.attachment) return "poz " + std::to_string(record.number);
  // "zał." in CP1250
  const std::string mark = "za\xB3.";
  return record.attachment_number ? mark + " " + std::to_string(record.attachment_number) : mark;
}

std::vector<int32_t> TreePathTo(const ContentsIndexReader& index, int32_t record) {
  std::vector<int32_t> path;
  ContentsRecord r;
  if (!index.ReadRecord(record, r)) return path;
  path.push_back(record);
  for (int step = 0; r.level != kLevelYearbook; ++step) {
    ContentsRecord up;
    if (step >= kContentsLevels || r.parent >= path.back() || !index.ReadRecord(r.parent, up) ||
        !RisesTo(r, up)) {
      return {};
    }
    path.push_back(r.parent);
    r = up;
  }
  std::reverse(path.begin(), path.end());
  return path;
}

}  // namespace shell
