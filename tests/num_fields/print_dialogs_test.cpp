// The printer and page set-up dialogs with margin fields: what they show of the stored margins,
// what they store back, the messages of a bad margin (answered through the prompter), the spin
// arrows, the print range choice, their context help, printing into a PDF file through the
// dialog's printer, and pictures of both.
#include "controls/gs_print_dialogs.h"

#include <cstdio>
#include <filesystem>
#include <functional>

#include "platform/base/cp1250.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/print_job.h"
#include "platform/gdi/core/afx_gdi.h"
#include "platform/shell/services.h"
#include "platform/win/context_help.h"
#include "resources/controls_ids.h"
#include "resources/program_resources.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/polish_locale.h"
#include "tests/support/surface_png.h"

namespace lumo::test {
namespace {

using namespace resources;

// Runs `script` from inside the dialog's modal loop once it is shown.
template <class Dialog>
class Scripted : public Dialog {
 public:
  using Dialog::Dialog;
  std::function<void(Scripted&)> script;

 protected:
  BOOL OnInitDialog() override {
    BOOL result = Dialog::OnInitDialog();
    if (script) this->PostMessage(WM_APP);
    return result;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_APP) return Dialog::WindowProc(message, wParam, lParam);
    script(*this);
    return 0;
  }
};

class RecordingHelp : public shell::HelpService {
 public:
  std::vector<shell::HelpRequest> requests;
  bool show(const shell::HelpRequest& request) override {
    requests.push_back(request);
    return true;
  }
};

class PrintDialogsTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    static const bool registered = [] {
      register_controls_resources();
      return true;
    }();
    (void)registered;
    frame = make_main_frame();
    shell::set_help_service(&help);
  }
  void TearDown() override {
    shell::set_help_service(nullptr);
    use_c_numbers();
    FrameworkTest::TearDown();
  }
  static std::string text_of(CWnd& dialog, int id) { return utf8(CString(GetWindowTextString(dialog.GetDlgItem(id)->m_hWnd))); }
  static void set_text(CWnd& dialog, int id, const char* text) { dialog.GetDlgItem(id)->SetWindowText(text); }
  static bool enabled(CWnd& dialog, int id) { return dialog.GetDlgItem(id)->IsWindowEnabled() != FALSE; }
  static bool checked(CWnd& dialog, int id) { return ::IsDlgButtonChecked(dialog.m_hWnd, id) == BST_CHECKED; }
  // Presses OK; true when the dialog closed.
  template <class D>
  static bool press_ok(D& dialog) {
    dialog.SendMessage(WM_COMMAND, IDOK);
    return !dialog.ContinueModal();
  }
  std::vector<std::string> messages() const {
    std::vector<std::string> out;
    for (const auto& a : prompter.asked) out.push_back(a.text_utf8);
    return out;
  }
  // The folder pictures are written to: $LUMO_PICTURES when set, else the test's own folder.
  std::string picture_path(const std::string& name) const {
    const char* folder = std::getenv("LUMO_PICTURES");
    return (folder ? std::string(folder) : this->folder) + "/" + name;
  }

  CMDIFrameWnd* frame = nullptr;
  RecordingHelp help;
};

// --- Page set-up --------------------------------------------------------------------------------

TEST_F(PrintDialogsTest, PageSetupShowsStoredMarginsInTheFieldsOwnForm) {
  if (!use_polish_numbers()) GTEST_SKIP() << "no Polish locale on this system";
  Scripted<CGSPageSetupDialog> dialog(PSD_MARGINS, frame);
  dialog.m_nLeftMargin = 25;
  dialog.m_nRightMargin = 15;
  dialog.m_nTopMargin = 0;  // not set: 2 cm
  dialog.m_nBottomMargin = 20;
  dialog.m_nNotesMargin = 0;  // not set: 2 cm, which the notes range allows
  dialog.m_bNotes = 0;
  dialog.script = [&](CGSPageSetupDialog& d) {
    EXPECT_EQ(text_of(d, IDC_MARGIN_LEFT), "2.5 cm");
    EXPECT_EQ(text_of(d, IDC_MARGIN_RIGHT), "1.5 cm");
    EXPECT_EQ(text_of(d, IDC_MARGIN_TOP), "2 cm");
    EXPECT_EQ(text_of(d, IDC_NOTES_MARGIN), "2 cm");
    for (CNumEdit* field : {&d.m_editLeft, &d.m_editRight, &d.m_editTop, &d.m_editBottom, &d.m_editNotes}) {
      EXPECT_EQ(field->IsValid(), 0) << "the numeric field accepts what loading wrote";
    }
    EXPECT_FALSE(enabled(d, IDC_NOTES_MARGIN));
    EXPECT_FALSE(enabled(d, IDC_NOTES_MARGIN_SPIN));
    EXPECT_EQ(text_of(d, edt4), "25");
    EXPECT_EQ(text_of(d, edt5), "20");
    EXPECT_EQ(text_of(d, edt6), "15");
    EXPECT_EQ(text_of(d, edt7), "20");
    EXPECT_FALSE(d.GetDlgItem(edt4)->IsWindowVisible());
    EXPECT_FALSE(d.GetDlgItem(IDC_PAGE_SETUP_HELP)->IsWindowVisible());
    // An emptied field stores 2 cm; centimetres round to the nearest millimetre.
    set_text(d, IDC_MARGIN_LEFT, "");
    set_text(d, IDC_MARGIN_RIGHT, "3.25 cm");
    EXPECT_TRUE(press_ok(d));
  };
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.m_nLeftMargin, 20u);
  EXPECT_EQ(dialog.m_nRightMargin, 33u);
  EXPECT_EQ(dialog.m_nTopMargin, 20u);
  EXPECT_EQ(dialog.m_nNotesMargin, 20u);
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(PrintDialogsTest, BadMarginsKeepTheDialogOpenWithTheirMessage) {
  struct Case {
    int field;
    const char* text;
    const char* message;
    UINT icon;
  };
  const Case cases[] = {
      {IDC_MARGIN_TOP, "7 cm", "Rozmiar marginesów musi mieścić się pomiędzy 0.5cm a 5cm.", MB_ICONEXCLAMATION},
      {IDC_MARGIN_LEFT, "0.4", "Rozmiar marginesów musi mieścić się pomiędzy 0.5cm a 5cm.", MB_ICONEXCLAMATION},
      {IDC_MARGIN_BOTTOM, "2 mm", "Niepoprawny rozmiar marginesów", MB_ICONINFORMATION},
      {IDC_MARGIN_RIGHT, "nan", "Niepoprawny rozmiar marginesów", MB_ICONINFORMATION},
      {IDC_MARGIN_RIGHT, "0x10", "Niepoprawny rozmiar marginesów", MB_ICONINFORMATION},
      {IDC_MARGIN_RIGHT, "2,5 cm", "Niepoprawny rozmiar marginesów", MB_ICONINFORMATION},
      {IDC_NOTES_MARGIN, "1.5 cm", "Dodatkowy margines na notatki musi zawierać się w granicach 2 do 10 cm",
       MB_ICONEXCLAMATION},
  };
  for (const Case& c : cases) {
    prompter.asked.clear();
    Scripted<CGSPageSetupDialog> dialog(PSD_MARGINS, frame);
    dialog.m_bNotes = 1;
    dialog.script = [&](CGSPageSetupDialog& d) {
      set_text(d, c.field, c.text);
      EXPECT_FALSE(press_ok(d)) << c.text;
      EXPECT_EQ(::GetFocus(), d.GetDlgItem(c.field)->m_hWnd) << "the field with the bad margin has the focus";
      d.EndDialog(IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_EQ(prompter.asked.size(), 1u) << c.text;
    EXPECT_EQ(prompter.asked[0].text_utf8, c.message) << c.text;
    EXPECT_EQ(prompter.asked[0].type & MB_ICONMASK, c.icon) << c.text;
  }
}

TEST_F(PrintDialogsTest, TypedMarginsFollowIntoTheStructureAndHiddenFields) {
  Scripted<CGSPageSetupDialog> dialog(PSD_MARGINS, frame);
  dialog.m_nBottomMargin = 20;
  dialog.m_nNotesMargin = 30;
  dialog.m_bNotes = 1;
  dialog.script = [&](CGSPageSetupDialog& d) {
    EXPECT_EQ(text_of(d, edt7), "50") << "bottom 2 cm and notes 3 cm";
    EXPECT_TRUE(enabled(d, IDC_NOTES_MARGIN));
    set_text(d, IDC_MARGIN_BOTTOM, "2.3 cm");
    EXPECT_EQ(d.m_nBottomMargin, 23u) << "rounded, not cut to 22";
    EXPECT_EQ(d.m_psd.rtMargin.bottom, 2300);
    EXPECT_EQ(text_of(d, edt7), "53");
    set_text(d, IDC_MARGIN_LEFT, "1.7 cm");
    EXPECT_EQ(d.m_psd.rtMargin.left, 1700);
    EXPECT_EQ(text_of(d, edt4), "17");
    d.GetDlgItem(IDC_NOTES_SWITCH)->SendMessage(BM_CLICK);
    EXPECT_FALSE(checked(d, IDC_NOTES_SWITCH));
    EXPECT_FALSE(enabled(d, IDC_NOTES_MARGIN));
    EXPECT_FALSE(enabled(d, IDC_NOTES_MARGIN_SPIN));
    EXPECT_EQ(text_of(d, edt7), "23");
    EXPECT_TRUE(press_ok(d));
  };
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.m_bNotes, 0);
  EXPECT_EQ(dialog.m_nBottomMargin, 23u);
  RECT margins{};
  dialog.GetMargins(&margins, nullptr);
  EXPECT_EQ(margins.left, 1700);
  EXPECT_EQ(margins.bottom, 2300);
}

TEST_F(PrintDialogsTest, PageSetupTakesPaperOrientationAndPrinter) {
  Scripted<CGSPageSetupDialog> dialog(PSD_MARGINS, frame);
  bool asked_printer = false;
  dialog.script = [&](CGSPageSetupDialog& d) {
    CWnd* papers = d.GetDlgItem(cmb2);
    EXPECT_EQ(papers->SendMessage(CB_GETCURSEL), 0) << "A4 from the printer's device mode";
    EXPECT_TRUE(checked(d, rad1));
    papers->SendMessage(CB_SETCURSEL, 1);  // A5
    d.GetDlgItem(rad2)->SendMessage(BM_CLICK);
    EXPECT_FALSE(checked(d, rad1));
    prompter.print_file.clear();  // the printer question is cancelled
    d.GetDlgItem(IDC_PAGE_SETUP_PRINTER)->SendMessage(BM_CLICK);
    asked_printer = true;
    EXPECT_TRUE(press_ok(d));
  };
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(asked_printer);
  ASSERT_NE(dialog.GetDevMode(), nullptr);
  EXPECT_EQ(dialog.GetDevMode()->dmPaperSize, DMPAPER_A5);
  EXPECT_EQ(dialog.GetDevMode()->dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(dialog.GetPaperSize(), CSize(21000, 14800)) << "landscape A5 in hundredths of a millimetre";
}

TEST_F(PrintDialogsTest, UpArrowRaisesMarginsInBothDialogs) {
  Scripted<CGSPageSetupDialog> setup(PSD_MARGINS, frame);
  setup.m_nTopMargin = 25;
  setup.script = [&](CGSPageSetupDialog& d) {
    controls::spin_step(d.m_spinTop.m_hWnd, 1);
    EXPECT_EQ(text_of(d, IDC_MARGIN_TOP), "2.51 cm");
    controls::spin_step(d.m_spinTop.m_hWnd, -1);
    controls::spin_step(d.m_spinTop.m_hWnd, -1);
    EXPECT_EQ(text_of(d, IDC_MARGIN_TOP), "2.49 cm");
    d.EndDialog(IDCANCEL);
  };
  setup.DoModal();
  Scripted<CGSPrintDialog> print(FALSE, PD_ALLPAGES | PD_NOPAGENUMS, frame);
  print.m_nNotesMargin = 30;
  print.m_bNotes = 1;
  print.script = [&](CGSPrintDialog& d) {
    controls::spin_step(d.m_spinNotes.m_hWnd, 1);
    EXPECT_EQ(text_of(d, IDC_PRINT_NOTES_MARGIN), "3.01 cm");
    d.EndDialog(IDCANCEL);
  };
  EXPECT_EQ(print.DoModal(), IDCANCEL);
}

// --- Print --------------------------------------------------------------------------------------

TEST_F(PrintDialogsTest, PrintRangeFollowsTheTextPaneSelection) {
  for (bool selection : {false, true}) {
    Scripted<CGSPrintDialog> dialog(FALSE, PD_ALLPAGES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE, frame);
    dialog.m_bTextPane = TRUE;
    dialog.m_bPaneSelection = selection;
    dialog.m_nNotesMargin = 0;
    dialog.script = [&](CGSPrintDialog& d) {
      EXPECT_EQ(checked(d, IDC_PRINT_SELECTION), selection);
      EXPECT_EQ(checked(d, IDC_PRINT_CURRENT_PAGE), !selection);
      EXPECT_EQ(enabled(d, IDC_PRINT_SELECTION), selection);
      EXPECT_FALSE(d.GetDlgItem(IDC_PRINT_WHOLE_ACT)->IsWindowVisible());
      EXPECT_FALSE(enabled(d, chx2)) << "Sortuj";
      EXPECT_FALSE(enabled(d, IDC_PRINT_NOTES_MARGIN));
      EXPECT_EQ(text_of(d, IDC_PRINT_NOTES_MARGIN), "2 cm");
      d.GetDlgItem(IDC_PRINT_NOTES_SWITCH)->SendMessage(BM_CLICK);
      EXPECT_TRUE(enabled(d, IDC_PRINT_NOTES_MARGIN));
      set_text(d, IDC_PRINT_NOTES_MARGIN, "4.35 cm");
      EXPECT_EQ(d.m_nNotesMargin, 44u);
      EXPECT_TRUE(press_ok(d));
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_bSelection, selection ? 1 : 0);
    EXPECT_EQ(dialog.m_bNotes, 1);
    EXPECT_EQ(dialog.m_nNotesMargin, 44u);
  }
}

TEST_F(PrintDialogsTest, NotesMarginOutsideItsLimitsIsRefused) {
  Scripted<CGSPrintDialog> dialog(FALSE, PD_ALLPAGES | PD_NOPAGENUMS, frame);
  dialog.m_bNotes = 1;
  dialog.script = [&](CGSPrintDialog& d) {
    set_text(d, IDC_PRINT_NOTES_MARGIN, "1.5");
    EXPECT_FALSE(press_ok(d));
    set_text(d, IDC_PRINT_NOTES_MARGIN, "12 cm");
    EXPECT_FALSE(press_ok(d));
    d.EndDialog(IDCANCEL);
  };
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  const std::string message = "Dodatkowy margines na notatki musi zawierać się w granicach 2 do 10 cm";
  EXPECT_EQ(messages(), (std::vector<std::string>{message, message}));
}

std::string run(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buffer[512];
    while (size_t n = fread(buffer, 1, sizeof buffer, p)) out.append(buffer, n);
    pclose(p);
  }
  return out;
}

TEST_F(PrintDialogsTest, PrintsIntoAPdfThroughTheDialogsPrinter) {
  if (std::system("command -v pdftotext > /dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext is not installed";
  std::string pdf = temp_path("marginesy.pdf");
  Scripted<CGSPrintDialog> dialog(FALSE, PD_ALLPAGES | PD_NOPAGENUMS, frame);
  dialog.m_bNotes = 1;
  dialog.m_nNotesMargin = 35;
  dialog.script = [&](CGSPrintDialog& d) {
    CWnd* printers = d.GetDlgItem(cmb4);
    EXPECT_GE(printers->SendMessage(CB_GETCOUNT), 1);
    EXPECT_GE(printers->SendMessage(CB_GETCURSEL), 0) << "the current printer is chosen";
    d.GetDlgItem(chx1)->SendMessage(BM_CLICK);  // print to a file
    EXPECT_TRUE(press_ok(d));
  };
  ASSERT_EQ(dialog.DoModal(), IDOK);
  ASSERT_TRUE(dialog.PrintToFile());
  prompter.files = {pdf};
  ASSERT_TRUE(framework::choose_print_file(dialog));
  ASSERT_NE(dialog.CreatePrinterDC(), nullptr);
  framework::PrintJob* job = dialog.GetPrintJob();
  ASSERT_NE(job, nullptr);
  ASSERT_TRUE(job->StartDoc("Marginesy"));
  ASSERT_TRUE(job->StartPage());
  CString line;
  line.Format("%s %u mm", cp("Miejsce na notatki (żółć):").GetString(), dialog.m_nNotesMargin);
  job->dc()->TextOut(200, 200, line, line.GetLength());
  ASSERT_TRUE(job->EndPage());
  ASSERT_TRUE(job->EndDoc());
  ASSERT_TRUE(std::filesystem::exists(pdf));
  EXPECT_NE(run("pdftotext '" + pdf + "' -").find("Miejsce na notatki (żółć): 35 mm"), std::string::npos);
}

// --- Context help -------------------------------------------------------------------------------

TEST_F(PrintDialogsTest, ContextHelpNamesTheControlAndItsTemplateId) {
  app->m_pszHelpFilePath = "lumokal.hlp";
  Scripted<CGSPageSetupDialog> setup(PSD_MARGINS, frame);
  setup.m_bNotes = 1;
  setup.script = [&](CGSPageSetupDialog& d) {
    CWnd* left = d.GetDlgItem(IDC_MARGIN_LEFT);
    CRect r;
    left->GetWindowRect(&r);
    d.SendMessage(WM_CONTEXTMENU, WPARAM(d.m_hWnd), MAKELPARAM(r.CenterPoint().x, r.CenterPoint().y));
    HELPINFO info{sizeof(HELPINFO), HELPINFO_WINDOW, IDC_MARGIN_LEFT, left->m_hWnd, 0xFFFF046E, {0, 0}};
    d.SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    // A hidden field is passed over: the group box under it is asked for.
    CWnd* notes = d.GetDlgItem(IDC_NOTES_MARGIN);
    notes->GetWindowRect(&r);
    notes->ShowWindow(SW_HIDE);
    d.SendMessage(WM_CONTEXTMENU, WPARAM(d.m_hWnd), MAKELPARAM(r.CenterPoint().x, r.CenterPoint().y));
    d.EndDialog(IDCANCEL);
  };
  setup.DoModal();
  ASSERT_EQ(help.requests.size(), 3u);
  EXPECT_EQ(help.requests[0].command, HELP_CONTEXTMENU);
  EXPECT_EQ(help.requests[0].control_id, UINT(IDC_MARGIN_LEFT));
  EXPECT_EQ(help.requests[0].context_id, 0xFFFF046Eu);
  EXPECT_EQ(help.requests[0].help_file.str(), "lumokal.hlp");
  EXPECT_EQ(help.requests[1].command, HELP_WM_HELP);
  EXPECT_EQ(help.requests[1].context_id, 0xFFFF046Eu);
  EXPECT_EQ(help.requests[2].control_id, 1075u) << "the margins group";

  help.requests.clear();
  Scripted<CGSPrintDialog> print(FALSE, PD_ALLPAGES | PD_NOPAGENUMS, frame);
  print.script = [&](CGSPrintDialog& d) {
    // The print dialog considers hidden children too.
    CWnd* notes = d.GetDlgItem(IDC_PRINT_NOTES_MARGIN);
    CRect r;
    notes->GetWindowRect(&r);
    notes->ShowWindow(SW_HIDE);
    d.SendMessage(WM_CONTEXTMENU, WPARAM(d.m_hWnd), MAKELPARAM(r.CenterPoint().x, r.CenterPoint().y));
    d.EndDialog(IDCANCEL);
  };
  print.DoModal();
  ASSERT_EQ(help.requests.size(), 1u);
  EXPECT_EQ(help.requests[0].control_id, UINT(IDC_PRINT_NOTES_MARGIN));
  EXPECT_EQ(help.requests[0].context_id, 0xFFFF0000u | IDC_PRINT_NOTES_MARGIN);
}

// --- Pictures -----------------------------------------------------------------------------------

// Whether the control's surface has a dark pixel (text or arrow) inside `area` (client
// coordinates); smoothed glyph edges are not counted.
bool has_dark(HWND h, const CRect& area) {
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      DWORD c = surface_pixel(h, x, y);
      if (c != 0xFFFFFFFF && (c & 0xFF) < 0x50 && ((c >> 8) & 0xFF) < 0x50 && ((c >> 16) & 0xFF) < 0x50) return true;
    }
  }
  return false;
}

TEST_F(PrintDialogsTest, PicturesOfBothDialogs) {
  Scripted<CGSPageSetupDialog> setup(PSD_MARGINS, frame);
  setup.m_nLeftMargin = 25;
  setup.m_nNotesMargin = 30;
  setup.m_bNotes = 1;
  setup.script = [&](CGSPageSetupDialog& d) {
    EXPECT_TRUE(d.IsWindowVisible());
    d.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
    pump();
    EXPECT_TRUE(save_window_png(d.m_hWnd, picture_path("page_setup_dialog.png"), true));
    // The notes box's label stands on two lines beside the box.
    HWND notes = d.GetDlgItem(IDC_NOTES_SWITCH)->m_hWnd;
    CRect box;
    ::GetClientRect(notes, &box);
    EXPECT_TRUE(has_dark(notes, CRect(20, 0, box.right, box.Height() / 4))) << "first line";
    EXPECT_TRUE(has_dark(notes, CRect(20, box.Height() * 3 / 4, box.right, box.bottom))) << "second line";
    // Both halves of a spin carry an arrow.
    HWND spin = d.m_spinLeft.m_hWnd;
    ::GetClientRect(spin, &box);
    EXPECT_TRUE(has_dark(spin, CRect(2, 2, box.right - 2, box.Height() / 2 - 1)));
    EXPECT_TRUE(has_dark(spin, CRect(2, box.Height() / 2 + 1, box.right - 2, box.bottom - 2)));
    d.EndDialog(IDCANCEL);
  };
  EXPECT_EQ(setup.DoModal(), IDCANCEL);
  Scripted<CGSPrintDialog> print(FALSE, PD_ALLPAGES | PD_NOPAGENUMS, frame);
  print.m_bTextPane = TRUE;
  print.m_nNotesMargin = 25;
  print.m_bNotes = 1;
  print.script = [&](CGSPrintDialog& d) {
    EXPECT_TRUE(d.IsWindowVisible());
    d.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
    pump();
    EXPECT_TRUE(save_window_png(d.m_hWnd, picture_path("print_dialog.png"), true));
    d.EndDialog(IDCANCEL);
  };
  EXPECT_EQ(print.DoModal(), IDCANCEL);
}

}  // namespace
}  // namespace lumo::test
