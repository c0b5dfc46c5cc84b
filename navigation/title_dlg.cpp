#include "navigation/title_dlg.h"

#include <algorithm>

#include "engine/medview/engine_titles.h"
#include "navigation/keyword_hits.h"
#include "platform/base/cp1250.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/control_messages.h"
#include "resources/app_ids.h"

using namespace resources;

namespace keywords {
namespace {

std::string TrimRight(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string TrimLeft(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

RankedTitle SplitRankedTitle(const std::string& keyword) {
  const size_t hash = keyword.find('#');
  if (hash == std::string::npos) return {keyword, {}};
  return {TrimLeft(keyword.substr(hash + 1)), keyword.substr(0, hash)};
}

std::string TitleHeading(const std::string& keyword) {
  const size_t hash = keyword.find('#');
  if (hash == std::string::npos || hash == 0) return keyword;
  return TrimRight(TrimLeft(keyword.substr(hash + 1))) + " " + TrimRight(keyword.substr(0, hash));
}

std::string TitleBeforeRank(const std::string& keyword) {
  const size_t hash = keyword.find('#');
  if (hash == std::string::npos || hash == 0) return keyword;
  return TrimRight(keyword.substr(0, hash));
}

std::string TitleHighlight(const std::string& text) {
  return text.size() <= 2 ? std::string() : base::cp1250::to_upper(text);
}

}  // namespace keywords

// --- CTitleDlg -------------------------------------------------------------------------------------

namespace {
constexpr CKeywordListDlg::Layout kTitles{IDD_TITLE_INDEX, "|a", IDC_TITLE_EDIT, IDC_TITLE_LIST, IDC_TITLE_SHOW,
                                          IDC_TITLE_CLOSE, "TitlePos", 400, true, false, 30, 270, 125};
constexpr CKeywordListDlg::Layout kSignatories{IDD_WHO_INDEX, "|p", IDC_WHO_EDIT, IDC_WHO_LIST, IDC_WHO_SHOW,
                                               IDC_WHO_CLOSE, "WhoPos", 300, false, true, 34, 270, 125};
constexpr const char* kWhoIndexes[] = {"|p", "|q"};
constexpr const char* kWhoLabels[] = {"Naz&wisko", "Stano&wisko"};

// Sets the header text of a list column.
void SetColumnHeader(CGSListCtrl& list, int column, const char* text) {
  std::string copy = text;
  LVCOLUMN item{};
  item.mask = LVCF_TEXT;
  item.pszText = copy.data();
  list.SetColumn(column, &item);
}
}  // namespace

BEGIN_MESSAGE_MAP(CTitleDlg, CKeywordListDlg)
  ON_WM_SIZE()
END_MESSAGE_MAP()

CTitleDlg::CTitleDlg(CWnd* pParent) : CKeywordListDlg(kTitles, Remembered(), pParent) {}

void CTitleDlg::InitIndex() {
  for (const keywords::TitleKind& kind : keywords::kTitleKinds) {
    const std::string text = base::cp1250::from_utf8(kind.utf8_text);
    SendDlgItemMessage(m_hWnd, int(IDC_TITLE_KIND), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendDlgItemMessage(m_hWnd, int(IDC_TITLE_KIND), CB_SETCURSEL,
                     WPARAM(std::clamp(RememberedKind(), 0, keywords::kTitleKindCount - 1)), 0);
  ChangeKind();
  // The edit stays empty: the remembered title only selects its keyword.
  if (m_hIndex && !Remembered().empty()) SelectNearest(Remembered());
}

void CTitleDlg::ChangeKind() {
  EnableShow(FALSE);
  const int chosen =
      std::clamp(int(SendDlgItemMessage(m_hWnd, int(IDC_TITLE_KIND), CB_GETCURSEL, 0, 0)), 0, keywords::kTitleKindCount - 1);
  if (chosen != RememberedKind()) Remembered().clear();
  RememberedKind() = chosen;
  CloseIndex();
  // A row chosen in the other index means nothing in this one.
  m_list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  m_bActs = chosen == 0;
  SetColumnHeader(m_list, 0, m_bActs ? "RANGA" : "LP.");
  OpenIndex(keywords::kTitleKinds[chosen].index);
  ResetItemCount();
}

std::string CTitleDlg::CellText(int item, int column) {
  const std::string text = base::cp1250::to_upper(keywords::KeywordText(m_hIndex, item));
  if (!m_bActs) return column == 0 ? std::to_string(item + 1) : text;
  const keywords::RankedTitle split = keywords::SplitRankedTitle(text);
  return column == 0 ? split.rank : split.title;
}

BOOL CTitleDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == IDC_TITLE_KIND && HIWORD(wParam) == CBN_SELCHANGE) {
    ChangeKind();
    return TRUE;
  }
  return CKeywordListDlg::OnCommand(wParam, lParam);
}

void CTitleDlg::OnEditChange() {
  if (!EditHasFocus()) return;
  const std::string text = EditText();
  const std::string highlight = keywords::TitleHighlight(text);
  m_list.m_strHighlight = CString(highlight);
  m_list.m_bHighlight = highlight.empty() ? 0 : 1;
  m_list.Invalidate();
  SelectNearest(text);
}

void CTitleDlg::OnListFocus() {
  if (GetSelectedItem() < 0) return;
  EnableShow(TRUE);
  if (!EditHasFocus()) Remembered() = SelectedKeyword();
}

void CTitleDlg::OnListItemChanged() {
  if (GetSelectedItem() >= 0 && !EditHasFocus()) Remembered() = keywords::TitleBeforeRank(SelectedKeyword());
}

void CTitleDlg::OnListStateChanged() {
  if (GetSelectedItem() >= 0) Remembered() = SelectedKeyword();
}

void CTitleDlg::OnOK() {
  if (const int item = GetSelectedItem(); item >= 0) Remembered() = CellText(item, 1);
  CKeywordListDlg::OnOK();
}

void CTitleDlg::OnSize(UINT nType, int cx, int cy) {
  CKeywordListDlg::OnSize(nType, cx, cy);
  CWnd* kinds = GetDlgItem(int(IDC_TITLE_KIND));
  CWnd* edit = GetDlgItem(int(IDC_TITLE_EDIT));
  if (!m_list.m_hWnd || !kinds || !edit) return;
  const CRect rk = ItemRect(kinds), re = ItemRect(edit);
  const int left = cx - 5 - rk.Width();
  kinds->SetWindowPos(nullptr, left, rk.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  edit->SetWindowPos(nullptr, 5, re.top, std::max(0, left - 10 - 5), re.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- CWhoDlg ---------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CWhoDlg, CKeywordListDlg)
  ON_WM_SIZE()
END_MESSAGE_MAP()

CWhoDlg::CWhoDlg(CWnd* pParent) : CKeywordListDlg(kSignatories, RememberedSurname(), pParent) {}

void CWhoDlg::InitIndex() { EnterMode(RememberedMode()); }

void CWhoDlg::EnterMode(Mode mode) {
  RememberedMode() = mode;
  m_pRemembered = mode == kSurnames ? &RememberedSurname() : &RememberedPosition();
  CheckDlgButton(int(IDC_WHO_SURNAMES), mode == kSurnames ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(int(IDC_WHO_POSITIONS), mode == kPositions ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemText(int(IDC_WHO_LABEL), CString(kWhoLabels[mode]));
  const bool opened = OpenIndex(kWhoIndexes[mode]);
  ResetItemCount();
  if (!opened) return;
  if (!m_pRemembered->empty()) {
    SetDlgItemText(int(IDC_WHO_EDIT), CString(*m_pRemembered));
    SelectNearest(*m_pRemembered);
  }
}

BOOL CWhoDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  if ((id == IDC_WHO_SURNAMES || id == IDC_WHO_POSITIONS) && HIWORD(wParam) == BN_CLICKED) {
    // The edit's text belongs to the mode being left (clicking the mode already on keeps it there).
    *m_pRemembered = EditText();
    EnterMode(id == IDC_WHO_SURNAMES ? kSurnames : kPositions);
    return TRUE;
  }
  return CKeywordListDlg::OnCommand(wParam, lParam);
}

void CWhoDlg::OnSize(UINT nType, int cx, int cy) {
  CWnd* show = GetDlgItem(int(IDC_WHO_SHOW));
  const int before = show ? ItemRect(show).top : 0;
  CKeywordListDlg::OnSize(nType, cx, cy);
  if (!m_list.m_hWnd || !show) return;
  const int moved = ItemRect(show).top - before;
  for (UINT id : {IDC_WHO_SURNAMES, IDC_WHO_POSITIONS}) {
    if (CWnd* radio = GetDlgItem(int(id))) {
      const CRect r = ItemRect(radio);
      radio->SetWindowPos(nullptr, r.left, r.top + moved, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
}
