// The word breakers: they turn text into the terms that the index stores and queries look up.
//
// A caller feeds a breaker one piece of text per call, keeping the same zeroed state between calls,
// and then calls it once more with a null text (the end call) to get what is still pending. Every
// term goes to the term callback with its raw form, its normalised form and its position.
//
// Typed term (FBreakNumber, FBreakDate, FBreakTime, FBreakEpoch), a counted string whose bytes sort
// in the order of the values:
//    0  length
//    1  0x01
//    2  type: 0x01 date, 0x02 epoch, 0x03 time, 0x04 number
//    3  sign: '1' negative (or before the common era), '2' positive
//    4  exponent as three decimal digits
//    7  mantissa digits, trailing zeros removed, at least one
// A negative term has every byte from offset 4 on replaced by its nines' complement digit. The value
// zero of a date or time is '2', "0000" and a zero byte (length 8).
#pragma once

#include <cstdint>

#include "engine/fts/common/breaker_table.h"
#include "engine/fts/common/char_table.h"
#include "engine/fts/common/stop_list.h"

namespace fts {

// Codes of the breakers besides 2006 (word too long) and 2015 (missing state or table).
inline constexpr int32_t kFtsMalformedValue = 2208;
inline constexpr int32_t kFtsValueOutOfRange = 2209;
inline constexpr int32_t kFtsWildcardInValue = 2215;

inline constexpr uint8_t kTypedTermDate = 0x01;
inline constexpr uint8_t kTypedTermEpoch = 0x02;
inline constexpr uint8_t kTypedTermTime = 0x03;
inline constexpr uint8_t kTypedTermNumber = 0x04;

// Flags of a call.
inline constexpr uint16_t kBreakWildcards = 0x01;  // '*' and '?' (class 9) may be part of words

// (raw form, term, position of the term's first byte in the whole text, callback value): 0 goes on,
// any other value ends the breaker with it. Raw form and term are counted strings.
using TermCallback = int32_t (*)(const uint8_t* raw, const uint8_t* term, int32_t position, intptr_t value);

// What a breaker keeps between calls.
struct BreakerState {
  uint8_t term[256] = {};  // counted, up to 255 bytes
  uint8_t raw[256] = {};   // counted, up to 254 bytes
  int32_t start = 0;       // position of the pending term
  uint8_t mode = 0;        // 0 idle, 1 in a word, 2 in a number, 3 number pending after a class-8 byte
  bool joiner = false;
  uint8_t termTrail = 0;  // trailing bytes an ending number drops
  uint8_t rawTrail = 0;
  uint8_t buffer[254] = {};  // typed breakers: the text gathered for the end call
  uint16_t buffered = 0;
  int32_t bufferPosition = 0;
};

struct BreakerCall {
  BreakerState* state = nullptr;
  const uint8_t* text = nullptr;  // null for the end call
  uint16_t length = 0;
  int32_t position = 0;  // of the text's first byte in the whole text
  intptr_t callbackValue = 0;
  TermCallback callback = nullptr;
  const StopList* stopList = nullptr;
  const CharTable* charTable = nullptr;
  uint16_t flags = 0;
};

using WordBreaker = int32_t (*)(const BreakerCall& call);

int32_t FBreakWords(const BreakerCall& call);
int32_t FBreakAndStemWords(const BreakerCall& call);
int32_t FBreakNumber(const BreakerCall& call);
int32_t FBreakDate(const BreakerCall& call);
int32_t FBreakTime(const BreakerCall& call);
int32_t FBreakEpoch(const BreakerCall& call);

// The routine a breaker-table slot is bound to.
WordBreaker BreakerRoutine(BreakerKind kind);

// True when the stop list holds the counted word (asked through the list's own lookup routine).
bool InStopList(const StopList* list, const uint8_t* word);

}  // namespace fts
