// The view of a text sheet: one act (one topic of the library title) read in three panes stacked
// from the top - the act's header, the topic's header and the text. The view binds the panes to the
// library title, moves them together to a place ("jump"), keeps the sheet's history of visited
// places, shows the act's journal address in the sheet's title and the status bar, and carries the
// reading commands: copy, select all, pages, smooth scrolling, found words, find in the act, back,
// locate.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "engine/fts/search/hit_highlight.h"
#include "engine/medview/topic_list.h"
#include "engine/medview/viewer.h"
#include "platform/base/ctime.h"
#include "platform/framework/view.h"
#include "shell/child_frames.h"
#include "shell/core/contents_reader.h"
#include "shell/view/mv_panes.h"
#include "shell/view/mv_sr.h"
#include "shell/work_items.h"

class CLumoKALDoc;
class CTopicOleDropTarget;
class CHistoryTab;

class CLumoKALView : public CFormView, public CSheetPlace {
  DECLARE_DYNCREATE(CLumoKALView)

 public:
  static constexpr UINT kTemplate = 101;
  static constexpr UINT kActHeaderId = 1005;
  static constexpr UINT kTopicHeaderId = 1002;
  static constexpr UINT kTextId = 1004;
  static constexpr int kHistoryLimit = 50;
  static constexpr COLORREF kShadeColour = 0x636363;

  CLumoKALView();
  ~CLumoKALView() override;

  CLumoKALDoc* GetWork() const;

  // --- Panes and title ---
  virtual int LayoutPanesAt(int flag, LPARAM top_left, LPARAM bottom_right);
  virtual medview::ViewerHandle GetViewer() const { return m_pViewer; }
  virtual CString GetTopicTitle(int32_t position);
  virtual CString GetTopicHeaderText(int32_t position);
  virtual BOOL AttachTitle(title::TitleHandle* title, LPCTSTR lpszTitleFile);
  virtual void DetachTitle();
  virtual BOOL PaintMainViewer(CDC* pDC, const RECT* clip);
  virtual BOOL LayoutPanes(const RECT* rect);
  virtual int AddPane(CMvPane* pane);
  virtual CMvPane* RemovePane(CMvPane* pane);
  virtual BOOL GoToContents();
  virtual BOOL JumpTo(int32_t position, int mode, int32_t scroll);
  virtual BOOL HasSelection();
  virtual BOOL AddBookmark();
  virtual BOOL AddToPrintList();
  virtual int GetHistoryLimit() const { return kHistoryLimit; }
  virtual BOOL GoBack();
  virtual BOOL CanGoBack() const { return m_nHistoryPos >= 0; }
  virtual int GetHistoryCount() const { return int(m_history.size()); }
  virtual void ClearHistory();
  virtual BOOL HasPreviousTopic();
  virtual BOOL HasNextTopic();
  virtual int AddToHistory(int32_t position, int32_t topic, BOOL bMove, int32_t scroll);
  virtual void UpdateLastHistoryScroll(int32_t position, int32_t scroll);

  BOOL JumpToTopicNumber(int32_t topic, int mode, int32_t scroll);
  BOOL GoToAddress(const CString& address);
  // The context string of a typed address (see shell::view::MakeAddressContext).
  std::string MakeAddressContext(const CString& text, BOOL bIssueOnly) const;
  CString GetTopicTitleByNumber(int32_t topic);
  CString GetTopicHeaderTextByNumber(int32_t topic);
  void UpdateTitleAndStatus();
  void ToggleActHeader();
  int CopyHistoryFrom(const std::vector<CMvHistoryItem>& items);
  // The place the sheet shows, for the sheet frames: the topic, the scroll position, and the
  // history taken over from another text sheet.
  int32_t GetShownTopic() const override;
  int GetShownScroll() const override;
  void CopyHistoryFrom(CView* pOther) override;
  const CMvHistoryItem* GetHistoryItem(int index) const;
  // Whether `pane` is one of the view's own panes (not a pop-up or tool tip of one).
  bool IsOwnPane(const CMvPane* pane) const;
  int GetHistoryPosition() const { return m_nHistoryPos; }

  // --- Found words and binders ---
  BOOL FindInAct(const CString& text);
  void ShowFoundWord(BOOL bForward, BOOL bFirst);
  BOOL GetSelectedText(CString& text);
  void ApplyResultListHits();
  void ApplyQueryHits(BOOL bOn);
  void SetBinderShading(const engine::TopicGroup* group);
  void ApplyLinkStyles(int option);
  int GetFoundWordCount() const { return m_nFoundWords; }
  int GetFoundWordMode() const { return m_nFoundWordMode; }
  // The in-act results when this view owns them (null otherwise).
  fts::HitHighlightHandle GetOwnQueryHits() const;
  // The hits the text pane's found-word stepping uses: the view's own in-act hits, else the
  // results list's.
  fts::HitHighlightHandle GetFoundWordSource() const;
  // Frees the process-wide in-act results (at exit, or when their view goes).
  static void FreeQueryResults();

  // --- State read by the work and tests ---
  int32_t GetCurrentPosition() const { return m_nPosition; }
  const shell::ActDescription& GetActDescription() const { return m_current; }
  CMvSR& GetTextPane() { return m_textPane; }
  CMvNSR& GetActHeaderPane() { return m_actHeader; }
  CMvNSR& GetTopicHeaderPane() { return m_topicHeader; }
  // The view's panes in their order, for printing.
  const std::vector<CMvPane*>& GetPanes() const { return m_panes; }
  BOOL HasScrollingRegion() const { return m_bScrollRegion; }
  const CString& GetSheetTitle() const { return m_strSheetTitle; }
  const CString& GetStatusText(int pane) const { return m_strStatus[pane]; }

  // --- Printing (shell/print/text_view_printing.cpp) ---
  // Ctrl+P: asks for the printer, then prints the act with the view's own loop.
  virtual BOOL PrintAct();
  // The loop after the printer dialog; false when nothing was printed.
  BOOL PrintActWith(CPrintDialog& dialog, BOOL bSelectionOnly);
  // The act print job of the developer menu.
  BOOL PrintActJob();
  // The header, page-number and work-information texts of a printout of the shown act.
  void BuildPrintTexts();
  BOOL ComputePageRect(CDC* pDC);
  void SetupPrintFonts(CDC* pDC);
  void PrintTopRule(CDC* pDC, const CRect& area);
  int PrintPageHeader(CDC* pDC, const CRect& page, int nPage, int nPages, BOOL bMeasureOnly);
  void PrintNotesBlock(CDC* pDC, CRect& area);
  void PrintWorkInfo(CDC* pDC, const CRect& page);
  static BOOL OnPrintPage(void* view, HDC hdc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                          RECT* layout, BOOL starting);
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
  int GetPrintedPageCount() const { return m_nPrintPage; }
  const CString& GetPrintHeaderText() const { return m_strPrintHeader; }
  const CString& GetPrintWorkInfo() const { return m_strPrintWorkInfo; }

  void OnInitialUpdate() override;
  // An activated sheet shows its history in the "Historia" tab.
  void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
  void DoDataExchange(CDataExchange*) override {}
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnEditCopy();
  afx_msg void OnUpdateEditCopy(CCmdUI* pCmdUI);
  afx_msg void OnSelectAll();
  afx_msg void OnNextPage();
  afx_msg void OnPreviousPage();
  afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
  afx_msg void OnUpdatePreviousPage(CCmdUI* pCmdUI);
  afx_msg void OnSmoothScroll();
  afx_msg void OnUpdateSmoothScroll(CCmdUI* pCmdUI);
  afx_msg void OnNextFound();
  afx_msg void OnUpdateNextFound(CCmdUI* pCmdUI);
  afx_msg void OnGoBack();
  afx_msg void OnUpdateGoBack(CCmdUI* pCmdUI);
  afx_msg void OnHighlightFound();
  afx_msg void OnUpdateHighlightFound(CCmdUI* pCmdUI);
  afx_msg void OnMoveSelection();
  afx_msg void OnFindSelectionInAct();
  afx_msg LRESULT OnDeferredJump(WPARAM wParam, LPARAM lParam);
  afx_msg void OnFilePrintAct();
  afx_msg void OnUpdateFilePrintAct(CCmdUI* pCmdUI);
  afx_msg void OnPrintActJob();
  afx_msg void OnAddBookmark();
  afx_msg void OnLocateInLibrary();
  afx_msg void OnUpdateLocateInLibrary(CCmdUI* pCmdUI);
  afx_msg void OnUpdateAddBookmark(CCmdUI* pCmdUI);
  // Builds the contents index of the open library from its topics' header texts (read through an
  // off-screen pane, so the sheet stays where it is) into BuiltIndexPath().
  afx_msg void OnBuildIndex();
  // Opens the notes dialog "Notatki" (without a parent, modally).
  afx_msg void OnAnnotation();

 public:
  // "index.idx" in the user's data folder.
  static std::string BuiltIndexPath();

 protected:

  // The "Historia" tab of the main window's "Nawigator" bar, or null; refilled while it shows
  // this view's history.
  static CHistoryTab* HistoryTab();
  void RefreshHistoryTab();

  // Next (previous) page: the topic after (before) the topic header's; Ctrl opens it in a new sheet.
  void StepPage(BOOL bNext);
  void SetStatusPane(int pane, const CString& text);
  BOOL IsActHeaderShown(const shell::ContentsRecord& record) const;
  shell::ContentsRecord CurrentRecord() const;
  // The text colour of binder shading for the text pane's topic.
  COLORREF BinderShade(const engine::TopicGroup* group) const;

  medview::ViewerHandle m_pViewer = nullptr;
  medview::ViewerHandle m_pSecondViewer = nullptr;
  int32_t m_nPosition = 0;
  std::deque<std::unique_ptr<CMvHistoryItem>> m_history;
  shell::ActDescription m_previous;
  shell::ActDescription m_current;
  int m_nFoundWords = 0;
  CMvNSR m_actHeader;
  CMvNSR m_topicHeader;
  CMvSR m_textPane;
  std::vector<CMvPane*> m_panes;
  int m_nHistoryPos = -1;  // index in m_history; -1 none
  HBRUSH m_hWhiteBrush = nullptr;
  BOOL m_bScrollRegion = TRUE;
  BOOL m_bActHeader = TRUE;
  int m_nFoundWordMode = 0;
  COLORREF m_crShade = 0;
  CTime m_timeShown;
  CString m_strSheetTitle;
  CString m_strStatus[7];
  // Printing: the page counter, page rectangle, selection flag, notes height (device units),
  // fonts and texts of the view's own print loop.
  int m_nPrintPage = 0;
  CRect m_rectPrintPage;
  CRect m_rectPrintText;
  BOOL m_bPrintSelection = FALSE;
  BOOL m_bPrintNotes = FALSE;
  int m_nPrintNotesHeight = 0;
  CFont m_fontPrintBody, m_fontPrintHeader, m_fontPrintNotes;
  CString m_strPrintDocName, m_strPrintHeader, m_strPrintWorkInfo, m_strPrintFooter;
  // Topics dropped on the view show in it (or, with Ctrl, in a new sheet).
  void RegisterTopicDropTarget();
  // "Dodaj do se&gregatora": the shown act goes into the open binder.
  afx_msg void OnAddToBinder();
  afx_msg void OnUpdateAddToBinder(CCmdUI* pCmdUI);
  std::unique_ptr<CTopicOleDropTarget> m_pDropTarget;

  DECLARE_MESSAGE_MAP()
};

// Selects the topic's record in the library tree (an attachment's act for an attachment).
void LocateTopicInLibrary(CLumoKALDoc* work, int32_t topic);

