// CActDlg ("Informacja"): the small tool window that describes one act of the library - where and
// when it was published, its rank and its title - under a strip of three tabs ("Informacja",
// "Wyjątki", "Zobacz również"). Trees, lists and the text panes show it with their "Informacja"
// command and, while it is visible, make it follow what they show. There is one instance, made over
// the main window; Enter and Esc hide it, Ctrl+Tab steps through the tabs; it opens where it was
// last hidden ("ActDlgPos").
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/framework/dialog.h"
#include "shell/core/contents_reader.h"

namespace actinfo {

// The address, rank and title lines of the "Informacja" tab for a description `d`.
struct Lines {
  std::string address;
  std::string rank;
  std::string title;
};
Lines Describe(const shell::ActDescription& d);

// The tab rectangles of labels `widths` (text widths in pixels): from x = 60, each its width + 18
// wide, 3 to 23 high, 2 pixels apart.
std::vector<RECT> TabRects(const std::vector<int>& widths);

}  // namespace actinfo

class CActDlg : public CDialog {
 public:
  static constexpr int kTabs = 3;
  static constexpr const char* kPlacementValue = "ActDlgPos";

  CActDlg();
  ~CActDlg() override;

  // Makes the (hidden) window over `pParent`.
  BOOL Create(CWnd* pParent);
  // Describes catalogue record `record`; 0 or the record already shown changes nothing. The first
  // act makes the tabs and selects the first.
  void ShowAct(int32_t record);
  // Makes tab `n` current; nothing when it already is or there are no tabs.
  void SelectTab(int n);
  int GetCurrentTab() const { return m_nCurrentTab; }
  int32_t GetRecord() const { return m_nRecord; }
  const actinfo::Lines& GetLines() const { return m_lines; }
  const std::vector<RECT>& GetTabRects() const { return m_tabRects; }

  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void PostNcDestroy() override;
  void DrawTab(CDC& dc, const RECT& r, bool current) const;
  // Enter and Esc: the place is kept and the window hidden.
  void Hide();

  afx_msg void OnDestroy();
  afx_msg void OnPaint();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);

  std::vector<std::string> m_labels;
  std::vector<RECT> m_tabRects;
  int m_nCurrentTab = -1;
  int32_t m_nRecord = 0;
  actinfo::Lines m_lines;

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
