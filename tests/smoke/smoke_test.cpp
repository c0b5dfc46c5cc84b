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
#include "platform/base/cp1250.h"
#include "tools/compiler/library_compiler.h"
#include "tools/compiler/library_plan.h"

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

std::string sample_acts() { return std::string(getenv("LUMO_SOURCE_DIR")) + "/samples/acts"; }

// The shared corpus of real acts, or empty when it is absent.
std::string corpus_acts() {
  const char* shared = std::getenv("LUMO_SHARED_DIR");
  if (!shared) return {};
  const std::string dir = std::string(shared) + "/corpus/dzu";
  return std::filesystem::is_directory(dir) ? dir : std::string();
}

class SmokeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!program_on_path("Xvfb")) GTEST_SKIP() << "Xvfb is not installed (scripts/setup.sh installs it)";
    ASSERT_TRUE(program_on_path("xdotool")) << "xdotool is not installed (scripts/setup.sh installs it)";
    std::string pattern = (std::filesystem::temp_directory_path() / "lumo_smoke_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    // "tmp" is the program's temporary folder: its single-instance socket lives there, so a copy of
    // the program running elsewhere on the machine is never handed the test's start.
    for (const char* sub : {"screen", "config", "data", "runtime", "library", "tmp"}) {
      ASSERT_EQ(mkdir((folder_ + "/" + sub).c_str(), 0700), 0) << sub;
    }
    // The program starts only with a library: the acts compiled into it.
    compiler::CompileReport report;
    std::string error;
    ASSERT_EQ(compiler::CompileLibrary(acts_folder(), folder_ + "/library", report, error), 0) << error;
    start_server();
  }

  // The acts the library is compiled from.
  virtual std::string acts_folder() const { return sample_acts(); }

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
            "TMPDIR=" + folder_ + "/tmp",
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

  Geometry geometry_of(const std::string& window) {
    return parse_geometry(xdotool({"getwindowgeometry", "--shell", window}).output);
  }

  // The names of every visible window, for messages.
  std::string visible_windows() {
    std::string names;
    for (const std::string& id : lines_of(xdotool({"search", "--onlyvisible", "--name", "."}).output)) {
      names += xdotool({"getwindowname", id}).output;
    }
    return names;
  }

  QImage screen_now() {
    std::string error;
    QImage screen = read_xwd_screen(folder_ + "/screen/Xvfb_screen0", &error);
    EXPECT_FALSE(screen.isNull()) << error;
    return screen;
  }

  // "Nie" of the question whether to save the changed work.
  void click_no(const std::string& question) {
    const Geometry box = geometry_of(question);
    xdotool({"mousemove", std::to_string(box.x + 186), std::to_string(box.y + 60)});
    xdotool({"click", "1"});
  }

  // A click into the library tree below its rows gives it the keyboard (above the navigator, when
  // that shows).
  void focus_tree(const Geometry& frame) {
    xdotool({"mousemove", std::to_string(frame.x + frame.width / 6), std::to_string(frame.y + frame.height * 55 / 100)});
    xdotool({"click", "1"});
    usleep(300000);
  }

  // The shown sheet's text as a user copies it (Ctrl+A, Ctrl+C), read from the clipboard by
  // another program.
  std::string copied_text() {
    keys({"ctrl+a", "ctrl+c"});
    return run_program({"xclip", "-selection", "clipboard", "-o", "-t", "UTF8_STRING"}, environment(), 5s).output;
  }

  // Whether the shown sheet comes to hold `text` (UTF-8) within the time given; what was copied
  // last in `copied`.
  bool sheet_shows(const std::string& text, std::string* copied, std::chrono::milliseconds timeout = 10s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
      *copied = copied_text();
      if (copied->find(text) != std::string::npos) return true;
      usleep(200000);
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
  }

  std::string folder_;
  std::string display_;
  VirtualScreen screen_;
};

// The tabs of the sheets along the bottom of the sheets' area (the navigator hidden).
QRect sheet_tabs(const Geometry& frame) {
  return QRect(frame.x + frame.width * 37 / 100, frame.y + frame.height * 925 / 1000, frame.width * 60 / 100,
               frame.height * 3 / 100);
}

// The navigator's first list rows along the bottom, below its column headers.
QRect navigator_rows(const Geometry& frame) {
  return QRect(frame.x + 10, frame.y + frame.height * 79 / 100, frame.width - 20, frame.height / 12);
}

std::string first_line(const std::string& text) { return text.substr(0, text.find('\n')); }

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
  ASSERT_FALSE(file_question.empty()) << "no file was asked for; windows: " << visible_windows();
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
  click_no(question);
  std::optional<int> status = program->wait_for(20s);
  if (!status) save_screen("road9_not_closed");
  ASSERT_TRUE(status.has_value()) << "the program did not end after Alt+F4: " << visible_windows();
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

// The roads of the library tree, of going to a journal address by typing it, of the titles index
// and of a picture link, walked with keys and clicks on the sample library and on the library of real acts; what
// the sheets show is read as a user gets it, by copying it. The expectations come from the
// library's own plan.
class SmokeRoadsTest : public SmokeTest, public ::testing::WithParamInterface<const char*> {
 protected:
  bool corpus() const { return std::string(GetParam()) == "corpus"; }
  std::string acts_folder() const override { return corpus() ? corpus_acts() : sample_acts(); }

  void SetUp() override {
    if (corpus() && corpus_acts().empty()) GTEST_SKIP() << "the shared corpus is absent";
    if (!program_on_path("Xvfb")) GTEST_SKIP() << "Xvfb is not installed (scripts/setup.sh installs it)";
    ASSERT_TRUE(program_on_path("xclip")) << "xclip is not installed (scripts/setup.sh installs it)";
    SmokeTest::SetUp();
    if (HasFatalFailure()) return;
    compiler::CompileReport report;
    const std::string acts = acts_folder();
    plan_ = compiler::PlanLibrary(compiler::ReadActs(acts, report),
                                  [&](const std::string& file) { return std::filesystem::exists(acts + "/" + file); });
  }

  std::string prefix() const { return std::string(GetParam()) + "_"; }
  bool is_act(size_t topic) const {
    return std::find(plan_.act_topics.begin(), plan_.act_topics.end(), int32_t(topic)) != plan_.act_topics.end();
  }
  // The first line of a topic's text as the sheet shows it: an act's journal citation
  // ("Dz.U. z 1998 r. Nr 12, poz. 34"), a division's label.
  std::string heading(size_t topic) const { return base::cp1250::to_utf8(first_line(plan_.texts.at(topic))); }
  // The row below `row` in the library tree when `row` is collapsed: the next act, issue or yearbook.
  size_t row_below(size_t row) const {
    size_t next = row + 1;
    while (next < plan_.levels.size() && plan_.levels[next] < 8 && !is_act(next)) ++next;
    return next;
  }
  // Keys going down from a collapsed `row` to the next act, opening the issues and yearbooks on the
  // way; the act.
  size_t down_to_next_act(size_t row, std::vector<std::string>& walk) const {
    walk.push_back("Down");
    size_t next = row_below(row);
    while (next < plan_.levels.size() && plan_.levels[next] > 7) {
      walk.insert(walk.end(), {"Right", "Down"});
      ++next;
    }
    return next;
  }
  // "98 34" and "2001 2786" from an act's citation: the year (two digits before 2000) and position.
  static std::string typed_address(const std::string& citation) {
    const size_t year_at = citation.find(" z ");
    const size_t position_at = citation.find("poz. ");
    if (year_at == std::string::npos || position_at == std::string::npos) return {};
    const int year = std::atoi(citation.c_str() + year_at + 3);
    const int position = std::atoi(citation.c_str() + position_at + 5);
    return std::to_string(year < 2000 ? year % 100 : year) + " " + std::to_string(position);
  }
  void send(const std::vector<std::string>& walk) {
    for (const std::string& key : walk) keys({key});
  }

  compiler::LibraryPlan plan_;
};

TEST_P(SmokeRoadsTest, TheTreeTheTypedAddressTheTitlesIndexAndAPictureLink) {
  ChildProcess program({{LUMOKAL_PROGRAM, "--data", folder_ + "/library"}, environment(), false, -1});
  ASSERT_TRUE(program.started());
  const std::string caption = "LumoKAL - nienazwana praca";
  const std::string main = window_titled(caption, 60s);
  if (main.empty()) {
    save_screen(prefix() + "no_main_window");
    const std::optional<int> ended = program.wait_for(0ms);
    FAIL() << "no main window; windows: " << visible_windows() << "; the program "
           << (ended ? "ended with status " + std::to_string(*ended) : std::string("still runs"));
  }
  const Geometry frame = geometry_of(main);
  std::string error;
  ASSERT_FALSE(screen_when_drawn(frame, &error).isNull()) << error;
  // The catalogue opens with the first yearbook, its first issue and its first act, which the
  // program shows at the start.
  ASSERT_GE(plan_.levels.size(), 3u);
  ASSERT_EQ(plan_.levels[0], 9);
  ASSERT_EQ(plan_.levels[1], 8);
  ASSERT_TRUE(plan_.start_topic.has_value());
  const size_t first = *plan_.start_topic;
  ASSERT_EQ(first, 2u);
  std::string copied;
  focus_tree(frame);
  ASSERT_TRUE(sheet_shows(heading(first), &copied)) << heading(first) << "\n" << copied.substr(0, 300);

  // Road 2: yearbook, issue and act opened with the arrow keys, the act's divisions shown.
  send({"Home", "Right", "Down", "Right", "Down", "Right"});
  save_screen(prefix() + "road2_tree_opened");
  // Enter opens the row below in the sheet: the act's first division or attachment when it has
  // any, else the next act.
  std::vector<std::string> walk;
  const bool divided = row_below(first) > first + 1;
  const size_t in_first_sheet = divided ? first + 1 : down_to_next_act(first, walk);
  if (divided) walk = {"Down"};
  walk.push_back("Return");
  send(walk);
  EXPECT_TRUE(sheet_shows(heading(in_first_sheet), &copied))
      << heading(in_first_sheet) << "\n" << copied.substr(0, 300);
  // Ctrl+Enter opens the next act in a second sheet, whose tab comes beside the first.
  walk.clear();
  if (divided) walk = {"Left", "Left"};
  const size_t in_second_sheet = down_to_next_act(divided ? first : in_first_sheet, walk);
  ASSERT_TRUE(is_act(in_second_sheet)) << in_second_sheet;
  send(walk);
  const int one_tab = dark_pixels(screen_now(), sheet_tabs(frame));
  keys({"ctrl+Return"});
  EXPECT_TRUE(sheet_shows(heading(in_second_sheet), &copied))
      << heading(in_second_sheet) << "\n" << copied.substr(0, 300);
  usleep(300000);
  const int two_tabs = dark_pixels(screen_now(), sheet_tabs(frame));
  EXPECT_GT(two_tabs, one_tab * 3 / 2) << "no second sheet tab: " << one_tab << " -> " << two_tabs;
  save_screen(prefix() + "road2_second_sheet");
  // Ctrl+F6 brings the first sheet back; going back in its history shows the act it started with.
  keys({"ctrl+F6"});
  EXPECT_TRUE(sheet_shows(heading(in_first_sheet), &copied)) << copied.substr(0, 300);
  keys({"ctrl+BackSpace"});
  EXPECT_TRUE(sheet_shows(heading(first), &copied)) << heading(first) << "\n" << copied.substr(0, 300);
  // Alt+Z shows the history in the navigator: its rows list the places.
  keys({"alt+z"});
  QImage screen = screen_now();
  for (int i = 0; i < 30 && dark_pixels(screen, navigator_rows(frame)) < 100; ++i) {
    usleep(100000);
    screen = screen_now();
  }
  EXPECT_GE(dark_pixels(screen, navigator_rows(frame)), 100) << "the history lists no places";
  save_screen(prefix() + "road2_history");
  EXPECT_FALSE(window_titled(caption, 0ms).empty()) << "the caption changed: " << visible_windows();

  // Road 5: a journal address typed anywhere outside a text field ("98 34") shows in the query box
  // and Enter goes there.
  const size_t last = size_t(plan_.act_topics.back());
  const std::string address = typed_address(heading(last));
  ASSERT_FALSE(address.empty()) << heading(last);
  focus_tree(frame);
  ASSERT_EQ(xdotool({"type", "--delay", "80", address}).exit_code, 0);
  usleep(300000);
  save_screen(prefix() + "road5_address_typed");
  keys({"Return"});
  EXPECT_TRUE(sheet_shows(heading(last), &copied)) << address << ": " << heading(last) << "\n" << copied.substr(0, 300);
  save_screen(prefix() + "road5_gone_to");

  // Road 4: F5 opens the titles index; the beginning of an act's title typed finds its row, "Lista"
  // (Alt+L) lists the act in "Indeksy" and, the only one, opens it.
  const auto titles = plan_.keywords.find("|a");
  ASSERT_TRUE(titles != plan_.keywords.end());
  std::string typed;
  size_t titled = 0;
  auto lower = [](std::string text) {
    for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
  };
  for (const auto& [keyword, topic] : titles->second) {
    // Letters typed without a Polish keyboard: the title up to its first Polish letter.
    std::string begin;
    for (char c : keyword.substr(0, keyword.find('#'))) {
      if (static_cast<unsigned char>(c) >= 0x80 || begin.size() >= 24) break;
      begin += c;
    }
    while (!begin.empty() && begin.back() == ' ') begin.pop_back();
    if (begin.size() < 10 || topic == last) continue;
    // The list marks every title holding the typed text: this one alone.
    int holding = 0;
    for (const auto& other : titles->second) holding += lower(other.first).find(lower(begin)) != std::string::npos ? 1 : 0;
    if (holding == 1) {
      typed = begin;
      titled = topic;
      break;
    }
  }
  ASSERT_FALSE(typed.empty()) << "no title with a plain beginning of its own";
  keys({"F5"});
  const std::string titles_window = window_titled("Indeks tytułów");
  ASSERT_FALSE(titles_window.empty()) << "F5 opened no titles index: " << visible_windows();
  ASSERT_EQ(xdotool({"type", "--delay", "50", typed}).exit_code, 0);
  usleep(500000);
  save_screen(prefix() + "road4_titles_index");
  // Typing selects the title the text matches or, where it matches none whole, the one before it;
  // the title holding the text is marked yellow: a click takes it (unless it is the selected one).
  {
    const Geometry dialog = geometry_of(titles_window);
    const QImage screen = screen_now();
    int marked = -1;
    for (int y = dialog.y + dialog.height / 4; y < dialog.y + dialog.height && marked < 0; ++y) {
      const QRgb pixel = screen.pixel(dialog.x + dialog.width / 2, y);
      if (qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) < 80) marked = y + 4;
    }
    if (marked >= 0) {
      xdotool({"mousemove", std::to_string(dialog.x + dialog.width / 2), std::to_string(marked)});
      xdotool({"click", "1"});
      usleep(300000);
    }
  }
  keys({"alt+l"});
  if (!window_gone("Indeks tytułów", 3s)) keys({"Escape"});
  EXPECT_TRUE(sheet_shows(heading(titled), &copied)) << typed << ": " << heading(titled) << "\n" << copied.substr(0, 300);
  save_screen(prefix() + "road4_listed");

  // Road 7: a picture link clicked in the text opens the picture in the sheet's place, the
  // caption naming the picture; Ctrl+Backspace gives the text back. Walked where the first act
  // holds the picture's text among its divisions (the sample library; the corpus has no pictures).
  if (!plan_.figures.empty() && divided) {
    const std::string figure = *plan_.figures.begin();
    // The act's rows, their divisions closed, and the one whose text names the picture.
    auto parent = [&](size_t topic) {
      if (plan_.levels[topic] >= 7) return first;
      size_t up = topic;
      while (up > first && plan_.levels[up] <= plan_.levels[topic]) --up;
      return up;
    };
    int row = 0;
    size_t holder = 0;
    for (size_t t = first + 1; t < row_below(first) && holder == 0; ++t) {
      if (parent(t) != first) continue;
      ++row;
      if (plan_.texts[t].find(figure) != std::string::npos) holder = t;
    }
    ASSERT_NE(holder, 0u) << "no row of the first act names " << figure;
    focus_tree(frame);
    send({"Home", "Down", "Down", "Right"});
    for (int i = 0; i < row; ++i) keys({"Down"});
    keys({"Return"});
    ASSERT_TRUE(sheet_shows(heading(holder), &copied)) << heading(holder) << "\n" << copied.substr(0, 300);
    // The link: the blue text in the sheet, the only blue there once the copy's selection is gone
    // (the row opened again).
    keys({"Return"});
    usleep(500000);
    const QImage shown = screen_now();
    QPoint link(-1, -1);
    for (int y = frame.y + frame.height / 8; y < frame.y + frame.height * 9 / 10 && link.x() < 0; ++y) {
      for (int x = frame.x + frame.width * 2 / 5; x < frame.x + frame.width * 19 / 20 && link.x() < 0; ++x) {
        const QRgb pixel = shown.pixel(x, y);
        if (qBlue(pixel) > 180 && qRed(pixel) < 60 && qGreen(pixel) < 60) link = QPoint(x, y);
      }
    }
    ASSERT_GE(link.x(), 0) << "no link drawn";
    save_screen(prefix() + "road7_link");
    xdotool({"mousemove", std::to_string(link.x() + 2), std::to_string(link.y() + 3)});
    xdotool({"click", "1"});
    EXPECT_FALSE(window_titled("LumoKAL - " + figure).empty()) << "the picture did not open: " << visible_windows();
    usleep(500000);
    save_screen(prefix() + "road7_picture");
    keys({"ctrl+BackSpace"});
    EXPECT_FALSE(window_titled(caption).empty()) << "the text did not come back: " << visible_windows();
    EXPECT_TRUE(sheet_shows(heading(holder), &copied)) << heading(holder) << "\n" << copied.substr(0, 300);
    save_screen(prefix() + "road7_returned");
  }

  xdotool({"windowfocus", "--sync", main});
  keys({"alt+F4"});
  const std::string question = window_titled("LumoKAL", 10s);
  ASSERT_FALSE(question.empty()) << "closing the changed work asked nothing: " << visible_windows();
  click_no(question);
  std::optional<int> status = program.wait_for(30s);
  ASSERT_TRUE(status.has_value()) << "the program did not end: " << visible_windows();
  ASSERT_TRUE(WIFEXITED(*status));
  EXPECT_EQ(WEXITSTATUS(*status), 0);
}

INSTANTIATE_TEST_SUITE_P(Libraries, SmokeRoadsTest, ::testing::Values("sample", "corpus"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
}  // namespace lumo::test
