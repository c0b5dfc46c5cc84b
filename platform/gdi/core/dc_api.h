// Device contexts and their state: the platform's calls over context handles.
//
// Each call on a null or stale context handle fails with the platform's failure value and does
// nothing. Coordinates are logical unless a call says otherwise.
#pragma once

#include "platform/gdi/core/gdi_types.h"

// --- Contexts ------------------------------------------------------------------------------------
// A memory context like `hdc` (null: like the screen) with a 1 x 1 monochrome bitmap selected.
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
int SaveDC(HDC hdc);
BOOL RestoreDC(HDC hdc, int saved);
int GetDeviceCaps(HDC hdc, int index);

// --- Colours and modes ---------------------------------------------------------------------------
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
int SetROP2(HDC hdc, int rop2);
int GetROP2(HDC hdc);
int SetPolyFillMode(HDC hdc, int mode);
int GetPolyFillMode(HDC hdc);
int SetStretchBltMode(HDC hdc, int mode);
int GetStretchBltMode(HDC hdc);
UINT SetTextAlign(HDC hdc, UINT align);
UINT GetTextAlign(HDC hdc);
int SetTextCharacterExtra(HDC hdc, int extra);
int GetTextCharacterExtra(HDC hdc);
BOOL SetBrushOrgEx(HDC hdc, int x, int y, POINT* previous);
// The nearest colour the device shows for `color` (the colour itself on true-colour devices, black
// or white on monochrome ones).
COLORREF GetNearestColor(HDC hdc, COLORREF color);

// --- Mapping -------------------------------------------------------------------------------------
int SetMapMode(HDC hdc, int mode);
int GetMapMode(HDC hdc);
BOOL SetWindowOrgEx(HDC hdc, int x, int y, POINT* previous);
BOOL GetWindowOrgEx(HDC hdc, POINT* origin);
BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* previous);
BOOL GetViewportOrgEx(HDC hdc, POINT* origin);
BOOL OffsetWindowOrgEx(HDC hdc, int dx, int dy, POINT* previous);
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, POINT* previous);
BOOL SetWindowExtEx(HDC hdc, int cx, int cy, SIZE* previous);
BOOL GetWindowExtEx(HDC hdc, SIZE* extent);
BOOL SetViewportExtEx(HDC hdc, int cx, int cy, SIZE* previous);
BOOL GetViewportExtEx(HDC hdc, SIZE* extent);
BOOL ScaleWindowExtEx(HDC hdc, int xnum, int xdenom, int ynum, int ydenom, SIZE* previous);
BOOL ScaleViewportExtEx(HDC hdc, int xnum, int xdenom, int ynum, int ydenom, SIZE* previous);
BOOL LPtoDP(HDC hdc, POINT* points, int count);
BOOL DPtoLP(HDC hdc, POINT* points, int count);

// --- Clipping ------------------------------------------------------------------------------------
// Region arguments of the clip calls are in device coordinates; a null region removes the clip.
int SelectClipRgn(HDC hdc, HRGN rgn);
int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode);
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
int OffsetClipRgn(HDC hdc, int dx, int dy);
// The smallest logical rectangle around the visible part of the device; returns the region kind.
int GetClipBox(HDC hdc, RECT* rect);
// Copies the context's own clip into `rgn`: 1 when there is one, 0 when none, -1 on failure.
int GetClipRgn(HDC hdc, HRGN rgn);
BOOL PtVisible(HDC hdc, int x, int y);
BOOL RectVisible(HDC hdc, const RECT* rect);

// --- Documents -----------------------------------------------------------------------------------
int StartDoc(HDC hdc, const DOCINFO* info);
int EndDoc(HDC hdc);
int AbortDoc(HDC hdc);
int SetAbortProc(HDC hdc, ABORTPROC proc);
int StartPage(HDC hdc);
int EndPage(HDC hdc);
