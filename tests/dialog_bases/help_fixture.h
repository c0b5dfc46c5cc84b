// The fixture of the context-help tests: the application with a help file, a help service that
// records every request instead of showing it, and the dialog templates of the tests.
#pragma once

#include <string>
#include <vector>

#include "platform/shell/services.h"
#include "tests/framework/framework_fixture.h"

namespace lumo::test {

constexpr UINT IDD_HELP_DIALOG = 100;
constexpr UINT IDD_HELP_PAGE = 1580;
constexpr UINT IDD_PLAIN_PAGE = 1581;
constexpr int IDC_HELP_LABEL = 1000;
constexpr int IDC_HELP_TITLE = 1001;
constexpr int IDC_HELP_YEAR = 1009;
constexpr int IDC_HELP_ATTACHMENTS = 1010;
constexpr int IDC_PLAIN_FIELD = 1020;

class RecordingHelpService : public shell::HelpService {
 public:
  std::vector<shell::HelpRequest> requests;
  bool show(const shell::HelpRequest& request) override {
    requests.push_back(request);
    return true;
  }
};

// What one request asked for, comparable in expectations.
struct Asked {
  HWND window;
  UINT control_id;
  UINT context_id;
  UINT command;
  std::string help_file;
  bool operator==(const Asked&) const = default;
};
void PrintTo(const Asked& a, std::ostream* os);

class HelpTest : public FrameworkTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::vector<Asked> asked() const;
  // The screen point at the middle of a window.
  static POINT middle_of(HWND h);

  RecordingHelpService help;
};

}  // namespace lumo::test
