// The error record of the full-text layer, its setters, the table of full-text codes and the mapping
// of file-system codes onto them.
//
// A null record is allowed everywhere: the setters still return the code, so a caller can write
// `return FtsSetError(err, kFtsNoMemory);`.
#pragma once

#include <cstdint>

namespace fts {

// Full-text result codes (0 is success). The application shows a code by loading the string of the
// same number.
enum FtsCode : int32_t {
  kFtsOk = 0,
  kFtsFailed = 1,            // generic failure of a loader or an internal step
  kFtsQueryFailed = 2001,    // query did not run (title, tables or search unavailable)
  kFtsStopListMemory = 2003, // the stop-list loader could not set up its file access
  kFtsNoMemory = 2004,
  kFtsShortWrite = 2005,     // disk full
  kFtsWordTooLong = 2006,
  kFtsBadType = 2007,        // wrong magic or version of an index, table, stop list or catalogue
  kFtsNodesExhausted = 2008, // hit or occurrence nodes ran out; the partial result is returned
  kFtsStopListFull = 2009,   // also what the application's poll callback returns on cancel
  kFtsQueryTooComplex = 2012,
  kFtsReadFailed = 2013,
  kFtsBadArgument = 2015,
  kFtsGroupItemTooLarge = 2017,
  kFtsDamaged = 2022,        // damaged index data or wrong file kind
  kFtsNotFound = 2023,
  kFtsFsFormat = 2024,       // file-system codes 4 and 5
  kFtsOutOfRange = 2025,     // catalogue record out of range
  kFtsSeekFailed = 2026,
  kFtsCannotCreate = 2027,
  kFtsFsReadOnly = 2028,     // file-system code 9
  kFtsTooManyFiles = 2029,   // no character table for the parser; file-system code 13
  kFtsCannotOpen = 2030,     // operating-system file cannot be opened; file-system code 2
  kFtsNullFile = 2031,
};

// The error record that a title, a keyword index or a caller owns.
struct FtsError {
  int32_t code = 0;
  int32_t position = 0;       // position in the query text of a parse error, else 0
  int32_t line = 0;           // source line of the place that set the code (diagnosis)
  const char* file = nullptr; // source module that set the code (diagnosis)
};

// Fills all four fields when `record` is not null; returns `code`. The line and file default to the
// caller's place.
int32_t FtsSetError(FtsError* record, int32_t code, int32_t position = 0, int32_t line = __builtin_LINE(),
                    const char* file = __builtin_FILE());
// Fills only code and position; returns `code`.
int32_t FtsSetErrorCode(FtsError* record, int32_t code, int32_t position = 0);

// File-system code (the container's FsErrorCode values) to full-text code.
int32_t FtsMapFsError(int32_t fs_code);

}  // namespace fts
