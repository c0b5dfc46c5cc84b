// The title's fonts and full-text tables, each loaded on its first request and kept until the title
// closes: the style sheet from "|FONT" (whose per-face tables become the title's collation maps), the
// word-breaker table bound from the "|SYSTEM" lines of tag 12, and the operator table ("|MVOPTAB" or
// the built-in one). A load that fails is tried again at the next request.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/fts/common/breaker_table.h"
#include "engine/fts/common/operator_table.h"
#include "engine/fts/index/fts_index.h"
#include "engine/title/title_fonts.h"

namespace title {

struct TitleHandle;

// Null when the title is not open or the table cannot be had.
// The full-text index reads through the title's poll callback and reports into the title's record.
fts::FtsIndex* TtlGetFtsIndex(TitleHandle* title);
const StyleSheet* TtlGetStyleSheet(TitleHandle* title);
const fts::WordBreakerTable* TtlGetBreakerTable(TitleHandle* title);
const fts::OperatorTable* TtlGetOperatorTable(TitleHandle* title);

// The information codes of these tables:
//   100 1 when the full-text index is open (opened when needed), else 0; value must be 0
//   103 1 when the full-text index is available (TtlGetFtsIndex hands it out), else 0
//   104 1 when the breaker table is available, else 0
//   107 1 when the operator table is available, else 0
//   108 operator word n = value >> 16: "%u " with the word's code, then the word, NUL-terminated into
//       the buffer (cut to its size); result the text's length, -1 for n out of range or no buffer
//   109 the number of operator-table entries, -1 without a table
//   111 1 when the style sheet is available, else 0
int32_t TtlTextTableInfo(TitleHandle* title, int32_t code, int32_t value, char* buffer, size_t buffer_size);

}  // namespace title
