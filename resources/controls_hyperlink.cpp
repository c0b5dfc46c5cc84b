// The hyperlink control's context menu, the "Ogólne" page of its properties sheet and the globe
// icon on that page.
#include <cstdint>
#include <vector>

#include "platform/controls/standard_controls.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/dialog.h"
#include "platform/gdi/core/icon_image.h"
#include "resources/controls_ids.h"
#include "resources/program_resources.h"

namespace resources {
namespace {

constexpr UINT kStatic = UINT(-1);

// The globe of the properties page, 32 x 32: '#' black, 'c' blue, '.' white, ' ' transparent.
constexpr const char* kGlobe[] = {
    "                                ",
    "                                ",
    "           ##########           ",
    "         ##cc......cc##         ",
    "       ##ccc..c..c..ccc##       ",
    "      ##ccc..cc..cc..ccc##      ",
    "     ##cccc.ccc..ccc.cccc##     ",
    "    ##ccccc.ccc..ccc.ccccc##    ",
    "    #ccccc.cccc..cccc.ccccc#    ",
    "   #cccccc.cccc..cccc.cccccc#   ",
    "   #cccccc.cccc..cccc.cccccc#   ",
    "  #cccccc.ccccc..ccccc.cccccc#  ",
    "  #cccccc.ccccc..ccccc.cccccc#  ",
    "  #cccccc.ccccc..ccccc.cccccc#  ",
    "  #cccccc.ccccc..ccccc.cccccc#  ",
    "  #..........................#  ",
    "  #..........................#  ",
    "  #cccccc.ccccc..ccccc.cccccc#  ",
    "  #cccccc.ccccc..ccccc.cccccc#  ",
    "  #cccccc.ccccc..ccccc.cccccc#  ",
    "  #cccccc.ccccc..ccccc.cccccc#  ",
    "   #cccccc.cccc..cccc.cccccc#   ",
    "   #cccccc.cccc..cccc.cccccc#   ",
    "    #ccccc.cccc..cccc.ccccc#    ",
    "    ##ccccc.ccc..ccc.ccccc##    ",
    "     ##cccc.ccc..ccc.cccc##     ",
    "      ##ccc..cc..cc..ccc##      ",
    "       ##ccc..c..c..ccc##       ",
    "         ##cc......cc##         ",
    "           ##########           ",
    "                                ",
    "                                ",
};

void register_globe_icon() {
  constexpr int kSize = 32;
  auto colour = gdi::Bitmap::create(kSize, kSize, false);
  auto mask = gdi::Bitmap::create(kSize, kSize, true);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const char c = kGlobe[y][x];
      mask->at(x, y) = c == ' ' ? gdi::kWhitePixel : gdi::kBlackPixel;
      colour->at(x, y) = c == 'c' ? gdi::pixel_of(RGB(0x30, 0x70, 0xD0))
                         : c == '.' ? gdi::kWhitePixel
                                    : gdi::kBlackPixel;
    }
  }
  static const std::vector<uint8_t> bytes = gdi::encode_icon_image(*colour, *mask);
  res::add_binary({res::BinaryKind::icon, IDI_HLINK, nullptr, bytes});
}

void register_hyperlink_menu() {
  using res::MF_POPUP;
  using res::MF_SEPARATOR;
  using res::MF_STRING;
  static const res::MenuItemResource items[] = {
      {0, 0, MF_POPUP, "HLINK"},
      {1, ID_HLINK_OPEN, MF_STRING, "&Otwórz"},
      {1, 0, MF_SEPARATOR, nullptr},
      {1, ID_HLINK_COPY, MF_STRING, "&Kopiuj skrót"},
      {1, ID_HLINK_FAVORITES, MF_STRING, "&Dodaj do ulubionych"},
      {1, ID_HLINK_DESKTOP, MF_STRING, "Dodaj &skrót na pulpicie"},
      {1, 0, MF_SEPARATOR, nullptr},
      {1, ID_HLINK_PROPERTIES, MF_STRING, "&Właściwości"},
  };
  res::add_menu(IDR_HLINK_MENU, items);
}

void register_hyperlink_page() {
  constexpr DWORD kReadOnly = ES_READONLY | WS_TABSTOP;
  static const res::DialogControlResource controls[] = {
      {kStatic, "Static", "#132", {7, 7, 27, 27}, WS_VISIBLE | SS_ICON, 0},
      {UINT(IDC_HLINK_TEXT), "Edit", "", {40, 7, 243, 43}, WS_VISIBLE | kReadOnly | ES_MULTILINE | ES_AUTOVSCROLL, 0},
      {kStatic, "Static", "", {7, 52, 243, 54}, WS_VISIBLE | SS_ETCHEDHORZ, 0},
      {kStatic, "Static", "Adres (URL):", {7, 62, 243, 72}, WS_VISIBLE | SS_LEFT, 0},
      {UINT(IDC_HLINK_ADDRESS), "Edit", "", {7, 74, 243, 88}, WS_VISIBLE | kReadOnly | ES_AUTOHSCROLL | WS_BORDER, 0},
  };
  res::add_dialog({IDD_HLINK_PAGE, "Ogólne", {0, 0, 250, 100}, WS_CHILD | WS_CAPTION | DS_SETFONT, 0,
                   "MS Sans Serif", 8, controls});
}

}  // namespace

void register_controls_hyperlink() {
  register_globe_icon();
  register_hyperlink_menu();
  register_hyperlink_page();
}

}  // namespace resources
