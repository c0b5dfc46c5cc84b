#include "platform/framework/status_bar.h"

#include <algorithm>

#include "platform/framework/frame_wnd.h"
#include "platform/res/resource_store.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_dc.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
  ON_MESSAGE(WM_SETTEXT, &CStatusBar::OnSetText)
END_MESSAGE_MAP()

namespace {
// Each pane's sunken edge is one line on every side, and the text keeps a little room inside it.
constexpr int kEdge = 1;
constexpr int kTextMargin = 2;

// Updates one pane: disabled panes are blank, a checked pane stands out, text replaces the pane's.
class CStatusCmdUI : public CCmdUI {
 public:
  CStatusBar* bar = nullptr;
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    UINT style = bar->GetPaneStyle(int(m_nIndex)) & ~SBPS_DISABLED;
    bar->SetPaneStyle(int(m_nIndex), bOn ? style : style | SBPS_DISABLED);
  }
  void SetCheck(int nCheck) override {
    UINT style = bar->GetPaneStyle(int(m_nIndex)) & ~SBPS_POPOUT;
    bar->SetPaneStyle(int(m_nIndex), nCheck ? style | SBPS_POPOUT : style);
  }
  void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
  void SetText(LPCTSTR lpszText) override { bar->SetPaneText(int(m_nIndex), lpszText); }
};
}  // namespace

CStatusBar::CStatusBar() {
  m_cxLeftBorder = 0;
  m_cxRightBorder = 0;
  m_cyTopBorder = 2;
  m_cyBottomBorder = 0;
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  return CWnd::Create(nullptr, nullptr, dwStyle & ~CBRS_ALL, CRect(0, 0, 0, 0), pParentWnd, nID);
}

int CStatusBar::text_width(const CString& text) const {
  if (!m_hWnd || text.IsEmpty()) return 0;
  CClientDC dc(const_cast<CStatusBar*>(this));
  if (CFont* font = GetFont()) {
    dc.SelectObject(font);
  } else {
    dc.SelectStockObject(DEFAULT_GUI_FONT);
  }
  return int(dc.GetTextExtent(text).cx);
}

int CStatusBar::text_height() const {
  TEXTMETRIC tm{};
  if (m_hWnd) {
    CClientDC dc(const_cast<CStatusBar*>(this));
    if (CFont* font = GetFont()) {
      dc.SelectObject(font);
    } else {
      dc.SelectStockObject(DEFAULT_GUI_FONT);
    }
    dc.GetTextMetrics(&tm);
  }
  return tm.tmHeight > 0 ? int(tm.tmHeight) : 13;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
  if (nIDCount < 0 || (nIDCount > 0 && !lpIDArray)) return FALSE;
  m_panes.assign(size_t(nIDCount), Pane{});
  BOOL ok = TRUE;
  for (int i = 0; i < nIDCount; ++i) {
    Pane& pane = m_panes[size_t(i)];
    pane.nID = lpIDArray[i];
    if (pane.nID == ID_SEPARATOR) continue;
    // A missing string leaves the pane empty and narrow, and the call reports it.
    if (!AfxLoadString(pane.nID, pane.strText)) ok = FALSE;
    pane.cxText = text_width(pane.strText);
  }
  if (!m_panes.empty() && m_panes[0].nID == ID_SEPARATOR) m_panes[0].nStyle = SBPS_NOBORDERS | SBPS_STRETCH;
  m_nCount = nIDCount;
  if (m_hWnd) Invalidate();
  return ok;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const {
  for (size_t i = 0; i < m_panes.size(); ++i) {
    if (m_panes[i].nID == nIDFind) return int(i);
  }
  return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const { return valid(nIndex) ? m_panes[size_t(nIndex)].nID : 0; }

namespace framework {

void draw_size_grip(CDC& dc, const CRect& grip) {
  CPen light(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  CPen dark(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  for (int d = 3; d < grip.Width(); d += 4) {
    CPen* old = dc.SelectObject(&light);
    dc.MoveTo(grip.right - d - 1, grip.bottom - 1);
    dc.LineTo(grip.right, grip.bottom - d - 2);
    dc.SelectObject(&dark);
    for (int k = 1; k <= 2; ++k) {
      dc.MoveTo(grip.right - d + k - 1, grip.bottom - 1);
      dc.LineTo(grip.right, grip.bottom - d + k - 2);
    }
    dc.SelectObject(old);
  }
}

}  // namespace framework

CRect CStatusBar::grip_rect() const {
  CWnd* frame = m_hWnd ? GetParent() : nullptr;
  if (!frame || !(frame->GetStyle() & WS_THICKFRAME) || frame->IsZoomed()) return CRect();
  CRect client;
  GetClientRect(&client);
  int size = std::min(GetSystemMetrics(SM_CXVSCROLL), int(client.Height()));
  return CRect(client.right - size, client.bottom - size, client.right, client.bottom);
}

std::vector<CRect> CStatusBar::layout() const {
  std::vector<CRect> rects(m_panes.size());
  CRect inside;
  if (m_hWnd) GetClientRect(&inside);
  CalcInsideRect(inside, TRUE);
  // The last pane stops before the size grip.
  if (CRect grip = grip_rect(); !grip.IsRectEmpty()) inside.right = std::min(inside.right, grip.left);
  // Every pane's full width; the stretching panes share what the others leave.
  int fixed = 0, stretching = 0;
  for (const Pane& pane : m_panes) {
    fixed += pane.cxText + 2 * (kEdge + kTextMargin);
    if (pane.nStyle & SBPS_STRETCH) ++stretching;
  }
  if (!m_panes.empty()) fixed += m_cxDefaultGap * int(m_panes.size() - 1);
  int spare = std::max(0, int(inside.Width()) - fixed);
  int x = inside.left;
  for (size_t i = 0; i < m_panes.size(); ++i) {
    const Pane& pane = m_panes[i];
    int width = pane.cxText + 2 * (kEdge + kTextMargin);
    if ((pane.nStyle & SBPS_STRETCH) && stretching > 0) {
      int share = spare / stretching;
      width += share;
      spare -= share;
      --stretching;
    }
    rects[i] = CRect(x, inside.top, std::min(x + width, int(inside.right)), inside.bottom);
    if (rects[i].right < rects[i].left) rects[i].right = rects[i].left;
    x += width + m_cxDefaultGap;
  }
  return rects;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  if (!lpRect) return;
  *lpRect = valid(nIndex) ? RECT(layout()[size_t(nIndex)]) : RECT{0, 0, 0, 0};
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
  if (!valid(nIndex)) {
    nID = 0;
    nStyle = 0;
    cxWidth = 0;
    return;
  }
  const Pane& pane = m_panes[size_t(nIndex)];
  nID = pane.nID;
  nStyle = pane.nStyle;
  cxWidth = pane.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
  if (!valid(nIndex)) return;
  Pane& pane = m_panes[size_t(nIndex)];
  pane.nID = nID;
  pane.nStyle = nStyle;
  pane.cxText = std::max(0, cxWidth);
  if (m_hWnd) Invalidate();
}

UINT CStatusBar::GetPaneStyle(int nIndex) const { return valid(nIndex) ? m_panes[size_t(nIndex)].nStyle : 0; }

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
  if (!valid(nIndex) || m_panes[size_t(nIndex)].nStyle == nStyle) return;
  m_panes[size_t(nIndex)].nStyle = nStyle;
  if (m_hWnd) Invalidate();
}

CString CStatusBar::GetPaneText(int nIndex) const { return valid(nIndex) ? m_panes[size_t(nIndex)].strText : CString(); }

void CStatusBar::GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate) {
  if (!valid(nIndex)) return FALSE;
  CString text(lpszNewText ? lpszNewText : "");
  Pane& pane = m_panes[size_t(nIndex)];
  if (pane.strText == text) return TRUE;
  pane.strText = text;
  if (bUpdate && m_hWnd) Invalidate();
  return TRUE;
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
  // The frame's messages go to the first pane.
  if (m_panes.empty()) return FALSE;
  return SetPaneText(0, reinterpret_cast<LPCTSTR>(lParam));
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  CStatusCmdUI state;
  state.bar = this;
  state.m_pOther = this;
  state.m_nIndexMax = UINT(m_panes.size());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = m_panes[state.m_nIndex].nID;
    // The message pane belongs to the frame's messages, not to a command.
    if (state.m_nID == ID_SEPARATOR) continue;
    state.DoUpdate(pTarget, bDisableIfNoHndler);
  }
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
  CRect probe(0, 0, 0, 0);
  CalcInsideRect(probe, TRUE);
  // The text, its margins and the pane edges, plus the borders the inside rectangle takes away.
  size.cy = text_height() + 2 * (kEdge + kTextMargin) - int(probe.Height());
  return size;
}

void CStatusBar::DrawItem(CDC*, int, const CRect&) {}

void CStatusBar::DoPaint(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
  CControlBar::DoPaint(pDC);
  if (CFont* font = GetFont()) {
    pDC->SelectObject(font);
  } else {
    pDC->SelectStockObject(DEFAULT_GUI_FONT);
  }
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(GetSysColor(COLOR_BTNTEXT));
  COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  std::vector<CRect> rects = layout();
  if (CRect grip = grip_rect(); !grip.IsRectEmpty()) framework::draw_size_grip(*pDC, grip);
  for (size_t i = 0; i < m_panes.size(); ++i) {
    const Pane& pane = m_panes[i];
    CRect rect = rects[i];
    if (!(pane.nStyle & SBPS_NOBORDERS)) {
      // Sunken by default; a checked pane pops out.
      bool out = (pane.nStyle & SBPS_POPOUT) != 0;
      pDC->Draw3dRect(&rect, out ? light : shadow, out ? shadow : light);
    }
    rect.DeflateRect(kEdge + kTextMargin, kEdge);
    if (pane.nStyle & SBPS_OWNERDRAW) {
      DrawItem(pDC, int(i), rect);
    } else if (!(pane.nStyle & SBPS_DISABLED)) {
      pDC->DrawText(pane.strText, &rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
  }
}
