#include "bench/support/query_classes.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <string>

#include "platform/base/cp1250.h"

namespace bench {

std::span<const QueryClass> QueryClasses() {
  static const QueryClass classes[] = {
      {"rare_word", "akcyzowym", "akcyzowym"},
      {"frequent_word", "ustawy", "ustawy"},
      {"and_frequent", "ustawy ORAZ przepisy", "ustawy AND przepisy"},
      {"not", "podatku NIE akcyzowym", "podatku NOT akcyzowym"},
      {"phrase3", "\"urząd skarbowy właściwy\"", "\"urząd skarbowy właściwy\""},
      {"near8", "minister PRZY właściwy", "NEAR(minister właściwy, 8)"},
      {"prefix", "podat*", "podat*"},
  };
  return classes;
}

Fts5Topics::Fts5Topics(const compiler::LibraryPlan& plan) {
  if (sqlite3_open(":memory:", &db_) != SQLITE_OK) return;
  sqlite3_exec(db_, "CREATE VIRTUAL TABLE topics USING fts5(body, title, tokenize='unicode61 remove_diacritics 0')",
               nullptr, nullptr, nullptr);
  sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(db_, "INSERT INTO topics(rowid, body, title) VALUES(?, ?, ?)", -1, &insert, nullptr);
  for (size_t i = 0; i < plan.topics.size(); ++i) {
    const std::string body = base::cp1250::to_utf8(plan.texts[i]), name = base::cp1250::to_utf8(plan.topics[i].title);
    sqlite3_bind_int64(insert, 1, int64_t(i));
    sqlite3_bind_text(insert, 2, body.data(), int(body.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 3, name.data(), int(name.size()), SQLITE_TRANSIENT);
    sqlite3_step(insert);
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_prepare_v2(db_, "SELECT rowid FROM topics WHERE topics MATCH ? ORDER BY rank", -1, &select_, nullptr);
}

Fts5Topics::~Fts5Topics() {
  if (select_) sqlite3_finalize(select_);
  if (db_) sqlite3_close(db_);
}

size_t Fts5Topics::Run(const char* match) {
  sqlite3_bind_text(select_, 1, match, -1, SQLITE_STATIC);
  size_t rows = 0;
  while (sqlite3_step(select_) == SQLITE_ROW) {
    benchmark::DoNotOptimize(sqlite3_column_int64(select_, 0));
    ++rows;
  }
  sqlite3_reset(select_);
  return rows;
}

}  // namespace bench
