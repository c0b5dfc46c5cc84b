#include "engine/medview/view_marks.h"

namespace medview {

void SelectionRange::ordered(TextPoint& first, TextPoint& last) const {
  TextPoint m = moving();
  if (m < TextPoint{anchorPosition, anchorNear}) {
    first = m;
    last = {anchorPosition, anchorFar};
  } else {
    first = {anchorPosition, anchorNear};
    last = m;
  }
}

bool SelectionRange::empty() const {
  TextPoint first, last;
  ordered(first, last);
  return !(first < last);
}

ViewMarks& MvMarks(Viewer& viewer) {
  if (!viewer.marks) viewer.marks = std::make_shared<ViewMarks>();
  return *viewer.marks;
}

}  // namespace medview
