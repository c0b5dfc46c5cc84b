#include "bench/support/corpus_library.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "bench/support/side_by_side.h"
#include "platform/base/temp_folder.h"
#include "tools/compiler/library_compiler.h"

namespace bench {
namespace {

std::unique_ptr<CorpusLibrary> compile() {
  const std::string acts = SharedCorpus();
  if (acts.empty()) return nullptr;
  const std::string out = base::temp_folder() + "/corpus_library";
  std::filesystem::create_directories(out);
  compiler::CompileReport report;
  std::string error;
  // A file that holds no act is skipped (exit 1) and the library is still written.
  compiler::CompileLibrary(acts, out, report, error);
  auto library = std::make_unique<CorpusLibrary>();
  library->path = out + "/" + compiler::kLibraryFileName;
  if (!std::filesystem::exists(library->path)) return nullptr;
  compiler::CompileReport again;
  library->plan = compiler::PlanLibrary(compiler::ReadActs(acts, again), [&](const std::string& file) {
    return std::filesystem::exists(acts + "/" + file);
  });
  return library;
}

}  // namespace

const CorpusLibrary* CompiledCorpus() {
  static const std::unique_ptr<CorpusLibrary> library = compile();
  return library.get();
}

std::vector<int32_t> ActsByTextLength(const CorpusLibrary& library) {
  std::vector<int32_t> acts;
  for (int32_t topic : library.plan.act_topics) {
    if (size_t(topic) < library.plan.texts.size() && !library.plan.texts[size_t(topic)].empty()) acts.push_back(topic);
  }
  std::stable_sort(acts.begin(), acts.end(), [&](int32_t a, int32_t b) {
    return library.plan.texts[size_t(a)].size() < library.plan.texts[size_t(b)].size();
  });
  return acts;
}

int32_t LongestActTopic(const CorpusLibrary& library) {
  const std::vector<int32_t> acts = ActsByTextLength(library);
  return acts.empty() ? -1 : acts.back();
}

}  // namespace bench
