// B-trees keyed by a 32-bit value ('L' keys) for built titles: "|CONTEXT" (ContextHash -> i32
// TopicAddress, format "L4") and "|TTLBTREE" (TopicAddress -> title string, format "Lz").
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tools/titlebuild/title_builder.h"

namespace titlebuild {

// Adds "|CONTEXT" with the given (context string, TopicAddress) pairs.
void AddContextTree(TitleBuilder& builder, const std::vector<std::pair<std::string, int32_t>>& contexts);
// Adds "|TTLBTREE" with the given (TopicAddress, CP1250 title) pairs.
void AddTitleStringTree(TitleBuilder& builder, const std::vector<std::pair<int32_t, std::string>>& titles);

}  // namespace titlebuild
