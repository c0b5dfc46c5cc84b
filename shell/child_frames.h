// The frames of the main window's sheets: CChildKALFrame holds a text sheet, CChildBMPFrame a
// picture sheet. Together they keep the number of open sheets within the user's limit, keep the
// work's current text and picture views up to date, and let a picture opened from an act stand
// in for the act's sheet: it takes the act's place among the sheets, its caption and its history,
// and when the act comes back it takes the picture's place again.
//
// The frames work with whatever view their document template gives them. A view that can say
// which topic it shows and hand its history over implements CSheetPlace.
#pragma once

#include <cstdint>
#include <memory>

#include "toolkit/frame/sec_workbook.h"

class CView;
class CSplitterWnd;
class CRulerSplitterWnd;
class CGSToolbarEditBtn;

// What a sheet's view tells the frames about the place it shows.
class CSheetPlace {
 public:
  virtual ~CSheetPlace() = default;
  // The topic shown, or -1; the vertical scroll position.
  virtual int32_t GetShownTopic() const = 0;
  virtual int GetShownScroll() const = 0;
  // Takes over the history of another sheet's view.
  virtual void CopyHistoryFrom(CView* pOther) = 0;
};

namespace sheets {

// The number of text and picture sheet frames alive.
int TextFrameCount();
int PictureFrameCount();
// Whether one more sheet is allowed when `existing` frames (the new one counted) are open and the
// limit is `maximum`.
bool WithinLimit(int existing, int maximum);
// The position field (33007) of the main window's "Formularz" toolbar, or null.
CGSToolbarEditBtn* FindPositionField();

}  // namespace sheets

class CChildKALFrame : public SECWorksheet {
  DECLARE_DYNCREATE(CChildKALFrame)

 public:
  CChildKALFrame();
  ~CChildKALFrame() override;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void ActivateFrame(int nCmdShow = -1) override;

  // The place among the sheets to take when activated next (-1: none).
  int m_nTakeTabPosition = -1;

 protected:
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnClose();
  afx_msg void OnCloseSheet();
  afx_msg void OnDestroy();
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()

};

class CChildBMPFrame : public SECWorksheet {
  DECLARE_DYNCREATE(CChildBMPFrame)

 public:
  CChildBMPFrame();
  ~CChildBMPFrame() override;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void ActivateFrame(int nCmdShow = -1) override;
  CView* GetPictureView() const { return GetActiveView(); }
  CRulerSplitterWnd* GetRulerSplitter() const { return m_pSplitter.get(); }

  // The replaced text sheet: its caption, the topic it showed (-1 when none) and its scroll.
  CString m_strCaption;
  int32_t m_nTopic = -1;
  int m_nScroll = 0;
  // -2 until the first activation looked the place up, -1 once it is taken.
  int m_nTakeTabPosition = -2;
  // Set until the replaced text sheet has been closed.
  BOOL m_bFirstActivation = TRUE;
  // Closes the replaced text sheet, posted from the first activation: the picture is often opened
  // from inside a message of that sheet (a link clicked or chosen with Enter), which must return
  // before the sheet goes.
  static constexpr UINT kMsgCloseReplacedSheet = WM_APP + 0x2A3;

 protected:
  // The sheet's panes: the mode corner and the two rulers around the document's view.
  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

  afx_msg void OnCloseSheet();
  afx_msg void OnDestroy();
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI);
  afx_msg LRESULT OnCloseReplacedSheet(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  std::unique_ptr<CRulerSplitterWnd> m_pSplitter;
  HWND m_hReplaced = nullptr;  // the replaced text sheet until it is closed
};
