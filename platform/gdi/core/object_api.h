// Drawing objects: pens, brushes, fonts, regions, palettes, and selecting them into contexts.
#pragma once

#include "platform/gdi/core/gdi_types.h"

HGDIOBJ GetStockObject(int index);
// Returns the object it replaces (for a region: the clip's kind), null on failure.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
// A selected object is freed when it is deselected; stock objects are never freed.
BOOL DeleteObject(HGDIOBJ object);
DWORD GetObjectType(HGDIOBJ object);
// Copies the object's description (LOGPEN, LOGBRUSH, LOGFONT, BITMAP, or the palette's entry
// count as a WORD) and returns the bytes copied; with a null buffer, the bytes needed.
int GetObject(HGDIOBJ object, int size, void* buffer);
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);

HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* pen);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatch, COLORREF color);
// The brush keeps a copy of the bitmap's pixels; the bitmap may be deleted afterwards.
HBRUSH CreatePatternBrush(HBITMAP bitmap);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);
HFONT CreateFontIndirect(const LOGFONT* font);
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strike_out, DWORD char_set, DWORD out_precision,
                 DWORD clip_precision, DWORD quality, DWORD pitch_and_family, const char* face);

// --- Regions -------------------------------------------------------------------------------------
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
// The pixels inside the polygon (ALTERNATE or WINDING fill mode), as Polygon fills them: a
// rectangle's corners give the rectangle without its right and bottom edges. Null for fewer than
// two points or an unknown mode.
HRGN CreatePolygonRgn(const POINT* points, int count, int fill_mode);
// As above for several polygons, `counts[i]` points each, read one after the other.
HRGN CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int fill_mode);
// The pixels whose centres lie inside the ellipse inscribed in the rectangle (right and bottom
// edges excluded); the widest row and column span the rectangle. An empty rectangle gives an
// empty region.
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);
// dest = src1 (mode) src2; the result kind, or ERROR.
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
int OffsetRgn(HRGN rgn, int dx, int dy);
int GetRgnBox(HRGN rgn, RECT* rect);
BOOL PtInRegion(HRGN rgn, int x, int y);
BOOL RectInRegion(HRGN rgn, const RECT* rect);
BOOL EqualRgn(HRGN a, HRGN b);

// --- Palettes ------------------------------------------------------------------------------------
// Devices are true colour: palettes are kept for callers that read them back, and selecting or
// realizing one changes no colours.
HPALETTE CreatePalette(const LOGPALETTE* palette);
HPALETTE SelectPalette(HDC hdc, HPALETTE palette, BOOL force_background);
UINT RealizePalette(HDC hdc);
UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries);
