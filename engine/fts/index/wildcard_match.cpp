#include "engine/fts/index/wildcard_match.h"

namespace fts {

namespace {

// A piece (no '*') matches at `at` of the key, '?' matching any byte.
bool piece_matches(std::string_view piece, std::string_view key, size_t at) {
  if (at + piece.size() > key.size()) return false;
  for (size_t i = 0; i < piece.size(); ++i)
    if (piece[i] != '?' && piece[i] != key[at + i]) return false;
  return true;
}

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view key) {
  const size_t first_star = pattern.find('*');
  if (first_star == std::string_view::npos)
    return pattern.size() == key.size() && piece_matches(pattern, key, 0);
  const size_t last_star = pattern.rfind('*');
  const std::string_view head = pattern.substr(0, first_star);
  const std::string_view tail = pattern.substr(last_star + 1);
  if (head.size() + tail.size() > key.size()) return false;
  if (!piece_matches(head, key, 0) || !piece_matches(tail, key, key.size() - tail.size())) return false;
  // The pieces between the stars, each placed leftmost inside the room the head and tail leave.
  size_t at = head.size();
  const size_t limit = key.size() - tail.size();
  size_t start = first_star + 1;
  while (start <= last_star) {
    size_t stop = pattern.find('*', start);
    const std::string_view piece = pattern.substr(start, stop - start);
    start = stop + 1;
    if (piece.empty()) continue;
    for (;;) {
      if (at + piece.size() > limit) return false;
      if (piece_matches(piece, key, at)) break;
      ++at;
    }
    at += piece.size();
  }
  return true;
}

}  // namespace fts
