// The fixture of the application's test programs: the sample acts compiled into a library once
// per program, a private profile, registry and data folder, a prompter answering from a queue,
// and an application object whose single-instance lock is private to the test program. The
// application is made but not started; StartWithLibrary starts it as the program does.
#pragma once

#include <memory>
#include <string>

#include "shell/lumo_app.h"
#include "tests/compiler/library_fixture.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/queued_prompter.h"

class CFrameWnd;

namespace lumo::test {

class AppTest : public GuiTest {
 protected:
  // `sample` names the compiled library (one per program); message boxes get `otherwise` once the
  // queue of answers is empty. `acts` is the folder compiled (the sample acts when empty); a folder
  // other than the samples may hold files that are no act, which the compiler skips.
  explicit AppTest(std::string sample, int otherwise = IDCANCEL, std::string acts = {});

  void SetUp() override;
  void TearDown() override;

  // Starts the program with the library as the stored data folder and no command-line arguments.
  BOOL StartWithLibrary();
  // Starts it so and places the main window at (0, 0) in the given size; null when it does not start.
  CFrameWnd* StartWithLibraryAt(int width, int height);
  std::string LibraryTitlePath() const;
  // The scope of the test program's single-instance lock (a second guard with it meets the first).
  std::string InstanceScope() const;

  const compiler_test::CompiledLibrary* library_ = nullptr;
  // The test's own folder; the data folder is its "data" folder.
  std::string folder_;
  QueuedPrompter prompts_;
  std::unique_ptr<CLumoApp> app_;

 private:
  std::string sample_;
  std::string acts_;
};

}  // namespace lumo::test
