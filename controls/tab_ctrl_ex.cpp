#include "controls/tab_ctrl_ex.h"

#include <cstring>

#include "controls/tab_selection.h"
#include "platform/controls/image_list.h"
#include "platform/framework/property_sheet.h"
#include "platform/gdi/core/icons.h"
#include "platform/gdi/system/draw_state.h"
#include "platform/win/messages.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"

IMPLEMENT_DYNAMIC(CTabCtrlEx, CTabCtrl)

BEGIN_MESSAGE_MAP(CTabCtrlEx, CTabCtrl)
  ON_NOTIFY_REFLECT(TCN_SELCHANGING, &CTabCtrlEx::OnSelChanging)
END_MESSAGE_MAP()

namespace {

constexpr int kTextMax = 255;
// Where the content of a tab starts inside its rectangle.
constexpr int kSelectedIndent = 7;
constexpr int kIndent = 4;
constexpr int kDrop = 2;
constexpr int kSelectedImageDrop = 3;
constexpr int kImageGap = 2;

}  // namespace

CTabCtrlEx::CTabCtrlEx() = default;

CTabCtrlEx::~CTabCtrlEx() = default;

BOOL CTabCtrlEx::SubclassSheetTabs(CPropertySheet* pSheet) {
  if (!pSheet || !pSheet->m_hWnd) return FALSE;
  HWND tabs = reinterpret_cast<HWND>(pSheet->SendMessage(PSM_GETTABCONTROL));
  if (!tabs || !SubclassWindow(tabs)) return FALSE;
  ModifyStyle(0, TCS_OWNERDRAWFIXED);
  Invalidate();
  return TRUE;
}

BOOL CTabCtrlEx::IsTabEnabled(int nIndex) const {
  if (nIndex < 0 || nIndex >= GetItemCount()) return FALSE;
  for (int i = 0; i < m_disabled.GetSize(); ++i) {
    if (int(m_disabled[i]) == nIndex) return FALSE;
  }
  return TRUE;
}

BOOL CTabCtrlEx::EnableTab(int nIndex, BOOL bEnable) {
  const int count = GetItemCount();
  if (nIndex < 0 || nIndex >= count) return FALSE;
  if (IsTabEnabled(nIndex) == (bEnable != FALSE)) return TRUE;
  if (bEnable) {
    for (int i = m_disabled.GetSize() - 1; i >= 0; --i) {
      if (int(m_disabled[i]) == nIndex) m_disabled.RemoveAt(i);
    }
  } else {
    if (nIndex == GetCurSel()) {
      // The selected tab gives way to the next enabled one, and its page with it.
      const int next = tab_selection::next_enabled_after(nIndex, count, [this](int i) { return IsTabEnabled(i); });
      if (next < 0 || !SelectTab(next) || GetCurSel() != next) return FALSE;
    }
    m_disabled.Add(uint32_t(nIndex));
  }
  CRect tab;
  if (GetItemRect(nIndex, &tab)) InvalidateRect(&tab);
  return TRUE;
}

CPropertySheet* CTabCtrlEx::ParentSheet() const {
  CWnd* parent = GetParent();
  return parent && parent->IsKindOf(RUNTIME_CLASS(CPropertySheet)) ? static_cast<CPropertySheet*>(parent) : nullptr;
}

bool CTabCtrlEx::PageAgreesToLeave() {
  CPropertySheet* sheet = ParentSheet();
  if (!sheet) return true;
  CPropertyPage* page = sheet->GetActivePage();
  if (!page || !page->m_hWnd) return true;
  NMHDR ask{sheet->m_hWnd, UINT_PTR(sheet->GetDlgCtrlID()), PSN_KILLACTIVE};
  return page->SendMessage(WM_NOTIFY, ask.idFrom, reinterpret_cast<LPARAM>(&ask)) == 0;
}

void CTabCtrlEx::Notify(UINT code) {
  CWnd* parent = GetParent();
  if (!parent) return;
  m_nmhdr = NMHDR{m_hWnd, UINT_PTR(GetDlgCtrlID()), code};
  parent->SendMessage(WM_NOTIFY, m_nmhdr.idFrom, reinterpret_cast<LPARAM>(&m_nmhdr));
}

void CTabCtrlEx::FollowSelection() {
  CPropertySheet* sheet = ParentSheet();
  if (!sheet || m_bFollowing || sheet->GetActiveIndex() == GetCurSel()) return;
  m_bFollowing = true;
  Notify(TCN_SELCHANGE);
  m_bFollowing = false;
}

BOOL CTabCtrlEx::SelectTab(int nIndex) {
  if (nIndex < 0 || nIndex >= GetItemCount() || !PageAgreesToLeave()) return FALSE;
  SendMessage(TCM_SETCURSEL, WPARAM(nIndex));
  Notify(TCN_SELCHANGE);
  return TRUE;
}

LRESULT CTabCtrlEx::SetCurSelSkipping(int nTarget) {
  const int found = tab_selection::step_target(nTarget, GetCurSel(), GetItemCount(),
                                               [this](int i) { return IsTabEnabled(i); });
  LRESULT result = -1;
  if (found >= 0) {
    SendMessage(TCM_SETCURSEL, WPARAM(found));
    result = 0;
  }
  FollowSelection();
  return result;
}

LRESULT CTabCtrlEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == TCM_SETCURSEL) {
    const int target = int(wParam);
    if (target >= 0 && target < GetItemCount() && !IsTabEnabled(target)) return SetCurSelSkipping(target);
  } else if (message == WM_KEYDOWN) {
    const bool back = wParam == WPARAM(VK_LEFT) || wParam == WPARAM(VK_UP);
    const bool on = wParam == WPARAM(VK_RIGHT) || wParam == WPARAM(VK_DOWN);
    if (back || on) {
      SelectTab(tab_selection::arrow_target(GetCurSel(), GetItemCount(), on));
      return 0;
    }
  }
  return CTabCtrl::WindowProc(message, wParam, lParam);
}

void CTabCtrlEx::OnSelChanging(NMHDR*, LRESULT* pResult) {
  const DWORD pos = GetMessagePos();
  CPoint point(GET_X_LPARAM(pos), GET_Y_LPARAM(pos));
  ScreenToClient(&point);
  const int hit = HitTest(point);
  *pResult = hit < 0 || !IsTabEnabled(hit) || !PageAgreesToLeave() ? 1 : 0;
}

void CTabCtrlEx::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct->CtlType != ODT_TAB) return;
  const int index = int(lpDrawItemStruct->itemID);
  char text[kTextMax + 1] = "";
  TCITEM item;
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = text;
  item.cchTextMax = kTextMax + 1;
  if (!GetItem(index, &item)) return;

  CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
  CRect r(lpDrawItemStruct->rcItem);
  dc->FillRect(&r, CBrush::FromHandle(ResolveClassBrush(reinterpret_cast<HBRUSH>(COLOR_MENU + 1))));
  const bool selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
  const bool enabled = IsTabEnabled(index);
  CPoint at(r.left + (selected ? kSelectedIndent : kIndent), r.top + (selected ? 0 : kDrop));

  CImageList* images = GetImageList();
  int cx = 0, cy = 0;
  if (images && item.iImage >= 0 && images->GetIconSize(cx, cy)) {
    const CPoint image(at.x, at.y + (selected ? kSelectedImageDrop : 0));
    if (enabled) {
      images->Draw(dc, item.iImage, image, ILD_NORMAL);
    } else if (HICON icon = images->ExtractIcon(item.iImage)) {
      DrawState(dc->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, image.x, image.y, cx, cy,
                DST_ICON | DSS_DISABLED);
      DestroyIcon(icon);
    }
    at.x += cx + kImageGap;
  }

  dc->SetBkMode(TRANSPARENT);
  CRect label(at.x, r.top, r.right, r.bottom);
  constexpr UINT kFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  const int length = int(std::strlen(text));
  if (enabled) {
    dc->SetTextColor(GetSysColor(COLOR_BTNTEXT));
  } else {
    CRect emboss(label);
    emboss.OffsetRect(1, 1);
    dc->SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
    dc->DrawText(text, length, &emboss, kFormat);
    dc->SetTextColor(GetSysColor(COLOR_GRAYTEXT));
  }
  dc->DrawText(text, length, &label, kFormat);
}
