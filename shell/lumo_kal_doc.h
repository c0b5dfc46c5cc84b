// The work: the one document of the program. It keeps the user's bookmarks, print list and query
// history, is saved as a work file (".lkl", work_file.h), owns the open library title for the
// whole process and takes every request to show an act. Requests that arrive before the first
// sheet is bound to the library are remembered and shown when it is.
//
// Only one work is open at a time; it outlives its last sheet and ends through its own close.
#pragma once

#include <memory>
#include <vector>

#include "engine/medview/topic_list.h"
#include "platform/framework/doc_template.h"
#include "platform/framework/document.h"
#include "shell/core/contents_reader.h"
#include "shell/work_file.h"

class CFrameWnd;
class CListBox;
class CLumoKALView;
class CView;

class CLumoKALDoc : public CDocument {
  DECLARE_DYNCREATE(CLumoKALDoc)

 public:
  CLumoKALDoc();
  ~CLumoKALDoc() override;

  // The main frame's current work (null when none).
  static CLumoKALDoc* GetCurrentWork();
  static void SetCurrentWork(CLumoKALDoc* work);

  // --- Title ---
  // Opens the library title at `path`; the title open before stays open when this fails. Text
  // sheets bound before are bound to the new title. Null on failure.
  virtual title::TitleHandle* OpenTitle(LPCTSTR lpszPath);
  // As OpenTitle, and the sheets are then bound: they go to `position`. The work's own path
  // never changes, so a save can never overwrite a library.
  virtual title::TitleHandle* OpenTitleAt(LPCTSTR lpszPath, int32_t position, int mode);
  virtual void CloseTitle();
  // The title file in the data folder, then beside the program, then in folders the user names
  // until one opens or the user gives up; the found folder becomes the data folder.
  BOOL LocateLibrary();
  // Whether the sheets are bound to the library (show requests before that are remembered).
  static BOOL AreViewsAttached();

  // --- Search cancel ---
  virtual void SetAbort() { m_nAbort = 1; }
  virtual int TakeAbort();

  // --- Lists ---
  virtual void DeleteBookmarks();
  virtual void DeletePrintList();
  std::vector<std::unique_ptr<CMvBookmarkItem>>& GetBookmarks() { return m_lists.bookmarks; }
  std::vector<std::unique_ptr<CMvPrintmarkItem>>& GetPrintList() { return m_printList; }
  std::vector<CString>& GetQueryHistory() { return m_lists.queries; }
  // The sheets of a loaded work not opened yet.
  const std::vector<WorkSheet>& GetSavedSheets() const { return m_lists.sheets; }
  // The title's stored groups with a description, one line each ("description\tname").
  virtual void ListTitleInfo(CListBox* pList);
  // The same for the records first .. end - 1 (end <= 0 and first 0: all of them).
  virtual void ListTitleInfoRange(CListBox* pList, int first, int end);

  // --- Found words of the search-results list ---
  // The results list's query (its topic list owns the found-word hits the text panes highlight in
  // acts opened from that list); the work takes it over and frees the one before.
  static void SetResultListHits(medview::TopicListHandle list);
  static fts::HitHighlightHandle GetResultListHits();
  // The results list's topic list itself (null when there is none).
  static medview::TopicListHandle GetResultList();
  // Every text view applies the results list's hits again.
  void RefreshFoundWords();
  // Every text view shades acts outside `group` (the open binder's topics, null for none).
  void UpdateBinderShading(const engine::TopicGroup* group);
  // Every text view's panes take the link display mode (8 on), are laid out and repainted.
  void SetDisplayMode(int mode);

  // --- Showing topics ---
  // Before the sheets are bound the topic is only remembered (0 is returned). A new sheet is made
  // when Ctrl is held, a saved sheet is waiting or there is no current text view.
  BOOL OpenTopic(int32_t topic, int mode, int32_t scroll);
  // As OpenTopic, for the saved sheets of a work: no Ctrl test, the work stays unmodified.
  BOOL OpenSavedTopic(int32_t topic, int mode);
  // Opens a topic in a sheet of its own (Ctrl+click on a link, Ctrl with the page commands).
  BOOL OpenTopicInNewSheet(int32_t topic);
  // As OpenTopic for a text position (-1 does nothing).
  BOOL ShowTopicAtPosition(int32_t position, int mode, int32_t scroll);
  // The current sheet (a new one with Ctrl or without any) goes to a typed journal address.
  BOOL GoToAddress(const CString& address);
  BOOL GoToStartTopic();
  // Command "Nowe okno": the current sheet's topic in a new sheet.
  void OpenNewSheet();
  // Hands the layout request to every text view; returns 0.
  int LayoutViews(int mode, LPARAM top_left, LPARAM bottom_right);
  // The first sheet is being bound: marks the sheets bound and returns the topic it is to show (a
  // remembered request, else the first saved sheet's topic, else -1 for the contents topic). A text
  // view is attached to the title and shows that topic.
  int32_t AttachFirstView(CView* pView);
  // The work's text views, and the one that takes requests (the active sheet's).
  std::vector<CLumoKALView*> GetTextViews() const;
  CLumoKALView* GetCurrentTextView() const;
  // The current text sheet's view whatever its class (the sheet frames know views only as views),
  // and the current picture sheet's view; null when none.
  CView* GetCurrentView() const { return m_pCurrentTextView; }
  void SetCurrentTextView(CView* pView) { m_pCurrentTextView = pView; }
  CView* GetCurrentPictureView() const { return m_pCurrentPictureView; }
  void SetCurrentPictureView(CView* pView) { m_pCurrentPictureView = pView; }
  // The view of the work whose frame is the active sheet becomes the current text view; FALSE when
  // none is.
  BOOL FindActiveTextView();
  // The same for the views of the picture sheets.
  BOOL FindActivePictureView();
  int32_t GetPendingTopic() const { return m_nRequestTopic; }
  int32_t GetSavedTopic() const { return m_nSavedTopic; }
  // The topic the next sheet opened shows (a picture sheet going back to its act, a new sheet).
  void SetSavedTopic(int32_t topic) { m_nSavedTopic = topic; }

  // --- Contents index ---
  BOOL ReadCatalogRecord(int32_t n, shell::ContentsRecord& record) const;
  int32_t FindAncestorRecord(int32_t n, shell::ContentsRecord& record, int wanted) const;
  // The record's title text; FALSE without the contents index. `parent` gets the parent link.
  BOOL ReadRecordText(const shell::ContentsRecord& record, CString& text, int32_t& parent) const;
  void GetActDescription(int32_t n, shell::ActDescription& description) const;
  const shell::ContentsIndexReader* GetCatalog() const { return m_pCatalog; }

  // --- Framework ---
  void Serialize(CArchive& ar) override;
  BOOL OnNewDocument() override;
  BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
  BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
  BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE) override;
  void OnCloseDocument() override;
  void DeleteContents() override;
  void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE) override;

 private:
  void TakeCatalog();
  // The open text sheets as the work file stores them: topic shown and history, in view order.
  std::vector<WorkSheet> DescribeSheets() const;
  // A new text sheet of the work's template (visible, initial update run); its view, or null.
  CLumoKALView* MakeTextSheet();
  void ActivateSheetOf(CLumoKALView* pView);
  // A reopened sheet takes the history the work file kept for it.
  static void RestoreHistory(CLumoKALView* pView, const std::vector<CMvHistoryItem>& items);
  BOOL ShowInSheet(int32_t topic, int mode, int32_t scroll, bool ctrl_opens_new, bool mark_modified);

  WorkLists m_lists;
  std::vector<std::unique_ptr<CMvPrintmarkItem>> m_printList;
  int32_t m_nSavedTopic = -1;
  int32_t m_nRequestTopic = -1;
  int m_nAbort = 0;
  const shell::ContentsIndexReader* m_pCatalog = nullptr;
  CView* m_pCurrentTextView = nullptr;
  CView* m_pCurrentPictureView = nullptr;
};

// The work's template: a new or opened work comes with its first text sheet. A work that fails to
// start leaves nothing behind (it outlives its sheets, so its frame cannot take it along).
class CLumoKALDocTemplate : public CMultiDocTemplate {
  DECLARE_DYNAMIC(CLumoKALDocTemplate)

 public:
  CLumoKALDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                      const CRuntimeClass* pViewClass);
  CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
};
