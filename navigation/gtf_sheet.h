// The find / go-to sheet "Znajdź/Przejdź do": a modeless sheet with three pages, the full-text
// query over the library (CGTFQueryPage), find in the shown act (CGTFFindPage) and go to a
// journal address (CGTFGotoPage). One sheet exists at a time; it keeps its place on screen
// ("GotoFindPos") and disables the find-in-act tab while no act is shown.
//
// The query page runs the engine's query on the library title inside the chosen scope under the
// progress window, reports failures after the warning sound and hands the hits to the "Rezultaty"
// tab and the found words to the work. The query options and the current query text outlive the
// sheet; the scope restrictions belong to the page.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "controls/base/gs_property_page.h"
#include "controls/base/gs_property_sheet.h"
#include "controls/gs_mask_edit.h"
#include "controls/tab_ctrl_ex.h"
#include "engine/medview/topic_list.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/menu.h"
#include "toolkit/widgets/owner_draw_button.h"

class CLumoKALDoc;
class CLumoKALView;
class CSearchAbortDlg;
class CSearchresTab;

// The query options and text the sheet, the toolbar query box and the results tab share.
struct QueryState {
  CString current_text = CString("???");
  BOOL default_and = TRUE;
  BOOL sort_hits = FALSE;
};
QueryState& GetQueryState();

class CGTFQueryPage : public CGSPropertyPage {
  DECLARE_DYNCREATE(CGTFQueryPage)

 public:
  CGTFQueryPage();
  ~CGTFQueryPage() override;

  // --- Running a query ---
  // Runs the query of the text combo; TRUE when it found something.
  BOOL RunQuery();
  virtual void OnSearchAborted(CSearchAbortDlg* pDlg);
  // Whether a query is running (its poll dispatches messages meanwhile).
  static bool IsSearching();
  void RefillQueryHistory();
  // Writes `text` into the text combo and enables "Znajdź" for it.
  void SetQueryText(const CString& text);

  // --- Scope ---
  void FillScopeList();
  void RefreshScopeList();
  void ResetScope();
  // Builds the scope list from the restrictions (null: the stored group "1993" is used).
  medview::TopicListHandle BuildScope();
  // The list scope of the selected combo entry as a topic list, or null.
  medview::TopicListHandle GetListScope();
  // The restrictions of accepted scope pages (they take over the list or group).
  void SetYearScope(medview::TopicListHandle list, const CString& labels);
  void SetRankScope(medview::TopicListHandle list, const CString& labels);
  void SetPersonScope(engine::GroupPtr group, const CString& name);
  void SetPositionScope(engine::GroupPtr group, const CString& name);
  BOOL HasNoRestriction() const { return m_bNoRestriction; }
  BOOL IsWholeLibrary() const { return m_bWholeLibrary; }
  int GetListScopeCode() const { return m_nListScope; }
  // The scope group file `name` ("pr", "po", "lg") in the private temporary folder.
  static std::string ScopeFile(const char* name);

  CComboBox m_comboText;
  CComboBox m_comboScope;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  void DoDataExchange(CDataExchange* pDX) override;
  // The report of a finished query; TRUE when it has hits.
  BOOL ReportResult(medview::TopicListHandle list, int error_code);
  void ShowResults(BOOL bNewList);
  void WarningBox(const std::string& text, UINT icon);
  void UpdateResetButton();

  afx_msg void OnQueryTextChange();
  afx_msg void OnFind();
  afx_msg void OnHints();
  afx_msg void OnClose();
  afx_msg void OnListScopeChange();
  afx_msg void OnTitlesOnly();
  afx_msg void OnSortHits();
  afx_msg void OnNewList();
  afx_msg void OnOperator(UINT nID);
  afx_msg void OnHeadingsAll();
  afx_msg void OnHeading(UINT nID);
  afx_msg void OnScopeYears();
  afx_msg void OnScopeRank();
  afx_msg void OnScopePersons();
  afx_msg void OnScopePositions();
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);

  CMenu m_menu;
  SECMenuButton m_btnScope;
  SECMenuButton m_btnHeadings;
  SECMenuButton m_btnOperators;
  BOOL m_bTitlesOnly = FALSE;
  BOOL m_bNewList = FALSE;
  // The list and hits of the query running now; once shown they belong to the work.
  medview::TopicListHandle m_pResultList = nullptr;
  fts::HitHighlightHandle m_pHits = nullptr;
  BOOL m_bAbortNotice = FALSE;
  // all, acts, parts, sections, books, subsections, chapters, titles
  BOOL m_bHeadings[8] = {};

  BOOL m_bNoRestriction = TRUE;
  BOOL m_bWholeLibrary = TRUE;
  int m_nListScope = 11;
  engine::GroupPtr m_pPersonGroup;
  engine::GroupPtr m_pPositionGroup;
  engine::GroupPtr m_pListScopeGroup;
  medview::TopicListHandle m_pRankList = nullptr;
  medview::TopicListHandle m_pYearList = nullptr;
  medview::TopicListHandle m_pScopeList = nullptr;

  DECLARE_MESSAGE_MAP()
};

class CGTFFindPage : public CGSPropertyPage {
  DECLARE_DYNCREATE(CGTFFindPage)

 public:
  CGTFFindPage();
  ~CGTFFindPage() override;

  void RefillQueryHistory();
  void SetActiveTopic(CLumoKALView* pView);
  void SetFindText(const CString& text);
  void OnNext();
  const CString& GetLastSearched() const { return m_strLast; }

  CComboBox m_comboText;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  afx_msg void OnTextChange();
  afx_msg void OnNextButton();
  afx_msg void OnScopeRadio(UINT nID);
  afx_msg void OnHints();
  afx_msg void OnClose();

  CString m_strText;
  CString m_strLast;

  DECLARE_MESSAGE_MAP()
};

class CGTFGotoPage : public CGSPropertyPage {
  DECLARE_DYNCREATE(CGTFGotoPage)

 public:
  CGTFGotoPage();
  ~CGTFGotoPage() override;

  // Goes to the address the fields give; TRUE when the work showed it.
  BOOL OnGoTo();
  // The address the fields give now.
  std::string CurrentAddress();
  void SelectEntry(int entry);

  CListBox m_listKind;
  CGSMaskEdit m_editArticle;
  CGSMaskEdit m_editYear;
  CGSMaskEdit m_editPosition;

 protected:
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  afx_msg void OnKindChange();
  afx_msg void OnGoButton();
  afx_msg void OnClose();
  void StoreFields();

  std::string m_article = "0";
  std::string m_number = "1";
  std::string m_position = "1";
  std::string m_year = "2";
  int m_nShownEntry = 0;

  DECLARE_MESSAGE_MAP()
};

class CGTFSheet : public CGSPropertySheet {
  DECLARE_DYNAMIC(CGTFSheet)

 public:
  static constexpr int kQueryTab = 0;
  static constexpr int kFindTab = 1;
  static constexpr int kGotoTab = 2;
  static constexpr const char* kPlacementValue = "GotoFindPos";

  CGTFSheet(LPCTSTR pszCaption, CWnd* pParent, UINT iSelectPage);
  ~CGTFSheet() override;

  // The open sheet, or null.
  static CGTFSheet* GetOpen();
  // Creates the sheet on first use (owned by `pParent`), shows it and selects page `page`; the
  // open sheet, or null when it cannot be made.
  static CGTFSheet* Open(CWnd* pParent, int page);
  // Closes the open sheet (its place is stored).
  static void CloseOpen();
  // The open sheet's query page refills its list scopes.
  static void RefreshQueryScopes();

  void SetActiveTopic(CLumoKALView* pView);
  void RefillQueryHistory();

  CGTFQueryPage& GetQueryPage() { return m_pageQuery; }
  CGTFFindPage& GetFindPage() { return m_pageFind; }
  CGTFGotoPage& GetGotoPage() { return m_pageGoto; }
  CTabCtrlEx& GetTabs() { return m_tabs; }

  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // The caption's close box: the sheet goes as with "Zamknij".
  void OnCancel() override;

 protected:
  void PostNcDestroy() override;
  afx_msg void OnDestroy();

  CGTFQueryPage m_pageQuery;
  CGTFFindPage m_pageFind;
  CGTFGotoPage m_pageGoto;
  CTabCtrlEx m_tabs;

  DECLARE_MESSAGE_MAP()
};

// The warning sound before a failed search or go-to is reported.
void PlaySearchWarning();
// A query's hits become the work's result list (the in-act results go, the "Rezultaty" tab shows
// the list unsorted with `query`, the sheets show the found words) and "Nawigator" shows them.
void ShowQueryResults(medview::TopicListHandle list, const CString& query);
