// The keyword index dialogs: modeless dialogs each showing one keyword index of the library as a
// virtual list ("LP.", "INDEKS") with an edit field for type-ahead. "&Lista" (or a double-click)
// puts the chosen keyword's topic addresses into the keyword hits and lists them in the "Indeksy"
// tab of "Nawigator". Each dialog class remembers its last keyword for the run; its placement is
// stored under the program's settings key. At most one of them (the date index included) is open.
#pragma once

#include <cstdint>
#include <string>

#include "controls/base/gs_dialog.h"
#include "controls/gs_list_ctrl.h"
#include "engine/fts/index/word_wheel.h"

// What every keyword index dialog shares: its template and placement value, the keyword index it
// has open, and the rule that one index dialog is open at a time.
class CKeywordIndexDlg : public CGSDialog {
 public:
  CKeywordIndexDlg(UINT nIDTemplate, const char* placement, CWnd* pParent);
  ~CKeywordIndexDlg() override;

  void SaveWindowPlacement();
  fts::WordWheelHandle GetIndex() const { return m_hIndex; }

  // The open index dialog (at most one at a time), or null.
  static CKeywordIndexDlg* GetOpen() { return s_pOpen; }
  // An index dialog's command: closes every other open index dialog, then closes `T` when it is
  // open, else makes and shows a new one over `pParent`.
  template <class T>
  static void Toggle(CWnd* pParent) {
    const bool mine = s_pOpen && dynamic_cast<T*>(s_pOpen);
    if (s_pOpen) s_pOpen->DestroyWindow();
    if (mine) return;
    Open(new T(pParent), pParent);
  }

 protected:
  // Opens keyword index `name` of the library title in place of the open one; false (nothing
  // open) when it cannot be opened.
  bool OpenIndex(const char* name);
  void CloseIndex();
  // Restores the stored placement; `bPositionOnly` keeps the dialog's present size. False when
  // nothing usable is stored.
  bool RestorePlacement(bool bPositionOnly);

  void OnCancel() override;
  void PostNcDestroy() override;
  static void Open(CKeywordIndexDlg* dialog, CWnd* pParent);

  UINT m_nIDTemplate;
  const char* m_placement;
  fts::WordWheelHandle m_hIndex = nullptr;
  static CKeywordIndexDlg* s_pOpen;
};

// What the list dialogs share; a derived dialog names its template, controls and index.
class CKeywordListDlg : public CKeywordIndexDlg {
 public:
  struct Layout {
    UINT nIDTemplate;
    const char* index;      // the keyword index's name ("|i", ...)
    UINT nIDEdit, nIDList, nIDShow, nIDClose;  // "&Lista" is nIDShow
    const char* placement;  // the placement value
    int nDefaultWidth;      // the width without a stored placement
    bool bUpperCase;        // keywords shown in upper case
    bool bClickFillsEdit;   // a changed selection puts its keyword into the edit
    int nColumnInset = 34;  // column 1 starts this much (and a scroll bar) narrower than the list
    int nMinTrackX = 0, nMinTrackY = 0;  // the smallest size the user may drag it to (0: any)
  };

  CKeywordListDlg(const Layout& layout, std::string& remembered, CWnd* pParent);

  // The "Lista" step: the selected keyword's addresses into the keyword hits, listed in "Indeksy";
  // 0, or 1001 when the addresses cannot be held.
  int ShowKeywordTopics();

  CGSListCtrl& GetList() { return m_list; }
  int GetSelectedItem() const;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void OnOK() override;

  // Opens the dialog's index and brings the remembered keyword back (the last step of opening).
  virtual void InitIndex();
  // The text of a cell of the virtual list.
  virtual std::string CellText(int item, int column);
  // The heading "Indeksy" shows over the hits of `keyword`.
  virtual std::string Heading(const std::string& keyword) const { return keyword; }
  // The list's notices that differ between dialogs.
  virtual void OnEditChange();
  virtual void OnListFocus();
  virtual void OnListItemChanged();
  virtual void OnListStateChanged();

  // Sets the list's item count from the open index (0 without one).
  void ResetItemCount();
  // Selects and focuses the keyword `text` leads to, enables "&Lista" and scrolls it to the top.
  void SelectNearest(const std::string& text);
  void ScrollToTop(int item);
  void EnableShow(BOOL bEnable);
  bool EditHasFocus() const;
  std::string SelectedKeyword() const;
  std::string EditText() const;
  CRect ItemRect(CWnd* w) const;

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);

  Layout m_layout;
  std::string* m_pRemembered;
  CGSListCtrl m_list;
  std::string m_cell;

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
