#include "platform/framework/prompter.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "platform/base/cp1250.h"
#include "platform/framework/app.h"
#include "platform/res/resource_store.h"
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

class QtPrompter : public Prompter {
 public:
  int message_box(HWND, const CString& text, const CString& caption, UINT type) override {
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
    box.exec();
    for (int i = 0; i < n; ++i) {
      if (box.clickedButton() == made[size_t(i)]) return buttons[i].answer;
    }
    return IDCANCEL;
  }

  bool choose_files(HWND, const FileQuestion& q, std::vector<CString>& chosen) override {
    QFileDialog dialog(nullptr, qt(q.title), qt(q.initial), qt_filter(q.filter));
    dialog.setAcceptMode(q.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(q.open ? (q.multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile)
                              : QFileDialog::AnyFile);
    if (!q.default_extension.IsEmpty()) dialog.setDefaultSuffix(qt(q.default_extension));
    if (!q.overwrite_prompt) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted) return false;
    chosen.clear();
    for (const QString& f : dialog.selectedFiles()) chosen.push_back(cp(f));
    return !chosen.empty();
  }

  bool choose_folder(HWND, const CString& title, CString& folder) override {
    QString f = QFileDialog::getExistingDirectory(nullptr, qt(title), qt(folder));
    if (f.isEmpty()) return false;
    folder = cp(f);
    return true;
  }

  bool choose_colour(HWND, COLORREF& colour) override {
    QColor c = QColorDialog::getColor(QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)));
    if (!c.isValid()) return false;
    colour = RGB(c.red(), c.green(), c.blue());
    return true;
  }

  bool choose_printer(HWND, CString& printer, CString& to_file, int& copies) override {
    QPrinter p;
    if (!printer.IsEmpty()) p.setPrinterName(qt(printer));
    QPrintDialog dialog(&p);
    if (dialog.exec() != QDialog::Accepted) return false;
    printer = cp(p.printerName());
    to_file = p.outputFormat() == QPrinter::PdfFormat ? cp(p.outputFileName()) : CString();
    copies = p.copyCount();
    return true;
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

Prompter& prompter() {
  static QtPrompter qt_prompter;
  return installed() ? *installed() : qt_prompter;
}

void set_prompter(Prompter* p) { installed() = p; }

}  // namespace framework

int MessageBox(HWND owner, const char* text, const char* caption, UINT type) {
  // The owner's top-level window is disabled while the question is up, as for modal dialogs.
  HWND top = owner && IsWindow(owner) ? GetAncestorTopLevel(owner) : nullptr;
  bool disabled = top && IsWindowEnabled(top);
  if (disabled) EnableWindow(top, FALSE);
  int answer = framework::prompter().message_box(owner, CString(text), CString(caption ? std::string(caption) : base::cp1250::from_utf8("Błąd")), type);
  if (disabled && IsWindow(top)) EnableWindow(top, TRUE);
  return answer;
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
