// The library compiled from the shared corpus, once per benchmark program, in the private temporary
// folder, with the compiler's plan of it (the topics' titles and texts).
#pragma once

#include <string>

#include "tools/compiler/library_plan.h"

namespace bench {

struct CorpusLibrary {
  std::string path;  // LumoKAL.dat
  compiler::LibraryPlan plan;
};

// Null when the shared corpus is absent or the library was not written.
const CorpusLibrary* CompiledCorpus();

}  // namespace bench
