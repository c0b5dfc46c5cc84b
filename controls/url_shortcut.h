// Internet shortcuts of the hyperlink control, as plain functions over texts: the address a
// shortcut stores (a protocol guessed for an address that names none), the file name made from a
// link's text, and the ".url" file itself:
//
//   [InternetShortcut]
//   URL=<address>
//
// with CR LF line ends, in UTF-8 like every other text file the program leaves for the desktop.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/cstring.h"

namespace hlink {

// The address with the protocol its form suggests when it names none: "mailto:" for an e-mail
// address, "ftp://" for a host starting with "ftp.", "http://" for anything else. Blanks around it
// and line breaks inside it are dropped (a line break would end the shortcut's URL line). An empty
// address stays empty.
CString guessed_address(const CString& address);

// A file name (CP1250, without extension) from a link's text: characters no file name may hold
// ('/', '\', ':', '*', '?', '"', '<', '>', '|' and control characters) become '_', blanks and
// dots at either end are dropped, and the name is cut so that its UTF-8 form with ".url" fits a
// file name. A text with nothing left gives "Skrót".
CString shortcut_file_name(const CString& text);

// The bytes of the ".url" file for an address (CP1250).
std::string url_file_text(const CString& address);

// Writes "<folder>/<file name of text>.url" for the address; replaces a shortcut of that name.
// False when the folder is missing, the address is empty or the file cannot be written.
bool save_url_shortcut(const CString& folder, const CString& text, const CString& address);

}  // namespace hlink
