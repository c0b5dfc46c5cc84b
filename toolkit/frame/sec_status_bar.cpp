#include "toolkit/frame/sec_status_bar.h"

#include <algorithm>
#include <cstring>

#include "platform/framework/frame_wnd.h"
#include "platform/res/resource_store.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_dc.h"
#include "toolkit/frame/sec_progress_ctrl.h"
#include "toolkit/frame/toolkit_globals.h"

namespace {

// Part edges the control is asked for when a pane's rectangle is wanted.
constexpr int kMaxQueriedParts = 32;
// The window style the custom bar adds to the control's.
constexpr DWORD kCustomBarStyle = 0x1000;
// The progress control's child id.
constexpr UINT kProgressId = 1;
// SC_SIZE's edge code for the bottom-right corner.
constexpr UINT kSizeBottomRight = 8;

// Updates one pane: enabling clears the disabled bit, checking raises the pane, text replaces it.
class SECStatusCmdUI : public CCmdUI {
 public:
  SECStatusBar* bar = nullptr;
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
  void SetText(LPCTSTR lpszText) override { bar->SetPaneText(int(m_nIndex), lpszText, TRUE); }
};

}  // namespace

// --- Geometry -----------------------------------------------------------------------------------

namespace statuslayout {

std::vector<int> PaneEdges(const std::vector<PaneSize>& panes, int insideWidth, int borderX, int spacing) {
  const int count = int(panes.size());
  int spare = insideWidth;
  int stretchLeft = 0;
  for (const PaneSize& p : panes) {
    spare -= p.cxText + kPaneExtra;
    if (p.stretch) ++stretchLeft;
  }
  if (count > 1) spare -= (count - 1) * spacing;
  std::vector<int> edges;
  edges.reserve(panes.size());
  int x = borderX;
  for (const PaneSize& p : panes) {
    x += p.cxText + kPaneExtra;
    if (p.stretch && spare > 0 && stretchLeft > 0) {
      const int share = spare / stretchLeft;
      x += share;
      spare -= share;
    }
    if (p.stretch) --stretchLeft;
    edges.push_back(x);
    x += spacing;
  }
  return edges;
}

CRect PaneRect(const std::vector<int>& edges, int index, int borderX, int borderY, int spacing, CSize client) {
  if (index < 0 || index >= int(edges.size())) return CRect();
  CRect r;
  r.left = index == 0 ? borderX : edges[size_t(index) - 1] + spacing;
  r.right = edges[size_t(index)] == -1 ? int(client.cx) - borderX : edges[size_t(index)];
  r.top = borderY;
  r.bottom = std::max(0, int(client.cy) - borderY + 1);
  return r;
}

int BarHeight(const TEXTMETRIC& tm, int cyBorder, int borderY, int insets, int minHeight) {
  const int height = tm.tmHeight - tm.tmInternalLeading - 1 + 2 * (cyBorder + borderY) + insets;
  return std::max(height, minHeight);
}

int TextX(const CRect& item, UINT align, int textWidth) {
  if ((align & TA_CENTER) == TA_CENTER) return (item.left + item.right) / 2 - textWidth / 2;
  if (align & TA_RIGHT) return item.right - 1 - textWidth;
  return item.left + 1;
}

}  // namespace statuslayout

// --- The status bar ---------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SECStatusBar, SECControlBar)

BEGIN_MESSAGE_MAP(SECStatusBar, SECControlBar)
  ON_WM_NCHITTEST()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_MESSAGE(WM_SETTEXT, &SECStatusBar::OnSetText)
  ON_MESSAGE(WM_GETTEXT, &SECStatusBar::OnGetText)
  ON_MESSAGE(WM_GETTEXTLENGTH, &SECStatusBar::OnGetTextLength)
  ON_MESSAGE(SB_SETMINHEIGHT, &SECStatusBar::OnSetMinHeight)
END_MESSAGE_MAP()

SECStatusBar::SECStatusBar() {
  m_cyTopBorder = 2;
  if (secData().bWin4) {
    m_cxLeftBorder = m_cxRightBorder = m_cyBottomBorder = 0;
  } else {
    m_cxLeftBorder = m_cxRightBorder = 2;
    m_cyBottomBorder = 1;
  }
}

SECStatusBar::~SECStatusBar() {
  if (m_hWnd) DestroyWindow();
}

BOOL SECStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) { return CreateEx(pParentWnd, 0, dwStyle, nID); }

BOOL SECStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  DWORD style = (dwStyle & ~CBRS_ALL) | CCS_NOMOVEY | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | dwCtrlStyle;
  if (pParentWnd && (pParentWnd->GetStyle() & WS_THICKFRAME)) style |= SBARS_SIZEGRIP;
  controls::register_status_bar_control();
  if (!CWnd::Create(STATUSCLASSNAME, nullptr, style, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
  // The control draws in the font the panes are measured in.
  DefWindowProc(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return TRUE;
}

BOOL SECStatusBar::PreCreateWindow(CREATESTRUCT& cs) {
  if (secData().bWin4 && (m_dwStyle & CBRS_ALIGN_BOTTOM) && (m_dwStyle & CBRS_BORDER_ANY) == CBRS_BORDER_TOP) {
    m_dwStyle &= ~CBRS_BORDER_ANY;
  }
  return SECControlBar::PreCreateWindow(cs);
}

BOOL SECStatusBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_DRAWITEM) return SECControlBar::OnChildNotify(message, wParam, lParam, pResult);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (pResult) *pResult = TRUE;
  return TRUE;
}

void SECStatusBar::DrawItem(LPDRAWITEMSTRUCT) {}

CFont* SECStatusBar::BarFont() const {
  if (m_hWnd) {
    if (auto font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT))) return CFont::FromHandle(font);
  }
  return CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
}

int SECStatusBar::TextWidth(const CString& text) const {
  if (text.IsEmpty()) return 0;
  CClientDC dc(m_hWnd ? const_cast<SECStatusBar*>(this) : nullptr);
  CFont* old = dc.SelectObject(BarFont());
  const int width = int(dc.GetTextExtent(text).cx);
  dc.SelectObject(old);
  return width;
}

void SECStatusBar::Borders(int& cxBorder, int& cyBorder, int& spacing) const {
  int borders[3] = {controls::kStatusBorderX, controls::kStatusBorderY, controls::kStatusSpacing};
  if (m_hWnd) SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
  cxBorder = borders[0];
  cyBorder = borders[1];
  spacing = borders[2];
}

CRect SECStatusBar::Insets() const {
  CRect probe(0, 0, 1000, 1000);
  CalcInsideRect(probe, TRUE);
  return CRect(probe.left, probe.top, 1000 - probe.right, 1000 - probe.bottom);
}

BOOL SECStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
  if (nIDCount < 0 || (nIDCount > 0 && !lpIDArray)) return FALSE;
  m_panes.assign(size_t(nIDCount), SECStatusPane{});
  for (int i = 0; i < nIDCount; ++i) {
    SECStatusPane& pane = m_panes[size_t(i)];
    pane.nID = lpIDArray[i];
    pane.nFlags = SECStatusPane::kTextPending;
    if (pane.nID != 0) {
      if (!AfxLoadString(pane.nID, pane.strText) || pane.strText.IsEmpty()) pane.strText = "  ";
      pane.cxText = TextWidth(pane.strText);
    } else {
      pane.cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
      if (i == 0) pane.nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
    }
  }
  m_nCount = nIDCount;
  UpdateAllPanes(TRUE, TRUE);
  return TRUE;
}

void SECStatusBar::UpdateAllPanes(BOOL bRects, BOOL bText) {
  if (!m_hWnd) return;
  if (bRects && !m_panes.empty()) {
    CRect rect;
    GetWindowRect(&rect);
    rect.OffsetRect(-rect.left, -rect.top);
    CalcInsideRect(rect, TRUE);
    int cxBorder, cyBorder, spacing;
    Borders(cxBorder, cyBorder, spacing);
    CWnd* parent = GetParent();
    if ((GetStyle() & SBARS_SIZEGRIP) && !(parent && parent->IsZoomed())) {
      rect.right -= 2 * ::GetSystemMetrics(SM_CXBORDER) + cxBorder + ::GetSystemMetrics(SM_CXVSCROLL);
    }
    std::vector<statuslayout::PaneSize> sizes;
    sizes.reserve(m_panes.size());
    for (const SECStatusPane& p : m_panes) sizes.push_back({p.cxText, (p.nStyle & SBPS_STRETCH) != 0});
    std::vector<int> edges = statuslayout::PaneEdges(sizes, rect.Width(), cxBorder, spacing);
    SendMessage(SB_SETPARTS, WPARAM(edges.size()), reinterpret_cast<LPARAM>(edges.data()));
  }
  if (bText) {
    for (int i = 0; i < int(m_panes.size()); ++i) {
      if (m_panes[size_t(i)].nFlags & SECStatusPane::kTextPending) SendPaneText(i);
    }
  }
}

void SECStatusBar::SendPaneText(int nIndex) {
  SECStatusPane& pane = m_panes[size_t(nIndex)];
  pane.nFlags &= ~SECStatusPane::kTextPending;
  if (!m_hWnd) return;
  UINT type = pane.nStyle & 0xFF00;
  if (m_bOwnerDrawPanes) type |= SBT_OWNERDRAW;
  LPCTSTR text = (pane.nStyle & SBPS_DISABLED) || (type & SBT_OWNERDRAW) ? nullptr : static_cast<LPCTSTR>(pane.strText);
  SendMessage(SB_SETTEXT, WPARAM(UINT(nIndex) | type), reinterpret_cast<LPARAM>(text));
}

int SECStatusBar::CommandToIndex(UINT nIDFind) const {
  for (int i = 0; i < int(m_panes.size()); ++i) {
    if (m_panes[size_t(i)].nID == nIDFind) return i;
  }
  return -1;
}

UINT SECStatusBar::GetItemId(int nIndex) const { return Valid(nIndex) ? m_panes[size_t(nIndex)].nID : 0; }

void SECStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  if (!lpRect) return;
  *lpRect = RECT{0, 0, 0, 0};
  if (!m_hWnd || !Valid(nIndex) || !SendMessage(SB_GETRECT, WPARAM(nIndex), reinterpret_cast<LPARAM>(lpRect))) {
    *lpRect = RECT{0, 0, 0, 0};
  }
}

UINT SECStatusBar::GetPaneStyle(int nIndex) const { return Valid(nIndex) ? m_panes[size_t(nIndex)].nStyle : 0; }

void SECStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
  if (!Valid(nIndex)) return;
  SECStatusPane& pane = m_panes[size_t(nIndex)];
  if (pane.nStyle == nStyle) return;
  const bool relayout = ((pane.nStyle ^ nStyle) & SBPS_STRETCH) != 0;
  pane.nStyle = nStyle;
  if (relayout) UpdateAllPanes(TRUE, FALSE);
  SendPaneText(nIndex);
}

void SECStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
  if (!Valid(nIndex)) {
    nID = nStyle = 0;
    cxWidth = 0;
    return;
  }
  const SECStatusPane& pane = m_panes[size_t(nIndex)];
  nID = pane.nID;
  nStyle = pane.nStyle;
  cxWidth = pane.cxText;
}

void SECStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
  if (!Valid(nIndex)) return;
  SECStatusPane& pane = m_panes[size_t(nIndex)];
  pane.nID = nID;
  bool relayout = false, resend = false;
  if (pane.nStyle != nStyle) {
    relayout = ((pane.nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    resend = true;
    pane.nStyle = nStyle;
  }
  if (pane.cxText != cxWidth) {
    pane.cxText = cxWidth;
    relayout = true;
  }
  if (relayout) UpdateAllPanes(TRUE, FALSE);
  if (resend) SendPaneText(nIndex);
}

CString SECStatusBar::GetPaneText(int nIndex) const { return Valid(nIndex) ? m_panes[size_t(nIndex)].strText : CString(); }

BOOL SECStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate) {
  if (!Valid(nIndex)) return FALSE;
  SECStatusPane& pane = m_panes[size_t(nIndex)];
  const CString text = lpszNewText ? lpszNewText : "";
  if (!(pane.nFlags & SECStatusPane::kTextPending) && pane.strText == text) return TRUE;
  pane.strText = text;
  if (bUpdate) {
    SendPaneText(nIndex);
  } else {
    pane.nFlags |= SECStatusPane::kTextPending;
  }
  return TRUE;
}

CSize SECStatusBar::CalcFixedLayout(BOOL, BOOL bHorz) {
  if (!bHorz) return CSize(0, 0);
  CClientDC dc(m_hWnd ? this : nullptr);
  CFont* old = dc.SelectObject(BarFont());
  TEXTMETRIC tm{};
  dc.GetTextMetrics(&tm);
  dc.SelectObject(old);
  int cxBorder, cyBorder, spacing;
  Borders(cxBorder, cyBorder, spacing);
  const CRect insets = Insets();
  const int height = statuslayout::BarHeight(tm, ::GetSystemMetrics(SM_CYBORDER), cyBorder,
                                             insets.top + insets.bottom, m_nMinHeight);
  return CSize(32767, height);
}

void SECStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  SECStatusCmdUI state;
  state.bar = this;
  state.m_pOther = this;
  state.m_nIndexMax = UINT(m_panes.size());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = m_panes[state.m_nIndex].nID;
    // The bar's own handlers come first; the frame updates only what the bar leaves.
    if (!state.DoUpdate(this, FALSE)) state.DoUpdate(pTarget, bDisableIfNoHndler);
  }
}

void SECStatusBar::SetBarStyle(DWORD dwStyle) {
  const DWORD old = m_dwStyle;
  SECControlBar::SetBarStyle(dwStyle);
  if (old != m_dwStyle) OnBarStyleChange(old, m_dwStyle);
}

void SECStatusBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) {
  if (m_hWnd && ((dwOldStyle ^ dwNewStyle) & CBRS_BORDER_ANY)) {
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
}

LRESULT SECStatusBar::OnNcHitTest(CPoint) {
  return Default() == HTBOTTOMRIGHT ? HTBOTTOMRIGHT : HTCLIENT;
}

// The grip sizes the window the bar belongs to, not the bar.
void SECStatusBar::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  if (nHitTest == HTBOTTOMRIGHT) {
    if (CWnd* top = GetTopLevelParent(); top && top != this && !top->IsZoomed()) {
      top->SendMessage(WM_SYSCOMMAND, SC_SIZE | kSizeBottomRight, MAKELPARAM(point.x, point.y));
    }
    return;
  }
  Default();
}

void SECStatusBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
  Default();
  CRect insets = Insets();
  RECT& r = lpncsp->rgrc[0];
  r.left += insets.left;
  r.top += std::max(0, int(insets.top) - 2);
  r.right -= insets.right;
  r.bottom -= insets.bottom;
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
}

void SECStatusBar::OnNcPaint() {
  if (!(m_dwStyle & CBRS_BORDER_ANY)) return;
  CWindowDC dc(this);
  CRect rect;
  GetWindowRect(&rect);
  rect.OffsetRect(-rect.left, -rect.top);
  DrawBorders(&dc, rect);
}

void SECStatusBar::OnPaint() {
  UpdateAllPanes(FALSE, TRUE);
  Default();
}

BOOL SECStatusBar::OnEraseBkgnd(CDC*) { return BOOL(Default()); }

void SECStatusBar::OnSize(UINT nType, int cx, int cy) {
  SECControlBar::OnSize(nType, cx, cy);
  UpdateAllPanes(TRUE, FALSE);
}

LRESULT SECStatusBar::OnSetText(WPARAM, LPARAM lParam) {
  const int index = CommandToIndex(0);
  if (index < 0) return -1;
  SetPaneText(index, reinterpret_cast<LPCTSTR>(lParam), TRUE);
  return 0;
}

// Copies at most the buffer size less one characters and a terminating zero; the result is the
// count copied (the caller's buffer holds exactly that many characters).
LRESULT SECStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
  auto* buffer = reinterpret_cast<char*>(lParam);
  const size_t size = size_t(wParam);
  if (!buffer || size == 0) return 0;
  const int index = CommandToIndex(0);
  const CString text = index < 0 ? CString() : m_panes[size_t(index)].strText;
  const size_t n = std::min(size_t(text.GetLength()), size - 1);
  std::memcpy(buffer, static_cast<LPCTSTR>(text), n);
  buffer[n] = '\0';
  return LRESULT(n);
}

LRESULT SECStatusBar::OnGetTextLength(WPARAM, LPARAM) {
  const int index = CommandToIndex(0);
  return index < 0 ? 0 : m_panes[size_t(index)].strText.GetLength();
}

LRESULT SECStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM) {
  m_nMinHeight = int(wParam);
  return Default();
}

// --- The custom status bar ------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SECCustomStatusBar, SECStatusBar)

BEGIN_MESSAGE_MAP(SECCustomStatusBar, SECStatusBar)
  ON_MESSAGE(WM_SETTEXT, &SECCustomStatusBar::OnSetText)
  ON_MESSAGE(WM_SIZEPARENT, &SECCustomStatusBar::OnSizeParent)
  ON_MESSAGE(WM_SETFONT, &SECCustomStatusBar::OnSetFont)
  ON_WM_SETCURSOR()
  ON_WM_SIZE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

SECCustomStatusBar::SECCustomStatusBar() { m_bOwnerDrawPanes = true; }

SECCustomStatusBar::~SECCustomStatusBar() {
  m_pProgress.reset();
  m_pSavedPane0.reset();
  if (m_hWnd) DestroyWindow();
}

BOOL SECCustomStatusBar::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= kCustomBarStyle;
  return SECStatusBar::PreCreateWindow(cs);
}

BOOL SECCustomStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
  if (!SECStatusBar::SetIndicators(lpIDArray, nIDCount)) return FALSE;
  m_extras.assign(size_t(nIDCount), SECStatusPaneExtra{});
  m_paneWnds.assign(size_t(nIDCount), nullptr);
  m_paneWndFlags.assign(size_t(nIDCount), 0);
  if (m_hWnd) {
    for (int i = 0; i < nIDCount; ++i) {
      const UINT type = HIWORD(SendMessage(SB_GETTEXTLENGTH, WPARAM(i)));
      SendMessage(SB_SETTEXT, WPARAM(UINT(i) | (type & 0xFF00) | SBT_OWNERDRAW), 0);
    }
  }
  return TRUE;
}

void SECCustomStatusBar::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  const int index = int(lpDIS->itemID);
  if (!Valid(index) || index >= int(m_extras.size())) return;
  const SECStatusPane& pane = m_panes[size_t(index)];
  if (pane.nStyle & SBPS_DISABLED) return;
  if (m_pProgress && index != 0) return;
  CDC* dc = CDC::FromHandle(lpDIS->hDC);
  const CRect item(lpDIS->rcItem);
  const SECStatusPaneExtra& extra = m_extras[size_t(index)];
  if ((extra.nFlags & SBP_BITMAP) && extra.hBitmap) {
    BITMAP bm{};
    ::GetObject(extra.hBitmap, sizeof(bm), &bm);
    CDC mem;
    mem.CreateCompatibleDC(dc);
    HGDIOBJ old = mem.SelectObject(HGDIOBJ(extra.hBitmap));
    // The bitmap stays inside its pane.
    const int width = std::min(int(bm.bmWidth), item.Width());
    const int height = std::min(int(bm.bmHeight), item.Height());
    if (width > 0 && height > 0) dc->BitBlt(item.left, item.top, width, height, &mem, 0, 0, SRCCOPY);
    mem.SelectObject(old);
    return;
  }
  const int saved = dc->SaveDC();
  dc->SelectObject(BarFont());
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextAlign(TA_LEFT | TA_TOP);
  dc->SetTextColor((extra.nFlags & SBP_TEXTCOLOR) ? extra.clrText : ::GetSysColor(COLOR_BTNTEXT));
  UINT options = ETO_CLIPPED;
  if (extra.nFlags & SBP_BKCOLOR) {
    dc->SetBkColor(extra.clrBk);
    options |= ETO_OPAQUE;
  }
  const CSize extent = dc->GetTextExtent(pane.strText);
  const UINT align = (extra.nFlags & SBP_TEXTALIGN) ? extra.nAlign : TA_LEFT;
  const int x = statuslayout::TextX(item, align, int(extent.cx));
  const int y = item.top + (item.Height() - int(extent.cy)) / 2;
  dc->ExtTextOut(x, y, options, &item, pane.strText, nullptr);
  dc->RestoreDC(saved);
}

BOOL SECCustomStatusBar::GetPaneInfoEx(SECStatusPaneInfo* pInfo) const {
  if (!pInfo || !Valid(pInfo->iIndex) || pInfo->iIndex >= int(m_extras.size())) return FALSE;
  const SECStatusPane& pane = m_panes[size_t(pInfo->iIndex)];
  const SECStatusPaneExtra& extra = m_extras[size_t(pInfo->iIndex)];
  pInfo->nID = pane.nID;
  pInfo->nStyle = pane.nStyle;
  pInfo->cxWidth = pane.cxText;
  pInfo->strText = pane.strText;
  pInfo->clrText = extra.clrText;
  pInfo->clrBk = extra.clrBk;
  pInfo->hBitmap = extra.hBitmap;
  pInfo->hCursor = extra.hCursor;
  pInfo->nAlign = extra.nAlign;
  pInfo->nMask = extra.nFlags;
  return TRUE;
}

BOOL SECCustomStatusBar::SetPaneInfoEx(const SECStatusPaneInfo* pInfo, BOOL bResize) {
  if (!pInfo || !Valid(pInfo->iIndex) || pInfo->iIndex >= int(m_extras.size())) return FALSE;
  const int index = pInfo->iIndex;
  const UINT mask = pInfo->nMask;
  SECStatusPane& pane = m_panes[size_t(index)];
  UINT id = pane.nID, style = pane.nStyle;
  int width = pane.cxText, bitmapHeight = 0;
  if (mask & SBP_ID) id = pInfo->nID;
  if (mask & SBP_STYLE) style = pInfo->nStyle;
  if (mask & SBP_WIDTH) {
    width = pInfo->cxWidth;
  } else if ((mask & SBP_BITMAP) && pInfo->hBitmap && bResize) {
    BITMAP bm{};
    ::GetObject(pInfo->hBitmap, sizeof(bm), &bm);
    width = bm.bmWidth;
    bitmapHeight = bm.bmHeight;
  }
  SetPaneInfo(index, id, style | SBPS_OWNERDRAW, width);
  if (mask & SBP_TEXT) {
    pane.strText = pInfo->strText;
    pane.nFlags |= SECStatusPane::kTextPending;
  }
  SECStatusPaneExtra& extra = m_extras[size_t(index)];
  if (mask & SBP_TEXTALIGN) extra.nAlign = pInfo->nAlign;
  if (mask & SBP_TEXTCOLOR) extra.clrText = pInfo->clrText;
  if (mask & SBP_BKCOLOR) extra.clrBk = pInfo->clrBk;
  if (mask & SBP_BITMAP) extra.hBitmap = pInfo->hBitmap;
  if (mask & SBP_CURSOR) extra.hCursor = pInfo->hCursor;
  extra.nFlags = mask & (SBP_TEXTALIGN | SBP_TEXTCOLOR | SBP_BKCOLOR | SBP_BITMAP | SBP_CURSOR);
  if (bResize && bitmapHeight > 0 && m_hWnd) {
    int cxBorder, cyBorder, spacing;
    Borders(cxBorder, cyBorder, spacing);
    SendMessage(SB_SETMINHEIGHT, WPARAM(bitmapHeight + 2 * cyBorder));
    ResizeParent();
  }
  if (m_hWnd) {
    CRect r;
    GetPaneRect(index, &r);
    InvalidateRect(&r);
  }
  return TRUE;
}

void SECCustomStatusBar::GetPaneRect(int nIndex, LPRECT lpRect) const {
  if (!lpRect) return;
  *lpRect = RECT{0, 0, 0, 0};
  if (!m_hWnd) return;
  int parts[kMaxQueriedParts] = {};
  const int count = std::min(int(SendMessage(SB_GETPARTS, kMaxQueriedParts, reinterpret_cast<LPARAM>(parts))),
                             kMaxQueriedParts);
  if (count <= 0) return;
  int cxBorder, cyBorder, spacing;
  Borders(cxBorder, cyBorder, spacing);
  CRect client;
  GetClientRect(&client);
  *lpRect = statuslayout::PaneRect(std::vector<int>(parts, parts + count), nIndex, cxBorder, cyBorder, spacing,
                                   client.Size());
}

int SECCustomStatusBar::PaneFromPoint(CPoint point) const {
  for (int i = 0; i < int(m_panes.size()); ++i) {
    CRect r;
    GetPaneRect(i, &r);
    if (r.PtInRect(point)) return i;
  }
  return -1;
}

void SECCustomStatusBar::SetPaneWindow(int nIndex, CWnd* pWnd, UINT nFlags) {
  if (!Valid(nIndex) || nIndex >= int(m_paneWnds.size())) return;
  m_paneWnds[size_t(nIndex)] = pWnd;
  m_paneWndFlags[size_t(nIndex)] = nFlags;
  LayoutPaneWindows();
}

CWnd* SECCustomStatusBar::GetPaneWindow(int nIndex) const {
  return nIndex >= 0 && nIndex < int(m_paneWnds.size()) ? m_paneWnds[size_t(nIndex)] : nullptr;
}

UINT SECCustomStatusBar::GetPaneWindowFlags(int nIndex) const {
  return nIndex >= 0 && nIndex < int(m_paneWndFlags.size()) ? m_paneWndFlags[size_t(nIndex)] : 0;
}

void SECCustomStatusBar::ShowPaneWindows(BOOL bShow) {
  for (CWnd* wnd : m_paneWnds) {
    if (wnd && wnd->m_hWnd) wnd->ShowWindow(bShow ? SW_SHOWNORMAL : SW_HIDE);
  }
}

void SECCustomStatusBar::LayoutPaneWindows() {
  for (int i = 0; i < int(m_paneWnds.size()); ++i) {
    CWnd* wnd = m_paneWnds[size_t(i)];
    if (!wnd || !wnd->m_hWnd) continue;
    const UINT flags = m_paneWndFlags[size_t(i)];
    CRect r;
    GetItemRect(i, &r);
    CRect own;
    wnd->GetWindowRect(&own);
    if (flags & SBP_WND_OWN_WIDTH) {
      r.right = r.left + own.Width();
    } else if (flags & SBP_WND_INSET) {
      r.DeflateRect(1, 0);
    }
    if (flags & SBP_WND_OWN_HEIGHT) {
      r.bottom = r.top + own.Height();
    } else if (flags & SBP_WND_INSET) {
      r.DeflateRect(0, 1);
    }
    wnd->SetWindowPos(nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

BOOL SECCustomStatusBar::BeginProgress(LPCTSTR lpszText, int nLower, int nUpper, BOOL bReset, DWORD dwProgressStyle) {
  if (!m_hWnd) return FALSE;
  CRect client;
  GetClientRect(&client);
  if (!m_pProgress) {
    auto progress = std::make_unique<SECProgressCtrl>();
    if (!progress->Create(WS_CHILD, client, this, kProgressId, dwProgressStyle)) return FALSE;
    m_pProgress = std::move(progress);
  } else {
    m_pProgress->SetStyle(dwProgressStyle);
  }
  ShowPaneWindows(FALSE);
  m_nProgressLeft = 0;
  if (lpszText && !m_panes.empty()) {
    if (!m_pSavedPane0) {
      m_pSavedPane0 = std::make_unique<SECStatusPaneInfo>();
      m_pSavedPane0->iIndex = 0;
      GetPaneInfoEx(m_pSavedPane0.get());
    }
    SECStatusPaneInfo info = *m_pSavedPane0;
    info.nStyle = SBPS_NOBORDERS;
    info.cxWidth = client.Width();
    info.strText = lpszText;
    info.nMask = SBP_ID | SBP_STYLE | SBP_WIDTH | SBP_TEXT |
                 (m_pSavedPane0->nMask & (SBP_TEXTALIGN | SBP_TEXTCOLOR | SBP_BKCOLOR));
    SetPaneInfoEx(&info, TRUE);
    m_nProgressLeft = TextWidth(CString(lpszText) + " ") + 1;
  }
  m_pProgress->SetRange(nLower, nUpper);
  if (bReset) m_pProgress->SetPos(nLower);
  FollowSize();
  m_pProgress->ShowWindow(SW_SHOW);
  Invalidate();
  return TRUE;
}

void SECCustomStatusBar::EndProgress() {
  if (m_pProgress) {
    if (m_pProgress->m_hWnd) m_pProgress->DestroyWindow();
    m_pProgress.reset();
  }
  if (m_pSavedPane0 && !m_panes.empty()) {
    // Pane 0 goes back exactly as it was, its style included.
    const SECStatusPaneInfo& saved = *m_pSavedPane0;
    SetPaneInfo(0, saved.nID, saved.nStyle, saved.cxWidth);
    m_panes[0].strText = saved.strText;
    m_panes[0].nFlags |= SECStatusPane::kTextPending;
    SECStatusPaneExtra& extra = m_extras[0];
    extra.clrText = saved.clrText;
    extra.clrBk = saved.clrBk;
    extra.hBitmap = saved.hBitmap;
    extra.hCursor = saved.hCursor;
    extra.nAlign = saved.nAlign;
    extra.nFlags = saved.nMask;
    UpdateAllPanes(TRUE, TRUE);
  }
  m_pSavedPane0.reset();
  ShowPaneWindows(TRUE);
  LayoutPaneWindows();
  if (m_hWnd) Invalidate();
}

void SECCustomStatusBar::FollowSize() {
  if (!m_hWnd) return;
  if (!m_pProgress) {
    LayoutPaneWindows();
    return;
  }
  CRect client;
  GetClientRect(&client);
  if (m_pSavedPane0 && !m_panes.empty() && m_panes[0].cxText != client.Width()) {
    SetPaneInfo(0, m_panes[0].nID, m_panes[0].nStyle, client.Width());
  }
  CRect bar = client;
  bar.left = std::min(int(client.right), m_nProgressLeft);
  m_pProgress->SetWindowPos(nullptr, bar.left, bar.top, bar.Width(), bar.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void SECCustomStatusBar::ResizeParent() {
  CWnd* parent = GetParent();
  if (!parent) return;
  CRect r;
  parent->GetWindowRect(&r);
  parent->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.Width(), r.Height()));
}

LRESULT SECCustomStatusBar::OnSetText(WPARAM wParam, LPARAM lParam) {
  if (m_pProgress) return 0;
  return SECStatusBar::OnSetText(wParam, lParam);
}

LRESULT SECCustomStatusBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = SECStatusBar::OnSizeParent(wParam, lParam);
  FollowSize();
  return result;
}

void SECCustomStatusBar::OnSize(UINT nType, int cx, int cy) {
  SECStatusBar::OnSize(nType, cx, cy);
  FollowSize();
}

BOOL SECCustomStatusBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTCLIENT) {
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    const int index = PaneFromPoint(point);
    if (index >= 0 && index < int(m_extras.size()) && (m_extras[size_t(index)].nFlags & SBP_CURSOR) &&
        m_extras[size_t(index)].hCursor) {
      ::SetCursor(m_extras[size_t(index)].hCursor);
      return TRUE;
    }
  }
  return SECStatusBar::OnSetCursor(pWnd, nHitTest, message);
}

LRESULT SECCustomStatusBar::OnSetFont(WPARAM, LPARAM) {
  const LRESULT result = Default();
  ResizeParent();
  return result;
}

void SECCustomStatusBar::OnDestroy() {
  if (m_pProgress && m_pProgress->m_hWnd) m_pProgress->DestroyWindow();
  m_pProgress.reset();
  SECStatusBar::OnDestroy();
}
