// lumokal-compile --acts DIR --out DIR: compiles a folder of acts into LumoKAL.dat and Index.idx.
// Skipped files and warnings go to the error output, then one summary line; the exit status is 1
// when a file was skipped (the library is still written from the others) or nothing was written.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/compiler/library_compiler.h"

int main(int argc, char** argv) {
  std::string acts, out;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--acts")) acts = argv[i + 1];
    else if (!std::strcmp(argv[i], "--out")) out = argv[i + 1];
  }
  if (acts.empty() || out.empty()) {
    std::fprintf(stderr, "usage: lumokal-compile --acts DIR --out DIR\n");
    return 2;
  }
  compiler::CompileReport report;
  std::string error;
  const int result = compiler::CompileLibrary(acts, out, report, error);
  for (const std::string& message : report.messages) std::fprintf(stderr, "%s\n", message.c_str());
  for (const std::string& warning : report.warnings) std::fprintf(stderr, "warning: %s\n", warning.c_str());
  if (result != 0) {
    std::fprintf(stderr, "lumokal-compile: %s; %s\n", error.c_str(), compiler::SummaryLine(report).c_str());
    return 1;
  }
  std::printf("lumokal-compile: %s (%zu topics): %s/%s, %s/%s\n", compiler::SummaryLine(report).c_str(), report.topics,
              out.c_str(), compiler::kLibraryFileName, out.c_str(), compiler::kContentsFileName);
  return report.messages.empty() ? 0 : 1;
}
