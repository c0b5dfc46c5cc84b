#include "navigation/act_dlg.h"

#include <algorithm>
#include <memory>

#include "navigation/entry_texts.h"
#include "platform/base/cp1250.h"
#include "platform/framework/app.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"
#include "platform/win/window_dc.h"
#include "resources/app_ids.h"
#include "shell/frame_placement.h"
#include "shell/lumo_kal_doc.h"

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

std::vector<RECT> TabRects(const std::vector<int>& widths) {
  std::vector<RECT> rects;
  int x = 60;
  for (int width : widths) {
    rects.push_back(RECT{x, 3, x + width + 18, 23});
    x += width + 20;
  }
  return rects;
}

}  // namespace actinfo

namespace {

constexpr const char* kLabels[CActDlg::kTabs] = {"Informacja", "Wyjątki", "Zobacz również"};

// The one window of the program (null while there is none).
CActDlg* g_registered = nullptr;

}  // namespace

BEGIN_MESSAGE_MAP(CActDlg, CDialog)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_DESTROY()
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
  // Only the place comes back: the window keeps its own size.
  frame_placement::RestorePosition(m_hWnd, kPlacementValue);
  return TRUE;
}

void CActDlg::Hide() {
  frame_placement::Store(m_hWnd, kPlacementValue);
  ShowWindow(SW_HIDE);
}

void CActDlg::OnDestroy() {
  frame_placement::Store(m_hWnd, kPlacementValue);
  CDialog::OnDestroy();
}

void CActDlg::ShowAct(int32_t record) {
  if (record == 0 || record == m_nRecord) return;
  m_nRecord = record;
  const bool first = m_labels.empty();
  if (first) {
    CClientDC dc(this);
    CGdiObject* old = dc.SelectStockObject(DEFAULT_GUI_FONT);
    std::vector<int> widths;
    for (const char* label : kLabels) {
      m_labels.push_back(base::cp1250::from_utf8(label));
      widths.push_back(dc.GetTextExtent(CString(m_labels.back())).cx);
    }
    dc.SelectObject(old);
    m_tabRects = actinfo::TabRects(widths);
  }
  shell::ActDescription description;
  if (CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork()) work->GetActDescription(record, description);
  m_lines = actinfo::Describe(description);
  if (first) SelectTab(0);
  Invalidate();
}

void CActDlg::SelectTab(int n) {
  if (n == m_nCurrentTab || m_tabRects.empty() || n < 0 || n >= int(m_tabRects.size())) return;
  m_nCurrentTab = n;
  Invalidate();
}

BOOL CActDlg::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && (::GetKeyState(VK_CONTROL) & 0x8000)) {
    if (m_nCurrentTab >= 0) SelectTab((m_nCurrentTab + 1) % int(m_tabRects.size()));
    return TRUE;
  }
  return CDialog::PreTranslateMessage(pMsg);
}

void CActDlg::OnOK() { Hide(); }
void CActDlg::OnCancel() { Hide(); }

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
    if (m_nCurrentTab == 0) {
      // The description of the act: address and rank centred, the title below them, wrapped.
      CRect text(inner);
      text.DeflateRect(8, 6);
      CRect line(text.left, text.top, text.right, text.top + 16);
      dc.DrawText(CString(m_lines.address), &line, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
      line.OffsetRect(0, 16);
      dc.DrawText(CString(m_lines.rank), &line, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
      CRect title(text.left, line.bottom + 4, text.right, text.bottom);
      dc.DrawText(CString(m_lines.title), &title, DT_CENTER | DT_WORDBREAK);
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
