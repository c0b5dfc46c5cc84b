// The toolkit's single-document frame and the dialog bar: loading without a menu, docking and
// floating bars, a dialog bar from a template shown or hidden by its style, commands through a
// window plug-in, and a saved layout that makes a missing dialog bar again from its template (and
// only from a template the program has).
#include "platform/base/profile.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/control_messages.h"
#include "tests/support/surface_png.h"
#include "tests/toolkit_docking/toolkit_docking_fixture.h"
#include "toolkit/frame/sec_dialog_bar.h"
#include "toolkit/frame/sec_frame_wnd.h"
#include "toolkit/frame/wnd_plugin.h"

namespace lumo::test {
namespace {

constexpr UINT kNoMenuFrame = 9177;  // an id with no menu, no string and no accelerators
constexpr UINT kDialogBarId = 0xE930, kListBarId = 0xE931, kNotesBarId = 0xE932;

// A plug-in that takes one command.
class CountingPlugIn : public SECWndPlugIn {
  DECLARE_DYNCREATE(CountingPlugIn)

 public:
  static int runs;

 protected:
  afx_msg void OnAction() { ++runs; }
  DECLARE_MESSAGE_MAP()
};
int CountingPlugIn::runs = 0;
IMPLEMENT_DYNCREATE(CountingPlugIn, SECWndPlugIn)
BEGIN_MESSAGE_MAP(CountingPlugIn, SECWndPlugIn)
  ON_COMMAND(ID_TEST_ACTION, &CountingPlugIn::OnAction)
END_MESSAGE_MAP()

class FrameWndTest : public FrameworkTest {
 protected:
  SECFrameWnd* make_frame(UINT id = IDR_TEST_MAIN) {
    auto* made = std::make_unique<SECFrameWnd>().release();  // ends itself with its window
    if (!made->LoadFrame(id)) return nullptr;
    made->MoveWindow(40, 40, 760, 520);
    made->ShowWindow(SW_SHOW);
    made->EnableDocking(CBRS_ALIGN_ANY);
    made->RecalcLayout();
    pump();
    return made;
  }
  void fill(ActsBar& bar) {
    bar.list = CreateWindowEx(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 100, 100, bar.m_hWnd, nullptr, nullptr);
    for (const char* line : {"Ustawa o ochronie przyrody", "Kodeks postępowania cywilnego", "Zażółć gęślą jaźń"}) {
      SendMessage(bar.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(cp(line))));
    }
  }
  base::Profile& profile() { return base::Profile::app(); }
  // The bar section of the saved layout with this bar id; empty when there is none.
  CString section_of(UINT id) {
    for (int i = 0; i < profile().GetProfileInt("LumoKAL-Summary", "Bars", 0); ++i) {
      CString section;
      section.Format("LumoKAL-Bar%d", i);
      if (profile().GetProfileInt(section, "BarID", 0) == int(id)) return section;
    }
    return CString();
  }
};

TEST_F(FrameWndTest, LoadsWithoutAMenuWhereTheIdHasNone) {
  SECFrameWnd* bare = make_frame(kNoMenuFrame);
  ASSERT_NE(bare, nullptr);
  EXPECT_EQ(::GetMenu(bare->m_hWnd), nullptr);
  EXPECT_EQ(bare->m_nIDDefaultMenu, kNoMenuFrame);
  SECFrameWnd* full = make_frame();
  ASSERT_NE(full, nullptr);
  EXPECT_NE(::GetMenu(full->m_hWnd), nullptr);
  // Docking twice makes no second dock bar.
  const size_t bars = full->m_listControlBars.size();
  full->EnableDocking(CBRS_ALIGN_ANY);
  EXPECT_EQ(full->m_listControlBars.size(), bars);
}

TEST_F(FrameWndTest, DialogBarShowsAtOnceOnlyWithVisibleStyle) {
  SECFrameWnd* frame = make_frame();
  ASSERT_NE(frame, nullptr);
  SECDialogBar shown, hidden, missing;
  ASSERT_TRUE(shown.Create(frame, IDD_TEST_VALUE, WS_VISIBLE | CBRS_TOP, 0, kDialogBarId));
  ASSERT_TRUE(hidden.Create(frame, IDD_TEST_VALUE, CBRS_TOP, 0, kDialogBarId + 1));
  EXPECT_FALSE(missing.Create(frame, 4242, WS_VISIBLE | CBRS_TOP, 0, kDialogBarId + 2));
  EXPECT_TRUE(shown.GetStyle() & WS_VISIBLE);
  EXPECT_FALSE(hidden.GetStyle() & WS_VISIBLE);
  EXPECT_FALSE(shown.GetStyle() & WS_CAPTION);
  CRect rect;
  shown.GetWindowRect(&rect);
  EXPECT_EQ(rect.Size(), shown.GetTemplateSize());
  EXPECT_GT(rect.Width(), 100);
  EXPECT_EQ(shown.m_szHorzDock, shown.GetTemplateSize());
  EXPECT_NE(shown.GetDlgItem(IDC_TEST_BOLD), nullptr);
  // The template's controls follow the frame's update handlers: OK has none and is disabled.
  shown.OnUpdateCmdUI(frame, TRUE);
  EXPECT_FALSE(::IsWindowEnabled(shown.GetDlgItem(IDOK)->m_hWnd));
  EXPECT_TRUE(::IsWindowEnabled(shown.GetDlgItem(IDC_TEST_VALUE)->m_hWnd));
}

TEST_F(FrameWndTest, DockedFloatingAndDialogBarsAndThePlugInsCommands) {
  SECFrameWnd* frame = make_frame();
  ASSERT_NE(frame, nullptr);
  ActsBar lists, notes;
  SECDialogBar dialog;
  ASSERT_TRUE(lists.Create(frame, cp("Spisy aktów"), kAppBarStyle, kAppExStyle, kListBarId));
  ASSERT_TRUE(notes.Create(frame, cp("Notatki: ąęłóśżźćń"), kAppBarStyle, kAppExStyle, kNotesBarId));
  ASSERT_TRUE(dialog.Create(frame, IDD_TEST_VALUE, WS_VISIBLE | CBRS_TOP, 0, kDialogBarId));
  fill(lists);
  fill(notes);
  for (CControlBar* bar : std::initializer_list<CControlBar*>{&lists, &notes, &dialog}) bar->EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(&dialog, AFX_IDW_DOCKBAR_TOP, 0, 0, 1.0f, -1);
  frame->DockControlBar(&lists, AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 220);
  frame->FloatControlBar(&notes, screen_point(frame->m_hWnd, {420, 220}), CBRS_ALIGN_TOP);
  frame->RecalcLayout();
  pump();
  EXPECT_TRUE(lists.IsDocked());
  EXPECT_TRUE(dialog.IsDocked());
  EXPECT_TRUE(notes.IsFloating());
  CRect left, top;
  lists.GetWindowRect(&left);
  dialog.GetWindowRect(&top);
  EXPECT_GE(left.top, top.bottom - 2);  // the left column starts under the top row
  {
    const char* dir = std::getenv("LUMO_PNG_DIR");
    const std::string base = dir ? std::string(dir) + "/" : temp_path("");
    EXPECT_TRUE(save_window_png(frame->m_hWnd, base + "frame_wnd_bars.png", true));
    EXPECT_TRUE(save_window_png(notes.GetParent()->GetParent()->m_hWnd, base + "frame_wnd_floating.png", true));
  }

  // Hidden and shown again through the frame.
  frame->ShowControlBar(&lists, FALSE, FALSE);
  EXPECT_FALSE(lists.IsVisible());
  frame->ShowControlBar(&lists, TRUE, FALSE);
  EXPECT_TRUE(lists.IsVisible());

  // The plug-in sees commands first.
  CountingPlugIn::runs = 0;
  EXPECT_EQ(frame->CreateWindowPlugIn(0, 0, nullptr, 0), nullptr);
  EXPECT_EQ(frame->CreateWindowPlugIn(0, 0, RUNTIME_CLASS(SECDialogBar), 0), nullptr);
  ASSERT_NE(frame->CreateWindowPlugIn(0, 0, RUNTIME_CLASS(CountingPlugIn), 0), nullptr);
  frame->SendMessage(WM_COMMAND, ID_TEST_ACTION, 0);
  EXPECT_EQ(CountingPlugIn::runs, 1);
}

TEST_F(FrameWndTest, SavedDialogBarIsMadeAgainOnlyFromAProgramTemplate) {
  {
    SECFrameWnd* frame = make_frame();
    ASSERT_NE(frame, nullptr);
    ActsBar lists;
    ASSERT_TRUE(lists.Create(frame, cp("Spisy"), kAppBarStyle, kAppExStyle, kListBarId));
    lists.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&lists, AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 200);
    auto* dialog = new SECDialogBar;  // ends with its window
    ASSERT_TRUE(dialog->Create(frame, IDD_TEST_VALUE, WS_VISIBLE | CBRS_TOP, 0, kDialogBarId));
    dialog->m_bAutoDelete = TRUE;
    dialog->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(dialog, AFX_IDW_DOCKBAR_BOTTOM, 0, 0, 1.0f, -1);
    frame->RecalcLayout();
    pump();
    frame->SaveBarState("LumoKAL");
    frame->DestroyWindow();
    pump();
  }
  const CString section = section_of(kDialogBarId);
  ASSERT_FALSE(section.IsEmpty());
  EXPECT_EQ(profile().GetProfileString(section, "ClassName"), CString("SECDialogBar"));
  EXPECT_EQ(profile().GetProfileInt(section, "ResourceID", 0), int(IDD_TEST_VALUE));

  // A new frame without the dialog bar gets it back from its template, at the bottom.
  SECFrameWnd* again = make_frame();
  ASSERT_NE(again, nullptr);
  ActsBar lists;
  ASSERT_TRUE(lists.Create(again, cp("Spisy"), kAppBarStyle, kAppExStyle, kListBarId));
  lists.EnableDocking(CBRS_ALIGN_ANY);
  again->LoadBarState("LumoKAL");
  pump();
  auto* made = dynamic_cast<SECDialogBar*>(again->GetControlBar(kDialogBarId));
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->GetTemplateID(), IDD_TEST_VALUE);
  ASSERT_EQ(again->m_createdBars.size(), 1u);
  EXPECT_EQ(made->m_pDockBar, again->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM));
  EXPECT_EQ(lists.m_pDockBar, again->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
  again->DestroyWindow();
  pump();

  // An edited template id names nothing: the bar is left out, the rest of the layout kept.
  profile().WriteProfileInt(section, "ResourceID", 4242);
  SECFrameWnd* edited = make_frame();
  ASSERT_NE(edited, nullptr);
  ActsBar other;
  ASSERT_TRUE(other.Create(edited, cp("Spisy"), kAppBarStyle, kAppExStyle, kListBarId));
  other.EnableDocking(CBRS_ALIGN_ANY);
  edited->LoadBarState("LumoKAL");
  pump();
  EXPECT_EQ(edited->GetControlBar(kDialogBarId), nullptr);
  EXPECT_TRUE(edited->m_createdBars.empty());
  EXPECT_EQ(other.m_pDockBar, edited->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
}

}  // namespace
}  // namespace lumo::test
