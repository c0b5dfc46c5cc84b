#include <gtest/gtest.h>

#include <string>

#include "controls/dll_version.h"
#include "controls/measure_unit.h"
#include "resources/program_resources.h"
#include "tests/support/gui_fixture.h"

namespace {

TEST(MeasureUnitTest, TheTableOfSevenUnits) {
  lumo::test::application();  // the resources make pictures
  resources::register_program_resources();
  struct Row {
    int twips, small, medium, large, move, string_id;
    const char* abbreviation;
    int space;
  };
  const Row rows[] = {
      {1440, 180, 720, 1440, 90, 169, "\"", 0}, {568, 142, 284, 568, 142, 173, "cm", 1},
      {20, 120, 720, 720, 100, 174, "pt", 1},   {240, 240, 1440, 1440, 120, 175, "pi", 1},
      {1440, 180, 720, 1440, 90, 170, "in", 0}, {1440, 180, 720, 1440, 90, 171, "inch", 0},
      {1440, 180, 720, 1440, 90, 172, "inches", 0},
  };
  std::span<CMeasureUnit> units = GetMeasureUnits();
  ASSERT_EQ(units.size(), std::size(rows));
  for (size_t i = 0; i < units.size(); ++i) {
    SCOPED_TRACE(i);
    CMeasureUnit& unit = units[i];
    const Row& row = rows[i];
    EXPECT_EQ(unit.m_nTwipsPerUnit, row.twips);
    EXPECT_EQ(unit.m_nSmallDivision, row.small);
    EXPECT_EQ(unit.m_nMediumDivision, row.medium);
    EXPECT_EQ(unit.m_nLargeDivision, row.large);
    EXPECT_EQ(unit.m_nMinimumMove, row.move);
    EXPECT_EQ(unit.m_nAbbreviationId, row.string_id);
    EXPECT_EQ(unit.m_nSpace, row.space);
    EXPECT_TRUE(unit.m_strAbbreviation.IsEmpty()) << "filled only on request";
    CMeasureUnit copy = unit;
    ASSERT_TRUE(copy.LoadAbbreviation());
    EXPECT_EQ(copy.m_strAbbreviation.str(), row.abbreviation);
  }
}

TEST(MeasureUnitTest, LengthsConvertByTheTrueUnitSize) {
  const CMeasureUnit& centimetre = GetMeasureUnits()[kUnitCentimetre];
  EXPECT_EQ(centimetre.m_nTwipsPerUnit, 568) << "the ruler spacing stays as stored";
  EXPECT_EQ(centimetre.ToTwips(1.0), 567);
  EXPECT_EQ(centimetre.ToTwips(2.54), 1440);
  EXPECT_EQ(centimetre.ToTwips(21.0), 11906);  // an A4 page width
  EXPECT_NEAR(centimetre.FromTwips(1440), 2.54, 1e-12);
  struct Case {
    int unit;
    double units;
    int twips;
  };
  for (const Case& c : {Case{kUnitInchMark, 1.5, 2160}, Case{kUnitPoint, 12, 240}, Case{kUnitPica, 2, 480},
                        Case{kUnitInches, 0.25, 360}}) {
    const CMeasureUnit& unit = GetMeasureUnits()[size_t(c.unit)];
    EXPECT_EQ(unit.ToTwips(c.units), c.twips) << c.unit;
    EXPECT_DOUBLE_EQ(unit.FromTwips(c.twips), c.units) << c.unit;
  }
}

TEST(DllVersionTest, TheCommonControlsAnswerThePlatformsVersion) {
  CDLLVersion version;
  DWORD major = 0, minor = 0, build = 99;
  ASSERT_TRUE(version.GetDllVersion("comctl32.dll", major, minor, build));
  EXPECT_EQ(major, 5u);
  EXPECT_EQ(minor, 81u);
  EXPECT_EQ(build, 0u);
  EXPECT_TRUE(major > 4 || (major == 4 && minor > 71)) << "newer than the program requires";

  major = minor = build = 7;
  EXPECT_FALSE(version.GetDllVersion("nieznana.dll", major, minor, build));
  EXPECT_FALSE(version.GetDllVersion(nullptr, major, minor, build));
  EXPECT_EQ(major + minor + build, 21u) << "outputs unchanged";
}

// A library without its own version answer whose file carries a version text.
class VersionTextOnly : public CDLLVersion {
 protected:
  BOOL GetFileVersionString(const char*, CString& text) override {
    text = "4.72.3110.0";
    return TRUE;
  }
};

TEST(DllVersionTest, TheFileVersionTextIsTheFallback) {
  VersionTextOnly version;
  DWORD major = 0, minor = 0, build = 0;
  ASSERT_TRUE(version.GetDllVersion("inna.dll", major, minor, build));
  EXPECT_EQ(major, 4u);
  EXPECT_EQ(minor, 72u);
  EXPECT_EQ(build, 3110u);
}

TEST(DllVersionTest, VersionTexts) {
  struct Case {
    const char* text;
    bool ok;
    DWORD major, minor, build;
  };
  const Case cases[] = {
      {"4.72.3110.0", true, 4, 72, 3110}, {"5.81.4704", true, 5, 81, 4704}, {"1.2.3.4.5", true, 1, 2, 3},
      {"4.72", false, 0, 0, 0},           {"4.72.", false, 0, 0, 0},         {"", false, 0, 0, 0},
      {"a.b.c", false, 0, 0, 0},          {"4..3", false, 0, 0, 0},          {"4.72.99999999999", false, 0, 0, 0},
      {"4.-1.3", false, 0, 0, 0},         {nullptr, false, 0, 0, 0},
  };
  for (const Case& c : cases) {
    DWORD major = 1, minor = 1, build = 1;
    EXPECT_EQ(CDLLVersion::ParseVersionString(c.text, major, minor, build), c.ok) << (c.text ? c.text : "null");
    if (c.ok) {
      EXPECT_EQ(major, c.major);
      EXPECT_EQ(minor, c.minor);
      EXPECT_EQ(build, c.build);
    } else {
      EXPECT_EQ(major + minor + build, 3u) << "outputs unchanged";
    }
  }
}

}  // namespace
