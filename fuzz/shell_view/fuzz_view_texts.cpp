// Reads arbitrary bytes as the texts the reading view parses: a picture-link macro, an issue text
// and its journal number, a typed address, a selection handed to a search. Results must stay inside
// their bounds: picture names of at most 127 characters taken from the macro, journal numbers and
// searched texts that are parts of their input, context strings of the address form.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "shell/view/view_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string name;
  if (shell::view::ParsePictureMacro(text, &name)) {
    // The name runs from after '%' to the first '@'.
    if (name.empty() || name.size() > 127 || text.substr(1, name.size()) != name) std::abort();
    if (name.find('@') != std::string::npos) std::abort();
    const std::string trimmed = shell::view::TrimBlanks(name);
    if (name.find(trimmed) == std::string::npos ||
        (!trimmed.empty() && (trimmed.front() == ' ' || trimmed.back() == ' ')))
      std::abort();
  }
  const std::string number = shell::view::JournalNumberText(text);
  if (!number.empty() && (text.find(number) == std::string_view::npos || number.back() != ' ')) std::abort();
  const std::string searched = shell::view::SelectedTextForSearch(text);
  if (searched.size() > shell::view::kMaxSelectedText || text.find(searched) == std::string_view::npos) std::abort();
  if (!searched.empty() && static_cast<unsigned char>(searched.front()) < 32) std::abort();
  for (bool issue_only : {false, true}) {
    const std::string context = shell::view::MakeAddressContext(text, issue_only, {1998, 12});
    if (context.rfind("DU.", 0) != 0 && text.find("DU.") == std::string_view::npos) std::abort();
  }
  return 0;
}
