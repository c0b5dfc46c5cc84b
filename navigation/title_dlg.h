// The two keyword index dialogs that choose among several indexes: "Indeks tytułów" (CTitleDlg),
// the titles of acts and of their parts, one index per kind of title, with each act title's rank
// in the first column; and "Indeks podpisów" (CWhoDlg), the signatories by surname or by position.
#pragma once

#include <string>

#include "navigation/index_dlg.h"

namespace keywords {

// The kinds of title in the order of the titles dialog's combo box, with their indexes.
struct TitleKind {
  const char* utf8_text;
  const char* index;
};
inline constexpr TitleKind kTitleKinds[] = {
    {"Tytuły aktów", "|a"},    {"Tytuły tytułów", "|t"},       {"Tytuły ksiąg", "|k"},
    {"Tytuły części", "|c"},   {"Tytuły działów", "|d"},       {"Tytuły rozdziałów", "|r"},
    {"Tytuły oddziałów", "|o"}, {"Tytuły załączników", "|z"}, {"Tytuły pozostałe", "|b"},
};
inline constexpr int kTitleKindCount = int(sizeof(kTitleKinds) / sizeof(kTitleKinds[0]));

// An act title keyword "title#rank" split at its first '#': the rank with leading blanks removed
// and the title; a text without '#' is all rank and no title.
struct RankedTitle {
  std::string rank, title;
};
RankedTitle SplitRankedTitle(const std::string& keyword);
// The heading "Indeksy" shows for a titles keyword: with a '#' after the first character, the part
// after it trimmed on both sides, a blank, and the part before it trimmed at the right; else the
// text itself.
std::string TitleHeading(const std::string& keyword);
// The title part a click on a row remembers: the text up to a '#' that is not its first
// character, trimmed at the right; else the whole text.
std::string TitleBeforeRank(const std::string& keyword);
// The highlight text the titles list marks rows with for typed `text` (none for 2 characters or
// fewer). The list shows titles in upper case, so the typed text is put in upper case too: the
// marking does not depend on the case it was typed in.
std::string TitleHighlight(const std::string& text);

}  // namespace keywords

// "Indeks tytułów": nine kinds of title; typing three characters or more also marks every row
// whose title holds the text.
class CTitleDlg : public CKeywordListDlg {
 public:
  explicit CTitleDlg(CWnd* pParent = nullptr);

  // The remembered kind (0 at start) and title, for the run.
  static int& RememberedKind() {
    static int kind = 0;
    return kind;
  }
  static std::string& Remembered() {
    static std::string title;
    return title;
  }
  bool IsActsMode() const { return m_bActs; }
  // Changes to the kind chosen in the combo box.
  void ChangeKind();

 protected:
  void InitIndex() override;
  std::string CellText(int item, int column) override;
  std::string Heading(const std::string& keyword) const override { return keywords::TitleHeading(keyword); }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  void OnEditChange() override;
  void OnListFocus() override;
  void OnListItemChanged() override;
  void OnListStateChanged() override;

  afx_msg void OnSize(UINT nType, int cx, int cy);

  bool m_bActs = false;

  DECLARE_MESSAGE_MAP()
};

// "Indeks podpisów": the signatories by surname ("|p") or by position ("|q"), one remembered text
// for each.
class CWhoDlg : public CKeywordListDlg {
 public:
  enum Mode { kSurnames = 0, kPositions = 1 };
  explicit CWhoDlg(CWnd* pParent = nullptr);

  static Mode& RememberedMode() {
    static Mode mode = kSurnames;
    return mode;
  }
  static std::string& RememberedSurname() {
    static std::string text;
    return text;
  }
  static std::string& RememberedPosition() {
    static std::string text;
    return text;
  }
  // Enters a mode: its radio button checked, its label, its index and its remembered text.
  void EnterMode(Mode mode);

 protected:
  void InitIndex() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  afx_msg void OnSize(UINT nType, int cx, int cy);

  DECLARE_MESSAGE_MAP()
};
