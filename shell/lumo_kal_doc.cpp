#include "shell/lumo_kal_doc.h"
#include "shell/main_frame.h"

#include "navigation/search_abort_dlg.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>

#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_titles.h"
#include "navigation/doc_info_sheet.h"
#include "navigation/keywordsres_tab.h"
#include "platform/base/cfile.h"
#include "platform/base/cp1250.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/mdi.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"
#include "platform/framework/view.h"
#include "resources/resource_ids.h"
#include "shell/core/library_files.h"
#include "shell/insert_cd_dlg.h"
#include "shell/library_title.h"
#include "shell/lumo_app.h"
#include "shell/view/lumo_kal_view.h"

namespace {

title::TitleHandle* g_title = nullptr;
BOOL g_views_attached = FALSE;
CLumoKALDoc* g_current_work = nullptr;
medview::TopicListHandle g_result_list = nullptr;

constexpr int kMaxUserName = 100;
constexpr int32_t kTitleInfoTopicCount = 11;
constexpr int32_t kTitleInfoGroup = 13;

CString UserName() {
  std::string name;
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_name) name = pw->pw_name;
  if (name.empty()) {
    if (const char* user = ::getenv("USER")) name = user;
  }
  if (name.size() > kMaxUserName) name.resize(kMaxUserName);
  return CString(base::cp1250::from_utf8(name));
}

CString TitleFileName() {
  CString name;
  if (!AfxLoadString(resources::IDS_TITLE_FILE_NAME, name) || name.IsEmpty()) name = CString("LumoKAL.dat");
  return name;
}

}  // namespace

title::TitleHandle* LibraryTitle() { return g_title; }
void SetLibraryTitle(title::TitleHandle* title) { g_title = title; }

IMPLEMENT_DYNCREATE(CLumoKALDoc, CDocument)

CLumoKALDoc::CLumoKALDoc() {
  // The work outlives its last sheet: it ends only through its own close.
  m_bAutoDelete = FALSE;
}

CLumoKALDoc::~CLumoKALDoc() {
  // The work owns the library title: a work that goes without its close still closes it.
  CloseTitle();
  if (g_current_work == this) g_current_work = nullptr;
}

CLumoKALDoc* CLumoKALDoc::GetCurrentWork() { return g_current_work; }
void CLumoKALDoc::SetCurrentWork(CLumoKALDoc* work) {
  g_current_work = work;
  // The toolbar's query boxes show the work's query history.
  if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd())) frame->RefillQueryBoxes();
}
BOOL CLumoKALDoc::AreViewsAttached() { return g_views_attached; }

// --- Title -----------------------------------------------------------------------------------------

title::TitleHandle* CLumoKALDoc::OpenTitle(LPCTSTR lpszPath) {
  const std::string path = base::os_path(CString(lpszPath));
  title::TitleHandle* opened = medview::MvOpenTitle(path.c_str(), CSearchAbortDlg::GetYieldCallback(), reinterpret_cast<intptr_t>(this));
  if (!opened) return nullptr;
  title::TitleHandle* old = g_title;
  if (old && g_views_attached) {
    for (CLumoKALView* view : GetTextViews()) view->DetachTitle();
  }
  g_title = opened;
  if (old) medview::MvCloseTitle(old);
  if (CLumoApp* app = LumoApp()) {
    app->GetCatalog().SetTopicCount(medview::MvGetTitleInfo(opened, kTitleInfoTopicCount, 0, nullptr, 0));
  }
  if (g_views_attached) {
    for (CLumoKALView* view : GetTextViews()) {
      if (!view->AttachTitle(opened, GetPathName()) || !view->GoToContents()) return nullptr;
    }
  }
  return opened;
}

title::TitleHandle* CLumoKALDoc::OpenTitleAt(LPCTSTR lpszPath, int32_t position, int mode) {
  const BOOL attached = g_views_attached;
  g_views_attached = FALSE;  // the views are bound below, at the position asked for
  title::TitleHandle* opened = OpenTitle(lpszPath);
  if (!opened) {
    g_views_attached = attached;
    return nullptr;
  }
  g_views_attached = TRUE;
  for (CLumoKALView* view : GetTextViews()) {
    if (!view->AttachTitle(opened, GetPathName()) || !view->JumpTo(position, mode, 0)) return nullptr;
  }
  return opened;
}

void CLumoKALDoc::CloseTitle() {
  if (g_title) {
    if (g_views_attached) {
      for (CLumoKALView* view : GetTextViews()) view->DetachTitle();
    }
    medview::MvCloseTitle(g_title);
    g_title = nullptr;
  }
  g_views_attached = FALSE;
}

BOOL CLumoKALDoc::LocateLibrary() {
  CLumoApp* app = LumoApp();
  if (!app) return FALSE;
  // Folders are CP1250 texts; the disk's names are looked up in its own form.
  const std::string name = base::os_path(TitleFileName());
  auto try_folder = [&](const std::string& folder) {
    const std::string path = shell::FindTitleFile(base::os_path(CString(folder)), name);
    return !path.empty() && OpenTitle(CString(base::cp1250::from_utf8(path))) != nullptr;
  };
  std::string folder = app->GetDataDir().str();
  if (!try_folder(folder)) {
    const std::string program = shell::WithSeparator(CWinApp::GetProgramFolder().str());
    if (try_folder(program)) {
      folder = program;
    } else {
      CString shown = app->GetDataDir();
      for (;;) {
        CInsertCDDlg dialog(AfxGetMainWnd());
        dialog.m_strFolder = shown;
        if (dialog.DoModal() != IDOK) return FALSE;
        const std::string candidate = shell::WithSeparator(dialog.m_strFolder.str());
        if (try_folder(candidate)) {
          folder = candidate;
          break;
        }
        shown = dialog.m_strFolder;
      }
    }
  }
  app->SetDataDir(CString(folder));
  return TRUE;
}

// --- Lists -----------------------------------------------------------------------------------------

int CLumoKALDoc::TakeAbort() {
  const int abort = m_nAbort;
  m_nAbort = 0;
  return abort;
}

void CLumoKALDoc::DeleteBookmarks() { m_lists.bookmarks.clear(); }
void CLumoKALDoc::DeletePrintList() { m_printList.clear(); }

void CLumoKALDoc::ListTitleInfo(CListBox* pList) { ListTitleInfoRange(pList, 0, 0); }

void CLumoKALDoc::ListTitleInfoRange(CListBox* pList, int first, int end) {
  if (!pList || !g_title || first < 0) return;
  char buffer[512];
  for (int i = first; end <= 0 || i < end; ++i) {
    buffer[0] = '\0';
    if (medview::MvGetTitleInfo(g_title, kTitleInfoGroup, (i << 16) | 256, buffer, sizeof buffer) == -1) break;
    buffer[sizeof buffer - 1] = '\0';
    const std::string record(buffer);
    const size_t dot = record.find('.');
    const std::string group = record.substr(0, dot);
    const size_t open = record.find('"', dot == std::string::npos ? record.size() : dot);
    if (open == std::string::npos) continue;
    const size_t close = record.find('"', open + 1);
    if (close == std::string::npos || close == open + 1) continue;
    pList->AddString(CString(record.substr(open + 1, close - open - 1) + '\t' + group));
  }
}

// --- Found words ---------------------------------------------------------------------------------

void CLumoKALDoc::SetResultListHits(medview::TopicListHandle list) {
  if (g_result_list && g_result_list != list) medview::MvFreeTopicList(g_result_list);
  g_result_list = list;
}

fts::HitHighlightHandle CLumoKALDoc::GetResultListHits() {
  return g_result_list && medview::MvIsTopicList(g_result_list) ? g_result_list->hits.get() : nullptr;
}

medview::TopicListHandle CLumoKALDoc::GetResultList() {
  return g_result_list && medview::MvIsTopicList(g_result_list) ? g_result_list : nullptr;
}

void CLumoKALDoc::RefreshFoundWords() {
  for (CLumoKALView* view : GetTextViews()) view->ApplyResultListHits();
}

void CLumoKALDoc::UpdateBinderShading(const engine::TopicGroup* group) {
  if (!g_views_attached) return;
  for (CLumoKALView* view : GetTextViews()) view->SetBinderShading(group);
}

void CLumoKALDoc::SetDisplayMode(int mode) {
  for (CLumoKALView* view : GetTextViews()) view->ApplyLinkStyles(mode);
}

// --- Text views ------------------------------------------------------------------------------------

std::vector<CLumoKALView*> CLumoKALDoc::GetTextViews() const {
  std::vector<CLumoKALView*> out;
  for (CView* view : views()) {
    if (auto* text = dynamic_cast<CLumoKALView*>(view)) out.push_back(text);
  }
  return out;
}

CLumoKALView* CLumoKALDoc::GetCurrentTextView() const {
  for (CLumoKALView* view : GetTextViews()) {
    if (view == m_pCurrentTextView) return view;
  }
  return nullptr;
}

namespace {

// The view among `views` whose frame is the main window's active sheet, or null.
template <typename Views>
CView* ViewOfActiveSheet(const Views& views) {
  auto* main = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
  CMDIChildWnd* active = main && main->m_hWndMDIClient ? main->MDIGetActive() : nullptr;
  if (!active) return nullptr;
  for (CView* view : views) {
    if (view->GetParentFrame() == active) return view;
  }
  return nullptr;
}

}  // namespace

BOOL CLumoKALDoc::FindActiveTextView() {
  CView* view = ViewOfActiveSheet(views());
  if (!view) return FALSE;
  m_pCurrentTextView = view;
  return TRUE;
}

BOOL CLumoKALDoc::FindActivePictureView() {
  CLumoApp* app = LumoApp();
  CDocTemplate* pictures = app ? app->GetPictureTemplate() : nullptr;
  if (!pictures) return FALSE;
  std::vector<CView*> all;
  for (const auto& doc : pictures->documents()) {
    for (CView* view : doc->views()) all.push_back(view);
  }
  CView* view = ViewOfActiveSheet(all);
  if (!view) return FALSE;
  m_pCurrentPictureView = view;
  return TRUE;
}

CLumoKALView* CLumoKALDoc::MakeTextSheet() {
  CDocTemplate* tmpl = GetDocTemplate();
  if (!tmpl) return nullptr;
  const std::vector<CLumoKALView*> before = GetTextViews();
  CFrameWnd* frame = tmpl->CreateNewFrame(this, nullptr);
  if (!frame) return nullptr;
  tmpl->InitialUpdateFrame(frame, this, TRUE);
  for (CLumoKALView* view : GetTextViews()) {
    if (std::find(before.begin(), before.end(), view) == before.end()) {
      m_pCurrentTextView = view;
      return view;
    }
  }
  return nullptr;
}

void CLumoKALDoc::ActivateSheetOf(CLumoKALView* pView) {
  auto* main = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
  CFrameWnd* frame = pView ? pView->GetParentFrame() : nullptr;
  if (main && frame && main->MDIGetActive() != frame) main->MDIActivate(frame);
}

BOOL CLumoKALDoc::ShowInSheet(int32_t topic, int mode, int32_t scroll, bool ctrl_opens_new, bool mark_modified) {
  const bool ctrl = ctrl_opens_new && (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
  CLumoKALView* made = nullptr;
  if (ctrl || m_nSavedTopic >= 0 || !GetCurrentTextView()) {
    m_nSavedTopic = topic;
    made = MakeTextSheet();
    if (mark_modified) SetModifiedFlag(TRUE);
    m_nSavedTopic = -1;
  }
  CLumoKALView* view = GetCurrentTextView();
  if (!view) return TRUE;
  ActivateSheetOf(view);
  if (made && !made->AttachTitle(g_title, GetPathName())) return FALSE;
  if (!view->JumpToTopicNumber(topic, mode, scroll)) return FALSE;
  if (scroll != 0 && mode != 2) {
    CMvSR& pane = view->GetTextPane();
    if (pane.GetViewer()) pane.OnVScroll(SB_THUMBPOSITION, UINT(scroll), nullptr);
  }
  return TRUE;
}

// --- Showing topics --------------------------------------------------------------------------------

BOOL CLumoKALDoc::OpenTopic(int32_t topic, int mode, int32_t scroll) {
  if (topic < 0) return FALSE;
  // Until the first sheet is bound the request is only remembered; it is shown when that sheet
  // attaches (AttachFirstView).
  if (!g_views_attached) {
    m_nRequestTopic = topic;
    return FALSE;
  }
  return ShowInSheet(topic, mode, scroll, true, true);
}

BOOL CLumoKALDoc::OpenSavedTopic(int32_t topic, int mode) {
  if (topic < 0 || !g_views_attached) return FALSE;
  return ShowInSheet(topic, mode, 0, false, false);
}

BOOL CLumoKALDoc::OpenTopicInNewSheet(int32_t topic) {
  if (topic < 0 || !g_views_attached) return FALSE;
  m_nSavedTopic = topic;
  return ShowInSheet(topic, 0, 0, false, true);
}

BOOL CLumoKALDoc::ShowTopicAtPosition(int32_t position, int mode, int32_t scroll) {
  if (position == -1 || !g_views_attached) return FALSE;
  CLumoKALView* made = nullptr;
  if ((::GetKeyState(VK_CONTROL) & 0x8000) || !GetCurrentTextView()) {
    made = MakeTextSheet();
    SetModifiedFlag(TRUE);
  }
  CLumoKALView* view = GetCurrentTextView();
  if (!view) return TRUE;
  ActivateSheetOf(view);
  if (made && !made->AttachTitle(g_title, GetPathName())) return FALSE;
  return view->JumpTo(position, mode, scroll);
}

BOOL CLumoKALDoc::GoToAddress(const CString& address) {
  if (!g_views_attached) return FALSE;
  CLumoKALView* made = nullptr;
  if ((::GetKeyState(VK_CONTROL) & 0x8000) || !GetCurrentTextView()) made = MakeTextSheet();
  CLumoKALView* view = GetCurrentTextView();
  if (!view) return FALSE;
  ActivateSheetOf(view);
  if (made && !made->AttachTitle(g_title, GetPathName())) return FALSE;
  return view->GoToAddress(address);
}

BOOL CLumoKALDoc::GoToStartTopic() {
  if (CLumoKALView* view = GetCurrentTextView()) return view->GoToContents();
  m_nSavedTopic = -1;
  return MakeTextSheet() != nullptr;
}

void CLumoKALDoc::OpenNewSheet() {
  CLumoKALView* current = GetCurrentTextView();
  const int32_t topic = current && current->GetViewer() ? frame::MvGetCurrentTopic(current->GetViewer()) : -1;
  CLumoKALView* made = MakeTextSheet();
  m_nSavedTopic = -1;
  if (!made) return;
  ActivateSheetOf(made);
  if (made->AttachTitle(g_title, GetPathName()) && topic >= 0) made->JumpToTopicNumber(topic, 0, 0);
}

int CLumoKALDoc::LayoutViews(int mode, LPARAM top_left, LPARAM bottom_right) {
  if (g_views_attached) {
    for (CLumoKALView* view : GetTextViews()) view->LayoutPanesAt(mode, top_left, bottom_right);
  }
  return 0;
}

int32_t CLumoKALDoc::AttachFirstView(CView* pView) {
  if (g_views_attached || !pView || !medview::MvIsTitleValid(g_title)) return -1;
  g_views_attached = TRUE;
  int32_t topic = -1;
  if (m_nRequestTopic >= 0) {
    topic = m_nRequestTopic;
    m_nRequestTopic = -1;
  } else if (m_nSavedTopic >= 0) {
    topic = m_nSavedTopic;
    m_nSavedTopic = -1;
  }
  if (auto* view = dynamic_cast<CLumoKALView*>(pView)) {
    m_pCurrentTextView = view;
    if (view->AttachTitle(g_title, GetPathName())) {
      if (topic < 0 || !view->JumpToTopicNumber(topic, 0, 0)) view->GoToContents();
    }
    // The other saved sheets open each in a sheet of its own; every sheet gets its history back.
    const std::vector<WorkSheet> saved = m_lists.sheets;
    m_lists.sheets.clear();
    if (!saved.empty()) RestoreHistory(view, saved.front().history);
    for (size_t i = 1; i < saved.size(); ++i) {
      m_nSavedTopic = saved[i].topic;
      CLumoKALView* before = GetCurrentTextView();
      OpenSavedTopic(saved[i].topic, 0);
      if (CLumoKALView* made = GetCurrentTextView(); made && made != before) RestoreHistory(made, saved[i].history);
    }
    m_nSavedTopic = -1;
  }
  return topic;
}

void CLumoKALDoc::RestoreHistory(CLumoKALView* pView, const std::vector<CMvHistoryItem>& items) {
  // A work file may hold more places than a sheet keeps: the newest ones stay.
  const size_t keep = std::min(items.size(), size_t(std::max(pView->GetHistoryLimit(), 0)));
  pView->ClearHistory();
  pView->CopyHistoryFrom(std::vector<CMvHistoryItem>(items.end() - long(keep), items.end()));
}

// --- Contents index --------------------------------------------------------------------------------

BOOL CLumoKALDoc::ReadCatalogRecord(int32_t n, shell::ContentsRecord& record) const {
  return m_pCatalog && m_pCatalog->ReadRecord(n, record);
}

int32_t CLumoKALDoc::FindAncestorRecord(int32_t n, shell::ContentsRecord& record, int wanted) const {
  if (!m_pCatalog) return n < 0 ? 0 : -1;
  return m_pCatalog->FindAncestor(n, record, wanted);
}

BOOL CLumoKALDoc::ReadRecordText(const shell::ContentsRecord& record, CString& text, int32_t& parent) const {
  std::string bytes;
  if (!m_pCatalog || !m_pCatalog->ReadText(record, bytes)) return FALSE;
  text = CString(bytes);
  parent = record.parent;
  return TRUE;
}

void CLumoKALDoc::GetActDescription(int32_t n, shell::ActDescription& description) const {
  if (m_pCatalog) m_pCatalog->Describe(n, description);
}

void CLumoKALDoc::TakeCatalog() {
  CLumoApp* app = LumoApp();
  m_pCatalog = app && app->GetCatalog().IsOpen() ? &app->GetCatalog() : nullptr;
}

// --- Framework -------------------------------------------------------------------------------------

std::vector<WorkSheet> CLumoKALDoc::DescribeSheets() const {
  std::vector<WorkSheet> out;
  for (CLumoKALView* view : GetTextViews()) {
    WorkSheet sheet;
    sheet.topic = view->GetViewer() ? frame::MvGetCurrentTopic(view->GetViewer()) : -1;
    for (int i = 0; i < view->GetHistoryCount(); ++i) {
      if (const CMvHistoryItem* item = view->GetHistoryItem(i)) sheet.history.push_back(*item);
    }
    sheet.history_count = uint32_t(sheet.history.size());
    out.push_back(std::move(sheet));
  }
  return out;
}

void CLumoKALDoc::Serialize(CArchive& ar) {
  CLumoApp* app = LumoApp();
  if (!app) throw CArchiveException(CArchiveException::generic);
  // The sheets a work stores are its open text sheets; a work whose sheets are not open yet stores
  // the ones it was read with.
  const bool open_sheets = ar.IsStoring() && g_views_attached;
  if (open_sheets) m_lists.sheets = DescribeSheets();
  try {
    SerializeWork(ar, app->GetUserData(), app->GetDocumentData(), m_lists);
  } catch (...) {
    if (open_sheets) m_lists.sheets.clear();
    throw;
  }
  if (open_sheets) m_lists.sheets.clear();
  if (ar.IsLoading()) {
    if (ClampWorkSheets(m_lists, app->GetUserData().m_nMaxSheets)) {
      const std::string text = "Praca zawiera więcej arkuszy, niż pozwalają ustawienia; zostanie otwartych "
                               "pierwszych " + std::to_string(app->GetUserData().m_nMaxSheets) + ".";
      AfxMessageBox(CString(base::cp1250::from_utf8(text)), MB_ICONINFORMATION);
    }
    m_nSavedTopic = m_lists.sheets.empty() ? -1 : m_lists.sheets.front().topic;
  }
}

BOOL CLumoKALDoc::OnNewDocument() {
  if (!CDocument::OnNewDocument()) return FALSE;
  CLumoApp* app = LumoApp();
  if (!app) return FALSE;
  TakeCatalog();
  if (!g_title && !LocateLibrary()) return FALSE;
  app->GetDocumentData().Reset(UserName());
  app->GetUserData().m_nWorkbookMode = 1;
  SetModifiedFlag(FALSE);
  SetCurrentWork(this);
  SetTitle(CString("nienazwana praca"));
  return TRUE;
}

BOOL CLumoKALDoc::OnOpenDocument(LPCTSTR lpszPathName) {
  if (!g_title && !LocateLibrary()) return FALSE;
  if (!CDocument::OnOpenDocument(lpszPathName)) return FALSE;
  SetModifiedFlag(FALSE);
  TakeCatalog();
  SetCurrentWork(this);
  return TRUE;
}

BOOL CLumoKALDoc::DoSave(LPCTSTR lpszPathName, BOOL bReplace) {
  // An untitled work the user saves is described (author, title) before its first save.
  if (!lpszPathName && GetPathName().IsEmpty()) CDocInfoSheet::ShowWorkInformation(1);
  return CDocument::DoSave(lpszPathName, bReplace);
}

BOOL CLumoKALDoc::OnSaveDocument(LPCTSTR lpszPathName) {
  if (CLumoApp* app = LumoApp()) {
    app->GetDocumentData().AccumulateWorkTime();
    app->GetDocumentData().m_tModified = CTime::GetCurrentTime();
  }
  return CDocument::OnSaveDocument(lpszPathName);
}

void CLumoKALDoc::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU) {
  CDocument::SetPathName(lpszPathName, bAddToMRU);
  SetTitle(CString("Lumokal - ") + CString(lpszPathName));
}

void CLumoKALDoc::OnCloseDocument() {
  if (IsModified() && !SaveModified()) return;
  SetModifiedFlag(FALSE);
  CloseTitle();
  if (CLumoApp* app = LumoApp()) app->CloseAllPictureDocuments();
  m_bAutoDelete = TRUE;
  m_lists.queries.clear();
  if (g_current_work == this) {
    // The index results describe this work's library: they go with it.
    CKeywordsresTab::ClearMainList();
    g_current_work = nullptr;
  }
  CDocument::OnCloseDocument();
}

void CLumoKALDoc::DeleteContents() {
  DeleteBookmarks();
  DeletePrintList();
  m_lists.sheets.clear();
  m_nSavedTopic = -1;
}

// --- Template --------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CLumoKALDocTemplate, CMultiDocTemplate)

CLumoKALDocTemplate::CLumoKALDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                                         const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass)
    : CMultiDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {}

CDocument* CLumoKALDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible) {
  const size_t before = documents().size();
  CDocument* doc = CMultiDocTemplate::OpenDocumentFile(lpszPathName, bMakeVisible);
  // The work outlives its sheets, so a work that failed to start is not taken away with its
  // frame: it goes here.
  if (!doc && documents().size() > before) RemoveDocument(documents().back().get());
  return doc;
}
