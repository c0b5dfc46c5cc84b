// The picture sheet's view: the document's picture scrolled and zoomed, with fit modes, mouse
// modes for zooming and panning, keys and Ctrl+wheel zoom, page turning through numbered
// pictures, copying, printing and the way back to the act the picture came from.
//
// The view draws in client coordinates: a picture smaller than the window is centred on white, a
// larger one starts at minus the scroll position. The rubber band of the zoom mode is drawn by the
// painting itself, over the picture.
#pragma once

#include <deque>
#include <memory>

#include "pictures/image/image_file.h"
#include "platform/framework/view.h"
#include "shell/child_frames.h"
#include "shell/view/wheel_wnd.h"
#include "shell/work_items.h"

class CLumoBMPDoc;
class CGSToolbarEditBtn;
class CRulerSplitterWnd;

class CLumoBMPView : public CScrollView, public CSheetPlace, public CWheelTarget {
  DECLARE_DYNCREATE(CLumoBMPView)

 public:
  // Mouse modes: none, zoom (idle, pressed, dragging), pan (idle, pressed, panning), ruler.
  enum MouseMode { kNone = 0, kZoom = 1, kZoomPressed = 2, kZoomDragging = 3, kPan = 4, kPanPressed = 5,
                   kPanning = 6, kRuler = 7 };

  CLumoBMPView();
  ~CLumoBMPView() override;

  CLumoBMPDoc* GetDocument() const;
  void OnDraw(CDC* pDC) override;
  void OnInitialUpdate() override;
  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  // Zooms to `percent` (kept within the limits of the fit mode), the picture point under the anchor
  // moving to the window centre.
  void SetZoom(int percent);
  int GetZoom() const { return zoomPercent; }
  double GetZoomFactor() const { return zoomFactor; }
  int GetFitMode() const { return fitMode; }
  int GetMouseMode() const { return mouseMode; }
  CRect GetPictureRect() const { return pictureRect; }
  CImageFile* GetImage() const { return image; }
  CSize GetPictureSize() const { return CSize(pictureWidth, pictureHeight); }
  BOOL FitsBothWays() const { return fitsVertically && fitsHorizontally; }
  // Where the ruler mode's cross-hair is drawn, or (-1, -1).
  CPoint GetCrossHair() const { return crossHair; }
  BOOL IsCrossHairShown() const { return crossHairShown; }

  // Opens the act the picture came from in a new text sheet that takes this sheet's place.
  BOOL ReturnToSourceTopic();
  BOOL GoBack() { return ReturnToSourceTopic(); }
  int CopyHistoryFrom(const std::deque<std::unique_ptr<CMvHistoryItem>>& items);
  void ClearHistory();
  const std::deque<std::unique_ptr<CMvHistoryItem>>& GetHistory() const { return history; }

  // The sheet frames' view of the place shown: the act's topic the picture came from.
  int32_t GetShownTopic() const override;
  int GetShownScroll() const override;
  void CopyHistoryFrom(CView* pOther) override;

  // Page turning: whether the neighbouring page exists (asked once per page) and turning to it.
  BOOL HasPage(int step);
  BOOL TurnPage(int step);

  // Copies the picture at its own size to the clipboard.
  BOOL CopyPicture();

  // The framework's page step: the picture at 150 dots per inch, centred on the page.
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;

  // Wheel auto-scrolling of the picture.
  CWnd* TargetWindow() override { return this; }
  BOOL WheelCanScrollH() override { return !fitsHorizontally; }
  BOOL WheelCanScrollV() override { return !fitsVertically; }
  void WheelScroll(shell::view::WheelDirection direction, int amount) override;

  // The sheet's ruler splitter, or null when the view stands in a frame without rulers.
  CRulerSplitterWnd* GetRulerSplitter() const;
  BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE) override;

 protected:
  void ApplyFit();
  void UpdateScrollSizes();
  void SetMouseMode(int mode);
  void ToggleMode(int mode);
  void ScrollKey(int dx, int dy);
  void ResetPicture();
  // Tells the ruler of `kind` (rulermarks::UpdateKind) about a change: the scroll position after
  // `scrollCode`, or the mouse at `point`.
  void NotifyRulers(UINT code, CPoint point);
  void NotifyScroll(UINT scrollCode);
  // The corner shows the mode (0 none, 1 pan, 2 zoom, 3 ruler).
  void ShowCornerMode(int cornerMode);
  // The cross-hair moves to `point` (client), or goes with (-1, -1).
  void MoveCrossHair(CPoint point);
  // The read-out of the "Formularz" toolbar's position field for a client point.
  void ShowPosition(CPoint point);
  CGSToolbarEditBtn* PositionField() const;
  int FitZoom() const;

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnZoomCommand(UINT nID);
  afx_msg void OnUpdateZoomCommand(CCmdUI* pCmdUI);
  afx_msg void OnZoomCommand66();
  afx_msg void OnPanMode();
  afx_msg void OnZoomMode();
  afx_msg void OnRulerMode();
  afx_msg void OnNoMode();
  afx_msg void OnUpdateModeCommand(CCmdUI* pCmdUI);
  afx_msg void OnZoomOther();
  afx_msg void OnUpdateZoomOther(CCmdUI* pCmdUI);
  afx_msg void OnNextPage();
  afx_msg void OnPreviousPage();
  afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
  afx_msg void OnUpdatePreviousPage(CCmdUI* pCmdUI);
  afx_msg void OnGoBack();
  afx_msg void OnLocate();
  afx_msg void OnCopy();
  afx_msg void OnPrintPicture();
  DECLARE_MESSAGE_MAP()

  std::deque<std::unique_ptr<CMvHistoryItem>> history;
  double zoomFactor = 0.2;
  int pictureWidth = 0;
  int pictureHeight = 0;
  int fitMode = 2;
  int zoomPercent = 1000;
  CImageFile* image = nullptr;
  HCURSOR cursor = nullptr;
  HCURSOR panCursor = nullptr, grabCursor = nullptr, crossCursor = nullptr, zoomInCursor = nullptr,
          zoomOutCursor = nullptr;
  BOOL fitsVertically = FALSE;
  BOOL fitsHorizontally = FALSE;
  int prevPageState = -1;
  int nextPageState = -1;
  int mouseMode = kNone;
  int savedMode = -1;
  CPoint anchor{-1, -1};
  CPoint dragOrigin{-1, -1};
  BOOL crossHairShown = FALSE;
  // The ruler mode's cross-hair point, drawn by the painting; (-1, -1) when none.
  CPoint crossHair{-1, -1};
  // The scroll code the rulers hear with the next scroll (a full redraw unless a bar's own).
  UINT rulerScrollCode = 16;
  CRect pictureRect;
  // The zoom mode's press point and the rubber band's far corner while dragging.
  CPoint pressPoint{-1, -1};
  CPoint bandCorner{-1, -1};
};
