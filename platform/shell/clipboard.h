// The clipboard: formats by number (the standard ones and names registered at run time with
// stable numbers at or above 0xC000), written between OpenClipboard and CloseClipboard and read
// at any time. The layer maps formats to the system clipboard's MIME types: text as UTF-8
// text/plain (the program keeps CP1250 bytes), CF_UNICODETEXT as text/plain;charset=utf-8 (on
// this platform its bytes are UTF-8, the desktop's own text encoding; a terminating zero is
// optional), "Rich Text Format" as text/rtf, device-independent
// bitmaps as image/bmp, "Topic Info" and other registered formats as application types.
//
// Bytes of the formats that stand for objects:
// - CF_PALETTE: a logical palette: version 0x0300, entry count (1 to 256), then per entry red,
//   green, blue and flags (little-endian words, one byte each entry field).
// - CF_METAFILEPICT: the mapping mode, x extent and y extent (32-bit little-endian signed), then
//   the metafile's bits (header and records). It also travels as image/x-wmf (the bits alone)
//   for other programs.
//
// Delayed rendering: SetClipboardData(format, nullptr) offers a format without its data. When the
// data is first asked for (by this program or another), the owner hears WM_RENDERFORMAT with the
// format in wParam and calls SetClipboardData with the bytes, without opening the clipboard.
// Before the owner window is destroyed it hears WM_RENDERALLFORMATS and renders, between
// OpenClipboard and CloseClipboard, what it still offers; formats left unrendered then are no
// longer offered.
#pragma once

#include <cstddef>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/base/win_types.h"
#include "platform/gdi/core/gdi_types.h"

class QMimeData;

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_METAFILEPICT = 3;
constexpr UINT CF_PALETTE = 9;
constexpr UINT CF_DIB = 8;
constexpr UINT CF_UNICODETEXT = 13;
constexpr UINT CF_HDROP = 15;

constexpr UINT WM_RENDERFORMAT = 0x0305;
constexpr UINT WM_RENDERALLFORMATS = 0x0306;


// The same name (without case) always gives the same number in one run; 0 for an empty name.
UINT RegisterClipboardFormat(const char* name);
int GetClipboardFormatName(UINT format, char* buffer, int size);
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
// Takes the clipboard for the window that opened it; the data written so far is dropped.
BOOL EmptyClipboard();
// Text formats hold CP1250 bytes (a terminating zero is optional); a DIB holds the
// BITMAPINFOHEADER, colour table and pixels. Only while the clipboard is open.
BOOL SetClipboardData(UINT format, std::span<const uint8_t> bytes);
// Offers `format` to be rendered when asked for (above). Only while the clipboard is open.
BOOL SetClipboardData(UINT format, std::nullptr_t);
// The window that emptied the clipboard last in this program, while it lives; null otherwise.
HWND GetClipboardOwner();
// The bytes of a format on the clipboard; empty when it is not there.
std::vector<uint8_t> GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
// The formats on the clipboard, in the order they were offered.
std::vector<UINT> clipboard_formats();

namespace shell {
// The MIME type a format travels as.
std::string mime_type_of(UINT format);
// Fills `mime` with the bytes of one format (used by clipboard and drag and drop alike).
void put_format(QMimeData& mime, UINT format, std::span<const uint8_t> bytes);
std::vector<uint8_t> get_format(const QMimeData& mime, UINT format);
std::vector<UINT> formats_in(const QMimeData& mime);

// CF_PALETTE bytes of a palette; empty for a bad handle.
std::vector<uint8_t> palette_bytes(HPALETTE palette);
// A new palette (the caller deletes it) from CF_PALETTE bytes; null when they are malformed.
HPALETTE palette_from_bytes(std::span<const uint8_t> bytes);
// CF_METAFILEPICT bytes of a metafile picture; empty for a bad metafile handle.
std::vector<uint8_t> metafile_picture_bytes(const METAFILEPICT& picture);
// Reads CF_METAFILEPICT bytes: the mapping and a new metafile (the caller deletes it with
// DeleteMetaFile). False, with nothing made, when the bytes are malformed.
bool metafile_picture_from_bytes(std::span<const uint8_t> bytes, METAFILEPICT& picture);
}  // namespace shell
