// The seven classes of full-text query the benchmarks time (a rare word, a frequent word, AND of two
// frequent words, NOT, a three-word phrase, NEAR within 8 words, a prefix wildcard), each written
// in the program's query language and in FTS5's; and the reference they are timed against: an
// SQLite FTS5 table of the compiled corpus's topics (one row per topic, its text and its title as
// two columns), asked for the matching rows in rank order the plain way.
#pragma once

#include <cstddef>
#include <memory>
#include <span>

#include "tools/compiler/library_plan.h"

struct sqlite3;
struct sqlite3_stmt;

namespace bench {

struct QueryClass {
  const char* name;
  const char* ours;  // UTF-8; the program's operator words
  const char* fts5;
};

std::span<const QueryClass> QueryClasses();

class Fts5Topics {
 public:
  // Indexes every topic of the plan in an in-memory table.
  explicit Fts5Topics(const compiler::LibraryPlan& plan);
  ~Fts5Topics();
  Fts5Topics(const Fts5Topics&) = delete;
  Fts5Topics& operator=(const Fts5Topics&) = delete;

  bool ready() const { return select_ != nullptr; }
  // Runs an FTS5 MATCH text, ordered by rank (not fetched), reading every row id; the rows found.
  size_t Run(const char* match);

 private:
  sqlite3* db_ = nullptr;
  sqlite3_stmt* select_ = nullptr;
};

}  // namespace bench
