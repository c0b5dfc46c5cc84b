// The play bar's push button and track bar. Their pictures (button faces, thumbs) come from the
// module's bitmaps, which this program's resources do not hold: a button then shows its face
// colour, and the track bar has a thumb of width 0, so a press left of the thumb pages back, one
// right of it pages forward, and there is no thumb to drag.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <strings.h>

#include "pictures/media/media_window.h"
#include "pictures/media/play_bar.h"
#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/res/resource_handles.h"
#include "platform/framework/control_messages.h"
#include "platform/win/message_queue.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_api.h"

namespace media {
namespace {

void Fill(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

struct Button {
  bool pressed = false, inside = false, capturing = false;
  DWORD style = 0;
  int face = -1;  // the entry of the button's pictures, -1 for none
};

void Notify(HWND h, WORD code) {
  PostMessage(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), code), reinterpret_cast<LPARAM>(h));
}

struct Track {
  int32_t min = 0, max = 0, pos = 0;
  std::vector<int32_t> ticks;
  int channel = 1;
  int thumbLeft = 1;
  TrackHit tracking = TrackHit::none;
  int grab = 0;  // the pointer's distance from the thumb's left edge while dragging
  int32_t lastSent = 0;
  bool focused = false;
};

int ThumbLeft(const Track& t) {
  return MediaScale(t.channel, int64_t(t.pos) - t.min, int64_t(t.max) - t.min) + 1;
}

void Blit(HDC dc, HBITMAP picture, int x, int y, int width, int height) {
  if (!picture) return;
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, picture);
  BitBlt(dc, x, y, width, height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

void PaintTrack(HWND h, HDC dc, const Track* t) {
  RECT r;
  GetClientRect(h, &r);
  const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME), shadow = GetSysColor(COLOR_BTNSHADOW),
                 light = GetSysColor(COLOR_BTNHIGHLIGHT), face = GetSysColor(COLOR_BTNFACE);
  Fill(dc, r, face);
  // The groove.
  Fill(dc, {0, 4, r.right, 5}, frame);
  Fill(dc, {0, 5, r.right, 7}, shadow);
  Fill(dc, {0, 13, r.right, 14}, frame);
  Fill(dc, {0, 14, r.right, 15}, light);
  Fill(dc, {0, 4, 1, 14}, frame);
  Fill(dc, {r.right - 1, 4, r.right, 14}, frame);
  // The baseline between the half-thumb insets, with its end marks and ticks.
  const MediaControlPictures& pictures = MediaPictures();
  const int half = pictures.thumbWidth / 2;
  Fill(dc, {1 + half, r.bottom - 3, r.right - 1 - half, r.bottom - 2}, frame);
  Fill(dc, {1 + half, r.bottom - 2, r.right - 1 - half, r.bottom - 1}, light);
  Fill(dc, {1 + half, r.bottom - 6, 2 + half, r.bottom - 3}, frame);
  Fill(dc, {r.right - 2 - half, r.bottom - 6, r.right - 1 - half, r.bottom - 3}, frame);
  if (!t) return;
  for (int32_t tick : t->ticks) {
    const int x = MediaScale(t->channel, int64_t(tick) - t->min, int64_t(t->max) - t->min) + half + 1;
    Fill(dc, {x, r.bottom - 6, x + 1, r.bottom - 3}, frame);
    Fill(dc, {x + 1, r.bottom - 6, x + 2, r.bottom - 3}, light);
  }
  const int kind = !IsWindowEnabled(h) ? 1 : t->tracking == TrackHit::thumb ? 2 : 0;
  Blit(dc, pictures.thumbs[kind], t->thumbLeft, 1, pictures.thumbWidth, kThumbHeight);
}

// Moves the caret to the thumb (the caret belongs to the focused track bar).
void PlaceCaret(const Track& t) {
  if (t.focused) SetCaretPos(t.thumbLeft + 3, 3);
}

// The thumb moved: repaint at once, the caret hidden meanwhile.
void MoveThumb(HWND h, Track& t, int left) {
  if (left == t.thumbLeft) return;
  if (t.focused) HideCaret(h);
  t.thumbLeft = left;
  InvalidateRect(h, nullptr, FALSE);
  UpdateWindow(h);
  PlaceCaret(t);
  if (t.focused) ShowCaret(h);
}

// The thumb's new place, shown at the next paint.
void PlaceThumbLater(HWND h, Track& t) {
  const int left = ThumbLeft(t);
  if (left == t.thumbLeft) return;
  t.thumbLeft = left;
  InvalidateRect(h, nullptr, FALSE);
  PlaceCaret(t);
}

MediaControlPictures& Pictures() {
  static MediaControlPictures pictures;
  return pictures;
}

}  // namespace

TrackHit TrackBarHitTest(POINT p, int thumb_left, int thumb_width, int client_width) {
  const bool groove = p.y >= 5 && p.y <= 12;
  if (p.x < thumb_left) return groove && p.x > 0 ? TrackHit::pageLeft : TrackHit::none;
  if (p.x >= thumb_left + thumb_width) return groove && p.x < client_width - 1 ? TrackHit::pageRight : TrackHit::none;
  if (p.y < 1 || p.y > kThumbHeight) return TrackHit::none;
  const int inset = p.y == 1 ? 1 : std::max(0, int(p.y) - 14);
  const bool inside = p.x >= thumb_left + inset && p.x < thumb_left + thumb_width - inset;
  return inside ? TrackHit::thumb : TrackHit::none;
}

int32_t TrackBarPositionAt(int thumb_left, int channel, int32_t minimum, int32_t maximum) {
  return int32_t(minimum + int64_t(MediaScale(thumb_left - 1, int64_t(maximum) - minimum, channel)));
}

HBITMAP MediaMappedBitmap(HINSTANCE instance, const char* name) {
  HRSRC found = FindResource(instance, name, RT_BITMAP);
  if (!found) return nullptr;
  const DWORD size = SizeofResource(instance, found);
  const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(instance, found)));
  constexpr size_t kTable = 16 * sizeof(RGBQUAD);
  if (!bytes || size < sizeof(BITMAPINFOHEADER) + kTable) return nullptr;
  BITMAPINFOHEADER header;
  std::memcpy(&header, bytes, sizeof header);
  if (header.biSize != sizeof(BITMAPINFOHEADER) || header.biBitCount != 4 || header.biCompression != BI_RGB ||
      (header.biClrUsed != 0 && header.biClrUsed != 16) ||
      header.biWidth <= 0 || header.biWidth > 4096 || header.biHeight == 0 || header.biHeight > 4096 ||
      header.biHeight < -4096)
    return nullptr;
  const size_t stride = ((size_t(header.biWidth) * 4 + 31) / 32) * 4;
  const size_t rows = size_t(header.biHeight < 0 ? -header.biHeight : header.biHeight);
  if (size < sizeof header + kTable + stride * rows) return nullptr;
  std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + kTable);
  std::memcpy(info.data(), bytes, info.size());
  auto* table = reinterpret_cast<RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
  const auto set = [table](int entry, int colour_index) {
    const COLORREF c = GetSysColor(colour_index);
    table[entry] = RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0};
  };
  set(0, COLOR_BTNTEXT);
  set(7, COLOR_BTNFACE);
  set(8, COLOR_BTNSHADOW);
  set(15, COLOR_BTNHIGHLIGHT);
  set(11, COLOR_BTNFACE);
  set(10, COLOR_WINDOWFRAME);
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBitmap(screen, &header, CBM_INIT, bytes + info.size(),
                                  reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

const MediaControlPictures& MediaPictures() { return Pictures(); }

int MediaButtonFaceIndex(const char* text) {
  if (!text || text[0] != '#') return -1;
  for (int i = 0; i < 14; ++i) {
    if (strcasecmp(text, kButtonNames[i]) == 0) return i;
  }
  return -1;
}

void MediaLoadControlPictures(HINSTANCE instance) {
  MediaFreeControlPictures();
  MediaControlPictures& pictures = Pictures();
  for (int i = 0; i < 3; ++i) pictures.thumbs[i] = MediaMappedBitmap(instance, ("thumb" + std::to_string(i)).c_str());
  BITMAP info{};
  if (pictures.thumbs[0] && GetObject(pictures.thumbs[0], sizeof info, &info)) pictures.thumbWidth = info.bmWidth;
  // Faces: normal, disabled, pressed ("play0", "play1", "play2" for "#play").
  for (int face = 0; face < 14; ++face) {
    for (int i = 0; i < 3; ++i) {
      const std::string name = std::string(kButtonNames[face] + 1) + char('0' + i);
      pictures.faces[face][i] = MediaMappedBitmap(instance, name.c_str());
    }
  }
}

void MediaFreeControlPictures() {
  MediaControlPictures& pictures = Pictures();
  for (HBITMAP& b : pictures.thumbs) {
    if (b) DeleteObject(b);
  }
  for (auto& face : pictures.faces) {
    for (HBITMAP& b : face) {
      if (b) DeleteObject(b);
    }
  }
  pictures = MediaControlPictures{};
}

LRESULT ButtonProc(HWND h, UINT message, WPARAM wp, LPARAM lp) {
  Button* b = reinterpret_cast<Button*>(GetWindowLongPtr(h, GWLP_USERDATA));
  switch (message) {
    case WM_CREATE: {
      auto* made = new Button;
      made->style = DWORD(reinterpret_cast<CREATESTRUCT*>(lp)->style) & 0xFF00;
      made->face = MediaButtonFaceIndex(reinterpret_cast<CREATESTRUCT*>(lp)->lpszName);
      SetWindowLongPtr(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made));
      return 0;
    }
    case WM_SETTEXT:
      if (b) b->face = MediaButtonFaceIndex(reinterpret_cast<const char*>(lp));
      InvalidateRect(h, nullptr, FALSE);
      break;
    case WM_DESTROY:
      SetWindowLongPtr(h, GWLP_USERDATA, 0);
      delete b;
      return 0;
    case kBtnSetPressedQuiet:
      if (b && b->pressed != bool(wp)) {
        b->pressed = wp != 0;
        InvalidateRect(h, nullptr, FALSE);
      }
      return 0;
    case BM_GETSTATE:
      return b && b->pressed;
    case BM_SETSTATE:
      if (b && b->pressed != bool(wp)) {
        b->pressed = wp != 0;
        InvalidateRect(h, nullptr, FALSE);
        if (!b->pressed) Notify(h, BN_CLICKED);
      }
      return 0;
    case WM_LBUTTONDOWN:
      if (!b || !IsWindowEnabled(h)) return 0;
      b->inside = true;
      if (!b->capturing) {
        b->pressed = true;
        b->capturing = true;
        SetCapture(h);
        InvalidateRect(h, nullptr, FALSE);
        if (b->style & kButtonNotifyOnPress) Notify(h, BN_CLICKED);
        if (b->style & kButtonRepeat) SetTimer(h, 1, 500, nullptr);
      }
      return 0;
    case WM_TIMER:
      KillTimer(h, 1);
      if (b && b->pressed && b->capturing) {
        Notify(h, BN_CLICKED);
        // The repeat runs at a pace the play bar can follow, not at every tick of the system.
        SetTimer(h, 1, kButtonRepeatMs, nullptr);
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!b || !b->capturing) return 0;
      b->capturing = false;
      ReleaseCapture();
      const bool was = b->pressed;
      if (b->style & kButtonRepeat) KillTimer(h, 1);
      if (!(b->style & kButtonSticky)) b->pressed = false;
      InvalidateRect(h, nullptr, FALSE);
      if (b->style & kButtonRepeat) Notify(h, kNotifyReleased);
      if (was && b->inside && !(b->style & (kButtonNotifyOnPress | kButtonRepeat))) Notify(h, BN_CLICKED);
      return 0;
    }
    case WM_CAPTURECHANGED:
      // The pointer was taken away while pressed (a menu, another window): the press ends unnoticed.
      if (b && b->capturing && reinterpret_cast<HWND>(lp) != h) {
        b->capturing = false;
        if (b->style & kButtonRepeat) KillTimer(h, 1);
        if (!(b->style & kButtonSticky)) b->pressed = false;
        InvalidateRect(h, nullptr, FALSE);
      }
      return 0;
    case WM_ENABLE:
      InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT r;
      GetClientRect(h, &r);
      if (HBRUSH brush = reinterpret_cast<HBRUSH>(
              SendMessage(GetParent(h), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(h))))
        FillRect(dc, &r, brush);
      if (!(b && (b->style & kButtonNoFace))) Fill(dc, r, GetSysColor(COLOR_BTNFACE));
      if (b && b->face >= 0) {
        // Normal, disabled or pressed, centred at its own size.
        const int state = !IsWindowEnabled(h) ? 1 : b->pressed ? 2 : 0;
        if (HBITMAP picture = MediaPictures().faces[b->face][state]) {
          BITMAP info{};
          GetObject(picture, sizeof info, &info);
          IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
          Blit(dc, picture, (r.right - info.bmWidth) / 2, (r.bottom - info.bmHeight) / 2, info.bmWidth, info.bmHeight);
        }
      }
      EndPaint(h, &ps);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProc(h, message, wp, lp);
}

LRESULT TrackBarProc(HWND h, UINT message, WPARAM wp, LPARAM lp) {
  Track* t = reinterpret_cast<Track*>(GetWindowLongPtr(h, GWLP_USERDATA));
  auto report = [h](UINT code, int32_t position) {
    SendMessage(GetParent(h), WM_HSCROLL, MAKEWPARAM(code, WORD(position)), reinterpret_cast<LPARAM>(h));
  };
  const int thumb_width = MediaPictures().thumbWidth;
  switch (message) {
    case WM_CREATE:
    case WM_SIZE: {
      if (!t) {
        t = new Track;
        SetWindowLongPtr(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(t));
      }
      RECT r;
      GetClientRect(h, &r);
      t->channel = r.right > thumb_width ? std::max(1, int(r.right) - thumb_width - 2) : 1;
      t->thumbLeft = ThumbLeft(*t);
      return 0;
    }
    case WM_DESTROY:
      SetWindowLongPtr(h, GWLP_USERDATA, 0);
      delete t;
      return 0;
    case kTbGetPos: return t ? t->pos : 0;
    case kTbGetMin: return t ? t->min : 0;
    case kTbGetMax: return t ? t->max : 0;
    case kTbAddTick:
      if (t) t->ticks.push_back(int32_t(lp));
      InvalidateRect(h, nullptr, FALSE);
      return 1;
    case kTbClearTicks:
      if (t) t->ticks.clear();
      return 1;
    case kTbSetMin:
      if (t) t->min = int32_t(lp);
      if (t && t->tracking != TrackHit::thumb) PlaceThumbLater(h, *t);
      return 0;
    case kTbSetPos:
    case kTbSetMax:
      if (!t) return 0;
      if (message == kTbSetMax) t->max = int32_t(lp);
      else t->pos = int32_t(lp);
      t->pos = std::clamp(t->pos, t->min, std::max(t->min, t->max));
      // A thumb held by the pointer stays where the pointer put it.
      if (t->tracking == TrackHit::thumb) return 0;
      if (wp) MoveThumb(h, *t, ThumbLeft(*t));
      else PlaceThumbLater(h, *t);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      switch (wp) {
        case VK_PRIOR: report(SB_PAGEUP, 0); break;
        case VK_NEXT: report(SB_PAGEDOWN, 0); break;
        case VK_END: report(SB_BOTTOM, 0); break;
        case VK_HOME: report(SB_TOP, 0); break;
        case VK_LEFT: case VK_UP: report(SB_LINEUP, 0); break;
        case VK_RIGHT: case VK_DOWN: report(SB_LINEDOWN, 0); break;
        default: break;
      }
      return 0;
    case WM_KEYUP:
      if (wp >= VK_PRIOR && wp <= VK_DOWN) report(SB_ENDSCROLL, 0);
      return 0;
    case WM_SETFOCUS:
      if (t) {
        t->focused = true;
        CreateCaret(h, reinterpret_cast<void*>(1), 3, 13);
        PlaceCaret(*t);
        ShowCaret(h);
      }
      return 0;
    case WM_KILLFOCUS:
      if (t) t->focused = false;
      DestroyCaret();
      return 0;
    case WM_LBUTTONDOWN: {
      if (!t || !IsWindowEnabled(h)) return 0;
      RECT r;
      GetClientRect(h, &r);
      const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      t->tracking = TrackBarHitTest(p, t->thumbLeft, thumb_width, r.right);
      if (t->tracking == TrackHit::none) return 0;
      SetCapture(h);
      if (t->tracking == TrackHit::thumb) {
        report(kThumbPressed, 0);
        t->grab = p.x - t->thumbLeft;
        t->lastSent = t->pos;
        InvalidateRect(h, nullptr, FALSE);  // drawn as dragged
      } else {
        report(t->tracking == TrackHit::pageLeft ? SB_PAGEUP : SB_PAGEDOWN, 0);
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      if (t && t->tracking == TrackHit::thumb && GetCapture() == h) {
        const int left = std::clamp(int(GET_X_LPARAM(lp)) - t->grab, 1, t->channel + 1);
        MoveThumb(h, *t, left);
        const int32_t position = TrackBarPositionAt(left, t->channel, t->min, t->max);
        if (position != t->lastSent) {
          t->lastSent = t->pos = position;
          report(SB_THUMBTRACK, position);
        }
      }
      return 0;
    case WM_LBUTTONUP:
      if (t && t->tracking != TrackHit::none) {
        const bool dragged = t->tracking == TrackHit::thumb;
        t->tracking = TrackHit::none;
        ReleaseCapture();
        if (dragged) {
          report(SB_THUMBPOSITION, t->lastSent);
          report(SB_ENDSCROLL, 0);
          InvalidateRect(h, nullptr, FALSE);  // drawn as normal again
          PlaceCaret(*t);
        }
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (t && t->tracking != TrackHit::none && reinterpret_cast<HWND>(lp) != h) {
        t->tracking = TrackHit::none;
        t->thumbLeft = ThumbLeft(*t);
        InvalidateRect(h, nullptr, FALSE);
      }
      return 0;
    case WM_ENABLE:
      InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      PaintTrack(h, dc, t);
      EndPaint(h, &ps);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProc(h, message, wp, lp);
}

}  // namespace media
