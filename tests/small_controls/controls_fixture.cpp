#include "tests/small_controls/controls_fixture.h"

#include <QImage>

#include <chrono>
#include <thread>

#include "platform/controls/standard_controls.h"
#include "platform/framework/control_messages.h"
#include "platform/res/resource_store.h"
#include "platform/win/window_api.h"
#include "resources/program_resources.h"
#include "tests/support/surface_png.h"

namespace lumo::test {
namespace {

// 16 x 16 pictures of a pin lying down (out) and standing in the board (in), in the colours of
// the program's button drawings (' ' face grey, '#' black, 'r' red, 'y' yellow, '.' white).
constexpr const char* kPinOut[] = {
    "                ", "                ", "                ", "                ",
    "          ##    ", "         #rr#   ", "  #     #rrrr#  ", "  ######rrrrr#  ",
    "  #     #rrrr#  ", "         #rr#   ", "          ##    ", "                ",
    "                ", "                ", "                ", "                ",
};
constexpr const char* kPinIn[] = {
    "                ", "      ####      ", "     #rrrr#     ", "     #rrrr#     ",
    "     #rrrr#     ", "      #rr#      ", "      #rr#      ", "     ######     ",
    "       ##       ", "       ##       ", "       ##       ", "       ##       ",
    "       ##       ", "       ##       ", "                ", "                ",
};
constexpr const char* kPinHover[] = {
    "                ", "      ####      ", "     #yyyy#     ", "     #yyyy#     ",
    "     #yyyy#     ", "      #yy#      ", "      #yy#      ", "     ######     ",
    "       ##       ", "       ##       ", "       ##       ", "       ##       ",
    "       ##       ", "       ##       ", "                ", "                ",
};

void register_bitmap(UINT id, std::span<const char* const> rows) {
  static std::vector<std::vector<uint8_t>> kept;
  const resources::ButtonImage image{id, rows};
  kept.push_back(resources::pack_button_images(std::span(&image, 1), 16, 16));
  res::add_binary({res::BinaryKind::bitmap, id, nullptr, kept.back()});
}

void register_test_resources() {
  static bool done = [] {
    static const res::DialogControlResource controls[] = {
        {UINT(IDC_SMALL_LINK), "Static", "Obejrzyj strony WWW", {10, 8, 120, 18}, WS_VISIBLE | SS_LEFT, 0},
        {UINT(IDC_SMALL_LABEL), "Static", "Zażółć gęślą jaźń", {130, 8, 230, 18}, WS_VISIBLE | SS_LEFT, 0},
        {UINT(IDC_SMALL_PIN), "Button", "", {10, 24, 24, 38}, WS_VISIBLE | BS_OWNERDRAW, 0},
        {UINT(IDC_SMALL_HELP), "Button", "", {26, 24, 40, 38}, WS_VISIBLE | BS_OWNERDRAW, 0},
        {UINT(IDC_SMALL_FOLDER), "Edit", "", {10, 46, 200, 58}, WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL | WS_BORDER, 0},
        {UINT(IDC_SMALL_PLAIN_EDIT), "Edit", "", {10, 64, 120, 76}, WS_VISIBLE | ES_AUTOHSCROLL | WS_BORDER, 0},
        {UINT(IDC_SMALL_YEAR), "Edit", "", {10, 84, 50, 96}, WS_VISIBLE | WS_BORDER | WS_TABSTOP, 0},
        {UINT(IDC_SMALL_POSITION), "Edit", "", {60, 84, 120, 96}, WS_VISIBLE | WS_BORDER | WS_TABSTOP, 0},
    };
    res::add_dialog({IDD_SMALL_CONTROLS, "Kontrolki", {0, 0, 240, 104}, WS_POPUP | WS_CAPTION | DS_SETFONT, 0,
                     "MS Sans Serif", 8, controls});
    register_bitmap(IDB_SMALL_PIN_OUT, kPinOut);
    register_bitmap(IDB_SMALL_PIN_IN, kPinIn);
    register_bitmap(IDB_SMALL_PIN_HOVER, kPinHover);
    return true;
  }();
  (void)done;
}

}  // namespace

bool FolderPrompter::choose_folder(HWND, const CString& title, CString& folder) {
  asked.push_back({title.str(), folder.str()});
  if (answers.empty()) return false;
  std::string answer = answers.front();
  answers.pop_front();
  if (answer.empty()) return false;
  folder = CString(answer);
  return true;
}

void SmallControlsTest::SetUp() {
  GuiTest::SetUp();
  controls::register_standard_controls();
  resources::register_program_resources();
  register_test_resources();
  framework::set_prompter(&prompter);
  ASSERT_TRUE(dialog.Create(IDD_SMALL_CONTROLS));
  dialog.ShowWindow(SW_SHOW);
  pump();
}

void SmallControlsTest::TearDown() {
  if (dialog.m_hWnd) dialog.DestroyWindow();
  pump();
  framework::set_prompter(nullptr);
  GuiTest::TearDown();
}

void SmallControlsTest::save_picture(const char* name) const {
  const std::string path = png(name);
  ASSERT_TRUE(save_window_png(dialog.m_hWnd, path, true));
  QImage image(QString::fromStdString(path));
  image.scaled(image.size() * 3).save(QString::fromStdString(path + ".x3.png"));
}

bool SmallControlsTest::pump_until(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(1);
  while (std::chrono::steady_clock::now() < end) {
    pump();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

POINT SmallControlsTest::middle_of(HWND h) {
  RECT r{};
  ::GetWindowRect(h, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace lumo::test
