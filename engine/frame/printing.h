// Printing: the shown region, or only the selection, laid out again on a clone of the viewer against
// a printer context and drawn page by page. No object is cut at a page's bottom: the page breaks
// above the highest object the bottom would cut. An object taller than a whole page cannot be kept
// whole: it is printed clipped to the page and continued on the pages that follow.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/frame/layout_object.h"
#include "engine/medview/viewer.h"
#include "engine/medview/viewer_print.h"

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
