// The options sheet "Opcje": general options, printing options and the look of links. The pages
// only hold values and keep their controls in step; the main frame copies the settings into them
// before the sheet opens (ReadSettings) and back on OK (WriteSettings).
//
// "Bieżąca data" on the general page edits the legal-state date the status bar shows ("stan:").
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "controls/base/gs_property_page.h"
#include "controls/base/gs_property_sheet.h"
#include "controls/num_edit.h"
#include "platform/controls/date_time_ctrl.h"
#include "toolkit/widgets/color_well.h"

class CUserData;

class COptionsOtherPage : public CGSPropertyPage {
 public:
  COptionsOtherPage();

  int m_bSounds = 0;           // 1025
  int m_bTipAtStart = 1;       // 1026
  int m_bAutostart = 1;        // 1027
  int m_bFirstFoundWord = 1;   // 1060
  int m_nWorkbookMode = 1;     // 1008
  int m_bGreyOutsideBinder = 0;// 1062
  int m_nMaxSheets = 8;        // 1085 (1 to 16)
  int m_bHoverLook = 1;        // 1063
  int m_nPollMessages = 1000;  // 1131
  int m_bOffice97 = 1;         // 1053
  int m_bSmoothScroll = 0;     // 1061
  int m_nNearDistance = 8;     // 1087 (16 bits)
  // The legal-state date as a time value (0: none chosen).
  int64_t m_tLegalState = 0;

  static constexpr int kMaxSheetsLimit = 16;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  CDateTimeCtrl m_datePicker;
  CFont m_calendarFont;
};

class COptionsPrintPage : public CGSPropertyPage {
 public:
  COptionsPrintPage();

  int m_bNotesColumn = 0;      // 1068
  int m_nNotesWidth = 70;      // millimetres, shown in centimetres in 1070
  int m_bFooterDate = 1;       // 1063
  int m_bActHeader = 1;        // 1062
  int m_bExtendedInfo = 0;     // 1066
  int m_bFooterPerson = 0;     // 1069
  int m_bUnitPerPage = 0;      // 1061
  int m_bPageNumbers = 1;      // 1064
  int m_bAppendResults = 0;    // 1067
  int m_bShortActNumber = 1;   // 1060
  int m_bFooterWorkTitle = 1;  // 1065

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void EnableWidth();

  CNumEdit m_width;
  CNumSpinCtrl m_widthSpin;
  BOOL m_bReady = FALSE;
};

class COptionsLinksPage : public CGSPropertyPage {
 public:
  COptionsLinksPage();

  // Rows "D. U.", "poz.", "art.", "art. w.".
  std::array<int, 4> m_bTips{1, 1, 0, 0};
  std::array<int, 4> m_bBold{0, 0, 0, 0};
  std::array<COLORREF, 4> m_crLinks{0x800000, 0x808000, 0x800080, 0x008080};
  int m_bTrackLinks = 1;      // 1135
  int m_bNegativeLinks = 0;   // 1136
  COLORREF m_crNegative = 0xA4A0A0;  // 1214

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  std::array<SECColorWell, 5> m_wells;
};

// Colours of the kinds of text; made with the sheet and never shown.
class COptionsTextPage : public CGSPropertyPage {
 public:
  COptionsTextPage();

  COLORREF m_crRepealed = RGB(0, 0, 0);        // 1208 "Tekst uchylony"
  COLORREF m_crBeforeForce = 0x0000FF;         // 1052 "Tekst przed wprowadzeniem"
  COLORREF m_crInForce = 0x00FF00;             // 1055 "Tekst obowiązujący"
  int m_bQuotedParagraphs = 1;                 // 1255
};

class COptionsSheet : public CGSPropertySheet {
 public:
  explicit COptionsSheet(CWnd* pParent);

  void ReadSettings(const CUserData& data);
  void WriteSettings(CUserData& data) const;

  COptionsLinksPage m_links;
  COptionsTextPage m_text;
  COptionsOtherPage m_other;
  COptionsPrintPage m_print;
};
