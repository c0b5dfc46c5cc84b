#include "toolkit/frame/sec_3d_tab_ctrl.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/core/icons.h"
#include "platform/win/bitmap_loading.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_dc.h"
#include "toolkit/frame/toolkit_globals.h"

namespace {

// Pattern where the source is black, the destination kept where it is white.
constexpr DWORD kPatternThroughBlack = 0x00B8074A;
constexpr int kIconSize = 16;
// Cell height of the tab fonts.
constexpr int kFontHeight = 15;
// The labels get shortened once the strip is within this much of their room, and lengthened
// once it is this much longer.
constexpr int kShortenSlack = 9;
constexpr int kLengthenSlack = 15;
// Size changes beyond this many pixels let the labels settle in several steps.
constexpr int kSettleJump = 10;

bool Horizontal(DWORD position) { return position == TWS_TABS_BELOW || position == TWS_TABS_ABOVE; }

bool EndsWithEllipsis(const CString& s) {
  const int n = s.GetLength();
  return n >= 3 && std::strcmp(static_cast<LPCTSTR>(s) + n - 3, tab3d::kEllipsis) == 0;
}

// Takes "..." off every label shown shortened.
void StripEllipses(tab3d::Labels& labels) {
  for (size_t i = 0; i < labels.shown.size(); ++i) {
    CString& s = labels.shown[i];
    if (s != labels.full[i] && EndsWithEllipsis(s)) s = s.Left(s.GetLength() - 3);
  }
}

}  // namespace

// --- Geometry and label shortening --------------------------------------------------------------

namespace tab3d {

int LabelSum(const Labels& labels, const Measure& measure, bool* anyShortened) {
  int sum = 0;
  bool shortened = false;
  for (size_t i = 0; i < labels.shown.size(); ++i) {
    sum += measure(labels.shown[i]) + kLabelRoom + (labels.icons[i] ? kIconRoom : 0);
    if (labels.shown[i] != labels.full[i]) shortened = true;
  }
  if (anyShortened) *anyShortened = shortened;
  return sum;
}

void ShortenLabels(Labels& labels, int sum, int length, const Measure& measure, bool visible) {
  const size_t count = labels.shown.size();
  if (count == 0) return;
  const bool grew = labels.lastLength < length;
  if (int(count) != labels.measuredCount && visible) {
    Labels dots = labels;
    for (CString& s : dots.shown) s = kEllipsis;
    labels.minLength = LabelSum(dots, measure);
    labels.measuredCount = int(count);
  }
  if (length != 0 && labels.minLength + kShortenSlack >= length) {
    for (CString& s : labels.shown) s = kEllipsis;
    labels.labelsShown = false;
    labels.shortened = true;
    return;
  }
  labels.labelsShown = true;
  if (length != 0 && sum + kShortenSlack >= length && !grew) {
    StripEllipses(labels);
    size_t longest = 0;
    for (size_t i = 1; i < count; ++i) {
      if (measure(labels.shown[i]) > measure(labels.shown[longest])) longest = i;
    }
    CString& cut = labels.shown[longest];
    if (!cut.IsEmpty()) cut = cut.Left(cut.GetLength() - 1);
    labels.shortened = true;
    for (size_t i = 0; i < count; ++i) {
      if (labels.shown[i] == labels.full[i]) continue;
      // At least three characters short of the full label, and never less than nothing.
      const int keep = std::clamp(labels.full[i].GetLength() - 3, 0, labels.shown[i].GetLength());
      labels.shown[i] = labels.full[i].Left(keep) + kEllipsis;
    }
  } else if (sum + kLengthenSlack < length && grew) {
    StripEllipses(labels);
    size_t pick = 0;
    for (size_t i = 1; i < count; ++i) {
      if (measure(labels.shown[i]) < measure(labels.shown[pick])) pick = i;
    }
    if (labels.shown[pick] == labels.full[pick]) {
      for (size_t i = 0; i < count; ++i) {
        if (labels.shown[i] != labels.full[i]) {
          pick = i;
          break;
        }
      }
    }
    if (labels.shown[pick].GetLength() < labels.full[pick].GetLength()) {
      labels.shown[pick] = labels.full[pick].Left(labels.shown[pick].GetLength() + 1);
    }
    bool shortened = false;
    for (size_t i = 0; i < count; ++i) {
      const CString& full = labels.full[i];
      if (full.IsEmpty()) continue;
      CString& s = labels.shown[i];
      if (full.GetLength() - s.GetLength() <= 2 || full.GetLength() == 1) {
        s = full;
      } else {
        s += kEllipsis;
        shortened = true;
      }
    }
    labels.shortened = shortened;
  }
}

int TabLength(bool icon, bool labelsShown, int labelWidth) {
  return (icon ? 25 : 6) + (labelsShown ? labelWidth + 6 : 0);
}

CRect TabRect(DWORD position, int pos, int across, int length) {
  if (Horizontal(position)) return CRect(pos, across, pos + length, across + kThickness);
  return CRect(across, pos, across + kThickness, pos + length);
}

void RowStart(DWORD position, const CRect& client, int& along, int& across) {
  switch (position) {
    case TWS_TABS_BELOW:
      along = client.left + 7;
      across = client.top + 2;
      break;
    case TWS_TABS_ABOVE:
      along = client.left + 7;
      across = client.bottom - 25;
      break;
    case TWS_TABS_LEFT:
      along = client.top + 7;
      across = client.right - 25;
      break;
    default:
      along = client.top + 7;
      across = client.left + 2;
      break;
  }
}

CRect GrowActive(DWORD position, const CRect& tab) {
  CRect r = tab;
  const int g = kActiveGrowth;
  switch (position) {
    case TWS_TABS_BELOW: r.InflateRect(g, 0, g, g); break;
    case TWS_TABS_ABOVE: r.InflateRect(g, g, g, 0); break;
    case TWS_TABS_LEFT: r.InflateRect(g, g, 0, g); break;
    default: r.InflateRect(0, g, g, g); break;
  }
  return r;
}

CPoint LabelOrigin(DWORD position, const CRect& tab, CSize extent, bool icon) {
  const int iconRoom = icon ? kIconRoom : 0;
  const int middle = (tab.left + tab.right) / 2;
  switch (position) {
    case TWS_TABS_BELOW:
    case TWS_TABS_ABOVE:
      return CPoint(tab.left + 6 + iconRoom, tab.top + (tab.Height() - int(extent.cy)) / 2);
    case TWS_TABS_LEFT:
      // Reads upwards from the bottom; the letters stand right of the origin.
      return CPoint(middle - int(extent.cy) / 2, tab.bottom - 6 - iconRoom);
    default:
      // Reads downwards from the top; the letters stand left of the origin.
      return CPoint(middle + int(extent.cy) / 2, tab.top + 6 + iconRoom);
  }
}

CPoint IconOrigin(DWORD position, const CRect& tab) {
  const int middleX = (tab.left + tab.right) / 2, middleY = (tab.top + tab.bottom) / 2;
  switch (position) {
    case TWS_TABS_BELOW:
    case TWS_TABS_ABOVE: return CPoint(tab.left + 6, middleY - kIconSize / 2);
    case TWS_TABS_LEFT: return CPoint(middleX - kIconSize / 2, tab.bottom - 6 - kIconSize);
    default: return CPoint(middleX - kIconSize / 2, tab.top + 6);
  }
}

int TextAngle(DWORD position) {
  if (position == TWS_TABS_LEFT) return 900;
  if (position == TWS_TABS_RIGHT) return -900;
  return 0;
}

}  // namespace tab3d

// --- The control -------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SEC3DTab, SECTab)
IMPLEMENT_DYNCREATE(SEC3DTabControl, SECTabControlBase)

BEGIN_MESSAGE_MAP(SEC3DTabControl, SECTabControlBase)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

SEC3DTabControl::SEC3DTabControl() = default;

SEC3DTabControl::~SEC3DTabControl() {
  if (m_hWnd) DestroyWindow();
  m_pToolTip.reset();
}

DWORD SEC3DTabControl::Position() const {
  const DWORD position = (m_hWnd ? GetStyle() : 0) & TWS_TABS_POSITION;
  switch (position) {
    case TWS_TABS_BELOW:
    case TWS_TABS_ABOVE:
    case TWS_TABS_LEFT: return position;
    default: return TWS_TABS_RIGHT;
  }
}

void SEC3DTabControl::Initialize(DWORD dwStyle) {
  DestroyGdiObjects();
  CreateFonts(dwStyle);
  m_brushes[1].CreateSolidBrush(::GetSysColor(COLOR_WINDOW));
  m_brushes[0].CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
  m_pens[0].CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  m_pens[1].CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  m_penShadow.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
  m_penWhite.CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
  m_clrText[0] = m_clrText[1] = RGB(0, 0, 0);
  if (!m_pToolTip) {
    m_pToolTip = std::make_unique<CToolTipCtrl>();
    if (m_pToolTip->Create(this)) {
      m_pToolTip->SendMessage(TTM_ACTIVATE, TRUE);
    } else {
      m_pToolTip.reset();
    }
  }
}

void SEC3DTabControl::CreateFonts(DWORD dwStyle) {
  DWORD position = dwStyle & TWS_TABS_POSITION;
  if (position != TWS_TABS_BELOW && position != TWS_TABS_ABOVE && position != TWS_TABS_LEFT) {
    position = TWS_TABS_RIGHT;
  }
  LOGFONT lf{};
  lf.lfHeight = kFontHeight;
  lf.lfEscapement = lf.lfOrientation = tab3d::TextAngle(position);
  lf.lfCharSet = EASTEUROPE_CHARSET;
  lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  std::strcpy(lf.lfFaceName, "Arial CE");
  for (int kind = 0; kind < 2; ++kind) {
    m_fonts[kind].DeleteObject();
    lf.lfWeight = kind == 1 ? FW_SEMIBOLD : FW_NORMAL;
    m_fonts[kind].CreateFontIndirect(&lf);
  }
}

void SEC3DTabControl::DestroyGdiObjects() {
  for (CFont& f : m_fonts) f.DeleteObject();
  for (CPen& p : m_pens) p.DeleteObject();
  m_penShadow.DeleteObject();
  m_penWhite.DeleteObject();
  for (CBrush& b : m_brushes) b.DeleteObject();
  for (HICON icon : m_loadedIcons) ::DestroyIcon(icon);
  m_loadedIcons.clear();
}

std::unique_ptr<SECTab> SEC3DTabControl::CreateNewTab() const { return std::make_unique<SEC3DTab>(); }

int SEC3DTabControl::LabelWidth(const CString& label) const {
  if (label.IsEmpty()) return 0;
  CClientDC dc(m_hWnd ? const_cast<SEC3DTabControl*>(this) : nullptr);
  CFont* old = dc.SelectObject(const_cast<CFont*>(&m_fonts[0]));
  const int width = int(dc.GetTextExtent(label).cx);
  dc.SelectObject(old);
  return width;
}

tab3d::Labels SEC3DTabControl::CollectLabels() const {
  tab3d::Labels labels;
  for (int i = 0; i < GetTabCount(); ++i) {
    const SEC3DTab* tab = Get3DTab(i);
    labels.shown.push_back(tab->m_csLabel);
    labels.full.push_back(tab->m_csFullLabel);
    labels.icons.push_back(tab->m_hIcon != nullptr);
  }
  labels.labelsShown = m_bLabelsShown;
  labels.shortened = m_bShortened;
  labels.lastLength = m_nLastLength;
  labels.minLength = m_nMinLength;
  labels.measuredCount = m_nMeasuredCount;
  return labels;
}

void SEC3DTabControl::ApplyLabels(const tab3d::Labels& labels) {
  for (int i = 0; i < GetTabCount() && size_t(i) < labels.shown.size(); ++i) {
    Get3DTab(i)->m_csLabel = labels.shown[size_t(i)];
  }
  m_bLabelsShown = labels.labelsShown;
  m_bShortened = labels.shortened;
  m_nMinLength = labels.minLength;
  m_nMeasuredCount = labels.measuredCount;
}

void SEC3DTabControl::ShortenLabels(int sum, int length) {
  tab3d::Labels labels = CollectLabels();
  tab3d::ShortenLabels(labels, sum, length, [this](const CString& s) { return LabelWidth(s); },
                       m_hWnd && IsWindowVisible());
  ApplyLabels(labels);
}

void SEC3DTabControl::RecalcLayout() {
  if (!m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  bool anyShortened = false;
  const int sum =
      tab3d::LabelSum(CollectLabels(), [this](const CString& s) { return LabelWidth(s); }, &anyShortened);
  const DWORD position = Position();
  if (m_bAutoShorten) {
    const int length = Horizontal(position) ? client.Width() : client.Height();
    if (m_nLastLength == 0) m_nLastLength = length;
    if (sum > 0) {
      const bool far = length > sum + 35 || length < sum - 15;
      const int steps = far && anyShortened ? GetTabCount() : 1;
      for (int i = 0; i < steps; ++i) ShortenLabels(sum, length);
    }
  } else {
    m_bLabelsShown = sum < (Horizontal(position) ? client.Width() : client.Height());
  }
  LayoutTabs();
}

void SEC3DTabControl::LayoutTabs() {
  CRect client;
  GetClientRect(&client);
  const DWORD position = Position();
  int along = 0, across = 0;
  tab3d::RowStart(position, client, along, across);
  for (int i = 0; i < GetTabCount(); ++i) {
    SEC3DTab* tab = Get3DTab(i);
    const int length = tab3d::TabLength(tab->m_hIcon != nullptr, m_bLabelsShown, LabelWidth(tab->m_csLabel));
    tab->m_rect = tab3d::TabRect(position, along, across, length);
    along += length;
    if (!(GetStyle() & TWS_ACTIVE_SAME_SIZE) && m_bActiveTab && m_nActiveTab == i) {
      tab->m_rect = tab3d::GrowActive(position, tab->m_rect);
    }
    tab->m_nWidth = tab->m_rect.Width();
    tab->m_nHeight = tab->m_rect.Height();
  }
}

void SEC3DTabControl::ScrollToTab(int) {
  RecalcLayout();
  Invalidate();
}

void SEC3DTabControl::SettleLabels(int times) {
  if (!m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  for (int i = 0; i < times * GetTabCount(); ++i) OnSize(SIZE_RESTORED, client.Width(), client.Height());
}

SECTab* SEC3DTabControl::InsertTab(int nIndex, LPCTSTR lpszLabel, CWnd* pClient, DWORD dwExtra, DWORD dwExtra2) {
  const int index = PlaceTab(nIndex, lpszLabel, pClient, dwExtra, dwExtra2);
  SEC3DTab* tab = Get3DTab(index);
  tab->m_csFullLabel = tab->m_csLabel;
  RecalcLayout();
  InvalidateFrom(index);
  SettleLabels(3);
  Invalidate();
  return tab;
}

SECTab* SEC3DTabControl::AddTab(LPCTSTR lpszLabel, CWnd* pClient, DWORD dwExtra, DWORD dwExtra2) {
  // The full label is in place before the first layout looks at it.
  const int index = PlaceTab(GetTabCount(), lpszLabel, pClient, dwExtra, dwExtra2);
  SEC3DTab* tab = Get3DTab(index);
  tab->m_csFullLabel = tab->m_csLabel;
  RecalcLayout();
  InvalidateTab(index);
  SettleLabels(3);
  Invalidate();
  return tab;
}

void SEC3DTabControl::RenameTab(int nIndex, LPCTSTR lpszLabel) {
  if (!Valid(nIndex)) return;
  Get3DTab(nIndex)->m_csFullLabel = lpszLabel ? lpszLabel : "";
  SECTabControlBase::RenameTab(nIndex, lpszLabel);
}

void SEC3DTabControl::SetTabIcon(int nIndex, HICON hIcon) {
  if (!Valid(nIndex)) return;
  Get3DTab(nIndex)->m_hIcon = hIcon;
  // An icon changes the room every label needs: the shortest strip is measured again.
  m_nMeasuredCount = -1;
  RecalcLayout();
  InvalidateFrom(nIndex);
}

void SEC3DTabControl::LoadTabIcon(int nIndex, LPCTSTR lpszResource, int cx, int cy) {
  if (!Valid(nIndex)) return;
  HICON icon = static_cast<HICON>(::LoadImage(nullptr, lpszResource, IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
  if (!icon) return;
  m_loadedIcons.push_back(icon);
  SetTabIcon(nIndex, icon);
}

void SEC3DTabControl::LoadTabIcon(int nIndex, UINT nIDResource, int cx, int cy) {
  LoadTabIcon(nIndex, MAKEINTRESOURCE(nIDResource), cx, cy);
}

void SEC3DTabControl::EnableTab(int nIndex, BOOL bEnable) {
  if (!Valid(nIndex)) return;
  SEC3DTab* tab = Get3DTab(nIndex);
  if ((tab->m_bEnabled != FALSE) == (bEnable != FALSE)) return;
  tab->m_bEnabled = bEnable != FALSE;
  InvalidateTab(nIndex);
}

BOOL SEC3DTabControl::IsTabEnabled(int nIndex) const { return Valid(nIndex) && Get3DTab(nIndex)->m_bEnabled; }

BOOL SEC3DTabControl::ModifyTabStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  const BOOL changed = ModifyStyle(dwRemove, dwAdd, nFlags);
  if ((dwRemove | dwAdd) & TWS_TABS_POSITION) {
    m_nMeasuredCount = -1;
    CreateFonts(GetStyle());
    for (int i = 0; i < GetTabCount(); ++i) SendMessage(WM_SIZE, 0, 0);
  }
  return changed;
}

BOOL SEC3DTabControl::SetTabFont(CFont* pFont, int nKind, BOOL bRedraw) {
  if (nKind < 0 || nKind > 1 || !pFont) return FALSE;
  LOGFONT lf{};
  if (!pFont->GetLogFont(&lf)) return FALSE;
  lf.lfEscapement = lf.lfOrientation = tab3d::TextAngle(Position());
  return ReplaceTabFont(m_fonts[nKind], lf, nKind == 1, bRedraw);
}

void SEC3DTabControl::GetTabRect(int nIndex, CRect& rect) const {
  rect = Valid(nIndex) ? Get3DTab(nIndex)->m_rect : CRect();
}

void SEC3DTabControl::InvalidateTab(int nIndex) {
  if (!m_hWnd || !Valid(nIndex)) return;
  CRect r;
  GetTabRect(nIndex, r);
  r.InflateRect(0, 0, 1, 1);
  InvalidateRect(&r, TRUE);
}

int SEC3DTabControl::TabFromPoint(CPoint point) const {
  auto hit = [&](int i) { return Valid(i) && Get3DTab(i)->m_bEnabled && Get3DTab(i)->m_rect.PtInRect(point); };
  // The active tab stands over its neighbours where they meet.
  if (m_bActiveTab && hit(m_nActiveTab)) return m_nActiveTab;
  for (int i = 0; i < GetTabCount(); ++i) {
    if (hit(i)) return i;
  }
  return -1;
}

void SEC3DTabControl::OnLButtonDown(UINT, CPoint point) {
  const int index = TabFromPoint(point);
  if (index >= 0) {
    if (m_bActiveTab && m_nActiveTab == index) {
      NotifyActiveTabClicked();
    } else {
      ActivateTab(index);
    }
  }
  Default();
}

void SEC3DTabControl::OnLButtonDblClk(UINT, CPoint point) {
  const int index = TabFromPoint(point);
  if (index >= 0) NotifyParent(WM_TABDBLCLK, WPARAM(index));
}

void SEC3DTabControl::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (m_tabs.empty()) return;
  RecalcLayout();
  const int length = cx == 0 ? 1000 : Horizontal(Position()) ? cx : cy;
  if (std::abs(length - m_nLastLength) > kSettleJump) {
    for (int i = 0; i < 3 * GetTabCount(); ++i) RecalcLayout();
  }
  m_nLastLength = length;
}

INT_PTR SEC3DTabControl::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  const INT_PTR child = framework::child_tool_hit_test(this, point, pTI);
  if (child != -1) return child;
  if (m_bLabelsShown && !m_bShortened) return -1;
  for (int i = 0; i < GetTabCount(); ++i) {
    const SEC3DTab* tab = Get3DTab(i);
    if (!tab->m_rect.PtInRect(point)) continue;
    if (pTI) {
      pTI->hwnd = m_hWnd;
      pTI->uId = UINT_PTR(i + 1);
      pTI->rect = tab->m_rect;
      pTI->lpszText = const_cast<LPSTR>(static_cast<LPCTSTR>(tab->m_csFullLabel));
    }
    return i + 1;
  }
  return -1;
}

void SEC3DTabControl::FilterToolTip(UINT message, CPoint point) {
  if (!m_pToolTip) return;
  if (message == WM_MOUSEMOVE) {
    TOOLINFO info;
    const INT_PTR hit = OnToolHitTest(point, &info);
    if (hit != m_nLastTool) {
      if (m_nLastTool != -1) m_pToolTip->DelTool(this, UINT_PTR(m_nLastTool));
      if (hit != -1) m_pToolTip->AddTool(info);
      m_nLastTool = hit;
    }
  }
  MSG relayed{m_hWnd, message, 0, MAKELPARAM(point.x, point.y), 0, {point.x, point.y}};
  m_pToolTip->RelayEvent(&relayed);
}

LRESULT SEC3DTabControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (framework::is_tip_mouse_message(message)) FilterToolTip(message, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
  return SECTabControlBase::WindowProc(message, wParam, lParam);
}

// --- Painting -----------------------------------------------------------------------------------------

BOOL SEC3DTabControl::OnEraseBkgnd(CDC*) { return TRUE; }

void SEC3DTabControl::FillSolidRect(CDC* pDC, int x, int y, int cx, int cy, COLORREF colour) {
  pDC->FillSolidRect(x, y, cx, cy, colour);
}

// Far side at the bottom, open at the top (the page is above).
void SEC3DTabControl::DrawTabFrameBelow(CDC* pDC, SEC3DTab* pTab, DWORD) {
  const CRect r = pTab->m_rect;
  const SECToolkitGlobals& g = secData();
  FillSolidRect(pDC, r.left, r.top, 1, r.Height() - 2, RGB(255, 255, 255));
  FillSolidRect(pDC, r.left + 1, r.bottom - 2, 1, 1, RGB(255, 255, 255));
  FillSolidRect(pDC, r.left + 2, r.bottom - 1, r.Width() - 4, 1, RGB(0, 0, 0));
  FillSolidRect(pDC, r.left + 2, r.bottom - 2, r.Width() - 4, 1, g.clrBtnShadow);
  FillSolidRect(pDC, r.right - 1, r.top, 1, r.Height() - 2, RGB(0, 0, 0));
  FillSolidRect(pDC, r.right - 2, r.top, 1, r.Height() - 2, g.clrBtnShadow);
  FillSolidRect(pDC, r.right - 2, r.bottom - 2, 1, 1, RGB(0, 0, 0));
}

// Far side at the top, open at the bottom (the page is below).
void SEC3DTabControl::DrawTabFrameAbove(CDC* pDC, SEC3DTab* pTab, DWORD) {
  const CRect r = pTab->m_rect;
  const SECToolkitGlobals& g = secData();
  FillSolidRect(pDC, r.left + 2, r.top, r.Width() - 4, 1, RGB(255, 255, 255));
  FillSolidRect(pDC, r.left + 1, r.top + 1, 1, 1, RGB(255, 255, 255));
  FillSolidRect(pDC, r.left, r.top + 2, 1, r.Height() - 2, RGB(255, 255, 255));
  FillSolidRect(pDC, r.right - 1, r.top + 2, 1, r.Height() - 2, RGB(0, 0, 0));
  FillSolidRect(pDC, r.right - 2, r.top + 1, 1, 1, RGB(0, 0, 0));
  FillSolidRect(pDC, r.right - 2, r.top + 2, 1, r.Height() - 2, g.clrBtnShadow);
}

// Far side at the left, open at the right (the page is right of the tabs).
void SEC3DTabControl::DrawTabFrameLeft(CDC* pDC, SEC3DTab* pTab, DWORD) {
  const CRect r = pTab->m_rect;
  const SECToolkitGlobals& g = secData();
  FillSolidRect(pDC, r.left + 2, r.top, r.Width() - 2, 1, RGB(255, 255, 255));
  FillSolidRect(pDC, r.left + 1, r.top + 1, 1, 1, RGB(255, 255, 255));
  FillSolidRect(pDC, r.left, r.top + 2, 1, r.Height() - 4, RGB(255, 255, 255));
  FillSolidRect(pDC, r.left + 1, r.bottom - 2, 1, 1, RGB(0, 0, 0));
  FillSolidRect(pDC, r.left + 2, r.bottom - 1, r.Width() - 2, 1, RGB(0, 0, 0));
  FillSolidRect(pDC, r.left + 2, r.bottom - 2, r.Width() - 2, 1, g.clrBtnShadow);
}

// Far side at the right, open at the left (the page is left of the tabs).
void SEC3DTabControl::DrawTabFrameRight(CDC* pDC, SEC3DTab* pTab, DWORD) {
  const CRect r = pTab->m_rect;
  const SECToolkitGlobals& g = secData();
  FillSolidRect(pDC, r.left, r.top, r.Width() - 2, 1, RGB(255, 255, 255));
  FillSolidRect(pDC, r.right - 2, r.top + 1, 1, 1, RGB(0, 0, 0));
  FillSolidRect(pDC, r.right - 1, r.top + 2, 1, r.Height() - 4, RGB(0, 0, 0));
  FillSolidRect(pDC, r.right - 2, r.top + 2, 1, r.Height() - 4, g.clrBtnShadow);
  FillSolidRect(pDC, r.right - 2, r.bottom - 2, 1, 1, RGB(0, 0, 0));
  FillSolidRect(pDC, r.left, r.bottom - 1, r.Width() - 2, 1, RGB(0, 0, 0));
  FillSolidRect(pDC, r.left, r.bottom - 2, r.Width() - 2, 1, g.clrBtnShadow);
}

void SEC3DTabControl::DrawTabContent(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle) {
  const DWORD position = dwStyle;
  const bool icon = pTab->m_hIcon != nullptr;
  const CString label = m_bLabelsShown ? pTab->m_csLabel : CString();
  const CSize extent = label.IsEmpty() ? CSize(0, 0) : pDC->GetTextExtent(label);
  const CRect r = pTab->m_rect;
  auto draw = [&](CDC* dc, CPoint shift) {
    CRect tab = r;
    tab.OffsetRect(shift);
    if (icon) {
      const CPoint at = tab3d::IconOrigin(position, tab);
      ::DrawIconEx(dc->m_hDC, at.x, at.y, pTab->m_hIcon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    }
    if (!label.IsEmpty()) {
      const CPoint at = tab3d::LabelOrigin(position, tab, extent, icon);
      // The label stays inside its tab, after the icon.
      CRect clip = tab;
      clip.DeflateRect(1, 1);
      dc->ExtTextOut(at.x, at.y, ETO_CLIPPED, &clip, label, nullptr);
    }
  };
  if (pTab->m_bEnabled) {
    draw(pDC, CPoint(0, 0));
    return;
  }
  // A disabled tab is drawn off screen on the button face, then embossed.
  const int w = r.Width() + 5, h = r.Height() + 5;
  CDC mem;
  mem.CreateCompatibleDC(pDC);
  CBitmap image;
  image.CreateCompatibleBitmap(pDC, w, h);
  CBitmap* oldBitmap = mem.SelectObject(&image);
  mem.FillSolidRect(0, 0, w, h, secData().clrBtnFace);
  mem.SetBkMode(TRANSPARENT);
  mem.SetTextColor(RGB(0, 0, 0));
  CFont* oldFont = mem.SelectObject(pDC->GetCurrentFont());
  draw(&mem, CPoint(-r.left, -r.top));
  DrawDisabled(&mem, w, h);
  pDC->BitBlt(r.left + 1, r.top + 1, r.Width() - 2, r.Height() - 2, &mem, 1, 1, SRCCOPY);
  mem.SelectObject(oldFont);
  mem.SelectObject(oldBitmap);
}

void SEC3DTabControl::DrawDisabled(CDC* pDC, int nWidth, int nHeight) {
  const SECToolkitGlobals& g = secData();
  // The shape: every pixel that is neither button face nor button highlight.
  CDC mono;
  mono.CreateCompatibleDC(pDC);
  CBitmap mask;
  mask.CreateBitmap(nWidth, nHeight, 1, 1, nullptr);
  CBitmap* oldMask = mono.SelectObject(&mask);
  const COLORREF oldBk = pDC->SetBkColor(g.clrBtnFace);
  mono.BitBlt(0, 0, nWidth, nHeight, pDC, 0, 0, SRCCOPY);
  pDC->SetBkColor(g.clrBtnHilite);
  mono.BitBlt(0, 0, nWidth, nHeight, pDC, 0, 0, SRCPAINT);
  pDC->FillSolidRect(0, 0, nWidth, nHeight, g.clrBtnFace);
  pDC->SetBkColor(RGB(255, 255, 255));
  const COLORREF oldText = pDC->SetTextColor(RGB(0, 0, 0));
  CBrush hilite(g.clrBtnHilite), shadow(g.clrBtnShadow);
  CBrush* oldBrush = pDC->SelectObject(&hilite);
  pDC->BitBlt(1, 1, nWidth - 1, nHeight - 1, &mono, 0, 0, kPatternThroughBlack);
  pDC->SelectObject(&shadow);
  pDC->BitBlt(0, 0, nWidth, nHeight, &mono, 0, 0, kPatternThroughBlack);
  pDC->SelectObject(oldBrush);
  pDC->SetTextColor(oldText);
  pDC->SetBkColor(oldBk);
  mono.SelectObject(oldMask);
}

void SEC3DTabControl::DrawTab(CDC* pDC, int nIndex) {
  SEC3DTab* tab = Get3DTab(nIndex);
  const CRect r = tab->m_rect;
  pDC->FillSolidRect(&r, secData().clrBtnFace);
  switch (Position()) {
    case TWS_TABS_BELOW: DrawTabFrameBelow(pDC, tab, TWS_TABS_BELOW); break;
    case TWS_TABS_ABOVE: DrawTabFrameAbove(pDC, tab, TWS_TABS_ABOVE); break;
    case TWS_TABS_LEFT: DrawTabFrameLeft(pDC, tab, TWS_TABS_LEFT); break;
    default: DrawTabFrameRight(pDC, tab, TWS_TABS_RIGHT); break;
  }
  DrawTabContent(pDC, tab, Position());
}

void SEC3DTabControl::OnPaint() {
  CPaintDC dc(this);
  CRect client, clip;
  GetClientRect(&client);
  dc.GetClipBox(&clip);
  if (client.IsRectEmpty()) return;
  CDC mem;
  mem.CreateCompatibleDC(&dc);
  CBitmap image;
  image.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
  CBitmap* oldBitmap = mem.SelectObject(&image);
  const SECToolkitGlobals& g = secData();
  mem.FillSolidRect(&client, g.clrBtnFace);
  mem.SetBkMode(TRANSPARENT);
  mem.SetTextColor(m_clrText[0]);
  CFont* oldFont = mem.SelectObject(&m_fonts[0]);
  CPen* oldPen = mem.SelectObject(&m_pens[0]);
  for (int i = 0; i < GetTabCount(); ++i) {
    if (!(m_bActiveTab && i == m_nActiveTab)) DrawTab(&mem, i);
  }
  // The edge where the strip meets the page.
  const COLORREF edge[4] = {RGB(255, 255, 255), g.clrBtnFace, g.clrBtnShadow, RGB(0, 0, 0)};
  const DWORD raw = GetStyle() & TWS_TABS_POSITION;
  for (int k = 0; k < 4; ++k) {
    switch (raw) {
      case TWS_TABS_BELOW: mem.FillSolidRect(0, k, client.Width(), 1, edge[k]); break;
      case TWS_TABS_ABOVE: mem.FillSolidRect(0, client.bottom - 4 + k, client.Width(), 1, edge[k]); break;
      case TWS_TABS_LEFT: mem.FillSolidRect(client.right - 4 + k, 0, 1, client.Height(), edge[k]); break;
      case TWS_TABS_RIGHT: mem.FillSolidRect(k, 0, 1, client.Height(), edge[k]); break;
      default: break;
    }
  }
  if (m_bActiveTab && Valid(m_nActiveTab)) {
    CRect active, meet;
    GetTabRect(m_nActiveTab, active);
    if (meet.IntersectRect(active, clip)) {
      mem.SetTextColor(m_clrText[1]);
      mem.SelectObject(&m_fonts[1]);
      mem.SelectObject(&m_pens[1]);
      DrawTab(&mem, m_nActiveTab);
    }
  }
  dc.BitBlt(0, 0, client.Width(), client.Height(), &mem, 0, 0, SRCCOPY);
  mem.SelectObject(oldPen);
  mem.SelectObject(oldFont);
  mem.SelectObject(oldBitmap);
}
