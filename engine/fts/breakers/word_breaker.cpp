#include <string>

#include "engine/fts/breakers/stemmer.h"
#include "engine/fts/breakers/word_breakers.h"

namespace fts {

namespace {

constexpr uint8_t kIdle = 0, kInWord = 1, kInNumber = 2, kNumberPending = 3;
constexpr size_t kMaxRaw = 254;
constexpr size_t kMaxTerm = 255;

class WordBreakRun {
 public:
  WordBreakRun(const BreakerCall& call, bool stem) : call_(call), s_(*call.state), table_(*call.charTable), stem_(stem) {}

  int32_t run() {
    int32_t code = call_.text ? feed() : finish();
    if (code) reset();
    return code;
  }

 private:
  int32_t feed() {
    for (uint16_t i = 0; i < call_.length; ++i)
      if (int32_t code = step(call_.text[i], call_.position + i)) return code;
    return kFtsOk;
  }

  // The end call: a pending word or number is emitted.
  int32_t finish() {
    if (s_.mode == kNumberPending) drop_pending_separator();
    return s_.mode == kIdle ? kFtsOk : emit();
  }

  int32_t step(uint8_t c, int32_t position) {
    const uint8_t cls = table_.char_class(c);
    if (s_.mode == kNumberPending) {
      // A class-8 separator stays in a number only when a digit follows it.
      if (cls == kClassDigit) {
        s_.mode = kInNumber;
      } else {
        drop_pending_separator();
        if (int32_t code = emit()) return code;
      }
    }
    switch (s_.mode) {
      case kIdle:
        return start(c, cls, position);
      case kInWord:
        return in_word(c, cls);
      default:
        return in_number(c, cls);
    }
  }

  int32_t start(uint8_t c, uint8_t cls, int32_t position) {
    if (cls == kClassWord || cls == kClassNormalized || cls == kClassJoiner || (cls == kClassWildcard && wildcards())) {
      begin(kInWord, position);
      return in_word(c, cls);
    }
    if (cls == kClassDigit) {
      begin(kInNumber, position);
      return in_number(c, cls);
    }
    return kFtsOk;
  }

  int32_t in_word(uint8_t c, uint8_t cls) {
    const bool joined = s_.joiner;
    s_.joiner = false;
    switch (cls) {
      case kClassWord:
      case kClassDigit:
        return both(c);
      case kClassNormalized:
        return normalized(c);
      case kClassApostrophe:
        return raw_only(c);
      case kClassJoiner:
        s_.joiner = true;
        return both(c);
      case kClassWildcard:
        if (wildcards()) return both(c);
        break;
    }
    if (joined) return both(c);
    return emit();
  }

  int32_t in_number(uint8_t c, uint8_t cls) {
    switch (cls) {
      case kClassWord:
      case kClassDigit:
        s_.termTrail = s_.rawTrail = 0;
        return both(c);
      case kClassNormalized:
        s_.termTrail = s_.rawTrail = 0;
        return normalized(c);
      case kClassGroupSep:
        ++s_.rawTrail;
        return raw_only(c);
      case kClassDecimal:
        ++s_.rawTrail;
        ++s_.termTrail;
        return both(c);
      case kClassWildcard:
        if (wildcards()) return both(c);
        break;
      case kClassNumberSep:
        ++s_.rawTrail;
        s_.mode = kNumberPending;
        return raw_only(c);
    }
    return emit();
  }

  void begin(uint8_t mode, int32_t position) {
    s_.mode = mode;
    s_.start = position;
    s_.term[0] = s_.raw[0] = 0;
    s_.termTrail = s_.rawTrail = 0;
    s_.joiner = false;
  }

  void drop_pending_separator() {
    --s_.raw[0];
    --s_.rawTrail;
    s_.mode = kInNumber;
  }

  bool wildcards() const { return call_.flags & kBreakWildcards; }

  int32_t append(uint8_t* counted, size_t limit, uint8_t c) {
    if (counted[0] >= limit) return kFtsWordTooLong;
    counted[1 + counted[0]++] = c;
    return kFtsOk;
  }
  int32_t raw_only(uint8_t c) { return append(s_.raw, kMaxRaw, c); }
  int32_t both(uint8_t c) {
    if (int32_t code = raw_only(c)) return code;
    return append(s_.term, kMaxTerm, c);
  }
  // The raw byte, and in the term its ligature pair or its normalised character.
  int32_t normalized(uint8_t c) {
    if (int32_t code = raw_only(c)) return code;
    if (const Ligature* lig = table_.ligature_of(c)) {
      if (int32_t code = append(s_.term, kMaxTerm, table_.normalized(lig->first))) return code;
      return append(s_.term, kMaxTerm, table_.normalized(lig->second));
    }
    return append(s_.term, kMaxTerm, table_.normalized(c));
  }

  // Ends the pending word or number and hands it on (unless it is a stop word).
  int32_t emit() {
    const bool number = s_.mode != kInWord;
    if (number) {
      s_.raw[0] = uint8_t(s_.raw[0] - s_.rawTrail);
      s_.term[0] = uint8_t(s_.term[0] - s_.termTrail);
    }
    s_.mode = kIdle;
    s_.termTrail = s_.rawTrail = 0;
    s_.joiner = false;
    if (InStopList(call_.stopList, s_.term)) return kFtsOk;
    if (stem_ && !number) {
      std::string word(reinterpret_cast<const char*>(s_.term + 1), s_.term[0]);
      FtsStem(word);
      s_.term[0] = uint8_t(word.size());
      word.copy(reinterpret_cast<char*>(s_.term + 1), word.size());
    }
    return call_.callback ? call_.callback(s_.raw, s_.term, s_.start, call_.callbackValue) : kFtsOk;
  }

  void reset() {
    s_.mode = kIdle;
    s_.term[0] = s_.raw[0] = 0;
    s_.termTrail = s_.rawTrail = 0;
    s_.joiner = false;
  }

  const BreakerCall& call_;
  BreakerState& s_;
  const CharTable& table_;
  bool stem_;
};

int32_t break_words(const BreakerCall& call, bool stem) {
  if (!call.state || !call.charTable) return kFtsBadArgument;
  return WordBreakRun(call, stem).run();
}

}  // namespace

bool InStopList(const StopList* list, const uint8_t* word) {
  if (!list) return false;
  return list->lookup ? list->lookup(list, word) : FtsIsStopWord(list, word);
}

int32_t FBreakWords(const BreakerCall& call) { return break_words(call, false); }
int32_t FBreakAndStemWords(const BreakerCall& call) { return break_words(call, true); }

WordBreaker BreakerRoutine(BreakerKind kind) {
  switch (kind) {
    case BreakerKind::kWords:
      return FBreakWords;
    case BreakerKind::kWordsAndStem:
      return FBreakAndStemWords;
    case BreakerKind::kNumber:
      return FBreakNumber;
    case BreakerKind::kDate:
      return FBreakDate;
    case BreakerKind::kTime:
      return FBreakTime;
    case BreakerKind::kEpoch:
      return FBreakEpoch;
  }
  return nullptr;
}

}  // namespace fts
