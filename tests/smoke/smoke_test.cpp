// The real program under a virtual X server: it opens its main window with the program's title,
// menu, first sheet, library tree (its rows on screen) and status bar, and ends with exit status 0
// when Alt+F4 closes it.
// The screen is saved as smoke_lumokal.png in the test's working folder.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// The library compiler comes before Qt, whose keyword macros its engine headers would meet.
#include "tools/compiler/library_compiler.h"

#include <QColor>
#include <QRect>
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/smoke/child_process.h"
#include "tests/smoke/virtual_screen.h"
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

// Pixels dark enough to be text or lines in `area` of the screen (screen coordinates).
int dark_pixels(const QImage& screen, const QRect& area) {
  int count = 0;
  const QRect inside = area & screen.rect();
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) count += qGray(screen.pixel(x, y)) < 64 ? 1 : 0;
  }
  return count;
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
    screen_.Stop();  // the server always goes, whatever the test did
    if (!folder_.empty()) std::filesystem::remove_all(folder_);
  }

  void start_server() {
    std::string error;
    ASSERT_TRUE(screen_.Start(folder_ + "/screen", &error)) << error;
    display_ = screen_.display();
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

  // The visible window titled exactly `title` within the time given, or empty.
  std::string window_titled(const std::string& title, std::chrono::milliseconds timeout = 20s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
      RunResult found = xdotool({"search", "--onlyvisible", "--name", title});
      for (const std::string& id : lines_of(found.output)) {
        RunResult name = xdotool({"getwindowname", id});
        if (name.exit_code == 0 && lines_of(name.output) == std::vector<std::string>{title}) return id;
      }
      usleep(100000);
    } while (std::chrono::steady_clock::now() < deadline);
    return {};
  }

  // Whether a visible window of that exact title stays away for the time given.
  bool window_gone(const std::string& title, std::chrono::milliseconds timeout = 10s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
      if (window_titled(title, 0ms).empty()) return true;
      usleep(100000);
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
  }

  // Keys sent to whatever window has the focus, one at a time.
  void keys(std::initializer_list<std::string> names) {
    for (const std::string& name : names) {
      ASSERT_EQ(xdotool({"key", "--clearmodifiers", name}).exit_code, 0) << name;
      usleep(150000);
    }
  }

  // The screen as it is now, saved into the test's output folder for a person to look at.
  void save_screen(const std::string& name) {
    std::string error;
    QImage screen = read_xwd_screen(folder_ + "/screen/Xvfb_screen0", &error);
    ASSERT_FALSE(screen.isNull()) << error;
    const char* dir = std::getenv("LUMO_PNG_DIR");
    screen.save(QString::fromStdString((dir ? std::string(dir) : std::string(".")) + "/" + name + ".png"));
  }

  // A click into the middle of the first sheet gives it the keyboard.
  void focus_sheet(const std::string& window) {
    RunResult geometry_text = xdotool({"getwindowgeometry", "--shell", window});
    Geometry frame = parse_geometry(geometry_text.output);
    xdotool({"mousemove", std::to_string(frame.x + frame.width * 2 / 3), std::to_string(frame.y + frame.height / 2)});
    xdotool({"click", "1"});
    usleep(300000);
  }

  std::string folder_;
  std::string display_;
  VirtualScreen screen_;
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
  // The library tree in the "Spisy" bar on the left, below its toolbar and column headers: its
  // rows are dark text on white once the tree has loaded.
  const QRect tree_rows(frame.x + 10, frame.y + frame.height / 5, frame.width / 3 - 20, frame.height * 3 / 10);
  for (int i = 0; i < 50 && dark_pixels(screen, tree_rows) < 100; ++i) {
    usleep(100000);
    screen = read_xwd_screen(folder_ + "/screen/Xvfb_screen0", &error);
    ASSERT_FALSE(screen.isNull()) << error;
  }
  screen.copy(frame.x, frame.y, frame.width, frame.height).save("smoke_lumokal.png");
  EXPECT_GE(dark_pixels(screen, tree_rows), 100) << "the library tree shows no rows";
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

// The main roads walked from outside with keys and clicks only: the start, a query with the
// find sheet, printing the shown act to a PDF file, closing with the keyboard and starting again,
// and a second start handing over to the first. The screen after each road is saved as a PNG.
TEST_F(SmokeTest, TheMainRoadsWalkedWithTheKeyboard) {
  if (std::system("command -v pdftotext > /dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext is not installed";
  const std::vector<std::string> environment_of_test = environment();
  auto start = [&](std::vector<std::string> extra) {
    std::vector<std::string> arguments = {LUMOKAL_PROGRAM, "--data", folder_ + "/library"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return std::make_unique<ChildProcess>(ChildProcess::Options{arguments, environment_of_test, false, -1});
  };

  // Road 1: the start.
  std::unique_ptr<ChildProcess> program = start({});
  ASSERT_TRUE(program->started());
  std::string main = window_titled("LumoKAL - nienazwana praca", 60s);
  ASSERT_FALSE(main.empty());
  usleep(1000000);
  save_screen("road1_start");

  // Road 3: Ctrl+Q opens the find sheet on its query page; a query runs and the sheet stays; Escape
  // closes it.
  focus_sheet(main);
  keys({"ctrl+q"});
  ASSERT_FALSE(window_titled("Znajdź/Przejdź do").empty()) << "Ctrl+Q opened no find sheet";
  ASSERT_EQ(xdotool({"type", "--delay", "30", "drzewa"}).exit_code, 0);
  usleep(300000);
  save_screen("road3_query_typed");
  keys({"Return"});
  usleep(1500000);
  save_screen("road3_query_run");
  {
    // The hit is listed in the "Rezultaty" list of the navigator along the bottom, in the row
    // below the column headers (which the find sheet leaves uncovered).
    Geometry frame = parse_geometry(xdotool({"getwindowgeometry", "--shell", main}).output);
    std::string error;
    QImage screen = read_xwd_screen(folder_ + "/screen/Xvfb_screen0", &error);
    ASSERT_FALSE(screen.isNull()) << error;
    const QRect first_row(frame.x + 10, frame.y + frame.height * 79 / 100, frame.width - 20, frame.height / 12);
    EXPECT_GE(dark_pixels(screen, first_row), 100) << "the results list shows no rows";
  }
  keys({"Escape"});
  EXPECT_TRUE(window_gone("Znajdź/Przejdź do"));

  // Road 8: Ctrl+P prints the shown act; "Drukuj do pliku" (Alt+I), then the file's name.
  focus_sheet(main);
  keys({"ctrl+p"});
  const std::string print = window_titled("Drukuj");
  ASSERT_FALSE(print.empty()) << "Ctrl+P showed no print dialog";
  save_screen("road8_print_dialog");
  // "Drukuj do pliku" sits below the printer's name.
  Geometry dialog = parse_geometry(xdotool({"getwindowgeometry", "--shell", print}).output);
  xdotool({"mousemove", std::to_string(dialog.x + 30), std::to_string(dialog.y + 79)});
  xdotool({"click", "1"});
  usleep(300000);
  save_screen("road8_print_to_file");
  keys({"Return"});
  const std::string pdf = folder_ + "/akt.pdf";
  // The file question, titled by the program or by the toolkit's own print dialog.
  std::string file_question;
  for (int i = 0; i < 100 && file_question.empty(); ++i) {
    file_question = window_titled("Drukuj do pliku", 0ms);
    if (file_question.empty()) file_question = window_titled("Print to File", 0ms);
    usleep(100000);
  }
  if (file_question.empty()) save_screen("road8_no_file_question");
  ASSERT_FALSE(file_question.empty()) << "no file was asked for; windows: " << [&] {
    std::string names;
    for (const std::string& id : lines_of(xdotool({"search", "--onlyvisible", "--name", "."}).output)) {
      names += xdotool({"getwindowname", id}).output;
    }
    return names;
  }();
  usleep(500000);
  keys({"ctrl+a"});
  ASSERT_EQ(xdotool({"type", "--delay", "10", pdf}).exit_code, 0);
  keys({"Return"});
  for (int i = 0; i < 100 && !std::filesystem::exists(pdf); ++i) usleep(100000);
  usleep(1000000);
  ASSERT_TRUE(std::filesystem::exists(pdf));
  RunResult text = run_program({"pdftotext", pdf, "-"}, {}, 20s);
  EXPECT_NE(text.output.find("bibliotekach gminnych"), std::string::npos) << text.output.substr(0, 400);
  save_screen("road8_printed");

  // Road 9: Alt+F4 ends the program after the question whether to save the changed work ("Nie");
  // started again its caption comes back; a second start hands over to the first and ends.
  xdotool({"windowfocus", "--sync", main});
  focus_sheet(main);
  keys({"alt+F4"});
  const std::string question = window_titled("LumoKAL", 10s);
  ASSERT_FALSE(question.empty()) << "closing the changed work asked nothing";
  save_screen("road9_save_question");
  Geometry box = parse_geometry(xdotool({"getwindowgeometry", "--shell", question}).output);
  xdotool({"mousemove", std::to_string(box.x + 186), std::to_string(box.y + 60)});
  xdotool({"click", "1"});
  std::optional<int> status = program->wait_for(20s);
  if (!status) save_screen("road9_not_closed");
  ASSERT_TRUE(status.has_value()) << "the program did not end after Alt+F4: " << [&] {
    std::string names;
    for (const std::string& id : lines_of(xdotool({"search", "--onlyvisible", "--name", "."}).output)) {
      names += xdotool({"getwindowname", id}).output;
    }
    return names;
  }();
  ASSERT_TRUE(WIFEXITED(*status));
  EXPECT_EQ(WEXITSTATUS(*status), 0);

  program = start({});
  main = window_titled("LumoKAL - nienazwana praca", 60s);
  ASSERT_FALSE(main.empty()) << "the second run shows no main window";
  usleep(800000);
  save_screen("road9_started_again");
  std::unique_ptr<ChildProcess> second = start({});
  std::optional<int> second_status = second->wait_for(30s);
  ASSERT_TRUE(second_status.has_value()) << "the second start did not end";
  EXPECT_TRUE(WIFEXITED(*second_status));
  EXPECT_FALSE(window_titled("LumoKAL - nienazwana praca", 2s).empty()) << "the first program went";
  xdotool({"windowfocus", "--sync", main});
  focus_sheet(main);
  keys({"alt+F4"});
  status = program->wait_for(30s);
  ASSERT_TRUE(status.has_value()) << "the program started again did not end after Alt+F4";
  ASSERT_TRUE(WIFEXITED(*status));
  EXPECT_EQ(WEXITSTATUS(*status), 0);
}

}  // namespace
}  // namespace lumo::test
