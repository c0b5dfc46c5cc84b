#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "engine/datapres/embedded_window.h"
#include "engine/datapres/embedded_window_display.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/menu.h"
#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/gdi/paged_device.h"
#include "platform/win/window_api.h"
#include "platform/base/cp1250.h"
#include "platform/base/temp_folder.h"
#include "pictures/media/media_text.h"
#include "pictures/media/media_window.h"
#include "pictures/media/play_bar.h"
#include "platform/win/system_metrics.h"
#include "tests/media/fake_media.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/surface_png.h"

namespace media::test {
namespace {

class MediaWindowTest : public lumo::test::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    ASSERT_EQ(MciInit(nullptr), 1);
    parent = CreateWindowEx(0, lumo::test::test_window_class("MediaHost", DefWindowProc), "", WS_OVERLAPPED, 0, 0,
                            500, 400, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    MediaSetWords({});
    MciTerm(nullptr);
    GuiTest::TearDown();
  }
  HWND Make(const char* text, const datapres::EmbeddedWindowParams* params = nullptr) {
    return CreateWindowEx(0, kMediaClass, text, WS_CHILD | WS_VISIBLE, 10, 10, 0, 0, parent, nullptr,
                          const_cast<datapres::EmbeddedWindowParams*>(params));
  }
  SIZE SizeOf(HWND w) {
    SIZE size{-1, -1};
    SendMessage(w, datapres::kEwSize, 0, reinterpret_cast<LPARAM>(&size));
    return size;
  }
  // The child window of `w` of the given class, null when none.
  static HWND ChildOfClass(HWND w, const char* className) {
    for (HWND child = GetWindow(w, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      char name[64] = {};
      GetClassName(child, name, sizeof name);
      if (std::string(name) == className) return child;
    }
    return nullptr;
  }
  HWND parent = nullptr;
};

TEST_F(MediaWindowTest, ABareSoundHasNoBoxAndTitleNamesStayInTheirFolder) {
  Rig rig;  // the scripted device stands for the sound
  HWND w = Make("dzwiek.wav");
  ASSERT_TRUE(w);
  EXPECT_EQ(SizeOf(w).cx, 0);
  EXPECT_EQ(SizeOf(w).cy, 0);
  EXPECT_EQ(rig.script.lastElement, "dzwiek.wav");

  datapres::EmbeddedWindowParams params;
  params.titleName = "/dane/tytuly/du1990.m14";
  params.windowText = "!dzwiek.wav";
  ASSERT_TRUE(Make("", &params));
  EXPECT_EQ(rig.script.lastElement, "/dane/tytuly/du1990.m14+dzwiek.wav");
  params.windowText = "..\\..\\hasla.wav";
  rig.errors.clear();
  EXPECT_FALSE(Make("", &params));
  EXPECT_EQ(rig.errors, (std::vector<uint32_t>{kErrBadText}));
  params.windowText = "[play] dzwiek.wav";
  rig.errors.clear();
  EXPECT_FALSE(Make("", &params));
  EXPECT_EQ(rig.errors, (std::vector<uint32_t>{kErrUnknownOption}));
  params.first = 1;
  rig.errors.clear();
  EXPECT_FALSE(Make("", &params));
  EXPECT_EQ(rig.errors, (std::vector<uint32_t>{kErrParams}));
}

TEST_F(MediaWindowTest, TheAbsentMoviePlayerRefusesItsWindow) {
  Rig rig;
  EXPECT_FALSE(Make("film.mmm"));
  EXPECT_EQ(rig.errors, (std::vector<uint32_t>{kErrMovieOpen}));
}

TEST_F(MediaWindowTest, VideoWithPlayBarAndTrackBarPicture) {
  Rig rig;
  rig.script.video = true;
  MediaWords words;
  words.keywords[kKwStandard] = "standard";
  words.keywords[kKwButtons] = "buttons";
  words.keywords[kKwLabel] = "label";
  words.keywords[kKwMarks] = "marks";
  words.buttons[kBtnPause - 1] = "pause";
  words.buttons[kBtnPrevious - 1] = "prev";
  words.buttons[kBtnNext - 1] = "next";
  MediaSetWords(words);
  const std::string text = base::cp1250::from_utf8(
      "[standard] [buttons prev next pause] [marks $a 2500 $b 5000 $c 7500] "
      "[label Ścieżka dźwiękowa\\lżółć ąę łń] film.avi");
  HWND w = Make(text.c_str());
  ASSERT_TRUE(w);
  const SIZE size = SizeOf(w);
  EXPECT_GE(size.cx, 160 + 8);
  EXPECT_GT(size.cy, 120 + 8 + 30);
  MoveWindow(w, 10, 10, size.cx, size.cy, TRUE);
  ShowWindow(parent, SW_SHOW);
  UpdateWindow(parent);
  pump();
  ASSERT_TRUE(lumo::test::save_window_png(w, "media_window.png"));
  // The play bar sits at the bottom on the button face colour, with the track bar's groove.
  EXPECT_EQ(lumo::test::surface_pixel(w, 3, size.cy - 15), GetSysColor(COLOR_BTNFACE));
  HWND bar = ChildOfClass(w, kPlayBarClass);
  ASSERT_TRUE(bar);
  HWND track = GetDlgItem(bar, kTrackBarId);
  ASSERT_TRUE(track);
  EXPECT_EQ(lumo::test::surface_pixel(track, 10, 4), GetSysColor(COLOR_WINDOWFRAME));
  EXPECT_EQ(SendMessage(track, kTbGetMax, 0, 0), 9999);
  // Pressing play-pause (a command from the button) plays, and the video window stops it when hidden.
  SendMessage(w, WM_COMMAND, kBtnPlayPause, 0);
  EXPECT_EQ(rig.script.log.back(), "play 0-9999");
  ShowWindow(w, SW_HIDE);
  EXPECT_EQ(rig.script.log.back(), "stop");
}

TEST_F(MediaWindowTest, ScrollingAwayOrMinimisingStopsThePlay) {
  Rig rig;
  rig.script.video = true;
  MediaWords words;
  words.keywords[kKwStandard] = "standard";
  MediaSetWords(words);
  HWND w = Make("[standard] film.avi");
  ASSERT_TRUE(w);
  const SIZE size = SizeOf(w);
  auto play = [&] {
    SendMessage(w, WM_COMMAND, kBtnPlayPause, 0);
    ASSERT_EQ(rig.script.log.back(), "play 0-9999");
  };
  struct Case {
    int top;
    bool stops;
  } cases[] = {{-size.cy + 1, false}, {-size.cy - 1, true}, {401, false}, {402, true}};
  for (const Case& c : cases) {
    play();
    MoveWindow(w, 10, c.top, size.cx, size.cy, FALSE);
    EXPECT_EQ(rig.script.log.back() == "stop", c.stops) << c.top;
    SendMessage(w, WM_COMMAND, kCmdStopNoRewind, 0);
  }
  play();
  SendMessage(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(rig.script.log.back(), "stop");
  // Commands 4, 6 and 13 of the system menu are the play bar's own.
  SendMessage(w, WM_SYSCOMMAND, kBtnPlay, 0);
  EXPECT_EQ(rig.script.log.back().substr(0, 4), "play");
  SendMessage(w, WM_SYSCOMMAND, kBtnStop, 0);
  EXPECT_NE(rig.script.log.back().substr(0, 4), "play");
  MINMAXINFO info{};
  SendMessage(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  RECT frame{0, 0, size.cx, size.cy};
  AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, FALSE, 0);
  EXPECT_EQ(info.ptMaxTrackSize.x, frame.right - frame.left + 1);
  EXPECT_EQ(info.ptMaxTrackSize.y, frame.bottom - frame.top + 1);
  EXPECT_GT(info.ptMaxTrackSize.y, size.cy + 10);
}

TEST_F(MediaWindowTest, MarksAreReadFromAFileInTheTitlesFolder) {
  Rig rig;
  rig.script.video = true;
  MediaWords words;
  words.keywords[kKwStandard] = "standard";
  words.keywords[kKwMarksFile] = "marksfile";
  MediaSetWords(words);
  const std::string folder = base::temp_folder();
  const std::string file = folder + "/znaczniki ąę.txt";
  {
    std::ofstream out(file, std::ios::binary);
    out << "$wstep 100\r\n$srodek\t5000\r\n$koniec 7500\x1a$za 9000";
  }
  datapres::EmbeddedWindowParams params;
  const std::string title = base::cp1250::from_utf8(folder + "/du1990.m14");
  params.titleName = title.c_str();
  const std::string text = base::cp1250::from_utf8("[standard] [marksfile \"znaczniki ąę.txt\"] film.avi");
  params.windowText = text.c_str();
  HWND w = Make("", &params);
  ASSERT_TRUE(w);
  SendMessage(w, WM_COMMAND, kCmdFirstMark + 1, 0);
  EXPECT_EQ(rig.script.log.back(), "seek 5000");
  SendMessage(w, WM_COMMAND, kCmdFirstMark + 3, 0);  // after the end-of-file character: a mark too
  EXPECT_EQ(rig.script.log.back(), "seek 9000");
  // A missing file, or one outside the title's folder, refuses the window.
  for (const char* bad : {"[marksfile brak.txt] film.avi", "[marksfile ../hasla.txt] film.avi"}) {
    params.windowText = bad;
    rig.errors.clear();
    EXPECT_FALSE(Make("", &params)) << bad;
    EXPECT_EQ(rig.errors, (std::vector<uint32_t>{kErrMarksFile})) << bad;
  }
  std::remove(file.c_str());
}

TEST(MarksFile, LineBreaksAreBlanksAndTheTextEndsAtItsLimit) {
  std::vector<MarkSpec> marks;
  ASSERT_TRUE(MediaParseMarksFile(std::string_view("$a\r\n100\n#b\x1a" "200\0$c 300", 22), marks));
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_EQ(marks[1].offset, 200);
  // Only the first 1,023 characters count: a mark cut there has no position.
  marks.clear();
  EXPECT_FALSE(MediaParseMarksFile(std::string(1021, ' ') + "$d 5", marks));
  marks.clear();
  EXPECT_TRUE(MediaParseMarksFile(std::string(1019, ' ') + "$d 5", marks));
}

TEST_F(MediaWindowTest, AVideoOfAGivenSizeOpensAtItsFirstPaint) {
  Rig rig;
  rig.script.video = true;
  MediaWords words;
  words.keywords[kKwStandard] = "standard";
  words.keywords[kKwSize] = "size";
  words.openingLabel = base::cp1250::from_utf8("Otwieranie źródła…");
  MediaSetWords(words);
  HWND w = Make("[standard] [size 200 90] film.avi");
  ASSERT_TRUE(w);
  EXPECT_EQ(rig.script.lastElement, "");  // nothing opened yet
  const SIZE size = SizeOf(w);
  EXPECT_EQ(size.cx, 208);
  // The buttons wait for the device.
  SendMessage(w, WM_COMMAND, kBtnPlayPause, 0);
  EXPECT_TRUE(rig.script.log.empty());
  HWND video = ChildOfClass(w, kVideoClass);
  ASSERT_TRUE(video);
  MoveWindow(w, 10, 10, size.cx, size.cy, TRUE);
  ShowWindow(parent, SW_SHOW);
  UpdateWindow(video);  // draws the label, then opens
  ASSERT_TRUE(lumo::test::save_window_png(video, "media_opening.png"));
  EXPECT_EQ(rig.script.lastElement, "film.avi");
  // The label's text stands a line below the top, in the window text colour.
  bool text = false;
  for (int y = 16; y < 32 && !text; ++y) {
    for (int x = 0; x < 120 && !text; ++x) text = lumo::test::surface_pixel(video, x, y) == GetSysColor(COLOR_WINDOWTEXT);
  }
  EXPECT_TRUE(text);
  pump();
  SendMessage(w, WM_COMMAND, kBtnPlayPause, 0);
  EXPECT_EQ(rig.script.log.back(), "play 0-9999");
  DestroyWindow(w);
  EXPECT_EQ(rig.script.log.back(), "stop");
}

TEST_F(MediaWindowTest, OneSizeAndADeviceTypeAskTheTypeWhetherItShowsVideo) {
  MediaWords words;
  words.keywords[kKwDeviceType] = "type";
  words.keywords[kKwSize] = "size";
  MediaSetWords(words);
  {
    // A video type: only asked, then opened at the first paint; the missing height keeps the
    // proportions of its picture (160 x 120).
    Rig rig;
    rig.script.video = true;
    HWND w = Make("[type digitalvideo] [size 200 0]");
    ASSERT_TRUE(w);
    EXPECT_EQ(rig.script.lastType, "digitalvideo");
    HWND video = ChildOfClass(w, kVideoClass);
    ASSERT_TRUE(video);
    RECT r;
    GetClientRect(video, &r);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 150);
    SendMessage(w, WM_COMMAND, kBtnPlayPause, 0);
    EXPECT_TRUE(rig.script.log.empty()) << "the device waits for the first paint";
    DestroyWindow(w);
  }
  {
    // A type without video opens at once.
    Rig rig;
    HWND w = Make("[type waveaudio] [size 0 50] dzwiek.wav");
    ASSERT_TRUE(w);
    EXPECT_EQ(rig.script.lastElement, "dzwiek.wav");
    SendMessage(w, WM_COMMAND, kBtnPlayPause, 0);
    ASSERT_FALSE(rig.script.log.empty());
    EXPECT_EQ(rig.script.log.back().rfind("play", 0), 0u);
    DestroyWindow(w);
  }
}

TEST_F(MediaWindowTest, OnAPrinterTheVideoIsScaledToThePrintersResolution) {
  Rig rig;
  rig.script.video = true;
  MediaWords words;
  words.keywords[kKwStandard] = "standard";
  words.keywords[kKwSize] = "size";
  MediaSetWords(words);
  HWND w = Make("[standard] [size 200 90] film.avi");
  ASSERT_TRUE(w);
  HDC printer = gdi::create_pdf_dc(base::temp_folder() + "/media_size.pdf", 300);
  ASSERT_TRUE(printer);
  SIZE size{-1, -1};
  SendMessage(w, datapres::kEwSize, reinterpret_cast<WPARAM>(printer), reinterpret_cast<LPARAM>(&size));
  // The video alone, from the screen's 96 dots an inch to the printer's 300.
  EXPECT_EQ(size.cx, 625);
  EXPECT_EQ(size.cy, 281);
  // On the screen the window keeps its own size.
  EXPECT_EQ(SizeOf(w).cx, 208);
  DeleteDC(printer);
  DestroyWindow(w);
}

TEST_F(MediaWindowTest, EndingTheLayerUnregistersItsWindowClasses) {
  WNDCLASS info{};
  for (const char* name : {kMediaClass, kVideoClass, kPlayBarClass, kButtonClass, kTrackBarClass}) {
    EXPECT_TRUE(GetClassInfo(name, &info)) << name;
  }
  DestroyWindow(parent);
  parent = nullptr;
  MciTerm(nullptr);
  for (const char* name : {kMediaClass, kVideoClass, kPlayBarClass, kButtonClass, kTrackBarClass}) {
    EXPECT_FALSE(GetClassInfo(name, &info)) << name;
  }
  // A new start registers them again.
  ASSERT_EQ(MciInit(nullptr), 1);
  EXPECT_TRUE(GetClassInfo(kMediaClass, &info));
}

TEST_F(MediaWindowTest, TheInstanceListKnowsEachWindowByItsText) {
  Rig rig;
  HWND first = Make("dzwiek.wav");
  HWND second = Make("inny.wav");
  ASSERT_TRUE(first && second);
  EXPECT_EQ(MediaFindInstance("dzwiek.wav", false), first);
  EXPECT_EQ(MediaFindInstance("inny.wav", false), second);
  EXPECT_EQ(MediaFindInstance("inny.wav", true), nullptr);
  DestroyWindow(first);
  EXPECT_EQ(MediaFindInstance("dzwiek.wav", false), nullptr);
  EXPECT_EQ(MediaFindInstance("inny.wav", false), second);
  DestroyWindow(second);
  EXPECT_EQ(MediaFindInstance("inny.wav", false), nullptr);
}

TEST_F(MediaWindowTest, ThePrintoutShowsThePictureOfTheWindowOnScreen) {
  Rig rig;
  rig.script.video = true;
  rig.script.picture = RGB(200, 40, 90);
  datapres::EmbeddedWindowParams params;
  params.windowText = "film.avi";
  HWND screen = Make("", &params);
  ASSERT_TRUE(screen);
  params.flags = datapres::kEwPrinting;
  const std::vector<std::string> log = rig.script.log;
  rig.script.lastElement.clear();
  HWND printed = Make("", &params);
  ASSERT_TRUE(printed);
  EXPECT_EQ(rig.script.log, log);  // no device of its own
  EXPECT_EQ(rig.script.lastElement, "");
  EXPECT_EQ(SizeOf(printed).cx, SizeOf(screen).cx);
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP page = CreateBitmap(100, 100, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, page);
  RECT all{0, 0, 100, 100};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  datapres::EmbedDrawParams draw{{10, 10, 49, 39}, dc};
  EXPECT_EQ(SendMessage(printed, datapres::kEwPrint, 0, reinterpret_cast<LPARAM>(&draw)), 1);
  // Right and bottom belong to the printed rectangle.
  EXPECT_EQ(GetPixel(dc, 10, 10), RGB(200, 40, 90));
  EXPECT_EQ(GetPixel(dc, 49, 39), RGB(200, 40, 90));
  EXPECT_EQ(GetPixel(dc, 50, 40), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 9, 9), RGB(255, 255, 255));
  // Once the window on screen is gone, the printout has nothing to show.
  DestroyWindow(screen);
  EXPECT_EQ(SendMessage(printed, datapres::kEwPrint, 0, reinterpret_cast<LPARAM>(&draw)), 0);
  DestroyWindow(printed);
  // A printing window without one on screen opens a device of its own.
  printed = Make("", &params);
  ASSERT_TRUE(printed);
  EXPECT_EQ(rig.script.lastElement, "film.avi");
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(SendMessage(printed, datapres::kEwPrint, 0, reinterpret_cast<LPARAM>(&draw)), 1);
  EXPECT_EQ(GetPixel(dc, 30, 20), RGB(200, 40, 90));
  DestroyWindow(printed);
  SelectObject(dc, old);
  DeleteObject(page);
  DeleteDC(dc);
}

TEST_F(MediaWindowTest, TheMenuButtonOffersTheMarks) {
  Rig rig;
  rig.script.video = true;
  MediaWords words;
  words.keywords[kKwMenu] = "menu";
  words.keywords[kKwMarks] = "marks";
  MediaSetWords(words);
  const std::string text = base::cp1250::from_utf8("[menu] [marks $Wstęp 100 $Środek 5000 #x 6000] film.avi");
  HWND w = Make(text.c_str());
  ASSERT_TRUE(w);
  HWND bar = ChildOfClass(w, kPlayBarClass);
  ASSERT_TRUE(bar);
  HWND button = GetDlgItem(bar, kMenuButtonId);
  ASSERT_TRUE(button);
  std::vector<framework::MenuItemView> shown;
  POINT where{};
  framework::set_menu_chooser([&](HMENU menu, HWND, POINT screen) -> UINT {
    shown = framework::menu_items(menu);
    where = screen;
    return kCmdFirstMark + 1;
  });
  SendMessage(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  pump();
  framework::set_menu_chooser(nullptr);
  ASSERT_EQ(shown.size(), 5u);  // three named marks, a separator, section play
  EXPECT_EQ(shown[0].text, base::cp1250::from_utf8("Wstęp"));
  EXPECT_EQ(shown[1].id, UINT(kCmdFirstMark + 1));
  EXPECT_EQ(shown[2].text, "x");
  EXPECT_TRUE(shown[3].flags & MF_SEPARATOR);
  EXPECT_EQ(shown[4].id, UINT(kCmdSectionPlay));
  RECT r;
  GetWindowRect(button, &r);
  EXPECT_EQ(where.x, r.left);
  EXPECT_EQ(where.y, r.bottom);
  EXPECT_EQ(rig.script.log.back(), "seek 5000");
  // The button let go of its press.
  EXPECT_NE(GetCapture(), button);
  EXPECT_EQ(SendMessage(button, BM_GETSTATE, 0, 0), 0);
  DestroyWindow(w);
}

TEST(MediaScale, SixtyFourBitsAndRounding) {
  EXPECT_EQ(MediaScale(100, 5, 10), 50);
  EXPECT_EQ(MediaScale(3, 1, 2), 2);
  EXPECT_EQ(MediaScale(600, 2000000000, 2000000000), 600);
  EXPECT_EQ(MediaScale(600, 5, 0), 0);
}

}  // namespace
}  // namespace media::test
