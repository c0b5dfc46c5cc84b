#include "engine/fts/common/fts_error.h"

namespace fts {

int32_t FtsSetError(FtsError* record, int32_t code, int32_t position, int32_t line, const char* file) {
  if (record) {
    record->code = code;
    record->position = position;
    record->line = line;
    record->file = file;
  }
  return code;
}

int32_t FtsSetErrorCode(FtsError* record, int32_t code, int32_t position) {
  if (record) {
    record->code = code;
    record->position = position;
  }
  return code;
}

int32_t FtsMapFsError(int32_t fs_code) {
  switch (fs_code) {
    case 0: return kFtsOk;
    case 1: return kFtsFailed;
    case 2: return kFtsCannotOpen;
    case 3: return kFtsNotFound;
    case 4:
    case 5: return kFtsFsFormat;
    case 6:
    case 7: return kFtsBadArgument;
    case 8: return kFtsNoMemory;
    case 9: return kFtsFsReadOnly;
    case 10: return kFtsBadType;
    case 11: return kFtsShortWrite;
    case 13: return kFtsTooManyFiles;
    case 15: return kFtsQueryTooComplex;
    default: return kFtsDamaged;
  }
}

}  // namespace fts
