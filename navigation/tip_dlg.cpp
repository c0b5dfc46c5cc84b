#include "navigation/tip_dlg.h"

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>

#include "navigation/tip_file.h"
#include "platform/base/cp1250.h"
#include "platform/base/data_folder.h"
#include "platform/base/os_file.h"
#include "platform/framework/app.h"
#include "platform/framework/data_exchange.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/prompter.h"
#include "platform/win/bitmap_loading.h"
#include "platform/win/window_dc.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/lumo_app.h"

using namespace resources;

namespace {

// A font of `height` pixels and `weight` by face name (CP1250 text).
void MakeFont(CFont& font, int height, int weight, const char* face) {
  LOGFONT lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfCharSet = EASTEUROPE_CHARSET;
  std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", face);
  font.CreateFontIndirect(&lf);
}

// Files larger than this are not tips files.
constexpr uint64_t kMaxTipsFile = 1u << 20;
std::string g_test_file;

CUserData* UserData() {
  auto* app = dynamic_cast<CLumoApp*>(AfxGetApp());
  return app ? &app->GetUserData() : nullptr;
}

}  // namespace

BEGIN_MESSAGE_MAP(CTipDlg, CGSDialog)
  ON_CONTROL(BN_CLICKED, IDC_TIP_NEXT, &CTipDlg::OnNextTip)
  ON_CONTROL(BN_CLICKED, IDC_TIP_CLOSE, &CTipDlg::OnClose)
  ON_CONTROL(BN_CLICKED, IDC_TIP_QUERY, &CTipDlg::OnQuery)
  ON_COMMAND_RANGE(ID_TITLES_INDEX, ID_DATE_INDEX, &CTipDlg::OnIndex)
  ON_COMMAND_RANGE(ID_FORMULAS_INDEX, ID_TABLES_INDEX, &CTipDlg::OnIndex)
  ON_WM_PAINT()
  ON_WM_CTLCOLOR()
  ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

std::string CTipDlg::FindTipsFile() {
  if (!g_test_file.empty()) return g_test_file;
  const std::string candidates[] = {
      base::data_folder() + "/" + tips::kTipsFileName,
      base::cp1250::to_utf8(std::string_view(CWinApp::GetProgramFolder())) + "/" + tips::kTipsFileName,
  };
  for (const std::string& path : candidates) {
    if (base::file_exists(path)) return path;
  }
  return {};
}

void CTipDlg::SetTipsFileForTests(std::string path) { g_test_file = std::move(path); }

CTipDlg::CTipDlg(CWnd* pParent) : CGSDialog(IDD_TIP, pParent) {
  if (CUserData* data = UserData()) m_bStartup = data->m_bTipAtStart != 0;
  CWinApp* app = AfxGetApp();
  m_nPosition = app ? app->GetProfileInt(tips::kTipSection, tips::kFilePosEntry, 0) : 0;
  const std::string path = FindTipsFile();
  std::vector<uint8_t> bytes;
  if (path.empty() || base::read_file(path, bytes, kMaxTipsFile) != base::OsError::None) {
    AfxLoadString(IDS_NO_TIPS_FILE, m_strTip);
    return;
  }
  m_content.assign(bytes.begin(), bytes.end());
  m_bFileOpen = TRUE;
  struct stat info {};
  const std::string stamp = ::stat(path.c_str(), &info) == 0 ? tips::TimeStampText(info.st_mtime) : std::string();
  if (app && CString(stamp) != app->GetProfileString(tips::kTipSection, tips::kTimeStampEntry, "")) {
    app->WriteProfileString(tips::kTipSection, tips::kTimeStampEntry, CString(stamp));
    m_nPosition = 0;
  }
  GetNextTipString(m_strTip);
}

CTipDlg::~CTipDlg() {
  if (m_bFileOpen) {
    if (CWinApp* app = AfxGetApp()) app->WriteProfileInt(tips::kTipSection, tips::kFilePosEntry, int(m_nPosition));
  }
}

void CTipDlg::GetNextTipString(CString& strNext) {
  const tips::TipRead read = tips::NextTip(m_content, m_nPosition);
  if (!read.found) {
    // A file without a single tip line: said once, and nothing to step through.
    strNext = CString(base::cp1250::from_utf8("Plik z poradami nie zawiera żadnej porady."));
    m_nPosition = 0;
    return;
  }
  strNext = CString(read.text);
  m_nPosition = read.next;
}

void CTipDlg::DoDataExchange(CDataExchange* pDX) {
  CGSDialog::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_TIP_AT_START, m_bStartup);
  DDX_Text(pDX, IDC_TIP_TEXT, m_strTip);
}

BOOL CTipDlg::OnInitDialog() {
  CGSDialog::OnInitDialog();
  // The panel, the bulb's place and the tip area only give their rectangles: the dialog paints them.
  for (UINT id : {IDC_TIP_PANEL, IDC_TIP_ICON, IDC_TIP_TEXT}) {
    if (CWnd* place = GetDlgItem(int(id))) place->ShowWindow(SW_HIDE);
  }
  if (m_menu.LoadMenu(IDR_TIP_INDEX_MENU)) {
    if (CMenu* popup = m_menu.GetSubMenu(0)) m_btnIndexes.AttachMenuItem(IDC_TIP_INDEXES, this, popup->m_hMenu);
  }
  const bool any_tip = m_bFileOpen && tips::NextTip(m_content, 0).found;
  if (CWnd* next = GetDlgItem(int(IDC_TIP_NEXT))) next->EnableWindow(any_tip);
  CenterWindow();
  return TRUE;
}

void CTipDlg::OnNextTip() {
  GetNextTipString(m_strTip);
  UpdateData(FALSE);
  if (CWnd* text = GetDlgItem(int(IDC_TIP_TEXT))) {
    CRect rect;
    text->GetWindowRect(&rect);
    ScreenToClient(&rect);
    RedrawWindow(&rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
}

void CTipDlg::OnOK() {
  // Enter presses the default button, "&Zamknij".
  OnClose();
}

void CTipDlg::OnClose() {
  CGSDialog::OnOK();
  if (CUserData* data = UserData()) data->m_bTipAtStart = m_bStartup ? 1 : 0;
}

void CTipDlg::CloseAndPost(UINT nID) {
  CWnd* main = AfxGetMainWnd();
  OnClose();
  if (main && main->m_hWnd) main->PostMessage(WM_COMMAND, nID, 0);
}

void CTipDlg::OnQuery() { CloseAndPost(ID_QUERY); }

void CTipDlg::OnIndex(UINT nID) { CloseAndPost(nID); }

void CTipDlg::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
  if (bSysMenu || !pPopupMenu) return;
  for (UINT id : {ID_TITLES_INDEX, ID_SIGNATORIES_INDEX, ID_SUBJECT_INDEX, ID_FORMULAS_INDEX, ID_FIGURES_INDEX,
                  ID_TABLES_INDEX, ID_DATE_INDEX}) {
    pPopupMenu->EnableMenuItem(id, MF_BYCOMMAND | MF_ENABLED);
  }
}

HBRUSH CTipDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (pWnd && pWnd->GetDlgCtrlID() == int(IDC_TIP_TEXT)) return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  return CGSDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CTipDlg::OnPaint() {
  CPaintDC dc(this);
  auto rect_of = [this](UINT id) {
    CRect rect;
    if (CWnd* item = GetDlgItem(int(id))) {
      item->GetWindowRect(&rect);
      ScreenToClient(&rect);
    }
    return rect;
  };
  const CRect panel = rect_of(IDC_TIP_PANEL);
  const CRect area = rect_of(IDC_TIP_TEXT);
  const CRect icon = rect_of(IDC_TIP_ICON);
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  dc.FillSolidRect(&panel, ::GetSysColor(COLOR_WINDOW));
  CRect left = panel;
  left.right = area.left - 5;
  dc.FillSolidRect(&left, shadow);

  // The bulb on the shade: its white ground, from the top-left pixel, takes the shade's colour.
  int bulb_bottom = icon.top;
  if (HBITMAP handle = ::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(int(IDB_TIP_LIGHT)))) {
    CBitmap bitmap;
    bitmap.Attach(handle);
    BITMAP info{};
    bitmap.GetBitmap(&info);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(&bitmap);
    CBrush brush(shadow);
    CBrush* old_brush = memory.SelectObject(&brush);
    memory.ExtFloodFill(0, 0, memory.GetPixel(0, 0), FLOODFILLSURFACE);
    memory.SelectObject(old_brush);
    dc.BitBlt(icon.left, icon.top, info.bmWidth, info.bmHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
    bulb_bottom = icon.top + info.bmHeight;
  }
  dc.FillSolidRect(panel.left, bulb_bottom + 6, panel.Width(), 1, shadow);

  dc.SetBkMode(TRANSPARENT);
  CFont heading;
  MakeFont(heading, 22, FW_BOLD, "Times New Roman CE");
  CFont* old_font = dc.SelectObject(&heading);
  CRect title(area.left, icon.top + 15, area.right, icon.top + 15 + 30);
  dc.DrawText(CString(base::cp1250::from_utf8("Czy wiesz że...")), &title, DT_SINGLELINE | DT_LEFT | DT_NOPREFIX);
  CFont body;
  MakeFont(body, 14, FW_NORMAL, "Arial CE");
  dc.SelectObject(&body);
  dc.FillSolidRect(&area, ::GetSysColor(COLOR_WINDOW));
  CRect text = area;
  dc.DrawText(m_strTip, &text, DT_WORDBREAK | DT_LEFT | DT_NOPREFIX);
  dc.SelectObject(old_font);
}
