// The reading view's plain rules: typed journal addresses, sheet titles and status texts, picture
// macros, the text handed to searches, pop-up placement, scroll pages, wheel auto-scrolling, the
// panes' context menus, style setters and annotations, and the act information window's texts.
#include <gtest/gtest.h>

#include "platform/base/cp1250.h"
#include "navigation/act_dlg.h"
#include "shell/view/view_rules.h"

namespace shell::view {
namespace {

std::string cp(const char* utf8) { return base::cp1250::from_utf8(utf8); }

TEST(AddressContext, TypedAddressesBecomeContextStrings) {
  const AddressDefaults current{2004, 12};
  struct Case {
    std::string typed;
    bool issue_only;
    const char* context;
  };
  const Case cases[] = {
      {"97 123 456", false, "DU.1997.0123.0456"},
      {"97 123", false, "DU.1997.0123.0000"},
      {"97 123 456", true, "DU.1997.0123.0000"},
      {"123", false, "DU.2004.0012.0123"},           // the current act's issue and year
      {" 7 5", false, "DU.2004.0007.0005"},          // a leading separator keeps the year
      {"2001 12 2786", false, "DU.2001.0012.2786"},  // four-digit years stand as typed
      {"5 1 2", false, "DU.1905.0001.0002"},
      {"97 12345 6", false, "DU.1997.0006"},         // a five-digit number is left out
      {"97\xBE" "12\xBF" "3", false, "DU.1997.0012.0003"},
      {"DU.1998.0034.0000", false, "DU.1998.0034.0000"},
  };
  for (const Case& c : cases) EXPECT_EQ(MakeAddressContext(c.typed, c.issue_only, current), c.context) << c.typed;
}

TEST(SheetTexts, JournalNumberNeedsTheHashAndTwoBlanks) {
  EXPECT_EQ(JournalNumberText("Dz.U. 1998 # Nr 12 z dnia"), "Nr ");
  EXPECT_EQ(JournalNumberText("1998 #12 34 "), "34 ");
  EXPECT_EQ(JournalNumberText("bez znaku Nr 12 x"), "");  // no '#': empty, never the whole text
  EXPECT_EQ(JournalNumberText("# 12"), "");
  EXPECT_EQ(JournalNumberText(""), "");
}

TEST(SheetTexts, TitlesAndStatusByLevelShowFullYears) {
  ActDescription d;
  d.texts[kLevelIssue] = "Dziennik #Nr 12 x";
  d.record.level = kLevelAct;
  d.record.year = 98;
  d.record.number = 34;
  SheetTexts t = MakeSheetTexts(d, {});
  EXPECT_EQ(t.short_text, "1998 r. poz 34");
  EXPECT_EQ(t.long_text, "  poz 34  (D.U. z 1998 roku   Nr 12 )");
  d.record.year = 101;  // 2001: never "19101"
  d.record.number = 2786;
  EXPECT_EQ(MakeSheetTexts(d, {}).short_text, "2001 r. poz 2786");
  d.record.level = kLevelIssue;
  d.record.number = 12;
  EXPECT_EQ(MakeSheetTexts(d, {}).short_text, "2001 r. Nr 12");
  d.record.level = kLevelYearbook;
  t = MakeSheetTexts(d, {});
  EXPECT_EQ(t.short_text, "2001 r.");
  EXPECT_EQ(t.long_text, "  rocznik 2001");
  // A part of an act shows its act's address.
  d.record.level = 3;
  ContentsRecord act;
  act.level = kLevelAct;
  act.year = 99;
  act.number = 120;
  EXPECT_EQ(MakeSheetTexts(d, act).short_text, "1999 r. poz 120");
  d.record.level = 0;
  EXPECT_FALSE(MakeSheetTexts(d, act).changed);
}

TEST(PictureMacro, NamesAreBoundedAndNeedThePerCentSign) {
  std::string name;
  EXPECT_TRUE(ParsePictureMacro("%karta.png@karta.png", &name));
  EXPECT_EQ(name, "karta.png");
  EXPECT_TRUE(ParsePictureMacro("% karta.png ", &name));
  EXPECT_EQ(TrimBlanks(name), "karta.png");
  EXPECT_FALSE(ParsePictureMacro("karta.png@x", &name));
  EXPECT_FALSE(ParsePictureMacro("%@x", &name));
  EXPECT_FALSE(ParsePictureMacro("", &name));
  EXPECT_TRUE(ParsePictureMacro("%" + std::string(127, 'a') + "@" + std::string(1000, 'b'), &name));
  EXPECT_FALSE(ParsePictureMacro("%" + std::string(128, 'a'), &name));  // never cut silently
}

TEST(SelectedText, ControlCharactersLeadNothingAndLongSelectionsAreDropped) {
  EXPECT_EQ(SelectedTextForSearch("\x01\x02\tbiblioteka"), "biblioteka");
  EXPECT_EQ(SelectedTextForSearch(cp("żółw\r\n")), cp("żółw"));
  EXPECT_EQ(SelectedTextForSearch(std::string(255, 'a')), std::string(255, 'a'));
  EXPECT_EQ(SelectedTextForSearch(std::string(256, 'a')), "");
  EXPECT_EQ(SelectedTextForSearch(""), "");
}

TEST(PopupPlacement, OpensOnTheScreenOfItsAnchor) {
  const RECT second{1920, 0, 3200, 1024};  // a screen right of the primary one
  // Fits: stays where it is.
  EXPECT_EQ(PlaceOnScreen({2000, 100}, {500, 400}, second, 0).x, 2000);
  // Near the right edge: opens to the left.
  POINT at = PlaceOnScreen({3000, 100}, {500, 400}, second, 0);
  EXPECT_EQ(at.x, 2500);
  // Wider than the screen: centred on it.
  at = PlaceOnScreen({3000, 100}, {1500, 400}, second, 0);
  EXPECT_EQ(at.x, 1920 + (1280 - 1500) / 2);
  // Near the bottom: opens above.
  EXPECT_EQ(PlaceOnScreen({2000, 900}, {500, 400}, second, 0).y, 500);
  // The tool tip keeps 16 pixels of slack on the right.
  EXPECT_EQ(PlaceOnScreen({2690, 0}, {500, 100}, second, 16).x, 2190);
}

TEST(ScrollModel, PagesAndWheelLines) {
  EXPECT_EQ(ScrollPage(400, 0x7FFF, 0), 0);
  EXPECT_EQ(ScrollPage(400, 0x7FFF, 4000), (400 * 0x7FFF + 3999) / 4000);
  EXPECT_EQ(ScrollPage(400, 0x7FFF, 100), 0x7FFF);  // never more than the range
  EXPECT_EQ(WheelLines(240), 2);
  EXPECT_EQ(WheelLines(119), 0);
  EXPECT_EQ(WheelLines(-120), -1);
}

TEST(WheelScrolling, DirectionCursorAndPicture) {
  struct Case {
    int dx, dy;
    bool h, v;
    WheelDirection direction;
    int amount;
    UINT cursor;
  };
  const Case cases[] = {
      {0, 0, true, true, WheelDirection::none, 0, 132},
      {0, 0, false, true, WheelDirection::none, 0, 136},
      {0, 0, true, false, WheelDirection::none, 0, 135},
      {5, 0, false, true, WheelDirection::none, 0, 136},  // sideways, less than 10: neutral
      {10, 0, false, true, WheelDirection::up, 0, 131},   // 10 or more: up without scrolling
      {0, 5, true, true, WheelDirection::down, 5, 133},
      {0, -50, true, true, WheelDirection::up, 50, 131},
      {-30, 5, true, true, WheelDirection::left, 30, 134},
      {30, 5, true, true, WheelDirection::right, 30, 130},
      {30, 5, false, false, WheelDirection::none, 0, 132},
  };
  for (const Case& c : cases) {
    const WheelStep step = WheelStepFor(c.dx, c.dy, c.h, c.v);
    EXPECT_EQ(step.direction, c.direction) << c.dx << "," << c.dy;
    EXPECT_EQ(step.amount, c.amount) << c.dx << "," << c.dy;
    EXPECT_EQ(WheelCursorFor(step.direction, c.h, c.v), c.cursor) << c.dx << "," << c.dy;
  }
  EXPECT_EQ(WheelImageOffset(true, true), 0);
  EXPECT_EQ(WheelImageOffset(true, false), 26);
  EXPECT_EQ(WheelImageOffset(false, true), 52);
}

TEST(PaneMenus, ThePopUpFollowsWhatLiesUnderTheMouse) {
  struct Case {
    bool on_hotspot, nothing, over_text, has_place, selection;
    int popup;
  } cases[] = {
      {true, true, false, false, false, -1},  // an object of kind "nothing": no menu
      {true, false, true, true, false, 3},    // a link with a place
      {true, false, true, true, true, 3},     // the link wins over a selection
      {true, false, true, false, false, 1},   // a link without a place: the sheet's menu
      {true, false, true, false, true, 0},
      {true, false, false, false, false, 4},  // another object
      {false, false, true, false, false, 1},  // plain text
      {false, false, true, false, true, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PaneMenuPopup(c.on_hotspot, c.nothing, c.over_text, c.has_place, c.selection), c.popup)
        << c.on_hotspot << c.nothing << c.over_text << c.has_place << c.selection;
  }
}

TEST(PaneStyles, UnderlineChoicesAndAnnotationTexts) {
  const std::pair<int, uint8_t> underline[] = {{0, 7}, {1, 0xFF}, {2, 1}, {3, 0}, {4, 1}, {-1, 1}};
  for (const auto& [choice, expected] : underline) EXPECT_EQ(StyleUnderline(choice, 7), expected) << choice;
  EXPECT_EQ(AnnotationDescription(12, 40960, 7), "ANNEW, MVANNOTATE, 12 40960 7");
  EXPECT_EQ(AnnotationDescription(0, -1, 0), "ANNEW, MVANNOTATE, 0 -1 0");
}

TEST(ActInformation, AddressRankAndTitleOfEachKind) {
  ActDescription d;
  d.position = 2786;
  d.year = 101;
  d.texts[7] = cp("Ustawa#o ochronie środowiska");
  struct Case {
    int level;
    bool attachment;
    int attachment_number;
    int year, number;
    const char* address;
    const char* rank;
    const char* title;
  } cases[] = {
      {7, false, 0, 101, 2786, "poz. 2786/2001", "Ustawa", "o ochronie środowiska"},
      {3, false, 0, 101, 4, "poz. 2786/2001", "Ustawa", "o ochronie środowiska"},
      {7, true, 2, 101, 0, "poz. 2786/2001 (Załącznik Nr 2)", "Ustawa", "o ochronie środowiska"},
      {7, true, 0, 101, 0, "poz. 2786/2001 (Załącznik)", "Ustawa", "o ochronie środowiska"},
      {8, false, 0, 101, 150, "Nr 150/2001", "DZIENNIK USTAW", ""},
      {9, false, 0, 101, 0, "Rocznik 2001", "ROCZNIK", ""},
      {7, false, 0, 89, 0, "", "", ""},  // before 1990 without a number: nothing
  };
  for (const Case& c : cases) {
    d.record.level = c.level;
    d.record.attachment = c.attachment;
    d.record.attachment_number = c.attachment_number;
    d.record.year = c.year;
    d.record.number = c.number;
    d.year = c.year;
    const actinfo::Lines lines = actinfo::Describe(d);
    EXPECT_EQ(lines.address, cp(c.address)) << c.level;
    EXPECT_EQ(lines.rank, cp(c.rank)) << c.level;
    EXPECT_EQ(lines.title, cp(c.title)) << c.level;
  }
  // An act text without '#' is all rank.
  d.record = {};
  d.record.level = 7;
  d.record.number = 1;
  d.texts[7] = "Obwieszczenie";
  EXPECT_EQ(actinfo::Describe(d).rank, "Obwieszczenie");
  EXPECT_EQ(actinfo::Describe(d).title, "");
}

TEST(ActInformation, TabsSitSideBySideFromX60) {
  const std::vector<RECT> rects = actinfo::TabRects({50, 40, 80});
  ASSERT_EQ(rects.size(), 3u);
  EXPECT_EQ(rects[0].left, 60);
  EXPECT_EQ(rects[0].right, 128);
  EXPECT_EQ(rects[1].left, 130);
  EXPECT_EQ(rects[1].right, 188);
  EXPECT_EQ(rects[2].left, 190);
  EXPECT_EQ(rects[2].right, 288);
  for (const RECT& r : rects) {
    EXPECT_EQ(r.top, 3);
    EXPECT_EQ(r.bottom, 23);
  }
  EXPECT_TRUE(actinfo::TabRects({}).empty());
}

}  // namespace
}  // namespace shell::view
