#include "controls/gs_toolbar_edit_btn.h"

#include <algorithm>

#include "platform/win/messages.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_api.h"
#include "platform/win/window_dc.h"

IMPLEMENT_DYNAMIC(CGSToolbarEditBtnDataCache, CObject)
IMPLEMENT_DYNAMIC(CGSToolbarEditBtn, CWnd)

namespace {

// The button type of a toolbar field.
constexpr int kFieldButtonType = 9;
// The child id every read-out and label carries.
constexpr UINT kReadOutId = 2;
constexpr const char* kLabelX = "X = ";
constexpr const char* kLabelY = "Y = ";
constexpr int kMargin = 2;
constexpr int kRowHeight = 10;  // the least height of a row
constexpr int kMinLabelWidth = 16;
constexpr int kLabelGap = 4;
constexpr int kSecondRowWithoutLabels = 11;
// Pixels to a read-out unit at scale 1; the picture sheets pass their zoom as the scale.
constexpr double kPixelsPerUnit = 150.0;

SECStdBtn* CreateField() { return new CGSToolbarEditBtn; }

}  // namespace

// --- Descriptions ----------------------------------------------------------------------------------

CGSToolbarEditBtnDataCache& CGSToolbarEditBtnDataCache::Instance() {
  static CGSToolbarEditBtnDataCache cache;
  return cache;
}

void CGSToolbarEditBtnDataCache::Add(std::unique_ptr<CGSToolbarEditBtnData> pData) {
  if (pData) m_records.push_back(std::move(pData));
}

int CGSToolbarEditBtnDataCache::FindLabels(UINT nID) const {
  int labels = 0;
  for (const auto& record : m_records) {
    if (record->nID == int(nID)) labels = record->bLabels;
  }
  return labels;
}

// --- Geometry --------------------------------------------------------------------------------------

namespace toolbar_field {

CString PositionText(int value, float scale) {
  CString text;
  text.Format("%3.2f cm", double(value) * double(scale) / kPixelsPerUnit);
  return text;
}

Layout FieldLayout(const CRect& client, int buttonHeight, int labelWidth, int leading) {
  const bool labels = labelWidth > 0;
  labelWidth = std::max(labelWidth, kMinLabelWidth);
  CRect inner(client);
  inner.DeflateRect(kMargin, kMargin);
  const int second = labels ? client.top + buttonHeight / 2 : client.top + kSecondRowWithoutLabels;
  const int first = inner.top - std::clamp(leading, 0, kMargin);
  const int firstBottom = std::max(second, first + 1);
  const int secondBottom = std::max(client.bottom, second + kRowHeight);
  Layout out;
  const auto row = [&](int top, int bottom, CRect& label, CRect& value) {
    if (labels) {
      label = CRect(inner.left, top, inner.left + labelWidth, bottom);
      value = CRect(inner.left + labelWidth + kLabelGap, top, inner.right, bottom);
    } else {
      label = CRect();
      value = CRect(inner.left, top, inner.right, bottom);
    }
  };
  row(first, firstBottom, out.labelX, out.valueX);
  row(second, secondBottom, out.labelY, out.valueY);
  return out;
}

}  // namespace toolbar_field

// --- The field -------------------------------------------------------------------------------------

HFONT CGSToolbarEditBtn::s_hFieldFont = nullptr;

const SECButtonClass CGSToolbarEditBtn::buttonClassCGSToolbarEditBtn = {&CreateField};

CGSToolbarEditBtn::CGSToolbarEditBtn() { m_nType = kFieldButtonType; }

CGSToolbarEditBtn::~CGSToolbarEditBtn() {
  if (m_hWnd) DestroyWindow();
}

HFONT CGSToolbarEditBtn::GetFieldFont() {
  return s_hFieldFont ? s_hFieldFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

BOOL CGSToolbarEditBtn::CreateWnd(CWnd* pParentBar, DWORD dwStyle, const CRect& rect, UINT nID) {
  if (!CreateEx(0, nullptr, nullptr, (dwStyle | WS_CHILD) & ~WS_BORDER, rect, pParentBar, nID)) return FALSE;
  CFont* font = CFont::FromHandle(GetFieldFont());
  SetFont(font, FALSE);
  m_bLabels = CGSToolbarEditBtnDataCache::Instance().FindLabels(m_nID);
  RecalcSize();
  const CRect none(0, 0, 0, 0);
  if (!m_valueX.Create("", WS_CHILD | WS_VISIBLE, none, this, kReadOutId) ||
      !m_valueY.Create("", WS_CHILD | WS_VISIBLE, none, this, kReadOutId)) {
    return FALSE;
  }
  m_valueX.SetFont(font, FALSE);
  m_valueY.SetFont(font, FALSE);
  if (m_bLabels) {
    if (!m_labelX.Create(kLabelX, WS_CHILD | WS_VISIBLE | SS_RIGHT, none, this, kReadOutId) ||
        !m_labelY.Create(kLabelY, WS_CHILD | WS_VISIBLE | SS_RIGHT, none, this, kReadOutId)) {
      return FALSE;
    }
    m_labelX.SetFont(font, FALSE);
    m_labelY.SetFont(font, FALSE);
  }
  PlaceReadOuts();
  return TRUE;
}

void CGSToolbarEditBtn::SetCollapsed(BOOL bCollapsed) {
  SECWndBtn::SetCollapsed(bCollapsed);
  RecalcSize();
}

void CGSToolbarEditBtn::RecalcSize() {
  SECWndBtn::RecalcSize();
  if (!m_hWnd) return;
  CRect now;
  CWnd::GetWindowRect(&now);
  if (now.Width() != m_cx || now.Height() != m_cy) {
    SetWindowPos(nullptr, 0, 0, m_cx, m_cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CWnd::Invalidate(TRUE);
  }
  // A collapsed field (a bar docked at a side) stays hidden; the bar draws it as a plain button.
  if (m_bShown && !(m_nStyle & SEC_TBBS_HIDDEN) && !(CWnd::GetStyle() & WS_VISIBLE)) ShowWindow(SW_SHOWNA);
}

void CGSToolbarEditBtn::PlaceReadOuts() {
  if (!m_valueX.m_hWnd || !m_valueY.m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  int labelWidth = 0, leading = 0;
  MeasureFont(labelWidth, leading);
  const toolbar_field::Layout layout = toolbar_field::FieldLayout(client, m_cy, m_bLabels ? labelWidth : 0, leading);
  const auto place = [](CStatic& control, const CRect& r) {
    if (control.m_hWnd) control.MoveWindow(r, TRUE);
  };
  place(m_labelX, layout.labelX);
  place(m_valueX, layout.valueX);
  place(m_labelY, layout.labelY);
  place(m_valueY, layout.valueY);
}

void CGSToolbarEditBtn::MeasureFont(int& labelWidth, int& leading) {
  CClientDC dc(this);
  CFont* old = dc.SelectObject(CFont::FromHandle(GetFieldFont()));
  labelWidth = 0;
  for (const char* label : {kLabelX, kLabelY}) labelWidth = std::max(labelWidth, int(dc.GetTextExtent(label).cx));
  TEXTMETRIC tm{};
  dc.GetTextMetrics(&tm);
  leading = tm.tmInternalLeading;
  dc.SelectObject(old);
}

void CGSToolbarEditBtn::EnableFields(BOOL bEnable) {
  if (!bEnable) {
    if (m_valueX.m_hWnd) m_valueX.SetWindowText("");
    if (m_valueY.m_hWnd) m_valueY.SetWindowText("");
  }
  for (CStatic* control : {&m_labelX, &m_valueX, &m_labelY, &m_valueY}) {
    if (!control->m_hWnd) continue;
    control->EnableWindow(bEnable);
    control->Invalidate();  // the greyed or the normal letters show at once
  }
}

void CGSToolbarEditBtn::SetPosition(int x, int y, float scale) {
  if (m_valueX.m_hWnd) m_valueX.SetWindowText(toolbar_field::PositionText(x, scale));
  if (m_valueY.m_hWnd) m_valueY.SetWindowText(toolbar_field::PositionText(y, scale));
}

CString CGSToolbarEditBtn::GetXText() const {
  CString text;
  if (m_valueX.m_hWnd) m_valueX.GetWindowText(text);
  return text;
}

CString CGSToolbarEditBtn::GetYText() const {
  CString text;
  if (m_valueY.m_hWnd) m_valueY.GetWindowText(text);
  return text;
}

BOOL CGSToolbarEditBtn::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (CWnd* bar = GetParent()) bar->SendMessage(WM_COMMAND, MAKEWPARAM(m_nID, HIWORD(wParam)), lParam);
  return TRUE;
}

LRESULT CGSToolbarEditBtn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT:
    case WM_GETTEXT: {
      // The field's text is a read-out's: the X value with a nonzero wParam, else the Y value.
      CStatic& target = wParam ? m_valueX : m_valueY;
      return target.m_hWnd ? target.SendMessage(message, wParam, lParam) : 0;
    }
    case WM_SIZE:
      PlaceReadOuts();
      break;
    case WM_CTLCOLORSTATIC:
      // The read-outs and labels sit on the field's own window colour.
      ::SetBkColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_WINDOW));
      return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
    case WM_LBUTTONDOWN:
      if (OnHostedLButtonDown(UINT(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) return 0;
      break;
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      if (IsBarCustomizing()) return 0;
      break;
    case WM_PAINT: {
      RecalcSize();
      InvalidateHostedWnd();
      const LRESULT r = CWnd::WindowProc(message, wParam, lParam);
      DrawSizingFrame();
      return r;
    }
    case WM_SETCURSOR: {
      POINT p;
      ::GetCursorPos(&p);
      ScreenToClient(&p);
      if (HandleSetCursor(p)) return TRUE;
      break;
    }
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      if (pos) {
        pos->cx = m_cx;
        pos->cy = m_cy;
      }
      break;
    }
    default:
      break;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}
