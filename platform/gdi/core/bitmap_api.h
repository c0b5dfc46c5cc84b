// Bitmaps and bit-block transfers.
#pragma once

#include "platform/gdi/core/gdi_types.h"

// A device-dependent bitmap from top-down rows padded to 16 bits (see dib.h); `bits` may be null
// for a black bitmap. One plane of one bit makes a monochrome bitmap.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bits_pixel, const void* bits);
// A bitmap like the one selected into `hdc` (monochrome for a memory context holding a
// monochrome bitmap, colour otherwise).
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
// A colour bitmap of the header's size, set from the DIB when `init` has CBM_INIT.
HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage);
BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int xs, int ys, DWORD rop);
BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int xs, int ys, int ws,
                int hs, DWORD rop);
// Source coordinates count from the DIB's bottom-left corner for bottom-up DIBs. Returns the
// number of scan lines drawn, 0 on failure.
int StretchDIBits(HDC hdc, int xd, int yd, int wd, int hd, int xs, int ys, int ws, int hs,
                  const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);
int SetDIBitsToDevice(HDC hdc, int xd, int yd, DWORD width, DWORD height, int xs, int ys,
                      UINT start_scan, UINT lines, const void* bits, const BITMAPINFO* info,
                      UINT usage);
// With null `bits`, fills the header (size, and 24 bits when the asked depth is 0) and returns
// the bitmap's height; otherwise copies scan lines (1, 24 or 32 bits per pixel, bottom-up) and
// returns how many.
int GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage);
int SetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, const void* bits,
              const BITMAPINFO* info, UINT usage);
