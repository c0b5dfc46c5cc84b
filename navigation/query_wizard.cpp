#include "navigation/query_wizard.h"

#include "navigation/gtf_sheet.h"
#include "navigation/query_rules.h"
#include "platform/base/cp1250.h"
#include "platform/framework/data_exchange.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/lumo_kal_doc.h"

using namespace resources;

namespace {
void OfferButtons(CPropertyPage* page, DWORD buttons) {
  if (CPropertySheet* sheet = page->GetSheet()) sheet->SetWizardButtons(buttons);
}
}  // namespace

// --- Introduction --------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CWizIntroPage, CGSPropertyPage)

BEGIN_MESSAGE_MAP(CWizIntroPage, CGSPropertyPage)
  ON_COMMAND_RANGE(ID_OPERATOR_AND, ID_OPERATOR_ANY_CHARACTER, &CWizIntroPage::OnOperator)
END_MESSAGE_MAP()

CWizIntroPage::CWizIntroPage() : CGSPropertyPage(IDD_WIZ_INTRO) {}

BOOL CWizIntroPage::OnInitDialog() {
  CGSPropertyPage::OnInitDialog();
  m_comboText.SubclassDlgItem(IDC_WIZ_TEXT, this);
  m_comboText.SendMessage(CB_LIMITTEXT, findrules::kQueryLimit);
  if (CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork()) {
    for (const CString& text : work->GetQueryHistory()) m_comboText.AddString(text);
  }
  m_comboText.SetCurSel(0);
  if (m_menu.LoadMenu(IDR_QUERY_PAGE_MENU)) {
    m_btnOperators.AttachMenuItem(IDC_WIZ_OPERATORS, this, m_menu.GetSubMenu(2)->GetSafeHmenu(), 1);
  }
  return TRUE;
}

void CWizIntroPage::DoDataExchange(CDataExchange* pDX) {
  CGSPropertyPage::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_WIZ_DEFAULT_AND, m_bDefaultAnd);
  DDX_Check(pDX, IDC_WIZ_TITLES_ONLY, m_bTitlesOnly);
}

BOOL CWizIntroPage::OnSetActive() {
  OfferButtons(this, PSWIZB_NEXT);
  return CGSPropertyPage::OnSetActive();
}

BOOL CWizIntroPage::OnKillActive() {
  if (m_comboText.m_hWnd) m_comboText.GetWindowText(m_strText);
  return CGSPropertyPage::OnKillActive();
}

void CWizIntroPage::OnOperator(UINT nID) {
  CString text;
  m_comboText.GetWindowText(text);
  m_comboText.SetWindowText(CString(findrules::InsertOperator(text.str(), nID)));
}

// --- The scope steps -------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CWizDatePage, CScopeListPage)
CWizDatePage::CWizDatePage()
    : CScopeListPage(IDD_WIZ_YEARS, IDC_SCOPE_YEAR_LIST, IDC_SCOPE_YEAR_CHOSEN, IDC_SCOPE_YEAR_COUNT, 37, 46) {}
BOOL CWizDatePage::OnSetActive() {
  OfferButtons(this, PSWIZB_BACK | PSWIZB_NEXT);
  return CScopeListPage::OnSetActive();
}

IMPLEMENT_DYNCREATE(CWizRangePage, CScopeListPage)
CWizRangePage::CWizRangePage()
    : CScopeListPage(IDD_WIZ_RANKS, IDC_SCOPE_RANK_LIST, IDC_SCOPE_RANK_CHOSEN, IDC_SCOPE_RANK_COUNT, 3, 14) {}
BOOL CWizRangePage::OnSetActive() {
  OfferButtons(this, PSWIZB_BACK | PSWIZB_NEXT);
  return CScopeListPage::OnSetActive();
}

IMPLEMENT_DYNCREATE(CWizPersonPage, CScopeKeywordPage)
CWizPersonPage::CWizPersonPage()
    : CScopeKeywordPage(IDD_WIZ_PERSONS, IDC_SCOPE_PERSON_LIST, IDC_SCOPE_PERSON_CHOSEN, IDC_SCOPE_PERSON_COUNT, "|p") {}
BOOL CWizPersonPage::OnSetActive() {
  OfferButtons(this, PSWIZB_BACK | PSWIZB_NEXT);
  return CScopeKeywordPage::OnSetActive();
}

IMPLEMENT_DYNCREATE(CWizPositionPage, CScopeKeywordPage)
CWizPositionPage::CWizPositionPage()
    : CScopeKeywordPage(IDD_WIZ_POSITIONS, IDC_SCOPE_POSITION_LIST, IDC_SCOPE_POSITION_CHOSEN,
                        IDC_SCOPE_POSITION_COUNT, "|q") {}
BOOL CWizPositionPage::OnSetActive() {
  OfferButtons(this, PSWIZB_BACK | PSWIZB_NEXT);
  return CScopeKeywordPage::OnSetActive();
}

// --- Summary ---------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CWizCompletePage, CGSPropertyPage)

CWizCompletePage::CWizCompletePage() : CGSPropertyPage(IDD_WIZ_COMPLETE) {}

void CWizCompletePage::DoDataExchange(CDataExchange* pDX) {
  CGSPropertyPage::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_WIZ_SORT, m_bSortHits);
}

BOOL CWizCompletePage::OnSetActive() {
  OfferButtons(this, PSWIZB_BACK | PSWIZB_FINISH);
  if (CWizSheet* sheet = dynamic_cast<CWizSheet*>(GetSheet())) {
    std::string chosen;
    auto add = [&](const char* what, const CString& value) {
      if (value.IsEmpty()) return;
      if (!chosen.empty()) chosen += "\n";
      chosen += std::string(what) + value.str();
    };
    add("Roczniki: ", sheet->m_years.GetChosenLabels());
    add("Ranga: ", sheet->m_ranks.GetChosenLabels());
    add("Nazwisko: ", sheet->m_persons.GetChosenName());
    add("Stanowisko: ", sheet->m_positions.GetChosenName());
    SetDlgItemText(IDC_WIZ_CHOSEN, chosen.empty() ? CString("wszystkie") : CString(chosen));
  }
  return CGSPropertyPage::OnSetActive();
}

// --- Sheet -----------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CWizSheet, CPropertySheet)

CWizSheet::CWizSheet(CWnd* pParent)
    : CPropertySheet(base::cp1250::from_utf8("Kreator zapytań").c_str(), pParent) {
  for (CPropertyPage* page : std::initializer_list<CPropertyPage*>{&m_intro, &m_years, &m_ranks, &m_persons,
                                                                  &m_positions, &m_complete}) {
    AddPage(page);
  }
  SetWizardMode();
}
