#include "pictures/media/media_window.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <strings.h>
#include <unistd.h>

#include "engine/datapres/embedded_window.h"
#include "engine/datapres/embedded_window_display.h"
#include "pictures/image/media_element.h"
#include "pictures/media/media_device.h"
#include "pictures/media/media_text.h"
#include "pictures/media/movie_player.h"
#include "pictures/media/play_bar.h"
#include "platform/framework/menu.h"
#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/gdi/core/text_api.h"
#include "platform/res/resource_store.h"
#include "platform/win/message_queue.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_api.h"

namespace media {
namespace {

struct Layer {
  HINSTANCE instance = nullptr;
  MediaWords words;
  // The window classes MciInit registered itself (not those that existed before it).
  std::vector<const char*> registered;
};
Layer& TheLayer() {
  static Layer layer;
  return layer;
}

// Everything one media window holds.
struct MediaWindow {
  HWND window = nullptr, video = nullptr, playBar = nullptr;
  MediaOptions options;
  MediaDevice device;
  PlayBarData bar;
  bool deferred = false;
  std::string path;
  SIZE total{0, 0};
  RECT videoRect{0, 0, 0, 0}, labelRect{0, 0, 0, 0}, barRect{0, 0, 0, 0};
  COLORREF background = RGB(255, 255, 255);
  bool printing = false;  // belongs to a printing viewer
  HWND twin = nullptr;    // a printing window's screen window, whose picture it prints
};

// The media windows of this process.
struct MediaInstance {
  pid_t process = 0;
  HWND parent = nullptr;
  std::string name;  // the instance name option
  std::string text;  // the whole window text
  HWND window = nullptr;
  bool printing = false;
};
std::vector<MediaInstance>& Instances() {
  static std::vector<MediaInstance> instances;
  return instances;
}

void RemoveInstance(HWND window) {
  std::erase_if(Instances(), [window](const MediaInstance& i) { return i.window == window; });
}

MediaWindow* Data(HWND h) {
  while (h) {
    if (auto* data = reinterpret_cast<MediaWindow*>(GetWindowLongPtr(h, GWLP_USERDATA))) return data;
    h = GetParent(h);
  }
  return nullptr;
}

void Fill(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void Frame(HDC dc, RECT r, COLORREF colour) {
  Fill(dc, {r.left, r.top, r.right, r.top + 1}, colour);
  Fill(dc, {r.left, r.bottom - 1, r.right, r.bottom}, colour);
  Fill(dc, {r.left, r.top, r.left + 1, r.bottom}, colour);
  Fill(dc, {r.right - 1, r.top, r.right, r.bottom}, colour);
}

void Edge(HDC dc, RECT r, COLORREF top_left, COLORREF bottom_right) {
  Fill(dc, {r.left, r.top, r.right, r.top + 1}, top_left);
  Fill(dc, {r.left, r.top, r.left + 1, r.bottom}, top_left);
  Fill(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottom_right);
  Fill(dc, {r.right - 1, r.top, r.right, r.bottom}, bottom_right);
}

// Shows the play bar's plain state on its child windows.
void ShowBarState(MediaWindow& w) {
  PlayBarData& bar = w.bar;
  if (!w.playBar) return;
  for (int id = 1; id <= 13; ++id) {
    HWND button = GetDlgItem(w.playBar, id);
    if (!button) continue;
    SendMessage(button, kBtnSetPressedQuiet, bar.down(id), 0);
    EnableWindow(button, (bar.enabled >> id) & 1);
  }
  if (HWND menu = GetDlgItem(w.playBar, kMenuButtonId)) EnableWindow(menu, bar.menuEnabled);
  if (HWND track = GetDlgItem(w.playBar, kTrackBarId)) {
    EnableWindow(track, bar.trackBarEnabled);
    SendMessage(track, kTbSetMin, 0, bar.thumbMin);
    SendMessage(track, kTbSetMax, 0, bar.thumbMax);
    SendMessage(track, kTbClearTicks, 0, 0);
    for (int32_t tick : bar.ticks) SendMessage(track, kTbAddTick, 0, tick);
    SendMessage(track, kTbSetPos, 1, bar.thumb);
  }
}

void StopWindow(MediaWindow& w) {
  PlayBarCommand(w.bar, w.device, kCmdStopNoRewind, 0);
  ShowBarState(w);
}

// Lays out video, label and play bar from the top.
void Layout(MediaWindow& w, HDC dc) {
  int vw = 0, vh = 0;
  if (w.device.has(kDevVideo) && w.options.videoWidth > 0 && w.options.videoHeight > 0) {
    vw = w.options.videoWidth;
    vh = w.options.videoHeight;
  }
  const bool framed = !w.options.noFrame && vw > 0;
  int area_w = vw + (framed ? 8 : 0), area_h = vh + (framed ? 8 : 0);
  const SIZE bar = PlayBarSize(w.bar, area_w);
  int total_w = std::max<int>(area_w, bar.cx);
  int label_h = 0;
  if (!w.options.label.empty()) {
    HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    int lines = 0;
    size_t start = 0;
    while (start <= w.options.label.size()) {
      const size_t end = std::min(w.options.label.find('\n', start), w.options.label.size());
      SIZE extent{};
      GetTextExtentPoint32(dc, w.options.label.c_str() + start, int(end - start), &extent);
      total_w = std::max<int>(total_w, extent.cx + 8);
      ++lines;
      start = end + 1;
    }
    SelectObject(dc, old);
    label_h = lines * tm.tmHeight + 4;
  }
  if (total_w > area_w && area_w > 0) {
    if (framed) area_h += std::min(((total_w - area_w) / 2) & ~1, 24);
    area_w = total_w;
  }
  const int vx = (area_w - vw + 1) / 2, vy = (area_h - vh + 1) / 2;
  w.videoRect = {vx, vy, vx + vw, vy + vh};
  w.labelRect = {0, area_h, total_w, area_h + label_h};
  w.barRect = {0, area_h + label_h, bar.cx ? total_w : 0, area_h + label_h + bar.cy};
  w.total = {total_w, area_h + label_h + bar.cy};
}

bool IsMovie(const std::string& path) {
  return path.size() >= 4 && strcasecmp(path.c_str() + path.size() - 4, ".mmm") == 0;
}

bool OpenDevice(MediaWindow& w) {
  MediaDevice& d = w.device;
  if (IsMovie(w.path)) return MovieOpen(d, w.path);
  d.id = MciOpenDevice(w.window, w.options.deviceType, w.path, &d);
  if (!d.id) return false;
  if (!MciQueryDevice(d)) return false;
  if (d.has(kDevReady)) d.flags |= kDevNewMedia;
  return true;
}

// With a device type and exactly one of the two sizes given (and not playing by itself without
// controls), the type alone is opened and closed again to ask whether it shows video. 1 for a video
// type (the missing size then keeps the proportions of its default picture), 0 when there is
// nothing to ask or the type has no video, -1 when the type cannot be opened (the notice is out).
int ProbeOneSize(MediaWindow& w) {
  MediaOptions& o = w.options;
  const bool one_size = (o.videoWidth > 0) != (o.videoHeight > 0);
  if (!one_size || o.deviceType.empty() || (o.autoPlay && o.buttons == 0)) return 0;
  const uint16_t probe = MciOpenDevice(w.window, o.deviceType, {}, nullptr);
  if (!probe) return -1;
  SIZE picture{0, 0};
  const bool video = MciHasVideo(probe);
  if (video) {
    if (MediaDriver* driver = MciDriver(probe); driver && driver->default_size(picture) != 0) picture = {0, 0};
  }
  MciCloseDevice(probe);
  if (!video) return 0;
  if (o.videoWidth > 0) {
    o.videoHeight = picture.cx > 0 ? MediaScale(o.videoWidth, picture.cy, picture.cx) : o.videoWidth;
  } else {
    o.videoWidth = picture.cy > 0 ? MediaScale(o.videoHeight, picture.cx, picture.cy) : o.videoHeight;
  }
  return 1;
}

void StartDevice(MediaWindow& w) {
  if (w.device.has(kDevVideo)) MciSetVideoWindow(w.device, w.video);
  PlayBarRefreshButtons(w.bar, w.device);
  if (w.device.has(kDevReady)) PlayBarComputeRange(w.bar, w.device);
  PlayBarStartPolling(w.bar);
  ShowBarState(w);
}

LRESULT CreateMedia(HWND h, const CREATESTRUCT& cs) {
  auto w = std::make_unique<MediaWindow>();
  w->window = h;
  w->device.mediaWindow = h;
  std::string title;
  std::string text = cs.lpszName ? cs.lpszName : "";
  if (auto* params = static_cast<const datapres::EmbeddedWindowParams*>(cs.lpCreateParams)) {
    if (params->first != 0 || params->second == 0) {
      MediaPostError(h, kErrParams, {});
      return -1;
    }
    if (params->flags & datapres::kEwClipboard) return -1;
    title = params->titleName ? params->titleName : "";
    text = params->windowText ? params->windowText : text;
    w->background = params->backColor;
    w->printing = (params->flags & datapres::kEwPrinting) != 0;
  } else if (text.empty()) {
    MediaPostError(h, kErrNoText, {});
    return -1;
  }
  if (w->printing) {
    // The printout of a window on screen shows that window's picture.
    if (HWND screen = MediaFindInstance(text, false); MediaWindow* shown = screen ? Data(screen) : nullptr) {
      w->twin = screen;
      w->total = shown->total;
      w->videoRect = shown->videoRect;
      SetWindowLongPtr(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w.get()));
      Instances().push_back({getpid(), GetParent(h), shown->options.instanceName.substr(0, 31), text, h, true});
      w.release();
      return 0;
    }
  }
  const MediaTextResult parsed = MediaParseWindowText(text, TheLayer().words, w->options);
  if (parsed.error) {
    MediaPostError(h, parsed.error, parsed.errorText);
    return -1;
  }
  if (!w->options.marksFile.empty()) {
    // A marks file, named like the media, stays inside the title's folder.
    const MediaNameResult file = MediaResolveName(w->options.marksFile, title);
    std::vector<uint8_t> bytes;
    if (file.error || !MediaReadElement(file.path, bytes)) {
      MediaPostError(h, kErrMarksFile, w->options.marksFile);
      return -1;
    }
    if (!MediaParseMarksFile({reinterpret_cast<const char*>(bytes.data()), bytes.size()}, w->options.marks)) {
      MediaPostError(h, kErrOutOfRange, TheLayer().words.keywords[kKwMarksFile]);
      return -1;
    }
  }
  if (w->printing) {
    // A printed window has no controls.
    w->options.buttons = 0;
    w->options.trackBar = w->options.menu = false;
  }
  PlayBarConfigure(w->bar, w->options, IsMovie(w->options.name));
  w->device.groups = w->options.groups;
  if (!w->options.name.empty()) {
    const MediaNameResult name = MediaResolveName(w->options.name, title);
    if (name.error) {
      MediaPostError(h, name.error, w->options.name);
      return -1;
    }
    w->path = name.path;
  }
  if (IsMovie(w->path)) {
    // A movie the library accepts; it opens at the first paint of its picture.
    MovieFileInfo info;
    if (!MovieGetFileInfo(w->path, info)) {
      MediaPostError(h, kErrMovieOpen, w->path);
      return -1;
    }
    if (w->options.videoWidth < 0 || w->options.videoHeight < 0) {
      w->options.videoWidth = info.width;
      w->options.videoHeight = info.height;
    }
    w->device.flags |= kDevVideo;
    w->deferred = true;
  } else if ((!w->path.empty() || !w->options.deviceType.empty()) && w->options.videoWidth > 0 &&
             w->options.videoHeight > 0) {
    // A video of a given size opens at the first paint of its picture.
    w->device.flags |= kDevVideo;
    w->deferred = true;
  } else if (const int probe = ProbeOneSize(*w); probe < 0) {
    return -1;
  } else if (probe > 0) {
    // A video type given one size: the other follows from its picture, and it opens at the first
    // paint of its picture.
    w->device.flags |= kDevVideo;
    w->deferred = true;
  } else if (!w->path.empty() || !w->options.deviceType.empty()) {
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    const bool opened = OpenDevice(*w);
    SetCursor(old);
    if (!opened) return -1;
    SIZE size{0, 0};
    if (w->device.has(kDevVideo) && w->options.videoWidth < 0 && MciGetDefaultSize(w->device, size)) {
      w->options.videoWidth = size.cx;
      w->options.videoHeight = size.cy;
    }
  }
  if (!w->bar.has(kBtnPlay) && !w->bar.has(kBtnPlayPause)) w->device.flags |= kDevClickToggles;
  HDC dc = GetDC(h);
  Layout(*w, dc);
  ReleaseDC(h, dc);
  SetWindowLongPtr(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w.get()));
  w->playBar = CreateWindowEx(0, kPlayBarClass, "", WS_CHILD | WS_VISIBLE, w->barRect.left, w->barRect.top,
                              w->barRect.right - w->barRect.left, w->barRect.bottom - w->barRect.top, h, nullptr,
                              w.get());
  w->video = CreateWindowEx(0, kVideoClass, "", WS_CHILD | WS_VISIBLE, w->videoRect.left, w->videoRect.top,
                            w->videoRect.right - w->videoRect.left, w->videoRect.bottom - w->videoRect.top, h,
                            nullptr, nullptr);
  if (!w->playBar || !w->video) {
    SetWindowLongPtr(h, GWLP_USERDATA, 0);
    MediaPostError(h, kErrChildren, {});
    return -1;
  }
  w->bar.window = w->playBar;
  w->device.playBar = w->playBar;
  w->device.videoWindow = w->video;
  if (w->device.id) StartDevice(*w);
  else ShowBarState(*w);
  Instances().push_back({getpid(), GetParent(h), w->options.instanceName.substr(0, 31), text, h, w->printing});
  w.release();
  return 0;
}

void DestroyMedia(HWND h) {
  MediaWindow* w = reinterpret_cast<MediaWindow*>(GetWindowLongPtr(h, GWLP_USERDATA));
  if (!w) return;
  SetWindowLongPtr(h, GWLP_USERDATA, 0);
  RemoveInstance(h);
  if (w->device.has(kDevPlaying)) MciStop(w->device);
  Clock().kill(w->playBar, kPollTimer);
  MediaKillResume(w->device);
  if (w->device.movie) MovieClose(w->device);
  else MciCloseDevice(w->device.id);
  MediaReleaseGroups(h);
  delete w;
}

void PaintMedia(HWND h, MediaWindow& w) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT client;
  GetClientRect(h, &client);
  const COLORREF face = GetSysColor(COLOR_BTNFACE), frame = GetSysColor(COLOR_WINDOWFRAME),
                 shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const bool framed = !w.options.noFrame && w.videoRect.right > w.videoRect.left;
  if (framed) {
    Fill(dc, client, face);
    Frame(dc, {0, 0, client.right, w.labelRect.top}, frame);
    Edge(dc, {w.videoRect.left - 1, w.videoRect.top - 1, w.videoRect.right + 1, w.videoRect.bottom + 1}, shadow,
         light);
  } else {
    Fill(dc, {0, 0, client.right, w.barRect.top}, w.background);
    Fill(dc, w.barRect, face);
  }
  for (const RECT& box : {w.labelRect, w.barRect}) {
    if (box.bottom <= box.top || box.right <= box.left) continue;
    Fill(dc, box, face);
    Frame(dc, box, frame);
    Edge(dc, {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, light, shadow);
  }
  if (!w.options.label.empty()) {
    HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, face);
    RECT text{w.labelRect.left + 4, w.labelRect.top + 2, w.labelRect.right - 4, w.labelRect.bottom - 2};
    const UINT align = w.options.labelAlign == kLabelLeft ? DT_LEFT
                       : w.options.labelAlign == kLabelRight ? DT_RIGHT
                                                             : DT_CENTER;
    DrawText(dc, w.options.label.c_str(), -1, &text, DT_NOPREFIX | align);
    SelectObject(dc, old);
  }
  EndPaint(h, &ps);
}

// The label shown while a deferred device opens: one line, a line below the top, indented by a
// character each side.
void DrawOpeningLabel(HDC dc, const RECT& client) {
  const std::string& label = TheLayer().words.openingLabel;
  if (label.empty()) return;
  HFONT font = CreateFont(16, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "HELV");
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRIC tm{};
  GetTextMetrics(dc, &tm);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  RECT line{client.left + tm.tmAveCharWidth, client.top + tm.tmHeight, client.right - tm.tmAveCharWidth,
            client.top + 2 * tm.tmHeight};
  DrawText(dc, label.c_str(), -1, &line, DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  DeleteObject(font);
}

// Opens the device of a deferred window (its label is on screen), then shows its picture.
void OpenDeferred(MediaWindow& w) {
  w.deferred = false;
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  const bool opened = OpenDevice(w);
  SetCursor(old);
  if (opened) StartDevice(w);
  InvalidateRect(w.video, nullptr, FALSE);
}

// The size on a device: the window's own on displays, the video scaled to a printer's resolution.
SIZE SizeOn(const MediaWindow& w, HDC dc) {
  if (!dc || (GetDeviceCaps(dc, TECHNOLOGY) & 1)) return w.total;
  HDC screen = GetDC(nullptr);
  const int screen_x = GetDeviceCaps(screen, LOGPIXELSX), screen_y = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const int base = screen_x == screen_y ? 96 : screen_x;
  // A screen that tells no resolution counts as 96 dots an inch (a zero would lose the height).
  const int base_y = screen_y > 0 ? screen_y : 96;
  const int vw = w.videoRect.right - w.videoRect.left, vh = w.videoRect.bottom - w.videoRect.top;
  return {MediaScale(vw, GetDeviceCaps(dc, LOGPIXELSX), base > 0 ? base : 96),
          MediaScale(vh, GetDeviceCaps(dc, LOGPIXELSY), base_y)};
}

// Prints the current picture of the window (or of its screen twin) into the rectangle, whose right
// and bottom are inside it.
LRESULT PrintPicture(MediaWindow& own, const datapres::EmbedDrawParams& params) {
  MediaWindow* w = own.twin ? (IsWindow(own.twin) ? Data(own.twin) : nullptr) : &own;
  if (!w) return 0;
  if (!w->device.has(kDevVideo)) return 1;
  if (w->deferred) OpenDeferred(*w);
  const int vw = w->videoRect.right - w->videoRect.left, vh = w->videoRect.bottom - w->videoRect.top;
  if (!w->device.id || vw <= 0 || vh <= 0) return 1;
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP picture = CreateBitmap(vw, vh, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(memory, picture);
  RECT area{0, 0, vw, vh};
  Fill(memory, area, GetSysColor(COLOR_BTNFACE));
  MciDrawPicture(w->device, memory, &area);
  HPALETTE old_palette = w->device.palette ? SelectPalette(params.hdc, w->device.palette, TRUE) : nullptr;
  if (old_palette) RealizePalette(params.hdc);
  // The picture reaches the printer as a device-independent bitmap: printers take those, not a
  // bitmap made for the screen.
  SelectObject(memory, old);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = vw;
  info.bmiHeader.biHeight = vh;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<uint8_t> bits(size_t((vw * 3 + 3) & ~3) * size_t(vh));
  const RECT& r = params.rect;
  if (GetDIBits(memory, picture, 0, UINT(vh), bits.data(), &info, DIB_RGB_COLORS) == vh) {
    StretchDIBits(params.hdc, r.left, r.top, r.right - r.left + 1, r.bottom - r.top + 1, 0, 0, vw, vh, bits.data(),
                  &info, DIB_RGB_COLORS, SRCCOPY);
  }
  if (old_palette) SelectPalette(params.hdc, old_palette, TRUE);
  DeleteObject(picture);
  DeleteDC(memory);
  return 1;
}

LRESULT MediaProc(HWND h, UINT message, WPARAM wp, LPARAM lp) {
  MediaWindow* w = reinterpret_cast<MediaWindow*>(GetWindowLongPtr(h, GWLP_USERDATA));
  switch (message) {
    case WM_CREATE:
      return CreateMedia(h, *reinterpret_cast<CREATESTRUCT*>(lp));
    case WM_DESTROY:
      DestroyMedia(h);
      return 0;
    case WM_ERASEBKGND:
      return 0;
    case WM_PAINT:
      if (w) {
        PaintMedia(h, *w);
        return 0;
      }
      break;
    case WM_SHOWWINDOW:
      if (w && !wp) StopWindow(*w);
      return 0;
    case WM_MOVE:
      // Scrolled away above the viewer's top or below its bottom while playing: stop.
      if (w && w->device.has(kDevPlaying)) {
        const int top = short(HIWORD(lp));
        RECT parent{0, 0, 0, 0};
        GetClientRect(GetParent(h), &parent);
        if (top + w->total.cy < 0 || top > parent.bottom + 1) StopWindow(*w);
      }
      return 0;
    case WM_SYSCOMMAND:
      if (w && (wp & 0xFFF0) == SC_MINIMIZE) StopWindow(*w);
      if (w && w->playBar && (wp == 4 || wp == 6 || wp == 13)) return SendMessage(w->playBar, WM_COMMAND, wp, 0);
      break;
    case WM_GETMINMAXINFO:
      if (w) {
        RECT frame{0, 0, w->total.cx, w->total.cy};
        AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, FALSE, 0);
        auto* info = reinterpret_cast<MINMAXINFO*>(lp);
        info->ptMaxTrackSize = {frame.right - frame.left + 1, frame.bottom - frame.top + 1};
        return 0;
      }
      break;
    case datapres::kEwNotify:
      if (w && wp == 0) StopWindow(*w);
      return 0;
    case WM_COMMAND:
      return w && w->playBar ? SendMessage(w->playBar, WM_COMMAND, wp, lp) : 0;
    case datapres::kEwSize:
      if (auto* size = reinterpret_cast<SIZE*>(lp); size) {
        *size = w ? SizeOn(*w, reinterpret_cast<HDC>(wp)) : SIZE{0, 0};
        return 1;
      }
      return 0;
    case datapres::kEwPrint:
      return w && lp ? PrintPicture(*w, *reinterpret_cast<const datapres::EmbedDrawParams*>(lp)) : 0;
    default:
      break;
  }
  return DefWindowProc(h, message, wp, lp);
}

LRESULT VideoProc(HWND h, UINT message, WPARAM wp, LPARAM lp) {
  MediaWindow* w = Data(GetParent(h));
  switch (message) {
    case WM_ERASEBKGND:
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT client;
      GetClientRect(h, &client);
      Fill(dc, client, GetSysColor(COLOR_BTNFACE));
      if (w && w->deferred) DrawOpeningLabel(dc, client);
      else if (w && w->device.id && w->device.has(kDevVideo)) MciDrawPicture(w->device, dc, &client);
      EndPaint(h, &ps);
      if (w && w->deferred) OpenDeferred(*w);
      return 0;
    }
    case WM_LBUTTONDOWN:
      if (w && w->device.has(kDevClickToggles)) {
        if (w->device.has(kDevPlaying)) MciPause(w->device);
        else MciPlay(w->device);
      }
      return 0;
    case WM_TIMER:
      if (w && wp == kResumeTimer) {
        PlayBarResume(w->bar, w->device);
        ShowBarState(*w);
      }
      return 0;
    default:
      break;
  }
  return DefWindowProc(h, message, wp, lp);
}

// The play bar's pop-up menu below its menu button (above it where the screen ends); the chosen
// item comes back to the bar as a command.
void ShowMenu(HWND bar, MediaWindow& w) {
  HWND button = GetDlgItem(bar, kMenuButtonId);
  if (!button) return;
  HMENU menu = CreatePopupMenu();
  for (const MenuItem& item : w.bar.menu) {
    if (item.id == 0) AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    else
      AppendMenu(menu, MF_STRING | (item.checked ? MF_CHECKED : 0) | (item.grayed ? MF_GRAYED : 0), item.id,
                 item.text.c_str());
  }
  RECT r;
  GetWindowRect(button, &r);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_LEFTBUTTON, r.left, r.bottom, 0, bar, &r);
  DestroyMenu(menu);
  // The menu took the pointer from the button; the button lets go of its press.
  SetCapture(button);
  ReleaseCapture();
}

LRESULT PlayBarProc(HWND h, UINT message, WPARAM wp, LPARAM lp) {
  MediaWindow* w = Data(GetParent(h));
  switch (message) {
    case WM_CREATE: {
      w = static_cast<MediaWindow*>(reinterpret_cast<CREATESTRUCT*>(lp)->lpCreateParams);
      RECT r;
      GetClientRect(h, &r);
      static const int order[] = {5, 6, 4, 13, 0, 7, 10, 0, 2, 3, 0, 9, 12, 11, 8, 0, 1};
      int x = r.right - 26, buttons = 0, gaps = 0;
      bool placed = false;
      for (int id : order) {
        if (id == 0) {
          if (placed) {
            x -= 2;
            ++gaps;
          }
          placed = false;
          continue;
        }
        if (!w->bar.has(id)) continue;
        const DWORD style = (id == 4 || id == 5 || id == 6) ? kButtonSticky
                            : (id == 8 || id == 9)          ? kButtonRepeat | kButtonNotifyOnPress
                                                            : 0;
        CreateWindowEx(0, kButtonClass, kButtonNames[id - 1], WS_CHILD | WS_VISIBLE | style, x, r.bottom - 24, 20, 17, h,
                       reinterpret_cast<HMENU>(intptr_t(id)), nullptr);
        x -= 19;
        ++buttons;
        placed = true;
      }
      const bool menu = (w->bar.flags & kBarMenu) != 0;
      if (menu) {
        CreateWindowEx(0, kButtonClass, kButtonNames[13], WS_CHILD | WS_VISIBLE | kButtonNotifyOnPress, 6, r.bottom - 24, 20, 17, h,
                       reinterpret_cast<HMENU>(intptr_t(kMenuButtonId)), nullptr);
      }
      RECT track{0, 0, 80, 0};
      if (w->bar.flags & kBarTrackBar) {
        track = {6, 3, r.right - 6, 27};
        if (r.bottom <= 30) {
          if (menu) track.left += 24;
          track.right -= buttons ? buttons * 19 + 2 * gaps + 5 : 3;
        }
      }
      w->bar.trackRect = track;
      if (!CreateWindowEx(0, kTrackBarClass, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, track.left, track.top,
                          track.right - track.left, track.bottom - track.top, h,
                          reinterpret_cast<HMENU>(intptr_t(kTrackBarId)), nullptr))
        return -1;
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_TIMER:
      if (w && wp == kPollTimer) {
        PlayBarPoll(w->bar, w->device);
        ShowBarState(*w);
      }
      return 0;
    case MM_MCINOTIFY:
      if (w) {
        PlayBarNotify(w->bar, w->device, wp);
        ShowBarState(*w);
      }
      return 0;
    case WM_COMMAND:
      if (w && LOWORD(wp) == kMenuButtonId) {
        ShowMenu(h, *w);
      } else if (w) {
        PlayBarCommand(w->bar, w->device, LOWORD(wp), HIWORD(wp));
        ShowBarState(*w);
      }
      return 0;
    case WM_HSCROLL:
      if (w) {
        PlayBarScroll(w->bar, w->device, LOWORD(wp), int32_t(SendMessage(reinterpret_cast<HWND>(lp), kTbGetPos, 0, 0)));
        ShowBarState(*w);
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT r;
      GetClientRect(h, &r);
      Fill(dc, r, GetSysColor(COLOR_BTNFACE));
      Frame(dc, r, GetSysColor(COLOR_WINDOWFRAME));
      Edge(dc, {1, 1, r.right - 1, r.bottom - 1}, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
      EndPaint(h, &ps);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProc(h, message, wp, lp);
}

HWND CreateEmbedded(HWND parent, const char* text, const datapres::EmbeddedWindowParams& params) {
  return CreateWindowEx(0, kMediaClass, text, WS_CHILD, 0, 0, 0, 0, parent, nullptr,
                        const_cast<datapres::EmbeddedWindowParams*>(&params));
}

bool Register(const char* name, WNDPROC proc, UINT style, HBRUSH background) {
  WNDCLASS existing{};
  if (GetClassInfo(name, &existing)) return true;
  WNDCLASS wc{};
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  if (RegisterClass(&wc) == 0) return false;
  TheLayer().registered.push_back(name);
  return true;
}

}  // namespace

HWND MediaFindInstance(std::string_view text, bool printing) {
  const pid_t process = getpid();
  for (const MediaInstance& i : Instances()) {
    if (i.process == process && i.printing == printing && i.text == text) return i.window;
  }
  return nullptr;
}

int32_t MediaScale(int64_t a, int64_t b, int64_t c) {
  if (c == 0) return 0;
  return int32_t((a * b + c / 2) / c);
}

int MciInit(HINSTANCE instance) {
  Layer& layer = TheLayer();
  layer.instance = instance;
  char buffer[33];
  for (int i = 0; i < kKeywordCount; ++i) {
    layer.words.keywords[i] = LoadString(instance, UINT(360 + i), buffer, sizeof buffer) > 0 ? buffer : "";
  }
  for (int i = 0; i < 13; ++i) {
    layer.words.buttons[i] = LoadString(instance, UINT(400 + i), buffer, sizeof buffer) > 0 ? buffer : "";
  }
  layer.words.openingLabel = LoadString(instance, 352, buffer, sizeof buffer) > 0 ? buffer : "";
  PlayBarTexts texts;
  if (LoadString(instance, 356, buffer, sizeof buffer) > 0) texts.sectionPlay = buffer;
  if (LoadString(instance, 357, buffer, sizeof buffer) > 0) texts.sound = buffer;
  SetPlayBarTexts(texts);
  const UINT style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  const HBRUSH window = reinterpret_cast<HBRUSH>(intptr_t(COLOR_WINDOW + 1));
  Register(kMediaClass, MediaProc, style, window);
  Register(kVideoClass, VideoProc, style, window);
  MediaLoadControlPictures(instance);
  Register(kButtonClass, ButtonProc, CS_HREDRAW | CS_VREDRAW, window);
  if (!Register(kTrackBarClass, TrackBarProc, CS_HREDRAW | CS_VREDRAW,
                reinterpret_cast<HBRUSH>(intptr_t(COLOR_BTNFACE + 1))))
    return 0;
  Register(kPlayBarClass, PlayBarProc, style, window);
  datapres::EmbedClasses().add(kMediaClass, reinterpret_cast<intptr_t>(instance), CreateEmbedded);
  return 1;
}

void MediaSetWords(const MediaWords& words) { TheLayer().words = words; }

int MciTerm(HINSTANCE instance) {
  datapres::EmbedClasses().remove(kMediaClass, reinterpret_cast<intptr_t>(instance));
  MovieUnloadLibrary();
  MediaFreeControlPictures();
  // Classes whose windows still exist stay registered (the platform refuses to drop them).
  std::vector<const char*>& registered = TheLayer().registered;
  std::erase_if(registered, [](const char* name) { return UnregisterClass(name) != FALSE; });
  return 1;
}

}  // namespace media
