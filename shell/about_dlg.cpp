#include "shell/about_dlg.h"

#include <algorithm>
#include <cstdio>

#include "platform/base/cp1250.h"
#include "platform/res/resource_store.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"

namespace credits {

namespace {

// The stored form: each byte of the CP1250 text XOR this key.
constexpr uint8_t kKey = 0x5A;

// The credits in the program's words (UTF-8 here): a line's last character tells its kind (tab a
// title, line feed a group, carriage return a group title).
constexpr const char* kCredits =
    "LumoKAL\t|Dziennik Ustaw\n|na Twoim biurku\n||Zespół\r|Kierownictwo|Programowanie|"
    "Opracowanie tekstów|Korekta|Grafika||Podziękowania\r|Wszystkim, którzy|zgłaszali uwagi|"
    "i cierpliwie czekali|na tę wersję||Fenwar\n|Warszawa||";

std::string Encode(const std::string& text) {
  std::string out = text;
  for (char& c : out) c = char(uint8_t(c) ^ kKey);
  return out;
}

CString Load(UINT id) {
  CString text;
  AfxLoadString(id, text);
  return text;
}

CString Format1(UINT id, auto... values) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, Load(id).GetString(), values...);
  return CString(buffer);
}

}  // namespace

LineKind KindOf(const CString& line) {
  if (line.IsEmpty()) return LineKind::kText;
  switch (line[line.GetLength() - 1]) {
    case '\t': return LineKind::kTitle;
    case '\n': return LineKind::kGroup;
    case '\r': return LineKind::kGroupTitle;
    case '^': return LineKind::kPicture;
    default: return LineKind::kText;
  }
}

int HeightOf(LineKind kind) {
  switch (kind) {
    case LineKind::kTitle: return 21;
    case LineKind::kGroup: return 19;
    case LineKind::kGroupTitle: return 17;
    default: return 15;
  }
}

std::vector<CString> SplitLines(const CString& text, char separator) {
  std::vector<CString> lines;
  std::string_view rest = text.view();
  for (;;) {
    const size_t at = rest.find(separator);
    lines.emplace_back(std::string(rest.substr(0, at)));
    if (at == std::string_view::npos) break;
    rest.remove_prefix(at + 1);
  }
  return lines;
}

CString StoredCredits() {
  // Kept encoded in the program and decoded only for the control.
  static const std::string stored = Encode(base::cp1250::from_utf8(kCredits));
  return CString(Encode(stored));
}

int AdvanceSequence(int state, UINT id, bool ctrl) {
  struct Step {
    UINT id;
    bool ctrl;
  };
  constexpr Step kSteps[] = {{resources::IDC_ABOUT_KEY1, false}, {resources::IDC_ABOUT_KEY2, true},
                             {resources::IDC_ABOUT_KEY3, false}};
  if (state < 0 || state >= kSequenceDone) return state < 0 ? -1 : state;
  const Step& next = kSteps[state];
  return next.id == id && next.ctrl == ctrl ? state + 1 : -1;
}

CString MemoryLine(const MEMORYSTATUS& status) {
  return Format1(resources::IDS_PHYSICAL_MEMORY, static_cast<unsigned long>(status.dwTotalPhys / 1024));
}

CString DiskLine(bool ok, char drive, uint64_t free_bytes) {
  if (!ok) return Load(resources::IDS_UNAVAILABLE);
  return Format1(resources::IDS_FREE_DISK_SPACE, drive, static_cast<unsigned long>(free_bytes / 1024));
}

CString SystemLine(const OSVERSIONINFO& v) {
  char system[256];
  if (v.dwPlatformId == VER_PLATFORM_LINUX) {
    if (v.szCSDVersion[0] != '\0') {
      std::snprintf(system, sizeof system, "Linux %u.%u.%u (%s)", unsigned(v.dwMajorVersion), unsigned(v.dwMinorVersion),
                    unsigned(v.dwBuildNumber), v.szCSDVersion);
    } else {
      std::snprintf(system, sizeof system, "Linux %u.%u.%u", unsigned(v.dwMajorVersion), unsigned(v.dwMinorVersion),
                    unsigned(v.dwBuildNumber));
    }
  } else if (v.dwPlatformId == VER_PLATFORM_WIN32_NT) {
    std::snprintf(system, sizeof system, "Windows NT %u.%u (Build: %u)", unsigned(v.dwMajorVersion),
                  unsigned(v.dwMinorVersion), unsigned(v.dwBuildNumber));
  } else if (v.dwMajorVersion > 3) {
    std::snprintf(system, sizeof system, "Windows 95 (osv:%u.%u)", unsigned(v.dwMajorVersion),
                  unsigned(v.dwMinorVersion));
  } else {
    std::snprintf(system, sizeof system, "Win32s %u.%u (Build: %u)", unsigned(v.dwMajorVersion),
                  unsigned(v.dwMinorVersion), unsigned(v.dwBuildNumber & 0x7FFFFFFF));
  }
  return Format1(resources::IDS_SYSTEM_VERSION, system);
}

RECT ScaleToUsualFont(const RECT& rect, int width40, int height80) {
  if (width40 <= 0 || height80 <= 0) return rect;
  return RECT{::MulDiv(rect.left, 60, width40), ::MulDiv(rect.top, 130, height80), ::MulDiv(rect.right, 60, width40),
              ::MulDiv(rect.bottom, 130, height80)};
}

int ScaleFontHeight(int height, int height80) { return height80 > 0 ? ::MulDiv(height, 130, height80) : height; }

}  // namespace credits

// --- Credits control -------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CCreditStatic, CStatic)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_TIMER()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CCreditStatic::CCreditStatic()
    : m_colours{RGB(0, 0, 0), RGB(255, 0, 0), RGB(255, 255, 0), RGB(0, 255, 255), RGB(0, 0, 0)} {}

CCreditStatic::~CCreditStatic() = default;

void CCreditStatic::LoadLines(const CString& text, char separator) {
  m_lines = credits::SplitLines(text, separator);
  m_nCurrent = 0;
  m_bFirstPass = TRUE;
  m_nTicks = 0;
}

void CCreditStatic::ChooseSpeed(int index, int period) {
  if (index < 0 || index >= kSpeeds) return;
  m_nSpeed = index;
  if (period > 0) m_periods[index] = period;
}

void CCreditStatic::SetColourEntry(int index, COLORREF colour) {
  if (index >= 0 && index < int(std::size(m_colours))) m_colours[index] = colour;
}

BOOL CCreditStatic::LoadBackground(UINT nID) {
  auto dib = std::make_unique<CDIB>();
  if (!dib->LoadResource(nID)) {
    m_pBackground.reset();
    return FALSE;
  }
  m_pBackground = std::move(dib);
  return TRUE;
}

void CCreditStatic::Start() {
  if (m_lines.empty() || !m_hWnd) return;
  m_nTimer = SetTimer(kTimerId, UINT(m_periods[m_nSpeed]), nullptr);
  m_nTicks = 1;
  m_nCurrent = 0;
  m_bFirstPass = TRUE;
  // Shown over the picture only while the credits run.
  ShowWindow(SW_SHOW);
  Invalidate(FALSE);
}

void CCreditStatic::Stop() {
  if (m_nTimer != 0 && m_hWnd) KillTimer(kTimerId);
  m_nTimer = 0;
  if (m_hWnd) ShowWindow(SW_HIDE);
}

void CCreditStatic::Render(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  // The tiled background, or the background colour.
  if (m_pBackground && m_pBackground->GetWidth() > 0 && m_pBackground->GetHeight() > 0) {
    for (int y = 0; y < client.bottom; y += m_pBackground->GetHeight()) {
      for (int x = 0; x < client.right; x += m_pBackground->GetWidth()) m_pBackground->Draw(pDC, x, y);
    }
  } else {
    pDC->FillSolidRect(client, m_colours[0]);
  }
  if (m_nTimer == 0 || m_lines.empty()) return;

  // The lines enter at the bottom and move up one pixel a tick; the list starts again at its end.
  int total = 0;
  for (const CString& line : m_lines) total += credits::HeightOf(credits::KindOf(line));
  const int offset = m_nTicks % std::max(total + client.Height(), 1);
  int y = client.bottom - offset;
  pDC->SetBkMode(TRANSPARENT);
  for (const CString& raw : m_lines) {
    const credits::LineKind kind = credits::KindOf(raw);
    const int height = credits::HeightOf(kind);
    if (y + height > 0 && y < client.bottom) {
      CString text = raw;
      if (kind != credits::LineKind::kText) text = text.Left(text.GetLength() - 1);
      LOGFONT lf{};
      lf.lfHeight = height;
      lf.lfWeight = kind == credits::LineKind::kText ? 100 : FW_BOLD;
      lf.lfCharSet = EASTEUROPE_CHARSET;
      std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s",
                    kind == credits::LineKind::kGroup ? "Arial CE" : "Arial");
      const COLORREF colour = kind == credits::LineKind::kTitle        ? m_colours[1]
                              : kind == credits::LineKind::kGroup      ? m_colours[2]
                              : kind == credits::LineKind::kGroupTitle ? m_colours[3]
                                                                       : m_colours[4];
      if (kind == credits::LineKind::kPicture) {
        CDIB picture;
        const std::span<const uint8_t> bytes = res::find_binary(res::BinaryKind::data, text.GetString());
        if (!bytes.empty() && picture.LoadBytes(bytes)) {
          picture.Draw(pDC, (client.Width() - picture.GetWidth()) / 2, y);
        }
      } else {
        CFont font;
        font.CreateFontIndirect(&lf);
        CFont* old = pDC->SelectObject(&font);
        pDC->SetTextColor(colour);
        CRect row(client.left, y, client.right, y + height);
        pDC->DrawText(text, row, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        pDC->SelectObject(old);
      }
    }
    y += height;
  }
}

void CCreditStatic::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  // Drawn off screen first, so the scrolling never flickers.
  CDC memory;
  CBitmap bitmap;
  if (!memory.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height())) {
    Render(&dc);
    return;
  }
  CBitmap* old = memory.SelectObject(&bitmap);
  Render(&memory);
  dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
  memory.SelectObject(old);
}

BOOL CCreditStatic::OnEraseBkgnd(CDC*) { return TRUE; }

void CCreditStatic::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kTimerId) {
    Default();
    return;
  }
  ++m_nTicks;
  Invalidate(FALSE);
}

void CCreditStatic::OnDestroy() {
  Stop();
  m_lines.clear();
  CStatic::OnDestroy();
}

// --- About box -------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CAboutDlg, CGSDialog)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_DESTROY()
  ON_WM_QUERYNEWPALETTE()
  ON_WM_PALETTECHANGED()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(CWnd* pParent) : CGSDialog(resources::IDD_ABOUT, pParent) {}
CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::FixLayout() {
  CRect units(0, 0, 40, 80);
  MapDialogRect(&units);
  const int width40 = units.Width(), height80 = units.Height();
  if (width40 <= 0 || height80 <= 0) return;
  m_layout.clear();
  CRect client;
  GetClientRect(&client);
  m_layout.push_back(client);
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    CRect rect;
    ::GetWindowRect(child, &rect);
    ScreenToClient(&rect);
    m_layout.push_back(rect);
    children.push_back(child);
  }
  LOGFONT lf{};
  if (::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf) != 0) {
    lf.lfHeight = credits::ScaleFontHeight(lf.lfHeight, height80);
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&lf);
  }
  for (size_t i = 0; i < children.size(); ++i) {
    const RECT r = credits::ScaleToUsualFont(m_layout[i + 1], width40, height80);
    ::MoveWindow(children[i], r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    if (m_font.GetSafeHandle()) ::SendMessage(children[i], WM_SETFONT, WPARAM(m_font.GetSafeHandle()), FALSE);
  }
  // The box keeps its frame around the scaled client.
  CRect window;
  GetWindowRect(&window);
  const RECT inside = credits::ScaleToUsualFont(client, width40, height80);
  SetWindowPos(nullptr, 0, 0, window.Width() - client.Width() + (inside.right - inside.left),
               window.Height() - client.Height() + (inside.bottom - inside.top), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CAboutDlg::OnInitDialog() {
  FixLayout();
  CGSDialog::OnInitDialog();
  if (m_credits.SubclassDlgItem(resources::IDC_ABOUT_CREDITS, this)) {
    m_credits.LoadLines(credits::StoredCredits(), '|');
    m_credits.ChooseSpeed(2);
    m_credits.SetColourEntry(0, RGB(192, 192, 192));
    m_credits.LoadBackground(resources::IDB_CREDITS_BACKGROUND);
  }
  CString target;
  m_mail.SubclassDlgItem(resources::IDC_ABOUT_MAIL, this);
  if (AfxLoadString(resources::IDS_MAIL_ADDRESS, target)) m_mail.SetURL(target);
  m_web.SubclassDlgItem(resources::IDC_ABOUT_WEB, this);
  if (AfxLoadString(resources::IDS_WEB_PAGES_ADDRESS, target)) m_web.SetURL(target);

  if (!m_picture.LoadResource(resources::IDB_ABOUT_PICTURE) || !m_picture.GetHeader() ||
      m_picture.GetHeader()->biBitCount != 8) {
    AfxMessageBox("Only 8-bpp DIBs are supported");
    return TRUE;
  }
  m_pPalette = std::make_unique<CPicturePalette>();
  if (!m_pPalette->Create(&m_picture)) {
    m_pPalette.reset();
    AfxMessageBox("Failed to create palette from DIB file");
  } else {
    m_picture.MapColorsToPalette(m_pPalette.get());
  }
  FillSystemInformation();
  return TRUE;
}

void CAboutDlg::FillSystemInformation() {
  MEMORYSTATUS memory;
  ::GlobalMemoryStatus(&memory);
  SetDlgItemText(resources::IDC_ABOUT_MEMORY, credits::MemoryLine(memory));
  uint64_t free_bytes = 0;
  const bool ok = ::GetDiskFreeSpaceEx(nullptr, &free_bytes, nullptr, nullptr) != FALSE;
  SetDlgItemText(resources::IDC_ABOUT_DISK, credits::DiskLine(ok, '/', free_bytes));
  OSVERSIONINFO version;
  if (::GetVersionEx(&version)) SetDlgItemText(resources::IDC_ABOUT_SYSTEM, credits::SystemLine(version));
}

void CAboutDlg::DrawPicture(CDC* pDC) {
  CWnd* area = GetDlgItem(resources::IDC_ABOUT_PICTURE);
  if (!area || !m_picture.GetHeader()) return;
  CPalette* old = m_pPalette ? pDC->SelectPalette(m_pPalette.get(), TRUE) : nullptr;
  if (m_pPalette) pDC->RealizePalette();
  CRect rect;
  area->GetWindowRect(&rect);
  ScreenToClient(&rect);
  m_picture.Draw(pDC, rect.left, rect.top);
  if (old) pDC->SelectPalette(old, TRUE);
}

void CAboutDlg::OnPaint() {
  CPaintDC dc(this);
  DrawPicture(&dc);
}

BOOL CAboutDlg::OnEraseBkgnd(CDC* pDC) {
  // An erase without a paint after it must not wipe the picture.
  const BOOL erased = CGSDialog::OnEraseBkgnd(pDC);
  DrawPicture(pDC);
  return erased;
}

BOOL CAboutDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  if (HIWORD(wParam) == STN_CLICKED &&
      (id == resources::IDC_ABOUT_KEY1 || id == resources::IDC_ABOUT_KEY2 || id == resources::IDC_ABOUT_KEY3)) {
    OnSequenceClick(id, (::GetKeyState(VK_CONTROL) & 0x8000) != 0);
    return TRUE;
  }
  if (HIWORD(wParam) == STN_CLICKED && (id == resources::IDC_ABOUT_MAIL || id == resources::IDC_ABOUT_WEB)) return TRUE;
  return CGSDialog::OnCommand(wParam, lParam);
}

void CAboutDlg::OnLButtonDown(UINT nFlags, CPoint point) {
  if (m_bCreditsRunning) {
    m_credits.Stop();
    m_bCreditsRunning = FALSE;
  } else if (m_nSequence == credits::kSequenceDone && m_credits.m_hWnd) {
    CRect area;
    GetDlgItem(resources::IDC_ABOUT_PICTURE)->GetWindowRect(&area);
    ScreenToClient(&area);
    if (area.PtInRect(point)) {
      m_credits.Start();
      m_bCreditsRunning = TRUE;
    }
  }
  CGSDialog::OnLButtonDown(nFlags, point);
}

void CAboutDlg::OnDestroy() {
  m_credits.Stop();
  m_layout.clear();
  CGSDialog::OnDestroy();
}

BOOL CAboutDlg::OnQueryNewPalette() { return BOOL(Default()); }
void CAboutDlg::OnPaletteChanged(CWnd*) { Default(); }
