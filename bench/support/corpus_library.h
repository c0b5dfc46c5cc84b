// The library compiled from the shared corpus, once per benchmark program, in the private temporary
// folder, with the compiler's plan of it (the topics' titles and texts).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/compiler/library_plan.h"

namespace bench {

struct CorpusLibrary {
  std::string path;  // LumoKAL.dat
  compiler::LibraryPlan plan;
};

// Null when the shared corpus is absent or the library was not written.
const CorpusLibrary* CompiledCorpus();

// The act topics that have a text of their own, shortest text first (equal lengths in topic order).
std::vector<int32_t> ActsByTextLength(const CorpusLibrary& library);
// The act topic with the longest text, or -1.
int32_t LongestActTopic(const CorpusLibrary& library);

}  // namespace bench
