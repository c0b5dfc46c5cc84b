// The application object: its command line and data folder, the start with and without a library
// (the library prompt), a second start handing over its work, the work's file, title and pending
// requests, picture extraction, and the small conversions it offers.
#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <chrono>
#include <thread>
#include <vector>

#include "engine/medview/engine_titles.h"
#include "platform/base/cp1250.h"
#include "platform/base/data_folder.h"
#include "platform/base/os_file.h"
#include "platform/base/profile.h"
#include "platform/base/registry_store.h"
#include "platform/base/temp_folder.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/menu.h"
#include "platform/framework/prompter.h"
#include "platform/framework/view.h"
#include "platform/win/message_queue.h"
#include "resources/app_ids.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "engine/frame/topic_layout.h"
#include "shell/child_frames.h"
#include "shell/library_title.h"
#include "shell/view/lumo_kal_view.h"
#include "pictures/sheets/lumo_bmp_doc.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/main_frame.h"
#include "tests/gallery/gallery.h"
#include "tests/support/app_fixture.h"
#include "tests/support/surface_png.h"

namespace lumo::test {
namespace {

std::vector<CString> arguments_of(std::initializer_list<const char*> texts) {
  std::vector<CString> out;
  for (const char* t : texts) out.emplace_back(t);
  return out;
}

std::string utf8(const CString& text) { return base::cp1250::to_utf8(text.str()); }
CString cp(const char* text) { return CString(base::cp1250::from_utf8(text)); }

TEST(LumoCommandLine, NamesTheLibraryFolderAndAWorkFile) {
  struct Case {
    std::initializer_list<const char*> arguments;
    const char* data_dir;
    const char* file;
  };
  const Case cases[] = {
      {{}, "", ""},
      {{"--data", "/srv/biblioteka"}, "/srv/biblioteka", ""},
      {{"--data=/srv/biblioteka"}, "/srv/biblioteka", ""},
      {{"--data", "-dziwna"}, "-dziwna", ""},  // the value is taken as it stands
      {{"--data"}, "", ""},                     // no value: no folder
      {{"/home/ala/praca.lkl"}, "", "/home/ala/praca.lkl"},
      {{"--data", "/srv/b", "praca.lkl"}, "/srv/b", "praca.lkl"},
      {{"praca.lkl", "--data", "/srv/b"}, "/srv/b", "praca.lkl"},
  };
  for (const Case& c : cases) {
    CLumoCommandLineInfo info;
    info.Parse(arguments_of(c.arguments));
    EXPECT_EQ(info.m_strDataDir.str(), c.data_dir);
    EXPECT_EQ(info.m_strFileName.str(), c.file);
    EXPECT_EQ(info.m_nShellCommand, *c.file ? CCommandLineInfo::FileOpen : CCommandLineInfo::FileNew);
  }
}

TEST(LumoDataDir, AFolderLongerThanOneCharacterEndsWithASeparator) {
  const std::pair<const char*, const char*> cases[] = {
      {"", ""}, {"D", "D"}, {"/srv/biblioteka", "/srv/biblioteka/"}, {"/srv/biblioteka/", "/srv/biblioteka/"},
  };
  for (const auto& [value, folder] : cases) {
    EXPECT_EQ(CLumoApp::DataDirFromProfileValue(value).str(), folder) << value;
  }
}

TEST(LumoConversions, CentimetresAreParsedStrictlyAndFormattedShort) {
  const struct {
    const char* text;
    bool ok;
    int millimetres;
  } parsed[] = {
      {"2.5 cm", true, 25}, {"3CM", true, 30},  {"2.5", true, 25},   {" 1.25cm", true, 13}, {"-0.25", true, -3},
      {"2,5", false, 0},    {"", false, 0},     {"3 mm", false, 0},  {"cm", false, 0},      {"inf", false, 0},
      {"nan", false, 0},    {"1e300", false, 0}, {"2.5 cm x", false, 0},
  };
  for (const auto& c : parsed) {
    int mm = -999;
    EXPECT_EQ(CLumoApp::ParseCentimetres(CString(c.text), mm), c.ok) << c.text;
    if (c.ok) { EXPECT_EQ(mm, c.millimetres) << c.text; }
  }
  const struct {
    int millimetres, decimals;
    const char* text;
  } formatted[] = {{200, 2, "20cm"}, {215, 2, "21.5cm"}, {215, 0, "22cm"}, {5, 1, "0.5cm"}, {-15, 2, "-1.5cm"}};
  for (const auto& c : formatted) {
    CString text;
    CLumoApp::FormatCentimetres(c.millimetres, c.decimals, text);
    EXPECT_EQ(text.str(), c.text) << c.millimetres;
  }
  EXPECT_FALSE(CLumoApp::IsCommonControlsVersionAccepted(4, 71));
  EXPECT_TRUE(CLumoApp::IsCommonControlsVersionAccepted(4, 72));
  EXPECT_TRUE(CLumoApp::IsCommonControlsVersionAccepted(5, 0));
  EXPECT_FALSE(CLumoApp::IsCommonControlsVersionAccepted(3, 99));
}

class TestView : public CView {
 public:
  void OnDraw(CDC*) override {}
};

class LumoAppTest : public AppTest {
 protected:
  static constexpr UINT kRunScript = WM_APP + 0x77;

  LumoAppTest() : AppTest("shell_app_sample") {}

  void TearDown() override {
    win::set_message_observer(nullptr);
    AppTest::TearDown();
  }

  // Runs `script` on every dialog box once it is up (the n-th dialog gets n, from 0).
  void OnEveryDialog(std::function<void(HWND dialog, int n)> script) {
    dialogs_ = 0;
    win::set_message_observer([this, script](HWND h, UINT message, WPARAM, LPARAM) {
      // Only the prompts: the navigator bars' tabs are dialogs inside the main window.
      if (message == WM_INITDIALOG && !(::GetWindowLong(h, GWL_STYLE) & WS_CHILD)) ::PostMessage(h, kRunScript, 0, 0);
      if (message == kRunScript) script(h, dialogs_++);
    });
  }

  int dialogs_ = 0;
};

TEST_F(LumoAppTest, StartsWithTheLibraryTheCommandLineNamesAndEndsThroughExit) {
  base::Profile::app().WriteProfileString("Main", "DataDir", "/z/profilu");
  char program[] = "lumokal", data_switch[] = "--data";
  std::string data = library_->folder;
  char* argv[] = {program, data_switch, data.data()};
  app_->SetCommandLine(3, argv);
  ASSERT_TRUE(app_->InitInstance());
  // The command line's folder wins over the stored one for this run and is not stored.
  EXPECT_EQ(app_->GetDataDir().str(), library_->folder + "/");
  EXPECT_EQ(base::Profile::app().GetProfileString("Main", "DataDir").str(), "/z/profilu");
  EXPECT_TRUE(prompts_.asked.empty());
  // The library is open, with its contents index; the first work is new and untitled.
  ASSERT_NE(LibraryTitle(), nullptr);
  EXPECT_EQ(app_->GetCatalog().RecordCount(), int32_t(library_->report.topics));
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  ASSERT_NE(work, nullptr);
  EXPECT_EQ(work->GetTitle().str(), "nienazwana praca");
  EXPECT_FALSE(work->IsModified());
  EXPECT_EQ(app_->GetDocumentData().m_strTitle.str(), "Nowa praca");
  EXPECT_FALSE(base::Profile::app().GetProfileString("Main", "AppDir").IsEmpty());
  shell::ActDescription description;
  work->GetActDescription(1, description);
  EXPECT_GE(description.FullYear(), 1998);

  CMainFrame* frame = app_->GetMainFrame();
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->IsWindowVisible());
  char class_name[64] = {};
  ::GetClassName(frame->m_hWnd, class_name, sizeof class_name);
  EXPECT_EQ(std::string(class_name), "LumoKAL Class");
  CString title;
  frame->GetWindowText(title);
  EXPECT_EQ(title.str(), "LumoKAL - nienazwana praca");
  std::vector<std::string> popups;
  // The maximised sheet's own window menu stands first on the bar.
  for (const auto& item : framework::menu_items(::GetMenu(frame->m_hWnd))) {
    if (item.popup && item.text != "-") popups.push_back(utf8(item.text));
  }
  EXPECT_EQ(popups, (std::vector<std::string>{"&Plik", "&Widok", "&Zakładki", "&Narzędzia", "&Indeks",
                                              "&Okno", "Pomo&c"}));
  // The new work comes with its first sheet, maximised, on the library's contents page, and the
  // workbook shows its tab.
  ASSERT_NE(frame->m_hWndMDIClient, nullptr);
  BOOL maximised = FALSE;
  auto* sheet = dynamic_cast<CChildKALFrame*>(frame->MDIGetActive(&maximised));
  ASSERT_NE(sheet, nullptr);
  EXPECT_TRUE(maximised);
  EXPECT_TRUE(frame->GetWorkbookMode());
  EXPECT_EQ(frame->GetSheetCount(), 1);
  ASSERT_NE(work->GetCurrentTextView(), nullptr);
  EXPECT_EQ(work->GetCurrentTextView()->GetParentFrame(), sheet);
  EXPECT_TRUE(CLumoKALDoc::AreViewsAttached());
  EXPECT_GE(frame::MvGetCurrentTopic(work->GetCurrentTextView()->GetViewer()), 0);
  frame->MoveWindow(0, 0, 640, 480);
  pump();
  CGSStatusBar& status = frame->GetStatusBar();
  EXPECT_EQ(utf8(status.GetPaneText(0)), " Naciśnij przycisk F1 aby uzyskać pomoc");
  EXPECT_EQ(status.CommandToIndex(resources::ID_INDICATOR_MARK), 6);
  EXPECT_EQ(status.CommandToIndex(ID_INDICATOR_CAPS), 4);
  RECT client;
  ::GetClientRect(frame->m_hWndMDIClient, &client);
  // The client shows the desktop colour behind the sheets.
  EXPECT_EQ(surface_pixel(frame->m_hWndMDIClient, client.right / 2, client.bottom / 2), 0x808000u);

  frame->SendMessage(WM_COMMAND, ID_APP_EXIT);
  pump();
  EXPECT_EQ(app_->m_pMainWnd, nullptr);
  MSG msg;
  EXPECT_TRUE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(app_->ExitInstance(), 0);
  EXPECT_EQ(LibraryTitle(), nullptr);
}

TEST_F(LumoAppTest, WithoutALibraryTheCancelledPromptEndsTheStart) {
  base::set_data_folder(folder_ + "/dane ąęłóśżźćń");
  OnEveryDialog([&](HWND dialog, int) {
    // The prompt shows the folder tried, in Polish as it stands.
    char text[260] = {};
    ::GetDlgItemText(dialog, resources::IDC_INSERT_CD_FOLDER, text, sizeof text);
    EXPECT_EQ(base::cp1250::to_utf8(text), folder_ + "/dane ąęłóśżźćń/");
    gallery::Picture picture(dialog, "insert_cd_prompt", true);
    // The texts and buttons are drawn: the long hint wraps over its lines, the buttons carry text.
    for (int id : {int(resources::IDC_INSERT_CD_HINT), int(resources::IDC_INSERT_CD_OK),
                   int(resources::IDC_INSERT_CD_CANCEL), int(resources::IDC_INSERT_CD_OLD_STYLE)}) {
      const RECT box = gallery::rect_in(::GetDlgItem(dialog, id), dialog, true);
      EXPECT_GT(picture.dark(box), 20) << id;
    }
    // No control covers another (a wrapped line of the first text once hid under the hint), and
    // the folder field has its browse button, shown and drawn.
    std::vector<RECT> boxes;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
      if (::IsWindowVisible(child)) boxes.push_back(gallery::rect_in(child, dialog, true));
    }
    EXPECT_EQ(boxes.size(), 7u);
    for (size_t i = 0; i < boxes.size(); ++i) {
      for (size_t j = i + 1; j < boxes.size(); ++j) {
        const bool apart = boxes[i].right <= boxes[j].left || boxes[j].right <= boxes[i].left ||
                           boxes[i].bottom <= boxes[j].top || boxes[j].bottom <= boxes[i].top;
        EXPECT_TRUE(apart) << i << " " << j;
      }
    }
    HWND browse = ::GetWindow(::GetDlgItem(dialog, resources::IDC_INSERT_CD_FOLDER), GW_HWNDNEXT);
    ASSERT_TRUE(browse && ::IsWindowVisible(browse));
    EXPECT_GE(picture.dark(gallery::rect_in(browse, dialog, true)), 3);  // its three dots
    const RECT hint = gallery::rect_in(::GetDlgItem(dialog, resources::IDC_INSERT_CD_HINT), dialog, true);
    // Every line of the hint is shown: its text ends above the bottom edge, not cut by it.
    EXPECT_GT(picture.lowest_dark(hint), hint.top + (hint.bottom - hint.top) / 2);
    EXPECT_LT(picture.lowest_dark(hint), hint.bottom - 3);
    ::PostMessage(dialog, WM_COMMAND, resources::IDC_INSERT_CD_CANCEL, 0);
  });
  char program[] = "lumokal";
  char* argv[] = {program};
  app_->SetCommandLine(1, argv);
  EXPECT_FALSE(app_->InitInstance());
  EXPECT_EQ(dialogs_, 1);
  EXPECT_EQ(LibraryTitle(), nullptr);
  EXPECT_EQ(CLumoKALDoc::GetCurrentWork(), nullptr);
  EXPECT_TRUE(base::Profile::app().GetProfileString("Main", "DataDir").IsEmpty());
}

TEST_F(LumoAppTest, AFolderTypedInThePromptIsTriedUntilTheLibraryOpens) {
  // A CD shows the title's name upper-cased with a version suffix.
  const std::string cd = folder_ + "/cd";
  std::filesystem::create_directories(cd);
  std::filesystem::copy_file(LibraryTitlePath(), cd + "/LUMOKAL.DAT;1");
  std::filesystem::copy_file(library_->folder + "/Index.idx", cd + "/Index.idx");
  OnEveryDialog([&](HWND dialog, int n) {
    char text[260] = {};
    ::GetDlgItemText(dialog, resources::IDC_INSERT_CD_FOLDER, text, sizeof text);
    if (n == 0) {
      ::SetDlgItemText(dialog, resources::IDC_INSERT_CD_FOLDER, "/nie/ma/takiego");
    } else {
      EXPECT_EQ(std::string(text), "/nie/ma/takiego");  // the folder that failed comes back
      ::SetDlgItemText(dialog, resources::IDC_INSERT_CD_FOLDER, cd.c_str());
    }
    ::PostMessage(dialog, WM_COMMAND, resources::IDC_INSERT_CD_OK, 0);
  });
  char program[] = "lumokal";
  char* argv[] = {program};
  app_->SetCommandLine(1, argv);
  ASSERT_TRUE(app_->InitInstance());
  EXPECT_EQ(dialogs_, 2);
  EXPECT_NE(LibraryTitle(), nullptr);
  EXPECT_EQ(app_->GetDataDir().str(), cd + "/");
  EXPECT_EQ(base::Profile::app().GetProfileString("Main", "DataDir").str(), cd + "/");
  EXPECT_EQ(app_->GetCatalog().RecordCount(), int32_t(library_->report.topics));
}

TEST_F(LumoAppTest, ASecondStartHandsItsWorkToTheFirst) {
  ASSERT_TRUE(StartWithLibrary());
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  ASSERT_NE(work, nullptr);
  auto bookmark = std::make_unique<CMvBookmarkItem>();
  bookmark->m_nTopic = 3;
  bookmark->m_strName = cp("Zakładka ąę");
  work->GetBookmarks().push_back(std::move(bookmark));
  const std::string path = folder_ + "/przekazana.lkl";
  ASSERT_TRUE(work->OnSaveDocument(path.c_str()));
  work->DeleteBookmarks();

  BOOL second_started = TRUE;
  std::thread second([&] {
    CInstanceGuard guard;
    guard.SetScope(InstanceScope());
    second_started = guard.RegisterMainClass(resources::IDS_APP_NAME, CString(path));
  });
  for (int round = 0; round < 500; ++round) {
    pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    CLumoKALDoc* current = CLumoKALDoc::GetCurrentWork();
    if (current && current->GetPathName().str() == path) break;
  }
  second.join();
  EXPECT_FALSE(second_started);
  CLumoKALDoc* opened = CLumoKALDoc::GetCurrentWork();
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(opened->GetPathName().str(), path);
  EXPECT_EQ(utf8(opened->GetTitle()), "Lumokal - " + path);
  ASSERT_EQ(opened->GetBookmarks().size(), 1u);
  EXPECT_EQ(utf8(opened->GetBookmarks()[0]->m_strName), "Zakładka ąę");
  EXPECT_EQ(app_->GetTextTemplate()->documents().size(), 1u);  // one work at a time
}

TEST_F(LumoAppTest, WorksReopenWithTheirSheetsBookmarksAndQueries) {
  ASSERT_TRUE(StartWithLibrary());
  // A work saved elsewhere with two sheets, a bookmark and two queries.
  CUserData settings;
  CDocumentData statistics;
  WorkLists lists;
  lists.bookmarks.push_back(std::make_unique<CMvBookmarkItem>());
  lists.bookmarks[0]->m_nTopic = 5;
  lists.bookmarks[0]->m_strName = CString("Art. 1");
  lists.queries = {CString("biblioteka"), CString("gmina")};
  lists.sheets.resize(2);
  lists.sheets[0].topic = 3;
  lists.sheets[1].topic = 5;
  // Places the sheets went through before: topics 1 then 2 in the first, 4 in the second.
  for (int32_t topic : {1, 2}) lists.sheets[0].history.emplace_back().m_nTopic = topic;
  lists.sheets[1].history.emplace_back().m_nTopic = 4;
  CArchive out;
  SerializeWork(out, settings, statistics, lists);
  const std::string old_path = folder_ + "/stara.lkl";
  ASSERT_EQ(base::write_file_atomic(old_path, out.GetBytes()), base::OsError::None);

  // A reopened work shows its saved sheets in order: the first in the sheet the work opens with,
  // the others each in a sheet of its own; what was saved of them is then used up.
  using Histories = std::vector<std::vector<int32_t>>;
  const Histories saved_histories{{1, 2}, {4}};
  auto check = [&](CLumoKALDoc* work, const Histories& histories) {
    ASSERT_NE(work, nullptr);
    pump();
    EXPECT_EQ(work->GetSavedTopic(), -1);
    EXPECT_TRUE(work->GetSavedSheets().empty());
    CMainFrame* frame = app_->GetMainFrame();
    ASSERT_EQ(frame->GetSheetCount(), 2);
    std::vector<int32_t> shown;
    Histories places;
    for (SECWorksheet* sheet : frame->m_sheets) {
      auto* view = dynamic_cast<CLumoKALView*>(sheet->GetActiveView());
      ASSERT_NE(view, nullptr);
      shown.push_back(frame::MvGetCurrentTopic(view->GetViewer()));
      places.emplace_back();
      for (int i = 0; i < view->GetHistoryCount(); ++i) places.back().push_back(view->GetHistoryItem(i)->m_nTopic);
    }
    EXPECT_EQ(shown, (std::vector<int32_t>{3, 5}));
    EXPECT_EQ(places, histories);
    ASSERT_EQ(work->GetBookmarks().size(), 1u);
    EXPECT_EQ(work->GetBookmarks()[0]->m_strName.str(), "Art. 1");
    ASSERT_EQ(work->GetQueryHistory().size(), 2u);
    EXPECT_EQ(work->GetQueryHistory()[1].str(), "gmina");
  };
  auto* work = dynamic_cast<CLumoKALDoc*>(app_->OpenDocumentFile(old_path.c_str()));
  check(work, saved_histories);
  EXPECT_EQ(work, CLumoKALDoc::GetCurrentWork());
  const std::string new_path = folder_ + "/nowa.lkl";
  ASSERT_TRUE(work->DoSave(new_path.c_str()));
  EXPECT_EQ(work->GetPathName().str(), new_path);
  work = dynamic_cast<CLumoKALDoc*>(app_->OpenDocumentFile(new_path.c_str()));
  check(work, saved_histories);
  EXPECT_NE(LibraryTitle(), nullptr);  // the library was opened again for the work
  EXPECT_TRUE(prompts_.asked.empty());

  // The histories are the file's last part (three counts and three places of 15 bytes): a work that
  // ends before it, and one whose histories are damaged, open with empty histories.
  const std::vector<uint8_t>& full = out.GetBytes();
  const size_t histories_at = full.size() - (3 * 4 + 3 * 15);
  ASSERT_EQ(full[histories_at], 2);
  std::vector<uint8_t> older(full.begin(), full.begin() + long(histories_at));
  std::vector<uint8_t> damaged = full;
  damaged[histories_at + 4] = 7;  // the first sheet's entry count disagrees with its sheet's
  for (const auto& [name, bytes] : {std::pair{"/bez historii.lkl", older}, std::pair{"/zla historia.lkl", damaged}}) {
    const std::string path = folder_ + name;
    ASSERT_EQ(base::write_file_atomic(path, bytes), base::OsError::None);
    work = dynamic_cast<CLumoKALDoc*>(app_->OpenDocumentFile(path.c_str()));
    check(work, Histories{{}, {}});
  }
  EXPECT_TRUE(prompts_.asked.empty());

  // More sheets than the settings allow: one message, the first ones kept.
  lists.sheets.resize(20);
  for (WorkSheet& sheet : lists.sheets) sheet.topic = 3;
  CArchive many;
  SerializeWork(many, settings, statistics, lists);
  const std::string many_path = folder_ + "/wiele.lkl";
  ASSERT_EQ(base::write_file_atomic(many_path, many.GetBytes()), base::OsError::None);
  work = dynamic_cast<CLumoKALDoc*>(app_->OpenDocumentFile(many_path.c_str()));
  ASSERT_NE(work, nullptr);
  pump();
  EXPECT_EQ(app_->GetMainFrame()->GetSheetCount(), app_->GetUserData().m_nMaxSheets);
  ASSERT_EQ(prompts_.asked.size(), 1u);
  EXPECT_NE(prompts_.asked[0].find("więcej arkuszy"), std::string::npos);

  // A work cut short is refused with the load message and nothing else happens.
  std::vector<uint8_t> cut(out.GetBytes().begin(), out.GetBytes().begin() + 60);
  const std::string cut_path = folder_ + "/ucieta.lkl";
  ASSERT_EQ(base::write_file_atomic(cut_path, cut), base::OsError::None);
  EXPECT_EQ(app_->OpenDocumentFile(cut_path.c_str()), nullptr);
  ASSERT_EQ(prompts_.asked.size(), 2u);
  EXPECT_NE(prompts_.asked[1].find("Nie można otworzyć pliku"), std::string::npos);
  EXPECT_EQ(CLumoKALDoc::GetCurrentWork(), nullptr);
}

TEST_F(LumoAppTest, AModifiedWorkStaysWhenTheSaveQuestionIsCancelled) {
  ASSERT_TRUE(StartWithLibrary());
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  ASSERT_NE(work, nullptr);
  work->SetModifiedFlag(TRUE);
  prompts_.answers = {IDCANCEL};
  EXPECT_EQ(app_->OpenDocumentFile((folder_ + "/inna.lkl").c_str()), work);
  ASSERT_EQ(prompts_.asked.size(), 1u);
  EXPECT_NE(prompts_.asked[0].find("Czy zapisać zmiany"), std::string::npos);
  EXPECT_EQ(CLumoKALDoc::GetCurrentWork(), work);
  EXPECT_NE(LibraryTitle(), nullptr);
  // "Nowy" with the answer No: the work goes and a new one comes, built in code without touching
  // the settings (a bold-link flag stays as the user set it).
  // The new work may take the old one's memory, so the two are told apart by what the old one
  // held (a title of its own, unsaved changes), never by their addresses.
  app_->GetUserData().m_bBoldArt = 1;
  work->SetTitle(CString("stara praca"));
  prompts_.answers = {IDNO};
  app_->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
  ASSERT_NE(CLumoKALDoc::GetCurrentWork(), nullptr);
  EXPECT_EQ(prompts_.asked.size(), 2u);
  EXPECT_FALSE(CLumoKALDoc::GetCurrentWork()->IsModified());
  EXPECT_EQ(app_->GetTextTemplate()->documents().size(), 1u);
  EXPECT_EQ(app_->GetUserData().m_bBoldArt, 1);
  EXPECT_EQ(app_->GetUserData().m_nWorkbookMode, 1);
  EXPECT_EQ(CLumoKALDoc::GetCurrentWork()->GetTitle().str(), "nienazwana praca");
}

TEST_F(LumoAppTest, PlacesSavedWithAnotherSystemsPathsOpenInTheOpenLibrary) {
  ASSERT_TRUE(StartWithLibrary());
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  ASSERT_NE(work, nullptr);
  title::TitleHandle* open = LibraryTitle();
  CMvHistoryItem place;
  place.m_nTopic = 12;
  place.m_nTitleIndex = TitleNamePool::IndexOfName(CString("D:\\BAZA\\LUMOKAL.DAT"));
  EXPECT_TRUE(place.ShowInWork());  // shown in the sheet the work opened with
  EXPECT_EQ(frame::MvGetCurrentTopic(work->GetCurrentTextView()->GetViewer()), 12);
  EXPECT_EQ(LibraryTitle(), open);
  // Another title file that cannot be opened leaves the library open.
  place.m_nTitleIndex = TitleNamePool::IndexOfName(CString("/nie/ma/Inny.dat"));
  EXPECT_FALSE(place.ShowInWork());
  EXPECT_EQ(LibraryTitle(), open);
}

TEST_F(LumoAppTest, ClosingAWorkClosesEveryPictureSheet) {
  ASSERT_TRUE(StartWithLibrary());
  // The program's own picture template.
  CDocTemplate* pictures = app_->GetPictureTemplate();
  ASSERT_NE(pictures, nullptr);
  pictures->CreateNewDocument();
  pictures->CreateNewDocument();
  ASSERT_EQ(pictures->documents().size(), 2u);
  CLumoKALDoc::GetCurrentWork()->OnCloseDocument();
  EXPECT_TRUE(pictures->documents().empty());
  EXPECT_EQ(CLumoKALDoc::GetCurrentWork(), nullptr);
  EXPECT_EQ(LibraryTitle(), nullptr);
}

TEST_F(LumoAppTest, OpeningAnotherTitleNeverTouchesTheWorksPath) {
  ASSERT_TRUE(StartWithLibrary());
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  ASSERT_NE(work, nullptr);
  const std::string own = folder_ + "/moja.lkl";
  work->SetPathName(own.c_str(), FALSE);
  title::TitleHandle* title = work->OpenTitleAt(LibraryTitlePath().c_str(), 0, 2);
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(work->GetPathName().str(), own);
  EXPECT_TRUE(CLumoKALDoc::AreViewsAttached());
  // A title that does not open leaves the open one in place.
  EXPECT_EQ(work->OpenTitle("/nie/ma/LumoKAL.dat"), nullptr);
  EXPECT_EQ(LibraryTitle(), title);
  EXPECT_TRUE(medview::MvIsTitleValid(LibraryTitle()));
  work->CloseTitle();
  EXPECT_EQ(LibraryTitle(), nullptr);
  EXPECT_FALSE(CLumoKALDoc::AreViewsAttached());
}

TEST_F(LumoAppTest, RequestsBeforeTheFirstSheetAreShownWhenItIsBound) {
  ASSERT_TRUE(StartWithLibrary());
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  ASSERT_NE(work, nullptr);
  // The library opens again while no sheet is bound to it (the first sheet was bound at start).
  work->CloseTitle();
  ASSERT_NE(work->OpenTitle(LibraryTitlePath().c_str()), nullptr);
  EXPECT_FALSE(CLumoKALDoc::AreViewsAttached());
  EXPECT_FALSE(work->OpenTopic(77, 0, 0));
  EXPECT_FALSE(work->OpenTopic(-1, 0, 0));  // ignored
  EXPECT_EQ(work->GetPendingTopic(), 77);
  TestView view;
  EXPECT_EQ(work->AttachFirstView(&view), 77);
  EXPECT_EQ(work->GetPendingTopic(), -1);
  EXPECT_TRUE(CLumoKALDoc::AreViewsAttached());
  EXPECT_EQ(work->AttachFirstView(&view), -1);  // bound already
  work->SetAbort();
  EXPECT_EQ(work->TakeAbort(), 1);
  EXPECT_EQ(work->TakeAbort(), 0);
}

TEST_F(LumoAppTest, PicturesAreCopiedIntoThePrivateTemporaryFolder) {
  ASSERT_TRUE(StartWithLibrary());
  EXPECT_TRUE(app_->PictureExists(CString("karta.png")));
  EXPECT_FALSE(app_->PictureExists(CString("brak.png")));
  CString first("karta.png"), second("karta.png"), missing("brak.png"), empty;
  ASSERT_TRUE(app_->ExtractPicture(first));
  ASSERT_TRUE(app_->ExtractPicture(second));
  EXPECT_FALSE(app_->ExtractPicture(missing));
  EXPECT_EQ(missing.str(), "brak.png");
  EXPECT_FALSE(app_->ExtractPicture(empty));
  const std::filesystem::path a(first.str()), b(second.str());
  EXPECT_EQ(a.parent_path().string(), base::temp_folder());
  const long na = std::stol(a.stem().string()), nb = std::stol(b.stem().string());
  EXPECT_GT(na, 2100000);
  EXPECT_EQ(nb, na + 1);
  EXPECT_EQ(a.extension(), ".png");
  std::vector<uint8_t> copied, source;
  ASSERT_EQ(base::read_file(a.string(), copied), base::OsError::None);
  ASSERT_EQ(base::read_file(compiler_test::SourceDir() + "/samples/acts/karta.png", source), base::OsError::None);
  EXPECT_EQ(copied, source);
  // Extracted pictures never enter the recent-file list; works do.
  app_->AddToRecentFileList(first);
  app_->AddToRecentFileList(CString("/x/obraz.Png"));
  app_->AddToRecentFileList(CString("/x/praca.lkl"));
  ASSERT_NE(app_->m_pRecentFileList, nullptr);
  EXPECT_EQ((*app_->m_pRecentFileList)[0].str(), "/x/praca.lkl");
  EXPECT_TRUE((*app_->m_pRecentFileList)[1].IsEmpty());
  // A copy opens in a picture sheet that knows the picture's name; closing the sheets deletes the copy.
  auto* sheet = dynamic_cast<CLumoBMPDoc*>(app_->OpenPictureSheet(first, CString("karta.png")));
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(sheet->pictureName.str(), "karta.png");
  EXPECT_EQ(app_->OpenPictureSheet(missing, CString("brak.png")), nullptr);
  EXPECT_TRUE(app_->CloseAllPictureDocuments());
  EXPECT_FALSE(std::filesystem::exists(a));
  // The sweep takes our pictures and scope groups, nothing else.
  const std::string other = base::temp_folder() + "/inny.png";
  const std::string scope = base::temp_folder() + "/pr.lkg";
  base::write_file_atomic(other, std::vector<uint8_t>{1});
  base::write_file_atomic(scope, std::vector<uint8_t>{1});
  CLumoApp::SweepTemporaryFiles();
  EXPECT_FALSE(std::filesystem::exists(a));
  EXPECT_FALSE(std::filesystem::exists(b));
  EXPECT_FALSE(std::filesystem::exists(scope));
  EXPECT_TRUE(std::filesystem::exists(other));
  std::filesystem::remove(other);
}

}  // namespace
}  // namespace lumo::test
