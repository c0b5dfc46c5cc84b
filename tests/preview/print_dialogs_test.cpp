// The printer and page set-up dialogs: answered through the prompter, or run as one of our
// dialogs from a template; the application keeps the printer chosen.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/framework/control_messages.h"
#include "platform/framework/print_dialogs.h"
#include "platform/framework/print_info.h"
#include "tests/framework/framework_fixture.h"

namespace lumo::test {
namespace {

constexpr UINT IDD_TEST_PRINT = 9300;
constexpr UINT IDD_TEST_PAGE_SETUP = 9301;

// Answers the printer and page set-up dialogs as a user would.
class DialogPrompter : public ScriptedPrompter {
 public:
  int print_answer = IDCANCEL;
  CString printer;
  WORD from = 0, to = 0, copies = 1;
  bool to_file = false;
  CString output = "/tmp/wydruk.pdf";  // the file the dialog names when printing to a file
  RECT margins{};
  PRINTDLG seen{};
  bool owner_enabled_while_asked = true;

  int print_dialog(HWND owner, PRINTDLG& pd) override {
    seen = pd;
    owner_enabled_while_asked = IsWindowEnabled(owner) != FALSE;
    if (print_answer != IDOK) return print_answer;
    auto names = std::make_shared<DEVNAMES>(*pd.hDevNames);
    names->device = printer;
    names->output = to_file ? output : CString();
    pd.hDevNames = names;
    pd.Flags = (pd.Flags & ~(PD_PAGENUMS | PD_PRINTTOFILE)) | (from ? PD_PAGENUMS : 0) | (to_file ? PD_PRINTTOFILE : 0);
    pd.nFromPage = from;
    pd.nToPage = to;
    pd.nCopies = copies;
    return IDOK;
  }
  int page_setup_dialog(HWND, PAGESETUPDLG& psd) override {
    if (print_answer != IDOK) return print_answer;
    auto mode = std::make_shared<DEVMODE>(*psd.hDevMode);
    mode->dmOrientation = DMORIENT_LANDSCAPE;
    psd.hDevMode = mode;
    psd.rtMargin = margins;
    return IDOK;
  }
};

void register_dialog_templates() {
  static bool done = [] {
    static const res::DialogControlResource print_controls[] = {
        {UINT(rad1), "Button", "&Wszystko", {7, 7, 80, 17}, WS_VISIBLE | BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0},
        {UINT(rad2), "Button", "&Zaznaczenie", {7, 20, 80, 30}, WS_VISIBLE | BS_AUTORADIOBUTTON, 0},
        {UINT(rad3), "Button", "&Strony", {7, 33, 80, 43}, WS_VISIBLE | BS_AUTORADIOBUTTON, 0},
        {UINT(edt1), "Edit", "", {85, 33, 110, 45}, WS_VISIBLE | WS_TABSTOP | WS_GROUP, 0},
        {UINT(edt2), "Edit", "", {115, 33, 140, 45}, WS_VISIBLE | WS_TABSTOP, 0},
        {UINT(edt3), "Edit", "", {85, 50, 110, 62}, WS_VISIBLE | WS_TABSTOP, 0},
        {UINT(chx1), "Button", "Do &pliku", {7, 50, 80, 60}, WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP, 0},
        {UINT(IDOK), "Button", "OK", {150, 7, 200, 21}, WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0},
        {UINT(IDCANCEL), "Button", "Anuluj", {150, 24, 200, 38}, WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 0},
    };
    res::add_dialog({IDD_TEST_PRINT, "Drukuj", {0, 0, 210, 70}, WS_POPUP | WS_CAPTION, 0, nullptr, 8, print_controls});
    static const res::DialogControlResource setup_controls[] = {
        {UINT(edt4), "Edit", "", {7, 7, 40, 19}, WS_VISIBLE | WS_TABSTOP, 0},
        {UINT(edt5), "Edit", "", {7, 22, 40, 34}, WS_VISIBLE | WS_TABSTOP, 0},
        {UINT(edt6), "Edit", "", {7, 37, 40, 49}, WS_VISIBLE | WS_TABSTOP, 0},
        {UINT(edt7), "Edit", "", {7, 52, 40, 64}, WS_VISIBLE | WS_TABSTOP, 0},
        {UINT(IDOK), "Button", "OK", {150, 7, 200, 21}, WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0},
        {UINT(IDCANCEL), "Button", "Anuluj", {150, 24, 200, 38}, WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 0},
    };
    res::add_dialog({IDD_TEST_PAGE_SETUP, "Ustawienia strony", {0, 0, 210, 70}, WS_POPUP | WS_CAPTION, 0, nullptr, 8,
                     setup_controls});
    return true;
  }();
  (void)done;
}

class PrintDialogsTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    framework::set_prompter(&dialogs);
    register_dialog_templates();
    main = make_main_frame();
  }
  DialogPrompter dialogs;
  CMDIFrameWnd* main = nullptr;
};

TEST_F(PrintDialogsTest, PrintDialogAnswersLandInItsStructure) {
  dialogs.print_answer = IDOK;
  dialogs.printer = "Drukarka 2";
  dialogs.from = 12;  // past the last page
  dialogs.to = 2;    // backwards: stays so, print loops run it downwards
  dialogs.copies = 0;
  CPrintDialog dialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES);
  dialog.m_pd.nMinPage = 1;
  dialog.m_pd.nMaxPage = 9;
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_FALSE(dialogs.owner_enabled_while_asked);
  EXPECT_TRUE(main->IsWindowEnabled());
  EXPECT_EQ(dialogs.seen.hwndOwner, main->m_hWnd);
  EXPECT_TRUE(dialog.PrintRange());
  EXPECT_EQ(dialog.GetFromPage(), 9);
  EXPECT_EQ(dialog.GetToPage(), 2);
  EXPECT_EQ(dialog.m_pd.nCopies, 1);
  EXPECT_EQ(dialog.GetDeviceName(), CString("Drukarka 2"));
  ASSERT_NE(dialog.GetDevMode(), nullptr);
  EXPECT_EQ(dialog.GetDevMode()->dmPaperSize, DMPAPER_A4);
}

TEST_F(PrintDialogsTest, TheApplicationKeepsThePrinterChosen) {
  dialogs.print_answer = IDOK;
  dialogs.printer = "Drukarka 2";
  app->OnFilePrintSetup();
  ASSERT_TRUE(app->m_hDevNames);
  EXPECT_EQ(app->m_hDevNames->device, CString("Drukarka 2"));
  // The next dialog starts from it.
  dialogs.print_answer = IDCANCEL;
  CPrintDialog next(FALSE);
  EXPECT_EQ(app->DoPrintDialog(&next), IDCANCEL);
  EXPECT_EQ(dialogs.seen.hDevNames->device, CString("Drukarka 2"));
  EXPECT_EQ(app->m_hDevNames->device, CString("Drukarka 2"));
  // A file chosen for one print does not become where later prints go.
  dialogs.print_answer = IDOK;
  dialogs.printer = "Drukarka 3";
  dialogs.to_file = true;
  CPrintDialog to_file(FALSE);
  ASSERT_EQ(app->DoPrintDialog(&to_file), IDOK);
  EXPECT_EQ(to_file.GetOutputFile(), CString("/tmp/wydruk.pdf"));
  EXPECT_EQ(app->m_hDevNames->device, CString("Drukarka 3"));
  EXPECT_TRUE(app->m_hDevNames->output.IsEmpty());
}

TEST_F(PrintDialogsTest, CancelledDialogLeavesTheSelectionAlone) {
  app->UpdatePrinterSelection(FALSE);
  auto before = app->m_hDevNames;
  dialogs.print_answer = IDCANCEL;
  CPrintDialog dialog(FALSE);
  EXPECT_EQ(app->DoPrintDialog(&dialog), IDCANCEL);
  EXPECT_EQ(app->m_hDevNames, before);
}

TEST_F(PrintDialogsTest, PageSetupMarginsAndPaperInTheUnitsAsked) {
  struct Case {
    const char* name;
    DWORD units;
    RECT margins;
    POINT paper;  // A4 landscape
  };
  const Case cases[] = {
      {"hundredths of a millimetre", PSD_INHUNDREDTHSOFMILLIMETERS, {2000, 1800, 1500, 1800}, {29700, 21000}},
      {"thousandths of an inch", PSD_INTHOUSANDTHSOFINCHES, {787, 709, 591, 709}, {11693, 8268}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.print_answer = IDOK;
    dialogs.margins = c.margins;
    CPageSetupDialog dialog(PSD_MARGINS | c.units);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    RECT margins{};
    dialog.GetMargins(&margins, nullptr);
    EXPECT_EQ(margins.left, c.margins.left);
    EXPECT_EQ(margins.bottom, c.margins.bottom);
    EXPECT_EQ(dialog.GetPaperSize(), CSize(c.paper.x, c.paper.y));
  }
}

// A print dialog with a template of the program: the standard fields are filled from the
// structure and read back on OK.
class TemplatePrintDialog : public CPrintDialog {
 public:
  TemplatePrintDialog() : CPrintDialog(FALSE, PD_ALLPAGES | PD_ENABLEPRINTTEMPLATE) {
    m_pd.lpPrintTemplateName = MAKEINTRESOURCE(int(IDD_TEST_PRINT));
  }
  CString copies_shown;
  BOOL OnInitDialog() override {
    CPrintDialog::OnInitDialog();
    copies_shown = GetDlgItemText(edt3);
    // The user picks pages 2 to 3, two copies, and presses OK.
    CheckRadioButton(rad1, rad3, rad3);
    SetDlgItemText(edt1, "2");
    SetDlgItemText(edt2, "3");
    SetDlgItemText(edt3, "2");
    PostMessage(WM_COMMAND, IDOK);
    return TRUE;
  }
};

TEST_F(PrintDialogsTest, TemplatePrintDialogReadsItsStandardFields) {
  TemplatePrintDialog dialog;
  dialog.m_pd.nMinPage = 1;
  dialog.m_pd.nMaxPage = 4;
  dialog.m_pd.nCopies = 3;
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.copies_shown, CString("3"));
  EXPECT_TRUE(dialog.PrintRange());
  EXPECT_EQ(dialog.GetFromPage(), 2);
  EXPECT_EQ(dialog.GetToPage(), 3);
  EXPECT_EQ(dialog.m_pd.nCopies, 2);
  EXPECT_TRUE(main->IsWindowEnabled());
}

class TemplatePageSetupDialog : public CPageSetupDialog {
 public:
  TemplatePageSetupDialog() : CPageSetupDialog(PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS | PSD_ENABLEPAGESETUPTEMPLATE) {
    m_psd.lpPageSetupTemplateName = MAKEINTRESOURCE(int(IDD_TEST_PAGE_SETUP));
  }
  CString left_shown;
  BOOL OnInitDialog() override {
    CPageSetupDialog::OnInitDialog();
    left_shown = GetDlgItemText(edt4);
    SetDlgItemText(edt5, "25");    // top: 25 mm
    SetDlgItemText(edt7, "2,5x");  // bottom: not a number, stays
    PostMessage(WM_COMMAND, IDOK);
    return TRUE;
  }
};

TEST_F(PrintDialogsTest, TemplatePageSetupShowsAndReadsMillimetres) {
  TemplatePageSetupDialog dialog;
  dialog.m_psd.rtMargin = RECT{2000, 1800, 1500, 1800};
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.left_shown, CString("20"));
  RECT margins{};
  dialog.GetMargins(&margins, nullptr);
  EXPECT_EQ(margins.left, 2000);
  EXPECT_EQ(margins.top, 2500);
  EXPECT_EQ(margins.bottom, 1800);
}

// Printing to a file without a file named asks where it goes; cancelling prints nothing.
TEST_F(PrintDialogsTest, PrintToFileWithoutAFileAsksForOne) {
  main->SendMessage(WM_COMMAND, ID_FILE_NEW);
  dialogs.print_answer = IDOK;
  dialogs.to_file = true;
  dialogs.output = CString();
  std::string pdf = temp_path("do_pliku.pdf");
  dialogs.files.push_back(pdf);
  main->SendMessage(WM_COMMAND, ID_FILE_PRINT);
  EXPECT_TRUE(std::filesystem::exists(pdf));
  EXPECT_TRUE(dialogs.asked.empty());
  std::filesystem::remove(pdf);
  main->SendMessage(WM_COMMAND, ID_FILE_PRINT);  // no file chosen this time
  EXPECT_FALSE(std::filesystem::exists(pdf));
  EXPECT_TRUE(dialogs.asked.empty());
  // The printer selection does not keep the file.
  EXPECT_TRUE(app->m_hDevNames->output.IsEmpty());
}

// A view printed over a backward range still prints those pages.
TEST_F(PrintDialogsTest, ViewPrintsABackwardRange) {
  if (std::system("command -v pdfinfo > /dev/null 2>&1") != 0) GTEST_SKIP() << "pdfinfo is not installed";
  main->SendMessage(WM_COMMAND, ID_FILE_NEW);
  std::string pdf = temp_path("wstecz.pdf");
  dialogs.print_answer = IDOK;
  dialogs.to_file = true;
  dialogs.output = CString(pdf);
  dialogs.from = 2;
  dialogs.to = 1;
  main->SendMessage(WM_COMMAND, ID_FILE_PRINT);
  ASSERT_TRUE(std::filesystem::exists(pdf));
  std::string pages;
  if (FILE* p = popen(("pdfinfo '" + pdf + "' | grep Pages").c_str(), "r")) {
    char buffer[256];
    while (size_t n = fread(buffer, 1, sizeof buffer, p)) pages.append(buffer, n);
    pclose(p);
  }
  EXPECT_NE(pages.find('2'), std::string::npos) << pages;
}

TEST_F(PrintDialogsTest, PrintInfoStartsWithAnOpenRange) {
  CPrintInfo info;
  EXPECT_EQ(info.GetMinPage(), 1u);
  EXPECT_EQ(info.GetMaxPage(), 0xFFFFu);
  info.SetMaxPage(2);
  EXPECT_EQ(info.m_pPD->m_pd.nMaxPage, 2);
}

}  // namespace
}  // namespace lumo::test
