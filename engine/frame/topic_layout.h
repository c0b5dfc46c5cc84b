// Topic layout: the band of laid-out records that just covers the layout rectangle, one frame per
// record, laid out further or dropped as the view moves.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/frame/record_source.h"
#include "engine/medview/viewer.h"

namespace frame {

// Chunk values of a topic header (see topic_chunk.h).
inline constexpr int kChunkNonScrollStart = 3;
inline constexpr int kChunkScrollStart = 4;
inline constexpr int kChunkTopicEnd = 5;

// Reads records through `source` from now on (null: the bound title's records).
void MvSetRecordSource(medview::ViewerHandle viewer, std::shared_ptr<RecordSource> source);

BOOL MvSetTopic(medview::ViewerHandle viewer, int32_t position, int16_t region, int32_t fraction,
                medview::TitleErrorCode* error);
void MvGetTopicPosition(medview::ViewerHandle viewer, int32_t* position, int16_t* region, int32_t* fraction);
// Lays the target region out for `rect` (null: the window's client rectangle, its bottom lowered
// to the layout shape's bottom when that lies further down; 1018 without a window).
BOOL MvLayoutTopic(medview::ViewerHandle viewer, const RECT* rect, medview::TitleErrorCode* error);
void MvResetView(medview::ViewerHandle viewer);
void MvGetLayoutExtent(medview::ViewerHandle viewer, int32_t* width, int32_t* height);
// As MvGetLayoutExtent, but once the laid-out height fills the rectangle the height is scaled up by
// the topic's length over the bytes of the records laid out.
void MvGetEstimatedExtent(medview::ViewerHandle viewer, int32_t* width, int32_t* height);
int32_t MvGetCurrentTopic(medview::ViewerHandle viewer);
// The next and previous topics named by the current topic's header; -1 none.
int32_t MvGetNextTopic(medview::ViewerHandle viewer);
int32_t MvGetPrevTopic(medview::ViewerHandle viewer);
bool MvHasNonScrollRegion(medview::ViewerHandle viewer);
bool MvHasScrollRegion(medview::ViewerHandle viewer);
// Copies of the current topic's title and header text; empty when none.
std::string MvGetTopicTitle(medview::ViewerHandle viewer);
std::string MvGetTopicHeaderText(medview::ViewerHandle viewer);

// Internal steps, also used by scrolling and printing.
medview::TitleErrorCode FrLayoutTarget(medview::Viewer& viewer, bool keepOffset);
// Lays `record` out into a new frame at the head or after the tail; false when it cannot be made.
// `edge` (pixels below the layout rectangle's top) is where the band ends that the frame joins: a
// head frame ends there, a tail frame starts there (lines follow a layout shape by it).
bool FrMakeFrame(medview::Viewer& viewer, SourceRecord&& record, bool atHead, bool renderOnly, int32_t edge);
void FrFreeFrame(medview::Viewer& viewer, size_t index);
void FrFreeAllFrames(medview::Viewer& viewer);
// Moves the band `delta` pixels down (negative: up), laying out or dropping records; returns the
// movement applied.
int32_t FrScrollBand(medview::Viewer& viewer, int32_t delta, bool filling, medview::TitleErrorCode* error);

}  // namespace frame
