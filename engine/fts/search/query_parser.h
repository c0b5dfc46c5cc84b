// The query parser: query text to query tree, with the title's operator words and word breakers.
#pragma once

#include <cstdint>

#include "engine/COMMON/topic_group.h"
#include "engine/fts/common/breaker_table.h"
#include "engine/fts/common/fts_error.h"
#include "engine/fts/common/operator_table.h"
#include "engine/fts/search/query_tree.h"

namespace fts {

// Parser codes (besides 2004, 2012, 2015 and 2029 of the full-text layer, and the breakers' own).
inline constexpr int32_t kFtsEmptyQuery = 2200;
inline constexpr int32_t kFtsOperatorAtEdge = 2201;
inline constexpr int32_t kFtsQuoteNotClosed = 2203;
inline constexpr int32_t kFtsNoOpenParenthesis = 2204;
inline constexpr int32_t kFtsParenthesisNotClosed = 2205;
inline constexpr int32_t kFtsOperatorStackFull = 2206;
inline constexpr int32_t kFtsBadModifierValue = 2209;
inline constexpr int32_t kFtsThruTypesDiffer = 2210;
inline constexpr int32_t kFtsNoBreakerTable = 2211;
inline constexpr int32_t kFtsThruNotWord = 2212;
inline constexpr int32_t kFtsOnlyWildcards = 2213;

// Parse flags.
inline constexpr uint16_t kParseDefaultOr = 0x0001;
inline constexpr uint16_t kParseNoSyntax = 0x8000;  // no operator words and no syntax at all

struct FtsParseRequest {
  const uint8_t* text = nullptr;  // CP1250
  uint16_t length = 0;
  WordBreakerTable* breakers = nullptr;  // the parser gives '*' and '?' class 9 in the tables it uses
  uint16_t nearDistance = 0;            // 0 means 8
  uint16_t flags = 0;
  const engine::TopicGroup* scope = nullptr;
  const OperatorTable* operators = nullptr;  // null: the built-in table
};

// Null with the code and the position in the query text in `error` on failure.
QueryTreePtr FtsParseQuery(const FtsParseRequest& request, FtsError* error);

}  // namespace fts
