// Lines, shapes, fills, inversion and the classic 3-D edges and frame-control glyphs.
#pragma once

#include "platform/gdi/core/gdi_types.h"

BOOL MoveToEx(HDC hdc, int x, int y, POINT* previous);
// Draws from the current position to (x, y), the end point excluded, and moves there.
BOOL LineTo(HDC hdc, int x, int y);
BOOL GetCurrentPositionEx(HDC hdc, POINT* position);
BOOL Polyline(HDC hdc, const POINT* points, int count);
BOOL Polygon(HDC hdc, const POINT* points, int count);
BOOL PolyPolygon(HDC hdc, const POINT* points, const int* counts, int polygons);
// Covers left..right-1 and top..bottom-1: outline in the pen, inside in the brush.
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);
BOOL Arc(HDC hdc, int left, int top, int right, int bottom, int x_start, int y_start, int x_end,
         int y_end);
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
// A border one device pixel wide in the brush.
int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush);
BOOL InvertRect(HDC hdc, const RECT* rect);
BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop);
BOOL FillRgn(HDC hdc, HRGN rgn, HBRUSH brush);
BOOL PaintRgn(HDC hdc, HRGN rgn);
BOOL InvertRgn(HDC hdc, HRGN rgn);
// Paints with the brush the border of the region: its pixels less than `width` from a left or
// right edge or less than `height` from a top or bottom edge (logical units).
BOOL FrameRgn(HDC hdc, HRGN rgn, HBRUSH brush, int width, int height);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC hdc, int x, int y);
// Fills an area with the selected brush from a logical point: up to pixels of `color`
// (FLOODFILLBORDER) or over the pixels of `color` (FLOODFILLSURFACE). FALSE when the point is
// outside the clip, is not a pixel the fill covers, or the device cannot read its pixels back
// (printers and PDF files).
BOOL ExtFloodFill(HDC hdc, int x, int y, COLORREF color, UINT type);
BOOL FloodFill(HDC hdc, int x, int y, COLORREF color);
// A dotted frame drawn by exclusive-or, so a second call removes it.
BOOL DrawFocusRect(HDC hdc, const RECT* rect);
BOOL DrawEdge(HDC hdc, RECT* rect, UINT edge, UINT flags);
BOOL DrawFrameControl(HDC hdc, RECT* rect, UINT type, UINT state);
