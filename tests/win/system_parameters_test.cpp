// The non-client metrics and the work area programs ask for by action.
#include "platform/win/system_parameters.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/win/system_metrics.h"

namespace {

TEST(SystemParameters, MenuAndCaptionFontsAndSizesComeFromTheClassicTable) {
  NONCLIENTMETRICS m;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0));
  EXPECT_EQ(std::string(m.lfMenuFont.lfFaceName), "MS Sans Serif");
  EXPECT_EQ(m.lfMenuFont.lfWeight, FW_NORMAL);
  EXPECT_EQ(m.lfCaptionFont.lfWeight, FW_BOLD);
  EXPECT_LT(m.lfMenuFont.lfHeight, 0);
  EXPECT_EQ(m.iMenuHeight, GetSystemMetrics(SM_CYMENUSIZE));
  EXPECT_EQ(m.iScrollWidth, GetSystemMetrics(SM_CXVSCROLL));

  RECT work{};
  ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(work.bottom, GetSystemMetrics(SM_CYSCREEN));

  // A record of another size, no record, or an action not answered.
  NONCLIENTMETRICS old;
  old.cbSize = sizeof(NONCLIENTMETRICS) - 4;
  EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, old.cbSize, &old, 0));
  EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, nullptr, 0));
  EXPECT_FALSE(SystemParametersInfo(0x1234, 0, &work, 0));
}

}  // namespace
