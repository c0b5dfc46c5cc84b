#include "tests/framework/framework_fixture.h"

#include <unistd.h>

#include <filesystem>

#include "platform/base/cp1250.h"
#include "platform/base/profile.h"
#include "platform/base/temp_folder.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/dialog.h"
#include "platform/framework/menu.h"
#include "platform/res/resource_store.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"

namespace lumo::test {

std::string utf8(const CString& s) { return base::cp1250::to_utf8(s.view()); }
CString cp(const char* u) { return CString(base::cp1250::from_utf8(u)); }

void register_test_resources() {
  static bool done = [] {
    static const res::StringResource strings[] = {
        {IDR_TEST_MAIN, "Lumo Test"},
        {IDR_TEST_DOC, "\nDok\nDokument\nDokumenty testowe (*.tdk)\n.tdk\nLumo.Test\nDokument testowy"},
        {ID_TEST_ACTION, "Wykonuje akcję\nAkcja"},
    };
    res::add_strings(strings);
    static const res::MenuItemResource menu[] = {
        {0, 0, res::MF_POPUP, "&Plik"},
        {1, ID_FILE_NEW, 0, "&Nowy\tCtrl+N"},
        {1, ID_FILE_OPEN, 0, "&Otwórz..."},
        {1, ID_FILE_SAVE, 0, "&Zapisz"},
        {1, 0, res::MF_SEPARATOR, nullptr},
        {1, ID_FILE_MRU_FILE1, res::MF_GRAYED, "Ostatni plik"},
        {1, 0, res::MF_SEPARATOR, nullptr},
        {1, ID_FILE_CLOSE, 0, "Zam&knij"},
        {0, 0, res::MF_POPUP, "&Edycja"},
        {1, ID_TEST_ACTION, 0, "&Akcja\tCtrl+K"},
        {1, ID_TEST_DISABLED, 0, "&Wyłączone\tCtrl+D"},
        {1, ID_TEST_NOHANDLER, 0, "&Bez obsługi"},
        {0, 0, res::MF_POPUP, "&Okno"},
        {1, ID_WINDOW_CASCADE, 0, "&Kaskadowo"},
        {0, 0, res::MF_POPUP, "Pomo&c"},
        {1, ID_APP_ABOUT, 0, "&O programie"},
    };
    res::add_menu(IDR_TEST_MAIN, menu);
    static const res::AcceleratorResource accelerators[] = {
        {res::FVIRTKEY | res::FCONTROL, 'K', WORD(ID_TEST_ACTION)},
        {res::FVIRTKEY | res::FCONTROL, 'D', WORD(ID_TEST_DISABLED)},
    };
    res::add_accelerators(IDR_TEST_MAIN, accelerators);

    static const res::DialogControlResource value_controls[] = {
        {UINT(IDC_TEST_LABEL), "Static", "&Wartość:", {7, 7, 50, 17}, WS_VISIBLE, 0},
        {UINT(IDC_TEST_VALUE), "Edit", "", {55, 7, 120, 19}, WS_VISIBLE | WS_TABSTOP | WS_GROUP, 0},
        {UINT(IDC_TEST_NAME), "Edit", "", {55, 24, 120, 36}, WS_VISIBLE | WS_TABSTOP | WS_GROUP, 0},
        {UINT(IDC_TEST_BOLD), "Button", "&Pogrubienie", {7, 40, 120, 50}, WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 0},
        {UINT(IDOK), "Button", "OK", {130, 7, 180, 21}, WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0},
        {UINT(IDCANCEL), "Button", "Anuluj", {130, 24, 180, 38}, WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 0},
    };
    res::add_dialog({IDD_TEST_VALUE, "Wartość", {0, 0, 190, 60}, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, nullptr, 8,
                     value_controls});
    static const res::DialogControlResource page1[] = {
        {UINT(IDC_TEST_PAGE_NUMBER), "Edit", "", {7, 7, 80, 19}, WS_VISIBLE | WS_TABSTOP, 0},
    };
    res::add_dialog({IDD_TEST_PAGE1, "Ogólne", {0, 0, 150, 80}, WS_CHILD, 0, nullptr, 8, page1});
    static const res::DialogControlResource page2[] = {
        {UINT(IDC_TEST_PAGE_CHECK), "Button", "&Pokaż", {7, 7, 80, 19}, WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP, 0},
    };
    res::add_dialog({IDD_TEST_PAGE2, "Widok", {0, 0, 150, 80}, WS_CHILD, 0, nullptr, 8, page2});
    return true;
  }();
  (void)done;
}

// --- Prompter ---------------------------------------------------------------------------------------

int ScriptedPrompter::message_box(HWND, const CString& text, const CString&, UINT type) {
  asked.push_back({utf8(text), type});
  if (on_message) on_message(utf8(text));
  if (answers.empty()) return IDCANCEL;
  int a = answers.front();
  answers.pop_front();
  return a;
}

bool ScriptedPrompter::choose_files(HWND, const framework::FileQuestion&, std::vector<CString>& chosen) {
  if (files.empty()) return false;
  chosen = {CString(files.front())};
  files.pop_front();
  return true;
}

bool ScriptedPrompter::choose_printer(HWND, CString&, CString& to_file, int& copies) {
  if (print_file.empty()) return false;
  to_file = CString(print_file);
  copies = 1;
  return true;
}

// --- Document and view ------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(TestDoc, CDocument)

void TestDoc::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_text;
  } else {
    ar >> m_text;
  }
}

IMPLEMENT_DYNCREATE(TestView, CView)

BEGIN_MESSAGE_MAP(TestView, CView)
  ON_COMMAND(ID_TEST_ACTION, &TestView::OnAction)
  ON_COMMAND(ID_TEST_DISABLED, &TestView::OnDisabled)
  ON_UPDATE_COMMAND_UI(ID_TEST_DISABLED, &TestView::OnUpdateDisabled)
END_MESSAGE_MAP()

int TestView::actions = 0;
int TestView::disabled_runs = 0;

void TestView::OnDraw(CDC* pDC) {
  if (doc()) pDC->TextOut(10, 10, doc()->m_text);
}

void TestView::OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

BOOL TestView::OnPreparePrinting(CPrintInfo* pInfo) {
  pInfo->SetMaxPage(2);
  return DoPreparePrinting(pInfo);
}

void TestView::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
  CFont font;
  font.CreatePointFont(240, "Arial", pDC);
  CFont* old = pDC->SelectObject(&font);
  CString text;
  text.Format("Strona %u", pInfo->m_nCurPage);
  pDC->TextOut(pInfo->m_rectDraw.left + 200, pInfo->m_rectDraw.top + 200, text);
  pDC->SelectObject(old);
}

// --- Bar --------------------------------------------------------------------------------------------

BOOL TestBar::Create(CWnd* parent, DWORD bar_style, UINT id) {
  m_dwStyle = bar_style;
  return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), parent, id);
}

void TestBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  CTestCmdUI state;
  state.m_nID = command;
  state.DoUpdate(pTarget, bDisableIfNoHndler);
  ++updates;
  enabled = state.m_bEnabled;
}

CSize TestBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
  if (bHorz) {
    size.cy = height;
  } else {
    size.cx = height;
  }
  return size;
}

// --- Fixture ----------------------------------------------------------------------------------------

void FrameworkTest::SetUp() {
  GuiTest::SetUp();
  controls::register_standard_controls();
  register_test_resources();
  folder = base::temp_folder() + "/framework_test_" + std::to_string(::getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  base::Profile::set_app_path(folder + "/profile.ini");
  framework::set_prompter(&prompter);
  framework::set_menu_chooser(nullptr);
  TestView::actions = 0;
  TestView::disabled_runs = 0;
  app = std::make_unique<TestApp>();
}

void FrameworkTest::TearDown() {
  if (app && app->m_pMainWnd && app->m_pMainWnd->m_hWnd) app->m_pMainWnd->DestroyWindow();
  pump();
  app.reset();
  framework::set_prompter(nullptr);
  framework::set_menu_chooser(nullptr);
  GuiTest::TearDown();
  std::filesystem::remove_all(folder);
}

std::string FrameworkTest::temp_path(const std::string& name) const { return folder + "/" + name; }

CMDIFrameWnd* FrameworkTest::make_main_frame() {
  // The frame owns itself (it ends when its window goes).
  auto* frame = std::make_unique<CMDIFrameWnd>().release();
  EXPECT_TRUE(frame->LoadFrame(IDR_TEST_MAIN));
  frame->MoveWindow(0, 0, 800, 600);
  frame->ShowWindow(SW_SHOW);
  app->m_pMainWnd = frame;
  app->LoadStdProfileSettings(8);
  auto owned = std::make_unique<CMultiDocTemplate>(IDR_TEST_DOC, RUNTIME_CLASS(TestDoc),
                                                   RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(TestView));
  doc_template = owned.get();
  app->AddDocTemplate(owned.release());
  pump();
  return frame;
}

}  // namespace lumo::test
