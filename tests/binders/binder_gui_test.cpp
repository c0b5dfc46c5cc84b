// The binder tab, the "Segregatory" dialog, drops on the tabs, the tip of the day and the work
// properties sheet over a work on a library the compiler makes of the sample acts, with pictures
// of each in Polish.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/medview/topic_list.h"
#include "navigation/binder_store.h"
#include "navigation/bookmark_tab.h"
#include "navigation/custom_dlg.h"
#include "navigation/custom_tab.h"
#include "navigation/doc_info_sheet.h"
#include "navigation/nav_bar.h"
#include "navigation/nav_commands.h"
#include "navigation/tip_dlg.h"
#include "navigation/tip_file.h"
#include "navigation/topic_ole.h"
#include "platform/base/cp1250.h"
#include "platform/base/data_folder.h"
#include "platform/base/profile.h"
#include "platform/base/registry_store.h"
#include "platform/base/temp_folder.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/dialog.h"
#include "platform/framework/prompter.h"
#include "platform/win/message_queue.h"
#include "resources/app_ids.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "tests/support/app_fixture.h"
#include "tests/support/surface_png.h"

namespace {

using lumo::test::GuiTest;

std::string Pl(const char* utf8) { return base::cp1250::from_utf8(utf8); }

class BinderGuiTest : public lumo::test::AppTest {
 protected:
  static constexpr UINT kRunScript = WM_APP + 0x78;

  // Questions are answered "Nie" once the queue is empty.
  BinderGuiTest() : AppTest("binder_gui_sample", IDNO) {}

  void SetUp() override {
    AppTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(StartWithLibrary());
    auto* main = dynamic_cast<CFrameWnd*>(app_->m_pMainWnd);
    ASSERT_NE(main, nullptr);
    main->MoveWindow(0, 0, 900, 650);
    lists_ = navcmd::FindIndexWnd();
    ASSERT_NE(lists_, nullptr);
    main->RecalcLayout();
    pump();
    tab_ = lists_->GetBinderTab();
    ASSERT_NE(tab_, nullptr);
    const shell::ContentsIndexReader& catalog = app_->GetCatalog();
    for (int32_t n = 0; n < catalog.RecordCount(); ++n) {
      shell::ContentsRecord r;
      if (!catalog.ReadRecord(n, r)) continue;
      if (r.level == 7 && !r.attachment) acts_.push_back(n);
      if (r.level < 7 && part_ < 0) part_ = n;
      if (r.level == 9 && yearbook_ < 0) yearbook_ = n;
    }
    ASSERT_GE(acts_.size(), 3u);
    ASSERT_GE(part_, 0);
  }
  void TearDown() override {
    win::set_message_observer(nullptr);
    AppTest::TearDown();
    CTipDlg::SetTipsFileForTests("");
  }

  // Runs `script` on each top-level dialog once it is up.
  void OnEveryDialog(std::function<void(HWND dialog)> script) {
    win::set_message_observer([script](HWND h, UINT message, WPARAM, LPARAM) {
      if (message == WM_INITDIALOG && !(::GetWindowLong(h, GWL_STYLE) & WS_CHILD)) ::PostMessage(h, kRunScript, 0, 0);
      if (message == kRunScript) script(h);
    });
  }
  static std::string Picture(HWND wnd, const std::string& name, bool whole = false) {
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pump();
    const char* dir = std::getenv("LUMO_PNG_DIR");
    const std::string path = (dir ? std::string(dir) : base::temp_folder()) + "/" + name;
    EXPECT_TRUE(lumo::test::save_window_png(wnd, path, whole));
    return path;
  }
  std::string BinderFolder() const { return folder_ + "/data/Segregatory"; }
  std::vector<int32_t> TopRecords() {
    std::vector<int32_t> out;
    CCustomTree& tree = tab_->GetTree();
    for (HTREEITEM item = tree.GetRootItem(); item; item = tree.GetNextSiblingItem(item)) out.push_back(tree.RecordOf(item));
    return out;
  }
  // A "Topic Info" drag of `record` from a window of another kind.
  std::map<UINT, std::vector<uint8_t>> Payload(int32_t record, int32_t kind, const void* source) {
    const topicdrag::TopicInfoBlock block = topicdrag::MakeTopicInfo(record, source, kind);
    const auto bytes = topicdrag::EncodeTopicInfo(block);
    return {{topicdrag::TopicInfoFormat(), std::vector<uint8_t>(bytes.begin(), bytes.end())}};
  }
  static CPoint CentreOf(CWnd* target, CWnd& zone) {
    CRect rect;
    zone.GetWindowRect(&rect);
    CPoint point = rect.CenterPoint();
    target->ScreenToClient(&point);
    return point;
  }

  CIndexWnd* lists_ = nullptr;
  CCustomTab* tab_ = nullptr;
  std::vector<int32_t> acts_;
  int32_t part_ = -1;
  int32_t yearbook_ = -1;
};

TEST_F(BinderGuiTest, TheTabOpensAddsDropsShadesAndClosesABinder) {
  EXPECT_EQ(tab_->GetSession().Folder(), BinderFolder());
  EXPECT_FALSE(tab_->IsBinderOpen());
  const std::string name = Pl("Prawo pracy – zażółć");
  ASSERT_EQ(binders::CreateBinder(BinderFolder(), name), binders::BinderError::None);
  ASSERT_TRUE(tab_->OpenBinder(CString(name)));
  CString label = tab_->GetDlgItemText(int(resources::IDC_BINDER_LABEL));
  EXPECT_EQ(std::string(label.GetString()), name);

  // A part adds its whole act, placed in record order among the acts.
  ASSERT_TRUE(tab_->AddAct(acts_[2]));
  ASSERT_TRUE(tab_->AddAct(part_));
  binders::ActRange part_act;
  ASSERT_TRUE(binders::FindActRange(app_->GetCatalog(), part_, app_->GetCatalog().RecordCount(), part_act));
  std::vector<int32_t> expected = {part_act.act, acts_[2]};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(TopRecords(), expected);
  EXPECT_TRUE(tab_->GetSession().IsDirty());
  // The part is found below its act.
  HTREEITEM found = tab_->GetTree().LocateRecord(part_);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(tab_->GetTree().RecordOf(found), part_);
  EXPECT_EQ(tab_->GetTree().LocateRecord(yearbook_), nullptr);
  EXPECT_TRUE(std::filesystem::exists(binders::WorkingCopyPath(BinderFolder(), name)));

  // Drops: an act from the library tree is added; a yearbook is refused before it is dropped.
  CTopicOleDropTarget target;
  int other = 0;
  auto act_payload = Payload(acts_[0], topicdrag::kFromLibrary, &other);
  COleDataObject act_data(&act_payload);
  const CPoint inside = CentreOf(tab_, tab_->GetTree());
  EXPECT_EQ(target.OnDragEnter(tab_, &act_data, 0, inside), DROPEFFECT_COPY);
  EXPECT_EQ(target.OnDragOver(tab_, &act_data, 0, inside), DROPEFFECT_COPY);
  EXPECT_TRUE(target.OnDrop(tab_, &act_data, DROPEFFECT_COPY, inside));
  EXPECT_EQ(TopRecords().front(), std::min(acts_[0], expected.front()));
  auto year_payload = Payload(yearbook_, topicdrag::kFromLibrary, &other);
  COleDataObject year_data(&year_payload);
  EXPECT_EQ(target.OnDragEnter(tab_, &year_data, 0, inside), DROPEFFECT_NONE);
  EXPECT_FALSE(target.OnDrop(tab_, &year_data, DROPEFFECT_COPY, inside));
  // The tab's own drag is not taken back by the tab.
  auto own_payload = Payload(acts_[1], topicdrag::kFromBinder, tab_);
  COleDataObject own_data(&own_payload);
  EXPECT_EQ(target.OnDragEnter(tab_, &own_data, 0, inside), DROPEFFECT_NONE);

  // Shading follows the active tab.
  lists_->ActivateTab(1);
  pump();
  EXPECT_EQ(lists_->GetShadingGroup(), tab_->GetBinderGroup());
  Picture(lists_->m_hWnd, "binder_tab.png");
  lists_->ActivateTab(0);
  pump();
  EXPECT_EQ(lists_->GetShadingGroup(), nullptr);

  // Closing stores the binder and removes its working copy.
  const std::vector<int32_t> items = [&] {
    std::vector<int32_t> out;
    engine::TopicGroup* group = tab_->GetBinderGroup();
    for (int32_t i = 0; i < medview::MvGetGroupCount(group); ++i) out.push_back(medview::MvGetGroupItem(group, i));
    return out;
  }();
  tab_->CloseBinder();
  EXPECT_FALSE(tab_->IsBinderOpen());
  EXPECT_FALSE(std::filesystem::exists(binders::WorkingCopyPath(BinderFolder(), name)));
  engine::GroupPtr stored;
  ASSERT_EQ(binders::LoadGroupFile(binders::BinderPath(BinderFolder(), name), stored), binders::BinderError::None);
  EXPECT_EQ(medview::MvGetGroupCount(stored.get()), int32_t(items.size()));
  label = tab_->GetDlgItemText(int(resources::IDC_BINDER_LABEL));
  EXPECT_EQ(std::string(label.GetString()), "(brak segregatora)");
  EXPECT_TRUE(TopRecords().empty());
}

TEST_F(BinderGuiTest, ADeletedActLeavesTheTreeAndTheFileAtOnce) {
  ASSERT_TRUE(tab_->OpenBinder("Nowy"));
  ASSERT_TRUE(tab_->AddAct(acts_[0]));
  ASSERT_TRUE(tab_->AddAct(acts_[1]));
  CCustomTree& tree = tab_->GetTree();
  tree.SelectItem(tree.GetRootItem());
  prompts_.answers = {IDNO};
  tab_->SendMessage(WM_COMMAND, resources::ID_BINDER_DELETE_ACT, 0);
  EXPECT_EQ(TopRecords().size(), 2u);
  prompts_.answers = {IDYES};
  tab_->SendMessage(WM_COMMAND, resources::ID_BINDER_DELETE_ACT, 0);
  EXPECT_EQ(TopRecords(), std::vector<int32_t>{acts_[1]});
  EXPECT_FALSE(tab_->GetSession().IsDirty());
  engine::GroupPtr stored;
  ASSERT_EQ(binders::LoadGroupFile(binders::BinderPath(BinderFolder(), "Nowy"), stored), binders::BinderError::None);
  EXPECT_FALSE(medview::MvGroupHasItem(stored.get(), acts_[0]));
  EXPECT_TRUE(medview::MvGroupHasItem(stored.get(), acts_[1]));
}

TEST_F(BinderGuiTest, ACorruptBinderIsReportedAndNotOpened) {
  const std::vector<uint8_t> junk = {0x33, 0x33, 10, 0, 9, 9, 9};
  std::filesystem::create_directories(BinderFolder());
  ASSERT_EQ(base::write_file_atomic(binders::BinderPath(BinderFolder(), "Zepsuty"), junk), base::OsError::None);
  prompts_.asked.clear();
  EXPECT_FALSE(tab_->OpenBinder("Zepsuty"));
  EXPECT_FALSE(tab_->IsBinderOpen());
  ASSERT_EQ(prompts_.asked.size(), 1u);
  EXPECT_NE(prompts_.asked[0].find("uszkodzony"), std::string::npos) << prompts_.asked[0];
  std::vector<uint8_t> after;
  base::read_file(binders::BinderPath(BinderFolder(), "Zepsuty"), after);
  EXPECT_EQ(after, junk);
}

TEST_F(BinderGuiTest, TheBookmarkTabTakesTreeDropsAndRefusesListDrops) {
  CBookmarkTab* bookmarks = navcmd::FindOutputWnd()->GetBookmarkTab();
  ASSERT_NE(bookmarks, nullptr);
  bookmarks->FillList();
  const int before = bookmarks->GetList().GetItemCount();
  CTopicOleDropTarget target;
  int other = 0;
  const CPoint inside = CentreOf(bookmarks, bookmarks->GetList());
  auto history = Payload(acts_[0], topicdrag::kFromHistory, &other);
  COleDataObject history_data(&history);
  EXPECT_EQ(target.OnDragEnter(bookmarks, &history_data, 0, inside), DROPEFFECT_NONE);
  EXPECT_FALSE(target.OnDrop(bookmarks, &history_data, DROPEFFECT_COPY, inside));
  auto library = Payload(acts_[0], topicdrag::kFromLibrary, &other);
  COleDataObject library_data(&library);
  EXPECT_EQ(target.OnDragEnter(bookmarks, &library_data, 0, inside), DROPEFFECT_COPY);
  EXPECT_TRUE(target.OnDrop(bookmarks, &library_data, DROPEFFECT_COPY, inside));
  EXPECT_EQ(bookmarks->GetList().GetItemCount(), before + 1);
  // Data of another program, without "Topic Info", is refused.
  std::map<UINT, std::vector<uint8_t>> text = {{1u, {'a', 0}}};
  COleDataObject text_data(&text);
  EXPECT_EQ(target.OnDragEnter(bookmarks, &text_data, 0, inside), DROPEFFECT_NONE);
  EXPECT_FALSE(target.OnDrop(bookmarks, &text_data, DROPEFFECT_COPY, inside));
}

TEST_F(BinderGuiTest, TheBindersDialogCreatesRenamesAndDeletes) {
  const std::string folder = BinderFolder();
  ASSERT_EQ(binders::CreateBinder(folder, Pl("Ustawy o gospodarce")), binders::BinderError::None);
  ASSERT_EQ(binders::CreateBinder(folder, Pl("Źródła prawa")), binders::BinderError::None);
  ASSERT_EQ(binders::CreateBinder(folder, "Inny"), binders::BinderError::None);
  CCustomDlg dialog(folder, {}, CString(Pl("Źródła prawa")), tab_);
  bool ran = false;
  OnEveryDialog([&](HWND h) {
    ran = true;
    CGSListBoxEditor& editor = dialog.GetEditor();
    CListBox* list = editor.GetListBox();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetCurSel(), 2);  // the open binder is selected
    CString caption;
    editor.GetWindowText(caption);
    EXPECT_EQ(std::string(caption.GetString()), "Segregatory:");  // no mnemonic mark drawn as text
    Picture(h, "binders_dialog.png", true);
    // A new name that is taken, an empty one, one the user declines and one created.
    prompts_.asked.clear();
    const int taken = list->AddString("inny");
    editor.OnItemAdded(taken, "inny");
    const int empty = list->AddString("  ");
    editor.OnItemAdded(empty, "  ");
    ASSERT_EQ(prompts_.asked.size(), 2u);
    EXPECT_NE(prompts_.asked[0].find("już istnieje"), std::string::npos);
    EXPECT_NE(prompts_.asked[1].find("musi"), std::string::npos);
    prompts_.answers = {IDYES};
    const int added = list->AddString(Pl("Nowy zbiór").c_str());
    editor.OnItemAdded(added, Pl("Nowy zbiór").c_str());
    EXPECT_TRUE(std::filesystem::exists(binders::BinderPath(folder, Pl("Nowy zbiór"))));
    // Renaming onto a taken name keeps both; renaming the open binder carries it along.
    editor.OnItemChanged(0, "Inny", Pl("Źródła prawa").c_str());
    EXPECT_TRUE(std::filesystem::exists(binders::BinderPath(folder, "Inny")));
    editor.OnItemChanged(2, Pl("Źródła prawa").c_str(), Pl("Źródła"));
    EXPECT_EQ(std::string(dialog.m_strOpen.GetString()), Pl("Źródła"));
    EXPECT_TRUE(std::filesystem::exists(binders::BinderPath(folder, Pl("Źródła"))));
    // Deleting asks; No keeps the file, Yes deletes it and forgets the open binder.
    prompts_.answers = {IDNO};
    EXPECT_FALSE(editor.CanDelete(2, Pl("Źródła").c_str()));
    prompts_.answers = {IDYES};
    EXPECT_TRUE(editor.CanDelete(2, Pl("Źródła").c_str()));
    EXPECT_FALSE(std::filesystem::exists(binders::BinderPath(folder, Pl("Źródła"))));
    EXPECT_TRUE(dialog.m_strOpen.IsEmpty());
    ::PostMessage(h, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(ran);
}

TEST_F(BinderGuiTest, ALeftoverWorkingCopyIsOfferedOnceAtTheNextStart) {
  const std::string folder = BinderFolder();
  engine::GroupPtr saved = medview::MvCreateGroup(50, nullptr);
  engine::GroupPtr changed = medview::MvCreateGroup(50, nullptr);
  medview::MvAddGroupItem(changed.get(), acts_[0]);
  for (const char* name : {"Tak", "Nie"}) {
    ASSERT_EQ(binders::SaveGroupFile(binders::BinderPath(folder, name), saved.get()), binders::BinderError::None);
    ASSERT_EQ(binders::SaveGroupFile(binders::WorkingCopyPath(folder, name), changed.get()), binders::BinderError::None);
  }
  prompts_.asked.clear();
  prompts_.answers = {IDNO, IDYES};  // "Nie" comes first
  tab_->OfferWorkingCopies();
  ASSERT_EQ(prompts_.asked.size(), 2u);
  EXPECT_NE(prompts_.asked[0].find("Nie.seg"), std::string::npos) << prompts_.asked[0];
  EXPECT_TRUE(binders::ListWorkingCopies(folder).empty());
  engine::GroupPtr yes, no;
  binders::LoadGroupFile(binders::BinderPath(folder, "Tak"), yes);
  binders::LoadGroupFile(binders::BinderPath(folder, "Nie"), no);
  EXPECT_TRUE(medview::MvGroupHasItem(yes.get(), acts_[0]));
  EXPECT_FALSE(medview::MvGroupHasItem(no.get(), acts_[0]));
}

TEST_F(BinderGuiTest, TheTipOfTheDayCyclesAndRemembersWhereItStopped) {
  const std::string path = folder_ + "/tips.txt";
  {
    std::ofstream out(path);
    out << "; porady\n\n" << base::cp1250::from_utf8("Zakładki dodasz przeciągając akt na zakładkę „Zakładki”.\n")
        << base::cp1250::from_utf8("Segregator zbiera akty, które często czytasz; ich części przyjdą same.\n");
  }
  CTipDlg::SetTipsFileForTests(path);
  {
    CTipDlg first;
    EXPECT_TRUE(first.HasFile());
    EXPECT_NE(std::string(first.m_strTip.GetString()).find(Pl("Zakładki")), std::string::npos);
  }
  EXPECT_GT(app_->GetProfileInt(tips::kTipSection, tips::kFilePosEntry, 0), 0u);
  CTipDlg second;
  EXPECT_EQ(std::string(second.m_strTip.GetString()).rfind("Segregator", 0), 0u);
  bool ran = false;
  OnEveryDialog([&](HWND h) {
    ran = true;
    for (UINT id : {resources::IDC_TIP_NEXT, resources::IDC_TIP_QUERY, resources::IDC_TIP_INDEXES}) {
      HWND button = ::GetDlgItem(h, int(id));
      EXPECT_TRUE(button && ::IsWindowVisible(button)) << id;
    }
    Picture(h, "tip_of_the_day.png", true);
    // The panel is the dialog's own painting: the shade left of the tip area, white in it.
    RECT area{};
    ::GetWindowRect(::GetDlgItem(h, int(resources::IDC_TIP_TEXT)), &area);
    POINT corner{area.right - 3, area.bottom - 3};
    ::ScreenToClient(h, &corner);
    EXPECT_EQ(lumo::test::surface_pixel(h, corner.x, corner.y), ::GetSysColor(COLOR_WINDOW));
    POINT left{area.left - 10, area.bottom - 3};
    ::ScreenToClient(h, &left);
    EXPECT_EQ(lumo::test::surface_pixel(h, left.x, left.y), ::GetSysColor(COLOR_BTNSHADOW));
    ::SendMessage(h, WM_COMMAND, MAKEWPARAM(resources::IDC_TIP_NEXT, BN_CLICKED), 0);  // wraps to the first
    EXPECT_NE(std::string(second.m_strTip.GetString()).find(Pl("Zakładki")), std::string::npos);
    ::CheckDlgButton(h, resources::IDC_TIP_AT_START, BST_UNCHECKED);
    ::SendMessage(h, WM_COMMAND, MAKEWPARAM(resources::IDC_TIP_CLOSE, BN_CLICKED), 0);
  });
  second.DoModal();
  EXPECT_TRUE(ran);
  EXPECT_EQ(app_->GetUserData().m_bTipAtStart, 0);

  // Without a tips file the dialog says so and leaves the profile alone.
  CTipDlg::SetTipsFileForTests(folder_ + "/brak.txt");
  app_->WriteProfileInt(tips::kTipSection, tips::kFilePosEntry, 7);
  {
    CTipDlg none;
    EXPECT_FALSE(none.HasFile());
    EXPECT_NE(std::string(none.m_strTip.GetString()).find("nie istnieje"), std::string::npos);
  }
  EXPECT_EQ(app_->GetProfileInt(tips::kTipSection, tips::kFilePosEntry, 0), 7u);
}

TEST(DocInfoTexts, SizesTimesAndDates) {
  EXPECT_EQ(docinfo::SizeText(2048), Pl("2.0 KB (2048 bajtów)"));
  EXPECT_EQ(docinfo::SizeText(0), Pl("0.0 KB (0 bajtów)"));
  EXPECT_EQ(docinfo::WorkTimeText(3725), "1 godz., 2 min.");
  EXPECT_EQ(docinfo::WorkTimeText(59), "0 godz., 0 min.");
  const std::string date = docinfo::DateText(0);
  const std::string both = docinfo::DateTimeText(0);
  EXPECT_EQ(both.rfind(date + "      ", 0), 0u) << both;
  EXPECT_EQ(both.size(), date.size() + 6 + 8);
}

TEST_F(BinderGuiTest, TheWorkPropertiesSheetShowsTheFileAndStoresAuthorAndTitleOnOk) {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  ASSERT_NE(work, nullptr);
  const std::string path = folder_ + "/praca.lkl";
  ASSERT_TRUE(work->OnSaveDocument(path.c_str()));
  work->SetPathName(path.c_str(), FALSE);
  int step = 0;
  OnEveryDialog([&](HWND h) {
    auto* sheet = dynamic_cast<CDocInfoSheet*>(CWnd::FromHandle(h));
    ASSERT_NE(sheet, nullptr);
    const CString name = sheet->m_filePage.GetDlgItemText(int(resources::IDC_FILE_NAME));
    const CString size = sheet->m_filePage.GetDlgItemText(int(resources::IDC_FILE_SIZE));
    const CString created = sheet->m_filePage.GetDlgItemText(int(resources::IDC_FILE_CREATED));
    EXPECT_EQ(std::string(name.GetString()), "praca.lkl");
    EXPECT_NE(std::string(size.GetString()).find(Pl("bajtów")), std::string::npos);
    EXPECT_NE(std::string(created.GetString()).find("      "), std::string::npos);
    CWnd* cancel = sheet->GetDlgItem(IDCANCEL);
    EXPECT_TRUE(!cancel || !cancel->IsWindowVisible());
    Picture(h, "work_file_page.png", true);
    sheet->SetActivePage(1);
    pump();
    sheet->m_docPage.SetDlgItemText(resources::IDC_DOC_AUTHOR, CString(Pl("Józef Łęcki")));
    sheet->m_docPage.SetDlgItemText(resources::IDC_DOC_TITLE, CString(Pl("Umowy o pracę – źródła")));
    Picture(h, "work_document_page.png", true);
    ++step;
    sheet->PressButton(IDOK);
  });
  EXPECT_EQ(CDocInfoSheet::ShowWorkInformation(0), IDOK);
  EXPECT_EQ(step, 1);
  EXPECT_EQ(std::string(app_->GetDocumentData().m_strAuthor.GetString()), Pl("Józef Łęcki"));
  EXPECT_EQ(std::string(app_->GetDocumentData().m_strTitle.GetString()), Pl("Umowy o pracę – źródła"));
}

}  // namespace
