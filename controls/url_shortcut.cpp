#include "controls/url_shortcut.h"

#include <cctype>
#include <cstring>
#include <span>

#include "platform/base/cfile.h"
#include "platform/base/cp1250.h"
#include "platform/base/os_file.h"

namespace hlink {
namespace {

// A scheme of two characters or more before a colon ("http:", "mailto:"); a single letter is a
// drive ("C:\...") and names no protocol.
bool names_protocol(const std::string& address) {
  size_t colon = address.find(':');
  if (colon == std::string::npos || colon < 2 || !std::isalpha(static_cast<unsigned char>(address[0]))) return false;
  for (size_t i = 1; i < colon; ++i) {
    auto c = static_cast<unsigned char>(address[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

bool forbidden_in_name(unsigned char c) { return c < 0x20 || c == 0x7F || std::strchr("/\\:*?\"<>|", c) != nullptr; }

// A file name's UTF-8 form holds at most 255 bytes; ".url" takes four of them.
constexpr size_t kMaxNameUtf8 = 255 - 4;

}  // namespace

CString guessed_address(const CString& address) {
  std::string text;
  for (char c : address.view()) {
    if (c != '\r' && c != '\n') text += c;
  }
  CString trimmed(text);
  trimmed.Trim();
  text = trimmed.str();
  if (text.empty() || names_protocol(text)) return CString(text);
  if (text.find('@') != std::string::npos && text.find('/') == std::string::npos) return CString("mailto:" + text);
  CString lower(text);
  lower.MakeLower();
  if (lower.Left(4) == "ftp.") return CString("ftp://" + text);
  return CString("http://" + text);
}

CString shortcut_file_name(const CString& text) {
  std::string name;
  for (char c : text.view()) name += forbidden_in_name(static_cast<unsigned char>(c)) ? '_' : c;
  CString cut(name);
  cut.TrimRight(" .");
  cut.TrimLeft(" .");
  name = cut.str();
  while (!name.empty() && base::cp1250::to_utf8(name).size() > kMaxNameUtf8) name.pop_back();
  // The cut may leave blanks or dots at the end again.
  cut = CString(name);
  cut.TrimRight(" .");
  return cut.IsEmpty() ? CString(base::cp1250::from_utf8("Skrót")) : cut;
}

std::string url_file_text(const CString& address) {
  return "[InternetShortcut]\r\nURL=" + base::cp1250::to_utf8(guessed_address(address).view()) + "\r\n";
}

bool save_url_shortcut(const CString& folder, const CString& text, const CString& address) {
  if (folder.IsEmpty() || guessed_address(address).IsEmpty()) return false;
  CString path = folder;
  if (path[path.GetLength() - 1] != '/') path += '/';
  path += shortcut_file_name(text) + ".url";
  std::string bytes = url_file_text(address);
  return base::write_file_atomic(base::os_path(path), std::span(reinterpret_cast<const uint8_t*>(bytes.data()),
                                                                  bytes.size())) == base::OsError::None;
}

}  // namespace hlink
