// Logical fonts to Qt fonts, and the process-wide cache of their metrics.
//
// Face names are CP1250. A trailing " CE" (the central-European variants) is dropped, then the
// classic faces are replaced by metric-compatible ones: Arial -> Liberation Sans, Times New Roman
// -> Liberation Serif, Courier New -> Liberation Mono, MS Sans Serif and the system fonts (System,
// MS Shell Dlg, Helv, Fixedsys as mono) -> Liberation Sans. A font is made at its device pixel
// size: a negative height is the character height (the em), a positive one the cell height
// (ascent + descent), 0 the default 16-pixel cell.
//
// Metrics (in device pixels) and the advances of the 256 CP1250 bytes are measured once per
// (logical font, resolution) and kept for the life of the process; kerning pairs are measured
// the first time they are asked for.
#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/gdi/core/device.h"

namespace gdi {

// The face actually used for a logical face name (UTF-8).
std::string substitute_face(const char* face_cp1250, BYTE pitch_and_family);

struct QtFont {
  QFont font;
  QRawFont raw;
  std::shared_ptr<FontMetrics> metrics;
  bool kerning_measured = false;
};

// The font for a logical font at device size and resolution, from the cache (made on a miss).
std::shared_ptr<QtFont> qt_font(const LOGFONT& device_font, int dpi);
// Fills metrics.kerning once (thread-safe); returns the metrics.
std::shared_ptr<const FontMetrics> with_kerning(const std::shared_ptr<QtFont>& font);
// The glyphs of `text` (CP1250) in `font`, placed at `advances` along a line from (0, 0) with
// their baseline at `baseline`: one run, so that a device draws a line of text in one call and a
// PDF keeps it as text. `width` gets the sum of the advances placed.
QGlyphRun glyph_run(const QtFont& font, std::string_view text, std::span<const int> advances, double baseline,
                    int& width);
// Whether the face (after substitution) exists, and a description of it.
bool find_qt_face(const char* face_cp1250, LOGFONT& out);
// Empties the cache (tests and benchmarks measure misses).
void clear_font_cache();

}  // namespace gdi
