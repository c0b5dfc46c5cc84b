// The default prompter's questions follow the program's modal rules: the owner is disabled while
// a question is up, the program's queue keeps running (posted messages arrive), and the owner is
// enabled and active again afterwards.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "platform/framework/print_dialogs.h"
#include "tests/framework/framework_fixture.h"

namespace lumo::test {
namespace {

constexpr UINT WM_TEST_ANSWER = WM_USER + 77;

struct Seen {
  int delivered = 0;
  BOOL owner_enabled = TRUE;
  HWND owner = nullptr;
};
Seen seen;

// Answers the question that is up, from inside the modal loop: a message box by pressing its
// button, another dialog by accepting it.
LRESULT answering_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TEST_ANSWER) {
    ++seen.delivered;
    seen.owner_enabled = IsWindowEnabled(seen.owner);
    QWidget* up = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(up)) {
      if (!box->buttons().isEmpty()) box->buttons().front()->click();
    } else if (auto* dialog = qobject_cast<QDialog*>(up)) {
      dialog->accept();
    }
    return 0;
  }
  return DefWindowProc(h, message, wParam, lParam);
}

class ModalPromptTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    main = make_main_frame();
    framework::set_prompter(nullptr);  // the default prompter
    seen = Seen{};
    seen.owner = main->m_hWnd;
    answerer = CreateWindowEx(0, test_window_class("PromptAnswerer", answering_proc), "", WS_POPUP, 0, 0, 10, 10,
                              nullptr, nullptr, nullptr);
    ASSERT_NE(answerer, nullptr);
    PostMessage(answerer, WM_TEST_ANSWER, 0, 0);
    // Should the queue not run, the question still goes away and the checks fail.
    QTimer::singleShot(5000, [] {
      if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
  }
  void TearDown() override {
    DestroyWindow(answerer);
    FrameworkTest::TearDown();
  }
  void expect_owner_given_back() const {
    EXPECT_EQ(seen.delivered, 1);
    EXPECT_FALSE(seen.owner_enabled);
    EXPECT_TRUE(main->IsWindowEnabled());
    EXPECT_EQ(GetActiveWindow(), main->m_hWnd);
  }
  CMDIFrameWnd* main = nullptr;
  HWND answerer = nullptr;
};

TEST_F(ModalPromptTest, MessageBoxKeepsThePumpRunningAndGivesTheOwnerBack) {
  EXPECT_EQ(MessageBox(main->m_hWnd, "Czy kontynuować?", "Pytanie", MB_OK), IDOK);
  expect_owner_given_back();
}

TEST_F(ModalPromptTest, PageSetupDialogKeepsThePumpRunningAndGivesTheOwnerBack) {
  CPageSetupDialog dialog(PSD_MARGINS | PSD_INHUNDREDTHSOFMILLIMETERS);
  dialog.m_psd.rtMargin = RECT{2000, 1500, 2000, 1500};
  ASSERT_EQ(dialog.DoModal(), IDOK);
  expect_owner_given_back();
  RECT margins{};
  dialog.GetMargins(&margins, nullptr);
  EXPECT_EQ(margins.left, 2000);
  EXPECT_EQ(margins.top, 1500);
  EXPECT_EQ(dialog.GetPaperSize(), CSize(21000, 29700));
}

}  // namespace
}  // namespace lumo::test
