// Resources of the act information window: its template with the pin and help buttons, the
// templates of its three pages, the pin and help pictures and the program's icon that the first
// page shows.
#include <cstdint>
#include <span>
#include <vector>

#include "platform/controls/rich_edit_ctrl.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/dialog.h"
#include "platform/gdi/core/icon_image.h"
#include "resources/app_ids.h"
#include "resources/program_resources.h"

namespace resources {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kPage = WS_CHILD | DS_CONTROL | DS_SETFONT;
constexpr DWORD kField = kChild | ES_CENTER | ES_MULTILINE | ES_READONLY;
constexpr DWORD kLabel = kChild | SS_RIGHT | SS_NOPREFIX;
constexpr DWORD kDate = kChild | SS_LEFT | SS_NOPREFIX | SS_NOTIFY;
constexpr UINT kStatic = UINT(-1);

constexpr res::DialogControlResource kWindowControls[] = {
    {IDC_ACT_PIN, "Button", "P", {4, 1, 18, 13}, kChild | BS_OWNERDRAW, 0},
    {IDC_ACT_HELP, "Button", "I", {18, 1, 32, 13}, kChild | BS_OWNERDRAW, 0},
};

constexpr res::DialogControlResource kPropertyControls[] = {
    {kStatic, "Static", "#128", {5, 5, 25, 25}, kChild | SS_ICON, 0},  // IDI_PROGRAM
    {IDC_ACT_ADDRESS, "Edit", "", {30, 5, 240, 17}, kField, 0},
    {IDC_ACT_RANK, "Edit", "", {30, 15, 240, 27}, kField, 0},
    {IDC_ACT_TITLE, "Edit", "", {5, 25, 265, 69}, kField, 0},
    {IDC_ACT_ADOPTED_LABEL, "Static", "uchwalony:", {5, 74, 72, 82}, kLabel, 0},
    {IDC_ACT_ADOPTED, "Static", "", {75, 74, 200, 82}, kDate, 0},
    {IDC_ACT_PUBLISHED_LABEL, "Static", "opublikowany:", {5, 84, 72, 92}, kLabel, 0},
    {IDC_ACT_PUBLISHED, "Static", "", {75, 84, 200, 92}, kDate, 0},
    {IDC_ACT_IN_FORCE_LABEL, "Static", "wchodzi w życie:", {5, 94, 72, 102}, kLabel, 0},
    {IDC_ACT_IN_FORCE, "Static", "", {75, 94, 200, 102}, kDate, 0},
    {kStatic, "Static", "", {5, 105, 265, 106}, kChild | SS_ETCHEDHORZ, 0},
    {kStatic, "Static", "Statystyka", {5, 108, 100, 116}, kChild | SS_LEFT | SS_NOPREFIX, 0},
};

constexpr res::DialogControlResource kExceptionControls[] = {
    {IDC_ACT_EXCEPTIONS, RICHEDIT_CLASS, "", {5, 5, 265, 113}, kChild | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 0},
};

constexpr res::DialogControlResource kRelatedControls[] = {
    {IDC_ACT_KEYWORDS_FRAME, "Static", "", {5, 5, 149, 18}, WS_CHILD, 0},  // hidden: "Hasła:" is drawn there
    {IDC_ACT_KEYWORDS, "ListBox", "", {13, 22, 265, 113},
     kChild | WS_TABSTOP | WS_VSCROLL | LBS_SORT | LBS_NOTIFY | LBS_HASSTRINGS, 0},
};

// 16 x 16 pictures (' ' light grey, which the buttons show in their face colour).
constexpr const char* kPinLying[] = {
    "                ", "                ", "                ", "                ",
    "           #    ", "          #r#   ", "   #     #rrr#  ", "   #######rrrr# ",
    "   #     #rrr#  ", "          #r#   ", "           #    ", "                ",
    "                ", "                ", "                ", "                ",
};
constexpr const char* kPinStanding[] = {
    "                ", "     ######     ", "     #rrrr#     ", "     #rrrr#     ",
    "     #rrrr#     ", "     #rrrr#     ", "    ########    ", "       #        ",
    "       #        ", "       #        ", "       #        ", "       #        ",
    "       #        ", "                ", "                ", "                ",
};
constexpr const char* kPinStandingHover[] = {
    "                ", "     ######     ", "     #yyyy#     ", "     #yyyy#     ",
    "     #yyyy#     ", "     #yyyy#     ", "    ########    ", "       #        ",
    "       #        ", "       #        ", "       #        ", "       #        ",
    "       #        ", "                ", "                ", "                ",
};
constexpr const char* kHelp[] = {
    "                ", "     ######     ", "   ##bbbbbb##   ", "  #bbb....bbb#  ",
    "  #bb..bb..bb#  ", " #bbbbbbb..bbb# ", " #bbbbbb..bbbb# ", " #bbbbb..bbbbb# ",
    " #bbbbb..bbbbb# ", " #bbbbbbbbbbbb# ", "  #bbbb..bbbb#  ", "  #bbbb..bbbb#  ",
    "   ##bbbbbb##   ", "     ######     ", "                ", "                ",
};

std::vector<uint8_t> Picture(std::span<const char* const> rows) {
  const ButtonImage image{0, rows};
  return pack_button_images(std::span(&image, 1), 16, 16);
}

// The program's icon: a red-bound book with a white page edge and a gold "§", 32 x 32.
std::vector<uint8_t> ProgramIcon() {
  constexpr int kSize = 32;
  auto colour = gdi::Bitmap::create(kSize, kSize, false);
  auto mask = gdi::Bitmap::create(kSize, kSize, true);
  constexpr const char* kSection[] = {" ### ", "#    ", " ### ", "#   #", " ### ", "    #", " ### "};
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const bool book = x >= 5 && x <= 26 && y >= 3 && y <= 28;
      const bool edge = book && (x == 5 || x == 26 || y == 3 || y == 28);
      const bool pages = book && !edge && y >= 25;
      const int sx = x - 14, sy = y - 9;
      const bool section = sx >= 0 && sx < 5 && sy >= 0 && sy < 7 && kSection[sy][sx] == '#';
      mask->at(x, y) = book ? gdi::kBlackPixel : gdi::kWhitePixel;
      colour->at(x, y) = !book        ? gdi::kBlackPixel
                         : edge       ? gdi::kBlackPixel
                         : pages      ? gdi::kWhitePixel
                         : section    ? gdi::pixel_of(RGB(0xF0, 0xC0, 0x20))
                                      : gdi::pixel_of(RGB(0xA0, 0x10, 0x10));
    }
  }
  return gdi::encode_icon_image(*colour, *mask);
}

}  // namespace

void register_act_info_resources() {
  res::add_dialog({IDD_ACT_INFO, "Informacja", {0, 0, 256, 127},
                   WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_CENTER, WS_EX_TOOLWINDOW, "MS Sans Serif", 8,
                   kWindowControls});
  res::add_dialog({IDD_ACT_PROPERTY_PAGE, "Informacja", {0, 0, 270, 118}, kPage, 0, "MS Sans Serif", 8, kPropertyControls});
  res::add_dialog({IDD_ACT_EXCEPTION_PAGE, "Wyjątki", {0, 0, 270, 118}, kPage, 0, "MS Sans Serif", 8, kExceptionControls});
  res::add_dialog({IDD_ACT_RELATED_PAGE, "Zobacz również", {0, 0, 270, 118}, kPage, 0, "MS Sans Serif", 8, kRelatedControls});
  static const std::vector<uint8_t> lying = Picture(kPinLying), standing = Picture(kPinStanding),
                                    hover = Picture(kPinStandingHover), help = Picture(kHelp), icon = ProgramIcon();
  res::add_binary({res::BinaryKind::bitmap, IDB_ACT_PIN, nullptr, lying});
  res::add_binary({res::BinaryKind::bitmap, IDB_ACT_PINNED, nullptr, standing});
  res::add_binary({res::BinaryKind::bitmap, IDB_ACT_PINNED_HOVER, nullptr, hover});
  res::add_binary({res::BinaryKind::bitmap, IDB_ACT_HELP, nullptr, help});
  res::add_binary({res::BinaryKind::icon, IDI_PROGRAM, nullptr, icon});
}

}  // namespace resources
