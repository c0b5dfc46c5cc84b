// Resources of the owner-drawn buttons: the menu button's two arrows (' ' is the button face).
#include <vector>

#include "platform/res/resource_store.h"
#include "resources/program_resources.h"
#include "resources/toolkit_ids.h"

namespace resources {
namespace {

constexpr const char* kDownRows[] = {
    "#######",
    " ##### ",
    "  ###  ",
    "   #   ",
};
constexpr const char* kRightRows[] = {
    "#   ", "##  ", "### ", "####", "### ", "##  ", "#   ",
};

}  // namespace

void register_toolkit_buttons() {
  static const ButtonImage down{IDB_MENU_ARROW_DOWN, kDownRows};
  static const ButtonImage right{IDB_MENU_ARROW_RIGHT, kRightRows};
  static const std::vector<uint8_t> downBytes = pack_button_images({&down, 1}, 7, 4);
  static const std::vector<uint8_t> rightBytes = pack_button_images({&right, 1}, 4, 7);
  res::add_binary({res::BinaryKind::bitmap, IDB_MENU_ARROW_DOWN, nullptr, downBytes});
  res::add_binary({res::BinaryKind::bitmap, IDB_MENU_ARROW_RIGHT, nullptr, rightBytes});
}

}  // namespace resources
