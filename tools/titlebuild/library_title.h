// A whole library title from plain data: "|SYSTEM", "|TOPIC", "|Phrases", "|CONTEXT", "|CATALOG" and
// "|TTLBTREE" added to a builder. Writers of the other internal files (fonts, full-text tables and
// index) add theirs to the same builder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tools/titlebuild/title_builder.h"
#include "tools/titlebuild/topic_writer.h"

namespace titlebuild {

struct LibraryTitleSource {
  std::vector<TopicSource> topics;
  bool compressed = true;
  size_t block_data_size = 0;        // see topic_writer.h
  std::vector<std::string> phrases;  // ascending by signed bytes; empty: no "|Phrases"
  std::string title_text;            // system tag 1 (empty: no record)
  std::string copyright;             // system tag 2 (empty: no record)
  std::optional<size_t> start_topic; // system tag 3 (none: the catalogue's first topic starts)
  std::vector<std::pair<std::string, size_t>> contexts;  // context string -> topic index
  bool catalog = true;
  bool title_strings = true;
};

// Adds the files; 0, or 1 when the topics cannot be laid out (see BuildTopicFile) or the phrases do
// not make a table. `layout` receives the positions and addresses of the topics.
int AddLibraryTitle(TitleBuilder& builder, const LibraryTitleSource& source, TopicFileLayout& layout);

}  // namespace titlebuild
