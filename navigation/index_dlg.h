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

  // The open index dialog (at most one at a time), or null.
  static CKeywordListDlg* GetOpen() { return s_pOpen; }
  // An index dialog's command: closes every other open index dialog, then closes `T` when it is
  // open, else makes and shows a new one over `pParent`.
  template <class T>
  static void Toggle(CWnd* pParent) {
    const bool mine = s_pOpen && dynamic_cast<T*>(s_pOpen);
    if (s_pOpen) s_pOpen->DestroyWindow();
    if (mine) return;
    Open(new T(pParent), pParent);
  }

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
  static void Open(CKeywordListDlg* dialog, CWnd* pParent);

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
  static CKeywordListDlg* s_pOpen;

  DECLARE_MESSAGE_MAP()
};

// "Indeks rzeczowy": the subjects index, keywords as stored; a click puts its keyword into the edit.
class CIndexDlg : public CKeywordListDlg {
 public:
  explicit CIndexDlg(CWnd* pParent = nullptr);
  static std::string& Remembered() {
    static std::string keyword;
    return keyword;
  }
};

// "Indeks wzorów": the formulas index, keywords shown in upper case.
class CEquationDlg : public CKeywordListDlg {
 public:
  explicit CEquationDlg(CWnd* pParent = nullptr);
  static std::string& Remembered() {
    static std::string keyword;
    return keyword;
  }
};

// "Indeks formularzy i rysunków": the forms and figures index, in upper case.
class CFormDlg : public CKeywordListDlg {
 public:
  explicit CFormDlg(CWnd* pParent = nullptr);
  static std::string& Remembered() {
    static std::string keyword;
    return keyword;
  }
};

// "Indeks tablic": the tables index, in upper case.
class CTableDlg : public CKeywordListDlg {
 public:
  explicit CTableDlg(CWnd* pParent = nullptr);
  static std::string& Remembered() {
    static std::string keyword;
    return keyword;
  }
};
