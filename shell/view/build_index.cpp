// The text view's contents index builder: the library's topics read through an off-screen pane and
// handed to the routine the library compiler writes Index.idx with.
#include <string>

#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_titles.h"
#include "navigation/du_tree.h"
#include "platform/base/cp1250.h"
#include "platform/base/data_folder.h"
#include "platform/framework/app.h"
#include "platform/framework/command_ids.h"
#include "resources/resource_ids.h"
#include "shell/core/contents_index.h"
#include "shell/library_title.h"
#include "shell/view/lumo_kal_view.h"
#include "shell/view/mv_dummy.h"

std::string CLumoKALView::BuiltIndexPath() { return base::data_folder() + "/index.idx"; }

void CLumoKALView::OnBuildIndex() {
  title::TitleHandle* title = LibraryTitle();
  if (!title) return;
  const int32_t count = medview::MvGetTitleInfo(title, 11, 0, nullptr, 0);
  if (count <= 0) return;
  CMvDummy pane;
  if (!pane.Create(nullptr)) return;

  BeginWaitCursor();
  std::string status_text;
  {
    LoadProgress progress("Trwa budowanie indeksu...");
    // A topic's header text and title, read once per topic in catalogue order.
    int32_t shown = -1;
    auto show = [&](int32_t topic) {
      if (topic == shown) return;
      shown = topic;
      const int32_t position = medview::MvTopicNumberToPosition(title, topic);
      const bool found = position != -1 && (pane.ShowPosition(position, FALSE) || pane.ShowPosition(position, TRUE));
      if (!found) frame::MvResetView(pane.GetViewer());
      progress.Step(size_t(topic), size_t(count));
    };
    shell::ContentsTopics topics;
    topics.count = count;
    topics.header_text = [&](int32_t topic) {
      show(topic);
      return frame::MvGetTopicHeaderText(pane.GetViewer());
    };
    topics.title = [&](int32_t topic) {
      show(topic);
      return frame::MvGetTopicTitle(pane.GetViewer());
    };
    const std::string path = BuiltIndexPath();
    if (shell::WriteContentsIndex(topics, path) != 0) status_text = base::cp1250::from_utf8("Nie można zapisać indeksu ") + path;
  }
  EndWaitCursor();
  if (CWnd* main = AfxGetMainWnd()) {
    if (status_text.empty())
      main->SendMessage(WM_SETMESSAGESTRING, resources::IDS_IDLE_PROMPT, 0);
    else
      main->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(status_text.c_str()));
  }
}
