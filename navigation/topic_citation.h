// The texts an act drag hands to other programs by the user's copy format: the citation of an act,
// a journal issue or a yearbook (format 1) and the same facts as a tab-separated row (format 2),
// made from the record's act description. Texts are CP1250; years are shown in full; dates read
// "5 marca 2001".
#pragma once

#include <cstdint>
#include <string>

#include "shell/core/contents_reader.h"

namespace topicdrag {

// The copy format of the act drag (the user's setting).
enum CopyFormat : int32_t {
  kCopyCitation = 1,      // the citation as text
  kCopyRow = 2,           // the tab-separated row
  kCopyRendered = 3,      // the engine's rendering of the topic's heading
  kCopyRenderedUnit = 4,  // as 3; with Ctrl held, the whole editorial unit
};

// The text of format 1 or 2 for a record of `level` (0 to 7 act, its parts and attachments, 8
// issue, 9 yearbook) described by `d`; empty for the other formats and levels.
std::string CitationText(const shell::ActDescription& d, int level, int copy_format);

}  // namespace topicdrag
