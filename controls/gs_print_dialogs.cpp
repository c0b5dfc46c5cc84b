#include "controls/gs_print_dialogs.h"

#include "controls/margin_exchange.h"
#include "controls/number_field_text.h"
#include "controls/print_dialog_help.h"
#include "platform/controls/common_controls.h"
#include "platform/framework/app.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/data_exchange.h"
#include "resources/controls_ids.h"

using namespace resources;

namespace {

// The range of a margin field's spin, in centimetres, and its step: one up arrow raises the value
// by a tenth of a millimetre in both dialogs.
struct SpinRange {
  float minimum;
  float maximum;
};
constexpr SpinRange kTopRange{0.0f, 5.0f};
constexpr SpinRange kSideRange{0.0f, 10.0f};
constexpr SpinRange kNotesRange{2.0f, 10.0f};
constexpr SpinRange kPrintNotesRange{0.0f, 10.0f};
constexpr float kMarginStep = 0.01f;

// The limits the exchange checks, in millimetres.
constexpr UINT kMarginMinimum = 5;
constexpr UINT kMarginMaximum = 50;
constexpr UINT kNotesMinimum = 20;
constexpr UINT kNotesMaximum = 100;

// The standard controls the templates keep for the common dialogs but do not show.
constexpr int kPageSetupHidden[] = {edt4, edt5, edt6, edt7};
constexpr int kPrintHidden[] = {IDC_PRINT_WHOLE_ACT, IDC_PRINT_ATTACHMENTS, IDC_PRINT_WORK_INFO, rad1, rad2, rad3,
                                edt1, edt2};

void hide_items(CWnd& dialog, std::span<const int> ids) {
  for (int id : ids) {
    if (CWnd* item = dialog.GetDlgItem(id)) item->ShowWindow(SW_HIDE);
  }
}

void enable_item(CWnd& dialog, int id, BOOL enable) {
  if (CWnd* item = dialog.GetDlgItem(id)) item->EnableWindow(enable);
}

// The templates hold up-down controls.
void register_spin_class() {
  INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&classes);
}

void prepare_spin(CNumSpinCtrl& spin, CNumEdit& field, SpinRange range) {
  spin.SetBuddy(&field);
  spin.SetRange(range.minimum, range.maximum);
  spin.SetDelta(kMarginStep);
}

// A field's value as whole millimetres.
UINT field_millimetres(CNumEdit& field) {
  int mm = number_field::CentimetresToMillimetres(field.GetValue());
  return mm > 0 ? UINT(mm) : 0;
}

}  // namespace

// --- CGSPageSetupDialog -------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CGSPageSetupDialog, CPageSetupDialog)

BEGIN_MESSAGE_MAP(CGSPageSetupDialog, CPageSetupDialog)
  ON_CONTROL_RANGE(EN_CHANGE, IDC_MARGIN_BOTTOM, IDC_MARGIN_LEFT, &CGSPageSetupDialog::OnMarginChange)
  ON_CONTROL(EN_CHANGE, IDC_NOTES_MARGIN, &CGSPageSetupDialog::OnNotesMarginChange)
  ON_CONTROL(BN_CLICKED, IDC_NOTES_SWITCH, &CGSPageSetupDialog::OnNotesSwitch)
  ON_WM_CONTEXTMENU()
  ON_WM_HELPINFO()
END_MESSAGE_MAP()

CGSPageSetupDialog::CGSPageSetupDialog(DWORD dwFlags, CWnd* pParentWnd) : CPageSetupDialog(dwFlags, pParentWnd) {
  m_psd.Flags |= PSD_ENABLEPAGESETUPTEMPLATE | PSD_ENABLEPAGESETUPHOOK;
  m_psd.hInstance = AfxGetResourceHandle();
  m_psd.lpPageSetupTemplateName = MAKEINTRESOURCE(int(IDD_GS_PAGE_SETUP));
  m_psd.lpfnPageSetupHook = AfxCommDlgProc;
  register_spin_class();
}

CGSPageSetupDialog::~CGSPageSetupDialog() = default;

void CGSPageSetupDialog::DoDataExchange(CDataExchange* pDX) {
  CPageSetupDialog::DoDataExchange(pDX);
  struct Side {
    int field, spin;
    CNumEdit& edit;
    CNumSpinCtrl& spinner;
    UINT& margin;
  };
  const Side sides[] = {
      {IDC_MARGIN_TOP, IDC_MARGIN_TOP_SPIN, m_editTop, m_spinTop, m_nTopMargin},
      {IDC_MARGIN_RIGHT, IDC_MARGIN_RIGHT_SPIN, m_editRight, m_spinRight, m_nRightMargin},
      {IDC_MARGIN_BOTTOM, IDC_MARGIN_BOTTOM_SPIN, m_editBottom, m_spinBottom, m_nBottomMargin},
      {IDC_MARGIN_LEFT, IDC_MARGIN_LEFT_SPIN, m_editLeft, m_spinLeft, m_nLeftMargin},
  };
  for (const Side& side : sides) {
    DDX_Control(pDX, side.field, side.edit);
    DDX_Control(pDX, side.spin, side.spinner);
    DDX_Margin(pDX, side.field, side.margin);
    DDV_Margin(pDX, side.margin, kMarginMinimum, kMarginMaximum);
  }
  DDX_Control(pDX, IDC_NOTES_MARGIN, m_editNotes);
  DDX_Control(pDX, IDC_NOTES_MARGIN_SPIN, m_spinNotes);
  DDX_Margin(pDX, IDC_NOTES_MARGIN, m_nNotesMargin);
  // A field the user cannot reach (notes switched off) is not held against them.
  if (m_editNotes.IsWindowEnabled()) DDV_NotesMargin(pDX, m_nNotesMargin, kNotesMinimum, kNotesMaximum);
  DDX_Check(pDX, IDC_NOTES_SWITCH, m_bNotes);
}

BOOL CGSPageSetupDialog::OnInitDialog() {
  CPageSetupDialog::OnInitDialog();
  hide_items(*this, kPageSetupHidden);
  if (!(m_psd.Flags & PSD_SHOWHELP)) hide_items(*this, std::span<const int>(&IDC_PAGE_SETUP_HELP, 1));
  prepare_spin(m_spinLeft, m_editLeft, kSideRange);
  prepare_spin(m_spinRight, m_editRight, kSideRange);
  prepare_spin(m_spinTop, m_editTop, kTopRange);
  prepare_spin(m_spinBottom, m_editBottom, kSideRange);
  prepare_spin(m_spinNotes, m_editNotes, kNotesRange);
  // The stored margins as the exchange left them (0 already made the default), shown in the
  // fields' own form.
  margins::ShowMargin(m_editLeft.m_hWnd, m_nLeftMargin);
  margins::ShowMargin(m_editRight.m_hWnd, m_nRightMargin);
  margins::ShowMargin(m_editTop.m_hWnd, m_nTopMargin);
  margins::ShowMargin(m_editBottom.m_hWnd, m_nBottomMargin);
  margins::ShowMargin(m_editNotes.m_hWnd, m_nNotesMargin);
  EnableNotes();
  m_psd.rtMargin = RECT{LONG(FromMillimetres(int(m_nLeftMargin))), LONG(FromMillimetres(int(m_nTopMargin))),
                        LONG(FromMillimetres(int(m_nRightMargin))), LONG(FromMillimetres(int(m_nBottomMargin)))};
  SetDlgItemInt(edt4, m_nLeftMargin);
  SetDlgItemInt(edt5, m_nTopMargin);
  SetDlgItemInt(edt6, m_nRightMargin);
  ShowBottomWithNotes();
  return TRUE;
}

void CGSPageSetupDialog::ShowBottomWithNotes() {
  SetDlgItemInt(edt7, m_nBottomMargin + (m_bNotes ? m_nNotesMargin : 0));
}

void CGSPageSetupDialog::EnableNotes() {
  enable_item(*this, IDC_NOTES_MARGIN, m_bNotes);
  enable_item(*this, IDC_NOTES_MARGIN_SPIN, m_bNotes);
}

void CGSPageSetupDialog::OnMarginChange(UINT nID) {
  if (!IsWindowVisible()) return;
  struct Side {
    int field;
    CNumEdit& edit;
    UINT& margin;
    LONG& rect_side;
    int standard;
  };
  const Side sides[] = {
      {IDC_MARGIN_LEFT, m_editLeft, m_nLeftMargin, m_psd.rtMargin.left, edt4},
      {IDC_MARGIN_TOP, m_editTop, m_nTopMargin, m_psd.rtMargin.top, edt5},
      {IDC_MARGIN_RIGHT, m_editRight, m_nRightMargin, m_psd.rtMargin.right, edt6},
      {IDC_MARGIN_BOTTOM, m_editBottom, m_nBottomMargin, m_psd.rtMargin.bottom, edt7},
  };
  for (const Side& side : sides) {
    if (int(LOWORD(nID)) != side.field || !side.edit.m_hWnd) continue;
    side.margin = field_millimetres(side.edit);
    side.rect_side = LONG(FromMillimetres(int(side.margin)));
    if (side.standard == edt7) {
      ShowBottomWithNotes();
    } else {
      SetDlgItemInt(side.standard, side.margin);
    }
  }
}

void CGSPageSetupDialog::OnNotesMarginChange() {
  if (!IsWindowVisible() || !m_editNotes.m_hWnd) return;
  m_nNotesMargin = field_millimetres(m_editNotes);
  ShowBottomWithNotes();
}

void CGSPageSetupDialog::OnNotesSwitch() {
  m_bNotes = IsDlgButtonChecked(IDC_NOTES_SWITCH) ? 1 : 0;
  EnableNotes();
  ShowBottomWithNotes();
}

void CGSPageSetupDialog::OnContextMenu(CWnd* pWnd, CPoint point) {
  if (!print_dialog_help::AnswerContextMenu(*this, pWnd, point, true)) Default();
}

BOOL CGSPageSetupDialog::OnHelpInfo(HELPINFO* pHelpInfo) {
  if (print_dialog_help::AnswerHelpInfo(pHelpInfo)) return TRUE;
  return CPageSetupDialog::OnHelpInfo(pHelpInfo);
}

// --- CGSPrintDialog -----------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CGSPrintDialog, CPrintDialog)

BEGIN_MESSAGE_MAP(CGSPrintDialog, CPrintDialog)
  ON_CONTROL(EN_CHANGE, IDC_PRINT_NOTES_MARGIN, &CGSPrintDialog::OnNotesMarginChange)
  ON_CONTROL(BN_CLICKED, IDC_PRINT_NOTES_SWITCH, &CGSPrintDialog::OnNotesSwitch)
  ON_WM_CONTEXTMENU()
  ON_WM_HELPINFO()
END_MESSAGE_MAP()

CGSPrintDialog::CGSPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : CPrintDialog(bPrintSetupOnly, dwFlags, pParentWnd) {
  m_pd.Flags |= PD_ENABLEPRINTTEMPLATE | PD_ENABLEPRINTHOOK;
  m_pd.hInstance = AfxGetResourceHandle();
  m_pd.lpPrintTemplateName = MAKEINTRESOURCE(int(IDD_GS_PRINT));
  m_pd.lpfnPrintHook = AfxCommDlgProc;
  register_spin_class();
}

CGSPrintDialog::~CGSPrintDialog() = default;

void CGSPrintDialog::DoDataExchange(CDataExchange* pDX) {
  CPrintDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PRINT_NOTES_SPIN, m_spinNotes);
  DDX_Control(pDX, IDC_PRINT_NOTES_MARGIN, m_editNotes);
  DDX_Control(pDX, IDC_PRINT_WHOLE_ACT, m_btnWholeAct);
  DDX_Control(pDX, IDC_PRINT_CURRENT_PAGE, m_btnCurrentPage);
  DDX_Control(pDX, IDC_PRINT_SELECTION, m_btnSelection);
  DDX_Margin(pDX, IDC_PRINT_NOTES_MARGIN, m_nNotesMargin);
  if (m_editNotes.IsWindowEnabled()) DDV_NotesMargin(pDX, m_nNotesMargin, kNotesMinimum, kNotesMaximum);
  DDX_Check(pDX, IDC_PRINT_NOTES_SWITCH, m_bNotes);
  DDX_Check(pDX, IDC_PRINT_SELECTION, m_bSelection);
}

BOOL CGSPrintDialog::OnInitDialog() {
  CPrintDialog::OnInitDialog();
  hide_items(*this, kPrintHidden);
  enable_item(*this, IDC_PRINT_WHOLE_ACT, FALSE);
  prepare_spin(m_spinNotes, m_editNotes, kPrintNotesRange);
  margins::ShowMargin(m_editNotes.m_hWnd, m_nNotesMargin);
  CheckDlgButton(IDC_PRINT_NOTES_SWITCH, m_bNotes ? BST_CHECKED : BST_UNCHECKED);
  enable_item(*this, chx2, FALSE);
  EnableNotes();
  if (m_bTextPane) {
    m_btnSelection.SetCheck(m_bPaneSelection ? BST_CHECKED : BST_UNCHECKED);
    m_btnCurrentPage.SetCheck(m_bPaneSelection ? BST_UNCHECKED : BST_CHECKED);
    m_btnSelection.EnableWindow(m_bPaneSelection);
  }
  return TRUE;
}

void CGSPrintDialog::EnableNotes() {
  enable_item(*this, IDC_PRINT_NOTES_MARGIN, m_bNotes);
  enable_item(*this, IDC_PRINT_NOTES_SPIN, m_bNotes);
}

void CGSPrintDialog::OnNotesMarginChange() {
  if (!IsWindowVisible() || !m_editNotes.m_hWnd) return;
  m_nNotesMargin = field_millimetres(m_editNotes);
}

void CGSPrintDialog::OnNotesSwitch() {
  m_bNotes = IsDlgButtonChecked(IDC_PRINT_NOTES_SWITCH) ? 1 : 0;
  EnableNotes();
}

void CGSPrintDialog::OnContextMenu(CWnd* pWnd, CPoint point) {
  if (!print_dialog_help::AnswerContextMenu(*this, pWnd, point, false)) Default();
}

BOOL CGSPrintDialog::OnHelpInfo(HELPINFO* pHelpInfo) {
  if (print_dialog_help::AnswerHelpInfo(pHelpInfo)) return TRUE;
  return CPrintDialog::OnHelpInfo(pHelpInfo);
}
