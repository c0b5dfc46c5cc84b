// A small reader of Rich Text Format for the rich-text display: groups, bold, italic, underline,
// font size, colours from the colour table, paragraphs, line breaks, tabs, CP1250 characters
// written as \'hh and Unicode ones as \uN. Destinations it does not show (font table, style
// sheet, document information, \* groups, pictures) are skipped. Besides whole documents
// ("{\rtf1 ...}") it reads pieces that start with a group and a control word ("{\pard ...}"), as
// programs stream them into a document; the symbols \bullet, \endash, \emdash and the quotes
// become their CP1250 bytes.
//
// The input is untrusted: reading is one pass over the bytes, nesting deeper than kMaxDepth and
// numbers beyond their range end the reading with an error; what was read until then is kept.
#pragma once

#include <span>
#include <string_view>

class QTextDocument;

namespace controls {

enum class RtfResult { ok, not_rtf, too_deep, unbalanced };

constexpr int kMaxRtfDepth = 256;

// Appends the text of `rtf` to `document` (which it clears first).
RtfResult read_rtf(std::string_view rtf, QTextDocument& document);

}  // namespace controls
