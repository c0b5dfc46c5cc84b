// The library compiler's whole path after planning: an act of any bytes that the reader accepts is
// planned, built into a library title (topics, phrases, tables, full-text and keyword indexes) and a
// contents index, written to the private folder and opened again. The title opens, holds the planned
// topics with their titles, and the contents index has one record per topic.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/title/title.h"
#include "engine/title/title_tables.h"
#include "platform/base/temp_folder.h"
#include "shell/core/contents_index.h"
#include "shell/core/contents_reader.h"
#include "tools/compiler/act_text.h"
#include "tools/compiler/library_compiler.h"
#include "tools/compiler/library_plan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  compiler::ActParseResult result =
      compiler::ParseAct(std::string_view(reinterpret_cast<const char*>(data), size), "2001_17.txt");
  if (!result.ok) return 0;
  std::vector<compiler::Act> acts{std::move(result.act)};
  const compiler::LibraryPlan plan = compiler::PlanLibrary(std::move(acts), [](const std::string&) { return false; });
  titlebuild::TitleBuilder builder;
  std::string error;
  if (compiler::BuildLibraryTitle(plan, base::temp_folder(), builder, error)) {
    if (error.empty()) __builtin_trap();  // a failure says why
    return 0;
  }
  const std::string path = base::temp_folder() + "/" + compiler::kLibraryFileName;
  if (builder.write(path) != 0) __builtin_trap();
  title::TitleHandle* t = title::TtlOpen(path.c_str(), nullptr, 0, true);
  if (!t) __builtin_trap();
  char buffer[512];
  for (size_t n = 0; n < plan.topics.size() && n < 64; ++n) {
    const int32_t length = title::TtlTopicTitle(t, int32_t(n), buffer, sizeof buffer);
    const std::string& planned = plan.topics[n].title;
    const size_t stored = std::min(planned.size(), std::strlen(planned.c_str()));
    if (length != int32_t(stored) || std::string_view(buffer) != std::string_view(planned).substr(0, std::min(stored, sizeof buffer - 1)))
      __builtin_trap();
  }
  title::TtlClose(t);

  shell::ContentsTopics topics;
  topics.count = int32_t(plan.topics.size());
  topics.header_text = [&](int32_t n) { return plan.topics[size_t(n)].header_text; };
  topics.title = [&](int32_t n) { return plan.topics[size_t(n)].title; };
  const std::vector<uint8_t> index = shell::BuildContentsIndex(topics);
  shell::ContentsIndexReader reader;
  reader.OpenBytes(std::span<const uint8_t>(index));
  if (reader.RecordCount() != topics.count) __builtin_trap();
  return 0;
}
