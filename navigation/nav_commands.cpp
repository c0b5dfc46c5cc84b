#include "navigation/nav_commands.h"

#include <algorithm>

#include "engine/medview/engine_titles.h"
#include "engine/medview/topic_list.h"
#include "navigation/bookmark_tab.h"
#include "navigation/du_tab.h"
#include "navigation/keyword_hits.h"
#include "navigation/keywordsres_tab.h"
#include "navigation/nav_bar.h"
#include "pictures/sheets/lumo_bmp_view.h"
#include "shell/print/printmark_tab.h"
#include "platform/framework/app.h"
#include "platform/framework/mdi.h"
#include "platform/framework/menu.h"
#include "platform/win/virtual_keys.h"
#include "shell/library_title.h"
#include "shell/lumo_kal_doc.h"
#include "shell/main_frame.h"
#include "shell/work_items.h"

namespace navcmd {
namespace {

template <class Bar>
Bar* FindBar() {
  auto* main = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
  if (!main) return nullptr;
  for (CControlBar* bar : main->m_listControlBars) {
    if (auto* found = dynamic_cast<Bar*>(bar)) return found;
  }
  return nullptr;
}

}  // namespace

COutputWnd* FindOutputWnd() { return FindBar<COutputWnd>(); }
CIndexWnd* FindIndexWnd() { return FindBar<CIndexWnd>(); }

void RevealResultsTab() {
  constexpr int kResultsTab = 3;
  COutputWnd* nav = FindOutputWnd();
  if (!nav) return;
  if (auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd()); frame && !nav->IsWindowVisible()) {
    frame->ShowControlBar(nav, TRUE, FALSE);
  }
  nav->ActivateTab(kResultsTab);
}

bool HasActiveSheet() {
  auto* main = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
  return main && main->MDIGetActive() != nullptr;
}

void TrackTabMenu(CMenu* popup, const POINT& point, CWnd* target) {
  if (!popup || !target) return;
  if (auto* main = dynamic_cast<CMainFrame*>(AfxGetMainWnd())) {
    main->TrackContextMenu(popup, point, target);
  } else {
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, target);
  }
}

void OpenRecord(int32_t topic, bool new_sheet) {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (!work || topic < 0) return;
  if (new_sheet || !HasActiveSheet() || (::GetKeyState(VK_CONTROL) & 0x8000)) work->SetSavedTopic(topic);
  work->OpenTopic(topic, 3, 0);
}

bool ReturnFromPictureSheet(bool only_with_active_sheet) {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (!work || (only_with_active_sheet && !HasActiveSheet())) return false;
  auto* picture = dynamic_cast<CLumoBMPView*>(work->GetCurrentPictureView());
  return picture && picture->ReturnToSourceTopic();
}

void LocateInLibrary(int32_t topic) {
  CIndexWnd* lists = FindIndexWnd();
  if (!lists) return;
  if (lists->GetActiveTab() != 0) lists->ActivateTab(0);
  if (CDUTree* tree = lists->GetLibraryTree()) tree->LocateRecord(topic, nullptr);
}

void AddBookmarkFor(int32_t topic) {
  if (COutputWnd* nav = FindOutputWnd(); nav && nav->GetBookmarkTab()) nav->GetBookmarkTab()->AddBookmark(topic);
}

bool AddRecordToPrintList(int32_t topic) {
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  title::TitleHandle* title = LibraryTitle();
  if (!work || !title || topic < 0) return false;
  auto item = std::make_unique<CMvPrintmarkItem>();
  static_cast<CMvHistoryItem&>(*item) = CMvHistoryItem(topic, medview::MvTopicNumberToPosition(title, topic), 0, title);
  item->m_nKind = 7;
  work->GetPrintList().push_back(std::move(item));
  if (COutputWnd* nav = FindOutputWnd(); nav && nav->GetPrintmarkTab()) {
    shell::ActDescription d;
    work->GetActDescription(topic, d);
    nav->GetPrintmarkTab()->AddRows(d, CPrintmarkTab::kWholeAct);
  }
  return true;
}

shell::ContentsRecord ActRecordOf(const CLumoKALDoc& work, const shell::ActDescription& d) {
  shell::ContentsRecord act;
  const int32_t act_number = d.records[shell::kLevelAct];
  if (act_number < 0 || !work.ReadCatalogRecord(act_number, act)) act = d.record;
  return act;
}

navtext::EntryTexts DescribeRow(const CLumoKALDoc& work, const shell::ActDescription& d) {
  return navtext::DescribeEntry(d, ActRecordOf(work, d));
}

engine::GroupPtr GroupOf(const std::vector<int32_t>& topics) {
  if (topics.empty()) return nullptr;
  const int32_t highest = *std::max_element(topics.begin(), topics.end());
  if (highest < 0) return nullptr;
  engine::GroupPtr group = medview::MvCreateGroup(highest + 1, nullptr);
  if (!group) return nullptr;
  for (int32_t topic : topics) {
    if (topic >= 0 && !medview::MvGroupHasItem(group.get(), topic)) medview::MvAddGroupItem(group.get(), topic);
  }
  return group;
}

void ListKeywordHits(const std::string& keyword) {
  CKeywordsresTab* tab = CKeywordsresTab::BringForward(true);
  if (tab && keywords::KeywordHits().count > 0) tab->ShowKeyword(CString(keyword));
}

}  // namespace navcmd
