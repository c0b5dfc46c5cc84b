// The fixture of the main frame tests: a private registry and profile, the program's resources, an
// application object that has not started (its settings are the defaults), main frames made and
// closed as the program does, a work with text sheets and picture sheets whose views are plain
// test views that tell the frames their topic.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/framework/doc_template.h"
#include "platform/framework/prompter.h"
#include "platform/framework/view.h"
#include "shell/child_frames.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/main_frame.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/queued_prompter.h"

namespace lumo::test {

std::string Utf8(const CString& text);

// Answers message boxes from a queue (cancel when it is empty) and records their texts.
using Prompts = QueuedPrompter;

// A sheet's view: shows a topic and remembers whose history it took over.
class TestSheetView : public CView, public CSheetPlace {
  DECLARE_DYNCREATE(TestSheetView)

 public:
  TestSheetView();
  void OnDraw(CDC*) override {}
  int32_t GetShownTopic() const override { return topic; }
  int GetShownScroll() const override { return 0; }
  void CopyHistoryFrom(CView* other) override;

  int32_t topic = -1;
  int32_t history_from = -1;
  // The topic the next view made shows.
  static int32_t next_topic;
};

class FrameTest : public GuiTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A main frame made as the program makes it, shown.
  CMainFrame* MakeFrame();
  // Closes the frame as the user does and lets it end.
  void CloseFrame(CMainFrame* frame);
  // A registry string under the program's key (empty when missing), and writing one.
  static std::string StoredValue(const char* name);
  static void StoreValue(const char* name, const std::string& value);

  // A new work (the current one) whose template opens text sheets.
  CLumoKALDoc* NewWork();
  // A text sheet of the work showing `topic`; null when refused.
  CMDIChildWnd* OpenTextSheet(CLumoKALDoc* work, int32_t topic = -1);
  CChildBMPFrame* OpenPictureSheet();
  // Whose history the frame's view took over (-1: none).
  static int32_t LastHistorySource(CMDIChildWnd* frame);

  std::string folder_;
  Prompts prompts_;
  std::unique_ptr<CLumoApp> app_;
  CMultiDocTemplate* text_template_ = nullptr;
  CMultiDocTemplate* picture_template_ = nullptr;
};

}  // namespace lumo::test
