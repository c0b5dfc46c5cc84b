#include "engine/fts/common/fts_path.h"

namespace fts {

bool FtsHasSubfileMark(std::string_view name) { return name.find('!') != std::string_view::npos; }

std::string FtsSplitPath(std::string_view name, std::string_view default_internal, std::string& container) {
  const size_t mark = name.find('!');
  if (mark == std::string_view::npos) {
    container = std::string(name);
    return std::string(default_internal);
  }
  container = std::string(name.substr(0, mark));
  return std::string(name.substr(mark + 1));
}

}  // namespace fts
