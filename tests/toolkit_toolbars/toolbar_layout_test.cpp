// The toolbar's geometry as tables: rows for a width and for a height, evening the rows out,
// where a dropped button goes; and the saved "Buttons" records, byte for byte.
#include <gtest/gtest.h>

#include <vector>

#include "platform/base/archive.h"
#include "toolkit/widgets/custom_toolbar_info.h"
#include "toolkit/widgets/toolbar_layout.h"

namespace {

using toolbar_layout::DropItem;
using toolbar_layout::DropPlan;
using toolbar_layout::Item;
using toolbar_layout::Row;

// "B" a 23-pixel button, "S" an 8-pixel separator, "W" a 60-pixel window button.
std::vector<Item> items(const char* shape) {
  std::vector<Item> out;
  for (const char* c = shape; *c; ++c) {
    if (*c == 'B') out.push_back({23, 22, false, false});
    if (*c == 'S') out.push_back({8, 22, true, false});
    if (*c == 'W') out.push_back({60, 22, false, false});
  }
  return out;
}

// Rows as text: the last index of each, "s" when it ended at a separator, and its width.
std::string rows_text(const std::vector<Row>& rows) {
  std::string out;
  for (const Row& r : rows) {
    if (!out.empty()) out += ' ';
    out += std::to_string(r.last) + (r.wrapAtSep ? "s" : "") + ":" + std::to_string(r.cx);
  }
  return out;
}

TEST(ToolbarLayout, WrapsAtSeparatorsBeforeButtonsAndKeepsWideButtonsAlone) {
  struct Case {
    const char* shape;
    int width;
    const char* rows;
  } cases[] = {
      {"BBSBB", 50, "2s:46 4:46"},      // the row ends at the separator, which counts for neither
      {"BBB", 50, "1:46 2:23"},         // no separator: before the button that does not fit
      {"BBB", 69, "2:69"},              // 2 pixels of slack
      {"BBB", 67, "2:69"},
      {"BBB", 66, "1:46 2:23"},
      {"WB", 30, "0:60 1:23"},          // wider than the row: a row of its own
      {"BBSBBSBB", 0x7FFF, "7:154"},    // docked along the top: one row
      {"BSB", 0, "1s:23 2:23"},    // standing upright: one button per row
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rows_text(toolbar_layout::Wrap(items(c.shape), c.width)), c.rows) << c.shape << " " << c.width;
  }
  EXPECT_TRUE(toolbar_layout::Wrap({}, 100).empty());
}

TEST(ToolbarLayout, SizeCountsTheGapUnderRowsEndingAtASeparator) {
  const auto rows = toolbar_layout::Wrap(items("BBSBB"), 50);
  EXPECT_EQ(toolbar_layout::CalcSize(rows, 8), CSize(46, 22 + 5 + 22));
  const auto placed = toolbar_layout::Place(items("BBSBB"), rows, CPoint(4, 3), 8);
  const std::vector<CPoint> expected{{4, 3}, {27, 3}, {50, 3}, {4, 30}, {27, 30}};
  EXPECT_EQ(placed, expected);
}

TEST(ToolbarLayout, TallerRowsCentreTheButtonsThatAskForIt) {
  std::vector<Item> row{{23, 22, false, false}, {120, 28, false, false}, {23, 22, false, true}};
  const auto rows = toolbar_layout::Wrap(row, 0x7FFF);
  const auto placed = toolbar_layout::Place(row, rows, CPoint(0, 0), 8);
  EXPECT_EQ(placed[0].y, 0);
  EXPECT_EQ(placed[2].y, 3);
}

TEST(ToolbarLayout, BalancingEvensTheRowsOut) {
  struct Case {
    const char* shape;
    int width;
    const char* balanced;
  } cases[] = {
      {"BBBB", 70, "1:46 3:46"},            // 3 + 1 becomes 2 + 2
      {"BBBBB", 70, "2:69 4:46"},           // moving a button would not narrow the bar
      {"BBSBBSB", 106, "2s:46 6:77"},       // a group moves whole, from its separator on
      {"BB", 0x7FFF, "1:46"},               // one row: nothing to even
  };
  for (const Case& c : cases) {
    const auto its = items(c.shape);
    std::vector<Row> rows = toolbar_layout::Wrap(its, c.width);
    toolbar_layout::BalanceRows(its, rows);
    EXPECT_EQ(rows_text(rows), c.balanced) << c.shape;
  }
}

TEST(ToolbarLayout, AHeightSeeksTheNarrowestWidthThatFits) {
  struct Case {
    int buttons;
    int height;
    size_t rows;
  } cases[] = {
      {6, 44, 2},    // two rows of 22 fit exactly
      {6, 200, 6},   // room for all: one button per row, no narrower
      {6, 10, 1},    // no row fits: one row
      {6, 66, 3},
  };
  for (const Case& c : cases) {
    std::vector<Item> its(size_t(c.buttons), Item{23, 22, false, false});
    EXPECT_EQ(toolbar_layout::WrapLayout(its, c.height, true, 16, 15).size(), c.rows) << c.height;
  }
  // A width: the widest button at least.
  EXPECT_EQ(toolbar_layout::WrapLayout(items("WBB"), 10, false, 16, 15).size(), 2u);
}

// A row of buttons at 0, separator, 31 and 54, 22 high, in a bar 200 x 28.
std::vector<DropItem> drop_row() {
  return {{CRect(0, 0, 23, 22), false, false},
          {CRect(23, 0, 31, 22), true, false},
          {CRect(31, 0, 54, 22), false, false},
          {CRect(54, 0, 77, 22), false, false}};
}

TEST(ToolbarDrop, WhereADroppedButtonGoes) {
  const CRect client(0, 0, 200, 28);
  struct Case {
    const char* what;
    CRect drop;
    int selected;
    DropPlan::Kind kind;
    int index;
  } cases[] = {
      {"nudged left with a separator before it", CRect(28, 0, 51, 22), 2, DropPlan::removeSeparator, 1},
      {"nudged right", CRect(57, 0, 80, 22), 3, DropPlan::insertSeparator, 3},
      {"the last button nudged left", CRect(51, 0, 74, 22), 3, DropPlan::nothing, 0},
      {"nudged one pixel", CRect(55, 0, 78, 22), 3, DropPlan::nothing, 0},
      {"over a button: after it", CRect(40, 0, 63, 22), -1, DropPlan::insertButton, 3},
      {"left of the bar: the row start", CRect(-5, 0, 18, 22), -1, DropPlan::insertButton, 0},
      {"past the last button", CRect(120, 0, 143, 22), -1, DropPlan::insertButton, 4},
      {"moved far along its own bar", CRect(2, 0, 25, 22), 3, DropPlan::insertButton, 1},
  };
  for (const Case& c : cases) {
    const DropPlan plan = toolbar_layout::PlanDrop(drop_row(), c.drop, client, c.selected, 8);
    EXPECT_EQ(plan.kind, c.kind) << c.what;
    if (plan.kind != DropPlan::nothing) { EXPECT_EQ(plan.index, c.index) << c.what; }
  }
}

TEST(ToolbarDrop, AboveBelowEmptyAndAlone) {
  const CRect client(0, 0, 200, 28);
  DropPlan above = toolbar_layout::PlanDrop(drop_row(), CRect(10, -40, 33, -18), client, -1, 8);
  EXPECT_EQ(above.kind, DropPlan::insertButton);
  EXPECT_EQ(above.index, 0);
  EXPECT_TRUE(above.separatorAfter);
  DropPlan below = toolbar_layout::PlanDrop(drop_row(), CRect(10, 30, 33, 52), client, 2, 8);
  EXPECT_EQ(below.kind, DropPlan::insertButton);
  EXPECT_EQ(below.index, 4);
  EXPECT_TRUE(below.separatorBefore);
  EXPECT_EQ(toolbar_layout::PlanDrop({}, CRect(0, 0, 23, 22), client, -1, 8).kind, DropPlan::insertButton);
  EXPECT_EQ(toolbar_layout::PlanDrop({{CRect(0, 0, 23, 22)}}, CRect(40, 0, 63, 22), client, 0, 8).kind,
            DropPlan::nothing);
  // A separator the dropped button covers goes.
  DropPlan covering = toolbar_layout::PlanDrop(drop_row(), CRect(20, 0, 43, 22), client, -1, 8);
  EXPECT_EQ(covering.index, 1);
  EXPECT_EQ(covering.separatorToRemove, 1);
}

TEST(ToolbarDrop, IndexAfterTheButtonLeftItsPlace) {
  EXPECT_EQ(toolbar_layout::IndexAfterRemoval(5, 2), 4);
  EXPECT_EQ(toolbar_layout::IndexAfterRemoval(0, 2), 0);
  EXPECT_EQ(toolbar_layout::IndexAfterRemoval(2, 2), -1);
  EXPECT_EQ(toolbar_layout::IndexAfterRemoval(3, 2), -1);
}

TEST(ToolbarRecords, ButtonsValueByteForByte) {
  const std::vector<SECToolBarButtonRecord> buttons{{0, {}}, {57600, {}}, {33007, {0x78, 0x00}}};
  const std::vector<BYTE> packed = toolbar_records::Pack(buttons);
  const std::vector<BYTE> expected{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xE1, 0x00, 0x00,
                                   0x00, 0xEF, 0x80, 0x00, 0x00, 0x02, 0x78, 0x00};
  EXPECT_EQ(packed, expected);
  std::vector<SECToolBarButtonRecord> back;
  EXPECT_TRUE(toolbar_records::Unpack(packed.data(), packed.size(), back));
  EXPECT_EQ(back, buttons);
}

TEST(ToolbarRecords, RecordsCutShortOrTooManyAreRefused) {
  const std::vector<BYTE> packed = toolbar_records::Pack({{0, {}}, {57600, {}}, {33007, {0x78, 0x00}}});
  std::vector<SECToolBarButtonRecord> back;
  // The last record's bytes cut short: it is dropped, the others stay.
  EXPECT_FALSE(toolbar_records::Unpack(packed.data(), packed.size() - 1, back));
  EXPECT_EQ(back.size(), 2u);
  // A length byte reaching past the value.
  const std::vector<BYTE> inflated{0x10, 0x00, 0x00, 0x00, 0xFF, 0x01};
  EXPECT_FALSE(toolbar_records::Unpack(inflated.data(), inflated.size(), back));
  EXPECT_TRUE(back.empty());
  // A header cut short.
  EXPECT_FALSE(toolbar_records::Unpack(packed.data(), 3, back));
  // More records than a bar may hold.
  std::vector<BYTE> many(5 * (toolbar_records::kMaxButtons + 1), 0);
  EXPECT_FALSE(toolbar_records::Unpack(many.data(), many.size(), back));
  EXPECT_EQ(back.size(), toolbar_records::kMaxButtons);
}

TEST(ToolbarRecords, ArchiveRoundTripAndDamagedArchives) {
  SECCustomToolBarInfoEx info;
  info.m_strTitle = "Narzędzia";
  info.m_buttons = {{0, {}}, {57600, {}}, {33007, {0x78, 0x00}}};
  CArchive out;
  info.Serialize(out, nullptr);
  const std::vector<uint8_t> bytes = out.TakeBytes();
  {
    CArchive in(bytes);
    SECCustomToolBarInfoEx back;
    back.Serialize(in, nullptr);
    EXPECT_EQ(back.m_strTitle, info.m_strTitle);
    EXPECT_EQ(back.m_buttons, info.m_buttons);
    EXPECT_EQ(in.Remaining(), 0u);
  }
  for (size_t cut = 1; cut < bytes.size(); ++cut) {
    CArchive in(std::span<const uint8_t>(bytes.data(), cut));
    SECCustomToolBarInfoEx back;
    EXPECT_THROW(back.Serialize(in, nullptr), CArchiveException) << cut;
  }
  // A count past the limit.
  CArchive big;
  big << CString("x") << uint32_t(toolbar_records::kMaxButtons + 1);
  const std::vector<uint8_t> inflated = big.TakeBytes();
  CArchive in(inflated);
  SECCustomToolBarInfoEx back;
  EXPECT_THROW(back.Serialize(in, nullptr), CArchiveException);
}

}  // namespace
