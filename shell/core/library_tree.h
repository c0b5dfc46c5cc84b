// The library tree's rules over the contents index: which records are an item's children, how
// many descendants a record has, the texts an item shows and the way down to a record. Every link
// read from the index is checked: ranges stay between the record and the record count, climbs
// rise a level at each step and take at most as many steps as there are levels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/core/contents_reader.h"

namespace shell {

struct TreeChild {
  int32_t record = 0;
  int32_t descendants = 0;  // 0: no expand button
};

// Number of records below record g (its descendants), never below 0 nor past `count`.
int32_t CountDescendants(const ContentsIndexReader& index, int32_t g, int32_t count);
// The yearbooks (level 9) among the first `count` records, in order.
std::vector<int32_t> ListYearbooks(const ContentsIndexReader& index, int32_t count);
// The children of record n as the tree lists them: a yearbook its journal issues, an issue its acts
// (not their attachments), an act or act part its parts and attachments.
std::vector<TreeChild> ListChildren(const ContentsIndexReader& index, int32_t n, int32_t count);
// Column 0: the title text of record n with the prefix of its level.
std::string TreeTitleText(int32_t n, const ContentsRecord& record, const std::string& text);
// Column 1: "poz %d" for an act, "zał. %d" (or "zał.") for an attachment, else empty (CP1250).
std::string TreePositionText(const ContentsRecord& record);
// The records from the yearbook down to `record` (the record last), each the parent of the next;
// empty when `record` cannot be read or its chain of parents is broken.
std::vector<int32_t> TreePathTo(const ContentsIndexReader& index, int32_t record);

}  // namespace shell
