// The text sheet's resources: its form (dialog 101: the act's header, the topic's header and the
// text, three topic panes stacked from the top, laid out by the view to its size), the panes'
// context menu (151), the pictures and cursors of wheel auto-scrolling, and the act information
// window's template (208).
#include <array>
#include <span>
#include <string>
#include <vector>

#include "platform/framework/dialog.h"
#include "resources/app_ids.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"

namespace resources {
namespace {

using res::MF_POPUP;
using res::MF_SEPARATOR;
using res::MF_STRING;

constexpr DWORD kPane = WS_CHILD | WS_VISIBLE;

constexpr res::DialogControlResource kTextViewControls[] = {
    {IDC_TEXT_VIEW_ACT_HEADER, "AfxMvPane", "", {0, 0, 300, 20}, kPane, 0},
    {IDC_TEXT_VIEW_TOPIC_HEADER, "AfxMvPane", "", {0, 20, 300, 40}, kPane, 0},
    {IDC_TEXT_VIEW_TEXT, "AfxMvPane", "", {0, 40, 300, 200}, kPane | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP, 0},
};

constexpr res::MenuItemResource kSeparator = {1, 0, MF_SEPARATOR, nullptr};

// Pop-up 0 with a selection, 1 without; 2 the picture sheet's; 3 on a link; 4 on another object.
constexpr res::MenuItemResource kPaneMenu[] = {
    {0, 0, MF_POPUP, "SELECTED"},
    {1, ID_EDIT_COPY, MF_STRING, "&Kopiuj\tCtrl+C"},
    {1, ID_EDIT_SELECT_ALL, MF_STRING, "Z&aznacz wszystko\tCtrl+A"},
    kSeparator,
    {1, ID_INSERT_BOOKMARK, MF_STRING, "Dodaj zakładkę...\tCtrl+B"},
    {1, ID_FILE_PRINT, MF_STRING, "D&rukuj...\tCtrl+P"},
    {0, 0, MF_POPUP, "NOTSELECTED"},
    {1, ID_EDIT_SELECT_ALL, MF_STRING, "Z&aznacz wszystko\tCtrl+A"},
    {1, ID_EDIT_UNDO, MF_STRING, "&Cofnij\tCtrl+Z"},
    kSeparator,
    {1, ID_NEXT_PAGE, MF_STRING, "&Następna strona\tShift+PageDn"},
    {1, ID_PREVIOUS_PAGE, MF_STRING, "&Poprzednia strona\tShift+PageUp"},
    kSeparator,
    {1, ID_LOCATE_IN_LIBRARY, MF_STRING, "&Zlokalizuj w Bibliotece"},
    {1, ID_INSERT_BOOKMARK, MF_STRING, "Dodaj zakładkę...\tCtrl+B"},
    {1, ID_FILE_PRINT, MF_STRING, "D&rukuj...\tCtrl+P"},
    {0, 0, MF_POPUP, "BMP"},
    {1, ID_PAN_MODE, MF_STRING, "Tryb przesuwania"},
    {1, ID_ZOOM_MODE, MF_STRING, "Tryb powiększania"},
    {1, ID_RULER_MODE, MF_STRING, "Tryb z linijkami"},
    kSeparator,
    {1, ID_LOCATE_IN_LIBRARY, MF_STRING, "&Zlokalizuj w bibliotece"},
    {1, ID_FILE_PRINT, MF_STRING, "D&rukuj...\tCtrl+P"},
    {0, 0, MF_POPUP, "HOTSPOT"},
    {1, ID_ENTRY_OPEN, MF_STRING, "&Otwórz"},
    {1, ID_ENTRY_OPEN_NEW_SHEET, MF_STRING, "Otwórz w &nowym oknie"},
    kSeparator,
    {1, ID_ENTRY_INFORMATION, MF_STRING, "Infor&macja"},
    {1, ID_ENTRY_ADD_BOOKMARK, MF_STRING, "Dodaj zakładkę"},
    {1, ID_ENTRY_LOCATE_IN_LIBRARY, MF_STRING, "&Zlokalizuj w Bibliotece"},
    {0, 0, MF_POPUP, "HOTSPOTBMP"},
    {1, ID_HOTSPOT_RUN_MACRO, MF_STRING, "&Otwórz"},
};

// --- Wheel auto-scrolling: the indicator pictures and the direction cursors ----------------------

enum Arrows : unsigned { kUp = 1, kDown = 2, kLeft = 4, kRight = 8 };

// A square of characters; ' ' is the background.
class Drawing {
 public:
  explicit Drawing(int size) : rows_(size_t(size), std::string(size_t(size), ' ')), size_(size) {}
  void Set(int x, int y, char c) {
    if (x >= 0 && y >= 0 && x < size_ && y < size_) rows_[size_t(y)][size_t(x)] = c;
  }
  // A disc of `fill` with a ring of `ring` around it.
  void Disc(double cx, double cy, double radius, char fill, char ring) {
    for (int y = 0; y < size_; ++y) {
      for (int x = 0; x < size_; ++x) {
        const double dx = x - cx, dy = y - cy, d2 = dx * dx + dy * dy;
        if (d2 <= (radius - 1) * (radius - 1)) {
          Set(x, y, fill);
        } else if (d2 <= radius * radius) {
          Set(x, y, ring);
        }
      }
    }
  }
  // An arrowhead `length` rows deep pointing away from the centre, its tip `reach` from it, drawn in
  // `fill` with an `edge` outline.
  void Arrowhead(int cx, int cy, unsigned direction, int reach, int length, char fill, char edge) {
    for (int row = 0; row < length; ++row) {
      const int half = row;
      for (int across = -half - 1; across <= half + 1; ++across) {
        const bool border = across == -half - 1 || across == half + 1 || row == length - 1;
        const char c = border ? edge : fill;
        const int along = reach - row;
        switch (direction) {
          case kUp: Set(cx + across, cy - along, c); break;
          case kDown: Set(cx + across, cy + along, c); break;
          case kLeft: Set(cx - along, cy + across, c); break;
          default: Set(cx + along, cy + across, c); break;
        }
      }
    }
  }
  const std::vector<std::string>& Rows() const { return rows_; }

 private:
  std::vector<std::string> rows_;
  int size_;
};

// The indicator picture: a white disc with a grey centre and the possible directions as arrows.
Drawing Indicator(unsigned arrows) {
  constexpr int kSize = 26;
  Drawing d(kSize);
  d.Disc(12.5, 12.5, 12.5, '.', '#');
  d.Disc(12.5, 12.5, 2.6, '-', '#');
  for (unsigned direction : {kUp, kDown, kLeft, kRight}) {
    if (arrows & direction) d.Arrowhead(12, 12, direction, 10, 4, '#', '#');
  }
  return d;
}

// A cursor: a small ring at the hot spot and arrows for the directions; `heavy` draws one big arrow.
Drawing WheelCursor(unsigned arrows, bool heavy) {
  constexpr int kSize = 23;
  Drawing d(kSize);
  d.Disc(11, 11, 3.2, '.', '#');
  d.Set(11, 11, '#');
  for (unsigned direction : {kUp, kDown, kLeft, kRight}) {
    if (arrows & direction) d.Arrowhead(11, 11, direction, heavy ? 11 : 10, heavy ? 6 : 4, heavy ? '#' : '.', '#');
  }
  return d;
}

struct DrawnCursor {
  UINT id;
  Drawing drawing;
  std::vector<const char*> rows;
};

std::vector<const char*> RowPointers(const Drawing& d) {
  std::vector<const char*> rows;
  for (const std::string& row : d.Rows()) rows.push_back(row.c_str());
  return rows;
}

void register_wheel_resources() {
  static std::vector<DrawnCursor> cursors = [] {
    std::vector<DrawnCursor> list;
    list.push_back({IDC_WHEEL_RIGHT, WheelCursor(kRight, true), {}});
    list.push_back({IDC_WHEEL_UP, WheelCursor(kUp, true), {}});
    list.push_back({IDC_WHEEL_NEUTRAL, WheelCursor(kUp | kDown | kLeft | kRight, false), {}});
    list.push_back({IDC_WHEEL_DOWN, WheelCursor(kDown, true), {}});
    list.push_back({IDC_WHEEL_LEFT, WheelCursor(kLeft, true), {}});
    list.push_back({IDC_WHEEL_NEUTRAL_WE, WheelCursor(kLeft | kRight, false), {}});
    list.push_back({IDC_WHEEL_NEUTRAL_NS, WheelCursor(kUp | kDown, false), {}});
    for (DrawnCursor& c : list) c.rows = RowPointers(c.drawing);
    return list;
  }();
  for (const DrawnCursor& c : cursors) res::add_cursor({c.id, 11, 11, c.rows});

  static const Drawing both = Indicator(kUp | kDown | kLeft | kRight);
  static const Drawing across = Indicator(kLeft | kRight);
  static const Drawing updown = Indicator(kUp | kDown);
  static const std::vector<const char*> rows[3] = {RowPointers(both), RowPointers(across), RowPointers(updown)};
  static const std::vector<uint8_t> bitmap = [] {
    const std::array<ButtonImage, 3> images{{{0, rows[0]}, {0, rows[1]}, {0, rows[2]}}};
    return pack_button_images(images, 26, 26);
  }();
  res::add_binary({res::BinaryKind::bitmap, IDB_WHEEL_INDICATOR, nullptr, bitmap});
}

}  // namespace

void register_text_view_resources() {
  res::add_dialog({IDD_TEXT_VIEW, "", {0, 0, 300, 200}, WS_CHILD | DS_SETFONT, 0, "MS Sans Serif", 8,
                   kTextViewControls});
  res::add_menu(IDR_TEXT_VIEW_MENU, kPaneMenu);
  register_wheel_resources();
}

}  // namespace resources
