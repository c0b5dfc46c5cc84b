// A progress bar that paints itself: a bar in one colour over a background in another, horizontal
// or vertical, growing from either end, with an optional percentage or caption drawn in the
// inverse colours so that it stays readable where the bar passes under it. With PSTYLE_STANDARD
// it keeps the standard control's look; it can also step itself on a timer.
#pragma once

#include "platform/controls/progress_ctrl.h"
#include "platform/gdi/core/afx_gdi.h"

constexpr DWORD PSTYLE_VERTICAL = 0x1;
constexpr DWORD PSTYLE_FROM_RIGHT = 0x10;
constexpr DWORD PSTYLE_FROM_TOP = 0x20;
constexpr DWORD PSTYLE_SHOW_PERCENT = 0x100;
constexpr DWORD PSTYLE_SHOW_TEXT = 0x200;
constexpr DWORD PSTYLE_TEXT_LEFT = 0x1000;
constexpr DWORD PSTYLE_TEXT_RIGHT = 0x2000;
constexpr DWORD PSTYLE_DEFAULT_BIT = 0x4000;
constexpr DWORD PSTYLE_STANDARD = 0x10000;

namespace progress {

// The position clamped to the bounds as a percentage of the range (0 for equal bounds).
double Percent(int pos, int lower, int upper);
// Splits `client` at `percent` of its length (truncated) into the bar part and the background part.
void SplitRects(const CRect& client, double percent, DWORD style, CRect& bar, CRect& background);
// "%d %%" of the percentage rounded to the nearest integer, at most 100.
CString PercentText(double percent);
// DT_ flags of the text for the style.
UINT TextFormat(DWORD style);

}  // namespace progress

class SECProgressCtrl : public CProgressCtrl {
  DECLARE_DYNAMIC(SECProgressCtrl)

 public:
  SECProgressCtrl() = default;

  // Refused (0) when already created.
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwProgressStyle);
  virtual BOOL AttachDlgItem(UINT nID, CWnd* pDialog);
  virtual void SetRange(int nLower, int nUpper);
  // Returns the old position; with `bPump` the waiting paint messages are dispatched at once.
  virtual int SetPos(int nPos, BOOL bPump = FALSE);
  virtual int OffsetPos(int nDelta, BOOL bPump = FALSE);
  virtual int SetStep(int nStep);
  virtual void SetColors(COLORREF clrBar, COLORREF clrBackground);
  virtual void SetTextFont(CFont* pFont, BOOL bRedraw = TRUE);
  virtual void SetText(const CString& text) { m_strText = text; }
  virtual void GetText(CString& text) const { text = m_strText; }
  virtual int StepIt(BOOL bPump = FALSE);
  virtual void Reset();
  // Steps every `nPeriod` ms until the position reaches the upper bound; 0 stops.
  virtual BOOL SetAutoStep(UINT nPeriod);
  virtual BOOL InitControl();
  virtual void DrawBar(CDC* pDC, const CRect& rect);
  virtual void DrawBackground(CDC* pDC, const CRect& rect);
  virtual void DrawText(CDC* pDC, double percent, const CRect& background, const CRect& bar);
  virtual void FormatText(CString& text);
  virtual void Paint(CDC* pDC);
  virtual void CalcRects(double percent, CRect& bar, CRect& background);
  virtual void DrawAll(double percent, const CRect& bar, const CRect& background, CDC* pDC);
  virtual double GetPercent() const;

  void SetStyle(DWORD dwStyle);
  DWORD GetStyle() const { return m_dwProgressStyle; }
  int GetPos() const { return m_nPos; }
  int GetStep() const { return m_nStep; }
  void GetRange(int& nLower, int& nUpper) const {
    nLower = m_nLower;
    nUpper = m_nUpper;
  }
  // The text the control shows for a percentage (empty for none).
  CString TextFor(double percent);

  static constexpr UINT_PTR kTimerId = 256;

 protected:
  bool Standard() const { return (m_dwProgressStyle & PSTYLE_STANDARD) != 0; }
  void Repaint(BOOL bPump);

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnPaint();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  afx_msg void OnTimer(UINT_PTR nIDEvent);

  int m_nPos = 0;
  int m_nStep = 10;
  int m_nLower = 0;
  int m_nUpper = 100;
  COLORREF m_clrBar = RGB(0, 0, 128);
  COLORREF m_clrBackground = RGB(255, 255, 255);
  CFont* m_pFont = nullptr;
  BOOL m_bVisible = TRUE;
  BOOL m_bCreated = FALSE;
  CString m_strText;
  DWORD m_dwProgressStyle = 0x4100;
  CRect m_rectClient;

  DECLARE_MESSAGE_MAP()
};
