#include "tests/shell_frame/frame_fixture.h"

#include <unistd.h>

#include <filesystem>

#include "platform/base/cp1250.h"
#include "platform/base/data_folder.h"
#include "platform/base/profile.h"
#include "platform/base/registry_store.h"
#include "platform/base/temp_folder.h"
#include "platform/controls/standard_controls.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "toolkit/frame/registry.h"
#include "toolkit/widgets/key_binding_table.h"
#include "toolkit/widgets/user_files.h"

namespace lumo::test {

namespace {
constexpr const char* kProgramKey = "Software\\Fenwar\\LumoKAL";

// A picture sheet's document.
class PictureDoc : public CDocument {
  DECLARE_DYNCREATE(PictureDoc)
};
IMPLEMENT_DYNCREATE(PictureDoc, CDocument)
}  // namespace

std::string Utf8(const CString& text) { return base::cp1250::to_utf8(text.str()); }

IMPLEMENT_DYNCREATE(TestSheetView, CView)
int32_t TestSheetView::next_topic = -1;

TestSheetView::TestSheetView() : topic(next_topic) {}

void TestSheetView::CopyHistoryFrom(CView* other) {
  // The history goes with the view: a view that took one over hands that one on.
  if (auto* view = dynamic_cast<TestSheetView*>(other)) history_from = view->history_from >= 0 ? view->history_from : view->topic;
}

void FrameTest::SetUp() {
  GuiTest::SetUp();
  resources::register_program_resources();
  controls::register_standard_controls();
  folder_ = base::temp_folder() + "/shell_frame_test_" + std::to_string(::getpid());
  std::filesystem::remove_all(folder_);
  std::filesystem::create_directories(folder_ + "/data");
  base::Profile::set_app_path(folder_ + "/LumoKAL.ini");
  base::RegistryStore::set_user_path(folder_ + "/registry.dat");
  base::set_data_folder(folder_ + "/data");
  SECSetUserDataFolder(folder_ + "/data");
  SECKeyBindingTable::ForgetDefaultTable();
  framework::set_prompter(&prompts_);
  app_ = std::make_unique<CLumoApp>();
}

void FrameTest::TearDown() {
  if (CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork()) work->SetModifiedFlag(FALSE);
  if (app_->m_pMainWnd && app_->m_pMainWnd->m_hWnd) app_->m_pMainWnd->DestroyWindow();
  pump();
  MSG msg;
  while (::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  CLumoKALDoc::SetCurrentWork(nullptr);
  app_.reset();
  framework::set_prompter(nullptr);
  base::set_data_folder("");
  SECSetUserDataFolder("");
  GuiTest::TearDown();
  std::filesystem::remove_all(folder_);
}

CMainFrame* FrameTest::MakeFrame() {
  auto* frame = new CMainFrame;
  if (!frame->LoadFrame(resources::IDR_MAINFRAME, WS_OVERLAPPEDWINDOW)) {
    app_->m_pMainWnd = nullptr;
    return nullptr;
  }
  app_->m_pMainWnd = frame;
  frame->ShowWindow(SW_SHOW);
  pump();
  return frame;
}

void FrameTest::CloseFrame(CMainFrame* frame) {
  frame->SendMessage(WM_CLOSE);
  pump();
  MSG msg;
  while (::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  if (app_->m_pMainWnd == frame) app_->m_pMainWnd = nullptr;
}

std::string FrameTest::StoredValue(const char* name) {
  SECRegistry registry;
  CString text;
  if (!registry.Connect(HKEY_LOCAL_MACHINE) || !registry.Open(kProgramKey, KEY_READ) ||
      !registry.QueryStringValue(name, text)) {
    return {};
  }
  return text.str();
}

void FrameTest::StoreValue(const char* name, const std::string& value) {
  SECRegistry registry;
  ASSERT_TRUE(registry.Connect(HKEY_LOCAL_MACHINE));
  ASSERT_TRUE(registry.Create(kProgramKey));
  registry.SetStringValue(name, CString(value));
}

CLumoKALDoc* FrameTest::NewWork() {
  text_template_ = new CMultiDocTemplate(resources::IDS_WORK_DOCUMENT, RUNTIME_CLASS(CLumoKALDoc),
                                         RUNTIME_CLASS(CChildKALFrame), RUNTIME_CLASS(TestSheetView));
  app_->AddDocTemplate(text_template_);
  auto* work = dynamic_cast<CLumoKALDoc*>(text_template_->CreateNewDocument());
  if (!work) return nullptr;
  // Without a library: the work's own start would look for one.
  CLumoKALDoc::SetCurrentWork(work);
  return work;
}

CMDIChildWnd* FrameTest::OpenTextSheet(CLumoKALDoc* work, int32_t topic) {
  TestSheetView::next_topic = topic;
  CFrameWnd* frame = text_template_->CreateNewFrame(work, nullptr);
  if (!frame) return nullptr;
  text_template_->InitialUpdateFrame(frame, work, TRUE);
  pump();
  return dynamic_cast<CMDIChildWnd*>(frame);
}

CChildBMPFrame* FrameTest::OpenPictureSheet() {
  if (!picture_template_) {
    picture_template_ = new CMultiDocTemplate(resources::IDS_PICTURE_DOCUMENT, RUNTIME_CLASS(PictureDoc),
                                              RUNTIME_CLASS(CChildBMPFrame), RUNTIME_CLASS(TestSheetView));
    app_->AddDocTemplate(picture_template_);
  }
  TestSheetView::next_topic = -1;
  CDocument* doc = picture_template_->CreateNewDocument();
  CFrameWnd* frame = picture_template_->CreateNewFrame(doc, nullptr);
  if (!frame) return nullptr;
  picture_template_->InitialUpdateFrame(frame, doc, TRUE);
  pump();
  return dynamic_cast<CChildBMPFrame*>(frame);
}

int32_t FrameTest::LastHistorySource(CMDIChildWnd* frame) {
  auto* view = dynamic_cast<TestSheetView*>(frame->GetActiveView());
  return view ? view->history_from : -1;
}

}  // namespace lumo::test
