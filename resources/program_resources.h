// The program's compiled-in resources. register_program_resources adds every table to the
// resource store (platform/res); the program calls it once at start, tests before they look a
// resource up. Further calls do nothing. The tables themselves are also reachable here, so tests
// can compare what the store hands out with the source texts.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/res/resource_store.h"

namespace resources {

void register_program_resources();

// One per resource file.
void register_strings();
void register_cursors();
void register_menus();
void register_accelerators();
void register_toolbars();
void register_tab_toolbars();

// One per area: the toolkit, the in-house controls, the application, pictures and media.
void register_toolkit_resources();
void register_controls_resources();
void register_app_resources();
void register_pictures_resources();
// The application's pieces, called from register_app_resources.
void register_navigation_resources();
// The index results tab and the keyword index dialogs.
void register_index_dialog_resources();
// The find / go-to sheet, the query scopes, the search progress, the hints and the results tab.
void register_find_resources();
void register_main_frame_resources();
void register_library_locator_resources();
void register_frame_dialog_resources();
void register_text_view_resources();
void register_printing_resources();
void register_binder_resources();
void register_notes_resources();
// The act information window, its pages and pictures.
void register_act_info_resources();

std::span<const res::StringResource> string_table();

struct MenuTable {
  UINT id;
  std::span<const res::MenuItemResource> items;
};
std::span<const MenuTable> menu_tables();

// The main frame's menu (IDR_MAINFRAME).
std::span<const res::MenuItemResource> main_frame_menu();

// The main frame's accelerator table (IDR_MAINFRAME).
std::span<const res::AcceleratorResource> main_frame_accelerators();

// --- Toolbar button images ----------------------------------------------------------------------
constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 15;

// A character of the button drawings and its colour.
struct PaletteEntry {
  char symbol = ' ';
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
};

struct ButtonImage {
  UINT command;
  std::span<const char* const> rows;  // one per pixel row, one character per pixel
};

struct MainToolBar {
  UINT id;
  const char* utf8_title;
  std::span<const UINT> commands;  // 0 for a separator
};

std::span<const ButtonImage> button_images();
std::span<const PaletteEntry> button_palette();
std::span<const MainToolBar> main_toolbars();

// Button strips of the navigator and contents tabs and of the notes dialog (14 by 14 images), and
// the images of a strip's buttons in order.
std::span<const res::ToolBarResource> tab_toolbars();
std::vector<ButtonImage> tab_toolbar_images(const res::ToolBarResource& strip);

// The images side by side as a 4-bit device-independent bitmap (the bytes of a bitmap resource).
std::vector<uint8_t> pack_button_images(std::span<const ButtonImage> images, int width,
                                        int height);

}  // namespace resources
