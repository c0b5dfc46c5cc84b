// The virtual X server's screen as an image. Xvfb keeps its screen in a file in the X window dump
// form when started with -fbdir; the smoke test reads it to look at what the program drew.
//
// The file: a header of 25 big-endian 32-bit fields (header size, version 7, pixmap format 2 for
// Z pixmaps, depth, width, height, x offset, byte order, bitmap unit, bitmap bit order, bitmap
// pad, bits per pixel, bytes per line, visual class, red, green and blue masks, bits per RGB,
// colour-map entries, colour count, window width and height, window x and y, border width), the
// window name up to the header size, `colour count` colour entries of 12 bytes, then the rows.
// Only 32-bit true-colour pixels with 8-bit masks are read (what Xvfb gives at depth 24).
#pragma once

#include <QImage>
#include <string>

namespace lumo::test {

// A null image when the file is missing, short or of another pixel form; `error` says which.
QImage read_xwd_screen(const std::string& path, std::string* error);

}  // namespace lumo::test
