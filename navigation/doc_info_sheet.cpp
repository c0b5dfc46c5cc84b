#include "navigation/doc_info_sheet.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/base/cfile.h"
#include "platform/base/cp1250.h"
#include "platform/base/locale_info.h"
#include "platform/controls/rich_edit_ctrl.h"
#include "platform/framework/app.h"
#include "platform/framework/data_exchange.h"
#include "platform/framework/prompter.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"

using namespace resources;

namespace docinfo {

std::string DateText(std::time_t t) {
  std::tm tm{};
  if (!localtime_r(&t, &tm)) return {};
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%d %s %d", tm.tm_mday, base::polish_month_genitive(tm.tm_mon + 1),
                tm.tm_year + 1900);
  return buffer;
}

std::string DateTimeText(std::time_t t) {
  std::tm tm{};
  if (!localtime_r(&t, &tm)) return {};
  char time[16];
  std::snprintf(time, sizeof time, "%02d:%02d:%02d", tm.tm_hour, tm.tm_min, tm.tm_sec);
  return DateText(t) + "   " + "   " + time;
}

std::string SizeText(uint64_t bytes) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%10.1f KB (%llu bajt\xF3w)", double(bytes) / 1024.0,
                static_cast<unsigned long long>(bytes));
  const std::string text = buffer;
  return text.substr(std::min(text.find_first_not_of(' '), text.size()));
}

std::string WorkTimeText(int64_t seconds) {
  const int64_t hours = seconds / 3600;
  const int64_t minutes = seconds / 60 - hours * 60;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%lld godz., %lld min.", static_cast<long long>(hours),
                static_cast<long long>(minutes));
  return buffer;
}

}  // namespace docinfo

namespace {

CLumoApp* App() { return dynamic_cast<CLumoApp*>(AfxGetApp()); }

}  // namespace

// --- The file page ------------------------------------------------------------------------------------

CFileInfoPage::CFileInfoPage() : CGSPropertyPage(IDD_FILE_INFO_PAGE) {}
CFileInfoPage::~CFileInfoPage() = default;

BOOL CFileInfoPage::OnInitDialog() {
  CGSPropertyPage::OnInitDialog();
  CString path = m_strPath;
  if (!m_bPathSet) {
    if (CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork()) path = work->GetPathName();
  }
  CFileStatus status;
  if (path.IsEmpty() || !CFile::GetStatus(path, status)) {
    if (CWnd* icon = GetDlgItem(int(IDC_FILE_ICON))) icon->ShowWindow(SW_HIDE);
    const CString unknown(base::cp1250::from_utf8("(nieznany)"));
    for (UINT id : {IDC_FILE_CREATED, IDC_FILE_MODIFIED, IDC_FILE_USED}) SetDlgItemText(id, unknown);
    if (!path.IsEmpty()) SetDlgItemText(IDC_FILE_NAME, path);
    return FALSE;
  }
  CheckDlgButton(IDC_FILE_ARCHIVE, (status.m_attribute & CFile::archive) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(IDC_FILE_READ_ONLY, (status.m_attribute & CFile::readOnly) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(IDC_FILE_HIDDEN, (status.m_attribute & CFile::hidden) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(IDC_FILE_SYSTEM, (status.m_attribute & CFile::system) ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemText(IDC_FILE_TYPE, CString("Dokument programu LumoKAL"));
  SetDlgItemText(IDC_FILE_CREATED, CString(docinfo::DateTimeText(status.m_ctime.GetTime())));
  SetDlgItemText(IDC_FILE_MODIFIED, CString(docinfo::DateTimeText(status.m_mtime.GetTime())));
  SetDlgItemText(IDC_FILE_USED, CString(docinfo::DateTimeText(status.m_atime.GetTime())));
  SetDlgItemText(IDC_FILE_SIZE, CString(docinfo::SizeText(status.m_size)));
  const std::string text(path.GetString());
  const size_t slash = text.find_last_of('/');
  SetDlgItemText(IDC_FILE_PLACE, CString(slash == std::string::npos ? std::string() : text.substr(0, slash + 1)));
  SetDlgItemText(IDC_FILE_NAME, CString(slash == std::string::npos ? text : text.substr(slash + 1)));
  return FALSE;
}

// --- The document page ------------------------------------------------------------------------------------

CDocInfoPage::CDocInfoPage() : CGSPropertyPage(IDD_DOC_INFO_PAGE) {}
CDocInfoPage::~CDocInfoPage() = default;

BOOL CDocInfoPage::OnInitDialog() {
  CGSPropertyPage::OnInitDialog();
  CLumoApp* app = App();
  if (!app) return TRUE;
  CDocumentData& data = app->GetDocumentData();
  data.AccumulateWorkTime();
  SetDlgItemText(IDC_DOC_PAGES, CString(std::to_string(data.m_nOpenedTopics)));
  SetDlgItemText(IDC_DOC_PRINTED, CString(std::to_string(data.m_nPrintedPages)));
  SetDlgItemText(IDC_DOC_SEARCHES, CString(std::to_string(data.m_nSearches)));
  SetDlgItemText(IDC_DOC_CREATED, CString(docinfo::DateText(data.m_tCreated.GetTime())));
  SetDlgItemText(IDC_DOC_OPENED, CString(docinfo::DateText(data.m_tModified.GetTime())));
  SetDlgItemText(IDC_DOC_WORK_TIME, CString(docinfo::WorkTimeText(data.m_tsWorkTime.GetTotalSeconds())));
  SetDlgItemText(IDC_DOC_TITLE, data.m_strTitle);
  SetDlgItemText(IDC_DOC_AUTHOR, data.m_strAuthor);
  return TRUE;
}

void CDocInfoPage::DoDataExchange(CDataExchange* pDX) {
  CGSPropertyPage::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_DOC_AUTHOR, m_strAuthor);
  DDX_Text(pDX, IDC_DOC_TITLE, m_strTitle);
}

// --- The notes page ------------------------------------------------------------------------------------

CDocInfoBisPage::CDocInfoBisPage() : CGSPropertyPage(IDD_DOC_INFO_BIS_PAGE) {}
CDocInfoBisPage::~CDocInfoBisPage() = default;

BOOL CDocInfoBisPage::OnSetActive() {
  if (CWnd* edit = GetDlgItem(int(IDC_DOC_NOTES))) {
    edit->SetWindowText("");
    struct Source {
      std::string text;
      size_t at = 0;
    } source{"{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss Arial CE;}}\\fs20 \\b\\ql Uwagi: \\b0\n\\par\\par "
             "{\\pard\\par\\bullet    \n\\par }}"};
    EDITSTREAM stream;
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = [](DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) -> DWORD {
      auto* s = reinterpret_cast<Source*>(cookie);
      const size_t n = std::min(size_t(std::max<LONG>(size, 0)), s->text.size() - s->at);
      std::memcpy(buffer, s->text.data() + s->at, n);
      s->at += n;
      *done = LONG(n);
      return 0;
    };
    edit->SendMessage(EM_STREAMIN, SF_RTF | SFF_SELECTION, reinterpret_cast<LPARAM>(&stream));
  }
  return CGSPropertyPage::OnSetActive();
}

// --- The sheet ------------------------------------------------------------------------------------------

CDocInfoSheet::CDocInfoSheet(CWnd* pParentWnd, UINT iSelectPage)
    : CGSPropertySheet(IDS_WORK_INFORMATION, pParentWnd, iSelectPage) {
  m_psh.dwFlags |= PSH_NOAPPLYNOW;
  AddPage(&m_filePage);
  AddPage(&m_docPage);
}

CDocInfoSheet::~CDocInfoSheet() = default;

BOOL CDocInfoSheet::OnInitDialog() {
  const BOOL result = CGSPropertySheet::OnInitDialog();
  CWnd* help = GetDlgItem(IDHELP);
  CWnd* cancel = GetDlgItem(IDCANCEL);
  CWnd* ok = GetDlgItem(IDOK);
  CRect help_rect, cancel_rect, ok_rect;
  if (help) help->GetWindowRect(&help_rect);
  if (cancel) cancel->GetWindowRect(&cancel_rect);
  if (help) help->ShowWindow(SW_HIDE);
  if (cancel) cancel->ShowWindow(SW_HIDE);
  if (ok && cancel) {
    // Only OK stays: it moves one button to the right (onto Cancel's place without a help button).
    ok->GetWindowRect(&ok_rect);
    const int shift = help ? help_rect.right - cancel_rect.right : cancel_rect.right - ok_rect.right;
    ScreenToClient(&ok_rect);
    ok_rect.OffsetRect(shift, 0);
    ok->MoveWindow(&ok_rect);
  }
  return result;
}

INT_PTR CDocInfoSheet::ShowWorkInformation(UINT iSelectPage) {
  CDocInfoSheet sheet(AfxGetMainWnd(), iSelectPage);
  const INT_PTR answer = sheet.DoModal();
  if (answer == IDOK) {
    if (CLumoApp* app = App()) {
      app->GetDocumentData().m_strTitle = sheet.m_docPage.m_strTitle;
      app->GetDocumentData().m_strAuthor = sheet.m_docPage.m_strAuthor;
    }
  }
  return answer;
}
