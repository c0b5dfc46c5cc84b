#include "toolkit/frame/sec_frame_docking.h"

#include <algorithm>

#include "platform/base/resource_exception.h"
#include "platform/framework/dock_state.h"
#include "platform/framework/mini_dock_frame.h"
#include "platform/win/system_metrics.h"
#include "platform/win/system_parameters.h"
#include "toolkit/frame/sec_control_bar.h"
#include "toolkit/frame/sec_dock_state.h"
#include "toolkit/frame/sec_mdi_frame.h"
#include "toolkit/frame/sec_mini_dock_frame.h"
#include "toolkit/frame/wnd_plugin.h"
#include "toolkit/widgets/bmp_menu_plugin.h"
#include "toolkit/widgets/menu_bar.h"
#include "toolkit/widgets/toolbar_manager.h"

namespace secframe {
namespace {

// The frame's dock bars in the order they are searched.
struct DockSide {
  DWORD align;
  UINT id;
  DWORD style;
};
constexpr DockSide kSides[] = {
    {CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
    {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP},
    {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT},
    {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT},
};

SECControlBar* as_sec(CControlBar* bar) { return dynamic_cast<SECControlBar*>(bar); }

CDockBar* side_dock(CFrameWnd* frame, UINT id) { return dynamic_cast<CDockBar*>(frame->GetControlBar(id)); }

}  // namespace

void EnableDocking(CFrameWnd* frame, DWORD sides, const std::function<CDockBar*()>& make) {
  frame->m_dwDockStyle |= sides & CBRS_ALIGN_ANY;
  // Made last to first, each new one first in Z order, so the top one lays out first.
  for (auto it = std::rbegin(kSides); it != std::rend(kSides); ++it) {
    if (!(sides & it->align) || frame->GetControlBar(it->id)) continue;
    CDockBar* dock = make();
    if (!dock || !dock->Create(frame, it->style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, it->id)) {
      delete dock;
      throw CResourceException();
    }
    dock->m_bAutoDelete = TRUE;
    ::SetWindowPos(dock->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

CDockBar* DockBarFor(CFrameWnd* frame, CControlBar* bar, UINT id) {
  if (id) {
    if (CDockBar* dock = side_dock(frame, id)) return dock;
  }
  // By the bar's alignment, then by the sides it may dock on.
  const DWORD align = bar->m_dwStyle & CBRS_ALIGN_ANY;
  for (const DockSide& side : kSides) {
    if (align == side.align) {
      if (CDockBar* dock = side_dock(frame, side.id)) return dock;
    }
  }
  for (const DockSide& side : kSides) {
    if (bar->m_dwDockStyle & side.align) {
      if (CDockBar* dock = side_dock(frame, side.id)) return dock;
    }
  }
  return nullptr;
}

void DockWithInfo(CControlBar* bar, CDockBar* dock, const SECDockBarInsertRecord& rec, const SECDockInfo& info) {
  if (!bar || !dock) return;
  SECControlBar* sec = as_sec(bar);
  if (sec) {
    sec->OnBeforeDock();
    sec->m_fPctWidth = info.m_fPctWidth;
  }
  DWORD mode = LM_VERTDOCK;
  if ((bar->m_dwStyle & CBRS_SIZE_DYNAMIC) && dock->m_bFloating) {
    mode = LM_HORZ | LM_MRUWIDTH | LM_LENGTHY;
  } else if (dock->m_dwStyle & CBRS_ORIENT_HORZ) {
    mode = LM_HORZ | LM_HORZDOCK | LM_LENGTHY;
  }
  // A negative length leaves the bar's remembered size as it is.
  if (info.m_nLength >= 0) bar->CalcDynamicLayout(info.m_nLength, mode | LM_COMMIT);
  if (auto* secDock = dynamic_cast<SECDockBar*>(dock)) {
    secDock->AttachBar(bar, rec);
  } else {
    dock->DockControlBar(bar);
  }
  if (sec) sec->OnAfterDock();
}

void DockInto(CFrameWnd* frame, CControlBar* bar, CDockBar* dock, LPCRECT rect) {
  if (!bar) return;
  if (!dock) dock = DockBarFor(frame, bar, 0);
  if (!dock) return;
  SECControlBar* sec = as_sec(bar);
  if (sec) sec->OnBeforeDock();
  // A toolkit dock bar docks at the rectangle in its own way; the framework's in its.
  dock->DockControlBar(bar, rect);
  if (sec) sec->OnAfterDock();
}

void ReDock(CFrameWnd* frame, CControlBar* bar, CDockBar* dock, LPCRECT rect) {
  if (!bar) return;
  if (!dock) {
    for (const DockSide& side : kSides) {
      CDockBar* candidate = side_dock(frame, side.id);
      if (candidate && bar->m_hWnd && candidate->FindPlaceHolder(UINT(bar->GetDlgCtrlID())) >= 0) {
        dock = candidate;
        break;
      }
    }
    if (!dock) dock = DockBarFor(frame, bar, 0);
  }
  if (!dock) return;
  SECControlBar* sec = as_sec(bar);
  if (sec) sec->OnBeforeDock();
  dock->ReDockControlBar(bar, rect);
  if (sec) sec->OnAfterDock();
}

DWORD FloatStyle(CControlBar* bar, DWORD style) {
  if (bar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
    style |= CBRS_SIZE_DYNAMIC;
    if (style & CBRS_ORIENT_VERT) style = (style & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
  }
  if (!(style & CBRS_ALIGN_ANY)) style |= CBRS_ALIGN_TOP;
  return style;
}

CDockBar* LoneFloatingDock(CControlBar* bar, DWORD style) {
  CDockBar* dock = bar->m_pDockBar;
  if (!dock || !dock->m_bFloating || dock->GetDockedCount() != 1) return nullptr;
  if (!(dock->m_dwStyle & style & CBRS_ALIGN_ANY)) return nullptr;
  return dock;
}

bool MoveLoneFloating(CControlBar* bar, CPoint point, DWORD style) {
  CDockBar* dock = LoneFloatingDock(bar, style);
  if (!dock) return false;
  if (auto* floating = dynamic_cast<SECMiniDockFrameWnd*>(dock->GetParent())) {
    floating->RecalcLayoutAt(point);
    floating->UpdateWindow();
    return true;
  }
  if (auto* floating = dynamic_cast<CMiniDockFrameWnd*>(dock->GetParent())) {
    floating->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    floating->UpdateWindow();
    return true;
  }
  return false;
}

void FloatInNewFrame(CFrameWnd* frame, CControlBar* bar, CPoint point, DWORD style, BOOL always) {
  SECControlBar* sec = as_sec(bar);
  if (sec) sec->OnBeforeFloat();
  style = FloatStyle(bar, style);
  CMiniDockFrameWnd* floating = frame->CreateFloatingFrame(style);
  if (!floating) return;
  if (sec && !(sec->m_dwExStyle & BAREX_FIXED_SIZE)) {
    floating->ModifyStyle(MFS_4THICKFRAME, MFS_THICKFRAME | WS_THICKFRAME, SWP_FRAMECHANGED);
  }
  floating->GetFloatDockBar()->DockControlBar(bar);
  if (auto* own = dynamic_cast<SECMiniDockFrameWnd*>(floating)) {
    own->RecalcLayoutAt(point);
  } else {
    floating->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    floating->RecalcLayout();
  }
  if (always || bar->IsVisible()) {
    floating->ShowWindow(SW_SHOWNA);
    floating->UpdateWindow();
  }
  if (sec) sec->OnAfterFloat();
  frame->RecalcLayout();
}

void ShowBar(CFrameWnd* frame, CControlBar* bar, BOOL show, BOOL delay) {
  if (!bar) return;
  CDockBar* dock = bar->m_pDockBar;
  auto* barFrame = dynamic_cast<CFrameWnd*>(dock ? dock->GetParent() : bar->GetParent());
  if (!barFrame) barFrame = frame;
  if (delay) {
    bar->DelayShow(show);
    barFrame->m_nIdleFlags |= idleLayout | idleNotify;
  } else {
    bar->SetWindowPos(nullptr, 0, 0, 0, 0,
                      SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    bar->DelayShow(show);
    if (show || (dock && !dock->m_bFloating)) barFrame->RecalcLayout();
  }
  if (dock && dock->m_bFloating) {
    int visible = dock->GetDockedVisibleCount();
    if (visible == 0 && show) visible = 1;
    CWnd* floating = dock->GetParent();
    if (visible == 1 && show) {
      floating->ShowWindow(SW_SHOWNA);
      if (!delay) barFrame->RecalcLayout();
    } else if (visible == 0) {
      floating->ShowWindow(SW_HIDE);
    } else if (!delay) {
      barFrame->RecalcLayout();
    }
  }
  if (auto* sec = dynamic_cast<SECDockBar*>(dock)) sec->SetChangedBar(show ? bar : nullptr);
}

// --- The saved layout -------------------------------------------------------------------------------

void LoadBarState(CFrameWnd* frame, SECControlBarManager* manager, LPCTSTR name) {
  SECDockState state(manager);
  state.LoadState(name);
  state.ApplyToFrame(frame);
}

void SaveBarState(CFrameWnd* frame, SECControlBarManager* manager, LPCTSTR name) {
  SECDockState state(manager);
  if (!state.CaptureFrame(frame)) return;
  state.CleanUpBarIds();
  state.SaveState(name);
}

void SetDockState(CFrameWnd* frame, const CDockState& state) {
  // Applying resolves the records' bars, which the state keeps: the records change, not the layout.
  if (auto* sec = dynamic_cast<SECDockState*>(const_cast<CDockState*>(&state))) {
    sec->ApplyToFrame(frame);
  } else {
    frame->CFrameWnd::SetDockState(state);
  }
}

void GetDockState(CFrameWnd* frame, CDockState& state) {
  if (auto* sec = dynamic_cast<SECDockState*>(&state)) {
    sec->CaptureFrame(frame);
  } else {
    frame->CFrameWnd::GetDockState(state);
  }
}

// --- Caption ----------------------------------------------------------------------------------------

BOOL CreateCaptionFont(CFont& font, BOOL italic) {
  NONCLIENTMETRICS metrics;
  if (!SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return FALSE;
  if (italic) metrics.lfCaptionFont.lfItalic = TRUE;
  return font.CreateFontIndirect(&metrics.lfCaptionFont);
}

void DrawCaption(CWnd* wnd, CDC* dc, const CRect& rect, BOOL active, int alignment, CFont& italic, CFont& normal) {
  if (active) {
    for (const caption::Band& band : caption::Gradient(rect.Width(), RGB(0, 0, 0), ::GetSysColor(COLOR_ACTIVECAPTION))) {
      dc->FillSolidRect(rect.left + band.left, rect.top, band.right - band.left, rect.Height(), band.colour);
    }
  } else {
    dc->FillSolidRect(&rect, ::GetSysColor(COLOR_INACTIVECAPTION));
  }
  CString text;
  if (wnd->m_hWnd) wnd->GetWindowText(text);
  const int hyphen = text.Find('-');
  const CString lead = hyphen < 0 ? text : text.Left(hyphen);
  const CString rest = hyphen < 0 ? CString() : text.Mid(hyphen);
  CFont* old = dc->SelectObject(&italic);
  const int leadWidth = dc->GetTextExtent(lead).cx;
  dc->SelectObject(&normal);
  const int restWidth = dc->GetTextExtent(rest).cx;
  const int left = rect.left + caption::TextLeft(alignment, 0, rect.Width(), leadWidth + restWidth);
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(active ? RGB(255, 255, 255) : ::GetSysColor(COLOR_INACTIVECAPTIONTEXT));
  const UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
  CRect part(left, rect.top, rect.right, rect.bottom);
  dc->SelectObject(&italic);
  dc->DrawText(lead, &part, format);
  part.left += leadWidth;
  dc->SelectObject(&normal);
  if (part.left < part.right) dc->DrawText(rest, &part, format);
  dc->SelectObject(old);
}

SECWndPlugIn* MakeMenuPlugIn(CWnd* host, CWnd* menuBar, BOOL bitmapMenus, SECControlBarManager* manager) {
  SECBmpMenuPlugIn* plugIn = nullptr;
  if (auto* bar = dynamic_cast<SECMenuBar*>(menuBar)) {
    auto* feature = new SECMenuBarFeature;
    feature->SetMenuBar(bar);
    plugIn = feature;
  } else if (bitmapMenus) {
    plugIn = new SECBmpMenuPlugIn(TRUE);
  }
  if (!plugIn) return nullptr;
  plugIn->PlugInTo(host);
  ShareMenuImages(plugIn, manager);
  return plugIn;
}

void ShareMenuImages(SECWndPlugIn* plugIn, SECControlBarManager* manager) {
  auto* menus = dynamic_cast<SECBmpMenuPlugIn*>(plugIn);
  auto* toolbars = dynamic_cast<SECToolBarManager*>(manager);
  if (menus && toolbars && toolbars->GetBmpMgr()) menus->SetBmpMgr(toolbars->GetBmpMgr());
}

std::unique_ptr<SECWndPlugIn> MakeWindowPlugIn(CWnd* host, const CRuntimeClass* kind, DWORD dwExStyle, DWORD dwParam,
                                               UINT nID) {
  if (!kind || !host || !host->m_hWnd) return nullptr;
  std::unique_ptr<CObject> made(kind->CreateObject());
  auto* plugIn = dynamic_cast<SECWndPlugIn*>(made.get());
  if (!plugIn) return nullptr;
  made.release();
  std::unique_ptr<SECWndPlugIn> owned(plugIn);
  if (!owned->CreateOwnWindow(dwExStyle, host, nID, reinterpret_cast<LPVOID>(uintptr_t(dwParam)))) return nullptr;
  // Its messages come through the host's window.
  if (!owned->PlugInTo(host)) return nullptr;
  return owned;
}

void FinishLayout(CFrameWnd* frame, bool first, CRect& inside) {
  if (first) {
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  } else {
    for (HWND child = ::GetTopWindow(frame->m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
      if (auto* dock = dynamic_cast<SECDockBar*>(CWnd::FromHandlePermanent(child))) dock->RedrawPendingBars();
    }
  }
  frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &inside, nullptr, FALSE);
}

}  // namespace secframe
