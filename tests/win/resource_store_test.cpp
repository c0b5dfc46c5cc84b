// The resource store: texts come out in CP1250, lookups by id and name, the first table wins and
// the later ones are listed, and dialog controls get their context help ids.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/base/cp1250.h"
#include "resources/program_resources.h"

namespace {

class ResourceStore : public ::testing::Test {
 protected:
  void SetUp() override { resources::register_program_resources(); }
};

TEST_F(ResourceStore, StringsAreLoadedAsCp1250) {
  CString text;
  ASSERT_TRUE(AfxLoadString(20619, text));
  EXPECT_EQ(text.str(), "Pasek menu");
  ASSERT_TRUE(AfxLoadString(45141, text));
  EXPECT_EQ(text.str(), base::cp1250::from_utf8("Paski narzędzi..."));
  EXPECT_EQ(uint8_t(text.str()[10]), 0xEA);  // "ę" in CP1250

  char buffer[8];
  EXPECT_EQ(LoadString(nullptr, 207, buffer, sizeof buffer), 7);
  EXPECT_EQ(std::string(buffer), base::cp1250::from_utf8("Właściw"));  // cut to the buffer
  EXPECT_EQ(LoadString(nullptr, 1, buffer, sizeof buffer), 0);
  CString unchanged("x");
  EXPECT_FALSE(AfxLoadString(1, unchanged));
  EXPECT_EQ(unchanged.str(), "x");
}

TEST_F(ResourceStore, ProgramCursorsAreDrawnWithTheirHotSpots) {
  const res::CursorResource* split = res::find_cursor(30980);
  ASSERT_NE(split, nullptr);
  size_t width = std::strlen(split->rows[0]);
  for (const char* row : split->rows) EXPECT_EQ(std::strlen(row), width);
  EXPECT_LT(size_t(split->hot_x), width);
  EXPECT_LT(size_t(split->hot_y), split->rows.size());
  EXPECT_EQ(res::find_cursor(1), nullptr);
}

TEST(ResourceStoreTables, MenusDialogsToolbarsAndBinariesAreFoundById) {
  static const res::MenuItemResource menu[] = {
      {0, 0, res::MF_POPUP, "&Plik"},
      {1, 100, res::MF_STRING, "&Otwórz...\tCtrl+O"},
      {1, 0, res::MF_SEPARATOR, nullptr},
      {1, 101, res::MF_STRING, "Za&kończ"},
  };
  res::add_menu(9001, menu);
  auto items = res::find_menu(9001);
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(std::string(items[1].utf8), base::cp1250::from_utf8("&Otwórz...\tCtrl+O"));
  EXPECT_EQ(items[2].utf8, nullptr);
  EXPECT_TRUE(res::find_menu(9002).empty());

  static const res::DialogControlResource controls[] = {
      {1, "Button", "OK", {10, 40, 60, 54}, 0, 0},
      {1011, "Static", "Reakcję &domyślną", {10, 10, 100, 20}, 0, 0},
  };
  res::add_dialog(res::DialogResource{9003, "Właściwości", {0, 0, 200, 100}, 0, 0, nullptr, 8, controls});
  const res::DialogResource* dialog = res::find_dialog(9003);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(std::string(dialog->utf8_caption), base::cp1250::from_utf8("Właściwości"));
  ASSERT_EQ(dialog->controls.size(), 2u);
  EXPECT_EQ(std::string(dialog->controls[1].utf8), base::cp1250::from_utf8("Reakcję &domyślną"));
  EXPECT_EQ(CRect(dialog->controls[0].rect), CRect(10, 40, 60, 54));

  static const UINT buttons[] = {100, 0, 101};
  res::add_toolbar(res::ToolBarResource{9004, 16, 15, buttons});
  ASSERT_NE(res::find_toolbar(9004), nullptr);
  EXPECT_EQ(res::find_toolbar(9004)->commands.size(), 3u);

  static const uint8_t bytes[] = {1, 2, 3};
  static const uint8_t other[] = {9};
  res::add_binary(res::BinaryResource{res::BinaryKind::cursor, 0, "curTest", bytes});
  res::add_binary(res::BinaryResource{res::BinaryKind::cursor, 0, "CURTEST", other});  // ignored
  res::add_binary(res::BinaryResource{res::BinaryKind::bitmap, 9005, nullptr, bytes});
  EXPECT_EQ(res::find_binary(res::BinaryKind::cursor, "curtest").size(), 3u);
  EXPECT_EQ(res::find_binary(res::BinaryKind::bitmap, 9005).size(), 3u);
  EXPECT_TRUE(res::find_binary(res::BinaryKind::icon, 9005).empty());
  EXPECT_TRUE(res::find_binary(res::BinaryKind::cursor, nullptr).empty());

  static const res::AcceleratorResource keys[] = {{res::FVIRTKEY | res::FCONTROL, 'O', 100}};
  res::add_accelerators(9006, keys);
  ASSERT_EQ(res::find_accelerators(9006).size(), 1u);
  EXPECT_EQ(res::find_accelerators(9006)[0].cmd, 100);
}

TEST(ResourceStoreTables, ASecondResourceOfAKindAndIdIsListedAndLoses) {
  static const res::StringResource first[] = {{9101, "pierwszy"}};
  static const res::StringResource second[] = {{9101, "drugi"}};
  res::add_strings(first);
  res::add_strings(second);
  EXPECT_EQ(*res::find_string(9101), "pierwszy");
  static const uint8_t bytes[] = {1};
  res::add_binary(res::BinaryResource{res::BinaryKind::sound, 9102, nullptr, bytes});
  res::add_binary(res::BinaryResource{res::BinaryKind::sound, 9102, nullptr, bytes});
  res::add_binary(res::BinaryResource{res::BinaryKind::bitmap, 9102, nullptr, bytes});  // another kind
  std::vector<std::string> listed = res::duplicate_resources();
  EXPECT_EQ(std::count(listed.begin(), listed.end(), "string 9101"), 1);
  EXPECT_EQ(std::count(listed.begin(), listed.end(), "sound 9102"), 1);
  EXPECT_EQ(std::count(listed.begin(), listed.end(), "bitmap 9102"), 0);
}

TEST(ResourceStoreTables, DialogControlsGetTheUsualHelpIdUnlessTheTableGivesOne) {
  static const res::DialogControlResource controls[] = {
      {1, "Button", "OK", {10, 40, 60, 54}, 0, 0},
      {0xFFFF, "Static", "Opis", {10, 10, 100, 20}, 0, 0},
      {2, "Button", "Anuluj", {70, 40, 120, 54}, 0, 0, 0xFFFF0002},
  };
  res::add_dialog(res::DialogResource{9100, "Pomoc", {0, 0, 200, 100}, 0, 0, nullptr, 8, controls});
  const res::DialogResource* dialog = res::find_dialog(9100);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->controls[0].help_id, 0xA38C0001u);  // (9100 | 0x8000) << 16 | 1
  EXPECT_EQ(dialog->controls[1].help_id, 0xA38CFFFFu);
  EXPECT_EQ(dialog->controls[2].help_id, 0xFFFF0002u);
}

}  // namespace
