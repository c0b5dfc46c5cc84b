#include "toolkit/frame/sec_workbook.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/core/icons.h"
#include "platform/gdi/core/mul_div.h"
#include "platform/shell/services.h"
#include "platform/win/bitmap_loading.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_dc.h"

namespace workbook {

int TabWidth(int clientWidth, int sheets, int current) {
  if (sheets <= 0) return current;
  return std::min(kMaxTabWidth, (clientWidth + 5) / sheets);
}

TabPoints TabPolygon(int left, int top, int width, int place, bool raised) {
  const int r = raised ? 1 : 0;
  TabPoints p{};
  p[0] = {left + place * width - r * 2, top};
  p[1] = {p[0].x, top + kTabHeight - kBevel};
  p[2] = {p[0].x + kBevel, p[1].y + kBevel + r * 2};
  p[3] = {p[2].x + width - 2 * kBevel + r * 4, p[2].y};
  p[4] = {p[3].x + kBevel, p[1].y};
  p[5] = {p[4].x, top};
  p[6] = {p[0].x, top};
  return p;
}

BOOL TabTextRect(const POINT* points, int iconWidth, CRect& rect) {
  if (!points) return FALSE;
  rect.SetRect(points[2].x + iconWidth + 3, points[0].y, points[4].x - 2, points[3].y);
  return TRUE;
}

CString FitLabel(const CString& label, const std::function<bool(const CString&)>& fits) {
  if (fits(label)) return label;
  CString head = label;
  while (head.GetLength() > 0) {
    head = head.Left(head.GetLength() - 1);
    CString shortened = head + "...";
    if (shortened.GetLength() < 4) return CString();
    if (fits(shortened)) return shortened;
  }
  return CString();
}

int ClampIndex(int index, int count) { return count <= 0 ? 0 : std::clamp(index, 0, count - 1); }

}  // namespace workbook

namespace {

bool visible(const CWnd* wnd) { return wnd->m_hWnd && (wnd->GetStyle() & WS_VISIBLE); }

// The tab font: the GUI font, or the variable-width one where that is missing.
HFONT tab_font() {
  if (HGDIOBJ font = ::GetStockObject(DEFAULT_GUI_FONT)) return static_cast<HFONT>(font);
  return static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT));
}

}  // namespace

// --- SECWorkbook ------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SECWorkbook, SECMDIFrameWnd)

BEGIN_MESSAGE_MAP(SECWorkbook, SECMDIFrameWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_SECWB_ACTIVECHANGED, &SECWorkbook::OnActiveChanged)
  ON_COMMAND_EX_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, &SECWorkbook::OnBarCheck)
END_MESSAGE_MAP()

SECWorkbook::SECWorkbook() {
  // A bar floated inside the main window becomes a sheet with a tab.
  m_pMDIFloatFrameClass = RUNTIME_CLASS(SECControlBarWorksheet);
}

SECWorkbook::~SECWorkbook() {
  for (SECWorksheet* sheet : m_sheets) sheet->m_nIndex = -1;
}

BOOL SECWorkbook::CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu) {
  if (!SECMDIFrameWnd::CreateClient(lpCreateStruct, pWindowMenu)) return FALSE;
  std::unique_ptr<SECWorkbookClient> client = NewWorkbookClient();
  if (!client || !client->SubclassWindow(m_hWndMDIClient)) return FALSE;
  m_pClient = client.release();
  if (m_bWorkbookMode) SetWorkbookMode(TRUE);
  m_hTabFont = tab_font();
  m_penWhite.CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
  m_penBlack.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  m_penShadow.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
  m_penFace.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
  return TRUE;
}

std::unique_ptr<SECWorkbookClient> SECWorkbook::NewWorkbookClient() { return std::make_unique<SECWorkbookClient>(); }

void SECWorkbook::OnDestroy() {
  if (m_pClient) {
    if (m_pClient->m_hWnd) m_pClient->UnsubclassWindow();
    delete m_pClient;
    m_pClient = nullptr;
  }
  m_pTips.reset();
  CFrameWnd::OnDestroy();
}

void SECWorkbook::SetWorkbookMode(BOOL bOn) {
  m_bWorkbookMode = bOn;
  if (m_pClient) {
    const RECT& m = workbook::kMargins;
    if (bOn) {
      m_pClient->SetMargins(m.left, m.right, m.top, m.bottom);
    } else {
      m_pClient->SetMargins(0, 0, 0, 0);
    }
  }
  if (m_hWnd) {
    m_rectLastLayout.SetRectEmpty();
    RecalcLayout();
    Invalidate();
  }
}

void SECWorkbook::RecalcLayout(BOOL bNotify) {
  if (m_bInRecalcLayout) return;
  SECMDIFrameWnd::RecalcLayout(bNotify);
  if (!m_bWorkbookMode || m_rectInside == m_rectLastLayout) return;
  if (!m_sheets.empty()) CalcTabWidth();
  Invalidate();
  m_rectLastLayout = m_rectInside;
}

CRect SECWorkbook::ClientRectInFrame() const {
  CRect rect;
  if (!m_hWndMDIClient || !m_hWnd) return rect;
  ::GetWindowRect(m_hWndMDIClient, &rect);
  ScreenToClient(&rect);
  return rect;
}

void SECWorkbook::GetTabAreaRect(CRect& rect) const {
  rect = ClientRectInFrame();
  if (!m_pClient) return;
  int left = 0, right = 0, top = 0, bottom = 0;
  m_pClient->GetMargins(left, right, top, bottom);
  rect.InflateRect(left, top, right, bottom);
}

void SECWorkbook::CalcTabWidth() {
  m_nTabWidth = workbook::TabWidth(ClientRectInFrame().Width(), int(m_sheets.size()), m_nTabWidth);
}

BOOL SECWorkbook::FindSheet(CFrameWnd* pSheet, int& nIndex) const {
  auto it = std::find(m_sheets.begin(), m_sheets.end(), pSheet);
  if (!pSheet || it == m_sheets.end()) return FALSE;
  nIndex = int(it - m_sheets.begin());
  return TRUE;
}

SECWorksheet* SECWorkbook::GetSheet(int nIndex) const {
  return nIndex >= 0 && nIndex < int(m_sheets.size()) ? m_sheets[size_t(nIndex)] : nullptr;
}

int SECWorkbook::TabPlace(const SECWorksheet* pSheet) const {
  int place = 0;
  for (const SECWorksheet* sheet : m_sheets) {
    if (sheet == pSheet) return place;
    if (visible(sheet)) ++place;
  }
  return place;
}

bool SECWorkbook::IsSheetRaised(const SECWorksheet* pSheet) const {
  return pSheet->m_bPressed || (m_hWndMDIClient && MDIGetActive() == pSheet);
}

BOOL SECWorkbook::GetTabPolygon(SECWorksheet* pSheet, workbook::TabPoints& points) const {
  int index = 0;
  if (!FindSheet(pSheet, index)) return FALSE;
  const CRect client = ClientRectInFrame();
  points = workbook::TabPolygon(client.left, client.bottom + 4, m_nTabWidth, TabPlace(pSheet), IsSheetRaised(pSheet));
  return TRUE;
}

CString SECWorkbook::GetSheetLabel(SECWorksheet* pSheet) const { return pSheet ? pSheet->m_strLabel : CString(); }

BOOL SECWorkbook::LabelFitsTab(SECWorksheet* pSheet) {
  workbook::TabPoints points;
  if (!GetTabPolygon(pSheet, points)) return TRUE;
  CRect text;
  GetTabTextRect(points.data(), workbook::kIconSize, text);
  CClientDC dc(this);
  HGDIOBJ old = dc.SelectObject(m_hTabFont ? HGDIOBJ(m_hTabFont) : ::GetStockObject(DEFAULT_GUI_FONT));
  const int width = dc.GetTextExtent(GetSheetLabel(pSheet)).cx;
  dc.SelectObject(old);
  return width <= text.Width();
}

HICON SECWorkbook::GetSheetIcon(SECWorksheet* pSheet) const {
  return pSheet && m_bTabIcons ? pSheet->m_hTabIcon : nullptr;
}

BOOL SECWorkbook::SetSheetIcon(SECWorksheet* pSheet, HICON hIcon, BOOL bRepaint) {
  if (!pSheet) return FALSE;
  pSheet->m_hTabIcon = hIcon;
  if (bRepaint) InvalidateSheetTab(pSheet, FALSE);
  return TRUE;
}

void SECWorkbook::InvalidateSheetTab(SECWorksheet* pSheet, BOOL bToRightEdge) {
  if (!m_hWnd || !pSheet) return;
  const CRect client = ClientRectInFrame();
  const int y = client.bottom + 4;
  const int left = client.left + m_nTabWidth * TabPlace(pSheet) - 2;
  int right = left + m_nTabWidth + 4;
  if (bToRightEdge) {
    CRect frame;
    GetClientRect(&frame);
    right = frame.right;
  }
  CRect rect(left, y, right, y + m_nTabHeight + 4);
  InvalidateRect(&rect, TRUE);
}

void SECWorkbook::InvalidateTabBand() {
  if (!m_hWnd) return;
  const CRect client = ClientRectInFrame();
  CRect rect;
  GetClientRect(&rect);
  rect.top = client.bottom + 4;
  rect.bottom = rect.top + m_nTabHeight + 4;
  InvalidateRect(&rect, TRUE);
}

void SECWorkbook::MakeTabTips() {
  if (m_pTips || !m_hWnd) return;
  auto tips = std::make_unique<CToolTipCtrl>();
  // A tip control that cannot be made is tried again with the next sheet.
  if (!tips->Create(this)) return;
  tips->SendMessage(TTM_ACTIVATE, TRUE);
  m_pTips = std::move(tips);
}

void SECWorkbook::AddSheet(SECWorksheet* pSheet) {
  int index = 0;
  if (!pSheet || FindSheet(pSheet, index)) return;
  m_sheets.push_back(pSheet);
  pSheet->m_nIndex = int(m_sheets.size()) - 1;
  const int width = m_nTabWidth;
  CalcTabWidth();
  if (m_bWorkbookMode) {
    if (width != m_nTabWidth) {
      InvalidateTabBand();
    } else if (m_sheets.size() == 1) {
      if (m_hWnd) Invalidate();
    } else {
      InvalidateSheetTab(pSheet);
    }
  }
  MakeTabTips();
}

BOOL SECWorkbook::RemoveSheet(SECWorksheet* pSheet) {
  int index = 0;
  if (!FindSheet(pSheet, index)) return FALSE;
  // The removed tab's place, for the repaint from there.
  const int place = TabPlace(pSheet);
  m_sheets.erase(m_sheets.begin() + index);
  pSheet->m_nIndex = -1;
  if (!m_pClient || !m_pClient->m_hWnd) return TRUE;
  for (size_t i = size_t(index); i < m_sheets.size(); ++i) m_sheets[i]->m_nIndex = int(i);
  const int width = m_nTabWidth;
  CalcTabWidth();
  if (width != m_nTabWidth) {
    InvalidateTabBand();
  } else if (m_sheets.empty()) {
    Invalidate();
  } else {
    const CRect client = ClientRectInFrame();
    CRect frame;
    GetClientRect(&frame);
    CRect rect(client.left + m_nTabWidth * place - 2, client.bottom + 4, frame.right, client.bottom + 8 + m_nTabHeight);
    InvalidateRect(&rect, TRUE);
  }
  return TRUE;
}

BOOL SECWorkbook::MoveSheet(SECWorksheet* pSheet, int nIndex) {
  int from = 0;
  if (!FindSheet(pSheet, from)) return FALSE;
  const int to = workbook::ClampIndex(nIndex, int(m_sheets.size()));
  m_sheets.erase(m_sheets.begin() + from);
  m_sheets.insert(m_sheets.begin() + to, pSheet);
  if (!m_pClient || !m_pClient->m_hWnd) {
    pSheet->m_nIndex = to;
    return TRUE;
  }
  for (int i = std::min(from, to); i <= std::max(from, to); ++i) m_sheets[size_t(i)]->m_nIndex = i;
  const int width = m_nTabWidth;
  CalcTabWidth();
  if (width != m_nTabWidth) {
    InvalidateTabBand();
  } else {
    InvalidateSheetTab(m_sheets[size_t(std::min(from, to))]);
  }
  return TRUE;
}

// --- Drawing ----------------------------------------------------------------------------------------

void SECWorkbook::DrawTab(CDC* pDC, SECWorksheet* pSheet) {
  workbook::TabPoints p;
  if (!GetTabPolygon(pSheet, p)) return;
  CBrush face(::GetSysColor(COLOR_BTNFACE));
  CBrush* oldBrush = pDC->SelectObject(&face);
  CPen* oldPen = pDC->SelectObject(&m_penFace);
  pDC->Polygon(p.data(), int(p.size()));
  const POINT shadow[] = {{p[1].x + 1, p[1].y - 1}, {p[2].x, p[2].y - 2}, {p[3].x, p[3].y - 2},
                          {p[4].x - 2, p[4].y - 1}, {p[5].x - 2, p[5].y}, p[5]};
  pDC->SelectObject(&m_penShadow);
  pDC->Polyline(shadow, 6);
  const POINT white[] = {{p[0].x, p[0].y + 1}, {p[1].x, p[1].y - 1}};
  pDC->SelectObject(&m_penWhite);
  pDC->Polyline(white, 2);
  const POINT black[] = {{p[2].x + 1, p[2].y - 1}, {p[3].x, p[3].y - 1}, {p[4].x - 1, p[4].y - 1}, {p[5].x - 1, p[5].y}};
  pDC->SelectObject(&m_penBlack);
  pDC->Polyline(black, 4);
  pDC->SelectObject(oldPen);
  pDC->SelectObject(oldBrush);
}

void SECWorkbook::DrawTabContents(CDC* pDC, SECWorksheet* pSheet) {
  workbook::TabPoints p;
  if (!GetTabPolygon(pSheet, p)) return;
  HICON icon = GetSheetIcon(pSheet);
  int iconWidth = 0;
  if (icon) {
    ::DrawIconEx(pDC->m_hDC, p[2].x + 1, p[0].y + 4, icon, workbook::kIconSize, workbook::kIconSize, 0, nullptr, DI_NORMAL);
    iconWidth = workbook::kIconSize;
  }
  CRect text;
  GetTabTextRect(p.data(), iconWidth, text);
  HGDIOBJ oldFont = pDC->SelectObject(m_hTabFont ? HGDIOBJ(m_hTabFont) : ::GetStockObject(DEFAULT_GUI_FONT));
  const CString label = workbook::FitLabel(GetSheetLabel(pSheet), [&](const CString& s) {
    return pDC->GetTextExtent(s).cx <= text.Width();
  });
  if (!label.IsEmpty()) {
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->DrawText(label, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  pDC->SelectObject(oldFont);
}

void SECWorkbook::DrawTabArea(CDC* pDC) {
  const CRect c = ClientRectInFrame();
  const int l = c.left, t = c.top, r = c.right, b = c.bottom;
  CPen* old = pDC->SelectObject(&m_penShadow);
  const POINT shadow[] = {{l - 4, b + 4}, {r + 4, b + 4}, {r + 4, t - 4}};
  pDC->Polyline(shadow, 3);
  pDC->SelectObject(&m_penWhite);
  const POINT white[] = {{r + 4, t - 5}, {l - 5, t - 5}, {l - 5, b + 5}};
  pDC->Polyline(white, 3);
  pDC->SelectObject(&m_penBlack);
  const POINT black[] = {{l - 5, b + 5}, {r + 5, b + 5}, {r + 5, t - 5}};
  pDC->Polyline(black, 3);
  if (m_pClient) {
    int left = 0, right = 0, top = 0, bottom = 0;
    m_pClient->GetMargins(left, right, top, bottom);
    const int y = t - top;
    pDC->SelectObject(&m_penShadow);
    pDC->MoveTo(l - left, y);
    pDC->LineTo(r + right, y);
    pDC->SelectObject(&m_penWhite);
    pDC->MoveTo(l - left, y + 1);
    pDC->LineTo(r + right, y + 1);
  }
  pDC->SelectObject(old);
}

void SECWorkbook::OnPaint() {
  CPaintDC dc(this);
  if (!m_bWorkbookMode || !m_hWndMDIClient) return;
  CRect inner;
  ::GetClientRect(m_hWndMDIClient, &inner);
  if (inner.IsRectEmpty()) return;
  dc.SetBkMode(TRANSPARENT);
  for (SECWorksheet* sheet : m_sheets) {
    if (!visible(sheet)) continue;
    DrawTab(&dc, sheet);
    DrawTabContents(&dc, sheet);
  }
  DrawTabArea(&dc);
  // The active sheet's raised tab lies over its neighbours.
  if (auto* active = dynamic_cast<SECWorksheet*>(MDIGetActive()); active && visible(active)) {
    DrawTab(&dc, active);
    DrawTabContents(&dc, active);
  }
}

BOOL SECWorkbook::OnEraseBkgnd(CDC* pDC) {
  CRect area = m_rectInside;
  if (area.IsRectEmpty()) GetClientRect(&area);
  const int saved = pDC->SaveDC();
  const CRect client = ClientRectInFrame();
  pDC->ExcludeClipRect(&client);
  pDC->FillSolidRect(&area, ::GetSysColor(COLOR_BTNFACE));
  CRect frame;
  GetClientRect(&frame);
  // An edge along a bar docked below or to the right.
  if (area.bottom < frame.bottom) {
    pDC->FillSolidRect(area.left, area.bottom - 1, area.Width(), 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    pDC->FillSolidRect(area.left, area.bottom - 2, area.Width(), 1, ::GetSysColor(COLOR_BTNSHADOW));
  }
  if (area.right < frame.right) {
    pDC->FillSolidRect(area.right - 1, area.top, 1, area.Height(), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    pDC->FillSolidRect(area.right - 2, area.top, 1, area.Height(), ::GetSysColor(COLOR_BTNSHADOW));
  }
  pDC->RestoreDC(saved);
  return TRUE;
}

// --- Mouse, tips, activation ------------------------------------------------------------------------

SECWorksheet* SECWorkbook::SheetAt(CPoint point) const {
  for (SECWorksheet* sheet : m_sheets) {
    workbook::TabPoints points;
    if (!visible(sheet) || !GetTabPolygon(sheet, points)) continue;
    CRgn region;
    if (region.CreatePolygonRgn(points.data(), int(points.size()), ALTERNATE) && region.PtInRegion(point)) return sheet;
  }
  return nullptr;
}

INT_PTR SECWorkbook::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  SECWorksheet* sheet = SheetAt(point);
  if (!sheet) return SECMDIFrameWnd::OnToolHitTest(point, pTI);
  if (const_cast<SECWorkbook*>(this)->LabelFitsTab(sheet)) return -1;
  const int index = sheet->m_nIndex;
  if (pTI) {
    workbook::TabPoints points;
    GetTabPolygon(sheet, points);
    CRect box(points[0], points[0]);
    for (const POINT& p : points) {
      box.left = std::min(box.left, p.x);
      box.top = std::min(box.top, p.y);
      box.right = std::max(box.right, p.x);
      box.bottom = std::max(box.bottom, p.y);
    }
    m_strTipText = GetSheetLabel(sheet);
    pTI->hwnd = m_hWnd;
    pTI->uId = UINT_PTR(index + 1);
    pTI->rect = box;
    pTI->lpszText = m_strTipText.GetBuffer(0);
    m_strTipText.ReleaseBuffer();
  }
  return index + 1;
}

void SECWorkbook::RelayToTips(MSG* pMsg) {
  if (!m_pTips) return;
  CPoint point(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
  if (pMsg->message == WM_MOUSEMOVE) {
    TOOLINFO info;
    INT_PTR hit = OnToolHitTest(point, &info);
    const UINT_PTR tool = hit > 0 && info.hwnd == m_hWnd ? UINT_PTR(hit) : 0;
    if (tool != m_nTipTool) {
      if (m_nTipTool) m_pTips->DelTool(this, m_nTipTool);
      if (tool) m_pTips->AddTool(info);
      m_nTipTool = tool;
    }
  }
  m_pTips->RelayEvent(pMsg);
}

BOOL SECWorkbook::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->hwnd == m_hWnd && framework::is_tip_mouse_message(pMsg->message)) RelayToTips(pMsg);
  return SECMDIFrameWnd::PreTranslateMessage(pMsg);
}

void SECWorkbook::OnLButtonDown(UINT nFlags, CPoint point) {
  if (m_bWorkbookMode) {
    SECWorksheet* sheet = SheetAt(point);
    if (sheet && sheet != MDIGetActive() && CanActivateSheet(sheet)) {
      sheet->m_bPressed = TRUE;
      InvalidateSheetTab(sheet, FALSE);
      UpdateWindow();
      static_cast<CFrameWnd*>(sheet)->ActivateFrame(-1);
    }
  }
  SECMDIFrameWnd::OnLButtonDown(nFlags, point);
}

void SECWorkbook::OnLButtonUp(UINT nFlags, CPoint point) {
  for (SECWorksheet* sheet : m_sheets) {
    if (!sheet->m_bPressed) continue;
    sheet->m_bPressed = FALSE;
    InvalidateSheetTab(sheet, FALSE);
  }
  SECMDIFrameWnd::OnLButtonUp(nFlags, point);
}

LRESULT SECWorkbook::OnActiveChanged(WPARAM, LPARAM) {
  if (SECWorksheet* last = GetSheet(m_nActiveSheet)) InvalidateSheetTab(last, FALSE);
  BOOL maximized = FALSE;
  auto* active = dynamic_cast<SECWorksheet*>(m_hWndMDIClient ? MDIGetActive(&maximized) : nullptr);
  int index = 0;
  if (active && FindSheet(active, index)) {
    InvalidateSheetTab(active, FALSE);
    m_nActiveSheet = index;
  }
  if (!maximized) UpdateWindow();
  return 0;
}

BOOL SECWorkbook::OnBarCheck(UINT nID) {
  CControlBar* bar = GetControlBar(nID);
  if (!bar) return FALSE;
  CFrameWnd::ShowControlBar(bar, !(bar->GetStyle() & WS_VISIBLE), FALSE);
  return TRUE;
}

// --- SECWorksheet -----------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SECWorksheet, SECMDIChildWnd)

BEGIN_MESSAGE_MAP(SECWorksheet, SECMDIChildWnd)
  ON_WM_DESTROY()
  ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

SECWorksheet::~SECWorksheet() {
  if (m_bOwnIcon && m_hTabIcon) ::DestroyIcon(m_hTabIcon);
}

SECWorkbook* SECWorksheet::GetWorkbook() const {
  return m_hWnd ? dynamic_cast<SECWorkbook*>(GetMDIFrame()) : nullptr;
}

BOOL SECWorksheet::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  if (!SECMDIChildWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
  if (SECWorkbook* book = GetWorkbook()) book->AddSheet(this);
  if (!m_hTabIcon) {
    m_hTabIcon = static_cast<HICON>(::LoadImage(nullptr, MAKEINTRESOURCE(int(nIDResource)), IMAGE_ICON,
                                                workbook::kIconSize, workbook::kIconSize, 0));
    m_bOwnIcon = m_hTabIcon != nullptr;
  }
  return TRUE;
}

void SECWorksheet::OnDestroy() {
  if (SECWorkbook* book = GetWorkbook()) book->RemoveSheet(this);
  CFrameWnd::OnDestroy();
}

void SECWorksheet::OnShowWindow(BOOL, UINT) {
  Default();
  // A hidden sheet takes no tab place: the tabs right of it move.
  if (SECWorkbook* book = GetWorkbook()) book->InvalidateSheetTab(this, TRUE);
}

void SECWorksheet::OnUpdateFrameTitle(BOOL bAddToTitle) {
  SECMDIChildWnd::OnUpdateFrameTitle(bAddToTitle);
  if (SECWorkbook* book = GetWorkbook()) book->InvalidateSheetTab(this, FALSE);
}

void SECWorksheet::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt) {
  SECMDIChildWnd::OnUpdateFrameMenu(bActivate, pActivateWnd, hMenuAlt);
  if (!m_hMenuShared && m_bMenuIDSet) {
    if (HWND client = GetMDIClient()) ::SendMessage(client, WM_SECWB_REFRESHSHEETS, WPARAM(-1), LPARAM(-1));
  }
}

// --- SECControlBarWorksheet -------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SECControlBarWorksheet, SECWorksheet)

BEGIN_MESSAGE_MAP(SECControlBarWorksheet, SECWorksheet)
  ON_WM_SIZE()
  ON_WM_CLOSE()
  ON_WM_SHOWWINDOW()
  ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

SECControlBarWorksheet::SECControlBarWorksheet() : m_host(this) {}

BOOL SECControlBarWorksheet::PreCreateWindow(CREATESTRUCT& cs) {
  cs.dwExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
  return SECWorksheet::PreCreateWindow(cs);
}

BOOL SECControlBarWorksheet::OnCreateClient(LPCREATESTRUCT, CCreateContext*) { return m_host.CreateDockBar(); }

void SECControlBarWorksheet::RecalcLayout(BOOL bNotify) {
  if (m_bInRecalcLayout) return;
  SECWorksheet::RecalcLayout(bNotify);
  m_host.UpdateCaption();
  // The tab shows the bar's title.
  CString title;
  if (m_host.m_wndDockBar.m_hWnd) m_host.m_wndDockBar.GetWindowText(title);
  if (title != m_strLabel) {
    m_strLabel = title;
    if (SECWorkbook* book = GetWorkbook()) book->InvalidateSheetTab(this, FALSE);
  }
}

void SECControlBarWorksheet::OnSize(UINT nType, int cx, int cy) {
  m_host.FitBar(nType, cx, cy);
  SECWorksheet::OnSize(nType, cx, cy);
}

void SECControlBarWorksheet::OnClose() {
  if (!m_host.HideBar()) SECWorksheet::OnClose();
}

void SECControlBarWorksheet::OnShowWindow(BOOL bShow, UINT nStatus) {
  SECWorksheet::OnShowWindow(bShow, nStatus);
  m_host.RefreshMenu();
}

void SECControlBarWorksheet::OnWindowPosChanged(WINDOWPOS*) {
  Default();
  m_host.StorePosition();
}

// --- SECWorkbookClient ------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(SECWorkbookClient, CWnd)

BEGIN_MESSAGE_MAP(SECWorkbookClient, CWnd)
  ON_WM_ERASEBKGND()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_SIZE()
  ON_WM_CAPTURECHANGED()
  ON_WM_WINDOWPOSCHANGING()
  ON_MESSAGE(WM_MDISETMENU, &SECWorkbookClient::OnMDISetMenu)
  ON_MESSAGE(WM_SECWB_REFRESHSHEETS, &SECWorkbookClient::OnMDISetMenu)
END_MESSAGE_MAP()

SECWorkbookClient::SECWorkbookClient() = default;
SECWorkbookClient::~SECWorkbookClient() = default;

void SECWorkbookClient::CalcWindowRect(LPRECT lpClientRect, UINT) {
  lpClientRect->left += m_nLeft;
  lpClientRect->top += m_nTop;
  lpClientRect->right = std::max(lpClientRect->left, LONG(lpClientRect->right - m_nRight));
  lpClientRect->bottom = std::max(lpClientRect->top, LONG(lpClientRect->bottom - m_nBottom));
}

void SECWorkbookClient::SetMargins(int nLeft, int nRight, int nTop, int nBottom) {
  m_nLeft = nLeft;
  m_nRight = nRight;
  m_nTop = nTop;
  m_nBottom = nBottom;
}

void SECWorkbookClient::GetMargins(int& nLeft, int& nRight, int& nTop, int& nBottom) const {
  nLeft = m_nLeft;
  nRight = m_nRight;
  nTop = m_nTop;
  nBottom = m_nBottom;
}

void SECWorkbookClient::OnWindowPosChanging(WINDOWPOS* pos) {
  Default();
  // The frame's layout gives the client the whole rest of the frame; it keeps its margins.
  auto* frame = dynamic_cast<CFrameWnd*>(Frame());
  if (!frame || !frame->m_bInRecalcLayout || (pos->flags & (SWP_NOSIZE | SWP_NOMOVE))) return;
  CRect rect(pos->x, pos->y, pos->x + pos->cx, pos->y + pos->cy);
  CalcWindowRect(&rect);
  pos->x = rect.left;
  pos->y = rect.top;
  pos->cx = rect.Width();
  pos->cy = rect.Height();
}

BOOL SECWorkbookClient::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BACKGROUND));
  LOGFONT lf{};
  lf.lfHeight = -MulDiv(24, pDC->GetDeviceCaps(LOGPIXELSY), 72);
  lf.lfWeight = FW_BOLD;
  lf.lfPitchAndFamily = 17;
  std::strncpy(lf.lfFaceName, "Times New Roman CE", sizeof(lf.lfFaceName) - 1);
  CFont font;
  font.CreateFontIndirect(&lf);
  const int saved = pDC->SaveDC();
  pDC->SelectObject(&font);
  TEXTMETRIC tm{};
  pDC->GetTextMetrics(&tm);
  const CString text("LumoKAL");
  const CSize size = pDC->GetTextExtent(text);
  CRect rect(client.right - size.cx - m_nRight - tm.tmAveCharWidth / 2, client.bottom - size.cy - m_nTop - tm.tmHeight / 5,
             client.right, client.bottom);
  m_rectHot = rect;
  pDC->SetBkMode(TRANSPARENT);
  const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
  const int shift = tm.tmAveCharWidth / 5;
  // Dark right, light left, the face colour in place: an embossed name.
  CRect part = rect;
  part.left += shift;
  pDC->SetTextColor(RGB(0, 0, 0));
  pDC->DrawText(text, &part, format);
  part = rect;
  part.left -= shift;
  pDC->SetTextColor(RGB(255, 255, 255));
  pDC->DrawText(text, &part, format);
  part = rect;
  pDC->SetTextColor(::GetSysColor(COLOR_BTNFACE));
  pDC->DrawText(text, &part, format);
  pDC->RestoreDC(saved);
  return TRUE;
}

namespace {

// Whether a visible child of `parent` lies under the client point.
bool over_child(HWND parent, CPoint point) {
  POINT screen = point;
  ::ClientToScreen(parent, &screen);
  for (HWND child = ::GetTopWindow(parent); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    CRect rect;
    if (::IsWindowVisible(child) && ::GetWindowRect(child, &rect) && rect.PtInRect(screen)) return true;
  }
  return false;
}

}  // namespace

void SECWorkbookClient::OnMouseMove(UINT, CPoint point) {
  Default();
  // Only the name itself is hot; a child frame over it keeps the mouse.
  const bool hot = m_rectHot.PtInRect(point) && !over_child(m_hWnd, point);
  if (hot) {
    ::SetCursor(::LoadCursor(nullptr, MAKEINTRESOURCE(106)));
    if (::GetCapture() != m_hWnd) SetCapture();
  } else if (::GetCapture() == m_hWnd) {
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    ::ReleaseCapture();
  }
}

void SECWorkbookClient::OnCaptureChanged(CWnd*) {
  Default();
  ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
}

void SECWorkbookClient::OnLButtonDown(UINT, CPoint point) {
  Default();
  if (!m_rectHot.PtInRect(point) || over_child(m_hWnd, point) || m_strLinkAddress.IsEmpty()) return;
  shell::open_url(m_strLinkAddress);
}

void SECWorkbookClient::OnSize(UINT, int cx, int cy) {
  Default();
  const CSize size(cx, cy);
  if (!m_bSized) {
    m_bSized = TRUE;
    m_sizeLast = size;
    return;
  }
  CRect client;
  GetClientRect(&client);
  if (size == m_sizeLast + CSize(4, 4) && client.Size() == m_sizeLast) return;
  if (size == m_sizeLast) return;
  m_sizeLast = size;
  // The name follows the corner.
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_ERASENOW);
}

LRESULT SECWorkbookClient::OnMDISetMenu(WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (wParam != WPARAM(-1) && lParam != LPARAM(-1)) result = Default();
  if (CWnd* frame = Frame()) frame->SendMessage(WM_SECWB_ACTIVECHANGED, 0, 0);
  return result;
}
