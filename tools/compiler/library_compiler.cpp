#include "tools/compiler/library_compiler.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "engine/COMMON/topic_group.h"
#include "engine/fts/common/breaker_table.h"
#include "engine/fts/common/char_table.h"
#include "engine/fts/common/operator_table.h"
#include "engine/fts/index/index_format.h"
#include "engine/title/title_fonts.h"
#include "platform/base/os_file.h"
#include "shell/core/contents_index.h"
#include "tools/compiler/fulltext_terms.h"
#include "tools/compiler/library_fonts.h"
#include "tools/compiler/phrase_choice.h"
#include "tools/titlebuild/address_tree_writer.h"
#include "tools/titlebuild/polish_fts_tables.h"
#include "tools/titlebuild/group_file_writer.h"
#include "tools/titlebuild/keyword_index_writer.h"
#include "tools/titlebuild/library_title.h"

namespace compiler {
namespace {

constexpr uint64_t kMaxFigureBytes = 16u << 20;

// A figure name is a plain file name in the acts' folder.
bool PlainFileName(const std::string& name) {
  return !name.empty() && name.find('/') == std::string::npos && name.find('\\') == std::string::npos &&
         name != "." && name != "..";
}

void AddFullTextTables(titlebuild::TitleBuilder& builder) {
  builder.add_file(std::string(fts::kCharTableFileName), titlebuild::polish_char_table_file());
  builder.add_file(std::string(fts::kOperatorTableFileName),
                   titlebuild::operator_table_file({{"ORAZ", fts::kOpAnd}, {"LUB", fts::kOpOr}, {"NIE", fts::kOpNot},
                                                    {"PRZY", fts::kOpNear}, {"DO", fts::kOpThru}, {"VFLD", fts::kOpVfld}}));
  builder.add_file("|STOPPL", titlebuild::stop_list_file(LibraryStopWords()));
  titlebuild::add_breaker_lines(builder, {"0 x FBreakWords |STOPPL "});
}

int AddFullTextIndex(const LibraryPlan& plan, const titlebuild::TopicFileLayout& layout, titlebuild::TitleBuilder& builder,
                     std::string& error) {
  const fts::CharTable table = titlebuild::polish_char_table();
  fts::StopList stop_list;
  for (std::string_view word : LibraryStopWords()) {
    std::vector<uint8_t> counted{uint8_t(word.size())};
    counted.insert(counted.end(), word.begin(), word.end());
    fts::FtsAddStopWord(&stop_list, counted.data());
  }
  titlebuild::FtsIndexWriterOptions options;
  // Version 9: each posting codes its word positions and addresses with the parameters that suit it,
  // and its addresses run on over its topics (a topic's first address costs a gap, not the whole
  // address): about a fifth smaller than version 8 with codes for the whole index.
  options.version = 9;
  options.topic_count = uint32_t(plan.topics.size());
  options.occurrence_fields |= fts::kIndexHasField;
  try {
    titlebuild::AddFtsIndex(builder, CollectFullTextTerms(plan.topics, layout, table, &stop_list), options);
  } catch (const std::exception& e) {
    error = std::string("the full-text index cannot be written: ") + e.what();
    return 1;
  }
  return 0;
}

// Every keyword index the application opens; the texts give no signatories ("|p"), their positions
// ("|q"), formulas ("|g") or other titles ("|b"), so those stay empty.
void AddKeywordIndexes(const LibraryPlan& plan, const titlebuild::TopicFileLayout& layout, titlebuild::TitleBuilder& builder,
                       const fts::CharTable& table) {
  for (const char* name : {"|a", "|b", "|c", "|d", "|e", "|f", "|g", "|i", "|k", "|o", "|p", "|q", "|r", "|t", "|u", "|z"}) {
    std::map<std::string, std::vector<uint32_t>> merged;
    const auto found = plan.keywords.find(name);
    if (found != plan.keywords.end()) {
      for (const auto& [keyword, topic] : found->second) {
        auto& addresses = merged[keyword];
        if (addresses.size() < 0xFFFF) addresses.push_back(uint32_t(layout.topic_addresses[topic]));
      }
    }
    std::vector<titlebuild::KeywordEntry> entries;
    for (auto& [keyword, addresses] : merged) entries.push_back({keyword, std::move(addresses)});
    titlebuild::KeywordIndexOptions options;
    if (std::string_view(name) == "|u") options.key_type = 'z';
    else options.word_index_table = &table;
    titlebuild::AddKeywordIndex(builder, name, std::move(entries), options);
  }
}

}  // namespace

std::vector<Act> ReadActs(const std::string& acts_dir, CompileReport& report) {
  std::vector<std::string> paths;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(acts_dir, ec), end; !ec && it != end; it.increment(ec))
    if (it->path().extension() == ".txt" && it->is_regular_file(ec)) paths.push_back(it->path().string());
  std::sort(paths.begin(), paths.end());
  std::vector<Act> acts;
  for (const std::string& path : paths) {
    ActParseResult result = ReadAct(path);
    if (result.ok) acts.push_back(std::move(result.act));
    else report.messages.push_back(std::move(result.message));
  }
  std::map<std::pair<int, int>, std::string> first_file;
  for (const Act& act : acts) {
    const auto [found, fresh] = first_file.emplace(std::make_pair(act.year, act.position), act.file_name);
    if (!fresh)
      report.warnings.push_back(act.file_name + ": the journal address Dz.U. z " + std::to_string(act.year) + " r. poz. " +
                                std::to_string(act.position) + " is also that of " + found->second +
                                "; both acts are kept");
  }
  return acts;
}

std::string SummaryLine(const CompileReport& report) {
  return std::to_string(report.acts) + " acts compiled, " + std::to_string(report.messages.size()) + " files skipped, " +
         std::to_string(report.warnings.size()) + " warnings";
}

int BuildLibraryTitle(const LibraryPlan& plan, const std::string& acts_dir, titlebuild::TitleBuilder& builder,
                      std::string& error) {
  titlebuild::LibraryTitleSource source;
  source.topics = plan.topics;
  source.phrases = ChoosePhrases(plan.texts);
  source.title_text = "Dziennik Ustaw";
  source.start_topic = plan.start_topic;
  titlebuild::TopicFileLayout layout;
  if (titlebuild::AddLibraryTitle(builder, source, layout)) {
    error = "the topics cannot be laid out in blocks";
    return 1;
  }
  std::vector<std::pair<std::string, int32_t>> contexts;
  for (const PlannedContext& c : plan.contexts) {
    const auto& addresses = layout.record_addresses[c.topic];
    contexts.emplace_back(c.name, c.record < addresses.size() ? addresses[c.record] : layout.topic_addresses[c.topic]);
  }
  titlebuild::AddContextTree(builder, contexts);
  builder.add_file(std::string(title::kFontFileName), LibraryFontFile());
  AddFullTextTables(builder);
  if (AddFullTextIndex(plan, layout, builder, error)) return 1;
  const fts::CharTable table = titlebuild::polish_char_table();
  AddKeywordIndexes(plan, layout, builder, table);

  std::vector<int32_t> every(plan.topics.size());
  for (size_t t = 0; t < every.size(); ++t) every[t] = int32_t(t);
  builder.add_file("1992.GRP", titlebuild::GroupFileBytes(every, int32_t(plan.topics.size())));
  builder.add_file("1993.GRP", titlebuild::GroupFileBytes(plan.act_topics, int32_t(plan.topics.size())));

  for (const std::string& figure : plan.figures) {
    std::vector<uint8_t> bytes;
    if (!PlainFileName(figure) || base::read_file(acts_dir + "/" + figure, bytes, kMaxFigureBytes) != base::OsError::None) {
      error = "the figure " + figure + " cannot be read";
      return 1;
    }
    builder.add_file(figure, std::move(bytes));
  }
  return 0;
}

int CompileLibrary(const std::string& acts_dir, const std::string& out_dir, CompileReport& report, std::string& error) {
  std::vector<Act> acts = ReadActs(acts_dir, report);
  if (acts.empty()) {
    error = "no act in " + acts_dir + " could be compiled";
    return 1;
  }
  report.acts = int(acts.size());
  const LibraryPlan plan = PlanLibrary(std::move(acts), [&](const std::string& name) {
    return PlainFileName(name) && base::file_exists(acts_dir + "/" + name);
  });
  report.topics = plan.topics.size();

  titlebuild::TitleBuilder builder;
  if (BuildLibraryTitle(plan, acts_dir, builder, error)) return 1;
  const std::string library = out_dir + "/" + kLibraryFileName;
  const std::string contents = out_dir + "/" + kContentsFileName;
  const std::string library_temp = library + ".tmp", contents_temp = contents + ".tmp";
  if (const int code = builder.write(library_temp); code != 0) {
    base::remove_file(library_temp);
    error = "the library cannot be written to " + library_temp + " (code " + std::to_string(code) + ")";
    return 1;
  }
  shell::ContentsTopics topics;
  topics.count = int32_t(plan.topics.size());
  topics.header_text = [&](int32_t t) { return plan.topics[size_t(t)].header_text; };
  topics.title = [&](int32_t t) { return plan.topics[size_t(t)].title; };
  std::error_code ec;
  const auto library_permissions = std::filesystem::status(library_temp, ec).permissions();
  if (shell::WriteContentsIndex(topics, contents_temp) != 0 ||
      (std::filesystem::permissions(contents_temp, library_permissions, ec), ec) ||
      base::rename_file(library_temp, library) != base::OsError::None ||
      base::rename_file(contents_temp, contents) != base::OsError::None) {
    base::remove_file(library_temp);
    base::remove_file(contents_temp);
    error = "the library cannot be written to " + out_dir;
    return 1;
  }
  return 0;
}

}  // namespace compiler
