// Lays acts out as the library's topics, in catalogue order: for each year a yearbook topic, for each
// journal issue of the year an issue topic, then each act of the issue (by position) with one topic
// for the act's own text, one for every division and one for every attachment, in reading order.
// Acts whose journal number is unknown form the year's last issue, number 0.
//
// Every topic header text carries the tags the contents index reads: "<Q:" level letter (Y yearbook,
// P issue, A act, C/K/T/D/R/O divisions, Z attachment), "<D:" four-digit year "." number or position
// (".Z" and the attachment number for attachments), "<X:" the kind of act or the heading's label,
// "<T:" the title or the heading's name, "<U:" the act's date and "<W:" the date of a division (its
// act's), both "YY.MM.DD"; act topics also "<I:" their subject followed by ';' (as in "|i").
//
// Contexts: yearbooks "DU.1998.0000.0000", issues "DU.1998.012", acts "DU.1998.0034.0000" and
// articles "DU.1998.0034.0005" (at the article's heading record; the first of equal numbers wins).
// An article's heading opens the record of its first paragraph ("Art. 5. § 1. Zbiory ..."), in the
// heading font; it has a record of its own only when no text follows it.
// A second act of the same address (two files giving one address) gets the same names followed by
// ".2" (".3" for a third), so both stay reachable.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tools/compiler/act_text.h"
#include "tools/titlebuild/topic_writer.h"

namespace compiler {

struct PlannedContext {
  std::string name;
  size_t topic = 0;
  size_t record = 0;
};

struct LibraryPlan {
  std::vector<titlebuild::TopicSource> topics;
  // Each topic's text as a reader gets it back: its records' texts without the NULs between runs,
  // one line per record.
  std::vector<std::string> texts;
  std::vector<int> levels;  // contents level of each topic (9 yearbook ... 1)
  std::vector<PlannedContext> contexts;
  std::set<std::string> figures;    // PNG files named by figure lines, stored as baggage
  std::optional<size_t> start_topic;  // the first act
  std::vector<int32_t> act_topics;    // topics of the acts' own texts
  // Keyword index name -> (keyword, topic) pairs in catalogue order: "|a" act titles ("title#kind"), "|i" subjects
  // (titles without their leading "o "), "|u" act dates "YY-MM-DD", "|c" "|k" "|t" "|d" "|r" "|o"
  // division names by level, "|z" attachments, "|f" attachments with figures, "|e" attachments with
  // tables.
  std::map<std::string, std::vector<std::pair<std::string, size_t>>> keywords;
};

// `figure_exists` tells whether a figure file named in an act is present (a missing one stays text).
LibraryPlan PlanLibrary(std::vector<Act> acts, const std::function<bool(const std::string&)>& figure_exists);

// The context string of an act and of one of its articles (article 0: the act itself).
std::string ActContext(int year, int position, int article = 0);

}  // namespace compiler
