// Topic lists and the group entry points of the engine interface.
//
// A topic list is an ordered, countable list of topic numbers over either a search's hit list (in
// rank order) or a topic group (in ascending order). Lists are made by a query, from a stored group
// file, from one topic, or by combining two lists. Live lists are kept in a process-wide registry:
// every entry point checks a handle against it (and its magic), so a freed or foreign handle is
// turned away instead of being read.
#pragma once

#include <cstdint>
#include <string>

#include "engine/COMMON/topic_group.h"
#include "engine/fts/common/fts_error.h"
#include "engine/fts/index/word_wheel.h"
#include "engine/fts/search/hit_highlight.h"
#include "engine/medview/group_file.h"
#include "engine/title/title.h"

namespace medview {

inline constexpr uint32_t kTopicListMagic = 0x544C2100;

// Combination operations.
inline constexpr int32_t kCombineIntersect = 0;
inline constexpr int32_t kCombineUnion = 1;
inline constexpr int32_t kCombineDifference = 2;

// Query flag: collect the hit topics into a group that the list keeps.
inline constexpr uint16_t kQueryHitsGroup = 0x800;

struct HitHighlightRelease {
  void operator()(fts::HitHighlight* hits) const { fts::HlRelease(hits); }
};
using HitHighlightPtr = std::unique_ptr<fts::HitHighlight, HitHighlightRelease>;

struct TopicList {
  uint32_t magic = kTopicListMagic;
  int32_t count = 0;
  int32_t topicCount = 0;  // the title's topic count, or the capacity of a group built from hits
  engine::GroupPtr group;
  HitHighlightPtr hits;
  std::string pendingName;  // group file still to be read
  title::TitleHandle* pendingTitle = nullptr;
  uint16_t error = 0;
};
using TopicListHandle = TopicList*;

// --- Topic lists ---------------------------------------------------------------------------------
TopicListHandle MvCreateEmptyTopicList(uint16_t* code);
// A list holding topic n of the title (0 <= n < topic count); null otherwise.
TopicListHandle MvCreateSingleTopicList(title::TitleHandle* title, int32_t topic);
// With a title the title's stored group `name` + ".GRP" (upper-cased), else the disk file `name`.
TopicListHandle MvLoadTopicListFile(title::TitleHandle* title, const char* name);
// Runs a full-text query (within the scope list's topics when one is given). The list owns the hit
// handle; `hits_out` receives it as well, valid while the list lives.
TopicListHandle MvQueryTopicList(title::TitleHandle* title, uint16_t flags, const char* text, TopicListHandle scope,
                                 uint16_t near_distance, fts::HitHighlightHandle* hits_out, fts::FtsError* error);
TopicListHandle MvCombineTopicLists(int32_t operation, TopicListHandle a, TopicListHandle b);
// Count, -1 for a bad handle (a pending file is read first).
int32_t MvGetTopicListCount(TopicListHandle list);
// The topic of item `index`, -1 out of range or for a bad handle.
int32_t MvGetTopicListItem(TopicListHandle list, int32_t index);
// Frees the list with its hits, group and pending name; bad handles are ignored.
void MvFreeTopicList(TopicListHandle list);
// The list's group, built from its hits when needed (the list keeps it); null on failure.
engine::TopicGroup* MvGetListGroup(TopicListHandle list);
// The list takes the group: 0, or 1012 for a bad handle or no group.
uint16_t MvSetTopicListGroup(TopicListHandle list, engine::GroupPtr group);
engine::GroupPtr MvCopyTopicListGroup(TopicListHandle list, uint16_t* code);
// The keyword entries matching `text`, as a group of entry ordinals.
engine::GroupPtr MvQueryKeywordIndexGroup(fts::WordWheelHandle handle, uint16_t flags, const char* text,
                                          uint16_t* code);

bool MvIsTopicList(TopicListHandle list);
TopicListHandle MvAllocTopicList();
// `name` + `extension`, upper-cased.
std::string MvMakeUpperName(const char* name, const char* extension);
// The pending name of a list that holds neither group nor hits, else null.
const char* MvGetPendingName(TopicListHandle list);
// Reads a pending group file: 0 or the reader's code.
uint16_t MvEnsureLoaded(TopicListHandle list);

// --- Groups --------------------------------------------------------------------------------------
// An empty group for items below n; its first item stays 0.
engine::GroupPtr MvCreateGroup(int32_t capacity, uint16_t* code);
void MvFreeGroup(engine::GroupPtr group);
uint16_t MvAddGroupItem(engine::TopicGroup* group, int32_t item);
uint16_t MvRemoveGroupItem(engine::TopicGroup* group, int32_t item);
// Empties the group in place: 2015 for null.
uint16_t MvClearGroup(engine::TopicGroup* group);
bool MvGroupHasItem(const engine::TopicGroup* group, int32_t item);
int32_t MvGetGroupCount(const engine::TopicGroup* group);
// The n-th item in ascending order, -1 out of range; walking n upwards is linear.
int32_t MvGetGroupItem(engine::TopicGroup* group, int32_t n);
engine::GroupPtr MvUnionGroups(const engine::TopicGroup* a, const engine::TopicGroup* b, uint16_t* code);
engine::GroupPtr MvIntersectGroups(const engine::TopicGroup* a, const engine::TopicGroup* b, uint16_t* code);
engine::GroupPtr MvComplementGroup(const engine::TopicGroup* a, uint16_t* code);
engine::GroupPtr MvCopyGroup(const engine::TopicGroup* a, uint16_t* code);

}  // namespace medview
