// The fixture of the framework tests: an application object with an MDI main frame, a document
// template whose documents hold one line of text, resources registered once, and a prompter
// that answers every question from a script and records what was asked.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/framework/app.h"
#include "platform/framework/control_bar.h"
#include "platform/framework/doc_template.h"
#include "platform/framework/document.h"
#include "platform/framework/mdi.h"
#include "platform/framework/prompter.h"
#include "platform/framework/view.h"
#include "tests/support/gui_fixture.h"

namespace lumo::test {

// Resource and command ids of the tests.
constexpr UINT IDR_TEST_MAIN = 9100;
constexpr UINT IDR_TEST_DOC = 9101;
constexpr UINT IDD_TEST_VALUE = 9200;
constexpr UINT IDD_TEST_PAGE1 = 9201;
constexpr UINT IDD_TEST_PAGE2 = 9202;
constexpr UINT ID_TEST_ACTION = 33001;
constexpr UINT ID_TEST_DISABLED = 33002;
constexpr UINT ID_TEST_NOHANDLER = 33003;
constexpr UINT ID_TEST_FRAME = 33004;
constexpr int IDC_TEST_LABEL = 1000;
constexpr int IDC_TEST_VALUE = 1001;
constexpr int IDC_TEST_NAME = 1002;
constexpr int IDC_TEST_BOLD = 1003;
constexpr int IDC_TEST_PAGE_NUMBER = 1101;
constexpr int IDC_TEST_PAGE_CHECK = 1201;

void register_test_resources();

// Answers questions from queues; with empty queues it cancels.
class ScriptedPrompter : public framework::Prompter {
 public:
  struct Asked {
    std::string text_utf8;
    UINT type;
  };
  std::vector<Asked> asked;
  std::deque<int> answers;
  std::deque<std::string> files;    // CP1250 paths to choose
  std::string print_file;           // PDF path the printer question answers with
  // Runs when a message box comes up (inside whatever loop is running), before it is answered.
  std::function<void(const std::string& text_utf8)> on_message;

  int message_box(HWND owner, const CString& text, const CString& caption, UINT type) override;
  bool choose_files(HWND owner, const framework::FileQuestion& q, std::vector<CString>& chosen) override;
  bool choose_folder(HWND, const CString&, CString&) override { return false; }
  bool choose_colour(HWND, COLORREF&) override { return false; }
  bool choose_printer(HWND owner, CString& printer, CString& to_file, int& copies) override;
};

// A document of one line of text.
class TestDoc : public CDocument {
  DECLARE_DYNCREATE(TestDoc)

 public:
  CString m_text;
  void Serialize(CArchive& ar) override;
  void DeleteContents() override { m_text.Empty(); }
};

// A view that counts the commands it handles and prints "Strona n" on each of two pages.
class TestView : public CView {
  DECLARE_DYNCREATE(TestView)

 public:
  static int actions;          // ID_TEST_ACTION handled
  static int disabled_runs;    // ID_TEST_DISABLED handled (never, as its item is disabled)
  void OnDraw(CDC* pDC) override;
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
  TestDoc* doc() const { return static_cast<TestDoc*>(m_pDocument); }

 protected:
  afx_msg void OnAction() { ++actions; }
  afx_msg void OnDisabled() { ++disabled_runs; }
  afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()
};

// A bar of fixed height along one edge that records update-UI of one command.
class TestBar : public CControlBar {
 public:
  int height = 20;
  UINT command = ID_TEST_ACTION;
  int updates = 0;
  BOOL enabled = -1;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  BOOL Create(CWnd* parent, DWORD bar_style, UINT id);
};

class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp("Lumo Test") {}
};

class FrameworkTest : public GuiTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Makes the MDI main frame (visible) and the document template.
  CMDIFrameWnd* make_main_frame();
  std::string temp_path(const std::string& name) const;

  std::unique_ptr<TestApp> app;
  ScriptedPrompter prompter;
  CMultiDocTemplate* doc_template = nullptr;
  std::string folder;
};

std::string utf8(const CString& cp1250);
CString cp(const char* utf8);

}  // namespace lumo::test
