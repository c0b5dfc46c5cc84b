// The image window's option text: items "[NAME=value]" separated by blanks (spaces or tabs).
//
// - An item that does not start with "[" is a bare value of the name FILENAME (a picture name).
// - A name runs to the first blank, "=", "]" or the end. When it does not end at "=" the option
//   has no value and the next item starts after the character that ended the name, so
//   "[XYZ pic.bmp]" gives XYZ without a value and then the picture pic.bmp.
// - A value starts after blanks and runs to the first "]" outside quotes or to the end of the text.
//   A value that starts with a double quote is quoted: inside the quotes a doubled quote stands for
//   one, a single one ends the quoted part, and what follows up to the "]" is appended.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace imagewnd {

struct ImageOption {
  std::string name;
  std::optional<std::string> value;
  bool operator==(const ImageOption&) const = default;
};

// The next option from `pos` on (which moves past it); false at the end of the text.
bool ImgNextOption(std::string_view text, size_t& pos, ImageOption& option);
std::vector<ImageOption> ImgTokenizeOptions(std::string_view text);

// What a window takes from its options.
struct ImageWindowOptions {
  std::optional<std::string> caption;  // CAPTION
  std::optional<std::string> notice;   // COPYRIGHT
  std::optional<std::string> macro;    // HOTMACRO: the whole window is one macro hotspot
  std::string pictureFile;             // FILENAME or a bare value, or 16COLOR on a screen of few colours
  std::string hotspotFile;             // HOTSPOTS
  std::string forcedType;              // FORCETYPE, at most four characters
  bool noInvert = false;               // NOINVERT
  bool refused = false;                // NOPRINT while the viewer prints
};

// Reads the options of a window; `screen_bits` is the screen's colour depth (bits times planes),
// `printing` bit 0 of the create flags. Names compare without regard to case; unknown names and
// MAC are ignored.
ImageWindowOptions ImgReadOptions(std::string_view text, int screen_bits, bool printing);

}  // namespace imagewnd

namespace imagewnd {

// The disk path of a picture named in a topic: the name, its "\" turned into "/", below the title
// file's folder. None for an empty name, an absolute one (also "X:..."), or one with a ".."
// part: a title reaches only files beside it.
std::optional<std::string> ImgPicturePath(std::string_view title_file, std::string_view name);

}  // namespace imagewnd
