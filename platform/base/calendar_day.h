// A SYSTEMTIME for a calendar day (and hour), the other fields zero.
#pragma once

#include <cstdint>

#include "platform/base/ctime.h"

namespace base {

inline SYSTEMTIME calendar_day(int year, int month, int day, int hour = 0) {
  SYSTEMTIME t{};
  t.wYear = uint16_t(year);
  t.wMonth = uint16_t(month);
  t.wDay = uint16_t(day);
  t.wHour = uint16_t(hour);
  return t;
}

}  // namespace base
