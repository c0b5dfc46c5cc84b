// Printing: the page plan, progress and layout rules as plain functions; the print loop with its
// progress dialog, page ranges both ways, cancelling and print to file; the list, picture and act
// print jobs writing real PDF files read back with pdftotext; pictures of the progress dialog.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/gs_list_ctrl.h"
#include "engine/frame/selection.h"
#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_startup.h"
#include "engine/medview/engine_titles.h"
#include "pictures/image/image_file.h"
#include "platform/base/cp1250.h"
#include "platform/base/data_folder.h"
#include "platform/base/profile.h"
#include "platform/base/registry_store.h"
#include "platform/base/temp_folder.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/mdi.h"
#include "platform/framework/print_job.h"
#include "platform/framework/prompter.h"
#include "platform/win/message_loop.h"
#include "resources/app_ids.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "shell/library_title.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/print/kal_print_job.h"
#include "shell/print/list_print_job.h"
#include "shell/print/print_texts.h"
#include "shell/print/printer_job.h"
#include "navigation/nav_commands.h"
#include "shell/print/printmark_quick_dlg.h"
#include "shell/print/printmark_tab.h"
#include "navigation/nav_bar.h"
#include "platform/framework/control_messages.h"
#include "shell/view/lumo_kal_view.h"
#include "tests/compiler/library_fixture.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/queued_prompter.h"
#include "tests/support/surface_png.h"

namespace lumo::test {
namespace {

std::string Utf8(const CString& text) { return base::cp1250::to_utf8(static_cast<LPCTSTR>(text)); }
CString Cp(const char* utf8) { return CString(base::cp1250::from_utf8(utf8)); }

bool HavePdfToText() { return std::system("command -v pdftotext > /dev/null 2>&1") == 0; }

std::string PdfText(const std::string& path) {
  std::string out;
  if (FILE* p = popen(("pdftotext -layout '" + path + "' - 2>/dev/null").c_str(), "r")) {
    char buffer[4096];
    while (size_t n = fread(buffer, 1, sizeof buffer, p)) out.append(buffer, n);
    pclose(p);
  }
  return out;
}

// The text of each page of a PDF.
std::vector<std::string> PdfPages(const std::string& path) {
  std::vector<std::string> pages;
  std::string text = PdfText(path), page;
  for (char c : text) {
    if (c == '\f') {
      pages.push_back(page);
      page.clear();
    } else {
      page += c;
    }
  }
  return pages;
}

std::string NoSpaces(std::string text) {
  std::erase(text, ' ');
  return text;
}

// With LUMO_PNG_DIR set, the first page of a PDF as a picture to look at.
void PdfPicture(const std::string& pdf, const std::string& name) {
  const char* dir = std::getenv("LUMO_PNG_DIR");
  if (!dir || std::system("command -v pdftoppm > /dev/null 2>&1") != 0) return;
  const std::string command = "pdftoppm -r 60 -png -singlefile '" + pdf + "' '" + dir + "/" + name + "'";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

// --- Rules ----------------------------------------------------------------------------------------

TEST(PrintRules, PagePlansRunForwardBackwardAndToTheEnd) {
  struct Case {
    UINT from, to, min, max;
    UINT first;
    int step;
    UINT end, total;
  } cases[] = {
      {1, 3, 1, 3, 1, 1, 4, 3},          // three pages
      {5, 2, 1, 9, 5, -1, 1, 4},         // backwards: 5, 4, 3, 2
      {0, 20, 1, 6, 1, 1, 7, 6},         // clamped into the job's pages
      {1, 0xFFFF, 1, 0xFFFF, 1, 1, 0xFFFF, 0xFFFE},  // until the job says it is done
      {1, 1, 1, 0, 1, 1, 2, 1},          // a maximum below the minimum is raised
  };
  for (const Case& c : cases) {
    const printjob::PagePlan plan = printjob::PlanPages(c.from, c.to, c.min, c.max);
    EXPECT_EQ(plan.first, c.first) << c.from << "-" << c.to;
    EXPECT_EQ(plan.step, c.step) << c.from << "-" << c.to;
    EXPECT_EQ(plan.end, c.end) << c.from << "-" << c.to;
    EXPECT_EQ(plan.total, c.total) << c.from << "-" << c.to;
  }
}

TEST(PrintRules, ProgressTextsAndTimeLeft) {
  EXPECT_EQ(Utf8(printjob::PercentText(1, 3)), "33 %");
  EXPECT_EQ(Utf8(printjob::PercentText(2, 3)), "66 %");
  EXPECT_EQ(Utf8(printjob::PercentText(3, 3)), "100 %");
  EXPECT_EQ(Utf8(printjob::TimeLeftText(0, 3, 0, CString())), "??");
  EXPECT_EQ(Utf8(printjob::TimeLeftText(4000, 3, 1, CString())), "8 sekund");
  EXPECT_EQ(Utf8(printjob::TimeLeftText(40000, 3, 0, CString())), "2 minut, 0 sekund");
  EXPECT_EQ(Utf8(printjob::TimeLeftText(61500, 2, 1, CString())), "1 minut, 1 sekund");
  // A single page keeps the text it had.
  EXPECT_EQ(Utf8(printjob::TimeLeftText(0, 1, 0, CString("x"))), "x");
}

TEST(PrintRules, BodyStaysOffTheUnprintableEdgeAndUnitsFollowTheResolution) {
  // Margins larger than the offsets leave the margins on every side.
  EXPECT_EQ(printjob::BodyRect(CSize(2480, 3508), CPoint(50, 50), CRect(236, 213, 177, 213)),
            CRect(236, 213, 2480 - 177, 3508 - 213));
  // An offset larger than the margin wins on its side and leaves the offset on the far side.
  EXPECT_EQ(printjob::BodyRect(CSize(2480, 3508), CPoint(300, 400), CRect(236, 213, 177, 213)),
            CRect(300, 400, 2480 - 300, 3508 - 400));
  EXPECT_EQ(printjob::MillimetresToDevice(254, 300), 3000);
  EXPECT_EQ(printjob::DeviceUnits(30, 300), 30);
  EXPECT_EQ(printjob::DeviceUnits(30, 600), 60);
  EXPECT_EQ(printjob::DeviceUnits(30, 72), 7);
}

TEST(PrintRules, PicturesPrintAt150DotsShrunkToFitAndCentred) {
  // 1200 x 1800 pixels on a body of 6 x 8 inches at 300 dpi: natural 8 x 12 inches, two thirds.
  const CRect body(100, 100, 100 + 1800, 100 + 2400);
  const CRect r = printjob::PictureRect(CSize(1200, 1800), CSize(300, 300), body);
  EXPECT_EQ(r.Width(), 1600);  // 5.33 inches
  EXPECT_EQ(r.Height(), 2400);  // 8 inches
  EXPECT_EQ(r.left - body.left, body.right - r.right);
  // A small picture is never enlarged: 150 x 75 pixels are one inch by half an inch.
  const CRect small = printjob::PictureRect(CSize(150, 75), CSize(300, 300), body);
  EXPECT_EQ(small, CRect(850, 1225, 1150, 1375));
}

TEST(PrintRules, ListColumnsFixedForActRowsAndScaledOtherwise) {
  const std::vector<int> act_rows{23, 70, 50, 57, 10};
  EXPECT_EQ(printjob::ListColumns(200, 2200, act_rows, 300), (std::vector<int>{200, 290, 520, 1750, 2100, 2200}));
  EXPECT_EQ(printjob::ListColumns(0, 1200, act_rows, 600), (std::vector<int>{0, 180, 640, 640, 1000, 1200}));
  EXPECT_EQ(printjob::ListColumns(0, 300, {1, 2}, 300), (std::vector<int>{0, 100, 300}));
}

TEST(PrintRules, CitationsAndWorkInformation) {
  shell::ActDescription d;
  d.year = 98;
  d.issue_number = 12;
  d.position = 35;
  d.record.level = 7;
  EXPECT_EQ(Utf8(printtext::ActCitation(d, true)), "(D.U. z 1998 r. Nr 12 poz. 35)");
  EXPECT_EQ(Utf8(printtext::ActCitation(d, false)), "");
  d.record.attachment = true;
  EXPECT_EQ(Utf8(printtext::ActCitation(d, true)), "(D.U. z 1998 r. Nr 12 poz. 35 - załącznik)");
  d.record.attachment = false;
  d.year = 104;  // years past 1999 keep their century
  d.record.level = 8;
  EXPECT_EQ(Utf8(printtext::ActCitation(d, true)), "(D.U. z 2004 r. Nr 12)");
  d.record.level = 9;
  EXPECT_EQ(Utf8(printtext::ActCitation(d, true)), "(Rocznik 2004)");

  EXPECT_EQ(Utf8(printtext::PageText(printtext::PageFormat(true), 3, 0)), "Strona 3");
  EXPECT_EQ(Utf8(printtext::PageText(printtext::PageFormat(true), 3, 7)), "Strona 3 / 7");
  EXPECT_EQ(Utf8(printtext::PageText(printtext::PageFormat(false), 3, 7)), "");
  const CString date = Cp("środa, 28 października 2026"), title = Cp("Praca o zieleni");
  EXPECT_EQ(Utf8(printtext::WorkInfo(true, true, date, title)),
            "Data wydruku: środa, 28 października 2026\r\nTytuł pracy: Praca o zieleni");
  EXPECT_EQ(Utf8(printtext::WorkInfo(true, false, date, title)), "Data wydruku: środa, 28 października 2026");
  EXPECT_EQ(Utf8(printtext::WorkInfo(false, true, date, title)), "Tytuł pracy: Praca o zieleni");
  EXPECT_EQ(Utf8(printtext::WorkInfo(false, false, date, title)), "");
}

// --- Jobs over the application ------------------------------------------------------------------

// Answers the printer dialog with a PDF file (and a page range when one is given); records
// message boxes.
class Prompts : public lumo::test::QueuedPrompter {
 public:
  Prompts() : QueuedPrompter(IDOK) {}
  std::string pdf;
  UINT from = 0, to = 0;
  int print_answer = IDOK;
  int dialogs = 0;
  int print_dialog(HWND, PRINTDLG& pd) override {
    ++dialogs;
    if (print_answer != IDOK) return print_answer;
    auto names = std::make_shared<DEVNAMES>(pd.hDevNames ? *pd.hDevNames : DEVNAMES{});
    names->output = CString(base::cp1250::from_utf8(pdf));
    pd.hDevNames = names;
    pd.Flags |= PD_PRINTTOFILE;
    if (from) {
      pd.Flags |= PD_PAGENUMS;
      pd.nFromPage = WORD(from);
      pd.nToPage = WORD(to);
    }
    return IDOK;
  }
};

// Gives a job the answers of the printer dialog without showing one (for jobs whose dialog is a
// template of the program's own).
template <class Job>
class Direct : public Job {
 public:
  std::string pdf;
  BOOL DoPreparePrinting(CPrintInfo* info, BOOL) override {
    if (!Job::DoPreparePrinting(info, TRUE)) return FALSE;
    auto names = std::make_shared<DEVNAMES>(*info->m_pPD->m_pd.hDevNames);
    names->output = CString(base::cp1250::from_utf8(pdf));
    info->m_pPD->m_pd.hDevNames = names;
    info->m_pPD->m_pd.Flags |= PD_PRINTTOFILE;
    return TRUE;
  }
};

// A job of `pages` pages that records what it was asked and what the progress dialog showed.
class CountingJob : public CPrinterJob {
 public:
  UINT pages = 3;
  UINT cancel_on = 0;
  std::vector<UINT> printed;
  std::vector<std::string> percents, page_texts;
  std::string picture;
  BOOL DoPreparePrinting(CPrintInfo* info, BOOL direct) override {
    info->SetMinPage(1);
    info->SetMaxPage(pages);
    return CPrinterJob::DoPreparePrinting(info, direct);
  }
  void PrintPage(CDC* dc, CPrintInfo* info) override {
    printed.push_back(info->m_nCurPage);
    CString text;
    text.Format("Strona %u", info->m_nCurPage);
    dc->TextOut(300, 300, text, text.GetLength());
    if (CPrintStatusDlg* status = GetStatusDialog()) {
      percents.push_back(Utf8(status->GetDlgItemText(resources::IDC_PRINT_PERCENT)));
      page_texts.push_back(Utf8(status->GetDlgItemText(resources::IDC_PRINT_PAGES)));
      if (!picture.empty() && printed.size() == 2) {
        win::pump_waiting_messages();
        EXPECT_TRUE(save_window_png(status->m_hWnd, picture));
        // The dialog is drawn between pages: the percent shows in dark letters.
        CWnd* percent = status->GetDlgItem(resources::IDC_PRINT_PERCENT);
        ASSERT_NE(percent, nullptr);
        CRect r;
        percent->GetClientRect(&r);
        int dark = 0;
        for (int y = r.top; y < r.bottom; ++y) {
          for (int x = r.left; x < r.right; ++x) {
            const DWORD c = surface_pixel(percent->m_hWnd, x, y);
            dark += GetRValue(c) < 0x40 && GetGValue(c) < 0x40 && GetBValue(c) < 0x40;
          }
        }
        EXPECT_GT(dark, 5);
      }
    }
    if (info->m_nCurPage == cancel_on) PrintCancelFlag() = true;
  }
};

std::string LongAct() {
  std::string text =
      "Dz.U. z 1998 r. Nr 40, poz. 500\n                                USTAWA\n"
      "                        z dnia 2 marca 1998 r.\n\n"
      "              o zieleni miejskiej i żywopłotach\n\n";
  for (int article = 1; article <= 60; ++article) {
    text += "                                Art. " + std::to_string(article) + ".\n";
    text += "Gmina dba o zieleń przy drogach, placach i skwerach, sadzi drzewa i krzewy, "
            "usuwa suche gałęzie oraz prowadzi rejestr drzew pomnikowych w granicach gminy.\n\n";
  }
  return text;
}

class PrintTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    resources::register_program_resources();
    controls::register_standard_controls();
    // The sample acts and one long act that takes many pages.
    const std::string acts = base::temp_folder() + "/print_test_acts";
    std::filesystem::create_directories(acts);
    for (const auto& entry : std::filesystem::directory_iterator(compiler_test::SourceDir() + "/samples/acts")) {
      std::filesystem::copy(entry.path(), acts / entry.path().filename(),
                            std::filesystem::copy_options::overwrite_existing);
    }
    std::ofstream(acts + "/1998_500.txt") << LongAct();
    library_ = &compiler_test::Compile(acts, "print_test_library");
    ASSERT_EQ(library_->result, 0) << library_->error;
    folder_ = base::temp_folder() + "/print_test_" + std::to_string(::getpid());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    base::Profile::set_app_path(folder_ + "/LumoKAL.ini");
    base::RegistryStore::set_user_path(folder_ + "/registry.dat");
    base::set_data_folder(folder_);
    framework::set_prompter(&prompts_);
    app_ = std::make_unique<CLumoApp>();
    medview::MvStartup(0);
    app_->SetDataDir(CString(library_->folder + "/"));
    app_->OpenCatalogFile();
    auto* main = std::make_unique<CMDIFrameWnd>().release();
    ASSERT_TRUE(main->LoadFrame(resources::IDR_MAINFRAME));
    main->MoveWindow(0, 0, 900, 700);
    main->ShowWindow(SW_SHOW);
    app_->m_pMainWnd = main;
    text_template_ = new CLumoKALDocTemplate(resources::IDS_WORK_DOCUMENT, RUNTIME_CLASS(CLumoKALDoc),
                                             RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CLumoKALView));
    app_->AddDocTemplate(text_template_);
    work_ = dynamic_cast<CLumoKALDoc*>(text_template_->OpenDocumentFile(nullptr));
    ASSERT_NE(work_, nullptr);
    pump();
    view_ = work_->GetCurrentTextView();
    ASSERT_NE(view_, nullptr);
    view_->GetParentFrame()->MoveWindow(0, 0, 800, 560);
    pump();
  }

  void TearDown() override {
    CLumoKALView::FreeQueryResults();
    if (work_) work_->OnCloseDocument();
    if (app_ && app_->m_pMainWnd && app_->m_pMainWnd->m_hWnd) app_->m_pMainWnd->DestroyWindow();
    pump();
    medview::MvShutdown();
    app_.reset();
    framework::set_prompter(nullptr);
    base::set_data_folder("");
    GuiTest::TearDown();
    std::filesystem::remove_all(folder_);
  }

  std::string Pdf(const std::string& name) const { return folder_ + "/" + name; }
  static std::string Picture(const std::string& name) {
    const char* dir = std::getenv("LUMO_PNG_DIR");
    return (dir ? std::string(dir) : base::temp_folder()) + "/" + name;
  }

  const compiler_test::CompiledLibrary* library_ = nullptr;
  std::string folder_;
  Prompts prompts_;
  std::unique_ptr<CLumoApp> app_;
  CLumoKALDocTemplate* text_template_ = nullptr;
  CLumoKALDoc* work_ = nullptr;
  CLumoKALView* view_ = nullptr;
};

TEST_F(PrintTest, ThreePagesShowTheirProgressAndReachTheFile) {
  if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
  prompts_.pdf = Pdf("trzy strony.pdf");
  CountingJob job;
  job.m_strName = Cp("Wydruk próbny");
  job.picture = Picture("print_status.png");
  ASSERT_TRUE(job.Print());
  EXPECT_EQ(prompts_.dialogs, 1);
  EXPECT_EQ(job.printed, (std::vector<UINT>{1, 2, 3}));
  EXPECT_EQ(job.percents, (std::vector<std::string>{"33 %", "66 %", "100 %"}));
  ASSERT_EQ(job.page_texts.size(), 3u);
  EXPECT_EQ(job.page_texts[0], "Strona 1 z 3, ?? stron pozostało do wydrukowania");
  const std::vector<std::string> pages = PdfPages(prompts_.pdf);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_NE(pages[2].find("Strona 3"), std::string::npos);
  // The main window is back and the progress dialog gone.
  EXPECT_TRUE(app_->m_pMainWnd->IsWindowEnabled());
  EXPECT_EQ(job.GetStatusDialog(), nullptr);
}

TEST_F(PrintTest, ARangeChosenBackwardsPrintsBackwards) {
  if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
  prompts_.pdf = Pdf("wstecz.pdf");
  prompts_.from = 5;
  prompts_.to = 2;
  CountingJob job;
  job.pages = 9;
  ASSERT_TRUE(job.Print());
  EXPECT_EQ(job.printed, (std::vector<UINT>{5, 4, 3, 2}));
  const std::vector<std::string> pages = PdfPages(prompts_.pdf);
  ASSERT_EQ(pages.size(), 4u);
  EXPECT_NE(pages[0].find("Strona 5"), std::string::npos);
  EXPECT_NE(pages[3].find("Strona 2"), std::string::npos);
}

TEST_F(PrintTest, CancellingStopsTheJobAndLeavesNoFile) {
  prompts_.pdf = Pdf("przerwany.pdf");
  CountingJob job;
  job.pages = 6;
  job.cancel_on = 2;
  EXPECT_FALSE(job.Print());
  EXPECT_EQ(job.printed, (std::vector<UINT>{1, 2}));
  EXPECT_FALSE(std::filesystem::exists(prompts_.pdf));
  EXPECT_TRUE(app_->m_pMainWnd->IsWindowEnabled());

  // "Przerwij" sets the flag; a new progress dialog clears it.
  CPrintStatusDlg status;
  EXPECT_FALSE(PrintCancelFlag());
  ASSERT_TRUE(status.Create(resources::IDD_PRINT_STATUS, app_->m_pMainWnd));
  status.SendMessage(WM_COMMAND, IDCANCEL);
  EXPECT_TRUE(PrintCancelFlag());
}

TEST_F(PrintTest, ACancelledPrinterOrFileDialogPrintsNothingAndSaysNothing) {
  prompts_.print_answer = IDCANCEL;
  CountingJob job;
  EXPECT_FALSE(job.Print());
  EXPECT_TRUE(job.printed.empty());
  // Print to file without a file: the file question (answered No by the prompter) ends it.
  prompts_.print_answer = IDOK;
  prompts_.pdf.clear();
  EXPECT_FALSE(job.Print());
  EXPECT_TRUE(job.printed.empty());
  EXPECT_TRUE(prompts_.asked.empty());
}

TEST_F(PrintTest, AListOfOneAndAHalfPagesPrintsAsTwo) {
  if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
  CGSListCtrl list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 600, 300), app_->m_pMainWnd, 1088));
  const char* titles[] = {"LP.", "ROK/POZ", "RANGA", "DATA", "TYTUŁ"};
  const int widths[] = {23, 70, 50, 57, 10};
  for (int c = 0; c < 5; ++c) list.InsertColumn(c, Cp(titles[c]), c == 0 ? LVCFMT_RIGHT : LVCFMT_LEFT, widths[c]);
  auto add_rows = [&](int from, int count) {
    for (int r = from; r < from + count; ++r) {
      CString n;
      n.Format("%d", r + 1);
      list.InsertItem(r, n);
      list.SetItemText(r, 1, CString("1998/poz 35"));
      list.SetItemText(r, 2, CString("Ustawa"));
      list.SetItemText(r, 3, CString("98-01-16"));
      list.SetItemText(r, 4, Cp("o ochronie zieleni przydrożnej i zadrzewień wzdłuż dróg publicznych, "
                                "o zmianie niektórych innych ustaw oraz o żywopłotach gminnych"));
    }
  };
  // Find how many rows one page holds, then print one and a half pages of them.
  add_rows(0, 200);
  int per_page = 0;
  {
    Direct<CListCtrlPrintJob> probe;
    probe.list = &list;
    CPrintInfo info;
    ASSERT_TRUE(probe.DoPreparePrinting(&info, TRUE));
    ASSERT_TRUE(info.m_pPD->CreatePrinterDC());
    CDC* dc = info.m_pPD->GetPrintJob()->dc();
    probe.BeginPrinting(dc, &info);
    CRect body = printjob::BodyRectOf(dc, CRect(probe.marginLeft, probe.marginTop, probe.marginRight, probe.marginBottom));
    per_page = probe.LayOutRows(dc, body, 0, false);
    EXPECT_GT(info.GetMaxPage(), 1u);
    probe.EndPrinting(dc, &info);
  }
  ASSERT_GT(per_page, 2);
  list.DeleteAllItems();
  add_rows(0, per_page + per_page / 2);

  prompts_.pdf = Pdf("lista.pdf");
  CListCtrlPrintJob job;
  job.list = &list;
  job.headerText = Cp("Wyniki wyszukiwania: zieleń");
  job.footerText = Cp("Tytuł pracy: Próba");
  ASSERT_TRUE(job.Print());
  const std::vector<std::string> pages = PdfPages(prompts_.pdf);
  PdfPicture(prompts_.pdf, "print_list");
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_NE(pages[0].find("Strona 1 / 2"), std::string::npos) << pages[0];
  EXPECT_NE(pages[1].find("Strona 2 / 2"), std::string::npos) << pages[1];
  EXPECT_NE(pages[0].find("ROK/POZ"), std::string::npos);
  EXPECT_NE(pages[1].find("ROK/POZ"), std::string::npos);
  EXPECT_NE(pages[1].find("Tytuł pracy: Próba"), std::string::npos);
  // Every row is printed once, the last one on the second page.
  const std::string all = pages[0] + pages[1];
  EXPECT_EQ(Count(all, "1998/poz 35"), size_t(per_page + per_page / 2));
  EXPECT_NE(pages[1].find("żywopłotach"), std::string::npos);

  // Without rows or columns nothing is asked and nothing printed.
  list.DeleteAllItems();
  prompts_.dialogs = 0;
  EXPECT_FALSE(job.Print());
  EXPECT_EQ(prompts_.dialogs, 0);
  list.DestroyWindow();
}

TEST_F(PrintTest, APicturePrintsCentredOnOnePage) {
  if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
  const std::string picture = compiler_test::SourceDir() + "/samples/acts/karta.png";
  CImageFile image(picture.c_str());
  ASSERT_TRUE(image.IsValid());
  prompts_.pdf = Pdf("obraz.pdf");
  CBMPPrintJob job;
  job.image = &image;
  job.headerText = Cp("Rysunek: karta.png (żółć)");
  job.footerText = Cp("Data wydruku: dziś");
  ASSERT_TRUE(job.Print());
  const std::vector<std::string> pages = PdfPages(prompts_.pdf);
  PdfPicture(prompts_.pdf, "print_picture");
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_NE(pages[0].find("Rysunek: karta.png (żółć)"), std::string::npos);
  EXPECT_NE(pages[0].find("Data wydruku"), std::string::npos);
  EXPECT_NEAR(job.printedRect.left - job.pageRect.left, job.pageRect.right - job.printedRect.right, 1);
}

// Prints the act shown in the sheet through the act print job.
TEST_F(PrintTest, AnActPrintsWithHeaderPageNumbersNotesAndFooter) {
  if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
  ASSERT_TRUE(view_->GoToAddress(CString("98 500")));
  pump();
  CUserData& settings = app_->GetUserData();
  settings.m_bNotesColumn = 1;
  settings.m_nNotesWidth = 100;
  const uint32_t counted = app_->GetDocumentData().m_nPrintedPages;

  Direct<CKALPrintJob> job;
  job.pdf = Pdf("akt.pdf");
  job.view = view_;
  job.headerText = printtext::ActCitation(view_->GetActDescription(), true);
  job.pageFormat = printtext::PageFormat(true);
  job.footerText = printtext::WorkInfo(true, true, Cp("środa, 28 października 2026"), Cp("Praca o zieleni"));
  ASSERT_TRUE(job.Print());
  const std::vector<std::string> pages = PdfPages(job.pdf);
  PdfPicture(job.pdf, "print_act");
  ASSERT_GE(pages.size(), 2u);
  EXPECT_EQ(job.pageCount, int(pages.size()));
  EXPECT_EQ(app_->GetDocumentData().m_nPrintedPages, counted + pages.size());
  for (size_t i = 0; i < pages.size(); ++i) {
    const std::string& page = pages[i];
    EXPECT_NE(page.find("(D.U. z 1998 r. Nr 40 poz. 500)"), std::string::npos) << i << page;
    EXPECT_NE(page.find("Strona " + std::to_string(i + 1)), std::string::npos) << i << page;
    EXPECT_NE(page.find("Tytuł pracy: Praca o zieleni"), std::string::npos) << i;
    // The notes label ends every page but the last.
    EXPECT_EQ(NoSpaces(page).find("NOTATKI:") != std::string::npos, i + 1 < pages.size()) << i << page;
  }
  EXPECT_NE(pages.front().find("Art. 1."), std::string::npos);
  EXPECT_NE(pages.back().find("Art. 60."), std::string::npos);
  // The header stays on the paper: the citation is on the first line of the page text.
  EXPECT_LT(pages.front().find("(D.U. z 1998"), pages.front().find("Art. 1."));

  // Without notes the act takes fewer pages and no page carries the label.
  settings.m_bNotesColumn = 0;
  Direct<CKALPrintJob> plain;
  plain.pdf = Pdf("akt bez notatek.pdf");
  plain.view = view_;
  plain.footerText = job.footerText;
  ASSERT_TRUE(plain.Print());
  const std::vector<std::string> plain_pages = PdfPages(plain.pdf);
  EXPECT_LT(plain_pages.size(), pages.size());
  for (const std::string& page : plain_pages) EXPECT_EQ(NoSpaces(page).find("NOTATKI"), std::string::npos);
  EXPECT_EQ(plain_pages.front().find("Strona 1"), std::string::npos) << "no page numbers without a format";
}

TEST_F(PrintTest, WithoutMarginsTheHeaderAndFooterStayOnThePaper) {
  if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
  ASSERT_TRUE(view_->GoToAddress(CString("98 35")));
  pump();
  CUserData& settings = app_->GetUserData();
  settings.m_nMarginLeft = settings.m_nMarginTop = settings.m_nMarginRight = settings.m_nMarginBottom = 0;
  Direct<CKALPrintJob> job;
  job.pdf = Pdf("bez marginesow.pdf");
  job.view = view_;
  job.headerText = printtext::ActCitation(view_->GetActDescription(), true);
  job.pageFormat = printtext::PageFormat(true);
  job.footerText = Cp("Tytuł pracy: Bez marginesów");
  ASSERT_TRUE(job.Print());
  const std::vector<std::string> pages = PdfPages(job.pdf);
  ASSERT_FALSE(pages.empty());
  EXPECT_NE(pages[0].find("(D.U. z 1998 r. Nr 12 poz. 35)"), std::string::npos) << pages[0];
  EXPECT_NE(pages[0].find("Strona 1"), std::string::npos);
  EXPECT_NE(pages.back().find("Tytuł pracy: Bez marginesów"), std::string::npos);
  // The body starts below the header's room.
  EXPECT_GT(job.pageRect.top, 0);
}

TEST_F(PrintTest, SelectionOnlyWithoutASelectionPrintsNothing) {
  ASSERT_TRUE(view_->GoToAddress(CString("98 35")));
  pump();
  medview::MvClearSelection(view_->GetTextPane().GetViewer(), nullptr);
  Direct<CKALPrintJob> job;
  job.pdf = Pdf("zaznaczenie.pdf");
  job.view = view_;
  job.selectionOnly = TRUE;
  EXPECT_FALSE(job.Print());
  EXPECT_EQ(job.pageCount, 0);
  EXPECT_FALSE(std::filesystem::exists(job.pdf));
}

TEST_F(PrintTest, TheSheetsOwnPrintLoopPrintsTheActWithItsFurniture) {
  if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
  ASSERT_TRUE(view_->GoToAddress(CString("98 500")));
  pump();
  CUserData& settings = app_->GetUserData();
  settings.m_bNotesColumn = 1;
  settings.m_nNotesWidth = 60;
  settings.m_bPageNumbers = 1;
  settings.m_bShortActNumber = 1;
  settings.m_bFooterDate = 1;
  settings.m_bFooterWorkTitle = 1;
  app_->GetDocumentData().m_strTitle = Cp("Praca o żywopłotach");
  view_->BuildPrintTexts();
  EXPECT_EQ(Utf8(view_->GetPrintHeaderText()), "(D.U. z 1998 r. Nr 40 poz. 500)");

  auto to_file = [&](const std::string& pdf) {
    auto dialog = std::make_unique<CPrintDialog>(FALSE);
    EXPECT_TRUE(dialog->GetDefaults());
    auto names = std::make_shared<DEVNAMES>(*dialog->m_pd.hDevNames);
    names->output = CString(base::cp1250::from_utf8(pdf));
    dialog->m_pd.hDevNames = names;
    dialog->m_pd.Flags |= PD_PRINTTOFILE;
    return dialog;
  };
  const std::string pdf = Pdf("arkusz.pdf");
  auto dialog = to_file(pdf);
  ASSERT_TRUE(view_->PrintActWith(*dialog, FALSE));
  const std::vector<std::string> pages = PdfPages(pdf);
  PdfPicture(pdf, "print_sheet");
  ASSERT_GE(pages.size(), 2u);
  EXPECT_EQ(view_->GetPrintedPageCount(), int(pages.size()));
  for (size_t i = 0; i < pages.size(); ++i) {
    EXPECT_NE(pages[i].find("(D.U. z 1998 r. Nr 40 poz. 500)"), std::string::npos) << i;
    EXPECT_NE(pages[i].find("Strona " + std::to_string(i + 1)), std::string::npos) << i;
    EXPECT_NE(pages[i].find("Tytuł pracy: Praca o żywopłotach"), std::string::npos) << i;
    EXPECT_EQ(NoSpaces(pages[i]).find("NOTATKI:") != std::string::npos, i + 1 < pages.size()) << i;
  }
  EXPECT_NE(pages.back().find("Art. 60."), std::string::npos);

  // "Zaznaczony fragment" without a selection: the document is dropped, nothing printed.
  medview::MvClearSelection(view_->GetTextPane().GetViewer(), nullptr);
  const std::string nothing = Pdf("bez zaznaczenia.pdf");
  auto second = to_file(nothing);
  EXPECT_FALSE(view_->PrintActWith(*second, TRUE));
  EXPECT_FALSE(std::filesystem::exists(nothing));
  EXPECT_TRUE(app_->m_pMainWnd->IsWindowEnabled());
}

// Runs `script` inside the dialog's modal loop once it is shown.
class ScriptedQuickDlg : public CPrintmarkQuickDlg {
 public:
  using CPrintmarkQuickDlg::CPrintmarkQuickDlg;
  std::function<void(ScriptedQuickDlg&)> script;

 protected:
  BOOL OnInitDialog() override {
    BOOL result = CPrintmarkQuickDlg::OnInitDialog();
    if (script) PostMessage(WM_APP);
    return result;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_APP) return CPrintmarkQuickDlg::WindowProc(message, wParam, lParam);
    script(*this);
    return 0;
  }
};

class PrintListTest : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    if (HasFatalFailure()) return;
    auto* main = static_cast<CFrameWnd*>(app_->m_pMainWnd);
    constexpr DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC | CBRS_BOTTOM;
    ASSERT_TRUE(nav_.Create(main, CString("Nawigator"), style, 0x0F31, 100));
    nav_.MoveWindow(0, 480, 880, 200);
    main->m_listControlBars.push_back(&nav_);
    tab_ = nav_.GetPrintmarkTab();
    ASSERT_NE(tab_, nullptr);
    tab_->MoveWindow(0, 0, 860, 170);
  }
  void TearDown() override {
    if (app_ && app_->m_pMainWnd) {
      std::erase(static_cast<CFrameWnd*>(app_->m_pMainWnd)->m_listControlBars, static_cast<CControlBar*>(&nav_));
    }
    if (nav_.m_hWnd) nav_.DestroyWindow();
    PrintTest::TearDown();
  }
  std::vector<std::string> Column(int column) {
    std::vector<std::string> out;
    for (int row = 0; row < tab_->GetList().GetItemCount(); ++row) out.push_back(Utf8(CString(tab_->RowText(row, column).c_str())));
    return out;
  }
  // Opens the dialog over the sheet and runs `script` in it; the dialog's answer.
  int RunDialog(std::function<void(ScriptedQuickDlg&)> script) {
    ScriptedQuickDlg dialog(&work_->GetPrintList(), view_->GetTextPane().GetViewer(), view_, view_);
    dialog.script = std::move(script);
    return int(dialog.DoModal());
  }
  static bool Enabled(CWnd& dialog, UINT id) { return dialog.GetDlgItem(int(id))->IsWindowEnabled() != FALSE; }

  COutputWnd nav_;
  CPrintmarkTab* tab_ = nullptr;
};

TEST_F(PrintListTest, TheWholeActAddsOneItemAndARowForTheActAndEachUnit) {
  ASSERT_TRUE(view_->GoToAddress(CString("98 34")));
  pump();
  // One row already there: the new ones are numbered after it.
  ASSERT_TRUE(navcmd::AddRecordToPrintList(view_->GetActDescription().records[shell::kLevelAct]));
  const int before = tab_->GetList().GetItemCount();
  ASSERT_GE(before, 1);
  const size_t items = work_->GetPrintList().size();
  std::string picture = Picture("print_list_dialog.png");
  EXPECT_EQ(RunDialog([&](ScriptedQuickDlg& d) {
              EXPECT_EQ(d.GetChoice(), UINT(resources::IDC_PRINTMARK_WHOLE_ACT));
              EXPECT_TRUE(Enabled(d, resources::IDC_PRINTMARK_WHOLE_ACT));
              EXPECT_TRUE(Enabled(d, resources::IDC_PRINTMARK_VISIBLE));
              // Choices that would add nothing are not offered.
              EXPECT_FALSE(Enabled(d, resources::IDC_PRINTMARK_SELECTION));
              EXPECT_FALSE(Enabled(d, resources::IDC_PRINTMARK_CHOSEN));
              pump();
              EXPECT_TRUE(save_window_png(d.m_hWnd, picture));
              d.SendMessage(WM_COMMAND, resources::IDC_PRINTMARK_ADD);
            }),
            IDOK);
  ASSERT_EQ(work_->GetPrintList().size(), items + 1);
  EXPECT_EQ(work_->GetPrintList().back()->m_nKind, 7);
  const int added = tab_->GetList().GetItemCount() - before;
  EXPECT_EQ(added, before) << "the act and its units, as AddRecordToPrintList added them";
  const std::vector<std::string> numbers = Column(0);
  for (size_t i = 0; i < numbers.size(); ++i) EXPECT_EQ(numbers[i], std::to_string(i + 1));
  EXPECT_EQ(Column(1)[size_t(before)], "1998/poz 34");
  // The units' rows carry their act's address.
  for (size_t i = size_t(before); i < numbers.size(); ++i) EXPECT_EQ(Column(1)[i], "1998/poz 34");
  // ... and their own headings after the act's title.
  ASSERT_GE(added, 2);
  EXPECT_NE(Column(4)[size_t(before) + 1], Column(4)[size_t(before)]);
  EXPECT_EQ(Column(4)[size_t(before) + 1].find(Column(4)[size_t(before)]), 0u);
  EXPECT_EQ(Column(4)[size_t(before) + 1].find('#'), std::string::npos);

  // The group offered as a query scope holds the places' topics.
  engine::GroupPtr group = tab_->BuildTopicGroup();
  ASSERT_NE(group, nullptr);
  for (const auto& item : work_->GetPrintList()) EXPECT_TRUE(medview::MvGroupHasItem(group.get(), item->m_nTopic));
  // The tab is never shown in the bar; shown here on its own to look at its rows.
  tab_->ShowWindow(SW_SHOW);
  tab_->MoveWindow(0, 0, 860, 170);
  pump();
  EXPECT_TRUE(save_window_png(tab_->m_hWnd, Picture("print_list_tab.png")));
  tab_->ShowWindow(SW_HIDE);
}

TEST_F(PrintListTest, OnAJournalIssueOnlyTheVisibleUnitIsOffered) {
  ASSERT_TRUE(view_->GoToAddress(CString("98 34")));
  pump();
  const int32_t issue = view_->GetActDescription().records[shell::kLevelIssue];
  ASSERT_GT(issue, 0);
  ASSERT_TRUE(work_->OpenTopic(issue, 0, 0));
  pump();
  ASSERT_EQ(view_->GetActDescription().record.level, shell::kLevelIssue);
  EXPECT_EQ(RunDialog([&](ScriptedQuickDlg& d) {
              EXPECT_EQ(d.GetChoice(), UINT(resources::IDC_PRINTMARK_VISIBLE));
              EXPECT_FALSE(Enabled(d, resources::IDC_PRINTMARK_WHOLE_ACT));
              d.SendMessage(WM_COMMAND, resources::IDC_PRINTMARK_ADD);
            }),
            IDOK);
  ASSERT_EQ(work_->GetPrintList().size(), 1u);
  ASSERT_EQ(tab_->GetList().GetItemCount(), 1);
  EXPECT_EQ(Column(1)[0].find("1998/Nr"), 0u);
  // Cancel adds nothing.
  EXPECT_EQ(RunDialog([&](ScriptedQuickDlg& d) { d.EndDialog(IDCANCEL); }), IDCANCEL);
  EXPECT_EQ(work_->GetPrintList().size(), 1u);
}

TEST_F(PrintListTest, ADoubleClickOpensTheRowsEntry) {
  ASSERT_TRUE(view_->GoToAddress(CString("98 35")));
  pump();
  const int32_t act = view_->GetActDescription().records[shell::kLevelAct];
  ASSERT_TRUE(view_->GoToAddress(CString("98 34")));
  pump();
  ASSERT_TRUE(navcmd::AddRecordToPrintList(act));
  ASSERT_GE(tab_->GetList().GetItemCount(), 1);
  tab_->SelectRow(0);
  NMHDR hdr{tab_->GetList().m_hWnd, resources::IDC_PRINT_LIST, UINT(NM_DBLCLK)};
  tab_->SendMessage(WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
  pump();
  EXPECT_TRUE(::IsWindow(tab_->m_hWnd)) << "the tab stays";
  CLumoKALView* shown = work_->GetCurrentTextView();
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->GetActDescription().records[shell::kLevelAct], act);
}

TEST_F(PrintListTest, DrukujListePrintsEveryPlaceInOneJob) {
  if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
  // An empty list makes no document.
  Direct<CKALPrintJob> empty;
  empty.pdf = Pdf("pusta lista.pdf");
  EXPECT_FALSE(empty.Print());
  EXPECT_FALSE(std::filesystem::exists(empty.pdf));
  for (const char* address : {"98 34", "98 35", "99 120"}) {
    ASSERT_TRUE(view_->GoToAddress(CString(address)));
    pump();
    ASSERT_TRUE(navcmd::AddRecordToPrintList(view_->GetActDescription().records[shell::kLevelAct]));
  }
  // The tab's command asks for the printer (a program dialog); the job it runs is the act job
  // without a view, printed here directly.
  Direct<CKALPrintJob> job;
  job.pdf = Pdf("drukuj liste.pdf");
  ASSERT_TRUE(job.Print());
  const std::string text = PdfText(job.pdf);
  EXPECT_NE(text.find("o bibliotekach gminnych"), std::string::npos);
  EXPECT_NE(text.find("o ochronie zieleni"), std::string::npos);
  EXPECT_NE(text.find("1999"), std::string::npos);
}

}  // namespace
}  // namespace lumo::test
