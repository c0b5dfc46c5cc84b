// The default prompter's questions follow the program's modal rules: the owner is disabled while
// a question is up, the program's queue keeps running (posted messages arrive), and the owner is
// enabled and active again afterwards.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

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

// Answers the question that is up by pressing its button, from inside the modal loop.
LRESULT answering_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TEST_ANSWER) {
    ++seen.delivered;
    seen.owner_enabled = IsWindowEnabled(seen.owner);
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      if (!box->buttons().isEmpty()) box->buttons().front()->click();
    }
    return 0;
  }
  return DefWindowProc(h, message, wParam, lParam);
}

class ModalPromptTest : public FrameworkTest {};

TEST_F(ModalPromptTest, QuestionKeepsThePumpRunningAndGivesTheOwnerBack) {
  CMDIFrameWnd* main = make_main_frame();
  framework::set_prompter(nullptr);  // the default prompter
  seen = Seen{};
  seen.owner = main->m_hWnd;
  HWND answerer = CreateWindowEx(0, test_window_class("PromptAnswerer", answering_proc), "", WS_POPUP, 0, 0, 10,
                                 10, nullptr, nullptr, nullptr);
  ASSERT_NE(answerer, nullptr);
  PostMessage(answerer, WM_TEST_ANSWER, 0, 0);
  // Should the queue not run, the question still goes away and the checks below fail.
  QTimer::singleShot(5000, [] {
    if (QWidget* w = QApplication::activeModalWidget()) w->close();
  });
  int answer = MessageBox(main->m_hWnd, "Czy kontynuować?", "Pytanie", MB_OK);
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(seen.delivered, 1);
  EXPECT_FALSE(seen.owner_enabled);
  EXPECT_TRUE(main->IsWindowEnabled());
  EXPECT_EQ(GetActiveWindow(), main->m_hWnd);
  DestroyWindow(answerer);
}

}  // namespace
}  // namespace lumo::test
