// CMeasureUnit: a length unit for rulers and length fields, in twips (1/1440 inch), and the
// program's table of seven units (inch mark, centimetre, point, pica and three inch spellings).
//
// The table keeps the centimetre at 568 twips (four small divisions of 142), as the stored
// ruler settings were made with it. That number is ruler spacing only: lengths convert through
// ToTwips/FromTwips, which use the unit's true size (1440 / 2.54 twips to the centimetre).
#pragma once

#include <span>

#include "platform/base/cstring.h"

class CMeasureUnit {
 public:
  CMeasureUnit(int twips_per_unit, int small_division, int medium_division, int large_division, int minimum_move,
               int abbreviation_id, int space);

  // The true number of twips in one unit.
  double GetExactTwipsPerUnit() const;
  // A length in this unit as twips, rounded to the nearest; and back.
  int ToTwips(double units) const;
  double FromTwips(int twips) const;
  // Fills the abbreviation text from the string table; false when the table lacks it.
  bool LoadAbbreviation();

  int m_nTwipsPerUnit;
  int m_nSmallDivision;
  int m_nMediumDivision;
  int m_nLargeDivision;
  int m_nMinimumMove;
  int m_nAbbreviationId;
  int m_nSpace;  // 1: a blank stands between the number and the abbreviation
  CString m_strAbbreviation;
};

// The unit table, by index: 0 inch mark, 1 centimetre, 2 point, 3 pica, 4 to 6 inch.
enum MeasureUnitIndex {
  kUnitInchMark = 0,
  kUnitCentimetre = 1,
  kUnitPoint = 2,
  kUnitPica = 3,
  kUnitInch = 4,
  kUnitInchWord = 5,
  kUnitInches = 6,
};
std::span<CMeasureUnit> GetMeasureUnits();
