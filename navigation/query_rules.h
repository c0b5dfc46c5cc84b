// The rules of the find / go-to sheet as plain functions over plain data: the operator words the
// query page inserts, the engine flags and text of a query, the query history, journal addresses
// of the go-to page, the PRZY line of the hints, the list-scope codes, the places of the scope
// group files and the natural order the result lists sort by. Texts are CP1250.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/cstring.h"

namespace findrules {

// --- Query text ---------------------------------------------------------------------------------
// The text after operator command `command` (32989 "ORAZ" to 32996 "Dowolny znak"): the text is
// trimmed of white space at both ends, then " ORAZ", " LUB", " NIE" or " PRZY" is appended, it is
// quoted or bracketed, or "*" or "?" is appended. Any other command leaves the text as it is.
std::string InsertOperator(const std::string& text, unsigned command);
// The text the engine gets: "VFLD 1 " before it for titles only.
std::string EngineQueryText(const std::string& text, bool titles_only);
// The engine flags: 1 when words side by side join by LUB (the default operator is not ORAZ),
// 512 when the hits are not to be sorted by falling number of occurrences.
uint16_t QueryFlags(bool default_and, bool sort_hits);
// The query history keeps at most this many texts, newest first.
inline constexpr size_t kHistorySize = 10;
// Puts `text` first in the history unless an entry equals it exactly; at most kHistorySize stay.
// TRUE when it was added.
bool AddToHistory(std::vector<CString>& history, const CString& text);
// The query texts are at most this long.
inline constexpr int kQueryLimit = 254;

// --- Search outcome -----------------------------------------------------------------------------
enum class Outcome { kHits, kEngineError, kAborted, kNothingFound };
// What a finished query reports: no list is an engine error; a list without hits is a cancel
// when the user pressed "Przerwij", else nothing found.
Outcome ClassifyResult(bool has_list, int32_t count, bool aborted);
// The text of an engine failure: the string with the engine's code, or, when there is none, a
// generic text with the code.
std::string EngineErrorText(const std::string& table_text, int code);

// --- Journal addresses (the go-to page) -----------------------------------------------------------
enum GotoEntry { kGotoArticle = 0, kGotoAct = 1, kGotoIssue = 2, kGotoYearbook = 3, kGotoYearbookIndex = 4 };
// "." and the digits padded with zeros to `width`; a longer text stands unchanged, without ".".
std::string PaddedPart(const std::string& digits, int width);
// The address of entry `entry` from the fields' data: "DU.199" + year digit + parts.
std::string GotoAddress(int entry, const std::string& year, const std::string& position_or_number,
                        const std::string& article);
// The act of an article address: the same address with ".0000" for the article.
std::string GotoActAddress(const std::string& year, const std::string& position);
// The entry the page starts on for a record of `level`: 7 the act, 8 the issue, 9 the yearbook,
// anything else an article.
int GotoEntryForLevel(int level);

// --- Hints ----------------------------------------------------------------------------------------
// The meaning of "x PRZY y" for the user's PRZY distance, with the Polish plural of "słowo".
std::string NearHintText(int distance);

// --- Scopes ---------------------------------------------------------------------------------------
enum ListScopeCode : int {
  kScopeHistory = 0,
  kScopeBookmarks = 1,
  kScopeIndexes = 2,
  kScopeResults = 3,
  kScopePrintList = 4,
  kScopeLibrary = 11,
  kScopeBinder = 12,
  kScopeSeparator = -1,
};
// The text of a list-scope combo entry (the separator is 27 en dashes).
std::string ListScopeText(int code);
// The path of scope group file `name` ("pr", "po", "lg"): `folder`/name.lkg; the folder is the
// process's private temporary folder.
std::string ScopeFilePath(const std::string& folder, const std::string& name);

// --- Sorting ----------------------------------------------------------------------------------------
// A natural comparison of two texts: digit runs compare as numbers, the rest in Polish alphabetical
// order without regard to case (case and accents only break ties); leading blanks are skipped and an
// empty text comes first. A total order: only texts equal apart from their leading blanks compare 0.
int CompareNatural(const std::string& a, const std::string& b);
// The order that sorts `keys` naturally: a stable sort of their indexes (equal keys keep theirs).
std::vector<size_t> NaturalOrder(const std::vector<std::string>& keys);

}  // namespace findrules
