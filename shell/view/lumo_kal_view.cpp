#include "shell/view/lumo_kal_view.h"

#include "engine/frame/clipboard_render.h"
#include "engine/frame/hit_marks.h"
#include "engine/frame/painting.h"
#include "engine/frame/scrolling.h"
#include "engine/frame/selection.h"
#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_titles.h"
#include "navigation/nav_commands.h"
#include "pictures/sheets/lumo_bmp_view.h"
#include "navigation/topic_ole.h"
#include "platform/base/cp1250.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/status_bar.h"
#include "toolkit/frame/sec_status_bar.h"
#include "platform/shell/drag_drop.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"
#include "resources/resource_ids.h"
#include "shell/annotations_dlg.h"
#include "shell/print/printmark_quick_dlg.h"
#include "shell/library_title.h"
#include "navigation/act_dlg.h"
#include "navigation/bookmark_quick_dlg.h"
#include "navigation/gtf_sheet.h"
#include "navigation/history_tab.h"
#include "navigation/nav_bar.h"
#include "navigation/nav_commands.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/view/view_rules.h"

namespace {

constexpr COLORREF kPaneBackground = 0x808080;
constexpr UINT kPaneCursor = 103;

// The in-act query's results, one set for the whole program: the topic list (which owns the hits),
// its hits and the view that ran the query.
struct InActResults {
  medview::TopicListHandle list = nullptr;
  fts::HitHighlightHandle hits = nullptr;
  CLumoKALView* owner = nullptr;
};
InActResults g_in_act;
std::string g_last_selection_search;

HBRUSH FirstHitBrush() {
  static HBRUSH brush = ::CreateSolidBrush(0x800000);
  return brush;
}
HBRUSH SecondHitBrush() {
  static HBRUSH brush = ::CreateSolidBrush(0x4000);
  return brush;
}

bool CtrlDown() { return (::GetKeyState(VK_CONTROL) & 0x8000) != 0; }

}  // namespace

IMPLEMENT_DYNCREATE(CLumoKALView, CFormView)

BEGIN_MESSAGE_MAP(CLumoKALView, CFormView)
  ON_WM_CTLCOLOR()
  ON_WM_SIZE()
  ON_COMMAND(ID_EDIT_COPY, &CLumoKALView::OnEditCopy)
  ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, &CLumoKALView::OnUpdateEditCopy)
  ON_COMMAND(resources::ID_ADD_TO_BINDER, &CLumoKALView::OnAddToBinder)
  ON_UPDATE_COMMAND_UI(resources::ID_ADD_TO_BINDER, &CLumoKALView::OnUpdateAddToBinder)
  ON_COMMAND(resources::ID_EDIT_SELECT_ALL, &CLumoKALView::OnSelectAll)
  ON_COMMAND(resources::ID_NEXT_PAGE, &CLumoKALView::OnNextPage)
  ON_UPDATE_COMMAND_UI(resources::ID_NEXT_PAGE, &CLumoKALView::OnUpdateNextPage)
  ON_COMMAND(resources::ID_PREVIOUS_PAGE, &CLumoKALView::OnPreviousPage)
  ON_UPDATE_COMMAND_UI(resources::ID_PREVIOUS_PAGE, &CLumoKALView::OnUpdatePreviousPage)
  ON_COMMAND(resources::ID_SMOOTH_SCROLL, &CLumoKALView::OnSmoothScroll)
  ON_UPDATE_COMMAND_UI(resources::ID_SMOOTH_SCROLL, &CLumoKALView::OnUpdateSmoothScroll)
  ON_COMMAND(resources::ID_NEXT_FOUND, &CLumoKALView::OnNextFound)
  ON_UPDATE_COMMAND_UI(resources::ID_NEXT_FOUND, &CLumoKALView::OnUpdateNextFound)
  ON_COMMAND(ID_EDIT_UNDO, &CLumoKALView::OnGoBack)
  ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, &CLumoKALView::OnUpdateGoBack)
  ON_COMMAND(resources::ID_HIGHLIGHT_FOUND, &CLumoKALView::OnHighlightFound)
  ON_UPDATE_COMMAND_UI(resources::ID_HIGHLIGHT_FOUND, &CLumoKALView::OnUpdateHighlightFound)
  ON_COMMAND(resources::ID_MOVE_SELECTION, &CLumoKALView::OnMoveSelection)
  ON_COMMAND(resources::ID_FIND_SELECTION_IN_ACT, &CLumoKALView::OnFindSelectionInAct)
  ON_MESSAGE(kMsgDeferredJump, &CLumoKALView::OnDeferredJump)
  ON_COMMAND(resources::ID_FILE_PRINT, &CLumoKALView::OnFilePrintAct)
  ON_UPDATE_COMMAND_UI(resources::ID_FILE_PRINT, &CLumoKALView::OnUpdateFilePrintAct)
  ON_COMMAND(resources::ID_PRINT_ACT_JOB, &CLumoKALView::OnPrintActJob)
  ON_COMMAND(resources::ID_LOCATE_IN_LIBRARY, &CLumoKALView::OnLocateInLibrary)
  ON_COMMAND(resources::ID_BUILD_INDEX, &CLumoKALView::OnBuildIndex)
  ON_COMMAND(resources::ID_ANNOTATION, &CLumoKALView::OnAnnotation)
  ON_UPDATE_COMMAND_UI(resources::ID_LOCATE_IN_LIBRARY, &CLumoKALView::OnUpdateLocateInLibrary)
  ON_COMMAND(resources::ID_INSERT_BOOKMARK, &CLumoKALView::OnAddBookmark)
  ON_UPDATE_COMMAND_UI(resources::ID_INSERT_BOOKMARK, &CLumoKALView::OnUpdateAddBookmark)
END_MESSAGE_MAP()

CLumoKALView::CLumoKALView() : CFormView(kTemplate) {
  MvPaneClassName();
  m_hWhiteBrush = ::CreateSolidBrush(0xFFFFFF);
}

CLumoKALView::~CLumoKALView() {
  if (g_in_act.owner == this) g_in_act.owner = nullptr;
  // The history tab lets go of the list that goes with the view.
  if (CHistoryTab* tab = HistoryTab(); tab && tab->GetBoundView() == this) tab->Bind(nullptr, nullptr);
  ClearHistory();
  // The panes go before the viewers they were cloned from.
  for (CMvPane* pane : {static_cast<CMvPane*>(&m_textPane), static_cast<CMvPane*>(&m_topicHeader),
                        static_cast<CMvPane*>(&m_actHeader)}) {
    pane->Detach(TRUE);
  }
  DetachTitle();
  ::DeleteObject(m_hWhiteBrush);
}

CLumoKALDoc* CLumoKALView::GetWork() const { return dynamic_cast<CLumoKALDoc*>(m_pDocument); }

void CLumoKALView::FreeQueryResults() {
  if (g_in_act.list) medview::MvFreeTopicList(g_in_act.list);
  g_in_act = {};
}

fts::HitHighlightHandle CLumoKALView::GetOwnQueryHits() const {
  return g_in_act.owner == this ? g_in_act.hits : nullptr;
}

fts::HitHighlightHandle CLumoKALView::GetFoundWordSource() const {
  if (fts::HitHighlightHandle own = GetOwnQueryHits()) return own;
  return CLumoKALDoc::GetResultListHits();
}

// --- Initial update and panes -----------------------------------------------------------------

void CLumoKALView::OnInitialUpdate() {
  m_actHeader.Create(kActHeaderId, this, TRUE);
  m_topicHeader.Create(kTopicHeaderId, this, TRUE);
  m_textPane.Create(kTextId, this, TRUE);
  CFormView::OnInitialUpdate();
  // The panes fill the sheet and scroll their own text: the form itself never scrolls, so a sheet
  // smaller than the form's template shows no second bar beside the text pane's.
  SetScrollSizes(MM_TEXT, CSize(0, 0));
  CWinApp* app = AfxGetApp();
  HCURSOR cursor = app ? app->LoadCursor(kPaneCursor) : nullptr;
  for (CMvPane* pane : m_panes) {
    pane->SetBackColor(kPaneBackground);
    for (int kind : {1, 2, 0}) pane->SetKindCursor(kind, cursor);
  }
  if (CLumoKALDoc* work = GetWork()) work->AttachFirstView(this);
  if (m_pViewer) LayoutPanes(nullptr);
  RegisterTopicDropTarget();
}

void CLumoKALView::OnAddToBinder() {
  if (m_pViewer) navcmd::AddTopicToBinder(frame::MvGetCurrentTopic(m_pViewer));
}

void CLumoKALView::OnUpdateAddToBinder(CCmdUI* pCmdUI) { pCmdUI->Enable(m_pViewer && navcmd::IsBinderOpen()); }

void CLumoKALView::RegisterTopicDropTarget() {
  if (m_pDropTarget) return;
  m_pDropTarget = std::make_unique<CTopicOleDropTarget>();
  m_pDropTarget->Register(this);
}

int CLumoKALView::AddPane(CMvPane* pane) {
  if (std::find(m_panes.begin(), m_panes.end(), pane) == m_panes.end()) m_panes.push_back(pane);
  ClearHistory();
  return 0;
}

CMvPane* CLumoKALView::RemovePane(CMvPane* pane) {
  auto it = std::find(m_panes.begin(), m_panes.end(), pane);
  if (it == m_panes.end()) return nullptr;
  m_panes.erase(it);
  ClearHistory();
  return pane;
}

BOOL CLumoKALView::AttachTitle(title::TitleHandle* title, LPCTSTR lpszTitleFile) {
  DetachTitle();
  if (!title) return FALSE;
  const std::string name = lpszTitleFile ? CString(lpszTitleFile).str() : std::string();
  m_pViewer = medview::MvCreateViewer(title, nullptr);
  if (!m_pViewer || !medview::MvSetTitle(m_pViewer, title, name.empty() ? nullptr : name.c_str(), nullptr)) {
    DetachTitle();
    return FALSE;
  }
  m_pSecondViewer = medview::MvCreateViewer(title, nullptr);
  if (!m_pSecondViewer) {
    DetachTitle();
    return FALSE;
  }
  medview::MvSetKerningMinSize(m_pViewer, 40);
  medview::MvSetKerningMinSize(m_pSecondViewer, 40);
  BOOL all = TRUE;
  BOOL focused = FALSE;
  for (CMvPane* pane : m_panes) {
    all = pane->AttachViewer(title, lpszTitleFile, &m_pViewer) && all;
    pane->ApplyLinkStyles(TRUE);
    if (all && !focused && pane->ShowsScrollingRegion() && pane->m_hWnd) {
      pane->SetFocus();
      focused = TRUE;
    }
  }
  m_nPosition = 0;
  return all;
}

void CLumoKALView::DetachTitle() {
  if (m_pViewer) {
    for (CMvPane* pane : m_panes) pane->FreeViewer();
    frame::MvResetView(m_pViewer);
    medview::MvDestroyViewer(m_pViewer);
    m_pViewer = nullptr;
    ClearHistory();
    m_nPosition = -1;
  }
  if (m_pSecondViewer) {
    for (CMvPane* pane : m_panes) pane->FreeViewer();
    frame::MvResetView(m_pSecondViewer);
    medview::MvDestroyViewer(m_pSecondViewer);
    m_pSecondViewer = nullptr;
  }
}

BOOL CLumoKALView::PaintMainViewer(CDC* pDC, const RECT* clip) {
  return m_pViewer && pDC && medview::MvPaint(m_pViewer, pDC->m_hDC, clip, nullptr);
}

int CLumoKALView::LayoutPanesAt(int flag, LPARAM top_left, LPARAM bottom_right) {
  if (flag != 0) return flag;
  const RECT rect{LOWORD(top_left), HIWORD(top_left), LOWORD(bottom_right), HIWORD(bottom_right)};
  return LayoutPanes(&rect);
}

shell::ContentsRecord CLumoKALView::CurrentRecord() const { return m_current.record; }

BOOL CLumoKALView::IsActHeaderShown(const shell::ContentsRecord& record) const {
  return m_bActHeader && ((record.level > 0 && record.level < shell::kLevelAct) || record.attachment);
}

COLORREF CLumoKALView::BinderShade(const engine::TopicGroup* group) const {
  const CLumoApp* app = LumoApp();
  if (!group || !app || !const_cast<CLumoApp*>(app)->GetUserData().m_bGreyOutsideBinder) return 0;
  return medview::MvGroupHasItem(group, m_textPane.GetCurrentTopic()) ? 0 : kShadeColour;
}

BOOL CLumoKALView::LayoutPanes(const RECT* rect) {
  if (!LibraryTitle() || !m_pViewer || !m_hWnd) return FALSE;
  CRect area;
  if (rect) {
    area = *rect;
  } else {
    GetClientRect(&area);
  }
  area.OffsetRect(-area.left, -area.top);
  if (area.Width() <= 0 || area.Height() <= 0) return FALSE;
  SetRedraw(FALSE);
  const bool act_header = IsActHeaderShown(CurrentRecord());
  int y = 0;
  for (CMvPane* pane : m_panes) {
    if (pane == &m_actHeader && !act_header) {
      pane->ShowWindow(SW_HIDE);
      continue;
    }
    // A header shows nothing of a topic without a non-scrolling region: its text would repeat the
    // text pane's. The act's header shows another topic, the act's heading, whatever its regions.
    const bool own_act = pane == &m_actHeader && pane->GetViewer() &&
                         frame::MvGetCurrentTopic(pane->GetViewer()) != frame::MvGetCurrentTopic(m_pViewer);
    if (!pane->ShowsScrollingRegion() && !own_act && !frame::MvHasNonScrollRegion(m_pViewer)) {
      pane->SetWindowPos(nullptr, 5, y, area.Width() - 5, 0, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
      const int32_t thumb = pane->GetViewer() ? medview::MvGetVerticalThumb(pane->GetViewer()) : 0;
      // A header keeps its height until it has fitted itself to its text: every change of a
      // window's size costs a new surface.
      CRect current;
      pane->GetWindowRect(&current);
      const int height = pane->ShowsScrollingRegion() ? area.Height() - y : std::max(1, current.Height());
      pane->SetWindowPos(nullptr, 5, y, area.Width() - 5, height, SWP_NOZORDER | SWP_NOACTIVATE);
      pane->FitToContent(TRUE);
      CRect client;
      pane->GetClientRect(&client);
      CRect window;
      pane->GetWindowRect(&window);
      y += window.Height();
      if (pane->ShowsScrollingRegion() && pane->GetViewer() && thumb > 0) {
        POINT move{0, 0};
        medview::MvScrollVertical(pane->GetViewer(), &move, nullptr, nullptr, medview::kScrollThumb, thumb, nullptr);
        pane->SetScrollPos(SB_VERT, medview::MvGetVerticalThumb(pane->GetViewer()), TRUE);
      }
    }
    if (!pane->IsWindowVisible()) pane->ShowWindow(SW_SHOWNA);
  }
  SetRedraw(TRUE);
  Invalidate();
  for (CMvPane* pane : m_panes) pane->Invalidate();
  return TRUE;
}

void CLumoKALView::OnSize(UINT nType, int cx, int cy) {
  CFormView::OnSize(nType, cx, cy);
  if (m_pViewer && cx > 0 && cy > 0) LayoutPanes(nullptr);
}

HBRUSH CLumoKALView::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (nCtlColor == CTLCOLOR_STATIC) return m_hWhiteBrush;
  return CFormView::OnCtlColor(pDC, pWnd, nCtlColor);
}

// --- Jumps ------------------------------------------------------------------------------------

BOOL CLumoKALView::GoToContents() {
  title::TitleHandle* title = LibraryTitle();
  if (!title || !m_pViewer) return FALSE;
  SetStatusPane(1, CString());
  SetStatusPane(2, CString());
  SetStatusPane(6, CString());
  return JumpTo(medview::MvGetStartTopicPosition(title), 0, 0);
}

BOOL CLumoKALView::JumpToTopicNumber(int32_t topic, int mode, int32_t scroll) {
  title::TitleHandle* title = LibraryTitle();
  if (!title || !m_pViewer) return FALSE;
  const int32_t position = medview::MvTopicNumberToPosition(title, topic);
  if (position == -1) return FALSE;
  if (JumpTo(position, mode, scroll)) return TRUE;
  // An act with no text of its own is shown by its first part.
  CLumoKALDoc* work = GetWork();
  shell::ContentsRecord record, next;
  if (!work || !work->ReadCatalogRecord(topic, record) || !work->ReadCatalogRecord(topic + 1, next)) return FALSE;
  if (next.parent != topic || next.number >= record.number) return FALSE;
  const int32_t following = medview::MvTopicNumberToPosition(title, topic + 1);
  return following != -1 && JumpTo(following, mode, 0);
}

BOOL CLumoKALView::JumpTo(int32_t position, int mode, int32_t scroll) {
  if (!m_pViewer) return FALSE;
  for (CMvPane* pane : m_panes) pane->ClosePopups();
  if (mode != 2 && m_textPane.GetViewer()) {
    UpdateLastHistoryScroll(m_nPosition, medview::MvGetVerticalThumb(m_textPane.GetViewer()));
  }
  if (m_pViewer->target == position && m_textPane.GetViewer() && m_textPane.GetViewer()->target == position) {
    return TRUE;
  }
  if (position == -1) return FALSE;
  title::TitleHandle* title = LibraryTitle();
  CLumoKALDoc* work = GetWork();
  HCURSOR previous_cursor = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
  auto fail = [&] {
    ::SetCursor(previous_cursor);
    return FALSE;
  };
  const int32_t topic_before = frame::MvGetCurrentTopic(m_pViewer);

  int32_t p = position;
  m_bScrollRegion = frame::MvSetTopic(m_pViewer, p, 1, 0, nullptr);
  if (!m_bScrollRegion) {
    const int32_t n = frame::MvGetCurrentTopic(m_pViewer);
    if (mode == 4 && topic_before == n + 1) {
      frame::MvSetTopic(m_pViewer, p, 0, 0, nullptr);
      m_bScrollRegion = frame::MvSetTopic(m_pViewer, p, 1, 0, nullptr);
      if (!m_bScrollRegion) frame::MvSetTopic(m_pViewer, p, 0, 0, nullptr);
    } else {
      shell::ContentsRecord record;
      if (work && work->ReadCatalogRecord(n, record) && record.level == shell::kLevelAct) {
        const int32_t following = medview::MvTopicNumberToPosition(title, n + 1);
        if (following == -1) return fail();
        p = following;
        m_bScrollRegion = frame::MvSetTopic(m_pViewer, p, 1, 0, nullptr);
        if (!m_bScrollRegion) frame::MvSetTopic(m_pViewer, p, 0, 0, nullptr);
      } else {
        frame::MvSetTopic(m_pViewer, p, 0, 0, nullptr);
      }
    }
  }

  m_previous = m_current;
  if (work) work->GetActDescription(frame::MvGetCurrentTopic(m_pViewer), m_current);
  if (CGTFSheet* sheet = CGTFSheet::GetOpen()) sheet->SetActiveTopic(this);

  int32_t scroll_left = 0;
  for (CMvPane* pane : m_panes) {
    if (pane->GetViewer()) medview::MvSetHitList(pane->GetViewer(), nullptr, TRUE, nullptr);
    BOOL went;
    if (pane->ShowsScrollingRegion()) {
      scroll_left = pane->GetViewer() ? medview::MvGetVerticalThumb(pane->GetViewer()) : 0;
      if (!m_bScrollRegion) {
        const int32_t next = medview::MvTopicNumberToPosition(title, frame::MvGetCurrentTopic(m_pViewer) + 1);
        if (next != -1) p = next;
      }
      went = pane->GoToTopic(p, 0, m_bScrollRegion);
      if (went) {
        pane->Layout();
        CMvSR* text = &m_textPane == pane ? &m_textPane : nullptr;
        if (mode == 2) {
          POINT move{0, 0};
          const int32_t thumb =
              medview::MvScrollVertical(pane->GetViewer(), &move, nullptr, nullptr, medview::kScrollThumb, scroll, nullptr);
          pane->SetScrollPos(SB_VERT, thumb, TRUE);
        } else {
          pane->SetScrollPos(SB_VERT, medview::MvGetVerticalThumb(pane->GetViewer()), TRUE);
          pane->SetScrollPos(SB_HORZ, medview::MvGetHorizontalThumb(pane->GetViewer()), TRUE);
          const CLumoApp* app = LumoApp();
          if (text && m_nFoundWordMode && app && const_cast<CLumoApp*>(app)->GetUserData().m_bFirstFoundWord) {
            text->ScrollToFirstHit(FALSE);
          }
        }
      }
    } else {
      went = pane->GoToTopic(position, 0, FALSE);
    }
    if (!went) return fail();
  }

  const shell::ContentsRecord& record = m_current.record;
  const int32_t act = m_current.records[shell::kLevelAct];
  if (record.level > 0 && record.level <= shell::kLevelAct && act > 0 && act != frame::MvGetCurrentTopic(m_pViewer)) {
    const int32_t act_position = medview::MvTopicNumberToPosition(title, act);
    if (act_position != -1 && m_actHeader.GoToTopic(act_position, 0, FALSE)) m_actHeader.Layout();
  }

  if (g_in_act.owner) FreeQueryResults();
  if (!LayoutPanes(nullptr)) return fail();
  UpdateTitleAndStatus();
  if (m_nPosition != 0 && topic_before != 0 && topic_before != -1) {
    AddToHistory(m_nPosition, topic_before, mode != 2, scroll_left);
    if (CLumoApp* app = LumoApp()) app->GetDocumentData().m_nOpenedTopics++;
  }
  m_nPosition = p;
  m_timeShown = CTime::GetCurrentTime();
  if (mode != 1) {
    Invalidate();
    UpdateWindow();
  }
  if (m_nFoundWordMode) {
    ApplyResultListHits();
  } else {
    SetStatusPane(2, CString(" "));
  }
  FollowInActInfoDialog(frame::MvGetCurrentTopic(m_pViewer));
  ::SetCursor(previous_cursor);
  return TRUE;
}

bool CLumoKALView::IsOwnPane(const CMvPane* pane) const {
  return std::find(m_panes.begin(), m_panes.end(), pane) != m_panes.end();
}

LRESULT CLumoKALView::OnDeferredJump(WPARAM wParam, LPARAM) {
  return JumpTo(int32_t(uint32_t(wParam)), 0, 0);
}

BOOL CLumoKALView::HasSelection() {
  for (CMvPane* pane : m_panes) {
    if (pane->GetViewer() && medview::MvHasSelection(pane->GetViewer())) return TRUE;
  }
  return FALSE;
}

BOOL CLumoKALView::HasPreviousTopic() {
  return m_pViewer && frame::MvGetPrevTopic(m_pViewer) != -1;
}

BOOL CLumoKALView::HasNextTopic() { return m_pViewer && frame::MvGetNextTopic(m_pViewer) != -1; }

// --- Topic texts -------------------------------------------------------------------------------

CString CLumoKALView::GetTopicTitle(int32_t position) {
  if (position == -1 || !m_pViewer) return CString();
  frame::MvSetTopic(m_pViewer, position, m_bScrollRegion ? 1 : 0, 0, nullptr);
  std::string text = frame::MvGetTopicTitle(m_pViewer);
  return CString(text.empty() ? std::string(base::cp1250::from_utf8("Bez nazwy")) : text);
}

CString CLumoKALView::GetTopicHeaderText(int32_t position) {
  if (!m_pViewer) return CString();
  if (!frame::MvSetTopic(m_pViewer, position, 0, 0, nullptr)) frame::MvSetTopic(m_pViewer, position, 1, 0, nullptr);
  for (CMvPane* pane : m_panes) {
    if (pane->GoToTopic(position, 0, pane->ShowsScrollingRegion())) pane->Layout();
  }
  std::string text = frame::MvGetTopicHeaderText(m_pViewer);
  return CString(text.empty() ? std::string(base::cp1250::from_utf8("Bez nazwy")) : text);
}

CString CLumoKALView::GetTopicTitleByNumber(int32_t topic) {
  title::TitleHandle* title = LibraryTitle();
  if (!title || !m_pViewer) return CString();
  const int32_t position = medview::MvTopicNumberToPosition(title, topic);
  return position == -1 ? CString() : GetTopicTitle(position);
}

CString CLumoKALView::GetTopicHeaderTextByNumber(int32_t topic) {
  title::TitleHandle* title = LibraryTitle();
  if (!title || !m_pViewer) return CString();
  const int32_t position = medview::MvTopicNumberToPosition(title, topic);
  return position == -1 ? CString() : GetTopicHeaderText(position);
}

// --- Title and status --------------------------------------------------------------------------

void CLumoKALView::SetStatusPane(int pane, const CString& text) {
  if (pane < 0 || pane >= 7) return;
  m_strStatus[pane] = text;
  CWnd* main = AfxGetMainWnd();
  if (!main || !main->m_hWnd) return;
  // The main frame's status bar is the toolkit's; a plain frame's is the framework's.
  CWnd* bar = main->GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
  if (auto* toolkit_bar = dynamic_cast<SECStatusBar*>(bar)) {
    toolkit_bar->SetPaneText(pane, text);
  } else if (auto* plain_bar = dynamic_cast<CStatusBar*>(bar)) {
    plain_bar->SetPaneText(pane, text);
  }
}

void CLumoKALView::UpdateTitleAndStatus() {
  shell::ContentsRecord act;
  const shell::ContentsRecord& record = m_current.record;
  CLumoKALDoc* work = GetWork();
  if (record.level > 0 && record.level < shell::kLevelAct && work) {
    work->FindAncestorRecord(record.parent, act, shell::kLevelAct);
  }
  const shell::view::SheetTexts texts = shell::view::MakeSheetTexts(m_current, act);
  if (!texts.changed) return;
  m_strSheetTitle = CString(texts.short_text);
  if (CFrameWnd* frame = GetParentFrame()) frame->SetWindowText(m_strSheetTitle);
  SetStatusPane(1, CString(texts.long_text));
  SetStatusPane(2, m_nFoundWords > 0 ? CString("  " + std::to_string(m_nFoundWords)) : CString(" "));
  SetStatusPane(6, CString(record.marker ? "W" : ""));
}

void CLumoKALView::ToggleActHeader() {
  m_bActHeader = !m_bActHeader;
  LayoutPanes(nullptr);
}

// --- History -------------------------------------------------------------------------------------

int CLumoKALView::AddToHistory(int32_t position, int32_t topic, BOOL bMove, int32_t scroll) {
  m_history.push_back(std::make_unique<CMvHistoryItem>(topic, position, scroll, nullptr));
  const CMvHistoryItem* added = m_history.back().get();
  if (CLumoKALDoc* work = GetWork()) work->SetCurrentTextView(this);
  if (bMove) m_nHistoryPos = int(m_history.size()) - 1;
  while (int(m_history.size()) > GetHistoryLimit()) {
    m_history.pop_front();
    if (m_nHistoryPos >= 0) --m_nHistoryPos;  // -1 when it pointed at the dropped one
  }
  // The history tab shows the current sheet's places: this one's from now on.
  if (CHistoryTab* tab = HistoryTab()) {
    if (tab->GetBoundView() == this) {
      tab->InsertItem(m_previous, added);
    } else {
      tab->Bind(this, &m_history);
    }
  }
  return GetHistoryLimit();
}

CHistoryTab* CLumoKALView::HistoryTab() {
  COutputWnd* navigator = navcmd::FindOutputWnd();
  return navigator ? navigator->GetHistoryTab() : nullptr;
}

void CLumoKALView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) {
  CFormView::OnActivateView(bActivate, pActivateView, pDeactiveView);
  if (!bActivate || pActivateView != this) return;
  // The sheet the user brought forward is the one the work's commands act on.
  if (CLumoKALDoc* work = GetWork()) work->SetCurrentTextView(this);
  CHistoryTab* tab = HistoryTab();
  if (tab && tab->GetBoundView() != this) tab->Bind(this, &m_history);
}

void CLumoKALView::RefreshHistoryTab() {
  CHistoryTab* tab = HistoryTab();
  if (tab && tab->GetBoundView() == this) tab->FillList();
}

void CLumoKALView::UpdateLastHistoryScroll(int32_t position, int32_t scroll) {
  if (m_nPosition != 0 && !m_history.empty() && m_history.back()->m_nPosition == position) {
    m_history.back()->SetScrollPos(scroll);
  }
}

BOOL CLumoKALView::GoBack() {
  if (m_history.empty() || m_nHistoryPos < 0 || m_nHistoryPos >= int(m_history.size())) return FALSE;
  const int at = m_nHistoryPos;
  const CMvHistoryItem item = *m_history[size_t(at)];
  if (!item.ShowInView(this)) return FALSE;
  m_nHistoryPos = at - 1;
  return TRUE;
}

void CLumoKALView::ClearHistory() {
  m_history.clear();
  m_nHistoryPos = -1;
  RefreshHistoryTab();
}

const CMvHistoryItem* CLumoKALView::GetHistoryItem(int index) const {
  return index >= 0 && index < int(m_history.size()) ? m_history[size_t(index)].get() : nullptr;
}

int CLumoKALView::CopyHistoryFrom(const std::vector<CMvHistoryItem>& items) {
  if (!m_hWnd) return 0;
  for (const CMvHistoryItem& item : items) m_history.push_back(std::make_unique<CMvHistoryItem>(item));
  m_nHistoryPos = int(m_history.size()) - 1;
  RefreshHistoryTab();
  return int(m_history.size());
}

int32_t CLumoKALView::GetShownTopic() const {
  return m_pViewer ? frame::MvGetCurrentTopic(m_pViewer) : -1;
}

int CLumoKALView::GetShownScroll() const {
  medview::ViewerHandle viewer = m_textPane.GetViewer();
  return viewer ? int(medview::MvGetVerticalThumb(viewer)) : 0;
}

void CLumoKALView::CopyHistoryFrom(CView* pOther) {
  std::vector<CMvHistoryItem> items;
  if (auto* other = dynamic_cast<CLumoKALView*>(pOther); other && other != this) {
    for (const auto& item : other->m_history) items.push_back(*item);
  } else if (auto* picture = dynamic_cast<CLumoBMPView*>(pOther)) {
    // A picture sheet hands back the history it took over from the act's sheet.
    for (const auto& item : picture->GetHistory()) items.push_back(*item);
  } else {
    return;
  }
  CopyHistoryFrom(items);
}

// --- Addresses ----------------------------------------------------------------------------------

std::string CLumoKALView::MakeAddressContext(const CString& text, BOOL bIssueOnly) const {
  shell::view::AddressDefaults defaults;
  defaults.full_year = m_current.year != 0 ? m_current.FullYear() : shell::ContentsFullYear(m_current.record);
  defaults.issue_number = m_current.issue_number;
  return shell::view::MakeAddressContext(text.str(), bIssueOnly, defaults);
}

BOOL CLumoKALView::GoToAddress(const CString& address) {
  title::TitleHandle* title = LibraryTitle();
  if (!title || !m_pViewer) return FALSE;
  std::string context = MakeAddressContext(address, FALSE);
  int32_t position = medview::MvContextStringToPosition(title, context.c_str());
  if (position == -1) {
    context = MakeAddressContext(address, TRUE);
    position = medview::MvContextStringToPosition(title, context.c_str());
    if (position == -1) return FALSE;
  }
  return JumpTo(position, 0, 0);
}

// --- Pages --------------------------------------------------------------------------------------

void CLumoKALView::StepPage(BOOL bNext) {
  medview::ViewerHandle header = m_topicHeader.GetViewer();
  title::TitleHandle* title = LibraryTitle();
  if (!header || !title) return;
  const int32_t address = bNext ? frame::MvGetNextTopic(header) : frame::MvGetPrevTopic(header);
  if (address == -1) return;
  const int32_t position = medview::MvAddressToPosition(title, address);
  if (!CtrlDown()) {
    JumpTo(position, bNext ? 0 : 4, 0);
    return;
  }
  if (position == -1) return;
  medview::ViewerHandle clone = medview::MvCloneViewer(m_pViewer, nullptr);
  if (!clone) return;
  int32_t topic = -1;
  if (frame::MvSetTopic(clone, position, 0, 0, nullptr)) topic = frame::MvGetCurrentTopic(clone);
  medview::MvDestroyViewer(clone);
  if (topic >= 0) {
    if (CLumoKALDoc* work = GetWork()) work->OpenTopicInNewSheet(topic);
  }
}

void CLumoKALView::OnNextPage() { StepPage(TRUE); }
void CLumoKALView::OnPreviousPage() { StepPage(FALSE); }

void CLumoKALView::OnUpdateNextPage(CCmdUI* pCmdUI) { pCmdUI->Enable(LibraryTitle() && HasNextTopic()); }
void CLumoKALView::OnUpdatePreviousPage(CCmdUI* pCmdUI) { pCmdUI->Enable(LibraryTitle() && HasPreviousTopic()); }

BOOL CLumoKALView::PreTranslateMessage(MSG* pMsg) {
  // Shift with the page keys is the next and previous page: the accelerators take it even while
  // a pane holds the focus.
  if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT) &&
      (::GetKeyState(VK_SHIFT) & 0x8000)) {
    return CWnd::PreTranslateMessage(pMsg);
  }
  return CFormView::PreTranslateMessage(pMsg);
}

// --- Commands -----------------------------------------------------------------------------------

void CLumoKALView::OnEditCopy() {
  for (CMvPane* pane : m_panes) {
    medview::ViewerHandle viewer = pane->GetViewer();
    if (!viewer || !medview::MvHasSelection(viewer)) continue;
    medview::ClipFormatTablePtr table = medview::MvRenderClipFormats(viewer, TRUE, 0, nullptr);
    if (table) {
      COleDataSource source;
      for (const medview::ClipFormatItem& item : table->items) source.CacheData(item.format, item.data);
      source.SetClipboard();
    }
    medview::MvClearSelection(viewer, nullptr);
    pane->Invalidate();
  }
}

void CLumoKALView::OnUpdateEditCopy(CCmdUI* pCmdUI) { pCmdUI->Enable(HasSelection()); }

void CLumoKALView::OnSelectAll() {
  for (CMvPane* pane : m_panes) {
    if (!pane->KeepsSelection() || !pane->GetViewer()) continue;
    medview::MvSelectAt(pane->GetViewer(), medview::kSelectAll, 0, 0, FALSE, nullptr);
    pane->Invalidate();
  }
}

void CLumoKALView::OnSmoothScroll() { m_textPane.ToggleSmoothScroll(); }

void CLumoKALView::OnUpdateSmoothScroll(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_textPane.IsSmoothScrolling() && m_textPane.CanScrollV());
}

void CLumoKALView::OnNextFound() { ShowFoundWord((::GetKeyState(VK_SHIFT) & 0x8000) == 0, FALSE); }

void CLumoKALView::OnUpdateNextFound(CCmdUI* pCmdUI) {
  fts::HitHighlightHandle source = GetFoundWordSource();
  int count = 0;
  if (source && m_textPane.GetViewer()) {
    fts::TopicHitListPtr hits = medview::MvGetTopicHits(source, uint32_t(m_textPane.GetCurrentTopic()));
    count = medview::MvGetHitCount(hits.get());
  }
  pCmdUI->Enable(count > 0);
}

void CLumoKALView::OnGoBack() { GoBack(); }
void CLumoKALView::OnUpdateGoBack(CCmdUI* pCmdUI) { pCmdUI->Enable(CanGoBack()); }

void CLumoKALView::OnHighlightFound() {
  m_nFoundWordMode = m_nFoundWordMode ? 0 : 8;
  if (g_in_act.owner) FreeQueryResults();
  for (CMvPane* pane : m_panes) pane->SetHitMarkBrush(FirstHitBrush());
  ApplyResultListHits();
}

void CLumoKALView::OnUpdateHighlightFound(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_nFoundWordMode == 8); }

void CLumoKALView::OnMoveSelection() {
  medview::ViewerHandle viewer = m_textPane.GetViewer();
  int32_t a, b, c, d;
  if (!viewer || !medview::MvGetSelection(viewer, &a, &b, &c, &d)) return;
  medview::MvSetSelection(viewer, a, b + 5, c, d + 5);
  m_textPane.Invalidate();
}

void CLumoKALView::OnFindSelectionInAct() {
  CString text;
  if (!GetSelectedText(text)) return;
  const std::string wanted = text.str();
  auto lower = [](std::string s) {
    for (char& c : s) c = char(base::cp1250::to_lower(static_cast<unsigned char>(c)));
    return s;
  };
  if (g_in_act.owner == this && lower(wanted) == lower(g_last_selection_search)) return;
  g_last_selection_search = wanted;
  FindInAct(text);
}

BOOL CLumoKALView::AddBookmark() {
  CLumoKALDoc* work = GetWork();
  const auto pane = std::find_if(m_panes.begin(), m_panes.end(),
                                 [](CMvPane* p) { return p->ShowsScrollingRegion() && p->GetViewer(); });
  if (!work || pane == m_panes.end()) return FALSE;
  CBookmarkQuickDlg dialog(&work->GetBookmarks(), (*pane)->GetViewer(), LibraryTitle(), m_current, this);
  return dialog.DoModal() == IDOK;
}

void CLumoKALView::OnAddBookmark() { AddBookmark(); }

void LocateTopicInLibrary(CLumoKALDoc* work, int32_t topic) {
  if (topic <= 0) return;
  // An attachment is found under its act.
  int32_t record = topic;
  shell::ContentsRecord shown, act;
  if (work && work->ReadCatalogRecord(topic, shown) && shown.attachment) {
    record = work->FindAncestorRecord(shown.parent, act, shell::kLevelAct);
  }
  if (record > 0) navcmd::LocateInLibrary(record);
}

void CLumoKALView::OnLocateInLibrary() {
  LocateTopicInLibrary(GetWork(), m_pViewer ? frame::MvGetCurrentTopic(m_pViewer) : 0);
}

void CLumoKALView::OnUpdateLocateInLibrary(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pViewer && frame::MvGetCurrentTopic(m_pViewer) > 0);
}

void CLumoKALView::OnUpdateAddBookmark(CCmdUI* pCmdUI) { pCmdUI->Enable(GetWork() && m_textPane.GetViewer()); }
BOOL CLumoKALView::AddToPrintList() { return AddViewPlaceToPrintList(this); }

// --- Found words ---------------------------------------------------------------------------------

BOOL CLumoKALView::GetSelectedText(CString& text) {
  text = CString();
  medview::ViewerHandle viewer = m_textPane.GetViewer();
  if (!viewer || !medview::MvHasSelection(viewer)) return FALSE;
  // The length is measured on the plain text itself: offsets of two records cannot be subtracted.
  const std::vector<uint8_t> plain = medview::MvCopySelectionText(viewer, nullptr);
  std::string_view view(reinterpret_cast<const char*>(plain.data()), plain.size());
  if (const size_t end = view.find('\0'); end != std::string_view::npos) view = view.substr(0, end);
  text = CString(shell::view::SelectedTextForSearch(view));
  return !text.IsEmpty();
}

BOOL CLumoKALView::FindInAct(const CString& query) {
  HCURSOR previous = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
  const std::string text = shell::view::TrimBlanks(query.str());
  CLumoApp* app = LumoApp();
  title::TitleHandle* title = LibraryTitle();
  if (text.empty() || !title || !m_textPane.GetViewer()) {
    ::SetCursor(previous);
    return FALSE;
  }
  if (app) app->GetDocumentData().m_nSearches++;
  if (g_in_act.owner) FreeQueryResults();
  ApplyQueryHits(FALSE);
  medview::TopicListHandle scope = medview::MvCreateSingleTopicList(title, m_textPane.GetCurrentTopic());
  fts::HitHighlightHandle hits = nullptr;
  const uint16_t near = app ? app->GetUserData().m_nNearDistance : 8;
  medview::TopicListHandle found = medview::MvQueryTopicList(title, 0, text.c_str(), scope, near, &hits, nullptr);
  if (scope) medview::MvFreeTopicList(scope);
  if (!found || medview::MvGetTopicListCount(found) <= 0 || !hits) {
    if (found) medview::MvFreeTopicList(found);
    if (app) app->PlaySoundResource(292);
    ::SetCursor(previous);
    return FALSE;
  }
  g_in_act = {found, hits, this};
  ApplyQueryHits(TRUE);
  ::SetCursor(previous);
  return TRUE;
}

void CLumoKALView::ShowFoundWord(BOOL bForward, BOOL bFirst) {
  if (bFirst) {
    m_textPane.ScrollToFirstHit(FALSE);
  } else if (bForward) {
    m_textPane.ScrollToNextHit();
  } else {
    m_textPane.ScrollToPreviousHit();
  }
}

void CLumoKALView::ApplyResultListHits() {
  fts::HitHighlightHandle hits = CLumoKALDoc::GetResultListHits();
  if (m_nFoundWordMode == 0 || !hits) {
    for (CMvPane* pane : m_panes) pane->SetHits(nullptr, FALSE);
    m_textPane.ResetCurrentHit();
    m_nFoundWords = 0;
    SetStatusPane(2, CString(" "));
    return;
  }
  int kept = 0, side = 0;
  const bool act_visible = m_actHeader.m_hWnd && m_actHeader.IsWindowVisible();
  for (CMvPane* pane : m_panes) {
    pane->SetHitMarkBrush(FirstHitBrush());
    const int count = pane->SetHits(hits, TRUE);
    if (!pane->ShowsScrollingRegion()) {
      if (pane == &m_actHeader) {
        if (act_visible) side = count;
      } else {
        kept = count;
      }
    }
    pane->Layout();
    pane->Invalidate();
  }
  m_nFoundWords = kept + side;
  SetStatusPane(2, m_nFoundWords > 0 ? CString("  " + std::to_string(m_nFoundWords)) : CString(" "));
}

void CLumoKALView::ApplyQueryHits(BOOL bOn) {
  m_nFoundWordMode = 0;
  fts::HitHighlightHandle hits = GetOwnQueryHits();
  if (!bOn || !hits) {
    for (CMvPane* pane : m_panes) pane->SetHits(nullptr, FALSE);
    m_textPane.ResetCurrentHit();
    m_nFoundWords = 0;
    SetStatusPane(2, CString(" "));
    return;
  }
  int kept = 0;
  for (CMvPane* pane : m_panes) {
    pane->SetHitMarkBrush(SecondHitBrush());
    const int count = pane->SetHits(hits, TRUE);
    if (pane == &m_textPane) {
      if (!medview::MvHasSelection(pane->GetViewer())) m_textPane.ScrollToFirstHit(FALSE);
    } else if (pane != &m_actHeader) {
      kept = count;
    }
    pane->Invalidate();
  }
  m_nFoundWords = kept;
  SetStatusPane(2, m_nFoundWords > 0 ? CString("  " + std::to_string(m_nFoundWords)) : CString(" "));
}

void CLumoKALView::SetBinderShading(const engine::TopicGroup* group) {
  const COLORREF colour = BinderShade(group);
  if (colour == m_crShade) return;
  m_crShade = colour;
  for (CMvPane* pane : m_panes) {
    if (pane->ShowsScrollingRegion()) pane->SetTextColor(colour);
  }
}

void CLumoKALView::ApplyLinkStyles(int option) {
  for (CMvPane* pane : m_panes) {
    pane->ApplyLinkStyles(option == 8);
    pane->Layout();
    pane->Invalidate();
  }
}

void CLumoKALView::OnAnnotation() {
  CAnnotationsDlg dialog;
  // A new note belongs to the act shown: "DU year.issue.position".
  const shell::ActDescription& d = GetActDescription();
  if (d.position > 0) {
    CString act;
    act.Format("DU %d.%04d.%04d", d.FullYear(), d.issue_number, d.position);
    dialog.SetActId(act);
  }
  dialog.DoModal();
}
