#include "engine/fts/search/word_wheel_query.h"

#include <cstring>
#include <optional>

#include "engine/fts/search/evaluation.h"
#include "engine/fts/search/query_parser.h"
#include "engine/title/title.h"
#include "engine/title/title_text_tables.h"

namespace fts {
namespace {

// Slot 0 of the title's breaker table as a plain word breaker without its stop list, for the life of
// this object; then exactly as it was, so that later title queries break and stop words as before.
class PlainWordSlot {
 public:
  explicit PlainWordSlot(BreakerSlot& slot) : slot_(slot), breaker_(slot.breaker), stopList_(std::move(slot.stopList)) {
    slot_.breaker = BreakerKind::kWords;
  }
  ~PlainWordSlot() {
    slot_.breaker = breaker_;
    slot_.stopList = std::move(stopList_);
  }
  PlainWordSlot(const PlainWordSlot&) = delete;
  PlainWordSlot& operator=(const PlainWordSlot&) = delete;

 private:
  BreakerSlot& slot_;
  std::optional<BreakerKind> breaker_;
  StopListPtr stopList_;
};

}  // namespace

int32_t WwQuery(WordWheelHandle handle, uint16_t flags, const char* text, const engine::TopicGroup* scope,
                engine::TopicGroup* result) {
  if (!handle || handle->magic != kWordWheelMagic || !handle->tree) return kWwBadHandle;
  if (!handle->index) return kWwNoIndex;
  title::TitleHandle* title = handle->title;
  if (!text || !title::TtlGetBreakerTable(title) || !title::TtlGetOperatorTable(title)) return kFtsQueryFailed;
  const size_t length = std::strlen(text);
  if (length > UINT16_MAX) return FtsSetError(&handle->error, kFtsQueryTooComplex);

  FtsParseRequest request;
  request.text = reinterpret_cast<const uint8_t*>(text);
  request.length = uint16_t(length);
  request.breakers = title->breakers.get();
  request.nearDistance = 1;
  request.flags = flags & kParseDefaultOr;
  request.scope = scope;
  request.operators = title->operators.get();
  FtsError parse_error;
  QueryTreePtr tree;
  {
    const PlainWordSlot plain(title->breakers->slots[0]);
    tree = FtsParseQuery(request, &parse_error);
  }
  if (!tree) {
    handle->error = parse_error;
    return parse_error.code;
  }

  FtsSetError(&handle->error, kFtsOk);
  const uint16_t search_flags = uint16_t((flags & kSearchRankByWeight) | kSearchSkipFinalPass | kSearchKeepInMemory |
                                         kSearchMarkGroup);
  FtsHitListPtr hits = FtsSearch(handle->index.get(), tree.get(), 0, search_flags, result);
  if (hits && result) engine::GrpNormalize(result);
  if (!hits && !handle->error.code) FtsSetError(&handle->error, kFtsQueryFailed);
  return handle->error.code;
}

}  // namespace fts
