#include "tools/titlebuild/library_title.h"

#include "engine/title/system_records.h"
#include "tools/titlebuild/address_tree_writer.h"
#include "tools/titlebuild/catalog_writer.h"
#include "tools/titlebuild/system_writer.h"

namespace titlebuild {

int AddLibraryTitle(TitleBuilder& builder, const LibraryTitleSource& source, TopicFileLayout& layout) {
  compress::PhraseList phrases{source.phrases, compress::kDefaultPhraseBase};
  if (!source.phrases.empty()) {
    std::vector<uint8_t> file;
    if (compress::PhrBuildFile(phrases, file)) return 1;
    builder.add_file("|Phrases", std::move(file));
  }
  TopicFileOptions options;
  options.compressed = source.compressed;
  options.block_data_size = source.block_data_size;
  options.phrases = source.phrases.empty() ? nullptr : &phrases;
  if (BuildTopicFile(source.topics, options, layout)) return 1;
  builder.add_file("|TOPIC", layout.file);

  SystemWriter system(source.compressed);
  if (!source.title_text.empty()) system.add_text(title::kTagTitle, source.title_text);
  if (!source.copyright.empty()) system.add_text(title::kTagCopyright, source.copyright);
  if (source.start_topic && *source.start_topic < layout.topic_addresses.size())
    system.add_value(title::kTagStartTopic, layout.topic_addresses[*source.start_topic]);
  system.add_value(title::kTagTopicCount, int32_t(source.topics.size()));
  builder.add_file("|SYSTEM", system.bytes());

  if (source.catalog) builder.add_file("|CATALOG", CatalogFile(layout.topic_addresses));
  if (!source.contexts.empty()) {
    std::vector<std::pair<std::string, int32_t>> contexts;
    for (const auto& [context, topic] : source.contexts)
      if (topic < layout.topic_addresses.size()) contexts.emplace_back(context, layout.topic_addresses[topic]);
    AddContextTree(builder, contexts);
  }
  if (source.title_strings) {
    std::vector<std::pair<int32_t, std::string>> titles;
    for (size_t t = 0; t < source.topics.size(); ++t) titles.emplace_back(layout.topic_addresses[t], source.topics[t].title);
    AddTitleStringTree(builder, titles);
  }
  return 0;
}

}  // namespace titlebuild
