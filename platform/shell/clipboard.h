// The clipboard: formats by number (the standard ones and names registered at run time with
// stable numbers at or above 0xC000), written between OpenClipboard and CloseClipboard and read
// at any time. The layer maps formats to the system clipboard's MIME types: text as UTF-8
// text/plain (the program keeps CP1250 bytes), "Rich Text Format" as text/rtf, device-independent
// bitmaps as image/bmp, "Topic Info" and other registered formats as application types.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/base/win_types.h"

class QMimeData;

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_DIB = 8;
constexpr UINT CF_UNICODETEXT = 13;
constexpr UINT CF_HDROP = 15;

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
}  // namespace shell
