// The engine interface for titles: the flat entry points through which the application (and the
// viewer, pictures, media I/O and topic lists) reach titles, positions, topic chunks, keyword
// indexes, baggage and full-text hits. Each one forwards to the title engine: it fixes an argument,
// reorders arguments or drops an out value, and passes the result back unchanged. No state is kept
// here; every handle is closed by its own entry point. There is deliberately no entry point that loads
// a library a title names: embedded windows come only from the program's built-in classes.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <vector>

#include "engine/COMMON/topic_group.h"
#include "engine/fcmanage/topic_chunk.h"
#include "engine/fts/common/fts_error.h"
#include "engine/fts/index/word_wheel.h"
#include "engine/fts/search/hit_highlight.h"
#include "engine/title/baggage.h"
#include "engine/title/title.h"

namespace medview {

using title::TitleHandle;

// --- Titles --------------------------------------------------------------------------------------
// Opens (or shares) a title for reading; the poll callback and its value reach the full-text index
// when it is first opened, so long index reads call back into the application.
TitleHandle* MvOpenTitle(const char* file_name, fts::FtsPollCallback poll, intptr_t poll_value);
TitleHandle* MvOpenTitleSimple(const char* file_name);
// Drops one reference; null or closed handles are ignored.
void MvCloseTitle(TitleHandle* title);
bool MvIsTitleValid(const TitleHandle* title);
// Information by code (11 topic count, 105 file system, 106 file name, 111 style sheet, ...);
// `parameter` is the code's value (for 106 the buffer size; 0 asks for the name's length). 0 for a
// missing or closed title.
int32_t MvGetTitleInfo(TitleHandle* title, int32_t code, int32_t parameter, char* buffer, size_t buffer_size);
std::optional<std::time_t> MvGetTitleFileTime(const TitleHandle* title);
int32_t MvReleaseErrorRecords();
int32_t MvReleaseErrorRecordsEx(intptr_t reserved, bool use_value, int32_t value);
// A notification hook around long work on a title; it does nothing.
void MvSetTitleBusy(TitleHandle* title, intptr_t window, int32_t begin);
// 0 for every title: stored groups are read as soon as a list is made.
int32_t MvGetTitleDeferLevel(const TitleHandle* title);
int32_t MvNoOpQuery1(intptr_t value);
int32_t MvNoOpQuery4(intptr_t a, intptr_t b, intptr_t c, intptr_t d);
intptr_t MvIdentity(intptr_t value);

// --- Positions (-1 when there is no answer) -------------------------------------------------------
int32_t MvAddressToPosition(TitleHandle* title, int32_t address);
int32_t MvContextHashToPosition(TitleHandle* title, uint32_t hash);
int32_t MvTopicNumberToPosition(TitleHandle* title, int32_t topic);
int32_t MvContextStringToPosition(TitleHandle* title, const char* context);
int32_t MvGetStartTopicPosition(TitleHandle* title);
int32_t MvLookupContextHash(TitleHandle* title, uint32_t hash);
int32_t MvGetCatalogAddress(TitleHandle* title, int32_t topic);
int32_t MvLookupContextString(TitleHandle* title, const char* context);
int32_t MvGetStartAddress(TitleHandle* title);

// --- Topic reading ------------------------------------------------------------------------------
fcmanage::TopicRecordPtr MvGetTopicChunk(TitleHandle* title, int32_t position, fcmanage::TopicChunk& chunk,
                                      int32_t* code);
fcmanage::TopicRecordPtr MvGetNeighbourChunk(const fcmanage::TopicRecord& record, bool next, TitleHandle* title,
                                          int32_t* code, int32_t first_position, int32_t stop_position);

// --- Keyword indexes -----------------------------------------------------------------------------
fts::WordWheelHandle MvOpenKeywordIndex(TitleHandle* title, const char* name);
void MvCloseKeywordIndex(fts::WordWheelHandle handle);
int32_t MvGetKeywordCount(fts::WordWheelHandle handle);
int32_t MvFindKeyword(fts::WordWheelHandle handle, const char* text);
int32_t MvGetKeywordText(fts::WordWheelHandle handle, int32_t ordinal, char* buffer, size_t size);
int64_t MvGetKeywordTopics(fts::WordWheelHandle handle, const char* keyword, uint32_t first, uint32_t count,
                           uint32_t* out);
uint16_t MvGetKeywordTopicCount(fts::WordWheelHandle handle, const char* keyword);
// The keyword query; the group is trimmed whatever the code.
int32_t MvQueryKeywordIndex(fts::WordWheelHandle handle, uint16_t flags, const char* text,
                            const engine::TopicGroup* scope, engine::TopicGroup* group);

// --- Baggage -------------------------------------------------------------------------------------
// `title` may be null for disk files (in_title false).
title::BaggagePtr MvOpenBaggage(TitleHandle* title, const char* name, bool in_title, uint16_t* code);
// Sets the code to 0, then closes (1012 for a null handle).
void MvCloseBaggage(title::BaggagePtr handle, uint16_t* code);
int64_t MvSeekBaggage(title::BaggageHandle* handle, int64_t offset, int origin, uint16_t* code);
int64_t MvReadBaggage(title::BaggageHandle* handle, void* buffer, int64_t count, uint16_t* code);
int64_t MvGetBaggageSize(title::BaggageHandle* handle, uint16_t* code);
int64_t MvReadBaggageAt(title::BaggageHandle* handle, int64_t offset, int origin, void* buffer, int64_t count,
                        uint16_t* code);
// The bytes of the file (length 0: to the end); `size` receives how many were read.
std::vector<uint8_t> MvLoadBaggage(TitleHandle* title, const char* name, bool in_title, int64_t offset,
                                   int64_t length, int64_t* size, uint16_t* code);
title::AsyncReaderPtr MvOpenBaggageAsync(TitleHandle* title, intptr_t user, title::AsyncCallback callback,
                                         uint32_t first_part, uint32_t chunk_size, const char* name, bool in_title,
                                         int64_t start, int64_t length, uint16_t* code);
uint16_t MvGetAsyncProgress(const title::AsyncReader* reader, uint32_t* bytes_read, uint32_t* total,
                            const uint8_t** buffer);
uint16_t MvCloseBaggageAsync(title::AsyncReaderPtr reader);
// 0 suspends, 1 resumes.
uint16_t MvSuspendBaggageAsync(title::AsyncReader* reader, int32_t resume);

// --- Full-text hits ------------------------------------------------------------------------------
fts::HitHighlightHandle MvQueryTitle(TitleHandle* title, uint16_t flags, const char* text,
                                     const engine::TopicGroup* scope, int32_t reserved, uint16_t near_distance,
                                     engine::TopicGroup* hits_group, int32_t* hit_count, int32_t* total,
                                     fts::FtsError* error);
// A copy of the topic's hit occurrences for the caller, null when the topic has none.
fts::TopicHitListPtr MvGetTopicHits(fts::HitHighlightHandle hits, uint32_t topic);
int32_t MvAddHitsToGroup(fts::HitHighlightHandle hits, engine::TopicGroup* group);
int32_t MvGetHitTopic(fts::HitHighlightHandle hits, uint32_t n);
void MvFreeHitHighlight(fts::HitHighlightHandle hits);
int32_t MvGetHitOccurrenceCount(fts::HitHighlightHandle hits, uint32_t hit_index);
int64_t MvGetHitOccurrence(fts::HitHighlightHandle hits, uint32_t hit_index, uint32_t k);

}  // namespace medview
