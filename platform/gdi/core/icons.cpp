#include "platform/gdi/core/icons.h"

#include <cstdint>
#include <map>

#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/device_context.h"
#include "platform/gdi/core/gdi_objects.h"
#include "platform/gdi/core/icon_image.h"
#include "platform/gdi/core/object_api.h"

namespace {

struct Icons {
  std::map<std::uintptr_t, gdi::IconImage> live;
  // Above every cursor handle, so an icon and a cursor are never the same number.
  std::uintptr_t last = 0x40000000;
};

Icons& icons() {
  static Icons all;
  return all;
}

const gdi::IconImage* find_icon(HICON icon) {
  auto it = icons().live.find(reinterpret_cast<std::uintptr_t>(icon));
  return it == icons().live.end() ? nullptr : &it->second;
}

HICON add_icon(gdi::IconImage image) {
  std::uintptr_t id = ++icons().last;
  icons().live.emplace(id, std::move(image));
  return reinterpret_cast<HICON>(id);
}

std::shared_ptr<gdi::Bitmap> copy_of(HBITMAP bitmap) {
  auto* object = gdi::object_as<gdi::BitmapObject>(bitmap);
  return object && object->bitmap ? std::make_shared<gdi::Bitmap>(*object->bitmap) : nullptr;
}

HBITMAP handle_of(const gdi::Bitmap& bitmap) {
  return static_cast<HBITMAP>(gdi::create_object(gdi::BitmapObject{std::make_shared<gdi::Bitmap>(bitmap)}));
}

std::shared_ptr<gdi::Bitmap> scaled(const gdi::Bitmap& from, int cx, int cy) {
  auto to = gdi::Bitmap::create(cx, cy, from.monochrome());
  if (!to) return nullptr;
  for (int y = 0; y < cy; ++y) {
    for (int x = 0; x < cx; ++x) {
      to->at(x, y) = from.at(int(int64_t(x) * from.width() / cx), int(int64_t(y) * from.height() / cy));
    }
  }
  return to;
}

// Transfers one part of the icon onto the context; the mask's black and white reach a colour
// context as black and white whatever the context's text and background colours are.
void transfer(HDC hdc, int x, int y, int cx, int cy, const gdi::Bitmap& part, DWORD rop) {
  HDC source = CreateCompatibleDC(hdc);
  HBITMAP bitmap = handle_of(part);
  HGDIOBJ old = SelectObject(source, bitmap);
  COLORREF old_text = SetTextColor(hdc, RGB(0, 0, 0));
  COLORREF old_bk = SetBkColor(hdc, RGB(255, 255, 255));
  StretchBlt(hdc, x, y, cx, cy, source, 0, 0, part.width(), part.height(), rop);
  SetBkColor(hdc, old_bk);
  SetTextColor(hdc, old_text);
  SelectObject(source, old);
  DeleteObject(bitmap);
  DeleteDC(source);
}

}  // namespace

HICON CreateIconIndirect(const ICONINFO* info) {
  if (!info) return nullptr;
  auto mask = copy_of(info->hbmMask);
  auto colour = copy_of(info->hbmColor);
  if (!mask || !colour || mask->width() != colour->width() || mask->height() != colour->height()) return nullptr;
  return add_icon({std::move(colour), std::move(mask)});
}

BOOL DestroyIcon(HICON icon) { return icons().live.erase(reinterpret_cast<std::uintptr_t>(icon)) ? TRUE : FALSE; }

BOOL GetIconInfo(HICON icon, ICONINFO* info) {
  const gdi::IconImage* image = find_icon(icon);
  if (!image || !info) return FALSE;
  *info = ICONINFO{TRUE, DWORD(image->colour->width() / 2), DWORD(image->colour->height() / 2),
                   handle_of(*image->mask), handle_of(*image->colour)};
  return TRUE;
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, UINT, HBRUSH, UINT flags) {
  const gdi::IconImage* image = find_icon(icon);
  if (!image || !hdc || !(flags & DI_NORMAL)) return FALSE;
  if (cx == 0) cx = image->colour->width();
  if (cy == 0) cy = image->colour->height();
  if (flags & DI_MASK) transfer(hdc, x, y, cx, cy, *image->mask, (flags & DI_IMAGE) ? SRCAND : SRCCOPY);
  if (flags & DI_IMAGE) transfer(hdc, x, y, cx, cy, *image->colour, (flags & DI_MASK) ? SRCINVERT : SRCCOPY);
  return TRUE;
}

namespace gdi {

HICON create_icon(std::span<const uint8_t> bytes, int cx, int cy) {
  IconImage image;
  if (!decode_icon_image(bytes, image)) return nullptr;
  if (cx > 0 && cy > 0 && (cx != image.colour->width() || cy != image.colour->height())) {
    image.colour = scaled(*image.colour, cx, cy);
    image.mask = scaled(*image.mask, cx, cy);
    if (!image.colour || !image.mask) return nullptr;
  }
  return add_icon(std::move(image));
}

}  // namespace gdi
