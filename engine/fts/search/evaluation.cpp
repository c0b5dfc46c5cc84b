#include "engine/fts/search/evaluation.h"

#include <algorithm>

namespace fts {

namespace {

bool occurrence_less(const FtsOccurrence& a, const FtsOccurrence& b) {
  return a.wordPosition != b.wordPosition ? a.wordPosition < b.wordPosition : a.address < b.address;
}
bool same_place(const FtsOccurrence& a, const FtsOccurrence& b) {
  return a.wordPosition == b.wordPosition && a.address == b.address;
}

// Merges two sorted occurrence lists, dropping repeated places.
std::vector<FtsOccurrence> merge_occurrences(std::vector<FtsOccurrence> a, const std::vector<FtsOccurrence>& b) {
  if (b.empty()) return a;
  std::vector<FtsOccurrence> out;
  out.reserve(a.size() + b.size());
  std::merge(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out), occurrence_less);
  out.erase(std::unique(out.begin(), out.end(), same_place), out.end());
  return out;
}

bool in_group(const engine::TopicGroup* group, uint32_t topic) {
  return topic <= uint32_t(INT32_MAX) && group->has_item(int32_t(topic));
}

bool has_topic(const FtsHits& hits, uint32_t topic) {
  auto it = std::lower_bound(hits.begin(), hits.end(), topic,
                             [](const FtsHit& h, uint32_t t) { return h.topic < t; });
  return it != hits.end() && it->topic == topic;
}

struct SearchState {
  FtsIndex& index;
  const QueryTree& tree;
  bool ranking = false;
  uint64_t occurrencesLeft = 0;
  bool resort = false;       // a phrase or NEAR left occurrence lists to re-sort by address
  bool nearPending = false;  // NEAR groups wait to be finished
};

// Before any operator but phrase and NEAR, pending NEAR groups are finished.
void finish_groups_before(SearchState& state, uint8_t token, FtsHits& operand) {
  if (state.nearPending && token != kTokenNear && token != kTokenPhrase) FtsFinishNearGroups(operand);
}

// Collects one term's topics from the index, in the term's scope, restricted to the topics of
// `filter` when given (the accumulator of AND, NOT, phrase and NEAR).
class TermSink : public FtsPostingSink {
 public:
  TermSink(SearchState& state, const QueryNode& node, const FtsHits* filter)
      : state_(state), node_(node), filter_(filter),
        wordWeight_(state.tree.words[size_t(node.word)].weight) {}

  bool wants(uint32_t topic) override {
    if (node_.scope && !in_group(node_.scope, topic)) return false;
    return !filter_ || has_topic(*filter_, topic);
  }

  int32_t add(uint32_t topic, uint16_t weight, std::span<const FtsOccurrence> occurrences) override {
    if (occurrences.size() > state_.occurrencesLeft) return kFtsNodesExhausted;
    state_.occurrencesLeft -= occurrences.size();
    uint32_t w = weight;
    if (wordWeight_ != 0xFFFF) w = uint32_t(uint64_t(w) * wordWeight_ / 0xFFFF);
    const uint16_t each =
        state_.ranking && occurrences.size() <= 0xFFFF ? uint16_t(w / occurrences.size()) : uint16_t(0);
    if (!hits_.empty() && topic <= hits_.back().topic) unordered_ = true;
    FtsHit hit{topic, 0, 0, {occurrences.begin(), occurrences.end()}};
    for (FtsOccurrence& o : hit.occurrences) {
      o.weight = each;
      o.flags = 0;
    }
    hits_.push_back(std::move(hit));
    return kFtsOk;
  }

  // The topics in ascending order, one hit each, occurrences sorted (a wildcard or range term brings
  // several postings, so a topic may come more than once).
  FtsHits take() {
    if (unordered_) {
      std::stable_sort(hits_.begin(), hits_.end(), [](const FtsHit& a, const FtsHit& b) { return a.topic < b.topic; });
      FtsHits merged;
      for (FtsHit& h : hits_) {
        if (!merged.empty() && merged.back().topic == h.topic)
          merged.back().occurrences.insert(merged.back().occurrences.end(), h.occurrences.begin(), h.occurrences.end());
        else
          merged.push_back(std::move(h));
      }
      hits_ = std::move(merged);
    }
    for (FtsHit& h : hits_) SortOccurrences(h.occurrences);
    return std::move(hits_);
  }

 private:
  SearchState& state_;
  const QueryNode& node_;
  const FtsHits* filter_;
  uint16_t wordWeight_;
  FtsHits hits_;
  bool unordered_ = false;
};

// Scans a term node into its hits. 0, 2008 (the hits so far are kept) or the scan's code.
int32_t scan_term(SearchState& state, const QueryNode& node, const FtsHits* filter, FtsHits& out) {
  const QueryTree& tree = state.tree;
  FtsTermSpec wanted;
  wanted.word = tree.words[size_t(node.word)].term.data();
  wanted.upper = node.upperWord >= 0 ? tree.words[size_t(node.upperWord)].term.data() : nullptr;
  wanted.mode = node.mode;
  wanted.field = node.field;
  TermSink sink(state, node, filter);
  const int32_t code = FtsScanTerm(state.index, wanted, sink);
  out = sink.take();
  return code;
}

FtsHits combine(const SearchState& state, uint8_t token, FtsHits first, FtsHits second) {
  switch (token) {
    case kTokenAnd:
      return FtsCombineAnd(std::move(first), std::move(second));
    case kTokenOr:
      return FtsCombineOr(std::move(first), std::move(second));
    case kTokenNot:
      return FtsCombineNot(std::move(first), second);
    case kTokenPhrase:
      return FtsCombinePhrase(std::move(first), std::move(second));
    case kTokenNear:
      return FtsCombineNear(std::move(first), std::move(second), state.tree.nearDistance);
  }
  return {};
}

// Walks the tree after its children with an explicit stack, so deep trees cannot exhaust the call
// stack. Single-term second operands are scanned against the accumulator's topics only.
int32_t evaluate(SearchState& state, FtsHits& result) {
  const QueryTree& tree = state.tree;
  std::vector<FtsHits> results(tree.nodes.size());
  struct Frame {
    int32_t node;
    int stage;
  };
  std::vector<Frame> stack{{tree.root, 0}};
  while (!stack.empty()) {
    Frame& f = stack.back();
    const QueryNode& node = tree.nodes[size_t(f.node)];
    if (node.kind == NodeKind::kEmpty) {
      stack.pop_back();
      continue;
    }
    if (node.kind == NodeKind::kTerm) {
      const int32_t code = scan_term(state, node, nullptr, results[size_t(f.node)]);
      if (code) {
        result = std::move(results[size_t(f.node)]);
        return code;
      }
      stack.pop_back();
      continue;
    }
    const size_t first = size_t(node.right), second = size_t(node.left);
    if (f.stage == 0) {
      f.stage = 1;
      stack.push_back({node.right, 0});
      continue;
    }
    FtsHits& out = results[size_t(f.node)];
    if (f.stage == 1) {
      if (results[first].empty() && node.token != kTokenOr) {
        stack.pop_back();
        continue;
      }
      finish_groups_before(state, node.token, results[first]);
      const QueryNode& operand = tree.nodes[second];
      if (operand.kind == NodeKind::kTerm) {
        const bool filtered = node.token != kTokenOr;
        FtsHits term;
        const int32_t code = scan_term(state, operand, filtered ? &results[first] : nullptr, term);
        if (code && code != kFtsNodesExhausted) return code;
        out = combine(state, node.token, std::move(results[first]), std::move(term));
        if (node.token == kTokenPhrase || node.token == kTokenNear) state.resort = true;
        if (node.token == kTokenNear) state.nearPending = true;
        if (code) {
          result = std::move(out);
          return code;
        }
        stack.pop_back();
        continue;
      }
      if (node.token == kTokenPhrase) return kFtsDamaged;
      f.stage = 2;
      stack.push_back({node.left, 0});
      continue;
    }
    finish_groups_before(state, node.token, results[second]);
    out = combine(state, node.token, std::move(results[first]), std::move(results[second]));
    if (node.token == kTokenNear) state.resort = state.nearPending = true;
    stack.pop_back();
  }
  result = std::move(results[size_t(tree.root)]);
  return kFtsOk;
}

// Sets the bit of every hit topic that the group's vector covers; the caller recomputes its count.
void mark_group(engine::TopicGroup& group, const FtsHits& hits) {
  for (const FtsHit& h : hits)
    if (h.topic / 8 < group.bits.size()) group.bits[h.topic / 8] |= uint8_t(1u << (h.topic % 8));
}

void final_pass(FtsHits& hits, bool ranking, bool resort) {
  for (FtsHit& h : hits) {
    if (resort) {
      std::sort(h.occurrences.begin(), h.occurrences.end(),
                [](const FtsOccurrence& a, const FtsOccurrence& b) { return a.address < b.address; });
      h.occurrences.erase(std::unique(h.occurrences.begin(), h.occurrences.end(),
                                      [](const FtsOccurrence& a, const FtsOccurrence& b) { return a.address == b.address; }),
                          h.occurrences.end());
    }
    h.count = uint32_t(h.occurrences.size());
    if (ranking) {
      uint32_t sum = 0;
      for (const FtsOccurrence& o : h.occurrences) sum = std::min<uint32_t>(0xFFFF, sum + o.weight);
      h.weight = uint16_t(sum);
    }
  }
  // Descending by weight or by count; equal keys keep topic order.
  std::stable_sort(hits.begin(), hits.end(), [ranking](const FtsHit& a, const FtsHit& b) {
    return ranking ? a.weight > b.weight : a.count > b.count;
  });
}

// Walks two topic-sorted hit lists together and calls `join(a, b)` for each topic both hold; the
// hits of `first` that it accepts (returns true for) are kept, as `join` left them.
template <typename Join>
FtsHits join_topics(FtsHits first, const FtsHits& second, Join join) {
  FtsHits out;
  auto b = second.begin();
  for (FtsHit& a : first) {
    while (b != second.end() && b->topic < a.topic) ++b;
    if (b == second.end() || b->topic != a.topic) continue;
    if (join(a, *b)) out.push_back(std::move(a));
  }
  return out;
}

}  // namespace

void SortOccurrences(std::vector<FtsOccurrence>& occurrences) {
  if (!std::is_sorted(occurrences.begin(), occurrences.end(), occurrence_less))
    std::stable_sort(occurrences.begin(), occurrences.end(), occurrence_less);
  occurrences.erase(std::unique(occurrences.begin(), occurrences.end(), same_place), occurrences.end());
}

FtsHits FtsCombineOr(FtsHits first, FtsHits second) {
  if (first.empty()) return second;
  FtsHits out;
  out.reserve(first.size() + second.size());
  auto a = first.begin(), b = second.begin();
  while (a != first.end() || b != second.end()) {
    if (b == second.end() || (a != first.end() && a->topic < b->topic)) {
      out.push_back(std::move(*a++));
    } else if (a == first.end() || b->topic < a->topic) {
      out.push_back(std::move(*b++));
    } else {
      a->occurrences = merge_occurrences(std::move(a->occurrences), b->occurrences);
      out.push_back(std::move(*a++));
      ++b;
    }
  }
  return out;
}

FtsHits FtsCombineAnd(FtsHits first, FtsHits second) {
  return join_topics(std::move(first), second, [](FtsHit& a, const FtsHit& b) {
    a.occurrences = merge_occurrences(std::move(a.occurrences), b.occurrences);
    return true;
  });
}

FtsHits FtsCombineNot(FtsHits first, const FtsHits& second) {
  std::erase_if(first, [&](const FtsHit& h) { return has_topic(second, h.topic); });
  return first;
}

namespace {

// One topic of a phrase step: each occurrence of the new word finds its partner, the first
// occurrence at the word position before it that is not a first word of an earlier step; partners
// become first words, the new occurrence their follower, and the first words passed over just
// before a partner stay with it. Returns the kept occurrences, empty when none matched.
std::vector<FtsOccurrence> phrase_topic(std::vector<FtsOccurrence> list, const std::vector<FtsOccurrence>& words) {
  struct Insert {
    size_t after;
    FtsOccurrence occ;
  };
  std::vector<Insert> inserts;
  size_t resume = 0;
  for (FtsOccurrence q : words) {
    if (q.wordPosition == 0) continue;
    size_t i = resume, run_start = SIZE_MAX;
    bool found = false;
    for (; i < list.size(); ++i) {
      FtsOccurrence& o = list[i];
      if (o.flags & kOccPhraseFirst) {
        if (run_start == SIZE_MAX) run_start = i;
        continue;
      }
      if (o.wordPosition >= q.wordPosition) break;
      if (o.wordPosition == q.wordPosition - 1) {
        found = true;
        break;
      }
      run_start = SIZE_MAX;
    }
    if (!found) {
      resume = run_start != SIZE_MAX ? run_start : i;
      continue;
    }
    list[i].flags = uint8_t((list[i].flags | kOccMatched | kOccPhraseFirst) & ~kOccFollower);
    for (size_t k = run_start; run_start != SIZE_MAX && k < i; ++k) list[k].flags |= kOccMatched;
    q.flags = kOccMatched | kOccPhraseFirst | kOccFollower;
    inserts.push_back({i, q});
    resume = i + 1;
  }
  std::vector<FtsOccurrence> out;
  auto next = inserts.begin();
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i].flags & kOccMatched) out.push_back(list[i]);
    for (; next != inserts.end() && next->after == i; ++next) out.push_back(next->occ);
  }
  // Tidy: matched marks go; followers stop being first words, so a longer phrase passes over the
  // first words and continues from the followers.
  for (FtsOccurrence& o : out) {
    o.flags &= uint8_t(~kOccMatched);
    if (o.flags & kOccFollower) o.flags &= uint8_t(~kOccPhraseFirst);
  }
  return out;
}

// One topic of NEAR: the occurrences of each side that have one of the other side within the
// distance (1 to distance words apart). Both lists are sorted by word position, so each side is
// swept once with a window.
void near_marks(const std::vector<FtsOccurrence>& from, const std::vector<FtsOccurrence>& to, uint16_t distance,
                std::vector<bool>& marked) {
  marked.assign(from.size(), false);
  size_t lo = 0;
  for (size_t i = 0; i < from.size(); ++i) {
    const uint64_t p = from[i].wordPosition;
    while (lo < to.size() && uint64_t(to[lo].wordPosition) + distance < p) ++lo;
    for (size_t k = lo; k < to.size() && to[k].wordPosition <= p + distance; ++k) {
      if (to[k].wordPosition != p) {
        marked[i] = true;
        break;
      }
    }
  }
}

}  // namespace

FtsHits FtsCombinePhrase(FtsHits first, FtsHits second) {
  return join_topics(std::move(first), second, [](FtsHit& a, const FtsHit& b) {
    a.occurrences = phrase_topic(std::move(a.occurrences), b.occurrences);
    return !a.occurrences.empty();
  });
}

FtsHits FtsCombineNear(FtsHits first, FtsHits second, uint16_t distance) {
  std::vector<bool> behind_marks, second_marks;
  return join_topics(std::move(first), second, [&](FtsHit& a, const FtsHit& b) {
    // A pending group (an earlier NEAR) keeps its occurrences; the new words are compared with the
    // occurrences of its first operand only.
    std::vector<FtsOccurrence> behind, front;
    for (const FtsOccurrence& o : a.occurrences) (o.flags & kOccNearSecond ? front : behind).push_back(o);
    const bool grouped = !front.empty();
    near_marks(behind, b.occurrences, distance, behind_marks);
    near_marks(b.occurrences, behind, distance, second_marks);
    std::vector<FtsOccurrence> kept;
    for (size_t i = 0; i < b.occurrences.size(); ++i) {
      if (!second_marks[i]) continue;
      kept.push_back(b.occurrences[i]);
      kept.back().flags |= kOccNearSecond;
    }
    if (kept.empty()) return false;
    std::vector<FtsOccurrence> kept_behind;
    for (size_t i = 0; i < behind.size(); ++i)
      if (grouped || behind_marks[i]) kept_behind.push_back(behind[i]);
    a.occurrences = merge_occurrences(merge_occurrences(std::move(kept_behind), front), kept);
    return true;
  });
}

void FtsFinishNearGroups(FtsHits& hits) {
  for (FtsHit& h : hits)
    for (FtsOccurrence& o : h.occurrences) o.flags &= uint8_t(~kOccNearSecond);
}

FtsHitListPtr FtsSearch(FtsIndex* index, const QueryTree* tree, int32_t, uint16_t flags, engine::TopicGroup* group) {
  if (!index || !tree || tree->root == kNoNode) return nullptr;
  auto list = std::make_unique<FtsHitList>();
  list->total = index->header.count;
  if (FtsLoadRoot(*index)) return nullptr;
  SearchState state{*index, *tree};
  state.ranking = (flags & kSearchRankByWeight) && index->header.has_weights();
  state.occurrencesLeft = tree->occurrenceLimit;
  const int32_t code = evaluate(state, list->hits);
  if (code && code != kFtsNodesExhausted) {
    if (!index->error || index->error->code != code) FtsSetError(index->error, code);
    return nullptr;
  }
  if (code) FtsSetError(index->error, code);
  FtsFinishNearGroups(list->hits);
  if ((flags & kSearchMarkGroup) && group) mark_group(*group, list->hits);
  if (!(flags & kSearchSkipFinalPass)) final_pass(list->hits, state.ranking, state.resort);
  return list;
}

}  // namespace fts
