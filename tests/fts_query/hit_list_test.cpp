// Hit lists read back from memory and from their spill files: indices across the 100-record buffers,
// occurrence bounds, the limit on spilled hits, damaged spill files and their deletion.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "engine/fts/search/hit_highlight.h"
#include "engine/fts/search/hit_list_access.h"
#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"

namespace fts {
namespace {

// Hit n is topic 1000 + n with n % 7 + 1 occurrences at addresses 100 n + 10 k, length k + 1.
FtsHitListPtr make_list(uint32_t hits) {
  auto list = std::make_unique<FtsHitList>();
  list->total = 99999;
  for (uint32_t n = 0; n < hits; ++n) {
    FtsHit hit;
    hit.topic = 1000 + n;
    for (uint32_t k = 0; k <= n % 7; ++k) hit.occurrences.push_back({k, 100 * n + 10 * k, 0, uint8_t(k + 1), 0});
    hit.count = uint32_t(hit.occurrences.size());
    list->hits.push_back(std::move(hit));
  }
  return list;
}

// The open files of the temporary folder, as paths that reopen them (spill files have no name of their
// own), the hit file (the smaller) first.
std::vector<std::string> spill_files() {
  std::vector<std::pair<uintmax_t, std::string>> found;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code ec;
    const std::string target = std::filesystem::read_symlink(entry.path(), ec).string();
    if (ec || target.rfind(base::temp_folder() + "/", 0) != 0) continue;
    found.push_back({std::filesystem::file_size(entry.path(), ec), entry.path().string()});
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> out;
  for (const auto& f : found) out.push_back(f.second);
  return out;
}

void expect_readable(FtsHitList* list, uint32_t hits) {
  ASSERT_EQ(FtsGetHitCount(list), hits);
  for (uint32_t n : {0u, 150u, 99u, hits - 1}) {
    if (n >= hits) continue;
    FtsHitRef hit;
    ASSERT_EQ(FtsGetHit(list, n, &hit), 0) << n;
    EXPECT_EQ(hit.topic, 1000 + n);
    ASSERT_EQ(hit.count, n % 7 + 1);
    for (uint32_t k = 0; k < hit.count; ++k) {
      FtsOccurrenceRef occ;
      ASSERT_EQ(FtsGetHitOccurrence(list, hit, k, &occ), 0);
      EXPECT_EQ(occ.address, 100 * n + 10 * k);
      EXPECT_EQ(occ.length, k + 1);
    }
    FtsOccurrenceRef occ;
    EXPECT_EQ(FtsGetHitOccurrence(list, hit, hit.count, &occ), kFtsBadArgument);
  }
  FtsHitRef hit;
  EXPECT_EQ(FtsGetHit(list, hits, &hit), kFtsBadArgument);
}

TEST(HitList, SpilledListReadsBackAcrossBuffers) {
  ASSERT_TRUE(spill_files().empty());
  FtsHitListPtr list = make_list(250);
  ASSERT_EQ(FtsSpillHitList(list.get(), 250), 0);
  EXPECT_TRUE(list->hits.empty());
  EXPECT_EQ(spill_files().size(), 2u);
  EXPECT_EQ(FtsGetTotal(list.get()), 99999u);
  expect_readable(list.get(), 250);

  engine::GroupPtr group = engine::GrpCreate(2000, nullptr);
  ASSERT_EQ(FtsHitsToGroup(group.get(), list.get()), 0);
  EXPECT_EQ(group->count, 250);
  EXPECT_TRUE(group->has_item(1000) && group->has_item(1249) && !group->has_item(1250));

  FtsFreeHitList(std::move(list));
  EXPECT_TRUE(spill_files().empty());
}

TEST(HitList, InMemoryListAndItsLimits) {
  FtsHitListPtr list = make_list(250);
  expect_readable(list.get(), 250);
  FtsHitRef hit;
  EXPECT_EQ(FtsGetHitByTopic(list.get(), 1042, &hit), 0);
  EXPECT_EQ(hit.index, 42u);
  EXPECT_EQ(FtsGetHitByTopic(list.get(), 7, &hit), kFtsBadArgument);
  EXPECT_EQ(FtsGetHitCount(nullptr), 0u);
  EXPECT_EQ(FtsGetHit(nullptr, 0, &hit), kFtsBadArgument);

  // Spilling fewer hits keeps only those.
  ASSERT_EQ(FtsSpillHitList(list.get(), 120), 0);
  expect_readable(list.get(), 120);
  list.reset();
  EXPECT_TRUE(spill_files().empty());

  // More than 65,535 hits are not spilled and stay readable from memory.
  FtsHitListPtr large = make_list(65536);
  EXPECT_EQ(FtsSpillHitList(large.get(), 65536), kFtsBadArgument);
  EXPECT_TRUE(spill_files().empty());
  expect_readable(large.get(), 65536);
}

TEST(HitList, DamagedSpillFilesAreNotTrusted) {
  FtsHitListPtr list = make_list(250);
  ASSERT_EQ(FtsSpillHitList(list.get(), 250), 0);
  // Nothing of the spill is left in the folder by name.
  EXPECT_TRUE(std::filesystem::is_empty(base::temp_folder()));
  const std::vector<std::string> files = spill_files();
  ASSERT_EQ(files.size(), 2u);
  const std::string hit_file = files.front();
  // Hit 200's occurrence offset now points far past the occurrence file; hit 201 claims 2^31 of them.
  base::OsFile f;
  ASSERT_EQ(f.open(hit_file, base::OpenMode::ReadWrite), base::OsError::None);
  const uint8_t far[4] = {0x40, 0x42, 0x0F, 0x00};
  const uint8_t many[4] = {0, 0, 0, 0x80};
  ASSERT_EQ(f.write_at(200 * 20 + 4, far, 4), base::OsError::None);
  ASSERT_EQ(f.write_at(201 * 20 + 16, many, 4), base::OsError::None);
  f.close();
  FtsHitRef hit;
  EXPECT_EQ(FtsGetHit(list.get(), 200, &hit), kFtsReadFailed);
  EXPECT_EQ(FtsGetHit(list.get(), 201, &hit), kFtsReadFailed);
  // A forged reference is refused too.
  ASSERT_EQ(FtsGetHit(list.get(), 202, &hit), 0);
  hit.occurrenceOffset = 0xFFFFFFF0u;
  FtsOccurrenceRef occ;
  EXPECT_EQ(FtsGetHitOccurrence(list.get(), hit, 0, &occ), kFtsBadArgument);
  // The buffered records before the damage still read.
  ASSERT_EQ(FtsGetHit(list.get(), 5, &hit), 0);
  EXPECT_EQ(hit.topic, 1005u);
  // Truncated files read short: 2013, not stale or foreign records.
  ASSERT_EQ(f.open(hit_file, base::OpenMode::ReadWrite), base::OsError::None);
  ASSERT_EQ(f.set_size(20 * 120), base::OsError::None);
  f.close();
  EXPECT_EQ(FtsGetHit(list.get(), 130, &hit), kFtsReadFailed);
}

TEST(HitList, FinalOrdering) {
  // Occurrences: ascending by address, a repeated address once.
  FtsHitListPtr list = std::make_unique<FtsHitList>();
  list->hits.push_back({7, 0, 0, {{0, 50, 1, 2, 0}, {1, 10, 1, 2, 0}, {2, 50, 1, 2, 0}, {3, 30, 1, 2, 0}}});
  ASSERT_EQ(FtsSortHits(list.get(), kSortOccurrences), 0);
  ASSERT_EQ(list->hits[0].occurrences.size(), 3u);
  EXPECT_EQ(list->hits[0].count, 3u);
  EXPECT_EQ(list->hits[0].occurrences[0].address, 10u);
  EXPECT_EQ(list->hits[0].occurrences[2].address, 50u);

  // Hits: descending count; equal counts keep topic order, with many hits as with few.
  for (uint32_t hits : {20u, 21u, 40000u}) {
    list = std::make_unique<FtsHitList>();
    for (uint32_t n = 0; n < hits; ++n) list->hits.push_back({n, n % 3 == 0 ? 5u : 2u, uint16_t(n % 5), {}});
    ASSERT_EQ(FtsSortHits(list.get(), kSortByCount), 0);
    for (uint32_t n = 1; n < hits; ++n) {
      const FtsHit& a = list->hits[n - 1];
      const FtsHit& b = list->hits[n];
      ASSERT_TRUE(a.count > b.count || (a.count == b.count && a.topic < b.topic)) << hits << " " << n;
    }
    ASSERT_EQ(FtsSortHits(list.get(), kSortByWeight), 0);
    for (uint32_t n = 1; n < hits; ++n) ASSERT_GE(list->hits[n - 1].weight, list->hits[n].weight);
  }
  EXPECT_EQ(FtsSortHits(list.get(), 4), kFtsBadArgument);
  EXPECT_EQ(FtsSortHits(nullptr, kSortByCount), kFtsBadArgument);
}

TEST(HitList, TopicListsSortByAddressUpToTheirCap) {
  // The index delivered topic 3's words from the back; topic 4 has one word more than a list holds.
  FtsHitListPtr list = std::make_unique<FtsHitList>();
  FtsHit three{3, 0, 0, {}};
  for (uint32_t k = 0; k < 5040; ++k) three.occurrences.push_back({k, 100000 - 10 * k, 0, 4, 0});
  FtsHit four{4, 0, 0, {}};
  for (uint32_t k = 0; k < 5041; ++k) four.occurrences.push_back({k, 10 * k, 0, 4, 0});
  list->hits.push_back(std::move(three));
  list->hits.push_back(std::move(four));
  ASSERT_EQ(FtsSpillHitList(list.get(), 2), 0);
  HitHighlightHandle hl = HlCreate(std::move(list));
  ASSERT_TRUE(hl);
  TopicHitListPtr copy = HlCopyTopicOccurrences(hl, 3);
  ASSERT_TRUE(copy);
  ASSERT_EQ(copy->entries.size(), 5040u);
  EXPECT_EQ(copy->entries.front().address, 100000u - 10 * 5039);
  EXPECT_TRUE(std::is_sorted(copy->entries.begin(), copy->entries.end(),
                             [](const TopicHitEntry& a, const TopicHitEntry& b) { return a.address < b.address; }));
  EXPECT_EQ(HlSelectTopic(hl, 4), 0u);
  EXPECT_FALSE(HlCopyTopicOccurrences(hl, 4));
  int32_t code = 0;
  EXPECT_EQ(HlGetOccurrenceCount(hl, 1, &code), 5041);
  EXPECT_EQ(HlGetOccurrence(hl, 1, 0), -1);
  // Releasing the handle frees the hit list and deletes its spill files.
  EXPECT_EQ(spill_files().size(), 2u);
  HlRelease(hl);
  EXPECT_TRUE(spill_files().empty());
}

}  // namespace
}  // namespace fts
