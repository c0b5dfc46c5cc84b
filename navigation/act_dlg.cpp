#include "navigation/act_dlg.h"

#include <algorithm>
#include <memory>

#include "engine/medview/engine_titles.h"
#include "navigation/entry_texts.h"
#include "navigation/keyword_hits.h"
#include "navigation/nav_commands.h"
#include "platform/base/cp1250.h"
#include "platform/controls/rich_edit_ctrl.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/app.h"
#include "platform/shell/services.h"
#include "platform/win/hooks.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"
#include "platform/win/window_dc.h"
#include "resources/app_ids.h"
#include "shell/core/tag_string.h"
#include "shell/frame_placement.h"
#include "shell/library_title.h"
#include "shell/lumo_kal_doc.h"
#include "shell/view/mv_dummy.h"

using namespace resources;

namespace actinfo {

Lines Describe(const shell::ActDescription& d) {
  Lines lines;
  const shell::ContentsRecord& r = d.record;
  if (r.year < 90 && r.number == 0) return lines;
  const int year = d.FullYear();
  if (r.level <= shell::kLevelAct) {
    lines.address = "poz. " + std::to_string(d.position) + "/" + std::to_string(year);
    if (r.attachment) {
      lines.address += r.attachment_number != 0
                           ? base::cp1250::from_utf8(" (Załącznik Nr ") + std::to_string(r.attachment_number) + ")"
                           : base::cp1250::from_utf8(" (Załącznik)");
    }
    const std::string& act = d.texts[shell::kLevelAct];
    const size_t hash = act.find('#');
    lines.rank = hash == std::string::npos ? act : act.substr(0, hash);
    lines.title = hash == std::string::npos ? std::string() : act.substr(hash + 1);
  } else if (r.level == shell::kLevelIssue) {
    lines.address = "Nr " + std::to_string(r.number) + "/" + std::to_string(year);
    lines.rank = "DZIENNIK USTAW";
  } else {
    lines.address = "Rocznik " + std::to_string(year);
    lines.rank = "ROCZNIK";
  }
  return lines;
}

Dates DescribeDates(const shell::ActDescription& d) {
  Dates dates;
  const shell::ContentsRecord& r = d.record;
  if (r.attachment || (r.year < 90 && r.number == 0)) return dates;
  constexpr const char* kPattern = "%#x r.";
  // A journal issue has only the date it came out; a yearbook none.
  if (r.level == shell::kLevelIssue) dates.published = navtext::DateText(d.publication_date, kPattern);
  if (r.level > shell::kLevelAct) return dates;
  dates.adopted = navtext::DateText(d.act_date, kPattern);
  if (d.year >= 90) dates.published = navtext::DateText(d.publication_date, kPattern);
  // The record's own second date tells whether the date of entry into force was given at all.
  if (r.second_date != shell::kContentsNoDate) dates.in_force = navtext::DateText(d.second_date, kPattern);
  return dates;
}

int32_t PageRecord(const shell::ActDescription& d) {
  return d.record.level >= shell::kLevelIssue ? -1 : d.records[shell::kLevelAct];
}

std::vector<RECT> TabRects(const std::vector<int>& widths) {
  std::vector<RECT> rects;
  int x = 60;
  for (int width : widths) {
    rects.push_back(RECT{x, 3, x + width + 18, 23});
    x += width + 20;
  }
  return rects;
}

UINT HelpContext(UINT page_template) { return 0x20000 + page_template; }

std::vector<std::string> ExceptionItems(const std::string& tag_text) {
  const shell::CTagString tags(tag_text);
  std::vector<std::string> items;
  std::string value;
  // A tag left open (or empty) ends the list: it has nothing to show.
  for (int n = 1; tags.GetNumberedTag("<W", ">", value, n) > 0; ++n) items.push_back(value);
  if (items.empty()) items.push_back("brak.");
  return items;
}

controls::RichText ExceptionText(const std::vector<std::string>& items) {
  controls::CharFormat plain;
  plain.half_points = 16;
  controls::CharFormat bold = plain;
  bold.bold = true;
  std::vector<controls::Paragraph> paragraphs;
  paragraphs.push_back({{{CString(base::cp1250::from_utf8("Wyjątki:")), bold}}, plain});
  paragraphs.push_back({{}, plain});
  for (const std::string& item : items) {
    paragraphs.push_back({{}, plain});
    paragraphs.push_back({{{CString("\x95    " + item), plain}}, plain});
  }
  paragraphs.push_back({{}, plain});
  return controls::RichText(std::move(paragraphs));
}

std::vector<std::string> RelatedKeywords(const std::string& tag_text) {
  const std::string value = shell::CTagString(tag_text).GetTagValue("<I:", ">", 0);
  std::vector<std::string> keywords;
  size_t from = 0;
  for (size_t semicolon = value.find(';'); semicolon != std::string::npos; semicolon = value.find(';', from)) {
    std::string piece = value.substr(from, semicolon - from);
    const size_t first = piece.find_first_not_of(" \t");
    const size_t last = piece.find_last_not_of(" \t");
    if (first != std::string::npos) keywords.push_back(piece.substr(first, last - first + 1));
    from = semicolon + 1;
  }
  return keywords;
}

std::string TopicHeaderText(int32_t record) {
  CMvDummy pane;
  // Whichever region of the topic holds text.
  if (!pane.Create(nullptr) || !pane.ShowTopicNumber(record, TRUE)) return {};
  return static_cast<LPCTSTR>(pane.GetTopicHeaderText());
}

}  // namespace actinfo

namespace {

constexpr const char* kLabels[CActDlg::kTabs] = {"Informacja", "Wyjątki", "Zobacz również"};
constexpr UINT kPageTemplates[CActDlg::kTabs] = {IDD_ACT_PROPERTY_PAGE, IDD_ACT_EXCEPTION_PAGE, IDD_ACT_RELATED_PAGE};
// Posted by the focus watch when the focus has left the window.
constexpr UINT WM_ACT_FOCUS_LEFT = WM_APP + 0x148;

// The one window of the program (null while there is none), and the focus watch over it.
CActDlg* g_registered = nullptr;
HHOOK g_focusHook = nullptr;

// Whether `h` is the act window, one of its children or a window it owns (its calendar options,
// a message box over it).
bool BelongsTo(HWND h, HWND window) {
  for (int depth = 0; h && depth < 64; ++depth, h = ::GetParent(h)) {
    if (h == window) return true;
  }
  return false;
}

// Sees every WM_SETFOCUS after its window has had it: when the focus went from the act window to a
// window outside it, the window is told to close. It closes from its own queue, not from inside
// the focus change, whose callers may still be running in it.
LRESULT FocusWatch(int code, WPARAM wParam, LPARAM lParam) {
  const HHOOK hook = g_focusHook;
  if (code == HC_ACTION && g_registered && g_registered->m_hWnd) {
    const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    const HWND window = g_registered->m_hWnd;
    if (sent->message == WM_SETFOCUS && BelongsTo(reinterpret_cast<HWND>(sent->wParam), window) &&
        !BelongsTo(sent->hwnd, window)) {
      ::PostMessage(window, WM_ACT_FOCUS_LEFT, 0, 0);
    }
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

void WatchFocus(bool on) {
  if (on && !g_focusHook) g_focusHook = SetWindowsHookEx(WH_CALLWNDPROCRET, FocusWatch, nullptr, 0);
  if (!on && g_focusHook) {
    UnhookWindowsHookEx(g_focusHook);
    g_focusHook = nullptr;
  }
}

}  // namespace

// --- "Informacja" ------------------------------------------------------------------------------------

CActPropertyPage::CActPropertyPage() : CPropertyPage(IDD_ACT_PROPERTY_PAGE) {}

BOOL CActPropertyPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_dates[0].SubclassDlgItem(IDC_ACT_ADOPTED, this);
  m_dates[1].SubclassDlgItem(IDC_ACT_PUBLISHED, this);
  m_dates[2].SubclassDlgItem(IDC_ACT_IN_FORCE, this);
  return TRUE;
}

void CActPropertyPage::ShowDescription(const shell::ActDescription& d) {
  const actinfo::Lines lines = actinfo::Describe(d);
  SetDlgItemText(int(IDC_ACT_ADDRESS), CString(lines.address));
  SetDlgItemText(int(IDC_ACT_RANK), CString(lines.rank));
  SetDlgItemText(int(IDC_ACT_TITLE), CString(lines.title));
  const actinfo::Dates dates = actinfo::DescribeDates(d);
  const struct {
    UINT label, field;
    const std::string& text;
  } rows[] = {{IDC_ACT_ADOPTED_LABEL, IDC_ACT_ADOPTED, dates.adopted},
              {IDC_ACT_PUBLISHED_LABEL, IDC_ACT_PUBLISHED, dates.published},
              {IDC_ACT_IN_FORCE_LABEL, IDC_ACT_IN_FORCE, dates.in_force}};
  for (const auto& row : rows) {
    SetDlgItemText(int(row.field), CString(row.text));
    if (CWnd* label = GetDlgItem(int(row.label))) label->EnableWindow(!row.text.empty());
  }
}

// --- "Wyjątki" ---------------------------------------------------------------------------------------

CActExceptionPage::CActExceptionPage() : CPropertyPage(IDD_ACT_EXCEPTION_PAGE) {}

BOOL CActExceptionPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  if (CWnd* edit = GetDlgItem(int(IDC_ACT_EXCEPTIONS))) {
    edit->SendMessage(EM_SETBKGNDCOLOR, 0, LPARAM(::GetSysColor(COLOR_BTNFACE)));
    edit->SendMessage(EM_SETTARGETDEVICE, 0, 0);
  }
  return TRUE;
}

void CActExceptionPage::SetAct(const shell::ActDescription& d) {
  m_nRecord = actinfo::PageRecord(d);
  OnSetActive();
}

void CActExceptionPage::ShowTagText(const std::string& tag_text) {
  CWnd* edit = GetDlgItem(int(IDC_ACT_EXCEPTIONS));
  if (!edit) return;
  edit->SetWindowText("");
  // Built as formatted text, not as RTF: the tags' text goes in as it stands, whatever braces or
  // backslashes it holds.
  controls::replace_rich_edit_selection(edit->m_hWnd, actinfo::ExceptionText(actinfo::ExceptionItems(tag_text)));
}

BOOL CActExceptionPage::OnSetActive() {
  ShowTagText(m_nRecord <= 0 ? std::string("<W1:brak>") : actinfo::TopicHeaderText(m_nRecord));
  return CPropertyPage::OnSetActive();
}

// --- "Zobacz również" --------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CActRelatedPage, CPropertyPage)
  ON_WM_PAINT()
  ON_WM_CTLCOLOR()
  ON_CONTROL(LBN_DBLCLK, IDC_ACT_KEYWORDS, &CActRelatedPage::OnDblclkKeywords)
END_MESSAGE_MAP()

CActRelatedPage::CActRelatedPage() : CPropertyPage(IDD_ACT_RELATED_PAGE) {}

void CActRelatedPage::SetAct(const shell::ActDescription& d) {
  m_nRecord = actinfo::PageRecord(d);
  OnSetActive();
}

void CActRelatedPage::ShowTagText(const std::string& tag_text) {
  CWnd* list = GetDlgItem(int(IDC_ACT_KEYWORDS));
  if (!list) return;
  list->SendMessage(LB_RESETCONTENT);
  for (const std::string& keyword : actinfo::RelatedKeywords(tag_text)) {
    list->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(keyword.c_str()));
  }
}

BOOL CActRelatedPage::OnSetActive() {
  ShowTagText(m_nRecord <= 0 ? std::string("brak;") : actinfo::TopicHeaderText(m_nRecord));
  return CPropertyPage::OnSetActive();
}

void CActRelatedPage::OnPaint() {
  CPaintDC dc(this);
  CWnd* frame = GetDlgItem(int(IDC_ACT_KEYWORDS_FRAME));
  if (!frame) return;
  CRect place;
  frame->GetWindowRect(&place);
  ScreenToClient(&place);
  LOGFONT lf{};
  ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  lf.lfWeight = FW_BOLD;
  CFont bold;
  bold.CreateFontIndirect(&lf);
  CFont* old = dc.SelectObject(&bold);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
  dc.DrawText(CString(base::cp1250::from_utf8("Hasła:")), &place, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  dc.SelectObject(old);
}

HBRUSH CActRelatedPage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (nCtlColor == CTLCOLOR_LISTBOX) {
    if (!m_faceBrush.GetSafeHandle()) m_faceBrush.CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    pDC->SetBkColor(::GetSysColor(COLOR_BTNFACE));
    return static_cast<HBRUSH>(m_faceBrush.GetSafeHandle());
  }
  return CPropertyPage::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CActRelatedPage::OnDblclkKeywords() {
  CWnd* list = GetDlgItem(int(IDC_ACT_KEYWORDS));
  if (!list) return;
  const int row = int(list->SendMessage(LB_GETCURSEL));
  if (row < 0) return;
  const int length = int(list->SendMessage(LB_GETTEXTLEN, WPARAM(row)));
  if (length <= 0) return;
  std::string keyword(size_t(length) + 1, '\0');
  list->SendMessage(LB_GETTEXT, WPARAM(row), reinterpret_cast<LPARAM>(keyword.data()));
  keyword.resize(size_t(length));
  ListKeyword(keyword);
}

void CActRelatedPage::ListKeyword(const std::string& keyword) {
  title::TitleHandle* title = LibraryTitle();
  if (!title) return;
  fts::WordWheelHandle index = medview::MvOpenKeywordIndex(title, "|i");
  if (!index) return;
  keywords::KeywordHitArray& hits = keywords::KeywordHits();
  hits.Clear();
  bool listed = false;
  if (keywords::LoadKeywordTopics(index, keyword.c_str(), hits, &listed) == 0 && listed) navcmd::ListKeywordHits(keyword);
  medview::MvCloseKeywordIndex(index);
}

// --- The window ----------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CActDlg, CDialog)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_DESTROY()
  ON_WM_SHOWWINDOW()
  ON_COMMAND(IDC_ACT_HELP, &CActDlg::OnHelpButton)
  ON_MESSAGE(WM_ACT_FOCUS_LEFT, &CActDlg::OnFocusLeft)
END_MESSAGE_MAP()

CActDlg::CActDlg() : CDialog(IDD_ACT_INFO) {}

CActDlg::~CActDlg() = default;

void CActDlg::PostNcDestroy() {
  // The program's instance ends with its window.
  if (g_registered == this) {
    g_registered = nullptr;
    delete this;
  }
}

BOOL CActDlg::Create(CWnd* pParent) { return CDialog::Create(IDD_ACT_INFO, pParent); }

BOOL CActDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  const COLORREF grey = RGB(192, 192, 192);
  if (m_pin.SubclassDlgItem(IDC_ACT_PIN, this)) {
    m_pin.LoadStateBitmap(IDB_ACT_PIN, &grey, CPinButton::kNormal);
    m_pin.LoadStateBitmap(IDB_ACT_PINNED, &grey, CPinButton::kPinned);
    m_pin.LoadHoverBitmap(IDB_ACT_PINNED_HOVER, &grey);
    m_pin.SetPinMode(TRUE);
    // Two pixels larger on every side, in the same place.
    CRect pin;
    m_pin.GetWindowRect(&pin);
    m_pin.SetWindowPos(nullptr, 0, 0, pin.Width() + 4, pin.Height() + 4, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (m_help.SubclassDlgItem(IDC_ACT_HELP, this)) {
    m_help.LoadStateBitmap(IDB_ACT_HELP, &grey, CPinButton::kNormal);
    // Beside the pin button, right of it.
    CRect pin, help;
    m_pin.GetWindowRect(&pin);
    ScreenToClient(&pin);
    m_help.GetWindowRect(&help);
    ScreenToClient(&help);
    m_help.SetWindowPos(nullptr, pin.right, help.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // Only the place comes back: the window keeps its own size.
  frame_placement::RestorePosition(m_hWnd, kPlacementValue);
  return TRUE;
}

void CActDlg::Hide() {
  frame_placement::Store(m_hWnd, kPlacementValue);
  ShowWindow(SW_HIDE);
}

void CActDlg::OnShowWindow(BOOL bShow, UINT nStatus) {
  CDialog::OnShowWindow(bShow, nStatus);
  WatchFocus(bShow && g_registered == this);
}

LRESULT CActDlg::OnFocusLeft(WPARAM, LPARAM) {
  // The focus may have come back meanwhile; pinned, the window stays.
  if (!IsWindowVisible() || IsPinned() || BelongsTo(::GetFocus(), m_hWnd)) return 0;
  DestroyWindow();
  return 0;
}

void CActDlg::OnDestroy() {
  if (g_registered == this) WatchFocus(false);
  shell::WinHelp(m_hWnd, AfxGetApp() ? static_cast<LPCTSTR>(AfxGetApp()->m_pszHelpFilePath) : "", HELP_QUIT, 0);
  frame_placement::Store(m_hWnd, kPlacementValue);
  m_tabRects.clear();
  m_nCurrentTab = -1;
  m_labels.clear();
  m_pages.clear();
  m_nRecord = 0;
  CDialog::OnDestroy();
}

void CActDlg::ShowAct(int32_t record) {
  if (record == 0 || record == m_nRecord) return;
  m_nRecord = record;
  CPropertyPage* pages[kTabs] = {&m_propertyPage, &m_exceptionPage, &m_relatedPage};
  AfxInitRichEdit();
  bool made = false;
  for (int i = 0; i < kTabs; ++i) {
    if (pages[i]->m_hWnd) continue;
    if (!pages[i]->Create(kPageTemplates[i], this)) continue;
    AddTab(base::cp1250::from_utf8(kLabels[i]), pages[i]);
    made = true;
  }
  shell::ActDescription description;
  if (CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork()) work->GetActDescription(record, description);
  m_lines = actinfo::Describe(description);
  m_propertyPage.ShowDescription(description);
  m_exceptionPage.SetAct(description);
  m_relatedPage.SetAct(description);
  if (made) SelectTab(0);
}

void CActDlg::AddTab(const std::string& label, CPropertyPage* page) {
  m_labels.push_back(label);
  m_pages.push_back(page);
  CClientDC dc(this);
  CGdiObject* old = dc.SelectStockObject(DEFAULT_GUI_FONT);
  std::vector<int> widths;
  for (const std::string& text : m_labels) widths.push_back(dc.GetTextExtent(CString(text)).cx);
  dc.SelectObject(old);
  m_tabRects = actinfo::TabRects(widths);
  FitToPages();
  Invalidate();
}

void CActDlg::FitToPages() {
  int width = 0, height = 0;
  for (CPropertyPage* page : m_pages) {
    CRect client;
    page->GetClientRect(&client);
    width = std::max(width, client.Width());
    height = std::max(height, client.Height());
    page->SetWindowPos(nullptr, 7, 26, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetWindowPos(nullptr, 0, 0, width + 20, ::GetSystemMetrics(SM_CYSMCAPTION) + height + 40,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CActDlg::SelectTab(int n) {
  if (n == m_nCurrentTab || m_tabRects.empty() || n < 0 || n >= int(m_tabRects.size())) return;
  auto invalidate = [this](int tab) {
    if (tab < 0 || tab >= int(m_tabRects.size())) return;
    CRect r(m_tabRects[size_t(tab)]);
    r.InflateRect(3, 2);
    InvalidateRect(&r);
  };
  invalidate(m_nCurrentTab);
  m_nCurrentTab = n;
  invalidate(n);
  for (size_t i = 0; i < m_pages.size(); ++i) {
    if (int(i) == n) {
      if (!m_pages[i]->IsWindowVisible()) m_pages[i]->ShowWindow(SW_SHOWNOACTIVATE);
    } else {
      m_pages[i]->ShowWindow(SW_HIDE);
    }
  }
}

BOOL CActDlg::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && (::GetKeyState(VK_CONTROL) & 0x8000)) {
    if (m_nCurrentTab >= 0) SelectTab((m_nCurrentTab + 1) % int(m_tabRects.size()));
    return TRUE;
  }
  return CDialog::PreTranslateMessage(pMsg);
}

void CActDlg::OnOK() {
  if (!IsPinned()) Hide();
}

void CActDlg::OnCancel() {
  m_pin.SetPinned(FALSE);
  Hide();
}

void CActDlg::OnHelpButton() {
  if (m_nCurrentTab < 0 || m_nCurrentTab >= kTabs) return;
  CWinApp* app = AfxGetApp();
  const CString file = CString(app ? static_cast<LPCTSTR>(app->m_pszHelpFilePath) : "") + ">ref";
  CWnd* main = AfxGetMainWnd();
  shell::WinHelp(main ? main->m_hWnd : m_hWnd, file, HELP_CONTEXT, actinfo::HelpContext(kPageTemplates[m_nCurrentTab]));
}

void CActDlg::OnLButtonDown(UINT nFlags, CPoint point) {
  for (size_t i = 0; i < m_tabRects.size(); ++i) {
    if (CRect(m_tabRects[i]).PtInRect(point)) {
      SelectTab(int(i));
      break;
    }
  }
  CDialog::OnLButtonDown(nFlags, point);
}

void CActDlg::DrawTab(CDC& dc, const RECT& r, bool current) const {
  const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW),
                 face = ::GetSysColor(COLOR_BTNFACE);
  auto line = [&](COLORREF colour, std::initializer_list<POINT> points) {
    CPen pen(PS_SOLID, 1, colour);
    CPen* old = dc.SelectObject(&pen);
    const POINT* p = points.begin();
    dc.MoveTo(p->x, p->y);
    for (++p; p != points.end(); ++p) dc.LineTo(p->x, p->y);
    dc.SelectObject(old);
  };
  if (!current) {
    line(light, {{r.left, r.bottom - 1}, {r.left, r.top + 2}, {r.left + 2, r.top}, {r.right - 1, r.top}});
    line(shadow, {{r.right - 1, r.top}, {r.right - 1, r.bottom}});
    line(RGB(0, 0, 0), {{r.right, r.top + 2}, {r.right, r.bottom}});
    line(face, {{r.right, r.bottom}, {r.left, r.bottom}});
    line(light, {{r.right, r.bottom + 1}, {r.left, r.bottom + 1}});
    return;
  }
  dc.FillSolidRect(r.left - 2, r.top - 1, r.right - r.left + 3, r.bottom - r.top + 3, face);
  line(light, {{r.left - 3, r.bottom + 1}, {r.left - 3, r.top}, {r.left - 1, r.top - 2}, {r.right + 1, r.top - 2}});
  line(shadow, {{r.right + 1, r.top - 2}, {r.right + 1, r.bottom + 2}});
  line(RGB(0, 0, 0), {{r.right + 2, r.top}, {r.right + 2, r.bottom + 2}});
}

void CActDlg::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  CRect panel(client);
  panel.DeflateRect(5, 5);
  panel.top += 18;
  dc.Draw3dRect(&panel, ::GetSysColor(COLOR_3DLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
  CRect inner(panel);
  inner.DeflateRect(1, 1);
  dc.Draw3dRect(&inner, ::GetSysColor(COLOR_BTNHIGHLIGHT), RGB(0, 0, 0));
  CGdiObject* oldFont = dc.SelectStockObject(DEFAULT_GUI_FONT);
  const int oldMode = dc.SetBkMode(TRANSPARENT);
  if (m_tabRects.empty()) {
    dc.DrawText(CString(base::cp1250::from_utf8("Nie zaznaczono żadnego aktu")), &inner,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  } else {
    for (size_t i = 0; i < m_tabRects.size(); ++i) {
      if (int(i) == m_nCurrentTab) continue;
      DrawTab(dc, m_tabRects[i], false);
      dc.TextOut(m_tabRects[i].left + 7, m_tabRects[i].top + 3, CString(m_labels[i]));
    }
    if (m_nCurrentTab >= 0) {
      const RECT& r = m_tabRects[size_t(m_nCurrentTab)];
      DrawTab(dc, r, true);
      dc.TextOut(r.left + 6, r.top + 3, CString(m_labels[size_t(m_nCurrentTab)]));
    }
  }
  dc.SetBkMode(oldMode);
  dc.SelectObject(oldFont);
}

CActDlg* GetActInfoDialog() { return g_registered; }

CActDlg* ShowActInfoDialog() {
  CWnd* main = AfxGetMainWnd();
  if (!main || !main->m_hWnd) return nullptr;
  if (!g_registered) {
    auto made = std::make_unique<CActDlg>();
    if (!made->Create(main)) return nullptr;
    g_registered = made.release();
  }
  g_registered->ShowWindow(SW_SHOW);
  return g_registered;
}

bool IsActInfoDialogVisible() {
  CActDlg* dialog = GetActInfoDialog();
  return dialog && dialog->m_hWnd && dialog->IsWindowVisible();
}

void FollowInActInfoDialog(int32_t record, bool first_tab) {
  if (!IsActInfoDialogVisible()) return;
  GetActInfoDialog()->ShowAct(record < 0 ? 0 : record);
  if (first_tab) GetActInfoDialog()->SelectTab(0);
}
