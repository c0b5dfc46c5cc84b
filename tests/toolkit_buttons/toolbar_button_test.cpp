// Toolbar buttons: sizes, the drawing of every state (on the recording device and in pixels),
// pressing, check buttons shared across bars, drop-down buttons, tool tips and creation from a
// button map.
#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/gdi/core/recording_device.h"
#include "platform/gdi/qt_raster_device.h"
#include "platform/win/messages.h"
#include "resources/resource_ids.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/toolkit_buttons/button_bar.h"
#include "toolkit/frame/toolkit_globals.h"
#include "toolkit/widgets/toolbar_button.h"

namespace lumo::test {
namespace {

using resources::ID_EDIT_COPY;
using resources::ID_FILE_PRINT;
constexpr UINT kNoImage = 33950;  // a command the strip has no image for

TEST(ToolBarButtonGeometry, SizesAndImageOrigin) {
  EXPECT_EQ(toolbar_button::ButtonSize(16, 15), CSize(23, 22));
  EXPECT_EQ(toolbar_button::ButtonSize(22, 24), CSize(29, 31));
  EXPECT_EQ(toolbar_button::SeparatorWidth(16), 8);
  EXPECT_EQ(toolbar_button::SeparatorWidth(22), 10);
  EXPECT_EQ(toolbar_button::ImageOrigin(CRect(0, 0, 23, 22), 16, 15, FALSE), CPoint(3, 3));
  EXPECT_EQ(toolbar_button::ImageOrigin(CRect(0, 0, 23, 22), 16, 15, TRUE), CPoint(4, 4));
  DWORD set = 0, clear = 0;
  toolbar_button::CheckToggleBits(SEC_TBBS_CHECKBOX | SEC_TBBS_CHECKED, set, clear);
  EXPECT_EQ(set, 0u);
  EXPECT_EQ(clear, SEC_TBBS_CHECKED | SEC_TBBS_INDETERMINATE);
  toolbar_button::CheckToggleBits(SEC_TBBS_CHECKBOX | SEC_TBBS_INDETERMINATE, set, clear);
  EXPECT_EQ(set, SEC_TBBS_CHECKED);
  EXPECT_EQ(clear, SEC_TBBS_INDETERMINATE);
}

class ToolBarButtonTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    gdi::install_qt_devices();
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "Przyciski", WS_POPUP | WS_VISIBLE, CRect(0, 0, 420, 120), nullptr, 0));
    bar = std::make_unique<ButtonBar>();
    ASSERT_TRUE(bar->Create(&frame, CRect(0, 0, 420, 34), 0xE800));
    bar->mgr = main_strip_manager();
  }
  void TearDown() override {
    bar.reset();
    FrameworkTest::TearDown();
  }
  // A button made the way a toolbar makes one, for a command without a map.
  SECStdBtn* add(UINT id, DWORD style = 0) {
    SECStdBtn* btn = bar->Add(SECCreateToolBarButton(id, nullptr, bar.get(), FALSE));
    btn->SetStyle(style);
    return btn;
  }

  CWnd frame;
  std::unique_ptr<ButtonBar> bar;
};

// --- Drawing on the recording device ---------------------------------------------------------------

// The lines one button writes when drawn at (0, 0) of a recording context.
std::vector<std::string> record(SECStdBtn& btn) {
  auto log = std::make_shared<gdi::RecordingLog>();
  std::vector<std::string> lines;
  HDC hdc = gdi::create_recording_dc(log);
  {
    CDC dc;
    dc.Attach(hdc);
    SECBtnDrawData data;
    EXPECT_TRUE(data.Prepare(&dc, 30, 22));
    log->clear();
    btn.Draw(dc, data);
    lines = *log;
    data.Release();
    dc.Detach();
  }
  DeleteDC(hdc);
  return lines;
}

int count_with(const std::vector<std::string>& lines, const std::string& a, const std::string& b = "") {
  return int(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
    return l.find(a) != std::string::npos && (b.empty() || l.find(b) != std::string::npos);
  }));
}

TEST_F(ToolBarButtonTest, EachStateDrawsItsEffects) {
  SECStdBtn* btn = add(ID_FILE_PRINT);
  btn->SetPos(0, 0);
  ASSERT_GE(btn->m_nImage, 0);
  const struct {
    DWORD style;
    const char* image_at;  // where the image lands in the composition
    int emboss, dither, and_mask;
  } cases[] = {
      {0, "transfer 3,3,19,18", 0, 0, 0},
      {SEC_TBBS_HOT, "transfer 3,3,19,18", 0, 0, 0},
      {SEC_TBBS_PRESSED, "transfer 4,4,20,19", 0, 0, 0},
      {SEC_TBBS_CHECKED, "transfer 4,4,20,19", 0, 1, 0},
      {SEC_TBBS_DISABLED, "transfer 3,3,19,18", 2, 0, 0},
      {SEC_TBBS_INDETERMINATE, "transfer 3,3,19,18", 1, 1, 0},
      {SEC_TBBS_DISABLED | SEC_TBBS_CHECKED, "transfer 4,4,20,19", 2, 1, 1},
  };
  for (const auto& c : cases) {
    btn->SetStyle(c.style);
    const auto lines = record(*btn);
    SCOPED_TRACE(c.style);
    EXPECT_EQ(count_with(lines, c.image_at, "rop=CC"), 1);
    EXPECT_EQ(count_with(lines, "rop=B8"), c.emboss);
    EXPECT_EQ(count_with(lines, "rop=E2"), c.dither);
    EXPECT_EQ(count_with(lines, "rop=88"), c.and_mask);
    // The composed button reaches the target in one copy at its place.
    EXPECT_EQ(count_with(lines, "transfer 0,0,23,22 from 0,0,23,22", "rop=CC"), 1);
  }
}

TEST_F(ToolBarButtonTest, CustomizingDrawsTheFaceOnlyAndFramesTheSelection) {
  SECStdBtn* btn = add(ID_FILE_PRINT, SEC_TBBS_DISABLED | SEC_TBBS_SELECTED);
  btn->SetPos(0, 0);
  bar->customizing = TRUE;
  const auto lines = record(*btn);
  EXPECT_EQ(count_with(lines, "rop=B8"), 0);
  // The 3-pixel drag frame: four inverted strips over the button, after its copy.
  EXPECT_EQ(count_with(lines, "rop=5A"), 4);
  EXPECT_EQ(count_with(lines, "fill 0,0,23,3 rop=5A"), 1);
  EXPECT_EQ(lines.back().find("rop=5A") != std::string::npos, true);
}

TEST_F(ToolBarButtonTest, CommandWithoutImageDrawsTheFaceAlone) {
  SECStdBtn* btn = add(kNoImage);
  btn->SetPos(0, 0);
  EXPECT_EQ(btn->m_nImage, -1);
  for (DWORD style : {DWORD(0), SEC_TBBS_CHECKED, SEC_TBBS_DISABLED}) {
    btn->SetStyle(style);
    const auto lines = record(*btn);
    EXPECT_EQ(count_with(lines, "transfer 3,3,19,18"), 0) << style;
    EXPECT_EQ(count_with(lines, "transfer 4,4,20,19"), 0) << style;
    EXPECT_EQ(count_with(lines, "transfer 0,0,23,22", "rop=CC"), 1) << style;
  }
}

TEST_F(ToolBarButtonTest, SeparatorsDrawAnEtchedLineInTheCoolLookOnly) {
  SECStdBtn* sep = bar->Add(SECCreateToolBarSeparator(bar.get()));
  sep->SetPos(0, 0);
  EXPECT_EQ(sep->m_cx, 8);
  EXPECT_EQ(sep->m_nImage, 0);
  auto lines = record(*sep);
  // x + (16 + 8) / 6: shadow at 4, highlight at 5.
  EXPECT_EQ(count_with(lines, "fill 4,0,5,22", "808080"), 1);
  EXPECT_EQ(count_with(lines, "fill 5,0,6,22", "FFFFFF"), 1);
  bar->cool = FALSE;
  EXPECT_TRUE(record(*sep).empty());
  bar->cool = TRUE;
  sep->SetStyle(SEC_TBBS_SEPARATOR | SEC_TBBS_WRAPPED);
  EXPECT_TRUE(record(*sep).empty());
}

// --- Pixels ------------------------------------------------------------------------------------------------

TEST_F(ToolBarButtonTest, EveryStateInPixels) {
  const DWORD states[] = {0,
                          SEC_TBBS_HOT,
                          SEC_TBBS_PRESSED,
                          SEC_TBBS_CHECKED,
                          SEC_TBBS_DISABLED,
                          SEC_TBBS_INDETERMINATE,
                          SEC_TBBS_DISABLED | SEC_TBBS_CHECKED,
                          SEC_TBBS_SELECTED};
  std::vector<SECStdBtn*> btns;
  for (DWORD s : states) btns.push_back(add(ID_FILE_PRINT, s));
  bar->Add(SECCreateToolBarSeparator(bar.get()));
  SECStdBtn* blank = add(kNoImage);
  SECStdBtn* copy = add(ID_EDIT_COPY);
  ButtonBar classic;
  ASSERT_TRUE(classic.Create(&frame, CRect(0, 40, 420, 74), 0xE801));
  classic.mgr = main_strip_manager();
  classic.cool = FALSE;
  for (DWORD s : {DWORD(0), SEC_TBBS_PRESSED, SEC_TBBS_CHECKED, SEC_TBBS_DISABLED}) {
    classic.Add(SECCreateToolBarButton(ID_FILE_PRINT, nullptr, &classic, FALSE))->SetStyle(s);
  }
  bar->Invalidate();
  classic.Invalidate();
  pump();
  save_pictures(bar->m_hWnd, "toolbar_buttons_cool");
  save_pictures(classic.m_hWnd, "toolbar_buttons_classic");
  const SECToolkitGlobals& g = secData();
  auto px = [&](HWND h, const SECStdBtn* b, int dx, int dy) { return surface_pixel(h, b->m_x + dx, b->m_y + dy); };
  // Plain cool button: no border; hot: highlight top-left, shadow bottom-right; pressed: shadow top-left.
  EXPECT_EQ(px(bar->m_hWnd, btns[0], 0, 0), g.clrBtnFace);
  EXPECT_EQ(px(bar->m_hWnd, btns[1], 0, 0), g.clrBtnHilite);
  EXPECT_EQ(px(bar->m_hWnd, btns[1], 22, 21), g.clrBtnShadow);
  EXPECT_EQ(px(bar->m_hWnd, btns[2], 0, 0), g.clrBtnShadow);
  // Checked: the face around the image is a checkerboard of face and highlight.
  const DWORD a = px(bar->m_hWnd, btns[3], 6, 19), b = px(bar->m_hWnd, btns[3], 7, 19);
  EXPECT_NE(a, b);
  EXPECT_TRUE((a == g.clrBtnFace && b == g.clrBtnHilite) || (a == g.clrBtnHilite && b == g.clrBtnFace));
  // Disabled: an embossed image, no black left; the plain one has black.
  auto has_black = [&](const SECStdBtn* btn) {
    for (int y = 2; y < 20; ++y)
      for (int x = 2; x < 21; ++x)
        if (px(bar->m_hWnd, btn, x, y) == RGB(0, 0, 0)) return true;
    return false;
  };
  EXPECT_TRUE(has_black(btns[0]));
  EXPECT_FALSE(has_black(btns[4]));
  EXPECT_FALSE(has_black(btns[6]));
  // Selected: the drag frame inverts the border.
  EXPECT_NE(px(bar->m_hWnd, btns[7], 0, 0), g.clrBtnFace);
  // No image: the face alone.
  for (int y = 0; y < 22; ++y)
    for (int x = 0; x < 23; ++x) ASSERT_EQ(px(bar->m_hWnd, blank, x, y), g.clrBtnFace) << x << "," << y;
  EXPECT_TRUE(has_black(copy));
  // Classic look: highlight / frame outside, face / shadow inside.
  EXPECT_EQ(px(classic.m_hWnd, classic.At(0), 0, 0), g.clrBtnHilite);
  EXPECT_EQ(px(classic.m_hWnd, classic.At(0), 22, 21), g.clrWindowFrame);
  EXPECT_EQ(px(classic.m_hWnd, classic.At(0), 21, 20), g.clrBtnShadow);
  EXPECT_EQ(px(classic.m_hWnd, classic.At(1), 0, 0), g.clrWindowFrame);
}

TEST_F(ToolBarButtonTest, TransparentButtonsShowTheBarUnderTheirFace) {
  bar->transparent = TRUE;
  bar->background = RGB(0, 128, 128);
  SECStdBtn* btn = add(ID_FILE_PRINT);
  bar->Invalidate();
  pump();
  save_pictures(bar->m_hWnd, "toolbar_button_transparent");
  EXPECT_EQ(surface_pixel(bar->m_hWnd, btn->m_x + 1, btn->m_y + 1), RGB(0, 128, 128));
  EXPECT_EQ(surface_pixel(bar->m_hWnd, btn->m_x + 1, btn->m_y + 20), RGB(0, 128, 128));
}

// --- Mouse -------------------------------------------------------------------------------------------------

TEST_F(ToolBarButtonTest, PressAndRelease) {
  SECStdBtn* btn = add(ID_FILE_PRINT);
  SECStdBtn* off = add(ID_EDIT_COPY, SEC_TBBS_DISABLED);
  EXPECT_FALSE(off->OnPress(off->m_x + 2, off->m_y + 2));
  EXPECT_FALSE(off->HasStyle(SEC_TBBS_PRESSED));
  const int x = btn->m_x + 5, y = btn->m_y + 5;
  ASSERT_TRUE(btn->OnPress(x, y));
  EXPECT_TRUE(btn->HasStyle(SEC_TBBS_PRESSED));
  btn->OnPressMove(btn->m_x + btn->m_cx, y);  // the right edge still counts
  EXPECT_TRUE(btn->HasStyle(SEC_TBBS_PRESSED));
  btn->OnPressMove(btn->m_x + btn->m_cx + 1, y);
  EXPECT_FALSE(btn->HasStyle(SEC_TBBS_PRESSED));
  EXPECT_EQ(btn->OnPressUp(btn->m_x + btn->m_cx + 5, y), 0u);
  ASSERT_TRUE(btn->OnPress(x, y));
  EXPECT_EQ(btn->OnPressUp(x, y), ID_FILE_PRINT);
  EXPECT_FALSE(btn->HasStyle(SEC_TBBS_PRESSED));
  ASSERT_TRUE(btn->OnPress(x, y));
  btn->OnPressCancel();
  EXPECT_FALSE(btn->HasStyle(SEC_TBBS_PRESSED));
}

TEST_F(ToolBarButtonTest, CheckButtonToggleReachesEveryManagedBar) {
  ButtonBar other;
  ASSERT_TRUE(other.Create(&frame, CRect(0, 40, 420, 74), 0xE801));
  bar->group.push_back(&other);
  other.group = bar->group;
  SECStdBtn* mine = add(ID_FILE_PRINT, SEC_TBBS_CHECKBOX | SEC_TBBS_INDETERMINATE);
  SECStdBtn* theirs =
      other.Add(SECCreateToolBarButton(ID_FILE_PRINT, nullptr, &other, FALSE));
  theirs->SetStyle(SEC_TBBS_CHECKBOX | SEC_TBBS_INDETERMINATE);
  SECStdBtn* unrelated = add(ID_EDIT_COPY, SEC_TBBS_CHECKBOX);
  const int x = mine->m_x + 3, y = mine->m_y + 3;
  ASSERT_TRUE(mine->OnPress(x, y));
  EXPECT_EQ(mine->OnPressUp(x, y), ID_FILE_PRINT);
  for (SECStdBtn* b : {mine, theirs}) {
    EXPECT_TRUE(b->HasStyle(SEC_TBBS_CHECKED));
    EXPECT_FALSE(b->HasStyle(SEC_TBBS_INDETERMINATE));
  }
  EXPECT_FALSE(unrelated->HasStyle(SEC_TBBS_CHECKED));
  ASSERT_TRUE(theirs->OnPress(theirs->m_x + 3, theirs->m_y + 3));
  EXPECT_EQ(theirs->OnPressUp(theirs->m_x + 3, theirs->m_y + 3), ID_FILE_PRINT);
  EXPECT_FALSE(mine->HasStyle(SEC_TBBS_CHECKED));
  EXPECT_FALSE(theirs->HasStyle(SEC_TBBS_CHECKED));
}

// Records the buttons' notifications.
class NotifyOwner : public CWnd {
 public:
  std::vector<SECBtnNotify> seen;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFY) {
      seen.push_back(*reinterpret_cast<const SECBtnNotify*>(lParam));
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

TEST_F(ToolBarButtonTest, DropDownButtonNotifiesInsteadOfCommanding) {
  NotifyOwner owner;
  ASSERT_TRUE(owner.CreateEx(0, nullptr, "Właściciel", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  bar->owner = &owner;
  add(ID_EDIT_COPY);
  SECStdBtn* btn = add(ID_FILE_PRINT, SEC_TBBS_DROPDOWN);
  EXPECT_FALSE(btn->OnPress(btn->m_x + 2, btn->m_y + 2));
  EXPECT_FALSE(btn->HasStyle(SEC_TBBS_PRESSED));
  ASSERT_EQ(owner.seen.size(), 1u);
  EXPECT_EQ(owner.seen[0].hdr.code, SEC_TBN_DROPDOWN);
  EXPECT_EQ(owner.seen[0].hdr.hwndFrom, bar->m_hWnd);
  EXPECT_EQ(owner.seen[0].hdr.idFrom, UINT_PTR(0xE800));
  EXPECT_EQ(owner.seen[0].iItem, int(ID_FILE_PRINT));
  EXPECT_EQ(owner.seen[0].nIndex, 1);
  EXPECT_TRUE(bar->in_progress_seen);
  EXPECT_EQ(bar->hot_tracks, 1);
}

TEST_F(ToolBarButtonTest, ToolInfoNamesTheCommand) {
  SECStdBtn* btn = add(ID_EDIT_COPY);
  TOOLINFO ti;
  EXPECT_EQ(btn->GetToolInfo(0, 0, &ti), INT_PTR(ID_EDIT_COPY));
  EXPECT_EQ(ti.hwnd, bar->m_hWnd);
  EXPECT_EQ(ti.uId, UINT_PTR(ID_EDIT_COPY));
  EXPECT_EQ(CRect(ti.rect), btn->GetRect());
  EXPECT_EQ(ti.lpszText, LPSTR_TEXTCALLBACK);
  EXPECT_EQ(btn->GetToolInfo(0, 0, nullptr), INT_PTR(ID_EDIT_COPY));
}

// --- Creation from a button map ------------------------------------------------------------------------

class FailingBtn : public SECStdBtn {
 public:
  static SECStdBtn* Make() { throw std::runtime_error("brak pamięci"); }
};
class NullBtn : public SECStdBtn {
 public:
  static SECStdBtn* Make() { return nullptr; }
};
class CheckBtn : public SECStdBtn {
 public:
  static SECStdBtn* Make() { return new CheckBtn; }
  static const SECButtonClass record;
  const SECButtonClass* GetButtonClass() const override { return &record; }
};
const SECButtonClass CheckBtn::record = {&CheckBtn::Make};
const SECButtonClass kFailing = {&FailingBtn::Make};
const SECButtonClass kNull = {&NullBtn::Make};

TEST_F(ToolBarButtonTest, ButtonMapsMakeTheirClassOrAPlainButton) {
  const SECButtonMapEntry map[] = {
      {&kFailing, ID_FILE_PRINT, SEC_TBBS_CHECKBOX, {}},
      {&kNull, kNoImage, SEC_TBBS_CHECKBOX, {}},
      {&CheckBtn::record, ID_EDIT_COPY, SEC_TBBS_CHECKBOX, {}},
      {nullptr, 0, 0, {}},
  };
  const struct {
    UINT id;
    const SECButtonClass* cls;
    DWORD style;
    bool image;
  } cases[] = {
      {ID_FILE_PRINT, &SECStdBtn::buttonClassSECStdBtn, 0, true},  // the creator threw
      {kNoImage, &SECStdBtn::buttonClassSECStdBtn, 0, false},      // the creator gave null
      {ID_EDIT_COPY, &CheckBtn::record, SEC_TBBS_CHECKBOX, true},
      {33951, &SECStdBtn::buttonClassSECStdBtn, 0, false},  // not in the map
  };
  for (const auto& c : cases) {
    std::unique_ptr<SECStdBtn> btn(SECCreateToolBarButton(c.id, map, bar.get(), FALSE));
    ASSERT_NE(btn, nullptr) << c.id;
    EXPECT_EQ(btn->GetButtonClass(), c.cls) << c.id;
    EXPECT_EQ(btn->m_nID, c.id);
    EXPECT_EQ(btn->GetStyle(), c.style) << c.id;
    EXPECT_EQ(btn->m_nImage >= 0, c.image) << c.id;
    EXPECT_EQ(btn->GetToolBar(), bar.get());
    EXPECT_EQ(btn->m_cx, 23);
  }
  EXPECT_EQ(bar->widest, 23);
  std::unique_ptr<SECStdBtn> alone(SECCreateToolBarButton(ID_FILE_PRINT, nullptr, nullptr, FALSE));
  EXPECT_EQ(alone->m_nImage, -1);
  EXPECT_EQ(alone->GetRect(), CRect(0, 0, 23, 22));
}

}  // namespace
}  // namespace lumo::test
