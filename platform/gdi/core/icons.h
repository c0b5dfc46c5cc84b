// Icons: a colour image with a transparency mask, made from bitmaps or from an icon image
// (icon_image.h), drawn at their own size or scaled. Icon handles are numbers that are never
// reused, so a destroyed icon is recognised instead of drawn.
#pragma once

#include <span>

#include "platform/gdi/core/gdi_types.h"

struct ICONINFO {
  BOOL fIcon;
  DWORD xHotspot;
  DWORD yHotspot;
  HBITMAP hbmMask;   // monochrome, the icon's size: white transparent, black opaque
  HBITMAP hbmColor;  // black wherever the mask is white
};

// DrawIconEx parts.
constexpr UINT DI_MASK = 0x0001;
constexpr UINT DI_IMAGE = 0x0002;
constexpr UINT DI_NORMAL = DI_MASK | DI_IMAGE;

// A new icon with copies of the two bitmaps; null when either is missing or their sizes differ.
HICON CreateIconIndirect(const ICONINFO* info);
BOOL DestroyIcon(HICON icon);
// New copies of the icon's bitmaps, which the caller deletes.
BOOL GetIconInfo(HICON icon, ICONINFO* info);
// Draws the icon at (x, y), `cx` x `cy` (0: its own size): DI_MASK ANDs the mask on, DI_IMAGE
// XORs the colour part on (each alone copies its part). Step and flicker-free brush are not used.
BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH flicker_free, UINT flags);

namespace gdi {
// An icon from the bytes of an icon image, scaled to `cx` x `cy` when both are given; null when
// the bytes are not a valid icon image.
HICON create_icon(std::span<const uint8_t> image, int cx, int cy);
}  // namespace gdi
