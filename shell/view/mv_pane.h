// A topic pane: the window of the class "AfxMvPane" in which the engine draws one region of a topic.
// It owns one viewer and turns window messages into viewer calls: binding the viewer to the title,
// layout and painting, cursors, hotspots (jumps, pop-ups, picture links), the hover tool tip and the
// hover frame of links, colours, zoom, link styles and found-word marks.
//
// The concrete panes are the header pane (CMvNSR), the text pane (CMvSR), the pop-up pane and the
// tool-tip pane. A pane belongs to its owner view, which moves all its panes together; pop-ups and
// tool tips belong to the pane that opened them.
#pragma once

#include <memory>
#include <string>

#include "engine/fts/search/hit_highlight.h"
#include "engine/frame/hotspots.h"
#include "engine/medview/viewer.h"
#include "platform/win/cwnd.h"

class CKALPrintJob;
class CFont;
class CCmdUI;
class CLumoKALView;
struct CPrintInfo;
class CMvPopupPane;
class CMvTooltipPane;

// The pane window class, registered once per process; also installs the engine's window services.
// Empty when the registration failed.
const char* MvPaneClassName();

// Posted to a pane by its pop-up or tool tip: close them once their own handler has returned.
inline constexpr UINT kMsgClosePopups = WM_APP + 0x2A1;
// Posted to the view by a pop-up's jump hotspot: jump to the text position in wParam.
inline constexpr UINT kMsgDeferredJump = WM_APP + 0x2A2;

class CMvPane : public CWnd {
  DECLARE_DYNAMIC(CMvPane)

 public:
  static constexpr UINT_PTR kHoverTimer = 901;
  static constexpr UINT_PTR kLinkDragTimer = 903;

  CMvPane();
  ~CMvPane() override;

  virtual void OnPopupCreated(int value, CMvPane* pane);
  virtual BOOL AttachViewer(title::TitleHandle* title, LPCTSTR lpszTitleFile, medview::ViewerHandle* clone_of);
  virtual void FreeViewer();
  virtual BOOL Create(UINT nID, CLumoKALView* owner, BOOL bRegister);
  virtual void Detach(BOOL bUnregister);
  virtual BOOL ClosePopups();
  virtual BOOL ShowPopup(const RECT& rect, const int32_t* position);
  virtual BOOL ShowTooltip(const medview::HotspotTarget& target, int32_t position, int style);
  virtual BOOL Draw(CDC* pDC, const RECT* clip);
  virtual BOOL Layout();
  virtual BOOL FitToContent(BOOL bRelayout);
  virtual BOOL GoToTopic(int32_t position, int32_t offset, BOOL bPreferScrolling);
  virtual void SetCursorForKind(int kind);
  virtual void SetTextCursor(CWnd* pWnd);
  virtual COLORREF SetBackColor(COLORREF colour);
  virtual COLORREF SetTextColor(COLORREF colour);
  virtual double SetZoom(double factor);
  virtual BOOL ShowsScrollingRegion() const = 0;
  virtual BOOL KeepsSelection() const = 0;
  virtual BOOL IsPointInSelection(int x, int y);
  virtual int OnHotspot(int x, int y, int kind, const medview::HotspotTarget& target, UINT flags);
  virtual BOOL RunHotspotMacro(const std::string& macro);
  // Opens work file `path` and shows the topic of `context` in it.
  virtual BOOL OpenContextInWork(LPCTSTR lpszPath, LPCTSTR lpszContext);
  virtual int GetStyleCount();
  // Change a style of the viewer's style sheet: its font from `pFont` (when given), its colours
  // from the pane's (with `bPaneColours`), its underline by `nUnderline` (StyleUnderline) and its
  // flag byte (when not 0). The name is 1 to 64 characters; the index variant lays out again.
  virtual BOOL SetStyleByName(LPCTSTR lpszName, CFont* pFont, BOOL bPaneColours, int nUnderline, BYTE nFlag);
  virtual BOOL SetStyleByIndex(int nIndex, CFont* pFont, BOOL bPaneColours, int nUnderline, BYTE nFlag);
  virtual int SetHits(fts::HitHighlightHandle hits, BOOL bOn);
  // Prints the region the pane shows into `pDC` inside `page`, from `layout`'s top, with the act
  // print job's page brackets (shell/print/print_pane.cpp); a preview paints the pane's layout.
  virtual BOOL Print(CDC* pDC, const RECT* page, RECT* layout, CPrintInfo* pInfo, CKALPrintJob* job,
                     BOOL bSelection);
  // Inserts an annotation object at `position` and `offset` of the topic shown.
  virtual BOOL AddAnnotation(int32_t position, int32_t offset);

  // Link colours and weights of the user's settings (on) or plain black text (off).
  void ApplyLinkStyles(BOOL bOn);
  // The brush the found-word marks are drawn with.
  void SetHitMarkBrush(HBRUSH brush);
  // The cursor shown over objects of `kind` (0 text, 1 other, 2 embedded window).
  void SetKindCursor(int kind, HCURSOR cursor);

  medview::ViewerHandle GetViewer() const { return m_pViewer; }
  CLumoKALView* GetOwnerView() const { return m_pOwner; }
  CMvPopupPane* GetPopup() const { return m_pPopup.get(); }
  CMvTooltipPane* GetTooltip() const { return m_pTooltip.get(); }
  double GetZoom() const { return m_dZoom; }
  COLORREF GetTextColour() const { return m_crText; }
  int32_t GetCurrentTopic() const;
  // The topic number of the target of a link's context hash, through a clone of the viewer; -1 when
  // the context has no position.
  int32_t TargetTopic(uint32_t hash) const;

 protected:
  afx_msg void OnPaint();
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  // Timer 903: a pressed link that moved far enough is dragged as its target's act.
  void OnLinkDragTimer();
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  // Losing the focus or the activation stops the hover and link-drag timers.
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg LRESULT OnClosePopupsMessage(WPARAM, LPARAM);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnOpenLink();
  afx_msg void OnOpenLinkInNewSheet();
  afx_msg void OnRunObjectMacro();
  afx_msg void OnLinkInformation();
  afx_msg void OnLinkAddBookmark();
  afx_msg void OnLinkLocate();
  afx_msg void OnUpdateLinkCommand(CCmdUI* pCmdUI);

  // The topic of the saved link's target when the link is still under the saved point, else -1.
  int32_t SavedLinkTopic();
  BOOL ChangeStyle(int32_t* index, std::string* name, CFont* pFont, BOOL bPaneColours, int nUnderline, BYTE nFlag);

  // Jumps to the target of a jump hotspot, in this sheet or (Ctrl) in a new one.
  void FollowJump(const medview::HotspotTarget& target, UINT flags);
  void EraseHoverFrame();
  void StopTimers();
  POINT SavedPoint() const;

  medview::HotspotTarget m_saved{};
  DWORD m_dwLastLinkMove = 0;
  medview::ViewerHandle m_pViewer = nullptr;
  fts::TopicHitListPtr m_pHits;
  CLumoKALView* m_pOwner = nullptr;
  HCURSOR m_cursors[3] = {nullptr, nullptr, nullptr};
  COLORREF m_crBack = RGB(255, 255, 255);
  COLORREF m_crText = RGB(0, 0, 0);
  double m_dZoom = 1.0;
  std::unique_ptr<CMvPopupPane> m_pPopup;
  std::unique_ptr<CMvTooltipPane> m_pTooltip;
  int32_t m_nKerning = 20;
  BOOL m_bHoverFrame = FALSE;

  DECLARE_MESSAGE_MAP()
};
