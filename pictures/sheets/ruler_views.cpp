#include "pictures/sheets/ruler_views.h"

#include <algorithm>
#include <cstring>

#include "pictures/sheets/lumo_bmp_view.h"
#include "pictures/sheets/ruler_marks.h"
#include "platform/framework/app.h"
#include "platform/win/bitmap_loading.h"
#include "platform/win/system_metrics.h"
#include "resources/resource_ids.h"

namespace rulermarks {

int NextCornerMode(int mode, bool fitsBothWays) {
  switch (mode) {
    case kCornerNone: return fitsBothWays ? kCornerZoom : kCornerPan;
    case kCornerPan: return kCornerZoom;
    case kCornerZoom: return kCornerRuler;
    default: return kCornerNone;
  }
}

UINT CommandOfCornerMode(int mode) {
  switch (mode) {
    case kCornerPan: return resources::ID_PAN_MODE;
    case kCornerZoom: return resources::ID_ZOOM_MODE;
    case kCornerRuler: return resources::ID_RULER_MODE;
    default: return resources::ID_MOUSE_MODE_NONE;
  }
}

}  // namespace rulermarks

using namespace rulermarks;

namespace {

// The window class of the rulers and the corner: double clicks, the arrow, the menu colour (byte
// alignment of windows means nothing here).
LPCTSTR RulerClass() {
  return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                             reinterpret_cast<HBRUSH>(COLOR_MENU + 1));
}

// The sheet's picture view: the frame's active view when it is one.
CLumoBMPView* PictureViewOf(const CView* pane) {
  CFrameWnd* frame = pane->GetParentFrame();
  return frame ? dynamic_cast<CLumoBMPView*>(frame->GetActiveView()) : nullptr;
}

// The focus goes on to the picture pane when the sheet has its picture view.
bool PassFocusToPicture(CView* pane) {
  auto* splitter = dynamic_cast<CRulerSplitterWnd*>(pane->GetParent());
  if (!splitter || !PictureViewOf(pane)) return false;
  splitter->SetActivePane(1, 1);
  return true;
}

}  // namespace

// --- Splitter ---------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CRulerSplitterWnd, CSplitterWnd)

CRulerSplitterWnd::CRulerSplitterWnd() {
  // No bars are drawn; the panes keep a pixel apart.
  m_cxSplitter = m_cySplitter = 0;
  m_cxSplitterGap = m_cySplitterGap = 1;
}

int CRulerSplitterWnd::HitTest(CPoint) const { return noHit; }

void CRulerSplitterWnd::NotifyRulers(CView* pSender, UINT code, CPoint point) {
  const UINT kind = LOWORD(code);
  CWnd* pane = nullptr;
  if (kind == kHorzScroll || kind == kHorzMouse) pane = GetPane(0, 1);
  else if (kind == kVertScroll || kind == kVertMouse) pane = GetPane(1, 0);
  auto* ruler = dynamic_cast<CRulerView*>(pane);
  if (!ruler) return;
  CRulerUpdate update(point);
  ruler->OnUpdate(pSender, LPARAM(code), &update);
}

// --- Rulers -----------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CRulerView, CView)

BEGIN_MESSAGE_MAP(CRulerView, CView)
  ON_WM_SETFOCUS()
  ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CRulerView::CRulerView() = default;
CRulerView::~CRulerView() = default;

BOOL CRulerView::PreCreateWindow(CREATESTRUCT& cs) {
  cs.lpszClass = RulerClass();
  return CView::PreCreateWindow(cs);
}

CLumoBMPView* CRulerView::PictureView() const { return PictureViewOf(this); }

int CRulerView::Depth() const {
  CRect client;
  GetClientRect(&client);
  return IsHorizontal() ? client.Height() : client.Width();
}

CRect CRulerView::AlongAcross(int alongFrom, int alongTo, int acrossFrom, int acrossTo) const {
  return IsHorizontal() ? CRect(alongFrom, acrossFrom, alongTo, acrossTo) : CRect(acrossFrom, alongFrom, acrossTo, alongTo);
}

picturezoom::Span CRulerView::PictureSpan(const CLumoBMPView* view) const {
  CRect viewClient;
  view->GetClientRect(&viewClient);
  const CPoint scroll = view->GetDeviceScrollPosition();
  const CSize size = view->GetPictureSize();
  return IsHorizontal() ? picturezoom::PlaceAxis(size.cx, view->GetZoomFactor(), viewClient.Width(), scroll.x)
                        : picturezoom::PlaceAxis(size.cy, view->GetZoomFactor(), viewClient.Height(), scroll.y);
}

void CRulerView::OnDraw(CDC* pDC) {
  markShown = FALSE;
  GetClientRect(&clientRect);
  pDC->FillSolidRect(&clientRect, ::GetSysColor(COLOR_BTNFACE));
  CLumoBMPView* view = PictureView();
  if (!view || !view->GetImage()) {
    markPos = kNoMark;
    return;
  }
  const bool horizontal = IsHorizontal();
  const int length = horizontal ? clientRect.Width() : clientRect.Height();
  // The band lies against the picture; the pane's spare pixels are on its outer side.
  const int outer = std::max(0, Depth() - kBandDepth);
  CRect viewClient;
  view->GetClientRect(&viewClient);
  const CPoint scroll = view->GetDeviceScrollPosition();
  const CSize size = view->GetPictureSize();
  RulerInput input;
  input.pictureSize = horizontal ? size.cx : size.cy;
  input.factor = view->GetZoomFactor();
  input.viewClient = horizontal ? viewClient.Width() : viewClient.Height();
  input.scroll = horizontal ? scroll.x : scroll.y;
  // The ruler ends where the picture view's client area ends (its scroll bar lies beyond).
  input.rulerLength = std::min(length, input.viewClient);
  input.dpi = pDC->GetDeviceCaps(horizontal ? LOGPIXELSX : LOGPIXELSY);

  LOGFONT lf{};
  lf.lfHeight = HimetricToPixels(horizontal ? kUprightTextHeight : kTurnedTextHeight, input.dpi);
  lf.lfWeight = FW_NORMAL;
  lf.lfEscapement = lf.lfOrientation = horizontal ? 0 : -900;
  lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  std::strcpy(lf.lfFaceName, "Arial");
  CFont font;
  font.CreateFontIndirect(&lf);
  CFont* oldFont = pDC->SelectObject(&font);
  const RulerPlan plan = PlanRuler(input, [&](int number) {
    CString text;
    text.Format("%d", number);
    return pDC->GetTextExtent(text).cx;
  });

  // The picture's part of the band: window colour in a sunken frame.
  const int bandFrom = std::max(0, plan.band.start);
  const int bandTo = std::min(input.rulerLength, plan.band.start + plan.band.length);
  bandRect = AlongAcross(bandFrom, bandTo, outer, outer + kBandDepth);
  if (bandTo > bandFrom) {
    pDC->FillSolidRect(&bandRect, ::GetSysColor(COLOR_WINDOW));
    const CRect full = AlongAcross(plan.band.start, plan.band.start + plan.band.length, outer, outer + kBandDepth);
    CRgn clip;
    clip.CreateRectRgnIndirect(&bandRect);
    pDC->SelectClipRgn(&clip);
    pDC->Draw3dRect(&full, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    CRect inner(full);
    inner.DeflateRect(1, 1);
    pDC->Draw3dRect(&inner, ::GetSysColor(COLOR_WINDOWFRAME), ::GetSysColor(COLOR_BTNFACE));
    pDC->SelectClipRgn(nullptr);
  }

  CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOWTEXT));
  CPen* oldPen = pDC->SelectObject(&pen);
  for (const Tick& tick : plan.ticks) {
    if (horizontal) {
      pDC->MoveTo(tick.at, outer + tick.from);
      pDC->LineTo(tick.at, outer + tick.to);
    } else {
      pDC->MoveTo(outer + tick.from, tick.at);
      pDC->LineTo(outer + tick.to, tick.at);
    }
  }
  const int oldMode = pDC->SetBkMode(TRANSPARENT);
  const COLORREF oldColour = pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
  const UINT oldAlign = pDC->SetTextAlign(TA_LEFT | TA_TOP);
  for (const Label& label : plan.labels) {
    CString text;
    text.Format("%d", label.number);
    if (horizontal) {
      pDC->TextOut(label.start, outer + 1, text);
    } else {
      // Turned a quarter clockwise: the letters run down, their tops towards the picture.
      pDC->TextOut(outer + kBandDepth - 1, label.start, text);
    }
  }
  pDC->SetTextAlign(oldAlign);
  pDC->SetTextColor(oldColour);
  pDC->SetBkMode(oldMode);
  pDC->SelectObject(oldFont);

  // The mouse mark, over the band.
  if (markPos != kNoMark && MarkAt(markPos, plan.band)) {
    const CRect mark = MarkRect(markPos);
    pDC->MoveTo(mark.left, mark.top);
    pDC->LineTo(horizontal ? mark.left : mark.right, horizontal ? mark.bottom : mark.top);
    markShown = TRUE;
  }
  pDC->SelectObject(oldPen);
}

CRect CRulerView::MarkRect(int at) const {
  const int outer = std::max(0, Depth() - kBandDepth);
  return AlongAcross(at, at + 1, outer + kMarkFrom, outer + kMarkTo);
}

void CRulerView::UpdateMark(int coordinate) {
  if (coordinate == markPos) return;
  if (markPos != kNoMark) InvalidateRect(MarkRect(markPos), FALSE);
  markPos = coordinate;
  if (markPos != kNoMark) InvalidateRect(MarkRect(markPos), FALSE);
}

void CRulerView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) {
  if (!pSender || !pSender->m_hWnd || !m_hWnd) return;
  const UINT code = UINT(lHint);
  const UINT kind = LOWORD(code);
  const bool mine = IsHorizontal() ? (kind == kHorzScroll || kind == kHorzMouse) : (kind == kVertScroll || kind == kVertMouse);
  auto* update = dynamic_cast<CRulerUpdate*>(pHint);
  if (!mine || !update) return;
  CLumoBMPView* view = PictureView();
  if (!view) return;
  const int coordinate = IsHorizontal() ? update->point.x : update->point.y;
  if (kind == kHorzMouse || kind == kVertMouse) {
    // No mark while panning.
    const int mode = view->GetMouseMode();
    const bool panning = mode >= CLumoBMPView::kPan && mode <= CLumoBMPView::kPanning;
    UpdateMark(panning || !MarkAt(coordinate, PictureSpan(view)) ? kNoMark : coordinate);
    return;
  }
  // A scroll position beyond the picture view's range is not one.
  CRect viewClient;
  view->GetClientRect(&viewClient);
  const CSize total = view->GetTotalSize();
  const int limit = std::max(0L, IsHorizontal() ? long(total.cx - viewClient.Width()) : long(total.cy - viewClient.Height()));
  if (coordinate < 0 || coordinate > limit) return;
  scrollCode = int(HIWORD(code));
  updateKind = int(kind);
  prevPosition = position;
  position = coordinate;
  switch (scrollCode) {
    case SB_LINEUP:
    case SB_LINEDOWN:
    case SB_THUMBTRACK:
      if (position != prevPosition) {
        // The ruler moves with the picture; only the strip it uncovers is drawn.
        const int shift = prevPosition - position;
        GetClientRect(&blitRect);
        if (IsHorizontal()) ScrollWindow(shift, 0);
        else ScrollWindow(0, shift);
        // The mouse mark stays where the mouse is.
        if (markPos != kNoMark) {
          InvalidateRect(MarkRect(markPos), FALSE);
          InvalidateRect(MarkRect(markPos + shift), FALSE);
        }
      }
      break;
    case SB_THUMBPOSITION:
    case SB_ENDSCROLL: break;
    default: Invalidate(FALSE); break;
  }
  UpdateWindow();
}

void CRulerView::OnSetFocus(CWnd* pOldWnd) {
  if (!PassFocusToPicture(this)) CView::OnSetFocus(pOldWnd);
}

int CRulerView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  // A click on a ruler leaves the picture the sheet's active view.
  return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

// --- Corner -----------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CRulerCornerView, CView)

BEGIN_MESSAGE_MAP(CRulerCornerView, CView)
  ON_WM_LBUTTONDOWN()
  ON_WM_SETFOCUS()
  ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CRulerCornerView::CRulerCornerView() = default;

BOOL CRulerCornerView::PreCreateWindow(CREATESTRUCT& cs) {
  cs.lpszClass = RulerClass();
  return CView::PreCreateWindow(cs);
}

UINT CRulerCornerView::BitmapOfMode(int mode) {
  switch (mode) {
    case kCornerPan: return resources::IDB_CORNER_PAN;
    case kCornerZoom: return resources::IDB_CORNER_ZOOM;
    case kCornerRuler: return resources::IDB_CORNER_RULER;
    default: return resources::IDB_CORNER_NONE;
  }
}

void CRulerCornerView::OnDraw(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, ::GetSysColor(COLOR_MENU));
  CBitmap bitmap;
  if (!bitmap.Attach(::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(BitmapOfMode(mode))))) return;
  DrawTransparentBitmap(pDC, 0, 0, &bitmap, RGB(192, 192, 192));
}

int CRulerCornerView::SetMode(int newMode) {
  const int old = mode;
  mode = newMode;
  if (m_hWnd) Invalidate(TRUE);
  return old;
}

void CRulerCornerView::OnLButtonDown(UINT nFlags, CPoint point) {
  CView::OnLButtonDown(nFlags, point);
  CLumoBMPView* view = PictureViewOf(this);
  SetMode(NextCornerMode(mode, view && view->FitsBothWays()));
  if (view) view->SendMessage(WM_COMMAND, CommandOfCornerMode(mode));
}

void CRulerCornerView::OnSetFocus(CWnd* pOldWnd) {
  if (!PassFocusToPicture(this)) CView::OnSetFocus(pOldWnd);
}

int CRulerCornerView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

// --- Transparent drawing ----------------------------------------------------------------------------

void DrawTransparentBitmap(CDC* pDC, int x, int y, CBitmap* bitmap, COLORREF transparent) {
  BITMAP info{};
  if (!bitmap || !bitmap->GetBitmap(&info)) return;
  const int w = info.bmWidth, h = info.bmHeight;
  CDC source, mask, inverse, work, picture;
  if (!source.CreateCompatibleDC(pDC) || !mask.CreateCompatibleDC(pDC) || !inverse.CreateCompatibleDC(pDC) ||
      !work.CreateCompatibleDC(pDC) || !picture.CreateCompatibleDC(pDC)) {
    return;
  }
  CBitmap maskBits, inverseBits, workBits, pictureBits;
  maskBits.CreateBitmap(w, h, 1, 1, nullptr);
  inverseBits.CreateBitmap(w, h, 1, 1, nullptr);
  workBits.CreateCompatibleBitmap(pDC, w, h);
  pictureBits.CreateCompatibleBitmap(pDC, w, h);
  CBitmap* oldSource = source.SelectObject(bitmap);
  CBitmap* oldMask = mask.SelectObject(&maskBits);
  CBitmap* oldInverse = inverse.SelectObject(&inverseBits);
  CBitmap* oldWork = work.SelectObject(&workBits);
  CBitmap* oldPicture = picture.SelectObject(&pictureBits);
  // The mask is set where the bitmap has the transparent colour; the inverse everywhere else.
  const COLORREF oldBk = source.SetBkColor(transparent);
  mask.BitBlt(0, 0, w, h, &source, 0, 0, SRCCOPY);
  source.SetBkColor(oldBk);
  inverse.BitBlt(0, 0, w, h, &mask, 0, 0, NOTSRCCOPY);
  // Set bits become white, clear ones black, when a mask meets a colour bitmap.
  for (CDC* dc : {&work, &picture}) {
    dc->SetBkColor(RGB(255, 255, 255));
    dc->SetTextColor(RGB(0, 0, 0));
  }
  // What the target shows where the bitmap is transparent, the bitmap elsewhere, joined.
  work.BitBlt(0, 0, w, h, pDC, x, y, SRCCOPY);
  work.BitBlt(0, 0, w, h, &mask, 0, 0, SRCAND);
  picture.BitBlt(0, 0, w, h, &source, 0, 0, SRCCOPY);
  picture.BitBlt(0, 0, w, h, &inverse, 0, 0, SRCAND);
  work.BitBlt(0, 0, w, h, &picture, 0, 0, SRCPAINT);
  pDC->BitBlt(x, y, w, h, &work, 0, 0, SRCCOPY);
  source.SelectObject(oldSource);
  mask.SelectObject(oldMask);
  inverse.SelectObject(oldInverse);
  work.SelectObject(oldWork);
  picture.SelectObject(oldPicture);
}
