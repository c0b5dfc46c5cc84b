#include "shell/lumo_kal_doc.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>

#include "engine/medview/engine_titles.h"
#include "platform/base/cfile.h"
#include "platform/base/cp1250.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/view.h"
#include "resources/resource_ids.h"
#include "shell/core/library_files.h"
#include "shell/insert_cd_dlg.h"
#include "shell/library_title.h"
#include "shell/lumo_app.h"

namespace {

title::TitleHandle* g_title = nullptr;
BOOL g_views_attached = FALSE;
CLumoKALDoc* g_current_work = nullptr;
HGLOBAL g_result_hits = nullptr;

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
void CLumoKALDoc::SetCurrentWork(CLumoKALDoc* work) { g_current_work = work; }
BOOL CLumoKALDoc::AreViewsAttached() { return g_views_attached; }

// --- Title -----------------------------------------------------------------------------------------

title::TitleHandle* CLumoKALDoc::OpenTitle(LPCTSTR lpszPath) {
  const std::string path = base::os_path(CString(lpszPath));
  title::TitleHandle* opened = medview::MvOpenTitle(path.c_str(), nullptr, reinterpret_cast<intptr_t>(this));
  if (!opened) return nullptr;
  title::TitleHandle* old = g_title;
  g_title = opened;
  if (old) medview::MvCloseTitle(old);
  if (CLumoApp* app = LumoApp()) {
    app->GetCatalog().SetTopicCount(medview::MvGetTitleInfo(opened, kTitleInfoTopicCount, 0, nullptr, 0));
  }
  return opened;
}

title::TitleHandle* CLumoKALDoc::OpenTitleAt(LPCTSTR lpszPath, int32_t position, int mode) {
  (void)position;
  (void)mode;
  title::TitleHandle* opened = OpenTitle(lpszPath);
  if (opened) g_views_attached = TRUE;
  return opened;
}

void CLumoKALDoc::CloseTitle() {
  if (g_title) {
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

void CLumoKALDoc::SetResultListHits(HGLOBAL hHits) {
  if (g_result_hits && g_result_hits != hHits) GlobalFree(g_result_hits);
  g_result_hits = hHits;
}

HGLOBAL CLumoKALDoc::GetResultListHits() { return g_result_hits; }

// --- Showing topics --------------------------------------------------------------------------------

BOOL CLumoKALDoc::OpenTopic(int32_t topic, int mode, int32_t scroll) {
  (void)mode;
  (void)scroll;
  if (topic < 0) return FALSE;
  // Until the first sheet is bound the request is only remembered; it is shown when that sheet
  // attaches (AttachFirstView). Bound sheets take their topics from the text view itself.
  if (!g_views_attached) m_nRequestTopic = topic;
  return FALSE;
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
  return topic;
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

void CLumoKALDoc::Serialize(CArchive& ar) {
  CLumoApp* app = LumoApp();
  if (!app) throw CArchiveException(CArchiveException::generic);
  SerializeWork(ar, app->GetUserData(), app->GetDocumentData(), m_lists);
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
  if (g_current_work == this) g_current_work = nullptr;
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
  if (m_pFrameClass) return CMultiDocTemplate::OpenDocumentFile(lpszPathName, bMakeVisible);
  CDocument* doc = CreateNewDocument();
  if (!doc) return nullptr;
  BOOL opened;
  if (!lpszPathName) {
    SetDefaultTitle(doc);
    opened = doc->OnNewDocument();
  } else {
    BeginWaitCursor();
    opened = doc->OnOpenDocument(lpszPathName);
    EndWaitCursor();
    if (opened) doc->SetPathName(lpszPathName);
  }
  if (!opened) {
    RemoveDocument(doc);
    return nullptr;
  }
  return doc;
}
