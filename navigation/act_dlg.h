// CActDlg ("Informacja"): the small tool window that describes one act of the library on three
// pages under a strip of tabs: where and when it was published, its rank, title and dates
// ("Informacja", CActPropertyPage), its exceptions ("Wyjątki", CActExceptionPage: the numbered
// "<Wn:" tags of the act's header text, one bullet each) and the subject keywords that lead to
// related acts ("Zobacz również", CActRelatedPage: the "<I:" tag; a double click lists the
// keyword's acts in "Indeksy"). Trees, lists and the text panes show it with their "Informacja"
// command and, while it is visible, make it follow what they show.
//
// There is one instance, made over the main window. It is transient: once the focus has gone to a
// window that is neither the act window, one of its children nor a window it owns, it closes -
// unless its pin button is pinned. Enter hides it (unless pinned), Esc hides and unpins it,
// Ctrl+Tab steps through the tabs, the help button asks for the current page's help; it opens
// where it was last put ("ActDlgPos").
#pragma once

#include <array>
#include <string>
#include <vector>

#include "controls/date_ctrl.h"
#include "controls/pin_button.h"
#include "platform/controls/rich_text.h"
#include "platform/framework/property_sheet.h"
#include "shell/core/contents_reader.h"

namespace actinfo {

// The address, rank and title fields of the "Informacja" page for a description `d`.
struct Lines {
  std::string address;
  std::string rank;
  std::string title;
};
Lines Describe(const shell::ActDescription& d);

// The three dates of the "Informacja" page ("5 marca 2001 r."; empty for none): adopted,
// published and in force.
struct Dates {
  std::string adopted;
  std::string published;
  std::string in_force;
};
Dates DescribeDates(const shell::ActDescription& d);

// The record the exceptions and related pages describe: the act of the description, or -1 for
// a journal issue or a yearbook.
int32_t PageRecord(const shell::ActDescription& d);

// The tab rectangles of labels `widths` (text widths in pixels): from x = 60, each its width + 18
// wide, 3 to 23 high, 2 pixels apart.
std::vector<RECT> TabRects(const std::vector<int>& widths);

// The help context of a page (0x20000 plus its template id).
UINT HelpContext(UINT page_template);

// The exceptions of a header text: the values of "<W1:", "<W2:", ... as long as they follow one
// another (closed and not empty); "brak." alone when there is none.
std::vector<std::string> ExceptionItems(const std::string& tag_text);
// The exceptions page's text: "Wyjątki:" in bold, then each item as a bullet paragraph after an
// empty one, all at 8 points.
controls::RichText ExceptionText(const std::vector<std::string>& items);
// The related keywords of a header text: the "<I:" tag's value cut at each ';', each piece trimmed
// and kept when not empty; the text after the last ';' is not a keyword.
std::vector<std::string> RelatedKeywords(const std::string& tag_text);
// The header text of record `record`'s topic, read through an off-screen pane (empty when it
// cannot be shown).
std::string TopicHeaderText(int32_t record);

}  // namespace actinfo

// The "Informacja" page: the act's address, rank and title, and its three dates.
class CActPropertyPage : public CPropertyPage {
 public:
  CActPropertyPage();
  void ShowDescription(const shell::ActDescription& d);

 protected:
  BOOL OnInitDialog() override;

  std::array<CDateCtrl, 3> m_dates;
};

// The "Wyjątki" page: the act's exceptions as bullets in a read-only rich edit.
class CActExceptionPage : public CPropertyPage {
 public:
  CActExceptionPage();
  // Takes the described act (PageRecord) and rebuilds the page.
  void SetAct(const shell::ActDescription& d);
  int32_t GetRecord() const { return m_nRecord; }
  // Fills the rich edit with the exceptions of `tag_text`.
  void ShowTagText(const std::string& tag_text);
  BOOL OnSetActive() override;

 protected:
  BOOL OnInitDialog() override;

  int32_t m_nRecord = -1;
};

// The "Zobacz również" page: the act's subject keywords, sorted; a double click on one lists its
// acts in "Indeksy".
class CActRelatedPage : public CPropertyPage {
 public:
  CActRelatedPage();
  void SetAct(const shell::ActDescription& d);
  int32_t GetRecord() const { return m_nRecord; }
  // Fills the list with the keywords of `tag_text`.
  void ShowTagText(const std::string& tag_text);
  BOOL OnSetActive() override;
  // Lists the acts of keyword `keyword` of the subject index in "Indeksy".
  static void ListKeyword(const std::string& keyword);

 protected:
  afx_msg void OnPaint();
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnDblclkKeywords();

  int32_t m_nRecord = -1;
  CBrush m_faceBrush;

  DECLARE_MESSAGE_MAP()
};

class CActDlg : public CDialog {
 public:
  static constexpr int kTabs = 3;
  static constexpr const char* kPlacementValue = "ActDlgPos";

  CActDlg();
  ~CActDlg() override;

  // Makes the (hidden) window over `pParent`.
  BOOL Create(CWnd* pParent);
  // Describes catalogue record `record`; 0 or the record already shown changes nothing. The first
  // act makes the pages and selects the first tab.
  void ShowAct(int32_t record);
  // Makes tab `n` current; nothing when it already is or there are no tabs.
  void SelectTab(int n);
  int GetCurrentTab() const { return m_nCurrentTab; }
  int32_t GetRecord() const { return m_nRecord; }
  const actinfo::Lines& GetLines() const { return m_lines; }
  const std::vector<RECT>& GetTabRects() const { return m_tabRects; }
  CActPropertyPage& GetPropertyPage() { return m_propertyPage; }
  CActExceptionPage& GetExceptionPage() { return m_exceptionPage; }
  CActRelatedPage& GetRelatedPage() { return m_relatedPage; }
  CPinButton& GetPinButton() { return m_pin; }
  BOOL IsPinned() const { return m_pin.IsPinned(); }

  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void PostNcDestroy() override;
  // Appends a tab for `page`, lays the tabs out again and fits the window to its pages.
  void AddTab(const std::string& label, CPropertyPage* page);
  void FitToPages();
  void DrawTab(CDC& dc, const RECT& r, bool current) const;
  void Hide();

  afx_msg void OnDestroy();
  afx_msg void OnPaint();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  afx_msg void OnHelpButton();
  afx_msg LRESULT OnFocusLeft(WPARAM wParam, LPARAM lParam);

  std::vector<std::string> m_labels;
  std::vector<CPropertyPage*> m_pages;
  std::vector<RECT> m_tabRects;
  int m_nCurrentTab = -1;
  int32_t m_nRecord = 0;
  actinfo::Lines m_lines;
  CActPropertyPage m_propertyPage;
  CActExceptionPage m_exceptionPage;
  CActRelatedPage m_relatedPage;
  CPinButton m_pin;
  CPinButton m_help;

  DECLARE_MESSAGE_MAP()
};

// The program's act information window, over the main window: made on first use and shown (null
// without a main window); whether it exists and is visible; the instance when it exists.
CActDlg* ShowActInfoDialog();
bool IsActInfoDialogVisible();
CActDlg* GetActInfoDialog();
// While the window is visible: shows record `record` in it (none, below 0: record 0), on its first
// tab with `first_tab` (the lists', trees' and panes' follow rule and their "Informacja").
void FollowInActInfoDialog(int32_t record, bool first_tab = false);
