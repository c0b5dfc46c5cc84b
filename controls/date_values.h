// Three stored value classes of the date module, made only through their run-time classes: a
// time span, a time of day and a date with a time. They hold their numbers and keep them in the
// archive; nothing else.
//
// Stored forms (CArchive, little-endian):
//   CLTimeSpan   8 bytes (two 32-bit halves, low first), 4 bytes          = 12 bytes
//   CLTimeOfDay  4 bytes, 4 bytes                                         =  8 bytes
//   CLDate       8 bytes (two 32-bit halves, low first), 2 bytes, 4 bytes = 14 bytes
#pragma once

#include <cstdint>

#include "platform/base/archive.h"
#include "platform/base/object.h"

class CLTimeSpan : public CObject {
  DECLARE_SERIAL(CLTimeSpan)

 public:
  void Serialize(CArchive& ar) override;

  uint32_t m_dwSpanLow = 0;
  uint32_t m_dwSpanHigh = 0;
  uint32_t m_dwExtra = 0;
};

class CLTimeOfDay : public CObject {
  DECLARE_SERIAL(CLTimeOfDay)

 public:
  void Serialize(CArchive& ar) override;

  uint32_t m_dwFirst = 0;
  uint32_t m_dwSecond = 0;
};

class CLDate : public CObject {
  DECLARE_SERIAL(CLDate)

 public:
  void Serialize(CArchive& ar) override;

  uint32_t m_dwValueLow = 0;
  uint32_t m_dwValueHigh = 0;
  uint16_t m_wFlag = 0;
  uint32_t m_dwExtra = 0;
};
