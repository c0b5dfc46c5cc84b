// The Polish plural of a noun after a count: one ("1 akt"), few for counts ending in 2 to 4 but
// not 12 to 14 ("2 akty", "22 akty"), many for the rest ("5 aktów", "12 aktów", "21 aktów").
#pragma once

namespace polish {

enum class Plural { kOne, kFew, kMany };

constexpr Plural PluralOf(long count) {
  if (count == 1) return Plural::kOne;
  const long n = count < 0 ? -count : count;
  const long units = n % 10, tens = n % 100;
  return units >= 2 && units <= 4 && (tens < 12 || tens > 14) ? Plural::kFew : Plural::kMany;
}

}  // namespace polish
