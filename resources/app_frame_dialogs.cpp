// The main frame's dialogs: the options pages "Ogólne" (139), "Drukowanie" (142), "Odnośniki"
// (1561) and "Właściwości tekstu" (140), the mouse page "Mysz" (135) and the about box (100), with
// the about box's strings and its two pictures.
#include <algorithm>
#include <array>
#include <vector>

#include "platform/base/byte_io.h"

#include "platform/controls/date_time_ctrl.h"
#include "platform/controls/list_ctrl.h"
#include "platform/controls/spin_button_ctrl.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/dialog.h"
#include "resources/app_ids.h"
#include "resources/program_resources.h"

namespace resources {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kCheck = kChild | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kText = kChild | SS_LEFT;
constexpr DWORD kEdit = kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kSpin = kChild | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS;
constexpr DWORD kPage = WS_CHILD | WS_CAPTION | DS_SETFONT;
constexpr UINT kNone = UINT(-1);

constexpr res::DialogControlResource kGeneralControls[] = {
    {IDC_OPT_SOUNDS, "Button", "Odtwarzaj &dźwięki", {7, 7, 273, 17}, kCheck, 0},
    {IDC_OPT_TIP_AT_START, "Button", "Po&kazuj porady podczas uruchamiania programu", {7, 19, 273, 29}, kCheck, 0},
    {IDC_OPT_AUTOSTART, "Button", "Włącz &autostart", {7, 31, 273, 41}, kCheck, 0},
    {IDC_OPT_FIRST_FOUND, "Button", "Prz&ejdź od razu do pierwszego znalezionego słowa na stronie", {7, 43, 273, 53},
     kCheck, 0},
    {IDC_OPT_WORKBOOK, "Button", "&Okna widoczne wraz z zakładkami", {7, 55, 273, 65}, kCheck, 0},
    {IDC_OPT_GREY_OUTSIDE, "Button", "&Tekst szary, gdy akt nie znajduje się w segregatorze", {7, 67, 273, 77},
     kCheck, 0},
    {IDC_OPT_HOVER_LOOK, "Button", "Włą&cz śledzenie położenia kursora nad elementami", {7, 79, 273, 89}, kCheck, 0},
    {IDC_OPT_OFFICE97, "Button", "Wygląd zgodny z MSOffice 97", {7, 91, 140, 101}, kCheck, 0},
    {IDC_OPT_SMOOTH_SCROLL, "Button", "Gładkie skrolowanie", {145, 91, 273, 101}, kCheck, 0},
    {kNone, "Static", "&Maksymalna ilość równocześnie otwartych arkuszy:", {7, 108, 200, 118}, kText, 0},
    {IDC_OPT_MAX_SHEETS, "Edit", "", {205, 106, 235, 118}, kEdit | ES_NUMBER, 0},
    {IDC_OPT_MAX_SHEETS_SPIN, UPDOWN_CLASS, "", {235, 106, 245, 118}, kSpin, 0},
    {IDC_OPT_STOP_AFTER, "Button", "Przerwij, gdy ilość znalezionych jednostek przekroczy:", {7, 123, 200, 133}, kCheck,
     0},
    {IDC_OPT_POLL_MESSAGES, "Edit", "", {205, 122, 245, 134}, kEdit | ES_NUMBER, 0},
    {kNone, "Static", "O&perator PRZY oznacza maksymalną odległość do:", {7, 140, 200, 150}, kText, 0},
    {IDC_OPT_NEAR, "Edit", "", {205, 138, 235, 150}, kEdit | ES_NUMBER, 0},
    {IDC_OPT_NEAR_SPIN, UPDOWN_CLASS, "", {235, 138, 245, 150}, kSpin, 0},
    {kNone, "Static", "słów", {250, 140, 273, 150}, kText, 0},
    {kNone, "Static", "Bieżąca data", {7, 160, 100, 170}, kText, 0},
    {IDC_OPT_LEGAL_DATE, DATETIMEPICK_CLASS, "", {105, 157, 273, 171}, kChild | WS_TABSTOP | DTS_SHOWNONE, 0},
};

constexpr res::DialogControlResource kPrintControls[] = {
    {kNone, "Button", "Dołącz do wydruku", {7, 7, 273, 121}, kChild | BS_GROUPBOX, 0},
    {IDC_OPT_FOOTER_DATE, "Button", "&Datę wydruku", {14, 19, 140, 29}, kCheck, 0},
    {IDC_OPT_FOOTER_TITLE, "Button", "&Tytuł pracy", {14, 31, 140, 41}, kCheck, 0},
    {IDC_OPT_FOOTER_PERSON, "Button", "In&formację o osobie", {14, 43, 140, 53}, kCheck, 0},
    {IDC_OPT_EXTENDED_INFO, "Button", "Rozszerzoną informację o pracy", {14, 55, 140, 65}, kCheck, 0},
    {IDC_OPT_APPEND_RESULTS, "Button", "Wyniki przeszukiwania", {14, 67, 140, 77}, kCheck, 0},
    {IDC_OPT_PAGE_NUMBERS, "Button", "N&umerację stron", {145, 19, 270, 29}, kCheck, 0},
    {IDC_OPT_ACT_HEADER, "Button", "Zawsze drukuj nagłówek aktu", {145, 31, 270, 41}, kCheck, 0},
    {IDC_OPT_SHORT_ACT_NUMBER, "Button", "Skrócony &numer aktu normatywnego", {14, 82, 270, 92}, kCheck, 0},
    {IDC_OPT_UNIT_PER_PAGE, "Button", "&Każda jednostka redakcyjna od nowej strony", {14, 94, 270, 104}, kCheck, 0},
    {IDC_OPT_BACKGROUND_PRINT, "Button", "Drukowanie w tle", {14, 106, 270, 116}, kCheck, 0},
    {IDC_OPT_NOTES_COLUMN, "Button", "Pozostaw &miejsce na notatki u dołu strony", {7, 126, 200, 136}, kCheck, 0},
    {kNone, "Static", "Szerokość:", {20, 142, 70, 152}, kText, 0},
    {IDC_OPT_NOTES_WIDTH, "Edit", "", {75, 140, 125, 152}, kEdit, 0},
    {IDC_OPT_NOTES_WIDTH_SPIN, UPDOWN_CLASS, "", {125, 140, 135, 152}, kChild | UDS_ARROWKEYS, 0},
};

// One column per kind of link (the wells, with their "Inny..." button about 50 by 80 units, go
// under the check boxes), and a fifth for the colour of links in negative.
constexpr res::DialogControlResource kLinksControls[] = {
    {kNone, "Static", "D. U.", {62, 7, 112, 17}, kText, 0},
    {kNone, "Static", "poz.", {115, 7, 165, 17}, kText, 0},
    {kNone, "Static", "art.", {168, 7, 218, 17}, kText, 0},
    {kNone, "Static", "art. w.", {221, 7, 271, 17}, kText, 0},
    {kNone, "Static", "w negatywie", {274, 7, 330, 17}, kText, 0},
    {kNone, "Static", "pokazuj dymki", {7, 21, 60, 31}, kText, 0},
    {kNone, "Static", "wytłuszczenie", {7, 35, 60, 45}, kText, 0},
    {kNone, "Static", "kolor odnośnika", {7, 50, 60, 70}, kText, 0},
    {IDC_OPT_TIP_DU, "Button", "", {62, 21, 74, 31}, kCheck, 0},
    {IDC_OPT_TIP_POZ, "Button", "", {115, 21, 127, 31}, kCheck, 0},
    {IDC_OPT_TIP_ART, "Button", "", {168, 21, 180, 31}, kCheck, 0},
    {IDC_OPT_TIP_ARTW, "Button", "", {221, 21, 233, 31}, kCheck, 0},
    {IDC_OPT_BOLD_DU, "Button", "", {62, 35, 74, 45}, kCheck, 0},
    {IDC_OPT_BOLD_POZ, "Button", "", {115, 35, 127, 45}, kCheck, 0},
    {IDC_OPT_BOLD_ART, "Button", "", {168, 35, 180, 45}, kCheck, 0},
    {IDC_OPT_BOLD_ARTW, "Button", "", {221, 35, 233, 45}, kCheck, 0},
    {IDC_OPT_TRACK_LINKS, "Button", "włącz śledzenie\npozycji &kursora", {7, 138, 150, 158},
     kCheck | BS_MULTILINE, 0},
    {IDC_OPT_NEGATIVE_LINKS, "Button", "wyświetl &odnośniki w negatywie", {7, 162, 200, 172}, kCheck, 0},
};

constexpr res::DialogControlResource kTextControls[] = {
    {kNone, "Static", "Tekst uchylony", {7, 9, 120, 19}, kText, 0},
    {1058, "Static", "Tekst uchylony", {130, 9, 273, 19}, kText, 0},
    {kNone, "Static", "Tekst przed wprowadzeniem", {7, 29, 120, 39}, kText, 0},
    {1059, "Static", "Tekst przed wprowadzeniem", {130, 29, 273, 39}, kText, 0},
    {kNone, "Static", "Tekst obowiązujący", {7, 49, 120, 59}, kText, 0},
    {1060, "Static", "Tekst obowiązujący", {130, 49, 273, 59}, kText, 0},
    {1255, "Button", "Wyróżnij akapity będące cytatami", {7, 70, 273, 80}, kCheck, 0},
};

constexpr res::DialogControlResource kMouseControls[] = {
    {kNone, "Static", "&Arkusz:", {7, 7, 100, 17}, kText, 0},
    {IDC_MOUSE_CONTEXTS, WC_LISTVIEW, "", {7, 18, 120, 80},
     kChild | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER, 0},
    {kNone, "Static", "Podwójne kliknięcie powoduje:", {130, 7, 273, 17}, kText, 0},
    {IDC_MOUSE_DEFAULT, "Button", "Reakcję &domyślną", {130, 19, 273, 29}, kChild | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
     0},
    {IDC_MOUSE_CHOSEN, "Button", "&Reakcję wybraną przez użytkownika", {130, 31, 273, 41}, kChild | BS_AUTORADIOBUTTON, 0},
    {IDC_MOUSE_COMMANDS, "ListBox", "", {130, 44, 273, 110}, kChild | WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY,
     0},
    {IDC_MOUSE_DESCRIPTION, "Static", "", {130, 114, 273, 144}, kText | SS_SUNKEN, 0},
    {kNone, "Static",
     "Wybierz rodzaj widoku, a następnie kliknij polecenie, które ma zostać przyporządkowane podwójnemu kliknięciu "
     "myszą.\n\nUWAGA przyporządkowanie to działa jedynie gdy nie jest wciśnięty żaden klawisz funkcyjny. ",
     {7, 86, 120, 170}, kText, 0},
};

constexpr res::DialogControlResource kAboutControls[] = {
    // The picture area only marks where the dialog draws its picture; the credits show over it
    // while they run (neither shows at start).
    {IDC_ABOUT_PICTURE, "Static", "", {7, 7, 87, 127}, WS_CHILD, 0},
    {IDC_ABOUT_CREDITS, "Static", "", {7, 7, 87, 127}, WS_CHILD, 0},
    {kNone, "Static", "LumoKAL", {95, 7, 280, 19}, kText, 0},
    {IDC_ABOUT_KEY1, "Static", "Wersja 1.0", {95, 21, 280, 31}, kText | SS_NOTIFY, 0},
    {IDC_ABOUT_KEY2, "Static", "Dziennik Ustaw Rzeczypospolitej Polskiej", {95, 33, 280, 43}, kText | SS_NOTIFY, 0},
    {IDC_ABOUT_KEY3, "Static", "Copyright © Fenwar", {95, 45, 280, 55}, kText | SS_NOTIFY, 0},
    {IDC_ABOUT_MAIL, "Static", "Wyślij list", {95, 61, 180, 71}, kText | SS_NOTIFY, 0},
    {IDC_ABOUT_WEB, "Static", "Obejrzyj strony WWW", {185, 61, 280, 71}, kText | SS_NOTIFY, 0},
    {kNone, "Static", "", {95, 77, 280, 78}, kChild | SS_ETCHEDHORZ, 0},
    {IDC_ABOUT_MEMORY, "Static", "Memory", {95, 83, 280, 93}, kText, 0},
    {IDC_ABOUT_DISK, "Static", "Disk space", {95, 95, 280, 105}, kText, 0},
    {IDC_ABOUT_SYSTEM, "Static", "OS version", {95, 107, 280, 127}, kText, 0},
    {IDOK, "Button", "&OK", {230, 133, 280, 147}, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
};

constexpr res::StringResource kStrings[] = {
    {IDS_WEB_PAGES_ADDRESS, "https://www.fenwar.pl/"},
    {IDS_MAIL_ADDRESS, "mailto:lumokal@fenwar.pl"},
};

// A device-independent bitmap file of `width` x `height` with 8 bits a pixel (a "DIB" resource
// holds the whole file): a 256-entry colour table and `pixel(x, y)` as the colour index (rows
// stored bottom-up).
template <class Pixel>
std::vector<uint8_t> MakeDib8(int width, int height, const std::vector<std::array<uint8_t, 3>>& colours, Pixel pixel) {
  const size_t stride = (size_t(width) + 3) & ~size_t(3);
  std::vector<uint8_t> bytes;
  base::ByteWriter out(bytes);
  const uint32_t offset = 14 + 40 + 256 * 4;
  out.u8('B');
  out.u8('M');
  out.u32(offset + uint32_t(stride * size_t(height)));
  out.u32(0);
  out.u32(offset);
  out.u32(40);
  out.i32(width);
  out.i32(height);
  out.u16(1);
  out.u16(8);
  out.u32(0);
  out.u32(uint32_t(stride * size_t(height)));
  out.i32(0);
  out.i32(0);
  out.u32(256);
  out.u32(0);
  for (size_t i = 0; i < 256; ++i) {
    const std::array<uint8_t, 3> c = i < colours.size() ? colours[i] : std::array<uint8_t, 3>{0, 0, 0};
    out.u8(c[2]);
    out.u8(c[1]);
    out.u8(c[0]);
    out.u8(0);
  }
  for (int y = height - 1; y >= 0; --y) {
    for (size_t x = 0; x < stride; ++x) out.u8(x < size_t(width) ? pixel(int(x), y) : 0);
  }
  return bytes;
}

// The about box's picture: a blue-to-white sky over a row of book spines.
std::vector<uint8_t> AboutPicture() {
  std::vector<std::array<uint8_t, 3>> colours;
  for (int i = 0; i < 64; ++i) colours.push_back({uint8_t(40 + i * 3), uint8_t(70 + i * 2), uint8_t(160 + i)});
  const std::array<uint8_t, 3> spines[] = {{128, 0, 0}, {0, 96, 0}, {0, 0, 128}, {160, 120, 0}, {96, 0, 96}};
  for (const auto& s : spines) colours.push_back(s);
  colours.push_back({255, 215, 0});  // gold lettering
  constexpr int kWidth = 120, kHeight = 180;
  return MakeDib8(kWidth, kHeight, colours, [](int x, int y) -> uint8_t {
    if (y < 110) return uint8_t(std::min(63, y * 64 / 110));
    const int spine = x / 12;
    const int inside = x % 12;
    if (inside == 0) return 0;
    if ((y - 120) % 20 < 2 && inside > 2 && inside < 10) return 69;
    return uint8_t(64 + spine % 5);
  });
}

// The splash: the program's name in gold block letters over a dark blue shelf of book spines.
std::vector<uint8_t> SplashPicture() {
  // 5 x 7 letters, one string a row, '#' set.
  static const char* const kLetters[][7] = {
      {"#....", "#....", "#....", "#....", "#....", "#....", "#####"},  // L
      {".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"},  // u
      {".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"},  // m
      {".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."},  // o
      {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"},  // K
      {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"},  // A
      {"#....", "#....", "#....", "#....", "#....", "#....", "#####"},  // L
  };
  std::vector<std::array<uint8_t, 3>> colours;
  for (int i = 0; i < 64; ++i) colours.push_back({uint8_t(10 + i), uint8_t(20 + i), uint8_t(70 + i * 2)});
  const std::array<uint8_t, 3> spines[] = {{128, 0, 0}, {0, 96, 0}, {0, 0, 128}, {160, 120, 0}, {96, 0, 96}};
  for (const auto& c : spines) colours.push_back(c);
  colours.push_back({255, 215, 0});  // 69: gold
  colours.push_back({0, 0, 0});      // 70: shadow
  constexpr int kWidth = 360, kHeight = 200, kScale = 6, kLeft = 42, kTop = 40;
  auto lettering = [&](int x, int y) {
    const int cell = (x - kLeft) / kScale, row = (y - kTop) / kScale;
    if (x < kLeft || y < kTop || row >= 7) return false;
    const int letter = cell / 6, column = cell % 6;
    return letter < 7 && column < 5 && kLetters[letter][row][column] == '#';
  };
  return MakeDib8(kWidth, kHeight, colours, [&](int x, int y) -> uint8_t {
    if (lettering(x, y)) return 69;
    if (lettering(x - 3, y - 3)) return 70;
    if (y < 130) return uint8_t(std::min(63, y * 64 / 130));
    const int inside = x % 18;
    if (inside == 0) return 70;
    if ((y - 140) % 24 < 3 && inside > 3 && inside < 15) return 69;
    return uint8_t(64 + (x / 18) % 5);
  });
}

// The tile behind the credits: light grey with a faint diagonal weave.
std::vector<uint8_t> CreditsBackground() {
  const std::vector<std::array<uint8_t, 3>> colours = {{192, 192, 192}, {176, 176, 184}};
  return MakeDib8(16, 16, colours, [](int x, int y) -> uint8_t { return (x + y) % 8 == 0 ? 1 : 0; });
}

}  // namespace

void register_frame_dialog_resources() {
  res::add_dialog({IDD_OPTIONS_GENERAL, "Ogólne", {0, 0, 280, 180}, kPage, 0, "MS Sans Serif", 8, kGeneralControls});
  res::add_dialog({IDD_OPTIONS_PRINT, "Drukowanie", {0, 0, 280, 180}, kPage, 0, "MS Sans Serif", 8, kPrintControls});
  res::add_dialog({IDD_OPTIONS_LINKS, "Odnośniki", {0, 0, 336, 180}, kPage, 0, "MS Sans Serif", 8, kLinksControls});
  res::add_dialog(
      {IDD_OPTIONS_TEXT, "Właściwości tekstu", {0, 0, 280, 180}, kPage, 0, "MS Sans Serif", 8, kTextControls});
  res::add_dialog({IDD_MOUSE_PAGE, "Mysz", {0, 0, 280, 180}, kPage, 0, "MS Sans Serif", 8, kMouseControls});
  res::add_dialog({IDD_ABOUT, "O programie...", {0, 0, 287, 154},
                   WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, "MS Sans Serif", 8,
                   kAboutControls});
  res::add_strings(kStrings);
  static const std::vector<uint8_t> picture = AboutPicture();
  static const std::vector<uint8_t> background = CreditsBackground();
  res::add_binary({res::BinaryKind::data, IDB_ABOUT_PICTURE, nullptr, picture});
  res::add_binary({res::BinaryKind::data, IDB_CREDITS_BACKGROUND, nullptr, background});
  // A bitmap resource is the file without its 14-byte file header.
  static const std::vector<uint8_t> splash = [] {
    std::vector<uint8_t> file = SplashPicture();
    return std::vector<uint8_t>(file.begin() + 14, file.end());
  }();
  res::add_binary({res::BinaryKind::bitmap, IDB_SPLASH, nullptr, splash});
}

}  // namespace resources
