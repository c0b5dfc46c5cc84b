// Services of the desktop that stand on windows: waiting for a child process while messages go
// on, the desktop folder, clipboard palettes, metafile pictures and delayed rendering, and the
// keyboard's lock keys.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <QClipboard>
#include <QMimeData>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/base/cp1250.h"
#include "platform/base/process.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/paged_device.h"
#include "platform/gdi/core/metafile_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/shell/clipboard.h"
#include "platform/shell/services.h"
#include "platform/shell/special_folders.h"
#include "platform/win/keyboard_locks.h"
#include "platform/win/message_queue.h"
#include "platform/win/virtual_keys.h"
#include "tests/support/gui_fixture.h"

namespace {

namespace fs = std::filesystem;
using lumo::test::GuiTest;
using lumo::test::test_window_class;

std::vector<uint8_t> bytes_of(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

// What the services' test window heard.
struct Heard {
  std::vector<MSG> messages;
  bool render_all_answers = true;
  std::vector<UINT> formats_to_render;
};
Heard& heard() {
  static Heard h;
  return h;
}

LRESULT services_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER || message == WM_KEYDOWN || message == WM_KEYUP || message == WM_RENDERFORMAT ||
      message == WM_RENDERALLFORMATS) {
    heard().messages.push_back(MSG{h, message, wParam, lParam, 0, {}});
  }
  if (message == WM_RENDERFORMAT) {
    SetClipboardData(UINT(wParam), bytes_of("rendered " + std::to_string(wParam)));
    return 0;
  }
  if (message == WM_RENDERALLFORMATS) {
    if (!heard().render_all_answers || !OpenClipboard(h)) return 0;
    for (UINT format : heard().formats_to_render) SetClipboardData(format, bytes_of("all " + std::to_string(format)));
    CloseClipboard();
    return 0;
  }
  return DefWindowProc(h, message, wParam, lParam);
}

int count_heard(UINT message) {
  int n = 0;
  for (const MSG& m : heard().messages) n += m.message == message;
  return n;
}

class DesktopServicesTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    heard() = Heard{};
    window_ = CreateWindowEx(0, test_window_class("LumoServicesTest", services_proc), "", WS_OVERLAPPED, 0, 0,
                             100, 100, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
  }
  HWND window_ = nullptr;
};

// --- Child processes -------------------------------------------------------------------------------

HANDLE start(std::string command, DWORD* pid = nullptr) {
  PROCESS_INFORMATION info;
  if (!CreateProcess(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &info)) {
    return nullptr;
  }
  CloseHandle(info.hThread);
  if (pid) *pid = info.dwProcessId;
  return info.hProcess;
}

TEST_F(DesktopServicesTest, WaitingForAProcessKeepsHandlingMessages) {
  HANDLE p = start("sleep 0.3");
  ASSERT_NE(p, nullptr);
  PostMessage(window_, WM_USER, 1, 0);
  EXPECT_EQ(shell::wait_for_process(p), WAIT_OBJECT_0);
  EXPECT_EQ(count_heard(WM_USER), 1);
  DWORD code = STILL_ACTIVE;
  EXPECT_TRUE(GetExitCodeProcess(p, &code));
  EXPECT_EQ(code, 0u);
  CloseHandle(p);
}

TEST_F(DesktopServicesTest, WaitingCanTimeOutAndLeavesAQuitForTheProgramsLoop) {
  DWORD pid = 0;
  HANDLE p = start("sleep 5", &pid);
  ASSERT_NE(p, nullptr);
  PostQuitMessage(3);
  EXPECT_EQ(shell::wait_for_process(p, 120), WAIT_TIMEOUT);
  MSG msg{};
  ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
  ::kill(pid_t(pid), SIGKILL);
  EXPECT_EQ(WaitForSingleObject(p, INFINITE), WAIT_OBJECT_0);
  CloseHandle(p);
  EXPECT_EQ(shell::wait_for_process(p), WAIT_FAILED);
}

// --- The desktop folder ----------------------------------------------------------------------------

// Points HOME and the desktop settings at a scratch folder for one test.
class DesktopFolderTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    std::string pattern = (fs::temp_directory_path() / "lumo-desktop-XXXXXX").string();
    home_ = ::mkdtemp(pattern.data());
    saved_home_ = std::getenv("HOME") ? std::getenv("HOME") : "";
    const char* config = std::getenv("XDG_CONFIG_HOME");
    saved_config_ = config ? config : "";
    had_config_ = config != nullptr;
    ::setenv("HOME", home_.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home_ + "/config").c_str(), 1);
  }
  void TearDown() override {
    ::setenv("HOME", saved_home_.c_str(), 1);
    if (had_config_) ::setenv("XDG_CONFIG_HOME", saved_config_.c_str(), 1);
    else ::unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(home_);
    GuiTest::TearDown();
  }
  void name_desktop(const std::string& value) {
    fs::create_directories(home_ + "/config");
    std::ofstream(home_ + "/config/user-dirs.dirs") << "XDG_DESKTOP_DIR=\"" << value << "\"\n";
  }
  std::string home_, saved_home_, saved_config_;
  bool had_config_ = false;
};

TEST_F(DesktopFolderTest, TheUsersSettingsNameTheDesktop) {
  if (::access("/usr/bin/xdg-user-dir", X_OK) != 0) GTEST_SKIP() << "xdg-user-dir is not installed";
  name_desktop("$HOME/Pulpit ż");
  EXPECT_EQ(shell::desktop_folder(), home_ + "/Pulpit ż");
}

TEST_F(DesktopFolderTest, WithoutTheToolTheDesktopIsUnderHome) {
  EXPECT_EQ(shell::desktop_folder("no-such-tool-of-lumo"), home_ + "/Desktop");
  // A tool that answers nonsense is not believed.
  EXPECT_EQ(shell::desktop_folder("true"), home_ + "/Desktop");
}

TEST_F(DesktopFolderTest, SpecialFolderCallsFindOrMakeTheDesktop) {
  if (::access("/usr/bin/xdg-user-dir", X_OK) == 0) name_desktop("$HOME/Pulpit ż");
  std::string expected = ::access("/usr/bin/xdg-user-dir", X_OK) == 0 ? home_ + "/Pulpit ż" : home_ + "/Desktop";
  LPITEMIDLIST list = reinterpret_cast<LPITEMIDLIST>(1);
  EXPECT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &list), E_FAIL);  // not there yet
  EXPECT_EQ(list, nullptr);
  char path[260] = {};
  EXPECT_FALSE(SHGetSpecialFolderPath(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE));
  ASSERT_TRUE(SHGetSpecialFolderPath(nullptr, path, CSIDL_DESKTOPDIRECTORY, TRUE));
  EXPECT_EQ(std::string(path), base::cp1250::from_utf8(expected));
  EXPECT_TRUE(fs::is_directory(expected));
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &list), NOERROR);
  char from_list[260] = {};
  ASSERT_TRUE(SHGetPathFromIDList(list, from_list));
  EXPECT_STREQ(from_list, path);
  CoTaskMemFree(list);
  // This desktop keeps no favourites.
  EXPECT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_FAVORITES, &list), E_FAIL);
  EXPECT_FALSE(SHGetSpecialFolderPath(nullptr, path, CSIDL_FAVORITES, TRUE));
}

// --- Clipboard -------------------------------------------------------------------------------------

TEST_F(DesktopServicesTest, PalettesTravelAsLogicalPalettes) {
  struct {
    LOGPALETTE head;
    PALETTEENTRY more[2];
  } record{{0x300, 3, {{10, 20, 30, 0}}}, {{40, 50, 60, 0}, {70, 80, 90, 0}}};
  HPALETTE palette = CreatePalette(&record.head);
  std::vector<uint8_t> bytes = shell::palette_bytes(palette);
  EXPECT_EQ(bytes, (std::vector<uint8_t>{0, 3, 3, 0, 10, 20, 30, 0, 40, 50, 60, 0, 70, 80, 90, 0}));
  ASSERT_TRUE(OpenClipboard(window_));
  EmptyClipboard();
  ASSERT_TRUE(SetClipboardData(CF_PALETTE, bytes));
  CloseClipboard();
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_PALETTE));
  HPALETTE copy = shell::palette_from_bytes(GetClipboardData(CF_PALETTE));
  ASSERT_NE(copy, nullptr);
  PALETTEENTRY entries[3];
  ASSERT_EQ(GetPaletteEntries(copy, 0, 3, entries), 3u);
  EXPECT_EQ(entries[2].peGreen, 80);
  DeleteObject(copy);
  DeleteObject(palette);
  EXPECT_TRUE(shell::palette_bytes(nullptr).empty());

  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  } bad[] = {
      {"empty", {}},
      {"wrong version", {0, 2, 1, 0, 1, 2, 3, 0}},
      {"no entries", {0, 3, 0, 0}},
      {"fewer entries than counted", {0, 3, 2, 0, 1, 2, 3, 0}},
      {"more bytes than counted", {0, 3, 1, 0, 1, 2, 3, 0, 9}},
      {"too many entries", [] {
         std::vector<uint8_t> b{0, 3, 1, 1};
         b.resize(4 + 257 * 4);
         return b;
       }()},
  };
  for (const Case& c : bad) EXPECT_EQ(shell::palette_from_bytes(c.bytes), nullptr) << c.what;
}

TEST_F(DesktopServicesTest, MetafilePicturesKeepTheirMapping) {
  HDC rec = CreateMetaFile(nullptr);
  PatBlt(rec, 0, 0, 10, 10, BLACKNESS);
  HMETAFILE mf = CloseMetaFile(rec);
  ASSERT_NE(mf, nullptr);
  std::vector<uint8_t> bytes = shell::metafile_picture_bytes(METAFILEPICT{MM_ANISOTROPIC, 2540, -1270, mf});
  ASSERT_GT(bytes.size(), 12u);
  ASSERT_TRUE(OpenClipboard(window_));
  EmptyClipboard();
  SetClipboardData(CF_METAFILEPICT, bytes);
  CloseClipboard();
  auto formats = clipboard_formats();
  EXPECT_NE(std::find(formats.begin(), formats.end(), UINT(CF_METAFILEPICT)), formats.end());
  // Other programs get the bare metafile.
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  ASSERT_NE(mime, nullptr);
  EXPECT_EQ(size_t(mime->data("image/x-wmf").size()), bytes.size() - 12);

  METAFILEPICT picture{};
  ASSERT_TRUE(shell::metafile_picture_from_bytes(GetClipboardData(CF_METAFILEPICT), picture));
  EXPECT_EQ(picture.mm, MM_ANISOTROPIC);
  EXPECT_EQ(picture.xExt, 2540);
  EXPECT_EQ(picture.yExt, -1270);
  EXPECT_EQ(GetMetaFileBitsEx(picture.hMF, 0, nullptr), GetMetaFileBitsEx(mf, 0, nullptr));
  DeleteMetaFile(picture.hMF);
  DeleteMetaFile(mf);

  std::vector<uint8_t> bad_mode = bytes;
  bad_mode[0] = 99;
  std::vector<uint8_t> bad_bits = bytes;
  bad_bits[12] = 7;
  bad_bits[13] = 7;
  for (const auto& b : {std::vector<uint8_t>{}, std::vector<uint8_t>(bytes.begin(), bytes.begin() + 12), bad_mode,
                        bad_bits}) {
    METAFILEPICT none{};
    EXPECT_FALSE(shell::metafile_picture_from_bytes(b, none));
    EXPECT_EQ(none.hMF, nullptr);
  }
}

TEST_F(DesktopServicesTest, DelayedFormatsAreRenderedOnceWhenAskedFor) {
  UINT topic = RegisterClipboardFormat("Topic Info");
  EXPECT_FALSE(SetClipboardData(topic, nullptr));  // not open
  ASSERT_TRUE(OpenClipboard(window_));
  EmptyClipboard();
  ASSERT_TRUE(SetClipboardData(topic, nullptr));
  ASSERT_TRUE(SetClipboardData(CF_TEXT, bytes_of("now")));
  CloseClipboard();
  EXPECT_EQ(GetClipboardOwner(), window_);
  EXPECT_TRUE(IsClipboardFormatAvailable(topic));
  EXPECT_EQ(count_heard(WM_RENDERFORMAT), 0);
  EXPECT_EQ(GetClipboardData(topic), bytes_of("rendered " + std::to_string(topic)));
  EXPECT_EQ(GetClipboardData(topic), bytes_of("rendered " + std::to_string(topic)));
  EXPECT_EQ(count_heard(WM_RENDERFORMAT), 1);
  EXPECT_EQ(GetClipboardData(CF_TEXT), bytes_of(std::string("now") + '\0'));
  // Rendering writes only in answer to the request.
  EXPECT_FALSE(SetClipboardData(topic, bytes_of("late")));
}

TEST_F(DesktopServicesTest, AnOwnerThatGoesRendersWhatItStillOffers) {
  UINT topic = RegisterClipboardFormat("Topic Info");
  UINT rtf = RegisterClipboardFormat("Rich Text Format");
  ASSERT_TRUE(OpenClipboard(window_));
  EmptyClipboard();
  SetClipboardData(topic, nullptr);
  SetClipboardData(rtf, nullptr);
  CloseClipboard();
  GetClipboardData(topic);
  heard().formats_to_render = {rtf};
  DestroyWindow(window_);
  EXPECT_EQ(count_heard(WM_RENDERALLFORMATS), 1);
  EXPECT_EQ(count_heard(WM_RENDERFORMAT), 1);
  EXPECT_EQ(GetClipboardData(rtf), bytes_of("all " + std::to_string(rtf)));
  EXPECT_EQ(GetClipboardData(topic), bytes_of("rendered " + std::to_string(topic)));
  EXPECT_EQ(GetClipboardOwner(), nullptr);
}

TEST_F(DesktopServicesTest, WhatAGoneOwnerLeftUnrenderedIsNoLongerOffered) {
  UINT topic = RegisterClipboardFormat("Topic Info");
  heard().render_all_answers = false;
  ASSERT_TRUE(OpenClipboard(window_));
  EmptyClipboard();
  SetClipboardData(topic, nullptr);
  SetClipboardData(CF_TEXT, bytes_of("kept"));
  CloseClipboard();
  DestroyWindow(window_);
  EXPECT_EQ(count_heard(WM_RENDERALLFORMATS), 1);
  EXPECT_FALSE(IsClipboardFormatAvailable(topic));
  EXPECT_TRUE(GetClipboardData(topic).empty());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
}

// --- Flood fills on the window surface and on paged devices ---------------------------------------

TEST_F(DesktopServicesTest, FloodFillsReachWindowSurfacesButNotPages) {
  ShowWindow(window_, SW_SHOW);
  HDC dc = GetDC(window_);
  RECT all{0, 0, 40, 40};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, 5, 5, 15, 15);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  SelectObject(dc, blue);
  ASSERT_TRUE(ExtFloodFill(dc, 8, 8, RGB(0, 0, 0), FLOODFILLBORDER));
  EXPECT_EQ(GetPixel(dc, 8, 8), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 20, 20), RGB(255, 255, 255));
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  ReleaseDC(window_, dc);
  DeleteObject(blue);

  // A PDF page cannot be read back: the fill fails instead of guessing.
  std::string path = (fs::temp_directory_path() / "lumo-flood-fill.pdf").string();
  HDC pdf = gdi::create_pdf_dc(path, 300);
  ASSERT_NE(pdf, nullptr);
  DOCINFO info{sizeof(DOCINFO), "Wypełnienie", nullptr, nullptr, 0};
  ASSERT_GT(StartDoc(pdf, &info), 0);
  StartPage(pdf);
  EXPECT_FALSE(ExtFloodFill(pdf, 10, 10, RGB(0, 0, 0), FLOODFILLBORDER));
  EndPage(pdf);
  EndDoc(pdf);
  DeleteDC(pdf);
  fs::remove(path);
}

// --- Lock keys -------------------------------------------------------------------------------------

class FakeLocks : public win::LockKeyServer {
 public:
  explicit FakeLocks(std::map<int, bool>* on, std::vector<std::pair<int, bool>>* sets) : on_(on), sets_(sets) {}
  bool read(int vk, bool& on) override {
    auto it = on_->find(vk);
    if (it == on_->end()) return false;
    on = it->second;
    return true;
  }
  bool set(int vk, bool on) override {
    sets_->emplace_back(vk, on);
    (*on_)[vk] = on;
    return true;
  }

 private:
  std::map<int, bool>* on_;
  std::vector<std::pair<int, bool>>* sets_;
};

class LockKeysTest : public DesktopServicesTest {
 protected:
  void SetUp() override {
    DesktopServicesTest::SetUp();
    win::set_lock_key_server(std::make_unique<FakeLocks>(&on_, &sets_));
    SetFocus(window_);
  }
  void TearDown() override {
    win::set_lock_key_server(nullptr);
    DesktopServicesTest::TearDown();
  }
  static bool toggled(int vk) { return (GetKeyState(vk) & 1) != 0; }
  void press(BYTE vk, BYTE scan, DWORD flags) {
    keybd_event(vk, scan, flags, 0);
    keybd_event(vk, scan, flags | KEYEVENTF_KEYUP, 0);
    pump();
  }
  std::map<int, bool> on_{{VK_NUMLOCK, true}, {VK_CAPITAL, false}, {VK_SCROLL, true}};
  std::vector<std::pair<int, bool>> sets_;
};

TEST_F(LockKeysTest, TheProgramTakesTheServersLocks) {
  win::refresh_lock_keys();
  EXPECT_TRUE(toggled(VK_NUMLOCK));
  EXPECT_FALSE(toggled(VK_CAPITAL));
  EXPECT_TRUE(toggled(VK_SCROLL));
  on_[VK_NUMLOCK] = false;
  on_.erase(VK_SCROLL);  // a lock the server cannot tell keeps the program's view
  win::refresh_lock_keys();
  EXPECT_FALSE(toggled(VK_NUMLOCK));
  EXPECT_TRUE(toggled(VK_SCROLL));
}

TEST_F(LockKeysTest, MadeUpPressesToggleTheLockAndReachTheFocus) {
  win::refresh_lock_keys();
  press(VK_CAPITAL, 0x3A, 0);
  EXPECT_TRUE(toggled(VK_CAPITAL));
  EXPECT_EQ(sets_, (std::vector<std::pair<int, bool>>{{VK_CAPITAL, true}}));
  press(VK_NUMLOCK, 0x45, KEYEVENTF_EXTENDEDKEY);
  EXPECT_FALSE(toggled(VK_NUMLOCK));
  EXPECT_EQ(sets_.back(), (std::pair<int, bool>{VK_NUMLOCK, false}));
  ASSERT_EQ(count_heard(WM_KEYDOWN), 2);
  ASSERT_EQ(count_heard(WM_KEYUP), 2);
  const MSG& caps = heard().messages[0];
  EXPECT_EQ(caps.hwnd, window_);
  EXPECT_EQ(caps.wParam, WPARAM(VK_CAPITAL));
  EXPECT_EQ((caps.lParam >> 16) & 0xFF, 0x3A);
  EXPECT_EQ((caps.lParam >> 24) & 1, 0);
  const MSG& num = heard().messages[2];
  EXPECT_EQ((num.lParam >> 16) & 0xFF, 0x45);
  EXPECT_EQ((num.lParam >> 24) & 1, 1);
  // Other keys leave the locks alone.
  press('A', 0x1E, 0);
  EXPECT_EQ(sets_.size(), 2u);
}

TEST_F(LockKeysTest, SendInputPlaysKeyboardInputs) {
  INPUT inputs[2];
  inputs[0].ki.wVk = VK_SCROLL;
  inputs[1].ki.wVk = VK_SCROLL;
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  EXPECT_EQ(SendInput(2, inputs, 3), 0u);
  bool before = toggled(VK_SCROLL);
  EXPECT_EQ(SendInput(2, inputs, sizeof(INPUT)), 2u);
  pump();
  EXPECT_NE(toggled(VK_SCROLL), before);
  EXPECT_EQ(count_heard(WM_KEYDOWN), 1);
}

TEST_F(LockKeysTest, WithoutAServerOnlyTheProgramsViewChanges) {
  win::set_lock_key_server(nullptr);  // the headless platform has none
  bool before = toggled(VK_CAPITAL);
  press(VK_CAPITAL, 0x3A, 0);
  EXPECT_NE(toggled(VK_CAPITAL), before);
  EXPECT_TRUE(sets_.empty());
}

// On an X display the keyboard's own locks follow (run the tests with QT_QPA_PLATFORM=xcb).
TEST_F(DesktopServicesTest, OnXTheKeyboardsLockFollowsAMadeUpPress) {
  if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X display";
  win::set_lock_key_server(nullptr);
  SetFocus(window_);
  bool before = false;
  ASSERT_TRUE(win::lock_key_server().read(VK_CAPITAL, before));
  keybd_event(VK_CAPITAL, 0x3A, 0, 0);
  keybd_event(VK_CAPITAL, 0x3A, KEYEVENTF_KEYUP, 0);
  pump();
  bool after = before;
  ASSERT_TRUE(win::lock_key_server().read(VK_CAPITAL, after));
  EXPECT_NE(after, before);
  EXPECT_EQ((GetKeyState(VK_CAPITAL) & 1) != 0, after);
  ASSERT_TRUE(win::lock_key_server().set(VK_CAPITAL, before));
  win::refresh_lock_keys();
  EXPECT_EQ((GetKeyState(VK_CAPITAL) & 1) != 0, before);
  bool num = false;
  ASSERT_TRUE(win::lock_key_server().read(VK_NUMLOCK, num));
  ASSERT_TRUE(win::lock_key_server().set(VK_NUMLOCK, !num));
  bool num_after = num;
  ASSERT_TRUE(win::lock_key_server().read(VK_NUMLOCK, num_after));
  EXPECT_NE(num_after, num);
  win::lock_key_server().set(VK_NUMLOCK, num);
}

}  // namespace
