#include "shell/options_sheet.h"

#include "platform/base/ctime.h"
#include "platform/controls/spin_button_ctrl.h"
#include "platform/framework/data_exchange.h"
#include "platform/framework/prompter.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/user_data.h"

namespace {

using namespace resources;

// Check boxes that store their state the moment they are clicked.
bool StoreClick(CDialog* page, UINT id, std::initializer_list<std::pair<UINT, int*>> boxes) {
  for (const auto& [box, value] : boxes) {
    if (box == id) {
      *value = page->IsDlgButtonChecked(int(id)) ? 1 : 0;
      return true;
    }
  }
  return false;
}

}  // namespace

// --- "Ogólne" --------------------------------------------------------------------------------------

COptionsOtherPage::COptionsOtherPage() : CGSPropertyPage(IDD_OPTIONS_GENERAL) {}

BOOL COptionsOtherPage::OnInitDialog() {
  CGSPropertyPage::OnInitDialog();
  if (CWnd* spin = GetDlgItem(IDC_OPT_MAX_SHEETS_SPIN)) spin->SendMessage(UDM_SETRANGE, 0, MAKELPARAM(kMaxSheetsLimit, 1));
  if (CWnd* spin = GetDlgItem(IDC_OPT_NEAR_SPIN)) spin->SendMessage(UDM_SETRANGE, 0, MAKELPARAM(999, 1));
  if (m_datePicker.SubclassDlgItem(IDC_OPT_LEGAL_DATE, this)) {
    // The long date with the weekday and the month's name; the calendar in light blue with an
    // italic copy of the picker's font.
    m_datePicker.SetFormat("dddd','  dd MMMM yyy");
    m_datePicker.SetMonthCalColor(MCSC_MONTHBK, 0xFFDCDC);
    LOGFONT lf{};
    if (CFont* font = m_datePicker.GetFont(); font && font->GetLogFont(&lf)) {
      lf.lfItalic = TRUE;
      m_calendarFont.DeleteObject();
      if (m_calendarFont.CreateFontIndirect(&lf)) m_datePicker.SetMonthCalFont(m_calendarFont, FALSE);
    }
    SYSTEMTIME st{};
    if (m_tLegalState != 0 && CTime(m_tLegalState).GetAsSystemTime(st)) {
      m_datePicker.SetTime(&st);
    } else {
      m_datePicker.SetTime(nullptr);
    }
  }
  return TRUE;
}

void COptionsOtherPage::DoDataExchange(CDataExchange* pDX) {
  CGSPropertyPage::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_OPT_SOUNDS, m_bSounds);
  DDX_Check(pDX, IDC_OPT_TIP_AT_START, m_bTipAtStart);
  DDX_Check(pDX, IDC_OPT_AUTOSTART, m_bAutostart);
  DDX_Check(pDX, IDC_OPT_WORKBOOK, m_nWorkbookMode);
  DDX_Check(pDX, IDC_OPT_OFFICE97, m_bOffice97);
  DDX_Check(pDX, IDC_OPT_FIRST_FOUND, m_bFirstFoundWord);
  DDX_Check(pDX, IDC_OPT_SMOOTH_SCROLL, m_bSmoothScroll);
  DDX_Check(pDX, IDC_OPT_GREY_OUTSIDE, m_bGreyOutsideBinder);
  DDX_Check(pDX, IDC_OPT_HOVER_LOOK, m_bHoverLook);
  DDX_Text(pDX, IDC_OPT_NEAR, m_nNearDistance);
  DDV_MinMaxInt(pDX, m_nNearDistance, 0, 0xFFFF);
  DDX_Text(pDX, IDC_OPT_MAX_SHEETS, m_nMaxSheets);
  DDV_MinMaxInt(pDX, m_nMaxSheets, 1, kMaxSheetsLimit);
  DDX_Text(pDX, IDC_OPT_POLL_MESSAGES, m_nPollMessages);
}

BOOL COptionsOtherPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  if (HIWORD(wParam) == BN_CLICKED) {
    StoreClick(this, id, {{IDC_OPT_SOUNDS, &m_bSounds}, {IDC_OPT_TIP_AT_START, &m_bTipAtStart},
                          {IDC_OPT_OFFICE97, &m_bOffice97}, {IDC_OPT_AUTOSTART, &m_bAutostart}});
    // The look of the controls is chosen at start-up only.
    if (StoreClick(this, id, {{IDC_OPT_HOVER_LOOK, &m_bHoverLook}})) {
      AfxMessageBox(IDS_OPTION_NEEDS_RESTART, MB_OK | MB_ICONINFORMATION);
    }
  }
  return CGSPropertyPage::OnCommand(wParam, lParam);
}

BOOL COptionsOtherPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header && header->idFrom == IDC_OPT_LEGAL_DATE && header->code == DTN_DATETIMECHANGE) {
    const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(lParam);
    m_tLegalState = change->dwFlags == GDT_VALID ? CTime(change->st).GetTime() : 0;
    return TRUE;
  }
  return CGSPropertyPage::OnNotify(wParam, lParam, pResult);
}

// --- "Drukowanie" ----------------------------------------------------------------------------------

COptionsPrintPage::COptionsPrintPage() : CGSPropertyPage(IDD_OPTIONS_PRINT) {}

BOOL COptionsPrintPage::OnInitDialog() {
  CGSPropertyPage::OnInitDialog();
  m_width.SubclassDlgItem(IDC_OPT_NOTES_WIDTH, this);
  m_widthSpin.SubclassDlgItem(IDC_OPT_NOTES_WIDTH_SPIN, this);
  m_widthSpin.SetBuddy(&m_width);
  m_widthSpin.SetRange(0.0f, 10.0f);
  m_widthSpin.SetDelta(0.5f);
  m_width.SetValue(m_nNotesWidth * 0.1);
  m_bReady = TRUE;
  EnableWidth();
  return TRUE;
}

void COptionsPrintPage::EnableWidth() {
  const BOOL on = IsDlgButtonChecked(IDC_OPT_NOTES_COLUMN) != 0;
  m_width.EnableWindow(on);
  m_widthSpin.EnableWindow(on);
}

void COptionsPrintPage::DoDataExchange(CDataExchange* pDX) {
  CGSPropertyPage::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_OPT_NOTES_COLUMN, m_bNotesColumn);
  DDX_Check(pDX, IDC_OPT_FOOTER_DATE, m_bFooterDate);
  DDX_Check(pDX, IDC_OPT_ACT_HEADER, m_bActHeader);
  DDX_Check(pDX, IDC_OPT_EXTENDED_INFO, m_bExtendedInfo);
  DDX_Check(pDX, IDC_OPT_FOOTER_PERSON, m_bFooterPerson);
  DDX_Check(pDX, IDC_OPT_UNIT_PER_PAGE, m_bUnitPerPage);
  DDX_Check(pDX, IDC_OPT_PAGE_NUMBERS, m_bPageNumbers);
  DDX_Check(pDX, IDC_OPT_APPEND_RESULTS, m_bAppendResults);
  DDX_Check(pDX, IDC_OPT_SHORT_ACT_NUMBER, m_bShortActNumber);
  DDX_Check(pDX, IDC_OPT_FOOTER_TITLE, m_bFooterWorkTitle);
}

BOOL COptionsPrintPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  if (id == IDC_OPT_NOTES_COLUMN && HIWORD(wParam) == BN_CLICKED) {
    m_bNotesColumn = IsDlgButtonChecked(IDC_OPT_NOTES_COLUMN) ? 1 : 0;
    EnableWidth();
  } else if (id == IDC_OPT_NOTES_WIDTH && HIWORD(wParam) == EN_CHANGE && m_bReady && m_width.IsWindowVisible()) {
    // Whole millimetres, the rest cut off.
    m_nNotesWidth = int(m_width.GetValue() * 10.0);
  }
  return CGSPropertyPage::OnCommand(wParam, lParam);
}

// --- "Odnośniki" -----------------------------------------------------------------------------------

namespace {

constexpr UINT kTipBoxes[] = {IDC_OPT_TIP_DU, IDC_OPT_TIP_POZ, IDC_OPT_TIP_ART, IDC_OPT_TIP_ARTW};
constexpr UINT kBoldBoxes[] = {IDC_OPT_BOLD_DU, IDC_OPT_BOLD_POZ, IDC_OPT_BOLD_ART, IDC_OPT_BOLD_ARTW};
constexpr UINT kWells[] = {IDC_OPT_WELL_DU, IDC_OPT_WELL_POZ, IDC_OPT_WELL_ART, IDC_OPT_WELL_ARTW,
                           IDC_OPT_WELL_NEGATIVE};
// Where each well goes (dialog units): one under each kind's check boxes, the negative one in the
// last column.
constexpr POINT kWellPlaces[] = {{62, 50}, {115, 50}, {168, 50}, {221, 50}, {274, 50}};

}  // namespace

COptionsLinksPage::COptionsLinksPage() : CGSPropertyPage(IDD_OPTIONS_LINKS) {}

BOOL COptionsLinksPage::OnInitDialog() {
  CGSPropertyPage::OnInitDialog();
  for (size_t i = 0; i < m_wells.size(); ++i) {
    SECColorWell& well = m_wells[i];
    if (!well.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, kWellPlaces[i].x, kWellPlaces[i].y, this, kWells[i], TRUE,
                     TRUE)) {
      continue;
    }
    well.SetPaletteMode(TRUE);
    well.SelectColor(i < 4 ? m_crLinks[i] : m_crNegative);
  }
  m_wells[4].ShowWindow(m_bNegativeLinks ? SW_SHOW : SW_HIDE);
  return TRUE;
}

void COptionsLinksPage::DoDataExchange(CDataExchange* pDX) {
  CGSPropertyPage::DoDataExchange(pDX);
  for (size_t i = 0; i < 4; ++i) {
    DDX_Check(pDX, int(kTipBoxes[i]), m_bTips[i]);
    DDX_Check(pDX, int(kBoldBoxes[i]), m_bBold[i]);
  }
  DDX_Check(pDX, IDC_OPT_TRACK_LINKS, m_bTrackLinks);
  DDX_Check(pDX, IDC_OPT_NEGATIVE_LINKS, m_bNegativeLinks);
}

BOOL COptionsLinksPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  if (HIWORD(wParam) == BN_CLICKED) {
    for (size_t i = 0; i < 4; ++i) {
      if (id == kBoldBoxes[i]) m_bBold[i] = IsDlgButtonChecked(int(id)) ? 1 : 0;
    }
    if (id == IDC_OPT_NEGATIVE_LINKS) {
      m_bNegativeLinks = IsDlgButtonChecked(int(id)) ? 1 : 0;
      m_wells[4].ShowWindow(m_bNegativeLinks ? SW_SHOW : SW_HIDE);
    }
  }
  return CGSPropertyPage::OnCommand(wParam, lParam);
}

LRESULT COptionsLinksPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == SEC_WM_COLORSELECTED) {
    for (size_t i = 0; i < std::size(kWells); ++i) {
      if (UINT(wParam) != kWells[i]) continue;
      (i < 4 ? m_crLinks[i] : m_crNegative) = COLORREF(lParam);
      return 0;
    }
  }
  return CGSPropertyPage::WindowProc(message, wParam, lParam);
}

// --- "Właściwości tekstu" --------------------------------------------------------------------------

COptionsTextPage::COptionsTextPage() : CGSPropertyPage(IDD_OPTIONS_TEXT) {}

// --- The sheet -------------------------------------------------------------------------------------

COptionsSheet::COptionsSheet(CWnd* pParent) : CGSPropertySheet("Opcje", pParent) {
  m_psh.dwFlags |= PSH_NOAPPLYNOW;
  AddPage(&m_other);
  AddPage(&m_print);
  AddPage(&m_links);
}

void COptionsSheet::ReadSettings(const CUserData& d) {
  m_other.m_bSounds = d.m_bSounds;
  m_other.m_bTipAtStart = d.m_bTipAtStart;
  m_other.m_bAutostart = d.m_bAutostart;
  m_other.m_bFirstFoundWord = d.m_bFirstFoundWord;
  m_other.m_nWorkbookMode = d.m_nWorkbookMode;
  m_other.m_bGreyOutsideBinder = d.m_bGreyOutsideBinder;
  m_other.m_nMaxSheets = d.m_nMaxSheets;
  m_other.m_bHoverLook = d.m_bHoverLook;
  m_other.m_nPollMessages = d.m_nPollMessages;
  m_other.m_bOffice97 = d.m_bOffice97;
  m_other.m_bSmoothScroll = d.m_bSmoothScroll;
  m_other.m_nNearDistance = d.m_nNearDistance;
  m_other.m_tLegalState = d.m_tLibraryDate;

  m_print.m_bNotesColumn = d.m_bNotesColumn;
  m_print.m_nNotesWidth = d.m_nNotesWidth;
  m_print.m_bFooterDate = d.m_bFooterDate;
  m_print.m_bActHeader = d.m_bActHeader;
  m_print.m_bExtendedInfo = d.m_bExtendedInfo;
  m_print.m_bFooterPerson = d.m_bFooterPerson;
  m_print.m_bUnitPerPage = d.m_bUnitPerPage;
  m_print.m_bPageNumbers = d.m_bPageNumbers;
  m_print.m_bAppendResults = d.m_bAppendResults;
  m_print.m_bShortActNumber = d.m_bShortActNumber;
  m_print.m_bFooterWorkTitle = d.m_bFooterWorkTitle;

  m_links.m_bTips = {d.m_bTipDU, d.m_bTipPoz, d.m_bTipArt, d.m_bTipArtW};
  m_links.m_bBold = {d.m_bBoldDU, d.m_bBoldPoz, d.m_bBoldArt, d.m_bBoldArtW};
  m_links.m_crLinks = {d.m_crLinkDU, d.m_crLinkPoz, d.m_crLinkArt, d.m_crLinkArtW};
  m_links.m_bTrackLinks = d.m_bTrackLinks;
  m_links.m_bNegativeLinks = d.m_bNegativeLinks;
  m_links.m_crNegative = d.m_crNegativeLink;
}

void COptionsSheet::WriteSettings(CUserData& d) const {
  d.m_bSounds = m_other.m_bSounds;
  d.m_bTipAtStart = m_other.m_bTipAtStart;
  d.m_bAutostart = m_other.m_bAutostart;
  d.m_bFirstFoundWord = m_other.m_bFirstFoundWord;
  d.m_nWorkbookMode = m_other.m_nWorkbookMode;
  d.m_bGreyOutsideBinder = m_other.m_bGreyOutsideBinder;
  d.m_nMaxSheets = m_other.m_nMaxSheets;
  d.m_bHoverLook = m_other.m_bHoverLook;
  d.m_nPollMessages = m_other.m_nPollMessages;
  d.m_bOffice97 = m_other.m_bOffice97;
  d.m_bSmoothScroll = m_other.m_bSmoothScroll;
  d.m_nNearDistance = uint16_t(m_other.m_nNearDistance);
  d.m_tLibraryDate = int32_t(m_other.m_tLegalState);

  d.m_bNotesColumn = m_print.m_bNotesColumn;
  d.m_nNotesWidth = m_print.m_nNotesWidth;
  d.m_bFooterDate = m_print.m_bFooterDate;
  d.m_bActHeader = m_print.m_bActHeader;
  d.m_bExtendedInfo = m_print.m_bExtendedInfo;
  d.m_bFooterPerson = m_print.m_bFooterPerson;
  d.m_bUnitPerPage = m_print.m_bUnitPerPage;
  d.m_bPageNumbers = m_print.m_bPageNumbers;
  d.m_bAppendResults = m_print.m_bAppendResults;
  d.m_bShortActNumber = m_print.m_bShortActNumber;
  d.m_bFooterWorkTitle = m_print.m_bFooterWorkTitle;

  d.m_bTipDU = m_links.m_bTips[0];
  d.m_bTipPoz = m_links.m_bTips[1];
  d.m_bTipArt = m_links.m_bTips[2];
  d.m_bTipArtW = m_links.m_bTips[3];
  d.m_bBoldDU = uint8_t(m_links.m_bBold[0]);
  d.m_bBoldPoz = uint8_t(m_links.m_bBold[1]);
  d.m_bBoldArt = uint8_t(m_links.m_bBold[2]);
  d.m_bBoldArtW = uint8_t(m_links.m_bBold[3]);
  d.m_crLinkDU = m_links.m_crLinks[0];
  d.m_crLinkPoz = m_links.m_crLinks[1];
  d.m_crLinkArt = m_links.m_crLinks[2];
  d.m_crLinkArtW = m_links.m_crLinks[3];
  d.m_bTrackLinks = m_links.m_bTrackLinks;
  d.m_bNegativeLinks = m_links.m_bNegativeLinks;
  d.m_crNegativeLink = m_links.m_crNegative;
}
