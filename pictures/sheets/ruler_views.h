// The picture sheet's rulers: a 2 x 2 splitter whose bars cannot be dragged, a corner pane that
// shows and switches the picture view's mouse mode, a horizontal ruler along the top and a
// vertical ruler along the left, both in centimetres of the picture, following its zoom and
// scrolling and marking the mouse position. The picture view is the fourth pane.
//
// The picture view tells the rulers what changed through the splitter (NotifyRulers): the low
// word of the code is the kind (1 horizontal scroll position, 2 vertical scroll position,
// 3 horizontal mouse position, 4 vertical mouse position), the high word the scroll code, or
// kZoomChanged after a zoom change.
#pragma once

#include "pictures/sheets/picture_zoom.h"
#include "platform/framework/splitter.h"
#include "platform/framework/view.h"

class CLumoBMPView;

namespace rulermarks {
// The high word of an update code after a zoom change: the ruler is drawn anew.
constexpr UINT kZoomChanged = 16;
enum UpdateKind : UINT { kHorzScroll = 1, kVertScroll = 2, kHorzMouse = 3, kVertMouse = 4 };
// The update code of a kind with a scroll code (or kZoomChanged).
constexpr UINT UpdateCode(UINT scrollCode, UINT kind) { return (scrollCode << 16) | kind; }
// The mouse modes the corner shows and the picture view's command of each.
enum CornerMode { kCornerNone = 0, kCornerPan = 1, kCornerZoom = 2, kCornerRuler = 3 };
// The mode a corner click leads to: none, pan, zoom, ruler and round again; pan is skipped while
// the picture fits the window both ways.
int NextCornerMode(int mode, bool fitsBothWays);
UINT CommandOfCornerMode(int mode);
}  // namespace rulermarks

// The point of an update: the scroll position (kinds 1, 2) or the mouse point in the picture
// view's client area (kinds 3, 4).
class CRulerUpdate : public CObject {
 public:
  explicit CRulerUpdate(CPoint pt) : point(pt) {}
  CPoint point;
};

class CRulerSplitterWnd : public CSplitterWnd {
  DECLARE_DYNAMIC(CRulerSplitterWnd)

 public:
  CRulerSplitterWnd();

  // Nothing can be dragged: every point misses the bars.
  int HitTest(CPoint pt) const override;
  // Hands an update to the ruler it concerns: kinds 1 and 3 to the horizontal ruler (0, 1),
  // 2 and 4 to the vertical ruler (1, 0); other kinds are ignored.
  void NotifyRulers(CView* pSender, UINT code, CPoint point);
};

class CRulerView : public CView {
  DECLARE_DYNCREATE(CRulerView)

 public:
  CRulerView();
  ~CRulerView() override;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void OnDraw(CDC* pDC) override;
  void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

  BOOL IsHorizontal() const { return orientation == 1; }
  // Where the mouse mark is drawn, or kNoMark.
  int GetMarkPos() const { return markShown ? markPos : kNoMark; }
  int GetPosition() const { return position; }

  static constexpr int kNoMark = -1000000000;

  // 1 horizontal (along the top), 0 vertical (along the left); the frame sets it.
  int orientation = 1;

 protected:
  // The picture view of the sheet, or null.
  CLumoBMPView* PictureView() const;
  // The picture's place along this ruler and where its band lies across it.
  picturezoom::Span PictureSpan(const CLumoBMPView* view) const;
  int Depth() const;
  // A rectangle given along and across this ruler, in client coordinates.
  CRect AlongAcross(int alongFrom, int alongTo, int acrossFrom, int acrossTo) const;
  void UpdateMark(int coordinate);
  CRect MarkRect(int at) const;

  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  DECLARE_MESSAGE_MAP()

  CRect bandRect;
  CRect clientRect;
  CRect blitRect;
  int scrollCode = -1;
  int updateKind = -1;
  BOOL markShown = FALSE;
  int position = 0;
  int prevPosition = 0;
  int markPos = kNoMark;
};

class CRulerCornerView : public CView {
  DECLARE_DYNCREATE(CRulerCornerView)

 public:
  CRulerCornerView();

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void OnDraw(CDC* pDC) override;
  // Shows `mode` (rulermarks::CornerMode) and returns the one shown before.
  int SetMode(int newMode);
  int GetMode() const { return mode; }

  // The bitmap of each mode.
  static UINT BitmapOfMode(int mode);

 protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  DECLARE_MESSAGE_MAP()

  int mode = rulermarks::kCornerNone;
};

// Draws `bitmap` at (x, y) with every pixel of `transparent` colour left as the target shows it.
void DrawTransparentBitmap(CDC* pDC, int x, int y, CBitmap* bitmap, COLORREF transparent);
