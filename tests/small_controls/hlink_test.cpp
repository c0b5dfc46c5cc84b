// The hyperlink control: its look in each state, opening its address, its context menu, copying
// the address, shortcuts on the desktop and its properties sheet.
#include "controls/hlink_ctrl.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "controls/hlink_sheet.h"
#include "platform/base/cp1250.h"
#include "platform/framework/menu.h"
#include "platform/shell/clipboard.h"
#include "platform/shell/services.h"
#include "platform/shell/special_folders.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_surface.h"
#include "resources/controls_ids.h"
#include "tests/small_controls/controls_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

class HLinkTest : public SmallControlsTest {
 protected:
  void SetUp() override {
    SmallControlsTest::SetUp();
    ASSERT_TRUE(link.SubclassDlgItem(UINT(IDC_SMALL_LINK), &dialog));
    link.SetURL("www.fenwar.pl");
    shell::set_url_opener([this](const CString& url) {
      opened.push_back(url.str());
      return opens;
    });
    link.Invalidate();
    pump();
  }
  void TearDown() override {
    shell::set_url_opener(nullptr);
    framework::set_menu_chooser(nullptr);
    SmallControlsTest::TearDown();
  }

  // Pixels of the link drawn exactly in `colour`, and the longest run of them along one row.
  struct Ink {
    int pixels = 0;
    int longest_row = 0;
  };
  Ink ink(COLORREF colour) const {
    Ink found;
    const QImage surface = win::window_surface(link.m_hWnd);
    const QRgb wanted = qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
    for (int y = 0; y < surface.height(); ++y) {
      int run = 0;
      for (int x = 0; x < surface.width(); ++x) {
        if ((surface.pixel(x, y) & 0xFFFFFF) == (wanted & 0xFFFFFF)) {
          ++found.pixels;
          found.longest_row = std::max(found.longest_row, ++run);
        } else {
          run = 0;
        }
      }
    }
    return found;
  }
  void click_link() {
    click(link.m_hWnd, POINT{5, 5});
    pump();
  }
  void move_away() {
    mouse_move(middle_of(item(IDC_SMALL_LABEL)));
    pump();
  }

  CHLinkCtrl link;
  std::vector<std::string> opened;
  bool opens = true;
};

TEST_F(HLinkTest, DrawsItsTextUnderlinedInTheColourOfItsState) {
  EXPECT_TRUE(link.GetStyle() & SS_NOTIFY);
  save_picture("hlink_link.png");
  CRect client;
  link.GetClientRect(&client);
  // The underline runs under most of the text in the link colour; nothing is red or purple.
  Ink blue = ink(link.m_crLink);
  EXPECT_GT(blue.longest_row, client.Width() / 3);
  EXPECT_EQ(ink(link.m_crHover).pixels, 0);

  // Over the link the mouse is held and the text turns red; leaving it gives both back.
  mouse_move(middle_of(link.m_hWnd));
  pump();
  EXPECT_EQ(link.GetState(), CHLinkCtrl::kHover);
  EXPECT_EQ(::GetCapture(), link.m_hWnd);
  save_picture("hlink_hover.png");
  EXPECT_GT(ink(link.m_crHover).longest_row, client.Width() / 3);
  EXPECT_EQ(ink(link.m_crLink).pixels, 0);
  move_away();
  EXPECT_EQ(link.GetState(), CHLinkCtrl::kLink);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_GT(ink(link.m_crLink).longest_row, client.Width() / 3);

  // Without mouse-over highlighting the link keeps its colour and leaves the mouse alone.
  link.m_bHoverEnabled = 0;
  mouse_move(middle_of(link.m_hWnd));
  pump();
  EXPECT_EQ(link.GetState(), CHLinkCtrl::kLink);
  EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(HLinkTest, OnlyStaticTextsBecomeLinks) {
  // A text static of another kind (left text without word wrap) keeps its own look.
  constexpr DWORD kLeftNoWordWrap = 0x000C;
  link.ModifyStyle(SS_TYPEMASK, kLeftNoWordWrap);
  link.Invalidate();
  pump();
  EXPECT_EQ(ink(link.m_crLink).pixels, 0);
  const QImage surface = win::window_surface(link.m_hWnd);
  int dark = 0;
  for (int y = 0; y < surface.height(); ++y) {
    for (int x = 0; x < surface.width(); ++x) {
      const QRgb c = surface.pixel(x, y);
      dark += qRed(c) < 0x50 && qGreen(c) < 0x50 && qBlue(c) < 0x50;
    }
  }
  EXPECT_GT(dark, 20);
}

TEST_F(HLinkTest, AClickOpensTheAddressAndTheLinkTurnsVisited) {
  mouse_move(middle_of(link.m_hWnd));
  click_link();
  EXPECT_EQ(opened, std::vector<std::string>{"http://www.fenwar.pl"});
  // Still under the mouse it stays red; once the mouse leaves it is purple.
  EXPECT_EQ(link.GetState(), CHLinkCtrl::kHover);
  move_away();
  EXPECT_EQ(link.GetState(), CHLinkCtrl::kVisited);
  EXPECT_EQ(::GetCapture(), nullptr);
  save_picture("hlink_visited.png");
  EXPECT_GT(ink(link.m_crVisited).pixels, 0);
  EXPECT_EQ(ink(link.m_crLink).pixels, 0);
}

TEST_F(HLinkTest, AnAddressTheDesktopCannotOpenLeavesTheLinkColour) {
  opens = false;
  click_link();
  // The guessed address first, then the address as it stands (which is no file here).
  EXPECT_EQ(opened, std::vector<std::string>{"http://www.fenwar.pl"});
  move_away();
  EXPECT_EQ(link.GetState(), CHLinkCtrl::kLink);
  opened.clear();
  link.SetURL("https://www.fenwar.pl");
  click_link();
  EXPECT_EQ(opened, (std::vector<std::string>{"https://www.fenwar.pl", "https://www.fenwar.pl"}));
  move_away();
  EXPECT_EQ(link.GetState(), CHLinkCtrl::kLink);
  // An empty address asks nothing and opens nothing.
  opened.clear();
  link.SetURL("");
  EXPECT_FALSE(link.OpenURL());
  EXPECT_TRUE(opened.empty());
}

TEST_F(HLinkTest, TheContextMenuKeyOpensTheMenuAtTheCornerAndCopiesTheAddress) {
  mouse_move(middle_of(link.m_hWnd));
  pump();
  ASSERT_EQ(link.GetState(), CHLinkCtrl::kHover);
  std::vector<std::string> items;
  POINT shown{};
  framework::set_menu_chooser([&](HMENU menu, HWND owner, POINT screen) -> UINT {
    EXPECT_EQ(owner, link.m_hWnd);
    // The menu took the link out of its hover state and gave the mouse back.
    EXPECT_EQ(link.GetState(), CHLinkCtrl::kLink);
    EXPECT_EQ(::GetCapture(), nullptr);
    shown = screen;
    for (const framework::MenuItemView& item : framework::menu_items(menu)) {
      items.push_back(base::cp1250::to_utf8(item.text));
    }
    return resources::ID_HLINK_COPY;
  });
  link.SetFocus();
  press_key(VK_APPS);
  pump();
  CRect window;
  link.GetWindowRect(&window);
  EXPECT_EQ(shown.x, window.left + 5);
  EXPECT_EQ(shown.y, window.top + 5);
  EXPECT_EQ(items, (std::vector<std::string>{"&Otwórz", "", "&Kopiuj skrót", "&Dodaj do ulubionych",
                                             "Dodaj &skrót na pulpicie", "", "&Właściwości"}));
  std::vector<uint8_t> text = GetClipboardData(CF_TEXT);
  EXPECT_EQ(std::string(text.begin(), text.end()), std::string("www.fenwar.pl", 14));

  // A right-click opens the menu where it was made; without the switch there is no menu.
  shown = POINT{};
  link.SendMessage(WM_CONTEXTMENU, WPARAM(link.m_hWnd), MAKE_POINT_LPARAM(window.left + 20, window.top + 3));
  EXPECT_EQ(shown.x, window.left + 20);
  link.m_bContextMenu = 0;
  shown = POINT{};
  link.SendMessage(WM_CONTEXTMENU, WPARAM(link.m_hWnd), MAKE_POINT_LPARAM(window.left + 20, window.top + 3));
  EXPECT_EQ(shown.x, 0);
}

// A desktop folder of a home made for the test; HOME comes back afterwards.
class DesktopHome {
 public:
  DesktopHome() : home_(std::filesystem::path(::testing::TempDir()) / "hlink_home") {
    std::filesystem::remove_all(home_);
    std::filesystem::create_directories(desktop());
    if (const char* old = std::getenv("HOME")) old_home_ = old;
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) old_config_ = old;
    setenv("HOME", home_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home_ / ".config").c_str(), 1);
  }
  ~DesktopHome() {
    setenv("HOME", old_home_.c_str(), 1);
    if (old_config_.empty()) {
      unsetenv("XDG_CONFIG_HOME");
    } else {
      setenv("XDG_CONFIG_HOME", old_config_.c_str(), 1);
    }
  }
  std::filesystem::path desktop() const { return home_ / "Desktop"; }

 private:
  std::filesystem::path home_;
  std::string old_home_, old_config_;
};

TEST_F(HLinkTest, ShortcutsGoToTheDesktopUnderANameThatStaysInIt) {
  DesktopHome home;
  link.SetWindowText(base::cp1250::from_utf8("Dz.U. 1997/78: poz. 483").c_str());
  link.SendMessage(WM_COMMAND, resources::ID_HLINK_DESKTOP);
  const std::filesystem::path file = home.desktop() / "Dz.U. 1997_78_ poz. 483.url";
  ASSERT_TRUE(std::filesystem::exists(file));
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "[InternetShortcut]\r\nURL=http://www.fenwar.pl\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.desktop()), std::filesystem::directory_iterator()), 1);
  // There are no Favorites on this desktop: that command saves nothing anywhere.
  EXPECT_FALSE(link.SaveShortcut(CSIDL_FAVORITES));
  link.SendMessage(WM_COMMAND, resources::ID_HLINK_FAVORITES);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.desktop()), std::filesystem::directory_iterator()), 1);
  // Without a desktop folder nothing is saved either.
  std::filesystem::remove_all(home.desktop());
  EXPECT_FALSE(link.SaveShortcut(CSIDL_DESKTOP));
}

TEST_F(HLinkTest, PropertiesShowTheLinkTextAndAddress) {
  link.SetWindowText(base::cp1250::from_utf8("Obejrzyj strony WWW firmy Fenwar - Łódź").c_str());
  std::string caption, text, address;
  bool had_apply = true;
  QTimer::singleShot(0, [&] {
    HWND sheet = ::GetActiveWindow();
    auto* properties = dynamic_cast<CHLinkSheet*>(CWnd::FromHandlePermanent(sheet));
    ASSERT_NE(properties, nullptr);
    caption = base::cp1250::to_utf8(GetWindowTextString(sheet));
    CHLinkPage& page = properties->GetLinkPage();
    text = base::cp1250::to_utf8(GetWindowTextString(page.GetDlgItem(resources::IDC_HLINK_TEXT)->m_hWnd));
    address = GetWindowTextString(page.GetDlgItem(resources::IDC_HLINK_ADDRESS)->m_hWnd);
    had_apply = ::GetDlgItem(sheet, int(ID_APPLY_NOW)) != nullptr;
    // The globe stands in the page's top-left corner, blue around its white lines.
    HWND globe = ::GetWindow(page.m_hWnd, GW_CHILD);
    ASSERT_TRUE(globe && (::GetWindowLongPtr(globe, GWL_STYLE) & SS_TYPEMASK) == SS_ICON);
    pump();
    EXPECT_EQ(surface_pixel(globe, 8, 10), DWORD(RGB(0x30, 0x70, 0xD0)));
    EXPECT_EQ(surface_pixel(globe, 16, 16), DWORD(RGB(0xFF, 0xFF, 0xFF)));
    EXPECT_EQ(surface_pixel(globe, 0, 0), DWORD(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(::GetParent(sheet) == dialog.m_hWnd || ::GetWindow(sheet, GW_OWNER) == dialog.m_hWnd, true);
    pump();
    save_window_png(sheet, png("hlink_properties.png"), true);
    properties->PressButton(IDCANCEL);
  });
  link.SendMessage(WM_COMMAND, resources::ID_HLINK_PROPERTIES);
  EXPECT_EQ(caption, "Właściwości");
  EXPECT_EQ(text, "Obejrzyj strony WWW firmy Fenwar - Łódź");
  EXPECT_EQ(address, "www.fenwar.pl");
  EXPECT_FALSE(had_apply);
  EXPECT_STREQ(RUNTIME_CLASS(CHLinkPage)->m_lpszClassName, "CHLinkPage");
  EXPECT_NE(RUNTIME_CLASS(CHLinkPage)->m_pfnCreateObject, nullptr);
}

}  // namespace
}  // namespace lumo::test
