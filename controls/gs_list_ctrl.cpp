#include "controls/gs_list_ctrl.h"

#include <algorithm>
#include <vector>

#include "controls/report_list_layout.h"
#include "platform/controls/common_controls.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"

namespace {

// The marking of rows that contain the highlight text.
constexpr COLORREF kHighlightYellow = 0x0000FFFF;
constexpr UINT kCellFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

COLORREF or_system(COLORREF colour, int system) {
  return colour == CLR_DEFAULT ? GetSysColor(system) : colour;
}

UINT alignment(int format) {
  switch (format & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT: return DT_RIGHT;
    case LVCFMT_CENTER: return DT_CENTER;
    default: return DT_LEFT;
  }
}

}  // namespace

IMPLEMENT_DYNCREATE(CGSListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CGSListCtrl, CListCtrl)
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_DESTROY()
  ON_NOTIFY(HDN_ENDTRACK, 0, &CGSListCtrl::OnEndTrack)
  ON_WM_KEYDOWN()
  ON_WM_GETDLGCODE()
  ON_WM_SIZE()
  ON_WM_KILLFOCUS()
  ON_MESSAGE(LVM_SETTEXTCOLOR, &CGSListCtrl::OnSetTextColor)
  ON_MESSAGE(LVM_SETTEXTBKCOLOR, &CGSListCtrl::OnSetTextBkColor)
  ON_MESSAGE(LVM_SETBKCOLOR, &CGSListCtrl::OnSetBkColor)
END_MESSAGE_MAP()

CGSListCtrl::CGSListCtrl()
    : m_clrText(GetSysColor(COLOR_WINDOWTEXT)), m_clrTextBk(GetSysColor(COLOR_WINDOW)), m_clrBk(GetSysColor(COLOR_WINDOW)) {
  static const bool initialised = [] {
    INITCOMMONCONTROLSEX init;
    init.dwICC = ICC_LISTVIEW_CLASSES;
    return InitCommonControlsEx(&init) != FALSE;
  }();
  (void)initialised;
}

CGSListCtrl::~CGSListCtrl() {
  if (m_pTitleTip) m_pTitleTip->DestroyWindow();
}

BOOL CGSListCtrl::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style = (cs.style & ~LONG(LVS_SMALLICON)) | LONG(LVS_REPORT | LVS_OWNERDRAWFIXED);
  return CListCtrl::PreCreateWindow(cs);
}

void CGSListCtrl::PreSubclassWindow() {
  CListCtrl::PreSubclassWindow();
  auto tip = std::make_unique<CGSTitleTip>();
  // A list without its tip still works; it only shows no tips.
  if (tip->Create(this)) m_pTitleTip = std::move(tip);
}

// --- Drawing ------------------------------------------------------------------------------------

void CGSListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  int nItem = int(lpDrawItemStruct->itemID);
  int saved = pDC->SaveDC();

  LVITEM lvi;
  lvi.mask = LVIF_IMAGE | LVIF_STATE;
  lvi.iItem = nItem;
  lvi.stateMask = 0xFFFF;
  GetItem(&lvi);

  bool bFocus = ::GetFocus() == m_hWnd;
  bool bHighlight = (lvi.state & LVIS_DROPHILITED) ||
                    ((lvi.state & LVIS_SELECTED) && (bFocus || (GetStyle() & LVS_SHOWSELALWAYS)));

  CRect rcBounds, rcLabel, rcIcon;
  GetItemRect(nItem, rcBounds, LVIR_BOUNDS);
  GetItemRect(nItem, rcLabel, LVIR_LABEL);
  GetItemRect(nItem, rcIcon, LVIR_ICON);
  CRect rcHighlight(rcLabel.left, rcBounds.top, rcBounds.right, rcBounds.bottom);
  if (m_bFullWidth) {
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcHighlight.right < rcClient.right) rcHighlight.right = rcClient.right;
  }
  int nInset = pDC->GetTextExtent(" ", 1).cx * 2;

  if (bHighlight) {
    pDC->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    pDC->SetBkColor(GetSysColor(COLOR_HIGHLIGHT));
    pDC->FillSolidRect(&rcHighlight, GetSysColor(COLOR_HIGHLIGHT));
  } else {
    bool marked = report_list::highlight_marks(m_bHighlight != 0, m_strHighlight, GetItemText(nItem, 1));
    COLORREF background = m_clrTextBk == CLR_NONE ? or_system(m_clrBk, COLOR_WINDOW) : or_system(m_clrTextBk, COLOR_WINDOW);
    pDC->SetTextColor(or_system(m_clrText, COLOR_WINDOWTEXT));
    pDC->FillSolidRect(&rcHighlight, marked ? kHighlightYellow : background);
  }
  pDC->SetBkMode(TRANSPARENT);

  LVCOLUMN lvc;
  lvc.mask = LVCF_FMT | LVCF_WIDTH;
  GetColumn(0, &lvc);
  CRect rcColumn(rcBounds.left, rcBounds.top, rcBounds.left + lvc.cx, rcBounds.bottom);

  if (UINT nState = (lvi.state & LVIS_STATEIMAGEMASK) >> 12) {
    if (CImageList* pStates = GetImageList(LVSIL_STATE)) {
      pStates->Draw(pDC, int(nState) - 1, POINT{rcColumn.left, rcColumn.top}, ILD_TRANSPARENT);
    }
  }
  if (CImageList* pImages = GetImageList(LVSIL_SMALL)) {
    UINT style = ILD_TRANSPARENT | (lvi.state & LVIS_OVERLAYMASK) | (bHighlight ? ILD_BLEND50 : 0u);
    pImages->Draw(pDC, lvi.iImage, POINT{rcIcon.left, rcIcon.top}, style);
  }

  CString text = GetItemText(nItem, 0);
  CRect rcText = rcLabel;
  rcText.left += nInset / 2 - 1;
  rcText.right -= nInset;
  pDC->DrawText(text.GetString(), text.GetLength(), &rcText, kCellFormat | DT_LEFT);

  for (int nColumn = 1;; ++nColumn) {
    lvc.mask = LVCF_FMT | LVCF_WIDTH;
    if (!GetColumn(nColumn, &lvc)) break;
    rcColumn.left = rcColumn.right;
    rcColumn.right += lvc.cx;
    text = GetItemText(nItem, nColumn);
    rcText = rcColumn;
    rcText.left += nInset;
    rcText.right -= nInset;
    pDC->DrawText(text.GetString(), text.GetLength(), &rcText, kCellFormat | alignment(lvc.fmt));
  }

  if ((lvi.state & LVIS_FOCUSED) && bFocus) pDC->DrawFocusRect(&rcHighlight);
  pDC->RestoreDC(saved);
}

// --- Columns ------------------------------------------------------------------------------------

void CGSListCtrl::StretchLastColumn(int nTotalWidth, int nColumn) {
  if (nColumn < 0) return;
  if (GetScrollLimit(SB_VERT) > 1) nTotalWidth -= GetSystemMetrics(SM_CXVSCROLL);
  std::vector<int> widths;
  for (int c = 0; c < GetColumnCount(); ++c) widths.push_back(GetColumnWidth(c));
  if (auto width = report_list::stretched_last_width(nTotalWidth, widths)) SetColumnWidth(int(widths.size()) - 1, *width);
}

void CGSListCtrl::FillClientWidth(int nClientWidth) {
  std::vector<int> widths;
  for (int c = 0; c < GetColumnCount(); ++c) widths.push_back(GetColumnWidth(c));
  if (auto width = report_list::stretched_last_width(nClientWidth, widths)) SetColumnWidth(int(widths.size()) - 1, *width);
}

// A released divider fills the client width, as resizing does: the outer width would take the
// border in too and push the last column past the visible area.
void CGSListCtrl::OnEndTrack(NMHDR*, LRESULT* pResult) {
  Default();
  CRect client;
  GetClientRect(&client);
  FillClientWidth(client.Width());
  *pResult = 0;
}

void CGSListCtrl::OnSize(UINT nType, int cx, int cy) {
  CListCtrl::OnSize(nType, cx, cy);
  CRect client;
  GetClientRect(&client);
  FillClientWidth(client.Width());
}

// --- Cells and the title tip -------------------------------------------------------------------

BOOL CGSListCtrl::CellFromPoint(CPoint point, int& nRow, int& nColumn, CRect* pCell) const {
  if ((GetStyle() & LVS_TYPEMASK) != LVS_REPORT) return FALSE;
  CRect client;
  GetClientRect(&client);
  if (point.x > client.right) return FALSE;
  int top = GetTopIndex();
  int bottom = std::min(top + GetCountPerPage(), GetItemCount());
  for (int row = top; row < bottom; ++row) {
    CRect rect;
    GetItemRect(row, rect, LVIR_BOUNDS);
    if (!rect.PtInRect(point)) continue;
    std::vector<int> widths;
    for (int c = 0; c < GetColumnCount(); ++c) widths.push_back(GetColumnWidth(c));
    int column = report_list::column_at(widths, point.x - rect.left);
    if (column < 0) return FALSE;
    nRow = row;
    nColumn = column;
    if (pCell) {
      int left = rect.left;
      for (int c = 0; c < column; ++c) left += widths[size_t(c)];
      *pCell = CRect(left, rect.top, std::min(left + widths[size_t(column)], int(client.right)), rect.bottom);
    }
    return TRUE;
  }
  return FALSE;
}

void CGSListCtrl::ShowTitleTip(CPoint point) {
  int row = -1, column = -1;
  CRect cell;
  if (!m_pTitleTip || !CellFromPoint(point, row, column, &cell)) return;
  int offset = report_list::kCellTipOffset;
  if (column == 0) {
    CRect label;
    GetItemRect(row, label, LVIR_LABEL);
    offset = label.left - cell.left + report_list::kLabelTipExtra;
  }
  if (GetItemState(row, LVIS_SELECTED)) {
    m_pTitleTip->SetBkColor(GetSysColor(COLOR_HIGHLIGHT));
    m_pTitleTip->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
  } else {
    m_pTitleTip->SetBkColor(or_system(m_clrTextBk, COLOR_WINDOW));
    m_pTitleTip->SetTextColor(or_system(m_clrText, COLOR_WINDOWTEXT));
  }
  cell.top -= 1;
  m_pTitleTip->Show(cell, GetItemText(row, column), offset - 1);
}

void CGSListCtrl::HideTitleTip() {
  if (m_pTitleTip) m_pTitleTip->Hide();
}

void CGSListCtrl::OnMouseMove(UINT nFlags, CPoint point) {
  if (nFlags == 0) ShowTitleTip(point);
  CListCtrl::OnMouseMove(nFlags, point);
}

int CGSListCtrl::ColumnByOrder(int x) const {
  // The header shows its columns in index order, so display order and index agree.
  std::vector<int> widths;
  for (int c = 0; c < GetColumnCount(); ++c) widths.push_back(GetColumnWidth(c));
  for (size_t c = 0; c < widths.size(); ++c) {
    if (x < widths[c]) return int(c);
    x -= widths[c];
  }
  return -1;
}

void CGSListCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
  if (GetKeyState(VK_MENU) >= 0) {
    CListCtrl::OnLButtonDown(nFlags, point);
    if (!::IsWindow(m_hWnd)) return;
    NMHDR nmh;
    nmh.hwndFrom = m_hWnd;
    nmh.idFrom = UINT_PTR(GetDlgCtrlID());
    nmh.code = kListClickNotify;
    if (CWnd* parent = GetParent()) parent->SendMessage(WM_NOTIFY, WPARAM(nmh.idFrom), reinterpret_cast<LPARAM>(&nmh));
    return;
  }
  int item = HitTest(point);
  if (item < 0 || ColumnByOrder(point.x) < 0) return;
  SetFocus();
  PostMessage(LVM_EDITLABEL, WPARAM(item));
}

void CGSListCtrl::OnDestroy() {
  if (m_pTitleTip) {
    m_pTitleTip->DestroyWindow();
    m_pTitleTip.reset();
  }
  CListCtrl::OnDestroy();
}

// A key ends the tip; once the list has acted on it (moved the selection, scrolled), the tip is
// shown again for whatever cell now lies under the mouse.
void CGSListCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  HideTitleTip();
  CListCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
  if (!::IsWindow(m_hWnd)) return;
  CPoint cursor;
  ::GetCursorPos(&cursor);
  ScreenToClient(&cursor);
  ShowTitleTip(cursor);
}

UINT CGSListCtrl::OnGetDlgCode() {
  UINT code = CListCtrl::OnGetDlgCode();
  return m_bWantAllKeys ? code | DLGC_WANTALLKEYS : code;
}

void CGSListCtrl::OnKillFocus(CWnd* pNewWnd) {
  CListCtrl::OnKillFocus(pNewWnd);
  HideTitleTip();
}

// --- Colours -------------------------------------------------------------------------------------

LRESULT CGSListCtrl::OnSetTextColor(WPARAM, LPARAM lParam) {
  m_clrText = COLORREF(lParam);
  return Default();
}

LRESULT CGSListCtrl::OnSetTextBkColor(WPARAM, LPARAM lParam) {
  m_clrTextBk = COLORREF(lParam);
  return Default();
}

LRESULT CGSListCtrl::OnSetBkColor(WPARAM, LPARAM lParam) {
  m_clrBk = COLORREF(lParam);
  return Default();
}

// --- Header -------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CGSHeaderCtrl, CHeaderCtrl)

BEGIN_MESSAGE_MAP(CGSHeaderCtrl, CHeaderCtrl)
  ON_NOTIFY_REFLECT(HDN_ENDTRACK, &CGSHeaderCtrl::OnEndTrack)
  ON_NOTIFY_REFLECT(HDN_ITEMCHANGED, &CGSHeaderCtrl::OnItemChanged)
END_MESSAGE_MAP()

void CGSHeaderCtrl::OnEndTrack(NMHDR* pNMHDR, LRESULT* pResult) {
  if (auto* list = dynamic_cast<CGSListCtrl*>(GetParent())) {
    CRect outer;
    GetWindowRect(&outer);
    list->StretchLastColumn(outer.Width(), reinterpret_cast<NMHEADER*>(pNMHDR)->iItem);
  }
  *pResult = 0;
}

void CGSHeaderCtrl::OnItemChanged(NMHDR*, LRESULT* pResult) { *pResult = 0; }
