// The docking layout kept and brought back: rows, places in a row, placeholders, hidden and
// floating bars through the profile; what the profile holds; positions scaled to another
// screen and kept on it; the archive form and what it refuses.
#include <span>
#include <string>

#include "platform/base/profile.h"
#include "platform/framework/dock_state.h"
#include "tests/docking/docking_fixture.h"

namespace lumo::test {
namespace {

// The array written out: "|" a row end, "#id" a placeholder, "id" a bar (its control id less
// AFX_IDW_TOOLBAR).
std::string shape(const CDockBar& dock) {
  std::string out;
  for (int i = 0; i < dock.m_arrBars.GetSize(); ++i) {
    void* entry = dock.m_arrBars[i];
    if (!entry) {
      out += "|";
    } else if (CDockBar::IsPlaceHolder(entry)) {
      out += "#" + std::to_string(reinterpret_cast<std::uintptr_t>(entry) - AFX_IDW_TOOLBAR);
    } else {
      out += std::to_string(static_cast<CControlBar*>(entry)->GetDlgCtrlID() - int(AFX_IDW_TOOLBAR));
    }
  }
  return out;
}

int profile_int(const std::string& section, const char* key, int fallback = -99) {
  return base::Profile::app().GetProfileInt(section.c_str(), key, fallback);
}

class DockStateTest : public DockingTest {
 protected:
  void SetUp() override {
    DockingTest::SetUp();
    make(a, AFX_IDW_TOOLBAR, 120, 20);
    make(b, AFX_IDW_TOOLBAR + 1, 80, 20);
    make(c, AFX_IDW_TOOLBAR + 2, 60, 20);
    make(d, AFX_IDW_TOOLBAR + 3, 100, 20);
    top = dock(AFX_IDW_DOCKBAR_TOP);
    left = dock(AFX_IDW_DOCKBAR_LEFT);
  }
  // a and b in the first row (b at 200), c hidden on the left, d floating at 300, 250 with its
  // placeholder in the top dock bar.
  void arrange() {
    CRect r(200, 0, 280, 20);
    top->ClientToScreen(&r);
    frame->DockControlBar(&b, top, &r);
    frame->DockControlBar(&c, AFX_IDW_DOCKBAR_LEFT);
    frame->ShowControlBar(&c, FALSE, FALSE);
    frame->DockControlBar(&d, top, nullptr);
    frame->FloatControlBar(&d, CPoint(300, 250), CBRS_ALIGN_TOP);
    pump();
    ASSERT_EQ(shape(*top), "|01|#3|");
  }
  // The section of the record with that bar id, or empty.
  static std::string section_of(UINT id) {
    int bars = profile_int("Test-Summary", "Bars");
    for (int i = 0; i < bars; ++i) {
      std::string section = "Test-Bar" + std::to_string(i);
      if (profile_int(section, "BarID") == int(id)) return section;
    }
    return {};
  }

  LongBar a, b, c, d;
  CDockBar* top = nullptr;
  CDockBar* left = nullptr;
};

TEST_F(DockStateTest, SavedLayoutComesBackAfterTheBarsWereMoved) {
  arrange();
  CRect floating_window;
  floating_frame(d)->GetWindowRect(&floating_window);
  frame->SaveBarState("Test");

  // Everything elsewhere: all at the bottom, shown, nothing floating.
  for (LongBar* bar : {&a, &b, &c, &d}) frame->DockControlBar(bar, AFX_IDW_DOCKBAR_BOTTOM);
  frame->ShowControlBar(&c, TRUE, FALSE);
  pump();
  ASSERT_TRUE(frame->FloatingWindows().empty());

  frame->LoadBarState("Test");
  pump();
  EXPECT_EQ(shape(*top), "|01|#3|");
  EXPECT_EQ(shape(*left), "|2|");
  EXPECT_EQ(shape(*dock(AFX_IDW_DOCKBAR_BOTTOM)), "|");
  EXPECT_EQ(placed(a), CRect(0, 0, 120, 20));
  EXPECT_EQ(placed(b), CRect(200, 0, 280, 20));
  EXPECT_FALSE(c.IsWindowVisible());
  EXPECT_EQ(c.m_pDockBar, left);
  ASSERT_TRUE(d.IsFloating());
  CMiniDockFrameWnd* floating = floating_frame(d);
  ASSERT_NE(floating, nullptr);
  EXPECT_TRUE(floating->IsWindowVisible());
  CRect window;
  floating->GetWindowRect(&window);
  EXPECT_EQ(window, floating_window);
  EXPECT_EQ(frame->FloatingWindows().size(), 1u);
  CRect area;
  frame->GetWindowRect(&area);
  EXPECT_TRUE(save(picture({frame->m_hWnd, floating->m_hWnd}, area), "restored_layout.png"));
  // The bar still docks back at its place.
  d.m_pDockContext->ToggleDocking();
  EXPECT_EQ(shape(*top), "|01|3|");
}

TEST_F(DockStateTest, ProfileHoldsTheSummaryAndOneSectionPerStoredBar) {
  arrange();
  frame->SaveBarState("Test");
  // Nine bars (four dock bars, four bars, one floating dock bar), less the two empty dock bars.
  EXPECT_EQ(profile_int("Test-Summary", "Bars"), 7);
  EXPECT_EQ(profile_int("Test-Summary", "ScreenCX"), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(profile_int("Test-Summary", "ScreenCY"), GetSystemMetrics(SM_CYSCREEN));
  EXPECT_TRUE(section_of(AFX_IDW_DOCKBAR_BOTTOM).empty());

  std::string top_section = section_of(AFX_IDW_DOCKBAR_TOP);
  ASSERT_FALSE(top_section.empty());
  const int top_ids[] = {0, int(AFX_IDW_TOOLBAR), int(AFX_IDW_TOOLBAR) + 1, 0, int(AFX_IDW_TOOLBAR + 3) | 0x10000, 0};
  EXPECT_EQ(profile_int(top_section, "Bars"), 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(profile_int(top_section, ("Bar#" + std::to_string(i)).c_str()), top_ids[i]) << i;
  // Keys with their default value are left out.
  EXPECT_EQ(profile_int(top_section, "Visible"), -99);
  EXPECT_EQ(profile_int(top_section, "Floating"), -99);
  EXPECT_EQ(profile_int(top_section, "XPos"), -99);

  std::string floating_section = section_of(AFX_IDW_DOCKBAR_FLOAT);
  ASSERT_FALSE(floating_section.empty());
  EXPECT_EQ(profile_int(floating_section, "Floating"), 1);
  EXPECT_EQ(profile_int(floating_section, "Horz"), 1);
  CRect client;
  floating_frame(d)->GetClientRect(&client);
  floating_frame(d)->ClientToScreen(&client);
  EXPECT_EQ(profile_int(floating_section, "XPos"), client.left);
  EXPECT_EQ(profile_int(floating_section, "YPos"), client.top);

  std::string c_section = section_of(AFX_IDW_TOOLBAR + 2);
  EXPECT_EQ(profile_int(c_section, "Visible"), 0);
  EXPECT_EQ(profile_int(c_section, "Docking"), 1);
  std::string b_section = section_of(AFX_IDW_TOOLBAR + 1);
  EXPECT_EQ(profile_int(b_section, "XPos"), 200);
  EXPECT_EQ(profile_int(b_section, "YPos"), 0);

  // A shorter layout saved later leaves no sections of the longer one behind.
  frame->DockControlBar(&d, AFX_IDW_DOCKBAR_LEFT);
  frame->SaveBarState("Test");
  EXPECT_EQ(profile_int("Test-Summary", "Bars"), 6);
  EXPECT_EQ(profile_int("Test-Bar6", "BarID"), -99);
}

TEST_F(DockStateTest, MissingOrUnknownPartsChangeNothingOrAreLeftOut) {
  // No layout under that name: the frame stays as it is.
  frame->LoadBarState("Nothing");
  EXPECT_EQ(shape(*top), "|0|1|2|3|");
  // A dock bar's list naming bars the frame does not have, twice the same bar, and a floating
  // frame whose bars are all unknown (which is not made).
  base::Profile& profile = base::Profile::app();
  profile.WriteProfileInt("Odd-Summary", "Bars", 2);
  profile.WriteProfileInt("Odd-Bar0", "BarID", int(AFX_IDW_DOCKBAR_TOP));
  const int ids[] = {0, 4321, int(AFX_IDW_TOOLBAR) + 1, int(AFX_IDW_TOOLBAR) + 1, 0, int(AFX_IDW_TOOLBAR), 0};
  profile.WriteProfileInt("Odd-Bar0", "Bars", 7);
  for (int i = 0; i < 7; ++i) profile.WriteProfileInt("Odd-Bar0", ("Bar#" + std::to_string(i)).c_str(), ids[i]);
  profile.WriteProfileInt("Odd-Bar1", "BarID", int(AFX_IDW_DOCKBAR_FLOAT));
  profile.WriteProfileInt("Odd-Bar1", "Floating", 1);
  profile.WriteProfileInt("Odd-Bar1", "Bars", 3);
  profile.WriteProfileInt("Odd-Bar1", "Bar#1", 4444);
  frame->LoadBarState("Odd");
  pump();
  // Bars the layout does not name keep a row each at the end.
  EXPECT_EQ(shape(*top), "|1|0|2|3|");
  EXPECT_TRUE(frame->FloatingWindows().empty());
}

TEST_F(DockStateTest, PositionsOfAnotherScreenAreScaledAndKeptOnThisOne) {
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  base::Profile& profile = base::Profile::app();
  profile.WriteProfileInt("Big-Summary", "Bars", 2);
  profile.WriteProfileInt("Big-Summary", "ScreenCX", cx * 2);
  profile.WriteProfileInt("Big-Summary", "ScreenCY", cy * 2);
  const struct {
    int x, y;
  } places[] = {{400, 300}, {cx * 4, -500}};
  for (int i = 0; i < 2; ++i) {
    std::string section = "Big-Bar" + std::to_string(i);
    profile.WriteProfileInt(section.c_str(), "BarID", int(AFX_IDW_DOCKBAR_FLOAT));
    profile.WriteProfileInt(section.c_str(), "Floating", 1);
    profile.WriteProfileInt(section.c_str(), "XPos", places[i].x);
    profile.WriteProfileInt(section.c_str(), "YPos", places[i].y);
    profile.WriteProfileInt(section.c_str(), "Bars", 3);
    profile.WriteProfileInt(section.c_str(), "Bar#1", int(AFX_IDW_TOOLBAR) + i);
  }
  CDockState state;
  state.LoadState("Big");
  ASSERT_EQ(state.m_arrBarInfo.GetSize(), 2);
  EXPECT_TRUE(state.m_bScaling);
  EXPECT_EQ(state.GetScreenSize(), CSize(cx * 2, cy * 2));
  EXPECT_EQ(state.m_arrBarInfo[0]->m_pointPos, CPoint(200, 150));
  // Far off the screen: brought back so that its corner stays reachable.
  EXPECT_EQ(state.m_arrBarInfo[1]->m_pointPos,
            CPoint(cx - GetSystemMetrics(SM_CXSMICON), 0));
  frame->SetDockState(state);
  pump();
  ASSERT_TRUE(a.IsFloating());
  ASSERT_TRUE(b.IsFloating());
  CRect client;
  floating_frame(a)->GetClientRect(&client);
  floating_frame(a)->ClientToScreen(&client);
  EXPECT_EQ(client.TopLeft(), CPoint(200, 150));

  // The same screen: nothing is scaled.
  CDockState same;
  same.SetScreenSize(CSize(cx, cy));
  EXPECT_FALSE(same.m_bScaling);
  CPoint p(400, 300);
  same.ScalePoint(p);
  EXPECT_EQ(p, CPoint(400, 300));
  CPoint none(-1, -1);
  state.ScalePoint(none);
  EXPECT_EQ(none, CPoint(-1, -1));
}

TEST_F(DockStateTest, ArchiveFormRoundTripsAndRefusesBrokenBytes) {
  arrange();
  CDockState captured;
  frame->GetDockState(captured);
  CArchive out;
  captured.Serialize(out);
  std::vector<uint8_t> bytes = out.TakeBytes();
  // Version 2, the screen, the record count.
  ASSERT_GE(bytes.size(), 14u);
  EXPECT_EQ(bytes[0], 2);
  EXPECT_EQ(bytes[1] | bytes[2] | bytes[3], 0);
  EXPECT_EQ(int(bytes[4] | bytes[5] << 8), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(int(bytes[12] | bytes[13] << 8), captured.m_arrBarInfo.GetSize());

  CDockState loaded;
  CArchive in{std::span<const uint8_t>(bytes)};
  loaded.Serialize(in);
  EXPECT_EQ(in.Remaining(), 0u);
  ASSERT_EQ(loaded.m_arrBarInfo.GetSize(), captured.m_arrBarInfo.GetSize());
  for (int i = 0; i < loaded.m_arrBarInfo.GetSize(); ++i) {
    const CControlBarInfo& x = *captured.m_arrBarInfo[i];
    const CControlBarInfo& y = *loaded.m_arrBarInfo[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(y.m_nBarID, x.m_nBarID);
    EXPECT_EQ(y.m_bVisible, x.m_bVisible);
    EXPECT_EQ(y.m_bFloating, x.m_bFloating);
    EXPECT_EQ(y.m_pointPos, x.m_pointPos);
    EXPECT_EQ(y.m_bDocking, x.m_bDocking);
    EXPECT_EQ(y.m_rectMRUDockPos, x.m_rectMRUDockPos);
    EXPECT_EQ(y.m_ptMRUFloatPos, x.m_ptMRUFloatPos);
    EXPECT_EQ(std::vector<DWORD>(y.m_arrBarID.begin(), y.m_arrBarID.end()),
              std::vector<DWORD>(x.m_arrBarID.begin(), x.m_arrBarID.end()));
  }
  // Applied, the loaded state gives the same layout.
  for (LongBar* bar : {&a, &b, &c, &d}) frame->DockControlBar(bar, AFX_IDW_DOCKBAR_BOTTOM);
  frame->SetDockState(loaded);
  EXPECT_EQ(shape(*top), "|01|#3|");
  EXPECT_TRUE(d.IsFloating());

  // Cut short anywhere, the bytes fail as an archive error.
  for (size_t n = 0; n < bytes.size(); ++n) {
    CDockState partial;
    CArchive cut{std::span<const uint8_t>(bytes.data(), n)};
    EXPECT_THROW(partial.Serialize(cut), CArchiveException) << n;
  }
  // Another version, or more records than the bytes could hold.
  std::vector<uint8_t> other = bytes;
  other[0] = 3;
  CDockState refused;
  CArchive wrong{std::span<const uint8_t>(other)};
  EXPECT_THROW(refused.Serialize(wrong), CArchiveException);
  other = bytes;
  other[12] = 0xFF;
  other[13] = 0xFF;
  CArchive inflated{std::span<const uint8_t>(other)};
  EXPECT_THROW(refused.Serialize(inflated), CArchiveException);
  EXPECT_EQ(refused.m_arrBarInfo.GetSize(), 0);
}

}  // namespace
}  // namespace lumo::test
