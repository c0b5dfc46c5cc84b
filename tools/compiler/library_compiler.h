// The library compiler: a folder of acts ("*.txt", UTF-8) becomes the library title "LumoKAL.dat"
// and its contents index "Index.idx".
//
// The title holds the topics of library_plan.h (compressed blocks, phrase table from frequent words),
// their titles, contexts, catalogue and start topic (the first act), the style sheet, the Polish
// full-text tables ("|MVCHARTAB", "|MVOPTAB" with ORAZ, LUB, NIE, PRZY, DO and VFLD, the stop list
// "|STOPPL" and the breaker line in "|SYSTEM"), the full-text index "|MVINDEX" (body words in field 0,
// title words in field 1), the keyword indexes of library_plan.h (all sixteen names the application
// opens, some empty), the figures as baggage files under their own names, and two stored
// groups: "1992" every topic of the library (the whole library), "1993" the topics of the acts' own
// texts (one per act: searches restricted to it find each act once, by its title and first text).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/compiler/act_text.h"
#include "tools/compiler/library_plan.h"
#include "tools/titlebuild/title_builder.h"

namespace compiler {

inline constexpr const char* kLibraryFileName = "LumoKAL.dat";
inline constexpr const char* kContentsFileName = "Index.idx";

struct CompileReport {
  int acts = 0;                        // acts compiled
  size_t topics = 0;
  std::vector<std::string> messages;   // one per file skipped
  std::vector<std::string> warnings;   // acts compiled with a doubt (two files of one journal address)
};

// The run's one summary line: "N acts compiled, M files skipped, W warnings".
std::string SummaryLine(const CompileReport& report);

// Reads every act of `acts_dir` (sorted by file name); files that cannot be read are reported and
// skipped; files giving the same journal address are all kept, with a warning.
std::vector<Act> ReadActs(const std::string& acts_dir, CompileReport& report);

// Adds every internal file of the library for `plan` to the builder; figures are read from
// `acts_dir`. 0, or 1 with `error` set.
int BuildLibraryTitle(const LibraryPlan& plan, const std::string& acts_dir, titlebuild::TitleBuilder& builder,
                      std::string& error);

// The whole run: writes `out_dir`/LumoKAL.dat and Index.idx under temporary names and renames them
// only when both are complete, so a failed run never leaves a half library; Index.idx gets the
// permissions of LumoKAL.dat. 0, or 1 with `error`.
int CompileLibrary(const std::string& acts_dir, const std::string& out_dir, CompileReport& report, std::string& error);

}  // namespace compiler
