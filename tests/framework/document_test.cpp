// Documents in MDI children: new, open, save, save as and close with the save question answered
// by the prompter; damaged files; the recent-file list.
#include <filesystem>

#include "platform/base/cfile.h"
#include "platform/base/cp1250.h"
#include "platform/base/os_file.h"
#include "platform/base/profile.h"
#include "platform/framework/menu.h"
#include "tests/framework/framework_fixture.h"

namespace lumo::test {
namespace {

class DocumentTest : public FrameworkTest {
 protected:
  TestDoc* only_doc() {
    EXPECT_EQ(doc_template->documents().size(), 1u);
    return doc_template->documents().empty() ? nullptr : static_cast<TestDoc*>(doc_template->documents().front().get());
  }
};

TEST_F(DocumentTest, NewDocumentOpensItsViewInAnMdiChild) {
  CMDIFrameWnd* frame = make_main_frame();
  frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
  pump();
  TestDoc* doc = only_doc();
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(utf8(doc->GetTitle()), "Dok1");
  ASSERT_EQ(doc->m_viewList.size(), 1u);
  CView* view = doc->m_viewList.front();
  CMDIChildWnd* child = frame->MDIGetActive();
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(view->GetParentFrame(), child);
  EXPECT_EQ(child->GetActiveView(), view);
  EXPECT_EQ(::GetParent(child->m_hWnd), frame->m_hWndMDIClient);
  EXPECT_EQ(frame->GetActiveDocument(), doc);
  // The view fills the child's client area after the layout.
  CRect client, pane;
  child->GetClientRect(&client);
  view->GetClientRect(&pane);
  EXPECT_EQ(pane.Size(), client.Size());
  CString title;
  frame->GetWindowText(title);
  EXPECT_EQ(utf8(title), "Lumo Test - Dok1");
}

// A sheet frame whose caption is its own: it drops the document's title from its creation style.
class OwnCaptionChild : public CMDIChildWnd {
  DECLARE_DYNCREATE(OwnCaptionChild)

 public:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override {
    cs.style &= ~LONG(FWS_ADDTOTITLE);
    return CMDIChildWnd::PreCreateWindow(cs);
  }
};
IMPLEMENT_DYNCREATE(OwnCaptionChild, CMDIChildWnd)

TEST_F(DocumentTest, AFrameThatClearsTheTitleStyleKeepsItsOwnCaption) {
  CMDIFrameWnd* frame = make_main_frame();
  auto* own = new CMultiDocTemplate(IDR_TEST_DOC, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(OwnCaptionChild),
                                    RUNTIME_CLASS(TestView));
  app->AddDocTemplate(own);
  CDocument* doc = own->OpenDocumentFile(nullptr);
  ASSERT_NE(doc, nullptr);
  pump();
  CMDIChildWnd* child = frame->MDIGetActive();
  ASSERT_NE(dynamic_cast<OwnCaptionChild*>(child), nullptr);
  EXPECT_EQ(child->GetStyle() & FWS_ADDTOTITLE, 0u) << "the frame bit never reaches the window";
  child->SetWindowText(cp("Dz.U. 1998 nr 21 poz. 94 – własny"));
  doc->SetTitle(cp("Nowy tytuł"));
  pump();
  CString caption;
  child->GetWindowText(caption);
  EXPECT_EQ(utf8(caption), "Dz.U. 1998 nr 21 poz. 94 – własny");
  // A plain child still shows its document's title.
  frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
  pump();
  CMDIChildWnd* plain = frame->MDIGetActive();
  ASSERT_NE(plain, child);
  plain->GetWindowText(caption);
  EXPECT_NE(utf8(caption).find("Dok"), std::string::npos) << utf8(caption);
  EXPECT_EQ(plain->GetStyle() & FWS_ADDTOTITLE, 0u);
}

TEST_F(DocumentTest, SaveOpenAndCloseAskAboutChanges) {
  CMDIFrameWnd* frame = make_main_frame();
  frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
  TestDoc* doc = only_doc();
  ASSERT_NE(doc, nullptr);
  doc->m_text = cp("Ustawa o zmianie ustaw");
  doc->SetModifiedFlag();

  // Save of a document never saved asks where; the file holds the archive's string.
  std::string path = temp_path("pierwszy.tdk");
  prompter.files.push_back(path);
  frame->SendMessage(WM_COMMAND, ID_FILE_SAVE);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(doc->GetPathName().str(), path);
  EXPECT_EQ(utf8(doc->GetTitle()), "pierwszy.tdk");
  std::vector<uint8_t> bytes;
  ASSERT_EQ(base::read_file(path, bytes), base::OsError::None);
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(bytes[0], 22);  // length of the CP1250 text
  EXPECT_EQ(utf8((*app->m_pRecentFileList)[0]), path);

  // Closing a changed document: Cancel keeps it, No drops the changes.
  doc->m_text = cp("zmiana");
  doc->SetModifiedFlag();
  prompter.answers = {IDCANCEL};
  frame->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
  EXPECT_EQ(doc_template->documents().size(), 1u);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text_utf8, "Czy zapisać zmiany w pierwszy.tdk?");
  prompter.answers = {IDNO};
  frame->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
  pump();
  EXPECT_TRUE(doc_template->documents().empty());
  EXPECT_EQ(frame->MDIGetActive(), nullptr);

  // Opening reads the saved text back, not the discarded change.
  prompter.files.push_back(path);
  frame->SendMessage(WM_COMMAND, ID_FILE_OPEN);
  doc = only_doc();
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(utf8(doc->m_text), "Ustawa o zmianie ustaw");
  EXPECT_FALSE(doc->IsModified());
  // Opening it again activates the open copy instead of reading it twice.
  EXPECT_EQ(app->OpenDocumentFile(path.c_str()), doc);
  EXPECT_EQ(doc_template->documents().size(), 1u);

  // Yes saves before closing.
  doc->m_text = cp("ostatnia wersja");
  doc->SetModifiedFlag();
  prompter.answers = {IDYES};
  frame->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
  pump();
  EXPECT_TRUE(doc_template->documents().empty());
  TestDoc check;
  ASSERT_TRUE(check.OnOpenDocument(path.c_str()));
  EXPECT_EQ(utf8(check.m_text), "ostatnia wersja");
}

// Paths are CP1250 in the program and UTF-8 on disk: a name with Polish letters is saved under
// its UTF-8 form and opens again.
TEST_F(DocumentTest, PolishFileNamesReachTheDiskInUtf8) {
  CMDIFrameWnd* frame = make_main_frame();
  frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
  TestDoc* doc = only_doc();
  ASSERT_NE(doc, nullptr);
  doc->m_text = cp("Prawo łowieckie");
  doc->SetModifiedFlag();
  std::string on_disk = temp_path("zażółć.tdk");
  prompter.files.push_back(base::cp1250::from_utf8(on_disk));
  frame->SendMessage(WM_COMMAND, ID_FILE_SAVE);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(base::file_exists(on_disk));
  EXPECT_EQ(utf8(doc->GetTitle()), "zażółć.tdk");

  TestDoc check;
  ASSERT_TRUE(check.OnOpenDocument(doc->GetPathName()));
  EXPECT_EQ(utf8(check.m_text), "Prawo łowieckie");
}

// A file named on the command line arrives in UTF-8 and is kept as CP1250 text.
TEST_F(DocumentTest, CommandLineFileNamesBecomeCp1250) {
  std::string name = "/tmp/ustawa_źródło.lkl";
  std::string exe = "lumokal";
  char* argv[] = {exe.data(), name.data()};
  app->SetCommandLine(2, argv);
  CCommandLineInfo info;
  app->ParseCommandLine(info);
  EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen);
  EXPECT_EQ(info.m_strFileName.str(), base::cp1250::from_utf8(name));
  EXPECT_EQ(base::os_path(info.m_strFileName), name);
}

TEST_F(DocumentTest, ClosingTheMainWindowAsksForEveryChangedDocument) {
  CMDIFrameWnd* frame = make_main_frame();
  frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
  frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
  ASSERT_EQ(doc_template->documents().size(), 2u);
  for (const auto& d : doc_template->documents()) d->SetModifiedFlag();
  // Cancel on the first question keeps everything open.
  prompter.answers = {IDCANCEL};
  frame->SendMessage(WM_CLOSE);
  EXPECT_TRUE(::IsWindow(frame->m_hWnd));
  EXPECT_EQ(doc_template->documents().size(), 2u);
  prompter.answers = {IDNO, IDNO};
  HWND h = frame->m_hWnd;
  frame->SendMessage(WM_CLOSE);
  EXPECT_FALSE(::IsWindow(h));
  EXPECT_TRUE(doc_template->documents().empty());
  EXPECT_EQ(prompter.asked.size(), 3u);
}

TEST_F(DocumentTest, DamagedFileIsReportedAndOpensNothing) {
  CMDIFrameWnd* frame = make_main_frame();
  std::string path = temp_path("uszkodzony.tdk");
  const uint8_t damaged[] = {0xFF, 0xFF};  // a string length that runs past the end
  ASSERT_EQ(base::write_file_atomic(path, damaged), base::OsError::None);
  EXPECT_EQ(app->OpenDocumentFile(path.c_str()), nullptr);
  pump();
  EXPECT_TRUE(doc_template->documents().empty());
  EXPECT_EQ(frame->MDIGetActive(), nullptr);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_NE(prompter.asked[0].text_utf8.find("Nie można otworzyć pliku"), std::string::npos);
  // A missing file too.
  EXPECT_EQ(app->OpenDocumentFile(temp_path("brak.tdk").c_str()), nullptr);
  EXPECT_TRUE(doc_template->documents().empty());
}

TEST_F(DocumentTest, RecentFilesKeepEightNewestFirstAndFillTheMenu) {
  CMDIFrameWnd* frame = make_main_frame();
  for (int i = 1; i <= 10; ++i) app->AddToRecentFileList(temp_path("plik" + std::to_string(i) + ".tdk").c_str());
  app->AddToRecentFileList(temp_path("PLIK5.tdk").c_str());  // the same file in other letters moves up
  CRecentFileList& list = *app->m_pRecentFileList;
  EXPECT_EQ(list.GetSize(), 8);
  EXPECT_EQ(utf8(list[0]), temp_path("PLIK5.tdk"));
  EXPECT_EQ(utf8(list[1]), temp_path("plik10.tdk"));
  EXPECT_EQ(list[8].GetLength(), 0);
  int filled = 0;
  for (int i = 0; i < 8; ++i) filled += list[i].IsEmpty() ? 0 : 1;
  EXPECT_EQ(filled, 8);
  // The list survives in the profile.
  CRecentFileList again(ID_FILE_MRU_FILE1, "Recent File List", "File%d", 8);
  again.ReadList();
  EXPECT_EQ(again.m_arrNames, list.m_arrNames);

  // The file menu shows one item per entry in place of the placeholder.
  HMENU file = GetSubMenu(::GetMenu(frame->m_hWnd), 0);
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
  EXPECT_EQ(GetMenuItemID(file, 4), ID_FILE_MRU_FILE1);
  EXPECT_EQ(GetMenuItemID(file, 11), ID_FILE_MRU_FILE8);
  char text[256];
  GetMenuString(file, ID_FILE_MRU_FILE1, text, sizeof text, MF_BYCOMMAND);
  EXPECT_EQ(std::string(text), "&1 " + temp_path("PLIK5.tdk"));
  EXPECT_EQ(GetMenuState(file, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED, 0u);
  // A recent file that is gone leaves the list when chosen.
  frame->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1);
  EXPECT_EQ(utf8(list[0]), temp_path("plik10.tdk"));
}

}  // namespace
}  // namespace lumo::test
