// Text output and measuring. Text is CP1250 bytes; counts are in bytes.
#pragma once

#include "platform/gdi/core/gdi_types.h"

BOOL TextOut(HDC hdc, int x, int y, const char* text, int count);
// `dx`, when given, holds each character's advance in logical units (the platform's advance
// array); `rect` is painted with the background colour (ETO_OPAQUE) and/or clips (ETO_CLIPPED).
BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, const char* text,
                UINT count, const int* dx);
// Formats text in a rectangle; count -1 reads up to the NUL. Returns the text's height.
int DrawText(HDC hdc, const char* text, int count, RECT* rect, UINT format);
BOOL GetTextExtentPoint32(HDC hdc, const char* text, int count, SIZE* size);
// The extent of text with, per character, the extent up to and including it; `fit` receives
// how many characters fit in `max_extent` (when not null).
BOOL GetTextExtentExPoint(HDC hdc, const char* text, int count, int max_extent, int* fit,
                          int* extents, SIZE* size);
BOOL GetTextMetrics(HDC hdc, TEXTMETRIC* metrics);
BOOL GetCharWidth32(HDC hdc, UINT first, UINT last, int* widths);
BOOL GetCharWidth(HDC hdc, UINT first, UINT last, int* widths);
// With a null array, the number of pairs; otherwise copies up to `count` pairs.
DWORD GetKerningPairs(HDC hdc, DWORD count, KERNINGPAIR* pairs);
constexpr DWORD RASTER_FONTTYPE = 0x0001;
constexpr DWORD TRUETYPE_FONTTYPE = 0x0004;
using FONTENUMPROC = int (*)(const LOGFONT* font, const TEXTMETRIC* metrics, DWORD type, LPARAM data);
// Calls `proc` with the description of the named family when the device has it (faces are
// substituted as for drawing); returns the last value `proc` returned, or 1 when it was not
// called. A null family enumerates nothing.
int EnumFontFamilies(HDC hdc, const char* family, FONTENUMPROC proc, LPARAM data);
// Copies the selected font's face name; returns the bytes copied without the NUL.
int GetTextFace(HDC hdc, int count, char* face);
