#include "engine/frame/inserted_objects.h"

#include <algorithm>
#include <cstring>

#include "engine/adt/packed_integers.h"
#include "engine/adt/topic_record_header.h"

namespace frame {

int32_t MvInsertEmbeddedWindow(medview::ViewerHandle viewer, int32_t position, int32_t offset, char type,
                               const char* description, medview::TitleErrorCode* error) {
  if (!viewer || !description || (type != 'c' && type != 'C')) {
    medview::SetErrorCode(error, medview::kViewBadArgument);
    return 0;
  }
  size_t length = std::strlen(description);
  medview::InsertedObject insert;
  insert.position = position;
  insert.offset = offset;
  insert.id = ++viewer->insertsAdded;
  base::ByteWriter out(insert.record);
  out.u8(adt::kRecordEmbedded);
  adt::WritePackedLong(out, int32_t(length + 7));
  out.zeros(6);
  out.cstring(description);
  // Before the first entry that is not smaller.
  auto at = std::find_if(viewer->inserts.begin(), viewer->inserts.end(), [&](const medview::InsertedObject& e) {
    return e.position > position || (e.position == position && e.offset >= offset);
  });
  viewer->inserts.insert(at, std::move(insert));
  medview::SetErrorCode(error, medview::kViewOk);
  return viewer->insertsAdded;
}

bool MvSetInsertEnabled(medview::ViewerHandle viewer, int32_t id, bool enabled) {
  if (!viewer) return false;
  for (auto& insert : viewer->inserts) {
    if (insert.id == id) {
      insert.enabled = enabled;
      return true;
    }
  }
  return false;
}

void MvFreeInserts(medview::ViewerHandle viewer) {
  if (viewer) viewer->inserts.clear();
}

}  // namespace frame
