// The query wizard "Kreator zapytań": a wizard sheet whose pages take the query text and options,
// then the years, ranks, persons and positions as the scope pages do, and end on a summary with
// "Sortuj wyniki". The program's commands do not open it; it keeps what was chosen for its caller.
#pragma once

#include "navigation/scope_sheet.h"
#include "platform/framework/menu.h"
#include "toolkit/widgets/owner_draw_button.h"

class CWizIntroPage : public CGSPropertyPage {
  DECLARE_DYNCREATE(CWizIntroPage)

 public:
  CWizIntroPage();
  BOOL OnSetActive() override;
  BOOL OnKillActive() override;
  const CString& GetQueryText() const { return m_strText; }
  BOOL IsDefaultAnd() const { return m_bDefaultAnd; }
  BOOL IsTitlesOnly() const { return m_bTitlesOnly; }

  CComboBox m_comboText;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  afx_msg void OnOperator(UINT nID);

  CMenu m_menu;
  SECMenuButton m_btnOperators;
  CString m_strText;
  BOOL m_bDefaultAnd = TRUE;
  BOOL m_bTitlesOnly = FALSE;

  DECLARE_MESSAGE_MAP()
};

class CWizDatePage : public CScopeListPage {
  DECLARE_DYNCREATE(CWizDatePage)

 public:
  CWizDatePage();
  BOOL OnSetActive() override;
};

class CWizRangePage : public CScopeListPage {
  DECLARE_DYNCREATE(CWizRangePage)

 public:
  CWizRangePage();
  BOOL OnSetActive() override;
};

class CWizPersonPage : public CScopeKeywordPage {
  DECLARE_DYNCREATE(CWizPersonPage)

 public:
  CWizPersonPage();
  BOOL OnSetActive() override;
};

class CWizPositionPage : public CScopeKeywordPage {
  DECLARE_DYNCREATE(CWizPositionPage)

 public:
  CWizPositionPage();
  BOOL OnSetActive() override;
};

class CWizCompletePage : public CGSPropertyPage {
  DECLARE_DYNCREATE(CWizCompletePage)

 public:
  CWizCompletePage();
  BOOL OnSetActive() override;
  BOOL IsSortHits() const { return m_bSortHits; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL m_bSortHits = FALSE;
};

class CWizSheet : public CPropertySheet {
  DECLARE_DYNAMIC(CWizSheet)

 public:
  explicit CWizSheet(CWnd* pParent);

  CWizIntroPage m_intro;
  CWizDatePage m_years;
  CWizRangePage m_ranks;
  CWizPersonPage m_persons;
  CWizPositionPage m_positions;
  CWizCompletePage m_complete;
};
