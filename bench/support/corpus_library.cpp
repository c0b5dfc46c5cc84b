#include "bench/support/corpus_library.h"

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

}  // namespace bench
