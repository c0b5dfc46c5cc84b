// The tables of a title that turn numbers and names into TopicAddress values, each opened on first
// use and kept with the title: the catalogue "|CATALOG", the context table "|CONTEXT" (a B-tree keyed
// by ContextHash with i32 TopicAddress records), the title strings "|TTLBTREE" (a B-tree keyed by
// TopicAddress whose records are the topics' titles) and the start topic (system tag 3, else
// catalogue record 0). A table that fails to open is tried again at the next request.
#pragma once

#include <cstddef>
#include <cstdint>

namespace title {

struct TitleHandle;

// The TopicAddress of catalogue record n; -1 when it cannot be read.
int32_t TtlGetCatalogAddress(TitleHandle* title, int32_t n);
// The TopicAddress stored for the hash; -1 when the hash is not there or there is no "|CONTEXT".
int32_t TtlLookupContextHash(TitleHandle* title, uint32_t hash);
// TtlLookupContextHash of the string's hash; -1 for a missing string.
int32_t TtlLookupContextString(TitleHandle* title, const char* context);
// The TopicAddress of the start topic; -1 when there is none.
int32_t TtlGetStartAddress(TitleHandle* title);
// The title string of topic n copied into the buffer; its length, or -1.
int32_t TtlTopicTitle(TitleHandle* title, int32_t n, char* buffer, size_t buffer_size);
// The title string of the topic at or before the address copied into the buffer; 0, or -1.
int32_t TtlTitleAtAddress(TitleHandle* title, int32_t address, char* buffer, size_t buffer_size);

}  // namespace title
