// The toolkit's saved docking layout: a round trip through the profile and the archive, and
// loading profiles a user may have edited (unknown classes, unbounded counts, missing sections,
// id 0 and repeated ids, bars that do not exist, no screen size, frames off the screen).
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/base/profile.h"
#include "platform/framework/command_ids.h"
#include "platform/win/system_metrics.h"
#include "tests/toolkit_docking/toolkit_docking_fixture.h"
#include "toolkit/frame/persistent_tree.h"
#include "toolkit/frame/sec_dock_state.h"

namespace lumo::test {
namespace {

constexpr UINT kLists = 0xE901, kNav = 0xE902, kFind = 0xE903, kNotes = 0xE904, kMarks = 0xE905;

class DockStateTest : public ToolkitDockingTest {
 protected:
  base::Profile& profile() { return base::Profile::app(); }
  void put(const char* section, const char* key, int value) { profile().WriteProfileInt(section, key, value); }
  void put(const char* section, const char* key, const char* value) { profile().WriteProfileString(section, key, value); }
  // The floating frames' dock bars the main frame knows.
  int floating_docks() const {
    int n = 0;
    for (CControlBar* bar : mdi->m_listControlBars) {
      auto* dock = dynamic_cast<CDockBar*>(bar);
      if (dock && dock->m_bFloating && dock->m_hWnd) ++n;
    }
    return n;
  }
  // The layout of the round trips: docked left and bottom (two shares of a row), floating, hidden
  // and floating inside the main window.
  void lay_out_round_trip_bars(ActsBar& lists, ActsBar& nav, ActsBar& find, ActsBar& notes, ActsBar& marks) {
    make(marks, kMarks, "Zakładki");
    make(lists, kLists, "Spis aktów");
    make(nav, kNav, "Nawigacja");
    make(find, kFind, "Szukaj: ąęłóśżźćń");
    make(notes, kNotes, "Notatki");
    mdi->DockControlBarSized(&lists, AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 220);
    mdi->DockControlBarSized(&nav, AFX_IDW_DOCKBAR_BOTTOM, 0, 0, 0.25f, 120);
    mdi->DockControlBarSized(&notes, AFX_IDW_DOCKBAR_BOTTOM, 1, 0, 0.75f, 120);
    mdi->FloatControlBar(&find, frame_point(300, 200), CBRS_ALIGN_TOP);
    pump();
    mdi->ShowControlBar(&notes, FALSE, FALSE);
    mdi->FloatControlBarInMDIChild(&marks, -1, -1, CBRS_ALIGN_TOP);
    pump();
  }
};

TEST_F(DockStateTest, ProfileRoundTripKeepsDockedFloatingHiddenAndInsideBars) {
  ActsBar lists, nav, find, notes, marks;
  lay_out_round_trip_bars(lists, nav, find, notes, marks);
  ASSERT_NE(marks.GetMDIChildFrame(), nullptr);
  marks.GetMDIChildFrame()->MoveWindow(40, 30, 260, 180);
  pump();
  WINDOWPLACEMENT inside;
  ASSERT_TRUE(::GetWindowPlacement(marks.GetMDIChildFrame()->m_hWnd, &inside));
  CRect float_rect;
  find.GetParent()->GetParent()->GetWindowRect(&float_rect);
  const float nav_share = nav.m_fPctWidth;
  const std::string bottom = entries(sec_dock(AFX_IDW_DOCKBAR_BOTTOM));

  mdi->SaveBarState("LumoKAL");
  EXPECT_EQ(profile().GetProfileString("LumoKAL-Bar0", "ClassName"), CString(""));  // first section is a dock bar
  // The share is stored as millionths.
  bool found = false;
  for (int i = 0; i < profile().GetProfileInt("LumoKAL-Summary", "Bars", 0); ++i) {
    CString section;
    section.Format("LumoKAL-Bar%d", i);
    if (profile().GetProfileInt(section, "BarID", 0) != int(kNav)) continue;
    found = true;
    EXPECT_EQ(profile().GetProfileString(section, "PctWidth"), CString(std::to_string(int(double(nav_share) * 1e6)).c_str()));
    EXPECT_EQ(profile().GetProfileString(section, "ClassName"), CString("SECControlBar"));
  }
  EXPECT_TRUE(found);

  // Everything moved about, then the saved layout back.
  mdi->DockControlBarSized(&find, AFX_IDW_DOCKBAR_TOP, 0, 0, 1.0f, 80);
  mdi->ShowControlBar(&notes, TRUE, FALSE);
  mdi->FloatControlBar(&lists, frame_point(400, 300), CBRS_ALIGN_TOP);
  nav.m_fPctWidth = 0.5f;
  mdi->DockControlBarSized(&marks, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 100);
  pump();
  mdi->LoadBarState("LumoKAL");
  pump();

  EXPECT_EQ(lists.m_pDockBar, mdi->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
  EXPECT_EQ(entries(sec_dock(AFX_IDW_DOCKBAR_BOTTOM)), bottom);
  EXPECT_FALSE(notes.IsVisible());
  EXPECT_TRUE(find.IsFloating());
  EXPECT_NEAR(nav.m_fPctWidth, nav_share, 1e-6);
  CRect again;
  find.GetParent()->GetParent()->GetWindowRect(&again);
  EXPECT_EQ(again.TopLeft(), float_rect.TopLeft());
  CString caption;
  find.GetParent()->GetParent()->GetWindowText(caption);
  EXPECT_EQ(caption, cp("Szukaj: ąęłóśżźćń"));
  ASSERT_NE(marks.GetMDIChildFrame(), nullptr);
  WINDOWPLACEMENT back;
  ASSERT_TRUE(::GetWindowPlacement(marks.GetMDIChildFrame()->m_hWnd, &back));
  EXPECT_EQ(CRect(back.rcNormalPosition), CRect(inside.rcNormalPosition));
  EXPECT_EQ(floating_docks(), 2);  // find and marks: the frame lists left empty by the load went
  save_frame_picture("toolkit_dock_state_round_trip");
}

TEST_F(DockStateTest, ArchiveRoundTripKeepsTheToolkitValues) {
  SECDockState state;
  auto record = std::make_unique<SECBarStateRecord>();
  record->m_nBarID = kLists;
  record->m_fPctWidth = 0.25f;
  record->m_szFloat = CSize(200, 300);
  record->m_szHorzDock = CSize(400, 90);
  record->m_dwExStyle = kAppExStyle;
  record->m_dwDockStyle = CBRS_ALIGN_ANY;
  state.m_arrBarInfo.Add(record.release());
  CArchive out;
  state.Serialize(out);
  std::vector<uint8_t> bytes = out.TakeBytes();
  SECDockState back;
  CArchive in{std::span<const uint8_t>(bytes)};
  back.Serialize(in);
  ASSERT_EQ(back.m_arrBarInfo.GetSize(), 1);
  auto* read = dynamic_cast<SECBarStateRecord*>(back.m_arrBarInfo[0]);
  ASSERT_NE(read, nullptr);
  EXPECT_FLOAT_EQ(read->m_fPctWidth, 0.25f);
  EXPECT_EQ(read->m_szFloat, CSize(200, 300));
  EXPECT_EQ(read->m_szHorzDock, CSize(400, 90));
  EXPECT_EQ(read->m_dwExStyle, kAppExStyle);
  EXPECT_EQ(read->m_dwDockStyle, DWORD(CBRS_ALIGN_ANY));
}

// A profile a user edited: nothing in it may make a foreign window, crash or hang the load.
TEST_F(DockStateTest, EditedProfilesLoadWithoutHarm) {
  ActsBar lists;
  make(lists, kLists, "Spis aktów");
  mdi->DockControlBarSized(&lists, AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 220);
  pump();
  const int bars_before = int(mdi->m_listControlBars.size());

  put("LumoKAL-Summary", "Bars", 1000000);  // bounded, and the missing sections are skipped
  put("LumoKAL-Bar0", "BarID", 0);          // id 0: nothing
  put("LumoKAL-Bar0", "ClassName", "SECControlBar");
  put("LumoKAL-Bar1", "BarID", 0x7001);     // a class that is no control bar
  put("LumoKAL-Bar1", "ClassName", "CDockState");
  put("LumoKAL-Bar2", "BarID", 0x7002);     // an unknown class
  put("LumoKAL-Bar2", "ClassName", "NoSuchBar");
  put("LumoKAL-Bar3", "BarID", 0x7003);     // a registered toolkit bar: made again
  put("LumoKAL-Bar3", "ClassName", "SECControlBar");
  put("LumoKAL-Bar3", "WindowName", "Odtworzony pasek");
  put("LumoKAL-Bar3", "Style", int(WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP));
  // The left dock bar twice, naming an unknown bar and the list; the second record is ignored.
  for (const char* section : {"LumoKAL-Bar4", "LumoKAL-Bar5"}) {
    put(section, "BarID", int(AFX_IDW_DOCKBAR_LEFT));
    put(section, "Bars", 4);
    put(section, "Bar#0", 0);
    put(section, "Bar#1", 0x6123);
    put(section, "Bar#2", int(kLists));
    put(section, "Bar#3", 0);
  }
  // A floating frame far off the screen, saved with no screen size.
  put("LumoKAL-Bar6", "BarID", int(AFX_IDW_DOCKBAR_FLOAT));
  put("LumoKAL-Bar6", "Floating", 1);
  put("LumoKAL-Bar6", "XPos", 100000);
  put("LumoKAL-Bar6", "YPos", -100000);
  put("LumoKAL-Bar6", "Bars", 3);
  put("LumoKAL-Bar6", "Bar#0", 0);
  put("LumoKAL-Bar6", "Bar#1", 0x7003);
  put("LumoKAL-Bar6", "Bar#2", 0);
  // A floating frame with only a bar that does not exist: it must not stay as an empty window.
  put("LumoKAL-Bar7", "BarID", int(AFX_IDW_DOCKBAR_FLOAT));
  put("LumoKAL-Bar7", "Floating", 1);
  put("LumoKAL-Bar7", "XPos", 50);
  put("LumoKAL-Bar7", "YPos", 50);
  put("LumoKAL-Bar7", "Bars", 3);
  put("LumoKAL-Bar7", "Bar#0", 0);
  put("LumoKAL-Bar7", "Bar#1", 0x6555);
  put("LumoKAL-Bar7", "Bar#2", 0);

  mdi->LoadBarState("LumoKAL");
  pump();

  EXPECT_EQ(mdi->GetControlBar(0x7001), nullptr);
  EXPECT_EQ(mdi->GetControlBar(0x7002), nullptr);
  CControlBar* made = mdi->GetControlBar(0x7003);
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(SECControlBar)));
  CString title;
  made->GetWindowText(title);
  EXPECT_EQ(title, CString("Odtworzony pasek"));
  EXPECT_EQ(int(mdi->m_listControlBars.size()), bars_before + 2);  // the bar and one floating dock bar
  // The unknown id is kept as a place, the list still docked left.
  EXPECT_EQ(entries(sec_dock(AFX_IDW_DOCKBAR_LEFT)), "(24867) " + std::string("Spis aktów") + " |");
  EXPECT_EQ(lists.m_pDockBar, mdi->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
  // The floating frame is on the screen.
  ASSERT_TRUE(made->IsFloating());
  CRect rect;
  made->GetParent()->GetWindowRect(&rect);  // the floating frame's client area
  CRect screen(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  EXPECT_LT(rect.left, screen.right);
  EXPECT_GE(rect.top, screen.top);
  EXPECT_EQ(floating_docks(), 1);
}

// Values read from a bar section: a placement must be 44 bytes, negative shares and sizes read 0.
TEST_F(DockStateTest, BarValuesFromAnEditedSection) {
  WINDOWPLACEMENT placement;
  placement.rcNormalPosition = RECT{10, 20, 210, 220};
  put("LumoKAL-Summary", "Bars", 2);
  put("LumoKAL-Bar0", "BarID", int(kLists));
  put("LumoKAL-Bar0", "MDIChild", 1);
  profile().WriteProfileBinary("LumoKAL-Bar0", "MDIChildWindowPlacement", &placement, sizeof placement);
  put("LumoKAL-Bar0", "PctWidth", "250000");
  put("LumoKAL-Bar1", "BarID", int(kNav));
  put("LumoKAL-Bar1", "MDIChild", 1);
  profile().WriteProfileBinary("LumoKAL-Bar1", "MDIChildWindowPlacement", &placement, 40);
  put("LumoKAL-Bar1", "PctWidth", "-5");
  put("LumoKAL-Bar1", "MRUFloatCX", -300);
  put("LumoKAL-Bar1", "MRUFloatCY", 120);
  SECDockState state;
  state.LoadState("LumoKAL");
  ASSERT_EQ(state.m_arrBarInfo.GetSize(), 2);
  auto* good = static_cast<SECBarStateRecord*>(state.m_arrBarInfo[0]);
  auto* bad = static_cast<SECBarStateRecord*>(state.m_arrBarInfo[1]);
  EXPECT_EQ(CRect(good->m_wpMDIChild.rcNormalPosition), CRect(10, 20, 210, 220));
  EXPECT_NEAR(good->m_fPctWidth, 0.25, 1e-6);
  EXPECT_EQ(bad->m_wpMDIChild.length, 0u);  // not applied
  EXPECT_EQ(bad->m_fPctWidth, 0.0f);
  EXPECT_EQ(bad->m_szFloat, CSize(0, 120));
}

TEST_F(DockStateTest, NoSavedScreenSizeMeansNoScaling) {
  SECDockState state;
  state.SetScreenSize(CSize(0, 0));
  EXPECT_FALSE(state.m_bScaling);
  CPoint point(120, 80);
  state.ScalePoint(point);
  EXPECT_EQ(point, CPoint(120, 80));
}

TEST_F(DockStateTest, CleanUpBarIdsDropsRepeatsAndStrayPlaceholders) {
  SECDockState state;
  auto left = std::make_unique<SECBarStateRecord>();
  left->m_nBarID = AFX_IDW_DOCKBAR_LEFT;
  for (DWORD id : {0u, kLists, kNav, kLists, 0u, kFind | CControlBarInfo::kPlaceHolderFlag, kNav, 0u, 0u}) left->m_arrBarID.Add(id);
  auto find = std::make_unique<SECBarStateRecord>();
  find->m_nBarID = kFind;
  find->m_uMRUDockID = AFX_IDW_DOCKBAR_TOP;
  state.m_arrBarInfo.Add(left.release());
  state.m_arrBarInfo.Add(find.release());
  state.CleanUpBarIds();
  const CDWordArray& ids = state.m_arrBarInfo[0]->m_arrBarID;
  std::vector<DWORD> got(ids.begin(), ids.end());
  EXPECT_EQ(got, (std::vector<DWORD>{0, kLists, kNav, 0}));
}

TEST_F(DockStateTest, TreeRoundTripKeepsEveryRecord) {
  ActsBar lists, nav, find, notes, marks;
  lay_out_round_trip_bars(lists, nav, find, notes, marks);

  SECDockState captured;
  ASSERT_TRUE(captured.CaptureFrame(mdi));
  captured.CleanUpBarIds();
  SECPersistentTreeNode root;
  ASSERT_EQ(root.Initialize("LumoKAL"), 0u);
  ASSERT_TRUE(captured.SaveStateToTree(&root, &root));
  EXPECT_FALSE(captured.SaveStateToTree(&root, &root));  // one "DockState" per parent
  SECDockState loaded;
  ASSERT_TRUE(loaded.LoadStateFromTree(&root));
  // The empty dock bars are not stored; every other record comes back whole.
  std::vector<SECBarStateRecord*> stored;
  for (CControlBarInfo* info : captured.m_arrBarInfo) {
    if (!info->IsEmptyDockBar()) stored.push_back(static_cast<SECBarStateRecord*>(info));
  }
  ASSERT_EQ(loaded.m_arrBarInfo.GetSize(), int(stored.size()));
  for (size_t i = 0; i < stored.size(); ++i) {
    const SECBarStateRecord& a = *stored[i];
    const auto& b = *static_cast<SECBarStateRecord*>(loaded.m_arrBarInfo[int(i)]);
    SCOPED_TRACE(i);
    EXPECT_EQ(a.m_nBarID, b.m_nBarID);
    EXPECT_EQ(a.m_bVisible, b.m_bVisible);
    EXPECT_EQ(a.m_bFloating, b.m_bFloating);
    EXPECT_EQ(a.m_pointPos, b.m_pointPos);
    EXPECT_EQ(a.m_nMRUWidth, b.m_nMRUWidth);
    EXPECT_EQ(a.m_bDocking, b.m_bDocking);
    EXPECT_EQ(a.m_rectMRUDockPos, b.m_rectMRUDockPos);
    ASSERT_EQ(a.m_arrBarID.GetSize(), b.m_arrBarID.GetSize());
    for (int j = 0; j < a.m_arrBarID.GetSize(); ++j) EXPECT_EQ(a.m_arrBarID[j], b.m_arrBarID[j]);
    EXPECT_NEAR(a.m_fPctWidth, b.m_fPctWidth, 1e-6);
    EXPECT_EQ(a.m_szFloat, b.m_szFloat);
    EXPECT_EQ(a.m_szHorzDock, b.m_szHorzDock);
    EXPECT_EQ(a.m_szVertDock, b.m_szVertDock);
    EXPECT_EQ(a.m_dwExStyle, b.m_dwExStyle);
    EXPECT_EQ(a.m_bMDIChild, b.m_bMDIChild);
    if (a.m_bMDIChild) { EXPECT_EQ(std::memcmp(&a.m_wpMDIChild, &b.m_wpMDIChild, sizeof(WINDOWPLACEMENT)), 0); }
    EXPECT_EQ(a.m_strClassName, b.m_strClassName);
    EXPECT_EQ(a.m_strWindowName, b.m_strWindowName);
  }
  // Booleans are kept as words.
  SECPersistentTreeNode* first = root.FindChild("DockState")->FindChild("Bar-0");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(first->FindValue("MDIChild"), nullptr);
  EXPECT_TRUE(first->FindValue("MDIChild")->m_strValue == "True" || first->FindValue("MDIChild")->m_strValue == "False");

  // Moved about, then the loaded layout applied: the bars are back.
  mdi->DockControlBarSized(&find, AFX_IDW_DOCKBAR_TOP, 0, 0, 1.0f, 80);
  mdi->ShowControlBar(&notes, TRUE, FALSE);
  mdi->FloatControlBar(&lists, frame_point(400, 300), CBRS_ALIGN_TOP);
  pump();
  mdi->SetDockState(loaded);
  pump();
  EXPECT_EQ(lists.m_pDockBar, mdi->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
  EXPECT_TRUE(find.IsFloating());
  EXPECT_FALSE(notes.IsVisible());
  EXPECT_NE(marks.GetMDIChildFrame(), nullptr);
}

TEST_F(DockStateTest, TreeWithoutStateOrWithGapsLoadsCarefully) {
  SECDockState state;
  SECPersistentTreeNode root;
  ASSERT_EQ(root.Initialize("LumoKAL"), 0u);
  EXPECT_FALSE(state.LoadStateFromTree(&root));
  EXPECT_FALSE(state.LoadStateFromTree(nullptr));
  SECPersistentTreeNode* dock = root.AddChild("DockState", &root);
  ASSERT_NE(dock, nullptr);
  dock->SetInt("Bars", 1000000);
  SECPersistentTreeNode* bar = root.AddChild("Bar-3", dock);
  bar->SetInt("BarID", int(kLists));
  bar->SetString("PctWidth", "-5");
  bar->SetInt("MRUFloatCX", -40);
  bar->SetBool("MDIChild", TRUE);
  bar->SetString("MDIChildWindowPlacement", "ABAB");  // two bytes: no placement
  root.AddChild("Bar-4", dock)->SetInt("BarID", 0);  // names no bar
  ASSERT_TRUE(state.LoadStateFromTree(&root));
  ASSERT_EQ(state.m_arrBarInfo.GetSize(), 1);
  auto* record = static_cast<SECBarStateRecord*>(state.m_arrBarInfo[0]);
  EXPECT_EQ(record->m_nBarID, kLists);
  EXPECT_EQ(record->m_fPctWidth, 0.0f);
  EXPECT_EQ(record->m_szFloat.cx, 0);
  EXPECT_TRUE(record->m_bMDIChild);
  EXPECT_EQ(record->m_wpMDIChild.length, 0u);
  EXPECT_TRUE(record->m_bVisible);
  EXPECT_EQ(record->m_nMRUWidth, 32767);
}

// The profile text of a fixed layout, key for key, against the file kept with the tests
// (LUMO_WRITE_GOLDEN=1 writes it anew).
TEST_F(DockStateTest, SavedProfileMatchesTheGoldenText) {
  ActsBar lists, nav, notes, find;
  make(lists, kLists, "Spis aktów");
  make(nav, kNav, "Nawigacja");
  make(notes, kNotes, "Notatki: ąęłóśżźćń");
  make(find, kFind, "Szukaj");
  mdi->DockControlBarSized(&lists, AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 220);
  mdi->DockControlBarSized(&nav, AFX_IDW_DOCKBAR_BOTTOM, 0, 0, 0.25f, 120);
  mdi->DockControlBarSized(&notes, AFX_IDW_DOCKBAR_BOTTOM, 1, 0, 0.75f, 120);
  mdi->FloatControlBar(&find, CPoint(320, 240), CBRS_ALIGN_TOP);
  pump();
  mdi->ShowControlBar(&notes, FALSE, FALSE);
  pump();
  const std::string path = temp_path("golden_profile.ini");
  base::Profile::set_app_path(path);
  mdi->SaveBarState("LumoKAL");
  ASSERT_TRUE(base::Profile::app().Save() == base::OsError::None);
  std::ifstream in(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (std::getenv("LUMO_WRITE_GOLDEN")) std::ofstream(LUMO_DOCK_STATE_GOLDEN, std::ios::binary) << text;
  std::ifstream golden(LUMO_DOCK_STATE_GOLDEN, std::ios::binary);
  ASSERT_TRUE(golden.good()) << LUMO_DOCK_STATE_GOLDEN;
  const std::string expected((std::istreambuf_iterator<char>(golden)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, expected);
}

}  // namespace
}  // namespace lumo::test
