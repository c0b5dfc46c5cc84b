// The masked edit with numeric stepping: Up and Down on the journal address fields.
#include "controls/gs_mask_edit.h"

#include <gtest/gtest.h>

#include "platform/base/cp1250.h"
#include "platform/win/virtual_keys.h"
#include "tests/small_controls/controls_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

TEST(MaskStepping, StepsTheNumberTheDataStartsWithWithinTheField) {
  const struct {
    const char* data;
    int capacity;
    bool up;
    const char* stepped;  // null: nothing changes
  } cases[] = {
      {"    ", 4, true, "1"},     {"0   ", 4, false, nullptr}, {"1   ", 4, false, "0"},
      {"12  ", 4, true, "13"},    {"12  ", 4, false, "11"},    {"9999", 4, true, nullptr},
      {"9999", 4, false, "9998"}, {"99  ", 4, true, "100"},    {"ab  ", 4, true, "1"},
      {" 7  ", 4, true, "8"},     {"3x  ", 4, true, "4"},      {"1000", 4, false, "999"},
      {"99999999999999999999", 20, true, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << '"' << c.data << "\" " << (c.up ? "up" : "down"));
    auto stepped = CGSMaskEdit::StepValue(c.data, c.capacity, c.up);
    if (c.stepped) {
      ASSERT_TRUE(stepped.has_value());
      EXPECT_EQ(*stepped, c.stepped);
    } else {
      EXPECT_FALSE(stepped.has_value());
    }
  }
}

class GSMaskEditTest : public SmallControlsTest {
 protected:
  void SetUp() override {
    SmallControlsTest::SetUp();
    ASSERT_TRUE(year.AttachDlgItem(UINT(IDC_SMALL_YEAR), &dialog));
    ASSERT_TRUE(position.AttachDlgItem(UINT(IDC_SMALL_POSITION), &dialog));
    year.SetMask("####");
    position.SetMask(base::cp1250::from_utf8("część ####").c_str());
    pump();
  }
  static std::string shown(const CGSMaskEdit& e) { return base::cp1250::to_utf8(GetWindowTextString(e.m_hWnd)); }
  static std::pair<int, int> selection(const CGSMaskEdit& e) {
    int start = 0, end = 0;
    e.GetSel(start, end);
    return {start, end};
  }
  void key(CGSMaskEdit& e, int vk) {
    e.SetFocus();
    press_key(vk);
    pump();
  }

  CGSMaskEdit year;
  CGSMaskEdit position;
};

TEST_F(GSMaskEditTest, UpAndDownStepTheFieldAndLeaveTheCaretAfterTheNumber) {
  key(year, VK_UP);
  EXPECT_EQ(shown(year), "1   ");
  EXPECT_EQ(selection(year), std::make_pair(0, 1));
  key(year, VK_DOWN);
  EXPECT_EQ(shown(year), "0   ");
  key(year, VK_DOWN);
  EXPECT_EQ(shown(year), "0   ");
  year.SetData("1997");
  key(year, VK_UP);
  EXPECT_EQ(shown(year), "1998");
  EXPECT_EQ(selection(year), std::make_pair(0, 4));
  // A full field is not stepped past what it holds.
  year.SetData("9999");
  key(year, VK_UP);
  EXPECT_EQ(shown(year), "9999");
  // Literals before the number stay where they are.
  position.SetData("483");
  key(position, VK_UP);
  EXPECT_EQ(shown(position), "część 484 ");
  EXPECT_EQ(selection(position), std::make_pair(6, 9));
  save_picture("mask_edit.png");
  EXPECT_EQ(position.GetDataLength(), 4);
  EXPECT_EQ(selection(position), std::make_pair(6, 10));
  // Typing still goes through the mask.
  year.SetData("");
  year.SetSel(0, 0);
  year.SetFocus();
  type_text("20a1");
  pump();
  EXPECT_EQ(shown(year), "201 ");
}

}  // namespace
}  // namespace lumo::test
