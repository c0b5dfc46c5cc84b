// Dragging toolbar buttons: within a bar, between bars, onto the customize sheet (nothing
// happens) and off every bar (a move deletes the button, a copy makes a new floating toolbar).
#include <algorithm>

#include "platform/framework/dock_bar.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/mini_dock_frame.h"
#include "platform/win/window_api.h"
#include "toolkit/frame/drag_rect_tracker.h"
#include "toolkit/frame/sec_mdi_frame.h"
#include "toolkit/frame/toolkit_globals.h"
#include "toolkit/widgets/custom_toolbar.h"
#include "toolkit/widgets/toolbar_manager.h"

namespace {

// The customizable toolbar a window is, or the first one the dock bar of a floating frame holds.
SECCustomToolBar* ToolBarOf(HWND h) {
  CWnd* wnd = CWnd::FromHandlePermanent(h);
  if (auto* bar = dynamic_cast<SECCustomToolBar*>(wnd)) return bar;
  for (CWnd* w = wnd; w; w = w->GetParent()) {
    auto* floating = dynamic_cast<CMiniDockFrameWnd*>(w);
    if (!floating) continue;
    CDockBar* dock = floating->GetFloatDockBar();
    for (CWnd* child = dock ? dock->GetWindow(GW_CHILD) : nullptr; child; child = child->GetWindow(GW_HWNDNEXT)) {
      if (auto* bar = dynamic_cast<SECCustomToolBar*>(CWnd::FromHandlePermanent(child->m_hWnd))) return bar;
    }
    break;
  }
  return nullptr;
}

// Takes the dragged button off its bar; whether buttons remain there.
BOOL RemoveFromSource(SECCustomToolBar* pSource, int nIndex) {
  if (!pSource) return TRUE;
  pSource->Deselect(FALSE);
  return pSource->RemoveButton(nIndex);
}

}  // namespace

BOOL DragToolBarButton(SECToolBarManager* pManager, SECStdBtn* pBtn, int nIndex, CPoint point,
                       SECCustomToolBar* pSource, CWnd* pTrackWnd, BOOL bCopy) {
  if (!pBtn || !pTrackWnd || !pTrackWnd->m_hWnd) return TRUE;
  if (!pBtn->CanDrag()) return TRUE;
  if (pSource) {
    pSource->SelectButton(nIndex, TRUE);
    pSource->UpdateWindow();
  } else if (pManager) {
    pManager->Deselect(TRUE);
  }
  const UINT nID = pBtn->m_nID;
  SECDragRectTracker tracker(pBtn->GetRect());
  if (bCopy) ::SetCursor(::LoadCursor(nullptr, MAKEINTRESOURCE(SEC_IDC_COPY_DRAG)));
  if (!tracker.TrackMove(pTrackWnd, point)) return TRUE;

  CRect rect = tracker.m_rect;
  rect.NormalizeRect();
  pTrackWnd->ClientToScreen(&rect);
  SECCustomToolBar* target = pManager ? pManager->FindBarAt(rect) : nullptr;
  if (!target) {
    for (const CPoint corner : {rect.TopLeft(), CPoint(rect.right, rect.top), CPoint(rect.left, rect.bottom),
                                rect.BottomRight()}) {
      if ((target = ToolBarOf(::WindowFromPoint(corner))) != nullptr) break;
    }
  }
  if (target) {
    if (target->AcceptsDrop()) {
      target->ScreenToClient(&rect);
      return target->DropButton(rect, pBtn, bCopy, 0);
    }
    if (bCopy) return TRUE;
    return RemoveFromSource(pSource, nIndex);
  }
  if (pManager) {
    CRect common;
    const CRect config = pManager->GetConfigWindowRect();
    if (!config.IsRectEmpty() && common.IntersectRect(config, rect)) return TRUE;
  }
  if (bCopy) {
    FloatButtonAsNewBar(rect.TopLeft(), nID, pManager, SECCustomToolBar::IsAltDragging() && pSource);
    return TRUE;
  }
  return RemoveFromSource(pSource, nIndex);
}

SECCustomToolBar* FloatButtonAsNewBar(CPoint point, UINT nID, SECToolBarManager* pManager, BOOL bNoSelect) {
  SECCustomToolBar* bar = pManager ? pManager->CreateUserBar(nullptr) : nullptr;
  if (!bar) return nullptr;
  bar->InsertButton(bar->GetBtnCount(), nID, FALSE, TRUE);
  if (!bNoSelect) bar->SelectButton(bar->GetBtnCount() - 1, FALSE);
  // The point is where the bar's first button goes: less the floating frame's caption and
  // borders and the bar's own border.
  CRect frame(0, 0, 0, 0);
  AdjustWindowRectEx(&frame, 0x80CC0000, FALSE, 0x180);
  const SECToolkitGlobals& g = secData();
  point.x += frame.left - (bar->m_cxLeftBorder + g.cxBorder);
  point.y += frame.top - (bar->m_cyTopBorder + g.cyBorder);
  CFrameWnd* owner = pManager->GetFrame();
  if (auto* mdi = dynamic_cast<SECMDIFrameWnd*>(owner)) {
    mdi->FloatControlBar(bar, point, CBRS_ALIGN_TOP);
    mdi->ShowControlBar(bar, TRUE, FALSE);
  } else if (owner) {
    owner->FloatControlBar(bar, point, CBRS_ALIGN_TOP);
    owner->ShowControlBar(bar, TRUE, FALSE);
  }
  return bar;
}

BOOL SECCustomToolBar::DropButton(const CRect& rect, SECStdBtn* pBtn, BOOL bCopy, UINT) {
  if (!pBtn) return TRUE;
  const UINT nID = pBtn->m_nID;
  SECCustomToolBar* holder = m_pManager ? m_pManager->GetSelectionBar() : nullptr;
  const int holderIndex = holder ? holder->GetSelectedIndex() : -1;
  const bool fromHere = !bCopy && holder == this && holderIndex >= 0;
  const bool fromOther = !bCopy && holder && holder != this && holderIndex >= 0;

  std::vector<toolbar_layout::DropItem> items;
  for (const SECStdBtn* btn : m_btns) {
    items.push_back({btn->GetRect(), (btn->GetStyle() & SEC_TBBS_SEPARATOR) != 0,
                     (btn->GetStyle() & SEC_TBBS_WRAPPED) != 0});
  }
  CRect client;
  GetClientRect(&client);
  const toolbar_layout::DropPlan plan =
      toolbar_layout::PlanDrop(items, rect, client, fromHere ? holderIndex : -1, m_nSepWidth);

  switch (plan.kind) {
    case toolbar_layout::DropPlan::nothing:
      return TRUE;
    case toolbar_layout::DropPlan::removeSeparator:
      RemoveAt(plan.index);
      RecalcFrameLayout();
      Invalidate();
      return TRUE;
    case toolbar_layout::DropPlan::insertSeparator:
      InsertButton(plan.index, 0, TRUE);
      return TRUE;
    case toolbar_layout::DropPlan::insertButton:
      break;
  }

  int index = plan.index;
  int separator = plan.separatorToRemove;
  BOOL result = TRUE;
  if (fromHere) {
    // A move along the bar: out of its old place first.
    index = toolbar_layout::IndexAfterRemoval(index, holderIndex);
    if (index < 0) return TRUE;
    if (separator == holderIndex) separator = -1;
    if (separator > holderIndex) --separator;
    Deselect(FALSE);
    RemoveAt(holderIndex);
  } else if (fromOther) {
    // The source may end with its last button; this bar goes on all the same.
    holder->Deselect(FALSE);
    result = holder->RemoveButton(holderIndex);
  }
  if (separator >= 0 && separator < GetBtnCount()) {
    RemoveAt(separator);
    if (separator < index) --index;
  }
  index = std::clamp(index, 0, GetBtnCount());
  if (plan.separatorAfter) InsertButton(index, 0, TRUE, TRUE);
  if (plan.separatorBefore) InsertButton(index++, 0, TRUE, TRUE);
  InsertButton(index, nID, FALSE, TRUE);
  if (!s_bAltDrag) SelectButton(index, FALSE);
  RecalcFrameLayout();
  Invalidate();
  return result;
}
