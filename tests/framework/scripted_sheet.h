// A property sheet that runs a test's script from inside its own modal loop once it is up.
#pragma once

#include <functional>

#include "platform/framework/property_sheet.h"

namespace lumo::test {

class ScriptedSheet : public CPropertySheet {
 public:
  using CPropertySheet::CPropertySheet;
  std::function<void()> script;
  BOOL OnInitDialog() override {
    BOOL result = CPropertySheet::OnInitDialog();
    PostMessage(kRunScript);
    return result;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kRunScript && script) {
      script();
      return 0;
    }
    return CPropertySheet::WindowProc(message, wParam, lParam);
  }

 private:
  static constexpr UINT kRunScript = WM_APP;
};

}  // namespace lumo::test
