#include "engine/medview/engine_titles.h"

#include <utility>

#include "engine/fcmanage/topic_address.h"
#include "engine/fts/search/hit_list_access.h"
#include "engine/fts/search/title_query.h"
#include "engine/fts/search/word_wheel_query.h"
#include "engine/title/title_tables.h"

namespace medview {
namespace {

mvfs::TitleFileSystem* file_system_of(TitleHandle* title) { return title ? title::TtlGetFileSystem(title) : nullptr; }

int32_t set_code(int32_t* code, int32_t value) {
  if (code) *code = value;
  return value;
}

}  // namespace

// --- Titles --------------------------------------------------------------------------------------

TitleHandle* MvOpenTitle(const char* file_name, fts::FtsPollCallback poll, intptr_t poll_value) {
  return file_name ? title::TtlOpen(file_name, poll, poll_value, true) : nullptr;
}

TitleHandle* MvOpenTitleSimple(const char* file_name) { return MvOpenTitle(file_name, nullptr, 0); }

void MvCloseTitle(TitleHandle* title) {
  if (title::TtlIsValid(title)) title::TtlClose(title);
}

bool MvIsTitleValid(const TitleHandle* title) { return title::TtlIsValid(title); }

int32_t MvGetTitleInfo(TitleHandle* title, int32_t code, int32_t parameter, char* buffer, size_t buffer_size) {
  if (!title::TtlIsValid(title)) return 0;
  return title::TtlGetInfo(title, code, parameter, buffer, buffer ? buffer_size : 0);
}

std::optional<std::time_t> MvGetTitleFileTime(const TitleHandle* title) { return title::TtlGetFileTime(title); }

int32_t MvReleaseErrorRecords() { return title::TtlReleaseErrorRecords(0); }

int32_t MvReleaseErrorRecordsEx(intptr_t, bool use_value, int32_t value) {
  return title::TtlReleaseErrorRecords(use_value ? value : 0);
}

void MvSetTitleBusy(TitleHandle*, intptr_t, int32_t) {}

int32_t MvGetTitleDeferLevel(const TitleHandle*) { return 0; }

int32_t MvNoOpQuery1(intptr_t) { return 0; }

int32_t MvNoOpQuery4(intptr_t, intptr_t, intptr_t, intptr_t) { return 0; }

intptr_t MvIdentity(intptr_t value) { return value; }

// --- Positions -----------------------------------------------------------------------------------

int32_t MvAddressToPosition(TitleHandle* title, int32_t address) { return fcmanage::TtlAddressToPosition(title, address); }

int32_t MvContextHashToPosition(TitleHandle* title, uint32_t hash) {
  return fcmanage::TtlContextHashToPosition(title, hash);
}

int32_t MvTopicNumberToPosition(TitleHandle* title, int32_t topic) {
  return fcmanage::TtlTopicNumberToPosition(title, topic);
}

int32_t MvContextStringToPosition(TitleHandle* title, const char* context) {
  return fcmanage::TtlContextStringToPosition(title, context);
}

int32_t MvGetStartTopicPosition(TitleHandle* title) { return fcmanage::TtlStartPosition(title); }

int32_t MvLookupContextHash(TitleHandle* title, uint32_t hash) { return title::TtlLookupContextHash(title, hash); }

int32_t MvGetCatalogAddress(TitleHandle* title, int32_t topic) { return title::TtlGetCatalogAddress(title, topic); }

int32_t MvLookupContextString(TitleHandle* title, const char* context) {
  return title::TtlLookupContextString(title, context);
}

int32_t MvGetStartAddress(TitleHandle* title) { return title::TtlGetStartAddress(title); }

// --- Topic reading -------------------------------------------------------------------------------

fcmanage::TopicRecordPtr MvGetTopicChunk(TitleHandle* title, int32_t position, fcmanage::TopicChunk& chunk,
                                      int32_t* code) {
  int32_t result = 0;
  fcmanage::TopicRecordPtr record = fcmanage::FcGetChunk(title, position, chunk, result);
  set_code(code, result);
  return record;
}

fcmanage::TopicRecordPtr MvGetNeighbourChunk(const fcmanage::TopicRecord& record, bool next, TitleHandle* title,
                                          int32_t* code, int32_t first_position, int32_t stop_position) {
  int32_t result = 0;
  fcmanage::TopicRecordPtr neighbour = fcmanage::FcGetNeighbour(record, next, title, result, first_position, stop_position);
  set_code(code, result);
  return neighbour;
}

// --- Keyword indexes -----------------------------------------------------------------------------

fts::WordWheelHandle MvOpenKeywordIndex(TitleHandle* title, const char* name) {
  if (!title || !name) return nullptr;
  return fts::WwOpen(title, name, true);
}

void MvCloseKeywordIndex(fts::WordWheelHandle handle) { fts::WwClose(handle); }

int32_t MvGetKeywordCount(fts::WordWheelHandle handle) { return fts::WwGetCount(handle); }

int32_t MvFindKeyword(fts::WordWheelHandle handle, const char* text) { return fts::WwFindPosition(handle, text); }

int32_t MvGetKeywordText(fts::WordWheelHandle handle, int32_t ordinal, char* buffer, size_t size) {
  return fts::WwGetString(handle, ordinal, buffer, size);
}

int64_t MvGetKeywordTopics(fts::WordWheelHandle handle, const char* keyword, uint32_t first, uint32_t count,
                           uint32_t* out) {
  return fts::WwGetKeywordTopics(handle, keyword, first, count, out);
}

uint16_t MvGetKeywordTopicCount(fts::WordWheelHandle handle, const char* keyword) {
  return fts::WwGetKeywordTopicCount(handle, keyword);
}

int32_t MvQueryKeywordIndex(fts::WordWheelHandle handle, uint16_t flags, const char* text,
                            const engine::TopicGroup* scope, engine::TopicGroup* group) {
  const int32_t code = fts::WwQuery(handle, flags, text, scope, group);
  engine::GrpTrim(group);
  return code;
}

// --- Baggage -------------------------------------------------------------------------------------

title::BaggagePtr MvOpenBaggage(TitleHandle* title, const char* name, bool in_title, uint16_t* code) {
  if (!name) {
    if (code) *code = title::kBagInvalid;
    return nullptr;
  }
  return title::BagOpen(file_system_of(title), name, in_title, code);
}

void MvCloseBaggage(title::BaggagePtr handle, uint16_t* code) {
  if (code) *code = 0;
  title::BagClose(std::move(handle), code);
}

int64_t MvSeekBaggage(title::BaggageHandle* handle, int64_t offset, int origin, uint16_t* code) {
  return title::BagSeek(handle, offset, origin, code);
}

int64_t MvReadBaggage(title::BaggageHandle* handle, void* buffer, int64_t count, uint16_t* code) {
  return title::BagRead(handle, buffer, count, code);
}

int64_t MvGetBaggageSize(title::BaggageHandle* handle, uint16_t* code) { return title::BagGetSize(handle, code); }

int64_t MvReadBaggageAt(title::BaggageHandle* handle, int64_t offset, int origin, void* buffer, int64_t count,
                        uint16_t* code) {
  return title::BagReadAt(handle, offset, origin, buffer, count, code);
}

std::vector<uint8_t> MvLoadBaggage(TitleHandle* title, const char* name, bool in_title, int64_t offset,
                                   int64_t length, int64_t* size, uint16_t* code) {
  if (!name) {
    if (code) *code = title::kBagInvalid;
    if (size) *size = 0;
    return {};
  }
  return title::BagLoad(file_system_of(title), name, in_title, offset, length, size, code);
}

title::AsyncReaderPtr MvOpenBaggageAsync(TitleHandle* title, intptr_t user, title::AsyncCallback callback,
                                         uint32_t first_part, uint32_t chunk_size, const char* name, bool in_title,
                                         int64_t start, int64_t length, uint16_t* code) {
  if (!name) {
    if (code) *code = title::kBagInvalid;
    return nullptr;
  }
  return title::AsyncOpen(file_system_of(title), user, callback, first_part, chunk_size, name, in_title, start,
                          length, code);
}

uint16_t MvGetAsyncProgress(const title::AsyncReader* reader, uint32_t* bytes_read, uint32_t* total,
                            const uint8_t** buffer) {
  return title::AsyncGetProgress(reader, bytes_read, total, buffer);
}

uint16_t MvCloseBaggageAsync(title::AsyncReaderPtr reader) { return title::AsyncClose(std::move(reader)); }

uint16_t MvSuspendBaggageAsync(title::AsyncReader* reader, int32_t resume) {
  return title::AsyncSuspend(reader, resume != 0);
}

// --- Full-text hits ------------------------------------------------------------------------------

fts::HitHighlightHandle MvQueryTitle(TitleHandle* title, uint16_t flags, const char* text,
                                     const engine::TopicGroup* scope, int32_t reserved, uint16_t near_distance,
                                     engine::TopicGroup* hits_group, int32_t* hit_count, int32_t* total,
                                     fts::FtsError* error) {
  return fts::TtlQuery(title, flags, text, scope, reserved, near_distance, hits_group, hit_count, total, error);
}

fts::TopicHitListPtr MvGetTopicHits(fts::HitHighlightHandle hits, uint32_t topic) {
  return fts::HlCopyTopicOccurrences(hits, topic);
}

int32_t MvAddHitsToGroup(fts::HitHighlightHandle hits, engine::TopicGroup* group) {
  return fts::HlAddHitsToGroup(hits, group);
}

int32_t MvGetHitTopic(fts::HitHighlightHandle hits, uint32_t n) { return fts::HlGetHitTopic(hits, n); }

void MvFreeHitHighlight(fts::HitHighlightHandle hits) { fts::HlRelease(hits); }

int32_t MvGetHitOccurrenceCount(fts::HitHighlightHandle hits, uint32_t hit_index) {
  int32_t code = 0;
  return fts::HlGetOccurrenceCount(hits, hit_index, &code);
}

int64_t MvGetHitOccurrence(fts::HitHighlightHandle hits, uint32_t hit_index, uint32_t k) {
  return fts::HlGetOccurrence(hits, hit_index, k);
}

}  // namespace medview
