// Scrolling a viewer: ranges, thumbs, line and page moves, moving to a topic address.
#pragma once

#include <cstdint>
#include <functional>

#include "engine/medview/viewer.h"

namespace medview {

inline constexpr int32_t kThumbEnd = 0x7FFF;
inline constexpr TitleErrorCode kViewAddressNotShown = 1011;
inline constexpr TitleErrorCode kViewCannotScroll = 1033;

enum ScrollCode {
  kScrollLineUp = 0,
  kScrollLineDown = 1,
  kScrollPageUp = 2,
  kScrollPageDown = 3,
  kScrollThumb = 4,
  kScrollTop = 6,
  kScrollBottom = 7,
};

// Low half the horizontal range, high half the vertical: 0x7FFF for a direction that can scroll.
uint64_t MvGetScrollRanges(ViewerHandle viewer);
int32_t MvScrollVertical(ViewerHandle viewer, POINT* move, int32_t* topCut, int32_t* bottomCut, int32_t code,
                         int32_t thumb, TitleErrorCode* error);
int32_t MvScrollHorizontal(ViewerHandle viewer, POINT* move, int32_t code, int32_t thumb, TitleErrorCode* error);
int32_t MvGetVerticalThumb(ViewerHandle viewer);
int32_t MvGetHorizontalThumb(ViewerHandle viewer);
void MvSetEdgeLineReport(ViewerHandle viewer, BOOL on);
BOOL MvScrollToPosition(ViewerHandle viewer, int32_t address, TitleErrorCode* error);

}  // namespace medview
