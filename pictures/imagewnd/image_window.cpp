#include "pictures/imagewnd/image_window.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/datapres/embedded_window_display.h"
#include "engine/frame/clipboard_render.h"
#include "engine/frame/hotspots.h"
#include "engine/medview/engine_titles.h"
#include "engine/mvmci/media_io.h"
#include "pictures/imagewnd/image_hotspots.h"
#include "pictures/imagewnd/image_options.h"
#include "pictures/imagewnd/picture_types.h"
#include "platform/base/os_file.h"
#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/dib.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/gdi/core/text_api.h"
#include "platform/res/resource_handles.h"
#include "platform/res/resource_store.h"
#include "platform/shell/clipboard.h"
#include "platform/win/window_api.h"

namespace imagewnd {
namespace {

constexpr size_t kMaxPictureFile = size_t(256) << 20;
constexpr UINT kCaptionFormat = DT_WORDBREAK | DT_CENTER | DT_NOPREFIX;
constexpr int kFrameMargin = 5;
constexpr COLORREF kHotspotFrame = RGB(0, 0, 255);
constexpr COLORREF kMarkFrame = RGB(128, 0, 0);

struct ImageWindowData {
  std::unique_ptr<PictureData> picture;
  std::optional<std::string> caption;
  std::optional<std::string> notice;
  HPALETTE palette = nullptr;
  title::TitleHandle* title = nullptr;
  int32_t pictureWidth = 0, pictureHeight = 0;
  int32_t totalWidth = 0, totalHeight = 0;
  const PictureType* type = nullptr;
  std::string name;     // hotspot file, a tab and the picture file; or only the picture file
  std::string options;  // the option text, for the loader
  uint32_t createFlags = 0;
  std::unique_ptr<HotspotSet> hotspots;
  int32_t focus = 0;
  uint32_t state = 0;
  std::vector<int32_t> marks;
  std::string forcedType;

  bool printing() const { return createFlags & datapres::kEwPrinting; }
};

HINSTANCE g_instance = nullptr;
std::string g_class_name = kImageClass;

ImageWindowData* data_of(HWND window) { return reinterpret_cast<ImageWindowData*>(GetWindowLongPtr(window, GWLP_USERDATA)); }

std::string class_name_for(HINSTANCE instance) {
  char buffer[64] = {};
  const int length = LoadString(instance, kImageClassNameString, buffer, sizeof buffer);
  return length > 0 && length <= 44 ? std::string(buffer, size_t(length)) : std::string(kImageClass);
}

int screen_bits() {
  HDC screen = GetDC(nullptr);
  if (!screen) return 1;
  const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
  ReleaseDC(nullptr, screen);
  return bits;
}

// --- Reading a picture's bytes -------------------------------------------------------------------

struct PictureBytes {
  std::shared_ptr<const std::vector<uint8_t>> bytes;
};

std::string title_file_of(title::TitleHandle* title) {
  if (!title) return {};
  const int32_t length = medview::MvGetTitleInfo(title, 106, 0, nullptr, 0);
  if (length <= 0) return {};
  std::string name(size_t(length), '\0');
  medview::MvGetTitleInfo(title, 106, length, name.data(), name.size());
  name.resize(std::strlen(name.c_str()));
  return name;
}

std::optional<std::vector<uint8_t>> read_baggage(title::TitleHandle* title, const std::string& name,
                                                 const PictureType*& type) {
  uint16_t code = 0;
  title::BaggagePtr file = medview::MvOpenBaggage(title, name.c_str(), true, &code);
  if (!file) return std::nullopt;
  std::vector<uint8_t> bytes(5);
  std::optional<std::vector<uint8_t>> result;
  if (medview::MvReadBaggage(file.get(), bytes.data(), 5, &code) == 5) {
    if (!type) type = ImgMatchPictureType(bytes, true);
    const int64_t size = medview::MvGetBaggageSize(file.get(), &code);
    if (type && !(type->flags & kSelfLoading) && size >= 5 && uint64_t(size) <= kMaxPictureFile) {
      bytes.resize(size_t(size));
      if (medview::MvReadBaggage(file.get(), bytes.data() + 5, size - 5, &code) == size - 5) result = std::move(bytes);
    }
  }
  medview::MvCloseBaggage(std::move(file), &code);
  return result;
}

std::optional<std::vector<uint8_t>> read_resource(const std::string& name, const PictureType*& type) {
  if (!type) type = ImgMatchPictureType(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>("BM"), 2), false);
  HRSRC found = FindResource(g_instance, name.c_str(), RT_BITMAP);
  if (!found) return std::nullopt;
  const auto* packed = static_cast<const uint8_t*>(LockResource(LoadResource(g_instance, found)));
  if (!packed) return std::nullopt;
  return BitmapFileFromPacked(std::span<const uint8_t>(packed, SizeofResource(g_instance, found)));
}

// A file stored in a title under the compound name the media I/O procedure serves.
std::optional<std::vector<uint8_t>> read_title_media(const std::string& path) {
  mvmci::MediaIoProcedure procedure = mvmci::MediaFindIOProc(mvmci::kTitleMediaFourCC);
  if (!procedure) return std::nullopt;
  mvmci::MediaIoInfo info;
  if (procedure(info, mvmci::kMediaOpen, reinterpret_cast<intptr_t>(path.c_str()), 0) != 0) return std::nullopt;
  std::optional<std::vector<uint8_t>> result;
  const int64_t size = procedure(info, mvmci::kMediaSeek, 0, 2);
  if (size > 0 && uint64_t(size) <= kMaxPictureFile && procedure(info, mvmci::kMediaSeek, 0, 0) == 0) {
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (procedure(info, mvmci::kMediaRead, reinterpret_cast<intptr_t>(bytes.data()), size) == size)
      result = std::move(bytes);
  }
  procedure(info, mvmci::kMediaClose, 0, 0);
  return result;
}

std::optional<std::vector<uint8_t>> read_disk_file(const std::string& title_file, const std::string& name,
                                                   const PictureType*& type) {
  std::optional<std::string> path = ImgPicturePath(title_file, name);
  if (!path) return std::nullopt;
  std::optional<std::vector<uint8_t>> bytes;
  std::string_view title_part, element;
  if (mvmci::MediaSplitCompoundName(*path, title_part, element)) {
    bytes = read_title_media(*path);
  } else {
    std::vector<uint8_t> read;
    if (base::read_file(*path, read, kMaxPictureFile) == base::OsError::None && !read.empty()) bytes = std::move(read);
  }
  if (bytes && !type) type = ImgMatchPictureType(*bytes, false);
  return bytes;
}

// The bytes of a picture or hotspot file by its name; chooses the type by them when none is known.
PictureBytes read_named(const ImageWindowData& data, const std::string& title_file, const std::string& name,
                        const PictureType*& type) {
  const std::string key = name + title_file;
  if (auto cached = ImgCachedPicture(key)) return {cached};
  std::optional<std::vector<uint8_t>> bytes;
  if (!name.empty() && name[0] == '!') {
    bytes = read_baggage(data.title, name.substr(1), type);
  } else if (!name.empty() && name[0] == '+') {
    bytes = read_resource(name.substr(1), type);
  } else {
    bytes = read_disk_file(title_file, name, type);
  }
  if (!bytes) return {};
  auto shared = std::make_shared<const std::vector<uint8_t>>(std::move(*bytes));
  ImgCachePicture(key, shared);
  return {shared};
}

// --- Loading ---------------------------------------------------------------------------------------

HFONT caption_font(HDC dc) {
  return HFONT(GetStockObject(GetDeviceCaps(dc, TECHNOLOGY) == DT_RASDISPLAY ? SYSTEM_FONT : DEVICE_DEFAULT_FONT));
}

// The height of a caption or notice drawn `width` pixels wide; widens `width` to the text.
int32_t measure_text(HDC dc, const std::string& text, int32_t& width) {
  RECT box{0, 0, width, 0};
  DrawText(dc, text.c_str(), int(text.size()), &box, DT_CALCRECT | kCaptionFormat);
  width = std::max<int32_t>(width, box.right - box.left);
  return box.bottom - box.top;
}

void load_picture(HWND window, ImageWindowData& data, HDC dc) {
  data.state |= kImgLoadTried;
  const std::string title_file = title_file_of(data.title);
  const size_t tab = data.name.find('\t');
  const std::string picture_name = tab == std::string::npos ? data.name : data.name.substr(tab + 1);
  const std::string hotspot_name = tab == std::string::npos ? std::string() : data.name.substr(0, tab);

  bool can_load = true;
  if (!data.forcedType.empty()) {
    data.type = ImgMatchPictureType(
        std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(data.forcedType.data()), data.forcedType.size()),
        true);
    can_load = data.type != nullptr;
  }
  BOOL loaded = FALSE;
  if (can_load) {
    PictureBytes bytes;
    const bool self_loading = data.type && (data.type->flags & kSelfLoading);
    if (!self_loading) bytes = read_named(data, title_file, picture_name, data.type);
    if ((bytes.bytes || self_loading) && data.type && data.type->loader) {
      PictureLoadRequest request;
      request.window = window;
      request.dc = dc;
      request.options = data.options.c_str();
      request.createFlags = data.createFlags;
      request.title = data.title;
      if (bytes.bytes) request.bytes = *bytes.bytes;
      request.name = picture_name.c_str();
      request.picture = &data.picture;
      request.palette = &data.palette;
      SIZE size{};
      request.pictureSize = &size;
      request.hotspots = &data.hotspots;
      loaded = data.type->loader(request);
      if (loaded) {
        data.pictureWidth = size.cx;
        data.pictureHeight = size.cy;
      }
    }
    if (bytes.bytes && !hotspot_name.empty() && !data.printing()) {
      // Read like the picture, as a file of the picture's type, so a title's file is taken whole.
      const PictureType* as_type = data.type;
      PictureBytes hotspot_bytes = read_named(data, title_file, hotspot_name, as_type);
      std::unique_ptr<HotspotSet> parsed = hotspot_bytes.bytes ? ParsePly2(*hotspot_bytes.bytes) : nullptr;
      if (parsed) {
        if (data.hotspots) MergeHotspots(*parsed, *data.hotspots);
        data.hotspots = std::move(parsed);
      }
    }
  }
  data.options.clear();
  if (loaded) data.name.clear();
  if (!loaded) {
    data.picture.reset();
    data.pictureWidth = kNotFoundWidth;
    data.pictureHeight = kNotFoundHeight;
    SetWindowText(window, kNotFoundText);
  }

  data.totalWidth = data.pictureWidth;
  data.totalHeight = data.pictureHeight;
  const bool notice = data.notice && data.printing();
  if (data.caption || notice) {
    HGDIOBJ old = SelectObject(dc, caption_font(dc));
    int32_t width = data.totalWidth;
    if (data.caption) data.totalHeight += measure_text(dc, *data.caption, width);
    if (notice) data.totalHeight += measure_text(dc, *data.notice, width);
    data.totalWidth = width;
    SelectObject(dc, old);
  }
  if (data.hotspots && data.hotspots->hitTestableCount() <= 1) data.hotspots->resize(data.totalWidth, data.totalHeight);
}

void ensure_loaded(HWND window, ImageWindowData& data, HDC dc) {
  if (!(data.state & kImgLoadTried)) load_picture(window, data, dc);
}

// --- Drawing -----------------------------------------------------------------------------------------

RECT grown(const RECT& box, int by) { return {box.left - by, box.top - by, box.right + by, box.bottom + by}; }

void draw_frame(HDC dc, const HotspotRecord& record, COLORREF colour, bool invert_style) {
  HPEN pen = CreatePen(PS_SOLID, 3, colour);
  if (!pen) {
    const RECT box = record.box();
    InvertRect(dc, &box);
    return;
  }
  const int old_rop = SetROP2(dc, invert_style ? R2_NOT : R2_COPYPEN);
  HGDIOBJ old_pen = SelectObject(dc, pen);
  HGDIOBJ old_brush = SelectObject(dc, GetStockObject(invert_style ? WHITE_BRUSH : NULL_BRUSH));
  const RECT box = grown(record.box(), 1);
  const auto shape = [&] {
    if (record.shape == kShapePolygon && !record.points.empty()) {
      Polygon(dc, record.points.data(), int(record.points.size()));
    } else {
      Rectangle(dc, box.left, box.top, box.right, box.bottom);
    }
  };
  shape();
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  shape();
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
  SetROP2(dc, old_rop);
  DeleteObject(pen);
}

void draw_frames(HDC dc, const ImageWindowData& data, const RECT& rect) {
  if (!data.hotspots) return;
  const HotspotSet& set = *data.hotspots;
  POINT old_origin{};
  SetViewportOrgEx(dc, rect.left, rect.top, &old_origin);
  const bool invert_style = data.state & kImgInvertStyle;
  const auto hotspot = [&](int64_t number) {
    const HotspotRecord* r = set.byNumber(size_t(number));
    if (r && r->level >= 2) draw_frame(dc, *r, kHotspotFrame, invert_style);
  };
  if (data.state & kImgShowAll) {
    for (int64_t n = set.numberLimit() - 1; n >= 0; --n) hotspot(n);
  } else if (data.focus > 0) {
    hotspot(data.focus - 1);
  }
  for (int32_t n : data.marks)
    if (const HotspotRecord* r = n >= 0 ? set.mark(size_t(n)) : nullptr) draw_frame(dc, *r, kMarkFrame, invert_style);
  SetViewportOrgEx(dc, old_origin.x, old_origin.y, nullptr);
}

void fill_white(HDC dc, const RECT& area) {
  const COLORREF old = SetBkColor(dc, RGB(255, 255, 255));
  ExtTextOut(dc, 0, 0, ETO_OPAQUE, &area, "", 0, nullptr);
  SetBkColor(dc, old);
}

void draw_window(HWND window, ImageWindowData& data, HDC dc, const RECT& rect, bool with_notice, bool with_frames) {
  ensure_loaded(window, data, dc);
  if (data.picture && data.type && data.type->drawer) {
    data.type->drawer(dc, data.picture.get(), data.palette, rect.left, rect.top, rect.left + data.pictureWidth,
                      rect.top + data.pictureHeight);
    const bool notice = with_notice && data.notice;
    if (data.caption || notice) {
      const RECT below{rect.left, rect.top + data.pictureHeight, rect.right, rect.bottom};
      fill_white(dc, below);
      const COLORREF old_colour = SetTextColor(dc, RGB(0, 0, 0));
      const int old_mode = SetBkMode(dc, TRANSPARENT);
      HGDIOBJ old_font = SelectObject(dc, caption_font(dc));
      RECT text = below;
      for (const std::optional<std::string>* line : {&data.caption, notice ? &data.notice : nullptr}) {
        if (!line || !*line) continue;
        const int height = DrawText(dc, (*line)->c_str(), int((*line)->size()), &text, kCaptionFormat);
        text.top += height;
      }
      SelectObject(dc, old_font);
      SetBkMode(dc, old_mode);
      SetTextColor(dc, old_colour);
    }
    if (with_frames) {
      draw_frames(dc, data, rect);
      if (data.state & kImgInverted) InvertRect(dc, &rect);
    }
  } else if (!data.name.empty()) {
    fill_white(dc, rect);
    const COLORREF old_colour = SetTextColor(dc, RGB(0, 0, 0));
    const int old_mode = SetBkMode(dc, TRANSPARENT);
    RECT text = rect;
    DrawText(dc, data.name.c_str(), int(data.name.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    SetBkMode(dc, old_mode);
    SetTextColor(dc, old_colour);
  }
}

// --- Clipboard ---------------------------------------------------------------------------------------

// The window drawn on white into a bitmap like the window's, notice on and frames off, as a packed
// DIB of 24 bits per pixel (the platform's bitmaps are true-colour, so no colour is lost).
std::vector<uint8_t> render_packed(HWND window, ImageWindowData& data) {
  HDC window_dc = GetDC(window);
  if (!window_dc) return {};
  ensure_loaded(window, data, window_dc);
  int32_t width = data.totalWidth, height = data.totalHeight;
  if (data.notice && !data.printing()) {
    HGDIOBJ old = SelectObject(window_dc, caption_font(window_dc));
    height += measure_text(window_dc, *data.notice, width);
    SelectObject(window_dc, old);
  }
  std::vector<uint8_t> packed;
  HDC memory = CreateCompatibleDC(window_dc);
  HBITMAP bitmap = width > 0 && height > 0 ? CreateCompatibleBitmap(window_dc, width, height) : nullptr;
  if (memory && bitmap) {
    HGDIOBJ old_bitmap = SelectObject(memory, bitmap);
    HPALETTE old_palette = data.palette ? SelectPalette(memory, data.palette, FALSE) : nullptr;
    if (data.palette) RealizePalette(memory);
    const RECT all{0, 0, width, height};
    FillRect(memory, &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
    draw_window(window, data, memory, all, true, false);
    if (old_palette) SelectPalette(memory, old_palette, FALSE);
    SelectObject(memory, old_bitmap);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const size_t row = (size_t(width) * 3 + 3) / 4 * 4;
    info.bmiHeader.biSizeImage = DWORD(row * size_t(height));
    std::vector<uint8_t> rows(row * size_t(height));
    if (GetDIBits(window_dc, bitmap, 0, UINT(height), rows.data(), &info, DIB_RGB_COLORS) == height) {
      packed.resize(sizeof(BITMAPINFOHEADER));
      std::memcpy(packed.data(), &info.bmiHeader, sizeof(BITMAPINFOHEADER));
      packed.insert(packed.end(), rows.begin(), rows.end());
    }
  }
  if (bitmap) DeleteObject(bitmap);
  if (memory) DeleteDC(memory);
  ReleaseDC(window, window_dc);
  return packed;
}

LRESULT clip_formats(HWND window, ImageWindowData& data, WPARAM wanted) {
  if (wanted != 0 && wanted != CF_BITMAP && wanted != CF_DIB && wanted != CF_PALETTE) return 0;
  auto table = std::make_unique<medview::ClipFormatTable>();
  if (data.palette) {
    std::vector<uint8_t> palette = shell::palette_bytes(data.palette);
    if (!palette.empty()) table->items.push_back({CF_PALETTE, std::move(palette)});
  }
  if (wanted != CF_PALETTE) {
    std::vector<uint8_t> packed = render_packed(window, data);
    if (!packed.empty()) {
      table->items.push_back({CF_DIB, packed});
      table->items.push_back({CF_BITMAP, std::move(packed)});
    }
  }
  return reinterpret_cast<LRESULT>(table.release());
}

void copy_to_clipboard(HWND window, ImageWindowData& data) {
  if (!OpenClipboard(window)) return;
  std::vector<uint8_t> packed = render_packed(window, data);
  EmptyClipboard();
  if (data.palette) SetClipboardData(CF_PALETTE, shell::palette_bytes(data.palette));
  if (!packed.empty()) SetClipboardData(CF_BITMAP, packed);
  CloseClipboard();
}

// --- Hotspot messages ---------------------------------------------------------------------------

LRESULT hotspot_query(ImageWindowData& data, WPARAM which, medview::HotspotTarget* target) {
  if (!target || !data.hotspots) return 0;
  const int32_t n = int32_t(which);
  const HotspotRecord* record = n == -1   ? data.hotspots->hit(target->rect.left, target->rect.top)
                                : n == -2 ? (data.focus > 0 ? data.hotspots->byNumber(size_t(data.focus - 1)) : nullptr)
                                : n >= 0  ? data.hotspots->byNumber(size_t(n))
                                          : nullptr;
  if (!record) return 0;
  const HotspotAnswer answer = AnswerFor(*record);
  target->rect = answer.box;
  target->target = answer.hash;
  target->dataLength = int32_t(answer.data.size());
  target->type = answer.kind;
  if (target->buffer && target->bufferSize >= target->dataLength && !answer.data.empty())
    std::memcpy(target->buffer, answer.data.data(), answer.data.size());
  return 1;
}

void invalidate_box(HWND window, const HotspotRecord* record) {
  if (!record) return;
  const RECT box = grown(record->box(), kFrameMargin);
  InvalidateRect(window, &box, TRUE);
}

RECT visible_area(HWND window) {
  RECT area{};
  GetClientRect(window, &area);
  if (HWND parent = GetParent(window)) {
    RECT outer{};
    GetClientRect(parent, &outer);
    MapWindowPoints(parent, window, reinterpret_cast<POINT*>(&outer), 2);
    area = {std::max(area.left, outer.left), std::max(area.top, outer.top), std::min(area.right, outer.right),
            std::min(area.bottom, outer.bottom)};
  }
  return area;
}

LRESULT focus_step(HWND window, ImageWindowData& data, WPARAM how) {
  if (!data.hotspots) return 0;
  const HotspotSet& set = *data.hotspots;
  if (data.focus > 0) invalidate_box(window, set.byNumber(size_t(data.focus - 1)));
  data.state &= ~kImgShowAll;
  if (how == 0 || how == 1) {
    data.focus = StepHotspotFocus(set, data.focus, how == 1, visible_area(window));
  } else if (how == 2) {
    data.state |= kImgShowAll;
    InvalidateRect(window, nullptr, TRUE);
  }
  if (!(data.state & kImgShowAll) && data.focus >= 1 && data.focus <= set.numberLimit()) {
    invalidate_box(window, set.byNumber(size_t(data.focus - 1)));
    return 1;
  }
  data.focus = 0;
  return 0;
}

LRESULT set_inverted(HWND window, ImageWindowData& data, bool inverted) {
  if (inverted == bool(data.state & kImgInverted)) return 0;
  UpdateWindow(window);
  data.state ^= kImgInverted;
  if (HDC dc = GetDC(window)) {
    RECT client{};
    GetClientRect(window, &client);
    InvertRect(dc, &client);
    ReleaseDC(window, dc);
  }
  return 0;
}

LRESULT add_mark(HWND window, ImageWindowData& data, int32_t n, RECT* box) {
  data.marks.push_back(n);
  const HotspotRecord* record = data.hotspots && n >= 0 ? data.hotspots->mark(size_t(n)) : nullptr;
  if (record) {
    invalidate_box(window, record);
    if (box) *box = record->box();
  } else if (box) {
    *box = RECT{};
  }
  return 1;
}

// --- Creation --------------------------------------------------------------------------------------

LRESULT on_create(HWND window, const CREATESTRUCT* create) {
  const auto* params = create ? static_cast<const datapres::EmbeddedWindowParams*>(create->lpCreateParams) : nullptr;
  if (!params || !create->lpszName) return -1;
  auto data = std::make_unique<ImageWindowData>();
  data->createFlags = params->flags;
  data->state = kImgInvertStyle;
  const ImageWindowOptions options = ImgReadOptions(create->lpszName, screen_bits(), data->printing());
  if (options.refused) return -1;
  data->caption = options.caption;
  data->notice = options.notice;
  data->forcedType = options.forcedType;
  if (options.noInvert) data->state &= ~kImgInvertStyle;
  if (options.macro) {
    data->hotspots = std::make_unique<HotspotSet>(kMacroArea, kMacroArea, 2, 1);
    HotspotRecord macro;
    macro.level = 2;
    macro.right = kMacroArea;
    macro.bottom = kMacroArea;
    macro.kind = kHotspotMacro;
    macro.data.assign(options.macro->begin(), options.macro->end());
    macro.data.push_back(0);
    data->hotspots->add(macro);
  }
  data->name = options.hotspotFile.empty() ? options.pictureFile : options.hotspotFile + '\t' + options.pictureFile;
  data->title = params->title;
  data->options = create->lpszName;
  SetWindowLongPtr(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data.release()));
  return 0;
}

void on_destroy(HWND window) {
  std::unique_ptr<ImageWindowData> data(data_of(window));
  SetWindowLongPtr(window, GWLP_USERDATA, 0);
  if (!data) return;
  if (data->type && data->type->freer) {
    data->type->freer(std::move(data->picture), data->palette);
  } else if (data->palette) {
    DeleteObject(data->palette);
  }
}

}  // namespace

LRESULT ImageWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CREATE) return on_create(window, reinterpret_cast<const CREATESTRUCT*>(lparam));
  if (message == WM_NCHITTEST) return HTTRANSPARENT;
  if (message == WM_GETFONT) return reinterpret_cast<LRESULT>(GetStockObject(SYSTEM_FONT));
  ImageWindowData* data = data_of(window);
  if (message == WM_ERASEBKGND) {
    if (!data || data->pictureWidth < data->totalWidth) {
      HDC dc = reinterpret_cast<HDC>(wparam);
      RECT clip{};
      GetClipBox(dc, &clip);
      ExtTextOut(dc, 0, 0, ETO_OPAQUE, &clip, "", 0, nullptr);
    }
    return DefWindowProc(window, message, wparam, lparam);
  }
  if (!data) return DefWindowProc(window, message, wparam, lparam);
  switch (message) {
    case WM_DESTROY:
      on_destroy(window);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      RECT client{};
      GetClientRect(window, &client);
      if (dc) draw_window(window, *data, dc, client, false, true);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_COPY:
      copy_to_clipboard(window, *data);
      return 0;
    case datapres::kEwSize: {
      ensure_loaded(window, *data, reinterpret_cast<HDC>(wparam));
      if (auto* size = reinterpret_cast<int32_t*>(lparam)) {
        size[0] = data->totalWidth;
        size[1] = data->totalHeight;
      }
      return 1;
    }
    case kImgPaletteQuery:
      return reinterpret_cast<LRESULT>(data->palette);
    case datapres::kEwShow: {
      if (wparam == 1) return 0;
      const auto* draw = reinterpret_cast<const datapres::EmbedDrawParams*>(lparam);
      UpdateWindow(window);
      if (draw && draw->hdc &&
          (GetObjectType(draw->hdc) == OBJ_MEMDC || GetDeviceCaps(draw->hdc, TECHNOLOGY) == DT_METAFILE))
        draw_window(window, *data, draw->hdc, draw->rect, false, true);
      return 0;
    }
    case datapres::kEwPrint: {
      const auto* draw = reinterpret_cast<const datapres::EmbedDrawParams*>(lparam);
      if (draw && draw->hdc) draw_window(window, *data, draw->hdc, draw->rect, true, false);
      return 1;
    }
    case datapres::kEwHotspot:
      return hotspot_query(*data, wparam, reinterpret_cast<medview::HotspotTarget*>(lparam));
    case datapres::kEwFocus:
      return focus_step(window, *data, wparam);
    case datapres::kEwHotspotCount:
      return data->hotspots ? data->hotspots->hitTestableCount() : 0;
    case datapres::kEwClipFormats:
      return clip_formats(window, *data, wparam);
    case datapres::kEwHighlight:
      return set_inverted(window, *data, wparam != 0);
    case datapres::kEwHitRect:
      return add_mark(window, *data, int32_t(wparam), reinterpret_cast<RECT*>(lparam));
    case datapres::kEwClearHits:
      if (!data->marks.empty()) {
        data->marks.clear();
        InvalidateRect(window, nullptr, TRUE);
      }
      return 0;
    default:
      break;
  }
  if ((message == WM_CLOSE || message == WM_TIMER || message >= WM_USER) && data->type && data->type->hook) {
    if (LRESULT answer = data->type->hook(data->picture.get(), message, wparam, lparam)) return answer;
  }
  return DefWindowProc(window, message, wparam, lparam);
}

int ImgInit(HINSTANCE instance) {
  g_instance = instance;
  g_class_name = class_name_for(instance);
  WNDCLASS wc;
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = ImageWndProc;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = nullptr;
  wc.lpszClassName = g_class_name.c_str();
  WNDCLASS existing;
  if (!GetClassInfo(g_class_name.c_str(), &existing)) RegisterClass(&wc);
  datapres::EmbedClasses().remove(g_class_name, reinterpret_cast<intptr_t>(instance));
  datapres::EmbedClasses().add(g_class_name, reinterpret_cast<intptr_t>(instance), ImgCreateWindow);
  if (!ImgHasThreadRecords()) ImgRegisterBuiltInTypes();
  return 1;
}

int ImgTerm(HINSTANCE instance) {
  const std::string name = class_name_for(instance);
  if (!UnregisterClass(name.c_str())) return 0;
  datapres::EmbedClasses().remove(name, reinterpret_cast<intptr_t>(instance));
  ImgReleaseThread();
  return 1;
}

HWND ImgCreateWindow(HWND parent, const char* window_text, const datapres::EmbeddedWindowParams& params) {
  return CreateWindowEx(0, g_class_name.c_str(), window_text, WS_CHILD, 0, 0, 0, 0, parent, nullptr,
                        const_cast<datapres::EmbeddedWindowParams*>(&params));
}

bool ImgWindowFacts(HWND window, ImageWindowFacts& facts) {
  const ImageWindowData* data = data_of(window);
  if (!data) return false;
  facts.state = data->state;
  facts.focus = data->focus;
  facts.pictureWidth = data->pictureWidth;
  facts.pictureHeight = data->pictureHeight;
  facts.totalWidth = data->totalWidth;
  facts.totalHeight = data->totalHeight;
  facts.hasPicture = data->picture != nullptr;
  facts.hasHotspots = data->hotspots != nullptr;
  return true;
}

}  // namespace imagewnd
