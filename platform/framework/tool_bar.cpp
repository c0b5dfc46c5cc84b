#include "platform/framework/tool_bar.h"

#include <algorithm>
#include <cstring>

#include "platform/framework/control_messages.h"
#include "platform/framework/frame_wnd.h"
#include "platform/res/resource_store.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/system_metrics.h"

using framework::toolbar::Button;
using framework::toolbar::Flow;
using framework::toolbar::ImageStrip;

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_CANCELMODE()
  ON_WM_CAPTURECHANGED()
  ON_WM_TIMER()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

// Room the grip takes at the start of a docked bar: its two-pixel gap, three-pixel ridge and a
// two-pixel gap before the first button.
constexpr int kGripperRoom = 7;
// While the mouse may have left the bar, this timer looks where it is.
constexpr UINT_PTR kLeaveTimer = 0xE001;
constexpr UINT kLeaveCheckMs = 100;
// The longest tip a tool-tip text record holds, without its terminating zero.
constexpr size_t kTipLength = sizeof(TOOLTIPTEXT::szText) - 1;

const char* toolbar_class() {
  static const char* name = [] {
    WNDCLASS wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "ToolbarWindow32";
    RegisterClass(&wc);
    return wc.lpszClassName;
  }();
  return name;
}

bool in_check_group(const Button& b) { return (b.nStyle & TBBS_CHECKGROUP) == TBBS_CHECKGROUP && !b.separator(); }

// Update-UI of one toolbar button: enabling, checking and marking change the button's state bits.
class CToolCmdUI : public CCmdUI {
 public:
  explicit CToolCmdUI(CToolBar* bar) : bar_(bar) {}

  void Enable(BOOL bOn) override {
    UINT style = bar_->GetButtonStyle(int(m_nIndex)) & ~TBBS_DISABLED;
    // A button disabled while it is held down is let go.
    if (!bOn) style = (style | TBBS_DISABLED) & ~TBBS_PRESSED;
    bar_->SetButtonStyle(int(m_nIndex), style);
    m_bEnableChanged = TRUE;
  }
  // 0 unchecked, 1 checked, 2 indeterminate; the button becomes a check button.
  void SetCheck(int nCheck) override {
    UINT style = bar_->GetButtonStyle(int(m_nIndex)) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
    if (nCheck == 1) style |= TBBS_CHECKED;
    if (nCheck == 2) style |= TBBS_INDETERMINATE;
    bar_->SetButtonStyle(int(m_nIndex), style | TBBS_CHECKBOX);
  }
  void SetText(LPCTSTR) override {}

 private:
  CToolBar* bar_;
};

}  // namespace

CToolBar::CToolBar() {
  // Top and bottom borders a little deeper than a plain bar's, for grabbing.
  m_cyTopBorder = 3;
  m_cyBottomBorder = 3;
}

CToolBar::~CToolBar() = default;

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  return CreateEx(pParentWnd, 0, dwStyle, CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder),
                  nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID) {
  SetBorders(rcBorders.left, rcBorders.top, rcBorders.right, rcBorders.bottom);
  // The bar keeps the CBRS_ bits; the window gets the rest and the toolbar control styles.
  m_dwStyle = dwStyle & CBRS_ALL;
  DWORD window_style = (dwStyle & ~CBRS_ALL) | (dwCtrlStyle & 0xFFFF) | WS_CHILD;
  return CWnd::CreateEx(0, toolbar_class(), nullptr, window_style, CRect(0, 0, 0, 0), pParentWnd, nID);
}

// --- Buttons ------------------------------------------------------------------------------------

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
  if (sizeButton.cx <= 0 || sizeButton.cy <= 0 || sizeImage.cx <= 0 || sizeImage.cy <= 0 ||
      sizeImage.cx > sizeButton.cx || sizeImage.cy > sizeButton.cy) {
    return;
  }
  m_sizeButton = sizeButton;
  m_sizeImage = sizeImage;
  Layout();
}

void CToolBar::SetHeight(int cyHeight) {
  // The room the bar's edges take besides these two borders.
  m_cyTopBorder = 0;
  m_cyBottomBorder = 0;
  CRect inside(0, 0, 1000, 1000);
  CControlBar::CalcInsideRect(inside, TRUE);
  int edges = 1000 - inside.Height();
  int spare = std::max(0, cyHeight - edges - int(m_sizeButton.cy));
  m_cyBottomBorder = spare / 2;
  m_cyTopBorder = spare - m_cyBottomBorder;
  Layout();
}

BOOL CToolBar::LoadToolBar(UINT nIDResource) {
  const res::ToolBarResource* strip = res::find_toolbar(nIDResource);
  if (!strip || strip->button_width <= 0 || strip->button_height <= 0) return FALSE;
  if (!m_images.load(res::find_binary(res::BinaryKind::bitmap, nIDResource))) return FALSE;
  std::vector<UINT> ids(strip->commands.begin(), strip->commands.end());
  SetButtons(ids.data(), int(ids.size()));
  // The resource gives the image size; buttons leave room for the edges and the pressed shift.
  CSize image(strip->button_width, strip->button_height);
  SetSizes(image + CSize(7, 7), image);
  return TRUE;
}

BOOL CToolBar::LoadBitmap(UINT nIDResource) {
  if (!m_images.load(res::find_binary(res::BinaryKind::bitmap, nIDResource))) return FALSE;
  if (m_hWnd) Invalidate();
  return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
  if (nIDCount < 0) return FALSE;
  EndPress();
  MouseLeft();
  m_buttons.assign(size_t(nIDCount), Button{ID_SEPARATOR, TBBS_SEPARATOR, framework::toolbar::kSeparatorWidth});
  int image = 0;
  for (int i = 0; lpIDArray && i < nIDCount; ++i) {
    if (lpIDArray[i] != ID_SEPARATOR) m_buttons[size_t(i)] = Button{lpIDArray[i], TBBS_BUTTON, image++};
  }
  m_nCount = nIDCount;
  Layout();
  return TRUE;
}

int CToolBar::CommandToIndex(UINT nIDFind) const {
  for (size_t i = 0; i < m_buttons.size(); ++i) {
    if (m_buttons[i].nID == nIDFind) return int(i);
  }
  return -1;
}

UINT CToolBar::GetItemID(int nIndex) const { return valid(nIndex) ? m_buttons[size_t(nIndex)].nID : 0; }

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  if (!lpRect) return;
  *lpRect = valid(nIndex) && size_t(nIndex) < m_rects.size() ? m_rects[size_t(nIndex)] : CRect(0, 0, 0, 0);
}

UINT CToolBar::GetButtonStyle(int nIndex) const { return valid(nIndex) ? m_buttons[size_t(nIndex)].nStyle : 0; }

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle) {
  if (!valid(nIndex)) return;
  Button& b = m_buttons[size_t(nIndex)];
  UINT old = b.nStyle;
  if (old == nStyle) return;
  b.nStyle = nStyle;
  if (nStyle & TBBS_DISABLED) {
    if (m_nPressed == nIndex) EndPress();
    if (m_nHot == nIndex) SetHot(-1);
  }
  if ((old ^ nStyle) & (TBBS_SEPARATOR | TBBS_WRAPPED | TBBS_HIDDEN)) {
    Layout();
  } else {
    InvalidateButton(nIndex);
  }
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const {
  if (!valid(nIndex)) {
    nID = 0;
    nStyle = 0;
    iImage = 0;
    return;
  }
  const Button& b = m_buttons[size_t(nIndex)];
  nID = b.nID;
  nStyle = b.nStyle;
  iImage = b.iImage;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage) {
  if (!valid(nIndex)) return;
  if (m_nPressed == nIndex) EndPress();
  m_buttons[size_t(nIndex)] = Button{nID, nStyle, iImage};
  Layout();
}

// --- Update-UI ----------------------------------------------------------------------------------

void CToolBar::UpdateButtons(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  CToolCmdUI state(this);
  // Handlers may change the buttons, so the count is read each time.
  for (size_t i = 0; i < m_buttons.size(); ++i) {
    if (m_buttons[i].separator()) continue;
    state.m_nIndex = UINT(i);
    state.m_nIndexMax = UINT(m_buttons.size());
    state.m_nID = m_buttons[i].nID;
    state.DoUpdate(pTarget, bDisableIfNoHndler);
  }
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  UpdateButtons(pTarget, bDisableIfNoHndler);
}

// --- Layout -------------------------------------------------------------------------------------

Flow CToolBar::CurrentFlow() const {
  if (m_dwStyle & CBRS_FLOATING) return Flow::wrapped;
  if (m_dwStyle & CBRS_ORIENT_VERT) return Flow::column;
  return (m_dwStyle & CBRS_ORIENT_HORZ) ? Flow::row : Flow::wrapped;
}

void CToolBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
  CControlBar::CalcInsideRect(rect, bHorz);
  if ((m_dwStyle & CBRS_GRIPPER) && !(m_dwStyle & CBRS_FLOATING)) {
    if (bHorz) {
      rect.left += kGripperRoom;
    } else {
      rect.top += kGripperRoom;
    }
  }
}

CSize CToolBar::Edges(BOOL bHorz, bool floating) const {
  CRect inside(0, 0, 10000, 10000);
  CControlBar::CalcInsideRect(inside, bHorz);
  // Floating bars have no grip.
  if ((m_dwStyle & CBRS_GRIPPER) && !floating) {
    if (bHorz) {
      inside.left += kGripperRoom;
    } else {
      inside.top += kGripperRoom;
    }
  }
  return CSize(10000 - inside.Width(), 10000 - inside.Height());
}

CSize CToolBar::SizeFor(Flow flow, BOOL bHorz, bool floating, const std::vector<Button>& buttons) const {
  return framework::toolbar::arrange(buttons, m_sizeButton, flow).extent + Edges(bHorz, floating);
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  bool floating = IsFloating() != FALSE;
  Flow flow = floating ? Flow::wrapped : (bHorz ? Flow::row : Flow::column);
  CSize size = SizeFor(flow, bHorz || floating, floating, m_buttons);
  if (bStretch) {
    if (bHorz) {
      size.cx = 32767;
    } else {
      size.cy = 32767;
    }
  }
  return size;
}

CSize CToolBar::CalcDynamicLayout(int nLength, DWORD nMode) {
  if (nMode & (LM_HORZDOCK | LM_VERTDOCK)) {
    // Docked: one row or one column, whatever the length.
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZDOCK) != 0);
  }
  // Floating: rows as wide as asked, as the last floating width, or as narrow as a height allows.
  CSize edges = Edges(TRUE, true);
  int width = nLength;
  if ((nMode & LM_MRUWIDTH) || nLength < 0) {
    width = m_nMRUWidth;
  } else if (nMode & LM_LENGTHY) {
    width = framework::toolbar::width_for_height(m_buttons, m_sizeButton, nLength - int(edges.cy)) + int(edges.cx);
  }
  std::vector<Button> trial = m_buttons;
  framework::toolbar::wrap(trial, m_sizeButton, width - int(edges.cx));
  CSize size = SizeFor(Flow::wrapped, TRUE, true, trial);
  if (nMode & LM_COMMIT) {
    m_nMRUWidth = int(size.cx);
    for (size_t i = 0; i < m_buttons.size(); ++i) {
      m_buttons[i].nStyle = (m_buttons[i].nStyle & ~TBBS_WRAPPED) | (trial[i].nStyle & TBBS_WRAPPED);
    }
    Layout();
  }
  return size;
}

void CToolBar::SetBarStyle(DWORD dwStyle) {
  DWORD old = m_dwStyle;
  CControlBar::SetBarStyle(dwStyle);
  if ((old ^ dwStyle) & (CBRS_ALIGN_ANY | CBRS_FLOATING | CBRS_GRIPPER | CBRS_BORDER_ANY)) Layout();
  if (!(dwStyle & (CBRS_TOOLTIPS | CBRS_FLYBY))) MouseLeft();
}

void CToolBar::Layout() {
  m_rects.assign(m_buttons.size(), CRect(0, 0, 0, 0));
  if (!m_hWnd) return;
  Flow flow = CurrentFlow();
  CRect inside;
  GetClientRect(&inside);
  CalcInsideRect(inside, flow != Flow::column);
  framework::toolbar::Arrangement placed = framework::toolbar::arrange(m_buttons, m_sizeButton, flow);
  for (size_t i = 0; i < placed.rects.size(); ++i) {
    if (!placed.rects[i].IsRectEmpty()) m_rects[i] = placed.rects[i] + inside.TopLeft();
  }
  PlaceItemWindows(flow);
  Invalidate();
}

void CToolBar::PlaceItemWindows(Flow flow) {
  for (size_t i = 0; i < m_buttons.size() && i < m_rects.size(); ++i) {
    const Button& b = m_buttons[i];
    if (!b.separator() || b.nID == ID_SEPARATOR) continue;
    HWND item = ::GetDlgItem(m_hWnd, int(b.nID));
    if (!item) continue;
    const CRect& place = m_rects[i];
    bool room = flow != Flow::column && !place.IsRectEmpty() && place.Width() == b.iImage;
    auto hidden = std::find(m_hiddenItemWindows.begin(), m_hiddenItemWindows.end(), item);
    if (!room) {
      if (::IsWindowVisible(item)) {
        ::ShowWindow(item, SW_HIDE);
        if (hidden == m_hiddenItemWindows.end()) m_hiddenItemWindows.push_back(item);
      }
      continue;
    }
    CRect now;
    ::GetWindowRect(item, &now);
    ScreenToClient(&now);
    if (now.TopLeft() != place.TopLeft() || now.Width() != place.Width()) {
      ::SetWindowPos(item, nullptr, place.left, place.top, place.Width(), now.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (hidden != m_hiddenItemWindows.end()) {
      m_hiddenItemWindows.erase(hidden);
      ::ShowWindow(item, SW_SHOWNA);
    }
  }
}

void CToolBar::OnSize(UINT nType, int cx, int cy) {
  CControlBar::OnSize(nType, cx, cy);
  Layout();
}

// --- Drawing ------------------------------------------------------------------------------------

void CToolBar::InvalidateButton(int nIndex) {
  if (m_hWnd && valid(nIndex) && size_t(nIndex) < m_rects.size()) InvalidateRect(&m_rects[size_t(nIndex)], TRUE);
}

void CToolBar::DoPaint(CDC* pDC) {
  CControlBar::DoPaint(pDC);
  for (size_t i = 0; i < m_buttons.size() && i < m_rects.size(); ++i) {
    if (!m_rects[i].IsRectEmpty() && pDC->RectVisible(&m_rects[i])) DrawButton(pDC, int(i));
  }
}

void CToolBar::DrawSeparator(CDC* pDC, const CRect& rect, bool across) const {
  // Flat bars etch a line through the middle of the gap; raised buttons need none.
  if (!(GetStyle() & TBSTYLE_FLAT)) return;
  COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  if (across) {
    int y = rect.top + rect.Height() / 2 - 1;
    pDC->FillSolidRect(rect.left, y, rect.Width(), 1, shadow);
    pDC->FillSolidRect(rect.left, y + 1, rect.Width(), 1, light);
  } else {
    int x = rect.left + rect.Width() / 2 - 1;
    pDC->FillSolidRect(x, rect.top, 1, rect.Height(), shadow);
    pDC->FillSolidRect(x + 1, rect.top, 1, rect.Height(), light);
  }
}

void CToolBar::DrawButton(CDC* pDC, int nIndex) {
  const Button& b = m_buttons[size_t(nIndex)];
  CRect rect = m_rects[size_t(nIndex)];
  if (b.separator()) {
    DrawSeparator(pDC, rect, rect.Width() > rect.Height());
    return;
  }
  bool flat = (GetStyle() & TBSTYLE_FLAT) != 0;
  bool disabled = (b.nStyle & TBBS_DISABLED) != 0;
  bool down = (b.nStyle & (TBBS_PRESSED | TBBS_CHECKED)) != 0;
  bool hot = flat && nIndex == m_nHot && !disabled;
  COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), dark = GetSysColor(COLOR_3DDKSHADOW);
  pDC->FillSolidRect(&rect, face);
  // Checked (not held down) and indeterminate buttons show a dither of face and highlight.
  bool dithered = ((b.nStyle & TBBS_CHECKED) && !(b.nStyle & TBBS_PRESSED) && !hot) ||
                  (b.nStyle & TBBS_INDETERMINATE);
  if (dithered) {
    CRect inner(rect);
    inner.DeflateRect(flat ? 1 : 2, flat ? 1 : 2);
    int saved = pDC->SaveDC();
    // The halftone brush's black pixels take the text colour, its white ones the background's.
    pDC->SetTextColor(face);
    pDC->SetBkColor(light);
    pDC->SelectObject(CDC::GetHalftoneBrush());
    pDC->PatBlt(inner.left, inner.top, inner.Width(), inner.Height(), PATCOPY);
    pDC->RestoreDC(saved);
  }
  if (flat) {
    if (down) {
      pDC->Draw3dRect(&rect, shadow, light);
    } else if (hot) {
      pDC->Draw3dRect(&rect, light, shadow);
    }
  } else {
    CRect inner(rect);
    inner.DeflateRect(1, 1);
    if (down) {
      pDC->Draw3dRect(&rect, dark, light);
      pDC->Draw3dRect(&inner, shadow, face);
    } else {
      pDC->Draw3dRect(&rect, light, dark);
      pDC->Draw3dRect(&inner, face, shadow);
    }
  }
  CPoint at(rect.left + (rect.Width() - int(m_sizeImage.cx)) / 2, rect.top + (rect.Height() - int(m_sizeImage.cy)) / 2);
  if (down) at += CPoint(1, 1);
  ImageStrip::Look look = disabled                                ? ImageStrip::Look::disabled
                          : (b.nStyle & TBBS_INDETERMINATE) != 0 ? ImageStrip::Look::indeterminate
                                                                  : ImageStrip::Look::normal;
  m_images.draw(pDC, b.iImage, m_sizeImage, at, look);
}

// --- Mouse --------------------------------------------------------------------------------------

void CToolBar::SetHot(int nIndex) {
  if (nIndex == m_nHot) return;
  InvalidateButton(m_nHot);
  m_nHot = nIndex;
  InvalidateButton(m_nHot);
  if (m_nHot >= 0) StartLeaveTimer();
}

void CToolBar::OnLButtonDown(UINT nFlags, CPoint point) {
  int hit = framework::toolbar::hit_test(m_buttons, m_rects, point);
  if (hit < 0) {
    // Away from the buttons the bar's own handling (dragging it) applies.
    CControlBar::OnLButtonDown(nFlags, point);
    return;
  }
  if (m_buttons[size_t(hit)].nStyle & TBBS_DISABLED) return;
  EndPress();
  m_nPressed = hit;
  m_buttons[size_t(hit)].nStyle |= TBBS_PRESSED;
  SetCapture();
  InvalidateButton(hit);
  UpdateWindow();
}

void CToolBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  // A quick second click on a button is another press.
  if (framework::toolbar::hit_test(m_buttons, m_rects, point) >= 0) {
    OnLButtonDown(nFlags, point);
    return;
  }
  CControlBar::OnLButtonDblClk(nFlags, point);
}

void CToolBar::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_nPressed >= 0) {
    // The held button looks pressed only while the mouse is over it.
    Button& b = m_buttons[size_t(m_nPressed)];
    UINT style = m_rects[size_t(m_nPressed)].PtInRect(point) ? (b.nStyle | TBBS_PRESSED) : (b.nStyle & ~TBBS_PRESSED);
    if (style != b.nStyle) {
      b.nStyle = style;
      InvalidateButton(m_nPressed);
    }
    return;
  }
  if (GetStyle() & TBSTYLE_FLAT) {
    int hit = framework::toolbar::hit_test(m_buttons, m_rects, point);
    SetHot(hit >= 0 && !(m_buttons[size_t(hit)].nStyle & TBBS_DISABLED) ? hit : -1);
  }
  CControlBar::OnMouseMove(nFlags, point);
}

void CToolBar::OnLButtonUp(UINT nFlags, CPoint point) {
  if (m_nPressed < 0) {
    CControlBar::OnLButtonUp(nFlags, point);
    return;
  }
  int index = m_nPressed;
  bool released_over = m_rects[size_t(index)].PtInRect(point) && !(m_buttons[size_t(index)].nStyle & TBBS_DISABLED);
  EndPress();
  if (!released_over) return;
  Button& b = m_buttons[size_t(index)];
  if (in_check_group(b)) {
    // The group is the run of check-group buttons around this one; the pressed one is checked.
    size_t first = size_t(index), last = size_t(index);
    while (first > 0 && in_check_group(m_buttons[first - 1])) --first;
    while (last + 1 < m_buttons.size() && in_check_group(m_buttons[last + 1])) ++last;
    for (size_t i = first; i <= last; ++i) SetButtonStyle(int(i), m_buttons[i].nStyle & ~TBBS_CHECKED);
    SetButtonStyle(index, m_buttons[size_t(index)].nStyle | TBBS_CHECKED);
  } else if (b.nStyle & TBBS_CHECKBOX) {
    SetButtonStyle(index, b.nStyle ^ TBBS_CHECKED);
  }
  CWnd* owner = GetOwner();
  // The command may end the bar: nothing of it is touched afterwards.
  if (owner) owner->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(m_buttons[size_t(index)].nID), BN_CLICKED),
                                reinterpret_cast<LPARAM>(m_hWnd));
}

void CToolBar::EndPress() {
  if (m_nPressed < 0) return;
  int index = m_nPressed;
  m_nPressed = -1;
  if (valid(index)) {
    m_buttons[size_t(index)].nStyle &= ~TBBS_PRESSED;
    InvalidateButton(index);
  }
  if (m_hWnd && ::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void CToolBar::OnCancelMode() {
  EndPress();
  CControlBar::OnCancelMode();
}

void CToolBar::OnCaptureChanged(CWnd* pWnd) {
  if (!pWnd || pWnd->m_hWnd != m_hWnd) EndPress();
  CControlBar::OnCaptureChanged(pWnd);
}

// --- Tips and prompts ---------------------------------------------------------------------------

INT_PTR CToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  int hit = framework::toolbar::hit_test(m_buttons, m_rects, point);
  if (hit < 0) return CControlBar::OnToolHitTest(point, pTI);
  UINT id = m_buttons[size_t(hit)].nID;
  if (pTI) {
    pTI->hwnd = m_hWnd;
    pTI->uId = id;
    pTI->rect = m_rects[size_t(hit)];
    pTI->lpszText = LPSTR_TEXTCALLBACK;
  }
  // A button without a command is no tool, but still no place to drag the bar from.
  return id != 0 ? INT_PTR(id) : -2;
}

BOOL CToolBar::PreTranslateMessage(MSG* pMsg) {
  if ((m_dwStyle & (CBRS_TOOLTIPS | CBRS_FLYBY)) && framework::is_tip_mouse_message(pMsg->message) &&
      (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd))) {
    FilterToolTipMessage(pMsg);
  }
  return CControlBar::PreTranslateMessage(pMsg);
}

void CToolBar::FilterToolTipMessage(MSG* pMsg) {
  POINT point{GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam)};
  ::MapWindowPoints(pMsg->hwnd, m_hWnd, &point, 1);
  if (pMsg->message == WM_MOUSEMOVE) {
    TOOLINFO info;
    INT_PTR hit = OnToolHitTest(point, &info);
    if (hit < 0) hit = -1;
    if (hit != m_nLastHit) {
      if (m_dwStyle & CBRS_FLYBY) {
        if (hit != -1) {
          ShowPrompt(UINT(hit));
        } else if (m_bPromptShown) {
          ShowPrompt(AFX_IDS_IDLEMESSAGE);
        }
      }
      if (m_dwStyle & CBRS_TOOLTIPS) {
        if (!m_pToolTip) {
          m_pToolTip = std::make_unique<CToolTipCtrl>();
          m_pToolTip->Create(this);
        }
        m_pToolTip->DelTool(this, m_uLastTool);
        m_uLastTool = 0;
        if (hit != -1) {
          // A child control is a tool over its rectangle in the bar.
          if (info.uFlags & TTF_IDISHWND) {
            ::GetWindowRect(reinterpret_cast<HWND>(info.uId), &info.rect);
            ScreenToClient(&info.rect);
          }
          info.hwnd = m_hWnd;
          m_pToolTip->AddTool(info);
          m_uLastTool = info.uId;
        }
      }
      m_nLastHit = hit;
      if (hit != -1) StartLeaveTimer();
    }
  }
  if (m_pToolTip && (m_dwStyle & CBRS_TOOLTIPS)) {
    MSG relayed = *pMsg;
    relayed.hwnd = m_hWnd;
    relayed.lParam = MAKELPARAM(point.x, point.y);
    m_pToolTip->RelayEvent(&relayed);
  }
}

void CToolBar::ShowPrompt(UINT nID) {
  m_bPromptShown = nID != AFX_IDS_IDLEMESSAGE;
  if (CWnd* owner = GetOwner()) owner->SendMessage(WM_SETMESSAGESTRING, nID, 0);
}

void CToolBar::MouseLeft() {
  SetHot(-1);
  if (m_bPromptShown) ShowPrompt(AFX_IDS_IDLEMESSAGE);
  if (m_pToolTip) {
    m_pToolTip->Pop();
    m_pToolTip->DelTool(this, m_uLastTool);
  }
  m_uLastTool = 0;
  m_nLastHit = -1;
  if (m_bLeaveTimer && m_hWnd) KillTimer(kLeaveTimer);
  m_bLeaveTimer = false;
}

void CToolBar::StartLeaveTimer() {
  if (m_bLeaveTimer || !m_hWnd) return;
  m_bLeaveTimer = SetTimer(kLeaveTimer, kLeaveCheckMs) != 0;
}

void CToolBar::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kLeaveTimer) {
    CControlBar::OnTimer(nIDEvent);
    return;
  }
  POINT cursor;
  ::GetCursorPos(&cursor);
  HWND over = ::WindowFromPoint(cursor);
  if (over != m_hWnd && !::IsChild(m_hWnd, over)) MouseLeft();
}

BOOL CToolBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (!header || header->code != TTN_NEEDTEXT) return CControlBar::OnNotify(wParam, lParam, pResult);
  auto* info = reinterpret_cast<TOOLTIPTEXT*>(lParam);
  // The owner may answer for its buttons; otherwise the tip is the part of the command's string
  // after the line break.
  if (CWnd* owner = GetOwner()) owner->SendMessage(WM_NOTIFY, wParam, lParam);
  if (info->lpszText || info->szText[0]) return TRUE;
  UINT id = (info->uFlags & TTF_IDISHWND) ? UINT(::GetDlgCtrlID(reinterpret_cast<HWND>(header->idFrom)))
                                          : UINT(header->idFrom);
  CString full;
  if (id == 0 || !AfxLoadString(id, full)) return TRUE;
  int line_break = full.Find('\n');
  if (line_break < 0) return TRUE;
  CString tip = full.Mid(line_break + 1);
  size_t length = std::min(size_t(tip.GetLength()), kTipLength);
  std::memcpy(info->szText, tip.GetString(), length);
  info->szText[length] = '\0';
  if (pResult) *pResult = 0;
  return TRUE;
}

void CToolBar::OnDestroy() {
  EndPress();
  MouseLeft();
  m_pToolTip.reset();
  CControlBar::OnDestroy();
}
