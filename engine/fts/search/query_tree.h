// The query tree: term nodes (words, wildcard patterns, ranges) joined by operator nodes, as the
// parser makes it and the evaluation walks it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/COMMON/topic_group.h"
#include "engine/fts/index/term_scan.h"

namespace fts {

// Parser tokens; the operator words' codes map onto the first nine.
enum QueryToken : uint8_t {
  kTokenAnd = 0,
  kTokenOr = 1,
  kTokenNot = 2,
  kTokenPhrase = 3,
  kTokenNear = 4,
  kTokenThru = 5,
  kTokenGroup = 6,
  kTokenVfld = 7,
  kTokenDtype = 8,
  kTokenQuote = 50,
  kTokenClose = 51,
  kTokenOpen = 52,
  kTokenTerm = 53,
};

enum class NodeKind : uint8_t { kOperator = 1, kTerm = 2, kEmpty = 3 };

inline constexpr int32_t kNoNode = -1;
inline constexpr size_t kMaxQueryNodes = 1023;
inline constexpr uint16_t kDefaultNearDistance = 8;

// Tree flags.
inline constexpr uint16_t kTreeImplicitOnly = 0x0C;       // parsing: only implicit operators so far

// A distinct word of the query.
struct QueryWord {
  std::vector<uint8_t> term;  // counted string
  uint32_t references = 0;    // term nodes that use it
  uint16_t weight = 0;        // 32,767 + (32,767 div highest references) x references
};

struct QueryNode {
  int32_t left = kNoNode;   // operator: the second operand as written
  int32_t right = kNoNode;  // operator: the first operand
  int32_t word = -1;        // term: index into the tree's words
  int32_t upperWord = -1;  // range: the upper bound's word
  NodeKind kind = NodeKind::kTerm;
  uint8_t token = 0;        // operator token 0 to 5
  TermMode mode = TermMode::kPlain;
  const engine::TopicGroup* scope = nullptr;
  uint32_t field = 0;
  int32_t position = 0;     // of the token in the query text
  uint8_t dataType = 0;    // breaker slot that made the term
};

struct QueryTree {
  std::vector<QueryNode> nodes;  // every node after its children
  int32_t root = kNoNode;
  std::vector<QueryWord> words;
  const engine::TopicGroup* scope = nullptr;
  uint16_t nearDistance = kDefaultNearDistance;
  uint8_t defaultOperator = kTokenAnd;
  uint16_t flags = 0;
  int32_t depth = 0;
  // Occurrences the evaluation may hold in all; more ends it with 2008 and the hits found so far.
  uint32_t occurrenceLimit = 1u << 22;
};

using QueryTreePtr = std::unique_ptr<QueryTree>;

inline void FtsFreeQuery(QueryTreePtr tree) { tree.reset(); }

}  // namespace fts
