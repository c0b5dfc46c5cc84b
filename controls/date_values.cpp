#include "controls/date_values.h"

IMPLEMENT_SERIAL(CLTimeSpan, CObject, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CLTimeOfDay, CObject, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CLDate, CObject, VERSIONABLE_SCHEMA | 1)

void CLTimeSpan::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_dwSpanLow << m_dwSpanHigh << m_dwExtra;
  } else {
    ar >> m_dwSpanLow >> m_dwSpanHigh >> m_dwExtra;
  }
}

void CLTimeOfDay::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_dwFirst << m_dwSecond;
  } else {
    ar >> m_dwFirst >> m_dwSecond;
  }
}

void CLDate::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_dwValueLow << m_dwValueHigh << m_wFlag << m_dwExtra;
  } else {
    ar >> m_dwValueLow >> m_dwValueHigh >> m_wFlag >> m_dwExtra;
  }
}
