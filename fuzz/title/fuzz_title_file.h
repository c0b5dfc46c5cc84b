// A small valid title whose internal files a fuzz target can replace with its input.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

// Writes the base title with `name` replaced by `bytes`; returns its path (empty when it cannot be
// written).
inline std::string write_with(const std::string& name, const uint8_t* bytes, size_t size) {
  titlebuild::TitleBuilder builder = base_title();
  builder.add_file(name, std::vector<uint8_t>(bytes, bytes + size));
  const std::string path = base::temp_folder() + "/fuzz_title.m14";
  return builder.write(path) == 0 ? path : std::string();
}

}  // namespace fuzz_title
