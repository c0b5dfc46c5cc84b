// The real program under a virtual X server: it opens its main window with the program's title,
// menu, empty client area and status bar, and ends with exit status 0 when Alt+F4 closes it.
// The screen is saved as smoke_lumokal.png in the test's working folder.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// The library compiler comes before Qt, whose keyword macros its engine headers would meet.
#include "tools/compiler/library_compiler.h"

#include <QColor>
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/smoke/child_process.h"
#include "tests/smoke/xwd_image.h"

namespace lumo::test {
namespace {

using namespace std::chrono_literals;

// Classic system colours of the window layer.
constexpr QRgb kMenuColour = 0xFFC0C0C0;
// The first sheet's page, which covers the MDI client from the start.
constexpr QRgb kPageColour = 0xFFFFFFFF;

struct Geometry {
  int x = 0, y = 0, width = 0, height = 0;
};

// "X=32\nY=32\nWIDTH=768\n..." as xdotool's --shell form prints it.
Geometry parse_geometry(const std::string& shell) {
  Geometry g;
  std::istringstream lines(shell);
  std::string line;
  while (std::getline(lines, line)) {
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string name = line.substr(0, eq);
    int value = std::atoi(line.c_str() + eq + 1);
    if (name == "X") g.x = value;
    if (name == "Y") g.y = value;
    if (name == "WIDTH") g.width = value;
    if (name == "HEIGHT") g.height = value;
  }
  return g;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty()) out.push_back(line);
  }
  return out;
}

class SmokeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!program_on_path("Xvfb")) GTEST_SKIP() << "Xvfb is not installed (scripts/setup.sh installs it)";
    ASSERT_TRUE(program_on_path("xdotool")) << "xdotool is not installed (scripts/setup.sh installs it)";
    std::string pattern = (std::filesystem::temp_directory_path() / "lumo_smoke_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    for (const char* sub : {"screen", "config", "data", "runtime", "library"}) {
      ASSERT_EQ(mkdir((folder_ + "/" + sub).c_str(), 0700), 0) << sub;
    }
    // The program starts only with a library: the sample acts compiled into it.
    compiler::CompileReport report;
    std::string error;
    ASSERT_EQ(compiler::CompileLibrary(std::string(getenv("LUMO_SOURCE_DIR")) + "/samples/acts", folder_ + "/library",
                                       report, error),
              0)
        << error;
    start_server();
  }

  void TearDown() override {
    server_.reset();  // the server always goes, whatever the test did
    if (!folder_.empty()) std::filesystem::remove_all(folder_);
  }

  // Xvfb picks a free display itself and writes its number to the descriptor it is given once
  // it accepts connections.
  void start_server() {
    int ready[2];
    ASSERT_EQ(pipe2(ready, O_CLOEXEC), 0);
    server_ = std::make_unique<ChildProcess>(ChildProcess::Options{
        {"Xvfb", "-displayfd", std::to_string(ready[1]), "-screen", "0", "1024x768x24", "-fbdir",
         folder_ + "/screen", "-nolisten", "tcp"},
        {},
        false,
        ready[1]});
    close(ready[1]);
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (number.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
      pollfd fd{ready[0], POLLIN, 0};
      if (poll(&fd, 1, 200) <= 0) continue;
      char buffer[16];
      ssize_t n = read(ready[0], buffer, sizeof buffer);
      if (n <= 0) break;
      number.append(buffer, size_t(n));
    }
    close(ready[0]);
    ASSERT_TRUE(server_->started()) << "Xvfb did not start";
    ASSERT_NE(number.find('\n'), std::string::npos) << "Xvfb gave no display number";
    display_ = ":" + number.substr(0, number.find('\n'));
  }

  std::vector<std::string> environment() const {
    return {"DISPLAY=" + display_,
            "QT_QPA_PLATFORM=xcb",
            "XDG_CONFIG_HOME=" + folder_ + "/config",
            "XDG_DATA_HOME=" + folder_ + "/data",
            "XDG_RUNTIME_DIR=" + folder_ + "/runtime",
            "WAYLAND_DISPLAY"};
  }

  RunResult xdotool(std::vector<std::string> arguments, std::chrono::milliseconds timeout = 10s) {
    arguments.insert(arguments.begin(), "xdotool");
    return run_program(arguments, environment(), timeout);
  }

  // The screen once the frame's client area shows the first sheet's page, or the last one read
  // when that does not happen within the time given.
  QImage screen_when_drawn(const Geometry& frame, std::string* error) {
    QImage screen;
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    do {
      screen = read_xwd_screen(folder_ + "/screen/Xvfb_screen0", error);
      if (!screen.isNull() && screen.rect().contains(frame.x + frame.width / 2, frame.y + frame.height / 2) &&
          screen.pixel(frame.x + frame.width / 2, frame.y + frame.height / 2) == kPageColour) {
        break;
      }
      usleep(100000);
    } while (std::chrono::steady_clock::now() < deadline);
    return screen;
  }

  std::string folder_;
  std::string display_;
  std::unique_ptr<ChildProcess> server_;
};

TEST_F(SmokeTest, TheProgramShowsItsMainWindowAndEndsCleanlyOnAltF4) {
  ChildProcess program(
      {{LUMOKAL_PROGRAM, "--data", folder_ + "/library"}, environment(), false, -1});
  ASSERT_TRUE(program.started());

  // The caption names the work the program starts with.
  const std::string caption = "LumoKAL - nienazwana praca";
  RunResult found = xdotool({"search", "--sync", "--onlyvisible", "--name", "^" + caption + "$"}, 60s);
  ASSERT_EQ(found.exit_code, 0) << "no window named " << caption << " appeared";
  // xdotool matches names without regard to case: the title itself is compared here.
  std::string window;
  for (const std::string& id : lines_of(found.output)) {
    RunResult name = xdotool({"getwindowname", id});
    if (name.exit_code == 0 && lines_of(name.output) == std::vector<std::string>{caption}) window = id;
  }
  ASSERT_FALSE(window.empty()) << "no visible window is titled exactly " << caption << ": " << found.output;

  RunResult geometry_text = xdotool({"getwindowgeometry", "--shell", window});
  ASSERT_EQ(geometry_text.exit_code, 0);
  Geometry frame = parse_geometry(geometry_text.output);
  ASSERT_GT(frame.width, 200);
  ASSERT_GT(frame.height, 150);

  std::string error;
  QImage screen = screen_when_drawn(frame, &error);
  ASSERT_FALSE(screen.isNull()) << error;
  screen.copy(frame.x, frame.y, frame.width, frame.height).save("smoke_lumokal.png");
  auto at = [&](int dx, int dy) { return QColor(screen.pixel(frame.x + dx, frame.y + dy)).name().toStdString(); };
  auto colour = [](QRgb rgb) { return QColor(rgb).name().toStdString(); };
  // The menu bar along the top, the first sheet in the middle (right of the "Spisy" bar), the
  // status bar at the bottom.
  EXPECT_EQ(at(frame.width - 4, 4), colour(kMenuColour)) << "menu bar";
  EXPECT_EQ(at(frame.width / 2, frame.height / 2), colour(kPageColour)) << "first sheet";
  EXPECT_EQ(at(frame.width / 3, frame.height - 3), colour(kMenuColour)) << "status bar";
  bool menu_text = false;
  for (int x = 2; x < 60 && !menu_text; ++x) {
    for (int y = 2; y < 16 && !menu_text; ++y) menu_text = screen.pixel(frame.x + x, frame.y + y) == 0xFF000000;
  }
  EXPECT_TRUE(menu_text) << "the menu bar shows no text";

  ASSERT_EQ(xdotool({"windowfocus", "--sync", window}).exit_code, 0);
  ASSERT_EQ(xdotool({"key", "--clearmodifiers", "alt+F4"}).exit_code, 0);
  std::optional<int> status = program.wait_for(30s);
  ASSERT_TRUE(status.has_value()) << "the program did not end after Alt+F4";
  ASSERT_TRUE(WIFEXITED(*status)) << "the program ended by signal " << WTERMSIG(*status);
  EXPECT_EQ(WEXITSTATUS(*status), 0);
}

}  // namespace
}  // namespace lumo::test
