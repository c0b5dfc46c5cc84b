// The keyword index dialogs: modeless dialogs each showing one keyword index of the library as a
// virtual list ("LP.", "INDEKS") with an edit field for type-ahead. "&Lista" (or a double-click)
// puts the chosen keyword's topic addresses into the keyword hits and lists them in the "Indeksy"
// tab of "Nawigator". Each dialog class remembers its last keyword for the run; its placement is
// stored under the program's settings key.
#pragma once

#include <cstdint>
#include <string>

#include "controls/base/gs_dialog.h"
#include "controls/gs_list_ctrl.h"
#include "engine/fts/index/word_wheel.h"

// What the plain list dialogs share; a derived dialog names its template, controls and index.
class CKeywordListDlg : public CGSDialog {
 public:
  struct Layout {
    UINT nIDTemplate;
    const char* index;      // the keyword index's name ("|i", ...)
    UINT nIDEdit, nIDList, nIDShow, nIDClose;  // "&Lista" is nIDShow
    const char* placement;  // the placement value
    int nDefaultWidth;      // the width without a stored placement
    bool bUpperCase;        // keywords shown in upper case
    bool bClickFillsEdit;   // a changed selection puts its keyword into the edit
  };

  CKeywordListDlg(const Layout& layout, std::string& remembered, CWnd* pParent);
  ~CKeywordListDlg() override;

  // The "Lista" step: the selected keyword's addresses into the keyword hits, listed in "Indeksy";
  // 0, or 1001 when the addresses cannot be held.
  int ShowKeywordTopics();
  void SaveWindowPlacement();

  CGSListCtrl& GetList() { return m_list; }
  fts::WordWheelHandle GetIndex() const { return m_hIndex; }
  int GetSelectedItem() const;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void OnOK() override;
  void OnCancel() override;
  void PostNcDestroy() override;

  // Selects and focuses the keyword `text` leads to, enables "&Lista" and scrolls it to the top.
  void SelectNearest(const std::string& text);
  void ScrollToTop(int item);
  bool EditHasFocus() const;
  std::string SelectedKeyword() const;

  afx_msg void OnSize(UINT nType, int cx, int cy);

  Layout m_layout;
  std::string& m_remembered;
  CGSListCtrl m_list;
  fts::WordWheelHandle m_hIndex = nullptr;
  std::string m_cell;

  DECLARE_MESSAGE_MAP()
};

// "Indeks rzeczowy": the subjects index.
class CIndexDlg : public CKeywordListDlg {
 public:
  explicit CIndexDlg(CWnd* pParent = nullptr);
  // The open dialog, or null.
  static CIndexDlg* GetOpen() { return s_pOpen; }
  // The command: closes the open dialog, else makes and shows a new one over `pParent`.
  static void Toggle(CWnd* pParent);
  // The keyword remembered for the run.
  static std::string& Remembered();

 protected:
  void PostNcDestroy() override;

  static CIndexDlg* s_pOpen;
};
