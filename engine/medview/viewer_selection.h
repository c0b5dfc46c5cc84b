// The viewer's selection: selecting by mouse and keys, reading and setting it.
#pragma once

#include <cstdint>

#include "engine/medview/view_marks.h"
#include "engine/medview/viewer.h"

namespace medview {

inline constexpr TitleErrorCode kViewNoSelection = 1031;
inline constexpr TitleErrorCode kViewNoFurtherStep = 1032;

enum SelectMode { kSelectPoint = 1, kSelectWord = 2, kSelectSentence = 3, kSelectParagraph = 4, kSelectAll = 5 };
enum SelectKey { kKeyUp = 2, kKeyDown = 3, kKeyLeft = 4, kKeyRight = 5, kKeyLineStart = 6, kKeyLineEnd = 7 };

void MvSelectAt(ViewerHandle viewer, int32_t mode, int32_t x, int32_t y, BOOL extend, TitleErrorCode* error);
void MvMoveSelectionByKey(ViewerHandle viewer, int32_t key, BOOL extend, TitleErrorCode* error);
BOOL MvClearSelection(ViewerHandle viewer, TitleErrorCode* error);
BOOL MvHasSelection(ViewerHandle viewer);
TitleErrorCode MvSetSelection(ViewerHandle viewer, int32_t firstPosition, int32_t firstOffset, int32_t lastPosition,
                              int32_t lastOffset);
BOOL MvGetSelection(ViewerHandle viewer, int32_t* firstPosition, int32_t* firstOffset, int32_t* lastPosition,
                    int32_t* lastOffset);
void MvGetSelectionRects(ViewerHandle viewer, RECT* start, RECT* end);

}  // namespace medview
