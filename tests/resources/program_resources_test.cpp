// The program's resource tables: texts come back from the store as CP1250 and convert back to
// their source, ids are unique, menus, accelerators and toolbars name commands that exist, and the
// toolbar images pack into a well-formed bitmap.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/base/byte_io.h"
#include "platform/base/cp1250.h"
#include "platform/framework/command_ids.h"
#include "platform/win/virtual_keys.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"

namespace resources {
namespace {

class ProgramResources : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { register_program_resources(); }
};

TEST_F(ProgramResources, EveryStringLoadsAsCp1250AndConvertsBackToItsSource) {
  std::set<UINT> ids;
  for (const res::StringResource& s : string_table()) {
    EXPECT_TRUE(ids.insert(s.id).second) << "string " << s.id << " twice";
    const std::string* loaded = res::find_string(s.id);
    ASSERT_NE(loaded, nullptr) << s.id;
    EXPECT_EQ(base::cp1250::to_utf8(*loaded), s.utf8) << "string " << s.id;
    EXPECT_EQ(*loaded, base::cp1250::from_utf8(s.utf8)) << "string " << s.id;
  }
}

// Each area adds its own tables; no two of them may take one number for the same kind.
TEST_F(ProgramResources, NoIdIsGivenTwiceToOneKindOfResource) {
  EXPECT_EQ(res::duplicate_resources(), std::vector<std::string>{});
}

TEST_F(ProgramResources, PinnedStrings) {
  const std::pair<UINT, const char*> cases[] = {
      {IDS_APP_NAME, "LumoKAL"},
      {IDS_TITLE_FILE_NAME, "LumoKAL.dat"},
      {IDS_IDLE_PROMPT, " Naciśnij przycisk F1 aby uzyskać pomoc"},
      {IDS_TOO_MANY_SHEETS,
       "Program nie może utworzyć nowego arkusza ponieważ ich liczba przekracza dopuszczalną "
       "ilość.\nZamknij jeden lub więcej arkuszy i powtórz operację, lub zwiększ maksymalną "
       "ilość arkuszu w opcjach programu."},
      {2001, "Poszukiwanie bez powodzenia."},
      {2200, "Zapytanie puste lub nie zawiera znajdywalnych słów. Nie można szukać słów "
             "oznaczonych jako słowa pomijane (np. \"to\", \"tamto\", \"owo\")."},
      {IDS_EW_CANNOT_SHOW, "Nie można wyświetlić"},
      {AFX_IDS_IDLEMESSAGE, " Naciśnij F1, aby uzyskać pomoc."},
      {ID_BINDER_SAVE, "Zapisuje otwarty segregator i dokonane w nim zmiany\nZapisz segregator"},
  };
  for (const auto& [id, utf8] : cases) {
    const std::string* loaded = res::find_string(id);
    ASSERT_NE(loaded, nullptr) << id;
    EXPECT_EQ(*loaded, base::cp1250::from_utf8(utf8)) << id;
  }
  // The platform's loader hands out the same bytes, cut to the buffer.
  char buffer[8];
  EXPECT_EQ(LoadString(nullptr, IDS_APP_NAME, buffer, sizeof buffer), 7);
  EXPECT_STREQ(buffer, "LumoKAL");
  EXPECT_EQ(LoadString(nullptr, IDS_TITLE_FILE_NAME, buffer, sizeof buffer), 7);
  EXPECT_STREQ(buffer, "LumoKAL");
}

TEST_F(ProgramResources, CodesWithoutAGivenTextHaveNoString) {
  for (UINT id : {2008u, 2011u, 2017u, 2022u, 2030u, 350u, 357u, 6000u, 6001u}) {
    EXPECT_EQ(res::find_string(id), nullptr) << id;
  }
}

// Commands a menu, an accelerator or a toolbar may name: the program's and the framework's
// command ranges, and the two low ids the main frame uses as commands (customize, query box).
bool is_command(UINT id) {
  return id == ID_SEARCH_QUERY_BOX || id == ID_CUSTOMIZE || (id >= 0x7D00 && id < 0xF000);
}

TEST_F(ProgramResources, MenusComeBackInCp1250AndNameCommands) {
  for (const MenuTable& menu : menu_tables()) {
    std::span<const res::MenuItemResource> loaded = res::find_menu(menu.id);
    ASSERT_EQ(loaded.size(), menu.items.size()) << menu.id;
    std::set<UINT> commands;
    for (size_t i = 0; i < loaded.size(); ++i) {
      const res::MenuItemResource& item = menu.items[i];
      if (item.flags & res::MF_POPUP) {
        EXPECT_EQ(item.id, 0u);
        commands.clear();  // a command may stand once in each pop-up
      } else if (item.flags & res::MF_SEPARATOR) {
        EXPECT_EQ(item.id, 0u);
      } else {
        EXPECT_TRUE(is_command(item.id)) << item.id;
        EXPECT_TRUE(commands.insert(item.id).second) << "command " << item.id << " twice";
      }
      if (item.utf8) {
        EXPECT_EQ(base::cp1250::to_utf8(loaded[i].utf8), item.utf8);
      }
    }
  }
  std::span<const res::MenuItemResource> tip = res::find_menu(IDR_TIP_INDEX_MENU);
  ASSERT_EQ(tip.size(), 9u);
  EXPECT_EQ(tip[1].id, ID_TITLES_INDEX);
  EXPECT_STREQ(tip[1].utf8, base::cp1250::from_utf8("Indeks tytułów").c_str());
  EXPECT_EQ(tip[7].flags, res::MF_SEPARATOR);
  EXPECT_EQ(tip[8].id, ID_DATE_INDEX);

  // The index results tab's three pop-ups each end in (or hold) the seven-item "Indeksy" sub-menu.
  std::span<const res::MenuItemResource> keyword = res::find_menu(IDR_KEYWORD_RESULTS_MENU);
  ASSERT_FALSE(keyword.empty());
  EXPECT_EQ(std::count_if(keyword.begin(), keyword.end(),
                          [](const res::MenuItemResource& m) { return m.level == 0; }),
            3);
  EXPECT_EQ(std::count_if(
                keyword.begin(), keyword.end(),
                [](const res::MenuItemResource& m) { return m.id == ID_KEYWORD_DATE_INDEX; }),
            3);
  EXPECT_EQ(keyword.back().level, 2);
  EXPECT_EQ(keyword.back().id, ID_KEYWORD_DATE_INDEX);
}

TEST_F(ProgramResources, TheMainMenuHasTheProgramsPopUpsAndNamesCommands) {
  std::span<const res::MenuItemResource> loaded = res::find_menu(IDR_MAINFRAME);
  ASSERT_EQ(loaded.size(), main_frame_menu().size());
  std::vector<std::string> popups;
  std::set<UINT> commands;
  for (size_t i = 0; i < loaded.size(); ++i) {
    const res::MenuItemResource& item = main_frame_menu()[i];
    if (item.utf8) { EXPECT_EQ(base::cp1250::to_utf8(loaded[i].utf8), item.utf8); }
    if (item.level == 0) {
      popups.push_back(item.utf8);
    } else if (!(item.flags & res::MF_SEPARATOR)) {
      EXPECT_TRUE(is_command(item.id)) << item.id;
      EXPECT_TRUE(commands.insert(item.id).second) << "command " << item.id << " twice";
    }
  }
  // The user tools go into pop-up 3; the sheets are listed under "Okno".
  EXPECT_EQ(popups, (std::vector<std::string>{"&Plik", "&Widok", "&Zakładki", "&Narzędzia", "&Indeks",
                                              "&Okno", "Pomo&c"}));
  for (UINT command : {ID_VIEW_CONTENTS_BAR, ID_QUERY, ID_DATE_INDEX, UINT(::ID_APP_EXIT), ID_BUILD_INDEX, ID_ANNOTATION}) {
    EXPECT_TRUE(commands.count(command)) << command;
  }
}

TEST_F(ProgramResources, AcceleratorsNameCommandsAndNoKeyTwice) {
  std::span<const res::AcceleratorResource> table = res::find_accelerators(IDR_MAINFRAME);
  ASSERT_EQ(table.size(), main_frame_accelerators().size());
  std::set<std::pair<BYTE, WORD>> keys;
  for (const res::AcceleratorResource& a : table) {
    EXPECT_TRUE(is_command(a.cmd)) << a.cmd;
    EXPECT_TRUE(a.fVirt & res::FVIRTKEY) << a.cmd;
    EXPECT_TRUE(keys.insert({a.fVirt, a.key}).second) << "key of command " << a.cmd << " twice";
  }
  auto command_of = [&](BYTE flags, WORD key) -> UINT {
    for (const res::AcceleratorResource& a : table) {
      if (a.fVirt == flags && a.key == key) return a.cmd;
    }
    return 0;
  };
  EXPECT_EQ(command_of(res::FVIRTKEY | res::FCONTROL, 'Q'), ID_QUERY);
  EXPECT_EQ(command_of(res::FVIRTKEY | res::FALT, VK_SPACE), ID_ACT_INFORMATION);
  EXPECT_EQ(command_of(res::FVIRTKEY, VK_F1 + 8), ID_VIEW_CONTENTS_BAR);  // F9
  EXPECT_EQ(command_of(res::FVIRTKEY | res::FSHIFT, VK_NEXT), ID_NEXT_PAGE);
  EXPECT_EQ(command_of(res::FVIRTKEY | res::FCONTROL, VK_BACK), ID_EDIT_UNDO);
}

TEST_F(ProgramResources, EveryToolbarButtonHasAnImageAndEveryImageABar) {
  const res::ToolBarResource* strip = res::find_toolbar(IDR_MAINFRAME);
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(strip->button_width, kButtonWidth);
  EXPECT_EQ(strip->button_height, kButtonHeight);
  const std::set<UINT> imaged(strip->commands.begin(), strip->commands.end());
  EXPECT_EQ(imaged.size(), strip->commands.size()) << "an image twice";

  std::set<UINT> on_bars;
  for (const MainToolBar& bar : main_toolbars()) {
    const res::ToolBarResource* loaded = res::find_toolbar(bar.id);
    ASSERT_NE(loaded, nullptr) << bar.id;
    ASSERT_EQ(loaded->commands.size(), bar.commands.size());
    for (UINT command : bar.commands) {
      if (command == 0 || command == ID_SEARCH_QUERY_BOX || command == ID_PICTURE_POSITION) {
        continue;
      }
      EXPECT_TRUE(is_command(command)) << command;
      EXPECT_TRUE(imaged.count(command)) << "no image for " << command;
      on_bars.insert(command);
    }
  }
  EXPECT_EQ(on_bars, imaged);
}

TEST_F(ProgramResources, TabToolbarsAreRegisteredWithTheirCommands) {
  for (const res::ToolBarResource& strip : tab_toolbars()) {
    const res::ToolBarResource* loaded = res::find_toolbar(strip.id);
    ASSERT_NE(loaded, nullptr) << strip.id;
    EXPECT_EQ(loaded->button_width, 14);
    EXPECT_TRUE(std::equal(loaded->commands.begin(), loaded->commands.end(),
                           strip.commands.begin(), strip.commands.end()));
    for (UINT command : strip.commands) EXPECT_TRUE(command == 0 || is_command(command));
  }
  const res::ToolBarResource* library = res::find_toolbar(IDR_LIBRARY_TOOLBAR);
  ASSERT_NE(library, nullptr);
  const UINT expected[] = {32978, 0, 32872, 32873, 0, 32972};
  EXPECT_TRUE(std::equal(library->commands.begin(), library->commands.end(),
                         std::begin(expected), std::end(expected)));
}

// Every image is width by height characters of the palette, and the bitmap stored for the strip
// holds exactly those pixels through its colour table (rows bottom-up).
void expect_strip_bitmap(UINT id, std::span<const ButtonImage> images, int width, int height) {
  SCOPED_TRACE(id);
  std::string symbols;
  for (const PaletteEntry& entry : button_palette()) symbols += entry.symbol;
  for (const ButtonImage& image : images) {
    ASSERT_EQ(image.rows.size(), static_cast<size_t>(height)) << image.command;
    for (const char* row : image.rows) {
      ASSERT_EQ(std::strlen(row), static_cast<size_t>(width)) << image.command;
      ASSERT_EQ(std::string(row).find_first_not_of(symbols), std::string::npos)
          << image.command << ": " << row;
    }
  }

  std::span<const uint8_t> dib = res::find_binary(res::BinaryKind::bitmap, id);
  const size_t total_width = images.size() * static_cast<size_t>(width);
  const size_t stride = (total_width * 4 + 31) / 32 * 4;
  ASSERT_EQ(dib.size(), 40 + 16 * 4 + stride * static_cast<size_t>(height));
  base::ByteReader header(dib.data(), dib.size());
  EXPECT_EQ(header.u32(), 40u);
  EXPECT_EQ(header.i32(), static_cast<int32_t>(total_width));
  EXPECT_EQ(header.i32(), height);
  EXPECT_EQ(header.u16(), 1);
  EXPECT_EQ(header.u16(), 4);
  EXPECT_EQ(header.u32(), 0u);
  EXPECT_EQ(header.u32(), stride * static_cast<size_t>(height));

  const uint8_t* table = dib.data() + 40;
  const uint8_t* pixels = table + 16 * 4;
  for (size_t n = 0; n < images.size(); ++n) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const size_t px = n * static_cast<size_t>(width) + static_cast<size_t>(x);
        const uint8_t byte = pixels[static_cast<size_t>(height - 1 - y) * stride + px / 2];
        const uint8_t* bgr = table + (px % 2 ? byte & 0x0F : byte >> 4) * 4;
        const char symbol = images[n].rows[static_cast<size_t>(y)][x];
        for (const PaletteEntry& entry : button_palette()) {
          if (entry.symbol != symbol) continue;
          ASSERT_EQ(bgr[0], entry.blue) << images[n].command << " at " << x << "," << y;
          ASSERT_EQ(bgr[1], entry.green);
          ASSERT_EQ(bgr[2], entry.red);
        }
      }
    }
  }
}

TEST_F(ProgramResources, ButtonBitmapsHoldTheDrawnImages) {
  expect_strip_bitmap(IDR_MAINFRAME, button_images(), kButtonWidth, kButtonHeight);
  for (const res::ToolBarResource& strip : tab_toolbars()) {
    const std::vector<ButtonImage> images = tab_toolbar_images(strip);
    const auto buttons = static_cast<size_t>(
        std::count_if(strip.commands.begin(), strip.commands.end(), [](UINT c) { return c; }));
    EXPECT_EQ(images.size(), buttons) << "a button without an image on " << strip.id;
    expect_strip_bitmap(strip.id, images, strip.button_width, strip.button_height);
  }
}

}  // namespace
}  // namespace resources
