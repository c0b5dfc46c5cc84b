#include "navigation/index_dlg.h"

#include <algorithm>

#include "engine/medview/engine_titles.h"
#include "navigation/keyword_hits.h"
#include "navigation/nav_commands.h"
#include "platform/base/cp1250.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/control_messages.h"
#include "platform/win/system_metrics.h"
#include "resources/app_ids.h"
#include "shell/frame_placement.h"
#include "shell/library_title.h"

using namespace resources;

// --- What every index dialog shares ----------------------------------------------------------------

CKeywordIndexDlg* CKeywordIndexDlg::s_pOpen = nullptr;

CKeywordIndexDlg::CKeywordIndexDlg(UINT nIDTemplate, const char* placement, CWnd* pParent)
    : CGSDialog(nIDTemplate, pParent), m_nIDTemplate(nIDTemplate), m_placement(placement) {}

CKeywordIndexDlg::~CKeywordIndexDlg() { CloseIndex(); }

void CKeywordIndexDlg::CloseIndex() {
  if (m_hIndex) medview::MvCloseKeywordIndex(m_hIndex);
  m_hIndex = nullptr;
}

bool CKeywordIndexDlg::OpenIndex(const char* name) {
  CloseIndex();
  m_hIndex = LibraryTitle() ? medview::MvOpenKeywordIndex(LibraryTitle(), name) : nullptr;
  return m_hIndex != nullptr;
}

bool CKeywordIndexDlg::RestorePlacement(bool bPositionOnly) {
  if (bPositionOnly) return frame_placement::RestorePosition(m_hWnd, m_placement);
  const auto placement = frame_placement::Load(m_placement);
  if (!placement) return false;
  WINDOWPLACEMENT wp = *placement;
  wp.length = sizeof(wp);
  return ::SetWindowPlacement(m_hWnd, &wp) != FALSE;
}

void CKeywordIndexDlg::SaveWindowPlacement() { frame_placement::Store(m_hWnd, m_placement); }

void CKeywordIndexDlg::OnCancel() {
  SaveWindowPlacement();
  EndDialog(IDCANCEL);
  DestroyWindow();
}

void CKeywordIndexDlg::Open(CKeywordIndexDlg* dialog, CWnd* pParent) {
  s_pOpen = dialog;
  if (!dialog->Create(dialog->m_nIDTemplate, pParent)) {
    s_pOpen = nullptr;
    delete dialog;
    return;
  }
  dialog->ShowWindow(SW_SHOW);
}

void CKeywordIndexDlg::PostNcDestroy() {
  if (s_pOpen == this) s_pOpen = nullptr;
  delete this;
}

// --- The list dialogs ------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKeywordListDlg, CKeywordIndexDlg)
  ON_WM_SIZE()
  ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

CKeywordListDlg::CKeywordListDlg(const Layout& layout, std::string& remembered, CWnd* pParent)
    : CKeywordIndexDlg(layout.nIDTemplate, layout.placement, pParent), m_layout(layout), m_pRemembered(&remembered) {}

BOOL CKeywordListDlg::OnInitDialog() {
  CGSDialog::OnInitDialog();
  if (!RestorePlacement(false)) {
    CRect rect;
    GetWindowRect(&rect);
    SetWindowPos(nullptr, 0, 0, m_layout.nDefaultWidth, rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (!m_list.SubclassDlgItem(m_layout.nIDList, this)) return TRUE;
  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
  m_list.SetWantAllKeys(FALSE);
  EnableShow(FALSE);
  CRect client;
  m_list.GetClientRect(&client);
  m_list.InsertColumn(0, CString("LP."), LVCFMT_RIGHT, 30);
  m_list.InsertColumn(1, CString("INDEKS"), LVCFMT_LEFT,
                      client.Width() - ::GetSystemMetrics(SM_CXVSCROLL) - m_layout.nColumnInset);
  // The width set above came before the list existed: lay the controls out for it now.
  CRect inside;
  GetClientRect(&inside);
  SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(inside.Width(), inside.Height()));
  InitIndex();
  return TRUE;
}

void CKeywordListDlg::InitIndex() {
  if (!OpenIndex(m_layout.index)) return;
  ResetItemCount();
  if (!m_pRemembered->empty()) {
    SetDlgItemText(int(m_layout.nIDEdit), CString(*m_pRemembered));
    SelectNearest(*m_pRemembered);
  }
}

void CKeywordListDlg::ResetItemCount() {
  m_list.SetItemCount(m_hIndex ? std::max(0, medview::MvGetKeywordCount(m_hIndex)) : 0);
}

int CKeywordListDlg::GetSelectedItem() const {
  return m_list.m_hWnd ? m_list.GetNextItem(-1, LVNI_SELECTED) : -1;
}

std::string CKeywordListDlg::SelectedKeyword() const { return keywords::KeywordText(m_hIndex, GetSelectedItem()); }

std::string CKeywordListDlg::EditText() const {
  return std::string(static_cast<LPCTSTR>(GetDlgItemText(int(m_layout.nIDEdit))));
}

bool CKeywordListDlg::EditHasFocus() const {
  CWnd* edit = GetDlgItem(int(m_layout.nIDEdit));
  return edit && ::GetFocus() == edit->m_hWnd;
}

void CKeywordListDlg::EnableShow(BOOL bEnable) {
  if (CWnd* show = GetDlgItem(int(m_layout.nIDShow))) show->EnableWindow(bEnable);
}

void CKeywordListDlg::SelectNearest(const std::string& text) {
  const int32_t item = keywords::NearestKeyword(m_hIndex, text.c_str());
  if (item < 0) return;
  m_list.SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  if (GetSelectedItem() >= 0) EnableShow(TRUE);
  ScrollToTop(item);
}

void CKeywordListDlg::ScrollToTop(int item) {
  CRect first;
  if (!m_list.GetItemRect(0, &first, LVIR_BOUNDS)) return;
  m_list.Scroll(CSize(0, (item - m_list.GetTopIndex()) * first.Height()));
}

int CKeywordListDlg::ShowKeywordTopics() {
  if (GetSelectedItem() < 0) return 0;
  keywords::KeywordHitArray& hits = keywords::KeywordHits();
  hits.Clear();
  const std::string keyword = SelectedKeyword();
  if (!EditHasFocus()) *m_pRemembered = keyword;
  bool listed = false;
  if (keywords::LoadKeywordTopics(m_hIndex, keyword.c_str(), hits, &listed) != 0) return keywords::kNoMemory;
  if (listed) navcmd::ListKeywordHits(Heading(keyword));
  return 0;
}

std::string CKeywordListDlg::CellText(int item, int column) {
  if (column == 0) return std::to_string(item + 1);
  std::string text = keywords::KeywordText(m_hIndex, item);
  return m_layout.bUpperCase ? base::cp1250::to_upper(text) : text;
}

void CKeywordListDlg::OnEditChange() {
  if (!EditHasFocus()) return;
  *m_pRemembered = EditText();
  SelectNearest(*m_pRemembered);
}

void CKeywordListDlg::OnListFocus() {
  if (GetSelectedItem() < 0) return;
  EnableShow(TRUE);
  if (!EditHasFocus()) SetDlgItemText(int(m_layout.nIDEdit), CString(SelectedKeyword()));
}

void CKeywordListDlg::OnListItemChanged() {
  if (m_layout.bClickFillsEdit && GetSelectedItem() >= 0 && !EditHasFocus()) {
    SetDlgItemText(int(m_layout.nIDEdit), CString(SelectedKeyword()));
  }
}

void CKeywordListDlg::OnListStateChanged() {
  if (GetSelectedItem() < 0) return;
  *m_pRemembered = SelectedKeyword();
  SetDlgItemText(int(m_layout.nIDEdit), CString(*m_pRemembered));
}

BOOL CKeywordListDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  if (id == m_layout.nIDEdit && code == EN_CHANGE) {
    OnEditChange();
    return TRUE;
  }
  if (id == m_layout.nIDEdit && code == EN_SETFOCUS) {
    SendDlgItemMessage(m_hWnd, int(id), EM_SETSEL, 0, -1);
    SendDlgItemMessage(m_hWnd, int(id), EM_SCROLLCARET, 0, 0);
    return TRUE;
  }
  if ((id == m_layout.nIDShow || id == IDOK) && code == BN_CLICKED) {
    OnOK();
    return TRUE;
  }
  if ((id == m_layout.nIDClose || id == IDCANCEL) && code == BN_CLICKED) {
    OnCancel();
    return TRUE;
  }
  return CGSDialog::OnCommand(wParam, lParam);
}

BOOL CKeywordListDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (!header || header->idFrom != m_layout.nIDList) return CGSDialog::OnNotify(wParam, lParam, pResult);
  *pResult = 0;
  switch (header->code) {
    case LVN_GETDISPINFO: {
      LVITEM& item = reinterpret_cast<NMLVDISPINFO*>(header)->item;
      if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return TRUE;
      m_cell = CellText(item.iItem, item.iSubItem);
      const size_t n = std::min(m_cell.size(), size_t(item.cchTextMax - 1));
      std::copy_n(m_cell.data(), n, item.pszText);
      item.pszText[n] = '\0';
      return TRUE;
    }
    case NM_DBLCLK:
      if (GetSelectedItem() >= 0) ShowKeywordTopics();
      return TRUE;
    case NM_SETFOCUS:
      OnListFocus();
      return TRUE;
    case LVN_ITEMCHANGED:
      OnListItemChanged();
      return TRUE;
    case LVN_ODSTATECHANGED:
      OnListStateChanged();
      return TRUE;
    default: break;
  }
  return CGSDialog::OnNotify(wParam, lParam, pResult);
}

CRect CKeywordListDlg::ItemRect(CWnd* w) const {
  CRect r;
  w->GetWindowRect(&r);
  ScreenToClient(&r);
  return r;
}

void CKeywordListDlg::OnSize(UINT nType, int cx, int cy) {
  CGSDialog::OnSize(nType, cx, cy);
  if (!m_list.m_hWnd) return;
  CWnd* edit = GetDlgItem(int(m_layout.nIDEdit));
  CWnd* show = GetDlgItem(int(m_layout.nIDShow));
  CWnd* close = GetDlgItem(int(m_layout.nIDClose));
  if (!edit || !show || !close) return;
  const CRect re = ItemRect(edit), rs = ItemRect(show), rl = ItemRect(&m_list);
  edit->SetWindowPos(nullptr, 5, re.top, std::max(0, cx - 10), re.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  const int buttonTop = cy - 5 - rs.Height();
  show->SetWindowPos(nullptr, 5, buttonTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  close->SetWindowPos(nullptr, 5 + rs.Width() + 5, buttonTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  m_list.SetWindowPos(nullptr, 5, rl.top, std::max(0, cx - 10), std::max(0, buttonTop - 5 - rl.top),
                      SWP_NOZORDER | SWP_NOACTIVATE);
  int width = std::max(0, cx - 10) - m_list.GetColumnWidth(0) - 4;
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE;
  if (m_list.GetScrollInfo(SB_VERT, &si) && si.nMax >= 2) width -= ::GetSystemMetrics(SM_CXVSCROLL);
  m_list.SetColumnWidth(1, std::max(0, width));
}

void CKeywordListDlg::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
  if (m_layout.nMinTrackX > 0) lpMMI->ptMinTrackSize.x = m_layout.nMinTrackX;
  if (m_layout.nMinTrackY > 0) lpMMI->ptMinTrackSize.y = m_layout.nMinTrackY;
}

void CKeywordListDlg::OnOK() {
  if (GetSelectedItem() >= 0) ShowKeywordTopics();
  SaveWindowPlacement();
  EndDialog(IDOK);
  DestroyWindow();
}

// --- The four plain dialogs -----------------------------------------------------------------------

namespace {
constexpr CKeywordListDlg::Layout kSubjects{IDD_SUBJECT_INDEX, "|i", IDC_SUBJECT_EDIT, IDC_SUBJECT_LIST,
                                            IDC_SUBJECT_SHOW, IDC_SUBJECT_CLOSE, "IndexPos", 350, false, true};
constexpr CKeywordListDlg::Layout kFormulas{IDD_FORMULA_INDEX, "|g", IDC_FORMULA_EDIT, IDC_FORMULA_LIST,
                                            IDC_FORMULA_SHOW, IDC_FORMULA_CLOSE, "EquationPos", 350, true, false};
constexpr CKeywordListDlg::Layout kForms{IDD_FORM_INDEX, "|f", IDC_FORM_EDIT, IDC_FORM_LIST,
                                         IDC_FORM_SHOW, IDC_FORM_CLOSE, "FormPos", 350, true, false};
constexpr CKeywordListDlg::Layout kTables{IDD_TABLE_INDEX, "|e", IDC_TABLE_EDIT, IDC_TABLE_LIST,
                                          IDC_TABLE_SHOW, IDC_TABLE_CLOSE, "TblPos", 350, true, false};
}  // namespace

CIndexDlg::CIndexDlg(CWnd* pParent) : CKeywordListDlg(kSubjects, Remembered(), pParent) {}
CEquationDlg::CEquationDlg(CWnd* pParent) : CKeywordListDlg(kFormulas, Remembered(), pParent) {}
CFormDlg::CFormDlg(CWnd* pParent) : CKeywordListDlg(kForms, Remembered(), pParent) {}
CTableDlg::CTableDlg(CWnd* pParent) : CKeywordListDlg(kTables, Remembered(), pParent) {}
