// The library's Polish full-text tables, as the library compiler writes them into every title (tests
// build their titles with the same ones): a CP1250 character table for Polish text, operator tables
// and stop lists. Each returns the internal file's bytes, written by the
// engine's own table writers.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/fts/common/char_table.h"
#include "engine/fts/common/operator_table.h"
#include "tools/titlebuild/title_builder.h"

namespace titlebuild {

// Every CP1250 letter is a word character folded to its own lower-case letter (diacritics kept, no
// ligatures); digits, the number punctuation, the apostrophe, the joiner and the wildcards keep their
// usual classes; everything else separates words. Sort weights follow the Polish alphabet.
fts::CharTable polish_char_table();
std::vector<uint8_t> polish_char_table_file();

// A "|MVOPTAB" of the given (word, code) pairs; words are CP1250.
std::vector<uint8_t> operator_table_file(const std::vector<std::pair<std::string_view, uint16_t>>& entries);

// A stop-list file holding the given CP1250 words.
std::vector<uint8_t> stop_list_file(const std::vector<std::string_view>& words);

// The Polish character table as "|MVCHARTAB", an operator table "|MVOPTAB" (Polish operator words
// beside the English ones) and a stop list of Polish words "|STOPPL".
void add_polish_fts_tables(TitleBuilder& builder);

// Appends a "|SYSTEM" record of tag 12 (a breaker-slot line) for each line to the builder's
// "|SYSTEM"; false when the builder has none.
bool add_breaker_lines(TitleBuilder& builder, const std::vector<std::string_view>& lines);

}  // namespace titlebuild
