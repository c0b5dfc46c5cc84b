#include "engine/medview/topic_list.h"

#include <algorithm>
#include <mutex>
#include <new>
#include <unordered_map>

#include "engine/medview/engine_titles.h"
#include "platform/base/cp1250.h"

namespace medview {
namespace {

using engine::GroupPtr;
using engine::TopicGroup;

// Every live list, owned here; a handle is good only while it is a key.
struct ListRegistry {
  std::mutex lock;
  std::unordered_map<TopicList*, std::unique_ptr<TopicList>> lists;
};

ListRegistry& registry() {
  static ListRegistry instance;
  return instance;
}

void set_code(uint16_t* code, uint16_t value) {
  if (code) *code = value;
}

int32_t title_topic_count(title::TitleHandle* title) {
  return std::max(MvGetTitleInfo(title, title::kInfoTopicCount, 0, nullptr, 0), 0);
}

// a without the items of b, whatever the capacities of the two.
GroupPtr difference(const TopicGroup* a, const TopicGroup* b, uint16_t* code) {
  GroupPtr result = engine::GrpCopy(a, code);
  if (!result) return nullptr;
  const size_t common = std::min(result->bits.size(), b->bits.size());
  for (size_t i = 0; i < common; ++i) result->bits[i] &= uint8_t(~b->bits[i]);
  result->state = 0;
  engine::GrpTrim(result.get());
  return result;
}

}  // namespace

// --- Topic lists ---------------------------------------------------------------------------------

bool MvIsTopicList(TopicListHandle list) {
  if (!list) return false;
  ListRegistry& r = registry();
  std::lock_guard guard(r.lock);
  return r.lists.contains(list) && list->magic == kTopicListMagic;
}

TopicListHandle MvAllocTopicList() {
  auto list = std::unique_ptr<TopicList>(new (std::nothrow) TopicList);
  if (!list) return nullptr;
  TopicList* handle = list.get();
  ListRegistry& r = registry();
  std::lock_guard guard(r.lock);
  try {
    r.lists.emplace(handle, std::move(list));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return handle;
}

void MvFreeTopicList(TopicListHandle list) {
  std::unique_ptr<TopicList> owned;
  {
    ListRegistry& r = registry();
    std::lock_guard guard(r.lock);
    auto it = r.lists.find(list);
    if (it == r.lists.end()) return;
    owned = std::move(it->second);
    r.lists.erase(it);
  }
  owned->magic = 0;
}

TopicListHandle MvCreateEmptyTopicList(uint16_t* code) {
  TopicListHandle list = MvAllocTopicList();
  set_code(code, list ? 0 : kListNoMemory);
  return list;
}

TopicListHandle MvCreateSingleTopicList(title::TitleHandle* title, int32_t topic) {
  if (!MvIsTitleValid(title)) return nullptr;
  const int32_t topics = title_topic_count(title);
  if (topic < 0 || topic >= topics) return nullptr;
  TopicListHandle list = MvAllocTopicList();
  if (!list) return nullptr;
  list->group = MvCreateGroup(topics, nullptr);
  if (!list->group || MvAddGroupItem(list->group.get(), topic)) {
    MvFreeTopicList(list);
    return nullptr;
  }
  list->count = 1;
  list->topicCount = topics;
  return list;
}

std::string MvMakeUpperName(const char* name, const char* extension) {
  std::string upper = std::string(name ? name : "") + (extension ? extension : "");
  base::cp1250::make_upper(upper);
  return upper;
}

const char* MvGetPendingName(TopicListHandle list) {
  if (!MvIsTopicList(list) || list->group || list->hits || list->pendingName.empty()) return nullptr;
  return list->pendingName.c_str();
}

uint16_t MvEnsureLoaded(TopicListHandle list) {
  if (!MvIsTopicList(list)) return kListBadHandle;
  if (!MvGetPendingName(list)) return 0;
  uint16_t code = 0;
  GroupPtr group = MvReadBaggageGroup(list->pendingTitle, list->pendingName.c_str(), &code);
  list->error = code;
  if (!group) return code;
  list->count = group->count;
  list->topicCount = group->capacity;
  list->group = std::move(group);
  list->pendingName.clear();
  list->pendingTitle = nullptr;
  return 0;
}

TopicListHandle MvLoadTopicListFile(title::TitleHandle* title, const char* name) {
  if (!name || !*name || (title && !MvIsTitleValid(title))) return nullptr;
  TopicListHandle list = MvAllocTopicList();
  if (!list) return nullptr;
  list->pendingName = title ? MvMakeUpperName(name, ".GRP") : std::string(name);
  list->pendingTitle = title;
  if (MvGetTitleDeferLevel(title) > 1) return list;
  if (MvEnsureLoaded(list)) {
    MvFreeTopicList(list);
    return nullptr;
  }
  return list;
}

TopicListHandle MvQueryTopicList(title::TitleHandle* title, uint16_t flags, const char* text, TopicListHandle scope,
                                 uint16_t near_distance, fts::HitHighlightHandle* hits_out, fts::FtsError* error) {
  fts::FtsSetErrorCode(error, fts::kFtsQueryFailed);
  if (hits_out) *hits_out = nullptr;
  if (!text || (scope && !MvIsTopicList(scope))) return nullptr;
  TopicListHandle list = MvAllocTopicList();
  if (!list) return nullptr;
  list->topicCount = title_topic_count(title);
  GroupPtr hits_group;
  if (flags & kQueryHitsGroup) {
    hits_group = MvCreateGroup(list->topicCount, nullptr);
    if (!hits_group) {
      MvFreeTopicList(list);
      return nullptr;
    }
  }
  // A scope still waiting for its file is read now, so the query is always limited by it.
  const TopicGroup* scope_group = nullptr;
  if (scope && !(scope_group = MvGetListGroup(scope))) {
    MvFreeTopicList(list);
    return nullptr;
  }
  int32_t total = 0;
  HitHighlightPtr hits(MvQueryTitle(title, flags, text, scope_group, 0, near_distance, hits_group.get(),
                                    &list->count, &total, error));
  list->topicCount = title_topic_count(title);
  if (!hits) {
    MvFreeTopicList(list);
    return nullptr;
  }
  if (hits_group) {
    engine::GrpTrim(hits_group.get());
    list->group = std::move(hits_group);
  }
  if (hits_out) *hits_out = hits.get();
  list->hits = std::move(hits);
  return list;
}

engine::TopicGroup* MvGetListGroup(TopicListHandle list) {
  if (!MvIsTopicList(list) || MvEnsureLoaded(list)) return nullptr;
  if (list->group) return list->group.get();
  GroupPtr group = MvCreateGroup(std::max(list->topicCount, 1), nullptr);
  if (!group) return nullptr;
  if (list->hits && MvAddHitsToGroup(list->hits.get(), group.get())) return nullptr;
  group->state = 0;
  engine::GrpTrim(group.get());
  list->group = std::move(group);
  return list->group.get();
}

TopicListHandle MvCombineTopicLists(int32_t operation, TopicListHandle a, TopicListHandle b) {
  if (operation < kCombineIntersect || operation > kCombineDifference) return nullptr;
  if (!MvIsTopicList(a) || !MvIsTopicList(b)) return nullptr;
  const TopicGroup* ga = MvGetListGroup(a);
  const TopicGroup* gb = MvGetListGroup(b);
  if (!ga || !gb) return nullptr;
  uint16_t code = 0;
  GroupPtr combined = operation == kCombineIntersect ? MvIntersectGroups(ga, gb, &code)
                      : operation == kCombineUnion   ? MvUnionGroups(ga, gb, &code)
                                                     : difference(ga, gb, &code);
  if (!combined) return nullptr;
  combined->error = nullptr;
  TopicListHandle list = MvAllocTopicList();
  if (!list) return nullptr;
  list->count = combined->count;
  list->topicCount = std::max(a->topicCount, b->topicCount);
  list->group = std::move(combined);
  return list;
}

int32_t MvGetTopicListCount(TopicListHandle list) {
  if (!MvIsTopicList(list) || MvEnsureLoaded(list)) return -1;
  return list->count;
}

int32_t MvGetTopicListItem(TopicListHandle list, int32_t index) {
  if (!MvIsTopicList(list) || MvEnsureLoaded(list)) return -1;
  if (index < 0 || index >= list->count) return -1;
  if (list->hits) return MvGetHitTopic(list->hits.get(), uint32_t(index));
  return MvGetGroupItem(list->group.get(), index);
}

uint16_t MvSetTopicListGroup(TopicListHandle list, GroupPtr group) {
  if (!MvIsTopicList(list) || !group) return kListBadHandle;
  // A list with hits goes on answering its hits; the group only backs its combinations.
  if (!list->hits) list->count = group->count;
  list->group = std::move(group);
  list->pendingName.clear();
  return 0;
}

GroupPtr MvCopyTopicListGroup(TopicListHandle list, uint16_t* code) {
  const TopicGroup* group = MvGetListGroup(list);
  if (!group) {
    set_code(code, kListBadHandle);
    return nullptr;
  }
  GroupPtr copy = MvCopyGroup(group, code);
  if (copy) copy->error = nullptr;
  return copy;
}

GroupPtr MvQueryKeywordIndexGroup(fts::WordWheelHandle handle, uint16_t flags, const char* text, uint16_t* code) {
  const int32_t entries = MvGetKeywordCount(handle);
  if (entries <= 0) {
    set_code(code, kListBadHandle);
    return nullptr;
  }
  GroupPtr group = MvCreateGroup(entries, nullptr);
  if (!group) {
    set_code(code, kListNoMemory);
    return nullptr;
  }
  const int32_t result = MvQueryKeywordIndex(handle, flags, text, nullptr, group.get());
  set_code(code, uint16_t(result));
  return result ? nullptr : std::move(group);
}

// --- Groups --------------------------------------------------------------------------------------

GroupPtr MvCreateGroup(int32_t capacity, uint16_t* code) {
  set_code(code, 0);
  GroupPtr group = engine::GrpAlloc(capacity < 0 ? -1 : int32_t((int64_t(capacity) + 7) / 8), capacity, code);
  if (group) group->error = nullptr;
  return group;
}

void MvFreeGroup(GroupPtr group) { engine::GrpFree(group); }

uint16_t MvAddGroupItem(TopicGroup* group, int32_t item) { return engine::GrpAddItem(group, item); }

uint16_t MvRemoveGroupItem(TopicGroup* group, int32_t item) { return engine::GrpRemoveItem(group, item); }

uint16_t MvClearGroup(TopicGroup* group) {
  if (!group) return engine::kGroupMissing;
  if (group->count > 0) std::fill(group->bits.begin(), group->bits.end(), uint8_t(0));
  // Adding and removing the top item leaves a zeroed vector that covers the whole capacity.
  if (group->capacity > 0) {
    const uint16_t added = engine::GrpAddItem(group, group->capacity - 1);
    if (added) return added;
    engine::GrpRemoveItem(group, group->capacity - 1);
  }
  group->count = group->last = group->first = 0;
  group->cacheOrdinal = group->cacheByte = 0;
  group->cacheLastOrdinal = -1;
  return 0;
}

bool MvGroupHasItem(const TopicGroup* group, int32_t item) {
  return group && group->count > 0 && item >= group->first && item <= group->last && group->has_item(item);
}

int32_t MvGetGroupCount(const TopicGroup* group) { return group ? group->count : 0; }

int32_t MvGetGroupItem(TopicGroup* group, int32_t n) { return engine::GrpNthItem(group, n); }

GroupPtr MvUnionGroups(const TopicGroup* a, const TopicGroup* b, uint16_t* code) {
  return engine::GrpUnion(a, b, code);
}

GroupPtr MvIntersectGroups(const TopicGroup* a, const TopicGroup* b, uint16_t* code) {
  return engine::GrpIntersect(a, b, code);
}

GroupPtr MvComplementGroup(const TopicGroup* a, uint16_t* code) { return engine::GrpComplement(a, code); }

GroupPtr MvCopyGroup(const TopicGroup* a, uint16_t* code) { return engine::GrpCopy(a, code); }

}  // namespace medview
