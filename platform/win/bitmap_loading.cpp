#include "platform/win/bitmap_loading.h"

#include <span>
#include <vector>

#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dib.h"
#include "platform/res/icon_loading.h"
#include "platform/res/resource_store.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_api.h"

namespace {

std::shared_ptr<gdi::Bitmap> decode_resource(const char* name) {
  std::span<const uint8_t> bytes = IS_INTRESOURCE(name)
                                       ? res::find_binary(res::BinaryKind::bitmap, UINT(std::uintptr_t(name)))
                                       : res::find_binary(res::BinaryKind::bitmap, name);
  if (bytes.empty()) return nullptr;
  return gdi::decode_packed_dib(bytes);
}

void map_colours(gdi::Bitmap& bitmap, std::span<const COLORMAP> map) {
  for (int y = 0; y < bitmap.height(); ++y) {
    uint32_t* row = bitmap.row(y);
    for (int x = 0; x < bitmap.width(); ++x) {
      for (const COLORMAP& m : map) {
        if (row[x] == gdi::pixel_of(m.from)) {
          row[x] = gdi::pixel_of(m.to);
          break;
        }
      }
    }
  }
}

std::shared_ptr<gdi::Bitmap> scaled(const gdi::Bitmap& from, int cx, int cy) {
  auto to = gdi::Bitmap::create(cx, cy, false);
  if (!to) return nullptr;
  for (int y = 0; y < cy; ++y) {
    for (int x = 0; x < cx; ++x) {
      to->at(x, y) = from.at(int(int64_t(x) * from.width() / cx), int(int64_t(y) * from.height() / cy));
    }
  }
  return to;
}

HBITMAP to_device_bitmap(const gdi::Bitmap& bitmap) {
  std::vector<uint8_t> packed = gdi::encode_packed_dib(bitmap);
  if (packed.size() < sizeof(BITMAPINFOHEADER)) return nullptr;
  const auto* info = reinterpret_cast<const BITMAPINFO*>(packed.data());
  return CreateDIBitmap(nullptr, &info->bmiHeader, CBM_INIT, packed.data() + info->bmiHeader.biSize, info,
                        DIB_RGB_COLORS);
}

}  // namespace

HBITMAP LoadBitmap(HINSTANCE, const char* name) {
  auto bitmap = decode_resource(name);
  return bitmap ? to_device_bitmap(*bitmap) : nullptr;
}

HGDIOBJ LoadImage(HINSTANCE, const char* name, UINT type, int cx, int cy, UINT flags) {
  if (type == IMAGE_ICON) return res::load_icon(name, cx, cy);
  if (type != IMAGE_BITMAP) return nullptr;
  auto bitmap = decode_resource(name);
  if (!bitmap) return nullptr;
  if (flags & LR_LOADMAP3DCOLORS) {
    const COLORMAP map[] = {{RGB(128, 128, 128), GetSysColor(COLOR_3DSHADOW)},
                            {RGB(192, 192, 192), GetSysColor(COLOR_3DFACE)},
                            {RGB(223, 223, 223), GetSysColor(COLOR_3DLIGHT)}};
    map_colours(*bitmap, map);
  }
  if (cx > 0 && cy > 0 && (cx != bitmap->width() || cy != bitmap->height())) {
    bitmap = scaled(*bitmap, cx, cy);
    if (!bitmap) return nullptr;
  }
  return to_device_bitmap(*bitmap);
}

HBITMAP CreateMappedBitmap(HINSTANCE, LONG_PTR idBitmap, UINT, const COLORMAP* lpColorMap, int iNumMaps) {
  auto bitmap = decode_resource(MAKEINTRESOURCE(int(idBitmap)));
  if (!bitmap) return nullptr;
  const COLORMAP standard[] = {{RGB(0, 0, 0), GetSysColor(COLOR_BTNTEXT)},
                               {RGB(128, 128, 128), GetSysColor(COLOR_BTNSHADOW)},
                               {RGB(192, 192, 192), GetSysColor(COLOR_BTNFACE)},
                               {RGB(255, 255, 255), GetSysColor(COLOR_BTNHIGHLIGHT)}};
  std::span<const COLORMAP> map = lpColorMap && iNumMaps > 0 ? std::span<const COLORMAP>(lpColorMap, size_t(iNumMaps))
                                                            : std::span<const COLORMAP>(standard);
  map_colours(*bitmap, map);
  return to_device_bitmap(*bitmap);
}
