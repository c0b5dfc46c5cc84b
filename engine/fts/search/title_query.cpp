#include "engine/fts/search/title_query.h"

#include <cstring>

#include "engine/fts/search/evaluation.h"
#include "engine/fts/search/hit_list_access.h"
#include "engine/fts/search/query_parser.h"
#include "engine/title/title.h"
#include "engine/title/title_text_tables.h"

namespace fts {

HitHighlightHandle TtlQuery(title::TitleHandle* title, uint16_t flags, const char* text,
                            const engine::TopicGroup* scope, int32_t, uint16_t near_distance,
                            engine::TopicGroup* hits_group, int32_t* hit_count, int32_t* total, FtsError* error) {
  if (!title::TtlIsValid(title) || !text) return nullptr;
  FtsSetError(error, kFtsQueryFailed, 0, 0);
  FtsIndex* index = title::TtlGetFtsIndex(title);
  if (!index || !title::TtlGetBreakerTable(title) || !title::TtlGetOperatorTable(title)) return nullptr;

  const size_t length = std::strlen(text);
  if (length > UINT16_MAX) {
    FtsSetError(error, kFtsQueryTooComplex);
    return nullptr;
  }
  FtsParseRequest request;
  request.text = reinterpret_cast<const uint8_t*>(text);
  request.length = uint16_t(length);
  request.breakers = title->breakers.get();
  request.nearDistance = near_distance;
  request.flags = flags & kParseDefaultOr;
  request.scope = scope;
  request.operators = title->operators.get();
  FtsError parse_error;
  QueryTreePtr tree = FtsParseQuery(request, &parse_error);
  if (!tree) {
    if (error) *error = parse_error;
    return nullptr;
  }

  const uint16_t search_flags =
      flags & (kSearchRankByWeight | kSearchSkipFinalPass | kSearchKeepInMemory | kSearchMarkGroup);
  FtsHitListPtr hits = FtsSearch(index, tree.get(), 0, search_flags, hits_group);
  FtsFreeQuery(std::move(tree));
  if (!hits) return nullptr;
  // The result leaves memory for its spill files; when that fails it stays in memory, usable, and the
  // reason is kept in the title's record.
  if (!(flags & kSearchKeepInMemory)) FtsSetError(index->error, FtsSpillHitList(hits.get(), FtsGetHitCount(hits.get())));

  const uint32_t count = FtsGetHitCount(hits.get());
  const uint32_t index_total = FtsGetTotal(hits.get());
  HitHighlightHandle handle = HlCreate(std::move(hits));
  if (!handle) return nullptr;
  if (hit_count) *hit_count = int32_t(count);
  if (total) *total = int32_t(index_total);
  FtsSetError(error, kFtsOk, 0, 0);
  return handle;
}

}  // namespace fts
