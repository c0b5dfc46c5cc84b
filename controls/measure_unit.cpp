#include "controls/measure_unit.h"

#include <array>
#include <cmath>

#include "platform/res/resource_store.h"
#include "resources/controls_ids.h"

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kTwipsPerCentimetre = kTwipsPerInch / 2.54;

}  // namespace

CMeasureUnit::CMeasureUnit(int twips_per_unit, int small_division, int medium_division, int large_division,
                           int minimum_move, int abbreviation_id, int space)
    : m_nTwipsPerUnit(twips_per_unit),
      m_nSmallDivision(small_division),
      m_nMediumDivision(medium_division),
      m_nLargeDivision(large_division),
      m_nMinimumMove(minimum_move),
      m_nAbbreviationId(abbreviation_id),
      m_nSpace(space) {}

double CMeasureUnit::GetExactTwipsPerUnit() const {
  // Only the centimetre's table value is not its true size.
  return m_nAbbreviationId == int(resources::IDS_UNIT_CENTIMETRE) ? kTwipsPerCentimetre : double(m_nTwipsPerUnit);
}

int CMeasureUnit::ToTwips(double units) const { return int(std::lround(units * GetExactTwipsPerUnit())); }

double CMeasureUnit::FromTwips(int twips) const { return double(twips) / GetExactTwipsPerUnit(); }

bool CMeasureUnit::LoadAbbreviation() { return AfxLoadString(UINT(m_nAbbreviationId), m_strAbbreviation) != FALSE; }

std::span<CMeasureUnit> GetMeasureUnits() {
  using namespace resources;
  static std::array<CMeasureUnit, 7> units = {
      CMeasureUnit(1440, 180, 720, 1440, 90, int(IDS_UNIT_INCH_MARK), 0),
      CMeasureUnit(568, 142, 284, 568, 142, int(IDS_UNIT_CENTIMETRE), 1),
      CMeasureUnit(20, 120, 720, 720, 100, int(IDS_UNIT_POINT), 1),
      CMeasureUnit(240, 240, 1440, 1440, 120, int(IDS_UNIT_PICA), 1),
      CMeasureUnit(1440, 180, 720, 1440, 90, int(IDS_UNIT_IN), 0),
      CMeasureUnit(1440, 180, 720, 1440, 90, int(IDS_UNIT_INCH), 0),
      CMeasureUnit(1440, 180, 720, 1440, 90, int(IDS_UNIT_INCHES), 0),
  };
  return units;
}
