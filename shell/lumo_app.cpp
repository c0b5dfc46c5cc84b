#include "shell/lumo_app.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <memory>

#include "controls/cool_controls.h"
#include "controls/dll_version.h"
#include "engine/medview/engine_startup.h"
#include "engine/medview/engine_titles.h"
#include "navigation/doc_info_sheet.h"
#include "navigation/du_tree.h"
#include "navigation/nav_bar.h"
#include "navigation/nav_commands.h"
#include "navigation/tip_dlg.h"
#include "navigation/topic_ole.h"
#include "pictures/image/wave.h"
#include "pictures/imagewnd/image_window.h"
#include "pictures/media/media_window.h"
#include "pictures/sheets/lumo_bmp_doc.h"
#include "pictures/sheets/lumo_bmp_view.h"
#include "platform/base/cfile.h"
#include "platform/base/cp1250.h"
#include "platform/base/data_folder.h"
#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/prompter.h"
#include "platform/res/resource_store.h"
#include "platform/win/virtual_keys.h"
#include "platform/shell/dropped_files.h"
#include "platform/shell/shell_execute.h"
#include "resources/resource_ids.h"
#include "shell/about_dlg.h"
#include "shell/child_frames.h"
#include "shell/core/library_files.h"
#include "shell/library_title.h"
#include "shell/lumo_kal_doc.h"
#include "shell/main_frame.h"
#include "shell/view/lumo_kal_view.h"
#include "shell/work_items.h"
#include "toolkit/widgets/splash_wnd.h"

namespace {

constexpr const char* kMainSection = "Main";
constexpr const char* kDataDirEntry = "DataDir";
constexpr const char* kAppDirEntry = "AppDir";
constexpr const char* kCatalogFileName = "Index.idx";
// Entries of the recent-file list.
constexpr UINT kRecentFiles = 8;
constexpr UINT kStartSound = 175;
// How long the splash shows at most, in milliseconds.
constexpr UINT kSplashTime = 6500;
// Extracted pictures are numbered from here on.
constexpr int kPictureBase = 2100000;
// Centimetre values beyond this are refused.
constexpr double kMaxCentimetres = 10000.0;

// Addresses of the maker's pages and mail.
constexpr UINT ID_HOME_PAGE = 32806;
constexpr UINT ID_BULLETIN_PAGE = 32805;
constexpr UINT ID_NEWSLETTER_PAGE = 32807;
struct WebAddress {
  UINT id;
  const char* address;
};
constexpr WebAddress kWebAddresses[] = {
    {ID_HOME_PAGE, "https://www.fenwar.pl/"},
    {ID_BULLETIN_PAGE, "https://www.fenwar.pl/biuletyn/"},
    {ID_NEWSLETTER_PAGE, "https://www.fenwar.pl/nowosci/"},
    {resources::ID_SEND_MAIL, "mailto:lumokal@fenwar.pl"},
};

// The process's extraction counter.
int g_extracted = 0;

}  // namespace

CLumoApp* LumoApp() { return dynamic_cast<CLumoApp*>(AfxGetApp()); }

BEGIN_MESSAGE_MAP(CLumoApp, CWinApp)
  ON_COMMAND(ID_FILE_NEW, &CLumoApp::OnNewWork)
  ON_COMMAND(ID_APP_ABOUT, &CLumoApp::OnAppAbout)
  ON_COMMAND_RANGE(ID_BULLETIN_PAGE, resources::ID_SEND_MAIL, &CLumoApp::OnWebPage)
  ON_COMMAND(resources::ID_TIP_OF_THE_DAY, &CLumoApp::OnTipOfTheDay)
  ON_COMMAND(resources::ID_WORK_INFORMATION, &CLumoApp::OnWorkInformation)
END_MESSAGE_MAP()

CLumoApp::CLumoApp() : CWinApp("LumoKAL") {}

CLumoApp::~CLumoApp() {
  // The skin's hook goes with the program's object, whether or not the exit ran.
  if (m_bSkinned) GetCoolControlsManager().Uninstall();
}

CMainFrame* CLumoApp::GetMainFrame() const { return dynamic_cast<CMainFrame*>(m_pMainWnd); }

// --- Data folder -----------------------------------------------------------------------------------

CString CLumoApp::DataDirFromProfileValue(const CString& value) {
  CString folder = value;
  if (folder.GetLength() > 1 && folder[folder.GetLength() - 1] != '/') folder += '/';
  return folder;
}

void CLumoApp::ReadDataDir() {
  m_strDataDir = DataDirFromProfileValue(GetProfileString(kMainSection, kDataDirEntry, ""));
  if (!m_cmdInfo.m_strDataDir.IsEmpty()) m_strDataDir = DataDirFromProfileValue(m_cmdInfo.m_strDataDir);
  if (m_strDataDir.IsEmpty()) m_strDataDir = CString(base::cp1250::from_utf8(shell::WithSeparator(base::data_folder())));
}

void CLumoApp::SetDataDir(const CString& folder) {
  m_strDataDir = folder;
  if (m_cmdInfo.m_strDataDir.IsEmpty() || DataDirFromProfileValue(m_cmdInfo.m_strDataDir) != folder) {
    WriteProfileString(kMainSection, kDataDirEntry, folder);
  }
  if (!m_bCatalogOpen) OpenCatalogFile();
}

// --- Contents index --------------------------------------------------------------------------------

BOOL CLumoApp::OpenCatalogFile() {
  CloseCatalogFile();
  for (const std::string& folder : {shell::WithSeparator(GetProgramFolder().str()), m_strDataDir.str()}) {
    if (!folder.empty() && m_catalog.Open(base::os_path(CString(folder + kCatalogFileName))) == base::OsError::None) {
      m_bCatalogOpen = TRUE;
      if (title::TitleHandle* title = LibraryTitle()) {
        m_catalog.SetTopicCount(medview::MvGetTitleInfo(title, 11, 0, nullptr, 0));
      }
      return TRUE;
    }
  }
  return FALSE;
}

void CLumoApp::CloseCatalogFile() {
  if (m_bCatalogOpen) m_catalog.Close();
  m_bCatalogOpen = FALSE;
}

// --- Start and end ---------------------------------------------------------------------------------

BOOL CLumoApp::IsCommonControlsVersionAccepted(DWORD major, DWORD minor) {
  return major >= 5 || (major == 4 && minor > 71);
}

BOOL CLumoApp::CheckCommonControlsVersion() {
  CDLLVersion version;
  DWORD major = 0, minor = 0, build = 0;
  if (version.GetDllVersion("comctl32.dll", major, minor, build) && IsCommonControlsVersionAccepted(major, minor))
    return TRUE;
  const char* text =
      "Instalacja nie została przeprowadzona poprawnie. Zainstaluj program ponownie, lub uruchom program "
      "40COMUPD.EXE z katalogu REDIST znajdującym się na dysku CD-ROM.";
  if (AfxMessageBox(CString(base::cp1250::from_utf8(text)), MB_YESNO) == IDYES) {
    const CString setup = DataDirFromProfileValue(GetProfileString(kMainSection, kDataDirEntry, "")) + "Setup.exe";
    ShellExecute(nullptr, "open", setup, nullptr, nullptr, SW_SHOWNORMAL);
  }
  return FALSE;
}

BOOL CLumoApp::CreateMainFrame() {
  // A frame owns itself from its creation on: it ends when its window goes, and a creation that
  // fails ends it as well.
  CMainFrame* frame = std::make_unique<CMainFrame>().release();
  if (!frame->LoadFrame(resources::IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
    // Loading the bar layout names the frame the main window early; a failed frame is gone.
    m_pMainWnd = nullptr;
    return FALSE;
  }
  m_pMainWnd = frame;
  return TRUE;
}

BOOL CLumoApp::InitInstance() {
  m_userData.Load();
  if (!CheckCommonControlsVersion()) return FALSE;
  m_cmdInfo.Parse(m_arguments);
  // The first program may run in another folder: a work is handed over by its full path.
  CString handed = m_cmdInfo.m_strFileName;
  if (!handed.IsEmpty()) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(base::os_path(handed), error);
    if (!error) handed = CString(base::cp1250::from_utf8(full.string()));
  }
  if (!m_guard.RegisterMainClass(resources::IDS_APP_NAME, handed)) return FALSE;

  BeginWaitCursor();
  if (m_userData.m_bHoverLook) {
    GetCoolControlsManager().Install();
    m_bSkinned = TRUE;
  }
  PlaySoundResource(kStartSound);
  // The splash ends itself after its time, on input, or below once the program is up.
  auto* splash = new SECSplashWnd(resources::IDB_SPLASH, kSplashTime);
  if (splash->Create()) {
    m_hSplash = splash->m_hWnd;
    splash->UpdateWindow();
  } else {
    delete splash;
  }
  medview::MvStartup(reinterpret_cast<intptr_t>(m_hInstance));
  medview::MvSetProgramStrings([](uint32_t id, std::string* text) {
    CString loaded;
    if (!AfxLoadString(id, loaded)) return false;
    *text = static_cast<LPCTSTR>(loaded);
    return true;
  });
  // The picture and media windows that titles embed, registered once the engine's window classes exist.
  imagewnd::ImgInit(m_hInstance);
  media::MciInit(m_hInstance);
  // Sounds asked for by resource id (PlaySound) play through the wave output.
  InstallWaveSoundPlayer();

  LoadStdProfileSettings(kRecentFiles);
  ReadDataDir();
  OpenCatalogFile();

  m_pTextTemplate = new CLumoKALDocTemplate(resources::IDS_WORK_DOCUMENT, RUNTIME_CLASS(CLumoKALDoc),
                                            RUNTIME_CLASS(CChildKALFrame), RUNTIME_CLASS(CLumoKALView));
  AddDocTemplate(m_pTextTemplate);
  AddDocTemplate(new CMultiDocTemplate(resources::IDS_PICTURE_DOCUMENT, RUNTIME_CLASS(CLumoBMPDoc),
                                       RUNTIME_CLASS(CChildBMPFrame), RUNTIME_CLASS(CLumoBMPView)));
  if (!CreateMainFrame()) {
    CloseSplash();
    EndWaitCursor();
    return FALSE;
  }
  DragAcceptFiles(m_pMainWnd->m_hWnd, TRUE);

  CDocument* work = m_cmdInfo.m_strFileName.IsEmpty() ? m_pTextTemplate->OpenDocumentFile(nullptr)
                                                      : OpenDocumentFile(m_cmdInfo.m_strFileName);
  if (!work) {
    CLumoKALDoc::SetCurrentWork(nullptr);
    CloseSplash();
    EndWaitCursor();
    return FALSE;
  }
  WriteProfileString(kMainSection, kAppDirEntry, CString(shell::WithSeparator(GetProgramFolder().str())));
  SweepTemporaryFiles();
  EndWaitCursor();
  m_pMainWnd->ShowWindow(m_nCmdShow);
  m_pMainWnd->UpdateWindow();
  // The library tree fills once the main window shows.
  if (CIndexWnd* lists = navcmd::FindIndexWnd()) {
    if (CDUTree* tree = lists->GetLibraryTree()) tree->LoadContents();
  }
  CloseSplash();
  ShowStartupTip();
  return TRUE;
}

void CLumoApp::CloseSplash() {
  if (m_hSplash && ::IsWindow(m_hSplash)) ::SendMessage(m_hSplash, WM_CLOSE, 0, 0);
  m_hSplash = nullptr;
}

void CLumoApp::ShowStartupTip() {
  // Every start moves on to the next tip, shown or not; without a tips file nothing shows.
  CTipDlg tip(m_pMainWnd);
  if (m_userData.m_bTipAtStart && tip.HasFile()) tip.DoModal();
}

void CLumoApp::OnAppAbout() {
  PlaySoundResource(kStartSound);
  CAboutDlg about(m_pMainWnd);
  about.DoModal();
}

int CLumoApp::ExitInstance() {
  m_pWave.reset();
  m_userData.Save();
  CloseCatalogFile();
  media::MciTerm(m_hInstance);
  imagewnd::ImgTerm(m_hInstance);
  medview::MvShutdown();
  if (m_bSkinned) GetCoolControlsManager().Uninstall();
  m_bSkinned = FALSE;
  TitleNamePool::RemoveAll();
  return CWinApp::ExitInstance();
}

// --- Works -----------------------------------------------------------------------------------------

BOOL CLumoApp::CloseWorks() {
  if (!m_pTextTemplate) return TRUE;
  // Each close asks to save; a work the user keeps stays, and then nothing else closes.
  while (!m_pTextTemplate->documents().empty()) {
    CDocument* work = m_pTextTemplate->documents().front().get();
    work->OnCloseDocument();
    if (!m_pTextTemplate->documents().empty() && m_pTextTemplate->documents().front().get() == work) return FALSE;
  }
  return TRUE;
}

CDocument* CLumoApp::OpenDocumentFile(LPCTSTR lpszFileName) {
  if (!CloseWorks()) return m_pTextTemplate->documents().front().get();
  return CWinApp::OpenDocumentFile(lpszFileName);
}

void CLumoApp::OnNewWork() {
  if (CloseWorks() && m_pTextTemplate) m_pTextTemplate->OpenDocumentFile(nullptr);
}

void CLumoApp::OnTipOfTheDay() {
  CTipDlg tip(m_pMainWnd);
  tip.DoModal();
}

void CLumoApp::OnWorkInformation() { CDocInfoSheet::ShowWorkInformation(0); }

void CLumoApp::AddToRecentFileList(LPCTSTR lpszPathName) {
  CString path(lpszPathName);
  const int dot = path.ReverseFind('.');
  CString extension = dot >= 0 ? path.Mid(dot + 1) : CString();
  extension.MakeUpper();
  if (extension == "PNG") return;
  CWinApp::AddToRecentFileList(lpszPathName);
}

void CLumoApp::OnWebPage(UINT nID) {
  for (const WebAddress& web : kWebAddresses) {
    if (web.id == nID) ShellExecute(nullptr, "open", web.address, nullptr, nullptr, SW_SHOWNORMAL);
  }
}

// --- Sounds ----------------------------------------------------------------------------------------

DROPEFFECT CLumoApp::DragTopic(int32_t record, const void* source, int32_t kind, COleDataSource* data) {
  COleDataSource own;
  COleDataSource& offer = data ? *data : own;
  // What the program left on the clipboard is rendered before the drag's data is made.
  COleDataSource::FlushClipboard();
  const bool ctrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
  topicdrag::BuildTopicDrag(offer, record, source, kind, m_userData.m_nCopyFormat, ctrl);
  return topicdrag::RunTopicDrag(offer);
}

void CLumoApp::PlaySoundResource(UINT nID) {
  m_pWave.reset();
  if (!m_userData.m_bSounds) return;
  m_pWave = std::make_unique<CWave>();
  if (!m_pWave->LoadFromResource(nID) || !m_pWave->Play()) ::MessageBeep(0);
}

// --- Centimetres -----------------------------------------------------------------------------------

BOOL CLumoApp::ParseCentimetres(const CString& text, int& millimetres) {
  std::string_view s = text.view();
  auto skip_blanks = [&s] {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  };
  skip_blanks();
  if (s.empty()) return FALSE;
  double value = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (error != std::errc() || !std::isfinite(value) || std::fabs(value) > kMaxCentimetres) return FALSE;
  s.remove_prefix(size_t(end - s.data()));
  skip_blanks();
  if (!s.empty() && !(s.size() == 2 && (s[0] == 'c' || s[0] == 'C') && (s[1] == 'm' || s[1] == 'M'))) return FALSE;
  millimetres = int(std::lround(value * 10.0));
  return TRUE;
}

void CLumoApp::FormatCentimetres(int millimetres, int maxDecimals, CString& text) {
  char buffer[64];
  const int decimals = std::clamp(maxDecimals, 0, 6);
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, millimetres / 10.0, std::chars_format::fixed, decimals);
  std::string number(buffer, result.ptr);
  if (decimals > 0) {
    while (number.back() == '0') number.pop_back();
    if (number.back() == '.') number.pop_back();
  }
  text = CString(number + "cm");
}

// --- Pictures --------------------------------------------------------------------------------------

BOOL CLumoApp::PictureExists(const CString& name) {
  uint16_t code = 0;
  title::BaggagePtr baggage = medview::MvOpenBaggage(LibraryTitle(), name, true, &code);
  if (!baggage) return FALSE;
  medview::MvCloseBaggage(std::move(baggage), &code);
  return TRUE;
}

BOOL CLumoApp::ExtractPicture(CString& name) {
  if (name.IsEmpty() || !LibraryTitle()) return FALSE;
  uint16_t code = 0;
  title::BaggagePtr baggage = medview::MvOpenBaggage(LibraryTitle(), name, true, &code);
  if (!baggage) return FALSE;
  const int64_t size = medview::MvGetBaggageSize(baggage.get(), &code);
  int64_t read = 0;
  std::vector<uint8_t> bytes;
  if (size >= 0) bytes = medview::MvLoadBaggage(LibraryTitle(), name, true, 0, size, &read, &code);
  medview::MvCloseBaggage(std::move(baggage), &code);
  if (size < 0 || code != 0 || read != size) return FALSE;

  const std::string& folder = base::temp_folder();
  if (folder.empty()) return FALSE;
  // A new file each time: an existing one is never written over.
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = folder + "/" + std::to_string(kPictureBase + ++g_extracted) + ".png";
    base::OsFile file;
    const base::OsError e = file.open(path, base::OpenMode::CreateExclusive);
    if (e == base::OsError::Exists) continue;
    if (e != base::OsError::None) return FALSE;
    if (file.write(bytes.data(), bytes.size()) != base::OsError::None || file.close() != base::OsError::None) {
      base::remove_file(path);
      return FALSE;
    }
    name = CString(base::cp1250::from_utf8(path));
    return TRUE;
  }
  return FALSE;
}

CDocTemplate* CLumoApp::GetPictureTemplate() const {
  if (!m_pDocManager) return nullptr;
  for (const auto& t : m_pDocManager->templates()) {
    CString extension;
    if (t.get() != m_pTextTemplate && t->GetDocString(extension, CDocTemplate::filterExt) && extension == ".png")
      return t.get();
  }
  return nullptr;
}

CDocument* CLumoApp::OpenPictureSheet(const CString& path, const CString& caption) {
  CDocTemplate* pictures = GetPictureTemplate();
  if (path.IsEmpty() || !pictures) return nullptr;
  // A picture opens even when the sheet limit is reached.
  ++m_userData.m_nMaxSheets;
  CDocument* doc = pictures->OpenDocumentFile(path, TRUE);
  --m_userData.m_nMaxSheets;
  if (doc) doc->SetTitle(caption);
  // Page turning goes by the picture's name in the title.
  if (auto* picture = dynamic_cast<CLumoBMPDoc*>(doc)) picture->pictureName = caption;
  return doc;
}

BOOL CLumoApp::CloseAllPictureDocuments() {
  CDocTemplate* pictures = GetPictureTemplate();
  if (!pictures) return TRUE;
  while (!pictures->documents().empty()) {
    CDocument* doc = pictures->documents().front().get();
    doc->m_bAutoDelete = TRUE;
    doc->OnCloseDocument();
    if (!pictures->documents().empty() && pictures->documents().front().get() == doc) pictures->RemoveDocument(doc);
  }
  return TRUE;
}

void CLumoApp::SweepTemporaryFiles() {
  const std::string& folder = base::temp_folder();
  if (folder.empty()) return;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    const bool picture = name.size() > 7 && name.compare(0, 3, "210") == 0 && name.compare(name.size() - 4, 4, ".png") == 0;
    const bool scope = name == "pr.lkg" || name == "po.lkg" || name == "lg.lkg" || name == "Custom.lkg";
    if (picture || scope) base::remove_file(it->path().string());
  }
}
