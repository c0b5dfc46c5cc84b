#include "platform/win/system_metrics.h"

#include <QGuiApplication>
#include <QScreen>

#include <array>

#include "platform/gdi/core/object_api.h"
#include "platform/win/monitors.h"
#include "platform/win/window_api.h"
#include "platform/win/message_queue.h"
#include "platform/win/window_font.h"

namespace {

// The screen when the program has one; a fixed size otherwise (before the application starts).
QSize screen_size() {
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    if (QScreen* s = app->primaryScreen()) return s->size();
  }
  return QSize(1024, 768);
}

struct Metric {
  int index;
  int value;
};

// The classic look at 96 dots per inch.
constexpr std::array kMetrics{
    Metric{SM_CXVSCROLL, 16},   Metric{SM_CYHSCROLL, 16},    Metric{SM_CYCAPTION, 19},
    Metric{SM_CXBORDER, 1},     Metric{SM_CYBORDER, 1},      Metric{SM_CXDLGFRAME, 3},
    Metric{SM_CYDLGFRAME, 3},   Metric{SM_CYVTHUMB, 16},     Metric{SM_CXHTHUMB, 16},
    Metric{SM_CXICON, 32},      Metric{SM_CYICON, 32},       Metric{SM_CXCURSOR, 32},
    Metric{SM_CYCURSOR, 32},    Metric{SM_CYMENU, 19},       Metric{SM_CYVSCROLL, 16},
    Metric{SM_CXHSCROLL, 16},   Metric{SM_SWAPBUTTON, 0},    Metric{SM_CXMIN, 112},
    Metric{SM_CYMIN, 27},       Metric{SM_CXSIZE, 18},       Metric{SM_CYSIZE, 18},
    Metric{SM_CXFRAME, 4},      Metric{SM_CYFRAME, 4},       Metric{SM_CXMINTRACK, 112},
    Metric{SM_CYMINTRACK, 27},  Metric{SM_CXDOUBLECLK, 4},   Metric{SM_CYDOUBLECLK, 4},
    Metric{SM_CMOUSEBUTTONS, 3}, Metric{SM_CXEDGE, 2},       Metric{SM_CYEDGE, 2},
    Metric{SM_CXSMICON, 16},    Metric{SM_CYSMICON, 16},     Metric{SM_CYSMCAPTION, 16},
    Metric{SM_CXSMSIZE, 15},    Metric{SM_CYSMSIZE, 15},     Metric{SM_CXMENUSIZE, 18},
    Metric{SM_CYMENUSIZE, 18},  Metric{SM_CXDRAG, 4},        Metric{SM_CYDRAG, 4},
};

// 0x00BBGGRR, the classic scheme.
constexpr std::array<COLORREF, kSysColorCount> kColors{
    0xC0C0C0,  // scroll bar
    0x808000,  // desktop
    0x800000,  // active caption
    0x808080,  // inactive caption
    0xC0C0C0,  // menu
    0xFFFFFF,  // window
    0x000000,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0xFFFFFF,  // caption text
    0xC0C0C0,  // active border
    0xC0C0C0,  // inactive border
    0x808080,  // application workspace
    0x800000,  // highlight
    0xFFFFFF,  // highlight text
    0xC0C0C0,  // button face
    0x808080,  // button shadow
    0x808080,  // grey text
    0x000000,  // button text
    0xC0C0C0,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x000000,  // 3-D dark shadow
    0xDFDFDF,  // 3-D light
    0x000000,  // tip text
    0xE1FFFF,  // tip background
    0xB5B5B5,  // (unused slot)
    0x800000,  // hot-tracked item
    0xD08410,  // active caption gradient end
    0xB5B5B5,  // inactive caption gradient end
};

}  // namespace

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN: return screen_size().width();
    case SM_CYSCREEN: return screen_size().height();
    case SM_CXFULLSCREEN: return screen_size().width();
    case SM_CYFULLSCREEN: return screen_size().height() - GetSystemMetrics(SM_CYCAPTION);
    case SM_XVIRTUALSCREEN: return win::virtual_screen().left;
    case SM_YVIRTUALSCREEN: return win::virtual_screen().top;
    case SM_CXVIRTUALSCREEN: return win::virtual_screen().right - win::virtual_screen().left;
    case SM_CYVIRTUALSCREEN: return win::virtual_screen().bottom - win::virtual_screen().top;
    case SM_CMONITORS: return int(win::screen_areas().size());
    case SM_SAMEDISPLAYFORMAT: return 1;
    default: break;
  }
  for (const Metric& m : kMetrics) {
    if (m.index == index) return m.value;
  }
  return 0;
}

COLORREF GetSysColor(int index) {
  return index >= 0 && index < kSysColorCount ? kColors[size_t(index)] : 0;
}

HBRUSH GetSysColorBrush(int index) {
  if (index < 0 || index >= kSysColorCount) return nullptr;
  static std::array<HBRUSH, kSysColorCount> brushes{};
  HBRUSH& b = brushes[size_t(index)];
  // Made again should code have deleted it.
  if (!b || GetObjectType(b) != OBJ_BRUSH) b = CreateSolidBrush(GetSysColor(index));
  return b;
}

HBRUSH ResolveClassBrush(HBRUSH brush) {
  auto value = reinterpret_cast<std::uintptr_t>(brush);
  if (value >= 1 && value <= std::uintptr_t(kSysColorCount)) return GetSysColorBrush(int(value) - 1);
  return brush;
}

// The system font is 8-point sans at 96 dpi: average width 6, height 13.
LONG GetDialogBaseUnits() { return MAKELONG(6, 13); }

UINT GetDoubleClickTime() { return 500; }

BOOL MapDialogRect(HWND dialog, RECT* rect) {
  if (!rect) return FALSE;
  // A dialog measures in the units of its font; without one (or without a dialog), the system's.
  HFONT font = dialog ? reinterpret_cast<HFONT>(SendMessage(dialog, WM_GETFONT, 0, 0)) : nullptr;
  SIZE units = win::dialog_base_units(font);
  int cx = int(units.cx), cy = int(units.cy);
  auto scale = [](int v, int unit, int per) {
    long long n = (long long)v * unit;
    return int(n >= 0 ? (n + per / 2) / per : -((-n + per / 2) / per));
  };
  rect->left = scale(rect->left, cx, 4);
  rect->right = scale(rect->right, cx, 4);
  rect->top = scale(rect->top, cy, 8);
  rect->bottom = scale(rect->bottom, cy, 8);
  return TRUE;
}
