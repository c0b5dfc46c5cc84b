// Objects the application inserts at text positions: embedded windows described by "library,
// class, window text", laid out in line where a record's character numbering reaches their offset.
//
// Each is kept with a window record made from its description: type byte 5, the format length
// (the description's length + 7) as a packed signed long, six zero bytes, the description and a NUL.
#pragma once

#include <cstdint>

#include "engine/medview/viewer.h"

namespace frame {

// Type 'c' or 'C' adds the object and returns its identifier (the number of objects ever added);
// any other type gives 1012 and 0.
int32_t MvInsertEmbeddedWindow(medview::ViewerHandle viewer, int32_t position, int32_t offset, char type,
                               const char* description, medview::TitleErrorCode* error);
// Only enabled objects are laid out; true when the identifier was found.
bool MvSetInsertEnabled(medview::ViewerHandle viewer, int32_t id, bool enabled);
void MvFreeInserts(medview::ViewerHandle viewer);

}  // namespace frame
