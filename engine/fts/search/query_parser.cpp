#include "engine/fts/search/query_parser.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "engine/fts/breakers/word_breakers.h"
#include "engine/fts/common/counted_string.h"

namespace fts {

namespace {

constexpr size_t kStackEntries = 15;

bool is_blank(uint8_t c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }

// The token of an operator word's code; -1 for codes that are no operator.
int token_of_code(uint16_t code) {
  switch (code) {
    case kOpAnd: return kTokenAnd;
    case kOpOr: return kTokenOr;
    case kOpNot: return kTokenNot;
    case kOpPhrase: return kTokenPhrase;
    case kOpNear: return kTokenNear;
    case kOpThru: return kTokenThru;
    case kOpGroupSwitch: return kTokenGroup;
    case kOpVfld: return kTokenVfld;
    case kOpDtype: return kTokenDtype;
  }
  return -1;
}

bool two_operands(int token) { return token >= kTokenAnd && token <= kTokenThru; }

struct ParseFailure {
  int32_t code;
  int32_t position;
};

class Parser {
 public:
  Parser(const FtsParseRequest& request) : req_(request) {}

  QueryTreePtr parse(FtsError* error) {
    const ParseFailure failure = run();
    if (failure.code) {
      FtsSetError(error, failure.code, failure.position);
      return nullptr;
    }
    return std::move(tree_);
  }

 private:
  ParseFailure run() {
    if (!req_.breakers) return {kFtsNoBreakerTable, 0};
    if (!req_.text || req_.length == 0) return {kFtsEmptyQuery, 0};
    if (req_.flags & ~(kParseDefaultOr | kParseNoSyntax)) return {kFtsBadArgument, 0};
    noSyntax_ = req_.flags & kParseNoSyntax;
    if (!noSyntax_) {
      if (req_.operators) {
        operators_ = req_.operators;
      } else {
        builtinOperators_ = FtsDefaultOperatorTable(nullptr);
        if (!builtinOperators_) return {kFtsNoMemory, 0};
        operators_ = builtinOperators_.get();
      }
    }
    if (ParseFailure f = use_slot(0); f.code) return f;
    tree_ = std::make_unique<QueryTree>();
    tree_->scope = req_.scope;
    tree_->nearDistance = req_.nearDistance ? req_.nearDistance : kDefaultNearDistance;
    tree_->defaultOperator = (req_.flags & (kParseDefaultOr | kParseNoSyntax)) ? kTokenOr : kTokenAnd;
    tree_->flags = kTreeImplicitOnly;
    defaultOperator_ = tree_->defaultOperator;
    scope_ = req_.scope;

    text_.assign(req_.text, req_.text + req_.length);
    text_.push_back(' ');
    text_.push_back(0);
    operatorByte_.assign(text_.size(), false);
    if (!noSyntax_) mark_operator_words();
    if (ParseFailure f = scan(); f.code) return f;
    if (ParseFailure f = finish_stack(); f.code) return f;
    return shape();
  }

  // Binds the breaker, stop list and (when the slot has one) character table of a slot.
  ParseFailure use_slot(size_t slot) {
    const BreakerSlot& s = req_.breakers->slots[slot];
    if (!s.breaker) return {slot == 0 ? kFtsNoBreakerTable : kFtsBadModifierValue, 0};
    breaker_ = BreakerRoutine(*s.breaker);
    stopList_ = s.stopList.get();
    if (s.charTable) {
      table_ = s.charTable.get();
    } else if (!table_) {
      builtinTable_ = FtsDefaultCharTable(nullptr);
      if (!builtinTable_) return {kFtsTooManyFiles, 0};
      table_ = builtinTable_.get();
    }
    table_->classMap['*'].charClass = kClassWildcard;
    table_->classMap['?'].charClass = kClassWildcard;
    return {};
  }

  // Replaces operator words outside quotation marks by their code byte followed by blanks, and notes
  // which bytes were made so: only those count as operators, so control bytes typed in the query
  // stay text.
  void mark_operator_words() {
    bool quoted = false, skip_next = false;
    size_t i = 0;
    const size_t n = req_.length;
    while (i < n) {
      const uint8_t c = text_[i];
      if (is_blank(c) || c == '(' || c == ')') {
        ++i;
        continue;
      }
      if (c == '"') {
        quoted = !quoted;
        ++i;
        continue;
      }
      size_t end = i;
      while (end < n && !is_blank(text_[end]) && text_[end] != '(' && text_[end] != ')' && text_[end] != '"') ++end;
      if (!quoted) {
        if (skip_next) {
          skip_next = false;
        } else if (const OperatorEntry* op = find_operator_word(&text_[i], end - i)) {
          text_[i] = uint8_t(op->code);
          std::fill(&text_[i + 1], &text_[end], uint8_t(' '));
          operatorByte_[i] = true;
          skip_next = op->code == kOpVfld || op->code == kOpDtype;
        }
      }
      i = end;
    }
  }

  const OperatorEntry* find_operator_word(const uint8_t* word, size_t length) const {
    if (!operators_) return nullptr;
    for (const OperatorEntry& e : operators_->entries) {
      if (e.word.empty() || e.word[0] != length || token_of_code(e.code) < 0) continue;
      if (AsciiCompareNoCase(e.word.data() + 1, word, length) == 0) return &e;
    }
    return nullptr;
  }

  // The token of a byte of the main scan, or -1 for text.
  int classify(size_t i) const {
    if (noSyntax_) return -1;
    const uint8_t c = text_[i];
    if (quoted_) return c == '"' ? kTokenQuote : -1;
    if (c == '(') return kTokenOpen;
    if (c == ')') return kTokenClose;
    if (c == '"') return kTokenQuote;
    return operatorByte_[i] ? token_of_code(c) : -1;
  }

  ParseFailure scan() {
    const size_t n = req_.length;
    size_t i = 0;
    while (i < n) {
      const int token = classify(i);
      if (token < 0) {
        size_t end = i + 1;
        while (end < n && classify(end) < 0) ++end;
        if (ParseFailure f = break_text(i, end); f.code) return f;
        i = end;
        continue;
      }
      const int32_t position = int32_t(i);
      ++i;
      switch (token) {
        case kTokenGroup:
          // Naming a group takes a reference that query text cannot carry safely; the switch changes
          // nothing.
          break;
        case kTokenVfld: {
          uint32_t field;
          if (!read_number(i, field)) return {kFtsBadModifierValue, position};
          field_ = field;
          break;
        }
        case kTokenDtype: {
          uint32_t slot;
          if (!read_number(i, slot) || slot >= kBreakerSlots || !req_.breakers->slots[slot].breaker)
            return {kFtsBadModifierValue, position};
          if (ParseFailure f = use_slot(slot); f.code) return f;
          dataType_ = uint8_t(slot);
          break;
        }
        case kTokenQuote:
          quoted_ = !quoted_;
          if (ParseFailure f = handle(token, position); f.code) return f;
          break;
        default:
          if (ParseFailure f = handle(token, position); f.code) return f;
      }
    }
    return {};
  }

  // A decimal number after optional blanks; false when there is no digit or it exceeds 32 bits.
  bool read_number(size_t& i, uint32_t& value) {
    while (i < req_.length && is_blank(text_[i])) ++i;
    uint64_t v = 0;
    const size_t start = i;
    while (i < req_.length && text_[i] >= '0' && text_[i] <= '9') {
      v = v * 10 + uint64_t(text_[i++] - '0');
      if (v > UINT32_MAX) return false;
    }
    value = uint32_t(v);
    return i > start;
  }

  ParseFailure break_text(size_t begin, size_t end) {
    termFailure_ = {};
    BreakerCall call;
    call.state = &breakerState_;
    call.text = &text_[begin];
    call.length = uint16_t(end - begin);
    call.position = int32_t(begin);
    call.callbackValue = intptr_t(this);
    call.callback = &Parser::on_term;
    call.stopList = stopList_;
    call.charTable = table_;
    call.flags = kBreakWildcards;
    int32_t code = breaker_(call);
    if (!code) {
      call.text = nullptr;
      call.length = 0;
      code = breaker_(call);
    }
    breakerState_ = BreakerState{};
    if (code) return termFailure_.code ? termFailure_ : ParseFailure{code, 0};
    return {};
  }

  static int32_t on_term(const uint8_t*, const uint8_t* term, int32_t position, intptr_t value) {
    auto* self = reinterpret_cast<Parser*>(value);
    self->termFailure_ = self->take_term(term, position);
    return self->termFailure_.code;
  }

  ParseFailure take_term(const uint8_t* term, int32_t position) {
    if (!quoted_) {
      if (const int token = operator_term(term); token >= 0) return handle(token, position);
      const std::string_view t(reinterpret_cast<const char*>(term + 1), term[0]);
      if (t.find_first_not_of("*?") == std::string_view::npos && t.find('*') != std::string_view::npos)
        return {kFtsOnlyWildcards, 0};
    }
    return operand(term, position);
  }

  // A term equal byte for byte to an operator word of two operands acts as that operator.
  int operator_term(const uint8_t* term) const {
    if (!operators_) return -1;
    for (const OperatorEntry& e : operators_->entries) {
      const int token = token_of_code(e.code);
      if (two_operands(token) && !e.word.empty() && PstrEqual(e.word.data(), term)) return token;
    }
    return -1;
  }

  int32_t word_index(const uint8_t* term) {
    for (size_t i = 0; i < tree_->words.size(); ++i)
      if (PstrEqual(tree_->words[i].term.data(), term)) return int32_t(i);
    tree_->words.push_back({std::vector<uint8_t>(term, term + 1 + term[0]), 0, 0});
    return int32_t(tree_->words.size() - 1);
  }

  ParseFailure operand(const uint8_t* term, int32_t position) {
    if (operandSeen_)
      if (ParseFailure f = push_operator(defaultOperator_, position); f.code) return f;
    QueryNode node;
    node.kind = NodeKind::kTerm;
    node.word = word_index(term);
    tree_->words[size_t(node.word)].references++;
    const std::string_view t(reinterpret_cast<const char*>(term + 1), term[0]);
    node.mode = !quoted_ && t.find_first_of("*?") != std::string_view::npos ? TermMode::kWildcard : TermMode::kPlain;
    node.scope = scope_;
    node.field = field_;
    node.dataType = dataType_;
    node.position = position;
    if (ParseFailure f = append(node); f.code) return f;
    operandSeen_ = true;
    operandExpected_ = false;
    return {};
  }

  ParseFailure handle(int token, int32_t position) {
    switch (token) {
      case kTokenOpen:
        if (operandSeen_)
          if (ParseFailure f = push_operator(defaultOperator_, position); f.code) return f;
        ++openParentheses_;
        operandExpected_ = true;
        operandSeen_ = false;
        return push(token, position);
      case kTokenClose:
        if (openParentheses_ == 0) return {kFtsNoOpenParenthesis, position};
        if (operandExpected_) return {kFtsOperatorAtEdge, position};
        --openParentheses_;
        operandSeen_ = true;
        return emit_down_to(kTokenOpen);
      case kTokenQuote:
        // The quotation state was already toggled: quoted_ now tells an opening mark.
        if (quoted_) {
          if (operandSeen_)
            if (ParseFailure f = push_operator(defaultOperator_, position); f.code) return f;
          if (ParseFailure f = push(token, position); f.code) return f;
          defaultOperator_ = kTokenPhrase;
          tree_->flags &= uint16_t(~kTreeImplicitOnly);
          operandExpected_ = true;
          operandSeen_ = false;
          return {};
        }
        if (operandExpected_) return {kFtsOperatorAtEdge, position};
        defaultOperator_ = tree_->defaultOperator;
        operandSeen_ = true;
        return emit_down_to(kTokenQuote);
      default:
        tree_->flags &= uint16_t(~kTreeImplicitOnly);
        if (!operandSeen_) return {kFtsOperatorAtEdge, position};
        return push_operator(token, position);
    }
  }

  // A two-operand operator: those stacked above the innermost bracket go first (one precedence,
  // grouping from the left).
  ParseFailure push_operator(int token, int32_t position) {
    while (!stack_.empty() && stack_.back().token != kTokenOpen && stack_.back().token != kTokenQuote)
      if (ParseFailure f = emit_top(); f.code) return f;
    operandExpected_ = true;
    operandSeen_ = false;
    return push(token, position);
  }

  ParseFailure push(int token, int32_t position) {
    if (stack_.size() == kStackEntries) return {kFtsOperatorStackFull, position};
    stack_.push_back({position, token});
    return {};
  }

  ParseFailure emit_top() {
    const StackEntry e = stack_.back();
    stack_.pop_back();
    if (e.token == kTokenOpen || e.token == kTokenQuote) return {};
    QueryNode node;
    node.kind = NodeKind::kOperator;
    node.token = uint8_t(e.token);
    node.position = e.position;
    return append(node);
  }

  ParseFailure emit_down_to(int bracket) {
    while (!stack_.empty()) {
      const bool last = stack_.back().token == bracket;
      if (ParseFailure f = emit_top(); f.code) return f;
      if (last) break;
    }
    return {};
  }

  ParseFailure append(const QueryNode& node) {
    if (tree_->nodes.size() == kMaxQueryNodes) return {kFtsQueryTooComplex, node.position};
    tree_->nodes.push_back(node);
    return {};
  }

  ParseFailure finish_stack() {
    const int32_t last = int32_t(req_.length) - 1;
    if (openParentheses_) return {kFtsParenthesisNotClosed, last};
    if (operandExpected_) return {kFtsOperatorAtEdge, last};
    if (quoted_) return {kFtsQuoteNotClosed, last};
    while (!stack_.empty())
      if (ParseFailure f = emit_top(); f.code) return f;
    return {};
  }

  // Links the postfix nodes into a tree, turns THRU into ranges and simplifies.
  ParseFailure shape() {
    std::vector<QueryNode>& nodes = tree_->nodes;
    if (nodes.empty()) return {kFtsEmptyQuery, 0};
    uint32_t most = 0;
    for (const QueryWord& w : tree_->words) most = std::max(most, w.references);
    for (QueryWord& w : tree_->words) w.weight = uint16_t(32767 + (32767 / most) * w.references);
    std::vector<int32_t> operands;
    for (size_t i = 0; i < nodes.size(); ++i) {
      if (nodes[i].kind == NodeKind::kOperator) {
        if (operands.size() < 2) return {kFtsOperatorAtEdge, nodes[i].position};
        nodes[i].left = operands.back();
        operands.pop_back();
        nodes[i].right = operands.back();
        operands.pop_back();
      }
      operands.push_back(int32_t(i));
    }
    if (operands.size() != 1) return {kFtsOperatorAtEdge, 0};
    tree_->root = operands.back();
    if (nodes.size() >= 2)
      if (ParseFailure f = make_ranges(); f.code) return f;
    if (tree_->flags & kTreeImplicitOnly) drop_repeated_words();
    while (simplify_once()) {
    }
    tree_->depth = depth();
    return {};
  }

  ParseFailure make_ranges() {
    for (QueryNode& n : tree_->nodes) {
      if (n.kind != NodeKind::kOperator || n.token != kTokenThru) continue;
      const QueryNode& first = tree_->nodes[size_t(n.right)];
      const QueryNode& second = tree_->nodes[size_t(n.left)];
      for (const QueryNode* o : {&first, &second})
        if (o->kind != NodeKind::kTerm || o->mode != TermMode::kPlain) return {kFtsThruNotWord, o->position};
      if (first.dataType != second.dataType) return {kFtsThruTypesDiffer, second.position};
      const bool ordered = PstrCompare(tree_->words[size_t(first.word)].term.data(),
                                       tree_->words[size_t(second.word)].term.data()) <= 0;
      const QueryNode low = ordered ? first : second;
      const int32_t high_word = ordered ? second.word : first.word;
      const int32_t position = n.position;
      n = low;
      n.mode = TermMode::kRange;
      n.upperWord = high_word;
      n.position = position;
    }
    return {};
  }

  // The nodes reachable from the root, every node after its children.
  std::vector<int32_t> post_order() const {
    std::vector<int32_t> order, stack{tree_->root};
    while (!stack.empty()) {
      const int32_t i = stack.back();
      stack.pop_back();
      order.push_back(i);
      const QueryNode& n = tree_->nodes[size_t(i)];
      if (n.kind == NodeKind::kOperator) {
        stack.push_back(n.right);
        stack.push_back(n.left);
      }
    }
    std::reverse(order.begin(), order.end());
    return order;
  }

  bool is_term(int32_t i) const { return tree_->nodes[size_t(i)].kind == NodeKind::kTerm; }
  bool same_word(int32_t a, int32_t b) const {
    const QueryNode& x = tree_->nodes[size_t(a)];
    const QueryNode& y = tree_->nodes[size_t(b)];
    return x.kind == NodeKind::kTerm && y.kind == NodeKind::kTerm && x.word == y.word && x.mode == y.mode &&
           x.upperWord == y.upperWord;
  }
  // Node i takes the place and content of node `with`.
  void replace(int32_t i, int32_t with) { tree_->nodes[size_t(i)] = tree_->nodes[size_t(with)]; }

  // With only implicit operators, a word written twice is searched once.
  void drop_repeated_words() {
    bool changed = true;
    while (changed) {
      changed = false;
      for (int32_t i : post_order()) {
        QueryNode& n = tree_->nodes[size_t(i)];
        if (n.kind != NodeKind::kOperator) continue;
        for (const int32_t child : {n.left, n.right}) {
          const QueryNode& c = tree_->nodes[size_t(child)];
          if (c.kind != NodeKind::kTerm || tree_->words[size_t(c.word)].references < 2) continue;
          tree_->words[size_t(c.word)].references--;
          replace(i, child == n.left ? n.right : n.left);
          changed = true;
          break;
        }
        if (changed) break;
      }
    }
  }

  bool simplify_once() {
    for (int32_t i : post_order()) {
      QueryNode& n = tree_->nodes[size_t(i)];
      if (n.kind != NodeKind::kOperator) continue;
      const int32_t first = n.right, second = n.left;
      const QueryNode& a = tree_->nodes[size_t(first)];
      const QueryNode& b = tree_->nodes[size_t(second)];
      if (same_word(first, second) && (n.token == kTokenAnd || n.token == kTokenOr || n.token == kTokenNot)) {
        if (n.token == kTokenNot) {
          n.kind = NodeKind::kEmpty;
        } else {
          replace(i, first);
        }
        return true;
      }
      if (a.kind == NodeKind::kEmpty || b.kind == NodeKind::kEmpty) {
        if (n.token == kTokenNot) {
          replace(i, first);
        } else if (n.token == kTokenOr) {
          replace(i, a.kind == NodeKind::kEmpty ? second : first);
        } else {
          n.kind = NodeKind::kEmpty;
        }
        return true;
      }
      if (n.token == kTokenAnd || n.token == kTokenOr) {
        for (const auto& [term, other] : {std::pair{first, second}, std::pair{second, first}}) {
          if (!is_term(term) || is_term(other)) continue;
          const QueryNode& o = tree_->nodes[size_t(other)];
          const bool absorbs =
              n.token == kTokenAnd
                  ? ((o.token == kTokenAnd || o.token == kTokenPhrase || o.token == kTokenNear) &&
                     (same_word(term, o.left) || same_word(term, o.right))) ||
                        (o.token == kTokenNot && same_word(term, o.right))
                  : o.token == kTokenOr && (same_word(term, o.left) || same_word(term, o.right));
          if (absorbs) {
            replace(i, other);
            return true;
          }
        }
      }
      if ((n.token == kTokenAnd || n.token == kTokenOr || n.token == kTokenNear) && is_term(first) &&
          b.kind == NodeKind::kOperator) {
        std::swap(n.left, n.right);
        return true;
      }
    }
    return false;
  }

  int32_t depth() const {
    int32_t deepest = 0;
    std::vector<std::pair<int32_t, int32_t>> stack{{tree_->root, 1}};
    while (!stack.empty()) {
      const auto [i, d] = stack.back();
      stack.pop_back();
      deepest = std::max(deepest, d);
      const QueryNode& n = tree_->nodes[size_t(i)];
      if (n.kind == NodeKind::kOperator) {
        stack.push_back({n.left, d + 1});
        stack.push_back({n.right, d + 1});
      }
    }
    return deepest;
  }

  struct StackEntry {
    int32_t position;
    int token;
  };

  const FtsParseRequest& req_;
  QueryTreePtr tree_;
  OperatorTablePtr builtinOperators_;
  const OperatorTable* operators_ = nullptr;
  CharTablePtr builtinTable_;
  CharTable* table_ = nullptr;
  WordBreaker breaker_ = nullptr;
  const StopList* stopList_ = nullptr;
  BreakerState breakerState_;
  ParseFailure termFailure_{};
  std::vector<uint8_t> text_;
  std::vector<bool> operatorByte_;
  std::vector<StackEntry> stack_;
  bool noSyntax_ = false;
  bool quoted_ = false;
  bool operandSeen_ = false;
  bool operandExpected_ = false;
  int openParentheses_ = 0;
  uint8_t defaultOperator_ = kTokenAnd;
  const engine::TopicGroup* scope_ = nullptr;
  uint32_t field_ = 0;
  uint8_t dataType_ = 0;
};

}  // namespace

QueryTreePtr FtsParseQuery(const FtsParseRequest& request, FtsError* error) {
  return Parser(request).parse(error);
}

}  // namespace fts
