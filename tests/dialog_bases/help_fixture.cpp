#include "tests/dialog_bases/help_fixture.h"

#include <ostream>

#include "platform/framework/control_messages.h"
#include "platform/framework/dialog.h"
#include "platform/res/resource_store.h"

namespace lumo::test {
namespace {

void register_help_templates() {
  static const bool done = [] {
    static const res::DialogControlResource dialog_controls[] = {
        {UINT(IDC_HELP_LABEL), "Static", "&Tytuł aktu:", {7, 9, 60, 19}, WS_VISIBLE, 0},
        {UINT(IDC_HELP_TITLE), "Edit", "", {62, 7, 190, 19}, WS_VISIBLE | WS_TABSTOP | WS_BORDER, 0},
        {UINT(IDOK), "Button", "OK", {86, 30, 136, 44}, WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
        {UINT(IDCANCEL), "Button", "Anuluj", {140, 30, 190, 44}, WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 0},
    };
    res::add_dialog({IDD_HELP_DIALOG, "Wyszukiwanie według tytułu", {0, 0, 197, 52},
                     WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, nullptr, 8, dialog_controls});
    static const res::DialogControlResource page_controls[] = {
        {UINT(IDC_HELP_LABEL), "Static", "&Rok wydania:", {7, 9, 60, 19}, WS_VISIBLE, 0},
        {UINT(IDC_HELP_YEAR), "Edit", "", {62, 7, 120, 19}, WS_VISIBLE | WS_TABSTOP | WS_BORDER, 0},
        {UINT(IDC_HELP_ATTACHMENTS), "Button", "Szukaj też w &załącznikach", {7, 26, 150, 38},
         WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP, 0},
    };
    res::add_dialog({IDD_HELP_PAGE, "Zakres", {0, 0, 160, 60}, WS_CHILD, 0, nullptr, 8, page_controls});
    static const res::DialogControlResource plain_controls[] = {
        {UINT(IDC_PLAIN_FIELD), "Edit", "", {7, 7, 120, 19}, WS_VISIBLE | WS_TABSTOP | WS_BORDER, 0},
    };
    res::add_dialog({IDD_PLAIN_PAGE, "Uwagi", {0, 0, 160, 60}, WS_CHILD, 0, nullptr, 8, plain_controls});
    return true;
  }();
  (void)done;
}

}  // namespace

void PrintTo(const Asked& a, std::ostream* os) {
  *os << "{window " << a.window << ", control " << a.control_id << ", context 0x" << std::hex << a.context_id
      << ", command 0x" << a.command << std::dec << ", file \"" << a.help_file << "\"}";
}

void HelpTest::SetUp() {
  FrameworkTest::SetUp();
  register_help_templates();
  app->m_pszHelpFilePath = "lumokal.hlp";
  shell::set_help_service(&help);
}

void HelpTest::TearDown() {
  shell::set_help_service(nullptr);
  FrameworkTest::TearDown();
}

std::vector<Asked> HelpTest::asked() const {
  std::vector<Asked> out;
  for (const shell::HelpRequest& r : help.requests) {
    out.push_back({r.window, r.control_id, r.context_id, r.command, std::string(r.help_file)});
  }
  return out;
}

POINT HelpTest::middle_of(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace lumo::test
