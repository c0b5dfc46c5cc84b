// Builds small library titles for the title tests and writes them into the private temporary folder.
#pragma once

#include <string>
#include <vector>

#include "engine/title/title.h"
#include "platform/base/temp_folder.h"
#include "tools/titlebuild/library_title.h"

namespace title_test {

// A record text of `n` bytes of Polish-looking words, different for every seed.
inline std::string polish_text(size_t n, int seed) {
  static const char* words[] = {"ustawa", "z", "dnia", "rozporz\xB9" "dzenie", "Ministra", "art.", "\xB3\xF3" "d\x9F",
                                "poz.", "Dziennik", "Ustaw", "zmianie", "\xBF" "ycia"};
  std::string text;
  unsigned state = unsigned(seed) * 2654435761u + 1;
  while (text.size() < n) {
    state = state * 1103515245u + 12345u;
    text += words[(state >> 16) % 12];
    text += ' ';
  }
  text.resize(n);
  return text;
}

// Topics with records of the given text sizes.
inline std::vector<titlebuild::TopicSource> topics_of(const std::vector<std::vector<size_t>>& sizes) {
  std::vector<titlebuild::TopicSource> topics;
  int seed = 0;
  for (size_t t = 0; t < sizes.size(); ++t) {
    titlebuild::TopicSource topic;
    topic.title = "Ustawa nr " + std::to_string(t + 1);
    topic.header_text = "Dz.U. " + std::to_string(1990 + t);
    for (size_t size : sizes[t]) topic.records.push_back({adt::kRecordTextCounted, {0x00, 0x80, 0, 0, 0, 0}, polish_text(size, ++seed)});
    topics.push_back(std::move(topic));
  }
  return topics;
}

inline std::string title_path(const std::string& name) { return base::temp_folder() + "/" + name + ".m14"; }

// Writes the title and returns its path (empty on failure).
inline std::string write_title(const titlebuild::LibraryTitleSource& source, const std::string& name,
                               titlebuild::TopicFileLayout& layout) {
  titlebuild::TitleBuilder builder;
  if (titlebuild::AddLibraryTitle(builder, source, layout)) return {};
  const std::string path = title_path(name);
  return builder.write(path) == 0 ? path : std::string();
}

}  // namespace title_test
