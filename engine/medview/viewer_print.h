// Printing a viewer's topic (or its selection) page by page.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/frame/layout_object.h"
#include "engine/medview/viewer.h"

namespace medview {

inline constexpr TitleErrorCode kViewPageFailed = 1006;

// Called with `starting` 1 before the engine draws on a new page and with 0 when the page is full;
// returns non-zero to go on. The last page is left open for the caller.
using PrintPageCallback = BOOL (*)(void* job, HDC hdc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                                   RECT* layout, BOOL starting);

// Prints into `hdc` inside `page`, the first page from `layout`'s top. On return `layout`'s top lies
// below what was printed on the last page and its bottom is the page's bottom. `overflow`, when given,
// starts the horizontal offset and receives the x of the leftmost text that did not fit (0 none).
BOOL MvPrint(ViewerHandle viewer, HDC hdc, BOOL selectionOnly, const RECT* page, RECT* layout, int32_t* overflow,
             PrintPageCallback callback, void* job, TitleErrorCode* error);

}  // namespace medview
