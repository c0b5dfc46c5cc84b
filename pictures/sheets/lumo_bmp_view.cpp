#include "pictures/sheets/lumo_bmp_view.h"

#include <algorithm>

#include "pictures/sheets/lumo_bmp_doc.h"
#include "controls/gs_toolbar_edit_btn.h"
#include "controls/mouse_manager.h"
#include "pictures/sheets/picture_zoom.h"
#include "pictures/sheets/ruler_marks.h"
#include "pictures/sheets/ruler_views.h"
#include "pictures/sheets/zoom_other_dlg.h"
#include "platform/base/cp1250.h"
#include "platform/framework/menu.h"
#include "platform/shell/clipboard.h"
#include "platform/shell/drag_drop.h"
#include "platform/win/cmd_ui.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "resources/resource_ids.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/main_frame.h"
#include "shell/print/list_print_job.h"
#include "shell/print/print_texts.h"
#include "shell/view/lumo_kal_view.h"

using namespace picturezoom;

namespace {
// The fixed zooms of the zoom commands ("Pomniejsz do 66%" shows 67 %).
int FixedZoomOf(UINT id) {
  switch (id) {
    case resources::ID_ZOOM_50: return 50;
    case resources::ID_ZOOM_66: return 67;
    case resources::ID_ZOOM_100: return 100;
    case resources::ID_ZOOM_150: return 150;
    case resources::ID_ZOOM_200: return 200;
    default: return 0;
  }
}

// A cursor of the program's resources, or the system's `fallback` when there is none.
HCURSOR LoadOwnCursor(UINT id, const char* fallback) {
  HCURSOR own = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(id));
  return own ? own : ::LoadCursor(nullptr, fallback);
}

bool KeyDown(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

// The corner's picture of a mouse mode.
int CornerModeOf(int mouseMode) {
  switch (mouseMode) {
    case CLumoBMPView::kZoom:
    case CLumoBMPView::kZoomPressed:
    case CLumoBMPView::kZoomDragging: return rulermarks::kCornerZoom;
    case CLumoBMPView::kPan:
    case CLumoBMPView::kPanPressed:
    case CLumoBMPView::kPanning: return rulermarks::kCornerPan;
    case CLumoBMPView::kRuler: return rulermarks::kCornerRuler;
    default: return rulermarks::kCornerNone;
  }
}
}  // namespace

IMPLEMENT_DYNCREATE(CLumoBMPView, CScrollView)

BEGIN_MESSAGE_MAP(CLumoBMPView, CScrollView)
  ON_WM_SIZE()
  ON_WM_ERASEBKGND()
  ON_WM_MOUSEWHEEL()
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_MBUTTONDOWN()
  ON_WM_RBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_KILLFOCUS()
  ON_WM_CAPTURECHANGED()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_SETCURSOR()
  ON_COMMAND_RANGE(resources::ID_FIT_WINDOW, resources::ID_ZOOM_200, &CLumoBMPView::OnZoomCommand)
  ON_COMMAND(resources::ID_ZOOM_66, &CLumoBMPView::OnZoomCommand66)
  ON_UPDATE_COMMAND_UI_RANGE(resources::ID_FIT_WINDOW, resources::ID_ZOOM_200, &CLumoBMPView::OnUpdateZoomCommand)
  ON_UPDATE_COMMAND_UI(resources::ID_ZOOM_66, &CLumoBMPView::OnUpdateZoomCommand)
  ON_COMMAND(resources::ID_ZOOM_OTHER, &CLumoBMPView::OnZoomOther)
  ON_UPDATE_COMMAND_UI(resources::ID_ZOOM_OTHER, &CLumoBMPView::OnUpdateZoomOther)
  ON_COMMAND(resources::ID_PAN_MODE, &CLumoBMPView::OnPanMode)
  ON_COMMAND(resources::ID_ZOOM_MODE, &CLumoBMPView::OnZoomMode)
  ON_COMMAND(resources::ID_RULER_MODE, &CLumoBMPView::OnRulerMode)
  ON_COMMAND(resources::ID_MOUSE_MODE_NONE, &CLumoBMPView::OnNoMode)
  ON_UPDATE_COMMAND_UI(resources::ID_PAN_MODE, &CLumoBMPView::OnUpdateModeCommand)
  ON_UPDATE_COMMAND_UI(resources::ID_ZOOM_MODE, &CLumoBMPView::OnUpdateModeCommand)
  ON_UPDATE_COMMAND_UI(resources::ID_RULER_MODE, &CLumoBMPView::OnUpdateModeCommand)
  ON_COMMAND(resources::ID_NEXT_PAGE, &CLumoBMPView::OnNextPage)
  ON_COMMAND(resources::ID_PREVIOUS_PAGE, &CLumoBMPView::OnPreviousPage)
  ON_UPDATE_COMMAND_UI(resources::ID_NEXT_PAGE, &CLumoBMPView::OnUpdateNextPage)
  ON_UPDATE_COMMAND_UI(resources::ID_PREVIOUS_PAGE, &CLumoBMPView::OnUpdatePreviousPage)
  ON_COMMAND(ID_EDIT_UNDO, &CLumoBMPView::OnGoBack)
  ON_COMMAND(resources::ID_COPY_PICTURE, &CLumoBMPView::OnCopy)
  ON_COMMAND(resources::ID_LOCATE_IN_LIBRARY, &CLumoBMPView::OnLocate)
  ON_COMMAND(ID_FILE_PRINT, &CLumoBMPView::OnPrintPicture)
END_MESSAGE_MAP()

CLumoBMPView::CLumoBMPView() = default;

CLumoBMPView::~CLumoBMPView() = default;

CLumoBMPDoc* CLumoBMPView::GetDocument() const { return dynamic_cast<CLumoBMPDoc*>(m_pDocument); }

BOOL CLumoBMPView::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= WS_HSCROLL | WS_VSCROLL;
  return CScrollView::PreCreateWindow(cs);
}

void CLumoBMPView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  // The view draws in client coordinates and places the picture itself.
  CView::OnPrepareDC(pDC, pInfo);
}

int CLumoBMPView::FitZoom() const {
  CRect client;
  GetClientRect(&client);
  if (fitMode == kFitWindow) return FitToWindowZoom(client.Width(), client.Height(), pictureWidth, pictureHeight);
  // Room is left for the vertical scroll bar the fitted picture may need.
  return FitToWidthZoom(client.Width(), ::GetSystemMetrics(SM_CXVSCROLL), pictureWidth);
}

void CLumoBMPView::OnInitialUpdate() {
  panCursor = LoadOwnCursor(resources::IDC_PAN, IDC_HAND);
  grabCursor = LoadOwnCursor(resources::IDC_GRAB, IDC_SIZEALL);
  crossCursor = LoadOwnCursor(resources::IDC_CROSS_HAIR, IDC_CROSS);
  zoomInCursor = LoadOwnCursor(resources::IDC_ZOOM_IN, IDC_CROSS);
  zoomOutCursor = LoadOwnCursor(resources::IDC_ZOOM_OUT, IDC_CROSS);
  CLumoBMPDoc* doc = GetDocument();
  image = doc ? doc->GetImage() : nullptr;
  pictureWidth = image ? image->GetWidth() : 0;
  pictureHeight = image ? image->GetHeight() : 0;
  if (fitMode < kFitWindow || fitMode > kFreeZoom) {
    zoomPercent = 100;
  } else if (image && (fitMode == kFitWindow || fitMode == kFitWidth)) {
    zoomPercent = FitZoom();
  }
  zoomFactor = FactorOf(zoomPercent);
  UpdateScrollSizes();
  CScrollView::OnInitialUpdate();
  // The position field shows nothing until the ruler mode measures.
  if (CGSToolbarEditBtn* field = PositionField()) {
    field->SetPosition(0, 0, float(zoomFactor));
    field->EnableFields(mouseMode == kRuler);
  }
  NotifyRulers(rulermarks::UpdateCode(rulermarks::kZoomChanged, rulermarks::kHorzScroll), GetDeviceScrollPosition());
  NotifyRulers(rulermarks::UpdateCode(rulermarks::kZoomChanged, rulermarks::kVertScroll), GetDeviceScrollPosition());
}

CRulerSplitterWnd* CLumoBMPView::GetRulerSplitter() const { return dynamic_cast<CRulerSplitterWnd*>(GetParent()); }

void CLumoBMPView::NotifyRulers(UINT code, CPoint point) {
  if (CRulerSplitterWnd* splitter = GetRulerSplitter()) splitter->NotifyRulers(this, code, point);
}

void CLumoBMPView::NotifyScroll(UINT scrollCode) {
  const CPoint scroll = GetDeviceScrollPosition();
  NotifyRulers(rulermarks::UpdateCode(scrollCode, rulermarks::kHorzScroll), scroll);
  NotifyRulers(rulermarks::UpdateCode(scrollCode, rulermarks::kVertScroll), scroll);
}

void CLumoBMPView::ShowCornerMode(int cornerMode) {
  CRulerSplitterWnd* splitter = GetRulerSplitter();
  if (auto* corner = splitter ? dynamic_cast<CRulerCornerView*>(splitter->GetPane(0, 0)) : nullptr) {
    corner->SetMode(cornerMode);
  }
}

CGSToolbarEditBtn* CLumoBMPView::PositionField() const { return sheets::FindPositionField(); }

BOOL CLumoBMPView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll) {
  const CPoint before = GetDeviceScrollPosition();
  const BOOL moved = CScrollView::OnScrollBy(sizeScroll, bDoScroll);
  const CPoint after = GetDeviceScrollPosition();
  if (after.x != before.x) NotifyRulers(rulermarks::UpdateCode(rulerScrollCode, rulermarks::kHorzScroll), after);
  if (after.y != before.y) NotifyRulers(rulermarks::UpdateCode(rulerScrollCode, rulermarks::kVertScroll), after);
  return moved;
}

void CLumoBMPView::UpdateScrollSizes() {
  const CSize total(static_cast<int>(pictureWidth / zoomFactor), static_cast<int>(pictureHeight / zoomFactor));
  SetScrollSizes(MM_TEXT, total);
  CRect client;
  GetClientRect(&client);
  fitsVertically = total.cy <= client.Height();
  fitsHorizontally = total.cx <= client.Width();
  if (FitsBothWays() && ::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void CLumoBMPView::OnSize(UINT nType, int cx, int cy) {
  CScrollView::OnSize(nType, cx, cy);
  if (!image) return;
  if (fitMode == kFitWindow || fitMode == kFitWidth) {
    zoomPercent = FitZoom();
    zoomFactor = FactorOf(zoomPercent);
  }
  UpdateScrollSizes();
  NotifyScroll(rulermarks::kZoomChanged);
}

BOOL CLumoBMPView::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, RGB(255, 255, 255));
  return TRUE;
}

void CLumoBMPView::SetZoom(int percent) {
  const std::optional<int> zoom = ClampZoom(percent, zoomPercent, fitMode);
  if (!zoom) return;
  // A zoom ends a pan the space bar started.
  if (savedMode >= 0) {
    SetMouseMode(savedMode);
    savedMode = -1;
  }
  const double oldFactor = zoomFactor;
  zoomPercent = *zoom;
  zoomFactor = FactorOf(zoomPercent);
  CRect client;
  GetClientRect(&client);
  if (anchor == CPoint(0, 0)) anchor = CPoint(client.Width() / 2, client.Height() / 2);
  const CPoint scroll = GetDeviceScrollPosition();
  const CPoint target(ZoomedScroll(anchor.x, scroll.x, oldFactor, zoomFactor, client.Width()),
                      ZoomedScroll(anchor.y, scroll.y, oldFactor, zoomFactor, client.Height()));
  anchor = target;
  UpdateScrollSizes();
  ScrollToPosition(CPoint(std::max(0L, long(target.x)), std::max(0L, long(target.y))));
  // The cross-hair waits for the mouse to move again.
  crossHair = CPoint(-1, -1);
  NotifyScroll(rulermarks::kZoomChanged);
  Invalidate(TRUE);
  if (FitsBothWays()) ShowCornerMode(rulermarks::kCornerNone);
}

void CLumoBMPView::OnDraw(CDC* pDC) {
  crossHairShown = FALSE;
  if (!image) return;
  CRect client;
  GetClientRect(&client);
  const CPoint scroll = GetDeviceScrollPosition();
  const Span x = PlaceAxis(pictureWidth, zoomFactor, client.Width(), scroll.x);
  const Span y = PlaceAxis(pictureHeight, zoomFactor, client.Height(), scroll.y);
  CPalette* palette = image->GetPalette();
  CPalette* old = palette ? pDC->SelectPalette(palette, TRUE) : nullptr;
  if (palette) pDC->RealizePalette();
  if (zoomFactor == 1.0) {
    image->Draw(pDC, x.start, y.start);
  } else {
    image->Stretch(pDC, x.start, y.start, x.length, y.length);
  }
  if (palette) pDC->SelectPalette(old, TRUE);
  pictureRect = CRect(x.start, y.start, x.start + x.length, y.start + y.length);
  // The zoom mode's rubber band, over the picture.
  if (mouseMode == kZoomDragging) {
    CPen pen(PS_DOT, 1, RGB(0, 0, 0));
    CPen* oldPen = pDC->SelectObject(&pen);
    CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);
    pDC->Rectangle(std::min(pressPoint.x, bandCorner.x), std::min(pressPoint.y, bandCorner.y),
                   std::max(pressPoint.x, bandCorner.x), std::max(pressPoint.y, bandCorner.y));
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
  }
  // The ruler mode's cross-hair, over everything: a line each way through the mouse point, in the
  // inverse of what lies beneath so that it shows on any picture.
  if (mouseMode == kRuler && crossHair.x >= 0 && crossHair.y >= 0) {
    CRect client;
    GetClientRect(&client);
    const int oldRop = pDC->SetROP2(R2_NOT);
    pDC->MoveTo(crossHair.x, client.top);
    pDC->LineTo(crossHair.x, client.bottom);
    pDC->MoveTo(client.left, crossHair.y);
    pDC->LineTo(client.right, crossHair.y);
    pDC->SetROP2(oldRop);
    crossHairShown = TRUE;
  }
}

// --- Commands ---------------------------------------------------------------------------------------

void CLumoBMPView::OnZoomCommand(UINT nID) {
  if (nID != resources::ID_FIT_WINDOW && nID != resources::ID_FIT_WIDTH && !FixedZoomOf(nID)) return;
  MoveCrossHair(CPoint(-1, -1));
  if (nID == resources::ID_FIT_WINDOW || nID == resources::ID_FIT_WIDTH) {
    anchor = CPoint(-1, -1);
    fitMode = nID == resources::ID_FIT_WINDOW ? kFitWindow : kFitWidth;
    SetZoom(FitZoom());
    return;
  }
  fitMode = kFixedZoom;
  SetZoom(FixedZoomOf(nID));
}

void CLumoBMPView::OnZoomCommand66() { OnZoomCommand(resources::ID_ZOOM_66); }

void CLumoBMPView::OnUpdateZoomCommand(CCmdUI* pCmdUI) {
  const UINT id = pCmdUI->m_nID;
  if (id == resources::ID_FIT_WINDOW) {
    pCmdUI->SetCheck(fitMode == kFitWindow);
  } else if (id == resources::ID_FIT_WIDTH) {
    pCmdUI->SetCheck(fitMode == kFitWidth);
  } else if (const int zoom = FixedZoomOf(id)) {
    pCmdUI->SetCheck(fitMode == kFixedZoom && zoomPercent == zoom);
  } else {
    pCmdUI->ContinueRouting();
  }
}

void CLumoBMPView::OnUpdateZoomOther(CCmdUI* pCmdUI) { pCmdUI->SetCheck(fitMode == kFreeZoom); }

void CLumoBMPView::SetMouseMode(int mode) {
  if (mode == mouseMode) return;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  const bool wasRuler = mouseMode == kRuler;
  mouseMode = mode;
  // Only the ruler mode measures.
  if (wasRuler != (mode == kRuler)) {
    if (CGSToolbarEditBtn* field = PositionField()) {
      field->SetPosition(0, 0, float(zoomFactor));
      field->EnableFields(mode == kRuler);
    }
    crossHair = CPoint(-1, -1);
  }
  ShowCornerMode(CornerModeOf(mode));
  switch (mode) {
    case kZoom: cursor = KeyDown(VK_MENU) ? zoomOutCursor : zoomInCursor; break;
    case kPan: cursor = panCursor; break;
    case kRuler: cursor = crossCursor; break;
    default: cursor = nullptr; break;
  }
  anchor = CPoint(-1, -1);
  Invalidate(FALSE);
}

void CLumoBMPView::ToggleMode(int mode) { SetMouseMode(mouseMode == mode ? kNone : mode); }

void CLumoBMPView::OnPanMode() {
  const bool panning = mouseMode >= kPan && mouseMode <= kPanning;
  SetMouseMode(panning ? kNone : kPan);
}

void CLumoBMPView::OnZoomMode() {
  const bool zooming = mouseMode >= kZoom && mouseMode <= kZoomDragging;
  SetMouseMode(zooming ? kNone : kZoom);
}

void CLumoBMPView::OnRulerMode() { ToggleMode(kRuler); }

void CLumoBMPView::OnNoMode() { SetMouseMode(kNone); }

void CLumoBMPView::OnUpdateModeCommand(CCmdUI* pCmdUI) {
  switch (pCmdUI->m_nID) {
    case resources::ID_PAN_MODE:
      pCmdUI->Enable(!FitsBothWays());
      pCmdUI->SetCheck(mouseMode >= kPan && mouseMode <= kPanning);
      break;
    case resources::ID_ZOOM_MODE: pCmdUI->SetCheck(mouseMode >= kZoom && mouseMode <= kZoomDragging); break;
    default: pCmdUI->SetCheck(mouseMode == kRuler); break;
  }
}

void CLumoBMPView::OnZoomOther() {
  CZoomotherDlg dialog(this);
  dialog.zoom = zoomPercent;
  if (dialog.DoModal() != IDOK) return;
  MoveCrossHair(CPoint(-1, -1));
  fitMode = kFreeZoom;
  SetZoom(dialog.zoom);
}

// --- Wheel, keys and mouse --------------------------------------------------------------------------

BOOL CLumoBMPView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) {
  const UINT keys = nFlags & (MK_CONTROL | MK_SHIFT);
  if (keys == MK_CONTROL) {
    fitMode = kFreeZoom;
    SetZoom(zoomPercent + (zDelta > 0 ? 25 : -25));
    return TRUE;
  }
  if (keys == MK_SHIFT) return TRUE;
  return CScrollView::OnMouseWheel(nFlags, zDelta, pt);
}

void CLumoBMPView::ScrollKey(int dx, int dy) {
  const CSize total = GetTotalSize();
  CRect client;
  GetClientRect(&client);
  // Only a direction with a scroll range moves.
  if (total.cx <= client.Width()) dx = 0;
  if (total.cy <= client.Height()) dy = 0;
  if (dx || dy) OnScrollBy(CSize(dx, dy));
}

void CLumoBMPView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  CRect client;
  GetClientRect(&client);
  const bool ctrl = KeyDown(VK_CONTROL);
  const int stepX = std::max(client.Width() / 20, 3);
  const int stepY = std::max(client.Height() / 20, 3);
  switch (nChar) {
    case VK_SPACE:
      if (savedMode < 0 && (mouseMode == kNone || mouseMode == kZoom || mouseMode == kRuler)) {
        savedMode = mouseMode;
        SetMouseMode(kPan);
      }
      return;
    case VK_PRIOR: ctrl ? ScrollKey(-client.Width() / 2, 0) : ScrollKey(0, -client.Height() / 2); return;
    case VK_NEXT: ctrl ? ScrollKey(client.Width() / 2, 0) : ScrollKey(0, client.Height() / 2); return;
    case VK_LEFT: ScrollKey(-stepX, 0); return;
    case VK_RIGHT: ScrollKey(stepX, 0); return;
    case VK_UP: ScrollKey(0, -stepY); return;
    case VK_DOWN: ScrollKey(0, stepY); return;
    case VK_MENU:
      if (mouseMode == kZoom || mouseMode == kZoomPressed) cursor = zoomOutCursor;
      return;
    default: CScrollView::OnKeyDown(nChar, nRepCnt, nFlags);
  }
}

void CLumoBMPView::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_SPACE && savedMode >= 0) {
    const int mode = savedMode;
    savedMode = -1;
    SetMouseMode(mode);
    return;
  }
  if (nChar == VK_MENU && (mouseMode == kZoom || mouseMode == kZoomPressed)) cursor = zoomInCursor;
  CScrollView::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CLumoBMPView::OnLButtonDown(UINT nFlags, CPoint point) {
  if (::GetFocus() != m_hWnd) SetFocus();
  if (mouseMode == kZoom) {
    mouseMode = kZoomPressed;
    pressPoint = bandCorner = point;
    SetCapture();
  } else if (mouseMode == kPan) {
    mouseMode = kPanPressed;
    cursor = grabCursor;
    ::SetCursor(cursor);
    anchor = point;
    dragOrigin = GetDeviceScrollPosition();
    SetCapture();
  }
  CScrollView::OnLButtonDown(nFlags, point);
}

void CLumoBMPView::OnMouseMove(UINT nFlags, CPoint point) {
  CRect client;
  GetClientRect(&client);
  const bool inside = client.PtInRect(point) != FALSE;
  if (mouseMode == kZoomPressed || mouseMode == kZoomDragging) {
    if (point != pressPoint) {
      mouseMode = kZoomDragging;
      bandCorner = point;
      Invalidate(FALSE);
    }
  } else if (mouseMode == kPanPressed || mouseMode == kPanning) {
    mouseMode = kPanning;
    CPoint target = GetDeviceScrollPosition();
    if (!fitsHorizontally) target.x = dragOrigin.x + anchor.x - point.x;
    if (!fitsVertically) target.y = dragOrigin.y + anchor.y - point.y;
    target.x = std::max(0L, long(target.x));
    target.y = std::max(0L, long(target.y));
    ScrollToPosition(target);
    NotifyScroll(SB_THUMBTRACK);
    Invalidate(FALSE);
  } else if (mouseMode == kRuler) {
    // The view keeps the mouse while it is over it, so that leaving it takes the cross-hair away.
    if (inside) {
      if (::GetCapture() != m_hWnd) SetCapture();
      MoveCrossHair(point);
      ShowPosition(point);
    } else {
      MoveCrossHair(CPoint(-1, -1));
      ShowPosition(CPoint(-1, -1));
      if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    }
  }
  // The rulers mark where the mouse is.
  const CPoint mark = inside ? point : CPoint(-1, -1);
  NotifyRulers(rulermarks::UpdateCode(0, rulermarks::kHorzMouse), mark);
  NotifyRulers(rulermarks::UpdateCode(0, rulermarks::kVertMouse), mark);
  CScrollView::OnMouseMove(nFlags, point);
}

void CLumoBMPView::MoveCrossHair(CPoint point) {
  if (point == crossHair) return;
  CRect client;
  GetClientRect(&client);
  // The lines' old and new places are painted again, the margins white.
  for (const CPoint at : {crossHair, point}) {
    if (at.x < 0 || at.y < 0) continue;
    InvalidateRect(CRect(at.x, client.top, at.x + 1, client.bottom), TRUE);
    InvalidateRect(CRect(client.left, at.y, client.right, at.y + 1), TRUE);
  }
  crossHair = point;
  if (point.x >= 0 && point.y >= 0) anchor = point;
  else anchor = CPoint(-1, -1);
  crossHairShown = FALSE;
  UpdateWindow();
}

void CLumoBMPView::ShowPosition(CPoint point) {
  CGSToolbarEditBtn* field = PositionField();
  if (!field) return;
  const std::optional<int> x = rulermarks::ReadOutValue(point.x - pictureRect.left, pictureRect.Width());
  const std::optional<int> y = rulermarks::ReadOutValue(point.y - pictureRect.top, pictureRect.Height());
  if (!x || !y || point.x < 0 || point.y < 0) {
    field->SetPosition(0, 0, float(zoomFactor));
    field->EnableFields(FALSE);
    return;
  }
  field->EnableFields(TRUE);
  field->SetPosition(*x, *y, float(zoomFactor));
}

void CLumoBMPView::OnCaptureChanged(CWnd* pWnd) {
  // Losing the mouse in the ruler mode takes the cross-hair away.
  if (mouseMode == kRuler && pWnd != this) MoveCrossHair(CPoint(-1, -1));
  CScrollView::OnCaptureChanged(pWnd);
}

void CLumoBMPView::OnKillFocus(CWnd* pNewWnd) {
  if (mouseMode == kRuler) {
    MoveCrossHair(CPoint(-1, -1));
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  }
  anchor = CPoint(-1, -1);
  CScrollView::OnKillFocus(pNewWnd);
}

void CLumoBMPView::OnMButtonDown(UINT nFlags, CPoint point) {
  if (::GetFocus() != m_hWnd) {
    SetFocus();
    return;
  }
  if ((nFlags & (MK_LBUTTON | MK_RBUTTON | MK_CONTROL)) == 0) StartWheelScrolling(this, point);
}

void CLumoBMPView::WheelScroll(shell::view::WheelDirection direction, int) {
  using shell::view::WheelDirection;
  switch (direction) {
    case WheelDirection::left: if (!fitsHorizontally) OnHScroll(SB_LINELEFT, 0, nullptr); break;
    case WheelDirection::right: if (!fitsHorizontally) OnHScroll(SB_LINERIGHT, 0, nullptr); break;
    case WheelDirection::up: if (!fitsVertically) OnVScroll(SB_LINEUP, 0, nullptr); break;
    case WheelDirection::down: if (!fitsVertically) OnVScroll(SB_LINEDOWN, 0, nullptr); break;
    case WheelDirection::none: break;
  }
}

void CLumoBMPView::OnRButtonDown(UINT nFlags, CPoint point) {
  if (::GetFocus() != m_hWnd) {
    SetFocus();
    return;
  }
  if (mouseMode == kRuler) {
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    MoveCrossHair(CPoint(-1, -1));
  }
  anchor = CPoint(-1, -1);
  CMenu menu;
  if (!menu.LoadMenu(resources::IDR_TEXT_VIEW_MENU)) return;
  CMenu* items = menu.GetSubMenu(resources::kPictureSheetPopup);
  CLumoApp* app = LumoApp();
  CMainFrame* main = app ? app->GetMainFrame() : nullptr;
  if (!items || !main) return;
  CPoint screen = point;
  ClientToScreen(&screen);
  main->TrackContextMenu(items, screen, this);
  (void)nFlags;
}

void CLumoBMPView::OnLButtonDblClk(UINT nFlags, CPoint point) {
  // The command the user gave a double click in picture sheets, sent to the main window.
  CGSMouseManager* manager = CGSMouseManager::GetMouseManager();
  CWnd* main = AfxGetMainWnd();
  if (manager && main) manager->DispatchAction(kMouseContextPicture, main);
  CScrollView::OnLButtonDblClk(nFlags, point);
}

void CLumoBMPView::OnLButtonUp(UINT nFlags, CPoint point) {
  if (mouseMode == kZoomPressed) {
    // A click: a step of 25 around the point clicked (Alt: out).
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    mouseMode = kZoom;
    anchor = point;
    if (pictureRect.left > 0) anchor.x -= pictureRect.left;
    if (pictureRect.top > 0) anchor.y -= pictureRect.top;
    fitMode = kFreeZoom;
    SetZoom(zoomPercent + (KeyDown(VK_MENU) ? -25 : 25));
  } else if (mouseMode == kZoomDragging) {
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    mouseMode = kZoom;
    const CRect band(std::min(pressPoint.x, point.x), std::min(pressPoint.y, point.y),
                     std::max(pressPoint.x, point.x), std::max(pressPoint.y, point.y));
    Invalidate(FALSE);
    if (band.Width() >= 5 && band.Height() >= 5) {
      CRect client;
      GetClientRect(&client);
      const RectZoom zoom = ZoomToRect(band.left, band.top, band.right, band.bottom, client.Width(),
                                       client.Height(), zoomFactor);
      // The picture point under the band's centre, relative to a centred picture's corner.
      anchor = CPoint(zoom.anchorX - std::max(0L, long(pictureRect.left)),
                      zoom.anchorY - std::max(0L, long(pictureRect.top)));
      fitMode = kFreeZoom;
      SetZoom(zoom.percent);
    }
  } else if (mouseMode == kPanPressed || mouseMode == kPanning) {
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    mouseMode = kPan;
    cursor = panCursor;
    anchor = dragOrigin = CPoint(-1, -1);
  }
  CScrollView::OnLButtonUp(nFlags, point);
}

void CLumoBMPView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  rulerScrollCode = nSBCode;
  CScrollView::OnHScroll(nSBCode, nPos, pScrollBar);
  rulerScrollCode = rulermarks::kZoomChanged;
  Invalidate(FALSE);
}

void CLumoBMPView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  rulerScrollCode = nSBCode;
  CScrollView::OnVScroll(nSBCode, nPos, pScrollBar);
  rulerScrollCode = rulermarks::kZoomChanged;
  Invalidate(FALSE);
}

BOOL CLumoBMPView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTCLIENT && cursor) {
    ::SetCursor(cursor);
    return TRUE;
  }
  return CScrollView::OnSetCursor(pWnd, nHitTest, message);
}

// --- Pages ------------------------------------------------------------------------------------------

BOOL CLumoBMPView::HasPage(int step) {
  int& state = step > 0 ? nextPageState : prevPageState;
  if (state < 0) {
    CLumoBMPDoc* doc = GetDocument();
    const std::optional<std::string> name = doc ? NeighbourPageName(doc->pictureName.str(), step) : std::nullopt;
    CLumoApp* app = LumoApp();
    state = name && app && app->PictureExists(CString(*name)) ? 1 : 0;
  }
  return state == 1;
}

void CLumoBMPView::ResetPicture() {
  image = nullptr;
  pictureWidth = pictureHeight = 0;
  prevPageState = nextPageState = -1;
}

BOOL CLumoBMPView::TurnPage(int step) {
  CLumoBMPDoc* doc = GetDocument();
  CLumoApp* app = LumoApp();
  if (!doc || !app) return FALSE;
  const std::optional<std::string> name = NeighbourPageName(doc->pictureName.str(), step);
  int& state = step > 0 ? nextPageState : prevPageState;
  CString path = name ? CString(*name) : CString();
  BeginWaitCursor();
  const BOOL extracted = name && app->ExtractPicture(path);
  EndWaitCursor();
  if (!extracted) {
    state = 0;
    return FALSE;
  }
  // The new page is read before the old one goes: a page that cannot be read leaves the current.
  CLumoBMPDoc probe;
  if (!probe.LoadImage(path)) {
    probe.tempPath = path;
    state = 0;
    return FALSE;
  }
  doc->DeleteTempFile();
  ResetPicture();
  doc->image = std::move(probe.image);
  doc->tempPath = path;
  doc->pictureName = CString(*name);
  OnInitialUpdate();
  Invalidate(TRUE);
  return TRUE;
}

void CLumoBMPView::OnNextPage() { TurnPage(1); }
void CLumoBMPView::OnPreviousPage() { TurnPage(-1); }
void CLumoBMPView::OnUpdateNextPage(CCmdUI* pCmdUI) { pCmdUI->Enable(HasPage(1)); }
void CLumoBMPView::OnUpdatePreviousPage(CCmdUI* pCmdUI) { pCmdUI->Enable(HasPage(-1)); }

// --- History and the way back -----------------------------------------------------------------------

int CLumoBMPView::CopyHistoryFrom(const std::deque<std::unique_ptr<CMvHistoryItem>>& items) {
  if (!m_hWnd) return int(history.size());
  for (const auto& item : items) history.push_back(std::make_unique<CMvHistoryItem>(*item));
  return int(history.size());
}

void CLumoBMPView::CopyHistoryFrom(CView* pOther) {
  if (auto* text = dynamic_cast<CLumoKALView*>(pOther)) {
    if (!text->m_hWnd) return;
    for (int i = 0; i < text->GetHistoryCount(); ++i) {
      if (const CMvHistoryItem* item = text->GetHistoryItem(i)) history.push_back(std::make_unique<CMvHistoryItem>(*item));
    }
  } else if (auto* picture = dynamic_cast<CLumoBMPView*>(pOther); picture && picture != this) {
    CopyHistoryFrom(picture->history);
  }
}

void CLumoBMPView::ClearHistory() { history.clear(); }

int32_t CLumoBMPView::GetShownTopic() const {
  auto* frame = dynamic_cast<CChildBMPFrame*>(GetParentFrame());
  return frame ? frame->m_nTopic : -1;
}

int CLumoBMPView::GetShownScroll() const {
  auto* frame = dynamic_cast<CChildBMPFrame*>(GetParentFrame());
  return frame ? frame->m_nScroll : 0;
}

BOOL CLumoBMPView::ReturnToSourceTopic() {
  auto* frame = dynamic_cast<CChildBMPFrame*>(GetParentFrame());
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  CLumoApp* app = LumoApp();
  if (!frame || !work || !app || frame->m_nTopic < 0) return FALSE;
  // The act's sheet opens while this one still counts against the limit.
  CUserData& settings = app->GetUserData();
  ++settings.m_nMaxSheets;
  // A saved topic waiting makes the work open a new text sheet, which takes this sheet's place.
  work->SetSavedTopic(frame->m_nTopic);
  const BOOL opened = work->OpenTopic(frame->m_nTopic, 0, frame->m_nScroll);
  --settings.m_nMaxSheets;
  return opened;
}

void CLumoBMPView::OnGoBack() { ReturnToSourceTopic(); }

void CLumoBMPView::OnLocate() { LocateTopicInLibrary(CLumoKALDoc::GetCurrentWork(), GetShownTopic()); }

// --- Copy and print ---------------------------------------------------------------------------------

BOOL CLumoBMPView::CopyPicture() {
  if (!image) return FALSE;
  CClientDC windowDC(this);
  CDC memory;
  if (!memory.CreateCompatibleDC(&windowDC)) return FALSE;
  auto bitmap = std::make_unique<CBitmap>();
  if (!bitmap->CreateCompatibleBitmap(&windowDC, pictureWidth, pictureHeight)) return FALSE;
  CBitmap* old = memory.SelectObject(bitmap.get());
  memory.FillSolidRect(0, 0, pictureWidth, pictureHeight, RGB(255, 255, 255));
  CPalette* palette = image->GetPalette();
  CPalette* oldPalette = palette ? memory.SelectPalette(palette, TRUE) : nullptr;
  if (palette) memory.RealizePalette();
  image->Draw(&memory, 0, 0);
  if (palette) memory.SelectPalette(oldPalette, TRUE);
  memory.SelectObject(old);
  STGMEDIUM medium{};
  medium.tymed = TYMED_GDI;
  medium.hBitmap = static_cast<HBITMAP>(bitmap->Detach());
  auto source = std::make_unique<COleDataSource>();
  source->CacheData(CF_BITMAP, &medium);
  return source->SetClipboard();
}

void CLumoBMPView::OnCopy() { CopyPicture(); }

void CLumoBMPView::OnPrintPicture() {
  if (!image) return;
  CBMPPrintJob job;
  job.image = image;
  CLumoApp* app = LumoApp();
  CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork();
  if (app && work) {
    const CUserData& settings = app->GetUserData();
    // The header cites the act the picture belongs to.
    const int32_t topic = GetShownTopic();
    if (topic >= 0) {
      shell::ActDescription act;
      work->GetActDescription(topic, act);
      job.headerText = printtext::PictureCitation(act, settings.m_bShortActNumber != 0);
    }
    job.footerText = printtext::WorkInfoFromSettings(settings, work->GetTitle());
  }
  job.Print();
}

void CLumoBMPView::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
  if (!image || !pInfo) return;
  const int w = MulDiv(pictureWidth, pDC->GetDeviceCaps(LOGPIXELSX), 150);
  const int h = MulDiv(pictureHeight, pDC->GetDeviceCaps(LOGPIXELSY), 150);
  const CRect page = pInfo->m_rectDraw;
  image->Stretch(pDC, page.left + (page.Width() - w) / 2, page.top + (page.Height() - h) / 2, w, h);
}
