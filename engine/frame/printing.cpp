#include "engine/frame/printing.h"

#include <algorithm>
#include <climits>

#include "engine/frame/layout_shape.h"
#include "engine/frame/painting.h"
#include "engine/frame/region_walk.h"
#include "engine/frame/selection.h"
#include "engine/frame/text_output.h"
#include "engine/medview/view_marks.h"
#include "engine/medview/viewer_fonts.h"
#include "engine/medview/viewer_scope.h"
#include "platform/gdi/core/dc_api.h"

namespace frame {

int64_t FrPageBreak(const std::vector<PrintedObject>& objects, int64_t pageTop, int64_t breakLine) {
  int64_t line = breakLine;
  for (const PrintedObject& o : objects) {
    if (o.top > pageTop && o.top < breakLine && o.bottom > breakLine) line = std::min(line, o.top);
  }
  return line;
}

}  // namespace frame

