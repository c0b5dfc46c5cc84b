// Printing: the shown region, or only the selection, laid out again on a clone of the viewer against
// a printer context and drawn page by page. No object is cut at a page's bottom: the page breaks
// above the highest object the bottom would cut. An object taller than a whole page cannot be kept
// whole: it is printed clipped to the page and continued on the pages that follow.
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

namespace frame {

// An object placed in the printed range: its frame and index, and its top and bottom measured from
// the range's start.
struct PrintedObject {
  size_t frame = 0;
  size_t object = 0;
  int64_t top = 0;
  int64_t bottom = 0;
};

// Where a page whose top lies at `pageTop` must end at the latest `breakLine`: raised to the top of the
// highest object the line would cut, unless that object starts at the page's top (it is taller than
// the page and is clipped instead).
int64_t FrPageBreak(const std::vector<PrintedObject>& objects, int64_t pageTop, int64_t breakLine);

}  // namespace frame
