// A small valid title whose internal files a fuzz target can replace with its input.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "fuzz/title/spliced_title.h"
#include "platform/base/temp_folder.h"
#include "tools/titlebuild/library_title.h"

namespace fuzz_title {

// The builder of a two-topic compressed title with phrases, contexts, catalogue and title strings.
inline const titlebuild::TitleBuilder& base_title(titlebuild::TopicFileLayout* layout = nullptr) {
  static titlebuild::TopicFileLayout base_layout;
  static const titlebuild::TitleBuilder builder = [] {
    titlebuild::LibraryTitleSource source;
    titlebuild::TopicSource first{"Ustawa", "Dz.U. 1990", {{adt::kRecordTextCounted, {0x00, 0x80, 0, 0, 0, 0}, "Art. 1. Ustawa wchodzi w \xBFycie."}}, {}};
    titlebuild::TopicSource second{"Rozporz\xB9" "dzenie", "", {{adt::kRecordTextCounted, {}, "Dziennik Ustaw poz. 5"}, {adt::kRecordText, {}, ""}}, {}};
    source.topics = {first, second};
    source.phrases = {"Dziennik", "Ustaw", "ustawa"};
    source.contexts = {{"USTAWA", 0}, {"ROZP.1", 1}};
    titlebuild::TitleBuilder b;
    titlebuild::AddLibraryTitle(b, source, base_layout);
    return b;
  }();
  if (layout) *layout = base_layout;
  return builder;
}

// Writes the base title with `name` replaced by `bytes` (cut to `capacity` bytes, the same for every
// call of one name); returns its path (empty when it cannot be written). The title is built once per
// name and each input spliced in.
inline std::string write_with(const std::string& name, const uint8_t* bytes, size_t size, size_t capacity = 16384) {
  static std::map<std::string, SplicedTitle> titles;
  auto it = titles.find(name);
  if (it == titles.end()) {
    const std::string path = base::temp_folder() + "/fuzz_title" + std::to_string(titles.size()) + ".m14";
    it = titles.emplace(name, SplicedTitle(capacity, [&](std::vector<uint8_t> placeholder) {
      titlebuild::TitleBuilder builder = base_title();
      builder.add_file(name, std::move(placeholder));
      return builder.write(path) == 0 ? path : std::string();
    })).first;
  }
  return it->second.write(bytes, size);
}

}  // namespace fuzz_title
