// Helpers for parser and search tests: breaker tables, the Polish operator table as the library
// compiler writes it, and a text form of query trees.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "engine/fts/breakers/word_breakers.h"
#include "engine/fts/common/operator_table.h"
#include "engine/fts/search/query_parser.h"

namespace fts::testing {

// Slot 0 breaks words with the built-in character table; slot 1 numbers, slot 3 years.
inline WordBreakerTablePtr MakeBreakers() {
  auto table = std::make_unique<WordBreakerTable>();
  table->slots[0].breaker = BreakerKind::kWords;
  table->slots[0].charTable = FtsDefaultCharTable(nullptr);
  table->slots[1].breaker = BreakerKind::kNumber;
  table->slots[3].breaker = BreakerKind::kEpoch;
  return table;
}

// The operator words the application sends, stored and read back as a "|MVOPTAB".
inline OperatorTablePtr PolishOperators() {
  OperatorTable table;
  auto add = [&](std::string_view word, uint16_t code) {
    std::vector<uint8_t> w{uint8_t(word.size())};
    w.insert(w.end(), word.begin(), word.end());
    table.entries.push_back({w, code});
  };
  add("ORAZ", kOpAnd);
  add("LUB", kOpOr);
  add("NIE", kOpNot);
  add("PRZY", kOpNear);
  add("DO", kOpThru);
  add("VFLD", kOpVfld);
  add("DTYPE", kOpDtype);
  return FtsParseOperatorTable(FtsOperatorTableBytes(table), nullptr);
}

inline std::string WordText(const QueryTree& tree, int32_t word) {
  std::string out;
  const std::vector<uint8_t>& t = tree.words[size_t(word)].term;
  for (size_t i = 1; i < t.size(); ++i) {
    const uint8_t c = t[i];
    if (c >= 0x20 && c < 0x7F) {
      out += char(c);
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

// "(first OP second)" for operators, the word for terms ("~" before wildcard patterns, "[low..high]"
// for ranges, "@n" after a field, "#n" after a breaker slot), "{}" for empty.
inline std::string Render(const QueryTree& tree, int32_t node) {
  static const char* const kNames[] = {"AND", "OR", "NOT", "PHRASE", "NEAR", "THRU"};
  const QueryNode& n = tree.nodes[size_t(node)];
  if (n.kind == NodeKind::kEmpty) return "{}";
  if (n.kind == NodeKind::kOperator)
    return "(" + Render(tree, n.right) + " " + kNames[n.token] + " " + Render(tree, n.left) + ")";
  std::string out = n.mode == TermMode::kRange ? "[" + WordText(tree, n.word) + ".." + WordText(tree, n.upperWord) + "]"
                                              : (n.mode == TermMode::kWildcard ? "~" : "") + WordText(tree, n.word);
  if (n.field) out += "@" + std::to_string(n.field);
  if (n.dataType) out += "#" + std::to_string(n.dataType);
  return out;
}

inline std::string Render(const QueryTree& tree) { return Render(tree, tree.root); }

struct ParseOutcome {
  QueryTreePtr tree;
  FtsError error;
};

inline ParseOutcome Parse(std::string_view text, WordBreakerTable* breakers, const OperatorTable* operators = nullptr,
                          uint16_t flags = 0, const engine::TopicGroup* scope = nullptr) {
  FtsParseRequest request;
  request.text = reinterpret_cast<const uint8_t*>(text.data());
  request.length = uint16_t(text.size());
  request.breakers = breakers;
  request.flags = flags;
  request.operators = operators;
  request.scope = scope;
  ParseOutcome out;
  out.tree = FtsParseQuery(request, &out.error);
  return out;
}

}  // namespace fts::testing
