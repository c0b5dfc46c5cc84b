// A small library title of five Polish acts for query tests: titles indexed as field 1, texts as
// field 2, the title's own Polish tables, the operator words the application sends, slot 0 bound to
// the plain word breaker with the Polish stop list, and small index blocks so that every look-up
// reads the index through the title's poll callback.
#pragma once

#include <string>
#include <vector>

#include <unistd.h>

#include "engine/title/title.h"
#include "platform/base/temp_folder.h"
#include "tools/titlebuild/fts_index_writer.h"
#include "tools/titlebuild/polish_fts_tables.h"
#include "tools/titlebuild/fts_text_terms.h"
#include "tools/titlebuild/keyword_index_writer.h"
#include "tools/titlebuild/library_title.h"

namespace fts_query_test {

struct Act {
  const char* title;
  const char* text;
};

// Topic n is act n.
inline const std::vector<Act>& acts() {
  static const std::vector<Act> list = {
      {"Ustawa o ochronie zdrowia", "Minister w\xb3" "a\x9c" "ciwy do spraw zdrowia wydaje rozporz\xb9" "dzenie."},
      {"Rozporz\xb9" "dzenie w sprawie podatku", "Minister finans\xf3w okre\x9cla stawki podatku od towar\xf3w."},
      {"Ustawa o podatku dochodowym",
       "Podatek dochodowy p\xb3" "aci ka\xbf" "dy podatnik. Minister w\xb3" "a\x9c" "ciwy prowadzi rejestr."},
      {"Obwieszczenie", "Ustawa wchodzi w \xbfycie po up\xb3ywie czternastu dni od dnia og\xb3oszenia."},
      {"Ustawa o samorz\xb9" "dzie gminnym",
       "Rada gminy uchwala bud\xbf" "et gminy. Minister w\xb3" "a\x9c" "ciwy sprawuje nadz\xf3r."},
  };
  return list;
}

struct QueryTitle {
  std::string path;
  titlebuild::TopicFileLayout layout;

  // Adds the acts, the tables and the index; `extra` may add more files (keyword indexes).
  template <typename Extra>
  bool write(const std::string& name, bool with_index, Extra extra) {
    titlebuild::LibraryTitleSource source;
    for (const Act& act : acts()) {
      titlebuild::TopicSource topic;
      topic.title = act.title;
      topic.records.push_back({adt::kRecordTextCounted, {0x00, 0x80, 0, 0, 0, 0}, act.text});
      source.topics.push_back(std::move(topic));
    }
    source.compressed = false;
    titlebuild::TitleBuilder builder;
    if (titlebuild::AddLibraryTitle(builder, source, layout)) return false;
    titlebuild::add_polish_fts_tables(builder);
    builder.add_file("|MVOPTAB", titlebuild::operator_table_file({{"ORAZ", fts::kOpAnd}, {"LUB", fts::kOpOr},
                                                                  {"NIE", fts::kOpNot}, {"PRZY", fts::kOpNear},
                                                                  {"DO", fts::kOpThru}, {"VFLD", fts::kOpVfld},
                                                                  {"DTYPE", fts::kOpDtype}}));
    titlebuild::add_breaker_lines(builder, {"0 0 FBreakWords |STOPPL "});
    if (with_index) {
      std::vector<titlebuild::TextForIndex> texts;
      for (uint32_t t = 0; t < acts().size(); ++t) {
        texts.push_back({t, acts()[t].title, uint32_t(layout.topic_addresses[t]), 1});
        texts.push_back({t, acts()[t].text, uint32_t(layout.record_addresses[t][0]), 2});
      }
      titlebuild::FtsIndexWriterOptions options;
      options.topic_count = uint32_t(acts().size());
      options.occurrence_fields |= fts::kIndexHasField;
      options.leaf_bytes = 96;
      options.internal_bytes = 64;
      titlebuild::AddFtsIndex(builder, titlebuild::TermsFromTexts(texts, titlebuild::polish_char_table()), options);
    }
    extra(builder);
    path = base::temp_folder() + "/" + name + std::to_string(getpid()) + ".m14";
    return builder.write(path) == 0;
  }
  ~QueryTitle() {
    if (!path.empty()) base::remove_file(path);
  }
};

}  // namespace fts_query_test
