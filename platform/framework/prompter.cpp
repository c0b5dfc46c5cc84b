#include "platform/framework/prompter.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "platform/base/cp1250.h"
#include "platform/framework/app.h"
#include "platform/framework/print_dialogs.h"
#include "platform/res/resource_store.h"
#include "platform/win/cwnd.h"
#include "platform/win/window_api.h"

namespace framework {
namespace {

QString qt(const CString& cp1250) { return QString::fromStdString(base::cp1250::to_utf8(cp1250.view())); }
CString cp(const QString& text) { return CString(base::cp1250::from_utf8(text.toStdString())); }

// "Opis|*.a;*.b|Inny|*.c||" becomes Qt's "Opis (*.a *.b);;Inny (*.c)".
QString qt_filter(const CString& filter) {
  QStringList parts = qt(filter).split('|');
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) break;
    out << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
  }
  return out.join(";;");
}

// Runs a Qt dialog under the program's modal rules: the owner disabled, and the framework's
// modal loop (the one modal dialogs run) pumping the program's queue until the dialog finishes,
// so the program's windows keep painting and posted messages keep flowing. The loop runs for a
// hidden window owned by the owner; the dialog ending ends the loop. When the loop ends first
// (the program is quitting) the dialog is rejected. Returns the dialog's result.
int run_modal(HWND owner, QDialog& dialog) {
  ModalOwner modal(owner);
  CWnd loop;
  if (!loop.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 0, 0, modal.window(), nullptr, nullptr)) {
    return dialog.exec();
  }
  QObject::connect(&dialog, &QDialog::finished, [&loop](int result) { loop.EndModalLoop(result); });
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.show();
  int result = loop.RunModalLoop(MLF_NOIDLEMSG);
  if (dialog.isVisible()) {
    dialog.reject();
    result = QDialog::Rejected;
  }
  QObject::disconnect(&dialog, &QDialog::finished, nullptr, nullptr);
  loop.DestroyWindow();
  return result;
}

// The page set-up structure's unit as Qt's, and how many structure units one Qt unit has
// (thousandths of an inch, or hundredths of a millimetre).
QPageLayout::Unit layout_unit(DWORD flags) {
  return (flags & PSD_INTHOUSANDTHSOFINCHES) ? QPageLayout::Inch : QPageLayout::Millimeter;
}
double units_per(DWORD flags) { return (flags & PSD_INTHOUSANDTHSOFINCHES) ? 1000.0 : 100.0; }

// The printer of the device names and mode, for a Qt dialog to start from.
void set_up_printer(QPrinter& p, const DEVNAMES* names, const DEVMODE* mode) {
  if (names && !names->device.IsEmpty()) p.setPrinterName(qt(names->device));
  if (!mode) return;
  p.setPageOrientation(mode->dmOrientation == DMORIENT_LANDSCAPE ? QPageLayout::Landscape
                                                                 : QPageLayout::Portrait);
  if (mode->dmPaperWidth > 0 && mode->dmPaperLength > 0) {
    p.setPageSize(QPageSize(QSizeF(mode->dmPaperWidth / 10.0, mode->dmPaperLength / 10.0),
                            QPageSize::Millimeter));
  }
  p.setCopyCount(std::max<int>(1, mode->dmCopies));
}

// New device names and mode for the printer the user chose (the old ones stay with whoever
// holds them).
void take_printer(const QPrinter& p, HDEVNAMES& names, HDEVMODE& mode) {
  auto n = std::make_shared<DEVNAMES>(names ? *names : DEVNAMES{});
  auto m = std::make_shared<DEVMODE>(mode ? *mode : DEVMODE{});
  bool to_file = p.outputFormat() == QPrinter::PdfFormat;
  // Printing to a file keeps the printer chosen before for later prints.
  if (!to_file) n->device = cp(p.printerName());
  n->output = to_file ? cp(p.outputFileName()) : CString();
  m->dmDeviceName = n->device;
  m->dmOrientation = p.pageLayout().orientation() == QPageLayout::Landscape ? DMORIENT_LANDSCAPE
                                                                           : DMORIENT_PORTRAIT;
  QSizeF paper = p.pageLayout().pageSize().size(QPageSize::Millimeter);
  m->dmPaperWidth = short(paper.width() * 10 + 0.5);
  m->dmPaperLength = short(paper.height() * 10 + 0.5);
  m->dmPaperSize = p.pageLayout().pageSize().id() == QPageSize::A4       ? DMPAPER_A4
                   : p.pageLayout().pageSize().id() == QPageSize::Letter ? DMPAPER_LETTER
                                                                         : DMPAPER_USER;
  m->dmCopies = short(std::max(1, p.copyCount()));
  names = n;
  mode = m;
}

class QtPrompter : public Prompter {
 public:
  int message_box(HWND owner, const CString& text, const CString& caption, UINT type) override {
    QMessageBox box;
    box.setText(qt(text));
    box.setWindowTitle(qt(caption));
    switch (type & MB_ICONMASK) {
      case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
      case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
      case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
      case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
      default: break;
    }
    PromptButton buttons[3];
    int n = message_box_buttons(type, buttons);
    std::vector<QPushButton*> made;
    for (int i = 0; i < n; ++i) made.push_back(box.addButton(qt(buttons[i].label), QMessageBox::ActionRole));
    int def = int((type & MB_DEFMASK) >> 8);
    if (def < n) box.setDefaultButton(made[size_t(def)]);
    run_modal(owner, box);
    for (int i = 0; i < n; ++i) {
      if (box.clickedButton() == made[size_t(i)]) return buttons[i].answer;
    }
    return IDCANCEL;
  }

  bool choose_files(HWND owner, const FileQuestion& q, std::vector<CString>& chosen) override {
    QFileDialog dialog(nullptr, qt(q.title), qt(q.initial), qt_filter(q.filter));
    dialog.setAcceptMode(q.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(q.open ? (q.multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile)
                              : QFileDialog::AnyFile);
    if (!q.default_extension.IsEmpty()) dialog.setDefaultSuffix(qt(q.default_extension));
    if (!q.overwrite_prompt) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (run_modal(owner, dialog) != QDialog::Accepted) return false;
    chosen.clear();
    for (const QString& f : dialog.selectedFiles()) chosen.push_back(cp(f));
    return !chosen.empty();
  }

  bool choose_folder(HWND owner, const CString& title, CString& folder) override {
    QFileDialog dialog(nullptr, qt(title), qt(folder));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (run_modal(owner, dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    folder = cp(dialog.selectedFiles().front());
    return true;
  }

  bool choose_colour(HWND owner, COLORREF& colour) override {
    QColorDialog dialog(QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)));
    if (run_modal(owner, dialog) != QDialog::Accepted) return false;
    QColor c = dialog.selectedColor();
    if (!c.isValid()) return false;
    colour = RGB(c.red(), c.green(), c.blue());
    return true;
  }

  bool choose_printer(HWND owner, CString& printer, CString& to_file, int& copies) override {
    QPrinter p;
    if (!printer.IsEmpty()) p.setPrinterName(qt(printer));
    QPrintDialog dialog(&p);
    if (run_modal(owner, dialog) != QDialog::Accepted) return false;
    printer = cp(p.printerName());
    to_file = p.outputFormat() == QPrinter::PdfFormat ? cp(p.outputFileName()) : CString();
    copies = p.copyCount();
    return true;
  }

  int print_dialog(HWND owner, PRINTDLG& pd) override {
    QPrinter p;
    set_up_printer(p, pd.hDevNames.get(), pd.hDevMode.get());
    if (pd.nCopies > 1) p.setCopyCount(pd.nCopies);
    p.setCollateCopies(pd.Flags & PD_COLLATE);
    QPrintDialog dialog(&p);
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintShowPageSize;
    if (!(pd.Flags & PD_NOSELECTION)) options |= QAbstractPrintDialog::PrintSelection;
    if (!(pd.Flags & PD_NOPAGENUMS)) options |= QAbstractPrintDialog::PrintPageRange;
    if (!(pd.Flags & (PD_DISABLEPRINTTOFILE | PD_HIDEPRINTTOFILE))) options |= QAbstractPrintDialog::PrintToFile;
    if (!(pd.Flags & PD_NOCURRENTPAGE) && (pd.Flags & PD_CURRENTPAGE)) options |= QAbstractPrintDialog::PrintCurrentPage;
    options |= QAbstractPrintDialog::PrintCollateCopies;
    dialog.setOptions(options);
    if (pd.nMinPage <= pd.nMaxPage) dialog.setMinMax(pd.nMinPage, pd.nMaxPage);
    if (pd.Flags & PD_PAGENUMS) dialog.setFromTo(pd.nFromPage, pd.nToPage);
    if (pd.Flags & PD_PRINTSETUP) dialog.setWindowTitle(QString::fromUtf8("Opcje wydruku"));
    if (run_modal(owner, dialog) != QDialog::Accepted) return IDCANCEL;
    take_printer(p, pd.hDevNames, pd.hDevMode);
    pd.Flags &= ~(PD_SELECTION | PD_PAGENUMS | PD_CURRENTPAGE | PD_PRINTTOFILE | PD_COLLATE);
    switch (dialog.printRange()) {
      case QAbstractPrintDialog::Selection: pd.Flags |= PD_SELECTION; break;
      case QAbstractPrintDialog::PageRange: pd.Flags |= PD_PAGENUMS; break;
      case QAbstractPrintDialog::CurrentPage: pd.Flags |= PD_CURRENTPAGE; break;
      default: break;
    }
    if (pd.Flags & PD_PAGENUMS) {
      pd.nFromPage = WORD(dialog.fromPage());
      pd.nToPage = WORD(dialog.toPage());
    }
    if (p.outputFormat() == QPrinter::PdfFormat) pd.Flags |= PD_PRINTTOFILE;
    if (p.collateCopies()) pd.Flags |= PD_COLLATE;
    pd.nCopies = WORD(std::max(1, p.copyCount()));
    return IDOK;
  }

  int page_setup_dialog(HWND owner, PAGESETUPDLG& psd) override {
    QPrinter p;
    set_up_printer(p, psd.hDevNames.get(), psd.hDevMode.get());
    double scale = units_per(psd.Flags);
    QPageLayout::Unit unit = layout_unit(psd.Flags);
    if (psd.Flags & PSD_MARGINS) {
      p.setPageMargins(QMarginsF(psd.rtMargin.left / scale, psd.rtMargin.top / scale,
                                 psd.rtMargin.right / scale, psd.rtMargin.bottom / scale),
                       unit);
    }
    QPageSetupDialog dialog(&p);
    if (run_modal(owner, dialog) != QDialog::Accepted) return IDCANCEL;
    take_printer(p, psd.hDevNames, psd.hDevMode);
    QMarginsF m = p.pageLayout().margins(unit);
    psd.rtMargin = RECT{LONG(m.left() * scale + 0.5), LONG(m.top() * scale + 0.5),
                        LONG(m.right() * scale + 0.5), LONG(m.bottom() * scale + 0.5)};
    QSizeF paper = p.pageLayout().fullRect(unit).size();
    psd.ptPaperSize = POINT{LONG(paper.width() * scale + 0.5), LONG(paper.height() * scale + 0.5)};
    return IDOK;
  }
};

Prompter*& installed() {
  static Prompter* p = nullptr;
  return p;
}

}  // namespace

int message_box_buttons(UINT type, PromptButton out[3]) {
  // Labels are written in UTF-8 here and handed out in CP1250.
  struct Label {
    int answer;
    std::string text;
  };
  static const Label labels[] = {
      {IDOK, "OK"},
      {IDCANCEL, base::cp1250::from_utf8("Anuluj")},
      {IDYES, base::cp1250::from_utf8("Tak")},
      {IDNO, base::cp1250::from_utf8("Nie")},
      {IDRETRY, base::cp1250::from_utf8("Ponów")},
      {IDABORT, base::cp1250::from_utf8("Przerwij")},
      {IDIGNORE, base::cp1250::from_utf8("Ignoruj")},
  };
  auto put = [&](std::initializer_list<int> answers) {
    int n = 0;
    for (int a : answers) {
      for (const Label& l : labels) {
        if (l.answer == a) out[n++] = PromptButton{a, l.text.c_str()};
      }
    }
    return n;
  };
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return put({IDOK, IDCANCEL});
    case MB_ABORTRETRYIGNORE: return put({IDABORT, IDRETRY, IDIGNORE});
    case MB_YESNOCANCEL: return put({IDYES, IDNO, IDCANCEL});
    case MB_YESNO: return put({IDYES, IDNO});
    case MB_RETRYCANCEL: return put({IDRETRY, IDCANCEL});
    default: return put({IDOK});
  }
}

int Prompter::print_dialog(HWND owner, PRINTDLG& pd) {
  CString printer = pd.hDevNames ? pd.hDevNames->device : CString();
  CString to_file;
  int copies = pd.nCopies;
  if (!choose_printer(owner, printer, to_file, copies)) return IDCANCEL;
  auto names = std::make_shared<DEVNAMES>(pd.hDevNames ? *pd.hDevNames : DEVNAMES{});
  if (to_file.IsEmpty()) names->device = printer;
  names->output = to_file;
  pd.hDevNames = names;
  pd.Flags = to_file.IsEmpty() ? (pd.Flags & ~PD_PRINTTOFILE) : (pd.Flags | PD_PRINTTOFILE);
  pd.nCopies = WORD(std::max(1, copies));
  return IDOK;
}

int Prompter::page_setup_dialog(HWND, PAGESETUPDLG&) { return IDCANCEL; }

ModalOwner::ModalOwner(HWND owner) {
  top_ = owner && IsWindow(owner) ? GetAncestorTopLevel(owner) : nullptr;
  disabled_ = top_ && IsWindowEnabled(top_);
  if (disabled_) EnableWindow(top_, FALSE);
}

ModalOwner::~ModalOwner() {
  if (!disabled_ || !IsWindow(top_)) return;
  EnableWindow(top_, TRUE);
  SetActiveWindow(top_);
}

Prompter& prompter() {
  static QtPrompter qt_prompter;
  return installed() ? *installed() : qt_prompter;
}

void set_prompter(Prompter* p) { installed() = p; }

}  // namespace framework

int MessageBox(HWND owner, const char* text, const char* caption, UINT type) {
  // The owner's top-level window is disabled while the question is up, as for modal dialogs.
  framework::ModalOwner modal(owner);
  return framework::prompter().message_box(owner, CString(text), CString(caption ? std::string(caption) : base::cp1250::from_utf8("Błąd")), type);
}

int AfxMessageBox(LPCTSTR text, UINT type, UINT help) {
  if (CWinApp* app = AfxGetApp()) return app->DoMessageBox(text, type, help);
  return MessageBox(nullptr, text, nullptr, type);
}

int AfxMessageBox(UINT id, UINT type, UINT help) {
  CString text;
  AfxLoadString(id, text);
  return AfxMessageBox(text, type, help == UINT(-1) ? id : help);
}
